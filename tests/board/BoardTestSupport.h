#pragma once

#include "Board.h"

#include <QImage>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <cctype>
#include <string_view>

// A position written as the piece-placement field of a FEN, as a layout string.
inline QString Layout(std::string_view sFen) {
    QString s;
    for (const char c : sFen) {
        if (std::isdigit(static_cast<unsigned char>(c)))
            s += QString("XX").repeated(c - '0');
        else if (c != '/')
            s += QString(std::isupper(static_cast<unsigned char>(c)) ? 'W' : 'B') +
                 QChar(std::toupper(static_cast<unsigned char>(c)));
    }
    return s;
}

// Square names by index 0 (a8) .. 63 (h1).
inline QString Name(int i) {
    return QString(QChar('a' + i % 8)) + QChar('8' - i / 8);
}

// Centre of a square's cell, worked out from the board's design rather than from its code:
// a 2-pixel margin and 41-pixel cells, a8 top left in White's view, h1 in Black's.
inline QPoint CellOrigin(const QString &sName, bool bWhitesView) {
    const int f = sName[0].toLatin1() - 'a';
    const int r = sName[1].toLatin1() - '1';
    return {2 + 41 * (bWhitesView ? f : 7 - f), 2 + 41 * (bWhitesView ? 7 - r : r)};
}
inline QPoint CellCentre(const QString &sName, bool bWhitesView) {
    return CellOrigin(sName, bWhitesView) + QPoint(20, 20);
}

// Drags with the real mouse events: press on one square, move, release at a point.
inline void Drag(Board &b, const QString &sSrc, QPoint oRelease, bool bWhitesView = true,
                 Qt::MouseButton nButton = Qt::LeftButton) {
    QTest::mousePress(&b, nButton, {}, CellCentre(sSrc, bWhitesView));
    QTest::mouseMove(&b, (CellCentre(sSrc, bWhitesView) + oRelease) / 2);
    QTest::mouseMove(&b, oRelease);
    QTest::mouseRelease(&b, nButton, {}, oRelease);
}

// Logs every signal in the order it came, with the side to move at PieceMovement, and answers
// a promotion with nAnswer, in the handler or (bLater) from the event loop the board waits in.
struct Recorder {
    QStringList oLog;
    std::string Log() const { return oLog.join('|').toStdString(); }
    qint16 nAnswer = -1;
    bool bLater = false;

    explicit Recorder(Board &b) {
        QObject::connect(&b, &Board::PieceMovement, [this, &b](QString s, QString d) {
            oLog << QString("move %1 %2 %3").arg(s, d, b.IsWhitesTurn() ? "W" : "B");
        });
        QObject::connect(&b, &Board::PieceCapture,
                         [this](qint16 c) { oLog << QString("capture %1").arg(c); });
        QObject::connect(&b, &Board::KingInCheck, [this](bool w, bool m) {
            oLog << QString("check %1%2").arg(w ? "W" : "B", m ? " mate" : "");
        });
        QObject::connect(&b, &Board::Stalemate, [this] { oLog << "stalemate"; });
        QObject::connect(&b, &Board::PawnPromotion, [this, &b](bool w) {
            oLog << QString("promotion %1").arg(w ? "W" : "B");
            if (bLater)
                QTimer::singleShot(0, &b, [this, &b] { b.PromotionChoice(nAnswer); });
            else if (nAnswer >= 0)
                b.PromotionChoice(nAnswer);
        });
    }
};
