#pragma once

#include "SquareRenderer.h"
#include "clsRules.h"

#include <QPixmap>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <cstdint>

class QEventLoop;

// The chess board control: draws the position, plays typed and dragged moves by the rules of
// chess, and tells its host what happened.
class Board : public QWidget {
    Q_OBJECT
    // How many square pictures have been drawn since the control was made; the benchmark reads it.
    Q_PROPERTY(int renderedSquares READ RenderedSquares)
public:
    explicit Board(QWidget *parent = nullptr);
    ~Board() override;

    void NewGame(bool bIsWhitesTurn = true, const QString &sLayout = StandardLayout());
    void BoardView(bool bIsWhitesView);
    bool UndoLastMove();
    bool PromotionChoice(qint16 nClass);
    bool MovePiece(const QString &sSrc, const QString &sDest);
    bool IsWhitesTurn() const;

    static QString StandardLayout();

    // --- Visual aids, each off unless the host asks for it -------------------------------------
    // The source and destination squares of the newest move.
    void SetShowLastMove(bool bShow);
    bool ShowLastMove() const { return m_bShowLastMove; }
    // The square of a king in check, while it is in check.
    void SetShowCheck(bool bShow);
    bool ShowCheck() const { return m_bShowCheck; }
    // The legal destinations of a lifted or selected piece: a dot on an empty square, a ring on
    // a capture.
    void SetShowLegalMoves(bool bShow);
    bool ShowLegalMoves() const { return m_bShowLegalMoves; }
    // File letters in the bottom row's squares, rank digits in the left column's, as seen.
    void SetShowCoordinates(bool bShow);
    bool ShowCoordinates() const { return m_bShowCoordinates; }

    // --- Questions a host asks to describe the game -----------------------------------------
    // Whether the king of the side to move is attacked.
    bool SideToMoveInCheck() const;
    // The class code of the piece on a square named like "e4", or -1 (empty, or no square).
    qint16 PieceAt(const QString &sSquare) const;
    // --- The game record and the end of the game ----------------------------------------
    // Refusals return false and change nothing; LastError() then says why. During a promotion
    // wait every call that changes the game is refused. Like NewGame, SetFen and LoadPgn raise
    // no events, not even GameOver for a finished game they load.
    QString Fen() const;
    bool SetFen(const QString &sFen);       // a new game from that position
    bool LoadPgn(const QString &sPgn);      // replays the first game's main line, tags and result
    QString Pgn() const;                    // the game so far, export format
    QStringList SanMoves() const;           // every move of the game in SAN, oldest first
    QStringList CoordinateMoves() const;    // the same moves as e2e4, e7e8q
    bool MovePieceSan(const QString &sSan); // SAN or e2e4; MovePiece's events
    QString Result() const;                 // "1-0", "0-1", "1/2-1/2" or "*"
    bool CanClaimDraw() const;              // false once the game is over
    bool ClaimDraw();
    bool Resign(); // the side to move resigns
    bool AgreeDraw();
    QString LastError() const { return m_sLastError; } // empty after a call that succeeded

    QSize sizeHint() const override;

signals:
    void PieceCapture(qint16 Class);
    void KingInCheck(bool IsWhite, bool IsMate);
    void PawnPromotion(bool IsWhite);
    void PieceMovement(const QString &SrcNotation, const QString &DestNotation);
    void Stalemate();
    // The position or the side to move has changed and settled: after a move has been played
    // and the turn has passed, after an undo and after a new game.
    void PositionChanged();
    // Once when the game ends, after the events of the move that ended it.
    void GameOver(const QString &Result, const QString &Reason);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    enum class PlayResult { Refused, Played, Gone };

    // Called by the rules for every square they change, trial moves included: only notes it.
    void SquareChanged(int nSquare);
    // The square's picture must be brought up to date at the next paint.
    void MarkDirty(int nSquare);
    // Brings the dirty square pictures up to date; a square whose content did not change
    // (a trial move taken back) is not drawn again.
    void RenderDirtySquares();
    // The whole move, shared by typed moves and drops.
    // A promotion piece given (nPromotion) is taken without asking the host.
    PlayResult PlayMove(int nSrc, int nDest, qint16 nPromotion = modConsts::NoPiece);
    void ReportGameOver();
    bool Refuse(const QString &sWhy);
    void Settled();
    bool EndGame(bool (clsRules::*pEnd)(), const char *sWhy);
    // Asks the host for the promotion piece and waits; false when no piece was chosen.
    bool AwaitPromotion(bool &bGone);
    bool Waiting() const { return m_pPromotionLoop != nullptr || m_oRules.AwaitingPromotion(); }
    // A move is unfinished while the host is being asked or told about it.
    bool Busy() const { return Waiting() || m_bReporting; }
    void EndDrag();
    QRect DragRect() const;
    int RenderedSquares() const { return m_nRenderedSquares; }

    // --- Marks, selection and keyboard ------------------------------------------------------
    // The squares the piece on nSrc may legally move to, as bits (square n is bit n - 1).
    std::uint64_t LegalTargets(int nSrc);
    // Works out every square's marks from the game, the selection and the options, and asks
    // for the squares whose look changed to be drawn again.
    void UpdateMarks();
    // A marks refresh after the rules changed squares behind the control's back.
    void ScheduleMarks();
    SquareRenderer::Marks MarksOf(int nSquare) const;
    void Select(int nSquare);
    // A click, or Space/Return, on a square: selects, switches, drops or plays.
    void ClickSquare(int nSquare);
    QString SquareDescription(int nSquare) const;

    clsRules m_oRules;
    SquareRenderer m_oRenderer;
    std::array<QPixmap, 64> m_oSquarePictures;
    // What each picture shows (piece class, or -1 when empty); -2 when it was never drawn.
    std::array<qint16, 64> m_nShown{};
    // The marks each picture shows.
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
    unsigned m_nGame = 0; // counts NewGame calls, so a game started by a handler keeps its turn

    bool m_bShowLastMove = false;
    bool m_bShowCheck = false;
    bool m_bShowLegalMoves = false;
    bool m_bShowCoordinates = false;
    bool m_bMarksScheduled = false;
    bool m_bJudging = false; // trial moves of LegalTargets: the squares do not really change
    int m_nSelected = 0;
    int m_nPressed = 0;         // where the left button went down
    int m_nFocus = 53;          // the keyboard's square, e2 to begin with
    bool m_bFocusShown = false; // focus came from the keyboard, or a key has been used since
    int m_nTargetsOf = 0;       // the square m_nTargets was worked out for
    std::uint64_t m_nTargets = 0;
    QString m_sLastError;
};
