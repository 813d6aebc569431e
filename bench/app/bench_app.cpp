// Times what the main window does with a game record: opening an annotated game file of 150 or
// 300 plies (read, replay, both lists filled in either notation, caption). `tavlon_app_bench
// --write-game FILE PLIES` writes such a game for bench/app/startup.sh.
#include "BenchGame.h"
#include "Recovery.h"
#include "frmMain.h"

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstring>
#include <tavlon/Board.h>

namespace {

QString WriteGame(const QString &sPath, int nPlies) {
    QFile oFile(sPath);
    if (!oFile.open(QIODevice::WriteOnly))
        return {};
    oFile.write(QByteArray::fromStdString(AnnotatedGame(nPlies)));
    return sPath;
}

// Reading the file, replaying it and filling both lists in the chosen notation, which is all
// that opening adds; so it bounds the time the lists take to fill.
void BM_OpenGame(benchmark::State &state) {
    QTemporaryDir oDir;
    const QString sPath = WriteGame(oDir.filePath("game.pgn"), static_cast<int>(state.range(0)));
    QSettings().setValue(QStringLiteral("view/standardNotation"), state.range(1) == 1);
    frmMain w;
    for (auto _ : state)
        benchmark::DoNotOptimize(w.OpenFile(sPath));
    state.SetLabel(state.range(1) == 1 ? "SAN" : "coordinates");
}
BENCHMARK(BM_OpenGame)
    ->Args({150, 1})
    ->Args({300, 1})
    ->Args({300, 0})
    ->Unit(benchmark::kMicrosecond);

// What the window does after every move to keep the unfinished game: the record as PGN and its
// safe write (with fsync) into the recovery folder, for a 100-move game.
void BM_RecoveryWrite(benchmark::State &state) {
    QTemporaryDir oDir;
    Recovery oRecovery(oDir.path());
    Board oBoard;
    oBoard.LoadPgn(QString::fromStdString(AnnotatedGame(200)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(oBoard.CoordinateMoves().isEmpty());
        oRecovery.Write(oBoard.Pgn(), QStringLiteral("/home/player/club.pgn"));
        if (state.range(0) == 1)
            oRecovery.Wait();
    }
    state.counters["plies"] = static_cast<double>(oBoard.CoordinateMoves().size());
    state.SetLabel(state.range(0) == 1 ? "until on disk" : "the window's own share");
}
BENCHMARK(BM_RecoveryWrite)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

int main(int argc, char **argv) {
    if (argc == 4 && std::strcmp(argv[1], "--write-game") == 0) {
        QCoreApplication app(argc, argv);
        return WriteGame(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3])).isEmpty() ? 1 : 0;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true); // the notation setting is not the user's
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
