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

// The movetext of the whole tree, each line of at most 80 characters where no single token is
// longer. Lines nest to any depth, so the tree is walked with a stack of its own.
class Writer {
public:
    Writer(const clsRules &oGame, std::string &s) : m_oGame(oGame), m_s(s) {
        m_nLineStart = s.size();
    }

    void Movetext(std::string_view sResult);

private:
    struct Task {
        enum Kind { Line, Variation, Close } eKind;
        int nNode;
        bool bNumber; // the line's next move needs its number, Black's too
    };

    // A token, after a space or a line break; nKeep characters that must follow it on its line
    // (a move after its number) count as its own. Only a token with bLines may hold a line
    // break (an opaque variation's text).
    void Put(std::string_view sToken, bool bMayBreak = true, std::size_t nKeep = 0,
             bool bLines = false) {
        if (m_bGlue) {
            m_bGlue = false;
            // A "(" keeps its first token: when that overflows, both go to the next line.
            if (bMayBreak && m_s.size() - m_nLineStart + sToken.size() + nKeep > 80 &&
                m_s.size() >= 2 && m_s.size() - 1 > m_nLineStart && m_s[m_s.size() - 2] == ' ') {
                m_s[m_s.size() - 2] = '\n';
                m_nLineStart = m_s.size() - 1;
            }
        } else if (m_s.size() > m_nLineStart) {
            if (bMayBreak && m_s.size() - m_nLineStart + 1 + sToken.size() + nKeep > 80) {
                m_s += '\n';
                m_nLineStart = m_s.size();
            } else {
                m_s += ' ';
            }
        }
        m_s += sToken;
        if (bLines && sToken.find('\n') != std::string_view::npos)
            m_nLineStart = m_s.rfind('\n') + 1;
    }
    void PutNags(const std::vector<std::uint8_t> &oNags) {
        for (const std::uint8_t nNag : oNags) {
            m_sToken.assign(1, '$');
            m_sToken += std::to_string(nNag);
            Put(m_sToken);
        }
    }
    // A comment; false for none.
    // With bClock a clock may be among the commands (a move's comment); a comment before a move
    // (bCommands false) keeps commands as text.
    bool Comment(std::string_view sText, std::string_view sCommands = {}, bool bCommands = false,
                 bool bClock = false);
    // One comment as it is written, in braces or after a semicolon.
    void WriteComment(std::string_view sAll);
    // The move's number where it needs one, and its SAN; with bNotes its NAGs and comment.
    // Whether a comment ended it.
    bool WriteMove(int n, bool bNumber, bool bNotes = true);
    void Open() {
        Put("(");
        m_bGlue = true;
    }
    void PushVariations(int nFrom) {
        // Stacked last first, so that they come out in their order.
        const std::size_t nAt = m_oTasks.size();
        for (int c = nFrom; c >= 0; c = m_oGame.NextSibling(c))
            m_oTasks.push_back({Task::Variation, c, true});
        std::reverse(m_oTasks.begin() + static_cast<std::ptrdiff_t>(nAt), m_oTasks.end());
    }
    void Line(int nParent, bool bNumber);

    const clsRules &m_oGame;
    std::string &m_s;
    std::size_t m_nLineStart = 0;
    bool m_bGlue = false; // the next token follows without a space: after "("
    std::string m_sToken;
    std::string m_sComment;
    std::vector<Task> m_oTasks;
};

bool Writer::Comment(std::string_view sText, std::string_view sCommands, bool bCommands,
                     bool bClock) {
    std::string &sAll = m_sComment;
    sAll.assign(sText);
    if (!sCommands.empty()) {
        if (!sAll.empty())
            sAll += ' ';
        sAll += sCommands;
    }
    if (sAll.empty())
        return false;
    // Text read from several comments may hold a "[%" that was left open in its own one; once in
    // one comment with what follows, it could read as a command. Such text is written a word a
    // comment, which reads back as it is; a single word is never a command the reader takes.
    if (bCommands && sText.find("[%") != std::string_view::npos) {
        std::string sRead;
        Annotation::Notes oRead;
        std::int64_t nClock = -1;
        Annotation::ReadComment(sAll, sRead, oRead, bClock ? &nClock : nullptr);
        if (sRead != sText || Annotation::Commands(oRead, nClock) != sCommands) {
            const std::string sWords(sText);
            if (!sCommands.empty())
                WriteComment(sCommands);
            std::size_t nAt = 0;
            for (std::string_view w = Annotation::NextWord(sWords, nAt); !w.empty();
                 w = Annotation::NextWord(sWords, nAt))
                WriteComment(w);
            return true;
        }
    }
    WriteComment(m_sComment);
    return true;
}

void Writer::WriteComment(std::string_view sText) {
    const std::string sAll(sText); // m_sComment may be what it names
    if (sAll.find('}') != std::string::npos) {
        // A brace would end a brace comment; a rest-of-line comment holds it.
        m_sToken.assign("; ");
        m_sToken += sAll;
        Put(m_sToken);
        m_s += '\n';
        m_nLineStart = m_s.size();
        return;
    }
    // Most comments fit the line they start on, whole: their words are single-spaced already.
    if (!m_bGlue && m_s.size() - m_nLineStart + sAll.size() + 3 <= 80) {
        m_sToken.assign(1, '{');
        m_sToken += sAll;
        m_sToken += '}';
        Put(m_sToken);
        return;
    }
    std::size_t nAt = 0;
    std::string_view w = Annotation::NextWord(sAll, nAt);
    for (bool bFirst = true; !w.empty(); bFirst = false) {
        const std::string_view sNext = Annotation::NextWord(sAll, nAt);
        m_sToken.clear();
        if (bFirst)
            m_sToken += '{';
        m_sToken += w;
        if (sNext.empty())
            m_sToken += '}';
        // No line inside a comment may start as an escape line or a tag pair would.
        const bool bMayBreak = bFirst || !(w.front() == '%' || (w.front() == '[' && w.size() > 1 &&
                                                                Pgn::IsTagName(w.substr(1, 1))));
        Put(m_sToken, bMayBreak);
        w = sNext;
    }
}

bool Writer::WriteMove(int n, bool bNumber, bool bNotes) {
    const clsRules::Position &oBefore = m_oGame.NodePosition(m_oGame.Parent(n));
    const clsRules::Ply &oPly = m_oGame.NodePly(n);
    if (oBefore.bWhiteToMove || bNumber) {
        m_sToken = std::to_string(oBefore.nFullmove);
        m_sToken += oBefore.bWhiteToMove ? "." : "...";
        Put(m_sToken, true, 1 + oPly.sSan.size());
        Put(oPly.sSan, false);
    } else {
        Put(oPly.sSan);
    }
    if (!bNotes)
        return false;
    const Annotation::Notes &o = m_oGame.NodeNotes(n);
    PutNags(o.oNags);
    return Comment(o.sAfter, Annotation::Commands(o, oPly.nClockMs), true, true);
}

void Writer::Line(int nParent, bool bNumber) {
    const int nFirst = m_oGame.FirstChild(nParent);
    if (nFirst < 0)
        return;
    if (nParent == m_oGame.LiveNode()) {
        // Variations kept at the end of the game, with no move of the game for them to stand
        // beside: one variation repeats the last move and goes on from it.
        int nOn = nFirst;
        while (nOn >= 0 && m_oGame.IsOpaque(nOn))
            nOn = m_oGame.NextSibling(nOn);
        if (nParent == clsRules::Root || nOn < 0) {
            PushVariations(nFirst);
            return;
        }
        Open();
        WriteMove(nParent, true, false);
        const bool bComment = WriteMove(nOn, false);
        m_oTasks.push_back({Task::Close, -1, false});
        m_oTasks.push_back({Task::Line, nOn, true});
        const std::size_t nAt = m_oTasks.size();
        for (int c = nFirst; c >= 0; c = m_oGame.NextSibling(c))
            if (c != nOn)
                m_oTasks.push_back({Task::Variation, c, true});
        std::reverse(m_oTasks.begin() + static_cast<std::ptrdiff_t>(nAt), m_oTasks.end());
        m_oTasks[nAt - 1].bNumber = bComment || m_oTasks.size() > nAt;
        return;
    }
    if (m_oGame.IsOpaque(nFirst)) {
        PushVariations(nFirst);
        return;
    }
    const bool bComment = WriteMove(nFirst, bNumber);
    const int nNext = m_oGame.NextSibling(nFirst);
    m_oTasks.push_back({Task::Line, nFirst, bComment || nNext >= 0});
    PushVariations(nNext);
}

void Writer::Movetext(std::string_view sResult) {
    const Annotation::Notes &oRoot = m_oGame.NodeNotes(clsRules::Root);
    PutNags(oRoot.oNags);
    Comment(oRoot.sAfter, Annotation::Commands(oRoot, -1), true);
    m_oTasks.push_back({Task::Line, clsRules::Root, true});
    while (!m_oTasks.empty()) {
        const Task t = m_oTasks.back();
        m_oTasks.pop_back();
        switch (t.eKind) {
        case Task::Close:
            m_s += ')';
            break;
        case Task::Variation: {
            if (m_oGame.IsOpaque(t.nNode)) {
                m_sToken.assign(1, '(');
                m_sToken += m_oGame.OpaqueText(t.nNode);
                m_sToken += ')';
                Put(m_sToken, true, 0, true);
                break;
            }
            Open();
            Comment(m_oGame.NodeNotes(t.nNode).sBefore);
            const bool bComment = WriteMove(t.nNode, true);
            m_oTasks.push_back({Task::Close, -1, false});
            m_oTasks.push_back({Task::Line, t.nNode, bComment});
            break;
        }
        case Task::Line:
            Line(t.nNode, t.bNumber);
            break;
        }
    }
    Put(sResult);
}

} // namespace

namespace Pgn {

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

    Writer(oRules, s).Movetext(sResult);
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
