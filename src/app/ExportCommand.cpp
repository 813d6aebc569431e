#include "ExportCommand.h"

#include "CommandLine.h"
#include "Export.h"
#include "GameCollection.h"
#include "SafeWrite.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <tavlon/Board.h>

namespace {

using CommandLine::Fail;
using CommandLine::Tr;

// A whole number from an option, within limits; false when it is not one.
bool Number(const QCommandLineParser &p, const char *sName, int nMin, int nMax, int &n) {
    if (!p.isSet(QLatin1String(sName)))
        return true;
    bool bOk = false;
    const int v = p.value(QLatin1String(sName)).toInt(&bOk);
    if (!bOk || v < nMin || v > nMax)
        return false;
    n = v;
    return true;
}

} // namespace

void DescribeExport(QCommandLineParser &parser) {
    const auto Option = [&parser](const char *sName, const char *sHelp, const char *sValue) {
        CommandLine::AddOption(parser, sName, sHelp, sValue);
    };
    Option("export",
           QT_TRANSLATE_NOOP("main", "Make a picture of a game in a PGN file, without a window, "
                                     "and quit."),
           QT_TRANSLATE_NOOP("main", "FILE"));
    Option("to",
           QT_TRANSLATE_NOOP("main", "The picture to write: a position as .png or .svg, the "
                                     "game as an animated .gif."),
           QT_TRANSLATE_NOOP("main", "OUT"));
    Option("size", QT_TRANSLATE_NOOP("main", "The board's side, 240 to 2000 pixels (480)."),
           QT_TRANSLATE_NOOP("main", "N"));
    Option("ply",
           QT_TRANSLATE_NOOP("main", "The position after K half-moves (0: the start; the last "
                                     "position unless given)."),
           QT_TRANSLATE_NOOP("main", "K"));
    Option("game", QT_TRANSLATE_NOOP("main", "The game of the file, counting from 1 (1)."),
           QT_TRANSLATE_NOOP("main", "N"));
    Option("flip", QT_TRANSLATE_NOOP("main", "Black's side at the bottom."), nullptr);
    Option("coordinates", QT_TRANSLATE_NOOP("main", "Letters and digits along the edges."),
           nullptr);
    Option("marks", QT_TRANSLATE_NOOP("main", "The last move and a check marked."), nullptr);
    Option("names",
           QT_TRANSLATE_NOOP("main", "The players' names, the side to move and the "
                                     "result."),
           nullptr);
    Option("frame-time",
           QT_TRANSLATE_NOOP("main", "A GIF's time per position, 0.2 to 5 seconds (1)."),
           QT_TRANSLATE_NOOP("main", "SECONDS"));
}

bool ExportAsked(const QCommandLineParser &parser) {
    return parser.isSet(QStringLiteral("export")) || parser.isSet(QStringLiteral("to"));
}

int RunExport(const QCommandLineParser &p) {
    const QString sIn = p.value(QStringLiteral("export"));
    const QString sOut = p.value(QStringLiteral("to"));
    if (sIn.isEmpty() || sOut.isEmpty())
        return Fail(Tr(QT_TRANSLATE_NOOP("main", "--export FILE.pgn and --to OUT go together")), 2);
    ExportFormat eFormat = ExportFormat::Png;
    if (!Export::FormatOf(sOut, eFormat))
        return Fail(Tr(QT_TRANSLATE_NOOP("main", "%1: the picture's name must end in .png, .svg "
                                                 "or .gif"))
                        .arg(sOut),
                    2);
    // Plain unless asked: no coordinates, marks or names, as a board with no aids draws.
    ExportOptions o;
    int nGame = 1, nPly = -1;
    if (!Number(p, "size", ExportOptions::MinSize, ExportOptions::MaxSize, o.nSize))
        return Fail(Tr(QT_TRANSLATE_NOOP("main", "bad size \"%1\": give 240 to 2000 pixels"))
                        .arg(p.value(QStringLiteral("size"))),
                    2);
    if (!Number(p, "game", 1, INT_MAX, nGame))
        return Fail(Tr(QT_TRANSLATE_NOOP("main", "bad game number \"%1\""))
                        .arg(p.value(QStringLiteral("game"))),
                    2);
    if (!Number(p, "ply", 0, INT_MAX, nPly))
        return Fail(Tr(QT_TRANSLATE_NOOP("main", "bad ply \"%1\": give 0 or more half-moves"))
                        .arg(p.value(QStringLiteral("ply"))),
                    2);
    if (p.isSet(QStringLiteral("frame-time"))) {
        bool bOk = false;
        const double d = p.value(QStringLiteral("frame-time")).toDouble(&bOk);
        o.nFrameMs = qRound(d * 1000);
        if (!bOk || o.nFrameMs < ExportOptions::MinFrameMs ||
            o.nFrameMs > ExportOptions::MaxFrameMs)
            return Fail(
                Tr(QT_TRANSLATE_NOOP("main", "bad frame time \"%1\": give 0.2 to 5 seconds"))
                    .arg(p.value(QStringLiteral("frame-time"))),
                2);
    }
    o.bWhitesView = !p.isSet(QStringLiteral("flip"));
    o.bCoordinates = p.isSet(QStringLiteral("coordinates"));
    o.bMarks = p.isSet(QStringLiteral("marks"));
    o.bNames = p.isSet(QStringLiteral("names"));

    const QString sName = QFileInfo(sIn).fileName();
    QString sCause;
    const auto pGames = CommandLine::ReadGames(sIn, &sCause);
    if (pGames == nullptr)
        return Fail(sCause, 1);
    if (nGame > pGames->Count())
        return Fail(Tr(QT_TRANSLATE_NOOP("main", "%1 holds %2 games; there is no game %3"))
                        .arg(sName)
                        .arg(pGames->Count())
                        .arg(nGame),
                    1);
    QString sText;
    Board b;
    CommandLine::GameText(*pGames, nGame - 1, sText, &sCause);
    if (!sCause.isEmpty() || !b.LoadPgn(sText))
        return Fail(Tr(QT_TRANSLATE_NOOP("main", "game %1 of %2 cannot be read: %3"))
                        .arg(nGame)
                        .arg(sName, sCause.isEmpty() ? b.LastError() : sCause),
                    1);
    if (nPly > b.PlyCount())
        return Fail(Tr(QT_TRANSLATE_NOOP("main", "game %1 of %2 has %3 half-moves; there is no "
                                                 "ply %4"))
                        .arg(nGame)
                        .arg(sName)
                        .arg(b.PlyCount())
                        .arg(nPly),
                    1);
    if (nPly < 0)
        nPly = b.PlyCount();
    QString sError;
    const QByteArray oData = eFormat == ExportFormat::Gif   ? Export::Gif(b, o, &sError)
                             : eFormat == ExportFormat::Svg ? Export::Svg(b, nPly, o)
                                                            : Export::Png(b, nPly, o);
    if (oData.isEmpty() || !SaveFileAtomically(sOut, oData, &sError))
        return Fail(sError, 1);
    return 0;
}
