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
// it cannot. The game is the caller's: the dialog only answers Fen().
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
    // The position set up, as FEN.
    QString Fen() const;

    void done(int nResult) override;

private:
    struct State;
    // The board changed by hand: rights and en passant square its pieces no longer support go.
    void BoardEdited();
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
    QComboBox *cboEnPassant = nullptr;
    QSpinBox *spnHalfmove = nullptr;
    QSpinBox *spnFullmove = nullptr;
    QLineEdit *txtFen = nullptr;
    QLabel *lblProblem = nullptr;
    QPushButton *cmdStart = nullptr;
};
