// The notation beside the board. The lists follow the game move by move; the pane is made again
// only as it shows or as the tree changes, as it is not kept up while hidden.
#include "NotationView.h"

#include "NotationPane.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <tavlon/Board.h>

namespace {

const QColor BackColor(224, 224, 224);
constexpr int ListSpacing = 2; // between White's list and Black's

} // namespace

NotationView::NotationView(Board *pBoard, std::function<QString(const QString &)> sanText,
                           QWidget *parent)
    : QWidget(parent), board(pBoard), oModel(sanText) {
    setObjectName(QStringLiteral("viewNotation"));
    hide(); // until the window places it
    // The window's colours with the client's grey behind the entries.
    QPalette listPalette = window()->palette();
    listPalette.setColor(QPalette::Base, BackColor);
    lstWhiteMoves = new QListWidget(this);
    lstWhiteMoves->setObjectName(QStringLiteral("lstWhiteMoves"));
    lstBlackMoves = new QListWidget(this);
    lstBlackMoves->setObjectName(QStringLiteral("lstBlackMoves"));
    // The headings keep the window's texts, translated where they always were.
    lblWhiteMoves = new QLabel(QCoreApplication::translate("frmMain", "White"), this);
    lblWhiteMoves->setObjectName(QStringLiteral("lblWhiteMoves"));
    lblBlackMoves = new QLabel(QCoreApplication::translate("frmMain", "Black"), this);
    lblBlackMoves->setObjectName(QStringLiteral("lblBlackMoves"));
    // The narrowest a list may be: the longest entry, a numbered promotion with capture and mate
    // in either notation and any language's letters, beside a scroll bar.
    nListWidth = fontMetrics().horizontalAdvance(QStringLiteral("888... WgxhW=W#")) +
                 2 * lstWhiteMoves->frameWidth() +
                 lstWhiteMoves->verticalScrollBar()->sizeHint().width() + 8;
    for (QLabel *heading : {lblWhiteMoves, lblBlackMoves})
        heading->setAlignment(Qt::AlignCenter);
    for (QListWidget *list : {lstWhiteMoves, lstBlackMoves}) {
        list->setTextElideMode(Qt::ElideNone);
        list->setUniformItemSizes(true);
        list->setPalette(listPalette);
        // A click on an entry gives the list the focus, so its keys step from there.
        list->setFocusPolicy(Qt::ClickFocus);
        list->installEventFilter(this);
        connect(list, &QListWidget::itemClicked, this, [this, list](QListWidgetItem *entry) {
            board->ViewPly(oModel.PlyOfRow(list == lstWhiteMoves, list->row(entry)));
            SelectShownEntry(); // the click may have selected an entry the board refused
        });
    }
    // The lists scroll together, so that a move and its answer stay side by side. The shorter
    // list may scroll as far as the longer one, or White's last move would face Black's last
    // but one at the bottom.
    for (auto [from, to] :
         {std::pair{lstWhiteMoves, lstBlackMoves}, {lstBlackMoves, lstWhiteMoves}}) {
        connect(from->verticalScrollBar(), &QScrollBar::valueChanged, to->verticalScrollBar(),
                &QScrollBar::setValue);
        connect(from->verticalScrollBar(), &QScrollBar::rangeChanged, this,
                [this, from](int, int nMax) {
                    if (bAligning)
                        return;
                    nListScroll[from == lstBlackMoves] = nMax; // as the list worked it out
                    const QScopedValueRollback oGuard(bAligning, true);
                    for (QListWidget *list : {lstWhiteMoves, lstBlackMoves})
                        list->verticalScrollBar()->setMaximum(
                            std::max(nListScroll[0], nListScroll[1]));
                });
    }

    pane = new NotationPane(board, std::move(sanText), this);
    pane->setObjectName(QStringLiteral("paneNotation"));
    pane->hide();
    connect(pane, &NotationPane::Said, this, &NotationView::Said);
}

void NotationView::SetMode(const QString &sNewMode) {
    sMode = sNewMode == QLatin1String("lists") || sNewMode == QLatin1String("pane")
                ? sNewMode
                : QStringLiteral("auto");
    Update(true);
}

void NotationView::WantPane() {
    bPaneWanted = true;
    Update(false);
}

bool NotationView::PaneChosen() const {
    if (sMode == QLatin1String("pane") || bPaneWanted)
        return true;
    return sMode == QLatin1String("auto") && (bPaneKept || NotationPane::IsAnnotated(board));
}

bool NotationView::PaneShown() const {
    return !pane->isHidden();
}

bool NotationView::Reviewing() const {
    return board->ShownNode() != board->LiveNode();
}

void NotationView::Update(bool bRebuild) {
    const bool bPane = PaneChosen();
    bPaneKept = bPane && sMode == QLatin1String("auto");
    if (bPane != bPaneLaidOut) {
        bPaneLaidOut = bPane;
        // A game that holds notes shows them without a search for the option that would.
        if (bPane && sMode == QLatin1String("auto"))
            emit NotesWanted();
        ShowChosen();
        bRebuild = true;
    }
    // A move played at the end is added to the pane's text, unless more changed since.
    const bool bMoved = std::exchange(bMoveAdded, false);
    if (bRebuild && !pane->isHidden() && !(bMoved && pane->AppendLive()))
        pane->Rebuild();
}

void NotationView::ShowChosen() {
    for (QWidget *widget : std::initializer_list<QWidget *>{lstWhiteMoves, lstBlackMoves,
                                                            lblWhiteMoves, lblBlackMoves})
        widget->setVisible(!bPaneLaidOut);
    const bool bShow = !isHidden() && bPaneLaidOut;
    if (bShow && pane->isHidden()) {
        pane->show();
        pane->Rebuild();
    } else if (!bShow) {
        pane->hide();
    }
    // Shown again, the lists still show the newest move, or the one being looked at.
    if (!Reviewing())
        ScrollToEnd();
    for (QListWidget *list : {lstWhiteMoves, lstBlackMoves})
        if (Reviewing() && list->currentItem() != nullptr)
            list->scrollToItem(list->currentItem());
}

void NotationView::Place(const QRect &oArea, bool bShown) {
    setGeometry(oArea);
    // White's list and Black's side by side under their headings; the pane over both.
    const int nEach = std::max(nListWidth, (oArea.width() - ListSpacing) / 2);
    const int nHeading = fontMetrics().height() + 4;
    int x = 0;
    for (auto [list, heading] :
         {std::pair{lstWhiteMoves, lblWhiteMoves}, std::pair{lstBlackMoves, lblBlackMoves}}) {
        heading->setGeometry(x, 0, nEach, nHeading);
        list->setGeometry(x, nHeading, nEach, oArea.height() - nHeading);
        x += nEach + ListSpacing;
    }
    pane->setGeometry(0, 0, oArea.width(), oArea.height());
    setVisible(bShown);
    ShowChosen();
}

int NotationView::HeightForRows(int nRows) const {
    const QFontMetrics oMetrics(lstWhiteMoves->font());
    return fontMetrics().height() + 4 + 2 * lstWhiteMoves->frameWidth() +
           nRows * (oMetrics.height() + 2);
}

void NotationView::SetStandard(bool bSan) {
    oModel.SetStandard(bSan);
}

void NotationView::GameReplaced() {
    ForgetPane(); // another game: its own view of the moves
    oModel.Restart(board);
    Fill();
}

void NotationView::Fill() {
    oModel.Rebuild(board);
    QStringList oWhite;
    QStringList oBlack;
    oWhite.reserve(oModel.Count() / 2 + 1);
    oBlack.reserve(oModel.Count() / 2 + 1);
    for (int i = 0; i < oModel.Count(); ++i)
        (oModel.IsWhite(i) ? oWhite : oBlack) << oModel.At(i).sText;
    // Whole lists at once: one layout per list, not one per entry.
    for (auto [list, entries] : {std::pair{lstWhiteMoves, &oWhite}, {lstBlackMoves, &oBlack}}) {
        list->clear();
        list->addItems(*entries);
    }
    // Each entry read out in words.
    int nRows[2] = {0, 0};
    for (int i = 0; i < oModel.Count(); ++i) {
        const bool bBlack = !oModel.IsWhite(i);
        (bBlack ? lstBlackMoves : lstWhiteMoves)
            ->item(nRows[bBlack]++)
            ->setData(Qt::AccessibleTextRole, oModel.At(i).sWords);
    }
    SelectShownEntry();
    ScrollToEnd();
}

void NotationView::Append(const QString &sSquares) {
    bMoveAdded = true;
    const NotationModel::Entry &o = oModel.Append(board, sSquares);
    auto *entry = new QListWidgetItem(o.sText);
    // In words for screen readers.
    if (!o.sWords.isEmpty())
        entry->setData(Qt::AccessibleTextRole, o.sWords);
    // Raised before the turn passes, so the side to move is the side that moved.
    (board->IsWhitesTurn() ? lstWhiteMoves : lstBlackMoves)->addItem(entry);
    ScrollToEnd();
}

void NotationView::RemoveLast() {
    // The turn is back with the side whose move was taken back.
    QListWidget *list = board->IsWhitesTurn() ? lstWhiteMoves : lstBlackMoves;
    if (list->count() > 0)
        delete list->takeItem(list->count() - 1);
    oModel.RemoveLast();
}

QListWidgetItem *NotationView::SelectShownEntry() {
    for (QListWidget *list : {lstWhiteMoves, lstBlackMoves}) {
        list->clearSelection();
        list->setCurrentItem(nullptr, QItemSelectionModel::NoUpdate);
    }
    const int nPly = board->ViewedPly();
    if (!Reviewing() || nPly == 0 || !board->IsMainLineNode(board->ShownNode()))
        return nullptr;
    QListWidget *list = oModel.IsWhite(nPly - 1) ? lstWhiteMoves : lstBlackMoves;
    QListWidgetItem *entry = list->item(oModel.Row(nPly - 1));
    if (entry != nullptr) {
        list->setCurrentItem(entry);
        list->scrollToItem(entry);
    }
    return entry;
}

void NotationView::ScrollToEnd() {
    if (Reviewing())
        return; // the entry shown keeps its place
    // Now, not once the lists get round to it: a box may open over them next. Scrolling to the
    // bottom lays out entries still waiting; both lists then stop at the same row.
    for (QListWidget *list : {lstWhiteMoves, lstBlackMoves})
        list->scrollToBottom();
    for (QListWidget *list : {lstWhiteMoves, lstBlackMoves})
        list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
}

bool NotationView::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::KeyPress || (watched != lstWhiteMoves && watched != lstBlackMoves))
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() != Qt::NoModifier && key->modifiers() != Qt::KeypadModifier)
        return false;
    switch (key->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        emit Step(-1);
        return true;
    case Qt::Key_Right:
    case Qt::Key_Down:
        emit Step(1);
        return true;
    case Qt::Key_Home:
        board->ViewPly(0);
        return true;
    case Qt::Key_End:
        board->ViewPly(board->PlyCount());
        return true;
    default:
        return false;
    }
}
