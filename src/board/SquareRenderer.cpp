#include "SquareRenderer.h"

#include "BoardGeometry.h"

#include <QPainter>
#include <QString>
#include <cmath>

namespace {

const QColor BorderColour(52, 38, 26);
// Marks in colours that stay apart for colour-blind players (a blue, a yellow and an orange
// from the Okabe-Ito set), and that differ in shape too: a tint, a glow, dots and rings.
const QColor LastMoveTint(240, 200, 0, 115);
const QColor SelectedTint(0, 114, 178, 120);
const QColor CheckGlow(213, 94, 0);
const QColor TargetColour(20, 30, 60, 110);
const QColor FocusOuter(0, 0, 0);
const QColor FocusInner(255, 255, 255);

// A fixed scatter of texture offsets, so neighbouring squares do not show the same grain.
QPoint TextureOffset(int nSquare, QSize oSpare) {
    if (oSpare.width() <= 0 || oSpare.height() <= 0)
        return {};
    const unsigned h = static_cast<unsigned>(nSquare) * 2654435761u;
    return {static_cast<int>((h >> 8) % static_cast<unsigned>(oSpare.width() + 1)),
            static_cast<int>((h >> 20) % static_cast<unsigned>(oSpare.height() + 1))};
}

// QPixmap does not choose the 2x file by itself; the ratio we set tells QPainter its logical size.
QPixmap Load(const QString &sBase, qreal dRatio) {
    const bool bDouble = dRatio > 1.0;
    QPixmap o(sBase + (bDouble ? QStringLiteral("@2x.png") : QStringLiteral(".png")));
    if (o.isNull())
        o.load(sBase + QStringLiteral(".png"));
    else if (bDouble)
        o.setDevicePixelRatio(2.0);
    return o;
}

} // namespace

void SquareRenderer::SetDevicePixelRatio(qreal dRatio) {
    if (dRatio == m_dRatio)
        return;
    m_dRatio = dRatio;
    m_oLight = Load(QStringLiteral(":/tavlon/squares/light"), dRatio);
    m_oDark = Load(QStringLiteral(":/tavlon/squares/dark"), dRatio);
    for (int c = 0; c < ClassCount; ++c) {
        const auto i = static_cast<std::size_t>(c);
        m_oPieces[i] = Load(QStringLiteral(":/tavlon/pieces/%1").arg(c), dRatio);
        m_oDrag[i] = Load(QStringLiteral(":/tavlon/drag/%1").arg(c), dRatio);
    }
}

void SquareRenderer::Render(QPixmap &oTarget, bool bIsDark, qint16 nClass, int nSquare,
                            Marks nMarks) const {
    using namespace BoardGeometry;
    const int nDevice = static_cast<int>(std::ceil(Cell * m_dRatio));
    if (oTarget.width() != nDevice || oTarget.devicePixelRatio() != m_dRatio) {
        oTarget = QPixmap(nDevice, nDevice);
        oTarget.setDevicePixelRatio(m_dRatio);
    }
    QPainter p(&oTarget);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.fillRect(QRect(0, 0, Cell, Cell), BorderColour);
    // The texture is drawn at its own size and cut off at the inner edge, never stretched.
    p.setClipRect(QRect(Border, Border, Inner, Inner));
    const QPixmap &oTexture = bIsDark ? m_oDark : m_oLight;
    const QSize oLogical = (QSizeF(oTexture.size()) / oTexture.devicePixelRatio()).toSize();
    const QPoint oOffset = TextureOffset(nSquare, oLogical - QSize(Inner, Inner));
    p.drawPixmap(QPoint(Border, Border) - oOffset, oTexture);
    const QRectF oInner(Border, Border, Inner, Inner);
    p.setRenderHint(QPainter::Antialiasing);
    if (nMarks & LastMove)
        p.fillRect(oInner, LastMoveTint);
    if (nMarks & Selected)
        p.fillRect(oInner, SelectedTint);
    if (nMarks & Check) {
        QRadialGradient oGlow(oInner.center(), Inner * 0.62);
        oGlow.setColorAt(0.0, CheckGlow);
        oGlow.setColorAt(0.55, QColor(CheckGlow.red(), CheckGlow.green(), CheckGlow.blue(), 200));
        oGlow.setColorAt(1.0, QColor(CheckGlow.red(), CheckGlow.green(), CheckGlow.blue(), 0));
        p.fillRect(oInner, oGlow);
    }
    const bool bHasPiece = nClass >= 0 && nClass < ClassCount;
    if (bHasPiece)
        p.drawPixmap(QRect(PieceOffset, PieceOffset, PieceSize, PieceSize),
                     m_oPieces[static_cast<std::size_t>(nClass)]);
    if (nMarks & Target) {
        if (bHasPiece) {
            p.setPen(QPen(TargetColour, 3.0));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(oInner.adjusted(2, 2, -2, -2));
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(TargetColour);
            p.drawEllipse(oInner.center(), 6.0, 6.0);
        }
    }
    if (nMarks & (FileLabel | RankLabel)) {
        QFont oFont = p.font();
        oFont.setPixelSize(10);
        oFont.setBold(true);
        p.setFont(oFont);
        // The other square colour's tone, so a label reads on either square.
        p.setPen(bIsDark ? QColor(240, 228, 205) : QColor(92, 62, 36));
        const int nIndex = nSquare - 1;
        if (nMarks & FileLabel)
            p.drawText(oInner.adjusted(0, 0, -2, 0), Qt::AlignRight | Qt::AlignBottom,
                       QString(QChar(u'a' + nIndex % 8)));
        if (nMarks & RankLabel)
            p.drawText(oInner.adjusted(2, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                       QString(QChar(u'8' - nIndex / 8)));
    }
    if (nMarks & Focus) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(FocusOuter, 2.0));
        p.drawRect(oInner.adjusted(1, 1, -1, -1));
        p.setPen(QPen(FocusInner, 1.0));
        p.drawRect(oInner.adjusted(2.5, 2.5, -2.5, -2.5));
    }
}

const QPixmap &SquareRenderer::DragPicture(qint16 nClass) const {
    static const QPixmap oNone;
    if (nClass < 0 || nClass >= ClassCount)
        return oNone;
    return m_oDrag[static_cast<std::size_t>(nClass)];
}
