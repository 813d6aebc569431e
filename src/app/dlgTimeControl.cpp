#include "dlgTimeControl.h"

#include "TimeControl.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

using Kind = TimeControl::Kind;

// The presets players know, in the PGN form; 90/40+30 is FIDE's classical control.
const char *const Presets[][2] = {{"1+0", "60"},
                                  {"3+2", "180+2"},
                                  {"5+0", "300"},
                                  {"10+5", "600+5"},
                                  {"15+10", "900+10"},
                                  {"30+0", "1800"},
                                  {"90/40+30", "40/5400+30:1800+30"}};

} // namespace

dlgTimeControl::dlgTimeControl(const QString &sForm, QWidget *parent) : QDialog(parent) {
    setWindowTitle(tr("Time Control"));
    auto *layout = new QFormLayout(this);
    cboPreset = new QComboBox(this);
    cboPreset->setObjectName(QStringLiteral("cboPreset"));
    cboPreset->addItem(tr("Choose a preset..."));
    for (const auto &oPreset : Presets)
        cboPreset->addItem(QString::fromLatin1(oPreset[0]), QString::fromLatin1(oPreset[1]));
    cboKind = new QComboBox(this);
    cboKind->setObjectName(QStringLiteral("cboKind"));
    cboKind->addItems({tr("No clock"), tr("Sudden death"), tr("Fischer increment"),
                       tr("Moves per period"), tr("Hourglass"), tr("Bronstein delay")});
    auto Spin = [this](const char *name, int nMin, int nMax, int nValue) {
        auto *spin = new QSpinBox(this);
        spin->setObjectName(QString::fromLatin1(name));
        spin->setRange(nMin, nMax);
        spin->setValue(nValue);
        connect(spin, &QSpinBox::valueChanged, this, &dlgTimeControl::FieldsChanged);
        return spin;
    };
    spnMinutes = Spin("spnMinutes", 1, 600, 5);
    spnIncrement = Spin("spnIncrement", 0, 600, 0);
    spnMoves = Spin("spnMoves", 1, 200, 40);
    spnThen = Spin("spnThen", 1, 600, 30);
    spnDelay = Spin("spnDelay", 1, 600, 5);
    txtForm = new QLineEdit(this);
    txtForm->setObjectName(QStringLiteral("txtForm"));
    lblError = new QLabel(this);
    lblError->setObjectName(QStringLiteral("lblError"));
    lblError->setWordWrap(true);
    oButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addRow(tr("&Preset:"), cboPreset);
    layout->addRow(tr("&Kind:"), cboKind);
    layout->addRow(tr("&Minutes:"), spnMinutes);
    layout->addRow(tr("&Increment (seconds per move):"), spnIncrement);
    layout->addRow(tr("M&oves in the first period:"), spnMoves);
    layout->addRow(tr("Minutes for the &rest:"), spnThen);
    layout->addRow(tr("&Delay (seconds):"), spnDelay);
    layout->addRow(tr("&As in PGN:"), txtForm);
    layout->addRow(lblError);
    layout->addRow(oButtons);
    connect(cboPreset, &QComboBox::activated, this, &dlgTimeControl::PresetChosen);
    connect(cboKind, &QComboBox::currentIndexChanged, this, &dlgTimeControl::FieldsChanged);
    connect(txtForm, &QLineEdit::textEdited, this, [this](const QString &s) { ShowForm(s); });
    connect(oButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(oButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    txtForm->setText(sForm);
    ShowForm(sForm);
}

QString dlgTimeControl::Form() const {
    return txtForm->text().trimmed();
}

QString dlgTimeControl::FormError(const QString &sForm) {
    std::string sError;
    return TimeControl::Parse(sForm.trimmed().toStdString(), &sError)
               ? QString()
               : QString::fromStdString(sError);
}

void dlgTimeControl::PresetChosen(int nIndex) {
    if (nIndex <= 0)
        return;
    const QString s = cboPreset->itemData(nIndex).toString();
    txtForm->setText(s);
    ShowForm(s);
}

void dlgTimeControl::ShowForm(const QString &sForm) {
    const auto o = TimeControl::Parse(sForm.trimmed().toStdString());
    if (o) {
        bShowing = true;
        cboKind->setCurrentIndex(static_cast<int>(o->GetKind()));
        if (o->IsTimed()) {
            const TimeControl::Period &p = o->oPeriods.front();
            spnMinutes->setValue(static_cast<int>(p.nBaseMs / 60000));
            spnIncrement->setValue(static_cast<int>(p.nIncrementMs / 1000));
            if (p.nMoves)
                spnMoves->setValue(p.nMoves);
            if (o->oPeriods.size() > 1)
                spnThen->setValue(static_cast<int>(o->oPeriods[1].nBaseMs / 60000));
            if (o->nDelayMs)
                spnDelay->setValue(static_cast<int>(o->nDelayMs / 1000));
        }
        bShowing = false;
    }
    EnableFields();
    Check();
}

void dlgTimeControl::EnableFields() {
    const auto eKind = static_cast<Kind>(cboKind->currentIndex());
    spnMinutes->setEnabled(eKind != Kind::None);
    spnIncrement->setEnabled(eKind == Kind::Increment || eKind == Kind::Periods);
    spnMoves->setEnabled(eKind == Kind::Periods);
    spnThen->setEnabled(eKind == Kind::Periods);
    spnDelay->setEnabled(eKind == Kind::Delay);
}

void dlgTimeControl::FieldsChanged() {
    if (bShowing)
        return;
    EnableFields();
    const auto eKind = static_cast<Kind>(cboKind->currentIndex());
    const QString sBase = QString::number(spnMinutes->value() * 60);
    const QString sIncrement =
        spnIncrement->value() ? QStringLiteral("+%1").arg(spnIncrement->value()) : QString();
    QString s;
    switch (eKind) {
    case Kind::None:
        s = QStringLiteral("-");
        break;
    case Kind::SuddenDeath:
        s = sBase;
        break;
    case Kind::Increment:
        s = sBase + sIncrement;
        break;
    case Kind::Periods:
        s = QStringLiteral("%1/%2%3:%4%3")
                .arg(spnMoves->value())
                .arg(sBase, sIncrement)
                .arg(spnThen->value() * 60);
        break;
    case Kind::Hourglass:
        s = QLatin1Char('*') + sBase;
        break;
    case Kind::Delay:
        s = QStringLiteral("%1d%2").arg(sBase).arg(spnDelay->value());
        break;
    }
    txtForm->setText(s);
    Check();
}

void dlgTimeControl::Check() {
    const QString sError = FormError(Form());
    lblError->setText(sError);
    oButtons->button(QDialogButtonBox::Ok)->setEnabled(sError.isEmpty());
}
