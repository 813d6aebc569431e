#pragma once

#include <QPoint>
#include <QRect>

// Where the 64 cells sit in the control, in logical pixels. Square numbering never changes with
// the view; only the cell a square is shown in does.
namespace BoardGeometry {

inline constexpr int Margin = 2;
inline constexpr int Cell = 41; // a square, its one-pixel border included
inline constexpr int Border = 1;
inline constexpr int Inner = Cell - 2 * Border;
inline constexpr int PieceSize = 32;
// The piece sits in the middle of the inner area: (39 - 32) / 2 = 3.5, rounded to even gives 4.
inline constexpr int PieceOffset = Border + 4;
inline constexpr int Side = 2 * Margin + 8 * Cell; // 332

// Column and row (0..7, from the top left of the control) where square nSquare (1..64) shows.
inline QPoint CellOf(int nSquare, bool bWhitesView) {
    const int k = bWhitesView ? nSquare - 1 : 64 - nSquare;
    return {k % 8, k / 8};
}

inline QRect CellRect(int nSquare, bool bWhitesView) {
    const QPoint c = CellOf(nSquare, bWhitesView);
    return {Margin + c.x() * Cell, Margin + c.y() * Cell, Cell, Cell};
}

// The square whose cell holds the point, or 0 for the margin and anything outside the board.
inline int SquareAt(QPoint p, bool bWhitesView) {
    const int x = p.x() - Margin;
    const int y = p.y() - Margin;
    if (x < 0 || y < 0 || x >= 8 * Cell || y >= 8 * Cell)
        return 0;
    const int k = (y / Cell) * 8 + x / Cell;
    return bWhitesView ? k + 1 : 64 - k;
}

} // namespace BoardGeometry
