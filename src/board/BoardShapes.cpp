// Arrows and circles on the position shown: drawn with the right button, kept in the node's
// notes, painted over the squares.
#include "BoardPrivate.h"

#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QRegion>
#include <algorithm>
#include <cmath>

namespace {

// Lichess's colours, as players know them; semi-transparent over the squares.
QColor ColourOf(char c) {
    switch (c) {
    case 'R':
        return {136, 32, 32, 170};
    case 'B':
        return {0, 48, 136, 170};
    case 'Y':
        return {230, 143, 0, 170};
    default:
        return {21, 120, 27, 170};
    }
}

} // namespace

// The outline of a shape in the control's coordinates: a ring inside the square, or an arrow
// from the centre of one square to near the centre of the other.
static QPainterPath ShapePath(const BoardGeometry::Grid &oGrid, bool bWhitesView,
                              const Annotation::Shape &o) {
    const QRectF oFrom = oGrid.CellRect(o.nFrom, bWhitesView);
    const qreal dCell = oFrom.width();
    QPainterPath oPath;
    if (o.IsCircle()) {
        const qreal dWidth = dCell * 0.08;
        const QRectF oOuter = oFrom.adjusted(2, 2, -2, -2);
        oPath.addEllipse(oOuter);
        oPath.addEllipse(oOuter.adjusted(dWidth, dWidth, -dWidth, -dWidth));
        return oPath;
    }
    const QPointF a = oFrom.center();
    const QPointF b = QRectF(oGrid.CellRect(o.nTo, bWhitesView)).center();
    const QPointF d = b - a;
    const qreal dLength = std::hypot(d.x(), d.y());
    const QPointF u = d / dLength;        // along the arrow
    const QPointF n(-u.y(), u.x());       // across it
    const qreal dHalf = dCell * 0.08;     // half the shaft's width
    const qreal dHead = dCell * 0.42;     // the head's length
    const qreal dHeadHalf = dCell * 0.24; // half the head's width
    const QPointF oTip = b - u * (dCell * 0.12);
    const QPointF oBase = oTip - u * dHead;
    oPath.moveTo(a + n * dHalf);
    oPath.lineTo(oBase + n * dHalf);
    oPath.lineTo(oBase + n * dHeadHalf);
    oPath.lineTo(oTip);
    oPath.lineTo(oBase - n * dHeadHalf);
    oPath.lineTo(oBase - n * dHalf);
    oPath.lineTo(a - n * dHalf);
    oPath.closeSubpath();
    return oPath;
}

const std::vector<Annotation::Shape> &BoardPrivate::ShownShapes() const {
    return m_oRules.NodeNotes(ShownNodeId()).oShapes;
}

void BoardPrivate::MarkShapeCells(const Annotation::Shape &o) {
    const QPainterPath oPath = ShapePath(m_oGrid, m_bIsWhitesView, o);
    for (int n = 1; n <= 64; ++n)
        if (oPath.intersects(QRectF(m_oGrid.CellRect(n, m_bIsWhitesView))))
            MarkDirty(n);
}

void BoardPrivate::PaintShapes(QPainter &p, const QRegion &oRegion) const {
    const std::vector<Annotation::Shape> &oShapes = ShownShapes();
    if (oShapes.empty() && !m_bDrawing)
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setClipRegion(oRegion);
    const auto Paint = [&](const Annotation::Shape &o) {
        const QPainterPath oPath = ShapePath(m_oGrid, m_bIsWhitesView, o);
        if (oRegion.intersects(oPath.boundingRect().toAlignedRect()))
            p.fillPath(oPath, ColourOf(o.cColour));
    };
    for (const Annotation::Shape &o : oShapes)
        Paint(o);
    // The shape being drawn shows where the button would leave it, unless it is there already.
    if (m_bDrawing && m_oDrawing.nTo != 0 &&
        std::find(oShapes.begin(), oShapes.end(), m_oDrawing) == oShapes.end())
        Paint(m_oDrawing);
    p.restore();
}

void BoardPrivate::ShapePressed(int nSquare, Qt::KeyboardModifiers eModifiers) {
    if (nSquare == 0)
        return;
    const bool bShift = eModifiers & (Qt::ShiftModifier | Qt::ControlModifier);
    const bool bAlt = eModifiers & Qt::AltModifier;
    m_oDrawing.cColour = bShift && bAlt ? 'Y' : bShift ? 'R' : bAlt ? 'B' : 'G';
    m_oDrawing.nFrom = static_cast<std::int8_t>(nSquare);
    m_oDrawing.nTo = 0; // nothing shows until the pointer has left the square or let go
    m_bDrawing = true;
}

void BoardPrivate::ShapeMoved(int nSquare) {
    if (nSquare == m_oDrawing.nTo || (nSquare == m_oDrawing.nFrom && m_oDrawing.nTo == 0))
        return;
    if (m_oDrawing.nTo != 0)
        MarkShapeCells(m_oDrawing);
    m_oDrawing.nTo = static_cast<std::int8_t>(nSquare);
    if (nSquare != 0)
        MarkShapeCells(m_oDrawing);
}

void BoardPrivate::ShapeReleased(int nSquare) {
    if (m_oDrawing.nTo != 0)
        MarkShapeCells(m_oDrawing);
    m_bDrawing = false;
    if (nSquare == 0 || Busy())
        return; // let go outside the board: nothing drawn
    m_oDrawing.nTo = static_cast<std::int8_t>(nSquare);
    std::vector<Annotation::Shape> oShapes = ShownShapes();
    const auto it = std::find_if(oShapes.begin(), oShapes.end(), [this](const auto &o) {
        return o.nFrom == m_oDrawing.nFrom && o.nTo == m_oDrawing.nTo;
    });
    if (it == oShapes.end())
        oShapes.push_back(m_oDrawing);
    else if (it->cColour == m_oDrawing.cColour)
        oShapes.erase(it); // the same shape again takes it away
    else
        it->cColour = m_oDrawing.cColour;
    MarkShapeCells(m_oDrawing);
    TreeEdited(m_oRules.SetShapes(ShownNodeId(), std::move(oShapes)), false, -1);
}

void Board::SetDrawShapes(bool bDraw) {
    d->m_bDrawShapes = bDraw;
    if (!bDraw && d->m_bDrawing) {
        d->ShapeMoved(0);
        d->m_bDrawing = false;
    }
}

bool Board::DrawShapes() const {
    return d->m_bDrawShapes;
}
