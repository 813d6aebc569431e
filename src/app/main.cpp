#include "AnalyseCommand.h"
#include "AppInfo.h"
#include "Desktop.h"
#include "ExportCommand.h"
#include "SafeWrite.h"
#include "Translations.h"
#include "dlgTimeControl.h"
#include "frmMain.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <tavlon/Board.h>

namespace {

// With TAVLON_STARTUP_PROBE=1 the program reports, on stdout, the wall-clock time at which the
// board's first paint reached the screen, and quits. bench/app/startup.sh compares it with the
// time it launched us. Nothing else changes.
class StartupProbe : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint && !bSeen) {
            bSeen = true;
            // Queued, so it runs after the paint has been flushed to the window.
            QTimer::singleShot(0, this, [] {
                const auto us = std::chrono::duration_cast<std::chrono::microseconds>(
                    std::chrono::system_clock::now().time_since_epoch());
                std::printf("first_paint_epoch_us=%lld\n", static_cast<long long>(us.count()));
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool bSeen = false;
};

// The program's name, version and command line, the same for the text phase and the window.
void Describe(QCommandLineParser &parser) {
    InstallTranslations();
    QCoreApplication::setOrganizationName(QStringLiteral("tavlon"));
    QCoreApplication::setApplicationName(QStringLiteral("tavlon"));
    QCoreApplication::setApplicationVersion(TavlonVersion());
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "A chess board for two players at one computer."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QString sFile = QCoreApplication::translate("main", "FILE");
    parser.addPositionalArgument(sFile, QCoreApplication::translate("main", "A PGN game to open."),
                                 QStringLiteral("[%1]").arg(sFile));
    parser.addOption(QCommandLineOption(
        QStringLiteral("time-control"),
        QCoreApplication::translate(
            "main", "Play this run with a chess clock: FORM in the PGN TimeControl form, in "
                    "seconds: 300 (5 minutes), 180+2 (3 minutes + 2 seconds a move), "
                    "40/5400:1800, *60, or 300d5 for a 5-second delay."),
        QStringLiteral("FORM")));
    DescribeExport(parser);
    DescribeAnalyse(parser);
}

} // namespace

int main(int argc, char *argv[]) {
    IgnoreFileSizeSignal();
    const QString sTimeControl = QStringLiteral("time-control");
    bool bExport = false;
    bool bAnalyse = false;
    // Only an option can ask for the text phase; a plain start skips building a second
    // application object and a second set of translators.
    if (std::any_of(argv + 1, argv + argc, [](const char *s) { return s[0] == '-'; })) {
        // --help, --version and a bad time control answer before any window exists, so they work
        // on a text console too, without a display. Other options wait for the window's own Qt
        // options to be taken.
        QCoreApplication text(argc, argv);
        QCommandLineParser parser;
        Describe(parser);
        parser.parse(QCoreApplication::arguments());
        if (parser.isSet(QStringLiteral("help")))
            parser.showHelp(0);
        if (parser.isSet(QStringLiteral("version")))
            parser.showVersion();
        const QString sForm = parser.value(sTimeControl);
        if (parser.isSet(sTimeControl)) {
            if (const QString sError = dlgTimeControl::FormError(sForm); !sError.isEmpty()) {
                std::fprintf(stderr, "%s\n",
                             qUtf8Printable(QCoreApplication::translate(
                                                "main", "tavlon: bad time control \"%1\": %2")
                                                .arg(sForm, sError)));
                return 2;
            }
            if (const QString sNote = dlgTimeControl::ShortNote(sForm); !sNote.isEmpty())
                std::fprintf(stderr, "tavlon: %s\n", qUtf8Printable(sNote));
        }
        bExport = ExportAsked(parser);
        bAnalyse = AnalyseAsked(parser);
        if (bExport && bAnalyse) {
            std::fprintf(stderr, "%s\n",
                         qUtf8Printable(QCoreApplication::translate(
                             "main", "tavlon: --export and --analyse cannot go together")));
            return 2;
        }
    }
    if (bExport || bAnalyse) {
        // Pictures and analyses need no display: made off screen, like --help, on a text
        // console too.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        QCommandLineParser parser;
        Describe(parser);
        parser.process(app);
        return bExport ? RunExport(parser) : RunAnalyse(parser);
    }

    QApplication app(argc, argv);
    DeferOverflowArrows();
    QCommandLineParser parser;
    Describe(parser);
    parser.process(app);
    QApplication::setDesktopFileName(QStringLiteral(TAVLON_APP_ID));
    QApplication::setWindowIcon(TavlonIcon());

    frmMain window;
    if (parser.isSet(sTimeControl))
        window.SetRunTimeControl(parser.value(sTimeControl));
    window.EnableRecovery(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                          QStringLiteral("/recovery"));
    // Opened before the first paint, so the board comes up showing the game.
    if (!parser.positionalArguments().isEmpty())
        window.OpenFile(parser.positionalArguments().constFirst());
    if (qEnvironmentVariableIntValue("TAVLON_STARTUP_PROBE") == 1) {
        auto *probe = new StartupProbe(&window);
        window.findChild<Board *>(QStringLiteral("Board1"))->installEventFilter(probe);
    }
    window.show();
    return QApplication::exec();
}
