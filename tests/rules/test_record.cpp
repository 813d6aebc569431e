// FEN in and out, the game record across undo, and the FIDE ends of the game.
#include "TestRules.h"

#include <gtest/gtest.h>
#include <stdexcept>

using End = clsRules::GameEnd;

namespace {

TEST(Fen, RoundTripsAndRefusalsThatChangeNothing) {
    for (const char *sFen :
         {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R b Kq - 7 40",
          "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3",
          "4k3/8/8/8/3Pp3/8/8/4K2R b K d3 0 1", "4k3/8/8/8/8/8/8/4K3 w - - 0 2147483647"}) {
        clsRules o;
        o.SetFen(sFen);
        EXPECT_EQ(o.Fen(), sFen);
        EXPECT_EQ(o.StartFen(), sFen);
    }
    const std::pair<const char *, const char *> Refused[] = {
        {"rnbqkbnr/pppppppp/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "7 ranks"},
        {"rnbqkbnr/ppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "rank 7 has 7 files"},
        {"rnbqkbnr/pppppppp/9/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "unknown letter \"9\""},
        {"rnbqkbnr/pppppppp/8/17/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "in a row in rank 5"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQ1BNR w kq - 0 1", "white has 0 kings"},
        {"4k2P/8/8/8/8/8/8/4K3 w - - 0 1", "a white pawn on rank 8"},
        {"4k3/8/8/8/8/8/8/4K2R w Q - 0 1", "right Q without a white rook on the queen's side"},
        {"4k3/8/8/8/8/8/8/4K2R w KK - 0 1", "gives white two rights on the king's side"},
        {"4k3/8/8/8/8/8/8/4K2R w Kx - 0 1", "not a set of KQkq"},
        {"4k3/8/8/8/4P3/8/8/4K3 b - e4 0 1", "not on rank 3"},
        {"4k3/8/8/8/4P3/8/8/4K3 b - d3 0 1", "not behind a pawn"},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 0", "fullmove number \"0\""},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1 1.", "7 fields, not 6: \"1.\" follows the fullmove"},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 2147483648", "fullmove number \"2147483648\""},
        {"4k3/8/8/8/8/8/8/4K3 \x01\x7Fzzzzzzzzzzzzzzzzzzzzzz - - 0 1",
         "side to move \"\\x01\\x7Fzzzzzzzzzzzzzzzzzz\u2026\" is"},
        {"4k3/8/8/8/8/8/8/4R1K1 w - - 0 1", "side not to move (Black) is in check"},
    };
    clsRules o;
    ASSERT_TRUE(PlayMoves(o, "e2e4 c7c5"));
    const std::string sBefore = o.Fen();
    for (const auto &[sFen, sCause] : Refused) {
        EXPECT_NE(clsRules::FenError(sFen).find(sCause), std::string::npos)
            << sFen << ": " << clsRules::FenError(sFen);
        EXPECT_THROW(o.SetFen(sFen), std::invalid_argument) << sFen;
        EXPECT_EQ(o.Fen(), sBefore);
        EXPECT_EQ(o.Record().size(), 2u);
    }
    o.SetFen("4k3/8/8/8/8/8/8/R3K2R\tw \t Q\t-");
    EXPECT_EQ(o.Fen(), "4k3/8/8/8/8/8/8/R3K2R w Q - 0 1") << "counters may be left out";
    EXPECT_FALSE(o.TryMove(Sq("e1"), Sq("g1"), true)) << "no K right: the h1 rook has moved";
    EXPECT_TRUE(o.TryMove(Sq("e1"), Sq("c1"), true));
    // Move numbers count on past six digits and read back; at the largest they stop.
    for (const auto &[sFrom, sAfter] :
         {std::pair{"999999", "1000000"}, {"2147483647", "2147483647"}}) {
        o.SetFen(std::string("4k3/8/8/8/8/8/8/R3K3 b - - 0 ") + sFrom);
        ASSERT_TRUE(PlayMoves(o, "e8d8 e1e2"));
        EXPECT_TRUE(o.Fen().ends_with(sAfter)) << o.Fen();
        EXPECT_EQ(clsRules::FenError(o.Fen()), "");
    }
}

// The verdict of a game's last move, as the player's road gives it and as the searches find it,
// and the end of the game it brings once the turn passes.
struct EndCase {
    const char *sWhy;
    const char *sFen;
    const char *sMoves; // the last one is judged
    bool bCheck;
    End eEnd;
    const char *sResult;
};

const EndCase EndCases[] = {
    {"back rank mate", "6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "a1a8", true, End::Checkmate, "1-0"},
    {"mate by Black", "4k3/8/8/8/8/8/r4PPP/6K1 b - - 0 1", "a2a1", true, End::Checkmate, "0-1"},
    {"the only blocker is pinned", "7k/7p/4N3/4b3/8/8/R7/B3K3 w - - 0 1", "a2a8", true,
     End::Checkmate, "1-0"},
    {"only en passant answers", "8/8/pp6/k7/2p5/2NN4/1P6/7K w - - 0 1", "b2b4", true, End::None,
     "*"},
    {"double check with a free square", "4k3/3p1p2/8/8/4N3/8/4R3/7K w - - 0 1", "e4d6", true,
     End::None, "*"},
    {"double check each answerable alone", "3qkb2/3p1pp1/8/8/4N3/8/8/4RK2 w - - 0 1", "e4f6", true,
     End::Checkmate, "1-0"},
    {"stalemate", "7k/5K2/8/8/6Q1/8/8/8 w - - 0 1", "g4g6", false, End::Stalemate, "1/2-1/2"},
    {"the only movable piece is pinned", "k7/n7/1K6/8/3B4/8/8/R7 w - - 0 1", "d4e5", false,
     End::Stalemate, "1/2-1/2"},
    {"a pawn can still move", "k7/8/1Q6/8/8/p7/8/4K3 w - - 0 1", "e1e2", false, End::None, "*"},
    {"king and bishop by promotion", "4k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a7a8b", false,
     End::InsufficientMaterial, "1/2-1/2"},
    {"bishops all on dark squares", "4k3/8/8/2b5/8/8/3q4/4K1B1 w - - 0 1", "e1d2", false,
     End::InsufficientMaterial, "1/2-1/2"},
    {"bishops on both colours", "4k3/8/8/3b4/8/8/3q4/4K1B1 w - - 0 1", "e1d2", false, End::None,
     "*"},
    {"two knights", "4k3/8/8/8/8/8/3q4/4KNN1 w - - 0 1", "e1d2", false, End::None, "*"},
    {"75 moves", "4k3/8/8/8/8/8/8/R3K3 w - - 149 90", "a1a2", false, End::SeventyFiveMoveRule,
     "1/2-1/2"},
    {"a pawn move restarts the 75 moves", "4k3/7p/8/8/8/8/8/R3K3 b - - 149 90", "h7h6", false,
     End::None, "*"},
    {"a mate on the 150th ply wins", "6k1/5ppp/8/8/8/8/8/R5K1 w - - 149 90", "a1a8", true,
     End::Checkmate, "1-0"},
    {"fivefold", "4k3/8/8/8/8/8/8/R3K3 w - - 0 1",
     "e1d1 e8d8 d1e1 d8e8 e1d1 e8d8 d1e1 d8e8 e1d1 e8d8 d1e1 d8e8 e1d1 e8d8 d1e1 d8e8", false,
     End::FivefoldRepetition, "1/2-1/2"},
    {"a pawn move breaks the count", "4k3/7p/8/8/8/8/8/R3K3 w - - 0 1",
     "e1d1 e8d8 d1e1 d8e8 e1d1 e8d8 d1e1 d8e8 e1d1 h7h6 d1e1 e8d8 e1d1 d8e8 d1e1 e8d8", false,
     End::None, "*"},
};

class EndTest : public testing::TestWithParam<EndCase> {};

TEST_P(EndTest, JudgedExactlyDecidedWhenTheTurnPassesAndReopenedByUndo) {
    const EndCase &c = GetParam();
    clsRules o;
    o.SetFen(c.sFen);
    const std::string_view sMoves = c.sMoves;
    const std::size_t nLast = sMoves.size() - 4 - (sMoves.back() == 'b');
    ASSERT_TRUE(PlayMoves(o, sMoves.substr(0, nLast)));
    const std::string sBefore = o.Fen();
    const std::string_view m = sMoves.substr(nLast);
    clsRules::MoveVerdict v;
    ASSERT_TRUE(Play(o, m.substr(0, 2), m.substr(2, 2), modConsts::WhiteBishop, &v));
    EXPECT_EQ(v.bOpponentInCheck, c.bCheck);
    EXPECT_EQ(v.bOpponentMated, c.eEnd == End::Checkmate);
    EXPECT_EQ(v.bOpponentStalemated, c.eEnd == End::Stalemate);
    EXPECT_EQ(o.EndReason(), c.eEnd);
    EXPECT_EQ(o.Result(), c.sResult);
    const Snapshot oAfter(o);
    const bool bWhite = o.IsWhitesTurn();
    const int nKing = bWhite ? o.WhiteKingSquare() : o.BlackKingSquare();
    EXPECT_EQ(o.IsCheckmate(bWhite, nKing), c.eEnd == End::Checkmate);
    EXPECT_EQ(o.IsStalemate(bWhite, nKing), c.eEnd == End::Stalemate);
    EXPECT_EQ(Snapshot(o), oAfter) << "the searches leave everything as they found it";
    if (c.eEnd == End::None)
        return;
    MoveList oMoves;
    o.LegalMoves(oMoves);
    EXPECT_TRUE(oMoves.empty());
    EXPECT_FALSE(o.Resign() || o.AgreeDraw() || o.CanClaimDraw() || o.ClaimDraw());
    EXPECT_FALSE(o.BeginMove(nKing, nKing - 1).bAccepted);
    EXPECT_EQ(Snapshot(o), oAfter) << "nothing moves once the game is over";
    ASSERT_TRUE(o.UndoLastMove());
    EXPECT_EQ(o.EndReason(), End::None);
    EXPECT_EQ(o.Result(), "*");
    EXPECT_EQ(o.Fen(), sBefore);
}

INSTANTIATE_TEST_SUITE_P(Rules, EndTest, testing::ValuesIn(EndCases),
                         WhyName<testing::TestParamInfo<EndCase>>);

TEST(GameEnd, SetUpInAFinishedPositionIsOver) {
    clsRules o;
    o.SetFen("R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1");
    EXPECT_EQ(o.EndReason(), End::Checkmate);
    EXPECT_EQ(o.Result(), "1-0");
    o.NewGame(true, LayoutFromFen("4k3/8/8/8/8/8/8/4K3"));
    EXPECT_EQ(o.EndReason(), End::InsufficientMaterial);
}

TEST(GameEnd, ClaimsAndActs) {
    clsRules o;
    ASSERT_TRUE(PlayMoves(o, "g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1"));
    EXPECT_FALSE(o.CanClaimDraw());
    ASSERT_TRUE(PlayMoves(o, "f6g8"));
    EXPECT_EQ(o.RepetitionCount(), 3);
    ASSERT_TRUE(o.ClaimDraw());
    EXPECT_EQ(o.EndReason(), End::ThreefoldRepetition);
    EXPECT_EQ(o.Result(), "1/2-1/2");

    o.SetFen("4k3/8/8/8/8/8/8/R3K3 w - - 98 80");
    ASSERT_TRUE(PlayMoves(o, "a1a2"));
    EXPECT_FALSE(o.CanClaimDraw());
    ASSERT_TRUE(PlayMoves(o, "e8d8"));
    EXPECT_TRUE(o.ClaimDraw());
    EXPECT_EQ(o.EndReason(), End::FiftyMoveRule);

    o.SetFen("4k3/8/8/8/8/8/8/R3K3 b - - 0 1");
    ASSERT_TRUE(o.Resign());
    EXPECT_EQ(o.Result(), "1-0") << "Black resigned";
    EXPECT_FALSE(o.AgreeDraw()) << "the game is over";
    o.NewGame();
    ASSERT_TRUE(o.AgreeDraw());
    EXPECT_EQ(o.EndReason(), End::Agreement);
}

// Equal keys mean the same position for the repetition rules: the side to move, the castling
// rights and the en passant captures that are legal all count, an unusable double step does not.
TEST(GameEnd, PositionKeysTellPositionsApart) {
    const char *const Rows[][3] = {
        // start, moves, and whether the position reached has the start's key
        {"4k3/8/8/8/8/8/8/R3K3 w - - 0 1", "e1d1 e8d8 d1d2 d8e8 d2e1", "other side to move"},
        {"4k3/8/8/8/8/8/8/R3K2R w K - 0 1", "h1h2 e8d8 h2h1 d8e8", "castling right lost"},
        {"4k3/8/8/8/3p4/8/4P3/4K3 w - - 0 1", "e2e4 e8e7 e1f2 e7e8 f2e1",
         "en passant only at first"},
        {"4k3/8/8/8/8/3p4/4P3/4K3 w - - 0 1", "e2e4 e8e7 e1f2 e7e8 f2e1", "same"},
    };
    for (const auto &[sFen, sMoves, sWhy] : Rows) {
        clsRules o;
        o.SetFen(sFen);
        const std::string_view m = sMoves;
        const bool bSame = std::string_view(sWhy) == "same";
        const std::size_t nFirst = m.starts_with("e2e4") ? 5 : 0; // key after the double step
        ASSERT_TRUE(PlayMoves(o, m.substr(0, nFirst)));
        const std::uint64_t nKey = o.PositionKey();
        ASSERT_TRUE(PlayMoves(o, m.substr(nFirst))) << sMoves;
        EXPECT_EQ(o.PositionKey() == nKey, bSame) << sFen << ": " << sWhy;
        EXPECT_EQ(o.RepetitionCount(), bSame ? 2 : 1) << sFen << ": " << sWhy;
    }
}

// Each ply keeps its SAN, written before the move, and the position after it: its FEN, check
// and key are those of the game at that moment, through captures, castling, en passant,
// promotion and mate; undo removes the newest ply.
TEST(Record, EachPlyKeepsItsSanPositionAndKey) {
    const char *const Rows[][3] = {
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1g1 e8c8 a1a8", "O-O O-O-O Ra8+"},
        {"4k3/8/8/8/3p4/8/2P1P3/4K3 w - - 0 7", "e2e4 d4e3 c2c4", "e4 dxe3 c4"},
        {"7k/1P4pp/8/8/8/8/8/6K1 w - - 0 1", "g1f2 g7g6 b7b8n h8g7 b8d7", "Kf2 g6 b8=N Kg7 Nd7"},
    };
    for (const auto &[sFen, sMoves, sSans] : Rows) {
        SCOPED_TRACE(sFen);
        clsRules o;
        o.SetFen(sFen);
        std::vector<std::string> oFens{o.Fen()};
        std::vector<std::uint64_t> oKeys{o.PositionKey()};
        for (const std::string &sMove : Words(sMoves)) {
            ASSERT_TRUE(PlayMoves(o, sMove));
            oFens.push_back(o.Fen());
            oKeys.push_back(o.PositionKey());
            EXPECT_EQ(o.PositionAt(o.PlyCount()).bInCheck,
                      o.IsSquareAttacked(o.IsWhitesTurn(), o.IsWhitesTurn() ? o.WhiteKingSquare()
                                                                            : o.BlackKingSquare()));
        }
        EXPECT_EQ(Notation::SanMoves(o), Words(sSans));
        for (int i = o.PlyCount(); i >= 0; --i) {
            EXPECT_EQ(clsRules::FenOf(o.PositionAt(i)), oFens[std::size_t(i)]) << i;
            EXPECT_EQ(o.PositionKey(), oKeys[std::size_t(i)]) << i;
            ASSERT_EQ(o.UndoLastMove(), i > 0);
            EXPECT_EQ(o.PlyCount(), std::max(i - 1, 0));
        }
    }
}

} // namespace
