#pragma once

#include "Desktop.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class GameCollection;
class QDialog;
class QWidget;

// The game on the board as a document: the file it came from or was last saved to, its place in
// a collection, whether it holds changes not yet saved, and saving it. A save never writes fewer
// games than a file held, never over a game it was not opened from, and a failed one leaves the
// file and the game as they were.
class GameDocument {
    Q_DECLARE_TR_FUNCTIONS(frmMain)
public:
    // What the window lends the document.
    struct Host {
        // The game as it stands.
        std::function<QString()> fnPgn;
        // No move, variation or note to lose.
        std::function<bool()> fnHoldsNothing;
        // Nothing may be saved now (a move waits for its piece).
        std::function<bool()> fnBusy;
        // Asks for a file name; empty when none was chosen or the window went away meanwhile.
        std::function<QString(FileQuestion, const QString &sSuggested)> fnChooseFile;
        // Asks a question: the button chosen, NoButton when the window went away meanwhile.
        std::function<QMessageBox::StandardButton(const QString &sText,
                                                  QMessageBox::StandardButtons eButtons,
                                                  QMessageBox::StandardButton eDefault)>
            fnAsk;
        // Runs a box modally: its answer, or none when the window went away meanwhile.
        std::function<std::optional<int>(QDialog *)> fnExec;
        // A message with OK; false when the window went away meanwhile.
        std::function<bool(const QString &)> fnMessage;
        std::function<void(const QString &)> fnStatus;
        // The file or the place in a collection changed; bSaved: the game is now as its file
        // holds it.
        std::function<void(bool bSaved)> fnChanged;
    };

    // Boxes open over pWindow.
    GameDocument(QWidget *pWindow, Host oHost);
    ~GameDocument();

    // The file the game came from or was last saved to; empty for a game of none.
    const QString &File() const { return sFile; }
    // The collection the game came from, with its place there; null for a game of one.
    GameCollection *Collection() const { return pGames.get(); }
    bool IsUnsaved() const { return bUnsaved; }
    // Moves, an end, a note or a tag since the game was opened, saved or started.
    void MarkUnsaved() { bUnsaved = true; }
    // Another game is on the board: from sNewFile (empty: from none), or from game pFrom->nGame
    // of a collection. It holds nothing unsaved.
    void Replace(const QString &sNewFile, std::unique_ptr<GameCollection> pFrom = {});

    // Before the game is replaced or the window closes: asks about unsaved changes. False: stop
    // (or the window went away meanwhile).
    bool MaybeSave();
    bool Save();
    bool SaveAs();
    // Add Game to File: the game is added to the end of a file, which it then lives in.
    void AddToFile();

    // The file, and the game's place in a collection: "club.pgn (12 of 340)".
    QString CaptionFile() const;

    // Open Recent: the last eight files opened or saved, newest first.
    static QStringList RecentFiles();
    static void ForgetRecentFiles();

private:
    // Writes the game to sPath, unless that file holds several games: then it asks for another
    // name (bElsewhereIfSeveral) or says why it cannot.
    bool SaveTo(const QString &sPath, bool bElsewhereIfSeveral);
    // Writes the game back in place of the one it came from; refuses, offering Save As, when the
    // game is no longer in the file.
    bool SaveBack();
    static void Remember(const QString &sPath);

    QWidget *pWindow;
    Host oHost;
    QString sFile;
    bool bUnsaved = false;
    std::unique_ptr<GameCollection> pGames;
};
