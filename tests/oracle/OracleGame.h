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
    std::optional<bool> bMated;      // empty when this road does not tell
    std::optional<bool> bStalemated; // empty when this road does not tell
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

struct OracleOptions {
    int nGames = 300;
    int nMaxPlies = 150;
    std::uint32_t nSeed = 20260601;
    // Read from TAVLON_ORACLE_GAMES, TAVLON_ORACLE_PLIES and TAVLON_ORACLE_SEED when set.
    static OracleOptions FromEnvironment(int nDefaultGames);
};

struct OracleTally {
    long nGames = 0;
    long nPositions = 0;
    long nMoves = 0;
    long nUndos = 0;
    long nChecks = 0;
    long nMates = 0;
    long nStalemates = 0;
};

// Plays one seeded random game against the oracle. Returns an empty string, or a report of the
// first disagreement with everything needed to replay it.
std::string PlayOracleGame(Stockfish &oOracle, GameUnderTest &oGame, std::uint32_t nSeed,
                           int nMaxPlies, OracleTally &oTally);

std::string StockfishPath();
