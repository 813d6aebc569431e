#pragma once

#include "TimeControl.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A game's clocks in PGN: the TimeControl and TimeDelay tags, and a {[%clk h:mm:ss]} comment
// after each move with the time left on the mover's clock.
namespace PgnClocks {

struct GameClocks {
    TimeControl oControl;             // no clock unless the tags name one
    std::vector<std::int64_t> oPlyMs; // per ply of the main line; -1 where no %clk was given
    bool bHasClk = false;             // at least one %clk
};

// The clocks of the first game in sText.
GameClocks Read(std::string_view sText);
// sPgn (one game in export format) with the clock tags and a %clk after each move; lines of
// movetext stay within 80 characters; sTermination, when given, replaces the game's. A game
// without a clock comes back unchanged.
std::string Write(std::string_view sPgn, const TimeControl &oControl,
                  const std::vector<std::int64_t> &oPlyMs, std::string_view sTermination = {});

} // namespace PgnClocks
