#pragma once

#include "clsPiece.h"

#include <cstdint>
#include <memory>

// What is needed to take one move back. The two pieces are the record's own copies, taken before
// the move; an undo hands a copy to its square, so it may outlive the record.
class clsUndoInfo {
public:
    std::int16_t MoveType() const { return m_nMoveType; }
    bool DestHasPiece() const { return m_bDestHasPiece; }
    int SrcSquare() const { return m_nSrcSquare; }
    int DestSquare() const { return m_nDestSquare; }
    const std::shared_ptr<clsPiece> &SrcPiece() const { return m_oSrcPiece; }
    const std::shared_ptr<clsPiece> &DestPiece() const { return m_oDestPiece; }
    bool IsWhitesTurn() const { return m_bIsWhitesTurn; }
    bool EnPassantPossible() const { return m_bEnPassantPossible; }
    std::int16_t EnPassantColumn() const { return m_nEnPassantColumn; }

    void SetInfo(std::int16_t nMoveType, int nSrcSquare, const clsPiece &oSrcPiece, int nDestSquare,
                 bool bDestHasPiece, const clsPiece &oDestPiece, bool bIsWhitesTurn,
                 bool bEnPassantPossible, std::int16_t nEnPassantColumn) {
        m_nMoveType = nMoveType;
        m_nSrcSquare = nSrcSquare;
        *m_oSrcPiece = oSrcPiece;
        m_nDestSquare = nDestSquare;
        m_bDestHasPiece = bDestHasPiece;
        if (bDestHasPiece)
            *m_oDestPiece = oDestPiece;
        m_bIsWhitesTurn = bIsWhitesTurn;
        m_bEnPassantPossible = bEnPassantPossible;
        m_nEnPassantColumn = nEnPassantColumn;
    }

private:
    std::int16_t m_nMoveType = 0;
    int m_nSrcSquare = 0;
    std::shared_ptr<clsPiece> m_oSrcPiece = std::make_shared<clsPiece>();
    int m_nDestSquare = 0;
    bool m_bDestHasPiece = false;
    std::shared_ptr<clsPiece> m_oDestPiece = std::make_shared<clsPiece>();
    bool m_bIsWhitesTurn = false;
    bool m_bEnPassantPossible = false;
    std::int16_t m_nEnPassantColumn = 0;
};
