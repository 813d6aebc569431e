// The game's notation in the window: the View choice between the move lists and the pane (both
// in NotationView), and the Edit commands that annotate the move shown: comments, move marks,
// deleting and promoting variations.
#include "ClockPanel.h"
#include "GameDocument.h"
#include "NotationPane.h"
#include "NotationView.h"
#include "frmMain.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSettings>
#include <tavlon/Board.h>

namespace {

const char *const MovesViewKey = "view/moves";

} // namespace

void frmMain::BuildNotation() {
    oNotation->SetStandard(mnuViewNotation->isChecked());
    connect(oNotation, &NotationView::Said, this, &frmMain::ShowStatus);
    connect(oNotation, &NotationView::NotesWanted, this, [this] {
        if (!bWide)
            mnuHideMoves_Click();
    });

    // View > Moves: the lists, as always; the pane; or the pane for a game that holds what the
    // lists cannot show, the lists otherwise.
    auto *mnuView = findChild<QMenu *>(QStringLiteral("mnuView"));
    QMenu *mnuMoves = mnuView->addMenu(tr("Moves Sho&wn In"));
    mnuMoves->setObjectName(QStringLiteral("mnuViewMoves"));
    auto *group = new QActionGroup(mnuMoves);
    oNotation->SetMode(QSettings().value(QLatin1String(MovesViewKey)).toString());
    const std::tuple<const char *, QString, const char *> choices[] = {
        {"mnuViewMovesAuto", tr("&Automatic: the Pane for Annotated Games"), "auto"},
        {"mnuViewMovesLists", tr("Move &Lists"), "lists"},
        {"mnuViewMovesPane", tr("&Notation Pane"), "pane"},
    };
    for (const auto &[sName, sCaption, sValue] : choices) {
        const QString sKey = QLatin1String(sValue);
        QAction *action = NewAction(mnuMoves, sName, sCaption, {}, [this, sKey] {
            QSettings().setValue(QLatin1String(MovesViewKey), sKey);
            oNotation->SetMode(sKey);
            UpdateNotationActions();
        });
        action->setCheckable(true);
        action->setChecked(sKey == oNotation->Mode());
        group->addAction(action);
    }

    // Edit: the annotation of the move shown.
    auto *mnuEdit = findChild<QMenu *>(QStringLiteral("mnuEdit"));
    mnuEdit->addSeparator();
    QList<QAction *> oActions;
    oActions << NewAction(mnuEdit, "mnuEditComment", tr("Comme&nt on Move"),
                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K), [this] {
                              oNotation->WantPane();
                              UpdateNotationActions();
                              if (oNotation->PaneShown())
                                  oNotation->Pane()->findChild<QPlainTextEdit *>()->setFocus();
                          });
    QMenu *mnuMarks = mnuEdit->addMenu(tr("&Mark Move"));
    mnuMarks->setObjectName(QStringLiteral("mnuEditMarks"));
    // The move quality glyphs of the PGN standard ($1 to $6), on ChessBase's keys.
    const std::pair<const char *, QString> marks[] = {
        {"!", tr("&Good Move")}, {"?", tr("&Mistake")},           {"!!", tr("&Brilliant Move")},
        {"??", tr("B&lunder")},  {"!?", tr("&Interesting Move")}, {"?!", tr("&Dubious Move")},
    };
    for (int nNag = 1; nNag <= 6; ++nNag) {
        const QString sName = QStringLiteral("mnuEditNag%1").arg(nNag);
        QAction *action = NewAction(
            mnuMarks, sName.toLatin1().constData(),
            tr("%1 (%2)").arg(marks[nNag - 1].second, QLatin1String(marks[nNag - 1].first)),
            QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_0 + nNag)),
            [this, nNag] { ToggleMark(nNag); });
        action->setCheckable(true);
        oMarkActions << action;
    }
    oActions << mnuMarks->menuAction();
    oActions << NewAction(mnuEdit, "mnuEditPromoteVariation", tr("Promote Va&riation"), {},
                          &frmMain::mnuEditPromoteVariation_Click);
    oActions << NewAction(mnuEdit, "mnuEditDeleteVariation", tr("Delete &Variation"), {},
                          &frmMain::mnuEditDeleteVariation_Click);
    oActions << NewAction(mnuEdit, "mnuEditDeleteMoves", tr("Delete Moves from &Here"), {},
                          &frmMain::mnuEditDeleteMoves_Click);
    oNotation->Pane()->SetContextActions(oActions);
    // The comment box last in the Tab order, after the typed-move row and whatever else the
    // window holds, although the view was made before them.
    QWidget *last = nullptr;
    for (QWidget *widget = nextInFocusChain(); widget != this; widget = widget->nextInFocusChain())
        if (widget->focusPolicy() != Qt::NoFocus && !oNotation->isAncestorOf(widget))
            last = widget;
    if (last != nullptr)
        setTabOrder(last, oNotation->Pane()->findChild<QPlainTextEdit *>());

    // A new game, or one that holds nothing, forgets that the pane was asked for.
    const auto Changed = [this] {
        if (GameHoldsNothing())
            oNotation->ForgetPane();
        oNotation->Update(true);
        UpdateNotationActions();
    };
    connect(Board1, &Board::TreeChanged, this, Changed);
    connect(Board1, &Board::PositionChanged, this, Changed);
    connect(Board1, &Board::NodeShown, this, [this] {
        if (oNotation->PaneShown())
            oNotation->Pane()->MarkShown();
        UpdateNotationActions();
    });
    UpdateNotationActions();
}

void frmMain::UpdateNotationActions() {
    const int nShown = Board1->ShownNode();
    const bool bMove = nShown != Board1->RootNode() && !Board1->NodeSan(nShown).isEmpty();
    const bool bOff = nShown != -1 && !Board1->IsMainLineNode(nShown);
    for (QAction *action : oMarkActions) {
        action->setEnabled(bMove && !bPromotionPending);
        action->setChecked(
            bMove && Board1->NodeNags(nShown).contains(action->objectName().right(1).toInt()));
    }
    // Edits of the main line change the game itself: not while its clocks count.
    const bool bFree = !bPromotionPending && Board1->VariationMovesAllowed();
    const auto Enable = [this](const char *sName, bool b) {
        if (auto *action = findChild<QAction *>(QLatin1String(sName)))
            action->setEnabled(b);
    };
    Enable("mnuEditPromoteVariation", bOff && bFree);
    Enable("mnuEditDeleteVariation", bOff && !bPromotionPending);
    Enable("mnuEditDeleteMoves",
           nShown != Board1->RootNode() && (bOff ? !bPromotionPending : bFree));
}

void frmMain::ToggleMark(int nNag) {
    const int nShown = Board1->ShownNode();
    if (bPromotionPending || nShown == Board1->RootNode())
        return;
    // A move has one mark of its quality; the same key again takes it off.
    QList<int> oNags = Board1->NodeNags(nShown);
    const bool bHad = oNags.contains(nNag);
    oNags.removeIf([](int n) { return n >= 1 && n <= 6; });
    if (!bHad)
        oNags.prepend(nNag);
    Board1->SetNodeNags(nShown, oNags);
}

void frmMain::mnuEditPromoteVariation_Click() {
    const int nShown = Board1->ShownNode();
    if (bPromotionPending || Board1->IsMainLineNode(nShown) || !Board1->VariationMovesAllowed())
        return;
    const QString sNow = Board1->Result();
    const QString sThen = Board1->ResultAfterPromotion(nShown);
    if (sThen != sNow &&
        Ask(tr("Tavlon"),
            tr("The game's result becomes %1 instead of %2. Promote the variation?")
                .arg(sThen, sNow),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    if (!Board1->PromoteVariation(nShown)) {
        ShowStatus(tr("The variation cannot become the game: the game would end before it does"));
        return;
    }
    MainLineReplaced();
}

void frmMain::mnuEditDeleteVariation_Click() {
    const int nShown = Board1->ShownNode();
    if (bPromotionPending || Board1->IsMainLineNode(nShown))
        return;
    if (Ask(tr("Tavlon"), tr("Delete this variation and every move in it?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    Board1->DeleteVariation(nShown);
}

void frmMain::mnuEditDeleteMoves_Click() {
    const int nShown = Board1->ShownNode();
    const bool bMain = Board1->IsMainLineNode(nShown);
    if (bPromotionPending || nShown == Board1->RootNode() ||
        (bMain && !Board1->VariationMovesAllowed()))
        return;
    if (Ask(tr("Tavlon"),
            bMain ? tr("Take back the game's moves from the move shown on? Its variations stay.")
                  : tr("Delete the move shown and every move after it in its variation?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    const int nPlies = Board1->PlyCount();
    if (!Board1->DeleteMovesFrom(nShown) || !bMain)
        return;
    for (int n = Board1->PlyCount(); n < nPlies; ++n)
        oClocks->Undone();
    MainLineReplaced();
}

void frmMain::MainLineReplaced() {
    // The game itself changed as a load changes it: its lists and how it ended, anew.
    pDocument->MarkUnsaved();
    sGameOver = Board1->Result() == QLatin1String("*")
                    ? QString()
                    : EndText(Board1->Result(), Board1->GameOverReason(), true);
    oNotation->Fill();
    UpdateGameActions();
    ShowTurnStatus();
    SaveRecovery();
}
