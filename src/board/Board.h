#pragma once

#include "SquareRenderer.h"
#include "clsRules.h"

#include <QPixmap>
#include <QPoint>
#include <QString>
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

    QSize sizeHint() const override;

signals:
    void PieceCapture(qint16 Class);
    void KingInCheck(bool IsWhite, bool IsMate);
    void PawnPromotion(bool IsWhite);
    void PieceMovement(const QString &SrcNotation, const QString &DestNotation);
    void Stalemate();

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
    PlayResult PlayMove(int nSrc, int nDest);
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
};
