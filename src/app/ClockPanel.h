#pragma once

#include "Clock.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>

class Board;
class ClockWidget;
class QAction;
class QDialog;
class QLabel;
class QMenu;
class QRect;
class QWidget;
class Sounds;

// The chess clocks of the game on the board: one band above the board and one below it, the
// Time Control and Pause Clocks commands, and the loss on time. The board keeps no time; the
// clocks follow its events and, while paused or once a flag has fallen, keep the board's own
// input from it.
class ClockPanel : public QObject {
public:
    // What the window lends the clocks.
    struct Host {
        // Runs a dialog modally: its answer, or none when the window went away meanwhile.
        std::function<std::optional<int>(QDialog *)> fnExec;
        std::function<void(const QString &)> fnStatus;
        // The running flag has fallen in a game going on: the window ends it on time. False
        // when that cannot be done now (inside a move); the clocks then try again shortly.
        std::function<bool()> fnFlagFall;
        // The clocks' room changed: the window grows by nGrow pixels (shrinks when negative,
        // stays at 0) and lays the board out again.
        std::function<void(int nGrow)> fnLayOut;
        // A move was finished after the flag fell (nPly plies with it): it does not count.
        std::function<void(int nPly)> fnLateMove;
        // The time used on the move is worth keeping for recovery now.
        std::function<void()> fnKeep;
        // The clocks were shown anew: what follows them (fair play) may look again.
        std::function<void()> fnShown;
    };

    // The clock widgets and the paused sign go on pClient and pBoard; the time control is the
    // one remembered, until a run's own is set.
    ClockPanel(QWidget *pClient, Board *pBoard, Sounds *pSounds, Host oHost, QObject *parent);

    // Time Control and Pause Clocks, before pBefore in mnuGame.
    void AddToMenu(QMenu *mnuGame, QAction *pBefore);
    // Shows or hides the bands as the clock is timed or not, and lays out again.
    void Fit();
    // The clocks on either side of the board's rectangle, White's below when bWhiteBelow.
    void Place(const QRect &oBoard, bool bWhiteBelow);
    // Height of each clock's band above and below the board; 0 without a clock.
    int Band() const;

    // The time control of this run (a valid form, see dlgTimeControl::FormError): for the game
    // not yet begun, the next game opened without one of its own, and every new game.
    void SetRunTimeControl(const QString &sForm);
    // Where the clocks read the time, in monotonic milliseconds.
    void SetSource(std::function<qint64()> oSource);
    // The display's wake-ups so far, and a clock's time now (-1 untimed).
    int WakeUps() const { return nWakeUps; }
    qint64 Remaining(bool bWhite) const;

    // The game about to replace the record is one read from a file or the clipboard.
    void Loading() { bLoading = true; }
    // A new record is on the board: its clocks (paused, from its clock times, when it was
    // read), or the next game's time control.
    void Replaced();
    // The game has ended: both clocks stop. Told before anything else of the end, so that no
    // clock runs on behind a box.
    void GameOver();
    // The last move was taken back: the clocks as before it, and a loss on time undone.
    void Undone();
    // True, with the reason on the status line, while the clocks are paused or a flag has
    // fallen (which it then tells).
    bool Refuse();
    bool Paused() const { return oClock.Paused(); }
    // The running clock's flag is down.
    bool FlagDown() const { return oClock.Running() && oClock.FlagFallen(); }
    // A game in progress with a time control whose clocks have not stopped.
    bool InPlay() const { return oClock.IsTimed() && !oClock.Stopped(); }
    // Looks at the time: a flag's fall, the digits, the next wake-up, the keeping.
    void Tick();

    // For the kept game: an escape line with the time the side to move has used on its move, so
    // that a game restored after a crash gives none back; and reading it back from kept text.
    QByteArray RecoveryLine() const;
    void Recovered(const QByteArray &oKept);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TimeControl NextControl() const;
    // The digits, the highlight, the paused sign and the next wake-up, as the clock is now.
    void Show();
    void Moved();
    void TogglePause();
    void ChooseTimeControl();

    Board *board;
    Sounds *sounds;
    Host oHost;
    std::function<std::int64_t()> oSource;
    Clock oClock;
    TimeControl oRunControl; // from the command line, for this run
    bool bRunControl = false;
    bool bRunControlForLoad = false; // the next opened game without its own gets it
    bool bLoading = false;           // the record being replaced was read, not started
    ClockWidget *clkWhite = nullptr;
    ClockWidget *clkBlack = nullptr;
    QLabel *lblPaused = nullptr;
    QTimer oTimer;
    QAction *mnuPause = nullptr;
    int nWakeUps = 0;
    std::int64_t nKeptAt = 0; // the source's time when the running clock was last kept
    bool bOnTime = false;     // the game ended on time
    bool bLayoutTimed = false;
};
