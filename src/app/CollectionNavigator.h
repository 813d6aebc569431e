#pragma once

#include <QCoreApplication>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class GameCollection;
class GameDocument;
class QAction;
class QDialog;
class QMenu;
class QWidget;

// Opening games from files and pasted texts of several: the list to choose one from, Next and
// Previous Game in File, and Open Recent. The game chosen becomes the document's, with its place
// in the collection; another program may change the file meanwhile, so the game on the board is
// found again by what it is before the next one is counted from it.
class CollectionNavigator {
    Q_DECLARE_TR_FUNCTIONS(frmMain)
public:
    // What the window lends the navigator.
    struct Host {
        // Nothing may be opened now (a move waits for its piece).
        std::function<bool()> fnBusy;
        // The window is closing: no list is shown any more.
        std::function<bool()> fnClosing;
        // Asks about the game on the board before it is replaced: false to keep it, or when the
        // window went away meanwhile.
        std::function<bool()> fnMayReplace;
        // Puts a game's text on the board; false, with the cause, when the board cannot.
        std::function<bool(const QString &sPgn, QString &sCause)> fnLoad;
        // The game put there is the window's record now, of the file sFile (empty: of none),
        // from the collection pFrom if any.
        std::function<void(const QString &sFile, std::unique_ptr<GameCollection> pFrom)> fnReplaced;
        // Runs a box or the list modally: its answer, or none when the window went away.
        std::function<std::optional<int>(QDialog *)> fnExec;
        // A message with OK; false when the window went away meanwhile.
        std::function<bool(const QString &)> fnMessage;
        std::function<void(const QString &)> fnStatus;
        // The place in the collection changed (it was read again): the caption follows.
        std::function<void()> fnPlaceChanged;
    };

    // Lists and boxes open over pWindow; the collection read is kept in oDocument.
    CollectionNavigator(QWidget *pWindow, GameDocument &oDocument, Host oHost);

    // Opens a PGN file: one game goes on the board, a file of several shows the list. A file
    // that cannot be read or understood is named in a message, with the cause, and the game
    // stays.
    bool OpenFile(const QString &sPath);
    // Shows the list of the collection's games and opens the chosen one; false when the player
    // keeps the current game. A game that fails to read is marked, and the list shows again.
    bool Choose(std::unique_ptr<GameCollection> pNew);
    // The game before (-1) or after (1) the one on the board in its collection.
    void Step(int nStep);

    // Next and Previous Game in File, and the Open Recent menu, made once.
    QAction *NextAction() const { return mnuNext; }
    QAction *PreviousAction() const { return mnuPrevious; }
    QMenu *RecentMenu() const { return mnuRecent; }
    void UpdateActions();

private:
    // Opens game n of c, which then moves into the document as its collection; on failure c
    // stays, the game marked as failed.
    bool OpenGame(GameCollection &c, int n);
    void FillRecentMenu();

    QWidget *pWindow;
    GameDocument &oDocument;
    Host oHost;
    QAction *mnuNext = nullptr;
    QAction *mnuPrevious = nullptr;
    QMenu *mnuRecent = nullptr;
};
