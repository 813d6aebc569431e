#include "EvalGraph.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <algorithm>
#include <cmath>

namespace {

// Lichess's colours for the three judgements.
QColor MarkColour(Review::Judgement e) {
    switch (e) {
    case Review::Judgement::Inaccuracy:
        return {86, 180, 233};
    case Review::Judgement::Mistake:
        return {230, 159, 0};
    case Review::Judgement::Blunder:
        return {223, 83, 83};
    case Review::Judgement::None:
        break;
    }
    return {};
}

constexpr double Margin = 4;

} // namespace

EvalGraph::EvalGraph(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("EvalGraph"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setCursor(Qt::PointingHandCursor);
}

void EvalGraph::SetPoints(std::vector<Point> o) {
    oPoints = std::move(o);
    update();
}

void EvalGraph::SetShownPly(int nPly) {
    if (nPly == nShown)
        return;
    nShown = nPly;
    update();
}

double EvalGraph::X(std::size_t i) const {
    const double dWidth = width() - 2 * Margin;
    return Margin + (oPoints.size() < 2 ? dWidth / 2
                                        : dWidth * static_cast<double>(i) /
                                              static_cast<double>(oPoints.size() - 1));
}

double EvalGraph::Y(double dPawns) const {
    // Heights by winning chances, as the evaluation bar and Lichess's graph draw them: a pawn
    // near equality shows, and the tenth pawn of a won game hardly does.
    const double dHalf = (height() - 2 * Margin) / 2;
    const Uci::Score oScore{Uci::Score::Kind::Cp,
                            {},
                            static_cast<int>(std::lround(std::clamp(dPawns, -10.0, 10.0) * 100))};
    return Margin + dHalf - Review::WinningChances(oScore) * dHalf;
}

int EvalGraph::PlyAt(int x) const {
    if (oPoints.size() < 2)
        return oPoints.empty() ? -1 : 0;
    const double d =
        (x - Margin) / (width() - 2 * Margin) * static_cast<double>(oPoints.size() - 1);
    return static_cast<int>(std::clamp(std::lround(d), 0L, static_cast<long>(oPoints.size() - 1)));
}

void EvalGraph::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(72, 72, 72));
    const double dZero = Y(0);
    // White's advantage as a light area above the middle, Black's as a dark one below; each run
    // of known points is one area, a gap where the engine said nothing.
    std::size_t i = 0;
    while (i < oPoints.size()) {
        if (!oPoints[i].bKnown) {
            ++i;
            continue;
        }
        QPainterPath oArea(QPointF(X(i), dZero)), oLine(QPointF(X(i), Y(oPoints[i].dPawns)));
        std::size_t j = i;
        for (; j < oPoints.size() && oPoints[j].bKnown; ++j) {
            oArea.lineTo(X(j), Y(oPoints[j].dPawns));
            oLine.lineTo(X(j), Y(oPoints[j].dPawns));
        }
        oArea.lineTo(X(j - 1), dZero);
        oArea.closeSubpath();
        p.save();
        p.setClipRect(QRectF(0, 0, width(), dZero));
        p.fillPath(oArea, QColor(235, 235, 235));
        p.setClipRect(QRectF(0, dZero, width(), height() - dZero));
        p.fillPath(oArea, QColor(30, 30, 30));
        p.restore();
        p.setPen(QPen(QColor(180, 180, 180), 1.2));
        p.drawPath(oLine);
        i = j;
    }
    p.setPen(QPen(QColor(150, 150, 150), 1, Qt::DashLine));
    p.drawLine(QPointF(0, dZero), QPointF(width(), dZero));
    if (nShown >= 0 && static_cast<std::size_t>(nShown) < oPoints.size()) {
        p.setPen(QPen(QColor(214, 79, 0), 2));
        p.drawLine(QPointF(X(static_cast<std::size_t>(nShown)), 0),
                   QPointF(X(static_cast<std::size_t>(nShown)), height()));
    }
    for (std::size_t k = 0; k < oPoints.size(); ++k) {
        const Point &o = oPoints[k];
        if (!o.bKnown || o.eJudgement == Review::Judgement::None)
            continue;
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(MarkColour(o.eJudgement));
        p.drawEllipse(QPointF(X(k), Y(o.dPawns)), 3.5, 3.5);
    }
}

void EvalGraph::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton || oPoints.empty()) {
        QWidget::mousePressEvent(event);
        return;
    }
    emit PlyClicked(PlyAt(qRound(event->position().x())));
}

bool EvalGraph::event(QEvent *event) {
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const int n = PlyAt(help->pos().x());
        if (n >= 0 && !oPoints[static_cast<std::size_t>(n)].sLabel.isEmpty())
            QToolTip::showText(help->globalPos(), oPoints[static_cast<std::size_t>(n)].sLabel,
                               this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}
