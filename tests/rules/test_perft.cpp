#include "Perft.h"
#include "TestPositions.h"

#include <gtest/gtest.h>

namespace {

struct PerftCase {
    const char *sName;
    const char *sPlacement; // "start" for the standard layout
    bool bWhiteToMove;
    int nDepth;
    std::uint64_t nLeaves;
};

// Published counts of well-known test positions: they exercise castling rights, en passant,
// promotions, pins and checks far more densely than games do.
constexpr PerftCase Cases[] = {
    {"start", "start", true, 1, 20},
    {"start", "start", true, 2, 400},
    {"start", "start", true, 3, 8902},
    {"start", "start", true, 4, 197281},
    {"middlegame", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R", true, 1, 48},
    {"middlegame", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R", true, 2, 2039},
    {"middlegame", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R", true, 3, 97862},
    {"endgame", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8", true, 4, 43238},
    {"promotions", "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1", true, 3, 9467},
    {"black to move", "r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R", false, 3, 9467},
};

class PerftTest : public testing::TestWithParam<PerftCase> {};

TEST_P(PerftTest, CountsPublishedLeaves) {
    const PerftCase &c = GetParam();
    clsRules oRules;
    const std::string sLayout = std::string_view(c.sPlacement) == "start"
                                    ? std::string(modConsts::StandardLayout)
                                    : LayoutFromFen(c.sPlacement);
    oRules.NewGame(c.bWhiteToMove, sLayout);
    const Snapshot oBefore(oRules);
    EXPECT_EQ(Perft(oRules, c.nDepth), c.nLeaves);
    EXPECT_EQ(Snapshot(oRules), oBefore) << "perft must leave the position as it found it";
}

INSTANTIATE_TEST_SUITE_P(KnownPositions, PerftTest, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<PerftCase> &oInfo) {
                             std::string s = oInfo.param.sName;
                             for (char &c : s)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return s + "_depth" + std::to_string(oInfo.param.nDepth);
                         });

} // namespace
