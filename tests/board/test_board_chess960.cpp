// Chess960 on the board: starting a numbered game, castling by the gestures players use, the
// events and tags of such a game, and a position drawn small.
#include "Chess960.h"
#include "TestBoard.h"

#include <gtest/gtest.h>

namespace {

// King e1 with rooks b1 and h1 (both sides may castle), king f1 beside its g1 rook, and a king
// on b1 whose castling square c1 is a step away.
const char *const Wide = "1r2k2r/8/8/8/8/8/8/1R2K2R w KQkq - 0 1";
const char *const Beside = "4k3/8/8/8/8/8/8/R4KR1 w KQ - 0 1";
const char *const Near = "4k3/8/8/8/8/8/8/RK5R w KQ - 0 1";

struct GestureCase {
    const char *sWhy;
    const char *sFen;
    bool b960;
    char cHow; // 'd' drag, 'c' click the king then the square, 't' typed in the move box
    const char *sFrom;
    const char *sTo;  // a square, or the typed text
    const char *sLog; // the events, "" when refused
};

// clang-format off
const GestureCase GestureCases[] = {
    {"drag onto the rook", Wide, true, 'd', "e1", "h1", "move e1 h1 W"},
    {"drag onto the queen side rook", Wide, true, 'd', "e1", "b1", "move e1 b1 W"},
    {"drag two squares", Wide, true, 'd', "e1", "g1", "move e1 h1 W"},
    {"drag two squares queen side", Wide, true, 'd', "e1", "c1", "move e1 b1 W"},
    {"click the king then the rook", Wide, true, 'c', "e1", "h1", "move e1 h1 W"},
    {"click the king then its square", Wide, true, 'c', "e1", "c1", "move e1 b1 W"},
    {"typed O-O", Wide, true, 't', "", "O-O", "move e1 h1 W"},
    {"typed as UCI", Wide, true, 't', "", "e1b1", "move e1 b1 W"},
    {"swap by dragging onto the rook", Beside, true, 'd', "f1", "g1", "move f1 g1 W"},
    {"one step is a king move", Near, true, 'd', "b1", "c1", "move b1 c1 W"},
    {"far castling square", Near, true, 'd', "b1", "g1", "move b1 h1 W"},
    {"the rook onto the king is nothing", Wide, true, 'd', "h1", "e1", ""},
    {"standard: two squares", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", false, 'd', "e1", "g1",
     "move e1 g1 W"},
    {"standard: onto the rook is nothing", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", false, 'd',
     "e1", "h1", ""},
    {"standard: clicking the rook selects it", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", false,
     'c', "e1", "h1", ""},
};
// clang-format on

class GestureTest : public testing::TestWithParam<GestureCase> {};

TEST_P(GestureTest, CastlesAsPlayersExpect) {
    const GestureCase &c = GetParam();
    Board b;
    b.SetShowLegalMoves(true);
    b.show();
    ASSERT_TRUE(b.SetFen(c.sFen, c.b960));
    EXPECT_EQ(b.Is960(), c.b960);
    EventLog oLog(b);
    if (c.cHow == 'd') {
        Drag(b, c.sFrom, CellCentre(c.sTo));
    } else if (c.cHow == 'c') {
        for (const char *s : {c.sFrom, c.sTo})
            QTest::mouseClick(&b, Qt::LeftButton, {}, CellCentre(s));
    } else {
        b.MovePieceSan(c.sTo);
    }
    EXPECT_EQ(oLog.Take(), c.sLog);
    EXPECT_EQ(b.PlyCount(), *c.sLog ? 1 : 0);
    const QString sLog = c.sLog; // "move e1 h1 W": the move is e1h1
    EXPECT_EQ(b.CoordinateMoves(),
              sLog.isEmpty() ? QStringList() : QStringList{sLog.mid(5, 2) + sLog.mid(8, 2)});
}

INSTANTIATE_TEST_SUITE_P(Chess960, GestureTest, testing::ValuesIn(GestureCases),
                         WhyName<testing::TestParamInfo<GestureCase>>);

// A numbered game: its position, number and tags; an unknown number changes nothing; the
// game's variant is its own tag; undo, review and the record work as in any game.
TEST(BoardChess960, NumberedGamesAndTheirRecord) {
    Board b;
    int nChanged = 0;
    QObject::connect(&b, &Board::PositionChanged, &b, [&] { ++nChanged; });
    ASSERT_TRUE(b.NewGame960(0));
    EXPECT_EQ(nChanged, 1);
    EXPECT_EQ(b.Fen().toStdString(), Chess960::Fen(0));
    EXPECT_TRUE(b.Is960());
    EXPECT_EQ(b.Chess960Number(), 0);
    EXPECT_EQ(b.Tag("Event"), "Casual game");
    for (const int n : {-1, 960}) {
        EXPECT_FALSE(b.NewGame960(n));
        EXPECT_EQ(b.LastRefusal(), Board::Refusal::NoSuchStartPosition);
        EXPECT_FALSE(b.LastError().isEmpty());
    }
    EXPECT_EQ(b.Chess960Number(), 0) << "a refusal changes nothing";
    EXPECT_FALSE(b.SetTag("Variant", "Standard")) << "a Chess960 game owns its variant";
    ASSERT_TRUE(b.MovePieceSan("g2g3") && b.MovePieceSan("g7g6"));
    EXPECT_EQ(b.Chess960Number(), 0);
    ASSERT_TRUE(b.ViewPly(0));
    EXPECT_EQ(b.FenAt(0).toStdString(), Chess960::Fen(0));
    ASSERT_TRUE(b.ViewPly(2) && b.UndoLastMove());
    const QString sPgn = b.Pgn();
    EXPECT_TRUE(sPgn.contains("[Variant \"Chess960\"]\n[SetUp \"1\"]\n[FEN \"" +
                              QString::fromStdString(Chess960::Fen(0)) + "\"]"))
        << sPgn.toStdString();
    b.NewGame();
    EXPECT_FALSE(b.Is960());
    EXPECT_EQ(b.Chess960Number(), -1);
    EXPECT_FALSE(b.SetTag("Variant", "Chess960")) << "it would make another game when read";
    EXPECT_TRUE(b.SetTag("Variant", "Standard"));
    ASSERT_TRUE(b.LoadPgn(sPgn));
    EXPECT_TRUE(b.Is960());
    EXPECT_EQ(b.Chess960Number(), 0);
    EXPECT_EQ(b.CoordinateMoves(), QStringList{"g2g3"});
}

// The last move's mark shows the king's squares, as for castling in standard chess, though the
// record names the rook's.
TEST(BoardChess960, LastMoveMarksTheKingsSquares) {
    Board b;
    b.show();
    ASSERT_TRUE(b.SetFen(Wide) && b.MovePieceSan("O-O-O"));
    const QImage oPlain = b.grab().toImage();
    b.SetShowLastMove(true);
    EXPECT_EQ(DifferingCells(oPlain, b.grab().toImage()), "c1 e1");
}

// The picture of a position: the board's own squares and pieces, at the size asked; a FEN the
// rules refuse draws nothing.
TEST(BoardChess960, PictureOfAPosition) {
    const QPixmap o = Board::Picture(QString::fromStdString(Chess960::Fen(0)), 160);
    ASSERT_FALSE(o.isNull());
    EXPECT_EQ(o.size(), QSize(160, 160));
    EXPECT_EQ(Board::Picture(QString::fromStdString(Chess960::Fen(0)), 120, 2).size(),
              QSize(240, 240));
    const QImage a = o.toImage();
    const QImage b = Board::Picture(QString::fromStdString(Chess960::Fen(959)), 160).toImage();
    // Rank 1 differs (BBQNNRKR against RKRNNQBB), rank 4 does not.
    EXPECT_NE(a.copy(0, 140, 160, 20), b.copy(0, 140, 160, 20));
    EXPECT_EQ(a.copy(0, 80, 160, 20), b.copy(0, 80, 160, 20));
    EXPECT_TRUE(Board::Picture("8/8/8/8/8/8/8/8 w - - 0 1", 160).isNull());
    EXPECT_TRUE(Board::Picture(QString::fromStdString(Chess960::Fen(0)), 16).isNull());
}

} // namespace
