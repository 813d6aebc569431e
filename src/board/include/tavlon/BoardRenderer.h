#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <array>
#include <memory>

class QPainter;
class BoardRendererPrivate;

// An arrow from one square to another, or a circle round one square (sTo empty or equal to
// sFrom), as players draw them on a board and PGN keeps them ([%cal], [%csl]).
struct BoardShape {
    QString sFrom; // a square named like "e4"
    QString sTo;
    QColor oColour;
    bool operator==(const BoardShape &) const = default;
};

// One position as the board draws it: what each square holds, the view, the marks and the
// shapes over it. Board::Scene() describes a position of its game; a host may fill one itself.
struct BoardScene {
    // The piece class on each square (as Board::PieceAt), a8, b8 ... h8, a7 ... h1, in the order
    // a FEN lists them; -1 for an empty square.
    std::array<qint16, 64> nPieces;
    bool bIsWhitesView = true;
    bool bWhiteToMove = true;
    // The marks, each drawn when its flag is set and its squares are named.
    QString sLastMoveFrom, sLastMoveTo; // the move that led here
    QString sCheck;                     // the square of a king in check
    bool bShowLastMove = false;
    bool bShowCheck = false;
    bool bShowCoordinates = false; // file letters and rank digits, as Board::SetShowCoordinates
    QList<BoardShape> oShapes;     // drawn over the pieces, in order
    bool bShowShapes = false;
    // Bands above and below the board with the players' names, the side to move marked, and the
    // result when it is not empty ("1-0", "0-1", "1/2-1/2"). The Board control never draws them.
    QString sWhite, sBlack, sResult;
    bool bShowNames = false;

    BoardScene() { nPieces.fill(-1); }
};

// Draws a BoardScene the way the Board control draws its squares, so that a picture at a board
// size is, pixel for pixel, what a Board shows at that size with the same aids; and writes the
// same picture as SVG. The board's side nSide is in logical pixels: eight whole-pixel cells of
// nSide / 8, centred, and what is left over (nSide % 8 pixels) a frame in the grid's colour.
// Pictures of one size are prepared once and kept, so one renderer per size in use is fastest.
class BoardRenderer {
public:
    BoardRenderer();
    ~BoardRenderer();
    BoardRenderer(const BoardRenderer &) = delete;
    BoardRenderer &operator=(const BoardRenderer &) = delete;

    // The pieces from a folder of wK.svg ... bP.svg, as Board::SetPieceSet; an empty name for
    // the board's own. False, keeping the set, with the cause in *pError.
    bool SetPieceSet(const QString &sFolder, QString *pError = nullptr);

    // The picture's size for a board of nSide: nSide square, taller by the bands with names.
    static QSize PictureSize(const BoardScene &oScene, int nSide);
    // Paints the picture with its top left corner at the painter's origin; dRatio is the device
    // pixels per logical pixel of what the painter paints on.
    void Paint(QPainter &p, const BoardScene &oScene, int nSide, qreal dRatio = 1);
    // The picture in an image of PictureSize() * dRatio pixels, with that device pixel ratio.
    QImage Image(const BoardScene &oScene, int nSide, qreal dRatio = 1);
    // The same picture as an SVG 1.1 document of PictureSize() units: the squares' wood as one
    // embedded PNG (it is a picture itself), the marks, letters, names and shapes as vectors, and
    // each piece as its own SVG drawing.
    QByteArray Svg(const BoardScene &oScene, int nSide);

private:
    friend class Board;
    friend class BoardPrivate;
    std::unique_ptr<BoardRendererPrivate> d;
};
