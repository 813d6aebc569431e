#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class Board;
struct BoardScene;

// Pictures of a board's game: a position as PNG or SVG, the whole main line as an animated GIF.
// Each is drawn by the board's renderer, so a position's PNG is what the board shows at that
// size with the same aids.
struct ExportOptions {
    static constexpr int MinSize = 240, MaxSize = 2000, DefaultSize = 480;
    static constexpr int MinFrameMs = 200, MaxFrameMs = 5000, DefaultFrameMs = 1000;
    static constexpr int LastFrameMs = 3000; // the final position stays a while before the loop

    int nSize = DefaultSize; // the board's side in pixels
    bool bWhitesView = true;
    bool bCoordinates = false;
    bool bMarks = false; // the last move, a check, and the game's arrows and circles
    bool bNames = false; // the players, the side to move, and the result at the end
    int nFrameMs = DefaultFrameMs;

    // Read from and written to the settings, under export/.
    static ExportOptions Remembered();
    void Remember() const;
};

enum class ExportFormat { Png, Svg, Gif };

namespace Export {

// The format a file name asks for by its ending, or nothing known (false).
bool FormatOf(const QString &sPath, ExportFormat &eFormat);
// The scene of ply nPly (0 = the start; -1 = the node shown, on any line) of the board's game,
// with the options' aids.
BoardScene SceneOf(const Board &b, int nPly, const ExportOptions &o);
QImage Image(const Board &b, int nPly, const ExportOptions &o, qreal dRatio = 1);
QByteArray Png(const Board &b, int nPly, const ExportOptions &o);
QByteArray Png(const QImage &oImage);
QByteArray Svg(const Board &b, int nPly, const ExportOptions &o);
// Every position of the main line, from the start to the end, one frame each; the last frame
// held LastFrameMs. Empty, with the cause in *pError, when it could not be made.
QByteArray Gif(const Board &b, const ExportOptions &o, QString *pError = nullptr);
// "Ann-Bob-2026.12.07.gif": the players and the date from the tags, as far as they are known,
// with what a file name must not hold taken out; "position" or "game" when nothing is known.
QString SuggestedName(const Board &b, const QString &sExtension);

} // namespace Export
