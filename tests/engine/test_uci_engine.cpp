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
class Fake {
public:
    explicit Fake(const std::string &sRules) {
        QFile o(Path("script"));
        EXPECT_TRUE(o.open(QIODevice::WriteOnly));
        o.write((sRules + "\n" + Handshake).c_str());
        qputenv("FAKE_ENGINE_SCRIPT", Path("script").toLocal8Bit());
        qputenv("FAKE_ENGINE_LOG", Path("log").toLocal8Bit());
    }
    std::string Log() const {
        QFile o(Path("log"));
        return o.open(QIODevice::ReadOnly) ? o.readAll().toStdString() : std::string();
    }

private:
    QString Path(const char *sName) const { return m_oDir.filePath(QLatin1String(sName)); }
    QTemporaryDir m_oDir;
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

} // namespace

TEST(UciEngine, SearchesAndFaults) {
    enum Act { Wait, StopAtInfo, ReplaceAtInfo };
    struct Row {
        const char *sRules;
        const char *sExpected;
        Act eAct = Wait;
        Limit oLimit = {Limit::Kind::Nodes, 1000};
        const char *sFen = Start;
        const char *sProgram = TAVLON_FAKE_ENGINE;
    } const Rows[] = {
        // Scores turn to White's side, bounds with them.
        {"on go\ninfo depth 3 score cp 50 lowerbound pv e7e5 g1f3\nbestmove e7e5",
         "e5: -0.5(upper) e5 Nf3;",
         Wait,
         {},
         "4k3/4p3/8/8/8/8/8/4K1N1 b - - 0 1"},
        {"on go\ninfo depth 9 score mate -2 pv f2f3 e7e5\nbestmove f2f3", "f3: #-2 f3 e5;"},
        // Two lines asked for, three given.
        {"on go\ninfo depth 1 multipv 1 score cp 30 pv e2e4\ninfo depth 1 multipv 2 score cp 20 "
         "pv d2d4\ninfo depth 1 multipv 3 score cp 1 pv a2a3\nbestmove e2e4",
         "e4: 0.3 e4; 0.2 d4;"},
        // Stopped, the search still answers; a lone best move goes on with the expected reply.
        {"on go infinite\ninfo depth 1 score cp 5 pv e2e4\non stop\nbestmove e2e4 ponder e7e5",
         "e4: 0.05 e4 e5;", StopAtInfo},
        // A search replaced says nothing more.
        {"on go infinite\ninfo depth 1 score cp 5 pv e2e4\non stop\ninfo depth 2 score cp 9 pv "
         "g1f3\nbestmove g1f3\non go depth\ninfo depth 1 score cp 7 pv d2d4\nbestmove d2d4",
         "d4: 0.07 d4;", ReplaceAtInfo},
        {"on go\n@long 70000\ninfo depth 1 score cp 8 pv e2e4\nbestmove e2e4", "e4: 0.08 e4;"},
        {"on uci\nhello there\n\x01\xff\nid name Fake\nuciok\non go\ninfo string hi\nbad words\n"
         "bestmove e2e4",
         "e4:"},
        {"on go\n@exit 3", "failed: The engine “Fake” stopped unexpectedly (exit code 3)."},
        {"on isready\n@hang", "failed: The engine “Fake” did not answer within 0.5 seconds."},
        {"on uci\nid name Mute", "failed: The engine “Mute” did not answer within 0.5 seconds."},
        {"on go infinite\ninfo depth 1 score cp 5 pv e2e4\non stop\n@hang",
         "failed: The engine “Fake” did not answer within 0.5 seconds.", StopAtInfo},
        {"on go movetime\n@hang",
         "failed: The engine “Fake” did not answer within 0.5 seconds.",
         Wait,
         {Limit::Kind::MoveTime, 100}},
        {"on go\ninfo depth 1 score cp 1 pv e2e4 e2e4\nbestmove e2e4",
         "failed: The engine “Fake” sent a move that is not legal: e2e4"},
        {"on go\nbestmove e1e8", "failed: The engine “Fake” sent a move that is not legal: e1e8"},
        {"on go\ninfo depth 1 score cp x pv e2e4",
         "failed: The engine “Fake” sent something that makes no sense: info depth 1 score cp x "
         "pv e2e4"},
        {"",
         "failed: The engine “/nonexistent/engine” could not be started: ",
         Wait,
         {},
         Start,
         "/nonexistent/engine"},
        {"",
         "failed: The engine “true” stopped unexpectedly (exit code 0).",
         Wait,
         {},
         Start,
         "/bin/true"},
    };
    for (const Row &r : Rows) {
        SCOPED_TRACE(r.sRules);
        Fake oFake(r.sRules);
        UciEngine o;
        Heard oHeard(o);
        std::size_t nInfos = 0;
        QObject::connect(&o, &UciEngine::Info, [&] { ++nInfos; });
        o.SetMultiPv(2);
        o.SetAnswerTimeout(500);
        o.Start(QString::fromUtf8(r.sProgram));
        ASSERT_TRUE(o.Go({r.sFen, {}, r.eAct == Wait ? r.oLimit : Limit{}}));
        if (r.eAct != Wait) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return nInfos > 0; }, 3000));
            if (r.eAct == StopAtInfo)
                o.Stop();
            else
                o.Go({r.sFen, {}, {Limit::Kind::Depth, 1}});
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return !oHeard.s.empty(); }, 3000));
        QTest::qWait(50); // anything more would come now
        // The system's own words for a failed start may differ.
        std::string sHeard = oHeard.s;
        if (const std::size_t n = sHeard.find("started: "); n != std::string::npos)
            sHeard.resize(n + 9);
        EXPECT_EQ(sHeard, r.sExpected);
        EXPECT_EQ(o.IsRunning(), !oHeard.s.starts_with("failed"));
    }
}

TEST(UciEngine, HandshakeOptionsAndCommands) {
    Fake oFake("on go\nbestmove e7e5");
    UciEngine o;
    Heard oHeard(o);
    bool bReady = false;
    QObject::connect(&o, &UciEngine::Ready, [&] { bReady = true; });
    o.SetHash(1000);                                               // more than the engine allows
    o.SetOption(QStringLiteral("Ponder"), QStringLiteral("true")); // an option it lacks
    o.Start(QStringLiteral(TAVLON_FAKE_ENGINE));
    o.NewGame();
    ASSERT_TRUE(o.Go({Start, {"e2e4"}, {Limit::Kind::Depth, 3}}));
    EXPECT_FALSE(o.Go({Start, {"e2e5"}, {}})); // refused, and the search stays
    ASSERT_TRUE(QTest::qWaitFor([&] { return !oHeard.s.empty(); }, 3000));
    EXPECT_TRUE(bReady);
    EXPECT_EQ(o.Name(), QStringLiteral("Fake"));
    EXPECT_EQ(oHeard.s, "e5:");
    EXPECT_EQ(oFake.Log(), "uci\nsetoption name Hash value 64\nisready\nucinewgame\nisready\n"
                           "position fen " +
                               std::string(Start) + " moves e2e4\ngo depth 3\n");
}

TEST(UciEngine, NoProcessOutlivesItsOwner) {
    Fake oFake("on quit\n@hang");
    qint64 nPid = 0;
    {
        UciEngine o;
        bool bReady = false;
        QObject::connect(&o, &UciEngine::Ready, [&] { bReady = true; });
        o.Start(QStringLiteral(TAVLON_FAKE_ENGINE));
        ASSERT_TRUE(QTest::qWaitFor([&] { return bReady; }, 3000));
        nPid = o.ProcessId();
        ASSERT_GT(nPid, 0);
    }
    EXPECT_NE(::kill(static_cast<pid_t>(nPid), 0), 0);
}

namespace {

// Fool's mate: 1. f3 e5 2. g4?? Qh4#. The fake answers the four positions before the mate in
// order, from the side to move's view; the mate itself is the rules' to judge.
const std::string FoolsMate = "once go\ninfo depth 5 score cp 30 pv e2e4 e7e5\nbestmove e2e4\n"
                              "once go\ninfo depth 5 score cp 10 pv e7e5\nbestmove e7e5\n"
                              "once go\ninfo depth 5 score cp -20 pv b1c3 d7d5\nbestmove b1c3\n"
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

} // namespace

TEST(GameAnalyser, JudgesAGameAsLichess) {
    Fake oFake(FoolsMate);
    std::vector<int> oProgress;
    QString sError;
    // A node budget keeps to one thread and 16 MB, whatever is asked.
    const auto o = GameAnalyser::Run(
        QStringLiteral(TAVLON_FAKE_ENGINE), Start, FoolsMoves, {{Limit::Kind::Nodes, 500}, 4, 64},
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
    // f3 loses little; e5 and Qh4# were the engine's own choice; the mate needs no evaluation.
    EXPECT_EQ(Written(*o), "f2f3 {[%eval -0.1]} e7e5 {[%eval -0.2]} g2g4 $4 {[%eval #-1] "
                           "Checkmate is now unavoidable. Nc3 was best.} (Nc3 d5) d8h4 {} ");
    EXPECT_EQ(o->oPlayers[0].nBlunders, 1);
    EXPECT_EQ(o->oPlayers[1].nBlunders + o->oPlayers[1].nMistakes, 0);
    EXPECT_LT(*o->oPlayers[0].dAccuracy, *o->oPlayers[1].dAccuracy);
    EXPECT_TRUE(o->bComplete);
}

TEST(GameAnalyser, KeepsWhatWasDone) {
    const std::string sTwo =
        FoolsMate.substr(0, FoolsMate.find("once go", FoolsMate.find("once go", 1) + 1));
    struct Row {
        std::string sRules;
        bool bCancel;
    } const Rows[] = {{sTwo + "once go\n@exit 1", false}, {sTwo + "once go\n", true}};
    for (const Row &r : Rows) {
        Fake oFake(r.sRules);
        GameAnalyser o;
        o.SetAnswerTimeout(500);
        QString sFailure;
        bool bFinished = false;
        QObject::connect(&o, &GameAnalyser::Progress, [&](int n) {
            if (r.bCancel && n == 2)
                o.Cancel();
        });
        QObject::connect(&o, &GameAnalyser::Finished, [&] { bFinished = true; });
        QObject::connect(&o, &GameAnalyser::Failed, [&](const QString &s) { sFailure = s; });
        ASSERT_TRUE(o.Start(QStringLiteral(TAVLON_FAKE_ENGINE), Start, FoolsMoves, {}));
        ASSERT_TRUE(QTest::qWaitFor([&] { return bFinished || !sFailure.isEmpty(); }, 3000));
        EXPECT_EQ(bFinished, r.bCancel) << sFailure.toStdString();
        EXPECT_FALSE(o.IsRunning());
        EXPECT_EQ(Written(o.Result()), "f2f3 {[%eval -0.1]} e7e5 {} g2g4 {} d8h4 {} ");
        EXPECT_FALSE(o.Result().bComplete);
    }
    GameAnalyser o;
    QString sError;
    EXPECT_FALSE(o.Start(QStringLiteral(TAVLON_FAKE_ENGINE), Start, {"e2e4", "e2e5"}, {}, &sError));
    EXPECT_EQ(sError, QStringLiteral("Move 2 of the game (e2e5) is not legal."));
}

int main(int argc, char **argv) {
    QCoreApplication oApp(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
