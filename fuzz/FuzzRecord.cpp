// The game record's readers, one libFuzzer target each (FUZZ_FEN, FUZZ_SAN or FUZZ_PGN):
// - FEN: a refusal changes nothing and agrees with FenError; an accepted FEN writes back as
//   a FEN that reads to itself.
// - SAN: words read from a few positions; each accepted word names a legal move whose own SAN
//   reads back to it; refused words change nothing.
// - PGN: a refusal changes nothing; an accepted game is written out and loads back to the
//   same moves, position, result and text.
#include <Notation.h>
#include <Pgn.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void Fail(const char *sWhat) {
    std::fprintf(stderr, "%s\n", sWhat);
    std::abort();
}

// Castling both ways, en passant, promotions with and without capture, three knights.
[[maybe_unused]] constexpr std::string_view Starts[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "n1n2k2/1P1P4/8/2pP4/8/8/4p1p1/R3K1NR w KQ c6 0 1",
    "1k6/8/8/8/3N1N2/8/1N3N2/K7 w - - 0 1",
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *pData, std::size_t nSize) {
    std::string_view sText(reinterpret_cast<const char *>(pData), nSize);
    static clsRules oRules;
#if defined(FUZZ_FEN)
    oRules.NewGame();
    bool bAccepted = true;
    try {
        oRules.SetFen(sText);
    } catch (const std::invalid_argument &) {
        bAccepted = false;
    }
    if (bAccepted != clsRules::FenError(sText).empty() ||
        (!bAccepted && oRules.Fen() != Pgn::StandardFen))
        Fail("refusal and FenError disagree, or a refusal changed the game");
    const std::string sFen = oRules.Fen();
    oRules.SetFen(sFen);
    if (oRules.Fen() != sFen)
        Fail("a written FEN does not read back to itself");
#elif defined(FUZZ_SAN)
    if (sText.empty())
        return 0;
    oRules.SetFen(Starts[static_cast<std::uint8_t>(sText[0]) % std::size(Starts)]);
    sText.remove_prefix(1);
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
        const std::string sSan = Notation::San(oRules, oMove);
        if (oRules.Fen() != sBefore || !(Notation::ParseSan(oRules, sSan) == oMove))
            Fail("a written SAN does not read back to its move");
        oRules.PlayMove(oMove);
    }
#elif defined(FUZZ_PGN)
    static clsRules oAgain;
    oRules.NewGame();
    oRules.PlayMove(Move{53, 37, modConsts::NoPiece}); // e2e4: a game that must survive refusals
    try {
        Pgn::Load(oRules, sText);
    } catch (const std::invalid_argument &) {
        if (oRules.Record().size() != 1 || oRules.StartFen() != Pgn::StandardFen)
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
    if (Notation::CoordinateMoves(oAgain) != Notation::CoordinateMoves(oRules) ||
        oAgain.Fen() != oRules.Fen() || oAgain.Result() != oRules.Result() ||
        Pgn::Write(oAgain) != sPgn)
        Fail("a written game loads differently");
#endif
    return 0;
}
