#include "Review.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace Review {

namespace {

using Kind = Uci::Score::Kind;

// Lichess's curve from centipawns to winning chances (lila pull request 11148).
double RawChances(double dCp) {
    return std::clamp(2.0 / (1.0 + std::exp(-0.00368208 * dCp)) - 1.0, -1.0, 1.0);
}

int Sign(int n) {
    return n < 0 ? -1 : 1;
}

// A score as centipawns held to +-1000, mates at the limit (Lichess's forceAsCp, ceiled).
int CeiledCp(const Uci::Score &o) {
    if (o.eKind == Kind::Cp)
        return std::clamp(o.nValue, -1000, 1000);
    return o.eKind == Kind::None ? 0 : 1000 * Sign(o.nValue);
}

// One move's accuracy from the mover's win percentage before and after it (Lichess's
// AccuracyPercent.fromWinPercents, with its bonus of one point for the engine's own doubt).
double MoveAccuracy(double dBefore, double dAfter) {
    if (dAfter >= dBefore)
        return 100.0;
    const double d = 103.1668100711649 * std::exp(-0.04354415386753951 * (dBefore - dAfter)) -
                     3.166924740191411 + 1.0;
    return std::clamp(d, 0.0, 100.0);
}

double StandardDeviation(const double *p, std::size_t n) {
    double dMean = 0;
    for (std::size_t i = 0; i < n; ++i)
        dMean += p[i];
    dMean /= static_cast<double>(n);
    double dSum = 0;
    for (std::size_t i = 0; i < n; ++i)
        dSum += (p[i] - dMean) * (p[i] - dMean);
    return std::sqrt(dSum / static_cast<double>(n));
}

constexpr std::string_view Descriptions[] = {"Inaccuracy", "Mistake", "Blunder",
                                             "Checkmate is now unavoidable",
                                             "Lost forced checkmate sequence"};

} // namespace

double WinningChances(const Uci::Score &o) {
    switch (o.eKind) {
    case Kind::Cp:
        return RawChances(std::clamp(o.nValue, -1000, 1000));
    case Kind::Mate:
        return RawChances((21 - std::min(10, std::abs(o.nValue))) * 100 * Sign(o.nValue));
    case Kind::Mated:
        return Sign(o.nValue);
    case Kind::None:
        break;
    }
    return 0;
}

double WinPercent(const Uci::Score &o) {
    return 50 + 50 * RawChances(CeiledCp(o));
}

std::string EvalText(const Uci::Score &o) {
    if (o.eKind == Kind::None)
        return {};
    char s[32];
    if (o.eKind == Kind::Mate || o.eKind == Kind::Mated) {
        std::snprintf(s, sizeof s, "#%d", o.eKind == Kind::Mated ? 0 : o.nValue);
        return s;
    }
    // Pawns written as the shortest decimal, with at least one digit after the point.
    const int n = std::abs(o.nValue);
    if (n % 10 == 0)
        std::snprintf(s, sizeof s, "%s%d.%d", o.nValue < 0 ? "-" : "", n / 100, n % 100 / 10);
    else
        std::snprintf(s, sizeof s, "%s%d.%02d", o.nValue < 0 ? "-" : "", n / 100, n % 100);
    return s;
}

std::string DisplayText(const Uci::Score &o) {
    if (o.eKind != Kind::Cp)
        return EvalText(o);
    char s[32];
    std::snprintf(s, sizeof s, "%s%d.%02d",
                  o.nValue > 0   ? "+"
                  : o.nValue < 0 ? "-"
                                 : "",
                  std::abs(o.nValue) / 100, std::abs(o.nValue) % 100);
    return s;
}

double GraphPawns(const Uci::Score &o) {
    if (o.eKind == Kind::Cp)
        return std::clamp(o.nValue / 100.0, -10.0, 10.0);
    return o.eKind == Kind::None ? 0.0 : 10.0 * Sign(o.nValue);
}

std::string NumberedLine(const std::vector<std::string> &oSan, int nFullmove, bool bWhite) {
    std::string s;
    for (std::size_t i = 0; i < oSan.size(); ++i, bWhite = !bWhite) {
        if (i > 0)
            s += ' ';
        if (bWhite || i == 0)
            s.append(std::to_string(nFullmove)).append(bWhite ? ". " : "... ");
        s += oSan[i];
        nFullmove += bWhite ? 0 : 1;
    }
    return s;
}

int Nag(Judgement e) {
    constexpr int Nags[] = {0, 6, 2, 4};
    return Nags[static_cast<int>(e)];
}

Judgement Judge(const Uci::Score &oBefore, const Uci::Score &oAfter, bool bWhiteMoved,
                std::string_view *pDescription) {
    // Both from the mover's side.
    const Uci::Score oPrev = bWhiteMoved ? oBefore : Uci::Turned(oBefore);
    const Uci::Score oNext = bWhiteMoved ? oAfter : Uci::Turned(oAfter);
    Judgement e = Judgement::None;
    std::size_t nDescription = 0;
    if (oPrev.eKind == Kind::Cp && oNext.eKind == Kind::Cp) {
        const double dDrop = RawChances(oPrev.nValue) - RawChances(oNext.nValue);
        e = dDrop >= 0.3   ? Judgement::Blunder
            : dDrop >= 0.2 ? Judgement::Mistake
            : dDrop >= 0.1 ? Judgement::Inaccuracy
                           : Judgement::None;
        nDescription = static_cast<std::size_t>(e) - 1;
    } else {
        const bool bPrevMates = oPrev.eKind == Kind::Mate && oPrev.nValue > 0;
        const bool bNextMated = oNext.eKind == Kind::Mate && oNext.nValue < 0;
        const int nPrevCp = oPrev.eKind == Kind::Cp ? oPrev.nValue : 0;
        const int nNextCp = oNext.eKind == Kind::Cp ? oNext.nValue : 0;
        if (oPrev.eKind != Kind::Mate && bNextMated) {
            // A mate let in: the worse the position already was, the smaller the fault.
            e = nPrevCp < -999   ? Judgement::Inaccuracy
                : nPrevCp < -700 ? Judgement::Mistake
                                 : Judgement::Blunder;
            nDescription = 3;
        } else if (bPrevMates && (oNext.eKind != Kind::Mate || bNextMated) &&
                   oNext.eKind != Kind::Mated) {
            // A mate let slip: the better the position still is, the smaller the fault.
            e = nNextCp > 999   ? Judgement::Inaccuracy
                : nNextCp > 700 ? Judgement::Mistake
                                : Judgement::Blunder;
            nDescription = 4;
        }
    }
    if (pDescription && e != Judgement::None)
        *pDescription = Descriptions[nDescription];
    return e;
}

std::array<std::optional<double>, 2> Accuracy(const std::vector<Uci::Score> &oScores,
                                              bool bWhiteFirst) {
    std::array<std::optional<double>, 2> oResult;
    if (oScores.size() < 2)
        return oResult;
    std::vector<double> oWin;
    oWin.reserve(oScores.size());
    for (const Uci::Score &o : oScores)
        oWin.push_back(WinPercent(o));
    const std::size_t nMoves = oWin.size() - 1;
    // Each move weighs by how much the game swung around it: the deviation of the win
    // percentages in a window of 2..8 positions, the first windows repeated to cover the opening.
    const std::size_t nWindow = std::clamp<std::size_t>(nMoves / 10, 2, 8);
    std::array<double, 2> dWeighted{}, dWeights{}, dInverse{};
    std::array<int, 2> nCount{};
    for (std::size_t i = 0; i < nMoves; ++i) {
        const std::size_t nStart = i + 2 > nWindow ? i + 2 - nWindow : 0;
        const double dWeight =
            std::clamp(StandardDeviation(oWin.data() + nStart, nWindow), 0.5, 12.0);
        const bool bWhite = (i % 2 == 0) == bWhiteFirst;
        const double dAccuracy = bWhite ? MoveAccuracy(oWin[i], oWin[i + 1])
                                        : MoveAccuracy(100 - oWin[i], 100 - oWin[i + 1]);
        const std::size_t c = bWhite ? 0 : 1;
        dWeighted[c] += dAccuracy * dWeight;
        dWeights[c] += dWeight;
        dInverse[c] += 1 / std::max(1.0, dAccuracy);
        ++nCount[c];
    }
    for (std::size_t c = 0; c < 2; ++c)
        if (nCount[c] > 0)
            oResult[c] = (dWeighted[c] / dWeights[c] + nCount[c] / dInverse[c]) / 2;
    return oResult;
}

void JudgeGame(GameAnalysis &o) {
    std::size_t nSearched = 0;
    while (nSearched < o.oPlies.size() && o.oPlies[nSearched].bSearched)
        ++nSearched;
    o.bComplete = nSearched == o.oPlies.size();
    o.oPlayers = {};
    std::vector<Uci::Score> oScores;
    for (std::size_t i = 0; i < nSearched; ++i)
        oScores.push_back(o.oPlies[i].oScore);
    for (std::size_t i = 1; i < o.oPlies.size(); ++i) {
        PlyResult &oPly = o.oPlies[i];
        const PlyResult &oPrev = o.oPlies[i - 1];
        oPly.eJudgement = Judgement::None;
        oPly.sComment.clear();
        // Like Lichess, a move the engine itself chose is never faulted, whatever the noise
        // between two searches says.
        if (i >= nSearched || i > o.oMoves.size() || oPrev.sBestMove.empty() ||
            oPrev.sBestMove == o.oMoves[i - 1])
            continue;
        const bool bWhite = ((i - 1) % 2 == 0) == o.bWhiteFirst;
        std::string_view sDescription;
        oPly.eJudgement = Judge(oPrev.oScore, oPly.oScore, bWhite, &sDescription);
        if (oPly.eJudgement == Judgement::None)
            continue;
        oPly.sComment = std::string(sDescription) + '.';
        if (!oPrev.oBestLine.empty())
            oPly.sComment += " " + oPrev.oBestLine.front() + " was best.";
        PlayerSummary &oPlayer = o.oPlayers[bWhite ? 0 : 1];
        ++(oPly.eJudgement == Judgement::Inaccuracy ? oPlayer.nInaccuracies
           : oPly.eJudgement == Judgement::Mistake  ? oPlayer.nMistakes
                                                    : oPlayer.nBlunders);
    }
    const auto oAccuracy = Accuracy(oScores, o.bWhiteFirst);
    o.oPlayers[0].dAccuracy = oAccuracy[0];
    o.oPlayers[1].dAccuracy = oAccuracy[1];
}

std::vector<MoveAnnotation> Annotations(const GameAnalysis &o) {
    // Lichess keeps twelve plies of a better line.
    constexpr std::size_t nLineMax = 12;
    std::vector<MoveAnnotation> oResult(o.oMoves.size());
    for (std::size_t i = 1; i < o.oPlies.size() && i <= oResult.size(); ++i) {
        const PlyResult &oPly = o.oPlies[i];
        MoveAnnotation &oOut = oResult[i - 1];
        // A mate on the board needs no evaluation (Lichess leaves it out too).
        if (oPly.bSearched && oPly.oScore.eKind != Kind::None && oPly.oScore.eKind != Kind::Mated)
            oOut.sEval = "[%eval " + EvalText(oPly.oScore) + "]";
        oOut.nNag = Nag(oPly.eJudgement);
        // Every judged move says so, as Lichess writes it; that is also how a later run knows
        // its own marks from the players'.
        oOut.sComment = oPly.sComment;
        if (oPly.eJudgement == Judgement::Mistake || oPly.eJudgement == Judgement::Blunder) {
            const std::vector<std::string> &oLine = o.oPlies[i - 1].oBestLine;
            oOut.oVariation.assign(
                oLine.begin(),
                oLine.begin() + static_cast<std::ptrdiff_t>(std::min(oLine.size(), nLineMax)));
        }
    }
    return oResult;
}

std::size_t ReviewCommentLength(std::string_view s) {
    for (const std::string_view sDescription : Descriptions) {
        if (!s.starts_with(sDescription) || s.substr(sDescription.size(), 1) != ".")
            continue;
        const std::size_t nWords = sDescription.size() + 1;
        // "Blunder. Nf3 was best." at the start, then the text's end or a space; a bare
        // "Blunder." only as the whole comment, where a player's own words may follow it.
        constexpr std::string_view sTail = " was best.";
        if (s.size() > nWords + 1 && s[nWords] == ' ') {
            const std::size_t nMove = s.find(' ', nWords + 1);
            const std::size_t nEnd = nMove + sTail.size();
            if (nMove != std::string_view::npos && nMove > nWords + 1 &&
                s.substr(nMove, sTail.size()) == sTail && (nEnd == s.size() || s[nEnd] == ' '))
                return nEnd;
        }
        return nWords == s.size() ? nWords : 0;
    }
    return 0;
}

std::string ReviewBestMove(std::string_view s) {
    const std::size_t n = ReviewCommentLength(s);
    constexpr std::string_view sTail = " was best.";
    if (n == 0 || !s.substr(0, n).ends_with(sTail))
        return {};
    const std::string_view sHead = s.substr(0, n - sTail.size());
    return std::string(sHead.substr(sHead.rfind(' ') + 1));
}

} // namespace Review
