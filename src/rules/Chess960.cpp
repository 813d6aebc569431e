#include "Chess960.h"

#include "clsRules.h"

#include <array>
#include <cctype>

namespace {

// The knights' two squares among the five left once bishops and queen stand, by the number's
// last digit.
constexpr std::array<std::array<int, 2>, 10> KnightPairs = {
    {{0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}}};

// Puts cPiece on the nth (0-based) empty file of the rank.
void PutOnFree(std::string &sRank, int n, char cPiece) {
    for (char &c : sRank)
        if (c == '.' && n-- == 0) {
            c = cPiece;
            return;
        }
}

} // namespace

namespace Chess960 {

std::string BackRank(int nNumber) {
    if (nNumber < 0 || nNumber >= Count)
        return {};
    std::string s(8, '.');
    int n = nNumber;
    s[static_cast<std::size_t>(2 * (n % 4) + 1)] = 'B'; // light squares: b, d, f, h
    n /= 4;
    s[static_cast<std::size_t>(2 * (n % 4))] = 'B'; // dark squares: a, c, e, g
    n /= 4;
    PutOnFree(s, n % 6, 'Q');
    n /= 6;
    const std::array<int, 2> &oKnights = KnightPairs[static_cast<std::size_t>(n)];
    // The second knight first, so that the first one's index still counts the same squares.
    PutOnFree(s, oKnights[1], 'N');
    PutOnFree(s, oKnights[0], 'N');
    PutOnFree(s, 0, 'R');
    PutOnFree(s, 0, 'K');
    PutOnFree(s, 0, 'R');
    return s;
}

int Number(std::string_view sBackRank) {
    if (sBackRank.size() != 8)
        return -1;
    // Read the digits back from the pieces' places, then check by placing them again.
    int nLight = -1, nDark = -1, nQueen = 0, nFree = 0;
    std::array<int, 2> oKnights{};
    int nKnights = 0;
    for (int x = 0; x < 8; ++x) {
        const char c = sBackRank[static_cast<std::size_t>(x)];
        if (c == 'B')
            (x % 2 ? nLight : nDark) = x / 2;
    }
    for (int x = 0; x < 8; ++x) {
        const char c = sBackRank[static_cast<std::size_t>(x)];
        if (c == 'B')
            continue;
        if (c == 'Q')
            nQueen = nFree;
        ++nFree;
    }
    nFree = 0;
    for (int x = 0; x < 8; ++x) {
        const char c = sBackRank[static_cast<std::size_t>(x)];
        if (c == 'B' || c == 'Q')
            continue;
        if (c == 'N' && nKnights < 2)
            oKnights[static_cast<std::size_t>(nKnights++)] = nFree;
        ++nFree;
    }
    int nPair = -1;
    for (std::size_t k = 0; k < KnightPairs.size(); ++k)
        if (KnightPairs[k] == oKnights)
            nPair = static_cast<int>(k);
    if (nLight < 0 || nDark < 0 || nPair < 0)
        return -1;
    const int nNumber = ((nPair * 6 + nQueen) * 4 + nDark) * 4 + nLight;
    return BackRank(nNumber) == sBackRank ? nNumber : -1;
}

std::string Layout(int nNumber) {
    const std::string sRank = BackRank(nNumber);
    if (sRank.empty())
        return {};
    std::string s;
    s.reserve(128);
    auto Rank = [&s, &sRank](char cColour) {
        for (const char c : sRank) {
            s += cColour;
            s += c;
        }
    };
    Rank('B');
    s += "BPBPBPBPBPBPBPBP";
    s += std::string(64, 'X');
    s += "WPWPWPWPWPWPWPWP";
    Rank('W');
    return s;
}

std::string Fen(int nNumber) {
    const std::string sRank = BackRank(nNumber);
    if (sRank.empty())
        return {};
    std::string sBlack = sRank;
    for (char &c : sBlack)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return sBlack + "/pppppppp/8/8/8/8/PPPPPPPP/" + sRank + " w KQkq - 0 1";
}

bool IsVariantName(std::string_view sValue) {
    std::string s;
    for (const char c : sValue)
        if (c != ' ' && c != '-' && c != '_')
            s += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s == "chess960" || s == "fischerandom" || s == "fischerrandom" || s == "frc" ||
           s == "960";
}

int StartNumber(const clsRules &oRules) {
    if (!oRules.Is960())
        return -1;
    const clsRules::Position &p = oRules.PositionAt(0);
    if (!p.bWhiteToMove || p.nCastling != 15 || p.nHalfmove != 0 || p.nFullmove != 1 ||
        p.nEnPassantColumn != 0)
        return -1;
    static constexpr std::string_view Letters = "KQRNBP"; // by the black class code
    std::string sRank;
    for (int x = 1; x <= 8; ++x) {
        const int c = p.nClass[static_cast<std::size_t>(clsRules::SquareIndex(x, 8) - 1)];
        if (c < modConsts::WhiteOffset)
            return -1;
        sRank += Letters[static_cast<std::size_t>(c - modConsts::WhiteOffset)];
    }
    const int nNumber = Number(sRank);
    return nNumber >= 0 && clsRules::FenOf(p) == Fen(nNumber) ? nNumber : -1;
}

} // namespace Chess960
