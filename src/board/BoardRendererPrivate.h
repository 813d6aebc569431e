#pragma once

#include "BoardGeometry.h"
#include "SquareRenderer.h"

#include <QFont>
#include <QPolygonF>
#include <QRect>
#include <tavlon/BoardRenderer.h>

class QPainter;

// What the control's paint and the pictures share: one square in its cell, the marks a scene
// puts on a square, the shapes and where everything goes.
class BoardRendererPrivate {
public:
    SquareRenderer oSquares;
    QString sPieceFolder; // the set's folder, for the SVG that carries its drawings; empty: ours

    static bool IsDark(int nSquare) {
        const int k = nSquare - 1; // a8 is light
        return (k % 8 + k / 8) % 2 == 1;
    }
    // File letters along the bottom row, rank digits along the left column, as seen.
    static SquareRenderer::Marks CoordinateMarks(int nSquare, bool bWhitesView);
    // Every mark the scene puts on a square.
    static SquareRenderer::Marks SceneMarks(const BoardScene &o, int nSquare);

    // Where a picture's parts go for a board of nSide.
    struct Layout {
        BoardGeometry::Grid oGrid; // the 64 cells
        QRect oBoard;              // the board with its frame, nSide square
        int nBand = 0;             // the height of each band with a name
        QSize oSize;               // the whole picture
    };
    static Layout LayoutOf(const BoardScene &o, int nSide);

    // The square's cell painted at its top left corner oCell: the control's paint and the
    // pictures' both come here.
    void PaintSquare(QPainter &p, QPoint oCell, int nSquare, qint16 nClass,
                     SquareRenderer::Marks nMarks) {
        oSquares.Render(p, oCell, IsDark(nSquare), nClass, nSquare, nMarks);
    }
    // The shapes over the cells of oGrid.
    static void PaintShapes(QPainter &p, const BoardGeometry::Grid &oGrid, bool bWhitesView,
                            const QList<BoardShape> &oShapes);
    // A shape's outline in the cells of oGrid: an arrow's shaft and head as one polygon, or a
    // circle's centre and radius (oRing: centre x, y, radius, pen width). Empty for a bad square.
    static QPolygonF ArrowOutline(const BoardGeometry::Grid &oGrid, bool bWhitesView,
                                  const BoardShape &o);
    struct Ring {
        QPointF oCentre;
        qreal dRadius = 0, dWidth = 0;
    };
    static Ring RingOf(const BoardGeometry::Grid &oGrid, bool bWhitesView, const BoardShape &o);

    // The bands' contents: which side's name is at the top, and how each band reads.
    struct Band {
        QRect oRect;
        bool bWhite = true;
        QString sName;  // as it fits, shortened with an ellipsis
        QString sScore; // "1", "0", "½" once the game has a result, else empty
        bool bToMove = false;
        // A disc in the side's colour, ringed when that side is to move; the score to the
        // right, the name after the disc.
        QPointF oDisc;
        qreal dDisc = 0, dRing = 0, dRingWidth = 0, dDiscWidth = 0;
        QRect oScoreRect, oNameRect;
        QFont oFont, oBold;
    };
    static std::array<Band, 2> BandsOf(const BoardScene &o, const Layout &oLayout,
                                       const QFont &oBase);
    static void PaintBands(QPainter &p, const BoardScene &o, const Layout &oLayout);

    QByteArray Svg(const BoardScene &o, int nSide);
};
