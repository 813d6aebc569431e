#include "MainWindowTest.h"
#include "dlgPosition.h"

#include <QClipboard>
#include <QDate>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <functional>

namespace {

class GameWindow : public MainWindow {
protected:
    QString Path(const char *sName) { return oDir.filePath(sName); }
    QString Status() { return w.statusBar()->currentMessage(); }
    QTemporaryDir oDir;
    QClipboard *clip = QApplication::clipboard();
};

TEST_F(GameWindow, SavedGamesOpenAgainAsTheyWere) {
    const std::pair<QString, QStringList> games[] = {
        {"", {"e4", "e5", "Nf3"}},
        {"r3k3/6P1/8/8/8/8/8/R3K2R b KQq - 0 30", {"O-O-O", "g8=Q", "Kb8", "O-O"}}};
    for (const auto &[sFen, moves] : games) {
        SCOPED_TRACE(sFen.toStdString());
        NewGame();
        if (!sFen.isEmpty()) {
            clip->setText(sFen);
            Key(Qt::Key_V);
        }
        for (const QString &sMove : moves)
            Type(sMove);
        const QString sPgn = board->Pgn();
        const std::string sLists = Lists();
        sSaveAnswer = Path("game"); // the suffix is added
        Key(Qt::Key_S);
        EXPECT_EQ(w.windowTitle(), "Tavlon - game.pgn - Black to move");
        Key(Qt::Key_N); // just saved: not asked
        EXPECT_EQ(Lists(), "|");
        sOpenAnswer = Path("game.pgn");
        Key(Qt::Key_O);
        EXPECT_EQ(board->Pgn(), sPgn);
        EXPECT_EQ(Lists(), sLists);
    }
    EXPECT_EQ(asked, QStringList({"save", "open", "save", "open"}));
}

TEST_F(GameWindow, BadFilesAndUnwritableTargetsSayWhyAndKeepTheGame) {
    QFile oBad(Path("bad.pgn"));
    ASSERT_TRUE(oBad.open(QIODevice::WriteOnly));
    oBad.write("[White \"A\"]\n\n1. e4 e5 2. Ke3 *\n");
    oBad.close();
    Type("d4");
    const QString sPgn = board->Pgn();
    sSaveAnswer = "/proc/no-such-dir/game.pgn"; // not writable, even for root
    for (const QString &sFile : {Path("missing.pgn"), Path("bad.pgn"), QString()}) {
        sOpenAnswer = sFile;
        Answerer answerer(sFile.isEmpty() ? QStringList{"OK"} : QStringList{"Discard", "OK"});
        Key(sFile.isEmpty() ? Qt::Key_S : Qt::Key_O);
        const QString sSeen = answerer.seen.join('|');
        EXPECT_TRUE(sSeen.contains(sFile.isEmpty() ? "Cannot save /proc/no-such-dir/game.pgn:"
                                                   : "Cannot open " + sFile + ":\n"))
            << sSeen.toStdString();
        EXPECT_EQ(sFile.endsWith("bad.pgn"), sSeen.contains("move 2 (Ke3)")) << sSeen.toStdString();
        EXPECT_EQ(board->Pgn(), sPgn);
        EXPECT_EQ(w.windowTitle(), "Tavlon - Black to move");
    }
    Answerer cancel({"Cancel"}); // the failed save left the game unsaved
    w.close();
    EXPECT_EQ(cancel.seen, QStringList{"Tavlon:Save the current game?"});
}

// Every command that replaces the game, with each answer to "Save the current game?".
TEST_F(GameWindow, UnsavedGamesAreAskedAboutBeforeTheyAreReplaced) {
    const std::pair<const char *, std::function<void()>> commands[] = {
        {"New", [this] { Key(Qt::Key_N); }},
        {"Open", [this] { Key(Qt::Key_O); }},
        {"Paste", [this] { Key(Qt::Key_V); }},
        {"Position", [this] { Find<QAction>("mnuGamePosition")->trigger(); }},
        {"Exit", [this] { w.close(); }},
    };
    sOpenAnswer = Path("opened.pgn");
    QFile oOpened(sOpenAnswer);
    ASSERT_TRUE(oOpened.open(QIODevice::WriteOnly) && oOpened.write("1. d4 *") > 0);
    oOpened.close();
    for (const auto &[sCommand, run] : commands) {
        for (const char *sAnswer : {"Cancel", "Discard", "Save"}) {
            SCOPED_TRACE(std::string(sCommand) + " " + sAnswer);
            w.show(); // again, after Exit
            NewGame();
            Type("e4");
            clip->setText("8/8/8/4k3/8/8/8/4K3 w - - 0 1");
            sSaveAnswer = Path(sAnswer);
            Answerer answerer({sAnswer, "OK"}); // OK: New Game from Position's dialog
            run();
            EXPECT_EQ(answerer.seen.value(0), "Tavlon:Save the current game?");
            const bool bReplaced = sAnswer != std::string("Cancel");
            EXPECT_EQ(board->CoordinateMoves() == QStringList{"e2e4"} && w.isVisible(), !bReplaced);
            EXPECT_EQ(w.isVisible(), !bReplaced || sCommand != std::string("Exit"));
            EXPECT_EQ(QFile::exists(Path(sAnswer) + ".pgn"), sAnswer == std::string("Save"));
        }
    }
}

TEST_F(GameWindow, ClipboardBothWaysAndListsInBothNotations) {
    clip->setText("[Event \"Casual\"]\n\n1. e4 e5 2. Nf3 {a comment} Nc6 3. Bb5 a6 *");
    Key(Qt::Key_V);
    EXPECT_EQ(Lists(), "1. e2-e4,2. g1-f3,3. f1-b5|1... e7-e5,2... b8-c6,3... a7-a6");
    SetNotation(true);
    EXPECT_EQ(Lists(), "1. e4,2. Nf3,3. Bb5|1... e5,2... Nc6,3... a6");
    Key(Qt::Key_U);
    Type("Nf6");
    EXPECT_EQ(Lists(), "1. e4,2. Nf3,3. Bb5|1... e5,2... Nc6,3... Nf6");
    Key(Qt::Key_C);
    EXPECT_EQ(clip->text(), board->Pgn());
    EXPECT_TRUE(clip->text().contains("3. Bb5 Nf6 *"));
    Key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(clip->text(), board->Fen());

    clip->setText("4k3/8/8/8/8/8/8/4K2R b K - 3 40");
    Answerer discard({"Discard"});
    Key(Qt::Key_V);
    Type("Kd7");
    Type("O-O");
    EXPECT_EQ(Lists(), "41. O-O|40... Kd7");
    SetNotation(false);
    EXPECT_EQ(Lists(), "41. e1-g1|40... e8-d7");

    // In the typed-move box, Ctrl+C copies its selection and Ctrl+V pastes a plain text.
    auto *txt = Find<QLineEdit>("txtMovePiece");
    txt->setText("e2e4");
    txt->setSelection(0, 2);
    Key(Qt::Key_C);
    EXPECT_EQ(clip->text(), "e2");
    clip->setText("Nf3");
    Key(Qt::Key_V);
    EXPECT_EQ(txt->text(), "Nf3e4"); // in place of the selection
}

TEST_F(GameWindow, EndsOfTheGameAreToldAndPlayingOnWaitsForUndo) {
    clip->setText("1. Nf3 Nf6 2. Ng1 Ng8 3. Nf3 Nf6 4. Ng1 Ng8");
    Key(Qt::Key_V);
    Find<QMenu>("mnuGame")->aboutToShow();
    ASSERT_TRUE(Find<QAction>("mnuGameClaimDraw")->isEnabled());
    struct Case {
        const char *sCommand;
        QStringList answers, seen;
    } const cases[] = {
        {"mnuGameClaimDraw", {"OK"}, {"Tavlon:Draw by threefold repetition"}},
        {"mnuGameAgreeDraw", {"No"}, {"Tavlon:Do White and Black both agree to a draw?"}},
        {"mnuGameAgreeDraw",
         {"Yes", "OK"},
         {"Tavlon:Do White and Black both agree to a draw?", "Tavlon:Draw by agreement"}},
        {"mnuGameWhiteResigns", {"No"}, {"Tavlon:Does White resign?"}},
        {"mnuGameBlackResigns",
         {"Yes", "OK"},
         {"Tavlon:Does Black resign?", "Tavlon:Black resigns"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.seen.last().toStdString());
        Answerer answerer(c.answers);
        Find<QAction>(c.sCommand)->trigger();
        EXPECT_EQ(answerer.seen, c.seen);
        if (c.seen.size() == 1 && c.answers[0] == "No")
            continue;
        Type("e4"); // refused without a box
        EXPECT_EQ(Status().toStdString(),
                  "The game is over: " + c.seen.last().mid(7).toStdString());
        Key(Qt::Key_U); // reopens the game, one move back
        EXPECT_EQ(board->Result(), "*");
    }

    dlgPosition dialog("8/8/8/8/8/8/8/8 w - - 0 1", &PositionError);
    auto *ok = dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
    EXPECT_FALSE(ok->isEnabled());
    QTest::keyClicks(dialog.findChild<QLineEdit *>(), "X");
    EXPECT_FALSE(dialog.findChild<QLabel *>("lblError")->text().isEmpty());
    dialog.findChild<QLineEdit *>()->setText("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
    EXPECT_TRUE(ok->isEnabled());
}

// After every command that changes the game, the status line and the caption say whose turn it
// is, or how a game read in ended: by its position, else by its Termination tag.
TEST_F(GameWindow, StatusAndCaptionSayWhoseTurnOrHowAGameEnded) {
    QFile oFile(Path("done.pgn"));
    ASSERT_TRUE(oFile.open(QIODevice::WriteOnly) && oFile.write("1. f3 e5 2. g4 Qh4# 0-1") > 0);
    oFile.close();
    sOpenAnswer = Path("done.pgn");
    const std::tuple<std::function<void()>, QString, QString> cases[] = {
        {[this] { Type("e4"); }, "Black to move", "Tavlon - Black to move"},
        {[this] { Key(Qt::Key_U); }, "White to move", "Tavlon - White to move"},
        {[this] {
             Type("d4");
             QTest::mouseClick(board, Qt::LeftButton, {}, CellCentre("a1")); // the board's focus
             Key(Qt::Key_Z);
         },
         "White to move", "Tavlon - White to move"},
        {[this] { Key(Qt::Key_O); }, "White checkmated", "Tavlon - done.pgn - White checkmated"},
        {[this] { Key(Qt::Key_N); }, "White to move", "Tavlon - White to move"},
        {[this] {
             clip->setText("4k3/8/8/8/8/8/8/4K2R b K - 3 40");
             Key(Qt::Key_V);
         },
         "Black to move", "Tavlon - Black to move"},
        {[this] {
             clip->setText("[Termination \"time forfeit\"]\n1. e4 e5 1-0");
             Key(Qt::Key_V);
         },
         "White won on time", "Tavlon - White won on time"},
        {[this] {
             clip->setText("[Termination \"Anna won by resignation\"]\n1. d4 1-0");
             Key(Qt::Key_V);
         },
         "White won by resignation", "Tavlon - White won by resignation"},
        {[this] {
             clip->setText("1. e4 e5 0-1");
             Key(Qt::Key_V);
         },
         "Black won by resignation", "Tavlon - Black won by resignation"},
    };
    for (const auto &[run, sStatus, sTitle] : cases) {
        SCOPED_TRACE(sTitle.toStdString());
        Answerer discard({"Discard"});
        run();
        EXPECT_EQ(Status(), sStatus);
        EXPECT_EQ(w.windowTitle(), sTitle);
    }
}

// The players named in Game Information reach the record and the caption, and the next game.
TEST_F(GameWindow, GameInformationNamesThePlayersForThisGameAndTheNext) {
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            EXPECT_EQ(dialog->findChild<QLineEdit *>("txtDate")->text(),
                      QDate::currentDate().toString("yyyy.MM.dd"));
            dialog->findChild<QLineEdit *>("txtWhite")->setText("Anna");
            dialog->findChild<QLineEdit *>("txtBlack")->setText("Ben");
            dialog->findChild<QLineEdit *>("txtRound")->setText("3");
            dialog->accept();
        }
    });
    timer.start(10);
    Find<QAction>("mnuGameInfo")->trigger();
    timer.stop();
    EXPECT_EQ(w.windowTitle(), "Tavlon - Anna vs Ben - White to move");
    for (const char *sTag : {"[White \"Anna\"]", "[Black \"Ben\"]", "[Round \"3\"]"})
        EXPECT_TRUE(board->Pgn().contains(sTag)) << sTag;
    Key(Qt::Key_N);
    EXPECT_EQ(board->Tag("White"), "Anna");
    EXPECT_NE(board->Tag("Round"), "3"); // the round was this game's
    EXPECT_EQ(w.windowTitle(), "Tavlon - Anna vs Ben - White to move");
}

// Clicked into, the move box offers its text to be replaced; Ctrl+Z there undoes typing. The
// lists stand side by side under headings, scroll together and show every entry whole.
TEST_F(GameWindow, MoveBoxAndListsAsAPlayerUsesThem) {
    auto *txt = Find<QLineEdit>("txtMovePiece");
    QTest::mouseClick(board, Qt::LeftButton, {}, CellCentre("a1"));
    QTest::mouseClick(txt, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(txt->selectedText(), "e2e4");
    QTest::keyClicks(txt, "d2d4");
    Key(Qt::Key_Z);
    EXPECT_EQ(txt->text(), "e2e4"); // typing undone, no move to take back anyway
    EXPECT_EQ(Status(), "White to move");

    SetNotation(true);
    Key(Qt::Key_H);
    clip->setText("1. e4 e5 2. f4 exf4 3. Bc4 Qh4+ 4. Kf1 b5 5. Bxb5 Nf6 6. Nf3 Qh6 7. d3 Nh5 "
                  "8. Nh4 Qg5 9. Nf5 c6 10. g4 Nf6 11. Rg1 cxb5 12. h4 Qg6 13. h5 Qg5 14. Qf3 "
                  "Ng8 15. Bxf4 Qf6 16. Nc3 Bc5 17. Nd5 Qxb2 18. Bd6 Bxg1 19. e5 Qxa1+ 20. Ke2 "
                  "Na6 21. Nxg7+ Kd8 22. Qf6+ Nxf6 23. Be7# 1-0");
    Key(Qt::Key_V);
    auto *white = Find<QListWidget>("lstWhiteMoves");
    auto *black = Find<QListWidget>("lstBlackMoves");
    EXPECT_EQ(Find<QLabel>("lblWhiteMoves")->text(), "White");
    EXPECT_EQ(Find<QLabel>("lblBlackMoves")->text(), "Black");
    EXPECT_LT(white->geometry().right(), black->geometry().left()); // side by side
    QCoreApplication::processEvents(); // the lists lay their entries out
    ASSERT_GT(white->verticalScrollBar()->maximum(), 0);
    for (int nTop : {1, white->verticalScrollBar()->maximum()}) { // at the bottom too
        white->verticalScrollBar()->setValue(nTop);
        EXPECT_EQ(black->verticalScrollBar()->value(), nTop);
    }
    for (QListWidget *list : {white, black})
        for (int i = 0; i < list->count(); ++i)
            EXPECT_LE(list->fontMetrics().horizontalAdvance(list->item(i)->text()),
                      list->visualItemRect(list->item(i)).width())
                << list->item(i)->text().toStdString();
}

// A window destroyed while a typed move's box or popup is open, in each way a host can destroy
// it: nothing of it may be used afterwards.
TEST(MainWindowLifetime, DestroyedWhileATypedMoveWaits) {
    const std::function<void(frmMain *)> ends[] = {[](frmMain *p) { p->deleteLater(); },
                                                   [](frmMain *p) { delete p; },
                                                   [](frmMain *p) {
                                                       p->setAttribute(Qt::WA_DeleteOnClose);
                                                       p->close();
                                                   }};
    for (const char *sMove : {"a1a8", "b7b8"}) {
        for (const auto &end : ends) {
            SCOPED_TRACE(sMove);
            QPointer<frmMain> w = new frmMain;
            w->show();
            w->findChild<Board *>()->NewGame(true, Layout("4k3/1P6/8/8/8/8/8/R3K3"));
            QTimer timer;
            bool bEnded = false;
            QObject::connect(&timer, &QTimer::timeout, [&] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                if (box != nullptr && box->text().startsWith("Save")) {
                    box->button(QMessageBox::Discard)->click(); // Exit asks first
                } else if (!bEnded && (box || QApplication::activePopupWidget())) {
                    bEnded = true; // from its own timer, so this one can answer Exit's question
                    QTimer::singleShot(0, w, [&] { end(w); });
                }
            });
            timer.start(10);
            auto *txt = w->findChild<QLineEdit *>("txtMovePiece");
            txt->setText(sMove);
            QTest::keyClick(txt, Qt::Key_Return);
            QTRY_VERIFY_WITH_TIMEOUT(w.isNull(), 2000);
        }
    }
}

TEST_F(MainWindow, AWindowShownAgainAfterCloseStillTellsAndAsks) {
    w.close();
    w.show();
    board->NewGame(true, Layout("4k3/1P6/8/8/8/8/8/R3K3"));
    Answerer answerer({"OK", "Queen"});
    Type("a1a8");
    Type("e8e7");
    Type("b7b8");
    EXPECT_EQ(answerer.seen, QStringList({"Tavlon:Black king in check", "mnuWhitePawnPromotion"}));
}

} // namespace
