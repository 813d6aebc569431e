// The main window's game record: files, the clipboard, the move lists' notation and the end of
// the game.
#include "SafeWrite.h"
#include "dlgGameInfo.h"
#include "dlgPosition.h"
#include "frmMain.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSettings>
#include <QStatusBar>
#include <QStringDecoder>
#include <QTimer>
#include <tavlon/Board.h>

namespace {

const QString sNotationKey = QStringLiteral("view/standardNotation");
const QString sWhiteKey = QStringLiteral("players/white");
const QString sBlackKey = QStringLiteral("players/black");

// Half-moves played before the position of a FEN: 2 per full move, one more with Black to move.
int PlyOfFen(const QString &sFen) {
    const QStringList oFields = sFen.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const int nFullMove = oFields.size() > 5 ? std::max(1, oFields[5].toInt()) : 1;
    const bool bBlack = oFields.size() > 1 && oFields[1] == QLatin1String("b");
    return 2 * (nFullMove - 1) + (bBlack ? 1 : 0);
}

// Files written by other programs are usually UTF-8, older ones Latin-1 as the PGN standard says.
QString DecodeGame(const QByteArray &oBytes) {
    QStringDecoder oUtf8(QStringDecoder::Utf8);
    QString sText = oUtf8(oBytes);
    return oUtf8.hasError() ? QString::fromLatin1(oBytes) : sText;
}

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
    auto item = [this](const char *name, const QString &caption, const QKeySequence &shortcut,
                       auto handler) {
        auto *action = new QAction(caption, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    // The game's own items go before Exit, in the order players know from other programs.
    mnuGame->insertActions(
        mnuExit, {item("mnuGamePosition", tr("New Game from &Position..."), {},
                       &frmMain::mnuGamePosition_Click),
                  item("mnuGameOpen", tr("&Open Game..."), QKeySequence(Qt::CTRL | Qt::Key_O),
                       &frmMain::mnuGameOpen_Click),
                  item("mnuGameSave", tr("&Save Game"), QKeySequence(Qt::CTRL | Qt::Key_S),
                       [this] { SaveGame(); }),
                  item("mnuGameSaveAs", tr("Save Game &As..."),
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { SaveGameAs(); })});
    mnuGame->insertSeparator(mnuExit);
    mnuGameClaimDraw =
        item("mnuGameClaimDraw", tr("&Claim Draw"), {}, &frmMain::mnuGameClaimDraw_Click);
    mnuGame->insertActions(mnuExit, {mnuGameClaimDraw,
                                     item("mnuGameAgreeDraw", tr("Agree to a &Draw"), {},
                                          &frmMain::mnuGameAgreeDraw_Click),
                                     item("mnuGameWhiteResigns", tr("&White Resigns"), {},
                                          [this] { mnuGameResign_Click(true); }),
                                     item("mnuGameBlackResigns", tr("&Black Resigns"), {},
                                          [this] { mnuGameResign_Click(false); })});
    mnuGame->insertSeparator(mnuExit);
    mnuGame->insertAction(
        mnuExit, item("mnuGameInfo", tr("Game &Information..."), {}, &frmMain::mnuGameInfo_Click));
    mnuGame->insertSeparator(mnuExit);
    connect(mnuGame, &QMenu::aboutToShow, this, &frmMain::UpdateGameActions);

    auto *mnuEdit = new QMenu(tr("&Edit"), this);
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    mnuEdit->addActions(
        {item("mnuEditCopyGame", tr("&Copy Game"), QKeySequence(Qt::CTRL | Qt::Key_C),
              &frmMain::mnuEditCopyGame_Click),
         item("mnuEditCopyPosition", tr("Copy &Position"),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &frmMain::mnuEditCopyPosition_Click),
         item("mnuEditPaste", tr("P&aste"), QKeySequence(Qt::CTRL | Qt::Key_V),
              &frmMain::mnuEditPaste_Click)});
    bar->insertMenu(mnuView->menuAction(), mnuEdit);

    mnuViewNotation =
        item("mnuViewNotation", tr("&Standard Notation"), {}, &frmMain::mnuViewNotation_Click);
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
    // "Tavlon - <what> - <turn>": the players when they are known, else the file; then whose
    // turn it is, or how the game ended.
    const auto Known = [this](const char *sTag) {
        const QString s = Board1->Tag(QString::fromLatin1(sTag));
        return s == QLatin1String("?") ? QString() : s;
    };
    const QString sWhite = Known("White"), sBlack = Known("Black");
    const QString sWhat = !sWhite.isEmpty() || !sBlack.isEmpty()
                              ? tr("%1 vs %2")
                                    .arg(sWhite.isEmpty() ? QStringLiteral("?") : sWhite,
                                         sBlack.isEmpty() ? QStringLiteral("?") : sBlack)
                          : sFile.isEmpty() ? QString()
                                            : QFileInfo(sFile).fileName();
    QString sTurn = sGameOver;
    if (sTurn.isEmpty() && Board1->Result() != QLatin1String("*"))
        sTurn = EndText(Board1->Result(), Board1->EndReason(), false);
    if (sTurn.isEmpty())
        sTurn = Board1->IsWhitesTurn() ? tr("White to move") : tr("Black to move");
    setWindowTitle(sWhat.isEmpty() ? tr("Tavlon - %1").arg(sTurn)
                                   : tr("Tavlon - %1 - %2").arg(sWhat, sTurn));
}

void frmMain::UpdateGameActions() {
    mnuGameClaimDraw->setEnabled(!bPromotionPending && Board1->CanClaimDraw());
}

// --- Files --------------------------------------------------------------------------------

bool frmMain::MaybeSave() {
    if (!bUnsaved || Board1->CoordinateMoves().isEmpty())
        return true;
    const QMessageBox::StandardButton eAnswer =
        Ask(tr("Tavlon"), tr("Save the current game?"),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (eAnswer == QMessageBox::Save)
        return SaveGame();
    return eAnswer == QMessageBox::Discard; // NoButton: the window went away, touch nothing
}

bool frmMain::OpenFile(const QString &sPath) {
    QFile oFile(sPath);
    QString sCause;
    QString sText;
    if (!oFile.open(QIODevice::ReadOnly)) {
        sCause = oFile.errorString();
    } else {
        sText = DecodeGame(oFile.readAll());
        if (oFile.error() != QFileDevice::NoError)
            sCause = oFile.errorString();
        else if (!Board1->LoadPgn(sText))
            sCause = Board1->LastError();
    }
    if (!sCause.isEmpty()) {
        const QString sMessage =
            tr("Cannot open %1:\n%2").arg(QDir::toNativeSeparators(sPath), sCause);
        if (isVisible()) {
            ShowMessage(sMessage);
        } else {
            // At start-up: the window first, then the message over it.
            QTimer::singleShot(0, this, [this, sMessage] { ShowMessage(sMessage); });
        }
        return false;
    }
    RecordReplaced(QFileInfo(sPath).absoluteFilePath());
    return true;
}

bool frmMain::SaveTo(const QString &sPath) {
    QString sName = sPath;
    if (QFileInfo(sName).suffix().isEmpty())
        sName += QStringLiteral(".pgn");
    QString sCause;
    if (!SaveFileAtomically(sName, Board1->Pgn().toUtf8(), &sCause)) {
        // The game stays unsaved, so closing still asks about it.
        ShowMessage(tr("Cannot save %1:\n%2").arg(QDir::toNativeSeparators(sName), sCause));
        return false;
    }
    sFile = QFileInfo(sName).absoluteFilePath();
    bUnsaved = false;
    UpdateCaption();
    ShowStatus(tr("Saved %1").arg(QFileInfo(sName).fileName()));
    return true;
}

bool frmMain::SaveGame() {
    if (bPromotionPending)
        return false; // the move is unfinished
    return sFile.isEmpty() ? SaveGameAs() : SaveTo(sFile);
}

bool frmMain::SaveGameAs() {
    if (bPromotionPending)
        return false;
    const QPointer<frmMain> oSelf(this);
    const QString sPath = oChooseFile(this, FileQuestion::Save, sFile);
    return oSelf && !sPath.isEmpty() && SaveTo(sPath);
}

void frmMain::mnuGameOpen_Click() {
    if (bPromotionPending)
        return;
    const QPointer<frmMain> oSelf(this);
    if (!MaybeSave())
        return;
    const QString sPath = oChooseFile(this, FileQuestion::Open, QFileInfo(sFile).path());
    if (oSelf && !sPath.isEmpty())
        OpenFile(sPath);
}

void frmMain::mnuGamePosition_Click() {
    if (bPromotionPending || !MaybeSave())
        return;
    QPointer<dlgPosition> dialog = new dlgPosition(Board1->Fen(), &PositionError, this);
    const int nAnswer = dialog->exec();
    if (dialog.isNull())
        return;
    const QString sFen = dialog->Fen();
    delete dialog.data();
    if (nAnswer == QDialog::Accepted && Board1->SetFen(sFen)) {
        NameRememberedPlayers();
        RecordReplaced({});
    }
}

// --- The record in the window -------------------------------------------------------------

void frmMain::RecordReplaced(const QString &sNewFile) {
    sFile = sNewFile;
    bUnsaved = false;
    nStartPly = PlyOfFen(Board1->Fen()) - static_cast<int>(Board1->CoordinateMoves().size());
    // A finished game says how it ended, from its position or its tags.
    sGameOver = Board1->Result() == QLatin1String("*")
                    ? QString()
                    : EndText(Board1->Result(), Board1->EndReason(), true);
    FillLists();
    UpdateCaption();
    UpdateGameActions();
    Board1_PositionChanged(); // whose turn, or how the loaded game ended
}

QString frmMain::ListEntry(int nPly, const QString &sMove) const {
    const int nAbsolute = nStartPly + nPly;
    const QString sNumber = QString::number(nAbsolute / 2 + 1) +
                            (nAbsolute % 2 == 0 ? QStringLiteral(". ") : QStringLiteral("... "));
    // Coordinates as the board reports a move: source and destination, without a promotion
    // letter.
    return sNumber + (mnuViewNotation->isChecked()
                          ? LocalSan(sMove)
                          : sMove.left(2) + QLatin1Char('-') + sMove.mid(2, 2));
}

void frmMain::FillLists() {
    const QStringList oMoves =
        mnuViewNotation->isChecked() ? Board1->SanMoves() : Board1->CoordinateMoves();
    QStringList oWhite;
    QStringList oBlack;
    oWhite.reserve(oMoves.size() / 2 + 1);
    oBlack.reserve(oMoves.size() / 2 + 1);
    for (int i = 0; i < oMoves.size(); ++i)
        ((nStartPly + i) % 2 == 0 ? oWhite : oBlack) << ListEntry(i, oMoves[i]);
    // Whole lists at once: one layout per list, not one per entry.
    for (auto [list, entries] : {std::pair{lstWhiteMoves, &oWhite}, {lstBlackMoves, &oBlack}}) {
        list->clear();
        list->addItems(*entries);
        list->scrollToBottom();
    }
}

void frmMain::mnuViewNotation_Click() {
    QSettings().setValue(sNotationKey, mnuViewNotation->isChecked());
    if (!bPromotionPending)
        FillLists();
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
    const bool bFen = !sText.isEmpty() && PositionError(sText).isEmpty();
    if (!bFen && !LooksLikePgn(sText)) {
        if (txtMovePiece->hasFocus())
            txtMovePiece->paste();
        else
            ShowStatus(tr("The clipboard holds neither a position nor a game"));
        return;
    }
    if (bPromotionPending || !MaybeSave())
        return;
    if (bFen ? Board1->SetFen(sText) : Board1->LoadPgn(sText)) {
        if (bFen)
            NameRememberedPlayers(); // a game brings its own
        RecordReplaced({});
    } else
        ShowMessage(tr("Cannot paste the game:\n%1").arg(Board1->LastError()));
}

// --- Draws, resignation and the end of the game -------------------------------------------

void frmMain::mnuGameClaimDraw_Click() {
    if (!bPromotionPending && Board1->ClaimDraw())
        bUnsaved = true;
}

void frmMain::mnuGameAgreeDraw_Click() {
    if (bPromotionPending || Board1->Result() != QLatin1String("*"))
        return;
    // Both players sit at this computer; the one who chose the item asks the other.
    if (Ask(tr("Tavlon"), tr("Do White and Black both agree to a draw?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes &&
        Board1->AgreeDraw())
        bUnsaved = true;
}

void frmMain::mnuGameResign_Click(bool bWhite) {
    if (bPromotionPending || Board1->Result() != QLatin1String("*"))
        return;
    if (Ask(tr("Tavlon"), bWhite ? tr("Does White resign?") : tr("Does Black resign?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes &&
        Board1->Resign(bWhite))
        bUnsaved = true;
}

void frmMain::mnuGameInfo_Click() {
    if (bPromotionPending)
        return;
    QStringList oValues;
    for (const QString &sTag : dlgGameInfo::TagNames())
        oValues << Board1->Tag(sTag);
    QPointer<dlgGameInfo> dialog = new dlgGameInfo(oValues, this);
    const int nAnswer = dialog->exec();
    if (dialog.isNull())
        return;
    const QStringList oNew = dialog->Values();
    delete dialog.data();
    if (nAnswer != QDialog::Accepted || bPromotionPending)
        return;
    for (qsizetype i = 0; i < oNew.size(); ++i) {
        if (oNew[i] != oValues[i]) {
            Board1->SetTag(dlgGameInfo::TagNames()[i], oNew[i]);
            bUnsaved = true;
        }
    }
    // The players are remembered for the next new game.
    QSettings().setValue(sWhiteKey, oNew.value(0));
    QSettings().setValue(sBlackKey, oNew.value(1));
    UpdateCaption();
}

void frmMain::NameRememberedPlayers() {
    const QString sNames[] = {QSettings().value(sWhiteKey).toString(),
                              QSettings().value(sBlackKey).toString()};
    if (!sNames[0].isEmpty())
        Board1->SetTag(QStringLiteral("White"), sNames[0]);
    if (!sNames[1].isEmpty())
        Board1->SetTag(QStringLiteral("Black"), sNames[1]);
}

QString frmMain::EndText(const QString &Result, const QString &Reason, bool bLoaded) const {
    const bool bWhiteWon = Result == QLatin1String("1-0");
    if (Reason == QLatin1String("checkmate"))
        return bWhiteWon ? tr("Black checkmated") : tr("White checkmated");
    if (Reason == QLatin1String("stalemate"))
        return tr("Stalemate");
    if (Reason == QLatin1String("insufficient material"))
        return tr("Draw by insufficient material");
    if (Reason == QLatin1String("fivefold repetition"))
        return tr("Draw by fivefold repetition");
    if (Reason == QLatin1String("threefold repetition"))
        return tr("Draw by threefold repetition");
    if (Reason == QLatin1String("seventy-five-move rule"))
        return tr("Draw by the seventy-five-move rule");
    if (Reason == QLatin1String("fifty-move rule"))
        return tr("Draw by the fifty-move rule");
    if (Reason == QLatin1String("time forfeit"))
        return bWhiteWon ? tr("White won on time") : tr("Black won on time");
    if (Reason == QLatin1String("time forfeit against insufficient material"))
        return tr("Draw: time ran out, but no mate was possible");
    if (!bLoaded && Reason == QLatin1String("resignation"))
        return bWhiteWon ? tr("Black resigns") : tr("White resigns");
    if (!bLoaded)
        return tr("Draw by agreement");
    // A game read from a file that ended by no rule the position shows: its Termination tag
    // (the standard's words, or a sentence as some servers write) says how, if anything does.
    const QString sTermination = Board1->Tag(QStringLiteral("Termination")).toLower();
    const bool bDraw = Result == QLatin1String("1/2-1/2");
    if (sTermination.contains(QLatin1String("time")))
        return bDraw       ? tr("Draw: time ran out")
               : bWhiteWon ? tr("White won on time")
                           : tr("Black won on time");
    if (sTermination.contains(QLatin1String("abandon")))
        return bDraw       ? tr("Draw: the game was abandoned")
               : bWhiteWon ? tr("White won: Black abandoned the game")
                           : tr("Black won: White abandoned the game");
    if (sTermination.contains(QLatin1String("adjudicat")))
        return bDraw       ? tr("Draw by adjudication")
               : bWhiteWon ? tr("White won by adjudication")
                           : tr("Black won by adjudication");
    if (sTermination.contains(QLatin1String("infraction")))
        return bDraw       ? tr("Draw after a rules infraction")
               : bWhiteWon ? tr("White won: Black broke a rule")
                           : tr("Black won: White broke a rule");
    if (sTermination.contains(QLatin1String("agree")) ||
        sTermination.contains(QLatin1String("repetition")))
        return bDraw ? tr("Draw by agreement") : bWhiteWon ? tr("White won") : tr("Black won");
    // A decisive game that ended "normally" without mate was resigned.
    return bDraw       ? tr("Drawn game")
           : bWhiteWon ? tr("White won by resignation")
                       : tr("Black won by resignation");
}

void frmMain::Board1_GameOver(const QString &Result, const QString &Reason) {
    const QString sText = EndText(Result, Reason, false);
    sGameOver = sText;
    ShowStatus(sText);
    UpdateCaption();
    UpdateGameActions();
    // Mate and stalemate have had their box with the move's own events.
    if (Reason != QLatin1String("checkmate") && Reason != QLatin1String("stalemate"))
        ShowOutcome(sText);
}
