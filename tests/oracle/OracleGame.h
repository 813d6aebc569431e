#pragma once

#include "Stockfish.h"

#include <clsRules.h>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a game reports about the side to move after a move, or about the current position.
struct Verdict {
    bool bInCheck = false;
    bool bMated = false;
    bool bStalemated = false;
};

// One road into the rules (the core itself, or the Board control) that the oracle plays against.
class GameUnderTest {
public:
    virtual ~GameUnderTest() = default;
    virtual void Start(bool bWhiteFirst, const std::string &sLayout) = 0;
    // The position as FEN, castling rights and en passant square read from the game's fields.
    virtual std::string Fen() = 0;
    // Every move the game accepts, sorted, in UCI form. Sets sProblem when the search itself
    // found something wrong (a trial that changed the position, for example).
    virtual std::vector<std::string> LegalMoves(std::string &sProblem) = 0;
    // Plays the move; empty when it was refused.
    virtual std::optional<Verdict> Play(const std::string &sMove) = 0;
    virtual bool Undo() = 0;
    // The game's own verdict on the side to move, when it can give one.
    virtual std::optional<Verdict> PositionVerdict() = 0;
};

std::string FenOf(const clsRules &oRules);
// The layout string and first side of a FEN's first two fields.
std::string LayoutOfFen(std::string_view sFen, bool &bWhiteFirst);
std::string UciOf(int nSrc, int nDest, std::int16_t nPromotionClass = modConsts::NoPiece);

// Plays seeded random games through oGame against Stockfish, adding a test failure (with what
// is needed to replay it) for each of the first few disagreements, and prints what was checked.
// TAVLON_ORACLE_GAMES (default nDefaultGames), TAVLON_ORACLE_PLIES (150) and TAVLON_ORACLE_SEED
// change the run.
void RunOracleGames(GameUnderTest &oGame, const char *sRoad, int nDefaultGames);
