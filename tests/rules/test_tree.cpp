// The game as a tree: what a file holds comes back out of it, and the edits a player makes.
#include "Pgn.h"
#include "TestRules.h"
#include "TreeDump.h"

#include <gtest/gtest.h>

namespace {

struct RoundTrip {
    const char *sWhy;
    std::string sText;
    std::vector<const char *> oWritten; // each in the text written
};

const RoundTrip RoundTrips[] = {
    {"comment before the first move", "{A quiet game.} 1. e4 e5 *", {"{A quiet game.} 1. e4 e5 *"}},
    {"nested variations",
     "1. e4 e5 (1... c5 2. Nf3 (2. Nc3 Nc6 (2... e6)) 2... d6) 2. Nf3 *",
     {"1. e4 e5 (1... c5 2. Nf3 (2. Nc3 Nc6 (2... e6)) 2... d6) 2. Nf3 *"}},
    {"a variation on Black's first move, from a position",
     "[FEN \"4k3/8/8/8/8/8/4P3/4K3 b - - 0 12\"]\n12... Kd7 (12... Ke7 {or} 13. e4) 13. e4 *",
     {"[SetUp \"1\"]", "12... Kd7 (12... Ke7 {or} 13. e4) 13. e4 *"}},
    {"glyphs become NAGs",
     "1. e4! e5? 2. Nf3!! Nc6?? 3. Bb5!? a6?! 4. Ba4 !? *",
     {"1. e4 $1 e5 $2 2. Nf3 $3 Nc6 $4 3. Bb5 $5 a6 $6 4. Ba4 $5 *"}},
    {"rest-of-line comments, one holding a brace",
     "1. e4 ; the king's pawn\r\ne5 ; a {brace} too\n2. Nf3 *",
     {"1. e4 {the king's pawn} 1... e5 ; a {brace} too\n2. Nf3 *"}},
    {"commands: known ones read, unknown ones kept in place",
     "1. e4 {Best by test [%foo  a b] [%cal Ge2e4,Rd2d4] [%csl Yd5] [%eval -0.3,20]"
     " [%emt 0:00:05] [%clk 0:03:00]} e5 {[%eval #-2]} *",
     {"{Best by test [%foo  a b] [%csl Yd5] [%cal Ge2e4,Rd2d4] [%eval -0.30,20]",
      "[%emt 0:00:05.0] [%clk 0:03:00]}", "{[%eval #-2]}"}},
    {"a broken variation kept as text",
     "1. e4 e5 (1... Ke7 2. Qxe7 {no}) (2. Nf3) 2. Nf3 Nc6 (2... Nf6 3. Bb5 3... O-O) *",
     {"(1... Ke7 2. Qxe7 {no}) (2. Nf3)", "(2... Nf6 3. Bb5 3... O-O)"}},
    {"CRLF line ends",
     "[Event \"x\"]\r\n\r\n1. d4 {a\r\nb} d5 (1... Nf6\r\n2. c4) 2. c4 *\r\n",
     {"1. d4 {a b} 1... d5 (1... Nf6 2. c4) 2. c4 *"}},
    {"a set-up position with variations and a promotion",
     "[FEN \"8/P6k/8/8/8/8/6K1/8 w - - 0 50\"]\n50. a8=Q (50. Kf3 Kg6 (50... Kg7)) 50... Kg6 *",
     {"50. a8=Q (50. Kf3 Kg6 (50... Kg7)) 50... Kg6 *"}},
    {"a comment before a variation's first move, and NAGs everywhere",
     "$10 1. e4 $14 (1. d4 $5 {or} ({English:} 1. c4 $6)) 1... e5 *",
     {"$10 1. e4 $14 (1. d4 $5 {or}) ({English:} 1. c4 $6) 1... e5 *"}},
    {"lines of at most 80 characters",
     "1. e4 {" + std::string(70, 'x') + " " + std::string(30, 'y') +
         " [%unknown with spaces]"
         " and some more words to wrap} e5 *",
     {"\nyyy", "yyy [%unknown with spaces] and"}},
};

class Tree : public testing::TestWithParam<RoundTrip> {};

// Read, write, read: the same tree, and the same text written twice.
TEST_P(Tree, ReadWrittenAndReadAgainAsTheSameTree) {
    const RoundTrip &r = GetParam();
    clsRules o;
    Pgn::Load(o, r.sText);
    const std::string sWritten = Pgn::Write(o);
    for (const char *s : r.oWritten)
        EXPECT_NE(sWritten.find(s), std::string::npos) << s << "\n" << sWritten;
    for (std::size_t nAt = 0, nEnd; (nEnd = sWritten.find('\n', nAt)) != std::string::npos;
         nAt = nEnd + 1)
        EXPECT_LE(nEnd - nAt, 80u) << sWritten;
    clsRules oAgain;
    Pgn::Load(oAgain, sWritten);
    EXPECT_EQ(TreeDump(oAgain), TreeDump(o)) << sWritten;
    EXPECT_EQ(Pgn::Write(oAgain), sWritten);
}

INSTANTIATE_TEST_SUITE_P(Pgn, Tree, testing::ValuesIn(RoundTrips),
                         WhyName<testing::TestParamInfo<RoundTrip>>);

// Playing on, and taking back, keeps what the game held.
TEST(TreeRecord, MovesPlayedAndTakenBackKeepTheNotesAndVariations) {
    clsRules o;
    Pgn::Load(o, "{Notes} 1. e4 $1 {good} (1. d4 d5) 1... e5 (1... c5) *");
    ASSERT_TRUE(o.PlayMove(Notation::ParseSan(o, "Nf3")));
    std::string s = Pgn::Write(o);
    EXPECT_NE(s.find("{Notes} 1. e4 $1 {good} (1. d4 d5) 1... e5 (1... c5) 2. Nf3 *"),
              std::string::npos)
        << s;
    // The move a variation holds, played, is that node now; the others stay beside it.
    ASSERT_TRUE(o.UndoLastMove() && o.UndoLastMove());
    EXPECT_EQ(o.PlyCount(), 1);
    s = Pgn::Write(o);
    EXPECT_NE(s.find("1. e4 $1 {good} (1. d4 d5) (1. e4 c5) *"), std::string::npos) << s;
    clsRules oBack;
    Pgn::Load(oBack, s);
    EXPECT_EQ(TreeDump(oBack), TreeDump(o)) << s;
    ASSERT_TRUE(o.PlayMove(Notation::ParseSan(o, "c5")));
    EXPECT_EQ(o.Children(o.MainLineNode(1)).size(), 1u);
    EXPECT_NE(Pgn::Write(o).find("(1. d4 d5) 1... c5 *"), std::string::npos) << Pgn::Write(o);
}

} // namespace
