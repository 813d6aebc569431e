#pragma once

#include "modConsts.h"

#include <array>
#include <cstddef>
#include <cstdint>

// One move as the record keeps it: from, to, and the piece a pawn becomes.
struct Move {
    std::int8_t nSrc = 0; // 1 (a8) .. 64 (h1)
    std::int8_t nDest = 0;
    std::int16_t nPromotion = modConsts::NoPiece; // class code of the piece chosen, or NoPiece
    friend bool operator==(const Move &, const Move &) = default;
};

// The legal moves of one position. Fixed capacity, no heap: a position has at most 218.
class MoveList {
public:
    std::size_t size() const { return m_nSize; }
    bool empty() const { return m_nSize == 0; }
    const Move *begin() const { return m_oMoves.data(); }
    const Move *end() const { return m_oMoves.data() + m_nSize; }
    const Move &operator[](std::size_t n) const { return m_oMoves[n]; }
    void push_back(const Move &oMove) {
        if (m_nSize < m_oMoves.size())
            m_oMoves[m_nSize++] = oMove;
    }
    void clear() { m_nSize = 0; }
    bool contains(const Move &oMove) const {
        for (const Move &o : *this)
            if (o == oMove)
                return true;
        return false;
    }

private:
    std::array<Move, 256> m_oMoves;
    std::size_t m_nSize = 0;
};
