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

// The board's own picture at a board of nSide pixels: a control of nSide + 4 (its 2-pixel margin)
// grabbed, and the cells cut out.
QImage Grabbed(Board &b, int nSide) {
    b.resize(nSide + 4, nSide + 4);
    const QImage o = b.grab().toImage();
    const qreal r = o.devicePixelRatio();
    return o.copy(QRect(QPoint(2, 2) * r, QSize(nSide, nSide) * r))
        .convertToFormat(QImage::Format_RGB32);
}

// Mean difference of the colour channels, 0..255, and the share of pixels off by more than 64.
std::pair<double, double> Difference(const QImage &a, const QImage &b) {
    double dSum = 0;
    qint64 nFar = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int d = std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                          std::abs(qBlue(p) - qBlue(q));
            dSum += d / 3.0;
            nFar += d > 3 * 64;
        }
    const double n = double(a.width()) * a.height();
    return {dSum / n, nFar / n};
}

// A picture at a board size is what the control draws at that size with the same aids, in both
// views, live and reviewing; its SVG, drawn by Qt SVG, is the same picture within a little; the
// shapes and the name bands change only what they cover.
TEST(BoardRenderer, SameAsTheControlAndItsSvg) {
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
        const QImage oBoard = Grabbed(b, o.nSide);
        const qreal r = oBoard.devicePixelRatio();
        BoardRenderer oRenderer;
        const BoardScene oScene = b.Scene();
        EXPECT_TRUE(oRenderer.Image(oScene, o.nSide, r) == oBoard);
        // The scene of a ply asked for, not shown, is the same.
        b.ViewPly(b.PlyCount());
        EXPECT_TRUE(oRenderer.Image(b.Scene(o.nPly), o.nSide, r) == oBoard);

        // The SVG: valid XML of the right size that Qt SVG draws as the picture.
        const QImage oPicture = oRenderer.Image(oScene, o.nSide);
        const QByteArray oSvg = oRenderer.Svg(oScene, o.nSide);
        QSvgRenderer oReader(oSvg);
        ASSERT_TRUE(oReader.isValid());
        EXPECT_EQ(oReader.defaultSize(), QSize(o.nSide, o.nSide));
        QImage oDrawn(o.nSide, o.nSide, QImage::Format_RGB32);
        QPainter p(&oDrawn);
        oReader.render(&p);
        p.end();
        const auto [dMean, dFar] = Difference(oDrawn, oPicture);
        EXPECT_LT(dMean, 1.5);
        EXPECT_LT(dFar, 0.003);
    }
}

// The parts a host adds: shapes, names and a size that is no multiple of 8, each drawn where it
// belongs, and in the SVG too.
TEST(BoardRenderer, ShapesNamesAndFrame) {
    BoardScene oPlain;
    BoardRenderer oRenderer;
    const QImage oBase = oRenderer.Image(oPlain, 480);
    struct Row {
        const char *sWhat;
        std::function<void(BoardScene &)> change;
        int nSide;
        QSize oSize;
        QRect oChanged; // where the picture differs from the plain board, in the board's pixels
    } const oRows[] = {
        {"arrow",
         [](BoardScene &s) {
             s.oShapes = {{"e2", "e4", QColor(21, 120, 27, 200)}};
             s.bShowShapes = true;
         },
         480,
         {480, 480},
         {240, 240, 60, 180}},
        {"circle",
         [](BoardScene &s) {
             s.oShapes = {{"a8", "", QColor(200, 0, 0)}};
             s.bShowShapes = true;
         },
         480,
         {480, 480},
         {0, 0, 60, 60}},
        {"shapes off",
         [](BoardScene &s) {
             s.oShapes = {{"a8", "h1", Qt::red}};
         },
         480,
         {480, 480},
         {}},
        {"names",
         [](BoardScene &s) {
             s.sWhite = "Ann";
             s.sBlack = "Bob";
             s.bShowNames = true;
         },
         480,
         {480, 560},
         {}},
        {"frame", [](BoardScene &) {}, 485, {485, 485}, {}},
    };
    for (const Row &o : oRows) {
        SCOPED_TRACE(o.sWhat);
        BoardScene oScene;
        o.change(oScene);
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
        EXPECT_LT(Difference(oDrawn, oImage).first, 1.5);
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
