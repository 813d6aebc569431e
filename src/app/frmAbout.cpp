#include "frmAbout.h"

#include "AppInfo.h"
#include "Desktop.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel *NewLabel(const QString &sName, const QString &sText, const QFont &font, QWidget *parent) {
    auto *label = new QLabel(sText, parent);
    label->setObjectName(sName);
    label->setFont(font);
    return label;
}

} // namespace

frmAbout::frmAbout(UrlOpener opener, QWidget *parent)
    : QDialog(parent), oOpenUrl(std::move(opener)) {
    setWindowTitle(tr("About"));
    setWindowIcon(TavlonIcon());
    setModal(false);

    // Verdana where the desktop has it; Qt falls back to a close match otherwise.
    QFont font(QStringLiteral("Verdana"));
    QFont titleFont = font;
    titleFont.setPointSize(18);
    titleFont.setBold(true);

    auto *Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(TavlonIcon().pixmap(QSize(32, 32), devicePixelRatioF()));
    Image1->setFixedSize(32, 32);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(16);
    grid->setColumnStretch(1, 1);
    grid->addWidget(Image1, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(NewLabel(QStringLiteral("Label1"), tr("Tavlon"), titleFont, this), 0, 1);
    grid->setRowMinimumHeight(1, 12);

    const QString sHomepage = TavlonHomepage().toString();
    struct Line {
        const char *captionName;
        const char *caption; // marked with QT_TR_NOOP
        const char *valueName;
        QString value;
    };
    const Line lines[] = {
        {"Label2", QT_TR_NOOP("Version"), "Label13", TavlonVersion()}, // as --version says
        {"Label7", QT_TR_NOOP("Build"), "Label14", QString::number(TAVLON_VERSION_PATCH)},
        {"Label3", QT_TR_NOOP("Author"), "Label15", tr("The Tavlon developers")},
        {"Label4", QT_TR_NOOP("Homepage"), "Label16",
         sHomepage.isEmpty()
             ? QString()
             : QStringLiteral("<a href=\"%1\">%1</a>").arg(sHomepage.toHtmlEscaped())},
        {"Label5", QT_TR_NOOP("Licence"), "Label17", tr("MIT License")},
    };
    int nRow = 2;
    for (const Line &line : lines) {
        if (line.value.isEmpty())
            continue; // no web page yet: no row that would name a made-up one
        grid->addWidget(
            NewLabel(QString::fromLatin1(line.captionName), tr(line.caption), font, this), nRow, 0);
        grid->addWidget(NewLabel(QString::fromLatin1(line.valueName), line.value, font, this), nRow,
                        1);
        ++nRow;
    }

    if (auto *Label16 = findChild<QLabel *>(QStringLiteral("Label16"))) {
        Label16->setTextFormat(Qt::RichText);
        Label16->setTextInteractionFlags(Qt::TextBrowserInteraction);
        Label16->setOpenExternalLinks(false);
        Label16->setCursor(Qt::PointingHandCursor);
        connect(Label16, &QLabel::linkActivated, this,
                [this](const QString &sLink) { OpenAddress(this, oOpenUrl, QUrl(sLink)); });
    }

    auto *notice = NewLabel(QStringLiteral("Label8"),
                            tr("Copyright (c) 2026 The Tavlon developers. This program comes "
                               "without warranty of any kind; see the MIT License for details."),
                            font, this);
    notice->setWordWrap(true);
    grid->setRowMinimumHeight(nRow++, 8);
    grid->addWidget(notice, nRow++, 0, 1, 2);
    grid->setRowStretch(nRow++, 1);

    auto *Command1 = new QPushButton(tr("&Close"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &QDialog::close);
    grid->addWidget(Command1, nRow, 1, Qt::AlignRight);

    // 6660 x 4590 twips at 96 dots per inch, grown if the fonts need more room.
    setFixedSize(sizeHint().expandedTo(QSize(444, 306)));
}
