// The window's size: where the board, the lists and the typed-move row go as the window grows,
// full screen, the remembered geometry and the piece sets of View > Piece Set.
#include "frmMain.h"

#include <QActionGroup>
#include <QDir>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <tavlon/Board.h>

namespace {

// Client-area geometry in logical pixels. At its smallest the board is 332 x 332 (its size
// hint); the move lists sit to its right and only show in the wide view; the typed-move row sits
// under the board so that it is reachable in both views.
constexpr int MinBoard = 332;
constexpr int ListGap = 4; // between the board and the lists, and right of the narrow view
constexpr int ListMinWidth = 65;
constexpr int ListRight = 9;
constexpr int ListTop = 8;
constexpr int ListSpacing = 2;
constexpr int RowGap = 4;
constexpr int RowHeight = 25;
constexpr int BelowBoard = RowGap + RowHeight + 4;
constexpr int MoveBoxWidth = 200;
constexpr int ButtonLeft = 210;

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
    centralWidget()->setMinimumSize(std::max(nWidth - nFrame, MinBoard),
                                    MinBoard + BelowBoard + 2 * ClockBand());
    layout()->activate(); // the window's own minimum follows now, before any resize
}

void frmMain::LayOutClient() {
    const QSize oArea = centralWidget()->size();
    const int nReserved = bWide ? ListGap + ListMinWidth + ListRight : ListGap;
    // A clock, when there is one, takes a band above the board and one below it.
    const int nBand = ClockBand();
    const int nSide = std::max(
        MinBoard, std::min(oArea.width() - nReserved, oArea.height() - BelowBoard - 2 * nBand));
    // Without the lists the board stands in the middle of the width; with them it stands at the
    // left, and they take whatever width is left.
    const int nLeft = bWide ? 0 : std::max(0, (oArea.width() - ListGap - nSide) / 2);
    Board1->setGeometry(nLeft, nBand, nSide, nSide);
    const int nListLeft = nSide + ListGap;
    const int nListWidth = std::max(ListMinWidth, oArea.width() - nListLeft - ListRight);
    const int nListHeight = (nSide - 2 * ListTop) / 2;
    lstBlackMoves->setGeometry(nListLeft, nBand + ListTop, nListWidth, nListHeight);
    lstWhiteMoves->setGeometry(nListLeft, nBand + ListTop + nListHeight + ListSpacing, nListWidth,
                               nListHeight);
    lstBlackMoves->setVisible(bWide);
    lstWhiteMoves->setVisible(bWide);
    const int nRowTop = nSide + 2 * nBand + RowGap;
    txtMovePiece->setGeometry(nLeft + 4, nRowTop, MoveBoxWidth, RowHeight);
    cmdMovePiece->setGeometry(nLeft + ButtonLeft, nRowTop, MinBoard - ButtonLeft - 4, RowHeight);
    FitListFonts();
    PlaceClockWidgets();
}

void frmMain::FitListFonts() {
    // Numbered standard notation is wider than "e2-e4": while "100... Qxe8+" does not fit the
    // list at the window's font, a smaller font and no scroll bars keep it whole.
    QFont oFont = font();
    if (mnuViewNotation->isChecked()) {
        const int nNeeded = QFontMetrics(oFont).horizontalAdvance(QStringLiteral("100... Qxe8+")) +
                            2 * lstWhiteMoves->frameWidth() + 8;
        if (nNeeded > lstWhiteMoves->width())
            oFont.setPixelSize(10);
    }
    for (QListWidget *list : {lstWhiteMoves, lstBlackMoves}) {
        if (list->font() != oFont)
            list->setFont(oFont);
    }
}

void frmMain::BuildSizeMenus(QMenu *mnuView) {
    mnuView->addSeparator();
    mnuViewPieceSet = mnuView->addMenu(tr("Piece Set"));
    mnuViewPieceSet->setObjectName(QStringLiteral("mnuViewPieceSet"));
    connect(mnuViewPieceSet, &QMenu::aboutToShow, this, &frmMain::FillPieceSetMenu);
    mnuViewFullScreen = mnuView->addAction(tr("Full Screen"));
    mnuViewFullScreen->setObjectName(QStringLiteral("mnuViewFullScreen"));
    mnuViewFullScreen->setCheckable(true);
    mnuViewFullScreen->setShortcut(QKeySequence(Qt::Key_F11));
    connect(mnuViewFullScreen, &QAction::toggled, this, &frmMain::mnuViewFullScreen_Toggled);

    // Our own set unless another was chosen; a remembered set that is gone or spoilt falls back
    // to our own quietly, and stays remembered in case it comes back.
    const QString sSet = QSettings().value(QLatin1String(PieceSetKey)).toString();
    if (!sSet.isEmpty() && Board1->SetPieceSet(QDir(PieceSetsFolder()).filePath(sSet)))
        sPieceSet = sSet;
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
    SetOuterWidth(bWide ? WideWidth : NarrowWidth);
    resize(minimumSizeHint());
}

void frmMain::SaveGeometry() {
    QSettings().setValue(QLatin1String(GeometryKey), saveGeometry());
}
