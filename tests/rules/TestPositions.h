#pragma once

#include "clsRules.h"

#include <array>
#include <cctype>
#include <string>
#include <string_view>

// Test-side helpers: positions written as the piece-placement field of a FEN.
inline std::string LayoutFromFen(std::string_view sPlacement) {
    std::string s;
    for (const char c : sPlacement) {
        if (c == '/')
            continue;
        if (std::isdigit(static_cast<unsigned char>(c))) {
            for (int i = 0; i < c - '0'; ++i)
                s += "XX";
            continue;
        }
        s += std::isupper(static_cast<unsigned char>(c)) ? 'W' : 'B';
        s += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return s;
}

inline int Sq(std::string_view sName) {
    return clsRules::NotationToSquare(sName);
}

// Everything a move and its undo may touch, for comparing before and after.
struct Snapshot {
    std::string sLayout;
    std::array<bool, 64> bMoved{};
    bool bIsWhitesTurn = false;
    bool bEnPassant = false;
    int nEnPassantColumn = 0;
    int nWhiteKing = 0;
    int nBlackKing = 0;
    std::size_t nUndoCount = 0;
    bool bPromotionPending = false;

    explicit Snapshot(const clsRules &o)
        : sLayout(o.Layout()), bIsWhitesTurn(o.IsWhitesTurn()), bEnPassant(o.EnPassantPossible()),
          nEnPassantColumn(o.EnPassantPossible() ? o.EnPassantColumn() : 0),
          nWhiteKing(o.WhiteKingSquare()), nBlackKing(o.BlackKingSquare()),
          nUndoCount(o.UndoCount()), bPromotionPending(o.PromotionPending()) {
        for (int i = 1; i <= 64; ++i)
            bMoved[static_cast<std::size_t>(i - 1)] =
                o.Square(i).HasPiece && o.Square(i).Piece->HasMoved;
    }
    bool operator==(const Snapshot &) const = default;
};

// Plays a move as a player does; true when it was played.
inline bool Play(clsRules &o, std::string_view sSrc, std::string_view sDest,
                 std::int16_t nPromotion = modConsts::NoPiece,
                 clsRules::MoveVerdict *pVerdict = nullptr) {
    const clsRules::MoveStart oStart = o.BeginMove(Sq(sSrc), Sq(sDest));
    if (!oStart.bAccepted)
        return false;
    if (oStart.bPromotionPending)
        o.PromotionChoice(nPromotion);
    const clsRules::MoveVerdict oVerdict = o.JudgeMove();
    if (pVerdict)
        *pVerdict = oVerdict;
    if (oVerdict.bPlayed)
        o.PassTurn();
    return oVerdict.bPlayed;
}
