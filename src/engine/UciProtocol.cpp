#include "UciProtocol.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

namespace Uci {

namespace {

using Tokens = std::vector<std::string_view>;

Tokens Split(std::string_view s) {
    Tokens o;
    const auto IsBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    for (std::size_t i = 0; i < s.size();) {
        while (i < s.size() && IsBlank(s[i]))
            ++i;
        const std::size_t nStart = i;
        while (i < s.size() && !IsBlank(s[i]))
            ++i;
        if (i > nStart)
            o.push_back(s.substr(nStart, i - nStart));
    }
    return o;
}

bool ReadNumber(std::string_view s, std::int64_t &n) {
    const char *pEnd = s.data() + s.size();
    const auto [p, ec] = std::from_chars(s.data() + (s.starts_with('+') ? 1 : 0), pEnd, n);
    return ec == std::errc() && p == pEnd;
}

// The words that start a field of an info line; a move list ends at the next of them.
constexpr std::array<std::string_view, 18> InfoWords = {
    "depth",  "seldepth", "time",           "nodes",      "pv",       "multipv",
    "score",  "currmove", "currmovenumber", "hashfull",   "nps",      "tbhits",
    "sbhits", "cpuload",  "string",         "refutation", "currline", "wdl"};

bool IsInfoWord(std::string_view s) {
    return std::find(InfoWords.begin(), InfoWords.end(), s) != InfoWords.end();
}

Line Malformed(std::string sWhy) {
    Line o;
    o.eKind = Line::Kind::Malformed;
    o.sError = std::move(sWhy);
    return o;
}

std::string Join(const Tokens &o, std::size_t nFrom, std::size_t nTo) {
    std::string s;
    for (std::size_t i = nFrom; i < nTo; ++i) {
        if (!s.empty())
            s += ' ';
        s += o[i];
    }
    return s;
}

Line ParseInfo(const Tokens &o) {
    Line oLine;
    Info &oInfo = oLine.oInfo;
    bool bHasScore = false;
    std::size_t i = 1;
    // An integer argument that fits, or a malformed line.
    const auto Int = [&](std::int64_t nMin, std::int64_t nMax, std::int64_t &n) {
        return i + 1 < o.size() && ReadNumber(o[i + 1], n) && n >= nMin && n <= nMax;
    };
    constexpr std::int64_t nIntMax = std::numeric_limits<int>::max();
    constexpr std::int64_t nBig = std::numeric_limits<std::int64_t>::max();
    while (i < o.size()) {
        const std::string_view sWord = o[i];
        std::int64_t n = 0;
        if (sWord == "string")
            break; // free text to the end of the line
        if (sWord == "depth" || sWord == "seldepth" || sWord == "multipv") {
            if (!Int(sWord == "multipv" ? 1 : 0, nIntMax, n))
                return Malformed("bad " + std::string(sWord));
            (sWord == "depth"      ? oInfo.nDepth
             : sWord == "seldepth" ? oInfo.nSelDepth
                                   : oInfo.nMultiPv) = static_cast<int>(n);
            i += 2;
        } else if (sWord == "nodes" || sWord == "nps" || sWord == "time") {
            if (!Int(0, nBig, n))
                return Malformed("bad " + std::string(sWord));
            (sWord == "nodes" ? oInfo.nNodes : sWord == "nps" ? oInfo.nNps : oInfo.nTimeMs) = n;
            i += 2;
        } else if (sWord == "score") {
            bHasScore = true;
            ++i;
            for (; i < o.size() && !IsInfoWord(o[i]); ++i) {
                if (o[i] == "lowerbound" || o[i] == "upperbound") {
                    oInfo.oScore.eBound =
                        o[i] == "lowerbound" ? Score::Bound::Lower : Score::Bound::Upper;
                } else if (o[i] == "cp" || o[i] == "mate") {
                    // Mates beyond any game's length and scores beyond any engine's scale are
                    // not believed.
                    const std::int64_t nLimit = o[i] == "cp" ? 1'000'000 : 10'000;
                    if (i + 1 >= o.size() || !ReadNumber(o[i + 1], n) || n < -nLimit || n > nLimit)
                        return Malformed("bad score");
                    oInfo.oScore.nValue = static_cast<int>(n);
                    oInfo.oScore.eKind = o[i] == "cp" ? Score::Kind::Cp : Score::Kind::Mate;
                    if (oInfo.oScore.eKind == Score::Kind::Mate && n == 0) {
                        oInfo.oScore.eKind = Score::Kind::Mated; // "mate 0": mated already
                        oInfo.oScore.nValue = -1;
                    }
                    ++i;
                } else {
                    return Malformed("bad score");
                }
            }
            if (oInfo.oScore.eKind == Score::Kind::None)
                return Malformed("bad score");
        } else if (sWord == "pv") {
            for (++i; i < o.size() && !IsInfoWord(o[i]); ++i)
                oInfo.oPv.emplace_back(o[i]);
        } else {
            // Fields this client does not use, with whatever arguments they have; unknown words.
            for (++i; i < o.size() && !IsInfoWord(o[i]); ++i) {
            }
        }
    }
    if (bHasScore)
        oLine.eKind = Line::Kind::Info;
    return oLine;
}

Line ParseOption(const Tokens &o) {
    // option name <words> type <t> [default <words>] [min <n>] [max <n>] [var <words>]...
    constexpr std::array<std::string_view, 6> Words = {"name", "type", "default",
                                                       "min",  "max",  "var"};
    Line oLine;
    oLine.eKind = Line::Kind::Option;
    Option &oOption = oLine.oOption;
    std::size_t i = 1;
    while (i < o.size()) {
        const std::string_view sWord = o[i];
        if (std::find(Words.begin(), Words.end(), sWord) == Words.end())
            return Malformed("bad option");
        std::size_t nEnd = i + 1;
        // A name may hold any word but "type"; the other values end at any keyword.
        while (nEnd < o.size() &&
               (sWord == "name" ? o[nEnd] != "type"
                                : std::find(Words.begin(), Words.end(), o[nEnd]) == Words.end()))
            ++nEnd;
        std::string sValue = Join(o, i + 1, nEnd);
        if (sWord == "name")
            oOption.sName = std::move(sValue);
        else if (sWord == "type")
            oOption.sType = std::move(sValue);
        else if (sWord == "default")
            oOption.sDefault = std::move(sValue);
        else if (sWord == "var")
            oOption.oVars.push_back(std::move(sValue));
        else if (!ReadNumber(sValue, sWord == "min" ? oOption.nMin : oOption.nMax))
            return Malformed("bad option");
        i = nEnd;
    }
    if (oOption.sName.empty() || oOption.sType.empty())
        return Malformed("bad option");
    return oLine;
}

} // namespace

Score Turned(const Score &oScore) {
    Score o = oScore;
    o.nValue = -o.nValue;
    if (o.eBound != Score::Bound::Exact)
        o.eBound = o.eBound == Score::Bound::Lower ? Score::Bound::Upper : Score::Bound::Lower;
    return o;
}

Line ParseLine(std::string_view sLine) {
    const Tokens o = Split(sLine);
    Line oLine;
    if (o.empty())
        return oLine;
    const std::string_view sCommand = o[0];
    if (sCommand == "uciok" || sCommand == "readyok") {
        oLine.eKind = sCommand == "uciok" ? Line::Kind::UciOk : Line::Kind::ReadyOk;
    } else if (sCommand == "id" && o.size() >= 2 && (o[1] == "name" || o[1] == "author")) {
        oLine.eKind = o[1] == "name" ? Line::Kind::IdName : Line::Kind::IdAuthor;
        oLine.sText = Join(o, 2, o.size());
    } else if (sCommand == "bestmove") {
        oLine.eKind = Line::Kind::BestMove;
        // "(none)", "0000" or nothing: no move to play (the game is over).
        if (o.size() >= 2 && o[1] != "(none)" && o[1] != "0000")
            oLine.sText = o[1];
        if (o.size() >= 4 && o[2] == "ponder")
            oLine.sPonder = o[3];
    } else if (sCommand == "info") {
        return ParseInfo(o);
    } else if (sCommand == "option") {
        return ParseOption(o);
    }
    return oLine;
}

} // namespace Uci
