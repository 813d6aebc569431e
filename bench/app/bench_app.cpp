// Times what the main window does with a game record: opening an annotated game file of 150 or
// 300 plies (read, replay, both lists filled in either notation, caption); Choose a Game sorting
// and narrowing a million games; and a start with a hostile recovery folder against an empty one.
// `tavlon_app_bench
// --write-game FILE PLIES` writes such a game for bench/app/startup.sh.
#include "BenchGame.h"
#include "GameCollection.h"
#include "NotationPane.h"
#include "PgnIndex.h"
#include "Recovery.h"
#include "dlgGames.h"
#include "dlgSetUpPosition.h"
#include "frmMain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstring>
#include <ctime>
#include <functional>
#include <random>
#include <sys/stat.h>
#include <tavlon/Board.h>
#include <unistd.h>

namespace {

QString WriteGame(const QString &sPath, int nPlies) {
    QFile oFile(sPath);
    if (!oFile.open(QIODevice::WriteOnly))
        return {};
    oFile.write(QByteArray::fromStdString(AnnotatedGame(nPlies)));
    return sPath;
}

// Reading the file, replaying it and filling both lists in the chosen notation, which is all
// that opening adds; so it bounds the time the lists take to fill.
void BM_OpenGame(benchmark::State &state) {
    QTemporaryDir oDir;
    const QString sPath = WriteGame(oDir.filePath("game.pgn"), static_cast<int>(state.range(0)));
    QSettings().setValue(QStringLiteral("view/standardNotation"), state.range(1) == 1);
    frmMain w;
    for (auto _ : state)
        benchmark::DoNotOptimize(w.OpenFile(sPath));
    state.SetLabel(state.range(1) == 1 ? "SAN" : "coordinates");
}
BENCHMARK(BM_OpenGame)
    ->Args({150, 1})
    ->Args({300, 1})
    ->Args({300, 0})
    ->Unit(benchmark::kMicrosecond);

// What the window does after every move to keep the unfinished game: the record as PGN and its
// safe write (with fsync) into the recovery folder, for a 100-move game.
void BM_RecoveryWrite(benchmark::State &state) {
    QTemporaryDir oDir;
    Recovery oRecovery(oDir.path());
    Board oBoard;
    oBoard.LoadPgn(QString::fromStdString(AnnotatedGame(200)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(oBoard.CoordinateMoves().isEmpty());
        oRecovery.Write(oBoard.Pgn(), QStringLiteral("/home/player/club.pgn"));
        if (state.range(0) == 1)
            oRecovery.Wait();
    }
    state.counters["plies"] = static_cast<double>(oBoard.CoordinateMoves().size());
    state.SetLabel(state.range(0) == 1 ? "until on disk" : "the window's own share");
}
BENCHMARK(BM_RecoveryWrite)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Set Up Position with its board at 1,000 pixels: a piece put on the keyboard's square and taken
// off again, each change with what follows it (the castling boxes, the en passant choice, the FEN
// field, the judgement) and the paint of all that changed.
void BM_SetUpPiece(benchmark::State &state) {
    dlgSetUpPosition d("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", {},
                       true);
    auto *b = d.findChild<Board *>();
    d.show();
    d.resize(d.size() + QSize(1000, 1000) - b->size());
    b->setFocus();
    QCoreApplication::processEvents();
    if (b->width() < 1000 || b->height() < 1000)
        state.SkipWithError("the board is smaller than 1,000 pixels");
    const auto Key = [b](int nKey, const QString &sText) {
        QKeyEvent oPress(QEvent::KeyPress, nKey, Qt::NoModifier, sText);
        QCoreApplication::sendEvent(b, &oPress);
        QCoreApplication::processEvents(); // the paint
    };
    const QString sFen = d.Fen();
    const int nRendered = b->property("renderedSquares").toInt();
    for (auto _ : state) {
        Key(Qt::Key_Q, QStringLiteral("q"));
        Key(Qt::Key_Delete, {});
    }
    if (d.Fen() == sFen)
        state.SkipWithError("nothing was placed");
    state.counters["board_px"] = b->width();
    state.counters["squares_per_change"] =
        (b->property("renderedSquares").toInt() - nRendered) / (2.0 * state.iterations());
    state.SetLabel("two changes per iteration");
}
BENCHMARK(BM_SetUpPiece)->Unit(benchmark::kMicrosecond);

// The notation pane beside a tree of about 2,000 nodes (a 150-ply game with a variation three
// deep beside every fourth move): the text made again, as after an edit (0), a step to the
// next node in reading order with its mark moved (1), and the game's last move played again
// and added to the text in place (2; taken back and the text made again untimed), each with
// its paint.
void BM_NotationPane(benchmark::State &state) {
    Board board;
    board.LoadPgn(QString::fromStdString(AnnotatedGames(1, 150, 20)));
    NotationPane pane(&board, [](const QString &s) { return s; });
    pane.resize(400, 600);
    pane.show();
    pane.Rebuild();
    QCoreApplication::processEvents();
    QList<int> oOrder;
    for (QList<int> oStack{board.RootNode()}; !oStack.isEmpty();) {
        const int n = oStack.takeLast();
        oOrder << n;
        const QList<int> oChildren = board.ChildNodes(n);
        for (auto it = oChildren.rbegin(); it != oChildren.rend(); ++it)
            if (!board.NodeSan(*it).isEmpty())
                oStack << *it;
    }
    qsizetype i = 0;
    const QString sLast = board.SanMoves().constLast();
    for (auto _ : state) {
        if (state.range(0) == 0) {
            pane.Rebuild();
        } else if (state.range(0) == 2) {
            state.PauseTiming();
            board.UndoLastMove();
            pane.Rebuild();
            QCoreApplication::processEvents();
            state.ResumeTiming();
            if (!board.MovePieceSan(sLast) || !pane.AppendLive()) {
                state.SkipWithError("the move was not added in place");
                break;
            }
        } else {
            board.ShowNode(oOrder[i++ % oOrder.size()]);
            pane.MarkShown();
        }
        QCoreApplication::processEvents(); // the paint
    }
    state.counters["nodes"] = static_cast<double>(oOrder.size());
    const char *const Labels[] = {"text made again", "a step", "a move added"};
    state.SetLabel(Labels[state.range(0)]);
}
BENCHMARK(BM_NotationPane)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
// A million short games with the tags a list shows: names drawn from 20,000 players, so that
// many tie and many share their first eight letters; the index is made once.
std::shared_ptr<const Pgn::Index> MillionGames() {
    static const std::shared_ptr<const Pgn::Index> p = [] {
        std::mt19937 oRandom(7);
        std::string sText;
        sText.reserve(140u << 20);
        auto Name = [&] {
            const auto n = oRandom() % 20000;
            return "Player" + std::to_string(n % 97) + ", " + char('A' + n % 26) + "." +
                   std::to_string(n);
        };
        for (int n = 0; n < 1000000; ++n) {
            sText += "[Event \"Open " + std::to_string(n % 300) + "\"]\n[Date \"20" +
                     std::to_string(10 + n % 15) + ".0" + std::to_string(1 + n % 9) + ".1" +
                     std::to_string(n % 10) + "\"]\n[Round \"" + std::to_string(1 + n % 9) +
                     "\"]\n[White \"" + Name() + "\"]\n[Black \"" + Name() +
                     "\"]\n[Result \"1-0\"]\n\n1. e4 e5 " + (oRandom() % 2 ? "2. Nf3 " : "") +
                     "1-0\n\n";
        }
        auto o = std::make_shared<Pgn::Index>();
        o->Add(sText);
        o->Finish();
        return o;
    }();
    return p;
}

// Sorting by a column (range: its number; each time the other way) or narrowing by a text, on
// the list's own thread as the dialog does, until the rows are there. cpu_ms is the process's
// processor time for it (the interface thread waits without using any); wall time grows with
// other work on the machine.
double CpuMs() {
    return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

void Arrange(benchmark::State &state, GameListModel &oModel, const std::function<void()> &ask,
             double &fCpu) {
    QEventLoop oLoop;
    QObject::connect(&oModel, &GameListModel::Arranged, &oLoop, &QEventLoop::quit);
    const double fStart = CpuMs();
    ask();
    if (oModel.Busy())
        oLoop.exec();
    fCpu += CpuMs() - fStart;
    (void)state;
}

void BM_ChooseGameSort(benchmark::State &state) {
    GameListModel oModel(MillionGames(), {});
    int nOrder = 0;
    double fCpu = 0;
    for (auto _ : state)
        Arrange(
            state, oModel,
            [&] {
                oModel.sort(static_cast<int>(state.range(0)),
                            (nOrder++ % 2) == 0 ? Qt::DescendingOrder : Qt::AscendingOrder);
            },
            fCpu);
    state.counters["cpu_ms"] = fCpu / static_cast<double>(state.iterations());
    state.counters["games"] = oModel.rowCount();
    state.SetLabel(
        oModel.headerData(static_cast<int>(state.range(0)), Qt::Horizontal, Qt::DisplayRole)
            .toString()
            .toStdString());
}
BENCHMARK(BM_ChooseGameSort)
    ->Arg(GameListModel::White)
    ->Arg(GameListModel::Date)
    ->Arg(GameListModel::Moves)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_ChooseGameFilter(benchmark::State &state) {
    static const char *const Texts[] = {"player4", "open 17", "zzz", "m\xc3\xbcller"};
    const QString sText = QString::fromUtf8(Texts[state.range(0)]);
    GameListModel oModel(MillionGames(), {});
    double fCpu = 0;
    for (auto _ : state) {
        Arrange(
            state, oModel, [&] { oModel.SetFilter(sText); }, fCpu);
        state.PauseTiming();
        state.counters["shown"] = oModel.rowCount();
        oModel.SetFilter({});
        oModel.Settle();
        state.ResumeTiming();
    }
    state.counters["cpu_ms"] = fCpu / static_cast<double>(state.iterations());
    state.SetLabel(Texts[state.range(0)]);
}
BENCHMARK(BM_ChooseGameFilter)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();

// What a start does with the recovery folder, empty or holding a 100 GB sparse .pgn and a .pgn
// link to /dev/zero (set aside by each sweep, so made again before each).
void BM_RecoverySweep(benchmark::State &state) {
    QTemporaryDir oDir;
    const QString sFolder = oDir.filePath("recovery");
    QDir().mkpath(sFolder);
    for (auto _ : state) {
        state.PauseTiming();
        if (state.range(0) == 1) {
            for (const char *sName : {"/huge.pgn.set-aside", "/zero.pgn.set-aside"})
                QFile::remove(sFolder + sName);
            QFile oHuge(sFolder + "/huge.pgn");
            oHuge.open(QIODevice::WriteOnly);
            oHuge.resize(qint64{100} << 30);
            QFile::link("/dev/zero", sFolder + "/zero.pgn");
        }
        state.ResumeTiming();
        Recovery oRecovery(sFolder);
        QStringList oSetAside;
        benchmark::DoNotOptimize(oRecovery.TakeOrphan(oSetAside));
        state.counters["set_aside"] = static_cast<double>(oSetAside.size());
    }
    state.SetLabel(state.range(0) == 1 ? "100 GB sparse file and a link to /dev/zero"
                                       : "empty folder");
}
BENCHMARK(BM_RecoverySweep)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The same in a whole window's start, until its recovery question would show; with the files,
// the start also shows, once, the box naming them (closed here as soon as it shows).
void BM_StartWithRecoveryFolder(benchmark::State &state) {
    QTemporaryDir oDir;
    const QString sFolder = oDir.filePath("recovery");
    for (auto _ : state) {
        state.PauseTiming();
        QDir(sFolder).removeRecursively();
        QDir().mkpath(sFolder);
        if (state.range(0) == 1) {
            QFile oHuge(sFolder + "/huge.pgn");
            oHuge.open(QIODevice::WriteOnly);
            oHuge.resize(qint64{100} << 30);
            QFile::link("/dev/zero", sFolder + "/zero.pgn");
        }
        state.ResumeTiming();
        frmMain w;
        w.EnableRecovery(sFolder);
        // The offer runs once the window's loop does; the message naming set-aside files is a
        // box, closed as soon as it shows.
        QTimer oClose;
        QObject::connect(&oClose, &QTimer::timeout, [] {
            if (QWidget *pBox = QApplication::activeModalWidget())
                pBox->close();
        });
        oClose.start(1);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    state.SetLabel(state.range(0) == 1 ? "100 GB sparse file and a link to /dev/zero"
                                       : "empty folder");
}
BENCHMARK(BM_StartWithRecoveryFolder)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv) {
    if (argc == 4 && std::strcmp(argv[1], "--write-game") == 0) {
        QCoreApplication app(argc, argv);
        return WriteGame(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3])).isEmpty() ? 1 : 0;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true); // the notation setting is not the user's
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
