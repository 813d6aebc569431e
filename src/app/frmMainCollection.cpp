// The main window's document and collections: the game's file and saving it (GameDocument), the
// games of a many-game file or pasted text (CollectionNavigator), and a dropped file.
#include "ClockPanel.h"
#include "CollectionNavigator.h"
#include "GameCollection.h"
#include "GameDocument.h"
#include "frmMain.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>
#include <tavlon/Board.h>

namespace {

// The local PGN file a drag carries, or nothing.
QString DroppedPgn(const QMimeData *pData) {
    const QList<QUrl> oUrls = pData->urls();
    if (oUrls.size() != 1 || !oUrls[0].isLocalFile())
        return {};
    const QString sPath = oUrls[0].toLocalFile();
    return sPath.endsWith(QLatin1String(".pgn"), Qt::CaseInsensitive) ? sPath : QString();
}

} // namespace

void frmMain::BuildDocument() {
    GameDocument::Host oHost;
    oHost.fnPgn = [this] { return Board1->Pgn(); };
    oHost.fnHoldsNothing = [this] { return GameHoldsNothing(); };
    oHost.fnBusy = [this] { return bPromotionPending; };
    oHost.fnChooseFile = [this](FileQuestion eQuestion, const QString &sSuggested) {
        QString sPath;
        if (!Outlives([&] { sPath = oChooseFile(this, eQuestion, sSuggested); }))
            return QString(); // the window went away: touch nothing
        return sPath;
    };
    oHost.fnAsk = [this](const QString &sText, QMessageBox::StandardButtons eButtons,
                         QMessageBox::StandardButton eDefault) {
        return Ask(tr("Tavlon"), sText, eButtons, eDefault);
    };
    oHost.fnExec = [this](QDialog *dialog) { return Exec(dialog); };
    oHost.fnMessage = [this](const QString &sText) { return ShowMessage(sText); };
    oHost.fnStatus = [this](const QString &sText) { ShowStatus(sText); };
    oHost.fnChanged = [this](bool bSaved) {
        UpdateCaption();
        UpdateGameActions();
        if (bSaved)
            SaveRecovery(true);
    };
    pDocument = std::make_unique<GameDocument>(this, std::move(oHost));

    CollectionNavigator::Host oNav;
    oNav.fnBusy = [this] { return bPromotionPending; };
    oNav.fnClosing = [this] { return bClosing; };
    oNav.fnMayReplace = [this] { return MayReplaceGame(); };
    oNav.fnLoad = [this](const QString &sPgn, QString &sCause) {
        if (!Board1->LoadPgn(sPgn)) {
            sCause = Board1->LastError();
            return false;
        }
        oClocks->Loading();
        return true;
    };
    oNav.fnReplaced = [this](const QString &sFile, std::unique_ptr<GameCollection> pFrom) {
        RecordReplaced(sFile, std::move(pFrom));
    };
    oNav.fnExec = [this](QDialog *dialog) { return Exec(dialog); };
    oNav.fnMessage = [this](const QString &sText) { return ShowMessage(sText); };
    oNav.fnStatus = [this](const QString &sText) { ShowStatus(sText); };
    oNav.fnPlaceChanged = [this] {
        UpdateCaption();
        UpdateGameActions();
    };
    pNavigator = std::make_unique<CollectionNavigator>(this, *pDocument, std::move(oNav));
}

bool frmMain::MayReplaceGame() {
    bool bMay = false;
    return Outlives([&] { bMay = pDocument->MaybeSave(); }) && bMay;
}

void frmMain::BuildCollectionMenus() {
    auto *mnuGame = menuBar()->findChild<QMenu *>(QStringLiteral("mnuGame"));
    QAction *mnuExit = mnuGame->findChild<QAction *>(QStringLiteral("mnuExit"));
    QAction *mnuGameAddToFile = NewAction(nullptr, "mnuGameAddToFile", tr("Add Game to &File..."),
                                          {}, [this] { pDocument->AddToFile(); });
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
    mnuGame->insertMenu(pAfterOpen, pNavigator->RecentMenu());
    mnuGame->insertActions(
        pAfterSaveAs, {mnuGameAddToFile, pNavigator->PreviousAction(), pNavigator->NextAction()});
    setAcceptDrops(true);
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
        if (!bPromotionPending && MayReplaceGame())
            OpenFile(sPath);
    });
}
