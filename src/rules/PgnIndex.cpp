#include "PgnIndex.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {

constexpr std::size_t TokenCap = 16;  // enough to tell a result, a move number and a move apart
constexpr std::size_t ValueCap = 255; // a list cell; a length byte in the pool
// Real games take far more bytes than their entry; text of tiny "games" is not a collection.
constexpr std::uint64_t SlackBytes = 16u << 20;

constexpr std::string_view FieldNames[] = {"White", "Black", "Result", "Date", "Event", "Round"};

enum Kind : std::uint8_t { SymbolStart, Blank, Special };
struct Classes {
    bool bDelimiter[256] = {};
    Kind eKind[256] = {};
    constexpr Classes() {
        for (const char c : std::string_view(" \t\r\n\f\v{}();[]$\""))
            bDelimiter[static_cast<unsigned char>(c)] = true;
        for (const char c : std::string_view("{}();[]$\"%\xEF\xBB\xBF"))
            eKind[static_cast<unsigned char>(c)] = Special;
        for (const char c : std::string_view(" \t\r\n\f\v"))
            eKind[static_cast<unsigned char>(c)] = Blank;
    }
};
constexpr Classes Class;

bool IsDelimiter(char c) {
    return Class.bDelimiter[static_cast<unsigned char>(c)];
}

// Digits, then periods only.
bool IsMoveNumber(const char *p, std::size_t n) {
    std::size_t k = 0;
    while (k < n && p[k] >= '0' && p[k] <= '9')
        ++k;
    if (k == 0)
        return false;
    while (k < n && p[k] == '.')
        ++k;
    return k == n;
}

bool IsResult(std::string_view s) {
    return s == "1-0" || s == "0-1" || s == "1/2-1/2" || s == "*";
}

} // namespace

namespace Pgn {

void Index::StartGame(std::uint64_t nOffset, bool bTentative) {
    m_oGames.push_back({nOffset, 0, 0});
    m_bInGame = true;
    m_bMovetext = false;
    m_bTentative = bTentative;
}

void Index::EndGame() {
    if (!m_bInGame)
        return;
    m_bInGame = false;
    m_bMovetext = false;
    if (m_bTentative && m_sTermination.empty()) {
        m_oGames.pop_back(); // words before the first tag
    } else {
        Game &oGame = m_oGames.back();
        oGame.nTags = static_cast<std::uint32_t>(m_sPool.size());
        if (m_sPool.size() > 0xFFFF0000u)
            throw std::invalid_argument("too many games to list");
        if (m_oFields[Result].empty())
            m_oFields[Result] = m_sTermination;
        for (const std::string &s : m_oFields) {
            m_sPool += static_cast<char>(s.size());
            m_sPool += s;
        }
    }
    for (std::string &s : m_oFields)
        s.clear();
    m_sTermination.clear();
    m_nDepth = 0;
    if (MemoryUsed() > 2 * m_nRead + SlackBytes)
        throw std::invalid_argument("not a game collection: far too many tiny games");
}

void Index::EndSymbol() {
    m_eState = State::Space;
    Symbol(m_sToken, m_nTokenOffset);
    m_sToken.clear(); // so that no later tag ends with a symbol's text for its name
}

void Index::Symbol(std::string_view s, std::uint64_t nOffset) {
    if (m_nDepth > 0)
        return;
    const char c0 = s.front();
    if ((c0 >= 'a' && c0 <= 'z') || (c0 >= 'A' && c0 <= 'Z')) { // a move, most of the text
        if (!m_bInGame)
            StartGame(nOffset, true);
        m_bMovetext = true;
        ++m_oGames.back().nPlies;
        return;
    }
    if (c0 >= '0' && c0 <= '9') { // a move number, often with its move joined: "12.", "1.e4"
        std::size_t k = 1;
        while (k < s.size() && s[k] >= '0' && s[k] <= '9')
            ++k;
        if (k == s.size() || s[k] == '.') {
            if (!m_bInGame)
                StartGame(nOffset, false);
            m_bMovetext = true;
            while (k < s.size() && s[k] == '.')
                ++k;
            m_oGames.back().nPlies += k < s.size();
            return;
        }
    }
    if (IsResult(s)) {
        if (m_bInGame) {
            m_sTermination = s;
            EndGame();
        }
        return;
    }
    if (c0 == '$' || s.find_first_not_of("!?") == std::string_view::npos)
        return;
    const bool bNumber = c0 >= '0' && c0 <= '9' && !s.starts_with("0-0");
    if (!m_bInGame)
        StartGame(nOffset, !bNumber);
    m_bMovetext = true;
    if (bNumber)
        s.remove_prefix(std::min(s.find_first_not_of("0123456789"), s.size()));
    s.remove_prefix(std::min(s.find_first_not_of('.'), s.size()));
    if (!s.empty())
        ++m_oGames.back().nPlies;
}

void Index::StartTag(std::uint64_t nOffset) {
    if (!m_bInGame || m_bMovetext) {
        EndGame();
        StartGame(nOffset, false);
    }
}

// A tag pair at a line's start in a brace comment: the comment was left open, and the game's
// reader refuses it as unclosed. A line starting "[%clk" or "[see" is the comment's own text.
void Index::CommentByte(char c, std::uint64_t nOffset) {
    const bool bName =
        (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    const bool bBlank = c == ' ' || c == '\t';
    switch (m_eLine) {
    case CommentLine::Start:
        if (c == '[') {
            m_eLine = CommentLine::Name;
            m_nTagOffset = nOffset;
            m_sToken.clear();
            return;
        }
        break;
    case CommentLine::Name:
        if (bName) {
            if (m_sToken.size() < TokenCap)
                m_sToken += c;
            return;
        }
        if (bBlank && !m_sToken.empty()) {
            m_eLine = CommentLine::Blank;
            return;
        }
        break;
    case CommentLine::Blank:
        if (bBlank)
            return;
        if (c == '"') {
            m_eLine = CommentLine::Other;
            m_nDepth = 0;
            StartTag(m_nTagOffset);
            m_eState = State::TagValue;
            m_bShown = std::find(std::begin(FieldNames), std::end(FieldNames), m_sToken) !=
                       std::end(FieldNames);
            return;
        }
        break;
    case CommentLine::Other:
        break;
    }
    m_sToken.clear();
    m_eLine = c == '\n' ? CommentLine::Start : CommentLine::Other;
    if (c == '}')
        m_eState = State::Space;
}

void Index::EndTag() {
    m_eState = State::Space;
    const auto *p = std::find(std::begin(FieldNames), std::end(FieldNames), m_sToken);
    if (p != std::end(FieldNames))
        m_oFields[static_cast<std::size_t>(p - std::begin(FieldNames))] = m_sValue;
    m_sToken.clear();
    m_sValue.clear();
    m_bNameDone = false;
}

void Index::Add(std::string_view sBytes) {
    if (m_nRead == 0 && sBytes.size() >= 2 &&
        (sBytes.starts_with("\xFF\xFE") || sBytes.starts_with("\xFE\xFF")))
        throw std::invalid_argument("UTF-16 text; PGN files are 8-bit text");
    const char *p = sBytes.data();
    const std::size_t n = sBytes.size();
    const std::uint64_t nBase = m_nRead;
    std::size_t i = 0;
    auto Keep = [](std::string &s, const char *pFrom, std::size_t nLen, std::size_t nCap) {
        s.append(pFrom, std::min(nLen, nCap - std::min(nCap, s.size())));
    };
    while (i < n) {
        switch (m_eState) {
        case State::Space: {
            // Blanks and whole symbols in a tight loop: they are most of a collection's bytes.
            std::uint32_t *pPlies =
                m_bMovetext && m_nDepth == 0 ? &m_oGames.back().nPlies : nullptr;
            while (i < n) {
                const Kind eKind = Class.eKind[static_cast<unsigned char>(p[i])];
                if (eKind == Blank) {
                    ++i;
                    continue;
                }
                if (eKind != SymbolStart)
                    break;
                std::size_t j = i + 1;
                while (j < n && !IsDelimiter(p[j]))
                    ++j;
                if (j == n) { // it goes on in the next piece
                    m_eState = State::Symbol;
                    m_nTokenOffset = nBase + i;
                    m_sToken.assign(p + i, std::min(j - i, TokenCap));
                    i = j;
                    break;
                }
                const char c0 = static_cast<char>(p[i] | 0x20);
                if (pPlies && c0 >= 'a' && c0 <= 'z') {
                    ++*pPlies; // a move, most of the symbols
                } else if (pPlies && p[j - 1] == '.' && IsMoveNumber(p + i, j - i)) {
                    // "12." or "12...": the next most common, and no ply of its own
                } else {
                    Symbol(std::string_view(p + i, std::min(j - i, TokenCap)), nBase + i);
                    pPlies = m_bMovetext && m_nDepth == 0 ? &m_oGames.back().nPlies : nullptr;
                }
                // Most symbols end with a single blank: skipping it here keeps the branch at
                // the loop's top predictable.
                i = j + (Class.eKind[static_cast<unsigned char>(p[j])] == Blank);
            }
            if (i == n || m_eState != State::Space)
                break;
            const char c = p[i];
            const bool bLineStart =
                nBase + i == m_nTextStart || (i > 0 ? p[i - 1] : m_cLast) == '\n';
            if (nBase + i < 3 && static_cast<unsigned char>(c) == "\xEF\xBB\xBF"[nBase + i] &&
                nBase + i == m_nTextStart) {
                ++m_nTextStart; // a byte-order mark
            } else if (c == ']' || c == '}' || c == '"') {
            } else if (c == ';' || (c == '%' && bLineStart)) {
                m_eState = State::LineComment;
            } else if (c == '{') {
                m_eState = State::BraceComment;
                m_eLine = CommentLine::Other;
            } else if (c == '(') {
                m_nDepth += m_nDepth < (1 << 30);
            } else if (c == ')') {
                m_nDepth -= m_nDepth > 0;
            } else if (c == '[') {
                // Legal movetext holds no tag pair: one at a line's start ends a variation left
                // open, which would otherwise hide every later game.
                if (bLineStart)
                    m_nDepth = 0;
                if (m_nDepth == 0) {
                    StartTag(nBase + i);
                    m_eState = State::TagName;
                    m_sToken.clear();
                }
            } else {
                // A NAG, or a symbol starting with '%' or a stray byte-order mark byte.
                m_eState = State::Symbol;
                m_nTokenOffset = nBase + i;
                m_sToken.assign(1, c);
            }
            ++i;
            break;
        }
        case State::Symbol: {
            std::size_t j = i;
            while (j < n && !IsDelimiter(p[j]))
                ++j;
            Keep(m_sToken, p + i, j - i, TokenCap);
            i = j;
            if (i < n)
                EndSymbol();
            break;
        }
        case State::BraceComment:
            if (m_eLine == CommentLine::Other) {
                // Comments seldom span lines: look at a line's start only where one begins.
                const void *pEnd = std::memchr(p + i, '}', n - i);
                const std::size_t nEnd =
                    pEnd ? static_cast<std::size_t>(static_cast<const char *>(pEnd) - p) : n;
                const void *pLine = std::memchr(p + i, '\n', nEnd - i);
                if (!pLine) {
                    i = nEnd + (nEnd < n);
                    if (nEnd < n)
                        m_eState = State::Space;
                    break;
                }
                i = static_cast<std::size_t>(static_cast<const char *>(pLine) - p) + 1;
                m_eLine = CommentLine::Start;
                break;
            }
            CommentByte(p[i], nBase + i);
            ++i;
            break;
        case State::LineComment: {
            // A comment ends at its closing character, which may lie in a later piece.
            const void *pEnd = std::memchr(p + i, '\n', n - i);
            if (!pEnd) {
                i = n;
                break;
            }
            i = static_cast<std::size_t>(static_cast<const char *>(pEnd) - p) + 1;
            m_eState = State::Space;
            break;
        }
        case State::TagName: {
            const char c = p[i++];
            if (c == '"') {
                m_eState = State::TagValue;
                m_bShown = std::find(std::begin(FieldNames), std::end(FieldNames), m_sToken) !=
                           std::end(FieldNames);
            } else if (c == ']' || c == '\n') {
                EndTag();
            } else if (c == ' ' || c == '\t' || c == '\r') {
                m_bNameDone = !m_sToken.empty();
            } else {
                // A second word makes a name no field has.
                Keep(m_sToken, m_bNameDone ? "\x01" : &c, 1, TokenCap);
            }
            break;
        }
        case State::TagValue: {
            std::size_t j = i;
            while (j < n && p[j] != '"' && p[j] != '\\' && p[j] != '\n')
                ++j;
            if (m_bShown) {
                const std::size_t nFrom = m_sValue.size();
                Keep(m_sValue, p + i, j - i, ValueCap);
                for (std::size_t k = nFrom; k < m_sValue.size(); ++k)
                    if (static_cast<unsigned char>(m_sValue[k]) < 0x20 || m_sValue[k] == 0x7F)
                        m_sValue[k] = ' ';
            }
            i = j;
            if (i == n)
                break;
            ++i;
            if (p[j] == '"') {
                m_eState = State::TagRest;
            } else if (p[j] == '\n') {
                EndTag();
            } else {
                m_eState = State::TagEscape;
            }
            break;
        }
        case State::TagEscape: {
            const char c = p[i];
            m_eState = State::TagValue;
            if (c == '"' || c == '\\')
                ++i;
            Keep(m_sValue, c == '"' ? "\"" : "\\", 1, ValueCap);
            break;
        }
        case State::TagRest: {
            const char c = p[i++];
            if (c == ']' || c == '\n') {
                EndTag();
            }
            break;
        }
        }
    }
    m_nRead += n;
    if (n > 0)
        m_cLast = p[n - 1];
}

void Index::Finish() {
    if (m_eState == State::Symbol)
        EndSymbol();
    else if (m_eState != State::Space && m_eState != State::BraceComment &&
             m_eState != State::LineComment)
        EndTag(); // an unclosed tag: the game so far stays listed, as after an unclosed comment
    m_eState = State::Space;
    EndGame();
}

std::string_view Index::Tag(std::size_t n, Field eField) const {
    std::size_t nAt = m_oGames[n].nTags;
    for (int k = 0; k < eField; ++k)
        nAt += 1 + static_cast<unsigned char>(m_sPool[nAt]);
    const std::string_view s(m_sPool.data() + nAt + 1, static_cast<unsigned char>(m_sPool[nAt]));
    return s;
}

} // namespace Pgn
