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
    // Once when the game ends, after the events of the move that ended it.
    void GameOver(const QString &Result, const QString &Reason);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    enum class PlayResult { Refused, Played, Gone };

    // Called by the rules for every square they change, trial moves included: only notes it.
    void SquareChanged(int nSquare);
    // Brings the dirty square pictures up to date; a square whose content did not change
    // (a trial move taken back) is not drawn again.
    void RenderDirtySquares();
    // The whole move, shared by typed moves and drops.
    // A promotion piece given (nPromotion) is taken without asking the host.
    PlayResult PlayMove(int nSrc, int nDest, qint16 nPromotion = modConsts::NoPiece);
    void ReportGameOver();
    bool Refuse(const QString &sWhy);
    bool EndGame(bool (clsRules::*pEnd)(), const char *sWhy);
    // Asks the host for the promotion piece and waits; false when no piece was chosen.
    bool AwaitPromotion(bool &bGone);
    bool Waiting() const {
        return m_bPromoting || m_pPromotionLoop != nullptr || m_oRules.AwaitingPromotion();
    }
    // A move is unfinished while the host is being asked or told about it.
    bool Busy() const { return Waiting() || m_bReporting; }
    void EndDrag();
    QRect DragRect() const;
    int RenderedSquares() const { return m_nRenderedSquares; }

    clsRules m_oRules;
    SquareRenderer m_oRenderer;
    std::array<QPixmap, 64> m_oSquarePictures;
    // What each picture shows (piece class, or -1 when empty); -2 when it was never drawn.
    std::array<qint16, 64> m_nShown{};
    std::array<QPixmap, 2> m_oEmptyPictures; // light, dark: a lifted piece's square
    std::uint64_t m_nDirty = ~std::uint64_t{0};
    bool m_bIsWhitesView = true;
    int m_nRenderedSquares = 0;

    int m_nLiftedSquare = 0; // 0: no drag
    qint16 m_nLiftedClass = -1;
    QPoint m_oPointer;

    QEventLoop *m_pPromotionLoop = nullptr;
    bool m_bReporting = false;
    bool m_bPromoting = false; // from PawnPromotion until the wait is over
    unsigned m_nGame = 0; // counts NewGame calls, so a game started by a handler keeps its turn
    QString m_sLastError;
};
