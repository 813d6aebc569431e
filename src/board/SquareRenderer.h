#pragma once

#include <QColor>
#include <QPixmap>
#include <array>

// Draws one square (border, background texture, piece) into that square's own pixmap, at the
// device pixel ratio of the screen, so that the board stays crisp on high-density screens.
class SquareRenderer {
public:
    static constexpr int ClassCount = 12;

    // Loads the pictures for this ratio: the 2x files above 1, the 1x files otherwise.
    void SetDevicePixelRatio(qreal dRatio);
    qreal DevicePixelRatio() const { return m_dRatio; }

    // nClass is a piece class code, or -1 for an empty square.
    void Render(QPixmap &oTarget, bool bIsDark, qint16 nClass) const;
    // The raised picture that follows the pointer during a drag.
    const QPixmap &DragPicture(qint16 nClass) const;

private:
    qreal m_dRatio = 0;
    QPixmap m_oLight;
    QPixmap m_oDark;
    std::array<QPixmap, ClassCount> m_oPieces;
    std::array<QPixmap, ClassCount> m_oDrag;
};
