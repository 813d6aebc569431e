#include "GameRecovery.h"

#include "GameCollection.h"
#include "Pgn.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <stdexcept>

// Its words keep the window's context, where they stood before recovery had a class.

GameRecovery::GameRecovery(const QString &sFolder, QWidget *pParent, Host oWindow)
    : oStore(sFolder), pWindow(pParent), oHost(std::move(oWindow)) {}

void GameRecovery::Keep(bool bSaved) {
    if (oHost.fnClosing())
        return;
    const QString sPgn = oHost.fnPgn();
    if (bSaved)
        oStore.SetSaved(sPgn);
    // A game without moves or notes has nothing to lose, and one as its file holds it loses
    // nothing.
    if (oHost.fnHoldsNothing() || oStore.IsSaved(sPgn))
        oStore.Remove();
    else
        oStore.Write(QString::fromUtf8(oHost.fnClockLine()) + sPgn, oHost.fnSource());
}

void GameRecovery::Offer() {
    QStringList oSetAside;
    // Files that cannot be restored are named once, together, and kept under another name.
    const auto TellSetAside = [&] {
        if (oSetAside.isEmpty())
            return true;
        const QString sText =
            QCoreApplication::translate(
                "frmMain",
                "Some files in the folder of unfinished games cannot be restored. They were set "
                "aside there, renamed, in %1:\n%2")
                .arg(QDir::toNativeSeparators(oStore.Folder()), oSetAside.join(u'\n'));
        oSetAside.clear();
        return oHost.fnMessage(sText);
    };
    // Every box may outlive the window, and this with it: on a false answer, touch nothing.
    while (!oHost.fnClosing() && !oHost.fnBusy()) {
        const std::unique_ptr<Recovery::Orphan> pOrphan = oStore.TakeOrphan(oSetAside);
        if (!pOrphan) {
            TellSetAside();
            return;
        }
        const QString sName = QFileInfo(pOrphan->sPath).fileName();
        QString sText;
        clsRules oGame;
        if (!DecodeGame(pOrphan->oText, sText)) {
            if (Recovery::SetAside(pOrphan->sPath))
                oSetAside << QCoreApplication::translate(
                                 "frmMain", "%1: not text (a NUL byte, or control characters)")
                                 .arg(sName);
            continue;
        }
        try {
            const QByteArray oUtf8 = sText.toUtf8();
            Pgn::Read(oGame,
                      std::string_view(oUtf8.constData(), static_cast<std::size_t>(oUtf8.size())));
        } catch (const std::invalid_argument &e) {
            if (Recovery::SetAside(pOrphan->sPath))
                oSetAside << QCoreApplication::translate("frmMain", "%1: no game to restore (%2)")
                                 .arg(sName, QString::fromUtf8(e.what()));
            continue;
        }
        if (!TellSetAside())
            return;
        const int nMoves = (oGame.PlyCount() + 1) / 2;
        auto *box = new QMessageBox(
            QMessageBox::Question, QCoreApplication::translate("frmMain", "Restore Game"),
            QCoreApplication::translate(
                "frmMain", "Tavlon did not close normally. Restore the unfinished game?"),
            QMessageBox::NoButton, pWindow);
        box->setInformativeText(
            QCoreApplication::translate("frmMain", "%n move(s), the last at %1.", "", nMoves)
                .arg(QLocale().toString(pOrphan->oWhen, QLocale::ShortFormat)));
        QPushButton *restore = box->addButton(QCoreApplication::translate("frmMain", "Restore"),
                                              QMessageBox::AcceptRole);
        QPushButton *discard = box->addButton(QCoreApplication::translate("frmMain", "Discard"),
                                              QMessageBox::DestructiveRole);
        box->setDefaultButton(restore);
        if (!oHost.fnExec(box))
            return; // the window went away meanwhile: the game stays for the next start
        QAbstractButton *pAnswer = box->clickedButton();
        if (pAnswer == discard) {
            Recovery::Discard(*pOrphan);
            continue;
        }
        if (pAnswer != restore || !oHost.fnMayReplace())
            return; // kept for the next start
        if (QString sCause; !oHost.fnLoad(sText, sCause)) {
            // Read above, so this is rare: said, and set aside rather than asked again.
            Recovery::SetAside(pOrphan->sPath);
            oHost.fnMessage(QCoreApplication::translate(
                                "frmMain", "Cannot restore the game: %1\nIt was set aside as %2.")
                                .arg(sCause, QDir::toNativeSeparators(pOrphan->sPath) +
                                                 QStringLiteral(".set-aside")));
            return;
        }
        // Back to its file only when Save cannot write over other games there; a source that
        // is no regular file is never opened.
        QString sSource = pOrphan->sSource;
        if (!sSource.isEmpty()) {
            QString sCause;
            const auto pFile = GameCollection::ReadFile(sSource, nullptr, sCause);
            if (!pFile || pFile->Count() > 1)
                sSource.clear();
        }
        oHost.fnRestored(sSource, pOrphan->oText); // paused, with no time given back for the crash
        Recovery::Discard(*pOrphan);
        oStore.SetSaved({}); // in no file as it is
        Keep();
        return;
    }
}
