#include "MainWindowTest.h"

#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

// The board takes the room the window gains, square, with the typed-move row under it. The lists
// lie below that row at the smallest window, 410 wide, showing ten rows, and beside the board
// unless that leaves it much smaller; either way side by side, each wide enough for the longest
// entry, and showing the newest move. F11 and Escape go in and out of full screen; the size comes
// back in the next window, and a place off every screen is brought back onto one.
TEST_F(MainWindow, BoardTakesTheRoomAndTheGeometryIsRemembered) {
    Steps(&w, "clip:" + Immortal + " *|key:Ctrl+V|key:Ctrl+H"); // a game, the lists shown
    const QSize oSmallest = w.size();
    EXPECT_EQ(w.frameGeometry().width(), 410);
    auto *white = Find<QListWidget>("lstWhiteMoves");
    auto *black = Find<QListWidget>("lstBlackMoves");
    const auto *button = Find<QPushButton>("cmdMovePiece");
    // Where a list stands in the client area, whatever holds it there.
    const auto In = [this](const QWidget *list) {
        return QRect(list->mapTo(w.centralWidget(), QPoint(0, 0)), list->size());
    };
    const struct {
        QSize oAdded;
        bool bBeside;
        int nSide; // 0: as high as the room under the board allows
    } oRows[] = {{{0, 0}, false, 332}, {{250, 100}, false, 432}, {{600, 0}, true, 0}};
    for (const auto &o : oRows) {
        SCOPED_TRACE(o.oAdded.width());
        w.resize(oSmallest + o.oAdded);
        const QRect r = board->geometry();
        EXPECT_EQ(r.width(), o.nSide ? o.nSide : w.centralWidget()->height() - (r.y() + 33));
        EXPECT_EQ(r.height(), r.width());
        EXPECT_EQ(w.ListsBeside(), o.bBeside);
        EXPECT_GT(button->y(), r.bottom());
        if (o.bBeside) {
            EXPECT_EQ(r.x(), 0);
            EXPECT_GT(In(white).x(), r.right());
        } else {
            EXPECT_NEAR(r.center().x(), w.centralWidget()->width() / 2, 3);
            EXPECT_GT(In(white).y(), button->geometry().bottom());
        }
        EXPECT_EQ(In(black).y(), In(white).y());
        EXPECT_GT(In(black).x(), In(white).right());
        EXPECT_LE(In(black).right(), w.centralWidget()->width());
        EXPECT_LE(In(white).bottom(), w.centralWidget()->height());
        for (const QListWidget *list : {white, black})
            EXPECT_LT(list->fontMetrics().horizontalAdvance("100... exd8=Q#"),
                      list->viewport()->width() - list->verticalScrollBar()->sizeHint().width());
        // Ten rows at least below the board, and after the resize the newest move.
        EXPECT_TRUE(o.bBeside || black->viewport()->height() >= 10 * black->sizeHintForRow(0));
        EXPECT_TRUE(black->viewport()->rect().contains(black->visualItemRect(black->item(21))));
    }
    w.resize(700, 700); // beside: below, the board would leave its sides empty
    EXPECT_TRUE(w.ListsBeside());
    Key(Qt::Key_F11, Qt::NoModifier);
    EXPECT_TRUE(w.isFullScreen());
    Key(Qt::Key_Escape, Qt::NoModifier);
    EXPECT_FALSE(w.isFullScreen());

    w.close();
    const QRect oAvailable = w.screen()->availableGeometry();
    {
        frmMain again;
        again.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
        if (oAvailable.contains(w.frameGeometry())) { // else Qt has made it fit the screen
            EXPECT_EQ(again.size(), w.size());
        }
        again.move(20000, -20000);
        again.close();
    }
    frmMain last;
    last.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&last));
    EXPECT_TRUE(oAvailable.intersects(last.frameGeometry()));
}
