#include "Pgn.h"

#include "Chess960.h"
#include "Notation.h"
#include "Printable.h"
#include "TimeControl.h"

#include <algorithm>
#include <array>
#include <ctime>
#include <stdexcept>
#include <unordered_map>
#include <utility>

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// Ends a movetext symbol.
bool IsDelimiter(char c) {
    return IsSpace(c) || c == '{' || c == '}' || c == '(' || c == ')' || c == ';' || c == '[' ||
           c == ']' || c == '$' || c == '"';
}

bool IsResult(std::string_view s) {
    return s == "1-0" || s == "0-1" || s == "1/2-1/2" || s == "*";
}

// Sets up the game the tags start from: the FEN tag's position, or the standard one; a game of
// Chess960 when the Variant tag names it (or the FEN's castling rights need it).
void StartFromTags(clsRules &oRules,
                   const std::vector<std::pair<std::string, std::string>> &oTags) {
    bool b960 = false;
    const std::string *pFen = nullptr;
    for (const auto &[sName, sValue] : oTags) {
        b960 |= sName == "Variant" && Chess960::IsVariantName(sValue);
        if (sName == "FEN")
            pFen = &sValue;
    }
    if (!pFen) {
        if (b960)
            oRules.NewGame960(Chess960::StandardNumber);
        else
            oRules.NewGame();
        return;
    }
    try {
        oRules.SetFen(*pFen, b960);
    } catch (const std::invalid_argument &e) {
        throw std::invalid_argument(std::string("FEN tag: ") + e.what());
    }
}

class Reader {
public:
    explicit Reader(std::string_view sText) : m_s(sText) {
        if (m_s.starts_with("\xEF\xBB\xBF")) {
            m_s.remove_prefix(3);
            m_nSkipped = 3;
        }
    }

    // One past the game read, in the text as given.
    std::size_t GameEnd() const { return m_nSkipped + m_i; }

    void Run(clsRules &oRules) {
        m_pGame = &oRules;
        std::vector<std::pair<std::string, std::string>> oTags;
        std::string_view sResult;
        bool bStarted = false;
        auto Start = [&] {
            if (!std::exchange(bStarted, true))
                StartFromTags(oRules, oTags);
        };
        while (SkipSpaceAndComments()) {
            const char c = m_s[m_i];
            if (c == '[') {
                if (bStarted)
                    break; // the next game's tags
                ReadTag(oTags);
            } else if (c == '(') {
                SkipVariation();
            } else if (c == ')' || c == ']' || c == '}' || c == '"') {
                ++m_i;
            } else if (c == '$') {
                for (++m_i; m_i < m_s.size() && m_s[m_i] >= '0' && m_s[m_i] <= '9'; ++m_i) {
                }
            } else {
                std::string_view sToken = Symbol();
                if (IsResult(sToken)) {
                    sResult = sToken;
                    break;
                }
                if (sToken.find_first_not_of("!?") == std::string_view::npos)
                    continue; // a detached annotation
                if (sToken.front() >= '0' && sToken.front() <= '9' && !sToken.starts_with("0-0")) {
                    // A move number, maybe with its move joined: "12.", "12...Nf6", "1.e4".
                    const std::size_t nDigits = sToken.find_first_not_of("0123456789");
                    if (nDigits == std::string_view::npos)
                        continue;
                    sToken.remove_prefix(nDigits);
                    if (sToken.front() != '.')
                        Fail(oRules, sToken, "unreadable move");
                }
                // Every period is a token of its own: "1. ... e5", "1 ...e5".
                sToken.remove_prefix(std::min(sToken.find_first_not_of('.'), sToken.size()));
                if (sToken.empty())
                    continue;
                Start();
                Play(oRules, sToken);
            }
        }
        if (!bStarted && oTags.empty() && sResult.empty())
            throw std::invalid_argument("no game in the text");
        Start();
        if (sResult.empty())
            for (const auto &[sName, sValue] : oTags)
                if (sName == "Result" && IsResult(sValue))
                    sResult = sValue;
        // A decisive result on a position that is not mate was a resignation or a loss on time.
        if (!sResult.empty() && sResult != "*" && !oRules.IsGameOver()) {
            if (sResult == "1/2-1/2" && oRules.CanClaimDraw())
                oRules.ClaimDraw();
            else
                oRules.SetResult(sResult);
        }
        oRules.Tags() = std::move(oTags);
    }

private:
    [[noreturn]] static void Fail(const clsRules &oRules, std::string_view sMove,
                                  std::string_view sWhy) {
        std::string s = "move " + std::to_string(oRules.FullmoveNumber()) + " (";
        s += Printable(sMove);
        s += "): ";
        s += sWhy;
        throw std::invalid_argument(s);
    }

    static void Play(clsRules &oRules, std::string_view sMove) {
        if (oRules.IsGameOver())
            Fail(oRules, sMove, "the game is already over");
        Move oMove;
        try {
            oMove = Notation::ParseSan(oRules, sMove);
        } catch (const std::invalid_argument &e) {
            Fail(oRules, sMove, e.what());
        }
        if (!oRules.PlayMove(oMove))
            Fail(oRules, sMove, "illegal move");
    }

    // Skips blanks, comments and escape lines; false at the end of the text.
    bool SkipSpaceAndComments() {
        while (m_i < m_s.size()) {
            const char c = m_s[m_i];
            if (IsSpace(c)) {
                ++m_i;
            } else if (c == '%' && (m_i == 0 || m_s[m_i - 1] == '\n')) {
                SkipLine();
            } else if (c == ';') {
                SkipLine();
            } else if (c == '{') {
                const std::size_t n = m_s.find('}', m_i);
                if (n == std::string_view::npos)
                    Unclosed("comment {", m_i); // the rest of the game would vanish into it
                // The clock after a move of the main line: {[%clk 0:03:02]}.
                if (m_nVariations == 0 && m_pGame != nullptr && m_pGame->PlyCount() > 0)
                    if (const std::int64_t nMs = ClkOfComment(m_s.substr(m_i, n - m_i)); nMs >= 0)
                        m_pGame->Record().back().nClockMs = nMs;
                m_i = n + 1;
            } else {
                return true;
            }
        }
        return false;
    }

    void SkipLine() {
        const std::size_t n = m_s.find('\n', m_i);
        m_i = n == std::string_view::npos ? m_s.size() : n + 1;
    }

    // A variation, and every variation nested in it; comments may hold parentheses.
    void SkipVariation() {
        const std::size_t nStart = m_i;
        int nDepth = 0;
        ++m_nVariations;
        while (SkipSpaceAndComments()) {
            const char c = m_s[m_i++];
            if (c == '(')
                ++nDepth;
            else if (c == ')' && --nDepth == 0) {
                --m_nVariations;
                return;
            }
        }
        Unclosed("variation (", nStart);
    }

    [[noreturn]] void Unclosed(std::string_view sWhat, std::size_t nAt) const {
        const auto nLine = std::count(m_s.begin(), m_s.begin() + static_cast<long>(nAt), '\n') + 1;
        throw std::invalid_argument("unclosed " + std::string(sWhat) + " on line " +
                                    std::to_string(nLine));
    }

    std::string_view Symbol() {
        const std::size_t nStart = m_i;
        while (m_i < m_s.size() && !IsDelimiter(m_s[m_i]))
            ++m_i;
        return m_s.substr(nStart, m_i - nStart);
    }

    // [Name "value"], the value with \" and \\ escapes. What is kept must write out as a valid
    // tag pair: a name that is not one is dropped, and a control character in the value, which
    // the standard forbids there, becomes a space.
    void ReadTag(std::vector<std::pair<std::string, std::string>> &oTags) {
        ++m_i;
        while (m_i < m_s.size() && IsSpace(m_s[m_i]))
            ++m_i;
        std::string sName(Symbol());
        while (m_i < m_s.size() && IsSpace(m_s[m_i]))
            ++m_i;
        std::string sValue;
        if (m_i < m_s.size() && m_s[m_i] == '"') {
            for (++m_i; m_i < m_s.size() && m_s[m_i] != '"' && m_s[m_i] != '\n'; ++m_i) {
                if (m_s[m_i] == '\\' && m_i + 1 < m_s.size() &&
                    (m_s[m_i + 1] == '"' || m_s[m_i + 1] == '\\'))
                    ++m_i;
                const auto c = static_cast<unsigned char>(m_s[m_i]);
                sValue += c < 0x20 || c == 0x7F ? ' ' : m_s[m_i];
            }
        }
        const std::size_t n = m_s.find_first_of("]\n", m_i);
        m_i = n == std::string_view::npos ? m_s.size() : n + 1;
        if (!Pgn::IsTagName(sName))
            return;
        // A repeated tag keeps its place and takes the later value.
        const auto [it, bNew] = m_oTagAt.try_emplace(sName, oTags.size());
        if (bNew)
            oTags.emplace_back(std::move(sName), std::move(sValue));
        else
            oTags[it->second].second = std::move(sValue);
    }

    std::string_view m_s;
    std::size_t m_i = 0;
    std::size_t m_nSkipped = 0;                            // a byte-order mark
    std::unordered_map<std::string, std::size_t> m_oTagAt; // each tag's place in the list
    clsRules *m_pGame = nullptr; // the game being read, for the clocks of its moves
    int m_nVariations = 0;       // inside a variation while above 0
};

constexpr std::array<std::string_view, 7> Roster = {"Event", "Site",  "Date",  "Round",
                                                    "White", "Black", "Result"};

void AppendTag(std::string &s, std::string_view sName, std::string_view sValue) {
    s += '[';
    s += sName;
    s += " \"";
    for (const char c : sValue) {
        if (c == '"' || c == '\\')
            s += '\\';
        s += c;
    }
    s += "\"]\n";
}

} // namespace

namespace Pgn {

void Read(clsRules &oRules, std::string_view sText, std::size_t *pGameEnd) {
    Reader oReader(sText);
    oReader.Run(oRules);
    if (pGameEnd)
        *pGameEnd = oReader.GameEnd();
}

void Load(clsRules &oRules, std::string_view sText) {
    clsRules oRead;
    Read(oRead, sText);
    oRules.Adopt(std::move(oRead));
}

void SetStartTags(clsRules &oRules) {
    const std::time_t t = std::time(nullptr);
    std::tm oTm{};
    localtime_r(&t, &oTm);
    char sDate[16];
    std::strftime(sDate, sizeof sDate, "%Y.%m.%d", &oTm);
    oRules.Tags() = {{"Event", "Casual game"}, {"Date", sDate}, {"Round", "-"}};
}

std::string Write(const clsRules &oRules) {
    const auto &oTags = oRules.Tags();
    auto Find = [&](std::string_view sName) -> const std::string * {
        for (const auto &[sKey, sValue] : oTags)
            if (sKey == sName)
                return &sValue;
        return nullptr;
    };
    std::string s;
    s.reserve(1024 + 8 * oRules.Record().size());
    const std::string sResult = oRules.Result();
    for (const std::string_view sName : Roster) {
        const std::string *pValue = Find(sName);
        // The standard's values for the unknown; a game played here got its own at its start.
        const std::string_view sUnknown = sName == "Date" ? "????.??.??" : "?";
        AppendTag(s, sName,
                  sName == "Result" ? sResult
                  : pValue          ? std::string_view(*pValue)
                                    : sUnknown);
    }
    // A Chess960 game names its variant and always its start, as Lichess writes it.
    const bool b960 = oRules.Is960();
    if (b960)
        AppendTag(s, "Variant", Chess960::VariantName);
    const std::string sStart = oRules.StartFen();
    if (b960 || sStart != StandardFen) {
        AppendTag(s, "SetUp", "1");
        AppendTag(s, "FEN", sStart);
    }
    for (const auto &[sName, sValue] : oTags) {
        bool bWritten = sName == "SetUp" || sName == "FEN" || (b960 && sName == "Variant");
        for (const std::string_view sRoster : Roster)
            bWritten |= sName == sRoster;
        if (!bWritten)
            AppendTag(s, sName, sValue);
    }
    s += '\n';

    // Tokens go on lines of at most 80 characters.
    std::size_t nLineStart = s.size();
    std::string sToken;
    auto Put = [&](std::string_view sText) {
        if (s.size() > nLineStart) {
            if (s.size() - nLineStart + 1 + sText.size() > 80) {
                s += '\n';
                nLineStart = s.size();
            } else {
                s += ' ';
            }
        }
        s += sText;
    };
    for (int i = 0; i < oRules.PlyCount(); ++i) {
        const clsRules::Position &oBefore = oRules.PositionAt(i);
        if (oBefore.bWhiteToMove || i == 0) {
            sToken = std::to_string(oBefore.nFullmove);
            sToken += oBefore.bWhiteToMove ? "." : "...";
            Put(sToken);
        }
        const clsRules::Ply &oPly = oRules.Record()[static_cast<std::size_t>(i)];
        Put(oPly.sSan);
        if (oPly.nClockMs >= 0)
            Put("{[%clk " + FormatClk(oPly.nClockMs) + "]}");
    }
    Put(sResult);
    s += "\n\n";
    return s;
}

bool IsTagName(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '_';
    });
}

} // namespace Pgn
