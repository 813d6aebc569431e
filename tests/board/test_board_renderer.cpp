#include "TestBoard.h"

#include <QDir>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tavlon/BoardRenderer.h>

namespace {

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
    for (const char *sName :
         {"wK", "wQ", "wR", "wN", "wB", "wP", "bK", "bQ", "bR", "bN", "bB", "bP"}) {
        QFile o(oDir.filePath(QString(sName) + ".svg"));
        ASSERT_TRUE(o.open(QIODevice::WriteOnly));
        o.write(
            "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
            "xmlns:sodipodi='http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd' "
            "viewBox='0 0 45 45'><sodipodi:namedview/><metadata>x</metadata>"
            "<defs><linearGradient id='g'><stop offset='0' stop-color='red'/>"
            "</linearGradient></defs><circle id='c' sodipodi:type='arc' cx='22' cy='22' "
            "r='20' fill='url(#g)'/><use xlink:href='#c'/></svg>");
    }
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
