// Chess960: the start positions by number, castling by FIDE's Chess960 rules, the two FEN
// conventions for its rights, and the notation and PGN of its games.
#include "Chess960.h"
#include "Pgn.h"
#include "TestRules.h"

#include <gtest/gtest.h>
#include <set>
#include <stdexcept>

namespace {

clsRules Game960(std::string_view sFen) {
    clsRules o;
    o.SetFen(sFen, true);
    return o;
}

// --- Start positions -------------------------------------------------------------------------

TEST(Chess960Start, NumbersGiveTheirPositions) {
    const std::pair<int, const char *> Rows[] = {
        {0, "BBQNNRKR"},   {1, "BQNBNRKR"},   {2, "BQNNRBKR"}, {4, "QBBNNRKR"},
        {518, "RNBQKBNR"}, {959, "RKRNNQBB"}, {-1, ""},        {960, ""},
    };
    for (const auto &[n, sRank] : Rows) {
        EXPECT_EQ(Chess960::BackRank(n), sRank) << n;
        if (*sRank)
            EXPECT_EQ(Chess960::Number(sRank), n);
        else
            EXPECT_THROW(clsRules().NewGame960(n), std::invalid_argument);
    }
    EXPECT_EQ(Chess960::Fen(518), Pgn::StandardFen);
    for (const char *s : {"RNBQKBNR ", "RRKQNNBB", "BQBNNRKR", "RKRNNQBQ", ""})
        EXPECT_EQ(Chess960::Number(s), -1) << s;
}

// Every number: two bishops on squares of both colours, the king between the rooks, the same
// army as chess, each number its own position, and the game it starts one of Chess960 that
// remembers its number.
TEST(Chess960Start, EveryNumberIsAValidStart) {
    std::set<std::string> oSeen;
    clsRules o;
    for (int n = 0; n < Chess960::Count; ++n) {
        const std::string s = Chess960::BackRank(n);
        std::string sSorted = s;
        std::sort(sSorted.begin(), sSorted.end());
        EXPECT_EQ(sSorted, "BBKNNQRR") << n;
        EXPECT_NE(s.find('B') % 2, s.rfind('B') % 2) << n << " " << s;
        EXPECT_LT(s.find('R'), s.find('K')) << n;
        EXPECT_GT(s.rfind('R'), s.find('K')) << n;
        EXPECT_EQ(Chess960::Number(s), n);
        EXPECT_TRUE(oSeen.insert(s).second) << n;
        o.NewGame960(n);
        EXPECT_EQ(o.Fen(), Chess960::Fen(n));
        EXPECT_TRUE(o.Is960());
        EXPECT_EQ(Chess960::StartNumber(o), n);
    }
    // A game that did not begin at a numbered start has no number.
    o.NewGame();
    EXPECT_EQ(Chess960::StartNumber(o), -1) << "a standard game";
    o.NewGame960(7);
    ASSERT_TRUE(PlayMoves(o, "a2a3"));
    EXPECT_EQ(Chess960::StartNumber(o), 7) << "moves played keep the start";
    o.SetFen(Chess960::Fen(7).replace(Chess960::Fen(7).find("KQkq"), 4, "Kkq"), true);
    EXPECT_EQ(Chess960::StartNumber(o), -1) << "a right missing";
}

// --- Castling ----------------------------------------------------------------------------------

struct CastlingCase {
    const char *sWhy;
    const char *sFen;   // set up as a Chess960 game
    const char *sMove;  // the king onto its rook
    const char *sAfter; // the FEN after, or "" when the castling is illegal
};

const CastlingCase CastlingCases[] = {
    // The four forms.
    {"both move", "4k3/8/8/8/8/8/8/2K4R w K - 0 1", "c1h1", "4k3/8/8/8/8/8/8/5RK1 b - - 1 1"},
    {"king only", "4k3/8/8/8/8/8/8/4KR2 w K - 0 1", "e1f1", "4k3/8/8/8/8/8/8/5RK1 b - - 1 1"},
    {"rook only", "4k3/8/8/8/8/8/8/6KR w K - 0 1", "g1h1", "4k3/8/8/8/8/8/8/5RK1 b - - 1 1"},
    {"swap", "4k3/8/8/8/8/8/8/5KR1 w K - 0 1", "f1g1", "4k3/8/8/8/8/8/8/5RK1 b - - 1 1"},
    {"swap queen side", "4k3/8/8/8/8/8/8/2RK4 w Q - 3 7", "d1c1", "4k3/8/8/8/8/8/8/2KR4 b - - 4 7"},
    {"queen side, long way", "4k3/8/8/8/8/8/8/1R4K1 w Q - 0 1", "g1b1",
     "4k3/8/8/8/8/8/8/2KR4 b - - 1 1"},
    {"black", "1r4k1/8/8/8/8/8/8/4K3 b q - 0 1", "g8b8", "2kr4/8/8/8/8/8/8/4K3 w - - 1 2"},
    {"the other side keeps its rights", "r3k2r/8/8/8/8/8/8/R3K1R1 w KQkq - 0 1", "e1g1",
     "r3k2r/8/8/8/8/8/8/R4RK1 b kq - 1 1"},
    // Blocked: every square either piece crosses or lands on must be empty.
    {"piece on the king's path", "4k3/8/8/8/8/8/8/1K2B2R w K - 0 1", "b1h1", ""},
    {"piece on the rook's path", "4k3/8/8/8/8/8/8/RN4K1 w Q - 0 1", "g1a1", ""},
    {"piece on the rook's square", "4k3/8/8/8/8/8/8/5BKR w K - 0 1", "g1h1", ""},
    {"piece outside both paths", "4k3/8/8/8/8/8/8/B5KR w K - 0 1", "g1h1",
     "4k3/8/8/8/8/8/8/B4RK1 b - - 1 1"},
    // Attacked: not out of check, not across an attacked square, not into check.
    {"in check", "2r1k3/8/8/8/8/8/8/2K4R w K - 0 1", "c1h1", ""},
    {"crossing an attacked square", "4r1k1/8/8/8/8/8/8/2K4R w K - 0 1", "c1h1", ""},
    {"into check", "k5r1/8/8/8/8/8/8/2K4R w K - 0 1", "c1h1", ""},
    {"the rook attacked", "4k2r/8/8/8/8/8/8/2K4R w K - 0 1", "c1h1",
     "4k2r/8/8/8/8/8/8/5RK1 b - - 1 1"},
    {"the rook shielded the king's square", "4k3/8/8/8/8/8/8/rR1K4 w Q - 0 1", "d1b1", ""},
    {"the rook shielded the standing king", "4k3/8/8/8/8/8/8/rRK5 w Q - 0 1", "c1b1", ""},
    {"nothing behind the rook", "4k3/8/8/8/8/8/r7/1R1K4 w Q - 0 1", "d1b1",
     "4k3/8/8/8/8/8/r7/2KR4 b - - 1 1"},
};

class CastlingTest : public testing::TestWithParam<CastlingCase> {};

// Each castling is judged alike by IsLegal, the legal-move list and the player's road; played,
// it leaves the position expected, is written O-O or O-O-O and as the king taking its rook, and
// taking it back restores everything.
TEST_P(CastlingTest, JudgedPlayedAndTakenBack) {
    const CastlingCase &c = GetParam();
    clsRules o = Game960(c.sFen);
    const Snapshot oBefore(o);
    const Move m = MoveOf(o, c.sMove);
    const bool bLegal = *c.sAfter != '\0';
    EXPECT_EQ(o.IsLegal(m), bLegal);
    const std::vector<std::string> oMoves = LegalCoordinates(o);
    EXPECT_EQ(std::count(oMoves.begin(), oMoves.end(), c.sMove), bLegal ? 1 : 0);
    const std::string_view sMove = c.sMove;
    EXPECT_EQ(Play(o, sMove.substr(0, 2), sMove.substr(2)), bLegal);
    if (bLegal) {
        EXPECT_EQ(o.Fen(), c.sAfter);
        EXPECT_EQ(Notation::CoordinateMoves(o), std::vector<std::string>{c.sMove});
        EXPECT_TRUE(o.Record()[0].sSan.starts_with("O-O")) << o.Record()[0].sSan;
        ASSERT_TRUE(o.UndoLastMove());
    }
    EXPECT_EQ(Snapshot(o), oBefore);
}

INSTANTIATE_TEST_SUITE_P(Chess960, CastlingTest, testing::ValuesIn(CastlingCases),
                         WhyName<testing::TestParamInfo<CastlingCase>>);

// A right belongs to one rook: moving that rook or the king loses it, even once it has come
// back; another rook of the side changes nothing, and a rook taken takes its right along.
TEST(Chess960Castling, RightsLost) {
    const char *const Rows[][3] = {
        // start (a Chess960 game), moves, castling field after
        {"1r2k1r1/8/8/8/8/8/8/1R2K1R1 w KQkq - 0 1", "e1e2 b8b7 e2e1 b7b8", "k"},
        {"1r2k1r1/8/8/8/8/8/8/1R2K1R1 w KQkq - 0 1", "g1g2 b8b7 g2g1 b7b8", "Qk"},
        {"4k3/8/8/8/8/8/8/1K3RR1 w F - 0 1", "g1g2 e8d8 g2g1 d8e8", "F"},
        {"4k3/8/8/8/8/8/8/1K3RR1 w F - 0 1", "f1f2 e8d8 f2f1 d8e8", "-"},
        {"1r2k1r1/8/8/8/8/8/8/1R2K1R1 w KQkq - 0 1", "b1b8", "Kk"},
    };
    for (const auto &[sFen, sMoves, sRights] : Rows) {
        clsRules o = Game960(sFen);
        ASSERT_TRUE(PlayMoves(o, sMoves)) << sFen << " " << sMoves;
        EXPECT_EQ(Words(o.Fen())[2], sRights) << sFen << " " << sMoves;
    }
}

// --- FEN -------------------------------------------------------------------------------------

// Rows: a FEN, the FEN written back (X-FEN, as Lichess writes it), and whether the game is one
// of Chess960; or a refusal and the words of its reason.
TEST(Chess960Fen, XFenAndShredderFenReadWrittenAndRefused) {
    const char *const Read[][3] = {
        {"bbqnnrkr/pppppppp/8/8/8/8/PPPPPPPP/BBQNNRKR w HFhf - 0 1",
         "bbqnnrkr/pppppppp/8/8/8/8/PPPPPPPP/BBQNNRKR w KQkq - 0 1", "960"},
        {"bbqnnrkr/pppppppp/8/8/8/8/PPPPPPPP/BBQNNRKR w KQkq - 0 1",
         "bbqnnrkr/pppppppp/8/8/8/8/PPPPPPPP/BBQNNRKR w KQkq - 0 1", "960"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w HAha - 0 1",
         "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "standard"},
        {"1r2k1rr/8/8/8/8/8/8/1R2K1RR w GBgb - 0 1", "1r2k1rr/8/8/8/8/8/8/1R2K1RR w GQgq - 0 1",
         "960"},
        {"1r2k1rr/8/8/8/8/8/8/1R2K1RR w KQkq - 0 1", "1r2k1rr/8/8/8/8/8/8/1R2K1RR w KQkq - 0 1",
         "960"},
        {"r3k2r/8/8/8/8/8/8/R3K1R1 b Kq - 0 1", "r3k2r/8/8/8/8/8/8/R3K1R1 b Kq - 0 1", "960"},
    };
    for (const auto &[sFen, sWritten, sKind] : Read) {
        SCOPED_TRACE(sFen);
        clsRules o;
        ASSERT_EQ(clsRules::FenError(sFen), "");
        o.SetFen(sFen);
        EXPECT_EQ(o.Fen(), sWritten);
        EXPECT_EQ(o.Is960(), std::string_view(sKind) == "960");
        clsRules oBack;
        oBack.SetFen(o.Fen(), o.Is960());
        EXPECT_EQ(oBack.Fen(), sWritten) << "written reads back to itself";
        EXPECT_EQ(LegalCoordinates(oBack), LegalCoordinates(o));
    }
    const char *const Refused[][2] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w HEhe - 0 1",
         "castling file E names no white rook on e1"},
        {"4k3/8/8/8/8/8/8/RR2K3 w a - 0 1", "castling file a names no black rook on a8"},
        {"4k3/8/8/8/8/8/8/R3K3 w K - 0 1",
         "castling right K without a white rook on the king's side of the king on e1"},
        {"r3k3/8/8/8/8/8/8/4K3 b k - 0 1",
         "castling right k without a black rook on the king's side of the king on e8"},
        {"4k3/8/8/8/8/8/4K3/R6R w K - 0 1", "castling right K without the white king on rank 1"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KHkq - 0 1",
         "gives white two rights on the king's side"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkI - 0 1", "is not a set of KQkq"},
    };
    for (const auto &[sFen, sWhy] : Refused) {
        EXPECT_NE(clsRules::FenError(sFen).find(sWhy), std::string::npos)
            << sFen << ": " << clsRules::FenError(sFen);
        clsRules o;
        EXPECT_THROW(o.SetFen(sFen, true), std::invalid_argument);
        EXPECT_EQ(o.Fen(), Pgn::StandardFen) << "a refusal changes nothing";
        EXPECT_FALSE(o.Is960());
    }
}

// --- Notation and PGN --------------------------------------------------------------------------

// Rows: a Chess960 position, text typed or read, and the move it names ("" for a refusal). The
// king's two-square step names a castling only where it cannot be a king move.
TEST(Chess960Notation, CastlingReadAsPlayersWriteIt) {
    const char *const Both = "1r2k2r/8/8/8/8/8/8/1R2K2R w KQkq - 0 1";
    const char *const Rows[][3] = {
        {Both, "O-O", "e1h1"},
        {Both, "0-0-0", "e1b1"},
        {Both, "e1h1", "e1h1"},
        {Both, "e1g1", "e1h1"},
        {Both, "e1c1", "e1b1"},
        {Both, "e1b1", "e1b1"},
        {"4k3/8/8/8/8/8/8/5KR1 w K - 0 1", "f1g1", "f1g1"},
        {"4k3/8/8/8/8/8/8/1KR5 w K - 0 1", "b1c1", "b1c1"},
        {"4k3/8/8/8/8/8/8/1KR5 w K - 0 1", "b1g1", "b1c1"},
        {"4k3/8/8/8/8/8/8/1RK5 w Q - 0 1", "O-O-O", "c1b1"},
        {"4k3/8/8/8/8/8/8/1RK5 w Q - 0 1", "O-O", ""},
        {"4k3/8/8/8/8/8/8/R1K5 w Q - 0 1", "c1b1", "c1b1"}, // a king step, not castling
        {"4r1k1/8/8/8/8/8/8/1R2K2R w KQ - 0 1", "O-O", ""}, // in check
    };
    for (const auto &[sFen, sText, sMove] : Rows) {
        SCOPED_TRACE(std::string(sFen) + " " + sText);
        clsRules o = Game960(sFen);
        if (!*sMove) {
            EXPECT_THROW(Notation::ParseSan(o, sText), Notation::Error);
            continue;
        }
        const Move m = Notation::ParseSan(o, sText);
        EXPECT_EQ(Notation::Coordinate(m), sMove);
        const std::string sSan = Notation::San(o, m);
        EXPECT_EQ(Notation::ParseSan(o, sSan), m) << sSan;
    }
    // A standard game keeps e1g1; the king onto its rook is no move there.
    clsRules o;
    o.SetFen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
    EXPECT_EQ(Notation::Coordinate(Notation::ParseSan(o, "O-O")), "e1g1");
    EXPECT_THROW(Notation::ParseSan(o, "e1h1"), Notation::Error);
    EXPECT_FALSE(o.IsLegal(MoveOf(o, "e1h1")));
}

// A Chess960 game is written with its variant, always with its start, as the king taking its
// rook in coordinates, and reads back the same; the variant may come from the tag alone.
TEST(Chess960Pgn, VariantWrittenAndRead) {
    clsRules o;
    o.NewGame960(Chess960::StandardNumber);
    ASSERT_TRUE(PlayMoves(o, "g1f3 g8f6 g2g3 g7g6 f1g2 f8g7 e1h1 e8h8"));
    const std::string sPgn = Pgn::Write(o);
    EXPECT_NE(sPgn.find("[Result \"*\"]\n[Variant \"Chess960\"]\n[SetUp \"1\"]\n[FEN \"" +
                        std::string(Pgn::StandardFen) +
                        "\"]\n\n1. Nf3 Nf6 2. g3 g6 3. Bg2 "
                        "Bg7 4. O-O O-O *"),
              std::string::npos)
        << sPgn;
    clsRules oBack;
    Pgn::Load(oBack, sPgn);
    EXPECT_TRUE(oBack.Is960());
    EXPECT_EQ(Notation::CoordinateMoves(oBack), Notation::CoordinateMoves(o));
    EXPECT_EQ(Pgn::Write(oBack), sPgn);
    const char *const Castles = "[FEN \"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1\"]\n";
    const std::pair<std::string, const char *> Rows[] = {
        {"[Variant \"chess 960\"]\n1. Nf3 *", "g1f3"},
        {std::string("[Variant \"Fischerandom\"]\n") + Castles + "1. O-O *", "e1h1"},
        {"[FEN \"4k3/8/8/8/8/8/8/R5KR w HA - 0 1\"]\n1. O-O *", "g1h1"},
        {std::string("[Variant \"From Position\"]\n") + Castles + "1. O-O *", "e1g1"},
    };
    for (const auto &[sText, sMove] : Rows) {
        Pgn::Load(oBack, sText);
        EXPECT_EQ(Notation::CoordinateMoves(oBack), std::vector<std::string>{sMove}) << sText;
        EXPECT_EQ(oBack.Is960(), std::string_view(sMove) != "e1g1") << sText;
        EXPECT_EQ(Pgn::Write(oBack).find("[Variant \"Chess960\"]") != std::string::npos,
                  oBack.Is960());
    }
}

} // namespace
