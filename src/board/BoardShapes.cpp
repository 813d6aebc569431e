// Arrows and circles on the position shown: drawn with the right button, kept in the node's
// notes, painted over the squares by the renderer that draws the pictures too.
#include "BoardPrivate.h"
#include "BoardRendererPrivate.h"

#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <algorithm>

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

BoardShape SceneShape(const Annotation::Shape &o) {
    return {SquareName(o.nFrom), o.IsCircle() ? QString() : SquareName(o.nTo), ColourOf(o.cColour)};
}

} // namespace

QList<BoardShape> BoardPrivate::SceneShapes(const std::vector<Annotation::Shape> &oShapes) {
    QList<BoardShape> o;
    o.reserve(static_cast<qsizetype>(oShapes.size()));
    for (const Annotation::Shape &x : oShapes)
        o.append(SceneShape(x));
    return o;
}

const std::vector<Annotation::Shape> &BoardPrivate::ShownShapes() const {
    return m_oRules.NodeNotes(ShownNodeId()).oShapes;
}

void BoardPrivate::MarkShapeCells(const Annotation::Shape &o) {
    MarkShapeCells(SceneShape(o));
}

void BoardPrivate::MarkShapeCells(const BoardShape &x) {
    // The outline the renderer fills, and a pixel round it for the smoothed edge.
    using R = BoardRendererPrivate;
    QPainterPath oPath;
    if (const QPolygonF a = R::ArrowOutline(m_oGrid, m_bIsWhitesView, x); !a.isEmpty()) {
        oPath.addPolygon(a);
    } else if (const R::Ring r = R::RingOf(m_oGrid, m_bIsWhitesView, x); r.dWidth > 0) {
        const qreal dOuter = r.dRadius + r.dWidth / 2;
        oPath.addEllipse(r.oCentre, dOuter, dOuter);
    }
    for (int n = 1; n <= 64; ++n)
        if (oPath.intersects(QRectF(m_oGrid.CellRect(n, m_bIsWhitesView)).adjusted(-1, -1, 1, 1)))
            MarkDirty(n);
}

void BoardPrivate::PaintShapes(QPainter &p, const QRegion &oRegion) const {
    // What is set up by hand is shown bare.
    const std::vector<Annotation::Shape> &oShapes = ShownShapes();
    if (m_bEditing || (oShapes.empty() && !m_bDrawing && m_oOverlay.isEmpty()))
        return;
    QList<BoardShape> oScene = SceneShapes(oShapes);
    oScene.append(m_oOverlay);
    // The shape being drawn shows where the button would leave it, unless it is there already.
    if (m_bDrawing && m_oDrawing.nTo != 0 &&
        std::find(oShapes.begin(), oShapes.end(), m_oDrawing) == oShapes.end())
        oScene.append(SceneShape(m_oDrawing));
    p.save();
    p.setClipRegion(oRegion);
    BoardRendererPrivate::PaintShapes(p, m_oGrid, m_bIsWhitesView, oScene);
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

void Board::SetOverlayShapes(const QList<BoardShape> &oShapes) {
    QList<BoardShape> oKept;
    for (const BoardShape &o : oShapes)
        if (SquareOf(o.sFrom) > 0 && (o.sTo.isEmpty() || SquareOf(o.sTo) > 0))
            oKept.append(o);
    if (oKept == d->m_oOverlay)
        return;
    for (const BoardShape &o : d->m_oOverlay)
        d->MarkShapeCells(o);
    d->m_oOverlay = std::move(oKept);
    for (const BoardShape &o : d->m_oOverlay)
        d->MarkShapeCells(o);
}

void BoardPrivate::MarkAllShapes() {
    MarkShapeCells(ShownShapes());
    for (const BoardShape &o : m_oOverlay)
        MarkShapeCells(o);
}

QList<BoardShape> Board::OverlayShapes() const {
    return d->m_oOverlay;
}
