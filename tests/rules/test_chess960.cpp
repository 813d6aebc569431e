// Chess960: the start positions by number, castling by FIDE's Chess960 rules, the two FEN
// conventions for its rights, its notation and PGN, and the published perft table.
#include "Chess960.h"
#include "Perft.h"
#include "Pgn.h"
#include "TestRules.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <set>

namespace {

// A sample of numbers, then every number: the army of chess, bishops on both colours, the king
// between the rooks, each number a position of its own that reads back to it.
TEST(Chess960, StartPositions) {
    // clang-format off
    for (const auto &[n, s] : {std::pair{0, "BBQNNRKR"}, {1, "BQNBNRKR"}, {4, "QBBNNRKR"}, {518, "RNBQKBNR"}, {959, "RKRNNQBB"}, {960, ""}})
        EXPECT_EQ(Chess960::BackRank(n), s) << n;
    // clang-format on
    std::set<std::string> oSeen;
    clsRules o;
    for (int n = 0; n < Chess960::Count; ++n) {
        const std::string s = Chess960::BackRank(n);
        std::string sArmy = s;
        std::sort(sArmy.begin(), sArmy.end());
        EXPECT_TRUE(sArmy == "BBKNNQRR" && s.find('B') % 2 != s.rfind('B') % 2 &&
                    s.find('R') < s.find('K') && s.find('K') < s.rfind('R') &&
                    oSeen.insert(s).second && Chess960::Number(s) == n)
            << n << " " << s;
        o.NewGame960(n);
        EXPECT_EQ(Chess960::StartNumber(o), n);
    }
}

// Rows: why, a Chess960 position, moves played first, the castling (the king onto its rook), and
// the FEN after it, or "" when it is illegal.
// clang-format off
const char *const Castlings[][5] = {
    {"both move", "4k3/8/8/8/8/8/8/2K4R w K - 0 1", "", "c1h1", "4k3/8/8/8/8/8/8/5RK1 b - - 1 1"},
    {"king only", "4k3/8/8/8/8/8/8/4KR2 w K - 0 1", "", "e1f1", "4k3/8/8/8/8/8/8/5RK1 b - - 1 1"},
    {"rook only", "4k3/8/8/8/8/8/8/6KR w K - 0 1", "", "g1h1", "4k3/8/8/8/8/8/8/5RK1 b - - 1 1"},
    {"swap", "4k3/8/8/8/8/8/8/2RK4 w Q - 3 7", "", "d1c1", "4k3/8/8/8/8/8/8/2KR4 b - - 4 7"},
    {"king's path blocked", "4k3/8/8/8/8/8/8/1K2B2R w K - 0 1", "", "b1h1", ""},
    {"rook's path blocked", "4k3/8/8/8/8/8/8/RN4K1 w Q - 0 1", "", "g1a1", ""},
    {"across an attacked square", "4r1k1/8/8/8/8/8/8/2K4R w K - 0 1", "", "c1h1", ""},
    {"into check", "k5r1/8/8/8/8/8/8/2K4R w K - 0 1", "", "c1h1", ""},
    {"the rook shielded the king", "4k3/8/8/8/8/8/8/rRK5 w Q - 0 1", "", "c1b1", ""},
    {"the king moved", "4k3/8/8/8/8/8/8/1K3RR1 w F - 0 1", "b1b2 e8d8 b2b1 d8e8", "b1f1", ""},
    {"its rook moved", "4k3/8/8/8/8/8/8/1K3RR1 w F - 0 1", "f1f2 e8d8 f2f1 d8e8", "b1f1", ""},
    {"another rook moved", "4k3/8/8/8/8/8/8/1K3RR1 w F - 0 1", "g1g2 e8d8 g2h2 d8e8", "b1f1",
     "4k3/8/8/8/8/8/7R/5RK1 b - - 5 3"},
};
// clang-format on

// Judged alike by the legal-move list and by playing; played, the castling leaves the position
// expected, is written O-O or O-O-O (which reads back) and as the king taking its rook; undo
// restores everything.
TEST(Chess960, Castling) {
    for (const auto &[sWhy, sFen, sBefore, sMove, sAfter] : Castlings) {
        SCOPED_TRACE(sWhy);
        clsRules o;
        o.SetFen(sFen, true);
        ASSERT_TRUE(PlayMoves(o, sBefore));
        const Snapshot oBefore(o);
        const std::vector<std::string> oLegal = LegalCoordinates(o);
        EXPECT_EQ(std::count(oLegal.begin(), oLegal.end(), sMove), *sAfter ? 1 : 0);
        const bool bPlayed = o.PlayMove(MoveOf(o, sMove));
        EXPECT_EQ(bPlayed, *sAfter != '\0');
        if (bPlayed) {
            const std::string sSan = o.Record().back().sSan;
            EXPECT_TRUE(o.Fen() == sAfter && Notation::CoordinateMoves(o).back() == sMove);
            EXPECT_TRUE(sSan.starts_with("O-O") && o.UndoLastMove()) << sSan;
            EXPECT_EQ(Notation::Coordinate(Notation::ParseSan(o, sSan)), sMove);
        }
        EXPECT_EQ(Snapshot(o), oBefore);
    }
}

// Rows: a FEN and the X-FEN written back (KQkq for the outermost rook, else its file), a game
// of Chess960 unless standard chess; or a refusal and its reason.
TEST(Chess960, FenConventions) {
    const char *const Rows[][2] = {
        {"bbqnnrkr/pppppppp/8/8/8/8/PPPPPPPP/BBQNNRKR w HFhf - 0 1",
         "bbqnnrkr/pppppppp/8/8/8/8/PPPPPPPP/BBQNNRKR w KQkq - 0 1"},
        {"1r2k1rr/8/8/8/8/8/8/1R2K1RR w GBgb - 0 1", "1r2k1rr/8/8/8/8/8/8/1R2K1RR w GQgq - 0 1"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w HAha - 0 1", Pgn::StandardFen.data()},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w HEhe - 0 1", "file E names no white rook"},
        {"4k3/8/8/8/8/8/8/R3K3 w K - 0 1", "without a white rook on the king's side of the king"},
    };
    for (const auto &[sFen, sExpected] : Rows) {
        clsRules o, oBack;
        if (const std::string s = clsRules::FenError(sFen); !s.empty()) {
            EXPECT_NE(s.find(sExpected), std::string::npos) << s;
            continue;
        }
        o.SetFen(sFen);
        oBack.SetFen(o.Fen());
        EXPECT_EQ(o.Fen(), sExpected);
        EXPECT_TRUE(o.Is960() == oBack.Is960() && LegalCoordinates(oBack) == LegalCoordinates(o));
        EXPECT_EQ(o.Is960(), o.Fen() != Pgn::StandardFen) << sFen;
    }
}

// The king put on its castling square names the castling where that cannot be a step.
TEST(Chess960, KingsCastlingSquareTyped) {
    clsRules o;
    o.SetFen("4k3/8/8/8/8/8/8/R1K4R w KQ - 0 1", true);
    EXPECT_EQ(Notation::Coordinate(Notation::ParseSan(o, "c1g1")), "c1h1");
    EXPECT_EQ(Notation::Coordinate(Notation::ParseSan(o, "c1b1")), "c1b1") << "a step";
}

// The published Chess960 perft table (tests/data/chess960.perft): a sample here; the knobs
// TAVLON_PERFT960_DEPTH (1..6, default 4) and TAVLON_PERFT960_EVERY (every how many positions,
// default 48; 1 for all 960) run all of it (ctest -L perft960).
TEST(Perft960, PublishedCounts) {
    const char *sDepth = std::getenv("TAVLON_PERFT960_DEPTH");
    const char *sEvery = std::getenv("TAVLON_PERFT960_EVERY");
    const int nDepth = sDepth ? std::atoi(sDepth) : 4;
    const int nEvery = std::max(1, sEvery ? std::atoi(sEvery) : 48);
    std::ifstream oFile(TAVLON_TEST_DATA "/chess960.perft");
    int nIndex = 0;
    for (std::string sLine; std::getline(oFile, sLine);) {
        if (sLine.starts_with('#') || nIndex++ % nEvery != 0)
            continue;
        const std::vector<std::string> oFields = Split(sLine, ';');
        clsRules o;
        o.SetFen(oFields.at(0), true);
        EXPECT_EQ(Perft(o, nDepth), std::stoull(oFields.at(std::size_t(nDepth))))
            << "position " << nIndex - 1 << ": " << oFields[0];
    }
    EXPECT_EQ(nIndex, 960) << "the table read whole";
}

} // namespace
