#include "SquareRenderer.h"

#include "BoardGeometry.h"

#include <QPainter>
#include <QString>
#include <cmath>

namespace {

const QColor BorderColour(52, 38, 26);

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

void SquareRenderer::Render(QPixmap &oTarget, bool bIsDark, qint16 nClass) const {
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
    p.drawPixmap(Border, Border, bIsDark ? m_oDark : m_oLight);
    if (nClass >= 0 && nClass < ClassCount)
        p.drawPixmap(QRect(PieceOffset, PieceOffset, PieceSize, PieceSize),
                     m_oPieces[static_cast<std::size_t>(nClass)]);
}

const QPixmap &SquareRenderer::DragPicture(qint16 nClass) const {
    static const QPixmap oNone;
    if (nClass < 0 || nClass >= ClassCount)
        return oNone;
    return m_oDrag[static_cast<std::size_t>(nClass)];
}
