// The differential test: seeded random games (with take-backs) played through the core's
// legal-move list, PlayMove and UndoLastMove against Stockfish, asked through UCI; standard
// chess, and Chess960 from random start positions with UCI_Chess960 on.

#include "Chess960.h"
#include "TestRules.h" // with <algorithm>, <array>, <cctype>, <string> and <vector>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <stdexcept>
#include <unistd.h>

namespace {

// The piece letter of a FEN on a square (1 = a8 .. 64 = h1), or '.'.
char PieceAt(std::string_view sFen, int nSquare) {
    return FenSquares(sFen).at(std::size_t(nSquare - 1));
}

// Where the random games begin: the usual start most often, positions rich in castling, en
// passant, promotions and pins, and bare endings where mate and stalemate are a move away (two
// of them are already over). Castling rights follow from the kings and rooks standing unmoved
// on their home squares, so every FEN here claims exactly those rights.
const std::array<std::string_view, 12> StartFens = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "k7/8/1K6/8/8/8/8/2Q5 w - - 0 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "n1n5/PPPk4/8/8/8/8/4Kppp/5N1N b - - 0 1",
    "k7/2Q5/1K6/8/8/8/8/8 b - - 0 1",
    "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/8/8/8/3pPp2/8/8/R3K1R1 b Qkq - 0 1",
    "R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1",
    "7k/5K2/8/8/8/8/6r1/5R2 w - - 0 1",
};

struct Answer {
    std::string sFen;
    bool bInCheck = false;
    std::vector<std::string> oMoves; // legal moves, "e2e4" / "e7e8q", sorted
};

// The position Stockfish reaches from sStartFen by the moves, asked over its two pipes.
Answer Query(std::FILE *pIn, std::FILE *pOut, const std::string &sStartFen,
             const std::vector<std::string> &oMoves) {
    std::string s = "position fen " + sStartFen + " moves";
    for (const std::string &m : oMoves)
        s += " " + m;
    // "d" answers at once while perft may run on a search thread, so the two answers are told
    // apart by their lines, not by their order.
    if (std::fputs((s + "\nd\ngo perft 1\n").c_str(), pIn) < 0 || std::fflush(pIn) != 0)
        throw std::runtime_error("cannot write to stockfish");
    Answer oAnswer;
    for (int nAnswers = 0; nAnswers < 2;) {
        s.clear();
        for (int c; (c = std::fgetc(pOut)) != '\n'; s += static_cast<char>(c))
            if (c == EOF)
                throw std::runtime_error("stockfish closed its output");
        const std::size_t nColon = s.find(": ");
        if (s.starts_with("Fen: "))
            oAnswer.sFen = s.substr(5);
        if (s.starts_with("Checkers:"))
            oAnswer.bInCheck = s.find_first_not_of(' ', 9) != std::string::npos;
        if ((nColon == 4 || nColon == 5) && s[0] >= 'a' && s[0] <= 'h')
            oAnswer.oMoves.push_back(s.substr(0, nColon)); // "e2e4: 1"
        nAnswers += s.starts_with("Checkers:") || s.starts_with("Nodes searched:");
    }
    std::sort(oAnswer.oMoves.begin(), oAnswer.oMoves.end());
    return oAnswer;
}

// The FEN our game shows when the oracle's FEN is right: the oracle names the en passant square
// only when a capture is possible, ours after every double step.
std::string ExpectedFen(const std::string &sFen, const std::vector<std::string> &oPlayed) {
    const std::string m = oPlayed.empty() ? "a1a1" : oPlayed.back(); // no move: no double step
    const int nSrc = clsRules::NotationToSquare(m.substr(0, 2));
    const int nDest = clsRules::NotationToSquare(m.substr(2, 2));
    const bool bDoubleStep =
        std::tolower(PieceAt(sFen, nDest)) == 'p' && std::abs(nDest - nSrc) == 16;
    std::size_t nEp = sFen.find(' ');
    for (int k = 0; k < 2; ++k)
        nEp = sFen.find(' ', nEp + 1);
    const std::size_t nEpEnd = sFen.find(' ', nEp + 1);
    const std::string sOracleEp = sFen.substr(nEp + 1, nEpEnd - nEp - 1);
    const std::string sEp = bDoubleStep ? clsRules::SquareToNotation((nSrc + nDest) / 2) : "-";
    if (sOracleEp != "-" && sOracleEp != sEp)
        return "oracle en passant " + sOracleEp + " is no double step";
    return sFen.substr(0, nEp + 1) + sEp + sFen.substr(nEpEnd);
}

// A draw the rules declare by themselves while moves remain: a dead position by material, 150
// plies without capture or pawn move, or the fivefold repetition (oLine: the FENs so far).
bool DrawnByRule(const std::string &sFen, const std::vector<std::string> &oLine) {
    const std::string sPlacement = sFen.substr(0, sFen.find(' '));
    int nKnights = 0;
    int nBishops[2] = {0, 0}; // on light and dark squares
    for (int i = 1; i <= modConsts::SquareCount; ++i) {
        const char c = static_cast<char>(std::tolower(PieceAt(sFen, i)));
        nKnights += c == 'n';
        if (c == 'b')
            ++nBishops[((i - 1) / 8 + (i - 1) % 8) % 2];
    }
    const bool bOnlyMinor = sPlacement.find_first_of("qrpQRP") == std::string::npos;
    const bool bDead = bOnlyMinor && ((nKnights == 0 && (nBishops[0] == 0 || nBishops[1] == 0)) ||
                                      (nKnights == 1 && nBishops[0] + nBishops[1] == 0));
    const std::size_t nClock = sFen.rfind(' ', sFen.rfind(' ') - 1);
    const std::string sKey = sFen.substr(0, nClock);
    const long nSame = std::count_if(oLine.begin(), oLine.end(), [&](const std::string &s) {
        return s.substr(0, s.rfind(' ', s.rfind(' ') - 1)) == sKey;
    });
    return bDead || std::stoi(sFen.substr(nClock + 1)) >= 150 || nSame >= 5;
}

std::string Difference(const std::vector<std::string> &a, const std::vector<std::string> &b) {
    std::vector<std::string> o;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(o));
    std::string s;
    for (const std::string &m : o)
        s += " " + m;
    return s;
}

// A verdict on the side to move, as words to compare and report.
std::string Verdict(bool bInCheck, bool bMated, bool bStalemated) {
    return std::string(bInCheck ? "check" : "no check") + (bMated ? ", mate" : "") +
           (bStalemated ? ", stalemate" : "");
}

// Plays one seeded random game against the oracle. Returns an empty string, or a report of the
// first disagreement with everything needed to replay it. A Chess960 game starts from a random
// numbered position.
std::string PlayGame(std::FILE *pIn, std::FILE *pOut, clsRules &o, std::uint32_t nSeed,
                     int nMaxPlies, bool b960) {
    std::mt19937 oRandom(nSeed);
    const std::string sStartFen(b960 ? Chess960::Fen(static_cast<int>(oRandom() % 960))
                                     : std::string(StartFens[nSeed % StartFens.size()]));
    o.SetFen(sStartFen, b960);
    clsRules oScratch;
    std::vector<std::string> oPlayed; // the game as it stands, undone moves dropped
    std::vector<std::string> oLine;   // the oracle's FEN after each of them
    std::string sRecord;              // everything that happened, undos included
    std::string sLastVerdict;         // of the move just played, or empty
    for (int nPly = 0;; ++nPly) {
        const Answer oAnswer = Query(pIn, pOut, sStartFen, oPlayed);
        auto Report = [&](const std::string &sWhat) {
            const std::string sSeed = std::to_string(nSeed);
            return sWhat + "\n  seed " + sSeed + " (replay: TAVLON_ORACLE_SEED=" + sSeed +
                   (b960 ? " TAVLON_ORACLE_GAMES=0 TAVLON_ORACLE960_GAMES=1)\n  start  "
                         : " TAVLON_ORACLE_GAMES=1)\n  start  ") +
                   sStartFen + "\n  record" + sRecord + "\n  oracle " + oAnswer.sFen + '\n';
        };

        // In Chess960 the oracle writes the rooks' files (Shredder-FEN); we write X-FEN.
        std::string sExpected = ExpectedFen(oAnswer.sFen, oPlayed);
        if (b960) {
            oScratch.SetFen(sExpected, true);
            sExpected = oScratch.Fen();
        }
        if (o.Fen() != sExpected)
            return Report("FEN differs\n  ours     " + o.Fen() + "\n  expected " + sExpected);
        oLine.resize(oPlayed.size());
        oLine.push_back(oAnswer.sFen);
        const std::vector<std::string> oMoves = LegalCoordinates(o);
        if (!oAnswer.oMoves.empty() && DrawnByRule(oAnswer.sFen, oLine)) {
            return oMoves.empty() ? std::string() : Report("moves allowed in a drawn game");
        }
        if (o.Fen() != sExpected)
            return Report("listing the moves changed the game");
        if (oMoves != oAnswer.oMoves)
            return Report("legal moves differ\n  missing" + Difference(oAnswer.oMoves, oMoves) +
                          "\n  extra  " + Difference(oMoves, oAnswer.oMoves));

        const bool bNoMove = oAnswer.oMoves.empty();
        const std::string sTrue =
            Verdict(oAnswer.bInCheck, oAnswer.bInCheck && bNoMove, !oAnswer.bInCheck && bNoMove);
        if (!sLastVerdict.empty() && sLastVerdict != sTrue)
            return Report("verdict of the last move: " + sLastVerdict + "; oracle " + sTrue);
        const bool bWhite = o.IsWhitesTurn();
        const int nKing = bWhite ? o.WhiteKingSquare() : o.BlackKingSquare();
        if (const std::string s =
                Verdict(o.IsSquareAttacked(bWhite, nKing), o.IsCheckmate(bWhite, nKing),
                        o.IsStalemate(bWhite, nKing));
            s != sTrue)
            return Report("verdict on the position: " + s + "; oracle " + sTrue);
        if (bNoMove || nPly == nMaxPlies)
            return {};

        // Now and then take back one to three moves and play on from there.
        if (!oPlayed.empty() && oRandom() % 100 < 6) {
            for (std::size_t k = 1 + oRandom() % 3; k > 0 && !oPlayed.empty(); --k) {
                sRecord += " undo";
                if (!o.UndoLastMove())
                    return Report("undo refused");
                oPlayed.pop_back();
            }
            sLastVerdict.clear();
            continue;
        }

        // Captures are preferred half the time: material comes off and the games reach the
        // endings where mates and stalemates happen.
        std::vector<std::string> oCaptures;
        for (const std::string &m : oAnswer.oMoves)
            if (PieceAt(oAnswer.sFen, clsRules::NotationToSquare(m.substr(2, 2))) != '.')
                oCaptures.push_back(m);
        const std::vector<std::string> &oPool =
            !oCaptures.empty() && oRandom() % 2 ? oCaptures : oAnswer.oMoves;
        const std::string &sMove = oPool[oRandom() % oPool.size()];
        sRecord += " " + sMove;
        clsRules::MoveVerdict v;
        if (!o.PlayMove(MoveOf(o, sMove), &v))
            return Report("legal move " + sMove + " refused when played");
        sLastVerdict = Verdict(v.bOpponentInCheck, v.bOpponentMated, v.bOpponentStalemated);
        oPlayed.push_back(sMove);
    }
}

long EnvOr(const char *sName, long nDefault) {
    const char *s = std::getenv(sName);
    return s ? std::strtol(s, nullptr, 10) : nDefault;
}

// Plays seeded random games against Stockfish, failing the test (with what is
// needed to replay it) for each of the first three disagreements. TAVLON_ORACLE_GAMES (default
// 300), TAVLON_ORACLE_PLIES (150) and TAVLON_ORACLE_SEED change the run; TAVLON_ORACLE960_GAMES
// (default 40) Chess960 games from random start positions follow, with UCI_Chess960 on.
TEST(Oracle, RandomGamesThroughTheCoreAgreeWithStockfish) {
    const long nGames = EnvOr("TAVLON_ORACLE_GAMES", 300);
    const long n960 = EnvOr("TAVLON_ORACLE960_GAMES", 40);
    const int nMaxPlies = static_cast<int>(EnvOr("TAVLON_ORACLE_PLIES", 150));
    const auto nSeed = static_cast<std::uint32_t>(EnvOr("TAVLON_ORACLE_SEED", 20260601));
    int oPipe[2];
    if (pipe(oPipe) != 0)
        throw std::runtime_error("pipe failed");
    std::signal(SIGPIPE, SIG_IGN); // a dead engine must fail the test through EOF
    std::FILE *pIn =
        popen(("exec " TAVLON_STOCKFISH " >&" + std::to_string(oPipe[1])).c_str(), "w");
    std::FILE *pOut = fdopen(oPipe[0], "r");
    close(oPipe[1]);
    clsRules oRules;
    for (long g = 0, nFailures = 0; g < nGames + n960 && nFailures < 3; ++g) {
        if (g == nGames)
            std::fputs("setoption name UCI_Chess960 value true\n", pIn);
        if (const std::string s =
                PlayGame(pIn, pOut, oRules, nSeed + std::uint32_t(g), nMaxPlies, g >= nGames);
            !s.empty()) {
            ADD_FAILURE() << s;
            ++nFailures;
        }
    }
    pclose(pIn);
    std::fclose(pOut);
}

} // namespace
