// The main window's game record: files, the clipboard, the move lists' notation and the end of
// the game.
#include "SafeWrite.h"
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

// Half-moves played before the position of a FEN: 2 per full move, one more with Black to move.
qint64 PlyOfFen(const QString &sFen) {
    const QStringList oFields = sFen.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const qint64 nFullMove = oFields.size() > 5 ? std::max(1LL, oFields[5].toLongLong()) : 1;
    const bool bBlack = oFields.size() > 1 && oFields[1] == QLatin1String("b");
    return 2 * (nFullMove - 1) + (bBlack ? 1 : 0);
}

// The most a game file may hold: reading stops there, whatever the file claims or does.
constexpr qint64 MaxFileSize = qint64{512} << 20;

// Files written by other programs are usually UTF-8, older ones Latin-1 as the PGN standard
// says, a few UTF-16 with a byte order mark. False for what is not text: NUL characters
// (binary, or UTF-16 without a mark) or more than one control character in a hundred.
bool DecodeGame(const QByteArray &oBytes, QString &sText) {
    if (oBytes.startsWith("\xFF\xFE") || oBytes.startsWith("\xFE\xFF")) {
        QStringDecoder oUtf16(QStringDecoder::Utf16);
        sText = oUtf16(oBytes);
        if (oUtf16.hasError())
            return false;
    } else {
        QStringDecoder oUtf8(QStringDecoder::Utf8);
        sText = oUtf8(oBytes);
        if (oUtf8.hasError())
            sText = QString::fromLatin1(oBytes);
    }
    qsizetype nControls = 0;
    for (const QChar c : std::as_const(sText)) {
        if (c.isNull())
            return false;
        // Old DOS files end with Ctrl+Z.
        nControls += c.unicode() < 0x20 && !QStringView(u"\t\n\r\f\v\x1A").contains(c) ? 1 : 0;
    }
    return nControls * 100 <= sText.size();
}

// The file's bytes, at most MaxFileSize + 1 of them, so that a file that grows while it is read
// is refused too. Regular files only: a pipe would block and a device never end.
QString ReadGameFile(const QString &sPath, QByteArray &oBytes) {
    const QFileInfo oInfo(sPath);
    if (oInfo.exists() && !oInfo.isFile())
        return frmMain::tr("This is not a regular file");
    QFile oFile(sPath);
    if (!oFile.open(QIODevice::ReadOnly))
        return oFile.errorString();
    for (QByteArray oChunk;
         oBytes.size() <= MaxFileSize && !(oChunk = oFile.read(1 << 20)).isEmpty();)
        oBytes += oChunk;
    if (oFile.error() != QFileDevice::NoError)
        return oFile.errorString();
    if (oBytes.size() > MaxFileSize)
        return frmMain::tr("The file is larger than %1 MB").arg(MaxFileSize >> 20);
    return {};
}

// A clipboard text that means a game: tags, or numbered moves. Plain words ("e4", "Nf3") are
// left to the typed-move box.
bool LooksLikePgn(const QString &sText) {
    static const QRegularExpression oGame(QStringLiteral(R"((^|\n)\s*\[\w+\s+"|(^|\s)\d+\.)"));
    return oGame.match(sText).hasMatch();
}

// Whether a PGN file holds more than one game, separated as the reader separates them: a tag
// section after movetext, or movetext after a result, starts another game. Comments, strings
// and escaped lines are skipped, so their brackets count for nothing. Until the window can save
// one game back into a collection, such a file is never replaced by a single game.
bool HoldsSeveralGames(const QString &sPath) {
    if (!QFileInfo(sPath).isFile())
        return false;
    QByteArray o;
    if (!ReadGameFile(sPath, o).isEmpty())
        return o.size() > MaxFileSize; // too large to tell: taken as several
    enum class Part { None, Tags, Moves, Ended } ePart = Part::None;
    int nGames = 0;
    const auto Skip = [&](qsizetype &i, char cEnd) {
        const qsizetype n = o.indexOf(cEnd, i + 1);
        i = n < 0 ? o.size() : n;
    };
    for (qsizetype i = 0; i < o.size() && nGames < 2; ++i) {
        const char c = o[i];
        if (c == '%' && (i == 0 || o[i - 1] == '\n')) {
            Skip(i, '\n');
        } else if (c == '{') {
            Skip(i, '}');
        } else if (c == ';') {
            Skip(i, '\n');
        } else if (c == '[') {
            nGames += ePart == Part::Tags ? 0 : 1;
            ePart = Part::Tags;
            while (++i < o.size() && o[i] != ']')
                if (o[i] == '"')
                    for (++i; i < o.size() && o[i] != '"'; ++i)
                        i += o[i] == '\\' ? 1 : 0;
        } else if (c > ' ' && !QByteArrayView("()]}\"").contains(c)) {
            qsizetype nEnd = i;
            while (nEnd < o.size() && o[nEnd] > ' ' &&
                   !QByteArrayView("{}()[];\"").contains(o[nEnd]))
                ++nEnd;
            const QByteArray oToken = o.mid(i, nEnd - i);
            i = nEnd - 1;
            if (oToken == "1-0" || oToken == "0-1" || oToken == "1/2-1/2" || oToken == "*") {
                ePart = Part::Ended;
            } else {
                nGames += ePart == Part::None || ePart == Part::Ended ? 1 : 0;
                ePart = Part::Moves;
            }
        }
    }
    return nGames > 1;
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
        mnuExit, {item("mnuGamePosition", tr("New Game from Position..."), {},
                       &frmMain::mnuGamePosition_Click),
                  item("mnuGameOpen", tr("Open Game..."), QKeySequence(Qt::CTRL | Qt::Key_O),
                       &frmMain::mnuGameOpen_Click),
                  item("mnuGameSave", tr("Save Game"), QKeySequence(Qt::CTRL | Qt::Key_S),
                       [this] { SaveGame(); }),
                  item("mnuGameSaveAs", tr("Save Game As..."),
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { SaveGameAs(); })});
    mnuGame->insertSeparator(mnuExit);
    mnuGameClaimDraw =
        item("mnuGameClaimDraw", tr("Claim Draw"), {}, &frmMain::mnuGameClaimDraw_Click);
    mnuGame->insertActions(
        mnuExit,
        {mnuGameClaimDraw,
         item("mnuGameAgreeDraw", tr("Agree to a Draw"), {}, &frmMain::mnuGameAgreeDraw_Click),
         item("mnuGameResign", tr("Resign"), {}, &frmMain::mnuGameResign_Click)});
    mnuGame->insertSeparator(mnuExit);
    connect(mnuGame, &QMenu::aboutToShow, this, &frmMain::UpdateGameActions);

    auto *mnuEdit = new QMenu(tr("&Edit"), this);
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    mnuEdit->addActions(
        {item("mnuEditCopyGame", tr("Copy Game"), QKeySequence(Qt::CTRL | Qt::Key_C),
              &frmMain::mnuEditCopyGame_Click),
         item("mnuEditCopyPosition", tr("Copy Position"),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &frmMain::mnuEditCopyPosition_Click),
         item("mnuEditPaste", tr("Paste"), QKeySequence(Qt::CTRL | Qt::Key_V),
              &frmMain::mnuEditPaste_Click)});
    bar->insertMenu(mnuView->menuAction(), mnuEdit);

    mnuViewNotation =
        item("mnuViewNotation", tr("Standard Notation"), {}, &frmMain::mnuViewNotation_Click);
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
    setWindowTitle(sFile.isEmpty() ? tr("Tavlon")
                                   : tr("Tavlon - %1").arg(QFileInfo(sFile).fileName()));
}

void frmMain::UpdateGameActions() {
    mnuGameClaimDraw->setEnabled(!bPromotionPending && Board1->CanClaimDraw());
}

// --- Files --------------------------------------------------------------------------------

bool frmMain::MaybeSave() {
    if (!bUnsaved || Board1->CoordinateMoves().isEmpty())
        return true;
    auto *box =
        new QMessageBox(QMessageBox::Question, tr("Tavlon"), tr("Save the current game?"),
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box->setDefaultButton(QMessageBox::Save);
    const std::optional<int> nAnswer = Exec(box); // none: the window is gone, so stop
    if (nAnswer == QMessageBox::Save)
        return SaveGame();
    return nAnswer == QMessageBox::Discard;
}

bool frmMain::OpenFile(const QString &sPath) {
    QByteArray oBytes;
    QString sText;
    QString sCause = ReadGameFile(sPath, oBytes);
    if (sCause.isEmpty() && !DecodeGame(oBytes, sText))
        sCause = tr("This is not a PGN text file");
    else if (sCause.isEmpty() && !Board1->LoadPgn(sText))
        sCause = Board1->LastError();
    else if (sCause.isEmpty())
        ClockLoading();
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
    if (HoldsSeveralGames(sName)) {
        ShowMessage(tr("Cannot save %1:\nThe file holds several games, and saving this one there "
                       "would lose the others. Save it under another name.")
                        .arg(QDir::toNativeSeparators(sName)));
        return false;
    }
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
    // A game opened from a file of several games goes elsewhere, so the others stay.
    return sFile.isEmpty() || HoldsSeveralGames(sFile) ? SaveGameAs() : SaveTo(sFile);
}

bool frmMain::SaveGameAs() {
    if (bPromotionPending)
        return false;
    QString sPath;
    return Outlives([&] { sPath = oChooseFile(this, FileQuestion::Save, sFile); }) &&
           !sPath.isEmpty() && SaveTo(sPath);
}

void frmMain::mnuGameOpen_Click() {
    if (bPromotionPending)
        return;
    QString sPath;
    if (MaybeSave() &&
        Outlives([&] { sPath = oChooseFile(this, FileQuestion::Open, QFileInfo(sFile).path()); }) &&
        !sPath.isEmpty())
        OpenFile(sPath);
}

void frmMain::mnuGamePosition_Click() {
    if (bPromotionPending || !MaybeSave())
        return;
    auto *dialog = new dlgPosition(Board1->Fen(), &PositionError, this);
    if (Exec(dialog) == QDialog::Accepted && Board1->SetFen(dialog->Fen()))
        RecordReplaced({});
}

// --- The record in the window -------------------------------------------------------------

void frmMain::RecordReplaced(const QString &sNewFile) {
    sFile = sNewFile;
    bUnsaved = false;
    nStartPly = PlyOfFen(Board1->Fen()) - Board1->CoordinateMoves().size();
    sGameOver.clear();
    ClocksReplaced();
    FillLists();
    UpdateCaption();
    UpdateGameActions();
    Board1_PositionChanged(); // whose turn, or how the loaded game ended
}

QString frmMain::ListEntry(int nPly, const QString &sMove) const {
    if (!mnuViewNotation->isChecked()) {
        // As the board reports a move: source and destination, without a promotion letter.
        return sMove.left(2) + QLatin1Char('-') + sMove.mid(2, 2);
    }
    const qint64 nAbsolute = nStartPly + nPly;
    return QString::number(nAbsolute / 2 + 1) +
           (nAbsolute % 2 == 0 ? QStringLiteral(". ") : QStringLiteral("... ")) + sMove;
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
    // Whole lists at once: one layout per list, not one per entry. Numbered SAN is wider than
    // "e2-e4": no scroll bars, and a smaller font while the lists are narrow, keep it whole.
    const bool bStandard = mnuViewNotation->isChecked();
    FitListFonts();
    for (auto [list, entries] : {std::pair{lstWhiteMoves, &oWhite}, {lstBlackMoves, &oBlack}}) {
        const auto ePolicy = bStandard ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
        list->setVerticalScrollBarPolicy(ePolicy);
        list->setHorizontalScrollBarPolicy(ePolicy);
        list->clear();
        list->addItems(*entries);
        list->scrollToBottom();
    }
    SelectShownEntry();
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
    if (bPromotionPending || !MaybeSave())
        return;
    if (bFen ? Board1->SetFen(sText) : Board1->LoadPgn(sText)) {
        if (!bFen)
            ClockLoading();
        RecordReplaced({});
    } else
        ShowMessage(tr("Cannot paste the game:\n%1").arg(Board1->LastError()));
}

// --- Draws, resignation and the end of the game -------------------------------------------

void frmMain::EndGame(const std::function<bool()> &oEnd) {
    // GameOver shows its box inside the board's call.
    bool bEnded = false;
    if (Outlives([&] { bEnded = oEnd(); }) && bEnded)
        bUnsaved = true;
}

void frmMain::mnuGameClaimDraw_Click() {
    if (!bPromotionPending && !ClocksRefuse())
        EndGame([this] { return Board1->ClaimDraw(); });
}

void frmMain::mnuGameAgreeDraw_Click() {
    if (!bPromotionPending)
        EndGame([this] { return Board1->AgreeDraw(); });
}

void frmMain::mnuGameResign_Click() {
    if (bPromotionPending || Board1->Result() != QLatin1String("*"))
        return;
    auto *box = new QMessageBox(QMessageBox::Question, tr("Tavlon"),
                                Board1->IsWhitesTurn() ? tr("Does White resign?")
                                                       : tr("Does Black resign?"),
                                QMessageBox::Yes | QMessageBox::No, this);
    box->setDefaultButton(QMessageBox::No);
    if (Exec(box) == QMessageBox::Yes)
        EndGame([this] { return Board1->Resign(); });
}

void frmMain::Board1_GameOver(const QString &Result, const QString &) {
    using E = Board::EndReason;
    const bool bWhiteWon = Result == QLatin1String("1-0");
    const E eReason = Board1->GameOverReason();
    QString sText;
    switch (eReason) {
    case E::Checkmate:
        sText = bWhiteWon ? tr("Black checkmated") : tr("White checkmated");
        break;
    case E::Stalemate:
        sText = tr("Stalemate");
        break;
    case E::Resignation:
        sText = bWhiteWon ? tr("Black resigns") : tr("White resigns");
        break;
    case E::InsufficientMaterial:
        sText = tr("Draw by insufficient material");
        break;
    case E::FivefoldRepetition:
        sText = tr("Draw by fivefold repetition");
        break;
    case E::ThreefoldRepetition:
        sText = tr("Draw by threefold repetition");
        break;
    case E::SeventyFiveMoveRule:
        sText = tr("Draw by the seventy-five-move rule");
        break;
    case E::FiftyMoveRule:
        sText = tr("Draw by the fifty-move rule");
        break;
    case E::TimeForfeit:
        sText = bWhiteWon ? tr("Black ran out of time: White wins")
                          : tr("White ran out of time: Black wins");
        break;
    case E::TimeForfeitDraw:
        sText = Board1->IsWhitesTurn()
                    ? tr("White ran out of time, but Black cannot checkmate: draw")
                    : tr("Black ran out of time, but White cannot checkmate: draw");
        break;
    case E::Agreement:
    case E::None:
        sText = tr("Draw by agreement");
        break;
    }
    sGameOver = sText;
    ShowStatus(sText);
    UpdateGameActions();
    // Mate and stalemate have had their box with the move's own events.
    if (eReason != E::Checkmate && eReason != E::Stalemate)
        ShowMessage(sText);
}
