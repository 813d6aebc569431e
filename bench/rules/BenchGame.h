#pragma once

#include "Notation.h"

#include <cstdint>
#include <string>

// A 150-ply game as a PGN text with a comment, a NAG or a variation after most moves, the way
// annotated games are shared. The moves are drawn from the legal ones by a fixed sequence, so
// every run reads the same text.
inline std::string AnnotatedGame(int nPlies = 150) {
    for (std::uint32_t nSeed = 1;; ++nSeed) {
        clsRules oRules;
        std::string s = "[Event \"Benchmark\"]\n[Site \"?\"]\n[Date \"2024.01.01\"]\n"
                        "[Round \"1\"]\n[White \"A\"]\n[Black \"B\"]\n[Result \"*\"]\n\n";
        std::uint32_t n = nSeed;
        MoveList oMoves;
        int nPly = 0;
        for (; nPly < nPlies; ++nPly) {
            oRules.LegalMoves(oMoves);
            if (oMoves.size() == 0)
                break;
            n = n * 1664525u + 1013904223u;
            const Move oMove = oMoves[(n >> 8) % oMoves.size()];
            // The variation is another move from the same position.
            const std::string sOther = Notation::San(oRules, oMoves[0]);
            if (oRules.IsWhitesTurn())
                s += std::to_string(oRules.FullmoveNumber()) + ". ";
            Notation::AppendSan(oRules, oMove, s, true);
            switch (nPly % 4) {
            case 0:
                s += " {a comment on the move, as long as most}";
                break;
            case 1:
                s += " $1";
                break;
            case 2:
                s += " (" + sOther + " {another idea})";
                break;
            default:
                break;
            }
            s += nPly % 8 == 7 ? '\n' : ' ';
        }
        if (nPly == nPlies)
            return s + "*\n";
    }
}
