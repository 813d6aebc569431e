#include "GifWriter.h"

#include <QCoreApplication>
#include <gif_lib.h>

namespace {

int Append(GifFileType *pGif, const GifByteType *pData, int nLength) {
    static_cast<QByteArray *>(pGif->UserData)
        ->append(reinterpret_cast<const char *>(pData), nLength);
    return nLength;
}

} // namespace

GifWriter::GifWriter(QSize oSize, const QList<QImage> &oSamples)
    : m_oSize(oSize), m_oNearest(std::size_t{1} << 18, 0xffff),
      m_oLast(static_cast<std::size_t>(oSize.width() * oSize.height())) {
    // giflib's median cut over the samples stacked into one picture: a palette of the colours
    // the frames are made of (the squares' wood, the pieces, the marks), so none is dithered.
    qsizetype nPixels = 0;
    for (const QImage &o : oSamples)
        nPixels += qsizetype{o.width()} * o.height();
    std::vector<GifByteType> r, g, b, oOut(static_cast<std::size_t>(nPixels));
    r.reserve(oOut.size());
    g.reserve(oOut.size());
    b.reserve(oOut.size());
    for (const QImage &oSample : oSamples) {
        const QImage o = oSample.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < o.height(); ++y) {
            const auto *pLine = reinterpret_cast<const QRgb *>(o.constScanLine(y));
            for (int x = 0; x < o.width(); ++x) {
                r.push_back(static_cast<GifByteType>(qRed(pLine[x])));
                g.push_back(static_cast<GifByteType>(qGreen(pLine[x])));
                b.push_back(static_cast<GifByteType>(qBlue(pLine[x])));
            }
        }
    }
    int nColours = Transparent;
    std::array<GifColorType, 256> oMap{};
    if (nPixels > 0 && GifQuantizeBuffer(static_cast<unsigned>(nPixels), 1, &nColours, r.data(),
                                         g.data(), b.data(), oOut.data(), oMap.data()) == GIF_OK) {
        for (int i = 0; i < nColours; ++i)
            m_oPalette.push_back({oMap[static_cast<std::size_t>(i)].Red,
                                  oMap[static_cast<std::size_t>(i)].Green,
                                  oMap[static_cast<std::size_t>(i)].Blue});
    }
    if (m_oPalette.empty())
        m_oPalette.push_back({0, 0, 0});

    int nError = 0;
    m_pGif = EGifOpen(&m_oData, &Append, &nError);
    if (m_pGif == nullptr) {
        Fail(nError);
        return;
    }
    oMap = {};
    for (std::size_t i = 0; i < m_oPalette.size(); ++i)
        oMap[i] = {m_oPalette[i][0], m_oPalette[i][1], m_oPalette[i][2]};
    ColorMapObject *pMap = GifMakeMapObject(256, oMap.data());
    EGifSetGifVersion(m_pGif, true);
    if (EGifPutScreenDesc(m_pGif, oSize.width(), oSize.height(), 8, 0, pMap) != GIF_OK)
        Fail(m_pGif->Error);
    GifFreeMapObject(pMap);
    // Netscape's extension: loop for ever.
    static const GifByteType Netscape[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    static const GifByteType Loop[] = {1, 0, 0};
    if (m_nError == 0 && (EGifPutExtensionLeader(m_pGif, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
                          EGifPutExtensionBlock(m_pGif, sizeof Netscape, Netscape) != GIF_OK ||
                          EGifPutExtensionBlock(m_pGif, sizeof Loop, Loop) != GIF_OK ||
                          EGifPutExtensionTrailer(m_pGif) != GIF_OK))
        Fail(m_pGif->Error);
}

GifWriter::~GifWriter() {
    if (m_pGif != nullptr)
        EGifCloseFile(m_pGif, nullptr);
}

void GifWriter::Fail(int nError) {
    if (m_nError == 0)
        m_nError = nError == 0 ? E_GIF_ERR_WRITE_FAILED : nError;
}

std::uint8_t GifWriter::Index(QRgb c) {
    // The nearest palette colour, looked up once for each colour at 6 bits a channel.
    const std::size_t nKey = (c >> 2 & 0x3f) | (c >> 4 & 0xfc0) | (c >> 6 & 0x3f000);
    std::uint16_t &nFound = m_oNearest[nKey];
    if (nFound == 0xffff) {
        int nBest = 0, nBestDistance = INT_MAX;
        for (std::size_t i = 0; i < m_oPalette.size(); ++i) {
            const int dr = qRed(c) - m_oPalette[i][0], dg = qGreen(c) - m_oPalette[i][1],
                      db = qBlue(c) - m_oPalette[i][2];
            // Weighted as the eye weighs the channels.
            const int nDistance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
            if (nDistance < nBestDistance) {
                nBestDistance = nDistance;
                nBest = static_cast<int>(i);
            }
        }
        nFound = static_cast<std::uint16_t>(nBest);
    }
    return static_cast<std::uint8_t>(nFound);
}

bool GifWriter::AddFrame(const QImage &oFrame, int nDelayMs) {
    if (m_nError != 0 || oFrame.size() != m_oSize)
        return false;
    const QImage o = oFrame.convertToFormat(QImage::Format_RGB32);
    const int w = m_oSize.width(), h = m_oSize.height();
    std::vector<std::uint8_t> oNow(m_oLast.size());
    int nLeft = w, nTop = h, nRight = -1, nBottom = -1;
    for (int y = 0; y < h; ++y) {
        const auto *pLine = reinterpret_cast<const QRgb *>(o.constScanLine(y));
        std::uint8_t *pNow = &oNow[static_cast<std::size_t>(y * w)];
        const std::uint8_t *pLast = &m_oLast[static_cast<std::size_t>(y * w)];
        for (int x = 0; x < w; ++x) {
            pNow[x] = Index(pLine[x]);
            if (pNow[x] != pLast[x]) {
                nLeft = std::min(nLeft, x);
                nRight = std::max(nRight, x);
                nTop = std::min(nTop, y);
                nBottom = std::max(nBottom, y);
            }
        }
    }
    // The first frame whole; later ones as the rectangle that changed, the rest transparent.
    const bool bFirst = std::exchange(m_bFirst, false);
    if (bFirst)
        nLeft = 0, nTop = 0, nRight = w - 1, nBottom = h - 1;
    else if (nRight < 0)
        nLeft = nRight = nTop = nBottom = 0; // nothing changed: one transparent pixel
    GraphicsControlBlock oControl{};
    oControl.DisposalMode = DISPOSE_DO_NOT;
    oControl.DelayTime = std::max(1, (nDelayMs + 5) / 10);
    oControl.TransparentColor = bFirst ? NO_TRANSPARENT_COLOR : Transparent;
    GifByteType oExtension[4];
    EGifGCBToExtension(&oControl, oExtension);
    const int nWidth = nRight - nLeft + 1;
    std::vector<GifPixelType> oLine(static_cast<std::size_t>(nWidth));
    if (EGifPutExtension(m_pGif, GRAPHICS_EXT_FUNC_CODE, 4, oExtension) != GIF_OK ||
        EGifPutImageDesc(m_pGif, nLeft, nTop, nWidth, nBottom - nTop + 1, false, nullptr) !=
            GIF_OK) {
        Fail(m_pGif->Error);
        return false;
    }
    for (int y = nTop; y <= nBottom; ++y) {
        for (int x = nLeft; x <= nRight; ++x) {
            const auto i = static_cast<std::size_t>(y * w + x);
            oLine[static_cast<std::size_t>(x - nLeft)] =
                bFirst || oNow[i] != m_oLast[i] ? oNow[i] : GifPixelType{Transparent};
        }
        if (EGifPutLine(m_pGif, oLine.data(), nWidth) != GIF_OK) {
            Fail(m_pGif->Error);
            return false;
        }
    }
    m_oLast.swap(oNow);
    return true;
}

QByteArray GifWriter::Finish(QString *pError) {
    int nError = 0;
    if (m_pGif != nullptr && EGifCloseFile(m_pGif, &nError) != GIF_OK)
        Fail(nError);
    m_pGif = nullptr;
    if (m_nError != 0) {
        if (pError != nullptr)
            *pError = QCoreApplication::translate("GifWriter", "The GIF could not be made: %1")
                          .arg(QString::fromUtf8(GifErrorString(m_nError)));
        return {};
    }
    return m_oData;
}
