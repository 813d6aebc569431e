#pragma once

#include "Move.h"
#include "clsRules.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Moves as players write them: standard algebraic notation (SAN) out and in, and the
// coordinate form (e2e4, e7e8q) that engines and typed input use.
namespace Notation {

// Why a text names no move of the position.
enum class Refusal {
    NoMoveGiven,
    Unreadable,
    Ambiguous,
    NoMatch,
    CastlingIllegal,
    PromotionPieceMissing,
    NotLegal
};
// Thrown by the readers and writers below; what() is the cause in English words.
class Error : public std::invalid_argument {
public:
    explicit Error(Refusal eCause);
    Refusal Cause() const { return m_eCause; }

private:
    Refusal m_eCause;
};

// SAN of a legal move of the side to move, with "+" or "#"; leaves the game as it was.
// Throws Error when the move is not legal.
std::string San(clsRules &oRules, const Move &oMove);
// The same, appended to sOut; with bPlay the move stays played.
void AppendSan(clsRules &oRules, const Move &oMove, std::string &sOut, bool bPlay = false);
// The SAN of a move of the side to move without its promotion piece and check mark, appended to
// sOut; the move is not judged. The game writes it before each move it plays.
void AppendSanBody(clsRules &oRules, const Move &oMove, std::string &sOut);

// The legal move of the side to move that sText names: SAN (check marks, annotation suffixes,
// castling with zeros and needless disambiguation allowed) or coordinates. Throws
// Error naming the cause (unreadable, no legal move, ambiguous). With
// bPieceOptional a promotion may leave its piece unnamed; the move then has no nPromotion.
Move ParseSan(clsRules &oRules, std::string_view sText, bool bPieceOptional = false);

// As ParseSan; failing that, the one legal move whose SAN the text matches in any letter case
// ("nf6", "qd8", "o-o", "exd8=q"), as Lichess reads typed moves. A text that names a legal
// move as it stands is that move: "bxc6" is the b-pawn's capture when it has one, else the
// bishop's. Throws Error (ambiguous when the text matches several moves).
Move ParseSanAnyCase(clsRules &oRules, std::string_view sText);

// The game's moves, oldest first, in SAN and in coordinates, as its record keeps them.
std::vector<std::string> SanMoves(const clsRules &oRules);
std::vector<std::string> CoordinateMoves(const clsRules &oRules);
std::string Coordinate(const Move &oMove);

} // namespace Notation
