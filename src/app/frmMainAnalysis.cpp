// The main window's share of the engine analysis (Analysis.h): its menu items, the evaluation
// bar's room beside the board, and fair play's view of the clocks.
#include "Analysis.h"
#include "ClockPanel.h"
#include "frmMain.h"

#include <QMenu>
#include <QMenuBar>

void frmMain::BuildAnalysis() {
    Analysis::Host oHost;
    oHost.fnClocksInPlay = [this] { return oClocks->InPlay(); };
    oHost.fnExec = [this](QDialog *dialog) { return Exec(dialog); };
    oHost.fnRelayout = [this] {
        SetOuterWidth(bWide ? WideWidth() : NarrowWidth);
        LayOutClient();
    };
    oHost.fnLocalSan = &frmMain::LocalSan;
    oHost.fnStatus = [this](const QString &sText) { ShowStatus(sText); };
    oAnalysis = new Analysis(this, Board1, std::move(oHost));
    auto *mnuGame = menuBar()->findChild<QMenu *>(QStringLiteral("mnuGame"));
    oAnalysis->AddToMenus(menuBar()->findChild<QMenu *>(QStringLiteral("mnuView")), mnuGame,
                          findChild<QAction *>(QStringLiteral("mnuGameInfo")));
}
