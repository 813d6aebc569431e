// The collection navigator alone, over a document and a stand-in for the window and its board:
// which game each open, list, Next or Previous puts on the board, what it says, and how it finds
// its place again in a file another program changed.
#include "CollectionNavigator.h"
#include "GameCollection.h"
#include "GameDocument.h"
#include "MainWindowTest.h"
#include "dlgGames.h"

#include <QRegularExpression>
#include <QTableView>

namespace {

QByteArray Games(const QString &sNames) {
    QByteArray o;
    for (const QString &s : sNames.split(','))
        o += "[White \"" + s.toUtf8() + "\"]\n\n1. e4 " + (s == "X" ? "e5 2. Ke3 " : "") + "*\n\n";
    return o;
}

struct Nav : TemporarySettings {
    QTemporaryDir dir;
    QWidget window;
    QStringList log;
    QStringList picks; // the list's row to open each time it shows; "" keeps the game
    bool bMayReplace = true;
    GameDocument doc{&window, {}};
    CollectionNavigator nav{&window, doc, Host()};

    Nav() { window.show(); }
    QString Path(const QString &s) const { return dir.filePath(s); }
    CollectionNavigator::Host Host() {
        CollectionNavigator::Host o;
        o.fnBusy = [] { return false; };
        o.fnClosing = [] { return false; };
        o.fnMayReplace = [this] { return bMayReplace; };
        o.fnLoad = [this](const QString &sPgn, QString &sCause) {
            const QString sWhite = QRegularExpression("White \"(\\w+)").match(sPgn).captured(1);
            log << "load " + sWhite;
            if (sWhite == "X")
                sCause = "illegal";
            return sWhite != "X";
        };
        o.fnReplaced = [this](const QString &sFile, std::unique_ptr<GameCollection> pFrom) {
            log << "replaced " + QFileInfo(sFile).fileName() +
                       (pFrom ? '#' + QString::number(pFrom->nGame + 1) : QString());
            doc.Replace(sFile, std::move(pFrom));
            nav.UpdateActions();
        };
        o.fnExec = [this](QDialog *d) -> std::optional<int> {
            auto *table = d->findChild<QTableView *>();
            EXPECT_TRUE(QTest::qWaitFor([table] { return table->model()->rowCount() > 0; }));
            log << "list at " + QString::number(table->currentIndex().row() + 1);
            const QString s = picks.isEmpty() ? QString() : picks.takeFirst();
            table->setCurrentIndex(table->model()->index(s.toInt() - 1, 0));
            d->deleteLater();
            return s.isEmpty() ? QDialog::Rejected : QDialog::Accepted;
        };
        o.fnMessage = [this](const QString &s) {
            log << "message " + s;
            return true;
        };
        o.fnStatus = [this](const QString &s) { log << "status " + s; };
        o.fnPlaceChanged = [this] { log << "moved"; };
        return o;
    }
    void Write(const QString &sName, const QByteArray &oText) {
        QFile f(Path(sName));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(oText);
    }
};

// Each row: steps split by '|' (open:FILE, pick:ROW for the next list, next, prev, file:NAMES
// as another program rewrites club.pgn, keep: the player keeps the game on the board), what
// the window heard (the folder left out), and whether Previous and Next can act then.
struct Row {
    const char *sName, *sSteps, *sLog;
    bool bPrevious, bNext;
};

const Row Rows[] = {
    {"one game opens, several are listed", "open:one.pgn|pick:2|open:club.pgn",
     "load O|replaced one.pgn|list at 1|load B|replaced club.pgn#2", true, true},
    {"the list again keeps the game shown when kept", "pick:3|open:club.pgn|open:club.pgn",
     "list at 1|load C|replaced club.pgn#3|list at 3", true, true},
    {"Next and Previous to the ends", "pick:1|open:club.pgn|next|next|next|prev",
     "list at 1|load A|replaced club.pgn#1|load B|replaced club.pgn#2|load C|replaced "
     "club.pgn#3|load X|message Cannot open game 4 of club.pgn:\nillegal|load B|replaced "
     "club.pgn#2",
     true, true},
    {"a game that failed is passed the next time", "pick:4|pick:3|open:club.pgn|next|next",
     "list at 1|load X|message Cannot open game 4 of club.pgn:\nillegal|list at 1|load C|replaced "
     "club.pgn#3|load E|replaced club.pgn#5",
     true, false},
    {"the player keeps the game: nothing moves", "pick:1|open:club.pgn|keep|next",
     "list at 1|load A|replaced club.pgn#1", false, true},
    {"a changed file: the game found again, the next counted from it",
     "pick:2|open:club.pgn|file:Z,A,B,C,X,E|next",
     "list at 1|load B|replaced club.pgn#2|moved|load C|replaced club.pgn#4|status club.pgn had "
     "changed on disk, and its games were read again: this is game 4 of 6",
     true, true},
    {"a changed file without the game: the list of it as it is now",
     "pick:2|open:club.pgn|file:A,C|pick:2|next",
     "list at 1|load B|replaced club.pgn#2|moved|message club.pgn has changed on disk, and the "
     "game on the board is no longer in it. Choose a game of the file as it is now.|list at 1|load "
     "C|replaced club.pgn#2",
     true, false},
    {"what is not a regular file is named, and the game stays", "open:one.pgn|open:.",
     "load O|replaced one.pgn|message Cannot open .:\nThis is not a regular file", false, false},
};

TEST(CollectionNavigator, OpensListsAndStepsThroughFiles) {
    for (const Row &r : Rows) {
        SCOPED_TRACE(r.sName);
        Nav n;
        n.Write("one.pgn", Games("O"));
        n.Write("club.pgn", Games("A,B,C,X,E"));
        for (const QString &sStep : QString(r.sSteps).split('|')) {
            const QString sArg = sStep.section(':', 1);
            if (sStep.startsWith("open:"))
                n.nav.OpenFile(sArg == "." ? n.dir.path() : n.Path(sArg));
            else if (sStep.startsWith("pick:"))
                n.picks << sArg;
            else if (sStep.startsWith("file:"))
                n.Write("club.pgn", Games(sArg));
            else if (sStep == "keep")
                n.bMayReplace = false;
            else
                n.nav.Step(sStep == "next" ? 1 : -1);
        }
        const QString sLog = n.log.join('|')
                                 .replace(QDir::toNativeSeparators(n.dir.path() + '/'), "")
                                 .replace(n.dir.path(), ".");
        EXPECT_EQ(sLog.toStdString(), r.sLog);
        EXPECT_EQ(n.nav.PreviousAction()->isEnabled(), r.bPrevious);
        EXPECT_EQ(n.nav.NextAction()->isEnabled(), r.bNext);
    }
}

} // namespace
