// Castling by FIDE's rules, Chess960's included: the rights by rook file, the judgement of a
// castling, and its two pieces carried at once. Kept apart from the judgement of ordinary moves,
// which perft runs hundreds of millions of times, so that castling's code stays out of its way.
#include "Chess960.h"
#include "clsRules.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

using namespace modConsts;

void clsRules::NewGame960(int nNumber) {
    const std::string sLayout = Chess960::Layout(nNumber);
    if (sLayout.empty())
        throw std::invalid_argument("Chess960 start position " + std::to_string(nNumber) +
                                    " is not a number from 0 to 959");
    // The rooks on either side of the king, the same on both sides of the board.
    const std::string sRank = Chess960::BackRank(nNumber);
    const auto nKing = static_cast<std::int8_t>(sRank.find('K') + 1);
    const auto nQueenSide = static_cast<std::int8_t>(sRank.find('R') + 1);
    const auto nKingSide = static_cast<std::int8_t>(sRank.rfind('R') + 1);
    if (nQueenSide >= nKing || nKingSide <= nKing)
        throw std::logic_error("Chess960 start position without the king between its rooks");
    const CastlingFiles oFiles = {nKingSide, nQueenSide, nKingSide, nQueenSide};
    SetUp(true, sLayout, &oFiles, true, 0, 0, 1);
}

bool clsRules::RightStands(int nRight) const {
    const int nFile = m_nRookFile[static_cast<std::size_t>(nRight)];
    const bool bWhite = nRight < 2;
    const int nKing = bWhite ? nWhiteKingSquare : nBlackKingSquare;
    if (nFile == 0 || !IsSquare(nKing))
        return false;
    const int y = bWhite ? 8 : 1;
    const clsSquare &oKing = Sq(nKing);
    const clsSquare &oRook = Sq(SquareIndex(nFile, y));
    return oKing.Y() == y && !oKing.Piece->HasMoved && oRook.HasPiece &&
           oRook.Piece->Class == (bWhite ? WhiteRook : BlackRook) && !oRook.Piece->HasMoved;
}

int clsRules::CastlingRookFile(bool bWhite, bool bKingSide) const {
    const int nRight = RightOf(bWhite, bKingSide);
    return RightStands(nRight) ? m_nRookFile[static_cast<std::size_t>(nRight)] : 0;
}

Move clsRules::CastlingMove(bool bWhite, bool bKingSide) const {
    const int nFile = CastlingRookFile(bWhite, bKingSide);
    if (nFile == 0)
        return {};
    const int y = bWhite ? 8 : 1;
    const int nDest = SquareIndex(m_b960 ? nFile : bKingSide ? 7 : 3, y);
    return {static_cast<std::int8_t>(bWhite ? nWhiteKingSquare : nBlackKingSquare),
            static_cast<std::int8_t>(nDest), NoPiece};
}

Move clsRules::CastlingOf(int nSrc, int nDest) const {
    if (!IsSquare(nSrc) || !IsSquare(nDest) || KindOf(ClassOn(nSrc)) != BlackKing)
        return {};
    const bool bWhite = Sq(nSrc).Piece->IsWhite;
    for (const bool bKingSide : {true, false}) {
        const Move oMove = CastlingMove(bWhite, bKingSide);
        if (oMove.nSrc != nSrc)
            continue;
        const int y = Sq(nSrc).Y();
        const int nRook =
            SquareIndex(m_nRookFile[static_cast<std::size_t>(RightOf(bWhite, bKingSide))], y);
        const int nKingTo = bKingSide ? 7 : 3;
        if ((m_b960 && nDest == nRook) ||
            (nDest == SquareIndex(nKingTo, y) && std::abs(nKingTo - Sq(nSrc).X()) >= 2))
            return oMove;
    }
    return {};
}

int clsRules::CastlingSide(int nSrc, int nDest) const {
    if (!IsSquare(nSrc) || !IsSquare(nDest))
        return 0;
    const clsSquare &oKing = Sq(nSrc);
    if (!oKing.HasPiece || KindOf(oKing.Piece->Class) != BlackKing || oKing.Piece->HasMoved)
        return 0;
    const bool bWhite = oKing.Piece->IsWhite;
    const int y = bWhite ? 8 : 1;
    const int x = Sq(nDest).X();
    if (oKing.Y() != y || Sq(nDest).Y() != y)
        return 0;
    for (const int nSide : {1, 2}) {
        const int nRight = RightOf(bWhite, nSide == 1);
        const int nFile = m_nRookFile[static_cast<std::size_t>(nRight)];
        // A standard game's king steps two files towards the rook; a Chess960 king names it.
        if (nFile != 0 &&
            (m_b960 ? x == nFile : x == (nSide == 1 ? 7 : 3) && std::abs(x - oKing.X()) == 2))
            return RightStands(nRight) ? nSide : 0;
    }
    return 0;
}

bool clsRules::TryCastling(int nSrc, int nDest, Castling &c) {
    const int nSide = CastlingSide(nSrc, nDest);
    return nSide != 0 && JudgeCastling(Sq(nSrc).Piece->IsWhite, nSide == 1, c);
}

bool clsRules::JudgeCastling(bool bWhite, bool bKingSide, Castling &c) {
    const int nRight = RightOf(bWhite, bKingSide);
    const int y = bWhite ? 8 : 1;
    const int nKing = bWhite ? nWhiteKingSquare : nBlackKingSquare;
    const int kx = Sq(nKing).X();
    const int rx = m_nRookFile[static_cast<std::size_t>(nRight)];
    const int kd = bKingSide ? 7 : 3;
    const int rd = bKingSide ? 6 : 4;
    // Every square the king or the rook crosses or lands on is empty, but for the two of them
    // (FIDE Guidelines II); the two paths together make one stretch of the rank. Asked first:
    // it is what most often fails.
    for (int x = std::min({kx, rx, kd, rd}), nLast = std::max({kx, rx, kd, rd}); x <= nLast; ++x)
        if (x != kx && x != rx && Sq(SquareIndex(x, y)).HasPiece)
            return false;
    if (!RightStands(nRight))
        return false;
    // Not out of check, nor across an attacked square ...
    if (!KingSafe(bWhite))
        return false;
    const int nStep = kd > kx ? 1 : -1;
    if (kx != kd)
        for (int x = kx + nStep; x != kd; x += nStep)
            if (IsSquareAttacked(bWhite, SquareIndex(x, y)))
                return false;
    // ... nor into check, judged with both pieces in place: in Chess960 the rook may have
    // shielded the king's new square where it stood.
    c = {nKing, SquareIndex(rx, y), SquareIndex(kd, y), SquareIndex(rd, y)};
    return CastlePieces(bWhite, c, true);
}

int clsRules::LegalCastling(bool bWhite, bool bKingSide) {
    const int nRight = RightOf(bWhite, bKingSide);
    Castling c;
    if (m_nRookFile[static_cast<std::size_t>(nRight)] == 0 || !JudgeCastling(bWhite, bKingSide, c))
        return 0;
    return m_b960 ? c.nRook : c.nKingTo;
}

bool clsRules::CastlePieces(bool bWhite, const Castling &c, bool bTrial) {
    clsSquare &oKing = Sq(c.nKing);
    clsSquare &oRook = Sq(c.nRook);
    clsSquare &oKingTo = Sq(c.nKingTo);
    clsSquare &oRookTo = Sq(c.nRookTo);
    const std::shared_ptr<clsPiece> pKing = oKing.Piece;
    const std::shared_ptr<clsPiece> pRook = oRook.Piece;
    // A destination may be where the other piece starts: both are lifted before either lands.
    std::shared_ptr<clsPiece> pKingToWas = oKingTo.Piece;
    std::shared_ptr<clsPiece> pRookToWas = oRookTo.Piece;
    const bool bKingToHad = oKingTo.HasPiece;
    const bool bRookToHad = oRookTo.HasPiece;
    oKing.HasPiece = false;
    oRook.HasPiece = false;
    oKingTo.Piece = pKing;
    oKingTo.HasPiece = true;
    oRookTo.Piece = pRook;
    oRookTo.HasPiece = true;
    int &nKingSquare = bWhite ? nWhiteKingSquare : nBlackKingSquare;
    nKingSquare = c.nKingTo;
    if (!bTrial) {
        pKing->HasMoved = true;
        pRook->HasMoved = true;
        for (const int n : {c.nKing, c.nRook, c.nKingTo, c.nRookTo})
            DrawSquare(n);
        return true;
    }
    const bool bSafe = KingSafe(bWhite);
    nKingSquare = c.nKing;
    oRookTo.Piece = std::move(pRookToWas);
    oRookTo.HasPiece = bRookToHad;
    oKingTo.Piece = std::move(pKingToWas);
    oKingTo.HasPiece = bKingToHad;
    oRook.Piece = pRook;
    oRook.HasPiece = true;
    oKing.Piece = pKing;
    oKing.HasPiece = true;
    return bSafe;
}

void clsRules::PerformCastling(clsUndoInfo &oInfo, const Castling &c) {
    // The record names the king's own squares; the rook's follow from the right.
    const clsPiece &oKing = *Sq(c.nKing).Piece;
    oInfo.SetInfo(Sq(c.nKingTo).X() == 7 ? KingSideCastling : QueenSideCastling, c.nKing, oKing,
                  c.nKingTo, false, oKing, bIsWhitesTurn, bEnPassantPossible, nEnPassantColumn);
    CastlePieces(oKing.IsWhite, c, false);
    m_nCastledFrom = c.nKing;
    m_nCastledTo = c.nKingTo;
}

int clsRules::AddCastlings(int nKing, std::array<std::int8_t, 32> &oDests, int n) const {
    for (const bool bKingSide : {true, false})
        if (const Move o = CastlingMove(Sq(nKing).Piece->IsWhite, bKingSide); o.nSrc == nKing)
            oDests[static_cast<std::size_t>(n++)] = o.nDest;
    return n;
}
