// Pictures of a position: the squares as the control draws them, the shapes and the name bands.
#include "BoardPrivate.h"
#include "BoardRendererPrivate.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <cmath>

using namespace SquareDesign;

namespace {

// The square number (1 = a8 ... 64 = h1) of a name like "e4"; 0 for anything else.
int SquareNumber(const QString &sName) {
    if (sName.size() != 2)
        return 0;
    const int f = sName[0].unicode() - u'a';
    const int r = sName[1].unicode() - u'1';
    return f < 0 || f > 7 || r < 0 || r > 7 ? 0 : (7 - r) * 8 + f + 1;
}

QPointF CellCentre(const BoardGeometry::Grid &oGrid, bool bWhitesView, int nSquare) {
    return QRectF(oGrid.CellRect(nSquare, bWhitesView)).center();
}

} // namespace

BoardRenderer::BoardRenderer() : d(std::make_unique<BoardRendererPrivate>()) {}
BoardRenderer::~BoardRenderer() = default;

bool BoardRenderer::SetPieceSet(const QString &sFolder, QString *pError) {
    QString sError;
    if (!d->oSquares.SetPieceSet(sFolder, sError)) {
        if (pError != nullptr)
            *pError = sError;
        return false;
    }
    d->sPieceFolder = sFolder;
    return true;
}

SquareRenderer::Marks BoardRendererPrivate::CoordinateMarks(int nSquare, bool bWhitesView) {
    const QPoint c = BoardGeometry::CellOf(nSquare, bWhitesView);
    return (c.y() == 7 ? SquareRenderer::FileLabel : 0u) |
           (c.x() == 0 ? SquareRenderer::RankLabel : 0u);
}

SquareRenderer::Marks BoardRendererPrivate::SceneMarks(const BoardScene &o, int nSquare) {
    SquareRenderer::Marks n = 0;
    if (o.bShowCoordinates)
        n |= CoordinateMarks(nSquare, o.bIsWhitesView);
    if (o.bShowLastMove &&
        (nSquare == SquareNumber(o.sLastMoveFrom) || nSquare == SquareNumber(o.sLastMoveTo)))
        n |= SquareRenderer::LastMove;
    if (o.bShowCheck && nSquare == SquareNumber(o.sCheck))
        n |= SquareRenderer::Check;
    return n;
}

BoardRendererPrivate::Layout BoardRendererPrivate::LayoutOf(const BoardScene &o, int nSide) {
    Layout l;
    nSide = std::max(nSide, 8 * 8); // cells of at least 8 pixels
    l.nBand = o.bShowNames ? std::max(16, nSide / 12) : 0;
    l.oBoard = QRect(0, l.nBand, nSide, nSide);
    l.oGrid.nCell = nSide / 8;
    const int nFrame = (nSide - 8 * l.oGrid.nCell) / 2;
    l.oGrid.oOrigin = QPoint(nFrame, l.nBand + nFrame);
    l.oSize = QSize(nSide, nSide + 2 * l.nBand);
    return l;
}

QSize BoardRenderer::PictureSize(const BoardScene &oScene, int nSide) {
    return BoardRendererPrivate::LayoutOf(oScene, nSide).oSize;
}

void BoardRenderer::Paint(QPainter &p, const BoardScene &oScene, int nSide, qreal dRatio) {
    const auto l = BoardRendererPrivate::LayoutOf(oScene, nSide);
    d->oSquares.SetSize(l.oGrid.nCell, dRatio);
    p.save();
    if (l.oBoard.width() % 8 != 0)
        p.fillRect(l.oBoard, BorderColour); // the pixels left over frame the cells
    for (int n = 1; n <= 64; ++n)
        d->PaintSquare(p, l.oGrid.CellRect(n, oScene.bIsWhitesView).topLeft(), n,
                       oScene.nPieces[static_cast<std::size_t>(n - 1)],
                       BoardRendererPrivate::SceneMarks(oScene, n));
    if (oScene.bShowShapes)
        BoardRendererPrivate::PaintShapes(p, l.oGrid, oScene.bIsWhitesView, oScene.oShapes);
    if (oScene.bShowNames)
        BoardRendererPrivate::PaintBands(p, oScene, l);
    p.restore();
}

QImage BoardRenderer::Image(const BoardScene &oScene, int nSide, qreal dRatio) {
    const QSize oSize = PictureSize(oScene, nSide);
    QImage o(QSize(qRound(oSize.width() * dRatio), qRound(oSize.height() * dRatio)),
             QImage::Format_RGB32);
    o.setDevicePixelRatio(dRatio);
    o.fill(BorderColour);
    QPainter p(&o);
    Paint(p, oScene, nSide, dRatio);
    return o;
}

QByteArray BoardRenderer::Svg(const BoardScene &oScene, int nSide) {
    return d->Svg(oScene, nSide);
}

// The position of a ply of the board's game, for pictures of it.
BoardScene Board::Scene(int nPly) const {
    return NodeScene(nPly == -1 ? ShownNode() : MainLineNode(nPly));
}

BoardScene Board::NodeScene(int nNode) const {
    BoardScene o;
    const clsRules &r = d->m_oRules;
    if (!r.IsNode(nNode) || r.IsOpaque(nNode))
        return o;
    const clsRules::Position &oAt = r.NodePosition(nNode);
    for (std::size_t i = 0; i < o.nPieces.size(); ++i)
        o.nPieces[i] = oAt.nClass[i];
    o.bIsWhitesView = d->m_bIsWhitesView;
    o.bWhiteToMove = oAt.bWhiteToMove;
    if (nNode != clsRules::Root) {
        const Move &oMove = r.NodePly(nNode).oMove;
        o.sLastMoveFrom = SquareName(oMove.nSrc);
        o.sLastMoveTo = SquareName(d->MarkedDestination(nNode));
    }
    const std::int8_t nKing = oAt.bWhiteToMove ? modConsts::WhiteKing : modConsts::BlackKing;
    for (int n = 1; n <= 64 && oAt.bInCheck; ++n)
        if (oAt.nClass[static_cast<std::size_t>(n - 1)] == nKing)
            o.sCheck = SquareName(n);
    o.bShowLastMove = d->m_bShowLastMove;
    o.bShowCheck = d->m_bShowCheck;
    o.bShowCoordinates = d->m_bShowCoordinates;
    // The board shows a node's arrows and circles whatever it is set to.
    o.oShapes = BoardPrivate::SceneShapes(r.NodeNotes(nNode).oShapes);
    o.bShowShapes = true;
    o.sWhite = Tag(QStringLiteral("White"));
    o.sBlack = Tag(QStringLiteral("Black"));
    if (nNode == r.LiveNode() && Result() != QLatin1String("*"))
        o.sResult = Result();
    return o;
}

// --- Shapes -------------------------------------------------------------------------------

QPolygonF BoardRendererPrivate::ArrowOutline(const BoardGeometry::Grid &oGrid, bool bWhitesView,
                                             const BoardShape &o) {
    const int nFrom = SquareNumber(o.sFrom), nTo = SquareNumber(o.sTo);
    if (nFrom == 0 || nTo == 0 || nFrom == nTo)
        return {};
    // A shaft from the middle of one square to a head whose point is in the middle of the other.
    const qreal c = oGrid.nCell;
    const QPointF oFrom = CellCentre(oGrid, bWhitesView, nFrom);
    const QPointF oTo = CellCentre(oGrid, bWhitesView, nTo);
    const QLineF oLine(oFrom, oTo);
    const QPointF u = (oTo - oFrom) / oLine.length();
    const QPointF n(-u.y(), u.x());
    const qreal dShaft = 0.16 * c / 2, dHead = 0.44 * c / 2, dLength = 0.42 * c;
    const QPointF oBase = oTo - u * dLength;
    return QPolygonF({oFrom + n * dShaft, oBase + n * dShaft, oBase + n * dHead, oTo,
                      oBase - n * dHead, oBase - n * dShaft, oFrom - n * dShaft});
}

BoardRendererPrivate::Ring BoardRendererPrivate::RingOf(const BoardGeometry::Grid &oGrid,
                                                        bool bWhitesView, const BoardShape &o) {
    const int nAt = SquareNumber(o.sFrom);
    if (nAt == 0 || (!o.sTo.isEmpty() && SquareNumber(o.sTo) != nAt))
        return {};
    Ring r;
    r.oCentre = CellCentre(oGrid, bWhitesView, nAt);
    r.dWidth = 0.08 * oGrid.nCell;
    r.dRadius = oGrid.nCell / 2.0 - r.dWidth / 2 - 0.04 * oGrid.nCell;
    return r;
}

void BoardRendererPrivate::PaintShapes(QPainter &p, const BoardGeometry::Grid &oGrid,
                                       bool bWhitesView, const QList<BoardShape> &oShapes) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    for (const BoardShape &o : oShapes) {
        if (const QPolygonF oArrow = ArrowOutline(oGrid, bWhitesView, o); !oArrow.isEmpty()) {
            p.setPen(Qt::NoPen);
            p.setBrush(o.oColour);
            p.drawPolygon(oArrow);
        } else if (const Ring r = RingOf(oGrid, bWhitesView, o); r.dWidth > 0) {
            p.setPen(QPen(o.oColour, r.dWidth));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(r.oCentre, r.dRadius, r.dRadius);
        }
    }
    p.restore();
}

// --- The players' bands -------------------------------------------------------------------

std::array<BoardRendererPrivate::Band, 2>
BoardRendererPrivate::BandsOf(const BoardScene &o, const Layout &l, const QFont &oBase) {
    std::array<Band, 2> a;
    const QString sWhite = o.sResult == QLatin1String("1-0")       ? QStringLiteral("1")
                           : o.sResult == QLatin1String("0-1")     ? QStringLiteral("0")
                           : o.sResult == QLatin1String("1/2-1/2") ? QStringLiteral("\u00bd")
                                                                   : QString();
    const QString sBlack = sWhite == QLatin1String("1")   ? QStringLiteral("0")
                           : sWhite == QLatin1String("0") ? QStringLiteral("1")
                                                          : sWhite;
    const qreal h = l.nBand;
    QFont oFont = oBase;
    oFont.setPixelSize(std::max(8, l.nBand * 9 / 20));
    QFont oBold = oFont;
    oBold.setBold(true);
    for (int i = 0; i < 2; ++i) {
        Band &b = a[static_cast<std::size_t>(i)];
        // The top band holds the side whose pieces stand at the top.
        b.bWhite = (i == 0) != o.bIsWhitesView;
        b.oRect = i == 0 ? QRect(0, 0, l.oSize.width(), l.nBand)
                         : QRect(0, l.oBoard.bottom() + 1, l.oSize.width(), l.nBand);
        b.sScore = b.bWhite ? sWhite : sBlack;
        b.bToMove = sWhite.isEmpty() && b.bWhite == o.bWhiteToMove;
        b.oFont = oFont;
        b.oBold = oBold;
        b.oDisc = QPointF(b.oRect.left() + 0.55 * h, b.oRect.top() + 0.5 * h);
        b.dDisc = 0.2 * h;
        b.dDiscWidth = std::max(1.0, 0.04 * h);
        b.dRing = 0.31 * h;
        b.dRingWidth = 0.09 * h;
        b.oScoreRect = b.oRect.adjusted(0, 0, -qRound(0.35 * h), 0);
        const int nScore = qCeil(QFontMetricsF(oBold).horizontalAdvance(b.sScore));
        b.oNameRect = b.oRect.adjusted(qRound(1.05 * h), 0, -qRound(0.35 * h + nScore + h / 2), 0);
        b.sName = QFontMetricsF(oFont).elidedText(b.bWhite ? o.sWhite : o.sBlack, Qt::ElideRight,
                                                  b.oNameRect.width());
    }
    return a;
}

void BoardRendererPrivate::PaintBands(QPainter &p, const BoardScene &o, const Layout &l) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    for (const Band &b : BandsOf(o, l, p.font())) {
        p.fillRect(b.oRect, BorderColour);
        if (b.bToMove) {
            p.setPen(QPen(QColor(LastMoveTint.rgb()), b.dRingWidth));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(b.oDisc, b.dRing, b.dRing);
        }
        p.setPen(QPen(LabelOnDark, b.dDiscWidth));
        p.setBrush(b.bWhite ? WhiteDisc : BlackDisc);
        p.drawEllipse(b.oDisc, b.dDisc, b.dDisc);
        p.setPen(LabelOnDark);
        p.setFont(b.oBold);
        p.drawText(b.oScoreRect, Qt::AlignRight | Qt::AlignVCenter, b.sScore);
        p.setFont(b.oFont);
        p.drawText(b.oNameRect, Qt::AlignLeft | Qt::AlignVCenter, b.sName);
    }
    p.restore();
}
