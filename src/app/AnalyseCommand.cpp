#include "AnalyseCommand.h"

#include "CommandLine.h"
#include "GameAnalyser.h"
#include "GameCollection.h"
#include "Notation.h"
#include "Pgn.h"
#include "ReviewTree.h"
#include "dlgEngine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <stdexcept>
#include <unistd.h>

using CommandLine::Fail;
using CommandLine::Tr;

void DescribeAnalyse(QCommandLineParser &parser) {
    const auto Option = [&parser](const char *sName, const char *sHelp, const char *sValue) {
        CommandLine::AddOption(parser, sName, sHelp, sValue);
    };
    Option("analyse",
           QT_TRANSLATE_NOOP("main", "Analyse every game of a PGN file with a UCI engine, without "
                                     "a window, and write them to standard output with "
                                     "evaluations, marked mistakes and better lines."),
           QT_TRANSLATE_NOOP("main", "FILE"));
    Option("nodes",
           QT_TRANSLATE_NOOP("main", "The engine's budget per position in nodes, the same on "
                                     "every run (1000000)."),
           QT_TRANSLATE_NOOP("main", "N"));
    Option("depth", QT_TRANSLATE_NOOP("main", "The budget as a search depth instead, 1 to 99."),
           QT_TRANSLATE_NOOP("main", "D"));
    Option("engine",
           QT_TRANSLATE_NOOP("main", "The UCI engine to run (the one set in the window, else "
                                     "Stockfish)."),
           QT_TRANSLATE_NOOP("main", "PATH"));
}

bool AnalyseAsked(const QCommandLineParser &parser) {
    return parser.isSet(QStringLiteral("analyse"));
}

int RunAnalyse(const QCommandLineParser &p) {
    const QString sIn = p.value(QStringLiteral("analyse"));
    const EngineSettings oSettings = EngineSettings::Load();
    GameAnalyser::Budget oBudget;
    oBudget.nThreads = oSettings.nThreads;
    oBudget.nHashMb = oSettings.nHashMb;
    const bool bNodes = p.isSet(QStringLiteral("nodes"));
    const bool bDepth = p.isSet(QStringLiteral("depth"));
    if (bNodes && bDepth)
        return Fail(Tr(QT_TRANSLATE_NOOP("main", "--nodes and --depth cannot go together")), 2);
    if (bNodes || bDepth) {
        bool bOk = false;
        const QString sValue = p.value(QLatin1String(bNodes ? "nodes" : "depth"));
        const qlonglong n = sValue.toLongLong(&bOk);
        if (!bOk || n < 1 || (bDepth && n > 99) || n > 1'000'000'000'000LL)
            return Fail((bNodes ? Tr(QT_TRANSLATE_NOOP("main", "bad node count \"%1\""))
                                : Tr(QT_TRANSLATE_NOOP("main", "bad depth \"%1\": give 1 to 99")))
                            .arg(sValue),
                        2);
        oBudget.oLimit = {bNodes ? UciEngine::Limit::Kind::Nodes : UciEngine::Limit::Kind::Depth,
                          n};
    }
    const QString sEngine = p.isSet(QStringLiteral("engine"))
                                ? UciEngine::Locate(p.value(QStringLiteral("engine")).trimmed())
                                : oSettings.Program();
    if (sEngine.isEmpty())
        return Fail(p.isSet(QStringLiteral("engine"))
                        ? Tr(QT_TRANSLATE_NOOP("main", "no engine \"%1\" found"))
                              .arg(p.value(QStringLiteral("engine")))
                        : Tr(QT_TRANSLATE_NOOP("main", "no engine found: install Stockfish, or "
                                                       "name one with --engine")),
                    1);

    // Every game is read before the engine starts: a bad one is named at once, and nothing is
    // written for a file that cannot be analysed whole.
    const QString sName = QFileInfo(sIn).fileName();
    QString sCause;
    const auto pGames = CommandLine::ReadGames(sIn, &sCause);
    if (pGames == nullptr)
        return Fail(sCause, 1);
    std::vector<clsRules> oGames(static_cast<std::size_t>(pGames->Count()));
    for (int i = 0; i < pGames->Count(); ++i) {
        QString sText;
        try {
            if (CommandLine::GameText(*pGames, i, sText, &sCause))
                Pgn::Load(oGames[static_cast<std::size_t>(i)], sText.toStdString());
        } catch (const std::exception &e) {
            sCause = QString::fromUtf8(e.what());
        }
        if (!sCause.isEmpty())
            return Fail(Tr(QT_TRANSLATE_NOOP("main", "game %1 of %2 cannot be read: %3"))
                            .arg(i + 1)
                            .arg(sName, sCause),
                        1);
    }

    const bool bTerminal = ::isatty(STDERR_FILENO) != 0;
    for (std::size_t i = 0; i < oGames.size(); ++i) {
        clsRules &oGame = oGames[i];
        const auto Progress = [&](int nDone, int nTotal) {
            if (bTerminal)
                std::fprintf(stderr, "\r%s",
                             qUtf8Printable(Tr(QT_TRANSLATE_NOOP("main", "game %1 of %2: %3 of "
                                                                         "%4 positions"))
                                                .arg(i + 1)
                                                .arg(oGames.size())
                                                .arg(nDone)
                                                .arg(nTotal)));
        };
        if (!bTerminal)
            std::fprintf(stderr, "tavlon: %s\n",
                         qUtf8Printable(Tr(QT_TRANSLATE_NOOP("main", "analysing game %1 of %2"))
                                            .arg(i + 1)
                                            .arg(oGames.size())));
        QString sError;
        const auto oResult =
            GameAnalyser::Run(sEngine, oGame.StartFen(), Notation::CoordinateMoves(oGame),
                              oGame.Is960(), oBudget, Progress, &sError);
        if (bTerminal)
            std::fputc('\n', stderr);
        if (!oResult)
            return Fail(
                Tr(QT_TRANSLATE_NOOP("main", "game %1 of %2: %3")).arg(i + 1).arg(sName, sError),
                1);
        Review::Annotate(oGame, *oResult);
        std::string sGame = Pgn::Write(oGame);
        while (!sGame.empty() && sGame.back() == '\n')
            sGame.pop_back();
        // A blank line between games, as the export format has it.
        std::fprintf(stdout, "%s%s\n", i > 0 ? "\n" : "", sGame.c_str());
        std::fflush(stdout);
    }
    return 0;
}
