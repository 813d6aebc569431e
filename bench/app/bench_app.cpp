// Times what the main window does with a game record: opening an annotated game file of 150 or
// 300 plies (read, replay, both lists filled in either notation, caption). `tavlon_app_bench
// --write-game FILE PLIES` writes such a game for bench/app/startup.sh.
#include "BenchGame.h"
#include "Recovery.h"
#include "dlgSetUpPosition.h"
#include "frmMain.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
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

// Set Up Position with its board at 1,000 pixels: a piece put on the keyboard's square and taken
// off again, each change with what follows it (the castling boxes, the en passant choice, the FEN
// field, the judgement) and the paint of all that changed.
void BM_SetUpPiece(benchmark::State &state) {
    dlgSetUpPosition d("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", {},
                       true);
    auto *b = d.findChild<Board *>();
    d.show();
    d.resize(d.size() + QSize(1000, 1000) - b->size());
    b->setFocus();
    QCoreApplication::processEvents();
    if (b->width() < 1000 || b->height() < 1000)
        state.SkipWithError("the board is smaller than 1,000 pixels");
    const auto Key = [b](int nKey, const QString &sText) {
        QKeyEvent oPress(QEvent::KeyPress, nKey, Qt::NoModifier, sText);
        QCoreApplication::sendEvent(b, &oPress);
        QCoreApplication::processEvents(); // the paint
    };
    const QString sFen = d.Fen();
    const int nRendered = b->property("renderedSquares").toInt();
    for (auto _ : state) {
        Key(Qt::Key_Q, QStringLiteral("q"));
        Key(Qt::Key_Delete, {});
    }
    if (d.Fen() == sFen)
        state.SkipWithError("nothing was placed");
    state.counters["board_px"] = b->width();
    state.counters["squares_per_change"] =
        (b->property("renderedSquares").toInt() - nRendered) / (2.0 * state.iterations());
    state.SetLabel("two changes per iteration");
}
BENCHMARK(BM_SetUpPiece)->Unit(benchmark::kMicrosecond);

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
