// The main window's share of recovery (GameRecovery.h): what it keeps, when, and the restored
// game becoming the window's record.
#include "ClockPanel.h"
#include "GameCollection.h"
#include "GameDocument.h"
#include "GameRecovery.h"
#include "frmMain.h"

#include <QTimer>
#include <tavlon/Board.h>

void frmMain::EnableRecovery(const QString &sFolder) {
    GameRecovery::Host oHost;
    oHost.fnPgn = [this] { return Board1->Pgn(); };
    oHost.fnSource = [this] { return pDocument->File(); };
    oHost.fnHoldsNothing = [this] { return GameHoldsNothing(); };
    oHost.fnClockLine = [this] { return oClocks->RecoveryLine(); };
    oHost.fnClosing = [this] { return bClosing; };
    oHost.fnBusy = [this] { return bPromotionPending; };
    oHost.fnExec = [this](QDialog *dialog) { return Exec(dialog); };
    oHost.fnMessage = [this](const QString &sText) { return ShowMessage(sText); };
    oHost.fnMayReplace = [this] { return MayReplaceGame(); };
    oHost.fnLoad = [this](const QString &sPgn, QString &sCause) {
        if (Board1->LoadPgn(sPgn))
            return true;
        sCause = Board1->LastError();
        return false;
    };
    oHost.fnRestored = [this](const QString &sSource, const QByteArray &oKept) {
        oClocks->Loading();
        RecordReplaced(sSource);
        oClocks->Recovered(oKept); // paused, with no time given back for the crash
        pDocument->MarkUnsaved();
    };
    pRecovery = std::make_unique<GameRecovery>(sFolder, this, std::move(oHost));
    connect(Board1, &Board::PositionChanged, this, [this] { SaveRecovery(); });
    connect(Board1, &Board::GameOver, this, [this] { SaveRecovery(); });
    // Once the window shows, so the question stands over it.
    QTimer::singleShot(0, this, [this] { pRecovery->Offer(); });
}

void frmMain::SaveRecovery(bool bSaved) {
    if (pRecovery)
        pRecovery->Keep(bSaved);
}
