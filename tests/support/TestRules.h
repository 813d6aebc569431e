#pragma once

// What every suite shares about the core: one reader of FEN piece placement, square names, the
// player's road for a move, moves by their coordinates, the core's own legal-move list, and the
// names of table rows.

#include "Notation.h"
#include "clsRules.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <string_view>
#include <vector>

// The piece letter on each square of a FEN's placement, a8 first, '.' where empty.
inline std::string FenSquares(std::string_view sFen) {
    std::string s;
    for (const char c : sFen.substr(0, sFen.find(' ')))
        if (c != '/')
            s.append(std::isdigit(static_cast<unsigned char>(c)) ? std::size_t(c - '0') : 1,
                     std::isdigit(static_cast<unsigned char>(c)) ? '.' : c);
    return s;
}

// The same placement as a layout string for NewGame.
inline std::string LayoutFromFen(std::string_view sFen) {
    std::string s;
    for (const char c : FenSquares(sFen))
        s += c == '.' ? std::string(modConsts::EmptyLayoutCode)
                      : std::string{std::isupper(static_cast<unsigned char>(c)) ? 'W' : 'B',
                                    static_cast<char>(std::toupper(static_cast<unsigned char>(c)))};
    return s;
}

inline int Sq(std::string_view sName) {
    return clsRules::NotationToSquare(sName);
}

// Everything a move and its undo may touch, for comparing before and after.
struct Snapshot {
    std::string sFen;
    std::array<bool, 64> bMoved{};
    std::size_t nUndoCount = 0;
    bool bPromotionPending = false;

    explicit Snapshot(const clsRules &o)
        : sFen(o.Fen()), nUndoCount(o.UndoCount()), bPromotionPending(o.PromotionPending()) {
        for (int i = 1; i <= 64; ++i)
            bMoved[std::size_t(i - 1)] = o.Square(i).HasPiece && o.Square(i).Piece->HasMoved;
    }
    bool operator==(const Snapshot &) const = default;
};

// Plays a move as a player does: begin, answer a promotion, judge, pass the turn.
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

// A move given by its coordinates, "e2e4" or "e7e8q", for the side to move.
inline Move MoveOf(const clsRules &o, std::string_view m) {
    Move oMove{static_cast<std::int8_t>(Sq(m.substr(0, 2))),
               static_cast<std::int8_t>(Sq(m.substr(2, 2)))};
    if (m.size() > 4)
        oMove.nPromotion = static_cast<std::int16_t>(std::string_view("kqrnbp").find(m[4]) +
                                                     (o.IsWhitesTurn() ? 6 : 0));
    return oMove;
}

// The parts of a text split at single separators: Words at spaces.
inline std::vector<std::string> Split(std::string_view s, char cAt) {
    std::vector<std::string> o;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t nEnd = std::min(s.find(cAt, i), s.size());
        o.emplace_back(s.substr(i, nEnd - i));
        i = nEnd + 1;
    }
    return o;
}
inline std::vector<std::string> Words(std::string_view s) {
    return Split(s, ' ');
}

// Plays "e2e4 e7e8q ..." given by coordinates; false at the first one refused.
inline bool PlayMoves(clsRules &o, std::string_view sMoves) {
    for (const std::string &m : Words(sMoves))
        if (!o.PlayMove(MoveOf(o, m)))
            return false;
    return true;
}

// The core's legal moves by their coordinates, sorted.
inline std::vector<std::string> LegalCoordinates(clsRules &o) {
    MoveList oList;
    o.LegalMoves(oList);
    std::vector<std::string> oMoves;
    for (const Move &m : oList)
        oMoves.push_back(Notation::Coordinate(m));
    std::sort(oMoves.begin(), oMoves.end());
    return oMoves;
}

// A table row's test name, stable from build to build: its sWhy, letters and digits only.
template <class Info>
std::string WhyName(const Info &oInfo) {
    std::string s;
    for (const char c : std::string_view(oInfo.param.sWhy))
        if (std::isalnum(static_cast<unsigned char>(c)) || c == ' ')
            s += c == ' ' ? '_' : c;
    return s;
}
