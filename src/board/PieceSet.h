#pragma once

#include <QImage>
#include <QString>
#include <array>
#include <memory>

class QSvgRenderer;

// The twelve piece drawings, read as SVG and rendered at the size a square shows them, so no
// piece is ever a bitmap scaled up.
class PieceSet {
public:
    static constexpr int ClassCount = 12;

    PieceSet();
    ~PieceSet();

    // The most one piece's file may hold: real pieces take a few kilobytes, and a huge drawing
    // would take seconds to read and gigabytes to draw at every size.
    static constexpr qint64 MaxFileBytes = 1 << 20;
    // The most reading and drawing a whole set once may take, in milliseconds.
    static constexpr qint64 MaxLoadMs = 2000;

    // Reads wK.svg ... bP.svg from the folder, or our own set for an empty name. A missing,
    // unreadable, compressed, too large (MaxFileBytes) or too slow (MaxLoadMs) file, or one
    // that is no regular file, refuses the whole set: false, this set unchanged, the cause in
    // sError.
    bool Load(const QString &sFolder, QString &sError);

    // The piece of that class (0..11) drawn to fit a transparent square of nPixels device pixels,
    // centred and keeping its proportions.
    QImage Draw(int nClass, int nPixels) const;

    // The file a class is read from: "wK.svg" for the white king.
    static QString FileName(int nClass);

private:
    // Our own set is parsed piece by piece when drawn, and not kept; a folder's set is parsed
    // whole by Load, which must know that every file reads, and kept.
    std::array<std::unique_ptr<QSvgRenderer>, ClassCount> m_oRenderers;
};
