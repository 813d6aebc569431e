#include "OracleGame.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <gtest/gtest.h>
#include <iostream>
#include <random>
#include <sstream>
#include <utility>

using namespace modConsts;

namespace {

constexpr std::string_view PieceLetters = "kqrnbp";

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

std::vector<std::string> Fields(const std::string &sFen) {
    std::istringstream oIn(sFen);
    std::vector<std::string> o;
    for (std::string s; oIn >> s;)
        o.push_back(s);
    o.resize(4);
    return o;
}

// The piece letter on a square of a FEN, or '.'.
char PieceAt(const std::string &sFen, std::string_view sSquare) {
    const int nFile = sSquare[0] - 'a';
    const int nRank = sSquare[1] - '1';
    int nRow = 7;
    int nCol = 0;
    for (char c : sFen) {
        if (c == ' ')
            break;
        if (c == '/') {
            --nRow;
            nCol = 0;
        } else if (c >= '1' && c <= '8') {
            nCol += c - '0';
        } else {
            if (nRow == nRank && nCol == nFile)
                return c;
            ++nCol;
        }
    }
    return '.';
}

std::string Join(const std::vector<std::string> &o) {
    std::string s;
    for (const std::string &m : o)
        s += (s.empty() ? "" : " ") + m;
    return s;
}

std::string Difference(const std::vector<std::string> &a, const std::vector<std::string> &b) {
    std::vector<std::string> o;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(o));
    return Join(o);
}

struct OracleTally {
    long nGames = 0;
    long nPositions = 0;
    long nMoves = 0;
    long nUndos = 0;
    long nChecks = 0;
    long nMates = 0;
    long nStalemates = 0;
};

long EnvOr(const char *sName, long nDefault) {
    const char *s = std::getenv(sName);
    return s ? std::strtol(s, nullptr, 10) : nDefault;
}

} // namespace

std::string UciOf(int nSrc, int nDest, std::int16_t nPromotionClass) {
    std::string s = clsRules::SquareToNotation(nSrc) + clsRules::SquareToNotation(nDest);
    if (nPromotionClass != NoPiece)
        s += PieceLetters[static_cast<std::size_t>(KindOf(nPromotionClass))];
    return s;
}

std::string FenOf(const clsRules &oRules) {
    std::string s;
    for (int y = 1; y <= 8; ++y) {
        int nEmpty = 0;
        for (int x = 1; x <= 8; ++x) {
            const clsSquare &o = oRules.Square(clsRules::SquareIndex(x, y));
            if (!o.HasPiece) {
                ++nEmpty;
                continue;
            }
            if (nEmpty)
                s += static_cast<char>('0' + std::exchange(nEmpty, 0));
            const char c = PieceLetters[static_cast<std::size_t>(KindOf(o.Piece->Class))];
            s += o.Piece->IsWhite ? static_cast<char>(c - 'a' + 'A') : c;
        }
        if (nEmpty)
            s += static_cast<char>('0' + nEmpty);
        if (y < 8)
            s += '/';
    }
    s += oRules.IsWhitesTurn() ? " w " : " b ";

    auto Unmoved = [&](std::string_view sSquare, std::int16_t nClass) {
        const clsSquare &o = oRules.Square(clsRules::NotationToSquare(sSquare));
        return o.HasPiece && o.Piece->Class == nClass && !o.Piece->HasMoved;
    };
    std::string sCastling;
    if (Unmoved("e1", WhiteKing)) {
        if (Unmoved("h1", WhiteRook))
            sCastling += 'K';
        if (Unmoved("a1", WhiteRook))
            sCastling += 'Q';
    }
    if (Unmoved("e8", BlackKing)) {
        if (Unmoved("h8", BlackRook))
            sCastling += 'k';
        if (Unmoved("a8", BlackRook))
            sCastling += 'q';
    }
    s += sCastling.empty() ? "-" : sCastling;

    // The pawn that may be taken is the one the other side just pushed two squares.
    if (oRules.EnPassantPossible()) {
        s += ' ';
        s += static_cast<char>('a' + oRules.EnPassantColumn() - 1);
        s += oRules.IsWhitesTurn() ? '6' : '3';
    } else {
        s += " -";
    }
    return s + " 0 1";
}

std::string LayoutOfFen(std::string_view sFen, bool &bWhiteFirst) {
    std::string sLayout;
    std::size_t i = 0;
    for (; i < sFen.size() && sFen[i] != ' '; ++i) {
        const char c = sFen[i];
        if (c >= '1' && c <= '8')
            for (int k = 0; k < c - '0'; ++k)
                sLayout += EmptyLayoutCode;
        else if (c != '/')
            sLayout +=
                std::string(c >= 'a' ? "B" : "W") + static_cast<char>(c >= 'a' ? c - 'a' + 'A' : c);
    }
    bWhiteFirst = i + 1 >= sFen.size() || sFen[i + 1] == 'w';
    return sLayout;
}

namespace {

// Plays one seeded random game against the oracle. Returns an empty string, or a report of the
// first disagreement with everything needed to replay it.
std::string PlayOracleGame(Stockfish &oOracle, GameUnderTest &oGame, std::uint32_t nSeed,
                           int nMaxPlies, OracleTally &oTally) {
    std::mt19937 oRandom(nSeed);
    const std::string sStartFen(StartFens[nSeed % StartFens.size()]);
    bool bWhiteFirst = true;
    oGame.Start(bWhiteFirst, LayoutOfFen(sStartFen, bWhiteFirst));
    ++oTally.nGames;

    struct Played {
        std::string sMove;
        bool bDoubleStep = false;
    };
    std::vector<Played> oPlayed;      // the game as it stands, undone moves dropped
    std::vector<std::string> oRecord; // everything that happened, undos included
    std::optional<Verdict> oLastVerdict;

    auto Report = [&](const std::string &sWhat, const Stockfish::Answer &oAnswer) {
        std::ostringstream o;
        o << sWhat << "\n  seed " << nSeed << " (replay: TAVLON_ORACLE_SEED=" << nSeed
          << " TAVLON_ORACLE_GAMES=1)\n  start  " << sStartFen << "\n  record " << Join(oRecord)
          << "\n  oracle " << oAnswer.sFen << "\n  ours   " << oGame.Fen() << '\n';
        return o.str();
    };

    for (int nPly = 0; nPly <= nMaxPlies; ++nPly) {
        std::vector<std::string> oMoves;
        for (const Played &p : oPlayed)
            oMoves.push_back(p.sMove);
        const Stockfish::Answer oAnswer = oOracle.Query(sStartFen, oMoves);
        ++oTally.nPositions;

        // The position itself: pieces, side to move and castling rights must be the oracle's.
        const std::vector<std::string> oTheirs = Fields(oAnswer.sFen);
        const std::vector<std::string> oOurs = Fields(oGame.Fen());
        if (oOurs[0] != oTheirs[0] || oOurs[1] != oTheirs[1] || oOurs[2] != oTheirs[2])
            return Report("position differs", oAnswer);
        // Our en passant flag stands after every double step; the oracle names the square only
        // when a capture is possible.
        std::string sExpectedEp = "-";
        if (!oPlayed.empty() && oPlayed.back().bDoubleStep)
            sExpectedEp =
                oPlayed.back().sMove.substr(0, 1) + (oPlayed.back().sMove[1] == '2' ? "3" : "6");
        if (oOurs[3] != sExpectedEp || (oTheirs[3] != "-" && oTheirs[3] != oOurs[3]))
            return Report("en passant state differs (expected " + sExpectedEp + ")", oAnswer);

        std::string sProblem;
        const std::vector<std::string> oLegal = oGame.LegalMoves(sProblem);
        if (!sProblem.empty())
            return Report(sProblem, oAnswer);
        if (oLegal != oAnswer.oMoves)
            return Report("legal moves differ\n  missing " + Difference(oAnswer.oMoves, oLegal) +
                              "\n  extra   " + Difference(oLegal, oAnswer.oMoves),
                          oAnswer);

        const bool bNoMove = oAnswer.oMoves.empty();
        auto Check = [&](const Verdict &v, const char *sWhose) -> std::string {
            if (v.bInCheck != oAnswer.bInCheck)
                return std::string(sWhose) + ": check verdict differs";
            if (v.bMated != (oAnswer.bInCheck && bNoMove))
                return std::string(sWhose) + ": checkmate verdict differs";
            if (v.bStalemated != (!oAnswer.bInCheck && bNoMove))
                return std::string(sWhose) + ": stalemate verdict differs";
            return {};
        };
        if (oLastVerdict)
            if (std::string s = Check(*oLastVerdict, "verdict of the last move"); !s.empty())
                return Report(s, oAnswer);
        if (const std::optional<Verdict> v = oGame.PositionVerdict())
            if (std::string s = Check(*v, "verdict on the position"); !s.empty())
                return Report(s, oAnswer);
        oTally.nChecks += oAnswer.bInCheck;
        oTally.nMates += oAnswer.bInCheck && bNoMove;
        oTally.nStalemates += !oAnswer.bInCheck && bNoMove;
        if (bNoMove || nPly == nMaxPlies)
            break;

        // Now and then take back one to three moves and play on from there.
        if (!oPlayed.empty() && oRandom() % 100 < 6) {
            const std::size_t nBack = std::min<std::size_t>(1 + oRandom() % 3, oPlayed.size());
            for (std::size_t k = 0; k < nBack; ++k) {
                oRecord.push_back("undo");
                if (!oGame.Undo())
                    return Report("undo refused", oAnswer);
                oPlayed.pop_back();
                ++oTally.nUndos;
            }
            oLastVerdict.reset();
            continue;
        }

        // Captures are preferred half the time: material comes off and the games reach the
        // endings where mates and stalemates happen.
        std::vector<std::string> oCaptures;
        for (const std::string &m : oAnswer.oMoves)
            if (PieceAt(oAnswer.sFen, m.substr(2, 2)) != '.')
                oCaptures.push_back(m);
        const std::vector<std::string> &oPool =
            !oCaptures.empty() && oRandom() % 2 ? oCaptures : oAnswer.oMoves;
        const std::string &sMove = oPool[oRandom() % oPool.size()];
        const char cPiece = PieceAt(oAnswer.sFen, sMove.substr(0, 2));
        const bool bDoubleStep =
            (cPiece == 'P' || cPiece == 'p') && std::abs(sMove[1] - sMove[3]) == 2;
        oRecord.push_back(sMove);
        oLastVerdict = oGame.Play(sMove);
        if (!oLastVerdict)
            return Report("legal move " + sMove + " refused when played", oAnswer);
        oPlayed.push_back({sMove, bDoubleStep});
        ++oTally.nMoves;
    }
    return {};
}

} // namespace

void RunOracleGames(GameUnderTest &oGame, const char *sRoad, int nDefaultGames) {
    const long nGames = EnvOr("TAVLON_ORACLE_GAMES", nDefaultGames);
    const int nMaxPlies = static_cast<int>(EnvOr("TAVLON_ORACLE_PLIES", 150));
    const auto nSeed = static_cast<std::uint32_t>(EnvOr("TAVLON_ORACLE_SEED", 20260601));
    const char *sPath = std::getenv("TAVLON_STOCKFISH");
    Stockfish oOracle(sPath ? sPath : TAVLON_STOCKFISH);
    OracleTally oTally;
    int nFailures = 0;
    for (long g = 0; g < nGames && nFailures < 3; ++g) {
        const std::string sReport = PlayOracleGame(
            oOracle, oGame, nSeed + static_cast<std::uint32_t>(g), nMaxPlies, oTally);
        if (!sReport.empty()) {
            ADD_FAILURE() << sReport;
            ++nFailures;
        }
    }
    std::cout << sRoad << ": " << oTally.nGames << " games, " << oTally.nPositions << " positions, "
              << oTally.nMoves << " moves, " << oTally.nUndos << " undos, " << oTally.nChecks
              << " checks, " << oTally.nMates << " mates, " << oTally.nStalemates
              << " stalemates\n";
}
