// The clocks in the window, on a fake time source: pause, undo, the loss on time, the display
// turning with the board, and clock times through a saved file.
#include "ClockWidget.h"
#include "MainWindowTest.h"
#include "dlgTimeControl.h"

#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>

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
    // Out of time against a bare king: a draw, on time all the same.
    Steps(&w, "clip:4k3/8/8/8/8/8/8/R3K3 b - - 0 1|key:Ctrl+V|type:Kd7");
    nNow += 200'000;
    Answerer draw({"OK"});
    Type("Ra7");
    EXPECT_EQ(draw.seen.join(""), "Tavlon:White ran out of time, but Black cannot checkmate: draw");
    EXPECT_EQ(board->Tag("Termination"), "time forfeit");
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
    w.SetRunTimeControl("300"); // as the command line does before it opens its file
    w.OpenFile(sOpenAnswer);
    EXPECT_EQ(Clocks(), "5:00|5:00");
}

// White's flag falls while the promotion popup is open: the move was not complete, so it is
// taken back and the flag's fall decides, whatever the move would have given, with or without
// boxes. The same when a host plays the move through the board after the flag fell.
TEST_F(ClockWindow, FlagFallDuringPromotion) {
    const char *const Check = "3k4/8/1P6/8/8/8/r7/4K3 w - - 0 1";
    const char *const Mate = "7k/6pp/1P6/8/8/8/r7/4K3 w - - 0 1";
    // The position, boxes or not, the piece chosen in the popup (else the move played
    // through the board), and the boxes and popups seen.
    const std::tuple<const char *, bool, bool, const char *> rows[] = {
        {Check, true, true, "mnuWhitePawnPromotion|Tavlon:White ran out of time: Black wins"},
        {Check, false, true, "mnuWhitePawnPromotion"},
        {Mate, true, true, "mnuWhitePawnPromotion|Tavlon:White ran out of time: Black wins"},
        {Mate, false, true, "mnuWhitePawnPromotion"},
        {Check, true, false, "Tavlon:White ran out of time: Black wins"},
    };
    for (const auto &[sFen, bBoxes, bPopup, sSeen] : rows) {
        SCOPED_TRACE(sSeen);
        NewGame();
        if (Find<QAction>("mnuCheckBox")->isChecked() != bBoxes)
            Find<QAction>("mnuCheckBox")->trigger();
        QApplication::clipboard()->setText(sFen);
        Key(Qt::Key_V);
        Type("b7");
        Type("Ra3"); // White's clock runs from here
        Answerer answers({bPopup ? "END" : "OK", "OK"});
        answers.onEnd = [&] {
            nNow += 200000;
            auto *menu = Find<QMenu>("mnuWhitePawnPromotion");
            QTest::mouseClick(menu, Qt::LeftButton, {},
                              menu->actionGeometry(Find<QAction>("mnuWQ")).center());
        };
        nNow += bPopup ? 0 : 200000;
        bPopup ? Type("b7b8") : void(board->MovePieceSan("b8=Q"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return board->Result() == "0-1"; }, 2000))
            << board->Result().toStdString();
        EXPECT_EQ(answers.seen.join('|').toStdString(), sSeen);
        EXPECT_EQ(Lists(), "1. b6-b7|1... a2-a3");
        EXPECT_EQ(board->Tag("Termination"), "time forfeit");
    }
}

// The game kept while a clock runs holds the time used on the move; restored after a crash it
// comes paused, says so and how to go on, and gives none of that time back.
TEST_F(ClockWindow, ARestoredGameComesPausedAndGivesNoTimeBack) {
    const QString sKept = Path("recovery"); // made when first needed
    const auto Kept = [&] {
        const QStringList o = QDir(sKept).entryList({"*.pgn"}, QDir::Files);
        return o.isEmpty() ? QByteArray() : Read(sKept + '/' + o[0]);
    };
    auto pCrashed = std::make_unique<frmMain>();
    pCrashed->setClockSource([this] { return nNow; });
    pCrashed->SetRunTimeControl("180+2");
    pCrashed->EnableRecovery(sKept);
    pCrashed->show();
    Steps(pCrashed.get(), "type:e4|type:e5");
    nNow += 25'000; // White thinks; the running clock is kept every ten seconds
    ASSERT_TRUE(QTest::qWaitFor([&] { return Kept().contains("% tavlon-move-used-ms: 25000\n"); }));
    const qint64 nWhite = pCrashed->ClockRemaining(true);
    EXPECT_GT(pCrashed->ClockWakeUps(), 0); // what the benchmark counts
    pCrashed.reset();                       // as a crash leaves it

    frmMain oNext;
    oNext.setClockSource([this] { return nNow; });
    Answerer answers({"Restore"});
    oNext.EnableRecovery(sKept);
    oNext.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return answers.seen.size() == 1; }));
    nNow += 60'000;
    EXPECT_EQ(oNext.ClockRemaining(true), nWhite);
    EXPECT_EQ(oNext.findChild<QStatusBar *>()->currentMessage(),
              "White to move — the clocks are paused: Pause Clocks (Ctrl+P) starts them");
    oNext.findChild<QAction *>("mnuPauseClocks")->trigger();
    nNow += 1'000;
    EXPECT_EQ(oNext.ClockRemaining(true), nWhite - 1'000);
    Answerer discard({"Discard"});
    oNext.close();
}

// Every field of Time Control follows the one changed: a preset, the PGN form typed (in
// seconds), the kind or a time; the words say what the form means.
TEST(TimeControlDialog, FieldsPresetFormAndWordsStayInStep) {
    dlgTimeControl dialog("180+2");
    auto *form = dialog.findChild<QLineEdit *>("txtForm");
    const auto Spin = [&](const char *sName) { return dialog.findChild<QSpinBox *>(sName); };
    const auto Shown = [&] {
        QStringList s{dialog.findChild<QComboBox *>("cboPreset")->currentText(),
                      dialog.findChild<QComboBox *>("cboKind")->currentText()};
        for (const char *sName : {"spnBase", "spnIncrement", "spnMoves", "spnRest", "spnDelay"})
            if (Spin(sName)->isEnabled())
                s << Spin(sName)->text();
        s << dialog.findChild<QLabel *>("lblWords")->text();
        return (form->text() + " | " + s.join(" | ")).toStdString();
    };
    const auto Type = [&](QWidget *field, const QString &sText) {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, sText);
        QTest::keyClick(field, Qt::Key_Tab);
    };
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[] {}, "180+2 | 3 minutes + 2 seconds = 180+2 | Fischer increment | 3:00 | 2 | "
                "3 minutes + 2 seconds"},
        {[&] { Type(form, "25+2"); },
         "25+2 | Your own | Fischer increment | 0:25 | 2 | 25 seconds + 2 seconds"},
        {[&] { Type(form, "1"); }, "1 | Your own | Sudden death | 0:01 | 1 second + 0 seconds"},
        {[&] { dialog.findChild<QComboBox *>("cboPreset")->activated(1); },
         "60+0 | 1 minute + 0 seconds = 60+0 | Sudden death | 1:00 | 1 minute + 0 seconds"},
        {[&] { Type(Spin("spnBase"), "3:30"); },
         "210 | Your own | Sudden death | 3:30 | 3 minutes 30 seconds + 0 seconds"},
        {[&] { dialog.findChild<QComboBox *>("cboKind")->setCurrentIndex(3); },
         "40/210:1800 | Your own | Moves per period | 3:30 | 0 | 40 | 30:00 | 3 minutes 30 "
         "seconds for 40 moves, then 30 minutes"},
        {[&] { Type(form, "40/5400+30:1800+30"); },
         "40/5400+30:1800+30 | 90 minutes for 40 moves + 30 seconds, then 30 minutes + 30 "
         "seconds = 40/5400+30:1800+30 | Moves per period | 90:00 | 30 | 40 | 30:00 | 90 minutes "
         "for 40 moves + 30 seconds, then 30 minutes + 30 seconds"},
        {[&] { Type(form, "300d5"); }, "300d5 | Your own | Bronstein delay | "
                                       "5:00 | 5 | 5 minutes + 0 seconds, with a delay of 5 "
                                       "seconds"},
        {[&] { Type(form, "*90"); },
         "*90 | Your own | Hourglass | 1:30 | Hourglass of 1 minute 30 seconds"},
        {[&] { Type(form, "-"); }, "- | Your own | No clock | No clock"},
    };
    for (const auto &[oDo, sShown] : cases) {
        oDo();
        EXPECT_EQ(Shown(), sShown);
    }
    Type(form, "5+");
    EXPECT_FALSE(dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->isEnabled());
    EXPECT_EQ(dialog.findChild<QLabel *>("lblError")->text(),
              "an increment is missing after \"+\"");
    // Each field and each text has a place of its own: none lies over another.
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QList<QWidget *> oShown;
    for (QWidget *p : dialog.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (p->isVisible()) {
            for (const QWidget *q : oShown)
                EXPECT_FALSE(p->geometry().intersects(q->geometry()))
                    << p->objectName().toStdString() << " over " << q->objectName().toStdString();
            oShown << p;
        }
    EXPECT_GE(oShown.size(), 15);
    // The command line's note for a form that reads as minutes elsewhere.
    EXPECT_EQ(dlgTimeControl::ShortNote("3+2"),
              "the time control 3+2 is 3 seconds + 2 seconds: times are in seconds, as in PGN");
    EXPECT_EQ(dlgTimeControl::ShortNote("180+2"), "");
}

// An end or a check is told in a box only once the window shows the move: both clocks stopped
// at an end, the status line, the caption and the lists scrolled to the move.
TEST_F(ClockWindow, ABoxOpensOverTheWindowAsItIsAfterTheMove) {
    Key(Qt::Key_H);
    const QString sLong = "[TimeControl \"180+2\"]\n" + Immortal + " {[%clk 0:01:00]} *";
    const struct Case {
        QString sGame, sMoves, sBox, sStatus;
        bool bEnd;
    } cases[] = {
        {sLong, "Be7", "Black checkmated", "Black checkmated", true},
        {"[TimeControl \"180+2\"]\n[FEN \"7k/5K2/8/p7/6Q1/P7/8/8 b - - 0 1\"]\n1... a4 "
         "{[%clk 0:01:00]} *",
         "Qg6", "Stalemate", "Stalemate", true},
        {sLong, "Bc7", "Black king in check", "Black is in check", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sBox.toStdString());
        Steps(&w, "clip:" + c.sGame + "|key:Ctrl+V|key:Ctrl+P");
        auto *white = Find<QListWidget>("lstWhiteMoves");
        Answerer answerer({"END"});
        QString sSeen;
        answerer.onEnd = [&] {
            const qint64 nBlack = w.ClockRemaining(false);
            nNow += 30000;
            sSeen =
                QStringList{QString::fromStdString(Status()), w.windowTitle().section(" - ", -1),
                            QString::number(white->verticalScrollBar()->value() ==
                                            white->verticalScrollBar()->maximum()),
                            QString::number(w.ClockRemaining(false) == nBlack)}
                    .join('|');
            QApplication::activeModalWidget()->close();
        };
        Type(c.sMoves);
        EXPECT_EQ(answerer.seen.join(""), "Tavlon:" + c.sBox);
        EXPECT_EQ(sSeen.toStdString(), (c.sStatus + '|' + (c.bEnd ? c.sStatus : "Black to move") +
                                        "|1|" + (c.bEnd ? "1" : "0"))
                                           .toStdString());
        NewGame();
    }
}

} // namespace
