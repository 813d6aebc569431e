#pragma once

#include "PieceSet.h"

#include <QColor>
#include <QPixmap>
#include <QPoint>
#include <array>
#include <cmath>

class QPainter;

// The proportions and colours of a square and its marks, shared by the board's pictures and the
// SVG written of them.
namespace SquareDesign {
inline constexpr int DesignCell = 41; // the cell every proportion was drawn for
inline constexpr int Border = 1;      // the grid line, one logical pixel at every size
inline constexpr int DesignPiece = 32;
// The texture pictures cover about two squares of the design cell's inner area.
inline constexpr int DesignTexture = 80;
inline constexpr int DesignInner = DesignCell - 2 * Border;

inline const QColor BorderColour(52, 38, 26);
// Marks in colours that stay apart for colour-blind players (a blue, a yellow and an orange
// from the Okabe-Ito set), and that differ in shape too: a tint, a glow, dots and rings.
inline const QColor LastMoveTint(240, 200, 0, 115);
inline const QColor SelectedTint(0, 114, 178, 120);
inline const QColor CheckGlow(213, 94, 0);
inline const QColor TargetColour(20, 30, 60, 110);
inline const QColor FocusOuter(0, 0, 0);
inline const QColor FocusInner(255, 255, 255);
// Coordinates in the other square colour's tone, so a label reads on either square.
inline const QColor LabelOnDark(240, 228, 205);
inline const QColor LabelOnLight(92, 62, 36);
// The sides' colours beside the players' names, those of our pieces.
inline const QColor WhiteDisc(255, 251, 242);
inline const QColor BlackDisc(26, 22, 19);
// The label's pixel size in a cell whose inner side is nInner.
inline int LabelPixels(int nInner) {
    return static_cast<int>(std::lround(13 * nInner / double(DesignInner)));
}
} // namespace SquareDesign

// Draws one square (border, background texture, piece, marks) where a painter puts it, at the
// cell size shown and the device pixel ratio of the screen, so that the board stays crisp at any
// size. Pieces and textures are prepared once per size and kept until the size changes; the
// squares themselves are kept by the window's own picture of itself.
class SquareRenderer {
public:
    static constexpr int ClassCount = PieceSet::ClassCount;

    // The cell (a square with its one-pixel border) in logical pixels, and the device pixel
    // ratio; pictures prepared for another size are dropped.
    void SetSize(int nCell, qreal dRatio);
    int CellSize() const { return m_nCell; }
    qreal DevicePixelRatio() const { return m_dRatio; }
    // The pieces from a folder of SVG files, or our own for an empty name. False, changing
    // nothing, with the cause in sError.
    bool SetPieceSet(const QString &sFolder, QString &sError);

    // What is drawn over a square's picture, as flags.
    enum Mark : unsigned {
        LastMove = 1,
        Check = 2,
        Selected = 4,
        Target = 8, // a dot, or a ring when the square holds a piece
        Focus = 16,
        FileLabel = 32,
        RankLabel = 64,
    };
    using Marks = unsigned;

    // Draws the cell whose top left corner is oCell. nClass is a piece class code, or -1 for an
    // empty square; nSquare (1..64) picks the texture's part and names the coordinates.
    void Render(QPainter &p, QPoint oCell, bool bIsDark, qint16 nClass, int nSquare = 1,
                Marks nMarks = 0);
    // The raised picture that follows the pointer during a drag, PieceSize() square.
    const QPixmap &DragPicture(qint16 nClass);
    // The side of a piece's picture in logical pixels: 32 in a 41-pixel cell.
    qreal PieceSize() const;
    // Where a piece's picture sits in its cell, in logical pixels.
    QPointF PieceOffset() const;

private:
    int DevicePixels(qreal dLogical) const;
    const QPixmap &Piece(qint16 nClass);
    const QPixmap &Texture(bool bIsDark);

    int m_nCell = 41;
    qreal m_dRatio = 1;
    PieceSet m_oSet;
    std::array<QPixmap, 2> m_oTextures; // light, dark, at the cell's scale
    struct Source {
        QImage oImage;
        int nLevel = -1; // 0, 1, 2: the 80, 160 or 320-pixel picture
    };
    std::array<Source, 2> m_oTextureSources; // the pictures they were made from
    std::array<QPixmap, ClassCount> m_oPieces;
    std::array<QPixmap, ClassCount> m_oDrag;
};
