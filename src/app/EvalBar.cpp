#include "EvalBar.h"

#include "Review.h"

#include <QPainter>
#include <cmath>

EvalBar::EvalBar(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("EvalBar"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

void EvalBar::SetScore(const Uci::Score &oWhite) {
    const double d = (1.0 + Review::WinningChances(oWhite)) / 2.0;
    setToolTip(QString::fromStdString(Review::DisplayText(oWhite)));
    if (d == dShare)
        return;
    dShare = d;
    update();
}

void EvalBar::SetWhiteBelow(bool bBelow) {
    if (bBelow == bWhiteBelow)
        return;
    bWhiteBelow = bBelow;
    update();
}

void EvalBar::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const QRectF r = rect();
    p.fillRect(r, QColor(64, 64, 64));
    const double dWhite = std::round(r.height() * dShare);
    p.fillRect(QRectF(r.left(), bWhiteBelow ? r.bottom() + 1 - dWhite : r.top(), r.width(), dWhite),
               QColor(240, 240, 240));
    // The middle, where the game stands even.
    p.fillRect(QRectF(r.left(), std::round(r.height() / 2.0) - 1, r.width(), 2),
               QColor(200, 60, 60, 160));
    // A frame, so that White's part stands out from a light window.
    p.setPen(QColor(96, 96, 96));
    p.drawRect(r.adjusted(0, 0, -1, -1));
}
