// The game as a tree of moves: the main line kept in the record, the variations beside it, the
// notes on every node, and the edits a player makes to them.
#include "Notation.h"
#include "Zobrist.h"
#include "clsRules.h"

#include <algorithm>

using namespace modConsts;

namespace {

const clsRules::Ply NoPly{};
const Annotation::Notes NoNotes{};
const std::string NoText;

} // namespace

// --- Reading the tree ---------------------------------------------------------------------

std::vector<int> clsRules::Children(int n) const {
    std::vector<int> o;
    for (int c = FirstChild(n); c >= 0; c = NodeAt(c).nNextSibling)
        o.push_back(c);
    return o;
}

const std::string &clsRules::OpaqueText(int n) const {
    return IsOpaque(n) ? m_oTexts[static_cast<std::size_t>(NodeAt(n).nSide)] : NoText;
}

const clsRules::Ply &clsRules::NodePly(int n) const {
    if (!IsNode(n) || n == Root || NodeAt(n).bOpaque)
        return NoPly;
    const Node &o = NodeAt(n);
    return o.nSide < 0 ? m_oRecord[static_cast<std::size_t>(o.nPly - 1)]
                       : m_oSide[static_cast<std::size_t>(o.nSide)];
}

clsRules::Ply &clsRules::NodePly(int n) {
    return const_cast<Ply &>(std::as_const(*this).NodePly(n));
}

const Annotation::Notes &clsRules::NodeNotes(int n) const {
    return IsNode(n) && NodeAt(n).nNotes >= 0 ? m_oNotes[static_cast<std::size_t>(NodeAt(n).nNotes)]
                                              : NoNotes;
}

// --- Keeping the tree beside the record -----------------------------------------------------

void clsRules::StartTree() {
    m_oNodes.reserve(256);
    m_oLine.reserve(256);
    m_oNodes.assign(1, Node{});
    m_oLine.clear();
    m_oSide.clear();
    m_oTexts.clear();
    m_oNotes.clear();
    m_bEndUnjudged = false;
}

int clsRules::NewNode(int nParent, bool bFirst) {
    const int n = NodeCount();
    Node &o = m_oNodes.emplace_back();
    o.nParent = nParent;
    Node &p = NodeAt(nParent);
    o.nPly = p.nPly + 1;
    if (bFirst || p.nFirstChild < 0) {
        o.nNextSibling = p.nFirstChild;
        p.nFirstChild = n;
    } else {
        int c = p.nFirstChild;
        while (NodeAt(c).nNextSibling >= 0)
            c = NodeAt(c).nNextSibling;
        NodeAt(c).nNextSibling = n;
    }
    return n;
}

void clsRules::Unlink(int n) {
    Node &p = NodeAt(NodeAt(n).nParent);
    if (p.nFirstChild == n) {
        p.nFirstChild = NodeAt(n).nNextSibling;
    } else {
        int c = p.nFirstChild;
        while (NodeAt(c).nNextSibling != n)
            c = NodeAt(c).nNextSibling;
        NodeAt(c).nNextSibling = NodeAt(n).nNextSibling;
    }
    NodeAt(n).nNextSibling = -1;
}

void clsRules::MoveToFront(int n) {
    const int nParent = NodeAt(n).nParent;
    if (NodeAt(nParent).nFirstChild == n)
        return;
    Unlink(n);
    NodeAt(n).nNextSibling = NodeAt(nParent).nFirstChild;
    NodeAt(nParent).nFirstChild = n;
}

void clsRules::RemoveSubtree(int n) {
    const int nParent = NodeAt(n).nParent;
    DropSubtree(n);
    SettleBefore(nParent);
    if (nParent != Root)
        SettleBefore(NodeAt(nParent).nParent);
}

void clsRules::DropSubtree(int n) {
    const int nParent = NodeAt(n).nParent;
    Unlink(n);
    std::vector<int> oStack{n};
    while (!oStack.empty()) {
        const int k = oStack.back();
        oStack.pop_back();
        NodeAt(k).bRemoved = true;
        for (int c = NodeAt(k).nFirstChild; c >= 0; c = NodeAt(c).nNextSibling)
            oStack.push_back(c);
    }
    // A line goes on with a move, not with a variation that could not be played.
    const int nFirst = NodeAt(nParent).nFirstChild;
    if (nFirst < 0 || !NodeAt(nFirst).bOpaque)
        return;
    for (int c = nFirst; c >= 0; c = NodeAt(c).nNextSibling)
        if (!NodeAt(c).bOpaque) {
            MoveToFront(c);
            return;
        }
    // Kept as text, they stood beside a move that is gone; a file can hold them only beside
    // the move they follow, so there they go.
    if (nParent == Root)
        return;
    const int nUp = NodeAt(nParent).nParent;
    while (NodeAt(nParent).nFirstChild >= 0) {
        const int c = NodeAt(nParent).nFirstChild;
        Unlink(c);
        NodeAt(c).nParent = nUp;
        NodeAt(c).nPly = NodeAt(nUp).nPly + 1;
        int k = NodeAt(nUp).nFirstChild;
        while (NodeAt(k).nNextSibling >= 0)
            k = NodeAt(k).nNextSibling;
        NodeAt(k).nNextSibling = c;
    }
}

bool clsRules::TakesCommentBefore(int n) const {
    if (!IsNode(n) || n == Root || NodeAt(n).bOpaque)
        return false;
    const int p = NodeAt(n).nParent;
    if (p != LiveNode())
        return NodeAt(p).nFirstChild != n;
    // At the live end, the first move is written after the last one repeated (see Pgn::Write).
    if (p == Root)
        return true;
    int nOn = NodeAt(p).nFirstChild;
    while (NodeAt(nOn).bOpaque)
        nOn = NodeAt(nOn).nNextSibling;
    return nOn != n;
}

void clsRules::SettleBefore(int n) {
    for (int c = NodeAt(n).nFirstChild; c >= 0; c = NodeAt(c).nNextSibling) {
        const int nNotes = NodeAt(c).nNotes;
        if (nNotes < 0 || m_oNotes[static_cast<std::size_t>(nNotes)].sBefore.empty() ||
            TakesCommentBefore(c))
            continue;
        std::string sBefore = std::move(m_oNotes[static_cast<std::size_t>(nNotes)].sBefore);
        m_oNotes[static_cast<std::size_t>(nNotes)].sBefore.clear();
        std::string &sAfter = NotesOf(n).sAfter;
        if (!sAfter.empty())
            sAfter += ' ';
        sAfter += sBefore;
    }
}

Annotation::Notes &clsRules::NotesOf(int n) {
    Node &o = NodeAt(n);
    if (o.nNotes < 0) {
        o.nNotes = static_cast<int>(m_oNotes.size());
        m_oNotes.emplace_back();
    }
    return m_oNotes[static_cast<std::size_t>(o.nNotes)];
}

void clsRules::TreeMoveRecorded() {
    if (!m_bTree)
        return;
    const int nEnd = m_oLine.empty() ? Root : m_oLine.back();
    const Move &oMove = m_oRecord.back().oMove;
    int nNode = -1;
    // A move already kept as a variation there becomes the game's move, with its notes.
    for (int c = NodeAt(nEnd).nFirstChild; c >= 0; c = NodeAt(c).nNextSibling)
        if (!NodeAt(c).bOpaque && NodePly(c).oMove == oMove) {
            nNode = c;
            MoveToFront(c);
            NodeAt(c).nSide = -1;
            break;
        }
    if (nNode < 0)
        nNode = NewNode(nEnd, true);
    m_oLine.push_back(nNode);
    SettleBefore(nEnd);
    SettleBefore(nNode);
}

void clsRules::TreeMoveForgotten() {
    if (!m_bTree || m_oLine.empty())
        return;
    const int n = m_oLine.back();
    m_oLine.pop_back();
    RemoveSubtree(n);
    // A move made and taken back at once (a trial, as SAN writing makes) leaves no trace.
    if (n == NodeCount() - 1) {
        if (NodeAt(n).nNotes >= 0 && NodeAt(n).nNotes == static_cast<int>(m_oNotes.size()) - 1)
            m_oNotes.pop_back();
        m_oNodes.pop_back();
    }
}

void clsRules::ToSide(int n) {
    Node &o = NodeAt(n);
    o.nSide = static_cast<int>(m_oSide.size());
    m_oSide.push_back(m_oRecord[static_cast<std::size_t>(o.nPly - 1)]);
}

int clsRules::VariationStart(int n) const {
    if (!IsNode(n) || n == Root || OnMainLine(n))
        return -1;
    for (;;) {
        const int p = NodeAt(n).nParent;
        if (OnMainLine(p) || NodeAt(p).nFirstChild != n)
            return n;
        n = p;
    }
}

// --- A position to play on ---------------------------------------------------------------

void clsRules::SetPosition(const Position &oPosition, bool b960) {
    PlaceLine(oPosition, b960);
    m_sStartFen = FenOf(m_oStart);
}

void clsRules::PlaceLine(const Position &oPosition, bool b960) {
    if (m_oOwnPieces.empty())
        for (int i = 0; i < SquareCount; ++i)
            m_oOwnPieces.push_back(std::make_shared<clsPiece>());
    // Each square gets a piece object of its own again: moves leave squares sharing them.
    for (int i = 1; i <= SquareCount; ++i) {
        clsSquare &o = Sq(i);
        const std::shared_ptr<clsPiece> &pOwn = m_oOwnPieces[static_cast<std::size_t>(i - 1)];
        if (o.Piece != pOwn)
            o.Piece = pOwn;
        const std::int16_t c = oPosition.nClass[static_cast<std::size_t>(i - 1)];
        o.HasPiece = c != NoPiece;
        o.Piece->Class = c;
        o.Piece->IsWhite = IsWhiteClass(c);
        o.Piece->HasMoved = true;
        if (c == WhiteKing)
            nWhiteKingSquare = i;
        else if (c == BlackKing)
            nBlackKingSquare = i;
    }
    // Each castling right names its rook's file (0 reads as h or a); the king and the rooks the
    // rights name are unmoved, every other piece has moved.
    m_b960 = b960;
    m_nCastledFrom = 0;
    for (const bool bWhite : {true, false}) {
        const int y = bWhite ? 8 : 1;
        const int nKing = bWhite ? nWhiteKingSquare : nBlackKingSquare;
        for (const bool bKingSide : {true, false}) {
            const auto r = static_cast<std::size_t>(RightOf(bWhite, bKingSide));
            const std::int8_t nFile = oPosition.nCastlingFile[r];
            m_nRookFile[r] = !((oPosition.nCastling >> r) & 1) ? std::int8_t{0}
                             : nFile != 0                      ? nFile
                             : bKingSide                       ? std::int8_t{8}
                                                               : std::int8_t{1};
            if (m_nRookFile[r] == 0)
                continue;
            const int nRook = SquareIndex(m_nRookFile[r], y);
            if (ClassOn(nRook) == (bWhite ? WhiteRook : BlackRook))
                Sq(nRook).Piece->HasMoved = false;
            if (IsSquare(nKing) && Sq(nKing).Y() == y)
                Sq(nKing).Piece->HasMoved = false;
        }
    }
    bIsWhitesTurn = oPosition.bWhiteToMove;
    bEnPassantPossible = m_bStartEnPassant = oPosition.nEnPassantColumn != 0;
    nEnPassantColumn = m_nStartEnPassantColumn = oPosition.nEnPassantColumn;
    bEnPassantCapture = false;
    bPromotionPending = false;
    m_bMoveBegun = false;
    oUndoInfo.clear();
    m_nHalfmove = oPosition.nHalfmove;
    m_nFullmove = oPosition.nFullmove;
    m_oPlies.clear();
    m_oRecord.clear();
    m_nPieceKey = 0;
    m_oMaterial = {};
    for (int i = 1; i <= SquareCount; ++i)
        if (const std::int16_t c = ClassOn(i); c != NoPiece) {
            m_nPieceKey ^= zobrist::Piece(c, i);
            ++m_oMaterial.nCount[static_cast<std::size_t>(c)];
            if (KindOf(c) == BlackBishop)
                ++(Sq(i).IsDark ? m_oMaterial.nBishopsOnDark : m_oMaterial.nBishopsOnLight);
        }
    m_nStartKey = KeyFor(bIsWhitesTurn);
    m_bTurnPending = false;
    m_eEnd = GameEnd::None;
    m_pResult = "*";
    m_oStart = oPosition;
    m_sStartFen.clear();
    StartTree();
    DrawBoard();
}

bool clsRules::PlayListed(const Move &oMove, bool bJudgeEnd) {
    if (m_bMoveBegun || bPromotionPending || IsGameOver())
        return false;
    const int nSrc = oMove.nSrc;
    const int nDest = oMove.nDest;
    m_sPendingSan.clear();
    Notation::AppendSanBody(*this, oMove, m_sPendingSan);
    if (!TryMove(nSrc, nDest, false))
        return false;
    MakeMove(nSrc, nDest, true);
    DrawSquare(nSrc);
    DrawSquare(nDest);
    if (bPromotionPending) {
        PromotionChoice(oMove.nPromotion);
        bPromotionPending = false;
    }
    const bool bMover = bIsWhitesTurn;
    // The move came from the legal-move list: only the opponent's king needs looking at, and
    // whether it can move only when it is in check, for the mate sign.
    const bool bInCheck = !KingSafe(!bMover);
    const bool bMated = bInCheck && !HasLegalMove(!bMover);
    RecordPlayedMove(bInCheck, bMated);
    bIsWhitesTurn = !bMover;
    if (bMated) {
        EndGame(GameEnd::Checkmate, bMover ? "1-0" : "0-1");
    } else if (bJudgeEnd) {
        GameEnd eEnd = AutomaticEnd(bInCheck, true);
        // A stalemate comes first; it is looked for here only when the game ends anyway.
        if (eEnd != GameEnd::None && !bInCheck && !HasLegalMove(!bMover))
            eEnd = GameEnd::Stalemate;
        if (eEnd != GameEnd::None)
            EndGame(eEnd, "1/2-1/2");
        m_bEndUnjudged = eEnd == GameEnd::None && !bInCheck;
    }
    return true;
}

void clsRules::JudgeEnd() {
    if (std::exchange(m_bEndUnjudged, false) && !IsGameOver() && !m_bMoveBegun &&
        !HasLegalMove(bIsWhitesTurn))
        EndGame(GameEnd::Stalemate, "1/2-1/2");
}
