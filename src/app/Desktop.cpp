#include "Desktop.h"

#include <QDesktopServices>

UrlOpener DefaultUrlOpener() {
    // The result is not examined: without a browser or a connection there is nothing useful
    // to tell the player.
    return [](const QUrl &url) { QDesktopServices::openUrl(url); };
}

QIcon TavlonIcon() {
    QIcon icon;
    for (const int nSize : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/tavlon/icon/tavlon-%1.png").arg(nSize), QSize(nSize, nSize));
    }
    return icon;
}
