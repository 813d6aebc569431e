// What engine lines say, and how Lichess's rules judge moves from the scores.
#include "Review.h"
#include "UciProtocol.h"

#include <gtest/gtest.h>

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

} // namespace

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
    EXPECT_TRUE(Review::IsReviewComment("Checkmate is now unavoidable. Qxf7# was best."));
    for (const char *s : {"Blunder. I was tired.", "A mistake.", "Mistake. Nf3 was best"})
        EXPECT_FALSE(Review::IsReviewComment(s)) << s;
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
