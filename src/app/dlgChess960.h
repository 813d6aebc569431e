#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

// New Chess960 Game: a start position drawn at random or chosen by its number (0 to 959), shown
// small before the game begins.
class dlgChess960 : public QDialog {
    Q_OBJECT
public:
    // bRandom: a random position is offered, drawn afresh; otherwise position nNumber.
    dlgChess960(bool bRandom, int nNumber, QWidget *parent = nullptr);

    // The position chosen, 0..959, and whether it was drawn at random.
    int Number() const;
    bool IsRandom() const;

private:
    void DrawAnother();
    void ShowPosition();

    QRadioButton *optRandom = nullptr;
    QRadioButton *optNumber = nullptr;
    QSpinBox *spnNumber = nullptr;
    QPushButton *cmdAnother = nullptr;
    QLabel *lblPicture = nullptr;
    QLabel *lblName = nullptr;
    int nRandom = 0;
};
