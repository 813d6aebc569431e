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

// A square's cell, worked out from the board's design rather than from its code: the largest
// whole-pixel cells that fit inside a 2-pixel margin, centred (41 pixels in the 332-pixel
// control), a8 top left in White's view, h1 in Black's.
inline int CellSize(int nSide = 332) {
    return (nSide - 4) / 8;
}
inline QPoint CellOrigin(const QString &sName, bool bWhitesView = true, int nSide = 332) {
    const int f = sName[0].toLatin1() - 'a';
    const int r = sName[1].toLatin1() - '1';
    const int c = CellSize(nSide), m = (nSide - 8 * c) / 2;
    return {m + c * (bWhitesView ? f : 7 - f), m + c * (bWhitesView ? 7 - r : r)};
}
inline QPoint CellCentre(const QString &sName, bool bWhitesView = true, int nSide = 332) {
    return CellOrigin(sName, bWhitesView, nSide) + QPoint(1, 1) * (CellSize(nSide) / 2);
}

// Drags with the real mouse events: press on one square, move, release at a point.
inline void Drag(Board &b, const QString &sSrc, QPoint oRelease, bool bWhitesView = true) {
    const QPoint oFrom = CellCentre(sSrc, bWhitesView, b.width());
    QTest::mousePress(&b, Qt::LeftButton, {}, oFrom);
    QTest::mouseMove(&b, (oFrom + oRelease) / 2);
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

// The board's own picture at a board of nSide pixels: the control made nSide + 4 (its 2-pixel
// margin), grabbed in device pixels, and the cells cut out.
inline QImage GrabbedBoard(Board &b, int nSide) {
    b.resize(nSide + 4, nSide + 4);
    const QImage o = b.grab().toImage();
    const qreal r = o.devicePixelRatio();
    return o.copy(QRect(QPoint(2, 2) * r, QSize(nSide, nSide) * r))
        .convertToFormat(QImage::Format_RGB32);
}

// How far two pictures of one size are apart: the mean difference of the colour channels
// (0..255) and the largest.
inline std::pair<double, int> PictureDifference(const QImage &a, const QImage &b) {
    double dSum = 0;
    int nMax = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (const int d : {std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q))}) {
                dSum += d;
                nMax = std::max(nMax, d);
            }
        }
    return {dSum / (3.0 * a.width() * a.height()), nMax};
}
