#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A chess clock's settings in the PGN TimeControl forms: "-" (none), "300" (sudden death),
// "180+2" (Fischer increment), "40/5400:1800" (moves per period, any number of periods, each
// with an increment of its own), "*60" (hourglass), and "300d5" for a Bronstein delay, which
// PGN keeps in a TimeDelay tag of its own. Times are milliseconds.
struct TimeControl {
    struct Period {
        int nMoves = 0; // moves to make in the period; 0 for the rest of the game
        std::int64_t nBaseMs = 0;
        std::int64_t nIncrementMs = 0;
        bool operator==(const Period &) const = default;
    };
    enum class Kind { None, SuddenDeath, Increment, Periods, Hourglass, Delay };

    std::vector<Period> oPeriods; // empty: no clock
    bool bHourglass = false;
    std::int64_t nDelayMs = 0;

    // The control a form names (the forms above), or nothing; sError then says why.
    static std::optional<TimeControl> Parse(std::string_view sForm, std::string *pError = nullptr);
    // The control of a game's TimeControl and TimeDelay tags; a form this clock cannot keep
    // ("?", fractions) reads as no clock.
    static TimeControl FromTags(std::string_view sTimeControl, std::string_view sTimeDelay);

    bool IsTimed() const { return !oPeriods.empty(); }
    Kind GetKind() const;
    // The TimeControl tag's value ("-" without a clock), the TimeDelay tag's ("" without a delay),
    // and the form Parse reads back.
    std::string TagValue() const;
    std::string DelayTagValue() const;
    std::string Form() const;
    // The period of a side's next move, having made nMovesMade moves, and the moves left in it
    // (0 in a period for the rest of the game). A last period with a move count repeats.
    std::size_t PeriodOf(int nMovesMade) const;
    int MovesLeft(int nMovesMade) const;
    // Below this a clock shows low time: a tenth of the first period, kept within 10 s to 60 s.
    std::int64_t LowTimeMs() const;

    bool operator==(const TimeControl &) const = default;
};

// Seconds as a clock shows them: m:ss, h:mm:ss from an hour, and tenths below nTenthsBelowMs.
std::string FormatClock(std::int64_t nMs, std::int64_t nTenthsBelowMs = 10'000);
// The PGN clock-comment form h:mm:ss, with tenths below a minute; -1 for a value that is none.
std::string FormatClk(std::int64_t nMs);
// Reads h:mm:ss[.d...] (the %clk form); -1 for anything else.
std::int64_t ParseClk(std::string_view s);
// The time of a comment's [%clk ...] command; -1 without one.
std::int64_t ClkOfComment(std::string_view sComment);
