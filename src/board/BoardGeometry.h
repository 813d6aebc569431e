#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <algorithm>

// Where the 64 cells sit in the control, in logical pixels. Square numbering never changes with
// the view; only the cell a square is shown in does.
namespace BoardGeometry {

inline constexpr int Margin = 2;
inline constexpr int MinCell = 41; // a square, its one-pixel border included, at the smallest
inline constexpr int Side = 2 * Margin + 8 * MinCell; // 332, the size hint

// Column and row (0..7, from the top left of the board) where square nSquare (1..64) shows.
inline QPoint CellOf(int nSquare, bool bWhitesView) {
    const int k = bWhitesView ? nSquare - 1 : 64 - nSquare;
    return {k % 8, k / 8};
}

// The largest board of whole-pixel cells that fits the control, centred; never smaller than the
// smallest board (a control made smaller shows its top left part).
struct Grid {
    QPoint oOrigin{Margin, Margin};
    int nCell = MinCell;

    static Grid Fitting(QSize oControl) {
        Grid o;
        o.nCell =
            std::max(MinCell, (std::min(oControl.width(), oControl.height()) - 2 * Margin) / 8);
        o.oOrigin = {std::max(Margin, (oControl.width() - 8 * o.nCell) / 2),
                     std::max(Margin, (oControl.height() - 8 * o.nCell) / 2)};
        return o;
    }
    QRect Board() const { return {oOrigin, QSize(8 * nCell, 8 * nCell)}; }
    QRect CellRect(int nSquare, bool bWhitesView) const {
        const QPoint c = CellOf(nSquare, bWhitesView);
        return {oOrigin.x() + c.x() * nCell, oOrigin.y() + c.y() * nCell, nCell, nCell};
    }
    // The square whose cell holds the point, or 0 for the margin and anything outside the board.
    int SquareAt(QPoint p, bool bWhitesView) const {
        const int x = p.x() - oOrigin.x();
        const int y = p.y() - oOrigin.y();
        if (x < 0 || y < 0 || x >= 8 * nCell || y >= 8 * nCell)
            return 0;
        const int k = (y / nCell) * 8 + x / nCell;
        return bWhitesView ? k + 1 : 64 - k;
    }
};

} // namespace BoardGeometry
