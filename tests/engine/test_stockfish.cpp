// Against Stockfish, when installed: mates found and named, in Chess960 too. (Analyse Game against
// it, at a node budget, is the app's AnalyseCommand.StockfishGivesTheSameEvaluationsDirectly.)
#include "Review.h"
#include "UciEngine.h"

#include <QTest>
#include <gtest/gtest.h>
#include <tuple>

// Rows: a position, whether it is one of Chess960, and what is heard: the best move as sent,
// the score and the line. In the last, castling (king g1 stays, rook h1 to f1) is the only mate,
// and only in Chess960.
TEST(Stockfish, FindsMatesAndCastlesInChess960) {
    const QString sEngine = UciEngine::Locate();
    if (sEngine.isEmpty())
        GTEST_SKIP() << "needs stockfish on PATH or in /usr/games (Debian package stockfish)";
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
