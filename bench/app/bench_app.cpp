// Times what the main window does with a game record: opening a 150-ply annotated game file
// (read, replay, both lists filled, caption) and refilling the lists of a 300-ply game in each
// notation. `tavlon_app_bench --write-game FILE PLIES` writes such a game for bench/app/startup.sh.
#include "BenchGame.h"
#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstring>

namespace {

QString WriteGame(const QString &sPath, int nPlies) {
    QFile oFile(sPath);
    if (!oFile.open(QIODevice::WriteOnly))
        return {};
    oFile.write(QByteArray::fromStdString(AnnotatedGame(nPlies)));
    return sPath;
}

void BM_OpenGame150(benchmark::State &state) {
    QTemporaryDir oDir;
    const QString sPath = WriteGame(oDir.filePath("game.pgn"), 150);
    frmMain w;
    for (auto _ : state)
        benchmark::DoNotOptimize(w.OpenFile(sPath));
}
BENCHMARK(BM_OpenGame150)->Unit(benchmark::kMicrosecond);

void BM_FillLists300(benchmark::State &state) {
    QTemporaryDir oDir;
    frmMain w;
    w.OpenFile(WriteGame(oDir.filePath("game.pgn"), 300));
    auto *notation = w.findChild<QAction *>(QStringLiteral("mnuViewNotation"));
    // Each trigger turns the notation over and fills both lists once.
    const bool bStandard = state.range(0) == 1;
    for (auto _ : state) {
        state.PauseTiming();
        if (notation->isChecked() == bStandard)
            notation->trigger();
        state.ResumeTiming();
        notation->trigger();
    }
    state.SetLabel(bStandard ? "SAN" : "coordinates");
}
BENCHMARK(BM_FillLists300)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

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
