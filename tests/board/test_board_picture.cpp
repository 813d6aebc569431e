#include "BoardTestSupport.h"

#include <gtest/gtest.h>

namespace {

// The board's pictures at the ratio of the grabbed image.
QImage Asset(const QString &sBase, qreal r) {
    return QImage(sBase + (r > 1 ? "@2x.png" : ".png")).convertToFormat(QImage::Format_ARGB32);
}

class BoardPicture : public ::testing::Test {
protected:
    Board b;
    Recorder rec{b};
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
    QImage Area(QPoint oLogical, int nSize) const {
        return oShot.copy(QRect(oLogical * r, QSize(nSize, nSize) * r));
    }
    // Inside its one-pixel border the square shows its texture, untouched.
    bool Empty(const QString &sSquare, bool bDark, bool bWhitesView = true) const {
        return Area(CellOrigin(sSquare, bWhitesView) + QPoint(1, 1), 39) ==
               Asset(bDark ? ":/tavlon/squares/dark" : ":/tavlon/squares/light", r)
                   .copy(QRect(QPoint(), QSize(39, 39) * r));
    }
    // Every opaque pixel of the picture shows in the 32 x 32 box at oAt.
    bool Shows(QPoint oAt, const QString &sPicture) const {
        const QImage oPicture = Asset(sPicture, r);
        const QImage oArea = Area(oAt, 32);
        int nOpaque = 0;
        for (int y = 0; y < oPicture.height(); ++y)
            for (int x = 0; x < oPicture.width(); ++x)
                if (qAlpha(oPicture.pixel(x, y)) == 255 && ++nOpaque &&
                    oArea.pixel(x, y) != oPicture.pixel(x, y))
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
    Shoot();
    EXPECT_EQ(oShot.size(), QSize(332, 332) * r);
    EXPECT_TRUE(Empty("e4", false) && Empty("e5", true));
    EXPECT_TRUE(Piece("a8", 2) && Piece("h8", 2) && Piece("d8", 1) && Piece("e1", 6));
    // The textures round the pieces: light a8, dark h8.
    EXPECT_EQ(Area({3, 3}, 1), Asset(":/tavlon/squares/light", r).copy(0, 0, r, r));
    EXPECT_EQ(Area({2 + 7 * 41 + 1, 3}, 1), Asset(":/tavlon/squares/dark", r).copy(0, 0, r, r));
    for (const bool bWhitesView : {false, false, true}) {
        b.BoardView(bWhitesView);
        Shoot();
        EXPECT_TRUE(Piece("h1", 8, bWhitesView) && Piece("a8", 2, bWhitesView)) << bWhitesView;
        EXPECT_TRUE(Empty("e4", false, bWhitesView));
    }
}

TEST_F(BoardPicture, LiftedPieceFollowsThePointerAndComesBack) {
    QTest::mousePress(&b, Qt::LeftButton, {}, CellCentre("e2", true));
    QTest::mouseMove(&b, CellCentre("e3", true));
    QTest::mouseMove(&b, CellCentre("e4", true) + QPoint(3, 1));
    Shoot();
    EXPECT_TRUE(Empty("e2", false));
    EXPECT_TRUE(Shows(CellCentre("e4", true) + QPoint(3 - 16, 1 - 16), ":/tavlon/drag/11"));
    QTest::mouseRelease(&b, Qt::LeftButton, {}, {-40, 500}); // outside the window
    Shoot();
    EXPECT_TRUE(Piece("e2", 11) && Empty("e4", false));

    Drag(b, "e2", CellCentre("e2", true));                             // back on its own square
    Drag(b, "e2", CellCentre("e4", true), true, Qt::RightButton);      // right button
    Drag(b, "e4", CellCentre("e5", true));                             // empty square
    QTest::mousePress(&b, Qt::LeftButton, {}, CellCentre("d7", true)); // not White's
    Shoot();
    EXPECT_TRUE(Piece("d7", 5));
    QTest::mouseRelease(&b, Qt::LeftButton, {}, CellCentre("d5", true));
    Shoot();
    EXPECT_TRUE(Piece("e2", 11));
    EXPECT_TRUE(rec.oLog.isEmpty());
    EXPECT_TRUE(b.IsWhitesTurn());
}

TEST_F(BoardPicture, DragsInBlacksViewRedrawOnlyTheChangedSquares) {
    b.BoardView(false);
    Shoot();
    const int nBefore = b.property("renderedSquares").toInt();
    Drag(b, "e2", CellCentre("e4", false), false);
    Shoot();
    EXPECT_EQ(b.property("renderedSquares").toInt() - nBefore, 2);
    Drag(b, "e7", CellCentre("e5", false), false);
    Drag(b, "d1", CellCentre("h5", false), false);
    Shoot();
    EXPECT_EQ(rec.Log(), "move e2 e4 W|move e7 e5 B|move d1 h5 W");
    EXPECT_TRUE(Piece("h5", 7, false) && Empty("e2", false, false) && Empty("d1", false, false));
}

} // namespace
