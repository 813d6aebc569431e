#pragma once

// How each kind of piece moves, written once: the lines a piece steps or slides along and the
// leaps it jumps. TryMove, CandidateDestinations, IsSquareAttacked and PatternDestinations (which
// SAN reading and writing use) all read this table; the pawn's moves and castling depend on the
// position and stay with the rules.

#include "modConsts.h"

#include <array>
#include <cstdint>
#include <cstdlib>

namespace Movement {

struct Step {
    std::int8_t dx;
    std::int8_t dy; // rows grow towards White's side
};

// The eight lines from a square: the straight ones (up, right, down, left), then the diagonals
// clockwise from up-right.
inline constexpr std::array<Step, 8> Lines = {
    {{0, -1}, {1, 0}, {0, 1}, {-1, 0}, {1, -1}, {1, 1}, {-1, 1}, {-1, -1}}};
inline constexpr std::uint8_t Straight = 0x0F;
inline constexpr std::uint8_t Diagonal = 0xF0;
inline constexpr std::array<Step, 8> Leaps = {
    {{-1, -2}, {1, -2}, {2, -1}, {2, 1}, {-1, 2}, {1, 2}, {-2, -1}, {-2, 1}}};

// A kind's pattern: the lines it moves along (bit k for Lines[k]), whether it slides along them
// or takes one step, and whether it leaps instead.
struct Pattern {
    std::uint8_t nLines;
    bool bSlides;
    bool bLeaps;
};
// By kind, as the black class codes number them: king, queen, rook, knight, bishop, pawn.
inline constexpr std::array<Pattern, 6> Patterns = {{{Straight | Diagonal, false, false},
                                                     {Straight | Diagonal, true, false},
                                                     {Straight, true, false},
                                                     {0, false, true},
                                                     {Diagonal, true, false},
                                                     {0, false, false}}};

// The line k whose step is (sign dx, sign dy), by [dy + 1][dx + 1]; -1 for none.
inline constexpr std::int8_t LineOfSign[3][3] = {{7, 0, 4}, {3, -1, 1}, {6, 2, 5}};

// Whether a piece of that kind reaches the square (dx, dy) away by its pattern alone (the board
// is not consulted); oStep and nSteps then say how: the squares passed must be empty. Pawns and
// castling are not described here.
constexpr bool Reach(std::int16_t nKind, int dx, int dy, Step &oStep, int &nSteps) {
    if (nKind < 0 || nKind > modConsts::BlackPawn)
        return false;
    const Pattern &p = Patterns[static_cast<std::size_t>(nKind)];
    const int ax = dx < 0 ? -dx : dx;
    const int ay = dy < 0 ? -dy : dy;
    if (p.bLeaps) {
        nSteps = 1;
        oStep = {static_cast<std::int8_t>(dx), static_cast<std::int8_t>(dy)};
        return (ax == 1 && ay == 2) || (ax == 2 && ay == 1);
    }
    if ((ax == 0 && ay == 0) || (ax != 0 && ay != 0 && ax != ay))
        return false;
    const int k = LineOfSign[(dy > 0) - (dy < 0) + 1][(dx > 0) - (dx < 0) + 1];
    nSteps = ax > ay ? ax : ay;
    if (!((p.nLines >> k) & 1) || (!p.bSlides && nSteps != 1))
        return false;
    oStep = Lines[static_cast<std::size_t>(k)];
    return true;
}

} // namespace Movement
