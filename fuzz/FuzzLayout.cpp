// Layout strings given to NewGame: refused exactly when LayoutError names a reason, a refused
// layout leaves the game as it was, and an accepted one reads back unchanged and can be played
// from without harm.
#include <clsRules.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

[[noreturn]] void Fail(const char *sWhat) {
    std::fprintf(stderr, "%s\n", sWhat);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *pData, std::size_t nSize) {
    const bool bWhiteFirst = nSize > 0 && (pData[0] & 1) != 0;
    const std::string sLayout(reinterpret_cast<const char *>(pData), nSize);
    clsRules oRules;
    const std::string sBefore = oRules.Layout();
    const bool bRefusable = !clsRules::LayoutError(sLayout).empty();
    try {
        oRules.NewGame(bWhiteFirst, sLayout);
    } catch (const std::invalid_argument &) {
        if (!bRefusable)
            Fail("an acceptable layout was refused");
        if (oRules.Layout() != sBefore || !oRules.IsWhitesTurn())
            Fail("a refused layout changed the game");
        return 0;
    }
    if (bRefusable)
        Fail("a layout with a fault was accepted");
    if (oRules.Layout() != sLayout || oRules.IsWhitesTurn() != bWhiteFirst)
        Fail("the layout does not read back");
    if (oRules.Square(oRules.WhiteKingSquare()).Piece->Class != modConsts::WhiteKing ||
        oRules.Square(oRules.BlackKingSquare()).Piece->Class != modConsts::BlackKing)
        Fail("king squares do not match the layout");

    // Every move the side to move can try, tried and taken back, leaves the position as it was;
    // the searches may run on any position, however odd.
    for (int s = 1; s <= modConsts::SquareCount; ++s)
        for (int d = 1; d <= modConsts::SquareCount; ++d) {
            const clsRules::MoveStart o = oRules.BeginMove(s, d);
            if (!o.bAccepted)
                continue;
            if (o.bPromotionPending)
                oRules.PromotionChoice(bWhiteFirst ? modConsts::WhiteQueen : modConsts::BlackQueen);
            if (oRules.JudgeMove().bPlayed) {
                oRules.PassTurn();
                oRules.UndoLastMove();
            }
            if (oRules.Layout() != sLayout || oRules.UndoCount() != 0)
                Fail("a tried move was not taken back cleanly");
        }
    for (const bool bWhite : {true, false}) {
        const int nKing = bWhite ? oRules.WhiteKingSquare() : oRules.BlackKingSquare();
        const bool bMated = oRules.IsCheckmate(bWhite, nKing);
        const bool bStalemated = oRules.IsStalemate(bWhite, nKing);
        if ((bMated && bStalemated) || (bMated || bStalemated) == oRules.HasLegalMove(bWhite))
            Fail("mate, stalemate and HasLegalMove disagree");
    }
    if (oRules.Layout() != sLayout)
        Fail("the searches changed the position");
    return 0;
}
