#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <array>
#include <functional>

class Board;
class QMenu;
class SoundOutput;

// The sounds the program plays, as numbered in its resources (:/tavlon/sounds/).
enum class Sound { None = -1, Move, Capture, Castle, Check, GameEnd, LowTime };

// What one move did, as the board's events told it.
struct MoveFacts {
    bool bCapture = false;
    bool bCastle = false;
    bool bCheck = false;
    bool bEnds = false; // mate, stalemate, or a draw the move brought about by itself
};

// The one sound of a move: the game's end over a check, a check over the move's own sound.
Sound MoveSound(const MoveFacts &o);
// How deep into low time a clock showing nMs is: 0 at or above nLowMs, 1 below it, then one
// more for each whole second below 5 s (2 below 5 s, ..., 6 below 1 s).
int LowTimeStep(qint64 nMs, qint64 nLowMs);

// Plays a sound for each move, capture, castling, check, end of the game and low-time step,
// when View > Sounds is on (it is off unless the player turned it on). Follows the board's move
// events only, so what raises none (reviewing, loading, undoing, a new game) is silent. The
// speakers are a module read from disk, on a thread of its own, the first time a sound is wanted:
// nothing of the audio system is loaded while the sounds are off, nor at start-up, and the move
// that first wants one does not wait for it. Without an audio device every sound is dropped.
class Sounds : public QObject {
    Q_OBJECT
public:
    // Made before the window connects its own handlers to the board, so that a move's sound
    // starts before any message box about that move.
    Sounds(Board *board, QObject *parent);

    // View > Sounds and View > Sound Volume, remembered between runs.
    void AddToMenu(QMenu *mnuView);
    void SetEnabled(bool bOn) { bEnabled = bOn; }
    bool Enabled() const { return bEnabled; }

    // A clock as shown: the side to move hears the low-time steps, each once as it reaches it.
    void ClockShown(bool bWhite, qint64 nMs, qint64 nLowMs, bool bRunning);
    // A new game or new clocks: the low-time mark may sound again.
    void ClocksReset() { anHeard = {0, 0}; }

    // Where chosen sounds go instead of the speakers: the tests' recorder.
    void setPlayer(std::function<void(Sound)> oPlay) { oPlayer = std::move(oPlay); }
    // The speakers, loaded now if they are not yet; null when the module cannot be loaded.
    SoundOutput *Output();
    // The speakers if they are loaded, else null.
    SoundOutput *LoadedOutput() const;

private:
    void SetVolume(int nPercent);
    void Play(Sound e);
    // Reads the module on a thread of its own, then plays the sound that waited for it.
    void LoadInBackground();
    // Plays the sound of the move being reported, once.
    void MoveDone();

    Board *board;
    bool bEnabled = false;
    int nVolume = 100;
    std::function<void(Sound)> oPlayer;
    QPointer<SoundOutput> pOutput;
    bool bLoadTried = false;
    bool bLoading = false;
    Sound eWaiting = Sound::None; // wanted while the module was being read
    QElapsedTimer oWaiting;
    // The move being reported: between its PieceMovement and its PositionChanged.
    bool bInMove = false;
    bool bMoveSounded = false;
    bool bEndSounded = false; // the move's sound was the game's end, so GameOver adds none
    MoveFacts oMove;
    std::array<int, 2> anHeard{0, 0}; // White's and Black's deepest low-time step heard
};
