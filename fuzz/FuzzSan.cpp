// Words read as SAN from a few positions: each accepted word names a legal move whose own SAN
// reads back to the same move; refused words change nothing.
#include <Notation.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

// Castling both ways, en passant, promotions with and without capture, pins.
constexpr std::string_view Starts[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "n1n1k3/1P1P4/8/2pP4/8/8/4p1p1/R3K1NR w KQ c6 0 1",
    "1k6/8/8/8/3N1N2/8/1N3N2/K7 w - - 0 1",
};

[[noreturn]] void Fail(const char *sWhat) {
    std::fprintf(stderr, "%s\n", sWhat);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *pData, std::size_t nSize) {
    if (nSize == 0)
        return 0;
    static clsRules oRules;
    oRules.SetFen(Starts[pData[0] % std::size(Starts)]);
    std::string_view sText(reinterpret_cast<const char *>(pData) + 1, nSize - 1);
    std::string sSan;
    for (int nWords = 0; !sText.empty() && nWords < 200; ++nWords) {
        const std::size_t nEnd = sText.find(' ');
        const std::string_view sWord = sText.substr(0, nEnd);
        sText.remove_prefix(nEnd == std::string_view::npos ? sText.size() : nEnd + 1);
        const std::string sBefore = oRules.Fen();
        Move oMove;
        try {
            oMove = Notation::ParseSan(oRules, sWord);
        } catch (const std::invalid_argument &) {
            if (oRules.Fen() != sBefore)
                Fail("a refused word changed the game");
            continue;
        }
        if (!oRules.IsLegal(oMove))
            Fail("an accepted word names an illegal move");
        sSan = Notation::San(oRules, oMove);
        if (oRules.Fen() != sBefore || !(Notation::ParseSan(oRules, sSan) == oMove))
            Fail("a written SAN does not read back to its move");
        oRules.PlayMove(oMove);
    }
    return 0;
}
