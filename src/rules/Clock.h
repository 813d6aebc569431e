#pragma once

#include "TimeControl.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

// The two clocks of a game under a TimeControl. Time comes from the injected source (monotonic
// milliseconds), read only when asked, so nothing drifts with timer ticks. The game's first
// move is untimed and starts the other side's clock. The clock keeps, for each ply, the time
// left on the mover's clock after it (what PGN's %clk records), and rebuilds both clocks from
// that list on undo and load.
class Clock {
public:
    using TimeSource = std::function<std::int64_t()>;

    explicit Clock(TimeSource oNow) : m_oNow(std::move(oNow)) {}

    // A new game: both clocks full, stopped until the first move has been played.
    void Reset(const TimeControl &oControl, bool bWhiteToMove);
    // Both clocks as after the plies of oPlyMs (the mover's time after each; -1 for unknown,
    // which keeps that side's time), from a start with bFirstWhite to move. Runs the side to
    // move's clock unless bPaused, or no move has been played yet.
    void Restore(const std::vector<std::int64_t> &oPlyMs, bool bFirstWhite, bool bPaused);
    // The side to move has moved. Returns the time left on its clock (as recorded), or -1 when its
    // flag had already fallen: then nothing is recorded and the clocks stop.
    std::int64_t MovePlayed();
    // Takes back the last ply: both clocks as after the ply before, the side to move's running.
    void Undo();

    // Time the side to move has used on its move so far (0 before the first move), and the same
    // counted again in a clock rebuilt by Restore: a game restored after a crash keeps the time
    // its player spent before it.
    std::int64_t MoveUsed() const { return m_bStarted ? Used() : 0; }
    void AddMoveUsed(std::int64_t nMs);
    // Stops both clocks for good (the game ended); Undo starts them again.
    void Stop() { Freeze(); }
    void SetPaused(bool bPaused);
    bool Paused() const { return m_bPaused; }
    // Whether a clock is counting now.
    bool Running() const { return m_bStarted && !m_bPaused && !m_bStopped; }
    bool Stopped() const { return m_bStopped; }

    const TimeControl &Control() const { return m_oControl; }
    bool IsTimed() const { return m_oControl.IsTimed(); }
    bool WhiteToMove() const { return m_bWhiteToMove; }
    // Time left now on a side's clock, never below 0.
    std::int64_t Remaining(bool bWhite) const;
    // The side to move's time is gone (checked against the source now). The host calls it when
    // a wake-up at MsToFlag() arrives and before it accepts a move.
    bool FlagFallen() const;
    // Milliseconds until the running clock reaches 0; -1 when none runs.
    std::int64_t MsToFlag() const;
    // Moves the side still has to make in its period (0 without periods).
    int MovesLeft(bool bWhite) const { return m_oControl.MovesLeft(m_nMoves[Side(bWhite)]); }
    const std::vector<std::int64_t> &PlyTimes() const { return m_oPlyMs; }

private:
    static std::size_t Side(bool bWhite) { return bWhite ? 0 : 1; }
    // Time used on the current move, pauses left out.
    std::int64_t Used() const;
    // Banks the running move's time into the clocks and stops counting.
    void Freeze();
    // What a side gets once it has moved (its moves already counted): a new period's time and
    // the increment of its next move, and the delay's refund of nUsed.
    void Credit(std::size_t nSide, std::int64_t nUsed);
    void StartTurn();

    TimeSource m_oNow;
    TimeControl m_oControl;
    std::array<std::int64_t, 2> m_nMs{}; // at the start of the current move
    std::array<int, 2> m_nMoves{};       // moves made by each side
    std::vector<std::int64_t> m_oPlyMs;  // the mover's time after each ply
    bool m_bFirstWhite = true;
    bool m_bWhiteToMove = true;
    bool m_bStarted = false; // the first move has been played
    bool m_bPaused = false;
    bool m_bStopped = false;
    std::int64_t m_nTurnStart = 0;  // the source's time when counting last (re)started
    std::int64_t m_nUsedBefore = 0; // counted on this move before the last pause
};
