// The main window's Chess960 games: Game > New Chess960 Game and the start's number, shown in
// the caption and in Game Information.
#include "GameCollection.h"
#include "GameDocument.h"
#include "dlgChess960.h"
#include "frmMain.h"

#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <tavlon/Board.h>

namespace {

const QString sRandomKey = QStringLiteral("chess960/random");
const QString sNumberKey = QStringLiteral("chess960/number");

} // namespace

void frmMain::BuildChess960Menu() {
    auto *mnuGame = menuBar()->findChild<QMenu *>(QStringLiteral("mnuGame"));
    QAction *mnuGameNew = mnuGame->findChild<QAction *>(QStringLiteral("mnuGameNew"));
    const int nAfter = static_cast<int>(mnuGame->actions().indexOf(mnuGameNew)) + 1;
    mnuGame->insertAction(mnuGame->actions().value(nAfter),
                          NewAction(nullptr, "mnuGameNew960", tr("New C&hess960 Game..."),
                                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N),
                                    &frmMain::mnuGameNew960_Click));
}

void frmMain::mnuGameNew960_Click() {
    if (bPromotionPending || !pDocument->MaybeSave())
        return;
    // The dialog offers what was chosen last: a random position, or the same number again.
    QSettings oSettings;
    auto *dialog = new dlgChess960(oSettings.value(sRandomKey, true).toBool(),
                                   oSettings.value(sNumberKey, 518).toInt(), this);
    if (Exec(dialog) != QDialog::Accepted || bPromotionPending)
        return;
    const int nNumber = dialog->Number();
    if (oSettings.value(sRandomKey, true).toBool() != dialog->IsRandom())
        oSettings.setValue(sRandomKey, dialog->IsRandom());
    if (!dialog->IsRandom() && oSettings.value(sNumberKey, 518).toInt() != nNumber)
        oSettings.setValue(sNumberKey, nNumber);
    if (Board1->NewGame960(nNumber)) {
        NameRememberedPlayers();
        RecordReplaced({});
    }
}

QString frmMain::VariantText() const {
    const int nNumber = Board1->Chess960Number();
    return nNumber >= 0      ? tr("Chess960 #%1").arg(nNumber)
           : Board1->Is960() ? tr("Chess960")
                             : QString();
}
