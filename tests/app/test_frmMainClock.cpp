// The clocks in the window, on a fake time source: pause, undo, the loss on time, the display
// turning with the board, and clock times through a saved file.
#include "ClockWidget.h"
#include "MainWindowTest.h"

#include <QLabel>

namespace {

class ClockWindow : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        w.setClockSource([this] { return nNow; });
        w.SetRunTimeControl("180+2");
    }
    // Both clocks, White's first, a star on the running one: "3:04*|2:59".
    std::string Clocks() {
        QStringList s;
        for (const char *sName : {"clkWhite", "clkBlack"}) {
            auto *clk = Find<ClockWidget>(sName);
            s << (clk->isVisible() ? clk->Time() + (clk->IsRunning() ? "*" : "") : "-");
        }
        return s.join('|').toStdString();
    }
    bool WhiteBelow() { return Find<ClockWidget>("clkWhite")->y() > board->y(); }
    qint64 nNow = 1000;
};

TEST_F(ClockWindow, PauseUndoFlagFallAndTheBoardTurning) {
    EXPECT_EQ(Clocks(), "3:02|3:02") << "3+2 shows 3:02, and nothing runs before the first move";
    EXPECT_TRUE(WhiteBelow());
    Type("e4");
    nNow += 5000;
    Type("e5");
    EXPECT_EQ(Clocks(), "3:04*|2:59");
    Key(Qt::Key_P);
    EXPECT_TRUE(Find<QLabel>("lblPaused")->isVisible());
    nNow += 60000;
    Type("Nf3");
    Key(Qt::Key_U);
    EXPECT_EQ(Lists(), "1. e2-e4|1... e7-e5") << "no move and no undo while paused";
    EXPECT_EQ(Clocks(), "3:04|2:59");
    Key(Qt::Key_P);
    EXPECT_FALSE(Find<QLabel>("lblPaused")->isVisible());
    nNow += 1500;
    Key(Qt::Key_U);
    EXPECT_EQ(Clocks(), "3:04|3:02*") << "as after 1. e4, Black's clock running";
    Key(Qt::Key_R);
    EXPECT_FALSE(WhiteBelow());
    Key(Qt::Key_R);
    EXPECT_TRUE(WhiteBelow());
    nNow += 182000;
    Answerer answerer({"OK"});
    Type("e5");
    EXPECT_EQ(answerer.seen, QStringList{"Tavlon:Black ran out of time: White wins"});
    EXPECT_EQ(board->Result(), "1-0");
    EXPECT_EQ(Lists(), "1. e2-e4|");
    Key(Qt::Key_U);
    EXPECT_EQ(board->Result(), "*") << "undo after a flag fall reopens the game";
    EXPECT_EQ(Clocks(), "3:02|3:02") << "back at the start: the first move is untimed again";
}

TEST_F(ClockWindow, ClockTimesSavedAndOpenedPaused) {
    Type("e4");
    nNow += 5000;
    Type("e5");
    nNow += 3000;
    Type("Nf3");
    sSaveAnswer = Path("timed.pgn");
    Key(Qt::Key_S);
    const QByteArray sText = Read(sSaveAnswer);
    EXPECT_TRUE(sText.contains("[TimeControl \"180+2\"]\n\n1. e4 {[%clk 0:03:04]} 1... e5 "
                               "{[%clk 0:02:59]} 2. Nf3 {[%clk 0:03:03]} *"))
        << sText.toStdString();
    NewGame();
    EXPECT_EQ(Clocks(), "3:02|3:02");
    sOpenAnswer = sSaveAnswer;
    Key(Qt::Key_O);
    EXPECT_EQ(Clocks(), "3:03|2:59") << "paused, so nobody loses time while the file opens";
    EXPECT_TRUE(Find<QLabel>("lblPaused")->isVisible());
    nNow += 9000;
    Key(Qt::Key_P);
    nNow += 1000;
    Type("Nc6");
    EXPECT_EQ(Clocks(), "3:03*|3:00");
    sOpenAnswer = Write("plain.pgn", "1. d4 d5 *");
    Answerer discard({"Discard"});
    Key(Qt::Key_O);
    EXPECT_EQ(Clocks(), "-|-") << "a game without clock times loads untimed";
    w.SetRunTimeControl("300"); // as the command line does before it opens its file
    w.OpenFile(sOpenAnswer);
    EXPECT_EQ(Clocks(), "5:00|5:00");
}

} // namespace
