// The game's notation in the window: the pane that shows its tree beside the board in place of
// the two lists, the View choice between them, and the Edit commands that annotate the move
// shown: comments, move marks, deleting and promoting variations.
#include "ClockPanel.h"
#include "NotationPane.h"
#include "frmMain.h"

#include <QActionGroup>
#include <QLabel>
#include <QListWidget>
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
    pane = new NotationPane(Board1, &frmMain::LocalSan, centralWidget());
    pane->setObjectName(QStringLiteral("paneNotation"));
    pane->hide();
    connect(pane, &NotationPane::Said, this, &frmMain::ShowStatus);

    // View > Moves: the lists, as always; the pane; or the pane for a game that holds what the
    // lists cannot show, the lists otherwise.
    auto *mnuView = findChild<QMenu *>(QStringLiteral("mnuView"));
    QMenu *mnuMoves = mnuView->addMenu(tr("Moves Sho&wn In"));
    mnuMoves->setObjectName(QStringLiteral("mnuViewMoves"));
    auto *group = new QActionGroup(mnuMoves);
    const QString sChosen = QSettings().value(QLatin1String(MovesViewKey)).toString();
    sMovesView = sChosen == QLatin1String("lists") || sChosen == QLatin1String("pane")
                     ? sChosen
                     : QStringLiteral("auto");
    const std::tuple<const char *, QString, const char *> choices[] = {
        {"mnuViewMovesAuto", tr("&Automatic: the Pane for Annotated Games"), "auto"},
        {"mnuViewMovesLists", tr("Move &Lists"), "lists"},
        {"mnuViewMovesPane", tr("&Notation Pane"), "pane"},
    };
    for (const auto &[sName, sCaption, sValue] : choices) {
        const QString sKey = QLatin1String(sValue);
        QAction *action = NewAction(mnuMoves, sName, sCaption, {}, [this, sKey] {
            sMovesView = sKey;
            QSettings().setValue(QLatin1String(MovesViewKey), sKey);
            UpdateNotation(true);
        });
        action->setCheckable(true);
        action->setChecked(sKey == sMovesView);
        group->addAction(action);
    }

    // Edit: the annotation of the move shown.
    auto *mnuEdit = findChild<QMenu *>(QStringLiteral("mnuEdit"));
    mnuEdit->addSeparator();
    QList<QAction *> oActions;
    oActions << NewAction(mnuEdit, "mnuEditComment", tr("Comme&nt on Move"),
                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K), [this] {
                              bPaneWanted = true;
                              UpdateNotation(false);
                              if (!pane->isHidden())
                                  pane->findChild<QPlainTextEdit *>()->setFocus();
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
    pane->SetContextActions(oActions);

    // A new game, or one that holds nothing, forgets that the pane was asked for.
    const auto Changed = [this] {
        if (GameHoldsNothing())
            bPaneWanted = bPaneKept = false;
        UpdateNotation(true);
    };
    connect(Board1, &Board::TreeChanged, this, Changed);
    connect(Board1, &Board::PositionChanged, this, Changed);
    connect(Board1, &Board::NodeShown, this, [this] {
        if (!pane->isHidden())
            pane->MarkShown();
        UpdateNotationActions();
    });
    bPaneLaidOut = PaneShown(); // placed when the window is first laid out
    UpdateNotationActions();
}

bool frmMain::PaneShown() const {
    // Comment on Move asks for the pane whatever the choice: the box is in it.
    if (sMovesView == QLatin1String("pane") || bPaneWanted)
        return true;
    return sMovesView == QLatin1String("auto") && (bPaneKept || NotationPane::IsAnnotated(Board1));
}

void frmMain::UpdateNotation(bool bRebuild) {
    const bool bPane = PaneShown();
    bPaneKept = bPane && sMovesView == QLatin1String("auto");
    if (bPane != bPaneLaidOut) {
        bPaneLaidOut = bPane;
        // A game that holds notes shows them without a search for the option that would.
        if (bPane && !bWide && sMovesView == QLatin1String("auto"))
            mnuHideMoves_Click();
        LayOutClient();
        bRebuild = true;
    }
    if (bRebuild && !pane->isHidden())
        pane->Rebuild();
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
    bUnsaved = true;
    sGameOver = Board1->Result() == QLatin1String("*")
                    ? QString()
                    : EndText(Board1->Result(), Board1->GameOverReason(), true);
    FillLists();
    UpdateGameActions();
    ShowTurnStatus();
    SaveRecovery();
}

void frmMain::PlaceNotation(const QRect &oLists) {
    // The pane takes the lists' place; made again as it shows, as it is not kept up while hidden.
    pane->setGeometry(oLists);
    const bool bShow = bWide && bPaneLaidOut;
    if (bShow && pane->isHidden()) {
        pane->show();
        pane->Rebuild();
    } else if (!bShow) {
        pane->hide();
    }
}
