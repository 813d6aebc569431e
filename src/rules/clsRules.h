#pragma once

#include "clsSquare.h"
#include "clsUndoInfo.h"
#include "modConsts.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The game: the position, the turn, the en passant and promotion state, the move records, and
// every rule that reads or changes them. It never paints; it reports each square it changes
// through the draw-square hook, in the order the changes are made.
//
// Squares are numbered 1 (a8) .. 64 (h1). An index outside 1..64 given to any operation is
// refused (false, nothing changed).
class clsRules {
public:
    using DrawSquareHook = std::function<void(int nSquare)>;

    // First half of playing a move (see BeginMove).
    struct MoveStart {
        bool bAccepted = false;
        bool bIsCapture = false;
        std::int16_t nCapturedClass = modConsts::NoPiece;
        bool bPromotionPending = false; // the host must answer PromotionChoice before JudgeMove
    };
    // Second half (see JudgeMove).
    struct MoveVerdict {
        bool bPlayed = false; // false: it left the mover's king attacked and was taken back
        bool bOpponentInCheck = false;
        bool bOpponentMated = false;
        bool bOpponentStalemated = false;
    };

    clsRules();

    void SetDrawSquareHook(DrawSquareHook hook) { m_drawSquare = std::move(hook); }

    // --- Setting up -----------------------------------------------------------------------
    // Throws std::invalid_argument, naming the first offending square or code, for a layout that
    // is not 64 known codes or lacks exactly one king of each colour; nothing changes then.
    void NewGame(bool bWhiteMovesFirst = true,
                 std::string_view sLayout = modConsts::StandardLayout);
    // Empty when the layout is acceptable, else the reason NewGame would give.
    static std::string LayoutError(std::string_view sLayout);
    // The current position as a layout string.
    std::string Layout() const;
    void DrawBoard();

    // --- Square names ---------------------------------------------------------------------
    static constexpr int SquareIndex(int x, int y) { return (y - 1) * 8 + x; }
    static constexpr bool IsSquare(int nSquare) { return nSquare >= 1 && nSquare <= 64; }
    static int NotationToSquare(std::string_view sNotation);
    static std::string SquareToNotation(int nSquare);

    // --- Rules operations -----------------------------------------------------------------
    bool TryMove(int nSrc, int nDest, bool bTestOnly);
    bool MakeMove(int nSrc, int nDest, bool bHasMoved);
    bool MoveCastlingRook(bool bKingSide, int nKingSquare, int nRookSquare);
    bool IsSquareAttacked(bool bIsWhite, int nSquare) const;
    bool UndoMove();
    bool UndoLastMove();
    // Exact verdicts: attacked (or not) and no legal move. They leave everything as they found it.
    bool IsCheckmate(bool bIsWhite, int nKingSquare);
    bool IsStalemate(bool bIsWhite, int nKingSquare);
    // Whether the side has any move that TryMove accepts and that leaves its own king safe.
    bool HasLegalMove(bool bIsWhite);
    // Squares the piece on nSrc might reach by the shape of its move; a superset of what TryMove
    // accepts from nSrc. Fills oDests and returns how many were written.
    int CandidateDestinations(int nSrc, std::array<std::int8_t, 32> &oDests) const;

    // --- Playing a move as a player does ----------------------------------------------------
    // Validates (the piece must belong to the side to move; a king is never captured), records
    // and carries the piece. When it reports a pending promotion, the host answers through
    // PromotionChoice before calling JudgeMove.
    MoveStart BeginMove(int nSrc, int nDest);
    // Ends the promotion, then either takes the move back (it left the mover's king attacked) or
    // judges the opponent's position. The turn does not pass here: see PassTurn. Without a move
    // begun it judges nothing and reports nothing played.
    MoveVerdict JudgeMove();
    // Takes back a begun move that will never be judged (nobody is left to choose its piece).
    void AbandonMove();
    // Hands the move to the other side, once the host has been told of the move.
    void PassTurn() { bIsWhitesTurn = !bIsWhitesTurn; }
    // Turns the pawn awaiting promotion into nClass (a queen, rook, knight or bishop of its
    // colour). Refused, with nothing changed, when no promotion is pending or the piece is not
    // one a pawn of that colour may become.
    bool PromotionChoice(std::int16_t nClass);
    // The promotion has been dealt with; the next performed move must not be recorded as one.
    void ClearPromotionPending() { bPromotionPending = false; }

    // --- State ----------------------------------------------------------------------------
    const clsSquare &Square(int nSquare) const { return oSquares[nSquare - 1]; }
    bool IsWhitesTurn() const { return bIsWhitesTurn; }
    int WhiteKingSquare() const { return nWhiteKingSquare; }
    int BlackKingSquare() const { return nBlackKingSquare; }
    bool EnPassantPossible() const { return bEnPassantPossible; }
    std::int16_t EnPassantColumn() const { return nEnPassantColumn; }
    bool PromotionPending() const { return bPromotionPending; }
    bool PromotionIsWhite() const { return bPromotionIsWhite; }
    int PromotionSquare() const { return nPromotionSquare; }
    bool PromotionChosen() const { return bPromotionChosen; }
    // Waiting for the host's promotion answer.
    bool AwaitingPromotion() const { return bPromotionPending && !bPromotionChosen; }
    // Between an accepted BeginMove and its JudgeMove or AbandonMove.
    bool MoveInProgress() const { return m_bMoveBegun; }
    std::size_t UndoCount() const { return oUndoInfo.size(); }
    // Records 1 (oldest) .. UndoCount() (newest).
    const clsUndoInfo &UndoInfo(std::size_t nIndex) const { return oUndoInfo[nIndex - 1]; }
    int DragSquare() const { return nDragSquare; }
    void SetDragSquare(int nSquare) { nDragSquare = nSquare; }

private:
    clsSquare &Sq(int nSquare) { return oSquares[nSquare - 1]; }
    const clsSquare &Sq(int nSquare) const { return oSquares[nSquare - 1]; }
    // Class on the square, or NoPiece when it is empty.
    std::int16_t ClassOn(int nSquare) const {
        const clsSquare &o = Sq(nSquare);
        return o.HasPiece ? o.Piece->Class : modConsts::NoPiece;
    }
    void DrawSquare(int nSquare) {
        if (m_drawSquare)
            m_drawSquare(nSquare);
    }
    void ApplyLayout(std::string_view sLayout);
    bool PathClear(int sx, int sy, int dx, int dy) const;
    bool TryPawn(int nSrc, int nDest, bool bTestOnly, bool &bDoubleStep);
    bool TryCastling(int nSrc, int nDest, bool bTestOnly, bool &bKingSide, bool &bQueenSide);
    // Plays nSrc-nDest as a trial and takes it back; true when it is legal.
    bool IsLegalTrial(int nSrc, int nDest);

    std::array<clsSquare, modConsts::SquareCount> oSquares;
    int nDragSquare = 0;
    bool bEnPassantPossible = false;
    std::int16_t nEnPassantColumn = 0;
    bool bEnPassantCapture = false;
    bool bPromotionPending = false;
    bool bPromotionIsWhite = false;
    int nPromotionSquare = 0;
    bool bPromotionChosen = false;
    int nWhiteKingSquare = 0;
    int nBlackKingSquare = 0;
    std::vector<clsUndoInfo> oUndoInfo;
    bool bIsWhitesTurn = false;
    bool m_bMoveBegun = false;
    DrawSquareHook m_drawSquare;
};
