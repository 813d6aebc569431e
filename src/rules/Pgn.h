#pragma once

#include "clsRules.h"

#include <string>
#include <string_view>

// Games in Portable Game Notation: the export format out, the first game of any text in.
namespace Pgn {

// The standard start position, as the FEN tag would give it.
inline constexpr std::string_view StandardFen =
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

// Plays the main line of the first game in sText, each move once, with its tags and result,
// into oRules. Throws std::invalid_argument ("move 12 (Nxe5): no legal move matches",
// "FEN tag: ..."); nothing changes then.
void Load(clsRules &oRules, std::string_view sText);
// The same into a game of no other use: after a throw it holds whatever was read so far. With
// pGameEnd, the offset in sText one past the game read: after its result, where the next
// game's tags begin, or the text's end.
void Read(clsRules &oRules, std::string_view sText, std::size_t *pGameEnd = nullptr);
// The tags of a game started on the board: a casual game of today, without a round. A game read
// keeps what it had, and what it lacks is written as the standard's unknown.
void SetStartTags(clsRules &oRules);

// The game in export format: the Seven Tag Roster (the game's own tags where it has them),
// SetUp and FEN for a game from another position, the other tags, then numbered movetext in
// lines of at most 80 characters, ending with the result.
std::string Write(const clsRules &oRules);

// Letters, digits and underscores only, as the standard has tag names.
bool IsTagName(std::string_view s);

} // namespace Pgn
