// The game as a tree: what a file holds comes back out of it, and the edits a player makes.
#include "Pgn.h"
#include "TestRules.h"
#include "TreeDump.h"

#include <functional>
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
    {"a variation that would overflow its line starts the next",
     "1. e4 {" + std::string(66, 'x') + "} (1. d4 d5) 1... e5 *",
     {"}\n(1. d4 d5) 1... e5"}},
};

// What GoogleTest prints of a case: its name, not its bytes, which hold a string's unused buffer.
void PrintTo(const RoundTrip &o, std::ostream *os) {
    *os << o.sWhy;
}

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

// A Chess960 game keeps its variant, and castles by its own rook files in every line.
TEST(TreeRecord, Chess960VariationsCastleByTheGamesRookFiles) {
    clsRules o;
    Pgn::Load(o,
              "[Variant \"Chess960\"]\n[FEN \"1r2k1r1/pppppppp/8/8/8/8/PPPPPPPP/1R2K1R1 w GBgb - "
              "0 1\"]\n\n1. O-O (1. Kd1 O-O-O) (1. O-O-O Kf8) 1... O-O *");
    const std::string s = Pgn::Write(o);
    EXPECT_NE(s.find("[Variant \"Chess960\"]"), std::string::npos) << s;
    EXPECT_NE(s.find("1. O-O (1. Kd1 O-O-O) (1. O-O-O Kf8) 1... O-O *"), std::string::npos) << s;
    const std::vector<int> oFirst = o.Children(clsRules::Root);
    ASSERT_EQ(oFirst.size(), 3u);
    EXPECT_TRUE(clsRules::FenOf(o.NodePosition(o.FirstChild(oFirst[1]))).starts_with("2kr2r1/"));
    EXPECT_TRUE(clsRules::FenOf(o.NodePosition(oFirst[2])).ends_with("/2KR2R1 b kq - 1 1"));
    clsRules oBack;
    Pgn::Load(oBack, s);
    EXPECT_TRUE(oBack.Is960() && TreeDump(oBack) == TreeDump(o));
}

// Variations nested thousands deep, each beside the first move of the one around it: written
// and read back without recursion, as the same tree.
TEST(TreeRecord, DeepNestingWrittenAndReadBack) {
    clsRules o;
    clsRules oBoard;
    MoveList oMoves;
    // At each node a move to go on with and, beside it, one to go deeper from.
    for (int n = clsRules::Root, i = 0; i < 4000 && n >= 0; ++i) {
        oBoard.SetPosition(o.NodePosition(n), o.Is960());
        oBoard.LegalMoves(oMoves);
        if (oMoves.size() < 2)
            break;
        ASSERT_GE(o.AddMove(n, oMoves[0]), 0);
        n = o.AddMove(n, oMoves[oMoves.size() - 1]);
    }
    const std::string sText = Pgn::Write(o);
    clsRules oBack;
    Pgn::Load(oBack, sText);
    EXPECT_EQ(TreeDump(oBack), TreeDump(o));
    EXPECT_GT(oBack.NodeCount(), 1000);
}

// The node reached from the root by these moves, through any children; -1 when there is none.
int At(const clsRules &o, std::string_view sPath) {
    int n = clsRules::Root;
    while (!sPath.empty()) {
        const std::size_t nEnd = std::min(sPath.find(' '), sPath.size());
        const std::string_view sSan = sPath.substr(0, nEnd);
        sPath.remove_prefix(std::min(nEnd + 1, sPath.size()));
        int nNext = -1;
        for (const int c : o.Children(n))
            if (!o.IsOpaque(c) && o.NodePly(c).sSan == sSan)
                nNext = c;
        if (nNext < 0)
            return -1;
        n = nNext;
    }
    return n;
}

using E = clsRules::EditResult;
struct EditCase {
    const char *sWhy;
    const char *sGame;
    std::function<E(clsRules &)> edit;
    E eResult;
    const char *sMovetext; // the movetext written afterwards
    int nPlies;            // of the main line
};

E Added(clsRules &o, int nAt, std::string_view sMove, const char *sExpect) {
    const int n = o.AddMove(nAt, MoveOf(o, sMove));
    EXPECT_EQ(n, sExpect ? At(o, sExpect) : -1) << sMove;
    return o.LastEdit();
}

const char *const Game = "1. e4 e5 (1... c5 2. Nf3) 2. Nf3 Nc6 *";
const EditCase EditCases[] = {
    {"the next move steps along", Game,
     [](clsRules &o) { return Added(o, At(o, "e4"), "e7e5", "e4 e5"); }, E::Done,
     "1. e4 e5 (1... c5 2. Nf3) 2. Nf3 Nc6 *", 4},
    {"another move is a variation", Game,
     [](clsRules &o) { return Added(o, At(o, "e4 e5"), "d2d4", "e4 e5 d4"); }, E::Done,
     "2. Nf3 (2. d4) 2... Nc6 *", 4},
    {"a variation goes on", Game,
     [](clsRules &o) { return Added(o, At(o, "e4 c5 Nf3"), "b8c6", "e4 c5 Nf3 Nc6"); }, E::Done,
     "(1... c5 2. Nf3 Nc6) 2. Nf3 Nc6 *", 4},
    {"a move at the live end stays beside the game", Game,
     [](clsRules &o) { return Added(o, At(o, "e4 e5 Nf3 Nc6"), "a2a3", "e4 e5 Nf3 Nc6 a3"); },
     E::Done, "2. Nf3 Nc6 (2... Nc6 3. a3) *", 4},
    {"an illegal move is refused", Game,
     [](clsRules &o) { return Added(o, clsRules::Root, "e2e5", nullptr); }, E::NotLegal, Game, 4},
    {"promoted, the old main line stays as a variation", Game,
     [](clsRules &o) { return o.PromoteVariation(At(o, "e4 c5 Nf3")); }, E::Done,
     "1. e4 c5 (1... e5 2. Nf3 Nc6) 2. Nf3 *", 3},
    {"the main line is no variation to promote", Game,
     [](clsRules &o) { return o.PromoteVariation(At(o, "e4 e5")); }, E::OnMainLine, Game, 4},
    {"promoted over a finished game, judged again", "1. f3 e5 2. g4 Qh4# (2... d5) 0-1",
     [](clsRules &o) {
         EXPECT_EQ(o.ResultAfterPromotion(At(o, "f3 e5 g4 d5")), "*");
         return o.PromoteVariation(At(o, "f3 e5 g4 d5"));
     },
     E::Done, "2. g4 d5 (2... Qh4#) *", 4},
    {"a variation deleted from any of its moves", Game,
     [](clsRules &o) { return o.DeleteVariation(At(o, "e4 c5 Nf3")); }, E::Done,
     "1. e4 e5 2. Nf3 Nc6 *", 4},
    {"no deleting the main line as a variation", Game,
     [](clsRules &o) { return o.DeleteVariation(At(o, "e4 e5 Nf3")); }, E::OnMainLine, Game, 4},
    {"moves deleted from the main line, the variation kept", Game,
     [](clsRules &o) { return o.DeleteFrom(At(o, "e4 e5")); }, E::Done, "1. e4 (1. e4 c5 2. Nf3) *",
     1},
    {"a comment, its white space made single", Game,
     [](clsRules &o) { return o.SetComment(At(o, "e4 e5"), " good\n  move "); }, E::Done,
     "1. e4 e5 {good move} (1... c5", 4},
    {"a comment before a variation", Game,
     [](clsRules &o) { return o.SetComment(At(o, "e4 c5"), "Sicilian", true); }, E::Done,
     "({Sicilian} 1... c5 2. Nf3)", 4},
    {"no comment before a move of the main line", Game,
     [](clsRules &o) { return o.SetComment(At(o, "e4 e5"), "x", true); }, E::NotAtVariationStart,
     Game, 4},
    {"a comment with a closing brace is refused", Game,
     [](clsRules &o) { return o.SetComment(At(o, "e4"), "a } b"); }, E::BraceInComment, Game, 4},
    {"NAGs in their order, shapes with commands typed in", Game,
     [](clsRules &o) {
         EXPECT_EQ(o.SetNags(At(o, "e4"), {14, 1}), E::Done);
         return o.SetComment(At(o, "e4"), "[%csl Ra1] see [%cal Ge2e4]");
     },
     E::Done, "1. e4 $14 $1 {see [%csl Ra1] [%cal Ge2e4]}", 4},
};

void PrintTo(const EditCase &o, std::ostream *os) {
    *os << o.sWhy;
}

class TreeEdit : public testing::TestWithParam<EditCase> {};

TEST_P(TreeEdit, EditsChangeWhatTheyNameAndRefusalsNothing) {
    const EditCase &c = GetParam();
    clsRules o;
    Pgn::Load(o, c.sGame);
    const std::string sBefore = TreeDump(o);
    EXPECT_EQ(c.edit(o), c.eResult);
    const std::string sText = Pgn::Write(o);
    EXPECT_NE(sText.find(c.sMovetext), std::string::npos) << sText;
    EXPECT_EQ(o.PlyCount(), c.nPlies);
    EXPECT_TRUE(c.eResult == E::Done || TreeDump(o) == sBefore) << "a refusal changes nothing";
    // What an edit leaves reads back as it is.
    clsRules oBack;
    Pgn::Load(oBack, sText);
    EXPECT_EQ(TreeDump(oBack), TreeDump(o)) << sText;
    EXPECT_EQ(oBack.Fen(), o.Fen());
}

INSTANTIATE_TEST_SUITE_P(Pgn, TreeEdit, testing::ValuesIn(EditCases),
                         WhyName<testing::TestParamInfo<EditCase>>);

} // namespace
