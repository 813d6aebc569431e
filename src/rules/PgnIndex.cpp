#include "PgnIndex.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace {

constexpr std::size_t TokenCap = 16;  // enough to tell a result, a move number and a move apart
constexpr std::size_t ValueCap = 255; // a list cell; a length byte in the pool
// Real games take far more bytes than their entry; text of tiny "games" is not a collection.
constexpr std::uint64_t SlackBytes = 64u << 20;
constexpr std::string_view Bom = "\xEF\xBB\xBF";

constexpr std::string_view FieldNames[] = {"White", "Black", "Result", "Date", "Event", "Round"};

enum Kind : std::uint8_t { SymbolStart, Blank, Special };
struct Classes {
    bool bDelimiter[256] = {};
    Kind eKind[256] = {};
    constexpr Classes() {
        for (const char c : std::string_view(" \t\r\n\f\v{}();[]$\""))
            bDelimiter[static_cast<unsigned char>(c)] = true;
        for (const char c : std::string_view("{}();[]$\"%"))
            eKind[static_cast<unsigned char>(c)] = Special;
        for (const char c : std::string_view(" \t\r\n\f\v"))
            eKind[static_cast<unsigned char>(c)] = Blank;
    }
};
constexpr Classes Class;

bool IsDelimiter(char c) {
    return Class.bDelimiter[static_cast<unsigned char>(c)];
}

bool IsSpace(char c) {
    return Class.eKind[static_cast<unsigned char>(c)] == Blank;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits, then periods only.
bool IsMoveNumber(const char *p, std::size_t n) {
    std::size_t k = 0;
    while (k < n && IsDigit(p[k]))
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

int FieldOf(std::string_view sName) {
    const auto *p = std::find(std::begin(FieldNames), std::end(FieldNames), sName);
    return p == std::end(FieldNames) ? -1 : static_cast<int>(p - std::begin(FieldNames));
}

// What the reader does with a movetext symbol: ends the game, skips it (an annotation glyph, a
// move number, periods alone), or plays it as a move (a legal one or not).
enum class Meaning : std::uint8_t { Result, Skip, Number, Move };

struct Shape {
    std::string_view sHead;
    std::size_t nLength, nDigits, nDots;
    bool bRest, bGlyphs;

    Meaning Of() const {
        if (nLength <= 7 && IsResult(sHead))
            return Meaning::Result;
        if (bGlyphs)
            return Meaning::Skip;
        // "12", "12." and "12..." are numbers; "12.e4" holds a move, and "12x" is one the reader
        // refuses.
        if (nDigits > 0 && !sHead.starts_with("0-0"))
            return bRest ? Meaning::Move : Meaning::Number;
        return bRest ? Meaning::Move : Meaning::Skip; // "...e5" or "..."
    }
    // Begins a game of its own, rather than words before one.
    bool Numbered() const { return nDigits > 0 && !sHead.starts_with("0-0"); }
    // Can be where a game's bytes begin: read alone from there, the reader would take a '%' at
    // its start for an escape line and a byte-order mark for no text.
    bool CanStart() const { return !sHead.starts_with('%') && !sHead.starts_with(Bom); }
};

Shape ShapeOf(std::string_view s) {
    Shape o{s.substr(0, TokenCap), s.size(), 0, 0, false, true};
    for (const char c : s) {
        o.bGlyphs &= c == '!' || c == '?';
        if (o.bRest)
            continue;
        if (IsDigit(c) && o.nDots == 0)
            ++o.nDigits;
        else if (c == '.')
            ++o.nDots;
        else
            o.bRest = true;
    }
    return o;
}

} // namespace

namespace Pgn {

GameSpan FindGame(std::string_view s) {
    GameSpan o;
    std::size_t i = s.starts_with(Bom) ? Bom.size() : 0;
    const std::size_t nText = i;
    bool bStarted = false;
    bool bTentative = false;
    bool bResult = false;
    // Blanks, comments and escape lines, as the reader skips them: 1 at a token, 0 at the end,
    // -1 at a brace comment never closed.
    const auto Skip = [&]() -> int {
        while (i < s.size()) {
            const char c = s[i];
            if (IsSpace(c)) {
                ++i;
            } else if (c == ';' || (c == '%' && (i == nText || s[i - 1] == '\n'))) {
                const std::size_t n = s.find('\n', i);
                i = n == std::string_view::npos ? s.size() : n + 1;
            } else if (c == '{') {
                const std::size_t n = s.find('}', i);
                if (n == std::string_view::npos)
                    return -1;
                i = n + 1;
            } else {
                return 1;
            }
        }
        return 0;
    };
    const auto Starts = [&](bool bNumbered) {
        if (o.nStart == GameSpan::npos) {
            o.nStart = i;
            bTentative = !bNumbered;
        }
    };
    for (int r; (r = Skip()) != 0;) {
        if (r < 0)
            return o;
        const char c = s[i];
        if (c == '[') {
            if (bStarted)
                break;
            Starts(true);
            for (++i; i < s.size() && IsSpace(s[i]); ++i) {
            }
            while (i < s.size() && !IsDelimiter(s[i]))
                ++i;
            while (i < s.size() && IsSpace(s[i]))
                ++i;
            if (i < s.size() && s[i] == '"')
                for (++i; i < s.size() && s[i] != '"' && s[i] != '\n'; ++i)
                    if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == '"' || s[i + 1] == '\\'))
                        ++i;
            const std::size_t n = s.find_first_of("]\n", i);
            i = n == std::string_view::npos ? s.size() : n + 1;
        } else if (c == '(') {
            for (int nDepth = 0;;) {
                if ((r = Skip()) <= 0)
                    return o; // a variation never closed
                const char cIn = s[i++];
                if (cIn == '(')
                    ++nDepth;
                else if (cIn == ')' && --nDepth == 0)
                    break;
            }
        } else if (c == ')' || c == ']' || c == '}' || c == '"') {
            ++i;
        } else if (c == '$') {
            for (++i; i < s.size() && IsDigit(s[i]); ++i) {
            }
        } else {
            std::size_t j = i;
            while (j < s.size() && !IsDelimiter(s[j]))
                ++j;
            const Shape oShape = ShapeOf(s.substr(i, j - i));
            switch (oShape.Of()) {
            case Meaning::Result:
                bResult = true;
                i = j;
                o.nEnd = i;
                o.bListed = o.nStart != GameSpan::npos;
                return o;
            case Meaning::Skip:
                break;
            case Meaning::Number:
                Starts(true);
                break;
            case Meaning::Move:
                if (oShape.CanStart())
                    Starts(oShape.Numbered());
                bStarted = true;
                break;
            }
            i = j;
        }
    }
    o.nEnd = i;
    o.bListed = o.nStart != GameSpan::npos && (!bTentative || bResult);
    return o;
}

void Index::Token::Add(const char *p, std::size_t n) {
    sHead.append(p, std::min(n, TokenCap - std::min(TokenCap, sHead.size())));
    for (std::size_t k = 0; k < n; ++k) {
        const char c = p[k];
        bGlyphs &= c == '!' || c == '?';
        if (bRest)
            continue;
        if (IsDigit(c) && nDots == 0)
            ++nDigits;
        else if (c == '.')
            ++nDots;
        else
            bRest = true;
    }
    nLength += n;
}

void Index::StartGame(std::uint64_t nOffset, bool bTentative) {
    m_oGames.push_back({nOffset, 0, 0});
    m_bInGame = true;
    m_bTentative = bTentative;
}

// The reader's game ends here, whether or not a game was listed in it.
void Index::EndGame() {
    const bool bWasInGame = std::exchange(m_bInGame, false);
    m_bStarted = false;
    m_nDepth = 0;
    if (!bWasInGame) {
        m_sTermination.clear();
        return;
    }
    if (m_bTentative && m_sTermination.empty()) {
        m_oGames.pop_back(); // words before a tag
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
    // Against the text read so far, which within one large piece is where the last game began.
    const std::uint64_t nRead = std::max(m_nRead, m_oGames.empty() ? 0 : m_oGames.back().nOffset);
    if (MemoryUsed() > 3 * nRead + SlackBytes)
        throw std::invalid_argument("not a game collection: far too many tiny games");
}

void Index::EndSymbol() {
    m_eState = State::Space;
    Symbol(m_oToken, m_nTokenOffset);
    m_oToken = Token();
}

void Index::Symbol(const Token &oToken, std::uint64_t nOffset) {
    if (m_nDepth > 0)
        return;
    const Shape oShape{oToken.sHead, oToken.nLength, oToken.nDigits,
                       oToken.nDots, oToken.bRest,   oToken.bGlyphs};
    switch (oShape.Of()) {
    case Meaning::Result:
        m_sTermination = oToken.sHead;
        EndGame();
        return;
    case Meaning::Skip:
        return;
    case Meaning::Number:
        if (!m_bInGame)
            StartGame(nOffset, false);
        return;
    case Meaning::Move:
        if (!m_bInGame && oShape.CanStart())
            StartGame(nOffset, !oShape.Numbered());
        m_bStarted = true;
        if (m_bInGame)
            ++m_oGames.back().nPlies;
        return;
    }
}

void Index::StartTag(std::uint64_t nOffset) {
    if (!m_bInGame || m_bStarted) {
        EndGame();
        StartGame(nOffset, false);
    }
    m_sName.clear();
    m_sValue.clear();
    m_bShown = false;
}

// A tag pair at a line's start in a brace comment: if the comment is never closed, the reader
// refuses the game, and the tag begins the next. A line starting "[%clk" or "[see" is the
// comment's own text.
void Index::CommentByte(char c, std::uint64_t nOffset) {
    const bool bName =
        (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    const bool bBlank = c == ' ' || c == '\t';
    switch (m_eLine) {
    case CommentLine::Start:
        if (c == '[') {
            m_eLine = CommentLine::Name;
            m_nTagOffset = nOffset;
            m_sName.clear();
            return;
        }
        break;
    case CommentLine::Name:
        if (bName) {
            if (m_sName.size() < TokenCap)
                m_sName += c;
            return;
        }
        if (bBlank && !m_sName.empty()) {
            m_eLine = CommentLine::Blank;
            return;
        }
        break;
    case CommentLine::Blank:
        if (bBlank)
            return;
        break;
    case CommentLine::Other:
        break;
    }
    m_sName.clear();
    m_eLine = c == '\n' ? CommentLine::Start : CommentLine::Other;
    if (c == '}')
        m_eState = State::Space;
}

void Index::EndTag() {
    m_eState = State::Space;
    if (m_bShown)
        m_oFields[static_cast<std::size_t>(FieldOf(m_sName))] = m_sValue;
    m_sName.clear();
    m_sValue.clear();
    m_bShown = false;
}

bool Index::Shadow(const char *p, std::size_t i, std::size_t n, std::size_t *pResume) {
    Speculation &o = m_oSpeculation;
    for (std::size_t k = i; k < n; ++k) {
        const char c = p[k];
        if (o.bBrace) {
            if (c != '}')
                continue;
            o.bBrace = false;
            if (o.nDepth == 0) {
                *pResume = k + 1;
                return true;
            }
        } else if (o.bLine) {
            o.bLine = c != '\n';
        } else if (c == '{') {
            o.bBrace = true;
        } else if (c == ';' || (c == '%' && (k > 0 ? p[k - 1] : m_cLast) == '\n')) {
            o.bLine = true;
        } else if (c == '(') {
            o.nDepth += o.nDepth < (1 << 30);
        } else if (c == ')' && --o.nDepth == 0) {
            *pResume = k + 1;
            return true;
        }
    }
    return false;
}

bool Index::Resolve(const char *p, std::size_t i, std::size_t n, bool bBrace,
                    std::size_t *pResume) {
    if (m_oSpeculation.bOn)
        return false; // within a split already tentative: the reader's view goes on there
    m_oSpeculation.bBrace = bBrace;
    m_oSpeculation.bLine = false;
    m_oSpeculation.nDepth = m_nDepth;
    return Shadow(p, i, n, pResume);
}

void Index::Speculate() {
    Speculation &o = m_oSpeculation;
    if (o.bOn)
        return;
    o.bOn = true;
    o.nGames = m_oGames.size();
    o.oLast = m_oGames.empty() ? Game{} : m_oGames.back();
    o.nPool = m_sPool.size();
    o.oFields = m_oFields;
    o.sTermination = m_sTermination;
    o.bInGame = m_bInGame;
    o.bStarted = m_bStarted;
    o.bTentative = m_bTentative;
}

// The reader went back to the main line after all: the split never happened.
void Index::TakeBack() {
    Speculation &o = m_oSpeculation;
    o.bOn = false;
    m_oGames.resize(o.nGames);
    if (!m_oGames.empty())
        m_oGames.back() = o.oLast;
    m_sPool.resize(o.nPool);
    m_oFields = o.oFields;
    m_sTermination = o.sTermination;
    m_bInGame = o.bInGame;
    m_bStarted = o.bStarted;
    m_bTentative = o.bTentative;
    m_nDepth = 0;
    m_eState = State::Space;
    m_eLine = CommentLine::Other;
    m_sName.clear();
    m_sValue.clear();
    m_oToken = Token();
}

void Index::Add(std::string_view sBytes) {
    // The first bytes wait until it is known whether they are a byte-order mark.
    if (m_nTextStart == 0 && !m_bBomKnown) {
        const std::size_t nTake = std::min(sBytes.size(), Bom.size() - m_sHeld.size());
        m_sHeld.append(sBytes.substr(0, nTake));
        sBytes.remove_prefix(nTake);
        if (m_sHeld.size() >= 2 &&
            (m_sHeld.starts_with("\xFF\xFE") || m_sHeld.starts_with("\xFE\xFF")))
            throw std::invalid_argument("UTF-16 text; PGN files are 8-bit text");
        if (!Bom.starts_with(m_sHeld)) {
            m_bBomKnown = true;
            AddPiece(std::exchange(m_sHeld, {}));
        } else if (m_sHeld.size() == Bom.size()) {
            m_bBomKnown = true;
            m_sHeld.clear();
            m_nTextStart = m_nRead = Bom.size();
        } else {
            return; // all taken, and maybe a mark still
        }
    }
    AddPiece(sBytes);
}

void Index::AddPiece(std::string_view sBytes) {
    const char *p = sBytes.data();
    const std::size_t n = sBytes.size();
    const std::uint64_t nBase = m_nRead;
    std::size_t i = 0;
    if (m_oSpeculation.bOn && Shadow(p, 0, n, &i))
        TakeBack();
    auto Keep = [](std::string &s, const char *pFrom, std::size_t nLen, std::size_t nCap) {
        s.append(pFrom, std::min(nLen, nCap - std::min(nCap, s.size())));
    };
    while (i < n) {
        switch (m_eState) {
        case State::Space: {
            // Blanks and whole symbols in a tight loop: they are most of a collection's bytes.
            std::uint32_t *pPlies =
                m_bStarted && m_bInGame && m_nDepth == 0 ? &m_oGames.back().nPlies : nullptr;
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
                    m_oToken = Token();
                    m_oToken.Add(p + i, j - i);
                    i = j;
                    break;
                }
                const char c0 = static_cast<char>(p[i] | 0x20);
                if (pPlies && c0 >= 'a' && c0 <= 'z') {
                    ++*pPlies; // a move, most of the symbols
                } else if (pPlies && p[j - 1] == '.' && IsMoveNumber(p + i, j - i)) {
                    // "12." or "12...": the next most common, and no ply of its own
                } else if (m_nDepth == 0) {
                    Token oToken;
                    oToken.Add(p + i, j - i);
                    Symbol(oToken, nBase + i);
                    pPlies = m_bStarted && m_bInGame && m_nDepth == 0 ? &m_oGames.back().nPlies
                                                                      : nullptr;
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
            if (c == ']' || c == '}' || c == '"') {
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
                if (m_nDepth == 0) {
                    StartTag(nBase + i);
                    m_eState = State::TagOpen;
                } else if (bLineStart) {
                    // Legal movetext holds no tag pair: one at a line's start may end a
                    // variation left open, which would otherwise hide every later game.
                    std::size_t nResume = 0;
                    if (Resolve(p, i, n, false, &nResume)) {
                        m_nDepth = 0;
                        i = nResume;
                        break;
                    }
                    Speculate();
                    m_nDepth = 0;
                    StartTag(nBase + i);
                    m_eState = State::TagOpen;
                }
            } else if (c == '$') {
                if (m_nDepth == 0)
                    m_eState = State::Nag;
            } else if (m_nDepth == 0) {
                // A symbol starting with '%' away from a line's start.
                m_eState = State::Symbol;
                m_nTokenOffset = nBase + i;
                m_oToken = Token();
                std::size_t j = i;
                while (j < n && !IsDelimiter(p[j]))
                    ++j;
                m_oToken.Add(p + i, j - i);
                i = j;
                if (i < n)
                    EndSymbol();
                break;
            } else {
                // The same inside a variation, where symbols mean nothing.
                while (i + 1 < n && !IsDelimiter(p[i + 1]))
                    ++i;
            }
            ++i;
            break;
        }
        case State::Symbol: {
            std::size_t j = i;
            while (j < n && !IsDelimiter(p[j]))
                ++j;
            if (m_nDepth == 0)
                m_oToken.Add(p + i, j - i);
            i = j;
            if (i < n)
                EndSymbol();
            break;
        }
        case State::Nag:
            while (i < n && IsDigit(p[i]))
                ++i;
            if (i < n)
                m_eState = State::Space;
            break;
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
            if (m_eLine == CommentLine::Blank && p[i] == '"') {
                std::size_t nResume = 0;
                if (Resolve(p, i, n, true, &nResume)) {
                    m_nDepth = 0;
                    m_eState = State::Space;
                    m_eLine = CommentLine::Other;
                    i = nResume;
                    break;
                }
                Speculate();
                std::string sName = std::move(m_sName);
                m_nDepth = 0;
                StartTag(m_nTagOffset);
                m_eLine = CommentLine::Other;
                m_sName = std::move(sName);
                m_bShown = FieldOf(m_sName) >= 0;
                m_eState = State::TagValue;
                ++i;
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
        case State::TagOpen:
            while (i < n && IsSpace(p[i]))
                ++i;
            if (i < n)
                m_eState = State::TagName;
            break;
        case State::TagName: {
            std::size_t j = i;
            while (j < n && !IsDelimiter(p[j]))
                ++j;
            Keep(m_sName, p + i, j - i, TokenCap + 1); // one more than any field's name
            i = j;
            if (i < n)
                m_eState = State::TagGap;
            break;
        }
        case State::TagGap:
            while (i < n && IsSpace(p[i]))
                ++i;
            if (i == n)
                break;
            m_bShown = FieldOf(m_sName) >= 0; // a tag without a value empties its field
            if (p[i] == '"') {
                m_eState = State::TagValue;
                ++i;
            } else {
                m_eState = State::TagRest;
            }
            break;
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
            if (m_bShown)
                Keep(m_sValue, c == '"' ? "\"" : "\\", 1, ValueCap);
            break;
        }
        case State::TagRest: {
            const void *pEnd = nullptr;
            for (std::size_t j = i; j < n && !pEnd; ++j)
                if (p[j] == ']' || p[j] == '\n')
                    pEnd = p + j;
            if (!pEnd) {
                i = n;
                break;
            }
            i = static_cast<std::size_t>(static_cast<const char *>(pEnd) - p) + 1;
            EndTag();
            break;
        }
        }
    }
    m_nRead += n;
    if (n > 0)
        m_cLast = p[n - 1];
}

void Index::Finish() {
    if (!m_sHeld.empty()) {
        m_bBomKnown = true;
        AddPiece(std::exchange(m_sHeld, {}));
    }
    if (m_eState == State::Symbol)
        EndSymbol();
    else if (m_eState != State::Space && m_eState != State::BraceComment &&
             m_eState != State::LineComment && m_eState != State::Nag)
        EndTag(); // an unclosed tag: the game so far stays listed, as after an unclosed comment
    m_eState = State::Space;
    m_oSpeculation.bOn = false; // what was open stays open: the splits stand
    EndGame();
}

std::string_view Index::Tag(std::size_t n, Field eField) const {
    std::size_t nAt = m_oGames[n].nTags;
    for (int k = 0; k < eField; ++k)
        nAt += 1 + static_cast<unsigned char>(m_sPool[nAt]);
    const std::string_view s(m_sPool.data() + nAt + 1, static_cast<unsigned char>(m_sPool[nAt]));
    return s;
}

std::array<std::string_view, Index::FieldCount> Index::Tags(std::size_t n) const {
    std::array<std::string_view, FieldCount> o;
    const char *p = m_sPool.data() + m_oGames[n].nTags;
    for (std::string_view &s : o) {
        const auto nLength = static_cast<unsigned char>(*p);
        s = std::string_view(p + 1, nLength);
        p += 1 + nLength;
    }
    return o;
}

} // namespace Pgn
