// The game tree on the board's public face: walking it, showing any node, editing it, and the
// moves played on a position other than the live one.
#include "BoardPrivate.h"
#include "Notation.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaMethod>
#include <QPointer>

namespace {

QString Text(const std::string &s) {
    return QString::fromStdString(s);
}

} // namespace

// --- Walking the tree -----------------------------------------------------------------------

int Board::RootNode() const {
    return clsRules::Root;
}

int Board::LiveNode() const {
    return d->m_oRules.LiveNode();
}

int Board::ShownNode() const {
    return d->ShownNodeId();
}

int Board::ParentNode(int nNode) const {
    return d->m_oRules.Parent(nNode);
}

QList<int> Board::ChildNodes(int nNode) const {
    QList<int> o;
    for (int c = d->m_oRules.FirstChild(nNode); c >= 0; c = d->m_oRules.NextSibling(c))
        o.append(c);
    return o;
}

int Board::MainChildNode(int nNode) const {
    return d->m_oRules.FirstChild(nNode);
}

int Board::MainLineNode(int nPly) const {
    return d->m_oRules.MainLineNode(nPly);
}

bool Board::IsMainLineNode(int nNode) const {
    return d->m_oRules.OnMainLine(nNode);
}

int Board::NodePly(int nNode) const {
    return d->m_oRules.Depth(nNode);
}

QString Board::NodeSan(int nNode) const {
    return Text(d->m_oRules.NodePly(nNode).sSan);
}

QString Board::NodeFen(int nNode) const {
    const clsRules &o = d->m_oRules;
    if (!o.IsNode(nNode) || o.IsOpaque(nNode))
        return {};
    return Text(clsRules::FenOf(o.NodePosition(nNode)));
}

QString Board::NodeText(int nNode) const {
    return Text(d->m_oRules.OpaqueText(nNode));
}

QString Board::NodeComment(int nNode, bool bBefore) const {
    const Annotation::Notes &o = d->m_oRules.NodeNotes(nNode);
    return Text(bBefore ? o.sBefore : o.sAfter);
}

QList<int> Board::NodeNags(int nNode) const {
    QList<int> o;
    for (const std::uint8_t n : d->m_oRules.NodeNotes(nNode).oNags)
        o.append(n);
    return o;
}

QStringList Board::NodeShapes(int nNode) const {
    QStringList o;
    for (const Annotation::Shape &x : d->m_oRules.NodeNotes(nNode).oShapes)
        o.append(Text(Annotation::ShapeText(x)));
    return o;
}

QString Board::NodeEval(int nNode) const {
    Annotation::Notes o;
    o.oEval = d->m_oRules.NodeNotes(nNode).oEval;
    if (!o.oEval)
        return {};
    // "[%eval 0.17]" without its brackets and name.
    const std::string s = Annotation::Commands(o, -1);
    return Text(s.substr(7, s.size() - 8));
}

bool Board::ShowNode(int nNode) {
    const clsRules &o = d->m_oRules;
    if (d->Busy() || !o.IsNode(nNode) || o.IsOpaque(nNode))
        return false;
    if (nNode == ShownNode())
        return true;
    d->EndDrag();
    d->Select(0);
    d->ShowNodeAt(nNode);
    d->UpdateMarks();
    d->TellShown();
    return true;
}

clsRules &BoardPrivate::ShownRules() {
    if (!Reviewing())
        return m_oRules;
    if (!m_pLine)
        m_pLine = std::make_unique<clsRules>();
    if (m_nLineAt != m_nShownNode) {
        m_pLine->SetPosition(m_oRules.NodePosition(m_nShownNode), m_oRules.Is960());
        m_nLineAt = m_nShownNode;
    }
    return *m_pLine;
}

// --- Editing --------------------------------------------------------------------------------

bool BoardPrivate::RefuseEdit(clsRules::EditResult eResult) {
    using E = clsRules::EditResult;
    using R = Board::Refusal;
    switch (eResult) {
    case E::Done:
        Succeeded();
        return true;
    case E::NoSuchNode:
        return Refuse(R::NoSuchNode);
    case E::NotLegal:
        return Refuse(R::IllegalMove);
    case E::OnMainLine:
        return Refuse(R::MainLineIsNoVariation);
    case E::BraceInComment:
        return Refuse(R::BraceInComment);
    case E::NotAtVariationStart:
        return Refuse(R::NoCommentBefore);
    case E::GameEndsFirst:
        return Refuse(R::GameEndsFirst);
    case E::MoveInProgress:
        break;
    }
    return Refuse(R::MoveInProgress);
}

bool BoardPrivate::TreeEdited(clsRules::EditResult eResult, bool bMainLine, int nFallback) {
    if (!RefuseEdit(eResult))
        return false;
    const int nShown = m_nShownNode;
    if (Reviewing() && !m_oRules.IsNode(m_nShownNode))
        ShowNodeAt(m_oRules.IsNode(nFallback) ? nFallback : -1);
    else if (m_nShownNode == m_oRules.LiveNode())
        ShowNodeAt(-1);
    else
        ShowNodeAt(m_nShownNode); // its shapes may have changed
    m_nLineAt = -1;
    if (bMainLine) {
        m_oSans.clear();
        m_bEndTold = m_oRules.IsGameOver(); // judged anew, as a loaded game is: not told
    }
    EndDrag();
    Select(0);
    UpdateMarks();
    const QPointer<Board> oSelf(q);
    emit q->TreeChanged();
    if (oSelf && bMainLine)
        emit q->PositionChanged();
    if (oSelf && nShown != m_nShownNode)
        TellShown();
    return true;
}

int Board::AddMove(int nNode, const QString &sMove) {
    clsRules &o = d->m_oRules;
    if (d->Busy() || !o.IsNode(nNode) || o.IsOpaque(nNode)) {
        d->Refuse(d->Busy() ? Refusal::MoveInProgress : Refusal::NoSuchNode);
        return -1;
    }
    clsRules oBoard;
    oBoard.SetPosition(o.NodePosition(nNode), o.Is960());
    Move oMove;
    try {
        oMove = Notation::ParseSan(oBoard, sMove.toStdString());
    } catch (const Notation::Error &) {
        d->Refuse(Refusal::IllegalMove);
        return -1;
    }
    const int nBefore = o.NodeCount();
    const int n = o.AddMove(nNode, oMove);
    if (n < 0 || o.NodeCount() == nBefore) {
        d->RefuseEdit(o.LastEdit());
        return n;
    }
    return d->TreeEdited(o.LastEdit(), false, -1) ? n : -1;
}

bool Board::SetNodeComment(int nNode, const QString &sText, bool bBefore) {
    if (d->Busy())
        return d->Refuse(Refusal::MoveInProgress);
    return d->TreeEdited(d->m_oRules.SetComment(nNode, sText.toStdString(), bBefore), false, -1);
}

bool Board::SetNodeNags(int nNode, const QList<int> &oNags) {
    if (d->Busy())
        return d->Refuse(Refusal::MoveInProgress);
    std::vector<std::uint8_t> o;
    for (const int n : oNags) {
        if (n < 0 || n > 255)
            return d->Refuse(Refusal::BadNote);
        o.push_back(static_cast<std::uint8_t>(n));
    }
    return d->TreeEdited(d->m_oRules.SetNags(nNode, std::move(o)), false, -1);
}

bool Board::SetNodeShapes(int nNode, const QStringList &oShapes) {
    if (d->Busy())
        return d->Refuse(Refusal::MoveInProgress);
    std::vector<Annotation::Shape> o;
    for (const QString &s : oShapes) {
        const std::optional<Annotation::Shape> x = Annotation::ShapeOf(s.toStdString());
        if (!x)
            return d->Refuse(Refusal::BadNote);
        o.push_back(*x);
    }
    return d->TreeEdited(d->m_oRules.SetShapes(nNode, std::move(o)), false, -1);
}

bool Board::SetNodeEval(int nNode, const QString &sEval) {
    if (d->Busy())
        return d->Refuse(Refusal::MoveInProgress);
    if (!d->m_oRules.IsNode(nNode))
        return d->RefuseEdit(clsRules::EditResult::NoSuchNode);
    Annotation::Notes o = d->m_oRules.NodeNotes(nNode);
    o.oEval.reset();
    std::string sLeft;
    if (!sEval.isEmpty()) {
        const std::string s = sEval.trimmed().toStdString();
        if (s.find(']') != std::string::npos)
            return d->Refuse(Refusal::BadNote);
        Annotation::ReadComment("[%eval " + s + "]", sLeft, o, nullptr);
        if (!o.oEval || !sLeft.empty())
            return d->Refuse(Refusal::BadNote);
    }
    return d->TreeEdited(d->m_oRules.SetNotes(nNode, std::move(o)), false, -1);
}

bool Board::DeleteVariation(int nNode) {
    if (d->Busy())
        return d->Refuse(Refusal::MoveInProgress);
    const int nFallback = d->m_oRules.Parent(d->m_oRules.VariationStart(nNode));
    return d->TreeEdited(d->m_oRules.DeleteVariation(nNode), false, nFallback);
}

bool Board::DeleteMovesFrom(int nNode) {
    if (d->Busy())
        return d->Refuse(Refusal::MoveInProgress);
    const bool bMainLine = d->m_oRules.OnMainLine(nNode);
    const int nFallback = d->m_oRules.Parent(nNode);
    return d->TreeEdited(d->m_oRules.DeleteFrom(nNode), bMainLine, nFallback);
}

bool Board::PromoteVariation(int nNode) {
    if (d->Busy())
        return d->Refuse(Refusal::MoveInProgress);
    return d->TreeEdited(d->m_oRules.PromoteVariation(nNode), true, -1);
}

QString Board::ResultAfterPromotion(int nNode) const {
    return Text(d->m_oRules.ResultAfterPromotion(nNode));
}

// --- Moves off the live game ------------------------------------------------------------------

void Board::SetVariationMovesAllowed(bool bAllowed) {
    d->m_bVariationMoves = bAllowed;
    d->Select(0);
    d->UpdateMarks();
}

bool Board::VariationMovesAllowed() const {
    return d->m_bVariationMoves;
}

qint16 BoardPrivate::AwaitVariationPromotion(bool bWhite, int nSquare, bool &bGone) {
    const qint16 nQueen = bWhite ? modConsts::WhiteQueen : modConsts::BlackQueen;
    // A host that knows nothing of such moves is not asked: the pawn becomes a queen.
    if (!q->isSignalConnected(QMetaMethod::fromSignal(&Board::VariationPromotion)))
        return nQueen;
    const QPointer<Board> oSelf(q);
    m_bPromoting = true;
    m_bVariationPromotion = true;
    m_bPromotionCancelled = false;
    m_nVariationPromotionSquare = nSquare;
    m_nVariationChoice = -1;
    emit q->VariationPromotion(bWhite);
    if (!oSelf) {
        bGone = true;
        return -1;
    }
    const bool bHostDisabled = q->testAttribute(Qt::WA_ForceDisabled);
    q->setEnabled(false);
    if (m_nVariationChoice < 0 && !m_bPromotionCancelled && !QCoreApplication::closingDown()) {
        QEventLoop oLoop;
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, &oLoop, &QEventLoop::quit);
        m_pPromotionLoop = &oLoop;
        oLoop.exec();
        if (!oSelf) {
            bGone = true;
            return -1;
        }
        m_pPromotionLoop = nullptr;
    }
    m_bPromoting = false;
    m_bVariationPromotion = false;
    if (!bHostDisabled)
        q->setEnabled(true);
    return m_bPromotionCancelled ? qint16{-1} : m_nVariationChoice;
}

BoardPrivate::PlayResult BoardPrivate::PlayVariationMove(int nSrc, int nDest, qint16 nPromotion) {
    clsRules &oShown = ShownRules();
    const clsSquare &o = oShown.Square(nSrc);
    if (!o.HasPiece || o.Piece->IsWhite != oShown.IsWhitesTurn())
        return PlayResult::Refused;
    const bool bWhite = o.Piece->IsWhite;
    const int nRow = oShown.Square(nDest).Y();
    const bool bPromotion =
        modConsts::KindOf(o.Piece->Class) == modConsts::BlackPawn && (nRow == 1 || nRow == 8);
    const auto Make = [&](qint16 nClass) {
        return Move{static_cast<std::int8_t>(nSrc), static_cast<std::int8_t>(nDest), nClass};
    };
    Move oMove = Make(bPromotion ? (bWhite ? modConsts::WhiteQueen : modConsts::BlackQueen)
                                 : modConsts::NoPiece);
    if (!oShown.IsLegal(oMove))
        return PlayResult::Refused;
    if (bPromotion && nPromotion != modConsts::NoPiece) {
        oMove.nPromotion = nPromotion;
    } else if (bPromotion) {
        bool bGone = false;
        oMove.nPromotion = AwaitVariationPromotion(bWhite, nDest, bGone);
        if (bGone)
            return PlayResult::Gone;
        UpdateMarks();
    }
    if (!ShownRules().IsLegal(oMove))
        return PlayResult::Refused;
    const int nBefore = m_oRules.NodeCount();
    const int n = m_oRules.AddMove(m_nShownNode, oMove);
    if (n < 0)
        return PlayResult::Refused;
    const QPointer<Board> oSelf(q);
    ShowNodeAt(n);
    m_nLineAt = -1;
    UpdateMarks();
    if (m_oRules.NodeCount() > nBefore)
        emit q->TreeChanged();
    if (oSelf)
        TellShown();
    return oSelf ? PlayResult::Played : PlayResult::Gone;
}
