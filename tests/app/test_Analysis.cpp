// Engine analysis in the window, against the scripted fake engine of the engine tests: the pane
// follows the position shown, fair play refuses it while clocks run, faults leave the game as it
// was, and Analyse Game draws its graph.
#include "Analysis.h"
#include "AnalysisPane.h"
#include "EvalBar.h"
#include "EvalGraph.h"
#include "MainWindowTest.h"
#include "Notation.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QThread>
#include <tavlon/BoardRenderer.h>

namespace {

constexpr const char *Handshake =
    "on uci\nid name Fake\noption name MultiPV type spin default 1 min 1 max 5\nuciok\n"
    "on isready\nreadyok\non stop\nbestmove (none)\n";

class AnalysisWindow : public MainWindow {
protected:
    // The engine answers by sRules, then by the handshake; every command it reads is logged.
    void Engine(const std::string &sRules, const QString &sPath = TAVLON_FAKE_ENGINE) {
        QFile o(oDir.filePath("script"));
        ASSERT_TRUE(o.open(QIODevice::WriteOnly) && o.write((sRules + "\n" + Handshake).c_str()));
        qputenv("FAKE_ENGINE_SCRIPT", o.fileName().toLocal8Bit());
        qputenv("FAKE_ENGINE_LOG", oDir.filePath("log").toLocal8Bit());
        QFile::remove(oDir.filePath("log"));
        QSettings().setValue("engine/path", sPath);
        QSettings().setValue("engine/lines", 2);
    }
    std::string Log() { return Read(oDir.filePath("log")).toStdString(); }
    // The log's last search: "e2e4 e7e5" for "position fen START moves e2e4 e7e5", then go.
    std::string LastSearch() {
        const std::string s = Log();
        const std::size_t n = s.rfind("position fen ");
        if (n == std::string::npos || s.find("go infinite", n) == std::string::npos)
            return "none";
        const std::string sLine = s.substr(n, s.find('\n', n) - n);
        const std::size_t nMoves = sLine.find(" moves ");
        return nMoves == std::string::npos ? "" : sLine.substr(nMoves + 7);
    }
    bool WaitFor(const std::function<bool()> &f) { return QTest::qWaitFor(f, 10000); }
    Analysis *analysis() { return w.findChild<Analysis *>(); }
    AnalysisPane *pane() { return Find<AnalysisPane>("AnalysisPane"); }
    std::string Shown() { return pane()->Shown().join(" | ").toStdString(); }
};

// Every position shown is searched with the game's moves up to it, and the scores come from
// White's side whoever is to move.
TEST_F(AnalysisWindow, FollowsThePositionShown) {
    Engine("on go infinite\ninfo depth 7 score cp 31 nodes 900 nps 45000");
    Type("e4");
    Type("e5");
    Type("Nf3");
    w.findChild<QAction *>("mnuViewAnalysis")->trigger();
    ASSERT_TRUE(WaitFor([&] { return LastSearch() == "e2e4 e7e5 g1f3"; })) << Log();
    ASSERT_TRUE(WaitFor([&] { return Shown() == "-0.31 Fake · depth 7 · 45 kN/s"; })) << Shown();
    EXPECT_LT(Find<EvalBar>("EvalBar")->WhiteShare(), 0.5);
    EXPECT_TRUE(Find<EvalBar>("EvalBar")->isVisible());
    const struct {
        const char *sStep, *sSearch, *sShown;
    } Rows[] = {
        {"mnuViewPrevious", "e2e4 e7e5", "+0.31 Fake · depth 7 · 45 kN/s"},
        {"view:0", "", "+0.31 Fake · depth 7 · 45 kN/s"},
        {"view:1", "e2e4", "-0.31 Fake · depth 7 · 45 kN/s"},
        {"mnuViewCurrent|type:d5", "e2e4 e7e5 g1f3 d7d5", "+0.31 Fake · depth 7 · 45 kN/s"},
        {"key:Ctrl+U", "e2e4 e7e5 g1f3", "-0.31 Fake · depth 7 · 45 kN/s"},
    };
    for (const auto &r : Rows) {
        Steps(&w, r.sStep);
        EXPECT_TRUE(WaitFor([&] { return LastSearch() == r.sSearch && Shown() == r.sShown; }))
            << r.sStep << ": " << LastSearch() << " / " << Shown();
    }
    // Minimised, the search rests; shown again, it goes on.
    w.showMinimized();
    ASSERT_TRUE(WaitFor([&] { return Log().ends_with("stop\n"); })) << Log();
    w.showNormal();
    ASSERT_TRUE(WaitFor([&] { return Log().ends_with("go infinite\n"); })) << Log();
    EXPECT_EQ(LastSearch(), "e2e4 e7e5 g1f3");
    Steps(&w, "view:1|type:c5"); // a variation's position: its FEN, not the main line's
    EXPECT_TRUE(WaitFor([&] {
        return Log().ends_with("fen rnbqkbnr/pp1ppppp/8/2p5/4P3/8/PPPP1PPP/RNBQKBNR w KQkq c6 0 2\n"
                               "go infinite\n");
    })) << Log();
    // A mate on the board is the rules' to judge: no search.
    {
        Answerer discard({"Discard", "OK", "OK"});
        Steps(&w, "mnuGameNew|type:f3|type:e5|type:g4|type:Qh4");
    }
    EXPECT_TRUE(WaitFor([&] { return Shown() == "0-1 Checkmate"; })) << Shown();
    EXPECT_NE(LastSearch(), "f2f3 e7e5 g2g4 d8h4");
    EXPECT_TRUE(WaitFor([&] { return Log().ends_with("stop\n"); })) << Log();
    // The pane's own close button ends it as the menu item does.
    Find<QDockWidget>("dockAnalysis")->close();
    EXPECT_FALSE(w.findChild<QAction *>("mnuViewAnalysis")->isChecked());
    EXPECT_EQ(analysis()->Engine(), nullptr);
    w.findChild<QAction *>("mnuViewAnalysis")->trigger();
    Key(Qt::Key_U);
    ASSERT_TRUE(WaitFor([&] {
        return analysis()->Engine() != nullptr && Log().ends_with("go infinite\n") &&
               LastSearch() == "f2f3 e7e5 g2g4";
    }));
    const qint64 nPid = analysis()->Engine()->ProcessId();
    Key(Qt::Key_L);
    EXPECT_EQ(analysis()->Engine(), nullptr);
    EXPECT_FALSE(Find<EvalBar>("EvalBar")->isVisible());
    EXPECT_NE(::kill(static_cast<pid_t>(nPid), 0), 0) << "no engine outlives the pane";
    EXPECT_TRUE(QSettings().value("view/analysis").isValid());
}

// Fair play: nothing runs while the clocks are in play, and the pane says why; the analysis
// starts by itself once the game is over, and stops for the next timed game.
TEST_F(AnalysisWindow, RefusedWhileAClockRuns) {
    Engine("on go infinite\ninfo depth 3 score cp 5");
    qint64 nNow = 1000;
    w.setClockSource([&] { return nNow; });
    w.SetRunTimeControl("180+2");
    Type("e4");
    Key(Qt::Key_L);
    QCoreApplication::processEvents();
    EXPECT_TRUE(pane()->Message().startsWith("Analysis is unavailable while the clocks run"));
    EXPECT_EQ(analysis()->Engine(), nullptr);
    w.findChild<QAction *>("mnuGameAnalyse")->trigger();
    EXPECT_EQ(Status(), "Analysis is unavailable while the clocks run in a game in progress");
    Steps(&w, "key:Ctrl+P"); // paused is still in play
    QCoreApplication::processEvents();
    EXPECT_EQ(analysis()->Engine(), nullptr);
    EXPECT_EQ(Log(), "");
    {
        Answerer answerer({"Yes", "OK"});
        w.findChild<QAction *>("mnuGameBlackResigns")->trigger();
    }
    ASSERT_TRUE(WaitFor([&] { return LastSearch() == "e2e4"; })) << Log();
    EXPECT_EQ(pane()->Message(), "");
    NewGame();
    ASSERT_TRUE(WaitFor([&] { return analysis()->Engine() == nullptr; }));
    EXPECT_FALSE(pane()->Message().isEmpty());
}

// Whatever the engine does wrong is named in the pane; the game goes on untouched, and a
// working engine chosen in the settings takes over.
TEST_F(AnalysisWindow, FaultsNamedAndTheGameUntouched) {
    const struct {
        const char *sRules, *sPath, *sMessage;
    } Rows[] = {
        {"", "/nonexistent/engine", "The engine “/nonexistent/engine” could not be started"},
        {"on go infinite\n@exit 3", "", "The engine “Fake” stopped unexpectedly (exit code 3)."},
        {"on go infinite\ninfo depth 1 score cp 1 pv e7e5", "",
         "The engine “Fake” sent a move that is not legal: e7e5"},
    };
    for (const auto &r : Rows) {
        Engine(r.sRules, *r.sPath ? QString(r.sPath) : QString(TAVLON_FAKE_ENGINE));
        SCOPED_TRACE(r.sMessage);
        Key(Qt::Key_L);
        EXPECT_TRUE(WaitFor([&] { return pane()->Message().startsWith(r.sMessage); }))
            << pane()->Message().toStdString();
        Type("e4");
        Key(Qt::Key_U);
        EXPECT_EQ(Lists(), "|") << "the window stays usable";
        EXPECT_EQ(analysis()->Engine(), nullptr) << "no engine started again after a fault";
        Key(Qt::Key_L);
    }
    // Bounds marked as the engine gives them: the search has not settled them yet.
    Engine("on go infinite\ninfo depth 2 score cp 12 lowerbound pv e2e4 e7e5\ninfo depth 2 "
           "multipv 2 score cp -3 upperbound pv a2a3",
           "/nonexistent/engine");
    Key(Qt::Key_L);
    Answerer settings({"END"});
    settings.onEnd = [] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        dialog->findChild<QLineEdit *>("txtPath")->setText(TAVLON_FAKE_ENGINE);
        dialog->accept();
    };
    w.findChild<QAction *>("mnuAnalysisEngine")->trigger();
    ASSERT_TRUE(WaitFor([&] { return pane()->Message().isEmpty() && LastSearch() == ""; }));
    ASSERT_TRUE(WaitFor([&] { return pane()->Shown().size() == 3; })) << Shown();
    EXPECT_EQ(Shown(), "+0.12≥ Fake · depth 2 | +0.12≥ 1. e4 e5 | -0.03≤ 1. a3");
    // A move of a line shows its position over the window; the game stays as it was.
    emit Find<QLabel>("lblLine1")->linkActivated("1");
    auto *preview = qobject_cast<QFrame *>(QApplication::activePopupWidget());
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->findChild<QLabel *>("lblPreview")->text(), "1. e4 e5");
    EXPECT_EQ(preview->findChild<Board *>("PreviewBoard")->Fen(),
              "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6 0 2");
    preview->close();
    EXPECT_EQ(board->PlyCount(), 0);
}

// A Chess960 game is analysed by an engine that offers UCI_Chess960, its castling shown as O-O and
// previewed; one without the option is refused with the reason, and analyses standard chess again
// once such a game is on the board.
TEST_F(AnalysisWindow, Chess960OnlyWithAnEngineThatKnowsIt) {
    const char *sRooks = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
    const std::string sLines = "+0.20 Fake · depth 3 | +0.20 1. O-O O-O-O";
    for (const bool bOffers : {true, false}) {
        // Castling as each engine would write it.
        Engine(bOffers ? "on uci\nid name Fake\noption name UCI_Chess960 type check default "
                         "false\nuciok\non go infinite\ninfo depth 3 score cp 20 pv e1h1 e8a8"
                       : "on go infinite\ninfo depth 3 score cp 20 pv e1g1 e8c8");
        board->SetFen(sRooks, true);
        Key(Qt::Key_L);
        if (bOffers) {
            ASSERT_TRUE(WaitFor([&] { return Shown() == sLines; })) << Shown();
            emit Find<QLabel>("lblLine1")->linkActivated("0");
            auto *preview = qobject_cast<QFrame *>(QApplication::activePopupWidget());
            ASSERT_NE(preview, nullptr);
            EXPECT_EQ(preview->findChild<Board *>("PreviewBoard")->Fen(),
                      "r3k2r/8/8/8/8/8/8/R4RK1 b kq - 1 1");
            preview->close();
        } else {
            ASSERT_TRUE(WaitFor([&] { return pane()->Message().contains("UCI_Chess960"); }));
            EXPECT_EQ(Log().find("position"), std::string::npos);
            board->SetFen(sRooks);
            ASSERT_TRUE(WaitFor([&] { return Shown() == sLines; })) << Shown();
        }
        Key(Qt::Key_L);
    }
}

// Analyse Game on Fool's mate: the graph has a point for each position, the blunder marked, the
// counts beside it; a click on the graph shows that position.
TEST_F(AnalysisWindow, AnalyseGameDrawsTheGraph) {
    Engine("once go nodes\ninfo depth 5 score cp 30 pv e2e4 e7e5\nbestmove e2e4\n"
           "once go nodes\ninfo depth 5 score cp 10 pv e7e5\nbestmove e7e5\n"
           "once go nodes\ninfo depth 5 score cp 200 pv b1c3 d7d5\nbestmove b1c3\n"
           "once go nodes\ninfo depth 5 score mate 1 pv d8h4\nbestmove d8h4\n");
    Steps(&w, "type:f3|type:e5|type:g4");
    Answerer answerer({"OK", "Analyse"});
    Type("Qh4");
    w.findChild<QAction *>("mnuGameAnalyse")->trigger();
    const auto &oPoints = pane()->Graph()->Points();
    ASSERT_EQ(oPoints.size(), 5u);
    std::string sMarks;
    for (const EvalGraph::Point &o : oPoints)
        sMarks += std::to_string(static_cast<int>(o.eJudgement));
    EXPECT_EQ(sMarks, "00030") << "2. g4 the blunder";
    EXPECT_EQ(oPoints[3].sLabel, "2. g4 #-1");
    // The game gets it too.
    EXPECT_TRUE(board->Pgn().replace('\n', ' ').contains(
        "1. f3 {[%eval -0.10]} 1... e5 {[%eval 2.00]} 2. g4 $4 {Checkmate is now unavoidable. "
        "Nc3 was best. [%eval #-1]} (2. Nc3 d5) 2... Qh4# 0-1"))
        << board->Pgn().toStdString();
    QString sSummary = Find<QLabel>("lblSummary")->text(); // a row a line, | after each cell
    sSummary.replace("</td>", "|").replace("</tr>", "\n").remove("&nbsp;");
    EXPECT_EQ(sSummary.remove(QRegularExpression("<[^>]*>")).toStdString(),
              "|White|Black|\nInaccuracies|0|0|\nMistakes|0|0|\nBlunders|1|0|\n"
              "Accuracy|11%|54%|\n");
    EvalGraph *graph = pane()->Graph();
    EXPECT_FALSE(graph->isVisible()) << "the pane is closed";
    Key(Qt::Key_L);
    QTest::mouseClick(graph, Qt::LeftButton, {}, QPoint(graph->width() / 2, 10));
    EXPECT_EQ(board->ViewedPly(), 2);
    EXPECT_EQ(graph->ShownPly(), 2);
    Key(Qt::Key_U);
    EXPECT_EQ(pane()->Graph()->Points().size(), 4u) << "the graph keeps the moves still played";
    Answerer again({"OK"});
    Type("Qh4");
    EXPECT_EQ(pane()->Graph()->Points().size(), 5u) << "and the rest, once played again";
}

// An engine line goes into the game beside the move played, not in its place, once.
TEST_F(AnalysisWindow, AddLineAsVariation) {
    Engine("on go infinite\ninfo depth 9 multipv 1 score cp 20 pv c7c5 g1f3\n");
    Steps(&w, "type:e4|type:e5");
    w.findChild<QAction *>("mnuViewAnalysis")->trigger();
    Steps(&w, "view:1");
    ASSERT_TRUE(WaitFor([&] { return Shown().find("1... c5 2. Nf3") != std::string::npos; }))
        << Shown();
    for (int i = 0; i < 2; ++i)
        w.findChild<QAction *>("mnuAnalysisAddLine1")->trigger();
    EXPECT_EQ(board->PlyCount(), 2);
    EXPECT_EQ(board->ViewedPly(), 1);
    EXPECT_TRUE(board->Pgn().contains("1. e4 e5 (1... c5 2. Nf3) *")) << board->Pgn().toStdString();
    EXPECT_EQ(board->Pgn().count("c5"), 1);
    EXPECT_EQ(Status(), "The line is in the game as a variation");
}

// tavlon --analyse: every game of a file, annotated on standard output; the file untouched, and
// each fault named with a status a script can read.
TEST_F(AnalysisWindow, AnalyseFromTheCommandLine) {
    Engine("once go nodes\ninfo depth 5 score cp 30 pv e2e4 e7e5\nbestmove e2e4\n"
           "once go nodes\ninfo depth 5 score cp 10 pv e7e5\nbestmove e7e5\n"
           "once go nodes\ninfo depth 5 score cp 200 pv b1c3 d7d5\nbestmove b1c3\n"
           "once go nodes\ninfo depth 5 score mate 1 pv d8h4\nbestmove d8h4\n"
           "on go depth\n@exit 3\n");
    const QByteArray oGames = "[Event \"One\"]\n\n1. f3 e5 {mine} 2. g4 Qh4# 0-1\n\n"
                              "[Event \"Two\"]\n\n1. f3 e5 2. g4 Qh4# 0-1\n";
    for (const auto &[sName, oText] :
         {std::pair{"games.pgn", oGames}, {"bad.pgn", oGames + "\n1. e4 e5 2. Ke3 *\n"}}) {
        QFile o(oDir.filePath(sName));
        ASSERT_TRUE(o.open(QIODevice::WriteOnly) && o.write(oText) == oText.size());
    }
    // The comment stays beside the evaluation in the first game.
    const std::string sGame = "[%eval 2.00]} 2. g4 $4 {Checkmate is now unavoidable. Nc3 was "
                              "best. [%eval #-1]} (2. Nc3 d5) 2... Qh4# 0-1";
    const struct {
        const char *sArgs;
        int nStatus;
        const char *sSays; // on standard error
        int nGames;        // written to standard output
    } Rows[] = {
        {"games.pgn --nodes 500", 0, "analysing game 2 of 2", 2},
        {"bad.pgn", 1, "game 3 of bad.pgn cannot be read: move 2 (Ke3)", 0},
        {"missing.pgn", 1, "cannot read missing.pgn: no such file", 0},
        {"games.pgn --depth 3", 1, "game 1 of games.pgn: The engine “Fake” stopped", 0},
        {"games.pgn --nodes 5 --depth 3", 2, "cannot go together", 0},
        {"games.pgn --depth 100", 2, "bad depth \"100\"", 0},
        {"games.pgn --export games.pgn --to x.png", 2, "cannot go together", 0},
        {"games.pgn --engine no-such-engine", 1, "“no-such-engine” could not be started", 0},
    };
    for (const auto &r : Rows) {
        QProcess p;
        p.setWorkingDirectory(oDir.path());
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.remove("DISPLAY");
        e.remove("QT_QPA_PLATFORM");
        p.setProcessEnvironment(e);
        // The fake engine unless a row names another (the last --engine counts).
        p.start(TAVLON_EXE, QStringList{"--engine", TAVLON_FAKE_ENGINE, "--analyse"} +
                                QString(r.sArgs).split(' '));
        ASSERT_TRUE(p.waitForFinished(60000));
        const std::string sSaid = p.readAllStandardError().toStdString();
        SCOPED_TRACE(r.sArgs);
        const QString sOut = QString::fromUtf8(p.readAllStandardOutput()).replace('\n', ' ');
        EXPECT_EQ(p.exitCode(), r.nStatus) << r.sArgs << ": " << sSaid;
        EXPECT_NE(sSaid.find(r.sSays), std::string::npos) << r.sArgs << ": " << sSaid;
        EXPECT_EQ(sOut.count(QString::fromStdString(sGame)), r.nGames) << sOut.toStdString();
        EXPECT_EQ(sOut.count("1... e5 {mine [%eval 2.00]}"), r.nGames > 0 ? 1 : 0);
    }
    EXPECT_EQ(Read(oDir.filePath("games.pgn")), oGames);
    EXPECT_EQ(Read(oDir.filePath("bad.pgn")), oGames + "\n1. e4 e5 2. Ke3 *\n");
}

// Against Stockfish, when installed: --analyse at a node budget writes the evaluations that the
// same commands piped to Stockfish by a script give.
TEST(AnalyseCommand, StockfishGivesTheSameEvaluationsDirectly) {
    const QString sEngine = UciEngine::Locate();
    if (sEngine.isEmpty())
        GTEST_SKIP() << "needs stockfish on PATH or in /usr/games (Debian package stockfish)";
    const char *Moves[] = {"e4", "e5", "Nf3", "Nc6", "Bb5", "a6", "Ba4", "Nf6", "O-O", "Be7"};
    clsRules oGame;
    QByteArray oFens;
    QString sMovetext;
    for (const char *s : Moves) {
        sMovetext += QString::fromLatin1(s) + ' ';
        oGame.PlayMove(Notation::ParseSan(oGame, s));
        oFens += QByteArray::fromStdString(oGame.Fen() + '\n');
    }
    QTemporaryDir oDir;
    QFile oFile(oDir.filePath("ruy.pgn"));
    ASSERT_TRUE(oFile.open(QIODevice::WriteOnly) && oFile.write(sMovetext.toUtf8() + "*\n") > 0);
    oFile.close();
    QProcess oOurs;
    oOurs.start(TAVLON_EXE,
                {"--analyse", oFile.fileName(), "--nodes", "20000", "--engine", sEngine});
    ASSERT_TRUE(oOurs.waitForFinished(120000));
    ASSERT_EQ(oOurs.exitCode(), 0) << oOurs.readAllStandardError().toStdString();
    QStringList oWritten;
    const QRegularExpression oEval(QStringLiteral("\\[%eval ([^\\]]*)\\]"));
    for (auto it = oEval.globalMatch(QString::fromUtf8(oOurs.readAllStandardOutput()));
         it.hasNext();)
        oWritten << it.next().captured(1);
    QProcess oScript;
    oScript.start(QStringLiteral(TAVLON_UCI_PIPE), {sEngine, QStringLiteral("20000")});
    oScript.write(oFens);
    oScript.closeWriteChannel();
    ASSERT_TRUE(oScript.waitForFinished(120000));
    // "cp 31 e2e4" from the side to move, after each move: White's view as [%eval] writes it.
    QStringList oDirect;
    const QStringList oLines = QString::fromUtf8(oScript.readAllStandardOutput()).split('\n');
    for (qsizetype i = 0; i < oLines.size() && !oLines[i].isEmpty(); ++i) {
        const QStringList o = oLines[i].split(' ');
        const int n = o.value(1).toInt() * (i % 2 == 0 ? -1 : 1); // Black moves after White's
        oDirect << (o.value(0) == "mate" ? QStringLiteral("#%1").arg(n)
                                         : QString::asprintf("%s%d.%02d", n < 0 ? "-" : "",
                                                             std::abs(n) / 100, std::abs(n) % 100));
    }
    EXPECT_EQ(oWritten.size(), 10);
    EXPECT_EQ(oWritten, oDirect);
}

} // namespace

namespace {

// The bar stands left of the board without covering it, at the smallest window too, with or
// without the lists; the window grows by it and by the pane, and shrinks back when it goes.
TEST_F(AnalysisWindow, BarBesideTheBoardAndTheWindowGrowsByThePane) {
    Engine("");
    auto *bar = Find<EvalBar>("EvalBar");
    for (const bool bLists : {false, true}) {
        SCOPED_TRACE(bLists);
        if (bLists)
            Key(Qt::Key_H);
        const QSize oBefore = w.size();
        const int nSide = board->width();
        Key(Qt::Key_L);
        QCoreApplication::processEvents();
        EXPECT_EQ(board->width(), nSide) << "the board keeps its size";
        EXPECT_LE(bar->geometry().right(), board->x());
        EXPECT_GE(bar->x(), 0);
        EXPECT_EQ(bar->height(), board->height());
        EXPECT_GT(w.height(), oBefore.height());
        Key(Qt::Key_L);
        QCoreApplication::processEvents();
        EXPECT_EQ(w.size(), oBefore);
    }
}

// White's share of the bar by Lichess's winning chances, painted on White's side of the board.
TEST_F(AnalysisWindow, BarSplitsByWinningChances) {
    EvalBar bar;
    bar.resize(EvalBar::Width, 200);
    const struct {
        Uci::Score o;
        bool bWhiteBelow;
        double dShare;
    } Rows[] = {
        {{Uci::Score::Kind::Cp, {}, 0}, true, 0.5},
        {{Uci::Score::Kind::Cp, {}, 300}, true, 0.7511},
        {{Uci::Score::Kind::Cp, {}, 300}, false, 0.7511},
        {{Uci::Score::Kind::Cp, {}, -1800}, true, 0.0245}, // held to 10 pawns
        {{Uci::Score::Kind::Mate, {}, -2}, false, 0.0009},
        {{Uci::Score::Kind::Mated, {}, 1}, true, 1},
    };
    for (const auto &r : Rows) {
        bar.SetScore(r.o);
        bar.SetWhiteBelow(r.bWhiteBelow);
        EXPECT_NEAR(bar.WhiteShare(), r.dShare, 1e-4);
        // Light well inside White's part, dark well inside Black's, White's at White's side.
        const QImage oImage = bar.grab().toImage();
        const auto Light = [&](int y) {
            return qGray(oImage.pixel(qRound(bar.devicePixelRatio() * 7),
                                      qRound(bar.devicePixelRatio() * y))) > 200;
        };
        const int nWhite = qRound(200 * r.dShare);
        const int nEdge = r.bWhiteBelow ? 200 - nWhite : nWhite;
        if (nWhite > 6) {
            EXPECT_TRUE(Light(r.bWhiteBelow ? nEdge + 3 : nEdge - 3)) << r.dShare;
        }
        if (nWhite < 194) {
            EXPECT_FALSE(Light(r.bWhiteBelow ? nEdge - 3 : nEdge + 3)) << r.dShare;
        }
    }
}

// The engine's lines reach the pane at once, then at most ten times a second: a burst of
// reports shows its last one a moment later. The number of lines and the arrow are options.
TEST_F(AnalysisWindow, LinesThrottledLineCountAndArrow) {
    std::string sRules = "on go infinite\n";
    for (int n = 1; n <= 40; ++n)
        sRules += "info depth " + std::to_string(n) + " score cp " + std::to_string(n) +
                  " pv e2e4 e7e5\n";
    sRules += "info depth 40 multipv 2 score cp -5 pv d2d4\n";
    Engine(sRules);
    Key(Qt::Key_L);
    ASSERT_TRUE(WaitFor([&] { return !pane()->Shown().front().startsWith("…"); }));
    const std::string sFirst = Shown();
    ASSERT_TRUE(WaitFor([&] { return pane()->Shown().size() == 3; })) << Shown();
    EXPECT_EQ(Shown(), "+0.40 Fake · depth 40 | +0.40 1. e4 e5 | -0.05 1. d4");
    EXPECT_NE(sFirst, Shown()) << "the first report shows before the burst is over";
    EXPECT_EQ(analysis()->ArrowMove(), "");
    w.findChild<QAction *>("mnuAnalysisArrow")->trigger();
    EXPECT_EQ(analysis()->ArrowMove(), "e2e4");
    ASSERT_EQ(board->OverlayShapes().size(), 1);
    EXPECT_EQ(board->OverlayShapes()[0].sFrom + board->OverlayShapes()[0].sTo, "e2e4");
    EXPECT_TRUE(board->NodeShapes(board->ShownNode()).isEmpty()) << "not the game's";
    w.findChild<QAction *>("mnuAnalysisLines3")->trigger();
    ASSERT_TRUE(WaitFor([&] {
        return Log().ends_with("stop\nsetoption name MultiPV value 3\nposition fen " +
                               std::string(Start) + " w KQkq - 0 1\ngo infinite\n");
    })) << Log();
    EXPECT_EQ(QSettings().value("engine/lines").toInt(), 3);
    EXPECT_TRUE(QSettings().value("view/analysisArrow").toBool());
    Key(Qt::Key_L); // the pane closed, its arrow goes
    EXPECT_TRUE(board->OverlayShapes().isEmpty());
}

// Each budget reaches the engine as chosen and is remembered; Cancel keeps the positions done;
// a failing engine is named in the dialog, and the game gets nothing.
TEST_F(AnalysisWindow, AnalyseGameBudgetsCancelAndFailure) {
    const struct {
        const char *sKind, *sValue, *sGo;
    } Budgets[] = {{"Depth", "12", "go depth 12"},
                   {"Time per position", "1.5", "go movetime 1500"},
                   {"Nodes", "5000", "go nodes 5000"}};
    Type("e4");
    for (const auto &b : Budgets) {
        Engine("on go\ninfo depth 1 score cp 3\nbestmove (none)");
        Answerer answerer({"END"});
        answerer.onEnd = [&] {
            auto *dialog = QApplication::activeModalWidget();
            auto *kind = dialog->findChild<QComboBox *>("cboKind");
            kind->setCurrentIndex(kind->findText(b.sKind, Qt::MatchStartsWith));
            auto *spin = qobject_cast<QAbstractSpinBox *>(
                dialog->findChild<QStackedWidget *>()->currentWidget());
            spin->findChild<QLineEdit *>()->setText(b.sValue);
            spin->interpretText();
            dialog->findChild<QPushButton *>("cmdStart")->click();
        };
        w.findChild<QAction *>("mnuGameAnalyse")->trigger();
        QStringList oGo =
            QString::fromStdString(Log()).split('\n').filter(QRegularExpression("^go"));
        EXPECT_EQ(oGo, QStringList({b.sGo, b.sGo})) << Log();
        EXPECT_EQ(pane()->Graph()->Points().size(), 2u);
    }
    EXPECT_EQ(QSettings().value("analysis/moveTime").toInt(), 1500);
    for (const bool bCancel : {true, false}) {
        Engine(std::string("once go\ninfo depth 1 score cp 3 pv e2e4\nbestmove e2e4\non go\n") +
               (bCancel ? "" : "@exit 2"));
        Answerer answerer({"END"});
        QString sStatus;
        answerer.onEnd = [&] {
            auto *dialog = QApplication::activeModalWidget();
            dialog->findChild<QPushButton *>("cmdStart")->click();
            auto *status = dialog->findChild<QLabel *>("lblStatus");
            EXPECT_TRUE(QTest::qWaitFor(
                [&] { return status->text().startsWith(bCancel ? "Position 1" : "The"); }));
            sStatus = status->text();
            QTest::keyClick(dialog, Qt::Key_Escape);
            if (!bCancel)
                QTest::keyClick(dialog, Qt::Key_Escape);
        };
        w.findChild<QAction *>("mnuGameAnalyse")->trigger();
        // Cancelled before the second position; then failing there, which changes nothing.
        ASSERT_EQ(pane()->Graph()->Points().size(), 2u);
        EXPECT_TRUE(pane()->Graph()->Points()[0].bKnown);
        EXPECT_FALSE(pane()->Graph()->Points()[1].bKnown);
        if (!bCancel) {
            EXPECT_EQ(sStatus, "The engine “Fake” stopped unexpectedly (exit code 2).");
        }
    }
}

} // namespace

namespace {

// A game from a position with Black to move: the graph's labels number the moves as the game
// does. Settings stored out of range come back within it.
TEST_F(AnalysisWindow, GraphLabelsFromBlackToMoveAndSettingsHeld) {
    Engine("on go nodes\ninfo depth 3 score cp 20\nbestmove (none)");
    ASSERT_TRUE(
        w.OpenFile(Write("black.pgn", "[FEN \"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR "
                                      "b KQkq - 0 12\"]\n[SetUp \"1\"]\n\n12... e5 "
                                      "13. Nf3 *\n")));
    Answerer answerer({"Analyse"});
    w.findChild<QAction *>("mnuGameAnalyse")->trigger();
    QStringList oLabels;
    for (const EvalGraph::Point &o : pane()->Graph()->Points())
        oLabels << o.sLabel;
    EXPECT_EQ(oLabels, QStringList({"Start: -0.20", "12... e5 +0.20", "13. Nf3 -0.20"}));
    const struct {
        int nThreads, nHash, nLines;
        EngineSettings oExpected;
    } Rows[] = {{0, 0, 0, {{}, 1, 1, 1}}, {1 << 20, 64, 9, {{}, 0, 64, 5}}};
    for (const auto &r : Rows) {
        QSettings().setValue("engine/threads", r.nThreads);
        QSettings().setValue("engine/hash", r.nHash);
        QSettings().setValue("engine/lines", r.nLines);
        EngineSettings o = EngineSettings::Load();
        EXPECT_EQ(o.nThreads, r.oExpected.nThreads ? r.oExpected.nThreads
                                                   : std::max(1, QThread::idealThreadCount()));
        EXPECT_EQ(o.nHashMb, r.oExpected.nHashMb);
        EXPECT_EQ(o.nLines, r.oExpected.nLines);
    }
}

} // namespace

namespace {

// A judged move is marked on the graph in its colour; an unsearched one leaves a gap, unmarked.
TEST(EvalGraphMarks, OnlySearchedJudgedMovesAreMarked) {
    for (const bool bKnown : {true, false}) {
        EvalGraph graph;
        graph.resize(200, 80);
        using J = Review::Judgement;
        graph.SetPoints({{true, 0.3, J::None, "start"},
                         {bKnown, -4, J::Blunder, "1... g5 -4.00"},
                         {true, -4, J::None, "2. Qh5"}});
        const QImage o = graph.grab().toImage();
        int nMarked = 0;
        for (int y = 0; y < o.height(); ++y)
            for (int x = 0; x < o.width(); ++x)
                nMarked += o.pixelColor(x, y) == QColor(223, 83, 83) ? 1 : 0;
        EXPECT_EQ(nMarked > 0, bKnown) << nMarked;
    }
}

} // namespace
