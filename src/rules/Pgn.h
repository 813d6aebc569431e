#pragma once

#include "clsRules.h"

#include <string>
#include <string_view>

// Games in Portable Game Notation: the export format out, the first game of any text in.
namespace Pgn {

// The standard start position, as the FEN tag would give it.
inline constexpr std::string_view StandardFen =
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

// Reads the first game in sText into oRules: its tags and result, its main line played once,
// and its tree: every comment, NAG, [%...] command and variation, each variation's moves checked
// on their own positions. A variation whose moves cannot be played is kept as its text (an
// opaque node). Throws std::invalid_argument for a main line that cannot be played ("move 12
// (Nxe5): no legal move matches", "FEN tag: ...") or an unclosed comment or variation; nothing
// changes then.
void Load(clsRules &oRules, std::string_view sText);
// The same into a game of no other use: after a throw it holds whatever was read so far. With
// pGameEnd, the offset in sText one past the game read: after its result, where the next
// game's tags begin, or the text's end.
void Read(clsRules &oRules, std::string_view sText, std::size_t *pGameEnd = nullptr);
// The tags of a game started on the board: a casual game of today, without a round. A game read
// keeps what it had, and what it lacks is written as the standard's unknown.
void SetStartTags(clsRules &oRules);

// The game in export format: the Seven Tag Roster (the game's own tags where it has them),
// SetUp and FEN for a game from another position, the other tags, then the numbered movetext
// of the whole tree in lines of at most 80 characters, ending with the result: comments in
// braces (one holding "}" after a semicolon, to the line's end), NAGs as $n, variations in
// parentheses after the move they stand for, "N..." before a Black move after a comment or a
// variation. Variations kept at the live end, after the move they followed was taken back,
// are written as a variation that repeats the last move, which reads back into the same tree.
std::string Write(const clsRules &oRules);

// Letters, digits and underscores only, as the standard has tag names.
bool IsTagName(std::string_view s);

} // namespace Pgn
