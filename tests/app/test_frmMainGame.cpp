#include "MainWindowTest.h"
#include "dlgPosition.h"

#include <QClipboard>
#include <QDate>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <functional>
#include <sys/stat.h>

namespace {

class GameWindow : public MainWindow {
protected:
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

// Files that cannot be a game, read or not: each is refused in a short message that says why,
// without blocking on a pipe or reading a device without end, and the game stays.
TEST_F(GameWindow, BadFilesAndUnwritableTargetsSayWhyAndKeepTheGame) {
    ASSERT_EQ(mkfifo(Path("fifo").toLocal8Bit(), 0600), 0);
    const std::pair<QString, QString> rows[] = {
        {Path("missing.pgn"), "No such file"},
        {Write("bad.pgn", "[White \"A\"]\n\n1. e4 e5 2. Ke3 *\n"), "move 2 (Ke3)"},
        {Path("fifo"), "This is not a regular file"},
        {"/dev/zero", "This is not a regular file"},
        {oDir.path(), "This is not a regular file"},
        {Write("nul.pgn", QByteArray("1. e4\0 e5 *", 11)), "This is not a PGN text file"},
        {Write("binary.pgn", QByteArray(1000, '\x01') + "1. e4 *"), "This is not a PGN text file"},
        {Write("token.pgn", "1. " + QByteArray(1 << 20, 'a')), "(aaaaaaaaaaaaaaaaaaaa\u2026)"},
        {Write("unclosed.pgn", "1. e4 e5\n(1... c5 2. Nf3 *\n"), "unclosed variation ( on line 2"},
        {QString(), "/proc/no-such-dir/game.pgn:\nThe folder does not exist"}, // a save
    };
    Type("d4");
    const QString sPgn = board->Pgn();
    sSaveAnswer = "/proc/no-such-dir/game.pgn"; // not writable, even for root
    for (const auto &[sFile, sCause] : rows) {
        SCOPED_TRACE(sFile.toStdString());
        sOpenAnswer = sFile;
        Answerer answerer(sFile.isEmpty() ? QStringList{"OK"} : QStringList{"Discard", "OK"});
        Key(sFile.isEmpty() ? Qt::Key_S : Qt::Key_O);
        const QString sSeen = answerer.seen.value(sFile.isEmpty() ? 0 : 1);
        EXPECT_TRUE(sSeen.startsWith(sFile.isEmpty() ? "Tavlon:Cannot save "
                                                     : "Tavlon:Cannot open " + sFile + ":\n"));
        EXPECT_TRUE(sSeen.contains(sCause)) << sSeen.toStdString();
        EXPECT_LT(sSeen.size(), 200);
        EXPECT_EQ(board->Pgn(), sPgn);
        EXPECT_EQ(w.windowTitle(), "Tavlon - Black to move");
    }
    Answerer cancel({"Cancel"}); // the failed save left the game unsaved
    w.close();
    EXPECT_EQ(cancel.seen, QStringList{"Tavlon:Save the current game?"});
    // UTF-16 that says so with its byte order mark is read.
    sOpenAnswer =
        Write("bom.pgn", QByteArray("\xFF\xFE[\0W\0h\0i\0t\0e\0 \0\"\0\xC4\0\"\0]\0*\0", 26));
    Answerer discard({"Discard", "OK"}); // OK only if it were refused
    Key(Qt::Key_O);
    EXPECT_TRUE(board->Pgn().contains("[White \"\u00C4\"]")) << board->Pgn().toStdString();
}

// A file is never saved back with fewer games than it held: Save on a game from a file of
// several acts as Save As, and Save As will not replace such a file.
TEST_F(GameWindow, SavingNeverDropsTheOtherGamesOfAFile) {
    // The file, and what follows its first game: Save writes the game back in its place.
    const std::pair<QByteArray, QByteArray> files[] = {
        {"1. e4 e5 *\n1. d4 *\n", "1. d4 *\n"},
        {"[Event \"a\"]\n[Site \"]\"]\n{ [Event \"x\"] } ; [Event \"y\"]\n% [Event \"z\"]\n"
         "1. e4 e5 *\n",
         ""}};
    for (const auto &[sText, sRest] : files) {
        SCOPED_TRACE(sText.toStdString());
        NewGame();
        sOpenAnswer = Write("c.pgn", sText);
        {
            Answerer open({"Open"}); // the list of a file of several games
            Key(Qt::Key_O);
        }
        Type("Nf3");
        Key(Qt::Key_S);
        EXPECT_EQ(Read(sOpenAnswer), board->Pgn().toUtf8() + sRest);
    }
    // Save As onto another file of several games is refused, and the file stays as it was.
    sSaveAnswer = Write("d.pgn", files[0].first);
    Answerer answerer({"OK"});
    Key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(answerer.seen.join('|').contains("holds several games"));
    EXPECT_EQ(Read(sSaveAnswer), files[0].first);
}

// Every command that replaces the game, with each answer to "Save the current game?".
TEST_F(GameWindow, UnsavedGamesAreAskedAboutBeforeTheyAreReplaced) {
    const std::pair<const char *, std::function<void()>> commands[] = {
        {"New", [this] { Key(Qt::Key_N); }},
        {"Open", [this] { Key(Qt::Key_O); }},
        {"Paste", [this] { Key(Qt::Key_V); }},
        {"Position", [this] { Find<QAction>("mnuGamePosition")->trigger(); }},
        {"Exit", [this] { w.close(); }},
        {"Drop",
         [this] {
             QMimeData oData;
             oData.setUrls({QUrl::fromLocalFile(sOpenAnswer)});
             QDragEnterEvent oEnter(QPoint(10, 10), Qt::CopyAction, &oData, Qt::LeftButton, {});
             QApplication::sendEvent(&w, &oEnter);
             QDropEvent oDrop(QPointF(10, 10), Qt::CopyAction, &oData, Qt::LeftButton, {});
             QApplication::sendEvent(&w, &oDrop);
             QCoreApplication::processEvents(); // the question waits for the drop to return
         }},
    };
    sOpenAnswer = Write("opened.pgn", "1. d4 *");
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
    Steps(&w, "clip:[Event \"Casual\"]\n\n1. e4 e5 2. Nf3 {a comment} Nc6 3. Bb5 a6 *|key:Ctrl+V");
    EXPECT_EQ(Lists(), "1. e2-e4,2. g1-f3,3. f1-b5|1... e7-e5,2... b8-c6,3... a7-a6");
    SetNotation(true);
    EXPECT_EQ(Lists(), "1. e4,2. Nf3,3. Bb5|1... e5,2... Nc6,3... a6");
    Key(Qt::Key_U);
    Type("Nf6");
    EXPECT_EQ(Lists(), "1. e4,2. Nf3,3. Bb5|1... e5,2... Nc6,3... Nf6");
    board->setFocus(); // the box's text, selected after the move, would be what Ctrl+C copies
    Key(Qt::Key_C);
    EXPECT_EQ(clip->text(), board->Pgn());
    EXPECT_TRUE(clip->text().contains("3. Bb5 Nf6 *"));
    Key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(clip->text(), board->Fen());

    // A FEN with more after it is named as a FEN; one with tabs reads; numbers pass 999,999.
    Answerer discard({"OK", "Discard"});
    Steps(&w, "clip:4k3/8/8/8/8/8/8/4K2R b K - 3 40 1.|key:Ctrl+V|"
              "clip:4k3/8/8/8/8/8/8/4K2R\tb\tK - 3 1000000|key:Ctrl+V");
    EXPECT_EQ(discard.seen.value(0), "Tavlon:Cannot paste the position:\nFEN has 7 fields, not 6: "
                                     "\"1.\" follows the fullmove number");
    Type("Kd7");
    Type("O-O");
    EXPECT_EQ(Lists(), "1000001. O-O|1000000... Kd7");
    SetNotation(false);
    EXPECT_EQ(Lists(), "1000001. e1-g1|1000000... e8-d7");

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
    Steps(&w, "clip:1. Nf3 Nf6 2. Ng1 Ng8 3. Nf3 Nf6 4. Ng1 Ng8|key:Ctrl+V");
    Find<QMenu>("mnuGame")->aboutToShow();
    ASSERT_TRUE(Find<QAction>("mnuGameClaimDraw")->isEnabled());
    const std::pair<const char *, QStringList> cases[] = {
        // the boxes, a question's answered Yes
        {"mnuGameClaimDraw", {"Tavlon:Draw by threefold repetition"}},
        {"mnuGameAgreeDraw",
         {"Tavlon:Do White and Black both agree to a draw?", "Tavlon:Draw by agreement"}},
        {"mnuGameBlackResigns", {"Tavlon:Does Black resign?", "Tavlon:Black resigns"}},
    };
    for (const auto &[sCommand, seen] : cases) {
        SCOPED_TRACE(sCommand);
        Answerer answerer(seen.size() == 1 ? QStringList{"OK"} : QStringList{"Yes", "OK"});
        Find<QAction>(sCommand)->trigger();
        EXPECT_EQ(answerer.seen, seen);
        Type("e4"); // refused without a box
        EXPECT_EQ(Status(), "The game is over: " + seen.last().mid(7).toStdString());
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
    sOpenAnswer = Write("done.pgn", "1. f3 e5 2. g4 Qh4# 0-1");
    const std::pair<QString, QString> cases[] = {
        // the caption: "Tavlon - " and the status
        {"type:e4", "Black to move"},
        {"key:Ctrl+U", "White to move"},
        {"type:d4|click:a1|key:Ctrl+Z", "White to move"}, // Ctrl+Z with the board's focus
        {"key:Ctrl+O", "done.pgn - White checkmated"},
        {"key:Ctrl+N", "White to move"},
        {"clip:4k3/8/8/8/8/8/8/4K2R b K - 3 40|key:Ctrl+V", "Black to move"},
        {"clip:[Termination \"time forfeit\"]\n1. e4 e5 1-0|key:Ctrl+V", "White won on time"},
        {"clip:[Termination \"Anna won by resignation\"]\n1. d4 1-0|key:Ctrl+V",
         "White won by resignation"},
        {"clip:1. e4 e5 0-1|key:Ctrl+V", "Black won by resignation"},
    };
    for (const auto &[sSteps, sTitle] : cases) {
        SCOPED_TRACE(sSteps.toStdString());
        Answerer discard({"Discard"});
        Steps(&w, sSteps);
        EXPECT_EQ(Status(), sTitle.section(" - ", -1).toStdString());
        EXPECT_EQ(w.windowTitle(), "Tavlon - " + sTitle);
    }
}

// The players named in Game Information reach the record and the caption, and the next game.
TEST_F(GameWindow, GameInformationNamesThePlayersForThisGameAndTheNext) {
    QTimer timer;
    QString sDateShown;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            sDateShown = dialog->findChild<QLineEdit *>("txtDate")->text();
            dialog->findChild<QLineEdit *>("txtWhite")->setText("Anna");
            dialog->findChild<QLineEdit *>("txtBlack")->setText("Ben");
            dialog->findChild<QLineEdit *>("txtRound")->setText("3");
            dialog->accept();
        }
    });
    timer.start(10);
    // An unknown date is offered as today's; a partly known one stays through OK.
    const QString sToday = QDate::currentDate().toString("yyyy.MM.dd");
    for (const auto &[sDate, sShown] :
         {std::pair<QString, QString>{"????.??.??", sToday}, {"1972.??.??", "1972.??.??"}}) {
        board->SetTag("Date", sDate);
        Find<QAction>("mnuGameInfo")->trigger();
        EXPECT_EQ(sDateShown, sShown);
        EXPECT_EQ(board->Tag("Date"), sShown);
    }
    timer.stop();
    EXPECT_EQ(w.windowTitle(), "Tavlon - Anna vs Ben - White to move");
    for (const char *sTag : {"[White \"Anna\"]", "[Black \"Ben\"]", "[Round \"3\"]"})
        EXPECT_TRUE(board->Pgn().contains(sTag)) << sTag;
    Key(Qt::Key_N);
    EXPECT_EQ(board->Tag("White"), "Anna");
    EXPECT_NE(board->Tag("Round"), "3"); // the round was this game's
    EXPECT_EQ(w.windowTitle(), "Tavlon - Anna vs Ben - White to move");
}

// Clicked into, the move box offers its text to be replaced, and after a move it offers the
// move; Ctrl+Z there takes back a move as everywhere. The lists stand side by side under
// headings, scroll together and show every entry whole.
TEST_F(GameWindow, MoveBoxAndListsAsAPlayerUsesThem) {
    auto *txt = Find<QLineEdit>("txtMovePiece");
    QTest::mouseClick(board, Qt::LeftButton, {}, CellCentre("a1"));
    QTest::mouseClick(txt, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(txt->selectedText(), "e2e4");
    for (const char *sMove : {"e4", "e5", "Bc4", "nc6"}) { // each typed over the last
        QTest::keyClicks(txt, sMove);
        QTest::keyClick(txt, Qt::Key_Return);
        QCoreApplication::processEvents();
        EXPECT_EQ(txt->selectedText(), sMove);
    }
    EXPECT_EQ(Lists(), "1. e2-e4,2. f1-c4|1... e7-e5,2... b8-c6");
    QTest::keyClicks(txt, "d2d4");
    Key(Qt::Key_Z);
    EXPECT_EQ(txt->text(), "d2d4"); // a move taken back, the typing kept
    EXPECT_EQ(Lists(), "1. e2-e4,2. f1-c4|1... e7-e5");
    NewGame();

    SetNotation(true);
    Key(Qt::Key_H);
    clip->setText(Immortal + " 23. Be7# 1-0");
    Key(Qt::Key_V);
    auto *white = Find<QListWidget>("lstWhiteMoves");
    auto *black = Find<QListWidget>("lstBlackMoves");
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

// Reviewing from the window: the View keys from the typed-move box and the board, a list click
// and the lists' own keys; a move tried meanwhile is refused on the status line alone; Take
// Back Moves to Here keeps the moves up to the one shown.
TEST_F(GameWindow, ReviewingByKeysAndListsThenTakingBack) {
    Find<QAction>("mnuViewMovesLists")->trigger(); // kept when a variation is played
    Steps(&w, "clip:1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 *|key:Ctrl+V");
    Key(Qt::Key_H); // Show Moves
    SetNotation(true);
    auto *white = Find<QListWidget>("lstWhiteMoves");
    auto *black = Find<QListWidget>("lstBlackMoves");
    const auto Shown = [&] {
        return std::to_string(board->ViewedPly()) + ' ' + std::to_string(white->currentRow()) +
               ' ' + std::to_string(black->currentRow());
    };
    Key(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Shown(), "5 2 -1");
    EXPECT_EQ(Status(), "Move 3. Bb5 shown, the last 3... a6 — Alt+End returns");
    Key(Qt::Key_Home, Qt::AltModifier);
    EXPECT_EQ(Shown(), "0 -1 -1");
    Key(Qt::Key_Right, Qt::AltModifier);
    Type("d5"); // a move on an earlier position: a variation, the game unchanged
    EXPECT_EQ(Shown(), "2 -1 -1");
    EXPECT_EQ(board->PlyCount(), 6);
    EXPECT_EQ(Status(), "Variation move 1... d5 shown — Alt+End returns");
    EXPECT_TRUE(board->Pgn().contains("1. e4 e5 (1... d5) 2. Nf3")) << board->Pgn().toStdString();
    Key(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Shown(), "1 0 -1");
    Key(Qt::Key_End, Qt::AltModifier);
    EXPECT_EQ(Shown(), "6 -1 -1");
    EXPECT_EQ(Status(), "White to move");

    QTest::mouseClick(black->viewport(), Qt::LeftButton, {},
                      black->visualItemRect(black->item(1)).center());
    EXPECT_EQ(Shown(), "4 -1 1");
    for (const auto &[key, sShown] : {std::pair{Qt::Key_Up, "3 1 -1"},
                                      {Qt::Key_Down, "4 -1 1"},
                                      {Qt::Key_Up, "3 1 -1"},
                                      {Qt::Key_Home, "0 -1 -1"},
                                      {Qt::Key_End, "6 -1 -1"},
                                      {Qt::Key_Left, "5 2 -1"}}) {
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_EQ(Shown(), sShown);
    }
    board->setFocus();
    Key(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Shown(), "4 -1 1");
    Answerer yes({"Yes"});
    Find<QAction>("mnuActionsTakeBack")->trigger();
    EXPECT_EQ(Shown(), "4 -1 -1");
    EXPECT_EQ(board->PlyCount(), 4);
    EXPECT_EQ(Lists(), "1. e4,2. Nf3|1... e5,2... Nc6");
}

// Every box, dialog and popup the window shows, with the window destroyed inside it in each way
// a host can: nothing of the window may be used afterwards (ASan tells).
TEST(MainWindowLifetime, DestroyedInsideEveryBoxAndDialog) {
    struct Row {
        const char *sFen, *sSteps, *sSeen; // the box ended in, as Answerer notes it
        const char *sFirst = nullptr;      // the answer to a box before it
    };
    const char *const sRook = "4k3/1P6/8/8/8/8/8/R3K3 w - - 0 1";
    const Row rows[] = {
        {sRook, "type:zz", "Tavlon:Illegal move or bad syntax"},
        {sRook, "type:a1a8", "Tavlon:Black king in check"},
        {sRook, "type:b7b8", "mnuWhitePawnPromotion"},
        {"k7/8/8/1Q6/8/8/8/4K3 w - - 0 1", "type:b5b6", "Tavlon:Stalemate"},
        {"4k3/8/8/8/8/8/8/R3K3 w - - 100 80", "menu:mnuGame|mnuGameClaimDraw", "fifty-move"},
        {sRook, "mnuGameAgreeDraw", "Tavlon:Do White and Black both agree"},
        {sRook, "mnuGameAgreeDraw", "Tavlon:Draw by agreement", "Yes"},
        {sRook, "mnuGameBlackResigns", "Tavlon:Does Black resign?"},
        {sRook, "mnuGameWhiteResigns", "Tavlon:White resigns", "Yes"},
        {sRook, "HHonline", "Online Help:"},
        {sRook, "move:e1e2|mnuGameNew", "Tavlon:Save the current game?"},
        {sRook, "move:e1e2|mnuGameNew", "Save Game As", "Save"},
        {sRook, "mnuGameOpen", "Open Game"},
        {sRook, "file:/proc/no-such-dir/x.pgn|mnuGameSave", "Cannot save"},
        {sRook, "file:/proc/no-such-file.pgn|mnuGameOpen", "Cannot open"},
        {sRook, "mnuGamePosition", "New Game from Position"},
        {sRook, "mnuGameSetUp", "Set Up Position"},
        {sRook, "move:e1e2|view:0|mnuActionsTakeBack", "Tavlon:Take back every move"},
        {sRook, "clip:1. e4 e5 2. Ke3|mnuEditPaste", "Cannot paste"},
    };
    const std::function<void(frmMain *)> ends[] = {
        [](frmMain *p) { p->deleteLater(); },
        [](frmMain *p) { delete p; },
        [](frmMain *p) { p->setAttribute(Qt::WA_DeleteOnClose), p->close(); },
    };
    for (const Row &row : rows) {
        for (const auto &end : ends) {
            SCOPED_TRACE(row.sSeen);
            QPointer<frmMain> w = new frmMain;
            w->show();
            w->findChild<Board *>()->SetFen(row.sFen);
            // Closing asks about a changed game first.
            Answerer answerer(row.sFirst ? QStringList{row.sFirst, "END", "Discard"}
                                         : QStringList{"END", "Discard"});
            answerer.onEnd = [&] { end(w); };
            QTimer::singleShot(0, w, [&] { Steps(w, row.sSteps); });
            ASSERT_TRUE(QTest::qWaitFor([&] { return w.isNull(); }, 3000));
            const QString sSeen = answerer.seen.value(row.sFirst ? 1 : 0);
            EXPECT_TRUE(sSeen.contains(row.sSeen)) << sSeen.toStdString();
        }
    }
}

TEST_F(MainWindow, AWindowShownAgainAfterCloseStillTellsAndAsks) {
    w.close();
    w.show();
    board->NewGame(true, Layout("4k3/1P6/8/8/8/8/8/R3K3"));
    Answerer answerer({"OK", "Queen"});
    Steps(&w, "type:a1a8|type:e8e7|type:b7b8");
    EXPECT_EQ(answerer.seen, QStringList({"Tavlon:Black king in check", "mnuWhitePawnPromotion"}));
}

} // namespace
