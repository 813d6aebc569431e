// The window's size: where the board, the lists and the typed-move row go as the window grows,
// full screen, the remembered geometry and the piece sets of View > Piece Set.
#include "Analysis.h"
#include "NotationView.h"
#include "frmMain.h"

#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <tavlon/Board.h>

namespace {

// Client-area geometry in logical pixels. At its smallest the board is 332 x 332 (its size
// hint); the typed-move row sits under the board so that it is reachable in both views. The move
// lists go beside the board unless that leaves it much smaller, else below the typed-move row:
// the smallest window with the lists is 410 pixels wide, too narrow to hold them beside.
constexpr int MinBoard = 332;
constexpr int ListGap = 4; // between the board and the lists, and right of the narrow view
constexpr int ListRight = 9;
constexpr int ListTop = 8;
constexpr int ListSpacing = 2;    // between White's list and Black's, as NotationView has it
constexpr int ListRowsBelow = 10; // entries the lists show at least when below the board
constexpr int RowGap = 4;
constexpr int RowHeight = 25;
constexpr int BelowBoard = RowGap + RowHeight + 4;
constexpr int MoveBoxWidth = 200;
constexpr int ButtonLeft = 210;
constexpr int ShowMovesWidth = 410; // the window's smallest width with the lists

const char *const GeometryKey = "window/geometry";
const char *const PieceSetKey = "view/pieceSet";

QString PieceSetsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/pieces");
}

} // namespace

void frmMain::SetOuterWidth(int nWidth) {
    // The smallest window of the view. Outer width includes the frame the window manager draws,
    // once it has drawn one; the board is never cut off, whatever frame the desktop uses.
    const int nFrame = frameGeometry().width() - geometry().width();
    const int nBar = oAnalysis != nullptr ? oAnalysis->BarWidth() : 0;
    centralWidget()->setMinimumSize(std::max(nWidth - nFrame, MinBoard) + nBar,
                                    MinBoard + BelowBoard + 2 * ClockBand() +
                                        (bWide ? ListsBelowHeight() : 0));
    layout()->activate(); // the window's own minimum follows now, before any resize
}

int frmMain::ListsBesideWidth() const {
    return ListGap + 2 * oNotation->ListWidth() + ListSpacing + ListRight;
}

int frmMain::ListsBelowHeight() const {
    return RowGap + oNotation->HeightForRows(ListRowsBelow) + RowGap;
}

void frmMain::LayOutClient() {
    // The evaluation bar, when shown, stands left of the board and takes its width from all.
    const int nBar = oAnalysis != nullptr ? oAnalysis->BarWidth() : 0;
    const QSize oArea = centralWidget()->size() - QSize(nBar, 0);
    // A clock, when there is one, takes a band above the board and one below it.
    const int nBand = ClockBand();
    const int nHigh = oArea.height() - BelowBoard - 2 * nBand;
    int nSide = std::min(oArea.width() - ListGap, nHigh);
    bBeside = false;
    if (bWide) {
        const int nBeside = std::min(oArea.width() - ListsBesideWidth(), nHigh);
        const int nBelow = std::min(oArea.width() - ListGap, nHigh - ListsBelowHeight());
        // Beside, the lists use the width a board below them would leave empty and show twice
        // the rows: worth a board up to a tenth smaller.
        bBeside = nBeside >= MinBoard && 10 * nBeside >= 9 * nBelow;
        nSide = bBeside ? nBeside : nBelow;
    }
    nSide = std::max(MinBoard, nSide);
    // Beside the lists the board stands at the left, and they take whatever width is left;
    // otherwise it stands in the middle of the width.
    const int nLeft = nBar + (bBeside ? 0 : std::max(0, (oArea.width() - ListGap - nSide) / 2));
    Board1->setGeometry(nLeft, nBand, nSide, nSide);
    const int nRowTop = nSide + 2 * nBand + RowGap;
    txtMovePiece->setGeometry(nLeft + 4, nRowTop, MoveBoxWidth, RowHeight);
    cmdMovePiece->setGeometry(nLeft + ButtonLeft, nRowTop, MinBoard - ButtonLeft - 4, RowHeight);

    // The lists or the pane, beside the board or below the typed-move row across the whole
    // width.
    const int nListLeft = nBar + (bBeside ? nSide + ListGap : ListGap);
    const int nListsRight = nBar + oArea.width() - (bBeside ? ListRight : ListGap);
    const int nTop = bBeside ? nBand + ListTop : nRowTop + RowHeight + RowGap;
    const int nBottom = bBeside ? nBand + nSide - ListTop : oArea.height() - RowGap;
    oNotation->Place(QRect(nListLeft, nTop, nListsRight - nListLeft, nBottom - nTop), bWide);
    PlaceClockWidgets();
}

int frmMain::WideWidth() const {
    // Below the board the lists need the longest entry twice over, which a large font can make
    // wider than the usual smallest window.
    return std::max(ShowMovesWidth, 2 * ListGap + 2 * oNotation->ListWidth() + ListSpacing);
}

void frmMain::BuildSizeMenus(QMenu *mnuView) {
    mnuView->addSeparator();
    mnuViewPieceSet = mnuView->addMenu(tr("Piec&e Set"));
    mnuViewPieceSet->setObjectName(QStringLiteral("mnuViewPieceSet"));
    connect(mnuViewPieceSet, &QMenu::aboutToShow, this, &frmMain::FillPieceSetMenu);
    mnuViewFullScreen = mnuView->addAction(tr("&Full Screen"));
    mnuViewFullScreen->setObjectName(QStringLiteral("mnuViewFullScreen"));
    mnuViewFullScreen->setCheckable(true);
    mnuViewFullScreen->setShortcut(QKeySequence(Qt::Key_F11));
    connect(mnuViewFullScreen, &QAction::toggled, this, &frmMain::mnuViewFullScreen_Toggled);

    // Our own set unless another was chosen. A remembered set that cannot be used falls back
    // to our own, said once the window shows; one that is there but spoilt (too large, too
    // slow) is forgotten, so that no later start tries it again, and one that is gone stays
    // remembered in case it comes back.
    const QString sSet = QSettings().value(QLatin1String(PieceSetKey)).toString();
    if (sSet.isEmpty())
        return;
    const QString sFolder = QDir(PieceSetsFolder()).filePath(sSet);
    if (Board1->SetPieceSet(sFolder)) {
        sPieceSet = sSet;
        return;
    }
    const QString sText = tr("The piece set %1 cannot be used: %2. Tavlon's own pieces are shown.")
                              .arg(sSet, Board1->LastError());
    // Spoilt: said in a box, once, and forgotten. Gone: said on the status line at each start,
    // and kept in case it comes back.
    const bool bSpoilt = QFileInfo(sFolder).isDir();
    if (bSpoilt)
        QSettings().remove(QLatin1String(PieceSetKey));
    QTimer::singleShot(0, this, [this, sText, bSpoilt] {
        if (bSpoilt)
            ShowMessage(sText);
        else
            ShowStatus(sText);
    });
}

void frmMain::FillPieceSetMenu() {
    mnuViewPieceSet->clear();
    auto *group = new QActionGroup(mnuViewPieceSet);
    QStringList oNames{QString()};
    oNames << QDir(PieceSetsFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &sName : oNames) {
        QAction *action = mnuViewPieceSet->addAction(
            sName.isEmpty() ? tr("Tavlon") : QString(sName).replace(u'&', QLatin1String("&&")));
        action->setCheckable(true);
        action->setChecked(sName == sPieceSet);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, sName] { UsePieceSet(sName); });
    }
}

void frmMain::UsePieceSet(const QString &sName) {
    const QString sFolder = sName.isEmpty() ? QString() : QDir(PieceSetsFolder()).filePath(sName);
    if (!Board1->SetPieceSet(sFolder)) {
        ShowStatus(tr("The piece set %1 cannot be used: %2").arg(sName, Board1->LastError()));
        return;
    }
    sPieceSet = sName;
    QSettings().setValue(QLatin1String(PieceSetKey), sName);
}

QString frmMain::PieceSetFolder() const {
    return sPieceSet.isEmpty() ? QString() : QDir(PieceSetsFolder()).filePath(sPieceSet);
}

QIcon frmMain::PieceIcon(qint16 nClass) const {
    const QString sName = QString(QChar(nClass >= 6 ? u'w' : u'b')) + QChar(u"KQRNBP"[nClass % 6]) +
                          QStringLiteral(".svg");
    return QIcon(sPieceSet.isEmpty() ? QStringLiteral(":/tavlon/pieces/") + sName
                                     : QDir(PieceSetsFolder()).filePath(sPieceSet + u'/' + sName));
}

void frmMain::mnuViewFullScreen_Toggled(bool bOn) {
    setWindowState(bOn ? windowState() | Qt::WindowFullScreen
                       : windowState() & ~Qt::WindowFullScreen);
}

void frmMain::keyPressEvent(QKeyEvent *event) {
    // Escape leaves full screen, once the board and the box have had it and left it unused.
    if (event->key() == Qt::Key_Escape && mnuViewFullScreen->isChecked()) {
        mnuViewFullScreen->setChecked(false);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void frmMain::RestoreGeometry() {
    // Qt brings a geometry that no longer fits the screens back onto one. Without one, the
    // window opens at its smallest, today's size.
    const QByteArray oGeometry = QSettings().value(QLatin1String(GeometryKey)).toByteArray();
    bAtSmallest = oGeometry.isEmpty() || !restoreGeometry(oGeometry);
    if (bAtSmallest)
        FitSmallest();
}

void frmMain::FitSmallest() {
    SetOuterWidth(bWide ? WideWidth() : NarrowWidth);
    resize(minimumSizeHint());
}

void frmMain::SaveGeometry() {
    QSettings().setValue(QLatin1String(GeometryKey), saveGeometry());
}
