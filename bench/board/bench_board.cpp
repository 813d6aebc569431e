// Times dropped moves the way a player makes them: press, drag, release, then the paint that
// brings the changed squares to the screen. Reports how many squares each move drew anew.
// Also times loading an annotated game.
#include "BenchGame.h"

#include <QApplication>
#include <QMouseEvent>
#include <array>
#include <benchmark/benchmark.h>
#include <tavlon/Board.h>

namespace {

// Kiwipete, a crowded middlegame with every kind of move available to both sides.
const QString Kiwipete =
    "BRXXXXXXBKXXXXBRBPXXBPBPBQBPBBXXBBBNXXXXBPBNBPXXXXXXXXWPWNXXXXXXXXBPXXXXWPXXXXXX"
    "XXXXWNXXXXWQXXBPWPWPWPWBWBWPWPWPWRXXXXXXWKXXXXWR";

// The middle of a square's cell in White's view, for a board of nSide pixels.
QPoint Centre(const char *sSquare, int nSide = 332) {
    const int f = sSquare[0] - 'a';
    const int r = sSquare[1] - '1';
    const int c = (nSide - 4) / 8, m = (nSide - 8 * c) / 2;
    return {m + c * f + c / 2, m + c * (7 - r) + c / 2};
}

void Send(Board &b, QEvent::Type t, QPoint p, Qt::MouseButtons nHeld) {
    QMouseEvent e(t, p, b.mapToGlobal(p), Qt::LeftButton, nHeld, Qt::NoModifier);
    QCoreApplication::sendEvent(&b, &e);
}

void Drop(Board &b, const char *sSrc, const char *sDest) {
    const QPoint oSrc = Centre(sSrc, b.width()), oDest = Centre(sDest, b.width());
    Send(b, QEvent::MouseButtonPress, oSrc, Qt::LeftButton);
    Send(b, QEvent::MouseMove, (oSrc + oDest) / 2, Qt::LeftButton);
    Send(b, QEvent::MouseMove, oDest, Qt::LeftButton);
    Send(b, QEvent::MouseButtonRelease, oDest, Qt::NoButton);
    QCoreApplication::processEvents(); // the paint: dirty squares are rendered here
}

// Plays the four-move cycle over and over. Every two cycles the moves are taken back (untimed),
// before the repeated position could end the game by repetition. Counts only the squares the drops
// redrew.
void CycleDrops(benchmark::State &state, Board &b,
                const std::array<std::array<const char *, 2>, 4> &oCycle) {
    int nMoves = 0;
    int nRendered = 0;
    for (auto _ : state) {
        const auto &m = oCycle[static_cast<std::size_t>(nMoves % 4)];
        const int nBefore = b.property("renderedSquares").toInt();
        Drop(b, m[0], m[1]);
        nRendered += b.property("renderedSquares").toInt() - nBefore;
        if (b.IsWhitesTurn() == (nMoves % 2 == 0)) {
            state.SkipWithError("a dropped move was refused");
            break;
        }
        if (++nMoves % 8 == 0) {
            state.PauseTiming();
            for (int i = 0; i < 8; ++i)
                b.UndoLastMove();
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
    }
    state.counters["squares_rendered_per_move"] = static_cast<double>(nRendered) / nMoves;
}

void BM_DroppedMove(benchmark::State &state) {
    Board b;
    b.NewGame(true, Kiwipete);
    b.show();
    QCoreApplication::processEvents();
    // Four knight moves that bring the position back to where it started.
    const std::array<std::array<const char *, 2>, 4> oCycle = {
        {{"c3", "b1"}, {"b6", "c8"}, {"b1", "c3"}, {"c8", "b6"}}};
    CycleDrops(state, b, oCycle);
}
BENCHMARK(BM_DroppedMove)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

// Pressing on a piece with its legal destinations marked: the work up to the paint (judging
// the destinations and working out every square's marks), without the paint itself.
void BM_PressWithLegalMarks(benchmark::State &state) {
    Board b;
    b.NewGame(true, Kiwipete);
    b.SetShowLegalMoves(true);
    b.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        Send(b, QEvent::MouseButtonPress, Centre("f3"), Qt::LeftButton); // the queen
        Send(b, QEvent::MouseButtonRelease, Centre("a1") + QPoint(0, 60), Qt::NoButton);
    }
}
BENCHMARK(BM_PressWithLegalMarks)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

// A dropped move with every aid on: the squares redrawn are only those whose look changed. The
// argument is the board's side in pixels.
void BM_DroppedMoveAllAids(benchmark::State &state) {
    Board b;
    b.resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(0)));
    b.NewGame(true, Kiwipete);
    b.SetShowLastMove(true);
    b.SetShowCheck(true);
    b.SetShowLegalMoves(true);
    b.SetShowCoordinates(true);
    b.show();
    QCoreApplication::processEvents();
    const std::array<std::array<const char *, 2>, 4> oCycle = {
        {{"c3", "b1"}, {"b6", "c8"}, {"b1", "c3"}, {"c8", "b6"}}};
    Drop(b, "e2", "d1"); // a first move, so every later one moves the last-move marks
    Drop(b, "a6", "b7");
    CycleDrops(state, b, oCycle);
}
BENCHMARK(BM_DroppedMoveAllAids)
    ->Arg(332)
    ->Arg(1000)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

// The whole board drawn at about 1,000 pixels with every aid on and a piece selected, from a cold
// cache: each paint follows a change of size (1,000 and 992 pixels in turn), so the textures,
// the pieces and all 64 squares are drawn anew, as while a window is being resized.
void BM_WholeBoardCold(benchmark::State &state) {
    Board b;
    b.NewGame(true, Kiwipete);
    b.SetShowLastMove(true);
    b.SetShowCheck(true);
    b.SetShowLegalMoves(true);
    b.SetShowCoordinates(true);
    b.resize(1000, 1000);
    b.show();
    QCoreApplication::processEvents();
    Send(b, QEvent::MouseButtonPress, Centre("f3", 1000), Qt::LeftButton);
    Send(b, QEvent::MouseButtonRelease, Centre("f3", 1000), Qt::NoButton); // the queen, selected
    int nSide = 1000;
    for (auto _ : state) {
        nSide = nSide == 1000 ? 992 : 1000;
        b.resize(nSide, nSide);
        b.repaint();
    }
}
BENCHMARK(BM_WholeBoardCold)->Unit(benchmark::kMillisecond);
// LoadPgn of a 150-ply annotated game, with the paint that shows the new position.
void BM_BoardLoadPgn(benchmark::State &state) {
    const QString sText = QString::fromStdString(AnnotatedGame());
    Board b;
    b.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        if (!b.LoadPgn(sText))
            state.SkipWithError("refused");
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_BoardLoadPgn)->Unit(benchmark::kMicrosecond);

// Showing the position one ply back on a 300-ply game, and the live one again, each with the
// paint that brings the changed squares to the screen.
void BM_ViewOnePlyBack(benchmark::State &state) {
    Board b;
    b.SetShowLastMove(true);
    b.SetShowCheck(true);
    if (!b.LoadPgn(QString::fromStdString(AnnotatedGame(300))))
        state.SkipWithError("refused");
    b.show();
    QCoreApplication::processEvents();
    const int nLast = b.PlyCount();
    int nSteps = 0;
    const int nBefore = b.property("renderedSquares").toInt();
    for (auto _ : state) {
        b.ViewPly(nSteps++ % 2 == 0 ? nLast - 1 : nLast);
        QCoreApplication::processEvents();
    }
    state.counters["squares_rendered_per_step"] =
        static_cast<double>(b.property("renderedSquares").toInt() - nBefore) / nSteps;
}
BENCHMARK(BM_ViewOnePlyBack)->Unit(benchmark::kMicrosecond);

// Playing a game move by move with its SAN read after each, as the window's list does: the
// time per game must grow linearly with its length.
void BM_PlayReadingSanMoves(benchmark::State &state) {
    Board oSource;
    oSource.LoadPgn(QString::fromStdString(AnnotatedGame(300)));
    const QStringList oMoves = oSource.CoordinateMoves().mid(0, static_cast<int>(state.range(0)));
    Board b;
    for (auto _ : state) {
        b.NewGame();
        for (const QString &s : oMoves) {
            b.MovePieceSan(s);
            benchmark::DoNotOptimize(b.SanMoves());
        }
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PlayReadingSanMoves)
    ->Arg(75)
    ->Arg(150)
    ->Arg(300)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// A tree of about 2,000 nodes: a 150-ply game with a variation three deep beside every fourth
// move. Every node is shown in turn, in the order a reader meets them, each with its paint.
Board *TreeBoard() {
    static Board *p = [] {
        auto *b = new Board;
        b->SetShowLastMove(true);
        b->SetShowCheck(true);
        b->LoadPgn(QString::fromStdString(AnnotatedGames(1, 150, 20)));
        b->show();
        QCoreApplication::processEvents();
        return b;
    }();
    return p;
}

void BM_TreeShowEachNode(benchmark::State &state) {
    Board &b = *TreeBoard();
    QList<int> oOrder;
    for (QList<int> oStack{b.RootNode()}; !oStack.isEmpty();) {
        const int n = oStack.takeLast();
        oOrder << n;
        const QList<int> oChildren = b.ChildNodes(n);
        for (auto it = oChildren.rbegin(); it != oChildren.rend(); ++it)
            if (!b.NodeSan(*it).isEmpty())
                oStack << *it;
    }
    qsizetype i = 0;
    const int nBefore = b.property("renderedSquares").toInt();
    for (auto _ : state) {
        b.ShowNode(oOrder[i++ % oOrder.size()]);
        QCoreApplication::processEvents();
    }
    state.counters["nodes"] = static_cast<double>(oOrder.size());
    state.counters["squares_rendered_per_step"] =
        static_cast<double>(b.property("renderedSquares").toInt() - nBefore) /
        static_cast<double>(i);
}
BENCHMARK(BM_TreeShowEachNode)->Unit(benchmark::kMicrosecond);

// Edits on that tree deep in a variation, each with its paint: a move added on the node shown
// (a new node) and deleted again, a comment set and cleared.
void BM_TreeEdit(benchmark::State &state) {
    Board &b = *TreeBoard();
    int nDeep = b.MainLineNode(41);
    while (b.ChildNodes(nDeep).size() > 1)
        nDeep = b.ChildNodes(nDeep).last();
    b.ShowNode(nDeep);
    QCoreApplication::processEvents();
    // A move there that no child holds yet.
    clsRules oRules;
    oRules.SetFen(b.NodeFen(nDeep).toStdString());
    MoveList oMoves;
    oRules.LegalMoves(oMoves);
    QStringList oHeld;
    for (const int c : b.ChildNodes(nDeep))
        oHeld << b.NodeSan(c);
    QString sMove;
    for (const Move &o : oMoves)
        if (!oHeld.contains(QString::fromStdString(Notation::San(oRules, o))))
            sMove = QString::fromStdString(Notation::Coordinate(o));
    const int nChildren = static_cast<int>(b.ChildNodes(nDeep).size());
    for (auto _ : state) {
        const int n = b.AddMove(nDeep, sMove);
        QCoreApplication::processEvents();
        b.DeleteMovesFrom(n);
        b.SetNodeComment(nDeep, QStringLiteral("a thought"));
        QCoreApplication::processEvents();
        b.SetNodeComment(nDeep, {});
        QCoreApplication::processEvents();
    }
    if (b.ChildNodes(nDeep).size() != nChildren)
        state.SkipWithError("the tree grew");
}
BENCHMARK(BM_TreeEdit)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
