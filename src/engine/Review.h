#pragma once

#include "UciProtocol.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What an engine's evaluations of a game's positions say about its moves, the way Lichess's
// computer analysis says it: winning chances, inaccuracies, mistakes and blunders, accuracy,
// and the texts a PGN gets. No Qt, no engine: plain data in, plain data out.
namespace Review {

// Lichess's winning chances of White, -1..1, as its evaluation bar shows them: centipawns held
// to +-1000, a mate in n counted as (21 - min(10, n)) pawns.
double WinningChances(const Uci::Score &oWhite);
// Lichess's win percentage for accuracy, 0..100: centipawns held to +-1000, a mate as 1000.
double WinPercent(const Uci::Score &oWhite);
// The evaluation as Lichess writes it inside [%eval]: 0.17, -1.5, 1.0, #3, #-3, #0; empty for
// no score.
std::string EvalText(const Uci::Score &oWhite);
// The same for people: +1.35, -0.40, 0.00, #3, #-3.
std::string DisplayText(const Uci::Score &oWhite);
// Pawns for a graph, White up, held to +-10; a mate at the limit.
double GraphPawns(const Uci::Score &oWhite);

// A line of moves in SAN with its move numbers: "12... Nf6 13. Bd3" from Black's 12th move.
std::string NumberedLine(const std::vector<std::string> &oSan, int nFullmove, bool bWhiteToMove);

enum class Judgement : std::uint8_t { None, Inaccuracy, Mistake, Blunder };
// $6, $2 or $4; 0 for None.
int Nag(Judgement e);

// One position of the game: index 0 the start, index i the position after the i-th move.
struct PlyResult {
    bool bSearched = false; // false: never reached (cancelled, or the engine failed first)
    Uci::Score oScore;      // White's point of view; Mated where the game ended in checkmate
    int nDepth = 0;
    std::int64_t nNodes = 0;
    std::string sBestMove;              // coordinates; empty where the game is over
    std::vector<std::string> oBestLine; // SAN from this position, the best move first
    // How the move that led here is judged (index >= 1), from this score and the one before.
    Judgement eJudgement = Judgement::None;
    std::string sComment; // Lichess's words for a judged move: "Blunder. Nf3 was best."
};

// Counts and accuracy of one player.
struct PlayerSummary {
    int nInaccuracies = 0;
    int nMistakes = 0;
    int nBlunders = 0;
    std::optional<double> dAccuracy; // 0..100; none without a judged move
};

struct GameAnalysis {
    std::string sStartFen;
    bool bWhiteFirst = true;
    std::vector<std::string> oMoves;       // the main line as played, in coordinates
    std::vector<PlyResult> oPlies;         // oMoves.size() + 1 entries
    std::array<PlayerSummary, 2> oPlayers; // White, Black
    bool bComplete = false;                // every position searched
};

// Judges the move from oBefore to oAfter (White's view) for its mover, as Lichess's advice does:
// a drop in the mover's winning chances of 0.1, 0.2 or 0.3 between two centipawn scores, or a
// mate let in or let slip (then judged by the centipawns on the other side). Sets *pDescription
// to the words for it ("Mistake", "Checkmate is now unavoidable", ...).
Judgement Judge(const Uci::Score &oBefore, const Uci::Score &oAfter, bool bWhiteMoved,
                std::string_view *pDescription = nullptr);

// Lichess's game accuracy of each player (White, Black) from the scores of every position in
// order, the start first: each move's accuracy from the mover's loss of win percentage, then the
// mean of a mean weighted by the game's volatility and a harmonic mean. No value for a player
// without a move.
std::array<std::optional<double>, 2> Accuracy(const std::vector<Uci::Score> &oWhiteScores,
                                              bool bWhiteFirst);

// Fills every judgement, comment and summary of o from its scores and moves. Only the positions
// searched from the start on, without a gap, take part.
void JudgeGame(GameAnalysis &o);

// What a game's main-line move gets from an analysis.
struct MoveAnnotation {
    std::string sEval;    // "[%eval 0.17]"; empty after a checkmate or an unsearched position
    int nNag = 0;         // 6, 2 or 4
    std::string sComment; // at each judged move: "Blunder. Nf3 was best."
    // At mistakes and blunders: the engine's line in place of the move, in SAN, at most 12 plies.
    std::vector<std::string> oVariation;
};
// One entry per move of o.oMoves.
std::vector<MoveAnnotation> Annotations(const GameAnalysis &o);
// The length of the words Annotations writes at the start of a comment ("Blunder. Nf3 was
// best."), 0 for none: running the analysis again replaces them and keeps the players' own.
std::size_t ReviewCommentLength(std::string_view sComment);
// The move those words name as best ("Nf3"); empty for none.
std::string ReviewBestMove(std::string_view sComment);

} // namespace Review
