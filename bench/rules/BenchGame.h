#pragma once

#include "Notation.h"
#include "Pgn.h"

#include <cstdint>
#include <string>
#include <vector>

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

// A plain game of that many plies: tags and numbered moves, nothing else.
inline std::string PlainGame(int nPlies = 154) {
    for (std::uint32_t nSeed = 7;; ++nSeed) {
        clsRules oRules;
        std::uint32_t n = nSeed;
        MoveList oMoves;
        int nPly = 0;
        for (; nPly < nPlies; ++nPly) {
            oRules.LegalMoves(oMoves);
            if (oMoves.size() == 0)
                break;
            n = n * 1664525u + 1013904223u;
            oRules.PlayMove(oMoves[(n >> 8) % oMoves.size()]);
        }
        if (nPly == nPlies)
            return Pgn::Write(oRules);
    }
}

// Games as annotators share them: a main line with clocks and, beside every fourth move, a
// variation holding one of its own that holds a third; comments, NAGs, evaluations and arrows
// on the moves of every line. Written by the export writer, one after another.
inline std::string AnnotatedGames(int nGames = 20, int nPlies = 80, int nLine = 6) {
    std::uint32_t nRandom = 12345;
    auto Next = [&nRandom] {
        nRandom = nRandom * 1664525u + 1013904223u;
        return nRandom >> 8;
    };
    std::string sAll;
    for (int g = 0; g < nGames; ++g) {
        clsRules o;
        clsRules oBoard;
        MoveList oMoves;
        int nNotes = 0;
        auto Annotate = [&](int n) {
            Annotation::Notes x;
            switch (++nNotes % 6) {
            case 0:
                x.sAfter = "a plan worth a look";
                break;
            case 2:
                x.oNags = {static_cast<std::uint8_t>(1 + Next() % 6)};
                break;
            case 4:
                x.oEval = Annotation::Eval{false, static_cast<int>(Next() % 200) - 100, 20};
                x.oShapes = {{'G', 53, 37}, {'R', 29, 29}};
                break;
            default:
                return;
            }
            o.SetNotes(n, x);
        };
        // From node nAt, a line of nLength moves starting with another move than its first
        // child's, and beside its second move a line one deeper, down to the third.
        auto Line = [&](auto &&self, int nAt, int nLength, int nDepth) -> void {
            int n = nAt;
            for (int i = 0; i < nLength; ++i) {
                oBoard.SetPosition(o.NodePosition(n), o.Is960());
                oBoard.LegalMoves(oMoves);
                if (oMoves.size() < 2)
                    return;
                const int nFirst = o.FirstChild(n);
                Move oMove = oMoves[Next() % oMoves.size()];
                if (nFirst >= 0 && o.NodePly(nFirst).oMove == oMove)
                    oMove = oMoves[(&oMove - oMoves.begin() + 1) % oMoves.size()];
                const int nNew = o.AddMove(n, oMove);
                Annotate(nNew);
                if (i == 1 && nDepth < 3)
                    self(self, n, nLength - 1, nDepth + 1);
                n = nNew;
            }
        };
        // A game as long as asked for: random play may end one early.
        while (o.PlyCount() < nPlies) {
            o.NewGame();
            for (int i = 0; i < nPlies; ++i) {
                o.LegalMoves(oMoves);
                if (oMoves.empty())
                    break;
                o.PlayMove(oMoves[Next() % oMoves.size()]);
                o.Record().back().nClockMs = 180'000 - 1000 * i;
                Annotate(o.LiveNode());
            }
        }
        for (int k = 2; k < o.PlyCount(); k += 4)
            Line(Line, o.MainLineNode(k - 1), nLine, 1);
        o.Tags() = {{"Event", "Benchmark"}, {"Round", std::to_string(g + 1)}};
        sAll += Pgn::Write(o);
    }
    return sAll;
}
