#include "dlgGameInfo.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

const QStringList &dlgGameInfo::TagNames() {
    static const QStringList oNames = {QStringLiteral("White"), QStringLiteral("Black"),
                                       QStringLiteral("Event"), QStringLiteral("Site"),
                                       QStringLiteral("Date"),  QStringLiteral("Round")};
    return oNames;
}

dlgGameInfo::dlgGameInfo(const QStringList &oValues, const QString &sVariant, QWidget *parent,
                         const QString &sNotes)
    : QDialog(parent) {
    setWindowTitle(tr("Game Information"));
    auto *layout = new QFormLayout(this);
    const QString sLabels[] = {tr("&White:"), tr("&Black:"), tr("&Event:"),
                               tr("&Site:"),  tr("&Date:"),  tr("&Round:")};
    for (qsizetype i = 0; i < TagNames().size(); ++i) {
        QString sValue = oValues.value(i);
        // "?" and "-" stand for the unknown. A date with no digit at all ("????.??.??") is
        // offered as today's; a partly known one ("1972.??.??") stays, so OK keeps its year.
        if (sValue == QLatin1String("?") || sValue == QLatin1String("-"))
            sValue.clear();
        if (TagNames()[i] == QLatin1String("Date") &&
            std::none_of(sValue.cbegin(), sValue.cend(), [](QChar c) { return c.isDigit(); }))
            sValue = QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd"));
        auto *field = new QLineEdit(sValue, this);
        field->setObjectName(QStringLiteral("txt") + TagNames()[i]);
        if (TagNames()[i] == QLatin1String("Date"))
            field->setPlaceholderText(tr("YYYY.MM.DD"));
        layout->addRow(sLabels[i], field);
        oFields << field;
    }
    if (!sVariant.isEmpty()) {
        auto *lblVariant = new QLabel(sVariant, this);
        lblVariant->setObjectName(QStringLiteral("lblVariant"));
        lblVariant->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addRow(tr("Variant:"), lblVariant);
    }
    if (!sNotes.isEmpty()) {
        auto *lblNotes = new QLabel(sNotes, this);
        lblNotes->setObjectName(QStringLiteral("lblNotes"));
        lblNotes->setWordWrap(true);
        lblNotes->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addRow(tr("Annotations:"), lblNotes);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("&Cancel"));
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    oFields.first()->setFocus();
    setMinimumWidth(sizeHint().width() + fontMetrics().averageCharWidth() * 20);
}

QStringList dlgGameInfo::Values() const {
    QStringList o;
    for (const QLineEdit *field : oFields)
        o << field->text().trimmed();
    return o;
}
