#pragma once

#include <QString>
#include <QWidget>

// The chess board control: draws the position, plays typed and dragged moves by the rules of
// chess, and tells its host what happened.
class Board : public QWidget {
    Q_OBJECT
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

signals:
    void PieceCapture(qint16 Class);
    void KingInCheck(bool IsWhite, bool IsMate);
    void PawnPromotion(bool IsWhite);
    void PieceMovement(const QString &SrcNotation, const QString &DestNotation);
    void Stalemate();
};
