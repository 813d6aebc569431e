#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What one line from a UCI engine says, as plain data. No Qt and no position: moves stay in the
// engine's coordinates here; the client checks them on its position and writes them in SAN.
namespace Uci {

// An evaluation from one side's point of view: the side to move's as the engine reports it,
// White's once turned by ForWhite.
struct Score {
    enum class Kind : std::uint8_t {
        None,  // the line carried no score
        Cp,    // centipawns
        Mate,  // nValue > 0: this side mates in nValue moves; < 0: it is mated in -nValue
        Mated, // checkmate on the board: nValue -1, this side is mated; +1, the other side is
    };
    enum class Bound : std::uint8_t { Exact, Lower, Upper };
    Kind eKind = Kind::None;
    Bound eBound = Bound::Exact;
    int nValue = 0;
    friend bool operator==(const Score &, const Score &) = default;
};

// The same score from the other side: a lower bound for one is an upper bound for the other.
Score Turned(const Score &oScore);
// A side-to-move score as White sees it.
inline Score ForWhite(const Score &oScore, bool bWhiteToMove) {
    return bWhiteToMove ? oScore : Turned(oScore);
}

// One "info" line that reports a search result.
struct Info {
    int nMultiPv = 1;
    int nDepth = 0;
    int nSelDepth = 0;
    Score oScore;
    std::int64_t nNodes = 0;
    std::int64_t nNps = 0;
    std::int64_t nTimeMs = 0;
    std::vector<std::string> oPv; // coordinates: e2e4, e7e8q
};

// One declared option ("option name Hash type spin default 16 min 1 max 33554432").
struct Option {
    std::string sName;
    std::string sType; // check, spin, combo, button or string
    std::string sDefault;
    std::int64_t nMin = 0;
    std::int64_t nMax = 0;
    std::vector<std::string> oVars; // a combo's choices
};

struct Line {
    enum class Kind : std::uint8_t {
        Ignored,   // empty, unknown, or an info line with no score ("info string", currmove...)
        Malformed, // a known command whose arguments make no sense; sError says what
        IdName,
        IdAuthor,
        UciOk,
        ReadyOk,
        Option,
        Info,
        BestMove,
    };
    Kind eKind = Kind::Ignored;
    std::string sText;   // IdName, IdAuthor: the name; BestMove: the move, empty for none
    std::string sPonder; // BestMove
    std::string sError;  // Malformed
    Info oInfo;
    Option oOption;
};

// Reads one line without its line end. Tokens are separated by any run of blanks.
Line ParseLine(std::string_view sLine);

} // namespace Uci
