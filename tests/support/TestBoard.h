#pragma once

// What the board's and the window's suites share: layouts from FEN, square geometry from the
// board's design, real mouse drags, one log of the board's events, one picture comparer.

#include "TestRules.h"

#include <QImage>
#include <QStringList>
#include <QTest>
#include <tavlon/Board.h>

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

// Every event the board raises, in order, with the side to move when it was raised:
// "move e2 e4 W|capture 5|check B mate|stalemate|over 1-0 checkmate|promotion W".
class EventLog {
public:
    QStringList oLog;

    explicit EventLog(Board &b) {
        const auto Side = [](bool bWhite) { return QString(bWhite ? "W" : "B"); };
        QObject::connect(&b, &Board::PieceMovement, &b, [this, &b, Side](QString s, QString d) {
            oLog << "move " + s + ' ' + d + ' ' + Side(b.IsWhitesTurn());
        });
        QObject::connect(&b, &Board::PieceCapture, &b,
                         [this](qint16 n) { oLog << "capture " + QString::number(n); });
        QObject::connect(&b, &Board::KingInCheck, &b, [this, Side](bool w, bool m) {
            oLog << "check " + Side(w) + (m ? " mate" : "");
        });
        QObject::connect(&b, &Board::Stalemate, &b, [this] { oLog << "stalemate"; });
        QObject::connect(&b, &Board::GameOver, &b,
                         [this](QString r, QString w) { oLog << "over " + r + ' ' + w; });
        QObject::connect(&b, &Board::PawnPromotion, &b,
                         [this, Side](bool w) { oLog << "promotion " + Side(w); });
    }
    std::string Take() { return std::exchange(oLog, {}).join('|').toStdString(); }
};

// The squares whose cells differ between two grabs of a board, "a1 e4", a1 first.
inline std::string DifferingCells(const QImage &a, const QImage &b, bool bWhitesView = true) {
    const qreal r = a.devicePixelRatio();
    QStringList oDiffer;
    for (char f = 'a'; f <= 'h'; ++f)
        for (char k = '1'; k <= '8'; ++k) {
            const QRect oCell(CellOrigin(QString(f) + k, bWhitesView) * r, QSize(41, 41) * r);
            if (a.copy(oCell) != b.copy(oCell))
                oDiffer << QString(f) + k;
        }
    return oDiffer.join(' ').toStdString();
}
