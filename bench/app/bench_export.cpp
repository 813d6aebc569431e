// Times the pictures of a game: a 480-pixel PNG of a position, the SVG of it, and an animated GIF
// of a 100-ply game and of a real 87-ply one, with their sizes as counters.
#include "BenchGame.h"
#include "Export.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <tavlon/Board.h>

namespace {

// Kasparov-Topalov, Wijk aan Zee 1999: 88 positions, the length of game Lichess's GIF export is
// often compared on.
const char *const Kasparov =
    "[White \"Kasparov, Garry\"]\n[Black \"Topalov, Veselin\"]\n[Result \"1-0\"]\n\n"
    "1. e4 d6 2. d4 Nf6 3. Nc3 g6 4. Be3 Bg7 5. Qd2 c6 6. f3 b5 7. Nge2 Nbd7 8. Bh6 Bxh6 "
    "9. Qxh6 Bb7 10. a3 e5 11. O-O-O Qe7 12. Kb1 a6 13. Nc1 O-O-O 14. Nb3 exd4 15. Rxd4 c5 "
    "16. Rd1 Nb6 17. g3 Kb8 18. Na5 Ba8 19. Bh3 d5 20. Qf4+ Ka7 21. Rhe1 d4 22. Nd5 Nbxd5 "
    "23. exd5 Qd6 24. Rxd4 cxd4 25. Re7+ Kb6 26. Qxd4+ Kxa5 27. b4+ Ka4 28. Qc3 Qxd5 29. Ra7 "
    "Bb7 30. Rxb7 Qc4 31. Qxf6 Kxa3 32. Qxa6+ Kxb4 33. c3+ Kxc3 34. Qa1+ Kd2 35. Qb2+ Kd1 "
    "36. Bf1 Rd2 37. Rd7 Rxd7 38. Bxc4 bxc4 39. Qxh8 Rd3 40. Qa8 c3 41. Qa4+ Ke1 42. f4 f5 "
    "43. Kc1 Rd2 44. Qa7 1-0";

ExportOptions Marked() {
    ExportOptions o;
    o.bMarks = true;
    o.bNames = true;
    return o;
}

void BM_Png480(benchmark::State &state) {
    Board b;
    b.LoadPgn(Kasparov);
    qint64 nBytes = 0;
    for (auto _ : state)
        nBytes = Export::Png(b, 40, Marked()).size();
    state.counters["kib"] = double(nBytes) / 1024;
}
BENCHMARK(BM_Png480)->Unit(benchmark::kMillisecond);

// The picture alone, without the PNG's compression.
void BM_Image480(benchmark::State &state) {
    Board b;
    b.LoadPgn(Kasparov);
    for (auto _ : state)
        benchmark::DoNotOptimize(Export::Image(b, 40, Marked()));
}
BENCHMARK(BM_Image480)->Unit(benchmark::kMillisecond);

void BM_Svg480(benchmark::State &state) {
    Board b;
    b.LoadPgn(Kasparov);
    qint64 nBytes = 0;
    for (auto _ : state)
        nBytes = Export::Svg(b, 40, Marked()).size();
    state.counters["kib"] = double(nBytes) / 1024;
}
BENCHMARK(BM_Svg480)->Unit(benchmark::kMillisecond);

// The argument: 0 for the real game with marks and names, else plies of a generated game with
// marks only, or plain (argument 2).
void BM_Gif480(benchmark::State &state) {
    Board b;
    b.LoadPgn(state.range(0) == 0 ? QString(Kasparov) : QString::fromStdString(AnnotatedGame(100)));
    ExportOptions o = Marked();
    o.bNames = state.range(0) == 0;
    o.bMarks = state.range(0) != 2;
    qint64 nBytes = 0;
    for (auto _ : state)
        nBytes = Export::Gif(b, o).size();
    state.counters["frames"] = b.PlyCount() + 1;
    state.counters["kib"] = double(nBytes) / 1024;
}
BENCHMARK(BM_Gif480)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
