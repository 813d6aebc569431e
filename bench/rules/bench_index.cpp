// Indexing a big game collection against grep reading the same file in the same run, the
// index's memory, and loading one game from it. The collection (about 100 MB, 60,000 games) is
// made once under the temporary folder: random games of varied length from varied positions,
// with comments, NAGs, variations, long and missing tags, CRLF lines and a few without tags.
#include "Pgn.h"
#include "PgnIndex.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

namespace {

constexpr std::size_t Games = 60000;

std::string RandomGame(std::mt19937 &oRandom, std::size_t nGame) {
    clsRules o;
    if (nGame % 7 == 3)
        o.SetFen("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
    const auto nPlies = 60 + oRandom() % 240;
    MoveList oMoves;
    for (std::size_t n = 0; n < nPlies && !o.IsGameOver(); ++n) {
        o.LegalMoves(oMoves);
        o.PlayMove(oMoves[oRandom() % oMoves.size()]);
    }
    if (nGame % 5 != 0)
        o.Tags() = {
            {"Event", "Club championship " + std::to_string(nGame % 40)},
            {"Site", "Town hall"},
            {"Date", "2024.0" + std::to_string(1 + nGame % 9) + ".1" + std::to_string(nGame % 10)},
            {"Round", std::to_string(nGame % 11)},
            {"White", "Player " + std::to_string(oRandom() % 500) + ", A."},
            {"Black", "Player " + std::to_string(oRandom() % 500) + ", B."},
            {"Annotator", std::string(oRandom() % 200, 'x')}};
    std::string s = Pgn::Write(o);
    if (nGame % 97 == 5 && o.StartFen() == Pgn::StandardFen)
        s = s.substr(s.find("\n\n") + 2); // no tags
    // Annotations the writer does not make, after a few moves.
    for (std::size_t at = s.find("\n\n") + 2; (at = s.find(' ', at + 30)) != std::string::npos;) {
        const char *const Notes[] = {" {a quiet move; [see below]}", " $1", " (1. a3 {or} (1. h3))",
                                     " ; a remark\n"};
        s.insert(at, Notes[oRandom() % 4]);
        at += 40;
    }
    if (nGame % 3 == 1) { // CRLF lines
        std::string sCrLf;
        for (const char c : s)
            sCrLf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        s = sCrLf;
    }
    return s;
}

const std::string &Collection() {
    static const std::string sPath = [] {
        const auto oPath = std::filesystem::temp_directory_path() / "tavlon-bench-collection.pgn";
        if (!std::filesystem::exists(oPath)) {
            std::mt19937 oRandom(15);
            std::ofstream oOut(oPath.string() + ".part", std::ios::binary);
            oOut << "\xEF\xBB\xBF";
            for (std::size_t n = 0; n < Games; ++n)
                oOut << RandomGame(oRandom, n);
            oOut.close();
            std::filesystem::rename(oPath.string() + ".part", oPath);
        }
        return oPath.string();
    }();
    return sPath;
}

Pgn::Index IndexFile(const std::string &sPath) {
    Pgn::Index o;
    std::FILE *p = std::fopen(sPath.c_str(), "rb");
    std::string sBuffer(1 << 20, '\0');
    for (std::size_t n; (n = std::fread(sBuffer.data(), 1, sBuffer.size(), p)) > 0;)
        o.Add(std::string_view(sBuffer.data(), n));
    std::fclose(p);
    o.Finish();
    return o;
}

long ResidentKb() {
    std::ifstream oStatus("/proc/self/status");
    for (std::string s; std::getline(oStatus, s);)
        if (s.starts_with("VmRSS:"))
            return std::atol(s.c_str() + 6);
    return 0;
}

void BM_IndexCollection(benchmark::State &state) {
    const std::string &sPath = Collection();
    std::size_t nGames = 0;
    double fMemory = 0;
    const long nBefore = ResidentKb();
    long nAdded = 0;
    for (auto _ : state) {
        const Pgn::Index o = IndexFile(sPath);
        nGames = o.Count();
        fMemory = static_cast<double>(o.MemoryUsed()) / 1e6;
        nAdded = std::max(nAdded, ResidentKb() - nBefore);
    }
    state.counters["games"] = static_cast<double>(nGames);
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(sPath)) / 1e6;
    state.counters["index_MB"] = fMemory;
    state.counters["rss_added_MB"] = static_cast<double>(nAdded) / 1e3;
}
BENCHMARK(BM_IndexCollection)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_GrepCollection(benchmark::State &state) {
    // Not into /dev/null: GNU grep stops at the first match when its output goes nowhere.
    const std::string sCommand = "grep -c '^\\[Event ' " + Collection() + " | cat >/dev/null";
    for (auto _ : state)
        if (std::system(sCommand.c_str()) != 0)
            state.SkipWithError("grep failed");
}
BENCHMARK(BM_GrepCollection)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// Seeking to a game and reading it, from any part of the file.
void BM_LoadOneGame(benchmark::State &state) {
    const std::string &sPath = Collection();
    const Pgn::Index o = IndexFile(sPath);
    std::size_t n = 0;
    for (auto _ : state) {
        n = (n + 7919) % o.Count();
        std::ifstream oIn(sPath, std::ios::binary);
        std::string sGame(o.End(n) - o.Begin(n), '\0');
        oIn.seekg(static_cast<std::streamoff>(o.Begin(n)));
        oIn.read(sGame.data(), static_cast<std::streamsize>(sGame.size()));
        clsRules oGame;
        try {
            if (!oIn)
                throw std::invalid_argument(sPath + ": cannot be read");
            Pgn::Read(oGame, sGame);
        } catch (const std::invalid_argument &e) {
            state.SkipWithError(e.what());
            break;
        }
        benchmark::DoNotOptimize(oGame.PlyCount());
    }
}
BENCHMARK(BM_LoadOneGame)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
