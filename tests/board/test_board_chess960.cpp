// Chess960 on the board: castling by the gestures players use, a numbered game, the last move's
// mark, and a position drawn small.
#include "Chess960.h"
#include "TestBoard.h"

#include <gtest/gtest.h>
#include <tavlon/BoardRenderer.h>

namespace {

// Rows: a position, the king's square, a drag ('d') or a click on the king and then on the square
// ('c'), the square, and the move played ("" for none). Castling square a step away in Near.
TEST(BoardChess960, CastlingGestures) {
    const char *const Wide = "1r2k2r/8/8/8/8/8/8/1R2K2R w KQkq - 0 1";
    const char *const Near = "4k3/8/8/8/8/8/8/RK5R w KQ - 0 1";
    const char *const Standard = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
    // clang-format off
    const char *const Rows[][5] = {{Wide, "e1", "d", "h1", "e1h1"}, {Wide, "e1", "d", "c1", "e1b1"}, {Wide, "e1", "c", "b1", "e1b1"},
        {Wide, "e1", "c", "g1", "e1h1"}, {Near, "b1", "d", "c1", "b1c1"}, {Near, "b1", "d", "g1", "b1h1"},
        {Standard, "e1", "d", "g1", "e1g1"}, {Standard, "e1", "d", "h1", ""}, {Standard, "e1", "c", "h1", ""}};
    // clang-format on
    for (const auto &[sFen, sKing, sHow, sTo, sMove] : Rows) {
        Board b;
        b.SetShowLegalMoves(true); // a click plays only onto a marked square
        b.show();
        ASSERT_TRUE(b.SetFen(sFen, sFen != Standard));
        if (*sHow == 'd')
            Drag(b, sKing, CellCentre(sTo));
        for (const char *s : {sKing, sTo})
            if (*sHow == 'c')
                QTest::mouseClick(&b, Qt::LeftButton, {}, CellCentre(s));
        EXPECT_EQ(b.CoordinateMoves().join(' '), sMove) << sFen << " " << sHow << sTo;
    }
}

TEST(BoardChess960, NumberedGamesMarksAndPictures) {
    Board b;
    ASSERT_TRUE(b.NewGame960(0) && !b.NewGame960(960) && b.Chess960Number() == 0 &&
                b.LastRefusal() == Board::Refusal::NoSuchStartPosition);
    ASSERT_TRUE(b.SetFen("1r2k2r/8/8/8/8/8/8/1R2K2R w KQkq - 0 1") && b.MovePieceSan("O-O-O"));
    b.show();
    const QImage oPlain = b.grab().toImage();
    b.SetShowLastMove(true);
    EXPECT_EQ(DifferingCells(oPlain, b.grab().toImage()), "c1 e1") << "the king's squares";
    EXPECT_EQ((b.Scene().sLastMoveFrom + ' ' + b.Scene().sLastMoveTo).toStdString(), "e1 c1")
        << "so exported";
    b.NewGame();
    EXPECT_FALSE(b.SetTag("Variant", "Chess960")) << "read back, it would be another game";
    const QImage a = Board::Picture(QString::fromStdString(Chess960::Fen(0)), 160).toImage();
    const QImage z = Board::Picture(QString::fromStdString(Chess960::Fen(959)), 160).toImage();
    EXPECT_TRUE(a.size() == QSize(160, 160) && a.copy(0, 140, 160, 20) != z.copy(0, 140, 160, 20) &&
                a.copy(0, 80, 160, 20) == z.copy(0, 80, 160, 20))
        << "rank 1 differs, rank 4 does not";
    EXPECT_TRUE(Board::Picture("8/8/8/8/8/8/8/8 w - - 0 1", 160).isNull());
}

} // namespace
