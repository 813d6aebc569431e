// The main window's collections: choosing a game of a many-game file or pasted text, and moving
// through its games.
#include "ClockPanel.h"
#include "GameCollection.h"
#include "PgnIndex.h"
#include "dlgGames.h"
#include "frmMain.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <tavlon/Board.h>

namespace {

const QString sRecentKey = QStringLiteral("files/recent");
constexpr int RecentCount = 8;

// The local PGN file a drag carries, or nothing.
QString DroppedPgn(const QMimeData *pData) {
    const QList<QUrl> oUrls = pData->urls();
    if (oUrls.size() != 1 || !oUrls[0].isLocalFile())
        return {};
    const QString sPath = oUrls[0].toLocalFile();
    return sPath.endsWith(QLatin1String(".pgn"), Qt::CaseInsensitive) ? sPath : QString();
}

} // namespace

void frmMain::BuildCollectionMenus() {
    auto *mnuGame = menuBar()->findChild<QMenu *>(QStringLiteral("mnuGame"));
    QAction *mnuExit = mnuGame->findChild<QAction *>(QStringLiteral("mnuExit"));
    mnuGameNextInFile =
        NewAction(nullptr, "mnuGameNextInFile", tr("Nex&t Game in File"),
                  QKeySequence(Qt::CTRL | Qt::Key_PageDown), [this] { StepInCollection(1); });
    mnuGamePreviousInFile =
        NewAction(nullptr, "mnuGamePreviousInFile", tr("Pre&vious Game in File"),
                  QKeySequence(Qt::CTRL | Qt::Key_PageUp), [this] { StepInCollection(-1); });
    mnuGameNextInFile->setEnabled(false);
    mnuGamePreviousInFile->setEnabled(false);
    QAction *mnuGameAddToFile = NewAction(nullptr, "mnuGameAddToFile", tr("Add Game to &File..."),
                                          {}, &frmMain::mnuGameAddToFile_Click);
    // Open Recent after Open Game, the file items after Save Game As, as other programs have them.
    const QList<QAction *> oItems = mnuGame->actions();
    const auto After = [&oItems, mnuExit](QLatin1String sName) {
        for (qsizetype i = 0; i + 1 < oItems.size(); ++i)
            if (oItems[i]->objectName() == sName)
                return oItems[i + 1];
        return mnuExit;
    };
    QAction *pAfterOpen = After(QLatin1String("mnuGameOpen"));
    QAction *pAfterSaveAs = After(QLatin1String("mnuGameSaveAs"));
    mnuGameRecent = new QMenu(tr("Open R&ecent"), this);
    mnuGameRecent->setObjectName(QStringLiteral("mnuGameRecent"));
    connect(mnuGameRecent, &QMenu::aboutToShow, this, &frmMain::FillRecentMenu);
    FillRecentMenu();
    mnuGame->insertMenu(pAfterOpen, mnuGameRecent);
    mnuGame->insertActions(pAfterSaveAs,
                           {mnuGameAddToFile, mnuGamePreviousInFile, mnuGameNextInFile});
    setAcceptDrops(true);
}

void frmMain::RememberFile(const QString &sPath) {
    QSettings oSettings;
    QStringList oFiles = oSettings.value(sRecentKey).toStringList();
    // Every game opened from a file comes here; a settings write each time would sync the disk.
    if (oFiles.value(0) == sPath)
        return;
    oFiles.removeAll(sPath);
    oFiles.prepend(sPath);
    while (oFiles.size() > RecentCount)
        oFiles.removeLast();
    oSettings.setValue(sRecentKey, oFiles);
}

void frmMain::FillRecentMenu() {
    mnuGameRecent->clear();
    const QStringList oFiles = QSettings().value(sRecentKey).toStringList();
    for (int i = 0; i < oFiles.size(); ++i) {
        const QString sPath = oFiles[i];
        QAction *action = mnuGameRecent->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(sPath).fileName()));
        action->setStatusTip(QDir::toNativeSeparators(sPath));
        connect(action, &QAction::triggered, this, [this, sPath] {
            const QPointer<frmMain> oSelf(this);
            if (!bPromotionPending && MaybeSave() && oSelf)
                OpenFile(sPath);
        });
    }
    mnuGameRecent->addSeparator();
    QAction *mnuClear = mnuGameRecent->addAction(tr("&Clear"));
    mnuClear->setObjectName(QStringLiteral("mnuGameRecentClear"));
    mnuClear->setEnabled(!oFiles.isEmpty());
    connect(mnuClear, &QAction::triggered, this, [] { QSettings().remove(sRecentKey); });
}

bool frmMain::SaveBack() {
    const QString sName = QFileInfo(pGames->sPath).fileName();
    QString sCause;
    const GameCollection::Saved eSaved = pGames->ReplaceGame(Board1->Pgn().toUtf8(), sCause);
    using S = GameCollection::Saved;
    if (eSaved == S::InPlace || eSaved == S::Found) {
        bUnsaved = false;
        RememberFile(pGames->sPath);
        UpdateCaption();
        UpdateGameActions();
        SaveRecovery(true);
        ShowStatus(eSaved == S::InPlace
                       ? tr("Saved game %1 in %2").arg(pGames->nGame + 1).arg(sName)
                       : tr("Saved game %1 in %2, which had changed on disk: the game was found "
                            "there again")
                             .arg(pGames->nGame + 1)
                             .arg(sName));
        return true;
    }
    // A save never writes over a game it was not opened from: the player chooses another file.
    auto *box = new QMessageBox(
        QMessageBox::Warning, tr("Tavlon"),
        eSaved == S::Changed
            ? tr("%1 has changed on disk since it was opened. Save the game in another file?")
                  .arg(sName)
            : tr("Cannot save the game in %1:\n%2\n\nSave it in another file?").arg(sName, sCause),
        QMessageBox::Save | QMessageBox::Cancel, this);
    box->button(QMessageBox::Save)->setText(tr("Save As..."));
    if (Exec(box) != QMessageBox::Save)
        return false; // kept, or the window went away meanwhile
    pGames.reset();   // what is on disk is no longer what was listed
    UpdateCaption();
    UpdateGameActions();
    return SaveGameAs();
}

void frmMain::mnuGameAddToFile_Click() {
    if (bPromotionPending)
        return;
    QString sPath;
    if (!Outlives([&] { sPath = oChooseFile(this, FileQuestion::Add, QFileInfo(sFile).path()); }) ||
        sPath.isEmpty())
        return;
    if (QFileInfo(sPath).suffix().isEmpty())
        sPath += QStringLiteral(".pgn");
    QString sCause;
    std::unique_ptr<GameCollection> pAdded =
        GameCollection::AppendGame(sPath, Board1->Pgn().toUtf8(), sCause);
    if (!pAdded) {
        ShowMessage(
            tr("Cannot add the game to %1:\n%2").arg(QDir::toNativeSeparators(sPath), sCause));
        return;
    }
    // The game now lives where it was added: the caption names that place, and Save writes
    // there, never over the game it was first opened from.
    const int nPlace = pAdded->nGame + 1;
    sFile = pAdded->sPath;
    pGames = std::move(pAdded);
    bUnsaved = false;
    RememberFile(sFile);
    UpdateCaption();
    UpdateGameActions();
    SaveRecovery(true);
    ShowStatus(tr("Added the game to %1 as game %2").arg(QFileInfo(sFile).fileName()).arg(nPlace));
}

void frmMain::dragEnterEvent(QDragEnterEvent *event) {
    if (!DroppedPgn(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent *event) {
    const QString sPath = DroppedPgn(event->mimeData());
    if (sPath.isEmpty())
        return;
    event->acceptProposedAction();
    // Queued: the drag's source waits for the drop to return before any question is asked.
    QTimer::singleShot(0, this, [this, sPath] {
        const QPointer<frmMain> oSelf(this);
        if (!bPromotionPending && MaybeSave() && oSelf)
            OpenFile(sPath);
    });
}

QString frmMain::CaptionFile() const {
    const QString sName = QFileInfo(sFile).fileName();
    if (!pGames || pGames->nGame < 0 || pGames->Count() < 2)
        return sName;
    const QString sPlace = tr("%1 of %2").arg(pGames->nGame + 1).arg(pGames->Count());
    return sName.isEmpty() ? sPlace : tr("%1 (%2)").arg(sName, sPlace);
}

bool frmMain::ChooseGame(std::unique_ptr<GameCollection> pNew) {
    if (!isVisible()) {
        // At start-up: the window first, then the list over it.
        QTimer::singleShot(0, this, [this, p = std::shared_ptr<GameCollection>(pNew.release())] {
            auto pHeld = std::make_unique<GameCollection>(std::move(*p));
            ChooseGame(std::move(pHeld));
        });
        return true;
    }
    const QPointer<frmMain> oSelf(this);
    for (;;) {
        const QString sName = pNew->sPath.isEmpty() ? QString() : QFileInfo(pNew->sPath).fileName();
        auto *dialog = new dlgGames(pNew->pIndex, pNew->oBad, sName, pNew->nGame, this);
        const std::optional<int> nAnswer = Exec(dialog);
        if (!nAnswer)
            return false; // the window went away meanwhile: touch nothing
        const int n = dialog->Chosen();
        if (*nAnswer != QDialog::Accepted || n < 0 || bClosing)
            return false;
        if (OpenCollectionGame(pNew, n))
            return true;
        if (oSelf.isNull())
            return false;
    }
}

bool frmMain::OpenCollectionGame(std::unique_ptr<GameCollection> &p, int n) {
    if (bPromotionPending)
        return false;
    std::unique_ptr<GameCollection> pHeld = std::move(p);
    QByteArray oBytes;
    QString sCause;
    QString sText;
    bool bText = true;
    if (!pHeld->GameBytes(n, oBytes, sCause) || !(bText = DecodeGame(oBytes, sText)) ||
        !Board1->LoadPgn(sText)) {
        if (sCause.isEmpty())
            sCause = bText ? Board1->LastError() : tr("This is not a PGN text file");
        pHeld->oBad.insert(n, sCause);
        const QString sWhere =
            pHeld->sPath.isEmpty()
                ? tr("game %1").arg(n + 1)
                : tr("game %1 of %2").arg(n + 1).arg(QDir::toNativeSeparators(pHeld->sPath));
        p = std::move(pHeld);
        ShowMessage(tr("Cannot open %1:\n%2").arg(sWhere, sCause));
        return false;
    }
    pHeld->Opened(n, oBytes);
    oClocks->Loading();
    const QString sPath = pHeld->sPath;
    RecordReplaced(sPath, std::move(pHeld));
    return true;
}

void frmMain::StepInCollection(int nStep) {
    if (!pGames || bPromotionPending)
        return;
    const QPointer<frmMain> oSelf(this);
    if (!MaybeSave() || oSelf.isNull() || !pGames)
        return;
    // Another program may have changed the file: its games are read again, and the next one is
    // counted from where the game on the board is now.
    const bool bChanged = !pGames->sPath.isEmpty() && pGames->ChangedOnDisk();
    const QString sName = QFileInfo(pGames->sPath).fileName();
    if (bChanged) {
        QString sCause;
        if (!pGames->Refresh(sCause)) {
            ShowMessage(
                tr("Cannot read %1:\n%2").arg(QDir::toNativeSeparators(pGames->sPath), sCause));
            return;
        }
        UpdateCaption();
        UpdateGameActions();
        if (pGames->nGame < 0) {
            if (ShowMessage(tr("%1 has changed on disk, and the game on the board is no longer in "
                               "it. Choose a game of the file as it is now.")
                                .arg(sName)) &&
                pGames)
                ChooseGame(std::make_unique<GameCollection>(*pGames));
            return;
        }
    }
    // Past the games already found unreadable; the next one tried says why it fails, once.
    int n = pGames->nGame + nStep;
    while (n >= 0 && n < pGames->Count() && pGames->oBad.contains(n))
        n += nStep;
    if (n >= 0 && n < pGames->Count() && OpenCollectionGame(pGames, n) && bChanged)
        ShowStatus(tr("%1 had changed on disk, and its games were read again: this is game %2 "
                      "of %3")
                       .arg(sName)
                       .arg(n + 1)
                       .arg(pGames->Count()));
}
