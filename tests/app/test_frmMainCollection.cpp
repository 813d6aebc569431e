// Files and pasted texts of several games: the list, its filter, opening a game, moving through
// the file, saving one game back and adding one to a file.
#include "GameCollection.h"
#include "MainWindowTest.h"
#include "dlgGames.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QStringEncoder>
#include <QTableView>
#include <functional>
#include <sys/stat.h>

namespace {

class CollectionWindow : public MainWindow {
protected:
    // Opens the file's second game from the list.
    void OpenSecond(const QString &sPath) {
        OnList([](dlgGames *d) {
            QTest::keyClick(d->focusWidget(), Qt::Key_Down);
            QTest::keyClick(d->focusWidget(), Qt::Key_Return);
        });
        w.OpenFile(sPath);
    }
    // Runs fn on the game list once it shows.
    void OnList(std::function<void(dlgGames *)> fn) {
        auto *timer = new QTimer(&w);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, fn] {
            if (auto *d = qobject_cast<dlgGames *>(QApplication::activeModalWidget())) {
                timer->stop();
                timer->deleteLater();
                fn(d);
            }
        });
        timer->start(10);
    }
};

const QByteArray Club = "[White \"Anna\"]\n[Black \"Bo\"]\n[Result \"1-0\"]\n\n1. e4 e5 1-0\n\n"
                        "[White \"Bo\"]\n[Black \"Carl\"]\n\n1. d4 *\n\n"
                        "[White \"Carl\"]\n[Black \"Dora\"]\n\n1. c4 e5 2. Nc3 *\n\n"
                        "[White \"Dora\"]\n[Black \"Anna\"]\n\n1. e4 e5 2. Ke3 *\n";

TEST_F(CollectionWindow, ListFilterOpenAndMoveThroughTheFile) {
    sOpenAnswer = Write("club.pgn", Club);
    QStringList seen;
    OnList([&](dlgGames *d) {
        seen << d->windowTitle();
        auto *table = d->findChild<QTableView *>("tblGames");
        seen << QString::number(table->model()->rowCount());
        QTest::keyClicks(d->focusWidget(), "CARL"); // the filter has the focus
        // Narrowed once typing pauses, not at each keystroke.
        seen << QString::number(table->model()->rowCount());
        EXPECT_TRUE(QTest::qWaitFor([&] { return table->model()->rowCount() != 4; }));
        seen << QString::number(table->model()->rowCount());
        QTest::keyClick(d->focusWidget(), Qt::Key_Down);
        QTest::keyClick(d->focusWidget(), Qt::Key_Return);
    });
    Key(Qt::Key_O);
    EXPECT_EQ(seen, QStringList({"Choose a Game - club.pgn", "4", "4", "2"}));
    EXPECT_EQ(board->CoordinateMoves(), QStringList({"c2c4", "e7e5", "b1c3"}));
    EXPECT_TRUE(Title().starts_with("Tavlon - club.pgn (3 of 4)")) << Title();

    Answerer ok({"OK"}); // game 4 plays an illegal move: it says so, and the game stays
    Key(Qt::Key_PageDown);
    const QString sSeen = ok.seen.value(0);
    EXPECT_TRUE(sSeen.contains("Cannot open game 4 of ") && sSeen.contains("move 2 (Ke3)"))
        << sSeen.toStdString();
    EXPECT_TRUE(Title().starts_with("Tavlon - club.pgn (3 of 4)")) << Title();
    Key(Qt::Key_PageUp);
    EXPECT_TRUE(Title().starts_with("Tavlon - club.pgn (2 of 4)")) << Title();
    EXPECT_EQ(board->CoordinateMoves(), QStringList({"d2d4"}));

    // The list again marks the bad game; Escape keeps the game on the board.
    OnList([&](dlgGames *d) {
        auto *table = d->findChild<QTableView *>("tblGames");
        seen << table->model()->index(3, 0).data(Qt::ToolTipRole).toString().left(10)
             << table->currentIndex().data().toString();
        QTest::keyClick(d->focusWidget(), Qt::Key_Escape);
    });
    Key(Qt::Key_O);
    EXPECT_EQ(seen.mid(4), QStringList({"move 2 (Ke", "2"}));
    EXPECT_EQ(board->CoordinateMoves(), QStringList({"d2d4"}));

    // A pasted text of several games: the same list, without a file.
    QApplication::clipboard()->setText(QString::fromUtf8(Club));
    OnList([&](dlgGames *d) {
        seen << d->windowTitle();
        QTest::keyClick(d->focusWidget(), Qt::Key_Return);
    });
    Key(Qt::Key_V);
    EXPECT_EQ(seen.mid(6), QStringList({"Choose a Game"}));
    EXPECT_TRUE(Title().starts_with("Tavlon - 1 of 4")) << Title();
    EXPECT_EQ(board->Result(), "1-0");

    // A file the index cannot list opens at its first game, and says why there is no list.
    Answerer discard({"Discard"});
    EXPECT_TRUE(w.OpenFile(
        Write("utf16.pgn", QStringEncoder(QStringEncoder::Utf16, QStringEncoder::Flag::WriteBom)
                               .encode(QString::fromUtf8(Club)))));
    EXPECT_EQ(Status(), "Only the first game of utf16.pgn is shown, as it cannot be listed: "
                        "UTF-16 text; PGN files are 8-bit text");
}

TEST_F(CollectionWindow, SaveBackAddToFileAndRecentFiles) {
    OpenSecond(sOpenAnswer = Write("club.pgn", Club));
    ASSERT_TRUE(Title().starts_with("Tavlon - club.pgn (2 of 4)")) << Title();
    Type("d5");
    Key(Qt::Key_S);
    const qsizetype nBegin = Club.indexOf("[White \"Bo\"]");
    const qsizetype nEnd = Club.indexOf("[White \"Carl\"]");
    EXPECT_EQ(Read(sOpenAnswer), Club.left(nBegin) + board->Pgn().toUtf8() + Club.mid(nEnd));
    EXPECT_TRUE(Title().starts_with("Tavlon - club.pgn (2 of 4)")) << Title();

    // Added after the games already there and the standard's blank line, asked as an addition;
    // then the game is the added one (Save after Add is in TheFileMovedUnderSaveAddAndNext).
    const QString sMine = sSaveAnswer = Write("mine.pgn", "[White \"X\"]\n\n1. e4 *\n");
    Find<QAction>("mnuGameAddToFile")->trigger();
    EXPECT_EQ(asked.last(), "add");
    EXPECT_EQ(Read(sMine), "[White \"X\"]\n\n1. e4 *\n\n" + board->Pgn().toUtf8());
    EXPECT_TRUE(Title().starts_with("Tavlon - mine.pgn (2 of 2)")) << Title();
    EXPECT_EQ(Status(), "Added the game to mine.pgn as game 2");

    // Open Recent, right after Open Game: newest first; Clear empties it.
    auto *recent = Find<QMenu>("mnuGameRecent");
    const QList<QAction *> oGameMenu = Find<QMenu>("mnuGame")->actions();
    EXPECT_EQ(oGameMenu.indexOf(recent->menuAction()),
              oGameMenu.indexOf(Find<QAction>("mnuGameOpen")) + 1);
    emit recent->aboutToShow();
    QStringList oItems;
    for (QAction *a : recent->actions())
        oItems << a->text();
    EXPECT_EQ(oItems, QStringList({"&1 mine.pgn", "&2 club.pgn", "", "&Clear"}));
    OnList([](dlgGames *d) { QTest::keyClick(d->focusWidget(), Qt::Key_Return); });
    recent->actions().at(1)->trigger();
    EXPECT_TRUE(Title().starts_with("Tavlon - club.pgn (1 of 4)")) << Title();
    recent->findChild<QAction *>("mnuGameRecentClear")->trigger();
    emit recent->aboutToShow();
    EXPECT_EQ(recent->actions().size(), 2);
}

// Another program changes club.pgn while its game 2 is on the board, in each way a file can
// change; then Save, Add Game to File (into club.pgn, then a move and Save), Next or Previous
// Game. A game is found again by what it is, or the save is refused with Save As offered;
// nothing that is not a regular file is read or written, and nothing blocks.
TEST_F(CollectionWindow, TheFileMovedUnderSaveAddAndNext) {
    const QString sPath = Path("club.pgn");
    const QByteArray oFront = "[White \"Eve\"]\n\n1. a3 *\n\n";
    const QByteArray oGame2 = "[White \"Bo\"]\n[Black \"Carl\"]\n\n1. d4 *";
    const QByteArray oShort = Club.left(Club.indexOf("1. d4") + 5);
    const QByteArray oLast = "\n[White \"Fay\"]\n\n1. h3 *\n";
    const auto Replace = [&](const QByteArray &oBytes) { Write("club.pgn", oBytes); };
    const auto Gone = [&] {
        QFile::remove(sPath);
        QDir(sPath).removeRecursively();
    };
    // What is said after Save, Add, Next and Previous, split by '|', or the same for all.
    const std::tuple<const char *, std::function<void()>, QByteArray, QString> rows[] = {
        {"inserted before", [&] { Replace(oFront + Club); }, oFront + Club,
         "Saved game 3 in club.pgn, which had changed on disk|as game 6|this is game 4 of 5|"
         "this is game 2 of 5"},
        {"appended", [&] { Replace(Club + oLast); }, Club + oLast,
         "Saved game 2 in club.pgn, which had changed|as game 6|this is game 3 of 5|"
         "this is game 1 of 5"},
        {"shortened", [&] { Replace(oShort); }, oShort,
         "has changed on disk since it was opened|as game 3|is no longer in it|is no longer"},
        {"replaced", [&] { Replace(oLast); }, oLast,
         "has changed on disk since it was opened|as game 2|is no longer in it|is no longer"},
        {"deleted",
         Gone,
         {},
         "has changed on disk since it was opened|as game 1|No such file|No such file"},
        {"made a directory",
         [&] { Gone(), QDir().mkdir(sPath); },
         {},
         "is a folder, not a regular"},
        {"a FIFO",
         [&] { Gone(), ::mkfifo(sPath.toLocal8Bit(), 0600); },
         {},
         "is a named pipe, not"},
        {"a link to a device",
         [&] { Gone(), QFile::link("/dev/null", sPath); },
         {},
         "is a device, not"},
    };
    for (const auto &[sWhat, change, oAfter, sSaids] : rows) {
        for (const std::string sAction : {"Save", "Add", "Next", "Previous"}) {
            SCOPED_TRACE(sWhat + (", then " + sAction));
            Gone();
            OpenSecond(Write("club.pgn", Club));
            ASSERT_TRUE(Title().starts_with("Tavlon - club.pgn (2 of 4)")) << Title();
            if (sAction == "Save" || sAction == "Add")
                Type("d5");
            const QByteArray oGame = board->Pgn().toUtf8();
            change();
            const QFileInfo oBefore(sPath);
            Answerer answers({sAction == "Save" ? "Cancel" : "OK", ""});
            sSaveAnswer = sPath;
            if (sAction == "Add")
                Find<QAction>("mnuGameAddToFile")->trigger();
            else
                Key(sAction == "Save"   ? Qt::Key_S
                    : sAction == "Next" ? Qt::Key_PageDown
                                        : Qt::Key_PageUp);
            const QString sSaid =
                answers.seen.isEmpty() ? QString::fromStdString(Status()) : answers.seen.join('|');
            const QStringList oSaids = sSaids.split('|');
            const QString sExpected = oSaids.value(sAction == "Save"   ? 0
                                                   : sAction == "Add"  ? 1
                                                   : sAction == "Next" ? 2
                                                                       : 3,
                                                   oSaids[0]);
            EXPECT_TRUE(sSaid.contains(sExpected)) << sSaid.toStdString();
            // What is there now: the change alone, or with the game written where it belongs.
            QByteArray oExpected = oAfter;
            if (!sSaid.contains("Tavlon:") && sAction == "Save")
                oExpected.replace(oGame2 + "\n\n", oGame);
            else if (!sSaid.contains("Tavlon:") && sAction == "Add")
                oExpected += (oExpected.endsWith('\n') ? "\n"
                              : oExpected.isEmpty()    ? ""
                                                       : "\n\n") +
                             oGame;
            EXPECT_EQ(QFileInfo(sPath).isFile() ? Read(sPath) : QByteArray(), oExpected);
            if (sAction == "Add" && !sSaid.contains("Tavlon:")) {
                // The added game is the one saved into now, not the game it was opened from.
                Type("c4");
                Key(Qt::Key_S);
                EXPECT_EQ(Read(sPath), oExpected.chopped(oGame.size()) + board->Pgn().toUtf8());
            }
            EXPECT_EQ(QFileInfo(sPath).isSymLink(), oBefore.isSymLink());
            EXPECT_EQ(QFileInfo(sPath).isDir(), oBefore.isDir());
        }
    }
    Gone();
}

// Add Game to File asks as a save does, for a file that may be new, under its own title, and
// never asks to overwrite: the game is added.
TEST(FileDialog, AddGameToFileAsksForAFileToAddTo) {
    QString sSeen;
    QTimer::singleShot(50, [&] {
        auto *d = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        sSeen = d->windowTitle() + "|" + d->labelText(QFileDialog::Accept) +
                (d->acceptMode() == QFileDialog::AcceptSave ? "|save" : "|open") +
                (d->testOption(QFileDialog::DontConfirmOverwrite) ? "" : "|asks to overwrite");
        d->reject();
    });
    EXPECT_EQ(DefaultFileChooser()(nullptr, FileQuestion::Add, QDir::tempPath()), "");
    EXPECT_EQ(sSeen, "Add Game to File|&Add|save");
}

// The list sorted by a column, either way, and narrowed by a text in any cell: letters in any
// case, names as the board reads them (UTF-8, else Latin-1), names alike in their first eight
// letters told apart by the rest, and equal ones in the file's order.
TEST(GameList, SortedAndNarrowed) {
    // The events are alike beyond the sort keys' first bytes.
    const QByteArray oText = "[White \"Carlsen, Magnus\"][Event \"World Chess Championship, B\"]\n"
                             "1. e4 e5 2. Nf3 *\n"
                             "[White \"carlsen, Magnus\"][Event \"World Chess Championship, A\"]\n"
                             "1. d4 *\n"
                             "[White \"Carlsen, Henrik\"][Event \"World Chess Championship\"]\n"
                             "1. c4 c5 *\n"
                             "[White \"M\xc3\xbcller\"]\n1. e4 e5 2. Nf3 Nc6 3. Bb5 *\n"
                             "[White \"M\xfcller\"]\n1. f4 *\n"
                             "[White \"anna\"]\n1. g3 g6 *\n";
    const auto p = GameCollection::ReadText(oText);
    GameListModel m(p->pIndex, {});
    const std::tuple<int, Qt::SortOrder, const char *, const char *> rows[] = {
        {GameListModel::White, Qt::AscendingOrder, "", "6 3 1 2 4 5"},
        {GameListModel::White, Qt::DescendingOrder, "", "5 4 2 1 3 6"},
        {GameListModel::Moves, Qt::AscendingOrder, "", "2 5 3 6 1 4"},
        {GameListModel::No, Qt::DescendingOrder, "", "6 5 4 3 2 1"},
        {GameListModel::No, Qt::AscendingOrder, "m\xc3\xbcl", "4 5"},
        {GameListModel::No, Qt::AscendingOrder, "M\xc3\x9cLLER", "4 5"},
        {GameListModel::No, Qt::AscendingOrder, "CARLSEN, M", "1 2"},
        {GameListModel::No, Qt::AscendingOrder, "3", "3 4"}, // game 3, and 3 moves
        {GameListModel::White, Qt::DescendingOrder, "carlsen", "2 1 3"},
        {GameListModel::Event, Qt::AscendingOrder, "", "4 5 6 3 2 1"},
    };
    for (const auto &[nColumn, eOrder, sFilter, sGames] : rows) {
        m.sort(nColumn, eOrder);
        m.SetFilter(QString::fromUtf8(sFilter));
        m.Settle();
        QStringList oGames;
        for (int nRow = 0; nRow < m.rowCount(); ++nRow)
            oGames << QString::number(m.GameAt(nRow) + 1);
        EXPECT_EQ(oGames.join(' ').toStdString(), sGames) << nColumn << " " << sFilter;
    }
    EXPECT_EQ(m.index(0, GameListModel::White).data().toString(), "Müller"); // game 4, in UTF-8
}

// The game kept after every move, left by a window that never closed (as a crash leaves it),
// not offered while its window lives, offered and restored by the next, gone after a normal end.
TEST(Recovery, KeptLockedOfferedRestoredAndRemoved) {
    TemporarySettings oSettings;
    QTemporaryDir oDir;
    auto Kept = [&] { return QDir(oDir.path()).entryList({"*.pgn"}, QDir::Files); };
    auto pCrashed = std::make_unique<frmMain>();
    pCrashed->EnableRecovery(oDir.path());
    auto *board = pCrashed->findChild<Board *>("Board1");
    for (const char *sMove : {"e4", "e5", "Nf3"})
        ASSERT_TRUE(board->MovePieceSan(sMove));
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return Kept().size() == 1 && Read(oDir.filePath(Kept()[0])).contains("1. e4 e5 2. Nf3 *");
    }));
    {
        frmMain oSecond; // while the first runs, its game is its own
        Answerer discard({"Discard"});
        oSecond.EnableRecovery(oDir.path());
        QTest::qWait(50);
        EXPECT_TRUE(discard.seen.isEmpty());
    }
    pCrashed.reset(); // its lock goes, as a dead process's does; its game stays
    ASSERT_EQ(Kept().size(), 1);

    frmMain oNext;
    Answerer answers({"Restore", "Discard"});
    oNext.EnableRecovery(oDir.path());
    oNext.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return answers.seen.size() == 1; }));
    EXPECT_EQ(answers.seen[0],
              "Restore Game:Tavlon did not close normally. Restore the unfinished game?");
    EXPECT_EQ(oNext.findChild<Board *>("Board1")->SanMoves(), QStringList({"e4", "e5", "Nf3"}));
    // The restored game, now kept by this window.
    EXPECT_TRUE(QTest::qWaitFor([&] { return Kept().size() == 1; }));
    oNext.close(); // unsaved: asked, and discarded
    EXPECT_EQ(answers.seen.size(), 2);
    EXPECT_TRUE(Kept().isEmpty());
}

// Only what differs from the game's file is kept: nothing after a save, an undo back to the
// saved game, or an opening; so a crash then offers nothing back.
TEST(Recovery, OnlyUnsavedChangesAreKept) {
    TemporarySettings oSettings;
    QTemporaryDir oDir;
    frmMain w;
    w.setFileChooser(
        [&](QWidget *, FileQuestion, const QString &) { return oDir.filePath("g.pgn"); });
    w.EnableRecovery(oDir.filePath("kept"));
    const auto Kept = [&] { return QDir(oDir.filePath("kept")).entryList({"*.pgn"}).size(); };
    const std::pair<const char *, int> steps[] = {{"move:e2e4", 1}, {"mnuGameSave", 0},
                                                  {"move:e7e5", 1}, {"mnuActionsUndo", 0},
                                                  {"move:e7e6", 1}, {"open", 0}};
    for (const auto &[sStep, nKept] : steps) {
        if (sStep == std::string("open"))
            w.OpenFile(oDir.filePath("g.pgn"));
        else
            Steps(&w, sStep);
        // The write waits for the disk on a thread of its own; a removal is done at once.
        EXPECT_TRUE(QTest::qWaitFor([&] { return Kept() == nKept; }, 2000)) << sStep;
    }
}

// Choose a Game: every column as wide as what it holds, Moves no wider.
TEST(GameList, ColumnsFitTheirContents) {
    const auto p =
        GameCollection::ReadText("[White \"Wilhelm Steinitz-Zukertort\"]\n[Event \"Match "
                                 "of the century, game 12\"]\n\n1. e4 *\n");
    dlgGames dialog(p->pIndex, {}, {}, 0);
    auto *table = dialog.findChild<QTableView *>();
    for (int nColumn = 0; nColumn < table->model()->columnCount(); ++nColumn) {
        const QString s = table->model()->index(0, nColumn).data().toString();
        EXPECT_GE(table->columnWidth(nColumn), table->fontMetrics().horizontalAdvance(s))
            << s.toStdString();
    }
    EXPECT_LT(table->columnWidth(table->model()->columnCount() - 1), 100);
}

// The last game is saved back in place whatever ends the file: no newline, LF or CRLF.
TEST(GameList, TheLastGameIsSavedBackHoweverTheFileEnds) {
    QTemporaryDir oDir;
    for (const QByteArray sEnd : {"", "\n", "\r\n"}) {
        const QString sPath = oDir.filePath("two.pgn");
        QFile oFile(sPath);
        ASSERT_TRUE(oFile.open(QIODevice::WriteOnly | QIODevice::Truncate));
        oFile.write("[White \"A\"]\n\n1. e4 *\n\n[White \"B\"]\n\n1. d4 *" + sEnd);
        oFile.close();
        QString sCause;
        const auto pFile = GameCollection::ReadFile(sPath, nullptr, sCause);
        ASSERT_TRUE(pFile && pFile->Count() == 2) << sCause.toStdString();
        QByteArray oGame;
        ASSERT_TRUE(pFile->GameBytes(1, oGame, sCause)) << sCause.toStdString();
        pFile->Opened(1, oGame);
        EXPECT_EQ(pFile->ReplaceGame("[White \"C\"]\n\n1. c4 *\n", sCause),
                  GameCollection::Saved::InPlace)
            << sCause.toStdString();
        EXPECT_EQ(Read(sPath), "[White \"A\"]\n\n1. e4 *\n\n[White \"C\"]\n\n1. c4 *\n");
    }
}

} // namespace
