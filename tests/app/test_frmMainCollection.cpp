// Files and pasted texts of several games: the list, its filter, opening a game, moving through
// the file, saving one game back and adding one to a file.
#include "GameCollection.h"
#include "MainWindowTest.h"
#include "dlgGames.h"

#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <functional>

namespace {

class CollectionWindow : public MainWindow {
protected:
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
        seen << QString::number(table->model()->rowCount());
        QTest::keyClick(d->focusWidget(), Qt::Key_Down);
        QTest::keyClick(d->focusWidget(), Qt::Key_Return);
    });
    Key(Qt::Key_O);
    EXPECT_EQ(seen, QStringList({"Choose a Game - club.pgn", "4", "2"}));
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
    EXPECT_EQ(seen.mid(3), QStringList({"move 2 (Ke", "2"}));
    EXPECT_EQ(board->CoordinateMoves(), QStringList({"d2d4"}));

    // A pasted text of several games: the same list, without a file.
    QApplication::clipboard()->setText(QString::fromUtf8(Club));
    OnList([&](dlgGames *d) {
        seen << d->windowTitle();
        QTest::keyClick(d->focusWidget(), Qt::Key_Return);
    });
    Key(Qt::Key_V);
    EXPECT_EQ(seen.mid(5), QStringList({"Choose a Game"}));
    EXPECT_TRUE(Title().starts_with("Tavlon - 1 of 4")) << Title();
    EXPECT_EQ(board->Result(), "1-0");
}

TEST_F(CollectionWindow, SaveBackAddToFileAndRecentFiles) {
    sOpenAnswer = Write("club.pgn", Club);
    OnList([&](dlgGames *d) {
        QTest::keyClicks(d->focusWidget(), "bo");
        QTest::keyClick(d->focusWidget(), Qt::Key_Down);
        QTest::keyClick(d->focusWidget(), Qt::Key_Return);
    });
    Key(Qt::Key_O);
    ASSERT_TRUE(Title().starts_with("Tavlon - club.pgn (2 of 4)")) << Title();
    Type("d5");
    Key(Qt::Key_S);
    const qsizetype nBegin = Club.indexOf("[White \"Bo\"]");
    const qsizetype nEnd = Club.indexOf("[White \"Carl\"]");
    EXPECT_EQ(Read(sOpenAnswer), Club.left(nBegin) + board->Pgn().toUtf8() + Club.mid(nEnd));
    EXPECT_TRUE(Title().starts_with("Tavlon - club.pgn (2 of 4)")) << Title();

    // Someone else's change since: refused, with Save As offered instead.
    const QByteArray oChanged = Read(sOpenAnswer) + "\n";
    Write("club.pgn", oChanged);
    Type("c4");
    Answerer cancel({"Cancel"});
    Key(Qt::Key_S);
    EXPECT_TRUE(cancel.seen.value(0).contains("has changed on disk"))
        << cancel.seen.join('|').toStdString();
    EXPECT_EQ(Read(sOpenAnswer), oChanged);

    // Added after the games already there and the standard's blank line.
    const QString sMine = sOpenAnswer = Write("mine.pgn", "[White \"X\"]\n\n1. e4 *\n");
    Find<QAction>("mnuGameAddToFile")->trigger();
    EXPECT_EQ(Read(sMine), "[White \"X\"]\n\n1. e4 *\n\n" + board->Pgn().toUtf8());

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
    recent->findChild<QAction *>("mnuGameRecentClear")->trigger();
    emit recent->aboutToShow();
    EXPECT_EQ(recent->actions().size(), 2);
}

// A name shows, and is found, as the board reads it: UTF-8 when valid, else Latin-1.
TEST(GameList, NamesInUtf8OrLatin1) {
    for (const QByteArray &oWhite : {QByteArray("M\xc3\xbcller"), QByteArray("M\xfcller")}) {
        const QByteArray oText =
            "[White \"" + oWhite + "\"]\n\n1. e4 *\n\n[White \"Bo\"]\n\n1. d4 *\n";
        const auto p = GameCollection::ReadText(oText);
        dlgGames d(p->pIndex, {}, {}, -1);
        auto *table = d.findChild<QTableView *>("tblGames");
        EXPECT_EQ(table->model()->index(0, GameListModel::White).data().toString(), "Müller");
        d.findChild<QLineEdit *>("txtFilter")->setText("Mül");
        EXPECT_EQ(table->model()->rowCount(), 1) << oWhite.toStdString();
    }
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

} // namespace

namespace {

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
        EXPECT_TRUE(pFile->ReplaceGame(1, "[White \"C\"]\n\n1. c4 *\n", sCause))
            << sCause.toStdString();
        EXPECT_EQ(Read(sPath), "[White \"A\"]\n\n1. e4 *\n\n[White \"C\"]\n\n1. c4 *\n");
    }
}

} // namespace
