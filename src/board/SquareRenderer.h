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

    // nClass is a piece class code, or -1 for an empty square; nSquare (1..64) picks the
    // texture's part and names the coordinates.
    void Render(QPixmap &oTarget, bool bIsDark, qint16 nClass, int nSquare = 1,
                Marks nMarks = 0) const;
    // The raised picture that follows the pointer during a drag.
    const QPixmap &DragPicture(qint16 nClass) const;

private:
    qreal m_dRatio = 0;
    QPixmap m_oLight;
    QPixmap m_oDark;
    std::array<QPixmap, ClassCount> m_oPieces;
    std::array<QPixmap, ClassCount> m_oDrag;
};
