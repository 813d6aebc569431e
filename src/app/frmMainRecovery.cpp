// The main window's unfinished game, kept on disk after every change and offered back after an
// abnormal end.
#include "ClockPanel.h"
#include "GameCollection.h"
#include "Pgn.h"
#include "Recovery.h"
#include "frmMain.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <stdexcept>
#include <tavlon/Board.h>

void frmMain::EnableRecovery(const QString &sFolder) {
    pRecovery = std::make_unique<Recovery>(sFolder);
    connect(Board1, &Board::PositionChanged, this, [this] { SaveRecovery(); });
    connect(Board1, &Board::GameOver, this, [this] { SaveRecovery(); });
    // Once the window shows, so the question stands over it.
    QTimer::singleShot(0, this, &frmMain::OfferRecovery);
}

void frmMain::SaveRecovery(bool bSaved) {
    if (!pRecovery || bClosing)
        return;
    const QString sPgn = Board1->Pgn();
    if (bSaved)
        pRecovery->SetSaved(sPgn);
    // A game without moves or notes has nothing to lose, and one as its file holds it loses
    // nothing.
    if (GameHoldsNothing() || pRecovery->IsSaved(sPgn))
        pRecovery->Remove();
    else
        pRecovery->Write(QString::fromUtf8(oClocks->RecoveryLine()) + sPgn, sFile);
}

void frmMain::EndRecovery() {
    if (pRecovery)
        pRecovery->Remove();
}

void frmMain::OfferRecovery() {
    const QPointer<frmMain> oSelf(this);
    QStringList oSetAside;
    // Files that cannot be restored are named once, together, and kept under another name.
    const auto TellSetAside = [&] {
        if (oSetAside.isEmpty() || !pRecovery)
            return true;
        const QString sText =
            tr("Some files in the folder of unfinished games cannot be restored. They were set "
               "aside there, renamed, in %1:\n%2")
                .arg(QDir::toNativeSeparators(pRecovery->Folder()), oSetAside.join(u'\n'));
        oSetAside.clear();
        return ShowMessage(sText);
    };
    while (pRecovery && !bClosing && !bPromotionPending) {
        const std::unique_ptr<Recovery::Orphan> pOrphan = pRecovery->TakeOrphan(oSetAside);
        if (!pOrphan) {
            TellSetAside();
            return;
        }
        const QString sName = QFileInfo(pOrphan->sPath).fileName();
        QString sText;
        clsRules oGame;
        if (!DecodeGame(pOrphan->oText, sText)) {
            if (Recovery::SetAside(pOrphan->sPath))
                oSetAside << tr("%1: not text (a NUL byte, or control characters)").arg(sName);
            continue;
        }
        try {
            const QByteArray oUtf8 = sText.toUtf8();
            Pgn::Read(oGame,
                      std::string_view(oUtf8.constData(), static_cast<std::size_t>(oUtf8.size())));
        } catch (const std::invalid_argument &e) {
            if (Recovery::SetAside(pOrphan->sPath))
                oSetAside
                    << tr("%1: no game to restore (%2)").arg(sName, QString::fromUtf8(e.what()));
            continue;
        }
        if (!TellSetAside() || oSelf.isNull())
            return;
        const int nMoves = (oGame.PlyCount() + 1) / 2;
        auto *box =
            new QMessageBox(QMessageBox::Question, tr("Restore Game"),
                            tr("Tavlon did not close normally. Restore the unfinished game?"),
                            QMessageBox::NoButton, this);
        box->setInformativeText(tr("%n move(s), the last at %1.", "", nMoves)
                                    .arg(QLocale().toString(pOrphan->oWhen, QLocale::ShortFormat)));
        QPushButton *restore = box->addButton(tr("Restore"), QMessageBox::AcceptRole);
        QPushButton *discard = box->addButton(tr("Discard"), QMessageBox::DestructiveRole);
        box->setDefaultButton(restore);
        if (!Exec(box))
            return; // the window went away meanwhile: the game stays for the next start
        QAbstractButton *pAnswer = box->clickedButton();
        if (pAnswer == discard) {
            Recovery::Discard(*pOrphan);
            continue;
        }
        if (pAnswer != restore || !MaybeSave() || oSelf.isNull())
            return; // kept for the next start
        if (!Board1->LoadPgn(sText)) {
            // Read above, so this is rare: said, and set aside rather than asked again.
            const QString sCause = Board1->LastError();
            Recovery::SetAside(pOrphan->sPath);
            ShowMessage(tr("Cannot restore the game: %1\nIt was set aside as %2.")
                            .arg(sCause, QDir::toNativeSeparators(pOrphan->sPath) +
                                             QStringLiteral(".set-aside")));
            return;
        }
        oClocks->Loading();
        // Back to its file only when Save cannot write over other games there; a source that
        // is no regular file is never opened.
        QString sSource = pOrphan->sSource;
        if (!sSource.isEmpty()) {
            QString sCause;
            const auto pFile = GameCollection::ReadFile(sSource, nullptr, sCause);
            if (!pFile || pFile->Count() > 1)
                sSource.clear();
        }
        RecordReplaced(sSource);
        oClocks->Recovered(pOrphan->oText); // paused, with no time given back for the crash
        bUnsaved = true;
        Recovery::Discard(*pOrphan);
        pRecovery->SetSaved({}); // in no file as it is
        SaveRecovery();
        return;
    }
}
