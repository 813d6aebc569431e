#include "Annotation.h"

#include "TimeControl.h"

#include <algorithm>
#include <charconv>

namespace Annotation {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Where the command starting at i ("[%") ends, one past its ']'; npos when it is not closed.
std::size_t CommandEnd(std::string_view s, std::size_t i) {
    const std::size_t n = s.find(']', i + 2);
    return n == std::string_view::npos ? n : n + 1;
}

bool StartsCommand(std::string_view s, std::size_t i) {
    return i + 1 < s.size() && s[i] == '[' && s[i + 1] == '%';
}

int SquareOf(char cFile, char cRank) {
    if (cFile < 'a' || cFile > 'h' || cRank < '1' || cRank > '8')
        return 0;
    return (8 - (cRank - '0')) * 8 + (cFile - 'a') + 1;
}

void AppendSquare(std::string &s, int nSquare) {
    s += static_cast<char>('a' + (nSquare - 1) % 8);
    s += static_cast<char>('0' + 8 - (nSquare - 1) / 8);
}

bool ReadInt(std::string_view s, int &n) {
    if (s.empty() || s.size() > 7 || s.find_first_not_of("0123456789") != std::string_view::npos)
        return false;
    std::from_chars(s.data(), s.data() + s.size(), n);
    return true;
}

// 0.19, -1.5, +3, #4, #-2, each maybe with ",depth".
std::optional<Eval> ReadEval(std::string_view s) {
    Eval o;
    if (const std::size_t nComma = s.find(','); nComma != std::string_view::npos) {
        if (!ReadInt(Trim(s.substr(nComma + 1)), o.nDepth))
            return std::nullopt;
        s = Trim(s.substr(0, nComma));
    }
    o.bMate = !s.empty() && s.front() == '#';
    if (o.bMate)
        s.remove_prefix(1);
    const bool bNegative = !s.empty() && s.front() == '-';
    if (!s.empty() && (s.front() == '-' || s.front() == '+'))
        s.remove_prefix(1);
    int nWhole = 0;
    int nCents = 0;
    const std::size_t nDot = s.find('.');
    if (!ReadInt(s.substr(0, nDot), nWhole))
        return std::nullopt;
    if (nDot != std::string_view::npos) {
        const std::string_view sFraction = s.substr(nDot + 1);
        // More decimals than the value keeps: the command stays as it was written.
        if (o.bMate || sFraction.size() > 2 || !ReadInt(sFraction, nCents))
            return std::nullopt;
        if (sFraction.size() == 1)
            nCents *= 10;
    }
    o.nValue = o.bMate ? nWhole : nWhole * 100 + nCents;
    if (bNegative)
        o.nValue = -o.nValue;
    return o;
}

// The shapes of a [%csl] (circles) or [%cal] (arrows) list; false for anything else.
bool ReadShapes(std::string_view s, bool bArrows, std::vector<Shape> &oShapes) {
    std::vector<Shape> oRead;
    while (!s.empty()) {
        const std::size_t nComma = s.find(',');
        const std::optional<Shape> o = ShapeOf(Trim(s.substr(0, nComma)));
        if (!o || o->IsCircle() == bArrows)
            return false;
        oRead.push_back(*o);
        s = nComma == std::string_view::npos ? std::string_view() : s.substr(nComma + 1);
    }
    if (oRead.empty())
        return false;
    for (const Shape &o : oRead)
        AddShape(oShapes, o);
    return true;
}

// Takes a known command into the notes; false leaves it in the text.
bool TakeCommand(std::string_view sCommand, Notes &oNotes, std::int64_t *pClockMs) {
    sCommand = sCommand.substr(2, sCommand.size() - 3); // inside "[%" and "]"
    std::size_t nName = 0;
    while (nName < sCommand.size() && !IsBlank(sCommand[nName]))
        ++nName;
    const std::string_view sName = sCommand.substr(0, nName);
    const std::string_view sValue = Trim(sCommand.substr(nName));
    if ((sName == "clk" && pClockMs) || sName == "emt") {
        const std::int64_t nMs = ParseClk(sValue);
        if (nMs < 0)
            return false;
        (sName == "clk" ? *pClockMs : oNotes.nEmtMs) = Representable(nMs);
        return true;
    }
    if (sName == "eval") {
        const std::optional<Eval> o = ReadEval(sValue);
        if (o)
            oNotes.oEval = o;
        return o.has_value();
    }
    if (sName == "csl" || sName == "cal")
        return ReadShapes(sValue, sName == "cal", oNotes.oShapes);
    return false;
}

} // namespace

std::string ShapeText(const Shape &o) {
    std::string s;
    if (ShapeColours.find(o.cColour) == std::string_view::npos || o.nFrom < 1 || o.nFrom > 64 ||
        o.nTo < 1 || o.nTo > 64)
        return s;
    s += o.cColour;
    AppendSquare(s, o.nFrom);
    if (!o.IsCircle())
        AppendSquare(s, o.nTo);
    return s;
}

std::optional<Shape> ShapeOf(std::string_view s) {
    if ((s.size() != 3 && s.size() != 5) || ShapeColours.find(s[0]) == std::string_view::npos)
        return std::nullopt;
    Shape o;
    o.cColour = s[0];
    o.nFrom = static_cast<std::int8_t>(SquareOf(s[1], s[2]));
    o.nTo = s.size() == 3 ? o.nFrom : static_cast<std::int8_t>(SquareOf(s[3], s[4]));
    // An arrow from a square to itself is no arrow.
    if (o.nFrom == 0 || o.nTo == 0 || (s.size() == 5 && o.nFrom == o.nTo))
        return std::nullopt;
    return o;
}

void AddShape(std::vector<Shape> &oShapes, const Shape &o) {
    if (std::find(oShapes.begin(), oShapes.end(), o) != oShapes.end())
        return;
    const auto it = !o.IsCircle() ? oShapes.end()
                                  : std::find_if(oShapes.begin(), oShapes.end(),
                                                 [](const Shape &x) { return !x.IsCircle(); });
    oShapes.insert(it, o);
}

void ReadComment(std::string_view sComment, std::string &sText, Notes &oNotes,
                 std::int64_t *pClockMs, bool bCommands) {
    bool bSpace = !sText.empty();
    auto Put = [&](std::string_view s) {
        if (bSpace && !sText.empty())
            sText += ' ';
        bSpace = false;
        sText += s;
    };
    for (std::size_t i = 0; i < sComment.size();) {
        const char c = sComment[i];
        if (IsBlank(c)) {
            bSpace = true;
            ++i;
            continue;
        }
        const std::size_t nEnd =
            StartsCommand(sComment, i) ? CommandEnd(sComment, i) : std::string_view::npos;
        if (nEnd == std::string_view::npos) {
            std::size_t j = i + 1;
            while (j < sComment.size() && !IsBlank(sComment[j]) && !StartsCommand(sComment, j))
                ++j;
            Put(sComment.substr(i, j - i));
            i = j;
            continue;
        }
        const std::string_view sCommand = sComment.substr(i, nEnd - i);
        if (!bCommands || !TakeCommand(sCommand, oNotes, pClockMs)) {
            // Word for word, but on one line: a line break inside it would be lost on writing.
            Put(sCommand);
            for (std::size_t k = sText.size() - sCommand.size(); k < sText.size(); ++k)
                if (IsBlank(sText[k]))
                    sText[k] = ' ';
        }
        i = nEnd;
    }
}

std::string Commands(const Notes &oNotes, std::int64_t nClockMs) {
    std::string s;
    auto Open = [&s](std::string_view sName) {
        if (!s.empty())
            s += ' ';
        s += "[%";
        s += sName;
        s += ' ';
    };
    for (const bool bArrows : {false, true}) {
        bool bAny = false;
        for (const Shape &o : oNotes.oShapes) {
            if (o.IsCircle() == bArrows)
                continue;
            if (!bAny)
                Open(bArrows ? "cal" : "csl");
            else
                s += ',';
            bAny = true;
            s += ShapeText(o);
        }
        if (bAny)
            s += ']';
    }
    if (oNotes.oEval) {
        const Eval &o = *oNotes.oEval;
        Open("eval");
        const int nAbs = o.nValue < 0 ? -o.nValue : o.nValue;
        if (o.bMate)
            s += '#';
        if (o.nValue < 0)
            s += '-';
        s += std::to_string(o.bMate ? nAbs : nAbs / 100);
        if (!o.bMate) {
            s += '.';
            s += static_cast<char>('0' + nAbs % 100 / 10);
            s += static_cast<char>('0' + nAbs % 10);
        }
        if (o.nDepth >= 0)
            s += ',' + std::to_string(o.nDepth);
        s += ']';
    }
    for (const auto &[sName, nMs] : {std::pair{"emt", oNotes.nEmtMs}, {"clk", nClockMs}}) {
        if (nMs < 0)
            continue;
        Open(sName);
        s += FormatClk(nMs);
        s += ']';
    }
    return s;
}

std::string_view NextWord(std::string_view sText, std::size_t &nAt) {
    while (nAt < sText.size() && IsBlank(sText[nAt]))
        ++nAt;
    const std::size_t nStart = nAt;
    while (nAt < sText.size() && !IsBlank(sText[nAt])) {
        const std::size_t nEnd =
            StartsCommand(sText, nAt) ? CommandEnd(sText, nAt) : std::string_view::npos;
        nAt = nEnd == std::string_view::npos ? nAt + 1 : nEnd;
    }
    return sText.substr(nStart, nAt - nStart);
}

int GlyphNag(std::string_view s) {
    static constexpr std::string_view Glyphs[] = {"!", "?", "!!", "??", "!?", "?!"};
    for (std::size_t i = 0; i < std::size(Glyphs); ++i)
        if (s == Glyphs[i])
            return static_cast<int>(i) + 1;
    return -1;
}

std::int64_t Representable(std::int64_t nMs) {
    return nMs < 0 ? -1 : ParseClk(FormatClk(nMs));
}

} // namespace Annotation
