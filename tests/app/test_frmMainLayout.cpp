#include "MainWindowTest.h"

#include <QPushButton>
#include <QScreen>

// The board takes the room the window gains, square, with the typed-move row under it and the
// lists beside it taking the free width; F11 and Escape go in and out of full screen; the size
// comes back in the next window, and a place off every screen is brought back onto one.
TEST_F(MainWindow, BoardTakesTheRoomAndTheGeometryIsRemembered) {
    Key(Qt::Key_H); // show the lists
    const QSize oSmallest = w.size();
    w.resize(oSmallest + QSize(250, 100));
    auto *list = Find<QListWidget>("lstWhiteMoves");
    EXPECT_EQ(board->width(), 332 + 100);
    EXPECT_EQ(board->height(), board->width());
    EXPECT_GT(list->width(), 65 + 90); // the width the board could not use
    EXPECT_GT(list->x(), board->geometry().right());
    EXPECT_GT(Find<QPushButton>("cmdMovePiece")->y(), board->geometry().bottom());
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
