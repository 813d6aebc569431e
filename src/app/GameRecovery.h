#pragma once

#include "Recovery.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QDialog;
class QWidget;

// The window's unfinished game kept on disk (Recovery) after every change, and, once the window
// shows, the games left by a Tavlon that ended abnormally offered back one by one: restored,
// discarded, or kept for the next start. What cannot be restored is set aside and named.
class GameRecovery {
public:
    // What the window lends the recovery.
    struct Host {
        // The game as it stands, and the file it came from or was last saved to.
        std::function<QString()> fnPgn;
        std::function<QString()> fnSource;
        // No move, variation or note to lose.
        std::function<bool()> fnHoldsNothing;
        // An escape line the clocks keep before the game.
        std::function<QByteArray()> fnClockLine;
        // The window is closing: nothing is kept or asked any more.
        std::function<bool()> fnClosing;
        // Nothing may be asked now (a move waits for its piece): the offer waits for a start.
        std::function<bool()> fnBusy;
        // Runs a box modally: its answer, or none when the window went away meanwhile.
        std::function<std::optional<int>(QDialog *)> fnExec;
        // A message with OK; false when the window went away meanwhile.
        std::function<bool(const QString &)> fnMessage;
        // Asks about the game on the board before it is replaced: false to keep it, or when the
        // window went away meanwhile.
        std::function<bool()> fnMayReplace;
        // Puts the kept game on the board; false, with the cause, when the board cannot.
        std::function<bool(const QString &sPgn, QString &sCause)> fnLoad;
        // The game put there is the window's record now, of the file sSource or of none; oKept
        // is all the kept text, the clocks' line with it.
        std::function<void(const QString &sSource, const QByteArray &oKept)> fnRestored;
    };

    // Keeps the game in sFolder; boxes open over pWindow.
    GameRecovery(const QString &sFolder, QWidget *pWindow, Host oHost);

    // Keeps the game unless it is the one on disk; bSaved: it has just been saved, or opened
    // from its file, as it is now.
    void Keep(bool bSaved = false);
    // The window ends normally: the kept game goes.
    void End() { oStore.Remove(); }
    // Offers back the games left behind, newest first, until one is restored or kept.
    void Offer();
    // Until the last keeping has reached the disk.
    void Wait() { oStore.Wait(); }

private:
    Recovery oStore;
    QWidget *pWindow;
    Host oHost;
};
