#pragma once

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QSpinBox;

// Time Control: a kind with its numbers, or a preset, shown and editable in the PGN TimeControl
// form (with "d" and seconds for a delay); OK only for a form the clock can keep.
class dlgTimeControl : public QDialog {
    Q_OBJECT
public:
    dlgTimeControl(const QString &sForm, QWidget *parent = nullptr);

    QString Form() const;
    // Empty when the form is one the clock keeps, else why not.
    static QString FormError(const QString &sForm);

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
    QSpinBox *spnMinutes = nullptr;
    QSpinBox *spnIncrement = nullptr;
    QSpinBox *spnMoves = nullptr;
    QSpinBox *spnThen = nullptr;
    QSpinBox *spnDelay = nullptr;
    QLineEdit *txtForm = nullptr;
    QLabel *lblError = nullptr;
    QDialogButtonBox *oButtons = nullptr;
    bool bShowing = false;
};
