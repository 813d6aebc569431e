#include "dlgPosition.h"

#include "clsRules.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

dlgPosition::dlgPosition(const QString &sFen, Validator validate, QWidget *parent)
    : QDialog(parent), oValidate(std::move(validate)) {
    setWindowTitle(tr("New Game from Position"));
    auto *layout = new QVBoxLayout(this);
    auto *lblFen = new QLabel(tr("&Position (FEN):"), this);
    txtFen = new QLineEdit(sFen, this);
    txtFen->setObjectName(QStringLiteral("txtFen"));
    txtFen->setMinimumWidth(txtFen->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 60);
    txtFen->selectAll();
    lblFen->setBuddy(txtFen);
    lblError = new QLabel(this);
    lblError->setObjectName(QStringLiteral("lblError"));
    lblError->setWordWrap(true);
    oButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(lblFen);
    layout->addWidget(txtFen);
    layout->addWidget(lblError);
    layout->addWidget(oButtons);
    connect(oButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(oButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(txtFen, &QLineEdit::textChanged, this, &dlgPosition::Check);
    Check();
}

QString dlgPosition::Fen() const {
    return txtFen->text().trimmed();
}

void dlgPosition::Check() {
    const QString sError = oValidate(Fen());
    lblError->setText(sError);
    oButtons->button(QDialogButtonBox::Ok)->setEnabled(sError.isEmpty());
}

QString PositionError(const QString &sFen) {
    return QString::fromStdString(clsRules::FenError(sFen.trimmed().toStdString()));
}
