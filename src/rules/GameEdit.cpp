// Editing the game tree: moves added anywhere, notes, variations deleted or promoted.
#include "clsRules.h"

#include <algorithm>

namespace {

bool HasBrace(std::string_view s) {
    return s.find('}') != std::string_view::npos;
}

} // namespace

const char *clsRules::EditText(EditResult e) {
    switch (e) {
    case EditResult::Done:
        return "";
    case EditResult::NoSuchNode:
        return "no such move in the game";
    case EditResult::NotLegal:
        return "not a legal move there";
    case EditResult::OnMainLine:
        return "the main line is no variation";
    case EditResult::BraceInComment:
        return "a comment cannot hold \"}\"";
    case EditResult::NotAtVariationStart:
        return "only the first move of a variation has a comment before it";
    case EditResult::GameEndsFirst:
        return "the game would end before the line does";
    case EditResult::MoveInProgress:
        break;
    }
    return "a move is being played";
}

clsRules::EditResult clsRules::Refuse(EditResult e) {
    m_eLastEdit = e;
    return e;
}

int clsRules::AddMove(int nAt, const Move &oMove) {
    if (m_bMoveBegun || bPromotionPending) {
        Refuse(EditResult::MoveInProgress);
        return -1;
    }
    if (!IsNode(nAt) || IsOpaque(nAt)) {
        Refuse(EditResult::NoSuchNode);
        return -1;
    }
    Refuse(EditResult::Done);
    for (int c = FirstChild(nAt); c >= 0; c = NextSibling(c))
        if (!IsOpaque(c) && NodePly(c).oMove == oMove)
            return c;
    clsRules oBoard;
    oBoard.m_bTree = false;
    oBoard.SetPosition(NodePosition(nAt), m_b960);
    if (!oBoard.IsLegal(oMove) || !oBoard.PlayListed(oMove, false)) {
        Refuse(EditResult::NotLegal);
        return -1;
    }
    const int n = NewNode(nAt, false);
    NodeAt(n).nSide = static_cast<int>(m_oSide.size());
    m_oSide.push_back(std::move(oBoard.m_oRecord.back()));
    return n;
}

clsRules::EditResult clsRules::SetNotes(int n, Annotation::Notes oNotes) {
    if (!IsNode(n) || IsOpaque(n))
        return Refuse(EditResult::NoSuchNode);
    if (HasBrace(oNotes.sBefore) || HasBrace(oNotes.sAfter))
        return Refuse(EditResult::BraceInComment);
    if (!oNotes.sBefore.empty() && !TakesCommentBefore(n))
        return Refuse(EditResult::NotAtVariationStart);
    for (const Annotation::Shape &o : oNotes.oShapes)
        if (Annotation::ShapeText(o).empty())
            return Refuse(EditResult::NoSuchNode);
    // As a file would hold them: white space made single, shapes in their order, commands
    // typed into the comment taken out as the reader takes them.
    Annotation::Notes oClean;
    std::int64_t nClock = n == Root ? -1 : NodePly(n).nClockMs;
    Annotation::ReadComment(oNotes.sBefore, oClean.sBefore, oClean, nullptr, false);
    Annotation::ReadComment(oNotes.sAfter, oClean.sAfter, oClean, n == Root ? nullptr : &nClock);
    oClean.oNags = std::move(oNotes.oNags);
    for (const Annotation::Shape &o : oNotes.oShapes)
        Annotation::AddShape(oClean.oShapes, o);
    if (!oClean.oEval)
        oClean.oEval = oNotes.oEval;
    if (oClean.nEmtMs < 0)
        oClean.nEmtMs = Annotation::Representable(oNotes.nEmtMs);
    if (n != Root)
        NodePly(n).nClockMs = nClock;
    NotesOf(n) = std::move(oClean);
    return Refuse(EditResult::Done);
}

clsRules::EditResult clsRules::SetComment(int n, std::string_view sText, bool bBefore) {
    Annotation::Notes o = NodeNotes(n);
    (bBefore ? o.sBefore : o.sAfter) = sText;
    return SetNotes(n, std::move(o));
}

clsRules::EditResult clsRules::SetNags(int n, std::vector<std::uint8_t> oNags) {
    Annotation::Notes o = NodeNotes(n);
    o.oNags = std::move(oNags);
    return SetNotes(n, std::move(o));
}

clsRules::EditResult clsRules::SetShapes(int n, std::vector<Annotation::Shape> oShapes) {
    Annotation::Notes o = NodeNotes(n);
    o.oShapes.clear();
    for (const Annotation::Shape &s : oShapes)
        o.oShapes.push_back(s);
    return SetNotes(n, std::move(o));
}

clsRules::EditResult clsRules::DeleteVariation(int n) {
    if (m_bMoveBegun || bPromotionPending)
        return Refuse(EditResult::MoveInProgress);
    if (!IsNode(n) || n == Root)
        return Refuse(EditResult::NoSuchNode);
    const int nStart = VariationStart(n);
    if (nStart < 0)
        return Refuse(EditResult::OnMainLine);
    RemoveSubtree(nStart);
    return Refuse(EditResult::Done);
}

clsRules::EditResult clsRules::DeleteFrom(int n) {
    if (m_bMoveBegun || bPromotionPending)
        return Refuse(EditResult::MoveInProgress);
    if (!IsNode(n) || n == Root)
        return Refuse(EditResult::NoSuchNode);
    if (OnMainLine(n)) {
        const int nPly = Depth(n);
        m_bTree = false;
        while (PlyCount() >= nPly && UndoLastMove())
            m_oLine.pop_back();
        m_bTree = true;
    }
    RemoveSubtree(n);
    return Refuse(EditResult::Done);
}

std::vector<int> clsRules::LineThrough(int n) const {
    std::vector<int> o;
    for (int k = n; !OnMainLine(k); k = NodeAt(k).nParent)
        o.push_back(k);
    std::reverse(o.begin(), o.end());
    for (int k = NodeAt(n).nFirstChild; k >= 0 && !NodeAt(k).bOpaque; k = NodeAt(k).nFirstChild)
        o.push_back(k);
    return o;
}

std::string clsRules::ResultAfterPromotion(int n) {
    if (!IsNode(n) || IsOpaque(n) || OnMainLine(n))
        return IsNode(n) && !IsOpaque(n) ? Result() : std::string();
    clsRules oBoard;
    oBoard.m_bTree = false;
    oBoard.SetPosition(m_oStart, m_b960);
    const std::vector<int> oLine = LineThrough(n);
    const int nFork = Depth(oLine.front()) - 1;
    for (int i = 1; i <= nFork; ++i)
        oBoard.PlayListed(m_oRecord[static_cast<std::size_t>(i - 1)].oMove, true);
    for (const int k : oLine)
        if (!oBoard.PlayListed(NodePly(k).oMove, true))
            return {};
    oBoard.JudgeEnd();
    return oBoard.Result();
}

clsRules::EditResult clsRules::PromoteVariation(int n) {
    if (m_bMoveBegun || bPromotionPending)
        return Refuse(EditResult::MoveInProgress);
    if (!IsNode(n) || IsOpaque(n) || n == Root)
        return Refuse(EditResult::NoSuchNode);
    if (OnMainLine(n))
        return Refuse(EditResult::OnMainLine);
    if (ResultAfterPromotion(n).empty())
        return Refuse(EditResult::GameEndsFirst);
    const std::vector<int> oLine = LineThrough(n);
    const int nFork = Depth(oLine.front()) - 1;
    const int nOldLive = LiveNode();
    for (const int k : oLine)
        MoveToFront(k);
    // The old main line from the fork on becomes a variation; the new one is played.
    m_bTree = false;
    while (PlyCount() > nFork) {
        ToSide(m_oLine.back());
        m_oLine.pop_back();
        UndoLastMove();
    }
    m_eEnd = GameEnd::None;
    m_pResult = "*";
    for (const int k : oLine) {
        const Ply oSide = NodePly(k);
        PlayListed(oSide.oMove, true);
        m_oRecord.back().nClockMs = oSide.nClockMs;
        NodeAt(k).nSide = -1;
        m_oLine.push_back(k);
    }
    m_bTree = true;
    JudgeEnd();
    for (const int k : oLine)
        SettleBefore(NodeAt(k).nParent);
    SettleBefore(nOldLive);
    SettleBefore(LiveNode());
    return Refuse(EditResult::Done);
}
