#include "TestPositions.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace modConsts;

namespace {

clsRules Position(std::string_view sPlacement, bool bWhiteToMove = true) {
    clsRules o;
    o.NewGame(bWhiteToMove, LayoutFromFen(sPlacement));
    return o;
}

// --- Castling ---------------------------------------------------------------------------

struct CastlingCase {
    const char *sWhy;
    const char *sPlacement;
    const char *sDest;
    bool bAccepted; // by TryMove
    bool bPlayed;   // as a player's move
};

constexpr CastlingCase CastlingCases[] = {
    {"king side, all clear", "4k3/8/8/8/8/8/8/R3K2R", "g1", true, true},
    {"queen side, all clear", "4k3/8/8/8/8/8/8/R3K2R", "c1", true, true},
    {"out of check", "4k3/8/8/8/8/8/8/R3Kr1R", "g1", false, false},
    {"through an attacked square", "4kr2/8/8/8/8/8/8/R3K2R", "g1", false, false},
    {"into check: the player's road refuses it", "4k1r1/8/8/8/8/8/8/R3K2R", "g1", true, false},
    {"queen side: only b1 attacked", "1r2k3/8/8/8/8/8/8/R3K2R", "c1", true, true},
    {"queen side through attacked d1", "3rk3/8/8/8/8/8/8/R3K2R", "c1", false, false},
    {"queen side with b1 occupied", "4k3/8/8/8/8/8/8/RN2K2R", "c1", false, false},
    {"a piece between king and rook", "4k3/8/8/8/8/8/8/R3KB1R", "g1", false, false},
    {"rook missing", "4k3/8/8/8/8/8/8/R3K3", "g1", false, false},
    {"an enemy piece in the rook's corner", "4k3/8/8/8/8/8/8/R3K2n", "g1", false, false},
};

class CastlingTest : public testing::TestWithParam<CastlingCase> {};

TEST_P(CastlingTest, JudgesAndLeavesNoTraceWhenRefused) {
    const CastlingCase &c = GetParam();
    clsRules o = Position(c.sPlacement);
    const Snapshot oBefore(o);
    EXPECT_EQ(o.TryMove(Sq("e1"), Sq(c.sDest), true), c.bAccepted) << c.sWhy;
    EXPECT_EQ(Snapshot(o), oBefore) << "test mode changes nothing";
    EXPECT_EQ(Play(o, "e1", c.sDest), c.bPlayed) << c.sWhy;
    if (!c.bPlayed) {
        EXPECT_EQ(Snapshot(o), oBefore);
        return;
    }
    const bool bKingSide = std::string_view(c.sDest) == "g1";
    EXPECT_EQ(o.WhiteKingSquare(), Sq(c.sDest));
    EXPECT_EQ(o.Square(Sq(bKingSide ? "f1" : "d1")).Piece->Class, WhiteRook);
    EXPECT_EQ(o.UndoInfo(1).MoveType(), bKingSide ? KingSideCastling : QueenSideCastling);
    ASSERT_TRUE(o.UndoLastMove());
    EXPECT_EQ(Snapshot(o), oBefore) << "king and rook home and unmoved again";
    EXPECT_TRUE(o.TryMove(Sq("e1"), Sq(c.sDest), true)) << "castling allowed again after undo";
}

INSTANTIATE_TEST_SUITE_P(Rules, CastlingTest, testing::ValuesIn(CastlingCases));

TEST(Castling, NotAfterKingOrRookHasMovedEvenWhenBackHome) {
    for (const auto &[sFrom, sTo] : {std::pair{"e1", "f1"}, std::pair{"h1", "h2"}}) {
        clsRules o = Position("4k3/p7/8/8/8/8/8/R3K2R");
        ASSERT_TRUE(Play(o, sFrom, sTo));
        ASSERT_TRUE(Play(o, "a7", "a6"));
        ASSERT_TRUE(Play(o, sTo, sFrom));
        ASSERT_TRUE(Play(o, "a6", "a5"));
        EXPECT_FALSE(o.TryMove(Sq("e1"), Sq("g1"), true)) << sFrom;
        // Taking the first trip back makes the piece unmoved again.
        for (int i = 0; i < 4; ++i)
            ASSERT_TRUE(o.UndoLastMove());
        EXPECT_TRUE(o.TryMove(Sq("e1"), Sq("g1"), true)) << sFrom;
    }
}

// --- En passant -------------------------------------------------------------------------

TEST(EnPassant, OnlyOnTheMoveRightAfterTheDoubleStep) {
    clsRules o = Position("4k3/3p4/8/4P3/8/8/P7/4K3");
    ASSERT_TRUE(Play(o, "a2", "a3"));
    ASSERT_TRUE(Play(o, "d7", "d5"));
    EXPECT_TRUE(o.EnPassantPossible());
    EXPECT_EQ(o.EnPassantColumn(), 4);
    const Snapshot oBefore(o);

    std::vector<int> oDrawn;
    o.SetDrawSquareHook([&](int n) { oDrawn.push_back(n); });
    ASSERT_TRUE(Play(o, "e5", "d6"));
    EXPECT_FALSE(o.Square(Sq("d5")).HasPiece) << "the captured pawn leaves the board";
    EXPECT_EQ(o.UndoInfo(o.UndoCount()).MoveType(), EnPassantCapture);
    EXPECT_EQ(o.UndoInfo(o.UndoCount()).DestSquare(), Sq("d5"));
    EXPECT_NE(std::find(oDrawn.begin(), oDrawn.end(), Sq("d5")), oDrawn.end());

    ASSERT_TRUE(o.UndoLastMove());
    EXPECT_EQ(Snapshot(o), oBefore) << "undo puts the pawn back and reopens en passant";

    ASSERT_TRUE(Play(o, "a3", "a4"));
    ASSERT_TRUE(Play(o, "e8", "e7"));
    EXPECT_FALSE(Play(o, "e5", "d6")) << "one move later the chance is gone";
}

TEST(EnPassant, WrongRowOrFileIsRefused) {
    clsRules o = Position("4k3/3p4/8/8/8/4P3/8/4K3", false);
    ASSERT_TRUE(Play(o, "d7", "d5"));
    EXPECT_FALSE(Play(o, "e3", "d4")) << "the capturer must stand beside the pawn";
    EXPECT_FALSE(Play(o, "e3", "f4")) << "no double step on the f-file";
    EXPECT_FALSE(Play(o, "e3", "d2")) << "pawns never move backwards";
}

// --- Promotion --------------------------------------------------------------------------

TEST(Promotion, MarkedOnlyWhenPerformedAndUndoneToAPawn) {
    for (const std::int16_t nClass : {WhiteQueen, WhiteRook, WhiteKnight, WhiteBishop}) {
        clsRules o = Position("1r2k3/P7/8/8/8/8/8/4K3");
        const Snapshot oBefore(o);
        EXPECT_TRUE(o.TryMove(Sq("a7"), Sq("a8"), true));
        EXPECT_FALSE(o.PromotionPending()) << "test mode marks nothing";

        const clsRules::MoveStart oStart = o.BeginMove(Sq("a7"), Sq("b8"));
        ASSERT_TRUE(oStart.bAccepted && oStart.bPromotionPending && oStart.bIsCapture);
        EXPECT_EQ(oStart.nCapturedClass, BlackRook);
        EXPECT_EQ(o.PromotionSquare(), Sq("b8"));
        EXPECT_TRUE(o.PromotionIsWhite());
        EXPECT_FALSE(o.UndoLastMove()) << "a move awaiting its piece cannot be taken back";
        EXPECT_FALSE(o.BeginMove(Sq("e1"), Sq("e2")).bAccepted) << "nor another move begun";
        EXPECT_FALSE(o.PromotionChoice(BlackQueen)) << "the other side's piece is refused";
        EXPECT_FALSE(o.PromotionChoice(WhiteKing));
        EXPECT_FALSE(o.PromotionChoice(WhitePawn));
        EXPECT_EQ(o.Square(Sq("b8")).Piece->Class, WhitePawn) << "a refusal changes nothing";
        ASSERT_TRUE(o.PromotionChoice(nClass));
        EXPECT_EQ(o.UndoInfo(1).MoveType(), PawnPromotion);
        EXPECT_EQ(o.UndoInfo(1).SrcPiece()->Class, WhitePawn) << "the record keeps the pawn";
        ASSERT_TRUE(o.JudgeMove().bPlayed);
        o.PassTurn();
        EXPECT_EQ(o.Square(Sq("b8")).Piece->Class, nClass);
        EXPECT_FALSE(o.PromotionChoice(WhiteQueen)) << "no promotion is pending any more";

        ASSERT_TRUE(o.UndoLastMove());
        EXPECT_EQ(Snapshot(o), oBefore);
    }
}

// --- Undo of every move type ------------------------------------------------------------

struct UndoCase {
    const char *sWhy;
    const char *sPlacement;
    bool bWhiteToMove;
    std::vector<std::pair<const char *, const char *>> oMoves;
};

TEST(Undo, EveryMoveTypeRestoresEverything) {
    const UndoCase Cases[] = {
        {"quiet moves and a capture", "start", true, {{"e2", "e4"}, {"d7", "d5"}, {"e4", "d5"}}},
        {"king steps", "4k3/p7/8/8/8/8/P7/4K3", true, {{"e1", "d2"}, {"e8", "f7"}}},
        {"black castles both ways", "r3k2r/8/8/8/8/8/8/4K3", false, {{"e8", "g8"}}},
        {"black castles queen side", "r3k2r/8/8/8/8/8/8/4K3", false, {{"e8", "c8"}}},
        {"en passant by black", "4k3/8/8/8/1p6/8/P7/4K3", true, {{"a2", "a4"}, {"b4", "a3"}}},
        {"black promotes with capture", "4k3/8/8/8/8/8/1p6/R3K3", false, {{"b2", "a1"}}},
        {"king captures", "4k3/8/8/8/8/8/3q4/4K3", true, {{"e1", "d2"}}},
    };
    for (const UndoCase &c : Cases) {
        clsRules o;
        o.NewGame(c.bWhiteToMove, std::string_view(c.sPlacement) == "start"
                                      ? std::string(StandardLayout)
                                      : LayoutFromFen(c.sPlacement));
        std::vector<Snapshot> oHistory{Snapshot(o)};
        for (const auto &[sFrom, sTo] : c.oMoves) {
            ASSERT_TRUE(Play(o, sFrom, sTo, o.IsWhitesTurn() ? WhiteQueen : BlackKnight))
                << c.sWhy << ": " << sFrom << sTo;
            oHistory.emplace_back(o);
        }
        oHistory.pop_back();
        while (!oHistory.empty()) {
            ASSERT_TRUE(o.UndoLastMove()) << c.sWhy;
            EXPECT_EQ(Snapshot(o), oHistory.back()) << c.sWhy;
            oHistory.pop_back();
        }
        EXPECT_FALSE(o.UndoLastMove()) << "nothing left to take back";
    }
}

TEST(Undo, NothingIsJudgedOrTakenBackOutsideAMove) {
    clsRules o;
    ASSERT_TRUE(Play(o, "e2", "e4"));
    ASSERT_TRUE(Play(o, "f7", "f6"));
    ASSERT_TRUE(Play(o, "d1", "h5")); // Black is in check now
    const Snapshot oBefore(o);
    EXPECT_FALSE(o.JudgeMove().bPlayed) << "no move begun: nothing to judge or take back";
    EXPECT_EQ(Snapshot(o), oBefore);

    ASSERT_TRUE(o.BeginMove(Sq("g7"), Sq("g6")).bAccepted);
    EXPECT_FALSE(o.UndoLastMove()) << "a begun move is not finished";
    o.AbandonMove();
    EXPECT_EQ(Snapshot(o), oBefore);
    EXPECT_TRUE(Play(o, "g7", "g6"));
}

TEST(Undo, ARefusedMoveIntoCheckLeavesNoTrace) {
    clsRules o = Position("4k3/8/8/8/1b6/8/3P4/4K3"); // the d2 pawn is pinned
    const Snapshot oBefore(o);
    clsRules::MoveVerdict oVerdict;
    EXPECT_FALSE(Play(o, "d2", "d3", NoPiece, &oVerdict));
    EXPECT_FALSE(oVerdict.bPlayed);
    EXPECT_EQ(Snapshot(o), oBefore);
}

// --- Checkmate and stalemate ------------------------------------------------------------

struct VerdictCase {
    const char *sWhy;
    const char *sPlacement; // White to move
    const char *sFrom;
    const char *sTo;
    bool bCheck;
    bool bMate;
    bool bStalemate;
};

constexpr VerdictCase VerdictCases[] = {
    {"back-rank mate", "6k1/5ppp/8/8/8/8/8/R3K3", "a1", "a8", true, true, false},
    {"back rank, a bishop can block", "6k1/5ppp/2b5/8/8/8/8/R3K3", "a1", "a8", true, false, false},
    {"the only blocker is pinned: mate", "7k/7p/4N3/4b3/8/8/R7/B3K3", "a2", "a8", true, true,
     false},
    {"only en passant answers the check", "8/8/pp6/k7/2p5/2NN4/1P6/7K", "b2", "b4", true, false,
     false},
    {"the only movable piece is pinned: stalemate", "k7/n7/1K6/8/3B4/8/8/R7", "d4", "e5", false,
     false, true},
    {"blocked pawns only: stalemate", "k7/2Q5/8/p7/P7/8/8/4K3", "e1", "e2", false, false, true},
    {"king with no square, pawn can still move", "k7/8/1Q6/8/8/p7/8/4K3", "e1", "e2", false, false,
     false},
    {"stalemate by a queen", "k7/8/8/1Q6/8/8/8/4K3", "b5", "b6", false, false, true},
    {"double check with a free square", "4k3/3p1p2/8/8/4N3/8/4R3/7K", "e4", "d6", true, false,
     false},
    {"double check, each answerable alone: mate", "3qkb2/3p1pp1/8/8/4N3/8/8/4RK2", "e4", "f6", true,
     true, false},
};

class VerdictTest : public testing::TestWithParam<VerdictCase> {};

TEST_P(VerdictTest, ExactForThePlayerAndForTheSearches) {
    const VerdictCase &c = GetParam();
    clsRules o = Position(c.sPlacement);
    clsRules::MoveVerdict oVerdict;
    ASSERT_TRUE(Play(o, c.sFrom, c.sTo, WhiteQueen, &oVerdict)) << c.sWhy;
    EXPECT_EQ(oVerdict.bOpponentInCheck, c.bCheck) << c.sWhy;
    EXPECT_EQ(oVerdict.bOpponentMated, c.bMate) << c.sWhy;
    EXPECT_EQ(oVerdict.bOpponentStalemated, c.bStalemate) << c.sWhy;

    const Snapshot oBefore(o);
    int nDrawn = 0;
    o.SetDrawSquareHook([&](int) { ++nDrawn; });
    EXPECT_EQ(o.IsCheckmate(false, o.BlackKingSquare()), c.bMate) << c.sWhy;
    EXPECT_EQ(o.IsStalemate(false, o.BlackKingSquare()), c.bStalemate) << c.sWhy;
    EXPECT_EQ(Snapshot(o), oBefore) << "the searches leave everything as they found it";
}

INSTANTIATE_TEST_SUITE_P(Rules, VerdictTest, testing::ValuesIn(VerdictCases));

TEST(Verdicts, SearchesKeepAPendingPromotion) {
    clsRules o = Position("4k3/1P6/8/8/8/8/p7/4K3");
    ASSERT_TRUE(o.BeginMove(Sq("b7"), Sq("b8")).bPromotionPending);
    EXPECT_FALSE(o.IsStalemate(false, o.BlackKingSquare()));
    EXPECT_TRUE(o.PromotionPending());
    EXPECT_EQ(o.PromotionSquare(), Sq("b8"));
    EXPECT_TRUE(o.PromotionChoice(WhiteQueen));
}

// --- Bad input --------------------------------------------------------------------------

TEST(BadInput, NewGameRefusesBrokenLayoutsAndKeepsTheGame) {
    const std::string sGood(StandardLayout);
    std::string sLower = sGood;
    sLower[8] = 'b';
    std::string sUnknown = sGood;
    sUnknown.replace(20, 2, "ZZ");
    std::string sTwoKings = sGood;
    sTwoKings.replace(0, 2, "BK");
    std::string sNoWhiteKing = sGood;
    sNoWhiteKing.replace(120, 2, "XX");
    const std::pair<std::string, std::string> Cases[] = {
        {"", "0 characters"},
        {sGood.substr(0, 127), "127 characters"},
        {sGood + "XX", "130 characters"},
        {sLower, "\"bK\" on square 5 (e8)"},
        {sUnknown, "\"ZZ\" on square 11 (c7)"},
        {sTwoKings, "second black king on square 5 (e8)"},
        {sNoWhiteKing, "no white king"},
        {std::string(128, 'X'), "no white king"},
    };
    clsRules o;
    ASSERT_TRUE(Play(o, "e2", "e4"));
    const Snapshot oBefore(o);
    for (const auto &[sLayout, sReason] : Cases) {
        try {
            o.NewGame(true, sLayout);
            ADD_FAILURE() << "accepted: " << sLayout;
        } catch (const std::invalid_argument &e) {
            EXPECT_NE(std::string(e.what()).find(sReason), std::string::npos) << e.what();
        }
        EXPECT_EQ(Snapshot(o), oBefore);
    }
}

TEST(BadInput, SquareNames) {
    const std::pair<std::string, int> Cases[] = {{"a8", 1},
                                                 {"h8", 8},
                                                 {"a7", 9},
                                                 {"e2", 53},
                                                 {"e4", 37},
                                                 {"a1", 57},
                                                 {"h1", 64},
                                                 {"E2", -1},
                                                 {"e9", -1},
                                                 {"e0", -1},
                                                 {"e", -1},
                                                 {"e22", -1},
                                                 {" e2", -1},
                                                 {"", -1},
                                                 {"i1", -1},
                                                 {"\xc3\xa9"
                                                  "2",
                                                  -1},
                                                 {"2e", -1},
                                                 {std::string("e\0", 2), -1}};
    for (const auto &[sName, nSquare] : Cases)
        EXPECT_EQ(clsRules::NotationToSquare(sName), nSquare) << sName;
    for (int n = 1; n <= 64; ++n)
        EXPECT_EQ(clsRules::NotationToSquare(clsRules::SquareToNotation(n)), n);
    for (const int n : {0, -1, 65, 1000})
        EXPECT_EQ(clsRules::SquareToNotation(n), "");
}

TEST(BadInput, SquaresOffTheBoardAreRefused) {
    clsRules o;
    const Snapshot oBefore(o);
    for (const int n : {0, -1, 65, 1 << 20, -(1 << 20)}) {
        EXPECT_FALSE(o.TryMove(n, 37, false));
        EXPECT_FALSE(o.TryMove(53, n, false));
        EXPECT_FALSE(o.MakeMove(n, 37, true));
        EXPECT_FALSE(o.MakeMove(53, n, true));
        EXPECT_FALSE(o.MoveCastlingRook(true, n, 64));
        EXPECT_FALSE(o.MoveCastlingRook(true, 64, n));
        EXPECT_FALSE(o.IsSquareAttacked(true, n));
        EXPECT_FALSE(o.IsCheckmate(true, n));
        EXPECT_FALSE(o.IsStalemate(true, n));
        EXPECT_FALSE(o.BeginMove(n, 37).bAccepted);
        std::array<std::int8_t, 32> oDests{};
        EXPECT_EQ(o.CandidateDestinations(n, oDests), 0);
    }
    EXPECT_FALSE(o.MoveCastlingRook(true, 64, 64)) << "h1 has no square to its right";
    EXPECT_EQ(Snapshot(o), oBefore);
}

TEST(BadInput, AKingIsNeverCaptured) {
    // Set up with Black's king already attacked and White to move.
    clsRules o = Position("4k3/8/8/8/8/8/8/4RK2");
    EXPECT_FALSE(Play(o, "e1", "e8"));
    EXPECT_TRUE(o.Square(Sq("e8")).HasPiece);
}

} // namespace
