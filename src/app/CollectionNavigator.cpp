#include "CollectionNavigator.h"

#include "GameCollection.h"
#include "GameDocument.h"
#include "PgnIndex.h"
#include "dlgGames.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>
#include <QTimer>

namespace {

// The most a game file may hold: reading stops there, whatever the file claims or does.
constexpr qint64 MaxFileSize = qint64{512} << 20;

// The file's bytes, at most MaxFileSize + 1 of them, so that a file that grows while it is read
// is refused too. Regular files only: a pipe would block and a device never end.
QString ReadGameFile(const QString &sPath, QByteArray &oBytes) {
    const QFileInfo oInfo(sPath);
    if (oInfo.exists() && !oInfo.isFile())
        return QCoreApplication::translate("frmMain", "This is not a regular file");
    QFile oFile(sPath);
    if (!oFile.open(QIODevice::ReadOnly))
        return oFile.errorString();
    for (QByteArray oChunk;
         oBytes.size() <= MaxFileSize && !(oChunk = oFile.read(1 << 20)).isEmpty();)
        oBytes += oChunk;
    if (oFile.error() != QFileDevice::NoError)
        return oFile.errorString();
    if (oBytes.size() > MaxFileSize)
        return QCoreApplication::translate("frmMain", "The file is larger than %1 MB")
            .arg(MaxFileSize >> 20);
    return {};
}

} // namespace

CollectionNavigator::CollectionNavigator(QWidget *pParent, GameDocument &oDoc, Host oLent)
    : pWindow(pParent), oDocument(oDoc), oHost(std::move(oLent)) {
    mnuNext = new QAction(tr("Nex&t Game in File"), pWindow);
    mnuNext->setObjectName(QStringLiteral("mnuGameNextInFile"));
    mnuNext->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    QObject::connect(mnuNext, &QAction::triggered, pWindow, [this] { Step(1); });
    mnuPrevious = new QAction(tr("Pre&vious Game in File"), pWindow);
    mnuPrevious->setObjectName(QStringLiteral("mnuGamePreviousInFile"));
    mnuPrevious->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    QObject::connect(mnuPrevious, &QAction::triggered, pWindow, [this] { Step(-1); });
    mnuRecent = new QMenu(tr("Open R&ecent"), pWindow);
    mnuRecent->setObjectName(QStringLiteral("mnuGameRecent"));
    QObject::connect(mnuRecent, &QMenu::aboutToShow, pWindow, [this] { FillRecentMenu(); });
    FillRecentMenu();
    UpdateActions();
}

void CollectionNavigator::UpdateActions() {
    const GameCollection *p = oDocument.Collection();
    mnuNext->setEnabled(p && p->nGame + 1 < p->Count());
    mnuPrevious->setEnabled(p && p->nGame > 0);
}

void CollectionNavigator::FillRecentMenu() {
    mnuRecent->clear();
    const QStringList oFiles = GameDocument::RecentFiles();
    for (int i = 0; i < oFiles.size(); ++i) {
        const QString sPath = oFiles[i];
        QAction *action = mnuRecent->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(sPath).fileName()));
        action->setStatusTip(QDir::toNativeSeparators(sPath));
        QObject::connect(action, &QAction::triggered, pWindow, [this, sPath] {
            if (!oHost.fnBusy() && oHost.fnMayReplace())
                OpenFile(sPath);
        });
    }
    mnuRecent->addSeparator();
    QAction *mnuClear = mnuRecent->addAction(tr("&Clear"));
    mnuClear->setObjectName(QStringLiteral("mnuGameRecentClear"));
    mnuClear->setEnabled(!oFiles.isEmpty());
    QObject::connect(mnuClear, &QAction::triggered, pWindow,
                     [] { GameDocument::ForgetRecentFiles(); });
}

bool CollectionNavigator::OpenFile(const QString &sPath) {
    // The collection already open, unchanged, keeps its marks and the game on the board.
    if (const GameCollection *p = oDocument.Collection();
        p && p->Count() > 1 && p->sPath == QFileInfo(sPath).absoluteFilePath() &&
        !p->ChangedOnDisk())
        return Choose(std::make_unique<GameCollection>(*p));
    // A file of several games is indexed through a small buffer, whatever its size; anything
    // else (one game, a pipe, a device, text the index refuses) is read as it always was.
    QString sRefused; // why the file is not listed as a collection
    if (QFileInfo(sPath).isFile()) {
        const QPointer<QWidget> oWindow(pWindow);
        std::unique_ptr<GameCollection> pRead = GameCollection::ReadFile(sPath, pWindow, sRefused);
        if (!oWindow || (!pRead && sRefused.isEmpty()))
            return false; // gone, or cancelled
        if (pRead && pRead->Count() > 1)
            return Choose(std::move(pRead));
    }
    QByteArray oBytes;
    QString sText;
    QString sCause = ReadGameFile(sPath, oBytes);
    if (sCause.isEmpty() && !DecodeGame(oBytes, sText))
        sCause = tr("This is not a PGN text file");
    else if (sCause.isEmpty())
        oHost.fnLoad(sText, sCause);
    if (!sCause.isEmpty()) {
        const QString sMessage =
            tr("Cannot open %1:\n%2").arg(QDir::toNativeSeparators(sPath), sCause);
        if (pWindow->isVisible()) {
            oHost.fnMessage(sMessage);
        } else {
            // At start-up: the window first, then the message over it.
            QTimer::singleShot(0, pWindow, [this, sMessage] { oHost.fnMessage(sMessage); });
        }
        return false;
    }
    oHost.fnReplaced(QFileInfo(sPath).absoluteFilePath(), {});
    if (!sRefused.isEmpty())
        oHost.fnStatus(tr("Only the first game of %1 is shown, as it cannot be listed: %2")
                           .arg(QFileInfo(sPath).fileName(), sRefused));
    return true;
}

bool CollectionNavigator::Choose(std::unique_ptr<GameCollection> pNew) {
    if (!pWindow->isVisible()) {
        // At start-up: the window first, then the list over it.
        QTimer::singleShot(0, pWindow, [this, p = std::shared_ptr<GameCollection>(pNew.release())] {
            Choose(std::make_unique<GameCollection>(std::move(*p)));
        });
        return true;
    }
    const QPointer<QWidget> oWindow(pWindow);
    for (;;) {
        const QString sName = pNew->sPath.isEmpty() ? QString() : QFileInfo(pNew->sPath).fileName();
        auto *dialog = new dlgGames(pNew->pIndex, pNew->oBad, sName, pNew->nGame, pWindow);
        const std::optional<int> nAnswer = oHost.fnExec(dialog);
        if (!nAnswer)
            return false; // the window went away meanwhile: touch nothing
        const int n = dialog->Chosen();
        if (*nAnswer != QDialog::Accepted || n < 0 || oHost.fnClosing())
            return false;
        if (OpenGame(*pNew, n))
            return true;
        if (oWindow.isNull())
            return false;
    }
}

bool CollectionNavigator::OpenGame(GameCollection &c, int n) {
    if (oHost.fnBusy())
        return false;
    QByteArray oBytes;
    QString sCause;
    QString sText;
    bool bText = true;
    if (!c.GameBytes(n, oBytes, sCause) || !(bText = DecodeGame(oBytes, sText)) ||
        !oHost.fnLoad(sText, sCause)) {
        if (sCause.isEmpty())
            sCause = tr("This is not a PGN text file");
        c.oBad.insert(n, sCause);
        const QString sWhere =
            c.sPath.isEmpty()
                ? tr("game %1").arg(n + 1)
                : tr("game %1 of %2").arg(n + 1).arg(QDir::toNativeSeparators(c.sPath));
        oHost.fnMessage(tr("Cannot open %1:\n%2").arg(sWhere, sCause));
        return false;
    }
    c.Opened(n, oBytes);
    const QString sPath = c.sPath;
    oHost.fnReplaced(sPath, std::make_unique<GameCollection>(std::move(c)));
    return true;
}

void CollectionNavigator::Step(int nStep) {
    if (!oDocument.Collection() || oHost.fnBusy())
        return;
    const QPointer<QWidget> oWindow(pWindow);
    if (!oHost.fnMayReplace() || oWindow.isNull() || !oDocument.Collection())
        return;
    // Another program may have changed the file: its games are read again, and the next one is
    // counted from where the game on the board is now.
    GameCollection &c = *oDocument.Collection();
    const bool bChanged = !c.sPath.isEmpty() && c.ChangedOnDisk();
    const QString sName = QFileInfo(c.sPath).fileName();
    if (bChanged) {
        QString sCause;
        if (!c.Refresh(sCause)) {
            oHost.fnMessage(
                tr("Cannot read %1:\n%2").arg(QDir::toNativeSeparators(c.sPath), sCause));
            return;
        }
        oHost.fnPlaceChanged();
        if (c.nGame < 0) {
            if (oHost.fnMessage(tr("%1 has changed on disk, and the game on the board is no "
                                   "longer in it. Choose a game of the file as it is now.")
                                    .arg(sName)))
                Choose(std::make_unique<GameCollection>(c));
            return;
        }
    }
    // Past the games already found unreadable; the next one tried says why it fails, once.
    int n = c.nGame + nStep;
    while (n >= 0 && n < c.Count() && c.oBad.contains(n))
        n += nStep;
    const int nCount = c.Count();
    // Opened, c is the document's no more: only what was kept of it is used after.
    if (n >= 0 && n < nCount && OpenGame(c, n) && bChanged)
        oHost.fnStatus(tr("%1 had changed on disk, and its games were read again: this is game "
                          "%2 of %3")
                           .arg(sName)
                           .arg(n + 1)
                           .arg(nCount));
}
