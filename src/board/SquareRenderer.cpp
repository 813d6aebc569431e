#include "SquareRenderer.h"

#include <QImageReader>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using namespace SquareDesign;

// A fixed scatter of texture offsets, so neighbouring squares do not show the same grain.
QPoint TextureOffset(int nSquare, QSize oSpare) {
    if (oSpare.width() <= 0 || oSpare.height() <= 0)
        return {};
    const unsigned h = static_cast<unsigned>(nSquare) * 2654435761u;
    return {static_cast<int>((h >> 8) % static_cast<unsigned>(oSpare.width() + 1)),
            static_cast<int>((h >> 20) % static_cast<unsigned>(oSpare.height() + 1))};
}

// Three box blurs of the alpha channel approximate a Gaussian well enough for a shadow.
void BlurAlpha(std::vector<int> &a, int n, int nRadius) {
    std::vector<int> t(a.size());
    const int nSpan = 2 * nRadius + 1;
    const auto Pass = [&](const std::vector<int> &src, std::vector<int> &dst, int nStep,
                          int nLine) {
        for (int l = 0; l < n; ++l) {
            for (int i = 0; i < n; ++i) {
                int nSum = 0;
                for (int k = std::max(0, i - nRadius); k <= std::min(n - 1, i + nRadius); ++k)
                    nSum += src[static_cast<std::size_t>(l * nLine + k * nStep)];
                dst[static_cast<std::size_t>(l * nLine + i * nStep)] = nSum / nSpan;
            }
        }
    };
    for (int nPass = 0; nPass < 3; ++nPass) {
        Pass(a, t, 1, n);
        Pass(t, a, n, 1);
    }
}

} // namespace

void SquareRenderer::SetSize(int nCell, qreal dRatio) {
    if (nCell == m_nCell && dRatio == m_dRatio)
        return;
    m_nCell = nCell;
    m_dRatio = dRatio;
    m_oTextures = {};
    m_oPieces = {};
    m_oDrag = {};
}

bool SquareRenderer::SetPieceSet(const QString &sFolder, QString &sError) {
    if (!m_oSet.Load(sFolder, sError))
        return false;
    m_oPieces = {};
    m_oDrag = {};
    return true;
}

int SquareRenderer::DevicePixels(qreal dLogical) const {
    return static_cast<int>(std::lround(dLogical * m_dRatio));
}

qreal SquareRenderer::PieceSize() const {
    return DevicePixels(m_nCell * DesignPiece / qreal(DesignCell)) / m_dRatio;
}

QPointF SquareRenderer::PieceOffset() const {
    // Centred on whole device pixels, so the picture is copied, never resampled.
    const int nOffset = (DevicePixels(m_nCell) - DevicePixels(PieceSize()) + 1) / 2;
    return QPointF(nOffset, nOffset) / m_dRatio;
}

const QPixmap &SquareRenderer::Piece(qint16 nClass) {
    QPixmap &o = m_oPieces[static_cast<std::size_t>(nClass)];
    if (o.isNull()) {
        o = QPixmap::fromImage(m_oSet.Draw(nClass, DevicePixels(PieceSize())));
        o.setDevicePixelRatio(m_dRatio);
    }
    return o;
}

const QPixmap &SquareRenderer::Texture(bool bIsDark) {
    QPixmap &o = m_oTextures[bIsDark ? 1 : 0];
    if (!o.isNull())
        return o;
    // The grain grows with the square. It comes from the smallest picture at least as large as
    // needed (80, 160 or 320 pixels), made smaller, so that it is seldom enlarged (beyond the
    // largest only). The picture read is kept for the next size.
    const int nWanted =
        DevicePixels(DesignTexture * qreal(m_nCell - 2 * Border) / qreal(DesignInner));
    const int nLevel = nWanted <= DesignTexture ? 0 : nWanted <= 2 * DesignTexture ? 1 : 2;
    Source &oSource = m_oTextureSources[bIsDark ? 1 : 0];
    if (oSource.oImage.isNull() || oSource.nLevel != nLevel) {
        static const char *const Suffixes[] = {".png", "@2x.png", "@4x.png"};
        // As PNG with no guessing, which would load every image plugin to ask it.
        QImageReader oReader((bIsDark ? QStringLiteral(":/tavlon/squares/dark")
                                      : QStringLiteral(":/tavlon/squares/light")) +
                                 QLatin1String(Suffixes[nLevel]),
                             "png");
        oReader.setAutoDetectImageFormat(false);
        oSource.oImage = oReader.read();
        oSource.nLevel = nLevel;
    }
    o = QPixmap::fromImage(oSource.oImage.width() == nWanted
                               ? oSource.oImage
                               : oSource.oImage.scaled(nWanted, nWanted, Qt::IgnoreAspectRatio,
                                                       Qt::SmoothTransformation));
    o.setDevicePixelRatio(m_dRatio);
    return o;
}

void SquareRenderer::Render(QPainter &p, QPoint oCell, bool bIsDark, qint16 nClass, int nSquare,
                            Marks nMarks) {
    const int nInner = m_nCell - 2 * Border;
    // Marks keep the proportions they were drawn with in the smallest cell.
    const qreal k = nInner / qreal(DesignInner);
    // In the cell's own coordinates; the painter is given back as it came.
    p.save();
    p.translate(oCell);
    p.fillRect(QRect(0, 0, m_nCell, m_nCell), BorderColour);
    // The texture is drawn at its own size and cut off at the inner edge.
    p.setClipRect(QRect(Border, Border, nInner, nInner));
    const QPixmap &oTexture = Texture(bIsDark);
    const QSize oLogical = (QSizeF(oTexture.size()) / oTexture.devicePixelRatio()).toSize();
    const QPoint oOffset = TextureOffset(nSquare, oLogical - QSize(nInner, nInner));
    p.drawPixmap(QPoint(Border, Border) - oOffset, oTexture);
    const QRectF oInner(Border, Border, nInner, nInner);
    p.setRenderHint(QPainter::Antialiasing);
    if (nMarks & LastMove)
        p.fillRect(oInner, LastMoveTint);
    if (nMarks & Selected)
        p.fillRect(oInner, SelectedTint);
    if (nMarks & Check) {
        QRadialGradient oGlow(oInner.center(), nInner * 0.62);
        oGlow.setColorAt(0.0, CheckGlow);
        oGlow.setColorAt(0.55, QColor(CheckGlow.red(), CheckGlow.green(), CheckGlow.blue(), 200));
        oGlow.setColorAt(1.0, QColor(CheckGlow.red(), CheckGlow.green(), CheckGlow.blue(), 0));
        p.fillRect(oInner, oGlow);
    }
    const bool bHasPiece = nClass >= 0 && nClass < ClassCount;
    if (bHasPiece) {
        p.drawPixmap(PieceOffset(), Piece(nClass));
    }
    if (nMarks & Target) {
        if (bHasPiece) {
            p.setPen(QPen(TargetColour, 3.0 * k));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(oInner.adjusted(2 * k, 2 * k, -2 * k, -2 * k));
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(TargetColour);
            p.drawEllipse(oInner.center(), 6.0 * k, 6.0 * k);
        }
    }
    if (nMarks & (FileLabel | RankLabel)) {
        // In the corners no piece reaches: the rank top left, the file bottom right; 9 pixels
        // tall at the smallest size. The regular weight is narrow enough for those corners.
        QFont oFont = p.font();
        oFont.setPixelSize(LabelPixels(nInner));
        p.setFont(oFont);
        p.setPen(bIsDark ? LabelOnDark : LabelOnLight);
        const int nIndex = nSquare - 1;
        if (nMarks & FileLabel)
            p.drawText(oInner.adjusted(0, 0, -k, k), Qt::AlignRight | Qt::AlignBottom,
                       QString(QChar(u'a' + nIndex % 8)));
        if (nMarks & RankLabel)
            p.drawText(oInner.adjusted(k, -k, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                       QString(QChar(u'8' - nIndex / 8)));
    }
    if (nMarks & Focus) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(FocusOuter, 2.0 * k));
        p.drawRect(oInner.adjusted(k, k, -k, -k));
        p.setPen(QPen(FocusInner, k));
        p.drawRect(oInner.adjusted(2.5 * k, 2.5 * k, -2.5 * k, -2.5 * k));
    }
    p.restore();
}

const QPixmap &SquareRenderer::DragPicture(qint16 nClass) {
    static const QPixmap oNone;
    if (nClass < 0 || nClass >= ClassCount)
        return oNone;
    QPixmap &o = m_oDrag[static_cast<std::size_t>(nClass)];
    if (!o.isNull())
        return o;
    // The piece as if lifted off the board: slightly smaller and raised, with a soft shadow
    // falling down and to the right, all inside the same square as the plain picture.
    const int n = DevicePixels(PieceSize());
    const qreal dUnit = n / qreal(DesignPiece);
    const int nInner = static_cast<int>(std::lround(n * 0.88));
    const QPointF oAt((n - nInner) / 2.0 - dUnit, (n - nInner) / 2.0 - dUnit);
    const QImage oPiece = m_oSet.Draw(nClass, nInner);
    QImage oImage(n, n, QImage::Format_ARGB32_Premultiplied);
    oImage.fill(Qt::transparent);
    {
        QPainter p(&oImage);
        p.drawImage(oAt + QPointF(1.4 * dUnit, 1.9 * dUnit), oPiece);
    }
    std::vector<int> oAlpha(static_cast<std::size_t>(n * n));
    for (int y = 0; y < n; ++y) {
        const auto *pLine = reinterpret_cast<const QRgb *>(oImage.constScanLine(y));
        for (int x = 0; x < n; ++x)
            oAlpha[static_cast<std::size_t>(y * n + x)] = qAlpha(pLine[x]);
    }
    BlurAlpha(oAlpha, n, std::max(1, static_cast<int>(std::lround(dUnit))));
    for (int y = 0; y < n; ++y) {
        auto *pLine = reinterpret_cast<QRgb *>(oImage.scanLine(y));
        for (int x = 0; x < n; ++x) // black at half strength: premultiplied equals plain
            pLine[x] = qRgba(0, 0, 0, oAlpha[static_cast<std::size_t>(y * n + x)] / 2);
    }
    {
        QPainter p(&oImage);
        p.drawImage(oAt, oPiece);
    }
    o = QPixmap::fromImage(oImage);
    o.setDevicePixelRatio(m_dRatio);
    return o;
}
