#pragma once

#include "BoardGeometry.h"
#include "BoardRendererPrivate.h"
#include "SquareRenderer.h"
#include "clsRules.h"

#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <tavlon/Board.h>
#include <vector>

class QEventLoop;
class QKeyEvent;
class QMouseEvent;
class QPainter;
class QRegion;

// The board's state and its private workings, out of the public header so that a host sees no
// type of the rules core. Board.cpp holds the public face and a move's events, BoardInput.cpp
// the mouse and keyboard, BoardPaint.cpp the pictures and marks, BoardSize.cpp the size and the
// piece set.
class BoardPrivate {
public:
    enum class PlayResult { Refused, Played, Gone };

    explicit BoardPrivate(Board *pBoard) : q(pBoard) {}

    // --- A move and the game (Board.cpp) ----------------------------------------------------
    // The whole move, shared by typed moves and drops.
    // A promotion piece given (nPromotion, not -1) is taken without asking the host.
    PlayResult PlayMove(int nSrc, int nDest, qint16 nPromotion = -1);
    // Asks the host for the promotion piece and waits; false when no piece was chosen.
    bool AwaitPromotion(bool &bGone);
    void ReportGameOver();
    bool EndGame(const std::function<bool(clsRules &)> &end, Board::Refusal eWhy);
    // Records why a call was refused, in words made here; false.
    bool Refuse(Board::Refusal eWhy, const QString &sDetail = {});
    void Succeeded();
    // A new position from outside a move: no drag, no selection, marks and hosts up to date.
    void Settled();
    bool Waiting() const;
    // A position other than the live one is shown.
    bool Reviewing() const { return m_nShownNode >= 0; }
    // Shows node nNode (-1 or the live node: the live position) and marks the squares whose
    // piece or shapes differ.
    void ShowNodeAt(int nNode);
    // Raises ViewChanged and NodeShown for the node now shown; false when a handler deleted the
    // board.
    bool TellShown();
    // Ends a review before the live game changes; true when one was ended.
    bool EndReview();
    // A move is unfinished while the host is being asked or told about it.
    bool Busy() const;

    // --- The tree (BoardTree.cpp) ------------------------------------------------------------
    // The game shown: the live game, or a board set up at the node shown, for the moves there.
    clsRules &ShownRules();
    int ShownNodeId() const { return Reviewing() ? m_nShownNode : m_oRules.LiveNode(); }
    // Moves may be played on the position shown.
    bool MayPlayShown() const { return !Reviewing() || m_bVariationMoves; }
    // A move on a position other than the live one, into the tree.
    PlayResult PlayVariationMove(int nSrc, int nDest, qint16 nPromotion);
    // Asks the host for the piece of a promotion off the main line; -1 when none was chosen.
    qint16 AwaitVariationPromotion(bool bWhite, int nSquare, bool &bGone);
    // After an edit of the tree: a node still there is shown (nFallback when the one shown
    // went), and the host is told. False when a handler deleted the board.
    bool TreeEdited(clsRules::EditResult eResult, bool bMainLine, int nFallback);
    bool RefuseEdit(clsRules::EditResult eResult);

    // --- Shapes (BoardShapes.cpp) -----------------------------------------------------------
    const std::vector<Annotation::Shape> &ShownShapes() const;
    // Shapes as the renderer draws them, in the board's colours.
    static QList<BoardShape> SceneShapes(const std::vector<Annotation::Shape> &oShapes);
    // Marks the cells a shape covers to be drawn again.
    void MarkShapeCells(const Annotation::Shape &o);
    void MarkShapeCells(const BoardShape &o);
    void MarkAllShapes(); // the node's and the host's
    void MarkShapeCells(const std::vector<Annotation::Shape> &oShapes) {
        for (const Annotation::Shape &o : oShapes)
            MarkShapeCells(o);
    }
    void PaintShapes(QPainter &p, const QRegion &oRegion) const;
    // The right button: pressed, moved and released on squares.
    void ShapePressed(int nSquare, Qt::KeyboardModifiers eModifiers);
    void ShapeMoved(int nSquare);
    void ShapeReleased(int nSquare);
    // The shape being drawn, while the right button is held.
    Annotation::Shape m_oDrawing;
    QList<BoardShape> m_oOverlay; // the host's, over every position shown
    bool m_bDrawing = false;

    // --- Pictures and marks (BoardPaint.cpp) -------------------------------------------------
    // Called by the rules for every square they change, trial moves included: only notes it.
    void SquareChanged(int nSquare);
    // The square must be drawn again at the next paint.
    void MarkDirty(int nSquare);
    // The piece class shown on a square, or NoPiece.
    qint16 ShownClass(int nSquare) const;
    // The squares the piece on nSrc may legally move to, as bits (square n is bit n - 1).
    std::uint64_t LegalTargets(int nSrc);
    SquareRenderer::Marks MarksOf(int nSquare) const;
    // Where the move of node nNode (not the root) went, for the last-move mark: the king's square
    // for castling, which a Chess960 game records as the king taking its own rook.
    int MarkedDestination(int nNode) const; // where a node's move is marked as going
    // Works out every square's marks from the game, the selection and the options, and asks
    // for the squares whose look changed to be drawn again.
    void UpdateMarks();
    // A marks refresh after the rules changed squares behind the control's back.
    void ScheduleMarks();

    // --- Mouse, click and keyboard (BoardInput.cpp) ------------------------------------------
    void EndDrag();
    QRect DragRect() const;
    void Select(int nSquare);
    // A click, or Space/Return, on a square: selects, switches, drops or plays.
    void ClickSquare(int nSquare);
    QString SquareDescription(int nSquare) const;
    // "white queen", in the language in use.
    static QString PieceName(qint16 nClass);

    // --- Setting up a position (BoardEdit.cpp) -------------------------------------------------
    void EditPress(QMouseEvent *event);
    void EditRelease(QMouseEvent *event);
    // True when the key was the editing mode's.
    bool EditKey(QKeyEvent *event);
    // Puts nClass (or nothing) on the square and tells the host; bSay: in the accessible name.
    void Place(int nSquare, qint16 nClass, bool bSay);
    // Ends the editing before a game is set: the game's pieces show again.
    void LeaveEditing();
    // Asks for every square whose piece shown differs from the one drawn to be drawn again.
    void RedrawChangedPieces();

    Board *const q;

    clsRules m_oRules;
    // The squares are drawn by the renderer that makes pictures of positions for hosts.
    BoardRenderer m_oPictures;
    BoardRendererPrivate &m_oPicture = *m_oPictures.d;
    SquareRenderer &m_oRenderer = m_oPicture.oSquares;
    BoardGeometry::Grid m_oGrid; // where the cells sit at the control's size
    // What each square was last drawn with (piece class, or -1 when empty); NeverDrawn when it
    // was never drawn. A square drawn again with the same is not counted as rendered.
    std::array<qint16, 64> m_nShown{};
    // The marks each square was last drawn with.
    std::array<SquareRenderer::Marks, 64> m_oShownMarks{};
    std::array<SquareRenderer::Marks, 64> m_oMarks{};
    std::uint64_t m_nDirty = ~std::uint64_t{0};
    bool m_bIsWhitesView = true;
    int m_nRenderedSquares = 0;

    int m_nLiftedSquare = 0; // 0: no drag
    qint16 m_nLiftedClass = -1;
    QPoint m_oPointer;

    QEventLoop *m_pPromotionLoop = nullptr;
    bool m_bReporting = false;
    bool m_bPromoting = false;          // from PawnPromotion until the wait is over
    bool m_bPromotionCancelled = false; // the host took the waiting promotion back
    unsigned m_nGame = 0; // counts NewGame calls, so a game started by a handler keeps its turn
    // GameOver has been raised for the present end of the game: a handler that ends the game
    // inside a move's PositionChanged has told it, and the move does not tell it again.
    bool m_bEndTold = false;

    bool m_bShowLastMove = false;
    bool m_bShowCheck = false;
    bool m_bShowLegalMoves = false;
    bool m_bShowCoordinates = false;
    bool m_bMarksScheduled = false;
    int m_nSelected = 0;
    int m_nPressed = 0;         // where the left button went down
    int m_nFocus = 53;          // the keyboard's square, e2 to begin with
    bool m_bFocusShown = false; // focus came from the keyboard, or a key has been used since
    int m_nTargetsOf = 0;       // the square m_nTargets was worked out for
    std::uint64_t m_nTargets = 0;
    QString m_sLastError;
    Board::Refusal m_eRefusal = Board::Refusal::None;
    int m_nShownNode = -1; // the node shown while reviewing, else -1
    bool m_bVariationMoves = false;
    bool m_bDrawShapes = false;
    std::unique_ptr<clsRules> m_pLine; // set up at m_nLineAt, for moves off the live game
    int m_nLineAt = -1;
    bool m_bVariationPromotion = false; // the promotion waited for is one off the main line
    int m_nVariationPromotionSquare = 0;
    qint16 m_nVariationChoice = -1;
    // The record's SAN as Qt strings, extended by the new plies only: hosts ask after every move.
    // Cut back on undo and emptied for a new game.
    QStringList m_oSans;

    bool m_bEditing = false;
    std::array<qint16, 64> m_oPlaced{}; // the pieces placed while editing
    qint16 m_nTool = Board::NoTool;

    static constexpr qint16 NeverDrawn = -2;
};

inline QString SquareName(int nSquare) {
    return QString::fromStdString(clsRules::SquareToNotation(nSquare));
}

inline int SquareOf(const QString &sNotation) {
    return clsRules::NotationToSquare(sNotation.toStdString());
}
