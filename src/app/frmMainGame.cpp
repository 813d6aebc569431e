// The main window's game record: files, the clipboard, the move lists' notation and the end of
// the game.
#include "ClockPanel.h"
#include "CollectionNavigator.h"
#include "GameCollection.h"
#include "GameDocument.h"
#include "NotationPane.h"
#include "NotationView.h"
#include "dlgGameInfo.h"
#include "dlgPosition.h"
#include "dlgSetUpPosition.h"
#include "frmMain.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSettings>
#include <QStatusBar>
#include <QStringDecoder>
#include <QTimer>
#include <string_view>
#include <tavlon/Board.h>

namespace {

const QString sNotationKey = QStringLiteral("view/standardNotation");
const QString sWhiteKey = QStringLiteral("players/white");
const QString sBlackKey = QStringLiteral("players/black");

// A clipboard text that means a game: tags, or numbered moves. Plain words ("e4", "Nf3") are
// left to the typed-move box.
bool LooksLikePgn(const QString &sText) {
    static const QRegularExpression oGame(QStringLiteral(R"((^|\n)\s*\[\w+\s+"|(^|\s)\d+\.)"));
    return oGame.match(sText).hasMatch();
}

} // namespace

void frmMain::setFileChooser(FileChooser chooser) {
    oChooseFile = std::move(chooser);
}

void frmMain::BuildRecordMenus() {
    QMenuBar *bar = menuBar();
    auto *mnuGame = bar->findChild<QMenu *>(QStringLiteral("mnuGame"));
    auto *mnuView = bar->findChild<QMenu *>(QStringLiteral("mnuView"));
    QAction *mnuExit = mnuGame->findChild<QAction *>(QStringLiteral("mnuExit"));
    // The game's own items go before Exit, in the order players know from other programs.
    mnuGame->insertActions(
        mnuExit, {NewAction(nullptr, "mnuGamePosition", tr("New Game from &Position..."), {},
                            &frmMain::mnuGamePosition_Click),
                  NewAction(nullptr, "mnuGameSetUp", tr("Set &Up Position..."),
                            QKeySequence(Qt::CTRL | Qt::Key_E), &frmMain::mnuGameSetUp_Click),
                  NewAction(nullptr, "mnuGameOpen", tr("&Open Game..."),
                            QKeySequence(Qt::CTRL | Qt::Key_O), &frmMain::mnuGameOpen_Click),
                  NewAction(nullptr, "mnuGameSave", tr("&Save Game"),
                            QKeySequence(Qt::CTRL | Qt::Key_S), [this] { pDocument->Save(); }),
                  NewAction(nullptr, "mnuGameSaveAs", tr("Save Game &As..."),
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                            [this] { pDocument->SaveAs(); })});
    mnuGame->insertSeparator(mnuExit);
    mnuGameClaimDraw = NewAction(nullptr, "mnuGameClaimDraw", tr("&Claim Draw"), {},
                                 &frmMain::mnuGameClaimDraw_Click);
    mnuGame->insertActions(mnuExit, {mnuGameClaimDraw,
                                     NewAction(nullptr, "mnuGameAgreeDraw", tr("Agree to a &Draw"),
                                               {}, &frmMain::mnuGameAgreeDraw_Click),
                                     NewAction(nullptr, "mnuGameWhiteResigns", tr("&White Resigns"),
                                               {}, [this] { mnuGameResign_Click(true); }),
                                     NewAction(nullptr, "mnuGameBlackResigns", tr("&Black Resigns"),
                                               {}, [this] { mnuGameResign_Click(false); })});
    mnuGame->insertSeparator(mnuExit);
    mnuGame->insertAction(mnuExit, NewAction(nullptr, "mnuGameInfo", tr("Game &Information..."), {},
                                             &frmMain::mnuGameInfo_Click));
    mnuGame->insertSeparator(mnuExit);
    connect(mnuGame, &QMenu::aboutToShow, this, &frmMain::UpdateGameActions);

    auto *mnuEdit = new QMenu(tr("&Edit"), this);
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    mnuEdit->addActions(
        {NewAction(nullptr, "mnuEditCopyGame", tr("&Copy Game"), QKeySequence(Qt::CTRL | Qt::Key_C),
                   &frmMain::mnuEditCopyGame_Click),
         NewAction(nullptr, "mnuEditCopyPosition", tr("Copy &Position"),
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
                   &frmMain::mnuEditCopyPosition_Click),
         NewAction(nullptr, "mnuEditPaste", tr("P&aste"), QKeySequence(Qt::CTRL | Qt::Key_V),
                   &frmMain::mnuEditPaste_Click)});
    bar->insertMenu(mnuView->menuAction(), mnuEdit);

    mnuViewNotation = NewAction(nullptr, "mnuViewNotation", tr("&Standard Notation"), {},
                                &frmMain::mnuViewNotation_Click);
    mnuViewNotation->setCheckable(true);
    mnuViewNotation->setChecked(QSettings().value(sNotationKey, false).toBool());
    mnuView->addAction(mnuViewNotation);
    connect(Board1, &Board::GameOver, this, &frmMain::Board1_GameOver);
    UpdateGameActions();
}

void frmMain::ShowStatus(const QString &sText) {
    statusBar()->showMessage(sText);
}

void frmMain::UpdateCaption() {
    // "Tavlon - <what> - <turn>": the players when they are known, else the file; a game of a
    // collection names its place in the file first. Then whose turn it is, or how it ended.
    const auto Known = [this](const char *sTag) {
        const QString s = Board1->Tag(QString::fromLatin1(sTag));
        return s == QLatin1String("?") ? QString() : s;
    };
    const QString sWhite = Known("White"), sBlack = Known("Black");
    const QString sPlayers = sWhite.isEmpty() && sBlack.isEmpty()
                                 ? QString()
                                 : tr("%1 vs %2")
                                       .arg(sWhite.isEmpty() ? QStringLiteral("?") : sWhite,
                                            sBlack.isEmpty() ? QStringLiteral("?") : sBlack);
    QStringList oWhat;
    if (pDocument->Collection() || sPlayers.isEmpty())
        oWhat << pDocument->CaptionFile();
    oWhat << sPlayers << VariantText();
    oWhat.removeAll(QString());
    const QString sWhat = oWhat.join(QStringLiteral(" - "));
    QString sTurn = GameOverText();
    if (sTurn.isEmpty())
        sTurn = Board1->IsWhitesTurn() ? tr("White to move") : tr("Black to move");
    setWindowTitle(sWhat.isEmpty() ? tr("Tavlon - %1").arg(sTurn)
                                   : tr("Tavlon - %1 - %2").arg(sWhat, sTurn));
}

void frmMain::UpdateGameActions() {
    // What cannot act is greyed out: nothing to take back, a game already over.
    const auto Enable = [this](const char *sName, bool bOn) {
        if (auto *action = findChild<QAction *>(QLatin1String(sName)))
            action->setEnabled(bOn);
    };
    const bool bOpen = Board1->Result() == QLatin1String("*");
    Enable("mnuActionsUndo", Board1->PlyCount() > 0);
    Enable("mnuActionsTakeBack", Reviewing());
    for (const char *sName : {"mnuGameAgreeDraw", "mnuGameWhiteResigns", "mnuGameBlackResigns"})
        Enable(sName, bOpen);
    if (mnuGameClaimDraw == nullptr)
        return; // the window is still being built
    mnuGameClaimDraw->setEnabled(!bPromotionPending && Board1->CanClaimDraw());
    if (pNavigator)
        pNavigator->UpdateActions();
}

// --- Files --------------------------------------------------------------------------------

bool frmMain::GameHoldsNothing() const {
    const int nRoot = Board1->RootNode();
    return Board1->PlyCount() == 0 && Board1->ChildNodes(nRoot).isEmpty() &&
           Board1->NodeComment(nRoot).isEmpty() && Board1->NodeShapes(nRoot).isEmpty();
}

bool frmMain::OpenFile(const QString &sPath) {
    return pNavigator->OpenFile(sPath);
}

void frmMain::mnuGameOpen_Click() {
    if (bPromotionPending)
        return;
    QString sPath;
    if (pDocument->MaybeSave() && Outlives([&] {
            sPath = oChooseFile(this, FileQuestion::Open, QFileInfo(pDocument->File()).path());
        }) &&
        !sPath.isEmpty())
        OpenFile(sPath);
}

void frmMain::mnuGamePosition_Click() {
    if (bPromotionPending || !pDocument->MaybeSave())
        return;
    auto *dialog = new dlgPosition(Board1->Fen(), &PositionError, this);
    if (Exec(dialog) == QDialog::Accepted && Board1->SetFen(dialog->Fen())) {
        NameRememberedPlayers();
        RecordReplaced({});
    }
}

void frmMain::mnuGameSetUp_Click() {
    if (bPromotionPending)
        return;
    // From the position shown; the game stays as it is until the players start the new one.
    auto *dialog =
        new dlgSetUpPosition(Board1->NodeFen(Board1->ShownNode()), PieceSetFolder(), !bView, this);
    dialog->SetChess960(Board1->Is960());
    dialog->SetBeforeStart([this] { return !bPromotionPending && pDocument->MaybeSave(); });
    if (Exec(dialog) == QDialog::Accepted && Board1->SetFen(dialog->Fen(), dialog->Is960())) {
        NameRememberedPlayers();
        RecordReplaced({});
    }
}

// --- The record in the window -------------------------------------------------------------

void frmMain::RecordReplaced(const QString &sNewFile, std::unique_ptr<GameCollection> pFrom) {
    pDocument->Replace(sNewFile, std::move(pFrom));
    // A finished game says how it ended, from its position or its tags.
    sGameOver = Board1->Result() == QLatin1String("*")
                    ? QString()
                    : EndText(Board1->Result(), Board1->GameOverReason(), true);
    oClocks->Replaced();
    oNotation->GameReplaced();
    // A game that holds notes shows them, in a window that showed no moves too.
    if (oNotation->Mode() == QLatin1String("auto") && !bWide && NotationPane::IsAnnotated(Board1))
        mnuHideMoves_Click();
    oNotation->Update(true);
    UpdateNotationActions();
    UpdateGameActions();
    Board1_PositionChanged(); // whose turn, or how the loaded game ended, also in the caption
    SaveRecovery(!pDocument->File().isEmpty()); // as its file holds it: nothing to keep
}

void frmMain::mnuViewNotation_Click() {
    QSettings().setValue(sNotationKey, mnuViewNotation->isChecked());
    oNotation->SetStandard(mnuViewNotation->isChecked());
    if (!bPromotionPending)
        oNotation->Fill();
}

// --- The clipboard ------------------------------------------------------------------------

void frmMain::mnuEditCopyGame_Click() {
    // In the typed-move box, Ctrl+C keeps its usual meaning for selected text.
    if (txtMovePiece->hasFocus() && txtMovePiece->hasSelectedText()) {
        txtMovePiece->copy();
        return;
    }
    if (!bPromotionPending)
        QApplication::clipboard()->setText(Board1->Pgn());
}

void frmMain::mnuEditCopyPosition_Click() {
    if (!bPromotionPending)
        QApplication::clipboard()->setText(Board1->Fen());
}

void frmMain::mnuEditPaste_Click() {
    const QString sText = QApplication::clipboard()->text().trimmed();
    const QString sFenError = PositionError(sText);
    const bool bFen = !sText.isEmpty() && sFenError.isEmpty();
    // Eight ranks first are a position whatever follows, and what is wrong is the FEN's.
    if (!bFen && sText.section(QRegularExpression(QStringLiteral("\\s")), 0, 0).count('/') == 7) {
        ShowMessage(tr("Cannot paste the position:\n%1").arg(sFenError));
        return;
    }
    if (!bFen && !LooksLikePgn(sText)) {
        if (txtMovePiece->hasFocus())
            txtMovePiece->paste();
        else
            ShowStatus(tr("The clipboard holds neither a position nor a game"));
        return;
    }
    if (bPromotionPending || !pDocument->MaybeSave())
        return;
    if (!bFen) {
        if (std::unique_ptr<GameCollection> pPasted = GameCollection::ReadText(sText.toUtf8());
            pPasted && pPasted->Count() > 1) {
            pNavigator->Choose(std::move(pPasted));
            return;
        }
    }
    if (bFen ? Board1->SetFen(sText) : Board1->LoadPgn(sText)) {
        if (!bFen)
            oClocks->Loading();
        else
            NameRememberedPlayers(); // a game brings its own
        RecordReplaced({});
    } else
        ShowMessage(tr("Cannot paste the game:\n%1").arg(Board1->LastError()));
}

// --- Draws, resignation and the end of the game -------------------------------------------

void frmMain::EndGame(const std::function<bool()> &oEnd) {
    // GameOver shows its box inside the board's call.
    bool bEnded = false;
    if (Outlives([&] { bEnded = oEnd(); }) && bEnded)
        pDocument->MarkUnsaved();
}

void frmMain::mnuGameClaimDraw_Click() {
    if (!bPromotionPending && !oClocks->Refuse())
        EndGame([this] { return Board1->ClaimDraw(); });
}

void frmMain::mnuGameAgreeDraw_Click() {
    if (bPromotionPending || Board1->Result() != QLatin1String("*"))
        return;
    // Both players sit at this computer; the one who chose the item asks the other.
    if (Ask(tr("Tavlon"), tr("Do White and Black both agree to a draw?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes)
        EndGame([this] { return Board1->AgreeDraw(); });
}

void frmMain::mnuGameResign_Click(bool bWhite) {
    if (bPromotionPending || Board1->Result() != QLatin1String("*"))
        return;
    if (Ask(tr("Tavlon"), bWhite ? tr("Does White resign?") : tr("Does Black resign?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes)
        EndGame([this, bWhite] { return Board1->Resign(bWhite); });
}

void frmMain::mnuGameInfo_Click() {
    if (bPromotionPending)
        return;
    QStringList oValues;
    for (const QString &sTag : dlgGameInfo::TagNames())
        oValues << Board1->Tag(sTag);
    auto *dialog = new dlgGameInfo(oValues, VariantText(), this, NotationPane::Summary(Board1));
    if (Exec(dialog) != QDialog::Accepted || bPromotionPending)
        return;
    const QStringList oNew = dialog->Values();
    for (qsizetype i = 0; i < oNew.size(); ++i) {
        if (oNew[i] != oValues[i]) {
            Board1->SetTag(dlgGameInfo::TagNames()[i], oNew[i]);
            pDocument->MarkUnsaved();
        }
    }
    // The players are remembered for the next new game.
    QSettings().setValue(sWhiteKey, oNew.value(0));
    QSettings().setValue(sBlackKey, oNew.value(1));
    UpdateCaption();
}

void frmMain::NameRememberedPlayers() {
    // The event a new game is given, in the player's language.
    if (Board1->Tag(QStringLiteral("Event")) == QLatin1String("Casual game"))
        Board1->SetTag(QStringLiteral("Event"), tr("Casual game"));
    const QString sNames[] = {QSettings().value(sWhiteKey).toString(),
                              QSettings().value(sBlackKey).toString()};
    if (!sNames[0].isEmpty())
        Board1->SetTag(QStringLiteral("White"), sNames[0]);
    if (!sNames[1].isEmpty())
        Board1->SetTag(QStringLiteral("Black"), sNames[1]);
}

QString frmMain::EndText(const QString &Result, Board::EndReason eReason, bool bLoaded) const {
    using E = Board::EndReason;
    const bool bWhiteWon = Result == QLatin1String("1-0");
    const bool bDraw = Result == QLatin1String("1/2-1/2");
    switch (eReason) {
    case E::Checkmate:
        return bWhiteWon ? tr("Black checkmated") : tr("White checkmated");
    case E::Stalemate:
        return tr("Stalemate");
    case E::InsufficientMaterial:
        return tr("Draw by insufficient material");
    case E::FivefoldRepetition:
        return tr("Draw by fivefold repetition");
    case E::ThreefoldRepetition:
        return tr("Draw by threefold repetition");
    case E::SeventyFiveMoveRule:
        return tr("Draw by the seventy-five-move rule");
    case E::FiftyMoveRule:
        return tr("Draw by the fifty-move rule");
    case E::TimeForfeit:
        return bWhiteWon ? tr("Black ran out of time: White wins")
                         : tr("White ran out of time: Black wins");
    case E::TimeForfeitDraw:
        // The flag falls for the side to move.
        return Board1->IsWhitesTurn()
                   ? tr("White ran out of time, but Black cannot checkmate: draw")
                   : tr("Black ran out of time, but White cannot checkmate: draw");
    case E::Resignation:
        if (!bLoaded)
            return bWhiteWon ? tr("Black resigns") : tr("White resigns");
        break;
    case E::Agreement:
    case E::None:
        if (!bLoaded)
            return tr("Draw by agreement");
        break;
    }
    // A game read from a file that ended by no rule the position shows: its Termination tag
    // (the standard's words, or a sentence as some servers write) says how, if anything does.
    const QString sTermination = Board1->Tag(QStringLiteral("Termination")).toLower();
    const auto Pick = [&](const QString &sDraw, const QString &sWhite, const QString &sBlack) {
        return bDraw ? sDraw : bWhiteWon ? sWhite : sBlack;
    };
    if (sTermination.contains(QLatin1String("time")))
        return Pick(tr("Draw: time ran out"), tr("White won on time"), tr("Black won on time"));
    if (sTermination.contains(QLatin1String("abandon")))
        return Pick(tr("Draw: the game was abandoned"), tr("White won: Black abandoned the game"),
                    tr("Black won: White abandoned the game"));
    if (sTermination.contains(QLatin1String("adjudicat")))
        return Pick(tr("Draw by adjudication"), tr("White won by adjudication"),
                    tr("Black won by adjudication"));
    if (sTermination.contains(QLatin1String("infraction")))
        return Pick(tr("Draw after a rules infraction"), tr("White won: Black broke a rule"),
                    tr("Black won: White broke a rule"));
    if (sTermination.contains(QLatin1String("agree")) ||
        sTermination.contains(QLatin1String("repetition")))
        return Pick(tr("Draw by agreement"), tr("White won"), tr("Black won"));
    // A decisive game that ended "normally" without mate was resigned.
    return Pick(tr("Drawn game"), tr("White won by resignation"), tr("Black won by resignation"));
}

QString frmMain::GameOverText() const {
    if (Board1->Result() == QLatin1String("*"))
        return {};
    return sGameOver.isEmpty() ? EndText(Board1->Result(), Board1->GameOverReason(), false)
                               : sGameOver;
}

void frmMain::Board1_GameOver(const QString &Result, const QString &) {
    using E = Board::EndReason;
    oClocks->GameOver(); // no clock runs on behind the box
    const E eReason = Board1->GameOverReason();
    const QString sText = EndText(Result, eReason, false);
    sGameOver = sText;
    ShowStatus(sText);
    UpdateCaption();
    UpdateGameActions();
    oNotation->ScrollToEnd();
    SaveRecovery(); // the finished game, before a box that may stand for long
    // Mate and stalemate bring the box of the move's own events.
    const QString sBox = std::exchange(sMoveBox, QString());
    if (eReason == E::Checkmate || eReason == E::Stalemate)
        ShowOutcome(sBox.isEmpty() ? sText : sBox);
    else
        ShowOutcome(sText);
}
