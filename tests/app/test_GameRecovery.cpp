// Recovery alone, with a stand-in for the window: what a start finds in the folder, what it asks
// and says, what it sets aside, and how a restore that the window allows, refuses or cannot do
// leaves the folder.
#include "GameRecovery.h"
#include "MainWindowTest.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <sys/stat.h>

namespace {

// A start of recovery over a folder: the boxes it opened ("title:text"), the messages it gave
// ("Tavlon:text") and what it restored, each answered as the row says.
struct Start {
    QStringList seen;
    QStringList answers;     // the button to click in each box, in order
    bool bMayReplace = true; // the game on the board may go
    QString sLoadError;      // the board cannot load the game, for this cause
    GameRecovery recovery;

    Start(const QString &sFolder, QStringList oAnswers)
        : answers(std::move(oAnswers)), recovery(sFolder, nullptr, Host()) {}

    GameRecovery::Host Host() {
        GameRecovery::Host o;
        o.fnPgn = [] { return QStringLiteral("1. d4 *"); };
        o.fnSource = [] { return QString(); };
        o.fnHoldsNothing = [] { return false; };
        o.fnClockLine = [] { return QByteArray(); };
        o.fnClosing = [] { return false; };
        o.fnBusy = [] { return false; };
        o.fnExec = [this](QDialog *d) -> std::optional<int> {
            auto *box = qobject_cast<QMessageBox *>(d);
            seen << box->windowTitle() + ':' + box->text();
            const QString sAnswer = answers.isEmpty() ? QString() : answers.takeFirst();
            for (QAbstractButton *b : box->buttons())
                if (b->text() == sAnswer)
                    b->click();
            d->deleteLater();
            return sAnswer.isEmpty() ? std::nullopt : std::optional<int>(0); // none: gone
        };
        o.fnMessage = [this](const QString &s) {
            seen << "Tavlon:" + s;
            return true;
        };
        o.fnMayReplace = [this] { return bMayReplace; };
        o.fnLoad = [this](const QString &, QString &sCause) {
            sCause = sLoadError;
            return sLoadError.isEmpty();
        };
        o.fnRestored = [this](const QString &sSource, const QByteArray &) {
            seen << "restored from \"" + QFileInfo(sSource).fileName() + '"';
        };
        return o;
    }
};

// What a start finds in the recovery folder: a game whose lock is stale (empty, garbage, from
// another host or boot, or naming a process number taken again since) is offered; one whose
// process runs is not. Files that cannot be kept games (too large, not regular, not text, no
// game) are set aside, renamed, and named once; a start after that names nothing. A restored
// game leaves the folder, kept anew as this window's; one the window keeps, stays; one the
// board cannot load is set aside. It goes back to its file unless that holds several games.
TEST(GameRecovery, WhatAStartFindsAsksAndLeaves) {
    const QByteArray oGame = "% tavlon-source: \n[White \"A\"]\n\n1. e4 e5 *\n";
    // As QLockFile writes it: number, program, host, machine, boot.
    const QByteArray oPid = QByteArray::number(QCoreApplication::applicationPid()) + "\n" +
                            QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8();
    const QByteArray oHere = "\n" + QSysInfo::machineHostName().toUtf8() + "\n\n";
    const QByteArray oBoot = QSysInfo::bootUniqueId() + "\n";
    const auto Put = [](const QString &sPath, const QByteArray &o, int nDaysOld = 0) {
        QFile oFile(sPath);
        oFile.open(QIODevice::WriteOnly);
        oFile.write(o);
        oFile.flush(); // before the time is set, or the write sets it again
        oFile.setFileTime(QDateTime::currentDateTime().addDays(-nDaysOld),
                          QFileDevice::FileModificationTime);
    };
    const auto Locked = [&](const QByteArray &oLock, int nDaysOld = 0) {
        return [=](const QString &d) {
            Put(d + "/g.pgn", oGame), Put(d + "/g.lock", oLock, nDaysOld);
        };
    };
    // A kept game from a file of one game, or of two (not regular files of the folder's kind).
    const auto From = [&](int nGames) {
        return [=](const QString &d) {
            Put(d + "/source.txt", nGames == 1 ? "1. c4 *\n" : "1. c4 *\n\n1. d4 *\n");
            Put(d + "/g.pgn", "% tavlon-source: " + (d + "/source.txt").toUtf8() + "\n1. c4 *\n");
        };
    };
    struct Row {
        const char *sWhat;
        std::function<void(const QString &)> arrange; // in the folder
        const char *sAnswer;                          // in the box that offers a game
        const char *sSeen; // what the first start saw (its start), or nothing
        const char *sLeft; // the files left in the end, this start's own as "own"
        std::function<void(Start &)> window = [](Start &) {};
    };
    const char *const Offered = "Restore Game:Tavlon did not close normally.";
    const char *const SetAside =
        "Tavlon:Some files in the folder of unfinished games cannot be restored. They were set "
        "aside there, renamed, in ";
    const Row rows[] = {
        {"an empty lock", Locked(""), "Discard", Offered, ""},
        {"a garbage lock", Locked("x\x01\n\xff"), "Discard", Offered, ""},
        {"another host's lock", Locked(oPid + "\nelsewhere\n\n" + oBoot), "Discard", Offered, ""},
        {"an earlier boot's lock", Locked(oPid + oHere + "0\n"), "Discard", Offered, ""},
        {"a process number used again", Locked(oPid + oHere + oBoot, 1), "Discard", Offered, ""},
        {"a running process's lock", Locked(oPid + oHere + oBoot), "", "", "g.lock g.pgn"},
        {"a file too large",
         [&](const QString &d) {
             Put(d + "/huge.pgn", QByteArray(Recovery::MaxFileSize + 1, ' '));
         },
         "", SetAside, "huge.pgn.set-aside"},
        {"a pipe", [](const QString &d) { ::mkfifo((d + "/pipe.pgn").toLocal8Bit(), 0600); }, "",
         "pipe.pgn: pipe.pgn is a named pipe, not a regular file", "pipe.pgn.set-aside"},
        {"a link to a device", [](const QString &d) { QFile::link("/dev/zero", d + "/zero.pgn"); },
         "", "zero.pgn: zero.pgn is a device, not a regular file", "zero.pgn.set-aside"},
        {"binary bytes", [&](const QString &d) { Put(d + "/nul.pgn", QByteArray("1. e4\0 *", 9)); },
         "", "nul.pgn: not text", "nul.pgn.set-aside"},
        {"no game", [&](const QString &d) { Put(d + "/open.pgn", "1. e4 {never closed"); }, "",
         "open.pgn: no game to restore (unclosed comment { on line 1)", "open.pgn.set-aside"},
        {"restored", Locked(""), "Restore", "restored from \"\"", "own.lock own.pgn"},
        {"kept by the player", Locked(""), "Restore", "", "g.pgn",
         [](Start &o) { o.bMayReplace = false; }},
        {"kept by the window gone", Locked(""), "", "", "g.pgn"},
        {"the board refuses", Locked(""), "Restore", "Tavlon:Cannot restore the game: no board",
         "g.pgn.set-aside", [](Start &o) { o.sLoadError = "no board"; }},
        {"from a file of one game", From(1), "Restore", "restored from \"source.txt\"",
         "own.lock own.pgn source.txt"},
        {"from a file of two", From(2), "Restore", "restored from \"\"",
         "own.lock own.pgn source.txt"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.sWhat);
        QTemporaryDir oDir;
        row.arrange(oDir.path());
        for (const bool bAgain : {false, true}) {
            Start o(oDir.path(), {row.sAnswer});
            row.window(o);
            o.recovery.Offer();
            o.recovery.Wait();
            // Named once: nothing the second time, but for a game kept again.
            const QString sSeen = o.seen.join('|');
            EXPECT_TRUE(bAgain || !*row.sSeen ? sSeen.isEmpty() || sSeen.startsWith(Offered)
                                              : sSeen.contains(row.sSeen))
                << sSeen.toStdString();
            if (bAgain)
                break;
            // Set aside, never deleted: the name stays with ".set-aside" after it.
            QStringList oLeft;
            for (QString s : QDir(oDir.path()).entryList(QDir::Files | QDir::System))
                oLeft << (s.size() > 30 ? "own." + QFileInfo(s).suffix() : s);
            EXPECT_EQ(oLeft.join(' ').toStdString(), row.sLeft);
        }
    }
}

} // namespace
