#pragma once

#include "TestPositions.h"

#include <QTest>
#include <tavlon/Board.h>

// A position written as the piece-placement field of a FEN, as a layout string.
inline QString Layout(const QString &sFen) {
    return QString::fromStdString(LayoutFromFen(sFen.toStdString()));
}

// A square's cell, worked out from the board's design rather than from its code: a 2-pixel
// margin and 41-pixel cells, a8 top left in White's view, h1 in Black's.
inline QPoint CellOrigin(const QString &sName, bool bWhitesView = true) {
    const int f = sName[0].toLatin1() - 'a';
    const int r = sName[1].toLatin1() - '1';
    return {2 + 41 * (bWhitesView ? f : 7 - f), 2 + 41 * (bWhitesView ? 7 - r : r)};
}
inline QPoint CellCentre(const QString &sName, bool bWhitesView = true) {
    return CellOrigin(sName, bWhitesView) + QPoint(20, 20);
}

// Drags with the real mouse events: press on one square, move, release at a point.
inline void Drag(Board &b, const QString &sSrc, QPoint oRelease, bool bWhitesView = true) {
    QTest::mousePress(&b, Qt::LeftButton, {}, CellCentre(sSrc, bWhitesView));
    QTest::mouseMove(&b, (CellCentre(sSrc, bWhitesView) + oRelease) / 2);
    QTest::mouseMove(&b, oRelease);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, oRelease);
}
