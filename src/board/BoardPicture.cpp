// A position drawn small, away from any board on the screen: previews of a position to start.
#include "BoardGeometry.h"
#include "SquareRenderer.h"
#include "clsRules.h"

#include <QPainter>
#include <stdexcept>
#include <tavlon/Board.h>

// The pictures live in this library; a host may ask for a picture before any board exists.
static void InitPictureAssets() {
    Q_INIT_RESOURCE(tavlon_board_assets);
}

QPixmap Board::Picture(const QString &sFen, int nSide, qreal dDevicePixelRatio) {
    static const bool bAssets = (InitPictureAssets(), true);
    Q_UNUSED(bAssets);
    clsRules oRules;
    try {
        oRules.SetFen(sFen.toStdString());
    } catch (const std::invalid_argument &) {
        return {};
    }
    const int nCell = nSide / 8;
    if (nCell < 4 || dDevicePixelRatio <= 0)
        return {};
    QPixmap o(QSize(8 * nCell, 8 * nCell) * dDevicePixelRatio);
    o.setDevicePixelRatio(dDevicePixelRatio);
    QPainter p(&o);
    SquareRenderer oRenderer;
    oRenderer.SetSize(nCell, dDevicePixelRatio);
    for (int n = 1; n <= 64; ++n) {
        const QPoint c = BoardGeometry::CellOf(n, true);
        const clsSquare &oSquare = oRules.Square(n);
        oRenderer.Render(p, c * nCell, oSquare.IsDark,
                         oSquare.HasPiece ? oSquare.Piece->Class : modConsts::NoPiece, n);
    }
    return o;
}
