#include "ClockWidget.h"

#include <QFontDatabase>
#include <QPainter>

ClockWidget::ClockWidget(bool bIsWhite, QWidget *parent) : QWidget(parent), bWhite(bIsWhite) {
    setObjectName(bIsWhite ? QStringLiteral("clkWhite") : QStringLiteral("clkBlack"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ClockWidget::Show(const QString &sNewTime, int nNewMovesLeft, bool bNewRunning, bool bNewLow) {
    if (sNewTime == sTime && nNewMovesLeft == nMovesLeft && bNewRunning == bRunning &&
        bNewLow == bLow)
        return;
    sTime = sNewTime;
    nMovesLeft = nNewMovesLeft;
    bRunning = bNewRunning;
    bLow = bNewLow;
    update();
}

QString ClockWidget::Label() const {
    const QString sSide = bWhite ? tr("White") : tr("Black");
    return nMovesLeft > 0 ? tr("%1 (%n moves to go)", nullptr, nMovesLeft).arg(sSide) : sSide;
}

void ClockWidget::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, bRunning ? QColor(255, 250, 205) : QColor(224, 224, 224));
    if (bRunning) {
        p.setPen(QColor(160, 140, 60));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(r.adjusted(6, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, Label());
    // A fixed-pitch face: every digit the same width.
    QFont oFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    oFont.setPixelSize(std::max(10, r.height() - 6));
    oFont.setBold(bRunning);
    p.setFont(oFont);
    p.setPen(bLow ? QColor(190, 0, 0) : palette().color(QPalette::WindowText));
    p.drawText(r.adjusted(0, 0, -6, 0), Qt::AlignRight | Qt::AlignVCenter, sTime);
}
