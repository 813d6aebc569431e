// The main window's share of the chess clocks (ClockPanel.h): their place beside the board, the
// window growing by their bands, and a loss on time in the middle of a move.
#include "Analysis.h"
#include "ClockPanel.h"
#include "GameDocument.h"
#include "NotationView.h"
#include "frmMain.h"

#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <tavlon/Board.h>

void frmMain::SetUpClocks() {
    ClockPanel::Host oHost;
    oHost.fnExec = [this](QDialog *dialog) { return Exec(dialog); };
    oHost.fnStatus = [this](const QString &sText) { ShowStatus(sText); };
    oHost.fnFlagFall = [this] {
        // GameOver (which stops the clocks) says who ran out of time. Inside a move, its
        // promotion wait or its messages, the board refuses.
        if (bPromotionPending || !Board1->FlagFall())
            return false;
        pDocument->MarkUnsaved();
        return true;
    };
    oHost.fnLayOut = [this](int nGrow) {
        if (nGrow != 0) {
            const int nBefore = height();
            SetOuterWidth(bWide ? WideWidth() : NarrowWidth);
            if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
                resize(width(), nBefore + nGrow);
        }
        LayOutClient();
    };
    oHost.fnLateMove = [this](int nPly) {
        // The move is taken back, and the side out of time loses.
        bLateMove = true;
        QTimer::singleShot(0, this, [this, nPly] { TakeBackLateMove(nPly); });
    };
    oHost.fnKeep = [this] { SaveRecovery(); };
    oHost.fnShown = [this] {
        if (oAnalysis != nullptr)
            oAnalysis->Refresh(); // fair play follows the clocks
    };
    auto *clocks = new ClockPanel(centralWidget(), Board1, oSounds, std::move(oHost), this);
    auto *mnuGame = menuBar()->findChild<QMenu *>(QStringLiteral("mnuGame"));
    clocks->AddToMenu(mnuGame, mnuGame->findChild<QAction *>(QStringLiteral("mnuExit")));
    oClocks = clocks; // laid out from here on
    oClocks->Fit();
}

void frmMain::SetRunTimeControl(const QString &sForm) {
    oClocks->SetRunTimeControl(sForm);
}

void frmMain::setClockSource(std::function<qint64()> source) {
    oClocks->SetSource(std::move(source));
}

int frmMain::ClockWakeUps() const {
    return oClocks->WakeUps();
}

qint64 frmMain::ClockRemaining(bool bWhite) const {
    return oClocks->Remaining(bWhite);
}

int frmMain::ClockBand() const {
    return oClocks != nullptr ? oClocks->Band() : 0;
}

void frmMain::PlaceClockWidgets() {
    if (oClocks == nullptr)
        return;
    const QRect r = Board1->geometry();
    oClocks->Place(r, !bView);
    if (oAnalysis != nullptr)
        oAnalysis->PlaceBar(r, !bView);
}

bool frmMain::FlagFellDuringPromotion() {
    // FIDE 4.6: a promotion is complete once the new piece stands on its square. A flag that
    // falls before the piece is chosen has fallen before the move, whatever the move would do.
    if (bClosing || !oClocks->FlagDown() || !Board1->CancelPromotion())
        return false;
    bPromotionPending = false;
    bPromotionCancelled = true;
    oClocks->Tick(); // the fall itself, once the board's wait has ended
    return true;
}

void frmMain::TakeBackLateMove(int nPly) {
    if (Board1->PlyCount() != nPly) {
        bLateMove = false;
        return; // taken back or replaced meanwhile
    }
    // Inside the move's own events (a box saying check or mate), the board refuses: once they
    // are over, the same rule holds with or without boxes.
    if (!Board1->UndoLastMove()) {
        QTimer::singleShot(50, this, [this, nPly] { TakeBackLateMove(nPly); });
        return;
    }
    bLateMove = false;
    oNotation->RemoveLast();
    sGameOver.clear(); // a mate the move gave is no more
    if (!Board1->FlagFall())
        oClocks->Tick();
}
