#pragma once

// Whether a position set up by hand can be played, for a board editor: the judge, the castling
// rights its pieces support, the en passant squares it allows, and a reader of FEN text that
// tells text that is no FEN from a FEN whose position cannot be played. Every answer is a value;
// the words are the caller's.

#include "clsRules.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace PositionCheck {

// A set-up position: pieces a8..h1, the side to move, castling rights (K 1, Q 2, k 4, q 8) with
// their rooks' files (nCastlingFile, 0 for the h or a file), the en passant column (0 for none)
// and the two counters. bInCheck is not read.
using Setup = clsRules::Position;

// Why a position cannot be played, in the order the judge asks.
enum class Problem {
    None,
    KingCount,       // a side has no king, or more than one (nCount says how many)
    TooManyPieces,   // more than 16 pieces of one side (nCount)
    PawnOnBackRank,  // a pawn on the first or last rank (nSquare)
    TooMuchMaterial, // more pieces of a kind than the missing pawns could have become
    CastlingRight,   // a right without its king and rook on their squares (nRight)
    EnPassant,       // no pawn of the side not to move can just have passed the square (nSquare)
    OpponentInCheck, // the side not to move is in check
    TooManyCheckers, // check by more than two pieces (nCount)
    ImpossibleCheck, // a check no last move could give: double, or with the en passant square
};

struct Verdict {
    Problem eProblem = Problem::None;
    bool bWhite = false; // the side concerned
    int nCount = 0;
    int nSquare = 0; // 1 (a8) .. 64 (h1)
    int nRight = 0;  // 0 K, 1 Q, 2 k, 3 q
    bool Playable() const { return eProblem == Problem::None; }
};

// The first reason the position cannot be played, or Problem::None. With b960 castling rights
// are judged as Chess960 has them (see SupportedCastling); a CastlingRight verdict then names
// the rook's square in nSquare.
Verdict Judge(const Setup &o, bool b960 = false);

// The king's and the rook's squares of castling right nRight (0 K, 1 Q, 2 k, 3 q) in standard
// chess.
struct CastlingSquares {
    int nKing;
    int nRook;
};
CastlingSquares SquaresOf(int nRight);
// The rights whose king and rook stand on their squares, as a mask like Setup::nCastling. In
// standard chess those of SquaresOf, with the a or h file as the rook's; with b960 any king on
// its first rank and the rook on the right's file (nCastlingFile, 0 for h or a) on that side of
// it, as in Chess960.
int SupportedCastling(const Setup &o, bool b960 = false);
// The files a Chess960 right nRight may take its rook from, bit f - 1 for file f: those of the
// side's rooks on its first rank on that side of its king there; none without such a king.
unsigned RookFiles(const Setup &o, int nRight);
// The square (1 a8 .. 64 h1) of right nRight's rook in Chess960: on the right's file, h or a
// for 0.
int RookSquare(const Setup &o, int nRight);

// The en passant columns possible, bit c - 1 for column c: a pawn of the side not to move stands
// where a step of two from its first row put it, the two squares it passed are empty, and the
// check on the side to move, if any, is one that step can have given.
unsigned EnPassantColumns(const Setup &o);

// Which field of a FEN text does not read.
enum class FenField { None, Count, Placement, Side, Castling, EnPassant, Halfmove, Fullmove };
struct FenFault {
    FenField eField = FenField::None;
    std::string sText; // the field as written (empty for Count)
    bool Read() const { return eField == FenField::None; }
};
// Reads the form alone (four to six fields: eight ranks of eight squares, w or b, the castling
// field, - or a square of the rank behind a pawn just stepped twice, the counters) into o; what
// the position is worth is Judge's question. o is set only when the text reads. The castling
// field is read as the game reads it (X-FEN or Shredder-FEN, see clsRules::ReadCastling), and
// *pChess960 says whether its rights need Chess960. Where the pieces do not fit it, it reads as
// long as it is a set of KQkq, rights the judge will name; file letters must name their rooks.
FenFault ReadFen(std::string_view sFen, Setup &o, bool *pChess960 = nullptr);
// The placement field alone: false, leaving the pieces as they were, unless it reads.
bool ReadPlacement(std::string_view sPlacement, std::array<std::int8_t, 64> &oPieces);

} // namespace PositionCheck
