// The main window's pictures: the position as PNG or SVG, the game as a GIF, the position on the
// clipboard as a picture.
#include "Export.h"
#include "GameDocument.h"
#include "SafeWrite.h"
#include "dlgExport.h"
#include "frmMain.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <tavlon/Board.h>
#include <tavlon/BoardRenderer.h>

namespace {

const QString sFolderKey = QStringLiteral("export/folder");

} // namespace

void frmMain::BuildExportMenus() {
    auto *mnuGame = findChild<QMenu *>(QStringLiteral("mnuGame"));
    auto *mnuEdit = findChild<QMenu *>(QStringLiteral("mnuEdit"));
    // After the file commands, before the end of the game.
    mnuGame->insertActions(
        mnuGameClaimDraw,
        {NewAction(nullptr, "mnuGameExportImage", tr("Expo&rt Position as Image..."),
                   QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_E), [this] { ExportPicture(false); }),
         NewAction(nullptr, "mnuGameExportGif", tr("Export Game as &GIF..."),
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E),
                   [this] { ExportPicture(true); })});
    mnuGame->insertSeparator(mnuGameClaimDraw);
    mnuEdit->insertAction(findChild<QAction *>(QStringLiteral("mnuEditPaste")),
                          NewAction(nullptr, "mnuEditCopyImage", tr("Copy Position as &Image"),
                                    QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C),
                                    &frmMain::mnuEditCopyImage_Click));
}

void frmMain::ExportPicture(bool bGame) {
    if (bPromotionPending)
        return;
    ExportOptions o = ExportOptions::Remembered();
    o.bWhitesView = Board1->Scene().bIsWhitesView;
    // The position shown, on whichever line it stands (the node's own scene).
    const int nPly = -1;
    auto *dialog = new dlgExport(bGame ? dlgExport::Kind::Game : dlgExport::Kind::Position, *Board1,
                                 nPly, o, this);
    if (Exec(dialog) != QDialog::Accepted)
        return;
    o = dialog->Options();
    o.Remember();
    const QString sExtension = bGame ? QStringLiteral("gif") : QStringLiteral("png");
    const QString sFolder =
        QSettings()
            .value(sFolderKey, pDocument->File().isEmpty() ? QDir::homePath()
                                                           : QFileInfo(pDocument->File()).path())
            .toString();
    QString sPath;
    if (!Outlives([&] {
            sPath = oChooseFile(this, bGame ? FileQuestion::ExportGif : FileQuestion::ExportImage,
                                QDir(sFolder).filePath(Export::SuggestedName(*Board1, sExtension)));
        }) ||
        sPath.isEmpty())
        return;
    // A name without a known ending gets the format's own.
    ExportFormat eFormat = ExportFormat::Png;
    if (!Export::FormatOf(sPath, eFormat) || bGame != (eFormat == ExportFormat::Gif)) {
        sPath += QLatin1Char('.') + sExtension;
        eFormat = bGame ? ExportFormat::Gif : ExportFormat::Png;
    }
    QString sError;
    const QByteArray oData = eFormat == ExportFormat::Gif   ? Export::Gif(*Board1, o, &sError)
                             : eFormat == ExportFormat::Svg ? Export::Svg(*Board1, nPly, o)
                                                            : Export::Png(*Board1, nPly, o);
    if (oData.isEmpty() || !SaveFileAtomically(sPath, oData, &sError)) {
        ShowMessage(tr("Cannot export the picture:\n%1").arg(sError));
        return;
    }
    QSettings().setValue(sFolderKey, QFileInfo(sPath).path());
    ShowStatus(tr("Saved %1").arg(QDir::toNativeSeparators(sPath)));
}

void frmMain::mnuEditCopyImage_Click() {
    if (bPromotionPending)
        return;
    ExportOptions o = ExportOptions::Remembered();
    o.bWhitesView = Board1->Scene().bIsWhitesView;
    const QImage oImage = Export::Image(*Board1, -1, o);
    const QByteArray oPng = Export::Png(oImage);
    // PNG for the programs that take it by name, and the picture for those that ask Qt's way.
    auto *pData = new QMimeData;
    pData->setImageData(oImage);
    pData->setData(QStringLiteral("image/png"), oPng);
    QApplication::clipboard()->setMimeData(pData);
    ShowStatus(tr("The position is on the clipboard as a picture"));
}
