#pragma once

#include "clsPiece.h"

#include <cstdint>
#include <memory>

// One of the 64 squares. Occupancy is told by HasPiece alone: an empty square still refers to a
// piece object (a blank one, or the piece that last left it), whose values then mean nothing.
class clsSquare {
public:
    bool IsDark = false;
    bool HasPiece = false;
    std::shared_ptr<clsPiece> Piece = std::make_shared<clsPiece>();

    std::int16_t X() const { return m_nX; }
    std::int16_t Y() const { return m_nY; }
    void Coordinate(std::int16_t nX, std::int16_t nY) {
        m_nX = nX;
        m_nY = nY;
    }

private:
    std::int16_t m_nX = 0;
    std::int16_t m_nY = 0;
};
