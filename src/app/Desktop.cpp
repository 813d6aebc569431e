#include "Desktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QImageReader>
#include <QMessageBox>
#include <QPixmap>
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
        const bool bOpen = eQuestion == FileQuestion::Open;
        // On the heap and guarded: the static QFileDialog functions keep the dialog on their
        // stack, so a parent destroyed while it is open would free it a second time.
        QPointer<QFileDialog> dialog = new QFileDialog(
            parent,
            bOpen ? QCoreApplication::translate("Desktop", "Open Game")
                  : QCoreApplication::translate("Desktop", "Save Game As"),
            sSuggested, QCoreApplication::translate("Desktop", "PGN games (*.pgn);;All files (*)"));
        dialog->setAcceptMode(bOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        dialog->setFileMode(bOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        QString sPath;
        if (dialog->exec() == QDialog::Accepted && !dialog.isNull())
            sPath = dialog->selectedFiles().value(0);
        delete dialog.data();
        return sPath;
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
