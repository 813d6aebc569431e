// Setting up a position by hand: the editing mode's pieces, mouse, keys and drops.
#include "BoardPrivate.h"
#include "PositionCheck.h"

#include <QAccessible>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QSet>
#include <utility>

namespace {

constexpr std::string_view FenLetters = "kqrnbpKQRNBP"; // by class code

// The class a piece letter of the language in use names, or NoPiece.
qint16 ClassOfLetter(QChar c) {
    static const QString sEnglish = QStringLiteral("KQRBNP");
    //: The letters that put a king, queen, rook, bishop, knight and pawn on the keyboard's square
    //: while a position is set up, in this order: capitals for White, small letters for Black
    //: (German: KDTLSB). Six different capital letters.
    QString sLetters = Board::tr("KQRBNP");
    if (sLetters.size() != 6 || QSet<QChar>(sLetters.begin(), sLetters.end()).size() != 6)
        sLetters = sEnglish;
    static constexpr qint16 Kinds[6] = {modConsts::BlackKing,   modConsts::BlackQueen,
                                        modConsts::BlackRook,   modConsts::BlackBishop,
                                        modConsts::BlackKnight, modConsts::BlackPawn};
    const qsizetype i = sLetters.indexOf(c.toUpper());
    if (i < 0 || !c.isLetter())
        return modConsts::NoPiece;
    return static_cast<qint16>(Kinds[i] + (c.isUpper() ? modConsts::WhiteOffset : 0));
}

} // namespace

bool Board::SetEditing(bool bOn) {
    if (bOn == d->m_bEditing)
        return true;
    if (d->Busy())
        return d->Refuse(Refusal::MoveInProgress);
    d->EndDrag();
    d->Select(0);
    if (bOn) {
        for (int n = 1; n <= 64; ++n)
            d->m_oPlaced[static_cast<std::size_t>(n - 1)] = d->ShownClass(n);
        d->m_bEditing = true;
        d->MarkAllShapes(); // not drawn over what is set up
        setAcceptDrops(true);
        d->UpdateMarks();
    } else {
        d->LeaveEditing();
        d->UpdateMarks();
    }
    d->Succeeded();
    return true;
}

bool Board::Editing() const {
    return d->m_bEditing;
}

QString Board::Placement() const {
    clsRules::Position o;
    for (int n = 1; n <= 64; ++n)
        o.nClass[static_cast<std::size_t>(n - 1)] = static_cast<std::int8_t>(d->ShownClass(n));
    const std::string s = clsRules::FenOf(o);
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.find(' ')));
}

bool Board::SetPlacement(const QString &sPlacement) {
    if (!d->m_bEditing)
        return d->Refuse(Refusal::NotEditing);
    std::array<std::int8_t, 64> oPieces{};
    if (!PositionCheck::ReadPlacement(sPlacement.toStdString(), oPieces))
        return d->Refuse(Refusal::BadFen,
                         tr("\"%1\" is not eight ranks of eight squares").arg(sPlacement));
    std::copy(oPieces.begin(), oPieces.end(), d->m_oPlaced.begin());
    d->EndDrag();
    d->RedrawChangedPieces();
    d->UpdateMarks();
    d->Succeeded();
    return true;
}

void Board::SetEditTool(qint16 nClass) {
    d->m_nTool = nClass >= modConsts::NoPiece && nClass < modConsts::ClassCount ? nClass : NoTool;
}

qint16 Board::EditTool() const {
    return d->m_nTool;
}

void BoardPrivate::LeaveEditing() {
    if (!std::exchange(m_bEditing, false))
        return;
    q->setAcceptDrops(false);
    EndDrag();
    RedrawChangedPieces();
    MarkAllShapes();
}

void BoardPrivate::RedrawChangedPieces() {
    for (int n = 1; n <= 64; ++n)
        if (ShownClass(n) != m_nShown[static_cast<std::size_t>(n - 1)])
            MarkDirty(n);
}

void BoardPrivate::Place(int nSquare, qint16 nClass, bool bSay) {
    qint16 &nOn = m_oPlaced[static_cast<std::size_t>(nSquare - 1)];
    const qint16 nWas = std::exchange(nOn, nClass);
    MarkDirty(nSquare);
    UpdateMarks();
    if (bSay) {
        // Assistive technology hears what the key changed, then the square as usual.
        const QString sSquare = SquareName(nSquare);
        q->setAccessibleName(nClass != modConsts::NoPiece
                                 ? Board::tr("%1: %2 placed").arg(sSquare, PieceName(nClass))
                             : nWas != modConsts::NoPiece
                                 ? Board::tr("%1: %2 removed").arg(sSquare, PieceName(nWas))
                                 : Board::tr("%1, empty").arg(sSquare));
        QAccessibleEvent oName(q, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&oName);
    }
    if (nWas != nClass)
        emit q->PositionEdited();
}

void BoardPrivate::EditPress(QMouseEvent *event) {
    const QPoint oPos = event->position().toPoint();
    const int n = m_oGrid.SquareAt(oPos, m_bIsWhitesView);
    if (n == 0)
        return;
    if (event->button() == Qt::RightButton) {
        Place(n, modConsts::NoPiece, false);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    m_nPressed = n;
    const qint16 nClass = m_oPlaced[static_cast<std::size_t>(n - 1)];
    if (nClass == modConsts::NoPiece)
        return;
    m_nLiftedSquare = n;
    m_nLiftedClass = nClass;
    m_oPointer = oPos;
    q->setMouseTracking(true); // as in play: a release that went elsewhere still ends the drag
    MarkDirty(n);
    q->update(DragRect());
}

void BoardPrivate::EditRelease(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton)
        return;
    const int nAt = m_oGrid.SquareAt(event->position().toPoint(), m_bIsWhitesView);
    const int nPressed = std::exchange(m_nPressed, 0);
    const int nSrc = m_nLiftedSquare;
    const qint16 nClass = m_nLiftedClass;
    EndDrag();
    if (nAt != 0 && nAt == nPressed) {
        m_nFocus = nAt; // the keyboard carries on from the square last clicked
        if (m_nTool != Board::NoTool)
            Place(nAt, m_nTool, false);
        return;
    }
    if (nSrc == 0)
        return;
    // Off the board the piece is gone; on it, it replaces what stood there. One change, one
    // PositionEdited.
    m_oPlaced[static_cast<std::size_t>(nSrc - 1)] = modConsts::NoPiece;
    MarkDirty(nSrc);
    if (nAt == 0) {
        UpdateMarks();
        emit q->PositionEdited();
    } else {
        m_oPlaced[static_cast<std::size_t>(nAt - 1)] = modConsts::NoPiece;
        Place(nAt, nClass, false);
    }
}

bool BoardPrivate::EditKey(QKeyEvent *event) {
    switch (event->key()) {
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
    case Qt::Key_Space:
        Place(m_nFocus, modConsts::NoPiece, true);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Without a tool Return is the host's, a dialog's default button.
        if (m_nTool == Board::NoTool)
            event->ignore();
        else
            Place(m_nFocus, m_nTool, true);
        return true;
    default:
        break;
    }
    const QString sText = event->text();
    const qint16 nClass = sText.size() == 1 ? ClassOfLetter(sText[0]) : modConsts::NoPiece;
    if (nClass == modConsts::NoPiece)
        return false;
    Place(m_nFocus, nClass, true);
    return true;
}

// --- Drops from the host -------------------------------------------------------------------

namespace {

qint16 DroppedClass(const QDropEvent *event) {
    const QByteArray oData = event->mimeData()->data(QLatin1String(Board::PieceMimeType));
    return oData.size() == 1 && FenLetters.find(oData[0]) != std::string_view::npos
               ? static_cast<qint16>(FenLetters.find(oData[0]))
               : modConsts::NoPiece;
}

} // namespace

void Board::dragEnterEvent(QDragEnterEvent *event) {
    if (d->m_bEditing && DroppedClass(event) != modConsts::NoPiece)
        event->acceptProposedAction();
}

void Board::dragMoveEvent(QDragMoveEvent *event) {
    // Only a square takes the piece: the margin refuses it, so the pointer says so.
    if (d->m_bEditing && DroppedClass(event) != modConsts::NoPiece &&
        d->m_oGrid.SquareAt(event->position().toPoint(), d->m_bIsWhitesView) != 0)
        event->acceptProposedAction();
    else
        event->ignore();
}

void Board::dropEvent(QDropEvent *event) {
    const qint16 nClass = DroppedClass(event);
    const int n = d->m_oGrid.SquareAt(event->position().toPoint(), d->m_bIsWhitesView);
    if (!d->m_bEditing || nClass == modConsts::NoPiece || n == 0) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    d->m_nFocus = n;
    d->Place(n, nClass, false);
}
