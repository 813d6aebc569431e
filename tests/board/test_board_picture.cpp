#include "TestBoard.h"

#include <array>
#include <gtest/gtest.h>

namespace {

const char *const Start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";

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
    // Every opaque pixel of the picture's top left nSize x nSize, at the grab's ratio, shows
    // in the grab at oAt.
    bool Shows(QPoint oAt, const QString &sPicture, int nSize = 32) const {
        const QImage oPicture =
            QImage(sPicture + (r > 1 ? "@2x.png" : ".png")).convertToFormat(QImage::Format_ARGB32);
        const QImage oArea = oShot.copy(QRect(oAt * r, QSize(nSize, nSize) * r));
        int nOpaque = 0;
        for (int y = 0; y < oArea.height(); ++y)
            for (int x = 0; x < oArea.width(); ++x)
                if (qAlpha(oPicture.pixel(x, y)) == 255 && ++nOpaque &&
                    oArea.pixel(x, y) != oPicture.pixel(x, y))
                    return false;
        return nOpaque > 0;
    }
    // A board with only the kings, on d4 and d5, shown in the same view.
    QImage Bare(bool bWhitesView) const {
        Board o;
        o.NewGame(true, Layout("8/8/8/3k4/3K4/8/8/8"));
        o.BoardView(bWhitesView);
        return o.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    }
    // The square's cell shows what it shows on the bare board: its texture and nothing else.
    bool Empty(const QString &s, bool bWhitesView = true) const {
        const QRect oCell(CellOrigin(s, bWhitesView) * r, QSize(41, 41) * r);
        return oShot.copy(oCell) == Bare(bWhitesView).copy(oCell);
    }
    bool Piece(const QString &s, int nClass, bool bWhitesView = true) const {
        return Shows(CellOrigin(s, bWhitesView) + QPoint(5, 5),
                     QString(":/tavlon/pieces/%1").arg(nClass));
    }
};

TEST_F(BoardPicture, StartPositionInEitherView) {
    for (const bool bView : {false, true}) {
        b.BoardView(bView);
        Shoot();
        EXPECT_EQ(oShot.size(), QSize(332, 332) * r);
        EXPECT_TRUE(Piece("a8", 2, bView) && Piece("h1", 8, bView) && Empty("e4", bView)) << bView;
    }
}

// A lifted piece follows the pointer and shows again when released off the board; a right
// press, or a press on the other side's piece, lifts nothing. A drop redraws two squares.
TEST_F(BoardPicture, LiftedPieceFollowsThePointerAndComesBack) {
    QTest::mousePress(&b, Qt::LeftButton, {}, CellCentre("e2"));
    QTest::mouseMove(&b, CellCentre("e3"));
    QTest::mouseMove(&b, CellCentre("e4") + QPoint(3, 1));
    Shoot();
    EXPECT_TRUE(Empty("e2"));
    EXPECT_TRUE(Shows(CellCentre("e4") + QPoint(3 - 16, 1 - 16), ":/tavlon/drag/11"));
    QTest::mouseRelease(&b, Qt::LeftButton, {}, {-40, 500});
    Shoot();
    EXPECT_TRUE(Piece("e2", 11) && Empty("e4"));
    for (const auto &[sSrc, sDest, nButton, nClass] :
         {std::tuple{"e2", "e4", Qt::RightButton, 11}, {"d7", "d5", Qt::LeftButton, 5}}) {
        QTest::mousePress(&b, nButton, {}, CellCentre(sSrc));
        QTest::mouseMove(&b, CellCentre(sDest));
        Shoot();
        EXPECT_TRUE(Piece(sSrc, nClass)) << sSrc;
        QTest::mouseRelease(&b, nButton, {}, CellCentre(sDest));
    }
    Shoot();
    EXPECT_TRUE(b.IsWhitesTurn() && Piece("e2", 11) && Piece("d7", 5));
    const int nBefore = b.property("renderedSquares").toInt();
    Drag(b, "e2", CellCentre("e4"));
    Shoot();
    EXPECT_TRUE(Piece("e4", 11) && Empty("e2"));
    EXPECT_EQ(b.property("renderedSquares").toInt() - nBefore, 2);
}

// An aid changes only the squares it names, in either view, and redraws only those; turning it
// off gives back the plain picture.
TEST(BoardAids, OnlyTheNamedSquaresChange) {
    struct Row {
        const char *sAid;
        void (Board::*set)(bool);
        const char *sFen;
        const char *sActions; // "e2e4" played, "g1" clicked (selected)
        const char *sWhite;   // the squares that change, as seen in White's view
        const char *sBlack;   // and in Black's
    } const oRows[] = {
        {"last move", &Board::SetShowLastMove, Start, "e2e4 e7e5", "e5 e7", "e5 e7"},
        {"check", &Board::SetShowCheck, "4k3/8/8/8/8/8/8/R3K3", "a1a8", "e8", "e8"},
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
                    if (sAct.size() == 4)
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

} // namespace
