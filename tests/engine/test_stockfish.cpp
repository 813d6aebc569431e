// Against Stockfish, when installed: mates found and named, and Analyse Game at a node budget
// giving exactly what the same commands piped to Stockfish by a script give.
#include "GameAnalyser.h"
#include "Notation.h"
#include "Pgn.h"
#include "UciEngine.h"

#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

#define NEEDS_STOCKFISH(sEngine)                                                                   \
    const QString sEngine = UciEngine::Locate();                                                   \
    if (sEngine.isEmpty())                                                                         \
    GTEST_SKIP() << "needs stockfish on PATH or in /usr/games (Debian package stockfish)"

TEST(Stockfish, FindsMatesInTwo) {
    NEEDS_STOCKFISH(sEngine);
    struct Row {
        const char *sFen, *sSan;
        int nMate; // White's view
    } const Rows[] = {
        {"r2qkb1r/pp2nppp/3p4/2pNN1B1/2BnP3/3P4/PPP2PPP/R2bK2R w KQkq - 1 1", "Nf6+", 2},
        {"r1bq2r1/b4pk1/p1pp1p2/1p2pP2/1P2P1PB/3P4/1PPQ2P1/R3K2R w - - 0 1", "Qh6+", 2},
        {"6k1/pp4p1/2p5/2bp4/8/P5Pb/1P3rrP/2BRRN1K b - - 0 1", "Rg1+", -2},
    };
    UciEngine o;
    std::vector<UciEngine::Result> oResults;
    QString sFailure;
    QObject::connect(&o, &UciEngine::BestMove, [&](const auto &x) { oResults.push_back(x); });
    QObject::connect(&o, &UciEngine::Failed, [&](const QString &s) { sFailure = s; });
    o.Start(sEngine);
    for (const Row &r : Rows) {
        oResults.clear();
        ASSERT_TRUE(o.Go({r.sFen, {}, {UciEngine::Limit::Kind::Depth, 10}}));
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return !oResults.empty() || !sFailure.isEmpty(); }, 30000))
            << r.sFen;
        ASSERT_EQ(sFailure, QString());
        EXPECT_EQ(oResults[0].sBestSan, r.sSan);
        ASSERT_FALSE(oResults[0].oLines.empty());
        EXPECT_EQ(oResults[0].oLines[0].oInfo.oScore,
                  (Uci::Score{Uci::Score::Kind::Mate, Uci::Score::Bound::Exact, r.nMate}));
        EXPECT_EQ(oResults[0].oLines[0].oSan.back().back(), '#') << r.sFen;
    }
}

TEST(Stockfish, AnalyseGameRepeatsThePipedCommands) {
    NEEDS_STOCKFISH(sEngine);
    const std::vector<std::string> oMoves = {"e2e4", "e7e5", "g1f3", "b8c6", "f1b5", "a7a6",
                                             "b5a4", "g8f6", "e1g1", "f8e7", "f1e1", "b7b5"};
    constexpr int nNodes = 20000;
    QString sError;
    const auto o = GameAnalyser::Run(sEngine, std::string(Pgn::StandardFen), oMoves,
                                     {{UciEngine::Limit::Kind::Nodes, nNodes}}, {}, &sError);
    ASSERT_TRUE(o) << sError.toStdString();
    clsRules oGame;
    QByteArray oFens = QByteArray::fromStdString(oGame.Fen() + '\n');
    for (const std::string &s : oMoves) {
        oGame.PlayMove(Notation::ParseSan(oGame, s));
        oFens += QByteArray::fromStdString(oGame.Fen() + '\n');
    }
    QProcess oScript;
    oScript.start(QStringLiteral(TAVLON_UCI_PIPE), {sEngine, QString::number(nNodes)});
    oScript.write(oFens);
    oScript.closeWriteChannel();
    ASSERT_TRUE(oScript.waitForFinished(60000));
    const QList<QByteArray> oLines = oScript.readAllStandardOutput().trimmed().split('\n');
    ASSERT_EQ(static_cast<std::size_t>(oLines.size()), o->oPlies.size());
    for (std::size_t i = 0; i < o->oPlies.size(); ++i) {
        const Review::PlyResult &oPly = o->oPlies[i];
        // Back to the side to move's view, as the engine said it.
        const Uci::Score oScore = Uci::ForWhite(oPly.oScore, (i % 2 == 0));
        const std::string sOurs =
            std::string(oScore.eKind == Uci::Score::Kind::Cp ? "cp " : "mate ") +
            std::to_string(oScore.nValue) + ' ' + oPly.sBestMove;
        EXPECT_EQ(sOurs, oLines[static_cast<qsizetype>(i)].toStdString()) << "position " << i;
    }
}
