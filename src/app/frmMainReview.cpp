// Reviewing the game in the window: stepping through its earlier positions from the View menu
// and the move lists, the status line while one is shown, and taking back the moves after it.
#include "ClockPanel.h"
#include "GameDocument.h"
#include "NotationView.h"
#include "frmMain.h"

#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <tavlon/Board.h>

void frmMain::BuildReviewMenus() {
    QMenuBar *bar = menuBar();
    auto *mnuView = bar->findChild<QMenu *>(QStringLiteral("mnuView"));
    auto *mnuActions = bar->findChild<QMenu *>(QStringLiteral("mnuActions"));
    // Window shortcuts, as every command's: the keys work from the board, the lists and the
    // typed-move box.
    mnuView->addSeparator();
    NewAction(mnuView, "mnuViewPrevious", tr("&Previous Move"),
              QKeySequence(Qt::ALT | Qt::Key_Left), [this] { StepShown(-1); });
    NewAction(mnuView, "mnuViewNext", tr("&Next Move"), QKeySequence(Qt::ALT | Qt::Key_Right),
              [this] { StepShown(1); });
    NewAction(mnuView, "mnuViewFirst", tr("F&irst Position"), QKeySequence(Qt::ALT | Qt::Key_Home),
              [this] { Board1->ViewPly(0); });
    NewAction(mnuView, "mnuViewCurrent", tr("C&urrent Position"),
              QKeySequence(Qt::ALT | Qt::Key_End), [this] { Board1->ViewPly(Board1->PlyCount()); });
    // At a fork, the other variations of the move shown, in their order: keys of the window,
    // listed with the keyboard shortcuts, as the menu has no letter left for them.
    addActions({NewAction(nullptr, "mnuViewPreviousVariation", tr("Previous Variation"),
                          QKeySequence(Qt::ALT | Qt::Key_Up), [this] { StepVariation(-1); }),
                NewAction(nullptr, "mnuViewNextVariation", tr("Next Variation"),
                          QKeySequence(Qt::ALT | Qt::Key_Down), [this] { StepVariation(1); })});
    NewAction(mnuActions, "mnuActionsTakeBack", tr("Take &Back Moves to Here"), QKeySequence(),
              &frmMain::mnuActionsTakeBack_Click);

    Board1->installEventFilter(this);
    connect(Board1, &Board::ViewChanged, this, &frmMain::Board1_ViewChanged);
    // A move played on an earlier position, or a note, changes the game as a move does.
    connect(Board1, &Board::TreeChanged, this, [this] {
        pDocument->MarkUnsaved();
        SaveRecovery();
    });
    connect(Board1, &Board::VariationPromotion, this, &frmMain::Board1_PawnPromotion);
}

void frmMain::StepShown(int nStep) {
    const int nShown = Board1->ShownNode();
    // Along the main line by its plies; off it, along the line shown.
    if (Board1->IsMainLineNode(nShown))
        Board1->ViewPly(Board1->ViewedPly() + nStep);
    else
        Board1->ShowNode(nStep < 0 ? Board1->ParentNode(nShown) : Board1->MainChildNode(nShown));
}

void frmMain::StepVariation(int nStep) {
    const int nShown = Board1->ShownNode();
    const QList<int> oSiblings = Board1->ChildNodes(Board1->ParentNode(nShown));
    const qsizetype i = oSiblings.indexOf(nShown) + nStep;
    if (i >= 0 && i < oSiblings.size() && oSiblings.indexOf(nShown) >= 0)
        Board1->ShowNode(oSiblings[i]);
}

bool frmMain::ReviewKey(QObject *watched, QEvent *event) {
    // The left button plays; the right one draws arrows and circles, which any position takes.
    if (event->type() == QEvent::MouseButtonPress && watched == Board1 && Reviewing() &&
        !Board1->VariationMovesAllowed() &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        ShowStatus(tr("Refused: an earlier position is shown — Alt+End returns"));
        return false; // the board refuses the move itself
    }
    return false;
}

bool frmMain::Reviewing() const {
    return Board1->ShownNode() != Board1->LiveNode();
}

void frmMain::Board1_ViewChanged(int nPly) {
    const QListWidgetItem *entry = oNotation->SelectShownEntry();
    UpdateGameActions();
    if (!Reviewing()) {
        ShowTurnStatus();
        return;
    }
    if (nPly == 0) {
        ShowStatus(tr("The starting position shown — Alt+End returns"));
        return;
    }
    const int nShown = Board1->ShownNode();
    if (!Board1->IsMainLineNode(nShown)) {
        ShowStatus(tr("Variation move %1 shown — Alt+End returns")
                       .arg(oNotation->Model().Number(nPly - 1) + Board1->NodeSan(nShown)));
        return;
    }
    // The move shown and the last one, each as its list entry reads (numbered moves, in the
    // notation and letters the lists use), never a count of half-moves.
    const NotationModel &oMoves = oNotation->Model();
    ShowStatus(tr("Move %1 shown, the last %2 — Alt+End returns")
                   .arg(entry != nullptr ? entry->text() : QString::number(nPly),
                        oMoves.Count() > 0 ? oMoves.At(oMoves.Count() - 1).sText : QString()));
}

void frmMain::mnuActionsTakeBack_Click() {
    const int nTo = Board1->ViewedPly();
    if (bPromotionPending || !Reviewing() || !Board1->IsMainLineNode(Board1->ShownNode()) ||
        oClocks->Refuse())
        return;
    if (Ask(tr("Tavlon"), tr("Take back every move after the position shown?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    while (Board1->PlyCount() > nTo && Board1->UndoLastMove())
        oClocks->Undone();
    pDocument->MarkUnsaved();
    sGameOver.clear(); // taking back reopens a finished game
    oNotation->Fill();
    ShowTurnStatus();
}
