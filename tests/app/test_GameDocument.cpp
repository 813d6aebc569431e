// The game's document alone, with a stand-in for the window: where each save writes, what it asks
// and says, and that no file is left with fewer games nor a failed save taken for a saved game.
#include "GameCollection.h"
#include "GameDocument.h"
#include "MainWindowTest.h"

#include <QRegularExpression>

namespace {

const QByteArray Club = "[White \"A\"]\n\n1. e4 *\n\n[White \"B\"]\n\n1. d4 *\n\n"
                        "[White \"C\"]\n\n1. c4 *\n";

struct Doc : TemporarySettings {
    QTemporaryDir dir;
    QStringList log;     // what the window was asked to do or say, in order
    QStringList answers; // to each question or box: a button's text; "" as the window goes away
    QStringList files;   // to each file question
    GameDocument doc{nullptr, Host()};

    QString Path(const QString &s) const { return dir.filePath(s); }
    GameDocument::Host Host() {
        GameDocument::Host o;
        o.fnPgn = [] { return QStringLiteral("[White \"New\"]\n\n1. Nf3 *\n"); };
        o.fnHoldsNothing = [] { return false; };
        o.fnBusy = [] { return false; };
        o.fnChooseFile = [this](FileQuestion e, const QString &) {
            log << (e == FileQuestion::Save ? "choose save" : "choose add");
            return files.isEmpty() ? QString() : Path(files.takeFirst());
        };
        o.fnAsk = [this](const QString &sText, QMessageBox::StandardButtons,
                         QMessageBox::StandardButton) {
            log << "ask " + sText;
            const QString s = answers.takeFirst();
            return s == "Save"      ? QMessageBox::Save
                   : s == "Discard" ? QMessageBox::Discard
                   : s == "Cancel"  ? QMessageBox::Cancel
                                    : QMessageBox::NoButton;
        };
        o.fnExec = [this](QDialog *d) -> std::optional<int> {
            auto *box = qobject_cast<QMessageBox *>(d);
            log << "box " + box->text();
            const QString s = answers.takeFirst();
            std::optional<int> nAnswer;
            for (QAbstractButton *b : box->buttons())
                if (b->text() == s)
                    nAnswer = box->standardButton(b);
            d->deleteLater();
            return nAnswer;
        };
        o.fnMessage = [this](const QString &s) {
            log << "message " + s;
            return true;
        };
        o.fnStatus = [this](const QString &s) { log << "status " + s; };
        o.fnChanged = [this](bool bSaved) { log << (bSaved ? "saved" : "moved"); };
        return o;
    }
    void Write(const QString &sName, const QByteArray &oText) {
        QFile f(Path(sName));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(oText);
    }
    // The White names of a file's games, in order: "A,New,C".
    QString Games(const QString &sName) const {
        QStringList o;
        const QString s = QString::fromUtf8(Read(Path(sName)));
        for (const auto &m : QRegularExpression("\\[White \"(\\w+)\"").globalMatch(s))
            o << m.captured(1);
        return o.join(',');
    }
};

// Each row: where the game came from ("" a new game; "one.pgn"; "club.pgn#2" its game 2), what
// another program then did to club.pgn, the command, the answers, and what it asked and said
// (each a prefix of what was said, the folder left out), the games each file then holds, whether
// the game is still unsaved, and the caption's file.
struct Row {
    const char *sName, *sFrom, *sMeanwhile, *sCommand, *sAnswers, *sFiles, *sLog, *sGames;
    bool bResult, bUnsaved;
    const char *sCaption;
};

const Row Rows[] = {
    {"a new game is saved where the player says", "", "", "save", "", "mine",
     "choose save|saved|status Saved mine.pgn", "mine=New", true, false, "mine.pgn"},
    {"no file is asked for: nothing is written", "", "", "save", "", "", "choose save", "", false,
     true, ""},
    {"a file of several games is not replaced by one", "", "", "saveas", "", "club",
     "choose save|message Cannot save club.pgn:\nThe file holds several games", "club=A,B,C", false,
     true, ""},
    {"a failed write leaves the game unsaved", "", "", "save", "", "none/x",
     "choose save|message Cannot save none/x.pgn:\n", "", false, true, ""},
    {"a game of its own file is saved over it", "one.pgn", "", "save", "", "",
     "saved|status Saved one.pgn", "one=New", true, false, "one.pgn"},
    {"a game of a collection goes back in its place", "club.pgn#2", "", "save", "", "",
     "saved|status Saved game 2 in club.pgn", "club=A,New,C", true, false, "club.pgn (2 of 3)"},
    {"Save As onto its own collection goes back in place too", "club.pgn#2", "", "saveas", "",
     "club.pgn", "choose save|saved|status Saved game 2 in club.pgn", "club=A,New,C", true, false,
     "club.pgn (2 of 3)"},
    {"found again after a game was put before it", "club.pgn#2", "insert", "save", "", "",
     "saved|status Saved game 3 in club.pgn, which had changed on disk", "club=Z,A,New,C", true,
     false, "club.pgn (3 of 4)"},
    {"gone from the changed file: kept when Save As is declined", "club.pgn#2", "drop", "save",
     "Cancel", "", "box club.pgn has changed on disk since it was opened", "club=A,C", false, true,
     "club.pgn (2 of 3)"},
    {"gone from the changed file: saved elsewhere", "club.pgn#2", "drop", "save", "Save As...",
     "else", "box club.pgn has changed|moved|choose save|saved|status Saved else.pgn",
     "club=A,C|else=New", true, false, "else.pgn"},
    {"the question: Cancel keeps the game", "one.pgn", "", "maybe", "Cancel", "",
     "ask Save the current game?", "one=O", false, true, "one.pgn"},
    {"the question: the window went away", "one.pgn", "", "maybe", "", "",
     "ask Save the current game?", "one=O", false, true, "one.pgn"},
    {"the question: Discard lets it go unsaved", "one.pgn", "", "maybe", "Discard", "",
     "ask Save the current game?", "one=O", true, true, "one.pgn"},
    {"the question: Save saves first", "one.pgn", "", "maybe", "Save", "",
     "ask Save the current game?|saved|status Saved one.pgn", "one=New", true, false, "one.pgn"},
    {"added to a file, the game lives there", "one.pgn", "", "add", "", "club",
     "choose add|saved|status Added the game to club.pgn as game 4", "club=A,B,C,New|one=O", true,
     false, "club.pgn (4 of 4)"},
};

TEST(GameDocument, SavesWhereTheGameLivesAndNeverLoses) {
    for (const Row &r : Rows) {
        SCOPED_TRACE(r.sName);
        Doc d;
        d.Write("club.pgn", Club);
        d.Write("one.pgn", "[White \"O\"]\n\n1. e4 *\n");
        const QString sFrom = r.sFrom;
        if (sFrom.contains('#')) {
            QString sCause;
            auto p = GameCollection::ReadFile(d.Path(sFrom.section('#', 0, 0)), nullptr, sCause);
            ASSERT_TRUE(p) << sCause.toStdString();
            const int n = sFrom.section('#', 1).toInt() - 1;
            QByteArray oBytes;
            ASSERT_TRUE(p->GameBytes(n, oBytes, sCause));
            p->Opened(n, oBytes);
            const QString sPath = p->sPath;
            d.doc.Replace(sPath, std::move(p));
        } else if (!sFrom.isEmpty()) {
            d.doc.Replace(d.Path(sFrom));
        }
        d.doc.MarkUnsaved();
        if (QLatin1String(r.sMeanwhile) == "insert")
            d.Write("club.pgn", "[White \"Z\"]\n\n1. b3 *\n\n" + Club);
        if (QLatin1String(r.sMeanwhile) == "drop")
            d.Write("club.pgn", "[White \"A\"]\n\n1. e4 *\n\n[White \"C\"]\n\n1. c4 *\n");
        d.answers = QString(r.sAnswers).split('|');
        d.files = QString(r.sFiles).split('|', Qt::SkipEmptyParts);
        const QString sCommand = r.sCommand;
        const bool bResult = sCommand == "save"     ? d.doc.Save()
                             : sCommand == "saveas" ? d.doc.SaveAs()
                             : sCommand == "maybe"  ? d.doc.MaybeSave()
                                                    : (d.doc.AddToFile(), true);
        EXPECT_EQ(bResult, r.bResult);
        const QStringList oWant = QString(r.sLog).split('|', Qt::SkipEmptyParts);
        const QStringList oSaid =
            d.log.replaceInStrings(QDir::toNativeSeparators(d.dir.path() + '/'), "");
        EXPECT_EQ(oSaid.size(), oWant.size()) << oSaid.join(" | ").toStdString();
        for (int i = 0; i < std::min(oSaid.size(), oWant.size()); ++i)
            EXPECT_TRUE(oSaid[i].startsWith(oWant[i])) << oSaid[i].toStdString();
        for (const QString &s : QString(r.sGames).split('|', Qt::SkipEmptyParts))
            EXPECT_EQ(d.Games(s.section('=', 0, 0) + ".pgn"), s.section('=', 1)) << s.toStdString();
        EXPECT_EQ(d.doc.IsUnsaved(), r.bUnsaved);
        EXPECT_EQ(d.doc.CaptionFile(), QString(r.sCaption));
    }
}

// Open Recent holds the eight files last opened or saved, newest first, each once.
TEST(GameDocument, RecentFilesNewestFirstEachOnce) {
    Doc d;
    for (int i = 1; i <= 10; ++i)
        d.doc.Replace(d.Path(QString("%1.pgn").arg(i)));
    d.doc.Replace(d.Path("5.pgn"));
    QStringList oNames;
    for (const QString &s : GameDocument::RecentFiles())
        oNames << QFileInfo(s).baseName();
    EXPECT_EQ(oNames.join(','), "5,10,9,8,7,6,4,3");
}

} // namespace
