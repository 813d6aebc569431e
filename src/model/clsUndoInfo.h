#pragma once

#include "clsPiece.h"

#include <cstdint>

// What is needed to take one move back. The two pieces are the record's own copies, taken before
// the move and kept by value, so that recording a move takes no memory from the heap; an undo
// hands a copy of its own to the square.
class clsUndoInfo {
public:
    std::int16_t MoveType() const { return m_nMoveType; }
    bool DestHasPiece() const { return m_bDestHasPiece; }
    int SrcSquare() const { return m_nSrcSquare; }
    int DestSquare() const { return m_nDestSquare; }
    const clsPiece *SrcPiece() const { return &m_oSrcPiece; }
    const clsPiece *DestPiece() const { return &m_oDestPiece; }
    bool IsWhitesTurn() const { return m_bIsWhitesTurn; }
    bool EnPassantPossible() const { return m_bEnPassantPossible; }
    std::int16_t EnPassantColumn() const { return m_nEnPassantColumn; }

    void SetInfo(std::int16_t nMoveType, int nSrcSquare, const clsPiece &oSrcPiece, int nDestSquare,
                 bool bDestHasPiece, const clsPiece &oDestPiece, bool bIsWhitesTurn,
                 bool bEnPassantPossible, std::int16_t nEnPassantColumn) {
        m_nMoveType = nMoveType;
        m_nSrcSquare = nSrcSquare;
        m_oSrcPiece = oSrcPiece;
        m_nDestSquare = nDestSquare;
        m_bDestHasPiece = bDestHasPiece;
        if (bDestHasPiece)
            m_oDestPiece = oDestPiece;
        m_bIsWhitesTurn = bIsWhitesTurn;
        m_bEnPassantPossible = bEnPassantPossible;
        m_nEnPassantColumn = nEnPassantColumn;
    }

private:
    std::int16_t m_nMoveType = 0;
    int m_nSrcSquare = 0;
    clsPiece m_oSrcPiece;
    int m_nDestSquare = 0;
    bool m_bDestHasPiece = false;
    clsPiece m_oDestPiece;
    bool m_bIsWhitesTurn = false;
    bool m_bEnPassantPossible = false;
    std::int16_t m_nEnPassantColumn = 0;
};
