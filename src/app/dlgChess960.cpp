#include "dlgChess960.h"

#include "Chess960.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <tavlon/Board.h>

namespace {

constexpr int PictureSide = 192; // eight 24-pixel squares: small, and every piece still clear

} // namespace

dlgChess960::dlgChess960(bool bRandom, int nNumber, QWidget *parent) : QDialog(parent) {
    setWindowTitle(tr("New Chess960 Game"));
    auto *layout = new QGridLayout(this);
    optRandom = new QRadioButton(tr("&Random position"), this);
    optRandom->setObjectName(QStringLiteral("optRandom"));
    cmdAnother = new QPushButton(tr("&Another"), this);
    cmdAnother->setObjectName(QStringLiteral("cmdAnother"));
    cmdAnother->setToolTip(tr("Draw another position at random"));
    optNumber = new QRadioButton(tr("Position &number:"), this);
    optNumber->setObjectName(QStringLiteral("optNumber"));
    spnNumber = new QSpinBox(this);
    spnNumber->setObjectName(QStringLiteral("spnNumber"));
    spnNumber->setRange(0, Chess960::Count - 1);
    spnNumber->setValue(std::clamp(nNumber, 0, Chess960::Count - 1));
    spnNumber->setAccessibleName(tr("Position number"));
    lblPicture = new QLabel(this);
    lblPicture->setObjectName(QStringLiteral("lblPicture"));
    lblPicture->setAlignment(Qt::AlignCenter);
    lblName = new QLabel(this);
    lblName->setObjectName(QStringLiteral("lblName"));
    lblName->setAlignment(Qt::AlignCenter);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("&Cancel"));
    layout->addWidget(optRandom, 0, 0);
    layout->addWidget(cmdAnother, 0, 1);
    layout->addWidget(optNumber, 1, 0);
    layout->addWidget(spnNumber, 1, 1);
    layout->addWidget(lblPicture, 2, 0, 1, 2);
    layout->addWidget(lblName, 3, 0, 1, 2);
    layout->addWidget(buttons, 4, 0, 1, 2);
    (bRandom ? optRandom : optNumber)->setChecked(true);
    DrawAnother();
    connect(optRandom, &QRadioButton::toggled, this, &dlgChess960::ShowPosition);
    connect(cmdAnother, &QPushButton::clicked, this, [this] {
        optRandom->setChecked(true);
        DrawAnother();
    });
    // Choosing a number means playing that number.
    connect(spnNumber, &QSpinBox::valueChanged, this, [this] {
        optNumber->setChecked(true);
        ShowPosition();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    (bRandom ? static_cast<QWidget *>(optRandom) : spnNumber)->setFocus();
}

int dlgChess960::Number() const {
    return IsRandom() ? nRandom : spnNumber->value();
}

bool dlgChess960::IsRandom() const {
    return optRandom->isChecked();
}

void dlgChess960::DrawAnother() {
    nRandom = static_cast<int>(QRandomGenerator::global()->bounded(Chess960::Count));
    ShowPosition();
}

void dlgChess960::ShowPosition() {
    cmdAnother->setEnabled(IsRandom());
    const int n = Number();
    const QString sFen = QString::fromStdString(Chess960::Fen(n));
    lblPicture->setPixmap(Board::Picture(sFen, PictureSide, devicePixelRatioF()));
    // The pieces of White's first rank in words' place, for those who cannot see the picture.
    const QString sRank = QString::fromStdString(Chess960::BackRank(n));
    lblPicture->setAccessibleName(tr("Chess960 #%1: %2").arg(n).arg(sRank));
    lblName->setText(tr("Chess960 #%1").arg(n));
}
