#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// An animated GIF, looping, written by giflib: one global palette of up to 255 colours made from
// sample pictures, each frame mapped to it without dithering, and each frame after the first
// stored as the rectangle that changed, with the pixels that did not change transparent.
class GifWriter {
public:
    // Frames of oSize; the palette is made from the colours of the samples (the first frame, a
    // marked one, ...), whose colours the frames are expected to share.
    GifWriter(QSize oSize, const QList<QImage> &oSamples);
    ~GifWriter();
    GifWriter(const GifWriter &) = delete;
    GifWriter &operator=(const GifWriter &) = delete;

    // Adds a frame of the writer's size, shown for nDelayMs (kept to hundredths of a second).
    bool AddFrame(const QImage &oFrame, int nDelayMs);
    // The file; empty, with the cause in *pError, when giflib failed.
    QByteArray Finish(QString *pError = nullptr);

    static constexpr int Transparent = 255; // the palette index of "as before"

private:
    std::uint8_t Index(QRgb c);
    void Fail(int nError);

    QSize m_oSize;
    struct GifFileType *m_pGif = nullptr;
    QByteArray m_oData;
    int m_nError = 0;
    std::vector<std::array<std::uint8_t, 3>> m_oPalette;
    std::vector<std::uint16_t> m_oNearest; // by 6 bits a channel; 0xffff: not looked up yet
    std::vector<std::uint8_t> m_oLast;     // the previous frame's indices
    bool m_bFirst = true;
};
