// The moves and their verdicts. Perft and the random games below carry most of the weight; the
// tables hold the positions whose answer the player's road must get exactly right.
#include "Perft.h"
#include "TestRules.h"

#include <gtest/gtest.h>
#include <random>
#include <set>
#include <stdexcept>

using namespace modConsts;

namespace {

clsRules Position(std::string_view sFen) {
    clsRules o;
    o.SetFen(sFen);
    return o;
}

// --- Perft: published leaf counts ---------------------------------------------------------

struct PerftCase {
    const char *sWhy;
    const char *sFen;
    int nDepth;
    std::uint64_t nLeaves;
};

const PerftCase PerftCases[] = {
    {"start", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 4, 197281},
    {"castling and pins", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 3,
     97862},
    {"en passant discovering check", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 4, 43238},
    {"promotions", "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 3, 9467},
    // Chess960, from the published table: castling rooks beside the king, and far from it.
    {"Chess960 king between its rooks",
     "qn1rkrbb/pp1p1ppp/2p1p3/3n4/4P2P/2NP4/PPP2PP1/Q1NRKRBB w FDfd - 1 9", 3, 14769},
    {"Chess960 king beside its rook",
     "bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR w HFhf - 2 9", 3, 12189},
};

class PerftTest : public testing::TestWithParam<PerftCase> {};

TEST_P(PerftTest, CountsPublishedLeavesAndLeavesThePosition) {
    clsRules o = Position(GetParam().sFen);
    const Snapshot oBefore(o);
    EXPECT_EQ(Perft(o, GetParam().nDepth), GetParam().nLeaves);
    EXPECT_EQ(Snapshot(o), oBefore);
}

INSTANTIATE_TEST_SUITE_P(Rules, PerftTest, testing::ValuesIn(PerftCases),
                         WhyName<testing::TestParamInfo<PerftCase>>);

// Random games with random take-backs: every square that changed was reported to the draw hook
// (the board repaints only those), and taking everything back restores the start exactly.
TEST(Property, ChangedSquaresAreReportedAndUndoRestoresTheStart) {
    std::mt19937 oRandom(20261206);
    for (const PerftCase &c : PerftCases) {
        for (int nGame = 0; nGame < 6; ++nGame) {
            clsRules o = Position(c.sFen);
            const Snapshot oStart(o);
            std::set<int> oReported;
            o.SetDrawSquareHook([&](int n) { oReported.insert(n); });
            for (int nStep = 0; nStep < 60; ++nStep) {
                const std::string sBefore = FenSquares(o.Fen());
                MoveList oMoves;
                o.LegalMoves(oMoves);
                oReported.clear();
                // The validator a player's move goes through accepts exactly the moves the
                // generator lists (a promotion once, as a queen): two roads, one answer.
                std::set<std::pair<int, int>> oListed, oAccepted;
                for (const Move &m : oMoves)
                    oListed.emplace(m.nSrc, m.nDest);
                for (int a = 1; a <= 64 && nStep % 10 == 0; ++a)
                    for (int b = 1; b <= 64; ++b)
                        if (o.IsLegal(
                                Move{static_cast<std::int8_t>(a), static_cast<std::int8_t>(b)}) ||
                            o.IsLegal(MoveOf(o, clsRules::SquareToNotation(a) +
                                                    clsRules::SquareToNotation(b) + "q")))
                            oAccepted.emplace(a, b);
                EXPECT_TRUE(nStep % 10 != 0 || oAccepted == oListed) << o.Fen();
                if (oMoves.empty() || (o.UndoCount() > 0 && oRandom() % 5 == 0)) {
                    if (!o.UndoLastMove())
                        break;
                } else {
                    ASSERT_TRUE(o.PlayMove(oMoves[oRandom() % oMoves.size()]));
                }
                const std::string sAfter = FenSquares(o.Fen());
                for (int i = 1; i <= 64; ++i)
                    EXPECT_TRUE(sBefore[std::size_t(i - 1)] == sAfter[std::size_t(i - 1)] ||
                                oReported.count(i))
                        << clsRules::SquareToNotation(i) << " changed unreported";
            }
            while (o.UndoLastMove()) {
            }
            EXPECT_EQ(Snapshot(o), oStart) << c.sWhy << " game " << nGame;
        }
    }
}

// --- The states of a move in progress --------------------------------------------------

TEST(Undo, NothingIsJudgedOrTakenBackOutsideAMove) {
    clsRules o;
    ASSERT_TRUE(PlayMoves(o, "e2e4 f7f6 d1h5"));
    const Snapshot oBefore(o);
    EXPECT_FALSE(o.JudgeMove().bPlayed) << "no move begun: nothing to judge";
    ASSERT_TRUE(o.BeginMove(Sq("g7"), Sq("g6")).bAccepted);
    EXPECT_FALSE(o.UndoLastMove()) << "a begun move is not finished";
    o.AbandonMove();
    EXPECT_EQ(Snapshot(o), oBefore);
    EXPECT_FALSE(Play(o, "a7", "a6")) << "Black must answer the check";
    EXPECT_EQ(Snapshot(o), oBefore);
}

// A search during a promotion's wait must not lose it.
TEST(Verdicts, SearchesKeepAPendingPromotion) {
    clsRules o = Position("4k3/1P6/8/8/8/8/p7/4K3 w - - 0 1");
    ASSERT_TRUE(o.BeginMove(Sq("b7"), Sq("b8")).bPromotionPending);
    EXPECT_FALSE(o.IsStalemate(false, o.BlackKingSquare()));
    EXPECT_EQ(o.PromotionSquare(), Sq("b8"));
    EXPECT_TRUE(o.PromotionChoice(WhiteQueen));
}

// --- Bad input -----------------------------------------------------------------------------

TEST(BadInput, BrokenLayoutsAndSquaresOffTheBoardChangeNothing) {
    std::string sTwoKings(StandardLayout);
    sTwoKings.replace(0, 2, "BK");
    clsRules o;
    ASSERT_TRUE(PlayMoves(o, "e2e4"));
    const Snapshot oBefore(o);
    for (const std::string &sLayout :
         {std::string(), std::string(StandardLayout).substr(2) + "XX" + "XX",
          std::string(StandardLayout).replace(20, 2, "ZZ"), sTwoKings, std::string(128, 'X')})
        EXPECT_THROW(o.NewGame(true, sLayout), std::invalid_argument) << sLayout;
    for (const int n : {0, -1, 65, 1 << 20}) {
        EXPECT_FALSE(o.TryMove(n, 37, false) || o.TryMove(53, n, false));
        EXPECT_FALSE(o.MakeMove(n, 37, true) || o.MoveCastlingRook(true, 64, n));
        EXPECT_FALSE(o.IsSquareAttacked(true, n) || o.IsCheckmate(true, n));
        EXPECT_FALSE(o.IsStalemate(true, n) || o.BeginMove(n, 37).bAccepted);
        std::array<std::int8_t, 32> oDests{};
        EXPECT_EQ(o.CandidateDestinations(n, oDests), 0);
        EXPECT_EQ(clsRules::SquareToNotation(n), "");
    }
    EXPECT_EQ(Snapshot(o), oBefore);
}

// Every string of up to two bytes: exactly the 64 names are squares, and each reads back.
TEST(BadInput, SquareNamesExhaustively) {
    int nSquares = 0;
    for (int a = -1; a < 256; ++a)
        for (int b = -1; b < 256; ++b) {
            std::string s;
            for (const int c : {a, b})
                if (c >= 0)
                    s += static_cast<char>(c);
            const int n = Sq(s);
            nSquares += n != -1;
            EXPECT_TRUE(n == -1 || clsRules::SquareToNotation(n) == s) << s;
        }
    EXPECT_EQ(nSquares, 64);
}

TEST(BadInput, AKingIsNeverCaptured) {
    clsRules o;
    o.NewGame(true, LayoutFromFen("4k3/8/8/8/8/8/8/4RK2")); // Black's king already attacked
    EXPECT_FALSE(Play(o, "e1", "e8"));
    EXPECT_TRUE(o.Square(Sq("e8")).HasPiece);
}

} // namespace
