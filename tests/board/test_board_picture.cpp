#include "BoardTestSupport.h"

#include <gtest/gtest.h>

namespace {

// The pictures the board is made of, at the ratio of the grabbed image.
QImage Asset(const QString &sBase, qreal dRatio) {
    return QImage(sBase + (dRatio > 1 ? "@2x.png" : ".png")).convertToFormat(QImage::Format_ARGB32);
}

class BoardPicture : public ::testing::Test {
protected:
    Board b;
    QImage oShot;
    qreal r = 1;

    void SetUp() override {
        b.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&b));
    }
    void Shoot() {
        oShot = b.grab().toImage().convertToFormat(QImage::Format_ARGB32);
        r = oShot.devicePixelRatio();
    }
    QImage Device(QPoint oLogical, int nSize) const {
        return oShot.copy(QRect(oLogical * r, QSize(nSize, nSize) * r));
    }
    // The inner area (inside the one-pixel border) is the texture, untouched.
    bool Empty(const QString &sSquare, bool bDark, bool bWhitesView = true) const {
        const QImage oTexture =
            Asset(bDark ? ":/tavlon/squares/dark" : ":/tavlon/squares/light", r);
        return Device(CellOrigin(sSquare, bWhitesView) + QPoint(1, 1), 39) ==
               oTexture.copy(QRect(QPoint(0, 0), QSize(39, 39) * r));
    }
    // Every opaque pixel of the picture shows at nOffset inside the cell, or the pointer's box.
    bool Shows(QPoint oAt, const QString &sPicture) const {
        const QImage oPiece = Asset(sPicture, r);
        const QImage oArea = Device(oAt, 32);
        int nOpaque = 0;
        for (int y = 0; y < oPiece.height(); ++y)
            for (int x = 0; x < oPiece.width(); ++x)
                if (qAlpha(oPiece.pixel(x, y)) == 255 && ++nOpaque &&
                    oArea.pixel(x, y) != oPiece.pixel(x, y))
                    return false;
        return nOpaque > 0;
    }
    bool Piece(const QString &sSquare, int nClass, bool bWhitesView = true) const {
        return Shows(CellOrigin(sSquare, bWhitesView) + QPoint(5, 5),
                     QString(":/tavlon/pieces/%1").arg(nClass));
    }
};

TEST_F(BoardPicture, StartPositionAndTurnedView) {
    b.resize(500, 300);
    EXPECT_EQ(b.size(), QSize(332, 332));
    Shoot();
    EXPECT_EQ(oShot.size(), QSize(332, 332) * r);
    EXPECT_TRUE(Empty("e4", false));
    EXPECT_TRUE(Empty("e5", true));
    EXPECT_FALSE(Empty("a8", false)); // a rook stands there
    EXPECT_TRUE(Piece("a8", 2));      // on light: cut into the a8 texture below
    EXPECT_TRUE(Piece("h8", 2));
    EXPECT_TRUE(Piece("e1", 6));
    EXPECT_TRUE(Piece("d8", 1));
    EXPECT_EQ(Device({3, 3}, 1), Asset(":/tavlon/squares/light", r).copy(0, 0, r, r)); // a8
    EXPECT_EQ(Device({2 + 7 * 41 + 1, 3}, 1),
              Asset(":/tavlon/squares/dark", r).copy(0, 0, r, r)); // h8

    b.BoardView(false);
    b.BoardView(false);
    Shoot();
    EXPECT_TRUE(Piece("h1", 8, false));
    EXPECT_EQ(CellOrigin("h1", false), QPoint(2, 2));
    EXPECT_TRUE(Piece("a8", 2, false));
    EXPECT_TRUE(Empty("e4", false, false));
    b.BoardView(true);
    Shoot();
    EXPECT_TRUE(Piece("a8", 2));
    EXPECT_TRUE(Piece("h1", 8));
}

TEST_F(BoardPicture, LiftedPieceFollowsThePointerAndComesBack) {
    Recorder rec(b);
    QTest::mousePress(&b, Qt::LeftButton, {}, CellCentre("e2", true));
    QTest::mouseMove(&b, CellCentre("e3", true));
    QTest::mouseMove(&b, CellCentre("e4", true) + QPoint(3, 1));
    Shoot();
    EXPECT_TRUE(Empty("e2", false));
    EXPECT_TRUE(Shows(CellCentre("e4", true) + QPoint(3 - 16, 1 - 16), ":/tavlon/drag/11"));
    QTest::mouseRelease(&b, Qt::LeftButton, {}, {-40, 500}); // outside the window
    Shoot();
    EXPECT_TRUE(Piece("e2", 11));
    EXPECT_TRUE(Empty("e4", false));

    Drag(b, "e2", CellCentre("e2", true));                             // back on its own square
    Drag(b, "e2", CellCentre("e4", true), true, Qt::RightButton);      // right button
    Drag(b, "e4", CellCentre("e5", true));                             // empty square
    Drag(b, "e7", CellCentre("e5", true));                             // not White's piece
    QTest::mousePress(&b, Qt::LeftButton, {}, CellCentre("d7", true)); // the same, held
    Shoot();
    EXPECT_TRUE(Piece("d7", 5));
    QTest::mouseRelease(&b, Qt::LeftButton, {}, CellCentre("d5", true));
    Shoot();
    EXPECT_TRUE(Piece("e2", 11));
    EXPECT_TRUE(rec.oLog.isEmpty());
    EXPECT_TRUE(b.IsWhitesTurn());
}

TEST_F(BoardPicture, DragsInBlacksViewRenderOnlyTheChangedSquares) {
    Recorder rec(b);
    b.BoardView(false);
    Shoot();
    const int nBefore = b.property("renderedSquares").toInt();
    Drag(b, "e2", CellCentre("e4", false), false);
    Shoot();
    EXPECT_EQ(b.property("renderedSquares").toInt() - nBefore, 2);
    Drag(b, "e7", CellCentre("e5", false), false);
    Drag(b, "d1", CellCentre("h5", false), false);
    Shoot();
    EXPECT_EQ(rec.oLog, QStringList({"move e2 e4 W", "move e7 e5 B", "move d1 h5 W"}));
    EXPECT_TRUE(Piece("h5", 7, false));
    EXPECT_TRUE(Empty("e2", false, false));
    EXPECT_TRUE(Empty("d1", false, false));
}

} // namespace
