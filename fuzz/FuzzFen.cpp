// Any text offered as a FEN: a refusal changes nothing and agrees with FenError; an accepted
// FEN is written back as a FEN that reads to the same position again.
#include <clsRules.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *pData, std::size_t nSize) {
    const std::string sText(reinterpret_cast<const char *>(pData), nSize);
    static clsRules oRules;
    oRules.NewGame();
    const std::string sBefore = oRules.Fen();
    bool bAccepted = true;
    try {
        oRules.SetFen(sText);
    } catch (const std::invalid_argument &) {
        bAccepted = false;
    }
    if (bAccepted != clsRules::FenError(sText).empty() || (!bAccepted && oRules.Fen() != sBefore)) {
        std::fprintf(stderr, "refusal and FenError disagree, or a refusal changed the game\n");
        std::abort();
    }
    if (bAccepted) {
        const std::string sFen = oRules.Fen();
        oRules.SetFen(sFen);
        if (oRules.Fen() != sFen) {
            std::fprintf(stderr, "a written FEN does not read back to itself\n");
            std::abort();
        }
    }
    return 0;
}
