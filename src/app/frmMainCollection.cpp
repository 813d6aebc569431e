// The main window's collections: choosing a game of a many-game file or pasted text, and moving
// through its games.
#include "GameCollection.h"
#include "PgnIndex.h"
#include "dlgGames.h"
#include "frmMain.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <tavlon/Board.h>

void frmMain::BuildCollectionMenus() {
    auto *mnuGame = menuBar()->findChild<QMenu *>(QStringLiteral("mnuGame"));
    QAction *mnuExit = mnuGame->findChild<QAction *>(QStringLiteral("mnuExit"));
    auto item = [this](const char *name, const QString &caption, const QKeySequence &shortcut,
                       int nStep) {
        auto *action = new QAction(caption, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(shortcut);
        action->setEnabled(false);
        connect(action, &QAction::triggered, this, [this, nStep] { StepInCollection(nStep); });
        return action;
    };
    mnuGameNextInFile = item("mnuGameNextInFile", tr("Next Game in File"),
                             QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1);
    mnuGamePreviousInFile = item("mnuGamePreviousInFile", tr("Previous Game in File"),
                                 QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1);
    // After Save Game As, with the other file items.
    QAction *pBefore = mnuExit;
    const QList<QAction *> oItems = mnuGame->actions();
    for (int i = 0; i + 1 < oItems.size(); ++i)
        if (oItems[i]->objectName() == QLatin1String("mnuGameSaveAs"))
            pBefore = oItems[i + 1];
    mnuGame->insertActions(pBefore, {mnuGamePreviousInFile, mnuGameNextInFile});
}

QString frmMain::CaptionFile() const {
    const QString sName = QFileInfo(sFile).fileName();
    if (!pGames || pGames->nGame < 0)
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
        QPointer<dlgGames> dialog =
            new dlgGames(pNew->pIndex, pNew->oBad, sName, pNew->nGame, this);
        const int nAnswer = dialog->exec();
        if (oSelf.isNull() || dialog.isNull())
            return false; // the window went away meanwhile: touch nothing
        const int n = dialog->Chosen();
        delete dialog.data();
        if (nAnswer != QDialog::Accepted || n < 0 || bClosing)
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
    if (!pHeld->GameBytes(n, oBytes, sCause) || !Board1->LoadPgn(DecodeGame(oBytes))) {
        if (sCause.isEmpty())
            sCause = Board1->LastError();
        pHeld->oBad.insert(n, sCause);
        const QString sWhere =
            pHeld->sPath.isEmpty()
                ? tr("game %1").arg(n + 1)
                : tr("game %1 of %2").arg(n + 1).arg(QDir::toNativeSeparators(pHeld->sPath));
        p = std::move(pHeld);
        ShowMessage(tr("Cannot open %1:\n%2").arg(sWhere, sCause));
        return false;
    }
    pHeld->nGame = n;
    RecordReplaced(pHeld->sPath);
    pGames = std::move(pHeld);
    UpdateCaption();
    UpdateGameActions();
    return true;
}

void frmMain::StepInCollection(int nStep) {
    if (!pGames || bPromotionPending)
        return;
    const QPointer<frmMain> oSelf(this);
    if (!MaybeSave() || oSelf.isNull() || !pGames)
        return;
    // Past the games already found unreadable; the next one tried says why it fails, once.
    int n = pGames->nGame + nStep;
    while (n >= 0 && n < pGames->Count() && pGames->oBad.contains(n))
        n += nStep;
    if (n >= 0 && n < pGames->Count())
        OpenCollectionGame(pGames, n);
}
