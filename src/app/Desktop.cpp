#include "Desktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>

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
    QIcon icon;
    for (const int nSize : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/tavlon/icon/tavlon-%1.png").arg(nSize), QSize(nSize, nSize));
    }
    return icon;
}
