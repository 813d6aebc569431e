#pragma once

#include <QDialog>
#include <functional>

class QDialogButtonBox;
class QLabel;
class QLineEdit;

// New Game from Position: a FEN field that says what is wrong while the user types, and OK
// only for a position that can be played.
class dlgPosition : public QDialog {
    Q_OBJECT
public:
    // Empty when the FEN is acceptable, otherwise what is wrong with it.
    using Validator = std::function<QString(const QString &sFen)>;

    dlgPosition(const QString &sFen, Validator validate, QWidget *parent = nullptr);

    QString Fen() const;

private:
    void Check();

    Validator oValidate;
    QLineEdit *txtFen = nullptr;
    QLabel *lblError = nullptr;
    QDialogButtonBox *oButtons = nullptr;
};

// The window's validator: the rules' own judgement of a FEN.
QString PositionError(const QString &sFen);
