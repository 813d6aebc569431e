#include "Desktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>

UrlOpener DefaultUrlOpener() {
    return [](const QUrl &url) { return QDesktopServices::openUrl(url); };
}

void OpenAddress(QWidget *parent, const UrlOpener &opener, const QUrl &url) {
    if (opener(url))
        return;
    QPointer<QMessageBox> box =
        new QMessageBox(QMessageBox::Warning, QCoreApplication::translate("Desktop", "Tavlon"),
                        QCoreApplication::translate(
                            "Desktop", "No web browser could open this address. Copy it into "
                                       "one:\n\n%1")
                            .arg(url.toString()),
                        QMessageBox::Ok, parent);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->exec();
    delete box.data();
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
