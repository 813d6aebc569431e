#pragma once

#include "Review.h"

#include <algorithm>
#include <string>
#include <vector>

class clsRules;

namespace Review {

// Writes an analysis into a game's tree as Lichess's computer analysis writes it: [%eval] after
// each searched main-line move, $6, $2 or $4 with words such as "Blunder. Nf3 was best." on
// each judged move, and at mistakes and blunders the engine's line as a variation. The players'
// own notes stay; what an earlier run wrote (its words, their mark, and its line when nobody
// has written in it since) gives way to this run's. Moves the analysis did not reach keep what
// they had. It stops where the game's main line leaves the moves analysed. Returns the moves
// annotated.
//
// A Tree offers, with node ids as the game names them:
//   std::vector<std::string> MainLine() const;    // the main line's moves in coordinates
//   int MainLineNode(int nPly) const;             // after ply nPly (0: the start)
//   std::vector<int> Children(int n) const;       // the first continues the line
//   std::string San(int n) const;                 // empty for a line kept as text
//   bool Bare(int n) const;                       // from n on: one line, and no note in it
//   std::string Comment(int n) const;             // the comment after the move
//   std::vector<int> Nags(int n) const;
//   void SetNotes(int n, const std::string &sComment, const std::vector<int> &oNags,
//                 const std::string &sEval);      // "0.17", "#-3"; empty for none
//   void DeleteVariation(int n);
//   int AddMove(int n, const std::string &sSan);  // the child holding it, or a new one; -1
template <class Tree>
int Annotate(Tree &oTree, const GameAnalysis &o) {
    const std::vector<MoveAnnotation> oNotes = Annotations(o);
    const std::vector<std::string> oLine = oTree.MainLine();
    int nDone = 0;
    for (std::size_t i = 0; i < oNotes.size() && i < oLine.size() && oLine[i] == o.oMoves[i]; ++i) {
        if (!o.oPlies[i + 1].bSearched)
            continue;
        const int nPly = static_cast<int>(i) + 1;
        const int n = oTree.MainLineNode(nPly);
        const int nBefore = oTree.MainLineNode(nPly - 1);
        const MoveAnnotation &oNew = oNotes[i];
        std::string sComment = oTree.Comment(n);
        std::vector<int> oNags = oTree.Nags(n);
        if (const std::size_t nOld = ReviewCommentLength(sComment)) {
            const std::string sBest = ReviewBestMove(sComment);
            const bool bInaccuracy = sComment.starts_with("Inaccuracy");
            const bool bMistake = sComment.starts_with("Mistake");
            const bool bBlunder = sComment.starts_with("Blunder");
            sComment.erase(0, std::min(sComment.size(), nOld + 1));
            // The mark those words came with: first, as it was written.
            if (!oNags.empty() &&
                (bInaccuracy || bMistake || bBlunder
                     ? oNags.front() == (bInaccuracy ? 6
                                         : bMistake  ? 2
                                                     : 4)
                     : oNags.front() == 2 || oNags.front() == 4 || oNags.front() == 6))
                oNags.erase(oNags.begin());
            for (const int nChild : oTree.Children(nBefore))
                if (nChild != n && !sBest.empty() && oTree.San(nChild) == sBest &&
                    oTree.Bare(nChild)) {
                    oTree.DeleteVariation(nChild);
                    break;
                }
        }
        // A player's own judgement of the move stands.
        const bool bJudged = std::any_of(oNags.begin(), oNags.end(),
                                         [](int nNag) { return nNag >= 1 && nNag <= 6; });
        if (oNew.nNag != 0 && !bJudged) {
            std::vector<int> oMarked{oNew.nNag};
            for (const int nNag : oNags)
                oMarked.push_back(nNag);
            oNags = std::move(oMarked);
        }
        if (!oNew.sComment.empty())
            sComment = oNew.sComment + (sComment.empty() ? "" : " ") + sComment;
        const Uci::Score &oScore = o.oPlies[i + 1].oScore;
        oTree.SetNotes(n, sComment, oNags,
                       oScore.eKind == Uci::Score::Kind::Mated ? std::string() : EvalText(oScore));
        int nAt = nBefore;
        for (const std::string &sSan : oNew.oVariation)
            if ((nAt = oTree.AddMove(nAt, sSan)) < 0)
                break;
        ++nDone;
    }
    return nDone;
}

// The same on a game of the rules core, for the command line.
int Annotate(clsRules &oGame, const GameAnalysis &o);

} // namespace Review
