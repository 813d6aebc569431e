// The game record kept beside the board: each played move with its SAN, the position it left and
// that position's key for the repetition rules; the material for dead positions; how the game
// ended.
#include "Zobrist.h"
#include "clsRules.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

using namespace modConsts;

namespace {

constexpr const char *Draw = "1/2-1/2";

} // namespace

int clsRules::CastlingMask() const {
    int nMask = 0;
    for (int nRight = 0; nRight < 4; ++nRight)
        nMask |= RightStands(nRight) ? 1 << nRight : 0;
    return nMask;
}

std::uint64_t clsRules::KeyFor(bool bWhiteToMove) {
    return m_nPieceKey ^ (bWhiteToMove ? zobrist::Keys.nWhiteToMove : 0) ^
           zobrist::Keys.nCastling[static_cast<std::size_t>(CastlingMask())] ^
           (EnPassantLegal(bWhiteToMove)
                ? zobrist::Keys.nEnPassant[static_cast<std::size_t>(nEnPassantColumn)]
                : 0);
}

namespace {

void Count(auto &oMaterial, const clsSquare &oSquare, std::int16_t nClass, int nDelta) {
    oMaterial.nCount[static_cast<std::size_t>(nClass)] += static_cast<std::int8_t>(nDelta);
    if (KindOf(nClass) == BlackBishop)
        (oSquare.IsDark ? oMaterial.nBishopsOnDark : oMaterial.nBishopsOnLight) +=
            static_cast<std::int8_t>(nDelta);
}

} // namespace

void clsRules::StartRecord(int nHalfmove, int nFullmove) {
    m_nHalfmove = nHalfmove;
    m_nFullmove = nFullmove;
    m_oPlies.clear();
    m_oRecord.clear();
    m_oTags.clear();
    StartTree();
    m_nPieceKey = 0;
    m_oMaterial = {};
    for (int i = 1; i <= SquareCount; ++i)
        if (const std::int16_t c = ClassOn(i); c != NoPiece) {
            m_nPieceKey ^= zobrist::Piece(c, i);
            Count(m_oMaterial, Sq(i), c, 1);
        }
    m_nStartKey = KeyFor(bIsWhitesTurn);
    m_bTurnPending = false;
    m_eEnd = GameEnd::None;
    m_pResult = "*";
    m_oStart = Snapshot(bIsWhitesTurn, false);
    m_sStartFen = FenOf(m_oStart);
    JudgeStart();
}

clsRules::Position clsRules::Snapshot(bool bWhiteToMove, bool bInCheck) const {
    Position o;
    for (int i = 1; i <= SquareCount; ++i)
        o.nClass[static_cast<std::size_t>(i - 1)] = static_cast<std::int8_t>(ClassOn(i));
    SnapshotState(o, bWhiteToMove, bInCheck);
    return o;
}

void clsRules::SnapshotState(Position &o, bool bWhiteToMove, bool bInCheck) const {
    o.bWhiteToMove = bWhiteToMove;
    o.bInCheck = bInCheck;
    o.nCastling = static_cast<std::int8_t>(CastlingMask());
    for (std::size_t r = 0; r < 4; ++r)
        o.nCastlingFile[r] = (o.nCastling >> r) & 1 ? m_nRookFile[r] : std::int8_t{0};
    o.nEnPassantColumn = static_cast<std::int8_t>(bEnPassantPossible ? nEnPassantColumn : 0);
    o.nHalfmove = m_nHalfmove;
    o.nFullmove = m_nFullmove;
}

void clsRules::Adopt(clsRules &&oOther) {
    DrawSquareHook oHook = std::move(m_drawSquare);
    *this = std::move(oOther);
    m_drawSquare = std::move(oHook);
    m_nQuiet = 0;
    DrawBoard();
}

void clsRules::JudgeStart() {
    const int nKing = bIsWhitesTurn ? nWhiteKingSquare : nBlackKingSquare;
    const bool bInCheck = IsSquareAttacked(bIsWhitesTurn, nKing);
    m_oStart.bInCheck = bInCheck;
    const GameEnd eEnd = AutomaticEnd(bInCheck, HasLegalMove(bIsWhitesTurn));
    if (eEnd != GameEnd::None)
        EndGame(eEnd, eEnd != GameEnd::Checkmate ? Draw : bIsWhitesTurn ? "0-1" : "1-0");
}

void clsRules::RecordPlayedMove(bool bInCheck, bool bMated) {
    const clsUndoInfo &r = oUndoInfo.back();
    // The pieces after the move: those before it, with the squares the move changed.
    std::array<std::int8_t, SquareCount> nClass = PositionAt(PlyCount()).nClass;
    const auto Put = [&nClass](int nSquare, std::int16_t c) {
        nClass[static_cast<std::size_t>(nSquare - 1)] = static_cast<std::int8_t>(c);
    };
    m_oPlies.push_back({oUndoInfo.size(), m_nHalfmove, m_nFullmove, m_nPieceKey, m_oMaterial});
    const std::int16_t nMover = r.SrcPiece()->Class;
    const bool bWhite = IsWhiteClass(nMover);
    const int nSrc = r.SrcSquare();
    int nTo = r.DestSquare();
    int nMoveDest = nTo; // the move's destination as the record writes it
    m_nPieceKey ^= zobrist::Piece(nMover, nSrc);
    // The mover leaves first: a castling rook may land where the king stood.
    Put(nSrc, NoPiece);
    switch (r.MoveType()) {
    case EnPassantCapture: // the record names the taken pawn's square
        nTo = nMoveDest = bWhite ? r.DestSquare() - 8 : r.DestSquare() + 8;
        Put(r.DestSquare(), NoPiece);
        break;
    case KingSideCastling:
    case QueenSideCastling: {
        const bool bKingSide = r.MoveType() == KingSideCastling;
        const std::int16_t nRook = bWhite ? WhiteRook : BlackRook;
        const int y = Sq(nSrc).Y();
        const int nRookFrom =
            SquareIndex(m_nRookFile[static_cast<std::size_t>(RightOf(bWhite, bKingSide))], y);
        const int nRookTo = SquareIndex(bKingSide ? 6 : 4, y);
        m_nPieceKey ^= zobrist::Piece(nRook, nRookFrom) ^ zobrist::Piece(nRook, nRookTo);
        Put(nRookFrom, NoPiece);
        Put(nRookTo, nRook);
        if (m_b960) // the king takes its own rook, as UCI_Chess960 writes it
            nMoveDest = nRookFrom;
        break;
    }
    default:
        break;
    }
    if (r.DestHasPiece()) {
        m_nPieceKey ^= zobrist::Piece(r.DestPiece()->Class, r.DestSquare());
        Count(m_oMaterial, Sq(r.DestSquare()), r.DestPiece()->Class, -1);
    }
    const std::int16_t nNow = ClassOn(nTo);
    m_nPieceKey ^= zobrist::Piece(nNow, nTo);
    if (nNow != nMover) {
        Count(m_oMaterial, Sq(nSrc), nMover, -1);
        Count(m_oMaterial, Sq(nTo), nNow, 1);
    }
    m_nHalfmove = KindOf(nMover) == BlackPawn || r.DestHasPiece() ? 0 : m_nHalfmove + 1;
    if (!bWhite && m_nFullmove < std::numeric_limits<int>::max()) // as far as a FEN reads
        ++m_nFullmove;
    Ply &oPly = m_oRecord.emplace_back();
    oPly.oMove = {static_cast<std::int8_t>(nSrc), static_cast<std::int8_t>(nMoveDest),
                  nNow != nMover ? nNow : NoPiece};
    oPly.sSan = std::move(m_sPendingSan);
    if (oPly.oMove.nPromotion != NoPiece) {
        oPly.sSan += '=';
        oPly.sSan += "KQRNBP"[KindOf(nNow)];
    }
    if (bMated || bInCheck)
        oPly.sSan += bMated ? '#' : '+';
    Put(nTo, nNow);
    oPly.oAfter.nClass = nClass;
    SnapshotState(oPly.oAfter, !bWhite, bInCheck);
    oPly.nKey = KeyFor(!bWhite);
    TreeMoveRecorded();
}

void clsRules::ForgetPlayedMove() {
    const PlyState &p = m_oPlies.back();
    m_nHalfmove = p.nHalfmove;
    m_nFullmove = p.nFullmove;
    m_nPieceKey = p.nPieceKey;
    m_oMaterial = p.oMaterial;
    m_oPlies.pop_back();
    m_oRecord.pop_back();
    TreeMoveForgotten();
    m_bTurnPending = false;
    m_eEnd = GameEnd::None;
    m_pResult = "*";
}

bool clsRules::DeadPosition() const {
    const auto &n = m_oMaterial.nCount;
    for (const std::int16_t c : {BlackPawn, BlackQueen, BlackRook})
        if (n[static_cast<std::size_t>(c)] || n[static_cast<std::size_t>(c + WhiteOffset)])
            return false;
    const int nKnights = n[BlackKnight] + n[WhiteKnight];
    const int nBishops = n[BlackBishop] + n[WhiteBishop];
    if (nKnights == 0) // bishops, if any, all on one colour of square
        return m_oMaterial.nBishopsOnDark == 0 || m_oMaterial.nBishopsOnLight == 0;
    return nKnights == 1 && nBishops == 0;
}

clsRules::GameEnd clsRules::AutomaticEnd(bool bInCheck, bool bCanMove) const {
    // A mate on the move that completes 75 moves still wins.
    if (!bCanMove)
        return bInCheck ? GameEnd::Checkmate : GameEnd::Stalemate;
    if (DeadPosition())
        return GameEnd::InsufficientMaterial;
    if (RepetitionCount() >= 5)
        return GameEnd::FivefoldRepetition;
    if (m_nHalfmove >= 150)
        return GameEnd::SeventyFiveMoveRule;
    return GameEnd::None;
}

int clsRules::RepetitionCount() const {
    const int n = PlyCount();
    const std::uint64_t nKey = PositionKey();
    const int nFirst = std::max(0, n - m_nHalfmove);
    int nCount = 1;
    for (int i = n - 2; i >= nFirst; i -= 2)
        nCount += (i == 0 ? m_nStartKey : m_oRecord[static_cast<std::size_t>(i - 1)].nKey) == nKey;
    return nCount;
}

bool clsRules::CanClaimDraw() const {
    return !IsGameOver() && !m_bMoveBegun && !bPromotionPending &&
           (m_nHalfmove >= 100 || RepetitionCount() >= 3);
}

bool clsRules::ClaimDraw() {
    if (!CanClaimDraw())
        return false;
    EndGame(RepetitionCount() >= 3 ? GameEnd::ThreefoldRepetition : GameEnd::FiftyMoveRule, Draw);
    return true;
}

bool clsRules::Resign(bool bWhite) {
    if (IsGameOver() || m_bMoveBegun || bPromotionPending)
        return false;
    EndGame(GameEnd::Resignation, bWhite ? "0-1" : "1-0");
    return true;
}

bool clsRules::AgreeDraw() {
    if (IsGameOver() || m_bMoveBegun || bPromotionPending)
        return false;
    EndGame(GameEnd::Agreement, Draw);
    return true;
}

void clsRules::SetResult(std::string_view sResult) {
    const bool bDraw = sResult == Draw;
    if (sResult != "1-0" && sResult != "0-1" && !bDraw && sResult != "*")
        throw std::invalid_argument(std::string("unknown result ").append(sResult));
    if (sResult == "*" || IsGameOver() || m_bMoveBegun || bPromotionPending)
        return;
    EndGame(bDraw ? GameEnd::Agreement : GameEnd::Resignation, bDraw              ? Draw
                                                               : sResult == "1-0" ? "1-0"
                                                                                  : "0-1");
}
