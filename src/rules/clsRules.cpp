#include "clsRules.h"

#include "Movement.h"
#include "Notation.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <type_traits>

using namespace modConsts;

namespace {

constexpr bool OnBoard(int x, int y) {
    return x >= 1 && x <= 8 && y >= 1 && y <= 8;
}

constexpr std::int16_t ClassOfCode(std::string_view sCode) {
    for (std::size_t c = 0; c < LayoutCodes.size(); ++c)
        if (LayoutCodes[c] == sCode)
            return static_cast<std::int16_t>(c);
    return sCode == EmptyLayoutCode ? NoPiece : std::int16_t{-2};
}

} // namespace

clsRules::clsRules() {
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x) {
            clsSquare &o = Sq(SquareIndex(x, y));
            o.Coordinate(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
            o.IsDark = (x + y) % 2 == 1;
        }
    oUndoInfo.reserve(256);
    m_oPlies.reserve(256);
    m_oRecord.reserve(256);
    NewGame();
}

// --- Setting up ---------------------------------------------------------------------------

std::string clsRules::LayoutError(std::string_view sLayout) {
    if (sLayout.size() != LayoutLength)
        return "layout has " + std::to_string(sLayout.size()) + " characters, not " +
               std::to_string(LayoutLength);
    int nWhiteKings = 0;
    int nBlackKings = 0;
    for (int i = 1; i <= SquareCount; ++i) {
        const std::string_view sCode = sLayout.substr(static_cast<std::size_t>(2 * (i - 1)), 2);
        const std::int16_t c = ClassOfCode(sCode);
        auto Where = [i] {
            return "square " + std::to_string(i) + " (" + SquareToNotation(i) + ")";
        };
        if (c == -2)
            return "unknown code \"" + std::string(sCode) + "\" on " + Where();
        if ((c == WhiteKing && ++nWhiteKings > 1) || (c == BlackKing && ++nBlackKings > 1))
            return "a second " + std::string(c == WhiteKing ? "white" : "black") + " king on " +
                   Where();
    }
    if (nWhiteKings == 0)
        return "layout has no white king";
    if (nBlackKings == 0)
        return "layout has no black king";
    return {};
}

void clsRules::NewGame(bool bWhiteMovesFirst, std::string_view sLayout) {
    if (std::string sError = LayoutError(sLayout); !sError.empty())
        throw std::invalid_argument(sError);
    SetUp(bWhiteMovesFirst, sLayout, nullptr, false, 0, 0, 1);
}

void clsRules::SetUp(bool bWhiteToMove, std::string_view sLayout, const CastlingFiles *pCastling,
                     bool b960, int nEpColumn, int nHalfmove, int nFullmove) {
    bIsWhitesTurn = bWhiteToMove;
    // Every square gets a piece object of its own; one no other square or record shares is kept.
    for (clsSquare &o : oSquares) {
        if (o.Piece.use_count() == 1)
            *o.Piece = clsPiece{};
        else
            o.Piece = std::make_shared<clsPiece>();
    }
    ApplyLayout(sLayout);
    m_b960 = b960;
    m_nCastledFrom = 0;
    for (const bool bWhite : {true, false}) {
        const int y = bWhite ? 8 : 1;
        const std::int16_t nKing = bWhite ? WhiteKing : BlackKing;
        const std::int16_t nRook = bWhite ? WhiteRook : BlackRook;
        auto &nKingSide = m_nRookFile[static_cast<std::size_t>(RightOf(bWhite, true))];
        auto &nQueenSide = m_nRookFile[static_cast<std::size_t>(RightOf(bWhite, false))];
        if (!pCastling) {
            const bool bHome = ClassOn(SquareIndex(5, y)) == nKing;
            nKingSide = bHome && ClassOn(SquareIndex(8, y)) == nRook ? 8 : 0;
            nQueenSide = bHome && ClassOn(SquareIndex(1, y)) == nRook ? 1 : 0;
            continue;
        }
        nKingSide = (*pCastling)[static_cast<std::size_t>(RightOf(bWhite, true))];
        nQueenSide = (*pCastling)[static_cast<std::size_t>(RightOf(bWhite, false))];
        // What the rights leave out counts as moved: the king of a side without any, every
        // rook on the back rank that no right names.
        for (int x = 1; x <= 8; ++x) {
            const std::int16_t c = ClassOn(SquareIndex(x, y));
            if ((c == nKing && nKingSide == 0 && nQueenSide == 0) ||
                (c == nRook && x != nKingSide && x != nQueenSide))
                Sq(SquareIndex(x, y)).Piece->HasMoved = true;
        }
    }
    bEnPassantPossible = m_bStartEnPassant = nEpColumn != 0;
    nEnPassantColumn = m_nStartEnPassantColumn = static_cast<std::int16_t>(nEpColumn);
    bEnPassantCapture = false;
    bPromotionPending = false;
    m_bMoveBegun = false;
    oUndoInfo.clear();
    DrawBoard();
    StartRecord(nHalfmove, nFullmove);
}

void clsRules::ApplyLayout(std::string_view sLayout) {
    for (int i = 1; i <= SquareCount; ++i) {
        const std::string_view sCode = sLayout.substr(static_cast<std::size_t>(2 * (i - 1)), 2);
        const std::int16_t c = ClassOfCode(sCode);
        clsSquare &o = Sq(i);
        o.Piece->Class = c;
        if (c == WhiteKing)
            nWhiteKingSquare = i;
        else if (c == BlackKing)
            nBlackKingSquare = i;
        o.HasPiece = c != NoPiece;
        if (o.HasPiece)
            o.Piece->IsWhite = IsWhiteClass(c);
    }
}

std::string clsRules::Layout() const {
    std::string s;
    s.reserve(LayoutLength);
    for (int i = 1; i <= SquareCount; ++i) {
        const std::int16_t c = ClassOn(i);
        s += c == NoPiece ? EmptyLayoutCode : LayoutCodes[static_cast<std::size_t>(c)];
    }
    return s;
}

void clsRules::DrawBoard() {
    for (int i = 1; i <= SquareCount; ++i)
        DrawSquare(i);
}

// --- Square names -------------------------------------------------------------------------

int clsRules::NotationToSquare(std::string_view sNotation) {
    if (sNotation.size() != 2)
        return -1;
    const char cFile = sNotation[0];
    const char cRank = sNotation[1];
    if (cFile < 'a' || cFile > 'h' || cRank < '1' || cRank > '8')
        return -1;
    return (8 - (cRank - '0')) * 8 + (cFile - 'a' + 1);
}

std::string clsRules::SquareToNotation(int nSquare) {
    if (!IsSquare(nSquare))
        return {};
    const int nFile = (nSquare - 1) % 8;
    const int nRank = 8 - (nSquare - 1) / 8;
    return {static_cast<char>('a' + nFile), static_cast<char>('0' + nRank)};
}

// --- Moving pieces ------------------------------------------------------------------------

bool clsRules::MakeMove(int nSrc, int nDest, bool bHasMoved) {
    if (!IsSquare(nSrc) || !IsSquare(nDest))
        return false;
    if (m_nCastledFrom != 0 && nSrc == m_nCastledFrom) {
        // TryMove has carried the castling king already.
        m_nCastledFrom = 0;
        Sq(m_nCastledTo).Piece->HasMoved = bHasMoved;
        return true;
    }
    clsSquare &oSrc = Sq(nSrc);
    clsSquare &oDest = Sq(nDest);
    const std::int16_t c = oSrc.Piece->Class;
    if (c == WhiteKing)
        nWhiteKingSquare = nDest;
    else if (c == BlackKing)
        nBlackKingSquare = nDest;
    oSrc.Piece->HasMoved = bHasMoved;
    oSrc.HasPiece = false;
    // The source keeps referring to the moved piece; only HasPiece says it is empty.
    oDest.Piece = oSrc.Piece;
    oDest.HasPiece = true;
    return true;
}

bool clsRules::MoveCastlingRook(bool bKingSide, int nKingSquare, int nRookSquare) {
    if (!IsSquare(nKingSquare) || !IsSquare(nRookSquare))
        return false;
    const int nTarget = SquareIndex(bKingSide ? 6 : 4, Sq(nKingSquare).Y());
    clsSquare &oRook = Sq(nRookSquare);
    oRook.HasPiece = false;
    Sq(nTarget).Piece = oRook.Piece;
    Sq(nTarget).HasPiece = true;
    oRook.Piece->HasMoved = true;
    DrawSquare(nRookSquare);
    DrawSquare(nTarget);
    return true;
}

// --- Attacks ------------------------------------------------------------------------------

bool clsRules::IsSquareAttacked(bool bIsWhite, int nSquare) const {
    if (!IsSquare(nSquare))
        return false;
    const clsSquare &oTarget = Sq(nSquare);
    const int x = oTarget.X();
    const int y = oTarget.Y();
    // The attackers are the other colour. Every pattern is symmetric, so a piece attacks along
    // a line towards the square exactly when the same line leads from the square to it.
    for (int k = 0; k < 8; ++k) {
        const Movement::Step s = Movement::Lines[static_cast<std::size_t>(k)];
        // A black pawn attacks from the row above (it captures towards higher rows), a white
        // pawn from the row below.
        const bool bPawnHere = s.dx != 0 && s.dy != 0 && (bIsWhite ? s.dy < 0 : s.dy > 0);
        int cx = x + s.dx;
        int cy = y + s.dy;
        for (int nStep = 1; OnBoard(cx, cy); ++nStep, cx += s.dx, cy += s.dy) {
            const clsSquare &o = Sq(SquareIndex(cx, cy));
            if (!o.HasPiece)
                continue;
            const std::int16_t c = o.Piece->Class;
            if (IsWhiteClass(c) == bIsWhite)
                break;
            const std::int16_t nKind = KindOf(c);
            const Movement::Pattern &p = Movement::Patterns[static_cast<std::size_t>(nKind)];
            if (((p.nLines >> k) & 1) && (p.bSlides || nStep == 1))
                return true;
            if (nStep == 1 && bPawnHere && nKind == BlackPawn)
                return true;
            break;
        }
    }
    const std::int16_t nKnight = (bIsWhite ? 0 : WhiteOffset) + BlackKnight;
    for (const Movement::Step s : Movement::Leaps) {
        const int cx = x + s.dx;
        const int cy = y + s.dy;
        if (OnBoard(cx, cy) && ClassOn(SquareIndex(cx, cy)) == nKnight)
            return true;
    }
    return false;
}

// --- Move validation ----------------------------------------------------------------------

bool clsRules::PathClear(int sx, int sy, int nStepX, int nStepY, int nSteps) const {
    for (int i = 1; i < nSteps; ++i)
        if (Sq(SquareIndex(sx + i * nStepX, sy + i * nStepY)).HasPiece)
            return false;
    return true;
}

bool clsRules::TryPawn(int nSrc, int nDest, bool bTestOnly, bool &bDoubleStep) {
    const clsSquare &oSrc = Sq(nSrc);
    const clsSquare &oDest = Sq(nDest);
    const bool bWhite = oSrc.Piece->IsWhite;
    const int sx = oSrc.X(), sy = oSrc.Y(), dx = oDest.X(), dy = oDest.Y();
    // Rows are counted from Black's side: White advances towards row 1.
    const int nForward = bWhite ? sy - dy : dy - sy;
    const int nStartRow = bWhite ? 7 : 2;
    const int nLastRow = bWhite ? 1 : 8;
    const int nEnPassantRow = bWhite ? 4 : 5;
    const int nDir = bWhite ? -1 : 1;

    auto MarkPromotion = [&] {
        if (dy == nLastRow && !bTestOnly) {
            bPromotionPending = true;
            bPromotionIsWhite = bWhite;
            nPromotionSquare = nDest;
        }
    };

    if (sy == nStartRow && nForward == 2 && dx == sx) {
        if (Sq(SquareIndex(sx, sy + nDir)).HasPiece || Sq(SquareIndex(sx, sy + 2 * nDir)).HasPiece)
            return false;
        bDoubleStep = true;
        return true;
    }
    if (nForward == 1 && dx == sx) {
        if (oDest.HasPiece)
            return false;
        MarkPromotion();
        return true;
    }
    if (nForward == 1 && std::abs(dx - sx) == 1) {
        if (oDest.HasPiece) {
            MarkPromotion();
            return true;
        }
        if (!bEnPassantPossible || dx != nEnPassantColumn || sy != nEnPassantRow)
            return false;
        if (!bTestOnly) {
            const int nCaptured = SquareIndex(nEnPassantColumn, sy);
            Sq(nCaptured).HasPiece = false;
            DrawSquare(nCaptured);
            bEnPassantCapture = true;
        }
        return true;
    }
    return false;
}

bool clsRules::TryMove(int nSrc, int nDest, bool bTestOnly) {
    if (!IsSquare(nSrc) || !IsSquare(nDest))
        return false;
    const clsSquare &oSrc = Sq(nSrc);
    const clsSquare &oDest = Sq(nDest);
    if (!oSrc.HasPiece || nSrc == nDest)
        return false;
    const std::int16_t nClass = oSrc.Piece->Class;
    const std::int16_t nKind = nClass < 0 || nClass >= ClassCount ? NoPiece : KindOf(nClass);
    // A piece never goes onto one of its own, but for a Chess960 king onto its castling rook.
    const bool bOwn = oDest.HasPiece && oDest.Piece->IsWhite == oSrc.Piece->IsWhite;
    if (bOwn && !(m_b960 && nKind == BlackKing))
        return false;

    const int sx = oSrc.X(), sy = oSrc.Y(), dx = oDest.X(), dy = oDest.Y();
    bool bDoubleStep = false;
    bool bAllowed = false;
    bool bCastling = false;
    Castling oCastling;

    Movement::Step oStep{};
    int nSteps = 0;
    if (nKind == BlackPawn)
        bAllowed = TryPawn(nSrc, nDest, bTestOnly, bDoubleStep);
    else if (!bOwn && Movement::Reach(nKind, dx - sx, dy - sy, oStep, nSteps))
        bAllowed = PathClear(sx, sy, oStep.dx, oStep.dy, nSteps);
    else if (nKind == BlackKing)
        bAllowed = bCastling = TryCastling(nSrc, nDest, oCastling);

    if (bAllowed && !bTestOnly) {
        if (bDoubleStep) {
            bEnPassantPossible = true;
            nEnPassantColumn = static_cast<std::int16_t>(sx);
        } else {
            bEnPassantPossible = false;
        }
        clsUndoInfo &oInfo = oUndoInfo.emplace_back();
        if (bEnPassantCapture) {
            const int nCaptured = SquareIndex(dx, sy);
            oInfo.SetInfo(EnPassantCapture, nSrc, *oSrc.Piece, nCaptured, true,
                          *Sq(nCaptured).Piece, bIsWhitesTurn, bEnPassantPossible,
                          nEnPassantColumn);
        } else if (bCastling) {
            PerformCastling(oInfo, oCastling);
        } else {
            const std::int16_t nType = bPromotionPending ? PawnPromotion : PlainMove;
            oInfo.SetInfo(nType, nSrc, *oSrc.Piece, nDest, oDest.HasPiece, *oDest.Piece,
                          bIsWhitesTurn, bEnPassantPossible, nEnPassantColumn);
        }
    }
    bEnPassantCapture = false;
    return bAllowed;
}

// --- Taking back --------------------------------------------------------------------------

bool clsRules::UndoMove() {
    if (oUndoInfo.empty())
        return false;
    m_nCastledFrom = 0;
    if (!m_oPlies.empty() && m_oPlies.back().nUndoIndex == oUndoInfo.size())
        ForgetPlayedMove();
    const clsUndoInfo &oInfo = oUndoInfo.back();
    const int S = oInfo.SrcSquare();
    const int D = oInfo.DestSquare();
    // A piece of the record goes back as a copy of its own; a rook on the board as itself.
    auto PutBack = [this](int nSquare, const auto &oPiece) {
        if constexpr (std::is_pointer_v<std::decay_t<decltype(oPiece)>>)
            Sq(nSquare).Piece = std::make_shared<clsPiece>(*oPiece);
        else
            Sq(nSquare).Piece = oPiece;
        Sq(nSquare).HasPiece = true;
    };

    switch (oInfo.MoveType()) {
    case PlainMove:
    case PawnPromotion:
        PutBack(S, oInfo.SrcPiece());
        Sq(D).HasPiece = oInfo.DestHasPiece();
        if (oInfo.DestHasPiece())
            Sq(D).Piece = std::make_shared<clsPiece>(*oInfo.DestPiece());
        DrawSquare(S);
        DrawSquare(D);
        break;
    case KingSideCastling:
    case QueenSideCastling: {
        const bool bKingSide = oInfo.MoveType() == KingSideCastling;
        const bool bWhite = oInfo.SrcPiece()->IsWhite;
        const int y = Sq(S).Y();
        const int nRookHome =
            SquareIndex(m_nRookFile[static_cast<std::size_t>(RightOf(bWhite, bKingSide))], y);
        const int nRookNow = SquareIndex(bKingSide ? 6 : 4, y);
        const std::shared_ptr<clsPiece> pRook = Sq(nRookNow).Piece;
        // Both off before either goes back: in Chess960 they may have traded squares.
        Sq(D).HasPiece = false;
        Sq(nRookNow).HasPiece = false;
        PutBack(S, oInfo.SrcPiece());
        Sq(S).Piece->HasMoved = false;
        PutBack(nRookHome, pRook);
        pRook->HasMoved = false;
        for (const int n : {S, D, nRookHome, nRookNow})
            DrawSquare(n);
        break;
    }
    case EnPassantCapture: {
        PutBack(S, oInfo.SrcPiece());
        // The capturer stands one row ahead of the captured pawn, in its own direction.
        const int nLanded = oInfo.SrcPiece()->IsWhite ? D - 8 : D + 8;
        Sq(nLanded).HasPiece = false;
        DrawSquare(nLanded);
        PutBack(D, oInfo.DestPiece());
        DrawSquare(S);
        DrawSquare(D);
        break;
    }
    default:
        break;
    }

    const std::size_t nCount = oUndoInfo.size();
    if (nCount > 1 && oUndoInfo[nCount - 2].EnPassantPossible()) {
        const int nColumn = oUndoInfo[nCount - 2].DestSquare() % 8;
        bEnPassantPossible = true;
        nEnPassantColumn = static_cast<std::int16_t>(nColumn == 0 ? 8 : nColumn);
    } else if (nCount == 1) {
        bEnPassantPossible = m_bStartEnPassant;
        nEnPassantColumn = m_nStartEnPassantColumn;
    } else {
        bEnPassantPossible = false;
    }

    // Only a king that moved or was captured by this move can have changed square.
    const std::int16_t nMover = oInfo.SrcPiece()->Class;
    if (nMover == WhiteKing)
        nWhiteKingSquare = S;
    else if (nMover == BlackKing)
        nBlackKingSquare = S;
    if (oInfo.DestHasPiece()) {
        const std::int16_t nCaptured = oInfo.DestPiece()->Class;
        if (nCaptured == WhiteKing)
            nWhiteKingSquare = D;
        else if (nCaptured == BlackKing)
            nBlackKingSquare = D;
    }

    oUndoInfo.pop_back();
    return true;
}

bool clsRules::UndoLastMove() {
    // A move still being played (its promotion piece not yet chosen, or not yet judged) is not
    // finished and cannot be taken back.
    if (m_bMoveBegun || bPromotionPending || !UndoMove())
        return false;
    bIsWhitesTurn = !bIsWhitesTurn;
    return true;
}

// --- Checkmate and stalemate --------------------------------------------------------------

int clsRules::PatternDestinations(int nFrom, std::int16_t nKind,
                                  std::array<std::int8_t, 32> &oDests) const {
    if (!IsSquare(nFrom) || nKind < 0 || nKind >= BlackPawn)
        return 0;
    int n = 0;
    const int x = Sq(nFrom).X();
    const int y = Sq(nFrom).Y();
    const Movement::Pattern &p = Movement::Patterns[static_cast<std::size_t>(nKind)];
    if (p.bLeaps)
        for (const Movement::Step s : Movement::Leaps)
            if (OnBoard(x + s.dx, y + s.dy))
                oDests[static_cast<std::size_t>(n++)] =
                    static_cast<std::int8_t>(SquareIndex(x + s.dx, y + s.dy));
    for (int k = 0; k < 8; ++k) {
        if (!((p.nLines >> k) & 1))
            continue;
        const Movement::Step s = Movement::Lines[static_cast<std::size_t>(k)];
        for (int cx = x + s.dx, cy = y + s.dy; OnBoard(cx, cy); cx += s.dx, cy += s.dy) {
            const int nSquare = SquareIndex(cx, cy);
            oDests[static_cast<std::size_t>(n++)] = static_cast<std::int8_t>(nSquare);
            if (!p.bSlides || Sq(nSquare).HasPiece)
                break;
        }
    }
    return n;
}

int clsRules::CandidateDestinations(int nSrc, std::array<std::int8_t, 32> &oDests) const {
    if (!IsSquare(nSrc) || !Sq(nSrc).HasPiece)
        return 0;
    const clsSquare &oSrc = Sq(nSrc);
    const int x = oSrc.X();
    const int y = oSrc.Y();
    const std::int16_t nClass = oSrc.Piece->Class;
    const std::int16_t nKind = nClass < 0 || nClass >= ClassCount ? NoPiece : KindOf(nClass);
    int n = PatternDestinations(nSrc, nKind, oDests);
    auto Add = [&](int cx, int cy) {
        if (OnBoard(cx, cy))
            oDests[static_cast<std::size_t>(n++)] = static_cast<std::int8_t>(SquareIndex(cx, cy));
    };
    if (nKind == BlackPawn) {
        const int nDir = oSrc.Piece->IsWhite ? -1 : 1;
        Add(x, y + nDir);
        Add(x, y + 2 * nDir);
        Add(x - 1, y + nDir);
        Add(x + 1, y + nDir);
    } else if (nKind == BlackKing && !oSrc.Piece->HasMoved) {
        n = AddCastlings(nSrc, oDests, n);
    }
    return n;
}

bool clsRules::IsCheckmate(bool bIsWhite, int nKingSquare) {
    return IsSquareAttacked(bIsWhite, nKingSquare) && !HasLegalMove(bIsWhite);
}

bool clsRules::IsStalemate(bool bIsWhite, int nKingSquare) {
    return IsSquare(nKingSquare) && !IsSquareAttacked(bIsWhite, nKingSquare) &&
           !HasLegalMove(bIsWhite);
}

// --- Playing a move -----------------------------------------------------------------------

clsRules::MoveStart clsRules::BeginMove(int nSrc, int nDest) {
    MoveStart oStart;
    if (!IsSquare(nSrc) || !IsSquare(nDest) || m_bMoveBegun || bPromotionPending || IsGameOver())
        return oStart;
    const clsSquare &oSrc = Sq(nSrc);
    if (!oSrc.HasPiece || oSrc.Piece->IsWhite != bIsWhitesTurn)
        return oStart;
    // A king is mated, never taken; only a position set up with a king en prise allows it.
    if (KindOf(ClassOn(nDest)) == BlackKing)
        return oStart;
    const bool bCastling = CastlingSide(nSrc, nDest) != 0;
    // The SAN is written from the position before the move; the record keeps it once played.
    m_sPendingSan.clear();
    Notation::AppendSanBody(
        *this, {static_cast<std::int8_t>(nSrc), static_cast<std::int8_t>(nDest)}, m_sPendingSan);
    if (!TryMove(nSrc, nDest, false))
        return oStart;
    const clsSquare &oDest = Sq(nDest);
    oStart.bIsCapture = !bCastling && oDest.HasPiece;
    if (oStart.bIsCapture)
        oStart.nCapturedClass = oDest.Piece->Class;
    MakeMove(nSrc, nDest, true);
    DrawSquare(nSrc);
    DrawSquare(nDest);
    m_bMoveBegun = true;
    oStart.bAccepted = true;
    oStart.bPromotionPending = bPromotionPending;
    if (bPromotionPending)
        bPromotionChosen = false;
    return oStart;
}

bool clsRules::PromotionChoice(std::int16_t nClass) {
    if (!bPromotionPending || !IsSquare(nPromotionSquare))
        return false;
    const std::int16_t nBase = bPromotionIsWhite ? WhiteOffset : 0;
    if (nClass < nBase + BlackQueen || nClass > nBase + BlackBishop)
        return false;
    clsSquare &o = Sq(nPromotionSquare);
    o.HasPiece = true;
    o.Piece->Class = nClass;
    o.Piece->IsWhite = bPromotionIsWhite;
    o.Piece->HasMoved = true;
    DrawSquare(nPromotionSquare);
    bPromotionChosen = true;
    return true;
}

clsRules::MoveVerdict clsRules::JudgeMove() {
    MoveVerdict oVerdict;
    if (!m_bMoveBegun)
        return oVerdict;
    m_bMoveBegun = false;
    bPromotionPending = false;
    const bool bWhiteInCheck = !KingSafe(true);
    const bool bBlackInCheck = !KingSafe(false);
    if (bIsWhitesTurn ? bWhiteInCheck : bBlackInCheck) {
        UndoMove();
        return oVerdict;
    }
    const bool bOpponent = !bIsWhitesTurn;
    oVerdict.bPlayed = true;
    oVerdict.bOpponentInCheck = bOpponent ? bWhiteInCheck : bBlackInCheck;
    const bool bCanMove = HasLegalMove(bOpponent);
    oVerdict.bOpponentMated = oVerdict.bOpponentInCheck && !bCanMove;
    oVerdict.bOpponentStalemated = !oVerdict.bOpponentInCheck && !bCanMove;
    RecordPlayedMove(oVerdict.bOpponentInCheck, oVerdict.bOpponentMated);
    m_ePendingEnd = AutomaticEnd(oVerdict.bOpponentInCheck, bCanMove);
    m_pPendingResult = m_ePendingEnd != GameEnd::Checkmate ? "1/2-1/2"
                       : bIsWhitesTurn                     ? "1-0"
                                                           : "0-1";
    m_bTurnPending = true;
    return oVerdict;
}

void clsRules::AbandonMove() {
    if (!m_bMoveBegun)
        return;
    m_bMoveBegun = false;
    bPromotionPending = false;
    UndoMove();
}
