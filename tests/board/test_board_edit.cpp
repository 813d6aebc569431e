// The board's editing mode: every way of changing the pieces, with no rule and no game event,
// and a picture that is the one a game of the same pieces shows.
#include "TestBoard.h"

#include <QAccessible>
#include <QApplication>
#include <QMimeData>
#include <gtest/gtest.h>

namespace {

const char *const Start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";

struct Edit {
    // drag:e2e5, drag:a1-- (off the board), right:d8, key:e4:Q, key:e2:Del, drop:h5:Q (and its
    // type when not a piece's), tool:d4:q (- empties)
    const char *sDo;
    const char *sAfter;  // the placement
    int nEdits;          // PositionEdited raised
    const char *sSpoken; // the accessible name after a key, else ""
};

// clang-format off
const Edit Edits[] = {
    {"drag:e2e5", "rnbqkbnr/pppppppp/8/4P3/8/8/PPPP1PPP/RNBQKBNR", 1, ""},
    {"drag:e1e8", "rnbqKbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQ1BNR", 1, ""}, // even a king goes
    {"drag:a1--", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/1NBQKBNR", 1, ""},
    {"right:d8", "rnb1kbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", 1, ""},
    {"key:e4:Q", "rnbqkbnr/pppppppp/8/8/4Q3/8/PPPPPPPP/RNBQKBNR", 1, "e4: white queen placed"},
    {"key:e2:n", "rnbqkbnr/pppppppp/8/8/8/8/PPPPnPPP/RNBQKBNR", 1, "e2: black knight placed"},
    {"key:e2:Del", "rnbqkbnr/pppppppp/8/8/8/8/PPPP1PPP/RNBQKBNR", 1, "e2: white pawn removed"},
    {"key:e7: ", "rnbqkbnr/pppp1ppp/8/8/8/8/PPPPPPPP/RNBQKBNR", 1, "e7: black pawn removed"},
    {"drop:h5:Q", "rnbqkbnr/pppppppp/8/7Q/8/8/PPPPPPPP/RNBQKBNR", 1, ""},
    {"drop:h5:X", Start, 0, ""}, // no piece
    {"drop:h5:Q:text/plain", Start, 0, ""},
    {"tool:d4:q", "rnbqkbnr/pppppppp/8/8/3q4/8/PPPPPPPP/RNBQKBNR", 1, ""},
    {"tool:g1:-", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKB1R", 1, ""},
};
// clang-format on

// Whether the board took what was done: a host's drag is taken, on entering, only when the drop
// would be, so the pointer never promises what the drop will not do.
bool Do(Board &b, const QString &sDo, bool bView) {
    const QStringList o = sDo.split(':');
    const QPoint oAt = CellCentre(o[1].left(2), bView);
    if (o[0] == "drag") { // to "--": off the board
        Drag(b, o[1].left(2),
             o[1].endsWith("--") ? QPoint(-40, 150) : CellCentre(o[1].mid(2), bView), bView);
    } else if (o[0] == "right") {
        QTest::mouseClick(&b, Qt::RightButton, {}, oAt);
    } else if (o[0] == "key") {
        QTest::mouseClick(&b, Qt::LeftButton, {}, oAt); // the keyboard's square follows
        o[2] == "Del" ? QTest::keyClick(&b, Qt::Key_Delete)
                      : QTest::keyClick(&b, o[2][0].toLatin1());
    } else if (o[0] == "drop") {
        QMimeData oData;
        oData.setData(o.size() > 3 ? o[3] : Board::PieceMimeType, o[2].toLatin1());
        QDragEnterEvent oEnter(oAt, Qt::CopyAction, &oData, Qt::LeftButton, {});
        oEnter.setAccepted(false);
        QApplication::sendEvent(&b, &oEnter);
        QDropEvent oDrop(oAt, Qt::CopyAction, &oData, Qt::LeftButton, {});
        QApplication::sendEvent(&b, &oDrop);
        return oEnter.isAccepted();
    } else {
        b.SetEditTool(o[2] == "-" ? qint16(-1) : qint16(QString("kqrnbpKQRNBP").indexOf(o[2])));
        QTest::mouseClick(&b, Qt::LeftButton, {}, oAt);
    }
    return true;
}

TEST(BoardEdit, EveryWayOfChangingPiecesRaisesOnlyPositionEdited) {
    for (const bool bWhitesView : {true, false}) {
        for (const Edit &e : Edits) {
            SCOPED_TRACE(e.sDo);
            Board b;
            b.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&b));
            b.setFocus();
            ASSERT_TRUE(b.SetEditing(true));
            b.BoardView(bWhitesView);
            EventLog oLog(b);
            int nEdits = 0;
            QObject::connect(&b, &Board::PositionEdited, [&] { ++nEdits; });
            EXPECT_EQ(Do(b, e.sDo, bWhitesView), e.nEdits > 0);
            EXPECT_EQ(b.Placement().toStdString(), e.sAfter);
            EXPECT_EQ(nEdits, e.nEdits);
            EXPECT_EQ(oLog.Take(), "");
            EXPECT_TRUE(!*e.sSpoken || b.accessibleName() == e.sSpoken)
                << b.accessibleName().toStdString();
            EXPECT_EQ(b.Fen().toStdString(), std::string(Start) + " w KQkq - 0 1")
                << "the game is untouched";
        }
    }
}

// A game with a last move and a check, every aid on, set up by hand: the picture is exactly the
// pieces, as a game from the same FEN draws them with no aid; the game waits untouched, refusing
// moves, and shows again when the editing ends or a new game is set.
TEST(BoardEdit, DrawsWhatIsPlacedAndLeavesTheGameAlone) {
    Board b, oPlain;
    for (Board *p : {&b, &oPlain}) {
        p->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(p));
    }
    b.SetShowLastMove(true);
    b.SetShowCheck(true);
    b.SetShowLegalMoves(true);
    ASSERT_TRUE(b.MovePieceSan("e4") && b.MovePieceSan("f5") && b.MovePieceSan("Qh5"));
    const QString sGame = b.Fen();
    const QImage oGame = b.grab().toImage();
    ASSERT_TRUE(b.SetEditing(true));
    EventLog oLog(b);
    Do(b, "drag:e1e3", true);
    Do(b, "drag:h5--", true);
    oPlain.SetFen(b.Placement() + " w - - 0 1");
    EXPECT_EQ(b.grab().toImage(), oPlain.grab().toImage()) << "no marks, only the pieces";

    EXPECT_FALSE(b.MovePiece("d2", "d4"));
    EXPECT_EQ(b.LastRefusal(), Board::Refusal::Editing);
    EXPECT_FALSE(b.UndoLastMove() || b.Resign() || b.ViewPly(0) || b.SetEditing(true) == false);
    EXPECT_EQ(b.Fen(), sGame);

    ASSERT_TRUE(b.SetEditing(false));
    EXPECT_EQ(b.grab().toImage(), oGame);
    ASSERT_TRUE(b.SetEditing(true));
    EXPECT_EQ(b.Placement(), sGame.section(' ', 0, 0));
    ASSERT_TRUE(b.SetFen("4k3/8/8/8/8/8/8/R3K3 w - - 0 1"));
    EXPECT_FALSE(b.Editing()) << "a game set ends the editing";
    EXPECT_FALSE(Do(b, "drop:h5:Q", true)) << "taken only while editing";
    EXPECT_EQ(b.Placement(), "4k3/8/8/8/8/8/8/R3K3");
    EXPECT_TRUE(b.MovePiece("e1", "e2"));
    EXPECT_EQ(oLog.Take(), "move e1 e2 W");
}

} // namespace
