// tavlon-perft: counts leaf positions to a depth, to prove the rules exact.
//   tavlon-perft [--divide] [--chess960] "<fen>" <depth>
//   tavlon-perft [--divide] <layout|start> <w|b> <depth>
// The FEN's castling field may be X-FEN (KQkq) or Shredder-FEN (HAha); a Chess960 position is
// recognised by its rights, and --chess960 makes any one a Chess960 game (castling then divides
// as the king taking its rook, e1h1, as UCI_Chess960 writes it).
#include "Perft.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: tavlon-perft [--divide] [--chess960] \"<fen>\" <depth>\n"
                         "       tavlon-perft [--divide] <128-character layout|start> <w|b> "
                         "<depth>\n");
    return 2;
}

} // namespace

int main(int argc, char **argv) {
    int nArg = 1;
    bool bDivide = false;
    bool b960 = false;
    for (; nArg < argc && std::string_view(argv[nArg]).starts_with("--"); ++nArg) {
        const std::string_view sOption = argv[nArg];
        if (sOption == "--divide")
            bDivide = true;
        else if (sOption == "--chess960")
            b960 = true;
        else
            return Usage();
    }
    const bool bFen = argc - nArg == 2;
    if (!bFen && argc - nArg != 3)
        return Usage();
    const std::string_view sPosition = argv[nArg];
    const std::string_view sSide = bFen ? "w" : argv[nArg + 1];
    char *pEnd = nullptr;
    const long nDepth = std::strtol(argv[bFen ? nArg + 1 : nArg + 2], &pEnd, 10);
    if ((sSide != "w" && sSide != "b") || *pEnd != '\0' || nDepth < 0 || nDepth > 12 ||
        (b960 && !bFen))
        return Usage();

    clsRules oRules;
    try {
        if (bFen)
            oRules.SetFen(sPosition, b960);
        else
            oRules.NewGame(sSide == "w",
                           sPosition == "start" ? modConsts::StandardLayout : sPosition);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "tavlon-perft: %s\n", e.what());
        return 2;
    }

    const auto tStart = std::chrono::steady_clock::now();
    std::uint64_t nLeaves = 0;
    if (bDivide) {
        for (const auto &[sMove, nCount] : PerftDivide(oRules, static_cast<int>(nDepth))) {
            std::printf("%s: %llu\n", sMove.c_str(), static_cast<unsigned long long>(nCount));
            nLeaves += nCount;
        }
    } else {
        nLeaves = Perft(oRules, static_cast<int>(nDepth));
    }
    const std::chrono::duration<double> tSpent = std::chrono::steady_clock::now() - tStart;
    std::printf("leaves=%llu seconds=%.3f\n", static_cast<unsigned long long>(nLeaves),
                tSpent.count());
    return 0;
}
