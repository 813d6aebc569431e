#include "dlgTimeControl.h"

#include "TimeControl.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>

namespace {

using Kind = TimeControl::Kind;

// The presets players know, in the PGN form (seconds); 90/40+30 is FIDE's classical control.
const char *const Presets[] = {
    "60+0", "180+2", "300+0", "600+5", "900+10", "1800+0", "40/5400+30:1800+30"};

std::optional<TimeControl> Parsed(const QString &sForm) {
    return TimeControl::Parse(sForm.trimmed().toStdString());
}

// A time in seconds shown as minutes and seconds, "3:00" or "0:25"; a bare number typed in is
// minutes, as on a chess clock.
class TimeSpin : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    QString textFromValue(int n) const override {
        return QStringLiteral("%1:%2").arg(n / 60).arg(n % 60, 2, 10, QLatin1Char('0'));
    }
    int valueFromText(const QString &s) const override {
        const QStringList o = s.trimmed().split(QLatin1Char(':'));
        return o.size() == 1 ? o[0].toInt() * 60 : o[0].toInt() * 60 + o[1].toInt();
    }
    QValidator::State validate(QString &s, int &) const override {
        static const QRegularExpression oForm(
            QRegularExpression::anchoredPattern(QStringLiteral(R"(\s*\d{0,4}(:\d{0,2})?\s*)")));
        if (!oForm.match(s).hasMatch())
            return QValidator::Invalid;
        const int n = valueFromText(s);
        return n >= minimum() && n <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
    }
};

} // namespace

dlgTimeControl::dlgTimeControl(const QString &sForm, QWidget *parent) : QDialog(parent) {
    setWindowTitle(tr("Time Control"));
    auto *layout = new QFormLayout(this);
    cboPreset = new QComboBox(this);
    cboPreset->setObjectName(QStringLiteral("cboPreset"));
    // Its list shows each preset whole; closed, it need not widen the dialog to the longest.
    cboPreset->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboPreset->setMinimumContentsLength(28);
    cboPreset->addItem(tr("Your own"));
    // Each in words and in the form it writes: "1 minute + 0 seconds = 60+0".
    for (const char *sPreset : Presets)
        cboPreset->addItem(tr("%1 = %2").arg(Words(*Parsed(QString::fromLatin1(sPreset))),
                                             QString::fromLatin1(sPreset)),
                           QString::fromLatin1(sPreset));
    cboKind = new QComboBox(this);
    cboKind->setObjectName(QStringLiteral("cboKind"));
    cboKind->addItems({tr("No clock"), tr("Sudden death"), tr("Fischer increment"),
                       tr("Moves per period"), tr("Hourglass"), tr("Bronstein delay")});
    auto Spin = [this](QSpinBox *spin, const char *name, int nMin, int nMax, int nValue) {
        spin->setObjectName(QString::fromLatin1(name));
        spin->setRange(nMin, nMax);
        spin->setValue(nValue);
        connect(spin, &QSpinBox::valueChanged, this, &dlgTimeControl::FieldsChanged);
        return spin;
    };
    // Up to ten hours a period; the arrows step by a minute, typing gives any second.
    spnBase = Spin(new TimeSpin(this), "spnBase", 0, 36000, 300);
    spnBase->setSingleStep(60);
    spnIncrement = Spin(new QSpinBox(this), "spnIncrement", 0, 600, 0);
    spnMoves = Spin(new QSpinBox(this), "spnMoves", 1, 200, 40);
    spnRest = Spin(new TimeSpin(this), "spnRest", 0, 36000, 1800);
    spnRest->setSingleStep(60);
    spnDelay = Spin(new QSpinBox(this), "spnDelay", 1, 600, 5);
    txtForm = new QLineEdit(this);
    txtForm->setObjectName(QStringLiteral("txtForm"));
    lblWords = new QLabel(this);
    lblWords->setObjectName(QStringLiteral("lblWords"));
    lblWords->setWordWrap(true);
    lblError = new QLabel(this);
    lblError->setObjectName(QStringLiteral("lblError"));
    lblError->setWordWrap(true);
    oButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addRow(tr("&Preset:"), cboPreset);
    layout->addRow(tr("&Kind:"), cboKind);
    layout->addRow(tr("&Time (minutes:seconds):"), spnBase);
    layout->addRow(tr("&Increment (seconds added per move):"), spnIncrement);
    layout->addRow(tr("M&oves in the first period:"), spnMoves);
    layout->addRow(tr("Time for the &rest (minutes:seconds):"), spnRest);
    layout->addRow(tr("&Delay (seconds):"), spnDelay);
    layout->addRow(tr("&As in PGN (seconds):"), txtForm);
    layout->addRow(lblWords);
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

QString dlgTimeControl::Duration(qint64 nMs) {
    // One and many spelt out: the program carries no English plural forms.
    const int nSeconds = static_cast<int>(nMs / 1000);
    const int nMinutes = nSeconds / 60;
    const QString sMinutes = nMinutes == 1 ? tr("1 minute") : tr("%1 minutes").arg(nMinutes);
    const QString sSeconds =
        nSeconds % 60 == 1 ? tr("1 second") : tr("%1 seconds").arg(nSeconds % 60);
    if (nMinutes == 0)
        return sSeconds;
    return nSeconds % 60 == 0 ? sMinutes : tr("%1 %2").arg(sMinutes, sSeconds);
}

QString dlgTimeControl::Words(const TimeControl &o) {
    if (!o.IsTimed())
        return tr("No clock");
    if (o.bHourglass)
        return tr("Hourglass of %1").arg(Duration(o.oPeriods.front().nBaseMs));
    QStringList oPeriods;
    for (const TimeControl::Period &p : o.oPeriods) {
        QString s = Duration(p.nBaseMs);
        if (p.nMoves)
            s = p.nMoves == 1 ? tr("%1 for 1 move").arg(s)
                              : tr("%1 for %2 moves").arg(s).arg(p.nMoves);
        if (p.nIncrementMs || o.oPeriods.size() == 1)
            s = tr("%1 + %2").arg(s, Duration(p.nIncrementMs));
        oPeriods << s;
    }
    const QString s = oPeriods.join(tr(", then "));
    return o.nDelayMs ? tr("%1, with a delay of %2").arg(s, Duration(o.nDelayMs)) : s;
}

QString dlgTimeControl::ShortNote(const QString &sForm) {
    const auto o = Parsed(sForm);
    if (!o || !o->IsTimed() || o->oPeriods.front().nBaseMs >= 60'000)
        return {};
    return tr("the time control %1 is %2: times are in seconds, as in PGN")
        .arg(sForm.trimmed(), Words(*o));
}

void dlgTimeControl::PresetChosen(int nIndex) {
    if (nIndex <= 0)
        return;
    const QString s = cboPreset->itemData(nIndex).toString();
    txtForm->setText(s);
    ShowForm(s);
}

void dlgTimeControl::ShowForm(const QString &sForm) {
    if (const auto o = Parsed(sForm)) {
        bShowing = true;
        cboKind->setCurrentIndex(static_cast<int>(o->GetKind()));
        if (o->IsTimed()) {
            const TimeControl::Period &p = o->oPeriods.front();
            spnBase->setValue(static_cast<int>(p.nBaseMs / 1000));
            spnIncrement->setValue(static_cast<int>(p.nIncrementMs / 1000));
            if (p.nMoves)
                spnMoves->setValue(p.nMoves);
            if (o->oPeriods.size() > 1)
                spnRest->setValue(static_cast<int>(o->oPeriods[1].nBaseMs / 1000));
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
    spnBase->setEnabled(eKind != Kind::None);
    spnIncrement->setEnabled(eKind == Kind::Increment || eKind == Kind::Periods);
    spnMoves->setEnabled(eKind == Kind::Periods);
    spnRest->setEnabled(eKind == Kind::Periods);
    spnDelay->setEnabled(eKind == Kind::Delay);
}

void dlgTimeControl::FieldsChanged() {
    if (bShowing)
        return;
    EnableFields();
    const auto eKind = static_cast<Kind>(cboKind->currentIndex());
    const QString sBase = QString::number(spnBase->value());
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
                .arg(spnRest->value());
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
    // The words and the preset follow the form, whichever field changed it.
    const auto o = Parsed(Form());
    lblWords->setText(o ? Words(*o) : QString());
    int nPreset = 0;
    for (int i = 1; o && i < cboPreset->count() && nPreset == 0; ++i)
        if (Parsed(cboPreset->itemData(i).toString()) == o)
            nPreset = i;
    cboPreset->setCurrentIndex(nPreset);
}
