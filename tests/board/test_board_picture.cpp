#include "TestBoard.h"

#include <QPaintEvent>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <array>
#include <gtest/gtest.h>
#include <map>

namespace {

const char *const Start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";

// A piece as the board must show it: its SVG drawn on its own at 32/41 of the cell, in device
// pixels, centred on the cell.
QImage PieceAlone(int nClass, int nCellDevice) {
    const int n = qRound(nCellDevice * 32 / 41.0);
    QImage o(n, n, QImage::Format_ARGB32_Premultiplied);
    o.fill(Qt::transparent);
    QPainter p(&o);
    p.setRenderHint(QPainter::Antialiasing);
    QSvgRenderer(
        QString(":/tavlon/pieces/%1%2.svg").arg(nClass >= 6 ? 'w' : 'b').arg("KQRNBP"[nClass % 6]))
        .render(&p, QRectF(0, 0, n, n));
    return o.convertToFormat(QImage::Format_ARGB32);
}

// Every opaque pixel of the piece shows unchanged, centred in the square's cell.
bool Shows(const QImage &oShot, const QString &sSquare, int nClass, bool bView, int nSide) {
    const qreal r = oShot.devicePixelRatio();
    const int nCell = qRound(CellSize(nSide) * r);
    const QImage oPiece = PieceAlone(nClass, nCell);
    const QPoint oAt =
        CellOrigin(sSquare, bView, nSide) * r + QPoint(1, 1) * ((nCell - oPiece.width() + 1) / 2);
    int nOpaque = 0;
    for (int y = 0; y < oPiece.height(); ++y)
        for (int x = 0; x < oPiece.width(); ++x)
            if (qAlpha(oPiece.pixel(x, y)) == 255 && ++nOpaque &&
                oShot.pixel(oAt + QPoint(x, y)) != oPiece.pixel(x, y))
                return false;
    return nOpaque > 0;
}

// The board at the smallest, a middle and a large size, in both views: whole equal cells, the
// pieces centred and drawn at the cell's size, moves played by dragging and clicking on the
// cells seen, a lifted piece following the pointer, and the marks grown with the square.
TEST(BoardPicture, EverySizeAndView) {
    std::map<int, double> oDotShare; // the legal-move dot's share of its cell, by size
    for (const int nSide : {332, 600, 1000}) {
        for (const bool bView : {true, false}) {
            SCOPED_TRACE(QString("%1 px, %2").arg(nSide).arg(bView).toStdString());
            Board b;
            b.setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
            b.resize(nSide, nSide);
            b.BoardView(bView);
            b.SetShowLegalMoves(true);
            b.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&b));
            QImage oShot = b.grab().toImage().convertToFormat(QImage::Format_ARGB32);
            const qreal r = oShot.devicePixelRatio();
            EXPECT_EQ(oShot.size(), QSize(nSide, nSide) * r);
            EXPECT_TRUE(Shows(oShot, "a8", 2, bView, nSide) && Shows(oShot, "h1", 8, bView, nSide));
            EXPECT_TRUE(Shows(oShot, "e1", 6, bView, nSide) && Shows(oShot, "d8", 1, bView, nSide));

            QTest::mouseClick(&b, Qt::LeftButton, {}, CellCentre("g1", bView, nSide));
            const QImage oMarked = b.grab().toImage().convertToFormat(QImage::Format_ARGB32);
            const QRect oF3(CellOrigin("f3", bView, nSide) * r, QSize(1, 1) * CellSize(nSide) * r);
            int nDot = 0;
            for (int y = oF3.top(); y <= oF3.bottom(); ++y)
                for (int x = oF3.left(); x <= oF3.right(); ++x)
                    nDot += oMarked.pixel(x, y) != oShot.pixel(x, y);
            oDotShare[nSide] = nDot / double(oF3.width() * oF3.height());
            QTest::mouseClick(&b, Qt::LeftButton, {}, CellCentre("f3", bView, nSide));
            EXPECT_EQ(b.PieceAt("f3"), 9);

            const QPoint oAbove = CellCentre("e4", bView, nSide) + QPoint(3, 1);
            QTest::mousePress(&b, Qt::LeftButton, {}, CellCentre("e7", bView, nSide));
            QTest::mouseMove(&b, oAbove);
            oShot = b.grab().toImage().convertToFormat(QImage::Format_ARGB32);
            const QPoint oBelow = oAbove + QPoint(0, CellSize(nSide) / 4);
            EXPECT_NE(oShot.pixel(oBelow * r), oMarked.pixel(oBelow * r)); // the lifted pawn
            QTest::mouseRelease(&b, Qt::LeftButton, {}, CellCentre("e5", bView, nSide));
            EXPECT_EQ(b.PieceAt("e5"), 5);

            // At a new size every square is drawn anew, and counted as drawn.
            const int nBefore = b.property("renderedSquares").toInt();
            b.resize(nSide + 41, nSide + 41);
            b.grab();
            EXPECT_EQ(b.property("renderedSquares").toInt() - nBefore, 64);
        }
    }
    EXPECT_NEAR(oDotShare[600], oDotShare[332], oDotShare[332] * 0.2);
    EXPECT_NEAR(oDotShare[1000], oDotShare[332], oDotShare[332] * 0.2);
}

// A lifted piece casts a soft shadow down and to the right: it changes more of the board than
// the piece itself covers.
TEST(BoardPicture, ALiftedPieceCastsAShadow) {
    Board b;
    b.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&b));
    const QImage oBefore = b.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QTest::mousePress(&b, Qt::LeftButton, {}, CellCentre("e2"));
    QTest::mouseMove(&b, CellCentre("e4"));
    const QImage oLifted = b.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, CellCentre("e2"));
    const qreal r = oLifted.devicePixelRatio();
    const int nCell = qRound(CellSize() * r);
    const QRect oAround(CellOrigin("e4") * r - QPoint(1, 1) * (nCell / 4),
                        QSize(1, 1) * (nCell * 3 / 2));
    int nChanged = 0;
    for (int y = oAround.top(); y <= oAround.bottom(); ++y)
        for (int x = oAround.left(); x <= oAround.right(); ++x)
            nChanged += oLifted.pixel(x, y) != oBefore.pixel(x, y);
    const QImage oPawn = PieceAlone(11, nCell);
    int nPawn = 0;
    for (int y = 0; y < oPawn.height(); ++y)
        for (int x = 0; x < oPawn.width(); ++x)
            nPawn += qAlpha(oPawn.pixel(x, y)) > 0;
    EXPECT_GT(nChanged, nPawn) << "the pawn is drawn smaller while lifted: the rest is shadow";
}

// A piece set replaces every piece; one with a file missing or unreadable is refused, naming
// the file, and changes nothing; an empty name brings our own back.
TEST(BoardPicture, PieceSets) {
    QTemporaryDir oDir;
    for (const char *sName :
         {"wK", "wQ", "wR", "wN", "wB", "wP", "bK", "bQ", "bR", "bN", "bB", "bP"}) {
        QFile o(oDir.filePath(QString(sName) + ".svg"));
        ASSERT_TRUE(o.open(QIODevice::WriteOnly));
        o.write("<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 8 8'>"
                "<rect width='8' height='8' fill='#ff0000'/></svg>");
    }
    Board b;
    const auto Red = [&b] {
        return b.grab().toImage().pixelColor(CellCentre("e1") * b.devicePixelRatio()) == Qt::red;
    };
    EXPECT_TRUE(b.SetPieceSet(oDir.path()));
    EXPECT_TRUE(Red() && b.LastError().isEmpty());
    QFile::remove(oDir.filePath("wK.svg"));
    EXPECT_FALSE(b.SetPieceSet(oDir.path()));
    EXPECT_TRUE(b.LastError().contains("wK.svg")) << b.LastError().toStdString();
    EXPECT_EQ(b.LastRefusal(), Board::Refusal::BadPieceSet);
    QFile(oDir.filePath("bP.svg")).open(QIODevice::WriteOnly | QIODevice::Truncate);
    EXPECT_FALSE(b.SetPieceSet(oDir.path()));
    EXPECT_TRUE(b.LastError().contains("bP.svg") && Red()) << b.LastError().toStdString();
    EXPECT_TRUE(b.SetPieceSet(""));
    EXPECT_FALSE(Red());
    EXPECT_EQ(b.LastRefusal(), Board::Refusal::None);
}

// An aid changes only the squares it names, in either view, and redraws only those; turning it
// off gives back the plain picture.
TEST(BoardAids, OnlyTheNamedSquaresChange) {
    struct Row {
        const char *sAid;
        void (Board::*set)(bool);
        const char *sFen;
        const char *sActions; // "e2e4" played, "g1" clicked (selected), "v1" ply 1 shown
        const char *sWhite;   // the squares that change, as seen in White's view
        const char *sBlack;   // and in Black's
    } const oRows[] = {
        {"last move", &Board::SetShowLastMove, Start, "e2e4 e7e5", "e5 e7", "e5 e7"},
        {"check", &Board::SetShowCheck, "4k3/8/8/8/8/8/8/R3K3", "a1a8", "e8", "e8"},
        {"check looked back at", &Board::SetShowCheck, "4k3/8/8/8/8/8/8/R3K3", "a1a8 e8d7 v1", "e8",
         "e8"},
        {"legal moves", &Board::SetShowLegalMoves, Start, "g1", "f3 h3", "f3 h3"},
        {"captures", &Board::SetShowLegalMoves, "4k3/8/8/3p4/4P3/8/8/4K3", "e4", "d5 e5", "d5 e5"},
        {"coordinates", &Board::SetShowCoordinates, Start, "",
         "a1 a2 a3 a4 a5 a6 a7 a8 b1 c1 d1 e1 f1 g1 h1",
         "a8 b8 c8 d8 e8 f8 g8 h1 h2 h3 h4 h5 h6 h7 h8"},
    };
    for (const Row &o : oRows) {
        for (const bool bView : {true, false}) {
            SCOPED_TRACE(std::string(o.sAid) + (bView ? " White's view" : " Black's view"));
            std::array<Board, 2> oBoards; // the aid on, off
            std::array<QImage, 2> oShots;
            for (Board &b : oBoards) {
                b.NewGame(true, Layout(o.sFen));
                b.BoardView(bView);
                b.grab();
                if (&b == &oBoards[0]) {
                    const int nBefore = b.property("renderedSquares").toInt();
                    (b.*o.set)(true);
                    b.grab();
                    const int nChanged = b.property("renderedSquares").toInt() - nBefore;
                    EXPECT_EQ(nChanged, QString(o.sActions).isEmpty()
                                            ? QString(o.sWhite).split(' ').size()
                                            : 0);
                }
                for (const QString &sAct : QString(o.sActions).split(' ', Qt::SkipEmptyParts)) {
                    if (sAct.startsWith('v'))
                        ASSERT_TRUE(b.ViewPly(sAct.mid(1).toInt()));
                    else if (sAct.size() == 4)
                        ASSERT_TRUE(b.MovePiece(sAct.left(2), sAct.mid(2)));
                    else
                        QTest::mouseClick(&b, Qt::LeftButton, {}, CellCentre(sAct, bView));
                }
                oShots[&b == &oBoards[0] ? 0 : 1] = b.grab().toImage();
            }
            EXPECT_EQ(DifferingCells(oShots[0], oShots[1], bView), bView ? o.sWhite : o.sBlack);
            (oBoards[0].*o.set)(false);
            EXPECT_EQ(oBoards[0].grab().toImage(), oShots[1]);
        }
    }
}

// A move after a game read from PGN repaints its squares, as one after moves played does.
TEST(BoardPicture, AMoveAfterAGameIsReadRepaintsItsSquares) {
    struct Painted : QObject {
        QRegion oRegion;
        bool eventFilter(QObject *, QEvent *e) override {
            if (e->type() == QEvent::Paint)
                oRegion += static_cast<QPaintEvent *>(e)->region();
            return false;
        }
    } oPainted;
    Board b;
    b.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&b));
    ASSERT_TRUE(b.LoadPgn("1. e4 e5 *"));
    QTest::qWait(20);
    b.installEventFilter(&oPainted);
    ASSERT_TRUE(b.MovePiece("g1", "f3"));
    QTest::qWait(20);
    EXPECT_TRUE(oPainted.oRegion.contains(CellCentre("g1")) &&
                oPainted.oRegion.contains(CellCentre("f3")));
}

} // namespace
