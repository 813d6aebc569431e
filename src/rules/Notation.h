#pragma once

#include "Move.h"
#include "clsRules.h"

#include <string>
#include <string_view>
#include <vector>

// Moves as players write them: standard algebraic notation (SAN) out and in, and the
// coordinate form (e2e4, e7e8q) that engines and typed input use.
namespace Notation {

// SAN of a legal move of the side to move, with "+" or "#"; leaves the game as it was.
// Throws std::invalid_argument when the move is not legal.
std::string San(clsRules &oRules, const Move &oMove);
// The same, appended to sOut (no allocation once sOut has room); with bPlay the move stays played.
void AppendSan(clsRules &oRules, const Move &oMove, std::string &sOut, bool bPlay = false);

// The legal move of the side to move that sText names: SAN (check marks, annotation suffixes,
// castling with zeros and needless disambiguation allowed) or coordinates. Throws
// std::invalid_argument naming the cause (unreadable, no legal move, ambiguous). With
// bPieceOptional a promotion may leave its piece unnamed; the move then has no nPromotion.
Move ParseSan(clsRules &oRules, std::string_view sText, bool bPieceOptional = false);

// The game's moves, oldest first, in SAN and in coordinates.
std::vector<std::string> SanMoves(const clsRules &oRules);
std::vector<std::string> CoordinateMoves(const clsRules &oRules);
std::string Coordinate(const Move &oMove);

} // namespace Notation
