// Judging moves and attacks runs hundreds of times per player move; it must not touch the heap.
#include "clsRules.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <new>

namespace {
long g_nAllocations = 0;
}

void *operator new(std::size_t nSize) {
    ++g_nAllocations;
    if (void *p = std::malloc(nSize ? nSize : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void *p) noexcept {
    std::free(p);
}
void operator delete(void *p, std::size_t) noexcept {
    std::free(p);
}

namespace {

TEST(Allocation, NoneInTestModeValidationAttackDetectionOrTheMoveList) {
    // Castling is tried from both home squares: its trial king step must not allocate either.
    const std::string sLayout = "BRXXXXXXBKXXXXBRBPBPBPBPBPBPBPBPXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX"
                                "XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXWPWPWPWPWPWPWPWPWRXXXXXXWKXXXXWR";
    clsRules o;
    o.NewGame(true, sLayout);
    int nDrawn = 0;
    o.SetDrawSquareHook([&](int) { ++nDrawn; });
    const long nBefore = g_nAllocations;
    int nAccepted = 0;
    for (int nSrc = 1; nSrc <= 64; ++nSrc)
        for (int nDest = 1; nDest <= 64; ++nDest) {
            nAccepted += o.TryMove(nSrc, nDest, true);
            nAccepted += o.IsSquareAttacked(nSrc % 2 == 0, nDest);
        }
    MoveList oMoves;
    o.LegalMoves(oMoves);
    EXPECT_EQ(g_nAllocations, nBefore);
    EXPECT_EQ(oMoves.size(), 25u); // 16 pawn moves, 5 rook moves, 4 king moves
    EXPECT_GT(nAccepted, 0);
    EXPECT_TRUE(o.TryMove(61, 63, true)) << "castling was among the moves judged";
    EXPECT_TRUE(o.TryMove(5, 3, true));
}

} // namespace
