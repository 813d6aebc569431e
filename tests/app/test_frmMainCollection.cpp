// Files and pasted texts of several games: the list, its filter, opening a game, moving through
// the file, saving one game back and adding one to a file.
#include "MainWindowTest.h"
#include "dlgGames.h"

#include <QClipboard>
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
    QString Write(const QByteArray &oText) {
        QFile oFile(oDir.filePath("club.pgn"));
        EXPECT_TRUE(oFile.open(QIODevice::WriteOnly));
        oFile.write(oText);
        return oFile.fileName();
    }
    QTemporaryDir oDir;
};

const QByteArray Club = "[White \"Anna\"]\n[Black \"Bo\"]\n[Result \"1-0\"]\n\n1. e4 e5 1-0\n\n"
                        "[White \"Bo\"]\n[Black \"Carl\"]\n\n1. d4 *\n\n"
                        "[White \"Carl\"]\n[Black \"Dora\"]\n\n1. c4 e5 2. Nc3 *\n\n"
                        "[White \"Dora\"]\n[Black \"Anna\"]\n\n1. e4 e5 2. Ke3 *\n";

TEST_F(CollectionWindow, ListFilterOpenAndMoveThroughTheFile) {
    sOpenAnswer = Write(Club);
    QStringList seen;
    OnList([&](dlgGames *d) {
        seen << d->windowTitle();
        auto *table = d->findChild<QTableView *>("tblGames");
        seen << QString::number(table->model()->rowCount());
        EXPECT_EQ(d->focusWidget(), d->findChild<QLineEdit *>("txtFilter"));
        QTest::keyClicks(d->focusWidget(), "CARL");
        seen << QString::number(table->model()->rowCount());
        QTest::keyClick(d->focusWidget(), Qt::Key_Down);
        QTest::keyClick(d->focusWidget(), Qt::Key_Return);
    });
    Key(Qt::Key_O);
    EXPECT_EQ(seen, QStringList({"Choose a Game - club.pgn", "4", "2"}));
    EXPECT_EQ(board->CoordinateMoves(), QStringList({"c2c4", "e7e5", "b1c3"}));
    EXPECT_EQ(w.windowTitle(), "Tavlon - club.pgn (3 of 4)");

    {
        Answerer ok({"OK"}); // game 4 plays an illegal move: it says so, and the game stays
        Key(Qt::Key_PageDown);
        ASSERT_EQ(ok.seen.size(), 1);
        EXPECT_TRUE(ok.seen[0].contains("Cannot open game 4 of ")) << ok.seen[0].toStdString();
        EXPECT_TRUE(ok.seen[0].contains("move 2 (Ke3)"));
    }
    EXPECT_EQ(w.windowTitle(), "Tavlon - club.pgn (3 of 4)");
    Key(Qt::Key_PageUp);
    EXPECT_EQ(w.windowTitle(), "Tavlon - club.pgn (2 of 4)");
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
    EXPECT_EQ(w.windowTitle(), "Tavlon - 1 of 4");
    EXPECT_EQ(board->Result(), "1-0");
}

} // namespace
