#pragma once

#include "modConsts.h"

#include <array>
#include <cstdint>

// Fixed random numbers for the position key, made at compile time so every run agrees.
namespace zobrist {

constexpr std::uint64_t SplitMix(std::uint64_t &nState) {
    std::uint64_t z = (nState += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

struct Tables {
    std::array<std::uint64_t, modConsts::ClassCount * modConsts::SquareCount> nPiece{};
    std::array<std::uint64_t, 16> nCastling{}; // by the mask of rights: K 1, Q 2, k 4, q 8
    std::array<std::uint64_t, 9> nEnPassant{}; // by file 1..8
    std::uint64_t nWhiteToMove = 0;
};

constexpr Tables MakeTables() {
    Tables o;
    std::uint64_t nState = 0x5461766C6F6E2D31ull;
    for (std::uint64_t &n : o.nPiece)
        n = SplitMix(nState);
    for (std::uint64_t &n : o.nCastling)
        n = SplitMix(nState);
    for (std::uint64_t &n : o.nEnPassant)
        n = SplitMix(nState);
    o.nCastling[0] = 0;
    o.nEnPassant[0] = 0;
    o.nWhiteToMove = SplitMix(nState);
    return o;
}

inline constexpr Tables Keys = MakeTables();

// nClass a valid class code, nSquare 1..64.
constexpr std::uint64_t Piece(std::int16_t nClass, int nSquare) {
    return Keys.nPiece[static_cast<std::size_t>(nClass * modConsts::SquareCount + nSquare - 1)];
}

} // namespace zobrist
