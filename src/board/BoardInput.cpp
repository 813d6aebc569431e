// Mouse, click and keyboard input.
#include "BoardGeometry.h"
#include "BoardPrivate.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <utility>

using namespace BoardGeometry;

// --- Dragging -----------------------------------------------------------------------------

QRect BoardPrivate::DragRect() const {
    const int nHalf = static_cast<int>(m_oRenderer.PieceSize() / 2) + 1;
    return {m_oPointer - QPoint(nHalf, nHalf), QSize(2 * nHalf, 2 * nHalf)};
}

void BoardPrivate::EndDrag() {
    if (m_nLiftedSquare == 0)
        return;
    MarkDirty(m_nLiftedSquare);
    q->update(DragRect());
    m_nLiftedSquare = 0;
    q->setMouseTracking(false);
    UpdateMarks();
}

void Board::mousePressEvent(QMouseEvent *event) {
    // A release we never saw (the grab was lost) must not leave a piece in the air.
    d->EndDrag();
    d->m_nPressed = 0;
    d->m_bFocusShown = false; // the focus square is for keyboard players; a mouse hides it
    if (d->m_bEditing) {
        d->EditPress(event);
        return;
    }
    if (event->button() != Qt::LeftButton) {
        d->Select(0);
        d->UpdateMarks();
        if (event->button() == Qt::RightButton && d->m_bDrawShapes && !d->Busy())
            d->ShapePressed(d->m_oGrid.SquareAt(event->position().toPoint(), d->m_bIsWhitesView),
                            event->modifiers());
        return;
    }
    if (d->Busy())
        return;
    const QPoint oPos = event->position().toPoint();
    const int n = d->m_oGrid.SquareAt(oPos, d->m_bIsWhitesView);
    d->m_nPressed = n;
    if (n == 0)
        return;
    if (!d->MayPlayShown()) {
        d->Refuse(Refusal::EarlierPositionShown); // a click is refused on release
        return;
    }
    const clsRules &oShown = d->ShownRules();
    const clsSquare &o = oShown.Square(n);
    if (!o.HasPiece || o.Piece->IsWhite != oShown.IsWhitesTurn())
        return;
    d->m_nLiftedSquare = n;
    d->m_nLiftedClass = o.Piece->Class;
    d->m_oRules.SetDragSquare(n);
    d->m_oPointer = oPos;
    // Tracking lets a move without the button held end a drag whose release went elsewhere.
    setMouseTracking(true);
    d->MarkDirty(n);
    update(d->DragRect());
    d->UpdateMarks();
}

void Board::mouseMoveEvent(QMouseEvent *event) {
    if (d->m_bDrawing)
        d->ShapeMoved(d->m_oGrid.SquareAt(event->position().toPoint(), d->m_bIsWhitesView));
    if (d->m_nLiftedSquare == 0)
        return;
    if (!(event->buttons() & Qt::LeftButton)) {
        d->EndDrag();
        return;
    }
    update(d->DragRect());
    d->m_oPointer = event->position().toPoint();
    update(d->DragRect());
}

void Board::mouseReleaseEvent(QMouseEvent *event) {
    if (d->m_bEditing) {
        d->EditRelease(event);
        return;
    }
    if (event->button() == Qt::RightButton && d->m_bDrawing)
        d->ShapeReleased(d->m_oGrid.SquareAt(event->position().toPoint(), d->m_bIsWhitesView));
    if (event->button() != Qt::LeftButton)
        return;
    const int nAt = d->m_oGrid.SquareAt(event->position().toPoint(), d->m_bIsWhitesView);
    const int nPressed = std::exchange(d->m_nPressed, 0);
    const int nSrc = d->m_nLiftedSquare;
    const bool bDrop = nSrc != 0 && nAt != 0 && nAt != nPressed;
    if (bDrop)
        d->Select(0); // so that putting the piece down works the marks out once, unselected
    d->EndDrag();     // the piece shows again unless the move below carries it away
    if (nAt != 0 && nAt == nPressed) {
        d->m_nFocus = nAt; // the keyboard carries on from the square last clicked
        d->ClickSquare(nAt);
    } else if (bDrop) {
        d->PlayMove(nSrc, nAt); // may delete the control: nothing may follow
    }
}

void Board::changeEvent(QEvent *event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        d->EndDrag();
        d->m_nPressed = 0;
    }
    QWidget::changeEvent(event);
}

void Board::hideEvent(QHideEvent *event) {
    d->EndDrag();
    QWidget::hideEvent(event);
}

// --- Selection and keyboard ---------------------------------------------------------------

void BoardPrivate::Select(int nSquare) {
    m_nSelected = nSquare;
}

void BoardPrivate::ClickSquare(int nSquare) {
    if (Busy())
        return;
    if (!MayPlayShown()) {
        Refuse(Board::Refusal::EarlierPositionShown);
        return;
    }
    const int nSelected = m_nSelected;
    if (nSelected != 0 && nSquare != nSelected &&
        (LegalTargets(nSelected) & (std::uint64_t{1} << (nSquare - 1)))) {
        Select(0);
        UpdateMarks();
        PlayMove(nSelected, nSquare); // may delete the control: nothing may follow
        return;
    }
    const clsRules &oShown = ShownRules();
    const clsSquare &o = oShown.Square(nSquare);
    const bool bOwn = o.HasPiece && o.Piece->IsWhite == oShown.IsWhitesTurn();
    Select(bOwn && nSquare != nSelected ? nSquare : 0);
    UpdateMarks();
}

QString BoardPrivate::PieceName(qint16 nClass) {
    // Whole phrases, indexed [white][kind], as other languages inflect the colour by the piece.
    static const char *const Pieces[2][6] = {
        {QT_TRANSLATE_NOOP("Board", "black king"), QT_TRANSLATE_NOOP("Board", "black queen"),
         QT_TRANSLATE_NOOP("Board", "black rook"), QT_TRANSLATE_NOOP("Board", "black knight"),
         QT_TRANSLATE_NOOP("Board", "black bishop"), QT_TRANSLATE_NOOP("Board", "black pawn")},
        {QT_TRANSLATE_NOOP("Board", "white king"), QT_TRANSLATE_NOOP("Board", "white queen"),
         QT_TRANSLATE_NOOP("Board", "white rook"), QT_TRANSLATE_NOOP("Board", "white knight"),
         QT_TRANSLATE_NOOP("Board", "white bishop"), QT_TRANSLATE_NOOP("Board", "white pawn")}};
    return Board::tr(Pieces[modConsts::IsWhiteClass(nClass) ? 1 : 0][modConsts::KindOf(nClass)]);
}

QString BoardPrivate::SquareDescription(int nSquare) const {
    const qint16 nClass = ShownClass(nSquare);
    const QString sState = nClass != modConsts::NoPiece ? PieceName(nClass) : Board::tr("empty");
    return nSquare == m_nSelected ? Board::tr("%1, %2, selected").arg(SquareName(nSquare), sState)
                                  : Board::tr("%1, %2").arg(SquareName(nSquare), sState);
}

void Board::keyPressEvent(QKeyEvent *event) {
    // A modifier pressed for a window shortcut (Alt+Left) is no keyboard play on the board.
    if (event->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    d->m_bFocusShown = true;
    if (d->m_bEditing && d->EditKey(event))
        return;
    // Arrows move as seen: in Black's view the board is turned, so up is towards rank 1.
    const int nSign = d->m_bIsWhitesView ? 1 : -1;
    const QPoint c = CellOf(d->m_nFocus, true);
    int x = c.x(), y = c.y();
    switch (event->key()) {
    case Qt::Key_Up:
        y -= nSign;
        break;
    case Qt::Key_Down:
        y += nSign;
        break;
    case Qt::Key_Left:
        x -= nSign;
        break;
    case Qt::Key_Right:
        x += nSign;
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        d->ClickSquare(d->m_nFocus);
        return;
    case Qt::Key_Escape:
        if (d->m_nSelected == 0) {
            QWidget::keyPressEvent(event);
            return;
        }
        d->Select(0);
        d->UpdateMarks();
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    d->m_nFocus = clsRules::SquareIndex(std::clamp(x, 0, 7) + 1, std::clamp(y, 0, 7) + 1);
    d->UpdateMarks();
    // Assistive technology reads the focused square again, under its new name.
    QAccessibleEvent oFocus(this, QAccessible::Focus);
    QAccessible::updateAccessibility(&oFocus);
}

void Board::focusInEvent(QFocusEvent *event) {
    const Qt::FocusReason nReason = event->reason();
    if (nReason == Qt::TabFocusReason || nReason == Qt::BacktabFocusReason ||
        nReason == Qt::ShortcutFocusReason)
        d->m_bFocusShown = true;
    else if (nReason == Qt::MouseFocusReason)
        d->m_bFocusShown = false;
    d->UpdateMarks();
    QWidget::focusInEvent(event);
}

void Board::focusOutEvent(QFocusEvent *event) {
    d->UpdateMarks();
    QWidget::focusOutEvent(event);
}
