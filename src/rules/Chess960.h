#pragma once

#include <string>
#include <string_view>

class clsRules;

// The 960 start positions of Chess960 (Fischer Random), by Scharnagl's numbers: the pieces of
// the back rank placed in turn by the digits of the number, so that the bishops stand on squares
// of both colours and the king between the rooks. Number 518 is the standard position.
namespace Chess960 {

inline constexpr int Count = 960;
inline constexpr int StandardNumber = 518;

// White's back rank of start position nNumber, a to h, as piece letters ("RNBQKBNR" for 518);
// empty for a number outside 0..959.
std::string BackRank(int nNumber);
// The number of a back rank written that way, or -1 when it is no Chess960 start position.
int Number(std::string_view sBackRank);
// The start position as a layout for clsRules::NewGame, and as an X-FEN.
std::string Layout(int nNumber);
std::string Fen(int nNumber);

// The value of the PGN tag Variant for Chess960 games, and whether a tag's value names the
// variant (the names other programs write, in any case).
inline constexpr std::string_view VariantName = "Chess960";
bool IsVariantName(std::string_view sValue);

// The number of the start position a Chess960 game began at (White to move, every castling
// right, no move made), or -1: a standard game, or one set up from another position.
int StartNumber(const clsRules &oRules);

} // namespace Chess960
