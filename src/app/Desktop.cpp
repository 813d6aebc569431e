#include "Desktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QImageReader>
#include <QPixmap>

UrlOpener DefaultUrlOpener() {
    // The result is not examined: without a browser or a connection there is nothing useful
    // to tell the player.
    return [](const QUrl &url) { QDesktopServices::openUrl(url); };
}

FileChooser DefaultFileChooser() {
    return [](QWidget *parent, FileQuestion eQuestion, const QString &sSuggested) {
        const QString sFilter =
            QCoreApplication::translate("Desktop", "PGN games (*.pgn);;All files (*)");
        return eQuestion == FileQuestion::Open
                   ? QFileDialog::getOpenFileName(
                         parent, QCoreApplication::translate("Desktop", "Open Game"), sSuggested,
                         sFilter)
                   : QFileDialog::getSaveFileName(
                         parent, QCoreApplication::translate("Desktop", "Save Game As"), sSuggested,
                         sFilter);
    };
}

QIcon TavlonIcon() {
    // Window frames take every size an icon has, at start-up, so it has only the small ones;
    // the large ones serve the desktop's menus through the installed theme icons. Each is read as
    // PNG by name: QIcon::addFile would first offer the file to every image plugin, loading them.
    QIcon icon;
    for (const int nSize : {16, 32, 48, 64}) {
        QImageReader oReader(QStringLiteral(":/tavlon/icon/tavlon-%1.png").arg(nSize), "png");
        icon.addPixmap(QPixmap::fromImage(oReader.read()));
    }
    return icon;
}
