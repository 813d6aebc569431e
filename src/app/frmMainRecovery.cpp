// The main window's unfinished game, kept on disk after every change and offered back after an
// abnormal end.
#include "GameCollection.h"
#include "Pgn.h"
#include "Recovery.h"
#include "frmMain.h"

#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <stdexcept>
#include <tavlon/Board.h>

void frmMain::EnableRecovery(const QString &sFolder) {
    pRecovery = std::make_unique<Recovery>(sFolder);
    connect(Board1, &Board::PositionChanged, this, &frmMain::SaveRecovery);
    connect(Board1, &Board::GameOver, this, &frmMain::SaveRecovery);
    // Once the window shows, so the question stands over it.
    QTimer::singleShot(0, this, &frmMain::OfferRecovery);
}

void frmMain::SaveRecovery() {
    if (!pRecovery || bClosing)
        return;
    // A game without moves or notes has nothing to lose.
    if (GameHoldsNothing())
        pRecovery->Remove();
    else
        pRecovery->Write(Board1->Pgn(), sFile);
}

void frmMain::EndRecovery() {
    if (pRecovery)
        pRecovery->Remove();
}

void frmMain::OfferRecovery() {
    const QPointer<frmMain> oSelf(this);
    while (pRecovery && !bClosing && !bPromotionPending) {
        const std::unique_ptr<Recovery::Orphan> pOrphan = pRecovery->TakeOrphan();
        if (!pOrphan)
            return;
        clsRules oGame;
        try {
            Pgn::Read(oGame, std::string_view(pOrphan->oText.constData(),
                                              static_cast<std::size_t>(pOrphan->oText.size())));
        } catch (const std::invalid_argument &) {
            Recovery::Discard(*pOrphan); // nothing that could be restored
            continue;
        }
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
        QString sText;
        if (pAnswer != restore || !MaybeSave() || oSelf.isNull() ||
            !DecodeGame(pOrphan->oText, sText) || !Board1->LoadPgn(sText))
            return; // kept for the next start
        ClockLoading();
        // Back to its file only when Save cannot write over other games there.
        QString sSource = pOrphan->sSource;
        if (!sSource.isEmpty()) {
            QString sCause;
            const auto pFile = GameCollection::ReadFile(sSource, nullptr, sCause);
            if (!pFile || pFile->Count() > 1)
                sSource.clear();
        }
        RecordReplaced(sSource);
        bUnsaved = true;
        Recovery::Discard(*pOrphan);
        SaveRecovery();
        return;
    }
}
