// Reading a game in the import format: its tags, then the movetext with every comment, NAG and
// variation into the game's tree, each move of each line checked on its own position.
#include "Chess960.h"
#include "Notation.h"
#include "Pgn.h"
#include "Printable.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <unordered_map>

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

bool IsGlyphChar(char c) {
    return c == '!' || c == '?';
}

// Where a glyph written onto a move ("e4!?") begins: the move's length without it. Written out
// rather than with find_last_not_of, which looks each character up in a set.
std::size_t GlyphAt(std::string_view s) {
    std::size_t n = s.size();
    while (n > 0 && IsGlyphChar(s[n - 1]))
        --n;
    return n;
}

} // namespace

// The reader is the tree's friend: it builds nodes as it reads, and takes back those of a
// variation that turns out not to be playable.
class GameReader {
public:
    GameReader(std::string_view sText, clsRules &oGame) : m_s(sText), m_oGame(oGame) {
        if (m_s.starts_with("\xEF\xBB\xBF")) {
            m_s.remove_prefix(3);
            m_nSkipped = 3;
        }
    }

    void Run();
    // One past the game's last byte in the text given: after its result, or where the next
    // game's tags begin, or the text's end.
    std::size_t GameEnd() const { return m_nSkipped + m_i; }

private:
    // A line being read: the main line, or a variation and those it is nested in.
    struct Frame {
        int nAnchor = clsRules::Root; // the node the line starts from
        int nCur = clsRules::Root;    // the node after its last move
        bool bMoved = false;
        std::size_t nOpen = 0;  // its '('
        int nFirstNode = 0;     // the first id made inside it
        std::size_t nSides = 0; // and the side store's size then
        std::size_t nTexts = 0;
        std::size_t nJournal = 0; // and the journal's
        // A comment and glyphs before its first move, rare: kept apart, so that a hostile text
        // nesting variations deeply costs little for each.
        std::unique_ptr<Annotation::Notes> pBefore;
        Annotation::Notes &Before() {
            if (!pBefore)
                pBefore = std::make_unique<Annotation::Notes>();
            return *pBefore;
        }
    };

    [[noreturn]] void Fail(std::string_view sMove, std::string_view sWhy) const {
        std::string s = "move " + std::to_string(m_oGame.FullmoveNumber()) + " (";
        s += Printable(sMove);
        s += "): ";
        s += sWhy;
        throw std::invalid_argument(s);
    }
    [[noreturn]] void Unclosed(std::string_view sWhat, std::size_t nAt) const {
        const auto nLine = std::count(m_s.begin(), m_s.begin() + static_cast<long>(nAt), '\n') + 1;
        throw std::invalid_argument("unclosed " + std::string(sWhat) + " on line " +
                                    std::to_string(nLine));
    }

    bool InVariation() const { return m_oFrames.size() > 1; }
    void Start();
    // Blanks and escape lines; false at the end of the text.
    bool SkipBlank();
    // Blanks, comments and escape lines, for text passed over; false at the end.
    bool SkipSpaceAndComments();
    void SkipLine() {
        const std::size_t n = m_s.find('\n', m_i);
        m_i = n == std::string_view::npos ? m_s.size() : n + 1;
    }
    std::string_view Symbol() {
        const std::size_t nStart = m_i;
        while (m_i < m_s.size() && !IsDelimiter(m_s[m_i]))
            ++m_i;
        return m_s.substr(nStart, m_i - nStart);
    }
    void ReadTag(std::vector<std::pair<std::string, std::string>> &oTags);
    void Comment(std::string_view sText);
    void Nag(int nNag);
    void OpenVariation();
    void CloseVariation();
    // The variation being read cannot be played: it is kept as its text.
    void KeepAsText();
    // Node n's notes or clock are about to change: inside a variation, a node made before it
    // keeps what it had, in case the variation is kept as text after all.
    void Touch(int n);
    void PlayMain(std::string_view sMove);
    void PlayVariation(std::string_view sMove);

    std::string_view m_s;
    std::size_t m_i = 0;
    std::size_t m_nSkipped = 0; // a byte-order mark
    clsRules &m_oGame;
    std::vector<std::pair<std::string, std::string>> m_oTags;
    std::unordered_map<std::string, std::size_t> m_oTagAt; // each tag's place in the list
    bool m_bStarted = false;                               // the position is set up
    bool m_bMovetext = false;                              // a move of the main line has been read
    std::vector<Frame> m_oFrames;
    // Written before the first move: the game's comment and glyphs, kept until the end.
    std::string m_sRootText;
    Annotation::Notes m_oRootNotes;
    // Variations are played on a board of their own, set up from the node they go on from.
    std::unique_ptr<clsRules> m_pLine;
    std::vector<std::string_view> m_oSpans; // the opaque nodes' texts, by their place
    struct Kept {
        int nNode;
        int nNotes;
        Annotation::Notes oNotes;
        std::int64_t nClockMs;
    };
    std::vector<Kept> m_oJournal;
    int m_nLineAt = -1; // the node whose position that board holds
};

void GameReader::Start() {
    if (m_bStarted)
        return;
    m_bStarted = true;
    // The FEN tag's position, or the standard one; a game of Chess960 when the Variant tag
    // names it (or the FEN's castling rights need it).
    bool b960 = false;
    const std::string *pFen = nullptr;
    for (const auto &[sName, sValue] : m_oTags) {
        b960 |= sName == "Variant" && Chess960::IsVariantName(sValue);
        if (sName == "FEN")
            pFen = &sValue;
    }
    if (!pFen) {
        if (b960)
            m_oGame.NewGame960(Chess960::StandardNumber);
        else
            m_oGame.NewGame();
    } else {
        try {
            m_oGame.SetFen(*pFen, b960);
        } catch (const std::invalid_argument &e) {
            throw std::invalid_argument(std::string("FEN tag: ") + e.what());
        }
    }
    m_oFrames.clear();
    m_oFrames.emplace_back();
}

bool GameReader::SkipBlank() {
    while (m_i < m_s.size()) {
        const char c = m_s[m_i];
        if (IsSpace(c))
            ++m_i;
        else if (c == '%' && (m_i == 0 || m_s[m_i - 1] == '\n'))
            SkipLine();
        else
            return true;
    }
    return false;
}

bool GameReader::SkipSpaceAndComments() {
    while (SkipBlank()) {
        if (m_s[m_i] == ';') {
            SkipLine();
        } else if (m_s[m_i] == '{') {
            const std::size_t n = m_s.find('}', m_i);
            if (n == std::string_view::npos)
                Unclosed("comment {", m_i);
            m_i = n + 1;
        } else {
            return true;
        }
    }
    return false;
}

void GameReader::Run() {
    std::string_view sResult;
    while (SkipBlank()) {
        const char c = m_s[m_i];
        if (c == '{' || c == ';') {
            const std::size_t nEnd = m_s.find(c == '{' ? '}' : '\n', m_i);
            if (nEnd == std::string_view::npos && c == '{')
                Unclosed("comment {", m_i); // the rest of the game would vanish into it
            const std::size_t nStop = std::min(nEnd, m_s.size());
            const std::string_view sText = m_s.substr(m_i + 1, nStop - m_i - 1);
            m_i = std::min(nStop + 1, m_s.size());
            Comment(sText);
        } else if (c == '[') {
            if (InVariation())
                KeepAsText();
            else if (m_bMovetext)
                break; // the next game's tags
            else
                ReadTag(m_oTags);
        } else if (c == '(') {
            OpenVariation();
        } else if (c == ')') {
            CloseVariation();
        } else if (c == ']' || c == '}' || c == '"') {
            if (InVariation())
                KeepAsText();
            else
                ++m_i;
        } else if (c == '$') {
            int nNag = 0;
            std::size_t nDigits = 0;
            for (++m_i; m_i < m_s.size() && m_s[m_i] >= '0' && m_s[m_i] <= '9'; ++m_i, ++nDigits)
                nNag = std::min(nNag * 10 + (m_s[m_i] - '0'), 1000);
            if (nDigits > 0 && nNag <= 255)
                Nag(nNag);
        } else {
            std::string_view sToken = Symbol();
            if (IsResult(sToken)) {
                if (InVariation()) {
                    m_i -= sToken.size();
                    KeepAsText();
                    continue;
                }
                sResult = sToken;
                break;
            }
            if (GlyphAt(sToken) == 0) {
                if (const int nNag = Annotation::GlyphNag(sToken); nNag > 0)
                    Nag(nNag); // a glyph standing apart from its move
                continue;
            }
            if (sToken.front() >= '0' && sToken.front() <= '9' && !sToken.starts_with("0-0")) {
                // A move number, maybe with its move joined: "12.", "12...Nf6", "1.e4".
                std::size_t nDigits = 1;
                while (nDigits < sToken.size() && sToken[nDigits] >= '0' && sToken[nDigits] <= '9')
                    ++nDigits;
                if (nDigits == sToken.size())
                    continue;
                sToken.remove_prefix(nDigits);
                if (sToken.front() != '.') {
                    if (!InVariation())
                        Fail(sToken, "unreadable move");
                    KeepAsText();
                    continue;
                }
            }
            // Every period is a token of its own: "1. ... e5", "1 ...e5".
            while (!sToken.empty() && sToken.front() == '.')
                sToken.remove_prefix(1);
            if (sToken.empty())
                continue;
            if (InVariation())
                PlayVariation(sToken);
            else
                PlayMain(sToken);
        }
    }
    if (InVariation())
        Unclosed("variation (", m_oFrames[1].nOpen);
    for (std::size_t i = 0; i < m_oSpans.size(); ++i)
        m_oGame.m_oTexts[i] = m_oSpans[i];
    if (!m_bStarted && m_oTags.empty() && sResult.empty())
        throw std::invalid_argument("no game in the text");
    Start();
    m_oGame.JudgeEnd();
    if (sResult.empty())
        for (const auto &[sName, sValue] : m_oTags)
            if (sName == "Result" && IsResult(sValue))
                sResult = sValue;
    // A decisive result on a position that is not mate was a resignation or a loss on time.
    if (!sResult.empty() && sResult != "*" && !m_oGame.IsGameOver()) {
        if (sResult == "1/2-1/2" && m_oGame.CanClaimDraw())
            m_oGame.ClaimDraw();
        else
            m_oGame.SetResult(sResult);
    }
    if (!m_sRootText.empty() || !m_oRootNotes.Empty()) {
        Annotation::Notes &o = m_oGame.NotesOf(clsRules::Root);
        o = std::move(m_oRootNotes);
        o.sAfter = std::move(m_sRootText);
    }
    m_oGame.Tags() = std::move(m_oTags);
}

// [Name "value"], the value with \" and \\ escapes. What is kept must write out as a valid tag
// pair: a name that is not one is dropped, and a control character in the value, which the
// standard forbids there, becomes a space.
void GameReader::ReadTag(std::vector<std::pair<std::string, std::string>> &oTags) {
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

void GameReader::Comment(std::string_view sText) {
    if (!m_bStarted || !m_oFrames.back().bMoved) {
        if (InVariation())
            Annotation::ReadComment(sText, m_oFrames.back().Before().sBefore, m_oRootNotes, nullptr,
                                    false);
        else
            Annotation::ReadComment(sText, m_sRootText, m_oRootNotes, nullptr);
        return;
    }
    const int n = m_oFrames.back().nCur;
    Touch(n);
    std::int64_t &nClock = m_oGame.NodePly(n).nClockMs;
    if (m_oGame.NodeAt(n).nNotes >= 0) {
        Annotation::Notes &o = m_oGame.NotesOf(n);
        Annotation::ReadComment(sText, o.sAfter, o, &nClock);
        return;
    }
    // Most comments of a timed game hold its clock alone: no notes are made for those.
    Annotation::Notes oNew;
    Annotation::ReadComment(sText, oNew.sAfter, oNew, &nClock);
    if (!oNew.Empty())
        m_oGame.NotesOf(n) = std::move(oNew);
}

void GameReader::Nag(int nNag) {
    const auto n = static_cast<std::uint8_t>(nNag);
    if (!m_bStarted || !m_oFrames.back().bMoved)
        (InVariation() ? m_oFrames.back().Before().oNags : m_oRootNotes.oNags).push_back(n);
    else {
        Touch(m_oFrames.back().nCur);
        m_oGame.NotesOf(m_oFrames.back().nCur).oNags.push_back(n);
    }
}

void GameReader::Touch(int n) {
    if (!InVariation() || n >= m_oFrames.back().nFirstNode)
        return;
    const clsRules::Node &o = m_oGame.NodeAt(n);
    m_oJournal.push_back({n, o.nNotes, o.nNotes >= 0 ? m_oGame.NodeNotes(n) : Annotation::Notes{},
                          m_oGame.NodePly(n).nClockMs});
}

void GameReader::OpenVariation() {
    Start();
    if (InVariation() && !m_oFrames.back().bMoved) {
        KeepAsText(); // a variation inside a variation before its first move stands for nothing
        return;
    }
    const Frame &f = m_oFrames.back();
    // An alternative to the line's last move; one before any move starts where the line does.
    const int nAnchor = f.bMoved ? m_oGame.Parent(f.nCur) : f.nAnchor;
    Frame o;
    o.nAnchor = o.nCur = nAnchor;
    o.nOpen = m_i;
    o.nFirstNode = m_oGame.NodeCount();
    o.nSides = m_oGame.m_oSide.size();
    o.nTexts = m_oGame.m_oTexts.size();
    o.nJournal = m_oJournal.size();
    m_oFrames.push_back(std::move(o));
    ++m_i;
}

void GameReader::CloseVariation() {
    if (!InVariation()) {
        ++m_i; // a stray one
        return;
    }
    if (!m_oFrames.back().bMoved) {
        KeepAsText(); // no move to hang anything on
        return;
    }
    m_oFrames.pop_back();
    ++m_i;
}

void GameReader::KeepAsText() {
    const Frame f = std::move(m_oFrames.back());
    m_oFrames.pop_back();
    // What the variation made goes: the nodes, from the newest, and their moves.
    for (int k = m_oGame.NodeCount() - 1; k >= f.nFirstNode; --k)
        if (m_oGame.NodeAt(k).nParent < f.nFirstNode)
            m_oGame.Unlink(k);
    m_oGame.m_oNodes.resize(static_cast<std::size_t>(f.nFirstNode));
    m_oGame.m_oSide.resize(f.nSides);
    m_oGame.m_oTexts.resize(f.nTexts);
    m_oSpans.resize(f.nTexts);
    while (m_oJournal.size() > f.nJournal) {
        Kept &k = m_oJournal.back();
        clsRules::Node &o = m_oGame.NodeAt(k.nNode);
        o.nNotes = k.nNotes;
        if (k.nNotes >= 0)
            m_oGame.m_oNotes[static_cast<std::size_t>(k.nNotes)] = std::move(k.oNotes);
        m_oGame.NodePly(k.nNode).nClockMs = k.nClockMs;
        m_oJournal.pop_back();
    }
    m_nLineAt = -1;
    // Its text runs to the matching parenthesis; comments may hold parentheses.
    int nDepth = 1;
    while (nDepth > 0) {
        if (!SkipSpaceAndComments())
            Unclosed("variation (", f.nOpen);
        const char c = m_s[m_i++];
        nDepth += c == '(' ? 1 : c == ')' ? -1 : 0;
    }
    const int n = m_oGame.NewNode(f.nAnchor, false);
    clsRules::Node &o = m_oGame.NodeAt(n);
    o.bOpaque = true;
    o.nSide = static_cast<int>(m_oGame.m_oTexts.size());
    // The text is taken once the game is read: a variation around this one may yet be kept as
    // text too, and copying each nested one would take the square of the text's length.
    m_oGame.m_oTexts.emplace_back();
    m_oSpans.push_back(m_s.substr(f.nOpen + 1, m_i - f.nOpen - 2));
}

void GameReader::PlayMain(std::string_view sMove) {
    Start();
    // A glyph written onto the move: "e4!?".
    const std::size_t nGlyph = GlyphAt(sMove);
    const int nNag = Annotation::GlyphNag(sMove.substr(nGlyph));
    if (m_oGame.IsGameOver())
        Fail(sMove, "the game is already over");
    Move oMove;
    try {
        oMove = Notation::ParseSan(m_oGame, sMove.substr(0, nGlyph));
    } catch (const std::invalid_argument &e) {
        m_oGame.JudgeEnd(); // a stalemate is found only now
        Fail(sMove, m_oGame.IsGameOver() ? "the game is already over" : e.what());
    }
    m_oGame.PlayListed(oMove);
    m_bMovetext = true;
    Frame &f = m_oFrames.back();
    f.nCur = m_oGame.LiveNode();
    f.bMoved = true;
    if (nNag > 0)
        m_oGame.NotesOf(f.nCur).oNags.push_back(static_cast<std::uint8_t>(nNag));
}

void GameReader::PlayVariation(std::string_view sMove) {
    Frame &f = m_oFrames.back();
    if (!m_pLine) {
        m_pLine = std::make_unique<clsRules>();
        m_pLine->m_bTree = false;
    }
    clsRules &oLine = *m_pLine;
    if (m_nLineAt != f.nCur)
        oLine.PlaceLine(m_oGame.NodePosition(f.nCur), m_oGame.Is960());
    m_nLineAt = -1;
    const std::size_t nGlyph = GlyphAt(sMove);
    const int nNag = Annotation::GlyphNag(sMove.substr(nGlyph));
    Move oMove;
    try {
        oMove = Notation::ParseSan(oLine, sMove.substr(0, nGlyph));
    } catch (const std::invalid_argument &) {
        KeepAsText();
        return;
    }
    oLine.PlayListed(oMove, false);
    int nNode = -1;
    for (int c = m_oGame.FirstChild(f.nCur); c >= 0; c = m_oGame.NextSibling(c))
        if (!m_oGame.IsOpaque(c) && m_oGame.NodePly(c).oMove == oMove) {
            nNode = c; // the same move again: the line goes on through it
            break;
        }
    if (nNode < 0) {
        nNode = m_oGame.NewNode(f.nCur, false);
        m_oGame.NodeAt(nNode).nSide = static_cast<int>(m_oGame.m_oSide.size());
        m_oGame.m_oSide.push_back(oLine.Record().back());
    }
    f.nCur = nNode;
    m_nLineAt = nNode;
    if ((!f.bMoved && f.pBefore) || nNag > 0)
        Touch(nNode);
    if (!f.bMoved) {
        f.bMoved = true;
        if (f.pBefore) {
            const Annotation::Notes &oBefore = *f.pBefore;
            Annotation::Notes &o = m_oGame.NotesOf(nNode);
            // Only a variation's own first move has a comment before it in a file.
            std::string &sTo = m_oGame.TakesCommentBefore(nNode) ? o.sBefore : o.sAfter;
            if (!oBefore.sBefore.empty()) {
                if (!sTo.empty())
                    sTo += ' ';
                sTo += oBefore.sBefore;
            }
            o.oNags.insert(o.oNags.end(), oBefore.oNags.begin(), oBefore.oNags.end());
        }
    }
    if (nNag > 0)
        m_oGame.NotesOf(nNode).oNags.push_back(static_cast<std::uint8_t>(nNag));
}

namespace Pgn {

void Read(clsRules &oRules, std::string_view sText, std::size_t *pGameEnd) {
    GameReader oReader(sText, oRules);
    oReader.Run();
    if (pGameEnd)
        *pGameEnd = oReader.GameEnd();
}

void Load(clsRules &oRules, std::string_view sText) {
    clsRules oRead;
    Read(oRead, sText);
    oRules.Adopt(std::move(oRead));
}

} // namespace Pgn
