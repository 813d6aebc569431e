#include "TestPositions.h"

#include <gtest/gtest.h>
#include <random>
#include <set>

namespace {

std::string Contents(const clsRules &o) {
    std::string s = o.Layout();
    for (int i = 1; i <= 64; ++i)
        s += o.Square(i).HasPiece ? "P" : "-";
    return s;
}

// Random games with random take-backs: every square that changed on the board must have been
// reported to the draw hook, and taking everything back restores the start exactly.
TEST(Property, ChangedSquaresAreReportedAndUndoRestoresTheStart) {
    const char *Starts[][2] = {
        {"start", "w"},
        {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R", "w"},
        {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1", "w"},
        {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8", "b"},
    };
    std::mt19937 oRandom(20261206);
    for (const auto &[sPlacement, sSide] : Starts) {
        for (int nGame = 0; nGame < 6; ++nGame) {
            clsRules o;
            o.NewGame(std::string_view(sSide) == "w", std::string_view(sPlacement) == "start"
                                                          ? std::string(modConsts::StandardLayout)
                                                          : LayoutFromFen(sPlacement));
            const Snapshot oStart(o);
            std::set<int> oReported;
            o.SetDrawSquareHook([&](int n) { oReported.insert(n); });
            for (int nStep = 0; nStep < 60; ++nStep) {
                const std::string sBefore = Contents(o);
                MoveList oMoves;
                o.LegalMoves(oMoves);
                oReported.clear();
                if (oMoves.empty() || (o.UndoCount() > 0 && oRandom() % 5 == 0)) {
                    if (!o.UndoLastMove())
                        break;
                } else {
                    const Move m = oMoves[oRandom() % oMoves.size()];
                    const std::string sFen = o.Fen();
                    ASSERT_TRUE(o.PlayMove(m));
                    // The position reached is one FEN can carry.
                    ASSERT_EQ(clsRules::FenError(o.Fen()), "") << sFen;
                }
                const std::string sAfter = Contents(o);
                for (int i = 1; i <= 64; ++i) {
                    const auto nAt = static_cast<std::size_t>(i - 1);
                    const bool bChanged = sBefore.compare(2 * nAt, 2, sAfter, 2 * nAt, 2) != 0;
                    EXPECT_TRUE(!bChanged || oReported.count(i))
                        << "square " << clsRules::SquareToNotation(i) << " changed unreported";
                }
            }
            while (o.UndoLastMove()) {
            }
            EXPECT_EQ(Snapshot(o), oStart) << sPlacement << " game " << nGame;
            EXPECT_EQ(o.Fen(), o.StartFen());
        }
    }
}

} // namespace
