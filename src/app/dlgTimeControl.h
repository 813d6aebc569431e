#pragma once

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QSpinBox;
struct TimeControl;

// Time Control: a kind with its numbers, or a preset, shown and editable in the PGN TimeControl
// form, in seconds as PGN has it (with "d" and seconds for a delay), and said in words; every
// field follows the others. OK only for a form the clock can keep.
class dlgTimeControl : public QDialog {
    Q_OBJECT
public:
    dlgTimeControl(const QString &sForm, QWidget *parent = nullptr);

    QString Form() const;
    // Empty when the form is one the clock keeps, else why not.
    static QString FormError(const QString &sForm);
    // The control in words: "3 minutes + 2 seconds", "40 moves in 90 minutes, then 30 minutes".
    static QString Words(const TimeControl &oControl);
    // For a control whose first period is under a minute, what it is in words: "3+2" means
    // minutes on many servers, but seconds in PGN and here. Empty otherwise.
    static QString ShortNote(const QString &sForm);
    // A time in words: "1 minute", "25 seconds", "1 minute 30 seconds".
    static QString Duration(qint64 nMs);

private:
    void PresetChosen(int nIndex);
    // The kind and numbers in the fields, written into the form.
    void FieldsChanged();
    void EnableFields();
    void Check();
    // Shows the form's kind and numbers in the fields, without echoing back into the form box.
    void ShowForm(const QString &sForm);

    QComboBox *cboPreset = nullptr;
    QComboBox *cboKind = nullptr;
    QSpinBox *spnBase = nullptr; // seconds, shown as m:ss
    QSpinBox *spnIncrement = nullptr;
    QSpinBox *spnMoves = nullptr;
    QSpinBox *spnRest = nullptr; // seconds, shown as m:ss
    QSpinBox *spnDelay = nullptr;
    QLineEdit *txtForm = nullptr;
    QLabel *lblWords = nullptr;
    QLabel *lblError = nullptr;
    QDialogButtonBox *oButtons = nullptr;
    bool bShowing = false;
};
