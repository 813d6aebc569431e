#include "Desktop.h"

#include "AppInfo.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QIconEngine>
#include <QImageReader>
#include <QMessageBox>
#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>

QString TavlonVersion() {
    return QStringLiteral("%1.%2.%3")
        .arg(TAVLON_VERSION_MAJOR)
        .arg(TAVLON_VERSION_MINOR)
        .arg(TAVLON_VERSION_PATCH);
}

QUrl TavlonHomepage() {
    return QUrl(QStringLiteral(TAVLON_HOMEPAGE));
}

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
        const auto Tr = [](const char *s) { return QCoreApplication::translate("Desktop", s); };
        QString sTitle = bOpen ? Tr(QT_TRANSLATE_NOOP("Desktop", "Open Game"))
                               : Tr(QT_TRANSLATE_NOOP("Desktop", "Save Game As"));
        QString sFilter = Tr(QT_TRANSLATE_NOOP("Desktop", "PGN games (*.pgn);;All files (*)"));
        if (eQuestion == FileQuestion::ExportImage) {
            sTitle = Tr(QT_TRANSLATE_NOOP("Desktop", "Export Position as Image"));
            sFilter =
                Tr(QT_TRANSLATE_NOOP("Desktop", "PNG pictures (*.png);;SVG pictures (*.svg)"));
        } else if (eQuestion == FileQuestion::ExportGif) {
            sTitle = Tr(QT_TRANSLATE_NOOP("Desktop", "Export Game as GIF"));
            sFilter = Tr(QT_TRANSLATE_NOOP("Desktop", "GIF animations (*.gif)"));
        } else if (eQuestion == FileQuestion::Add) {
            sTitle = Tr(QT_TRANSLATE_NOOP("Desktop", "Add Game to File"));
        }
        // On the heap and guarded: the static QFileDialog functions keep the dialog on their
        // stack, so a parent destroyed while it is open would free it a second time.
        QPointer<QFileDialog> dialog = new QFileDialog(parent, sTitle, sSuggested, sFilter);
        dialog->setAcceptMode(bOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        dialog->setFileMode(bOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        if (eQuestion == FileQuestion::Add) {
            // A file of games is added to, not replaced: no question about overwriting it.
            dialog->setOption(QFileDialog::DontConfirmOverwrite);
            dialog->setLabelText(QFileDialog::Accept,
                                 QCoreApplication::translate("Desktop", "&Add"));
        }
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
    // PNG by name, with no guessing: QIcon::addFile, or a reader left to guess, would first offer
    // the file to every image plugin, loading them all.
    QIcon icon;
    for (const int nSize : {16, 32, 48, 64}) {
        QImageReader oReader(QStringLiteral(":/tavlon/icon/tavlon-%1.png").arg(nSize), "png");
        oReader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(oReader.read()));
    }
    return icon;
}

namespace {

// A style's standard icon, asked of the style only when it is first needed.
class DeferredIcon : public QIconEngine {
public:
    DeferredIcon(QStyle *pStyle, QStyle::StandardPixmap eWhich)
        : m_pStyle(pStyle), m_eWhich(eWhich) {}
    QIconEngine *clone() const override { return new DeferredIcon(*this); }
    bool isNull() override { return Icon().isNull(); }
    void paint(QPainter *p, const QRect &r, QIcon::Mode eMode, QIcon::State eState) override {
        Icon().paint(p, r, Qt::AlignCenter, eMode, eState);
    }
    QPixmap pixmap(const QSize &oSize, QIcon::Mode eMode, QIcon::State eState) override {
        return Icon().pixmap(oSize, eMode, eState);
    }
    QPixmap scaledPixmap(const QSize &oSize, QIcon::Mode eMode, QIcon::State eState,
                         qreal dScale) override {
        return Icon().pixmap(oSize, dScale, eMode, eState);
    }
    QSize actualSize(const QSize &oSize, QIcon::Mode eMode, QIcon::State eState) override {
        return Icon().actualSize(oSize, eMode, eState);
    }
    QList<QSize> availableSizes(QIcon::Mode eMode, QIcon::State eState) override {
        return Icon().availableSizes(eMode, eState);
    }

private:
    const QIcon &Icon() {
        if (QStyle *pStyle = m_pStyle.data(); !m_bRead && pStyle != nullptr) {
            m_bRead = true;
            m_oIcon = pStyle->standardIcon(m_eWhich);
        }
        return m_oIcon;
    }

    QPointer<QStyle> m_pStyle;
    QStyle::StandardPixmap m_eWhich;
    bool m_bRead = false;
    QIcon m_oIcon;
};

class DeferringStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap eWhich, const QStyleOption *pOption,
                       const QWidget *pWidget) const override {
        if (eWhich == SP_ToolBarHorizontalExtensionButton ||
            eWhich == SP_ToolBarVerticalExtensionButton)
            return QIcon(new DeferredIcon(baseStyle(), eWhich));
        return QProxyStyle::standardIcon(eWhich, pOption, pWidget);
    }
};

} // namespace

void DeferOverflowArrows() {
    // By name, so that a style chosen with -style or QT_STYLE_OVERRIDE stays the one wrapped.
    QApplication::setStyle(new DeferringStyle(QApplication::style()->name()));
}
