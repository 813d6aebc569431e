// What engine lines say, and how Lichess's rules judge moves from the scores.
#include "Pgn.h"
#include "Review.h"
#include "ReviewTree.h"
#include "UciProtocol.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

using Kind = Uci::Score::Kind;
using Bound = Uci::Score::Bound;
using J = Review::Judgement;

namespace {

Uci::Score Cp(int n, Bound e = Bound::Exact) {
    return {Kind::Cp, e, n};
}
Uci::Score Mate(int n) {
    return {Kind::Mate, Bound::Exact, n};
}

// A parsed line written out: its kind, then what it carries.
std::string Written(const Uci::Line &o) {
    const char *Kinds[] = {"ignored", "malformed", "id",   "author",  "uciok",
                           "readyok", "option",    "info", "bestmove"};
    std::string s = Kinds[static_cast<int>(o.eKind)];
    const auto Add = [&s](const std::string &sWhat) { s.append(" ").append(sWhat); };
    if (!o.sText.empty() || !o.sPonder.empty())
        Add(o.sText + "/" + o.sPonder);
    if (o.eKind == Uci::Line::Kind::Option)
        Add(o.oOption.sName + "/" + o.oOption.sType + "/" + o.oOption.sDefault + "/" +
            std::to_string(o.oOption.nMax));
    for (const std::string &sVar : o.oOption.oVars)
        Add(sVar);
    const Uci::Info &i = o.oInfo;
    if (o.eKind == Uci::Line::Kind::Info)
        Add(std::to_string(i.nDepth) + "/" + std::to_string(i.nMultiPv) + "/" +
            std::to_string(i.nNodes) + " " + Review::EvalText(i.oScore) +
            (i.oScore.eBound == Bound::Lower   ? "<"
             : i.oScore.eBound == Bound::Upper ? ">"
                                               : ""));
    for (const std::string &sMove : i.oPv)
        Add(sMove);
    return s;
}

TEST(UciParse, LinesAsTheEngineMeansThem) {
    const std::pair<const char *, const char *> Rows[] = {
        {"info depth 10 seldepth 13 multipv 1 score cp 31 lowerbound nodes 20024 nps 274301 "
         "hashfull 10 tbhits 0 time 73 pv e2e4",
         "info 10/1/20024 0.31< e2e4"},
        {"info depth 7 score upperbound mate -3 pv a1a2 b7b8q", "info 7/1/0 #-3> a1a2 b7b8q"},
        {"info depth 0 score mate 0", "info 0/1/0 #0"}, // mated already
        // WDL's numbers are not moves; an unknown word and its value are passed over.
        {"info\tmultipv 3 depth 2 score cp -15 wdl 100 800 100 foo 9 nodes 7 pv d2d4  d7d5\r",
         "info 2/3/7 -0.15 d2d4 d7d5"},
        {"info string score cp 5 pv e2e4", "ignored"},
        {"info currmove e2e4 currmovenumber 1 nodes 5", "ignored"},
        {"info depth x score cp 1", "malformed"},
        {"info depth 3 score cp", "malformed"},
        {"info depth 3 score cp 99999999999", "malformed"},
        {"info depth 3 score dunno 4", "malformed"},
        {"  uciok ", "uciok"},
        {"copyprotection ok", "ignored"},
        {"id name Stockfish 15.1", "id Stockfish 15.1/"},
        {"bestmove e2e4 ponder e7e5", "bestmove e2e4/e7e5"},
        {"bestmove (none)", "bestmove"},
        {"option name Clear Hash type button", "option Clear Hash/button//0"},
        {"option name Hash type spin default 16 min 1 max 33554432",
         "option Hash/spin/16/33554432"},
        {"option name Style type combo default Very Solid var Very Solid var Risky",
         "option Style/combo/Very Solid/0 Very Solid Risky"},
        {"option name Threads type spin min x", "malformed"},
    };
    for (const auto &[sLine, sExpected] : Rows)
        EXPECT_EQ(Written(Uci::ParseLine(sLine)), sExpected) << sLine;
}

TEST(Review, ScoresInLichessForms) {
    struct Row {
        Uci::Score o;
        const char *sEval, *sDisplay;
        double dChances; // the bar's
    } const Rows[] = {
        {Cp(17), "0.17", "+0.17", 0.0313},    {Cp(-150), "-1.5", "-1.50", -0.2693},
        {Cp(0), "0.0", "0.00", 0.0},          {Cp(-5), "-0.05", "-0.05", -0.0092},
        {Cp(2500), "25.0", "+25.00", 0.9509}, // held to 1000 centipawns
        {Mate(3), "#3", "#3", 0.9974},        // as 18 pawns
        {Mate(-12), "#-12", "#-12", -0.9658}, // as 11 pawns, like a mate in 10
    };
    for (const Row &r : Rows) {
        EXPECT_EQ(Review::EvalText(r.o), r.sEval);
        EXPECT_EQ(Review::DisplayText(r.o), r.sDisplay);
        EXPECT_NEAR(Review::WinningChances(r.o), r.dChances, 1e-4) << r.sEval;
    }
    EXPECT_EQ(Review::NumberedLine({"Nf6", "Bd3", "O-O"}, 12, false), "12... Nf6 13. Bd3 O-O");
    EXPECT_EQ(Uci::ForWhite(Cp(31, Bound::Lower), false), Cp(-31, Bound::Upper));
    // The words an analysis writes at a comment's start, and the best move they name.
    const std::tuple<const char *, std::size_t, const char *> Comments[] = {
        {"Checkmate is now unavoidable. Qxf7# was best.", 45, "Qxf7#"},
        {"Blunder. Nf3 was best. I was tired.", 22, "Nf3"},
        {"Inaccuracy.", 11, ""},
        {"Blunder. I was tired.", 0, ""},
        {"A mistake.", 0, ""},
        {"Mistake. Nf3 was best", 0, ""},
        {"Mistake. Nf3 was best.x", 0, ""},
    };
    for (const auto &[s, n, sBest] : Comments) {
        EXPECT_EQ(Review::ReviewCommentLength(s), n) << s;
        EXPECT_EQ(Review::ReviewBestMove(s), sBest) << s;
    }
}

TEST(Review, JudgesMovesAsLichess) {
    struct Row {
        Uci::Score oBefore, oAfter; // White's view
        bool bWhiteMoved;
        J e;
        const char *sWords;
    } const Rows[] = {
        {Cp(0), Cp(-54), true, J::None, ""}, // a drop of 0.0994
        {Cp(0), Cp(-55), true, J::Inaccuracy, "Inaccuracy"},
        {Cp(0), Cp(-111), true, J::Mistake, "Mistake"},
        {Cp(0), Cp(-169), true, J::Blunder, "Blunder"},
        {Cp(0), Cp(169), false, J::Blunder, "Blunder"}, // Black's drop
        {Cp(1500), Cp(1000), true, J::None, ""},        // winning chances, not pawns
        // Mates let in, judged by how bad it already was.
        {Cp(-50), Mate(-4), true, J::Blunder, "Checkmate is now unavoidable"},
        {Cp(-800), Mate(-4), true, J::Mistake, "Checkmate is now unavoidable"},
        {Cp(1200), Mate(5), false, J::Inaccuracy, "Checkmate is now unavoidable"},
        // Mates let slip, judged by what is left.
        {Mate(3), Cp(400), true, J::Blunder, "Lost forced checkmate sequence"},
        {Mate(3), Cp(800), true, J::Mistake, "Lost forced checkmate sequence"},
        {Mate(-3), Cp(-1200), false, J::Inaccuracy, "Lost forced checkmate sequence"},
        {Mate(3), Mate(-2), true, J::Blunder, "Lost forced checkmate sequence"},
        {Mate(2), Mate(5), true, J::None, ""}, // slower, still mating
        {Mate(1), {Kind::Mated, Bound::Exact, 1}, true, J::None, ""},
    };
    for (const Row &r : Rows) {
        std::string_view sWords;
        EXPECT_EQ(Review::Judge(r.oBefore, r.oAfter, r.bWhiteMoved, &sWords), r.e)
            << Review::EvalText(r.oBefore) << " to " << Review::EvalText(r.oAfter);
        EXPECT_EQ(sWords, r.sWords);
    }
}

// Lila's own cases for its accuracy (AccuracyPercentTest), with its start score of 15: within
// 1 of a perfect 100, else within the tolerance.
TEST(Review, AccuracyAgreesWithLichess) {
    struct Row {
        std::vector<int> oCps; // after each move
        bool bWhiteFirst;
        double dWhite, dBlack, dTolerance;
    };
    std::vector<Row> oRows = {
        {{15, 15}, true, 100, 100, 1},
        {{-900, -900}, true, 10, 100, 5},
        {{15, 900}, true, 100, 10, 5},
        {{-900, 0}, true, 10, 10, 5},
        {{900, 900}, false, 100, 10, 5},
        {{15, -900}, false, 10, 100, 5},
        {std::vector<int>(20, 15), true, 100, 100, 1},
    };
    oRows.push_back({std::vector<int>(20, 15), true, 50, 100, 5});
    oRows.back().oCps.push_back(-900);
    for (const int n : {5, 50})
        for (const auto &[nBad, dExpected] : {std::pair{-50, 76.0}, {-135, 54.0}, {-435, 20.0}}) {
            oRows.push_back({{}, true, dExpected, dExpected, 8});
            for (int i = 0; i < n; ++i)
                oRows.back().oCps.insert(oRows.back().oCps.end(), {nBad, 15});
        }
    for (const Row &r : oRows) {
        std::vector<Uci::Score> oScores{Cp(15)};
        for (const int n : r.oCps)
            oScores.push_back(Cp(n));
        const auto o = Review::Accuracy(oScores, r.bWhiteFirst);
        ASSERT_TRUE(o[0] && o[1]);
        EXPECT_NEAR(*o[0], r.dWhite, r.dWhite == 100 ? 1 : r.dTolerance) << r.oCps.size();
        EXPECT_NEAR(*o[1], r.dBlack, r.dBlack == 100 ? 1 : r.dTolerance) << r.oCps.size();
    }
    EXPECT_FALSE(Review::Accuracy({Cp(15), Cp(15)}, true)[1]); // Black never moved
}

// 1. e4 e5 2. Nf3 f6?: the engine's scores from White's side, f6 a blunder where Nc6 was best.
Review::GameAnalysis Blundered(std::size_t nSearched) {
    Review::GameAnalysis o;
    o.sStartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
    o.oMoves = {"e2e4", "e7e5", "g1f3", "f7f6"};
    const std::tuple<int, const char *, std::vector<std::string>> Plies[] = {
        {20, "e2e4", {"e4", "e5"}},      {30, "e7e5", {"e5"}},
        {25, "g1f3", {"Nf3"}},           {30, "b8c6", {"Nc6", "Bb5"}},
        {250, "f3e5", {"Nxe5", "fxe5"}},
    };
    for (std::size_t i = 0; i < std::size(Plies); ++i) {
        const auto &[nCp, sBest, oLine] = Plies[i];
        o.oPlies.push_back({i < nSearched, Cp(nCp), 10, 1000, sBest, oLine, {}, {}});
    }
    Review::JudgeGame(o);
    return o;
}

// What an analysis writes into a game, and what a later run replaces: only its own.
TEST(Review, AnnotatesTheGameKeepingThePlayersNotes) {
    const std::string sFresh = "1. e4 {[%eval 0.30]} 1... e5 {[%eval 0.25]} 2. Nf3 {[%eval 0.30]} "
                               "2... f6 $4 {Blunder. Nc6 was best. [%eval 2.50]} (2... Nc6 3. Bb5)";
    const struct {
        const char *sWhy;
        const char *sGame;
        std::size_t nSearched;
        std::string sWritten; // the movetext, its lines joined
    } Rows[] = {
        {"a bare game", "1. e4 e5 2. Nf3 f6 *", 5, sFresh + " *"},
        {"an earlier run's words, mark, evaluation and line give way; the player's words stay",
         "1. e4 e5 2. Nf3 {[%eval 9.99]} f6 $2 {Mistake. d6 was best. I had a plan.} "
         "(2... d6 3. d4) *",
         5,
         "1. e4 {[%eval 0.30]} 1... e5 {[%eval 0.25]} 2. Nf3 {[%eval 0.30]} 2... f6 $4 "
         "{Blunder. Nc6 was best. I had a plan. [%eval 2.50]} (2... Nc6 3. Bb5) *"},
        {"a line someone wrote in stays, and the player's own mark",
         "1. e4 e5 2. Nf3 f6 $1 {Inaccuracy. d6 was best.} (2... d6 {mine} 3. d4) *", 5,
         "1. e4 {[%eval 0.30]} 1... e5 {[%eval 0.25]} 2. Nf3 {[%eval 0.30]} 2... f6 $1 "
         "{Blunder. Nc6 was best. [%eval 2.50]} (2... d6 {mine} 3. d4) (2... Nc6 3. Bb5) *"},
        {"a run again gives the same game", "", 5, sFresh + " *"},
        {"moves not reached keep what they had",
         "1. e4 e5 2. Nf3 f6 $2 {Mistake. d6 was best.} (2... d6 3. d4) *", 3,
         "1. e4 {[%eval 0.30]} 1... e5 {[%eval 0.25]} 2. Nf3 f6 $2 {Mistake. d6 was best.} "
         "(2... d6 3. d4) *"},
        {"it stops where the game leaves the moves analysed", "1. e4 e5 2. Bc4 f6 *", 5,
         "1. e4 {[%eval 0.30]} 1... e5 {[%eval 0.25]} 2. Bc4 f6 *"},
    };
    for (const auto &r : Rows) {
        clsRules oGame;
        Pgn::Load(oGame, *r.sGame ? std::string(r.sGame) : sFresh + " *");
        Review::Annotate(oGame, Blundered(r.nSearched));
        std::string s = Pgn::Write(oGame);
        s = s.substr(s.find("\n\n") + 2);
        std::replace(s.begin(), s.end(), '\n', ' ');
        EXPECT_EQ(s.substr(0, s.find_last_not_of(' ') + 1), r.sWritten) << r.sWhy;
    }
}

} // namespace
