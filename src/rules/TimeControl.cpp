#include "TimeControl.h"

#include <algorithm>
#include <charconv>

namespace {

// A whole number of at most nine digits, the whole of s.
std::optional<std::int64_t> Number(std::string_view s) {
    std::int64_t n = 0;
    if (s.empty() || s.size() > 9 || s.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    std::from_chars(s.data(), s.data() + s.size(), n);
    return n;
}

std::optional<TimeControl::Period> ReadPeriod(std::string_view s, std::string &sError) {
    TimeControl::Period o;
    if (const auto nSlash = s.find('/'); nSlash != std::string_view::npos) {
        const auto n = Number(s.substr(0, nSlash));
        if (!n || *n == 0) {
            sError =
                std::string("\"").append(s).append("\": the moves of a period must be above 0");
            return std::nullopt;
        }
        o.nMoves = static_cast<int>(*n);
        s.remove_prefix(nSlash + 1);
    }
    std::string_view sIncrement;
    if (const auto nPlus = s.find('+'); nPlus != std::string_view::npos) {
        sIncrement = s.substr(nPlus + 1);
        s = s.substr(0, nPlus);
        if (sIncrement.empty()) {
            sError = "an increment is missing after \"+\"";
            return std::nullopt;
        }
    }
    const auto nBase = Number(s);
    const auto nIncrement =
        sIncrement.empty() ? std::optional<std::int64_t>(0) : Number(sIncrement);
    if (!nBase || !nIncrement) {
        sError = std::string("\"").append(s);
        if (!sIncrement.empty())
            sError.append("+").append(sIncrement);
        sError += "\" is not a number of seconds";
        return std::nullopt;
    }
    if (*nBase == 0 && *nIncrement == 0) {
        sError = "a period needs some time";
        return std::nullopt;
    }
    o.nBaseMs = *nBase * 1000;
    o.nIncrementMs = *nIncrement * 1000;
    return o;
}

void Append2(std::string &s, std::int64_t n) {
    s += static_cast<char>('0' + n / 10 % 10);
    s += static_cast<char>('0' + n % 10);
}

} // namespace

std::optional<TimeControl> TimeControl::Parse(std::string_view sForm, std::string *pError) {
    std::string sError;
    TimeControl o;
    auto Fail = [&](std::string s) -> std::optional<TimeControl> {
        if (pError)
            *pError = std::move(s);
        return std::nullopt;
    };
    if (sForm == "-")
        return o;
    if (sForm.empty())
        return Fail("the time control is empty");
    if (const auto nD = sForm.find('d'); nD != std::string_view::npos) {
        const auto n = Number(sForm.substr(nD + 1));
        if (!n || *n == 0)
            return Fail("the delay after \"d\" must be a number of seconds above 0");
        o.nDelayMs = *n * 1000;
        sForm = sForm.substr(0, nD);
    }
    if (sForm.starts_with('*')) {
        const auto n = Number(sForm.substr(1));
        if (!n || *n == 0)
            return Fail("an hourglass needs a number of seconds above 0 after \"*\"");
        if (o.nDelayMs)
            return Fail("an hourglass takes no delay");
        o.bHourglass = true;
        o.oPeriods.push_back({0, *n * 1000, 0});
        return o;
    }
    for (std::size_t nStart = 0;;) {
        const std::size_t nColon = sForm.find(':', nStart);
        const auto oPeriod = ReadPeriod(sForm.substr(nStart, nColon - nStart), sError);
        if (!oPeriod)
            return Fail(sError);
        if (!o.oPeriods.empty() && o.oPeriods.back().nMoves == 0)
            return Fail("only the last period may be for the rest of the game");
        o.oPeriods.push_back(*oPeriod);
        if (nColon == std::string_view::npos)
            break;
        nStart = nColon + 1;
    }
    return o;
}

TimeControl TimeControl::FromTags(std::string_view sTimeControl, std::string_view sTimeDelay) {
    auto o = Parse(sTimeControl);
    if (!o || !o->IsTimed() || sTimeControl.find('d') != std::string_view::npos)
        return {};
    if (const auto n = Number(sTimeDelay); n && *n > 0 && !o->bHourglass)
        o->nDelayMs = *n * 1000;
    return *o;
}

TimeControl::Kind TimeControl::GetKind() const {
    if (oPeriods.empty())
        return Kind::None;
    if (bHourglass)
        return Kind::Hourglass;
    if (nDelayMs)
        return Kind::Delay;
    if (oPeriods.size() > 1 || oPeriods[0].nMoves)
        return Kind::Periods;
    return oPeriods[0].nIncrementMs ? Kind::Increment : Kind::SuddenDeath;
}

std::string TimeControl::TagValue() const {
    if (oPeriods.empty())
        return "-";
    std::string s = bHourglass ? "*" : "";
    for (const Period &p : oPeriods) {
        if (&p != &oPeriods.front())
            s += ':';
        if (p.nMoves)
            s.append(std::to_string(p.nMoves)).append("/");
        s += std::to_string(p.nBaseMs / 1000);
        if (p.nIncrementMs) {
            s += '+';
            s += std::to_string(p.nIncrementMs / 1000);
        }
    }
    return s;
}

std::string TimeControl::DelayTagValue() const {
    return nDelayMs ? std::to_string(nDelayMs / 1000) : std::string();
}

std::string TimeControl::Form() const {
    std::string s = TagValue();
    if (nDelayMs)
        s.append("d").append(DelayTagValue());
    return s;
}

std::size_t TimeControl::PeriodOf(int nMovesMade) const {
    std::size_t i = 0;
    for (; i + 1 < oPeriods.size() && oPeriods[i].nMoves && nMovesMade >= oPeriods[i].nMoves; ++i)
        nMovesMade -= oPeriods[i].nMoves;
    return i;
}

int TimeControl::MovesLeft(int nMovesMade) const {
    if (oPeriods.empty())
        return 0;
    for (std::size_t i = 0; i + 1 < oPeriods.size() && oPeriods[i].nMoves; ++i) {
        if (nMovesMade < oPeriods[i].nMoves)
            return oPeriods[i].nMoves - nMovesMade;
        nMovesMade -= oPeriods[i].nMoves;
    }
    const int n = oPeriods.back().nMoves; // the last period repeats
    return n ? n - nMovesMade % n : 0;
}

std::int64_t TimeControl::LowTimeMs() const {
    return oPeriods.empty() ? 0
                            : std::min<std::int64_t>(
                                  60'000, std::max<std::int64_t>(10'000, oPeriods[0].nBaseMs / 10));
}

std::string FormatClock(std::int64_t nMs, std::int64_t nTenthsBelowMs) {
    nMs = std::max<std::int64_t>(0, nMs);
    std::string s;
    // Cut, never rounded, as a clock's digits turn: 3:02 at the start of 3+2, then 3:01.
    if (nMs < nTenthsBelowMs) {
        const std::int64_t nTenths = nMs / 100;
        s = std::to_string(nTenths / 600) + ':';
        Append2(s, nTenths / 10 % 60);
        s += '.';
        s += static_cast<char>('0' + nTenths % 10);
        return s;
    }
    const std::int64_t nSeconds = nMs / 1000;
    if (nSeconds >= 3600) {
        s = std::to_string(nSeconds / 3600) + ':';
        Append2(s, nSeconds / 60 % 60);
    } else {
        s = std::to_string(nSeconds / 60);
    }
    s += ':';
    Append2(s, nSeconds % 60);
    return s;
}

std::string FormatClk(std::int64_t nMs) {
    if (nMs < 0)
        return {};
    const std::int64_t nTenths = nMs < 60'000 ? nMs / 100 : nMs / 1000 * 10;
    std::string s = std::to_string(nTenths / 36000) + ':';
    Append2(s, nTenths / 600 % 60);
    s += ':';
    Append2(s, nTenths / 10 % 60);
    if (nMs < 60'000) {
        s += '.';
        s += static_cast<char>('0' + nTenths % 10);
    }
    return s;
}

std::int64_t ParseClk(std::string_view s) {
    const auto nColon1 = s.find(':');
    const auto nColon2 = s.find(':', nColon1 + 1);
    if (nColon1 == std::string_view::npos || nColon2 == std::string_view::npos)
        return -1;
    const auto nDot = s.find('.', nColon2);
    const auto h = Number(s.substr(0, nColon1));
    const auto m = Number(s.substr(nColon1 + 1, nColon2 - nColon1 - 1));
    const auto sec = Number(s.substr(nColon2 + 1, nDot - nColon2 - 1));
    if (!h || !m || !sec || *m > 59 || *sec > 59 || nColon2 - nColon1 != 3 ||
        s.size() - nColon2 < 3 || (nDot != std::string_view::npos && nDot != nColon2 + 3))
        return -1;
    std::int64_t nMs = ((*h * 60 + *m) * 60 + *sec) * 1000;
    if (nDot != std::string_view::npos) {
        const std::string_view sFrac = s.substr(nDot + 1, 3);
        const auto f = Number(sFrac);
        if (!f || s.size() - nDot - 1 > 3)
            return -1;
        nMs += *f * (sFrac.size() == 1 ? 100 : sFrac.size() == 2 ? 10 : 1);
    }
    return nMs;
}

std::int64_t ClkOfComment(std::string_view sComment) {
    const auto n = sComment.find("[%clk");
    if (n == std::string_view::npos)
        return -1;
    const auto nStart = sComment.find_first_not_of(" \t\r\n", n + 5);
    const auto nEnd = sComment.find(']', n);
    return nStart == std::string_view::npos || nEnd == std::string_view::npos || nEnd < nStart
               ? -1
               : ParseClk(sComment.substr(nStart, nEnd - nStart));
}
