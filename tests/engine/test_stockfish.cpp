// Against Stockfish, when installed: mates found and named, in Chess960 too, and Analyse Game at a
// node budget giving exactly what the same commands piped to Stockfish by a script give.
#include "GameAnalyser.h"
#include "Notation.h"

#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>
#include <tuple>

#define NEEDS_STOCKFISH(sEngine)                                                                   \
    const QString sEngine = UciEngine::Locate();                                                   \
    if (sEngine.isEmpty())                                                                         \
    GTEST_SKIP() << "needs stockfish on PATH or in /usr/games (Debian package stockfish)"

// Rows: a position, whether it is one of Chess960, and what is heard: the best move as sent,
// the score and the line. In the last, castling (king g1 stays, rook h1 to f1) is the only mate,
// and only in Chess960.
TEST(Stockfish, FindsMatesAndCastlesInChess960) {
    NEEDS_STOCKFISH(sEngine);
    const std::tuple<const char *, bool, const char *> Rows[] = {
        {"r2qkb1r/pp2nppp/3p4/2pNN1B1/2BnP3/3P4/PPP2PPP/R2bK2R w KQkq - 1 1", false,
         "d5f6 #2 Nf6+ gxf6 Bxf7#"},
        {"r1bq2r1/b4pk1/p1pp1p2/1p2pP2/1P2P1PB/3P4/1PPQ2P1/R3K2R w - - 0 1", false,
         "d2h6 #2 Qh6+ Kxh6 Bxf6#"},
        {"6k1/pp4p1/2p5/2bp4/8/P5Pb/1P3rrP/2BRRN1K b - - 0 1", false, "g2g1 #-2 Rg1+ Kxg1 Rxf1#"},
        {"4rk2/R6B/8/8/8/8/8/6KR w K - 0 1", true, "g1h1 #1 O-O#"},
    };
    UciEngine o;
    std::string sHeard;
    QObject::connect(&o, &UciEngine::BestMove, [&](const UciEngine::Result &x) {
        sHeard = x.sBestMove + " " + Review::EvalText(x.oLines.at(0).oInfo.oScore);
        for (const std::string &s : x.oLines[0].oSan)
            sHeard.append(" ").append(s);
    });
    QObject::connect(&o, &UciEngine::Failed, [&](const QString &s) { sHeard = s.toStdString(); });
    o.Start(sEngine);
    for (const auto &[sFen, b960, sExpected] : Rows) {
        sHeard.clear();
        ASSERT_TRUE(o.Go({sFen, {}, {UciEngine::Limit::Kind::Depth, 10}, b960}));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !sHeard.empty(); }, 30000)) << sFen;
        EXPECT_EQ(sHeard, sExpected);
    }
}

TEST(Stockfish, AnalyseGameRepeatsThePipedCommands) {
    NEEDS_STOCKFISH(sEngine);
    const std::vector<std::string> oMoves = {"e2e4", "e7e5", "g1f3", "b8c6", "f1b5", "a7a6",
                                             "b5a4", "g8f6", "e1g1", "f8e7", "f1e1", "b7b5"};
    clsRules oGame;
    QByteArray oFens = QByteArray::fromStdString(oGame.Fen() + '\n');
    for (const std::string &s : oMoves) {
        oGame.PlayMove(Notation::ParseSan(oGame, s));
        oFens += QByteArray::fromStdString(oGame.Fen() + '\n');
    }
    QString sError;
    const auto o = GameAnalyser::Run(sEngine, oGame.StartFen(), oMoves, false,
                                     {{UciEngine::Limit::Kind::Nodes, 20000}}, {}, &sError);
    ASSERT_TRUE(o) << sError.toStdString();
    std::string sOurs;
    for (std::size_t i = 0; i < o->oPlies.size(); ++i) {
        // Back to the side to move's view, as the engine gave it.
        const Uci::Score oScore = Uci::ForWhite(o->oPlies[i].oScore, i % 2 == 0);
        sOurs.append(oScore.eKind == Uci::Score::Kind::Cp ? "cp " : "mate ");
        sOurs.append(std::to_string(oScore.nValue) + " " + o->oPlies[i].sBestMove + "\n");
    }
    QProcess oScript;
    oScript.start(QStringLiteral(TAVLON_UCI_PIPE), {sEngine, QStringLiteral("20000")});
    oScript.write(oFens);
    oScript.closeWriteChannel();
    ASSERT_TRUE(oScript.waitForFinished(60000));
    EXPECT_EQ(sOurs, oScript.readAllStandardOutput().toStdString());
}
