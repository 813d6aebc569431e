#include "Perft.h"

#include "Notation.h"

#include <array>

namespace {

// A listed move made and taken back the raw way: no verdicts, no game record.
void Make(clsRules &oRules, const Move &m) {
    oRules.TryMove(m.nSrc, m.nDest, false);
    oRules.MakeMove(m.nSrc, m.nDest, true);
    if (m.nPromotion != modConsts::NoPiece)
        oRules.PromotionChoice(m.nPromotion);
    oRules.ClearPromotionPending();
    oRules.PassTurn();
}

void Unmake(clsRules &oRules) {
    oRules.PassTurn();
    oRules.UndoMove();
}

std::uint64_t Count(clsRules &oRules, int nDepth) {
    if (nDepth <= 0)
        return 1;
    MoveList oMoves;
    oRules.ListMoves(oMoves);
    if (nDepth == 1)
        return oMoves.size();
    std::uint64_t nTotal = 0;
    for (const Move &m : oMoves) {
        Make(oRules, m);
        nTotal += Count(oRules, nDepth - 1);
        Unmake(oRules);
    }
    return nTotal;
}

} // namespace

std::uint64_t Perft(clsRules &oRules, int nDepth) {
    return Count(oRules, nDepth);
}

std::vector<std::pair<std::string, std::uint64_t>> PerftDivide(clsRules &oRules, int nDepth) {
    std::vector<std::pair<std::string, std::uint64_t>> oResult;
    if (nDepth <= 0)
        return oResult;
    MoveList oMoves;
    oRules.ListMoves(oMoves);
    for (const Move &m : oMoves) {
        Make(oRules, m);
        oResult.emplace_back(Notation::Coordinate(m), Count(oRules, nDepth - 1));
        Unmake(oRules);
    }
    return oResult;
}
