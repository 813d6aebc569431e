// The UCI client and Analyse Game against a scripted fake engine (fake_engine.cpp).
#include "GameAnalyser.h"
#include "UciEngine.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

using Limit = UciEngine::Limit;

namespace {

constexpr const char *Start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
// A willing handshake ends every script; a row's own rules come first and win.
constexpr const char *Handshake =
    "on uci\nid name Fake\noption name MultiPV type spin default 1 min 1 max 5\n"
    "option name Hash type spin default 16 min 1 max 64\noption name Threads type spin "
    "default 1 min 1 max 8\nuciok\non isready\nreadyok\n";

// A fake engine's script, named to it through the environment (which Analyse Game passes on),
// and the log of what it was told.
struct Fake {
    QTemporaryDir m_oDir;
    explicit Fake(const std::string &sRules) {
        QFile o(m_oDir.filePath(QStringLiteral("script")));
        EXPECT_TRUE(o.open(QIODevice::WriteOnly) && o.write((sRules + "\n" + Handshake).c_str()));
        qputenv("FAKE_ENGINE_SCRIPT", o.fileName().toLocal8Bit());
        qputenv("FAKE_ENGINE_LOG", m_oDir.filePath(QStringLiteral("log")).toLocal8Bit());
    }
    std::string Log() const {
        QFile o(m_oDir.filePath(QStringLiteral("log")));
        return o.open(QIODevice::ReadOnly) ? o.readAll().toStdString() : std::string();
    }
};

// Everything a client said, written out: "failed: message", or for each result its best move,
// and each line's score (White's view) and moves.
struct Heard {
    std::string s;
    explicit Heard(UciEngine &o) {
        QObject::connect(&o, &UciEngine::BestMove, [this](const UciEngine::Result &x) {
            s.append(x.sBestSan).append(":");
            for (const UciEngine::Line &oLine : x.oLines) {
                const bool bUpper = oLine.oInfo.oScore.eBound == Uci::Score::Bound::Upper;
                s.append(" ").append(Review::EvalText(oLine.oInfo.oScore));
                s.append(bUpper ? "(upper)" : "");
                for (const std::string &sSan : oLine.oSan)
                    s.append(" ").append(sSan);
                s.append(";");
            }
        });
        QObject::connect(&o, &UciEngine::Failed, [this](const QString &sMessage) {
            s += "failed: " + sMessage.toStdString();
        });
    }
};

// Each row searches the position after 1. e4 (Black to move, so every score turns) at 1000
// nodes, or as sHow says: "stop" or "replace" an infinite search once it reports, "movetime", or
// another program. Options the engine lacks are not sent; those it has are held to its range.
TEST(UciEngine, SearchesAndFaults) {
    const std::string Late = "failed: The engine “Fake” did not answer within 1.5 seconds.";
    const std::string Wrong = "failed: The engine “Fake” sent ";
    struct Row {
        std::string sRules, sExpected, sHow = "";
    } const Rows[] = {
        {"on go\ninfo depth 3 score cp 50 lowerbound pv e7e5 g1f3\nbestmove e7e5",
         "e5: -0.5(upper) e5 Nf3;"},
        {"on go\ninfo depth 9 score mate -2 pv f7f6 d2d4\nbestmove f7f6", "f6: #2 f6 d4;"},
        // Two lines asked for, three given.
        {"on go\ninfo depth 1 multipv 1 score cp 30 pv e7e5\ninfo depth 1 multipv 2 score cp 20 "
         "pv c7c5\ninfo depth 1 multipv 3 score cp 1 pv a7a6\nbestmove e7e5",
         "e5: -0.3 e5; -0.2 c5;"},
        // Stopped, the search still answers; a lone best move goes on with the expected reply.
        {"on go infinite\ninfo depth 1 score cp 5 pv e7e5\non stop\nbestmove e7e5 ponder g1f3",
         "e5: -0.05 e5 Nf3;", "stop"},
        // A search replaced says nothing more.
        {"on go infinite\ninfo depth 1 score cp 5 pv e7e5\non stop\ninfo depth 2 score cp 9 pv "
         "g8f6\nbestmove g8f6\non go depth\ninfo depth 1 score cp 7 pv d7d5\nbestmove d7d5",
         "d5: -0.07 d5;", "replace"},
        {"on go\n@long 70000\ninfo depth 1 score cp 8 pv e7e5\nbestmove e7e5", "e5: -0.08 e5;"},
        {"on uci\nhello there\n\x01\xff\nid name Fake\nuciok\non go\ninfo string hi\nbad words\n"
         "bestmove e7e5",
         "e5:"},
        {"on go\n@exit 3", "failed: The engine “Fake” stopped unexpectedly (exit code 3)."},
        {"on isready\n@hang", Late},
        {"on uci\nid name Mute", "failed: The engine “Mute” did not answer within 1.5 seconds."},
        {"on go infinite\ninfo depth 1 score cp 5 pv e7e5\non stop\n@hang", Late, "stop"},
        {"on go movetime\n@hang", Late, "movetime"},
        {"on go\ninfo depth 1 score cp 1 pv e7e5 e7e5\nbestmove e7e5",
         Wrong + "a move that is not legal: e7e5"},
        {"on go\nbestmove e1e8", Wrong + "a move that is not legal: e1e8"},
        {"on go\ninfo depth 1 score cp x pv e7e5",
         Wrong + "something that makes no sense: info depth 1 score cp x pv e7e5"},
        {"",
         "failed: The engine “/nonexistent/engine” could not be started: ", "/nonexistent/engine"},
    };
    for (const Row &r : Rows) {
        SCOPED_TRACE(r.sRules);
        Fake oFake(r.sRules);
        UciEngine o;
        Heard oHeard(o);
        std::size_t nInfos = 0;
        QObject::connect(&o, &UciEngine::Info, [&] { ++nInfos; });
        o.SetMultiPv(2);
        o.SetHash(1000);
        o.SetOption(QStringLiteral("Ponder"), QStringLiteral("true"));
        o.SetAnswerTimeout(1500);
        o.Start(r.sHow.starts_with('/') ? QString::fromStdString(r.sHow)
                                        : QStringLiteral(TAVLON_FAKE_ENGINE));
        const Limit oLimit = r.sHow == "stop" || r.sHow == "replace" ? Limit{}
                             : r.sHow == "movetime" ? Limit{Limit::Kind::MoveTime, 100}
                                                    : Limit{Limit::Kind::Nodes, 1000};
        EXPECT_FALSE(o.Go({Start, {"e2e5"}, oLimit})); // not legal: refused
        ASSERT_TRUE(o.Go({Start, {"e2e4"}, oLimit}));
        if (oLimit.eKind == Limit::Kind::Infinite) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return nInfos > 0; }, 10000));
            if (r.sHow == "stop")
                o.Stop();
            else
                o.Go({Start, {"e2e4"}, {Limit::Kind::Depth, 1}});
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return !oHeard.s.empty(); }, 10000));
        o.SetMultiPv(2);  // as it was: nothing to send
        QTest::qWait(50); // anything more would come now
        // The system's own words for a failed start may differ.
        std::string sHeard = oHeard.s;
        if (const std::size_t n = sHeard.find("started: "); n != std::string::npos)
            sHeard.resize(n + 9);
        EXPECT_EQ(sHeard, r.sExpected);
        EXPECT_EQ(o.IsRunning(), !oHeard.s.starts_with("failed"));
        const std::string sSent = "uci\nsetoption name Hash value 64\nsetoption name MultiPV "
                                  "value 2\nisready\nposition fen " +
                                  std::string(Start) + " moves e2e4\ngo nodes 1000\n";
        // (where the engine declares the options and the search ends well)
        EXPECT_TRUE(!r.sHow.empty() || oHeard.s.starts_with("failed") ||
                    r.sRules.starts_with("on uci") || oFake.Log() == sSent)
            << oFake.Log();
    }
}

// In a Chess960 game castling is the king taking its own rook both ways, sent after the option to
// an engine that offers UCI_Chess960; one without it is refused before the position is sent.
TEST(UciEngine, Chess960) {
    const std::string sRooks = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
    const std::string sUci = "on uci\noption name UCI_Chess960 type check default false\nuciok\n";
    // In Chess960?, the engine offers it?, a move played, the engine's answer, what is heard, and
    // the moves sent.
    const std::tuple<bool, bool, const char *, const char *, const char *, const char *> Rows[] = {
        {true, true, "", "pv e1h1 e8a8\nbestmove e1h1", "O-O: 0.2 O-O O-O-O;", ""},
        {true, true, "e1a1", "pv e8h8 d1d8\nbestmove e8h8", "O-O: -0.2 O-O Rd8;", " moves e1a1"},
        {true, true, "e1g1", "pv e8a8\nbestmove e8a8", "O-O-O: -0.2 O-O-O;", " moves e1h1"},
        {false, true, "", "pv e1g1 e8c8\nbestmove e1g1", "O-O: 0.2 O-O O-O-O;", ""},
        {true, false, "", "bestmove e1h1",
         "failed: The engine “Fake” cannot analyse Chess960: it does not offer the UCI_Chess960 "
         "option.",
         nullptr},
    };
    for (const auto &[b960, bOffers, sMove, sAnswer, sExpected, sSent] : Rows) {
        Fake oFake((bOffers ? sUci : "") + "on go\ninfo depth 2 score cp 20 " + sAnswer);
        UciEngine o;
        Heard oHeard(o);
        o.Start(QStringLiteral(TAVLON_FAKE_ENGINE));
        ASSERT_TRUE(o.Go({sRooks,
                          *sMove ? std::vector<std::string>{sMove} : std::vector<std::string>{},
                          {},
                          b960}));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !oHeard.s.empty(); }, 10000)) << sAnswer;
        EXPECT_EQ(oHeard.s, sExpected);
        const std::string sLog = oFake.Log();
        EXPECT_TRUE(sSent
                        ? sLog.find(std::string(b960 ? "value true\n" : "isready\n") +
                                    "position fen " + sRooks + sSent + "\ngo") != std::string::npos
                        : sLog.find("position") == std::string::npos)
            << sLog;
    }
}

TEST(UciEngine, NoProcessOutlivesItsOwner) {
    Fake oFake("on quit\n@hang");
    qint64 nPid = 0;
    {
        UciEngine o;
        bool bReady = false;
        QObject::connect(&o, &UciEngine::Ready, [&] { bReady = true; });
        o.Start(QStringLiteral(TAVLON_FAKE_ENGINE));
        ASSERT_TRUE(QTest::qWaitFor([&] { return bReady; }, 10000));
        nPid = o.ProcessId();
        ASSERT_GT(nPid, 0);
    }
    EXPECT_NE(::kill(static_cast<pid_t>(nPid), 0), 0);
}

// Fool's mate: 1. f3 e5 2. g4?? Qh4#. The fake answers the four positions before the mate in
// order, from the side to move's view; the mate itself is the rules' to judge.
const std::string FoolsMate = "once go\ninfo depth 5 score cp 30 pv e2e4 e7e5\nbestmove e2e4\n"
                              "once go\ninfo depth 5 score cp 10 pv e7e5\nbestmove e7e5\n"
                              "once go\ninfo depth 5 score cp 200 pv b1c3 d7d5\nbestmove b1c3\n"
                              "once go\ninfo depth 5 score mate 1 pv d8h4\nbestmove d8h4\n";
const std::vector<std::string> FoolsMoves = {"f2f3", "e7e5", "g2g4", "d8h4"};

// An analysis as a PGN would carry it: each move with its annotations.
std::string Written(const Review::GameAnalysis &o) {
    std::string s;
    const auto oNotes = Review::Annotations(o);
    for (std::size_t i = 0; i < oNotes.size(); ++i) {
        const Review::MoveAnnotation &oNote = oNotes[i];
        s.append(o.oMoves[i]).append(oNote.nNag ? " $" : "");
        s.append(oNote.nNag ? std::to_string(oNote.nNag) : "").append(" {").append(oNote.sEval);
        s.append(oNote.sComment.empty() ? "" : " ").append(oNote.sComment).append("} ");
        for (const std::string &sSan : oNote.oVariation)
            s.append(&sSan == &oNote.oVariation.front() ? "(" : " ").append(sSan);
        s.append(oNote.oVariation.empty() ? "" : ") ");
    }
    return s;
}

TEST(GameAnalyser, JudgesAGameAsLichess) {
    Fake oFake(FoolsMate);
    std::vector<int> oProgress;
    QString sError;
    // A node budget keeps to one thread and 16 MB, whatever is asked.
    const auto o = GameAnalyser::Run(
        QStringLiteral(TAVLON_FAKE_ENGINE), Start, FoolsMoves, false,
        {{Limit::Kind::Nodes, 500}, 4, 64},
        [&](int n, int nAll) { oProgress.push_back(n * 10 + nAll); }, &sError);
    ASSERT_TRUE(o) << sError.toStdString();
    EXPECT_EQ(oProgress, (std::vector<int>{15, 25, 35, 55}));
    std::string sExpected = "uci\nsetoption name Hash value 16\nsetoption name MultiPV value 1\n"
                            "setoption name Threads value 1\nisready\n";
    for (const char *sFen : {Start, "rnbqkbnr/pppppppp/8/8/8/5P2/PPPPP1PP/RNBQKBNR b KQkq - 0 1",
                             "rnbqkbnr/pppp1ppp/8/4p3/8/5P2/PPPPP1PP/RNBQKBNR w KQkq e6 0 2",
                             "rnbqkbnr/pppp1ppp/8/4p3/6P1/5P2/PPPPP2P/RNBQKBNR b KQkq g3 0 2"})
        sExpected += "ucinewgame\nisready\nposition fen " + std::string(sFen) + "\ngo nodes 500\n";
    EXPECT_EQ(oFake.Log(), sExpected + "quit\n");
    // f3 loses little; e5 and Qh4# were the engine's own choice, whatever the scores say; the
    // mate needs no evaluation.
    EXPECT_EQ(Written(*o), "f2f3 {[%eval -0.1]} e7e5 {[%eval 2.0]} g2g4 $4 {[%eval #-1] "
                           "Checkmate is now unavoidable. Nc3 was best.} (Nc3 d5) d8h4 {} ");
    EXPECT_EQ(o->oPlayers[0].nBlunders, 1);
    EXPECT_EQ(o->oPlayers[1].nBlunders + o->oPlayers[1].nMistakes, 0);
    EXPECT_LT(*o->oPlayers[0].dAccuracy, *o->oPlayers[1].dAccuracy);
    EXPECT_TRUE(o->bComplete);
}

TEST(GameAnalyser, KeepsWhatWasDone) {
    const std::string sTwo =
        FoolsMate.substr(0, FoolsMate.find("once go", FoolsMate.find("once go", 1) + 1));
    for (const bool bCancel : {false, true}) {
        // The engine dies at the third position, or is cancelled while it searches it.
        Fake oFake(sTwo + (bCancel ? "once go\n" : "once go\n@exit 1"));
        GameAnalyser o;
        o.SetAnswerTimeout(1500);
        QString sFailure;
        bool bFinished = false;
        QObject::connect(&o, &GameAnalyser::Progress, [&](int n) {
            if (bCancel && n == 2)
                o.Cancel();
        });
        QObject::connect(&o, &GameAnalyser::Finished, [&] { bFinished = true; });
        QObject::connect(&o, &GameAnalyser::Failed, [&](const QString &s) { sFailure = s; });
        ASSERT_TRUE(o.Start(QStringLiteral(TAVLON_FAKE_ENGINE), Start, FoolsMoves, false, {}));
        ASSERT_TRUE(QTest::qWaitFor([&] { return bFinished || !sFailure.isEmpty(); }, 10000));
        EXPECT_EQ(bFinished, bCancel) << sFailure.toStdString();
        EXPECT_FALSE(o.IsRunning());
        EXPECT_EQ(Written(o.Result()), "f2f3 {[%eval -0.1]} e7e5 {} g2g4 {} d8h4 {} ");
        EXPECT_FALSE(o.Result().bComplete);
    }
    GameAnalyser o;
    QString sError;
    EXPECT_FALSE(
        o.Start(QStringLiteral(TAVLON_FAKE_ENGINE), Start, {"e2e4", "e2e5"}, false, {}, &sError));
    EXPECT_EQ(sError, QStringLiteral("Move 2 of the game (e2e5) is not legal."));
}

// Analyse Game on a Chess960 game: each position as X-FEN, castling read back as O-O and O-O-O.
TEST(GameAnalyser, Chess960) {
    Fake oFake("on uci\noption name UCI_Chess960 type check default false\nuciok\n"
               "once go\ninfo depth 5 score cp 30 pv e1a1 e8h8\nbestmove e1a1\n"
               "once go\ninfo depth 5 score cp 20 pv e8a8\nbestmove e8a8\n");
    QString sError;
    const auto o = GameAnalyser::Run(QStringLiteral(TAVLON_FAKE_ENGINE),
                                     "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", {"e1h1"}, true,
                                     {{Limit::Kind::Nodes, 500}}, {}, &sError);
    ASSERT_TRUE(o) << sError.toStdString();
    EXPECT_NE(oFake.Log().find("position fen r3k2r/8/8/8/8/8/8/R4RK1 b kq - 1 1\n"),
              std::string::npos);
    EXPECT_EQ(o->oPlies[0].oBestLine, (std::vector<std::string>{"O-O-O", "O-O"}));
    EXPECT_EQ(o->oPlies[1].oBestLine, (std::vector<std::string>{"O-O-O"}));
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication oApp(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
