#include "Perft.h"

#include <array>

namespace {

constexpr std::array<char, 4> PromotionLetters = {'q', 'r', 'n', 'b'};

std::uint64_t Count(clsRules &oRules, int nDepth);

// Calls fn(name, count) for every legal first move.
template <typename Fn>
std::uint64_t Walk(clsRules &oRules, int nDepth, Fn &&fn) {
    if (nDepth <= 0)
        return 1;
    const bool bWhite = oRules.IsWhitesTurn();
    const std::int16_t nBase = bWhite ? modConsts::WhiteOffset : 0;
    std::uint64_t nTotal = 0;
    std::array<std::int8_t, 32> oDests{};
    for (int nSrc = 1; nSrc <= modConsts::SquareCount; ++nSrc) {
        const clsSquare &oSrc = oRules.Square(nSrc);
        if (!oSrc.HasPiece || oSrc.Piece->IsWhite != bWhite)
            continue;
        const int n = oRules.CandidateDestinations(nSrc, oDests);
        for (int k = 0; k < n; ++k) {
            const int nDest = oDests[static_cast<std::size_t>(k)];
            // Each promotion piece is its own move: the move is made once for each.
            for (std::size_t nVariant = 0; nVariant < PromotionLetters.size(); ++nVariant) {
                if (!oRules.TryMove(nSrc, nDest, false))
                    break;
                oRules.MakeMove(nSrc, nDest, true);
                const bool bPromotion = oRules.PromotionPending();
                if (bPromotion)
                    oRules.PromotionChoice(
                        static_cast<std::int16_t>(nBase + modConsts::BlackQueen + nVariant));
                oRules.ClearPromotionPending();
                const int nKing = bWhite ? oRules.WhiteKingSquare() : oRules.BlackKingSquare();
                if (!oRules.IsSquareAttacked(bWhite, nKing)) {
                    std::uint64_t nCount = 1;
                    if (nDepth > 1) {
                        oRules.PassTurn();
                        nCount = Count(oRules, nDepth - 1);
                        oRules.PassTurn();
                    }
                    nTotal += nCount;
                    fn(
                        [&] {
                            std::string s = clsRules::SquareToNotation(nSrc) +
                                            clsRules::SquareToNotation(nDest);
                            if (bPromotion)
                                s += PromotionLetters[nVariant];
                            return s;
                        },
                        nCount);
                }
                oRules.UndoMove();
                if (!bPromotion)
                    break;
            }
        }
    }
    return nTotal;
}

std::uint64_t Count(clsRules &oRules, int nDepth) {
    return Walk(oRules, nDepth, [](const auto &, std::uint64_t) {});
}

} // namespace

std::uint64_t Perft(clsRules &oRules, int nDepth) {
    return Count(oRules, nDepth);
}

std::vector<std::pair<std::string, std::uint64_t>> PerftDivide(clsRules &oRules, int nDepth) {
    std::vector<std::pair<std::string, std::uint64_t>> oResult;
    Walk(oRules, nDepth,
         [&](const auto &name, std::uint64_t nCount) { oResult.emplace_back(name(), nCount); });
    return oResult;
}
