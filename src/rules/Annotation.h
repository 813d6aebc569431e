#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What players write about a move besides the move itself: comments, numeric annotation glyphs
// (NAGs) and the commands that programs keep inside comments ([%clk], [%eval], [%csl], [%cal],
// [%emt]). Qt-free, and free of the rules: squares are numbered 1 (a8) .. 64 (h1).
namespace Annotation {

// An arrow or a circle drawn on the board, as Lichess and ChessBase keep them in [%cal] and
// [%csl]: a colour letter (G green, R red, Y yellow, B blue) and one or two squares.
struct Shape {
    char cColour = 'G';
    std::int8_t nFrom = 0;
    std::int8_t nTo = 0; // nFrom for a circle
    bool IsCircle() const { return nFrom == nTo; }
    friend bool operator==(const Shape &, const Shape &) = default;
};
inline constexpr std::string_view ShapeColours = "GRYB";
// "Ge2e4" for an arrow, "Ra1" for a circle; empty for no shape.
std::string ShapeText(const Shape &o);
// The shape such a text names; nothing for any other text.
std::optional<Shape> ShapeOf(std::string_view s);

// An engine's judgement, as [%eval]: pawns with up to two decimals (kept in centipawns), or
// moves to mate, each from White's side; a search depth when one was given.
struct Eval {
    bool bMate = false;
    int nValue = 0;
    int nDepth = -1;
    friend bool operator==(const Eval &, const Eval &) = default;
};

// Everything written about one node of a game.
struct Notes {
    std::string sBefore;             // the comment before a variation's first move
    std::string sAfter;              // the comment after the move (at the root: the game's)
    std::vector<std::uint8_t> oNags; // $0..$255 in the order read
    std::vector<Shape> oShapes;      // circles first, then arrows, each in the order read
    std::optional<Eval> oEval;
    std::int64_t nEmtMs = -1; // the time the move took, -1 for none
    bool Empty() const {
        return sBefore.empty() && sAfter.empty() && oNags.empty() && oShapes.empty() && !oEval &&
               nEmtMs < 0;
    }
    friend bool operator==(const Notes &, const Notes &) = default;
};

// A comment read from a game: white space outside commands becomes single spaces and the text
// is trimmed; with bCommands the known commands are taken out into oNotes and *pClockMs (the
// last of each kind wins, shapes add up; without pClockMs a clock stays in the text), the others
// stay in place word for word. The text left is added to sText, a space between.
void ReadComment(std::string_view sComment, std::string &sText, Notes &oNotes,
                 std::int64_t *pClockMs, bool bCommands = true);
// Adds a shape where its kind goes (circles before arrows), unless it is there already.
void AddShape(std::vector<Shape> &oShapes, const Shape &o);
// The known commands of the notes and the clock, as a comment writes them: "[%clk 0:03:02]
// [%eval 0.19]"...; empty when there are none.
std::string Commands(const Notes &oNotes, std::int64_t nClockMs);
// The next unit of such a text from nAt on, where a writer may break its lines: a word, or a
// command with its spaces; empty at the end. nAt moves past it.
std::string_view NextWord(std::string_view sText, std::size_t &nAt);

// The NAG of a move-suffix glyph (! ? !! ?? !? ?!), or -1.
int GlyphNag(std::string_view s);

// A clock value as the export format keeps it: what FormatClk writes and ParseClk reads back.
std::int64_t Representable(std::int64_t nMs);

} // namespace Annotation
