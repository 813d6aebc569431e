// The overhead of Analyse Game per position: the whole analysis of a game through the client
// (process start, handshake, and for each position ucinewgame, isready, position, go nodes,
// every line read and written in SAN, the judging) against the same commands piped to the same
// engine by uci_pipe.sh, which waits for nothing. Runs alternate; medians are printed.
// Usage: tavlon_analyse_bench [NODES [RUNS [ENGINE]]]
#include "GameAnalyser.h"
#include "Notation.h"
#include "Pgn.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <sstream>
#include <sys/resource.h>

namespace {

// Morphy's Opera game, 33 plies ending in mate: 33 positions to search.
constexpr const char *Game = "e4 e5 Nf3 d6 d4 Bg4 dxe5 Bxf3 Qxf3 dxe5 Bc4 Nf6 Qb3 Qe7 Nc3 c6 "
                             "Bg5 b5 Nxb5 cxb5 Bxb5+ Nbd7 O-O-O Rd8 Rxd7 Rxd7 Rd1 Qe6 Bxd7+ "
                             "Nxd7 Qb8+ Nxb8 Rd8#";

// This process's own CPU time in milliseconds: the client's share, the engine's not counted.
double CpuMs() {
    rusage o{};
    getrusage(RUSAGE_SELF, &o);
    return (static_cast<double>(o.ru_utime.tv_sec + o.ru_stime.tv_sec) * 1e6 +
            static_cast<double>(o.ru_utime.tv_usec + o.ru_stime.tv_usec)) /
           1e3;
}

double Median(std::vector<double> o) {
    std::sort(o.begin(), o.end());
    return o[o.size() / 2];
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication oApp(argc, argv);
    const int nNodes = argc > 1 ? std::atoi(argv[1]) : 20000;
    const int nRuns = argc > 2 ? std::atoi(argv[2]) : 5;
    const QString sEngine =
        UciEngine::Locate(argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString());
    if (sEngine.isEmpty()) {
        std::fprintf(stderr, "no engine: install stockfish or name one\n");
        return 1;
    }
    clsRules oGame;
    std::vector<std::string> oMoves;
    QByteArray oFens = QByteArray::fromStdString(oGame.Fen() + '\n');
    std::istringstream oSan(Game);
    for (std::string s; oSan >> s;) {
        const Move oMove = Notation::ParseSan(oGame, s);
        oMoves.push_back(Notation::Coordinate(oMove));
        oGame.PlayMove(oMove);
        if (!oGame.IsGameOver())
            oFens += QByteArray::fromStdString(oGame.Fen() + '\n');
    }
    const int nPositions = static_cast<int>(oFens.count('\n'));
    std::vector<double> oOurs, oScript, oDifference, oCpu;
    QByteArray oScores;
    for (int nRun = 0; nRun < nRuns; ++nRun) {
        QElapsedTimer oTimer;
        oTimer.start();
        const double dCpu = CpuMs();
        QString sError;
        const auto o = GameAnalyser::Run(sEngine, std::string(Pgn::StandardFen), oMoves, false,
                                         {{UciEngine::Limit::Kind::Nodes, nNodes}}, {}, &sError);
        const double dOurs = static_cast<double>(oTimer.nsecsElapsed()) / 1e6;
        oCpu.push_back((CpuMs() - dCpu) / nPositions);
        if (!o) {
            std::fprintf(stderr, "%s\n", qPrintable(sError));
            return 1;
        }
        oTimer.start();
        QProcess oPipe;
        oPipe.start(QStringLiteral(TAVLON_UCI_PIPE), {sEngine, QString::number(nNodes)});
        oPipe.write(oFens);
        oPipe.closeWriteChannel();
        oPipe.waitForFinished(-1);
        const double dScript = static_cast<double>(oTimer.nsecsElapsed()) / 1e6;
        oScores = oPipe.readAllStandardOutput();
        // The same scores, or the comparison means nothing.
        QByteArray oOurScores;
        for (std::size_t i = 0; i < o->oPlies.size(); ++i) {
            const Review::PlyResult &oPly = o->oPlies[i];
            if (oPly.sBestMove.empty())
                continue;
            const Uci::Score oScore = Uci::ForWhite(oPly.oScore, i % 2 == 0);
            oOurScores += (oScore.eKind == Uci::Score::Kind::Cp ? "cp " : "mate ") +
                          QByteArray::number(oScore.nValue) + ' ' +
                          QByteArray::fromStdString(oPly.sBestMove) + '\n';
        }
        if (oOurScores != oScores) {
            std::fprintf(stderr, "scores differ from the script's:\n%s---\n%s",
                         oOurScores.constData(), oScores.constData());
            return 1;
        }
        oOurs.push_back(dOurs);
        oScript.push_back(dScript);
        oDifference.push_back((dOurs - dScript) / nPositions);
        std::printf("run %d: analyse_game_ms=%.1f script_ms=%.1f\n", nRun + 1, dOurs, dScript);
    }
    std::printf("positions=%d nodes=%d engine=%s\n", nPositions, nNodes, qPrintable(sEngine));
    std::printf("median analyse_game_ms=%.1f script_ms=%.1f overhead_per_position_ms=%.2f "
                "(least %.2f) client_cpu_per_position_ms=%.3f\n",
                Median(oOurs), Median(oScript), Median(oDifference),
                *std::min_element(oDifference.begin(), oDifference.end()), Median(oCpu));
    return 0;
}
