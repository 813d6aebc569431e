// The board's picture: the control's at every size and view, its aids and piece sets, and the
// pictures and SVG a host asks for of a position.
#include "TestBoard.h"

#include <QDir>
#include <QPaintEvent>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <array>
#include <gtest/gtest.h>
#include <map>
#include <tavlon/BoardRenderer.h>

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

// A piece set in the folder: every piece the same SVG.
void WritePieceSet(const QTemporaryDir &oDir, const char *sSvg) {
    for (const QString sPiece : QString("KQRNBP"))
        for (const QString sSide : {"w", "b"}) {
            QFile o(oDir.filePath(sSide + sPiece + ".svg"));
            ASSERT_TRUE(o.open(QIODevice::WriteOnly));
            o.write(sSvg);
        }
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
    WritePieceSet(oDir, "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 8 8'>"
                        "<rect width='8' height='8' fill='#ff0000'/></svg>");
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
                const bool bOn = &b == &oBoards[0];
                const int nBefore = b.property("renderedSquares").toInt();
                if (bOn)
                    (b.*o.set)(true);
                b.grab(); // the aid's squares drawn again, and only those
                EXPECT_EQ(b.property("renderedSquares").toInt() - nBefore,
                          bOn && !*o.sActions ? QString(o.sWhite).split(' ').size() : 0);
                for (const QString &sAct : QString(o.sActions).split(' ', Qt::SkipEmptyParts)) {
                    if (sAct.startsWith('v'))
                        ASSERT_TRUE(b.ViewPly(sAct.mid(1).toInt()));
                    else if (sAct.size() == 4)
                        ASSERT_TRUE(b.MovePiece(sAct.left(2), sAct.mid(2)));
                    else
                        QTest::mouseClick(&b, Qt::LeftButton, {}, CellCentre(sAct, bView));
                }
                oShots[bOn ? 0 : 1] = b.grab().toImage();
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

// Ends in check (Bb5+), with a capture and castling on the way.
const char *const Game = "[White \"Ann\"]\n[Black \"Bob\"]\n\n"
                         "1. e4 d5 2. exd5 Qxd5 3. Nf3 Nc6 4. Be2 Bg4 5. O-O O-O-O 6. Bb5 *";

// A picture at a board size is what the control draws at that size with the same aids, in both
// views, live and reviewing, and for a ply asked for while another is shown.
TEST(BoardRenderer, SameAsTheControl) {
    struct Row {
        int nSide;
        bool bView;
        bool bAids; // last move, check, coordinates
        int nPly;   // -1: the live position
    } const oRows[] = {
        {328, true, false, -1}, {328, false, true, -1}, {480, true, true, -1},
        {480, false, true, 4},  {600, true, true, 0},   {800, false, false, 7},
    };
    for (const Row &o : oRows) {
        SCOPED_TRACE(testing::Message() << o.nSide << " px, view " << o.bView << ", aids "
                                        << o.bAids << ", ply " << o.nPly);
        Board b;
        b.setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        ASSERT_TRUE(b.LoadPgn(Game));
        b.BoardView(o.bView);
        for (auto set : {&Board::SetShowLastMove, &Board::SetShowCheck, &Board::SetShowCoordinates})
            (b.*set)(o.bAids);
        if (o.nPly >= 0)
            b.ViewPly(o.nPly);
        b.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&b));
        const QImage oBoard = GrabbedBoard(b, o.nSide);
        const qreal r = oBoard.devicePixelRatio();
        BoardRenderer oRenderer;
        EXPECT_TRUE(oRenderer.Image(b.Scene(), o.nSide, r) == oBoard);
        b.ViewPly(b.PlyCount());
        EXPECT_TRUE(oRenderer.Image(b.Scene(o.nPly), o.nSide, r) == oBoard);
    }
}

// The parts a host adds: shapes, names and a size that is no multiple of 8, each drawn where it
// belongs, and in the SVG too.
TEST(BoardRenderer, ShapesNamesAndFrame) {
    BoardScene oPlain;
    BoardRenderer oRenderer;
    const QImage oBase = oRenderer.Image(oPlain, 480);
    const struct {
        const char *sWhat;
        QList<BoardShape> oShapes;
        bool bShow; // the shapes, or the names
        int nSide;
        QSize oSize;
        QRect oChanged; // where the picture differs from the plain board, in the board's pixels
    } oRows[] = {
        {"arrow",
         {{"e2", "e4", QColor(21, 120, 27, 200)}},
         true,
         480,
         {480, 480},
         {240, 240, 60, 180}},
        {"circle", {{"a8", "", QColor(200, 0, 0)}}, true, 480, {480, 480}, {0, 0, 60, 60}},
        {"shapes off", {{"a8", "h1", Qt::red}}, false, 480, {480, 480}, {}},
        {"names", {}, true, 480, {480, 560}, {}},
        {"frame", {}, false, 485, {485, 485}, {}},
    };
    for (const auto &o : oRows) {
        SCOPED_TRACE(o.sWhat);
        BoardScene oScene;
        oScene.oShapes = o.oShapes;
        oScene.bShowShapes = o.bShow;
        oScene.bShowNames = o.bShow && o.oShapes.isEmpty();
        oScene.sWhite = "Ann";
        const QImage oImage = oRenderer.Image(oScene, o.nSide);
        ASSERT_EQ(oImage.size(), o.oSize);
        EXPECT_EQ(BoardRenderer::PictureSize(oScene, o.nSide), o.oSize);
        if (o.nSide == 480) {
            // The board sits between the bands, and only the shape's squares change.
            const int nBand = (o.oSize.height() - 480) / 2;
            QRect oDiffer;
            for (int y = 0; y < 480; ++y)
                for (int x = 0; x < 480; ++x)
                    if (oImage.pixel(x, y + nBand) != oBase.pixel(x, y))
                        oDiffer |= QRect(x, y, 1, 1);
            EXPECT_TRUE(oDiffer.isEmpty() || o.oChanged.contains(oDiffer))
                << oDiffer.x() << "," << oDiffer.y() << " " << oDiffer.width() << "x"
                << oDiffer.height();
            EXPECT_EQ(oDiffer.isEmpty(), o.oChanged.isEmpty());
        } else {
            // 485 pixels: cells of 60, and 5 pixels of frame around them, 2 before, 3 after.
            EXPECT_EQ(oImage.copy(2, 2, 480, 480), oBase);
            EXPECT_EQ(oImage.pixel(484, 484), oImage.pixel(0, 0));
        }
        QSvgRenderer oReader(oRenderer.Svg(oScene, o.nSide));
        QImage oDrawn(o.oSize, QImage::Format_RGB32);
        QPainter p(&oDrawn);
        oReader.render(&p);
        p.end();
        EXPECT_LT(PictureDifference(oDrawn, oImage).first, 1.5);
    }
}

// The SVG is SVG 1.1 by its DTD, with the pieces of a set an editor wrote (its own elements and
// attributes dropped, ids kept apart) and names that need escaping.
TEST(BoardRenderer, SvgIsValidSvg11) {
    const QString sLint = QStandardPaths::findExecutable("xmllint");
    if (sLint.isEmpty() || !QDir("/usr/share/xml/w3c-sgml-lib").exists())
        GTEST_SKIP() << "needs xmllint (libxml2-utils) and the W3C DTDs (w3c-sgml-lib)";
    QTemporaryDir oDir;
    WritePieceSet(
        oDir, "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
              "xmlns:sodipodi='http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd' "
              "viewBox='0 0 45 45'><sodipodi:namedview/><metadata>x</metadata>"
              "<defs><linearGradient id='g'><stop offset='0' stop-color='red'/>"
              "</linearGradient></defs><circle id='c' sodipodi:type='arc' cx='22' cy='22' "
              "r='20' fill='url(#g)'/><use xlink:href='#c'/></svg>");
    Board b;
    ASSERT_TRUE(b.LoadPgn(Game));
    b.SetShowCoordinates(true);
    BoardScene oScene = b.Scene();
    oScene.sWhite = "Ann & <Bob>";
    oScene.bShowNames = true;
    oScene.bShowLastMove = oScene.bShowCheck = oScene.bShowShapes = true;
    oScene.oShapes = {{"e2", "e4", QColor(0, 0, 255, 128)}, {"d4", "", Qt::green}};
    for (const QString &sSet : {QString(), oDir.path()}) {
        BoardRenderer oRenderer;
        ASSERT_TRUE(oRenderer.SetPieceSet(sSet));
        QFile oFile(QDir(oDir.path()).filePath("board.svg"));
        ASSERT_TRUE(oFile.open(QIODevice::WriteOnly));
        oFile.write(oRenderer.Svg(oScene, 480));
        oFile.close();
        QProcess oLint;
        oLint.start(sLint, {"--nonet", "--noout", "--valid", oFile.fileName()});
        ASSERT_TRUE(oLint.waitForFinished(30000));
        EXPECT_EQ(oLint.exitCode(), 0) << oLint.readAllStandardError().left(2000).toStdString();
    }
}

} // namespace
