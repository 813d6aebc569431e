// The one enumeration of legal moves: TryMove judges each candidate, and a light trial on the
// board tells whether the mover's king stays safe.
#include "clsRules.h"

#include <cstdlib>

using namespace modConsts;

namespace {

// A piece off every line through the king cannot uncover an attack on it by moving.
bool OnALineWith(const clsSquare &a, const clsSquare &b) {
    const int dx = a.X() - b.X();
    const int dy = a.Y() - b.Y();
    return dx == 0 || dy == 0 || std::abs(dx) == std::abs(dy);
}

// Trial moves made while enumerating report no squares: nothing visible changes.
class Quiet {
public:
    explicit Quiet(int &nQuiet) : m_nQuiet(nQuiet) { ++m_nQuiet; }
    ~Quiet() { --m_nQuiet; }
    Quiet(const Quiet &) = delete;
    Quiet &operator=(const Quiet &) = delete;

private:
    int &m_nQuiet;
};

} // namespace

bool clsRules::KingSafeAfter(int nSrc, int nDest) {
    clsSquare &oSrc = Sq(nSrc);
    clsSquare &oDest = Sq(nDest);
    const bool bWhite = oSrc.Piece->IsWhite;
    const bool bDestHad = oDest.HasPiece;
    // A pawn moving diagonally onto an empty square takes en passant.
    const bool bEnPassant =
        KindOf(oSrc.Piece->Class) == BlackPawn && oSrc.X() != oDest.X() && !bDestHad;
    const int nTaken = bEnPassant ? SquareIndex(oDest.X(), oSrc.Y()) : 0;
    int &nKing = bWhite ? nWhiteKingSquare : nBlackKingSquare;
    const bool bKingMoves = nKing == nSrc;
    if (bKingMoves)
        nKing = nDest;
    // Swapping the piece pointers moves no reference counts.
    oSrc.Piece.swap(oDest.Piece);
    oSrc.HasPiece = false;
    oDest.HasPiece = true;
    if (nTaken)
        Sq(nTaken).HasPiece = false;
    const bool bSafe = KingSafe(bWhite);
    if (bKingMoves)
        nKing = nSrc;
    if (nTaken)
        Sq(nTaken).HasPiece = true;
    oSrc.Piece.swap(oDest.Piece);
    oSrc.HasPiece = true;
    oDest.HasPiece = bDestHad;
    return bSafe;
}

template <typename Fn>
bool clsRules::ForEachLegal(bool bIsWhite, Fn &&fn) {
    const Quiet oQuiet(m_nQuiet);
    const int nKing = bIsWhite ? nWhiteKingSquare : nBlackKingSquare;
    if (!IsSquare(nKing))
        return false;
    const bool bInCheck = !KingSafe(bIsWhite);
    const clsSquare &oKing = Sq(nKing);
    std::array<std::int8_t, 32> oDests{};
    // The king first: its steps are the quickest way out of check, and most often the only one.
    for (int i = 0; i <= SquareCount; ++i) {
        const int nSrc = i == 0 ? nKing : i;
        if (i == nKing)
            continue;
        const clsSquare &oSrc = Sq(nSrc);
        if (!oSrc.HasPiece || oSrc.Piece->IsWhite != bIsWhite)
            continue;
        const bool bPawn = KindOf(oSrc.Piece->Class) == BlackPawn;
        const bool bTrial = bInCheck || nSrc == nKing || OnALineWith(oSrc, oKing);
        // The king's steps here; its castlings, judged whole by TryMove, after them.
        const int n = nSrc == nKing ? PatternDestinations(nKing, BlackKing, oDests)
                                    : CandidateDestinations(nSrc, oDests);
        for (int k = 0; k < n; ++k) {
            const int nDest = oDests[static_cast<std::size_t>(k)];
            const clsSquare &oDest = Sq(nDest);
            // A king is mated, never taken; a piece of one's own is never taken either, and
            // turning that away here spares TryMove its most common refusal.
            if (oDest.HasPiece &&
                (KindOf(oDest.Piece->Class) == BlackKing || oDest.Piece->IsWhite == bIsWhite))
                continue;
            if (!TryMove(nSrc, nDest, true))
                continue;
            const bool bEnPassant = bPawn && oSrc.X() != oDest.X() && !oDest.HasPiece;
            if ((bTrial || bEnPassant) && !KingSafeAfter(nSrc, nDest))
                continue;
            if (fn(nSrc, nDest))
                return true;
        }
        if (nSrc == nKing && !bInCheck && !oKing.Piece->HasMoved)
            for (const bool bKingSide : {true, false})
                if (const int nDest = LegalCastling(bIsWhite, bKingSide); nDest && fn(nKing, nDest))
                    return true;
    }
    return false;
}

bool clsRules::HasLegalMove(bool bIsWhite) {
    return ForEachLegal(bIsWhite, [](int, int) { return true; });
}

void clsRules::LegalMoves(MoveList &oMoves) {
    if (IsGameOver() || m_bMoveBegun)
        oMoves.clear();
    else
        ListMoves(oMoves);
}

void clsRules::ListMoves(MoveList &oMoves) {
    oMoves.clear();
    const std::int16_t nBase = bIsWhitesTurn ? WhiteOffset : 0;
    ForEachLegal(bIsWhitesTurn, [&](int nSrc, int nDest) {
        const auto s = static_cast<std::int8_t>(nSrc);
        const auto d = static_cast<std::int8_t>(nDest);
        const int nRow = Sq(nDest).Y();
        if (KindOf(Sq(nSrc).Piece->Class) == BlackPawn && (nRow == 1 || nRow == 8)) {
            for (std::int16_t nKind = BlackQueen; nKind <= BlackBishop; ++nKind)
                oMoves.push_back({s, d, static_cast<std::int16_t>(nBase + nKind)});
        } else {
            oMoves.push_back({s, d, NoPiece});
        }
        return false;
    });
}

bool clsRules::IsLegal(const Move &oMove) {
    const int nSrc = oMove.nSrc;
    const int nDest = oMove.nDest;
    if (IsGameOver() || m_bMoveBegun || bPromotionPending || !IsSquare(nSrc) || !IsSquare(nDest))
        return false;
    const clsSquare &oSrc = Sq(nSrc);
    if (!oSrc.HasPiece || oSrc.Piece->IsWhite != bIsWhitesTurn ||
        KindOf(ClassOn(nDest)) == BlackKing)
        return false;
    const int nRow = Sq(nDest).Y();
    const bool bPromotion = KindOf(oSrc.Piece->Class) == BlackPawn && (nRow == 1 || nRow == 8);
    const std::int16_t nBase = bIsWhitesTurn ? WhiteOffset : 0;
    if (bPromotion ? oMove.nPromotion < nBase + BlackQueen || oMove.nPromotion > nBase + BlackBishop
                   : oMove.nPromotion != NoPiece)
        return false;
    const Quiet oQuiet(m_nQuiet);
    // A castling's safety is judged whole by TryMove.
    return TryMove(nSrc, nDest, true) &&
           (CastlingSide(nSrc, nDest) != 0 || KingSafeAfter(nSrc, nDest));
}

bool clsRules::PlayMove(const Move &oMove, MoveVerdict *pVerdict) {
    if (!IsLegal(oMove))
        return false;
    const MoveStart oStart = BeginMove(oMove.nSrc, oMove.nDest);
    if (!oStart.bAccepted)
        return false;
    if (oStart.bPromotionPending)
        PromotionChoice(oMove.nPromotion);
    const MoveVerdict oVerdict = JudgeMove();
    if (pVerdict)
        *pVerdict = oVerdict;
    if (!oVerdict.bPlayed)
        return false;
    PassTurn();
    return true;
}

bool clsRules::EnPassantLegal(bool bWhite) {
    if (!bEnPassantPossible)
        return false;
    const int nRow = bWhite ? 4 : 5; // where the capturer stands
    const int nDest = SquareIndex(nEnPassantColumn, bWhite ? 3 : 6);
    const std::int16_t nPawn = bWhite ? WhitePawn : BlackPawn;
    const Quiet oQuiet(m_nQuiet);
    for (const int x : {nEnPassantColumn - 1, nEnPassantColumn + 1}) {
        if (x < 1 || x > 8)
            continue;
        const int nSrc = SquareIndex(x, nRow);
        if (ClassOn(nSrc) == nPawn && TryMove(nSrc, nDest, true) && KingSafeAfter(nSrc, nDest))
            return true;
    }
    return false;
}
