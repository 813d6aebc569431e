// Any text loaded as PGN: a refusal changes nothing; an accepted game is written out and loads
// back to the same moves, position and result.
#include <Pgn.h>
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
    static clsRules oRules;
    static clsRules oAgain;
    oRules.NewGame();
    oRules.PlayMove(Move{53, 37, modConsts::NoPiece}); // e2e4: a game that must survive refusals
    try {
        Pgn::Load(oRules, std::string_view(reinterpret_cast<const char *>(pData), nSize));
    } catch (const std::invalid_argument &) {
        if (oRules.History().size() != 1 || oRules.StartFen() != Pgn::StandardFen)
            Fail("a refused text changed the game");
        return 0;
    }
    const std::string sPgn = Pgn::Write(oRules);
    try {
        Pgn::Load(oAgain, sPgn);
    } catch (const std::invalid_argument &e) {
        std::fprintf(stderr, "%s\n%s\n", e.what(), sPgn.c_str());
        Fail("a written game does not load");
    }
    if (oAgain.History() != oRules.History() || oAgain.Fen() != oRules.Fen() ||
        oAgain.Result() != oRules.Result() || Pgn::Write(oAgain) != sPgn)
        Fail("a written game loads differently");
    return 0;
}
