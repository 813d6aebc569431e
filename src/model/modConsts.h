#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// Codes and constants shared by the model, the rules and the board.
namespace modConsts {

// Piece class codes: black 0..5, white the same kind plus WhiteOffset.
inline constexpr std::int16_t NoPiece = -1;
inline constexpr std::int16_t BlackKing = 0;
inline constexpr std::int16_t BlackQueen = 1;
inline constexpr std::int16_t BlackRook = 2;
inline constexpr std::int16_t BlackKnight = 3;
inline constexpr std::int16_t BlackBishop = 4;
inline constexpr std::int16_t BlackPawn = 5;
inline constexpr std::int16_t WhiteOffset = 6;
inline constexpr std::int16_t WhiteKing = 6;
inline constexpr std::int16_t WhiteQueen = 7;
inline constexpr std::int16_t WhiteRook = 8;
inline constexpr std::int16_t WhiteKnight = 9;
inline constexpr std::int16_t WhiteBishop = 10;
inline constexpr std::int16_t WhitePawn = 11;
inline constexpr int ClassCount = 12;

// Move-type codes kept in a move record.
inline constexpr std::int16_t PlainMove = 1;
inline constexpr std::int16_t KingSideCastling = 2;
inline constexpr std::int16_t QueenSideCastling = 3;
inline constexpr std::int16_t EnPassantCapture = 4;
inline constexpr std::int16_t PawnPromotion = 5;

// Squares are numbered 1 (a8) to 64 (h1), row by row from White's far side.
inline constexpr int SquareCount = 64;

// Two-letter layout codes, indexed by class code.
inline constexpr std::array<std::string_view, ClassCount> LayoutCodes = {
    "BK", "BQ", "BR", "BN", "BB", "BP", "WK", "WQ", "WR", "WN", "WB", "WP"};
inline constexpr std::string_view EmptyLayoutCode = "XX";
inline constexpr int LayoutLength = 2 * SquareCount;

inline constexpr std::string_view StandardLayout =
    "BRBNBBBQBKBBBNBRBPBPBPBPBPBPBPBPXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX"
    "XXXXWPWPWPWPWPWPWPWPWRWNWBWQWKWBWNWR";

constexpr bool IsWhiteClass(std::int16_t nClass) {
    return nClass >= WhiteOffset;
}
// The kind of a piece whatever its colour: the black code of the same kind.
constexpr std::int16_t KindOf(std::int16_t nClass) {
    return static_cast<std::int16_t>(nClass >= WhiteOffset ? nClass - WhiteOffset : nClass);
}

} // namespace modConsts
