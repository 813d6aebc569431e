// The squares and the marks on them.
#include "BoardGeometry.h"
#include "BoardPrivate.h"

#include <QMetaObject>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <bit>

using namespace BoardGeometry;

void BoardPrivate::SquareChanged(int nSquare) {
    m_nTargetsOf = -1; // the position changed: the destinations must be judged again
    ScheduleMarks();
    MarkDirty(nSquare);
}

void BoardPrivate::MarkDirty(int nSquare) {
    // Every changed square of a move comes here, and the marks add their own: a bit test first.
    const std::uint64_t nBit = std::uint64_t{1} << (nSquare - 1);
    if (m_nDirty & nBit)
        return;
    m_nDirty |= nBit;
    q->update(m_oGrid.CellRect(nSquare, m_bIsWhitesView));
}

void Board::paintEvent(QPaintEvent *event) {
    const qreal dRatio = devicePixelRatioF();
    if (dRatio != d->m_oRenderer.DevicePixelRatio() ||
        d->m_oGrid.nCell != d->m_oRenderer.CellSize()) {
        d->m_oRenderer.SetSize(d->m_oGrid.nCell, dRatio);
        d->m_nShown.fill(BoardPrivate::NeverDrawn);
    }
    // The window keeps its own picture of the board, so only the squares asked for are drawn:
    // after a move, those that changed. Each is counted once per change of what it shows.
    QPainter p(this);
    const QRect oArea = event->rect();
    const QRect oGrid = d->m_oGrid.Board();
    if (!oGrid.contains(oArea)) {
        for (const QRect &r : QRegion(oArea) - QRegion(oGrid))
            p.fillRect(r, palette().window());
    }
    const QRegion &oRegion = event->region();
    for (int n = 1; n <= 64; ++n) {
        const QRect r = d->m_oGrid.CellRect(n, d->m_bIsWhitesView);
        if (!oRegion.intersects(r))
            continue;
        const auto k = static_cast<std::size_t>(n - 1);
        // A lifted piece's square shows empty while the piece follows the pointer.
        const qint16 nClass =
            n != d->m_nLiftedSquare ? d->ShownClass(n) : qint16{modConsts::NoPiece};
        if (nClass != d->m_nShown[k] || d->m_oMarks[k] != d->m_oShownMarks[k]) {
            d->m_nShown[k] = nClass;
            d->m_oShownMarks[k] = d->m_oMarks[k];
            ++d->m_nRenderedSquares;
        }
        d->m_oPicture.PaintSquare(p, r.topLeft(), n, nClass, d->m_oMarks[k]);
    }
    d->m_nDirty = 0;
    d->PaintShapes(p, oRegion);
    if (d->m_nLiftedSquare != 0) {
        const qreal dHalf = d->m_oRenderer.PieceSize() / 2;
        p.drawPixmap(QPointF(d->m_oPointer) - QPointF(dHalf, dHalf),
                     d->m_oRenderer.DragPicture(d->m_nLiftedClass));
    }
}

qint16 BoardPrivate::ShownClass(int nSquare) const {
    if (m_bEditing)
        return m_oPlaced[static_cast<std::size_t>(nSquare - 1)];
    if (Reviewing())
        return m_oRules.NodePosition(m_nShownNode).nClass[static_cast<std::size_t>(nSquare - 1)];
    const clsSquare &o = m_oRules.Square(nSquare);
    return o.HasPiece ? o.Piece->Class : modConsts::NoPiece;
}

// --- Marks --------------------------------------------------------------------------------

std::uint64_t BoardPrivate::LegalTargets(int nSrc) {
    // The rules' own list, so the marks agree with what a drop or a click will accept. Kept
    // until the position or the piece changes.
    if (nSrc == m_nTargetsOf)
        return m_nTargets;
    MoveList oMoves;
    if (!MayPlayShown()) {
        m_nTargetsOf = nSrc;
        m_nTargets = 0;
        return 0;
    }
    clsRules &oShown = ShownRules();
    oShown.LegalMoves(oMoves);
    std::uint64_t nTargets = 0;
    for (const Move &o : oMoves) {
        if (o.nSrc != nSrc)
            continue;
        nTargets |= std::uint64_t{1} << (o.nDest - 1);
        // A Chess960 king castles onto its rook, and onto its castling square where that
        // cannot be a step: both are marked, and both take a click.
        if (oShown.Is960() && oShown.CastlingSide(o.nSrc, o.nDest) != 0)
            for (const int x : {3, 7})
                if (const int nTo = clsRules::SquareIndex(x, oShown.Square(nSrc).Y());
                    oShown.CastlingOf(nSrc, nTo) == o)
                    nTargets |= std::uint64_t{1} << (nTo - 1);
    }
    m_nTargetsOf = nSrc;
    m_nTargets = nTargets;
    return nTargets;
}

int BoardPrivate::MarkedDestination(int nNode) const {
    const Move &o = m_oRules.NodePly(nNode).oMove;
    // A Chess960 castling is recorded as the king taking its own rook; the mark shows where the
    // king went, as it does for castling in standard chess.
    const auto &nBefore = m_oRules.NodePosition(m_oRules.Parent(nNode)).nClass;
    const std::int8_t nMover = nBefore[static_cast<std::size_t>(o.nSrc - 1)];
    const std::int8_t nOnDest = nBefore[static_cast<std::size_t>(o.nDest - 1)];
    if (modConsts::KindOf(nMover) == modConsts::BlackKing && nOnDest != modConsts::NoPiece &&
        modConsts::IsWhiteClass(nOnDest) == modConsts::IsWhiteClass(nMover))
        return clsRules::SquareIndex(o.nDest > o.nSrc ? 7 : 3, (o.nSrc - 1) / 8 + 1);
    return o.nDest;
}

SquareRenderer::Marks BoardPrivate::MarksOf(int nSquare) const {
    using R = SquareRenderer;
    R::Marks n = 0;
    const std::uint64_t nBit = std::uint64_t{1} << (nSquare - 1);
    if (m_bShowLegalMoves && (m_nSelected != 0 || m_nLiftedSquare != 0) && (m_nTargets & nBit))
        n |= R::Target;
    if (nSquare == m_nSelected)
        n |= R::Selected;
    if (m_bShowCoordinates)
        n |= BoardRendererPrivate::CoordinateMarks(nSquare, m_bIsWhitesView);
    if (nSquare == m_nFocus && m_bFocusShown && q->hasFocus())
        n |= R::Focus;
    return n;
}

void BoardPrivate::UpdateMarks() {
    m_bMarksScheduled = false;
    if (m_nSelected != 0) {
        // The rules may have moved the piece away behind the control's back.
        const clsRules &oShown = MayPlayShown() ? ShownRules() : m_oRules;
        const clsSquare &o = oShown.Square(m_nSelected);
        if (!o.HasPiece || o.Piece->IsWhite != oShown.IsWhitesTurn() || !MayPlayShown() ||
            m_bEditing)
            m_nSelected = 0;
    }
    const int nSource = m_nLiftedSquare != 0 ? m_nLiftedSquare : m_nSelected;
    if (!m_bShowLegalMoves || nSource == 0 || m_bEditing) {
        m_nTargetsOf = 0;
        m_nTargets = 0;
    } else {
        LegalTargets(nSource);
    }
    int nLastSrc = 0, nLastDest = 0, nCheck = 0;
    // The position shown has its own last move and check.
    const int nShown = ShownNodeId();
    // What is set up by hand has no last move and no check.
    if (m_bShowLastMove && !m_bEditing && nShown != clsRules::Root) {
        const Move &o = m_oRules.NodePly(nShown).oMove;
        nLastSrc = o.nSrc;
        nLastDest = MarkedDestination(nShown);
    }
    if (m_bEditing) {
    } else if (m_bShowCheck && Reviewing()) {
        const clsRules::Position &p = m_oRules.NodePosition(nShown);
        const std::int8_t nKing = p.bWhiteToMove ? modConsts::WhiteKing : modConsts::BlackKing;
        for (int n = 1; n <= 64 && p.bInCheck; ++n)
            if (p.nClass[static_cast<std::size_t>(n - 1)] == nKing)
                nCheck = n;
    } else if (m_bShowCheck && !m_oRules.MoveInProgress() && q->SideToMoveInCheck()) {
        nCheck = m_oRules.IsWhitesTurn() ? m_oRules.WhiteKingSquare() : m_oRules.BlackKingSquare();
    }
    for (int n = 1; n <= 64; ++n) {
        SquareRenderer::Marks nMarks = MarksOf(n);
        if (n == nLastSrc || n == nLastDest)
            nMarks |= SquareRenderer::LastMove;
        if (n == nCheck)
            nMarks |= SquareRenderer::Check;
        auto &nOld = m_oMarks[static_cast<std::size_t>(n - 1)];
        if (nOld != nMarks) {
            nOld = nMarks;
            MarkDirty(n);
        }
    }
    const QString sName = SquareDescription(m_nFocus);
    if (sName != q->accessibleName())
        q->setAccessibleName(sName);
}

void BoardPrivate::ScheduleMarks() {
    // Positions changed by the rules alone (a host's trial moves, the move being judged) get
    // their marks once control is back in the event loop.
    if (m_bMarksScheduled)
        return;
    m_bMarksScheduled = true;
    QMetaObject::invokeMethod(
        q,
        [this] {
            if (m_bMarksScheduled)
                UpdateMarks();
        },
        Qt::QueuedConnection);
}
