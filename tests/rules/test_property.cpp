#include "TestPositions.h"

#include <gtest/gtest.h>
#include <random>
#include <set>

namespace {

struct Move {
    int nSrc;
    int nDest;
};

// Moves the side to move may play, by the engine's own judgement.
std::vector<Move> LegalMoves(clsRules &o) {
    std::vector<Move> oMoves;
    std::array<std::int8_t, 32> oDests{};
    for (int nSrc = 1; nSrc <= 64; ++nSrc) {
        const int n = o.CandidateDestinations(nSrc, oDests);
        for (int k = 0; k < n; ++k) {
            const int nDest = oDests[static_cast<std::size_t>(k)];
            const clsRules::MoveStart oStart = o.BeginMove(nSrc, nDest);
            if (!oStart.bAccepted)
                continue;
            if (oStart.bPromotionPending)
                o.PromotionChoice(o.PromotionIsWhite() ? modConsts::WhiteQueen
                                                       : modConsts::BlackQueen);
            if (o.JudgeMove().bPlayed) {
                oMoves.push_back({nSrc, nDest});
                o.UndoMove();
            }
        }
    }
    return oMoves;
}

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
                const std::vector<Move> oMoves = LegalMoves(o);
                oReported.clear();
                if (oMoves.empty() || (o.UndoCount() > 0 && oRandom() % 5 == 0)) {
                    if (!o.UndoLastMove())
                        break;
                } else {
                    const Move m = oMoves[oRandom() % oMoves.size()];
                    const std::int16_t nPiece = static_cast<std::int16_t>(
                        (o.IsWhitesTurn() ? modConsts::WhiteOffset : 0) + 1 + oRandom() % 4);
                    ASSERT_TRUE(o.BeginMove(m.nSrc, m.nDest).bAccepted);
                    o.PromotionChoice(nPiece);
                    ASSERT_TRUE(o.JudgeMove().bPlayed);
                    o.PassTurn();
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
        }
    }
}

} // namespace
