#pragma once

#include "modConsts.h"

#include <cstdint>

// One piece. Plain values; squares share piece objects, so a change made through one square
// is seen through every square that refers to the same object.
class clsPiece {
public:
    std::int16_t Class = modConsts::NoPiece;
    bool IsWhite = false;
    bool HasMoved = false;

    friend bool operator==(const clsPiece &, const clsPiece &) = default;
};
