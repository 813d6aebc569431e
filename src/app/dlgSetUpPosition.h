#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

class Board;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

// Set Up Position: a board to place pieces on, what else a FEN says beside it, the FEN itself
// both ways, and Start Game only for a position that can be played, with the reason named while
// it cannot. With its Chess960 box ticked, castling rights belong to rooks by their files, as
// Chess960 has them. The game is the caller's: the dialog only answers Fen() and Is960().
class dlgSetUpPosition : public QDialog {
    Q_OBJECT
public:
    // Starts from sFen (read as far as it reads), drawn with the pieces of sPieceFolder (empty:
    // our own) from White's side or Black's.
    dlgSetUpPosition(const QString &sFen, const QString &sPieceFolder, bool bWhitesView,
                     QWidget *parent = nullptr);
    ~dlgSetUpPosition() override;

    // Asked when Start Game is pressed, before the dialog closes: false keeps it open. The window
    // asks its unsaved-game question here.
    void SetBeforeStart(std::function<bool()> oAsk);
    // The position set up, as FEN (the castling field as X-FEN).
    QString Fen() const;
    // Whether the position is one of Chess960: the box is ticked, by the player, by SetChess960
    // or by a FEN read whose castling rights need it.
    bool Is960() const;
    void SetChess960(bool bOn);

    void done(int nResult) override;

private:
    struct State;
    // The board changed by hand: rights and en passant square its pieces no longer support go.
    void BoardEdited();
    // In Chess960, each right's rook file is one the right can take, where there is one: the
    // outermost rook on its side of the king unless one was chosen.
    void FitRookFiles();
    // Everything shown follows the state; the FEN field too unless the player is typing it.
    void Show(bool bWriteFen);
    // A FEN from the field (bWriteFen false: the player's text stays as typed) or a button.
    void ReadFen(const QString &sText, bool bWriteFen);
    void Judge();
    void UseTool(QAbstractButton *button);
    void StartGame();

    std::unique_ptr<State> p;
    std::function<bool()> oBeforeStart;
    Board *brdSetUp = nullptr;
    std::array<QAbstractButton *, 13> oTools{}; // by class code, the delete tool last
    QRadioButton *optWhite = nullptr;
    QRadioButton *optBlack = nullptr;
    std::array<QCheckBox *, 4> chkCastling{}; // K, Q, k, q
    QCheckBox *chk960 = nullptr;
    std::array<QComboBox *, 4> cboRookFile{}; // each right's rook, in Chess960
    QComboBox *cboEnPassant = nullptr;
    QSpinBox *spnHalfmove = nullptr;
    QSpinBox *spnFullmove = nullptr;
    QLineEdit *txtFen = nullptr;
    QLabel *lblProblem = nullptr;
    QPushButton *cmdStart = nullptr;
};
