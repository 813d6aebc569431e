// The loss on time and its exception: an opponent who cannot mate by any series of legal moves.
#include "clsRules.h"

#include <deque>
#include <unordered_set>

using namespace modConsts;

namespace {

// Positions the reachability search may visit before it gives up and assumes a mate exists.
// Locked pawn chains with kings behind them stay well below it.
constexpr std::size_t SearchLimit = 4000;

} // namespace

bool clsRules::FlagFall() {
    if (IsGameOver() || m_bMoveBegun || bPromotionPending)
        return false;
    if (CanCheckmate(!bIsWhitesTurn))
        EndGame(GameEnd::TimeForfeit, bIsWhitesTurn ? "0-1" : "1-0");
    else
        EndGame(GameEnd::TimeForfeitDraw, "1/2-1/2");
    return true;
}

bool clsRules::CanCheckmate(bool bWhite) const {
    const auto &n = m_oMaterial.nCount;
    auto Count = [&](std::int16_t nBlackClass, bool bOfWhite) {
        return int{n[static_cast<std::size_t>(nBlackClass + (bOfWhite ? WhiteOffset : 0))]};
    };
    int nMine = 0;
    for (const std::int16_t c : {BlackQueen, BlackRook, BlackBishop, BlackKnight, BlackPawn})
        nMine += Count(c, bWhite);
    if (nMine == 0 || DeadPosition())
        return false;
    // A queen or rook mates wherever the position leaves it free; the rare trapped one is not
    // worth a search that would end at its limit anyway.
    if (Count(BlackQueen, bWhite) + Count(BlackRook, bWhite) > 0)
        return true;
    // Every position reachable from here, breadth first: a mate given by the side proves it can;
    // running out of positions proves it cannot; reaching the limit proves nothing, so it can.
    clsRules oScratch;
    std::unordered_set<std::uint64_t> oSeen{PositionKey()};
    std::deque<std::string> oQueue{Fen()};
    MoveList oMoves;
    while (!oQueue.empty()) {
        oScratch.SetFen(oQueue.front());
        oQueue.pop_front();
        oScratch.LegalMoves(oMoves);
        for (const Move &oMove : oMoves) {
            MoveVerdict oVerdict;
            oScratch.PlayMove(oMove, &oVerdict);
            if (oVerdict.bOpponentMated && oScratch.IsWhitesTurn() != bWhite)
                return true;
            if (!oScratch.IsGameOver() && oSeen.insert(oScratch.PositionKey()).second) {
                if (oSeen.size() > SearchLimit)
                    return true;
                oQueue.push_back(oScratch.Fen());
            }
            oScratch.UndoLastMove();
        }
    }
    return false;
}
