#include "PgnClocks.h"

#include <cctype>

namespace {

bool IsSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// The value of a tag line's pair, or nothing when the line is no tag of that name.
bool TagValue(std::string_view sLine, std::string_view sName, std::string &sValue) {
    if (!sLine.starts_with('[') || sLine.substr(1, sName.size()) != sName ||
        sLine.size() < sName.size() + 2 || !IsSpace(sLine[sName.size() + 1]))
        return false;
    const auto nOpen = sLine.find('"');
    const auto nClose = sLine.rfind('"');
    if (nOpen == std::string_view::npos || nClose <= nOpen)
        return false;
    sValue.clear();
    for (auto i = nOpen + 1; i < nClose; ++i)
        if (sLine[i] != '\\' || (i + 1 < nClose && ++i))
            sValue += sLine[i];
    return true;
}

std::int64_t ClkOfComment(std::string_view sComment) {
    const auto n = sComment.find("[%clk");
    if (n == std::string_view::npos)
        return -1;
    std::size_t i = n + 5;
    while (i < sComment.size() && IsSpace(sComment[i]))
        ++i;
    const auto nEnd = sComment.find(']', i);
    return nEnd == std::string_view::npos ? -1 : ParseClk(sComment.substr(i, nEnd - i));
}

bool IsResult(std::string_view s) {
    return s == "1-0" || s == "0-1" || s == "1/2-1/2" || s == "*";
}

} // namespace

namespace PgnClocks {

GameClocks Read(std::string_view sText) {
    GameClocks o;
    std::string sControl;
    std::string sDelay;
    std::string sValue;
    std::size_t i = 0;
    // Tags: lines starting with '[' before the movetext.
    while (i < sText.size()) {
        while (i < sText.size() && IsSpace(sText[i]))
            ++i;
        if (i >= sText.size() || sText[i] != '[')
            break;
        const auto nEnd = std::min(sText.find('\n', i), sText.size());
        const std::string_view sLine = sText.substr(i, nEnd - i);
        if (TagValue(sLine, "TimeControl", sValue))
            sControl = sValue;
        else if (TagValue(sLine, "TimeDelay", sValue))
            sDelay = sValue;
        i = nEnd;
    }
    int nDepth = 0; // inside variations
    while (i < sText.size()) {
        const char c = sText[i];
        if (IsSpace(c)) {
            ++i;
        } else if (c == '{') {
            const auto nEnd = std::min(sText.find('}', i), sText.size());
            if (nDepth == 0 && !o.oPlyMs.empty()) {
                if (const std::int64_t n = ClkOfComment(sText.substr(i, nEnd - i)); n >= 0) {
                    o.oPlyMs.back() = n;
                    o.bHasClk = true;
                }
            }
            i = nEnd + 1;
        } else if (c == ';' || c == '%') {
            i = std::min(sText.find('\n', i), sText.size());
        } else if (c == '(' || c == ')') {
            nDepth += c == '(' ? 1 : -1;
            ++i;
        } else if (c == '[' && nDepth == 0) {
            break; // the next game's tags
        } else {
            std::size_t nEnd = i;
            while (nEnd < sText.size() && !IsSpace(sText[nEnd]) &&
                   std::string_view("{}();").find(sText[nEnd]) == std::string_view::npos)
                ++nEnd;
            std::string_view sToken = sText.substr(i, nEnd - i);
            i = std::max(nEnd, i + 1);
            if (IsResult(sToken) && nDepth == 0)
                break;
            // "12." or "12..." alone, or glued to its move ("12.Nf3").
            while (!sToken.empty() && std::isdigit(static_cast<unsigned char>(sToken[0])))
                sToken.remove_prefix(1);
            while (!sToken.empty() && sToken[0] == '.')
                sToken.remove_prefix(1);
            if (nDepth == 0 && !sToken.empty() && sToken[0] != '$' && sToken != "--")
                o.oPlyMs.push_back(-1);
        }
    }
    o.oControl = TimeControl::FromTags(sControl, sDelay);
    return o;
}

std::string Write(std::string_view sPgn, const TimeControl &oControl,
                  const std::vector<std::int64_t> &oPlyMs, std::string_view sTermination) {
    if (!oControl.IsTimed())
        return std::string(sPgn);
    auto nMoves = sPgn.find("\n\n");
    if (nMoves == std::string_view::npos)
        return std::string(sPgn);
    nMoves += 1;
    std::string s;
    std::string sValue;
    for (std::size_t i = 0; i < nMoves;) {
        const auto nEnd = sPgn.find('\n', i) + 1;
        const std::string_view sLine = sPgn.substr(i, nEnd - i);
        if (!TagValue(sLine, "TimeControl", sValue) && !TagValue(sLine, "TimeDelay", sValue) &&
            !TagValue(sLine, "Termination", sValue))
            s += sLine;
        i = nEnd;
    }
    if (!sTermination.empty())
        s.append("[Termination \"").append(sTermination).append("\"]\n");
    s += "[TimeControl \"" + oControl.TagValue() + "\"]\n";
    if (oControl.nDelayMs)
        s += "[TimeDelay \"" + oControl.DelayTagValue() + "\"]\n";
    s += '\n';
    // The movetext again, token by token, each move followed by its clock.
    std::vector<std::string> oTokens;
    std::size_t nPly = 0;
    for (std::size_t i = nMoves + 1; i < sPgn.size();) {
        while (i < sPgn.size() && IsSpace(sPgn[i]))
            ++i;
        std::size_t nEnd = i;
        while (nEnd < sPgn.size() && !IsSpace(sPgn[nEnd]))
            ++nEnd;
        if (nEnd == i)
            break;
        const std::string_view sToken = sPgn.substr(i, nEnd - i);
        oTokens.emplace_back(sToken);
        i = nEnd;
        if (IsResult(sToken) || sToken[0] == '.' ||
            std::isdigit(static_cast<unsigned char>(sToken[0])))
            continue;
        if (nPly < oPlyMs.size() && oPlyMs[nPly] >= 0)
            oTokens.push_back("{[%clk " + FormatClk(oPlyMs[nPly]) + "]}");
        ++nPly;
    }
    std::size_t nLine = 0;
    for (const std::string &sToken : oTokens) {
        if (nLine > 0 && nLine + 1 + sToken.size() > 80) {
            s += '\n';
            nLine = 0;
        } else if (nLine > 0) {
            s += ' ';
            ++nLine;
        }
        s += sToken;
        nLine += sToken.size();
    }
    s += "\n\n";
    return s;
}

} // namespace PgnClocks
