// Rules engine figures: perft speed, the legal-move list, FEN, the game record's bookkeeping,
// SAN and PGN, and the cost of the exact mate and stalemate verdicts.
#include "BenchGame.h"
#include "Perft.h"
#include "Pgn.h"
#include "PositionCheck.h"
#include "TestRules.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string_view>
#include <utility>

namespace {

void BM_PerftStart5(benchmark::State &state) {
    clsRules oRules;
    std::uint64_t nLeaves = 0;
    for (auto _ : state)
        nLeaves = Perft(oRules, 5);
    state.counters["leaves"] = static_cast<double>(nLeaves);
    state.counters["leaves_per_second"] =
        benchmark::Counter(static_cast<double>(nLeaves) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PerftStart5)->Unit(benchmark::kMillisecond)->Iterations(3);

constexpr const char *Kiwipete =
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";

// Perft of one position, as a Chess960 game or not: leaves per second compare standard chess
// with Chess960 in the same run.
void BM_Perft(benchmark::State &state, const char *sFen, int nDepth, bool b960) {
    clsRules oRules;
    oRules.SetFen(sFen, b960);
    std::uint64_t nLeaves = 0;
    for (auto _ : state)
        nLeaves = Perft(oRules, nDepth);
    state.counters["leaves"] = static_cast<double>(nLeaves);
    state.counters["leaves_per_second"] =
        benchmark::Counter(static_cast<double>(nLeaves) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}
// Opening positions at depth 5: the standard start as standard chess and as Chess960 number
// 518, and Chess960 numbers 0 and 959.
BENCHMARK_CAPTURE(BM_Perft, start_standard,
                  "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 5, false)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_Perft, start_chess960_518,
                  "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 5, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_Perft, start_chess960_0,
                  "bbqnnrkr/pppppppp/8/8/8/8/PPPPPPPP/BBQNNRKR w KQkq - 0 1", 5, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_Perft, start_chess960_959,
                  "rkrnnqbb/pppppppp/8/8/8/8/PPPPPPPP/RKRNNQBB w KQkq - 0 1", 5, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
// Middlegames rich in castling at depth 4: Kiwipete, and two of the published Chess960 table
// (the king between its rooks; the king beside its rook).
BENCHMARK_CAPTURE(BM_Perft, kiwipete, Kiwipete, 4, false)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_Perft, chess960_table_14,
                  "qn1rkrbb/pp1p1ppp/2p1p3/3n4/4P2P/2NP4/PPP2PP1/Q1NRKRBB w FDfd - 1 9", 4, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_Perft, chess960_table_0,
                  "bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR w HFhf - 2 9", 4, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The legal-move list of a crowded middlegame (48 moves).
void BM_LegalMoves(benchmark::State &state) {
    clsRules oRules;
    oRules.SetFen(Kiwipete);
    MoveList oMoves;
    for (auto _ : state) {
        oRules.LegalMoves(oMoves);
        benchmark::DoNotOptimize(oMoves.size());
    }
    state.counters["moves"] = static_cast<double>(oMoves.size());
}
BENCHMARK(BM_LegalMoves);

void BM_Fen(benchmark::State &state) {
    clsRules oRules;
    oRules.SetFen(Kiwipete);
    for (auto _ : state)
        benchmark::DoNotOptimize(oRules.Fen());
}
BENCHMARK(BM_Fen);

// The loss on time's question, whether the opponent can still mate, where it takes longest: a
// search that ends at its limit (a knight against a pawn) and one that runs out of positions
// (locked pawns, kings only).
void BM_CanCheckmate(benchmark::State &state, const char *sFen) {
    clsRules o;
    o.SetFen(sFen);
    for (auto _ : state)
        benchmark::DoNotOptimize(o.CanCheckmate(!o.IsWhitesTurn()));
}
BENCHMARK_CAPTURE(BM_CanCheckmate, knight_against_pawn, "8/p7/4k3/8/8/8/8/N3K3 b - - 0 1")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CanCheckmate, locked_pawns, "8/8/1k6/p1p1p1p1/P1P1P1P1/8/8/4K3 b - - 0 1")
    ->Unit(benchmark::kMillisecond);

// A quiet knight move played and taken back, with and without the game record (clocks, key,
// repetition, dead-position and 75-move checks): the difference is the draw bookkeeping.
void BM_MoveJudged(benchmark::State &state) {
    clsRules oRules;
    oRules.SetFen(Kiwipete);
    for (auto _ : state) {
        oRules.BeginMove(clsRules::NotationToSquare("c3"), clsRules::NotationToSquare("b1"));
        benchmark::DoNotOptimize(oRules.JudgeMove());
        oRules.PassTurn();
        oRules.UndoLastMove();
    }
}
BENCHMARK(BM_MoveJudged);

void BM_MoveJudgedWithoutRecord(benchmark::State &state) {
    clsRules oRules;
    oRules.SetFen(Kiwipete);
    const int nSrc = clsRules::NotationToSquare("c3");
    const int nDest = clsRules::NotationToSquare("b1");
    for (auto _ : state) {
        oRules.TryMove(nSrc, nDest, false);
        oRules.MakeMove(nSrc, nDest, true);
        // What JudgeMove decides besides the record: both checks and the opponent's escape.
        benchmark::DoNotOptimize(oRules.IsSquareAttacked(true, oRules.WhiteKingSquare()));
        benchmark::DoNotOptimize(oRules.IsSquareAttacked(false, oRules.BlackKingSquare()));
        benchmark::DoNotOptimize(oRules.HasLegalMove(false));
        oRules.UndoMove();
    }
}
BENCHMARK(BM_MoveJudgedWithoutRecord);

struct Verdict {
    const char *sPlacement;
    bool bDefenderIsWhite;
    bool bExpected;
};

// Crowded positions: a check with one answer far down the board, a mate that needs the whole
// search, an ordinary middlegame, and a stalemate of a nearly full army.
constexpr Verdict CheckAnswered = {"rnbqkbnr/ppppp1pp/5p2/7Q/4P3/8/PPPP1PPP/RNB1KBNR", false,
                                   false};
constexpr Verdict CheckMated = {"rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR", true, true};
constexpr Verdict Middlegame = {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R", true,
                                false};
constexpr Verdict Stalemated = {"5bnr/4p1pq/4Qpkr/7p/7P/4P3/PPPP1PP1/RNB1KBNR", false, true};

void Judge(benchmark::State &state, Verdict v, bool bMate) {
    clsRules oRules;
    oRules.NewGame(!v.bDefenderIsWhite, LayoutFromFen(v.sPlacement));
    const int nKing = v.bDefenderIsWhite ? oRules.WhiteKingSquare() : oRules.BlackKingSquare();
    for (auto _ : state) {
        const bool b = bMate ? oRules.IsCheckmate(v.bDefenderIsWhite, nKing)
                             : oRules.IsStalemate(v.bDefenderIsWhite, nKing);
        if (b != v.bExpected)
            state.SkipWithError("wrong verdict");
        benchmark::DoNotOptimize(b);
    }
}
void BM_IsCheckmate(benchmark::State &state, Verdict v) {
    Judge(state, v, true);
}
void BM_IsStalemate(benchmark::State &state, Verdict v) {
    Judge(state, v, false);
}
BENCHMARK_CAPTURE(BM_IsCheckmate, check_answered, CheckAnswered);
BENCHMARK_CAPTURE(BM_IsCheckmate, mate_whole_search, CheckMated);
BENCHMARK_CAPTURE(BM_IsStalemate, middlegame, Middlegame);
BENCHMARK_CAPTURE(BM_IsStalemate, stalemate_whole_search, Stalemated);

// What Set Up Position judges after every change of a piece: the verdict, the castling rights the
// pieces support and the en passant squares possible. A crowded middlegame; one with an en
// passant square; an impossible double check, for which every last move is tried.
void BM_JudgeSetUp(benchmark::State &state, const char *sFen) {
    PositionCheck::Setup o;
    if (!PositionCheck::ReadFen(sFen, o).Read())
        state.SkipWithError("no FEN");
    for (auto _ : state) {
        benchmark::DoNotOptimize(PositionCheck::Judge(o).eProblem);
        benchmark::DoNotOptimize(PositionCheck::SupportedCastling(o));
        benchmark::DoNotOptimize(PositionCheck::EnPassantColumns(o));
    }
}
BENCHMARK_CAPTURE(BM_JudgeSetUp, crowded,
                  "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
BENCHMARK_CAPTURE(BM_JudgeSetUp, en_passant,
                  "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3");
BENCHMARK_CAPTURE(BM_JudgeSetUp, impossible_double_check, "4k3/6N1/8/8/B7/8/8/4K3 b - - 0 1");

// SAN of one move, averaged over every legal move of a crowded middlegame.
void BM_SanOfOneMove(benchmark::State &state) {
    clsRules oRules;
    oRules.SetFen(Kiwipete);
    MoveList oMoves;
    oRules.LegalMoves(oMoves);
    std::string s;
    s.reserve(16);
    std::size_t i = 0;
    for (auto _ : state) {
        s.clear();
        Notation::AppendSan(oRules, oMoves[i], s);
        benchmark::DoNotOptimize(s.data());
        i = i + 1 == oMoves.size() ? 0 : i + 1;
    }
}
BENCHMARK(BM_SanOfOneMove);

// Reading a 150-ply annotated game: each move played once on a scratch game the target adopts.
void BM_PgnLoad150Plies(benchmark::State &state) {
    const std::string sText = AnnotatedGame();
    clsRules oRules;
    for (auto _ : state)
        Pgn::Load(oRules, sText);
    state.counters["plies"] = static_cast<double>(oRules.Record().size());
    state.counters["bytes"] = static_cast<double>(sText.size());
}
BENCHMARK(BM_PgnLoad150Plies)->Unit(benchmark::kMicrosecond);

void BM_PgnWrite150Plies(benchmark::State &state) {
    clsRules oRules;
    Pgn::Load(oRules, AnnotatedGame());
    for (auto _ : state)
        benchmark::DoNotOptimize(Pgn::Write(oRules));
}
BENCHMARK(BM_PgnWrite150Plies)->Unit(benchmark::kMicrosecond);

// A plain 154-ply game, as chess.js's loadPgn is measured on (bench/rules/js/compare.sh).
void BM_PgnLoadPlain154Plies(benchmark::State &state) {
    const std::string sText = PlainGame();
    clsRules oRules;
    for (auto _ : state)
        Pgn::Load(oRules, sText);
    state.counters["plies"] = static_cast<double>(oRules.PlyCount());
}
BENCHMARK(BM_PgnLoadPlain154Plies)->Unit(benchmark::kMicrosecond);

// The annotated set read and written again game by game, every move of every line played, as
// chessops is measured on it (bench/rules/js/compare.sh).
void BM_PgnAnnotatedSet(benchmark::State &state) {
    const std::string sText = AnnotatedGames();
    clsRules oRules;
    std::size_t nWritten = 0;
    int nGames = 0;
    for (auto _ : state) {
        nWritten = 0;
        nGames = 0;
        for (std::string_view s = sText; !s.empty(); ++nGames) {
            std::size_t nEnd = 0;
            Pgn::Read(oRules, s, &nEnd);
            nWritten += Pgn::Write(oRules).size();
            s.remove_prefix(nEnd);
            while (!s.empty() && (s.front() == '\n' || s.front() == ' '))
                s.remove_prefix(1);
        }
    }
    state.counters["games"] = nGames;
    state.counters["nodes"] = static_cast<double>(oRules.NodeCount());
    state.counters["bytes"] = static_cast<double>(sText.size());
    state.counters["written"] = static_cast<double>(nWritten);
}
BENCHMARK(BM_PgnAnnotatedSet)->Unit(benchmark::kMicrosecond);

// A game with as many distinct tags as the argument: reading them should grow linearly.
void BM_PgnManyTags(benchmark::State &state) {
    std::string sText;
    for (int i = 0; i < state.range(0); ++i)
        sText += "[T" + std::to_string(i) + " \"v\"]\n";
    sText += "*";
    clsRules oRules;
    for (auto _ : state)
        Pgn::Load(oRules, sText);
}
BENCHMARK(BM_PgnManyTags)->Arg(50000)->Arg(200000)->Unit(benchmark::kMillisecond);

} // namespace

// --write-games=DIR writes the games the PGN figures read (plain.pgn, annotated.pgn) for
// other programs to read the same; otherwise the benchmarks run.
int main(int argc, char **argv) {
    for (int i = 1; i < argc; ++i)
        if (const std::string_view s = argv[i]; s.starts_with("--write-games=")) {
            const std::string sDir(s.substr(14));
            for (const auto &[sName, sText] : {std::pair{"/plain.pgn", PlainGame()},
                                               std::pair{"/annotated.pgn", AnnotatedGames()}}) {
                std::FILE *f = std::fopen((sDir + sName).c_str(), "wb");
                if (!f || std::fwrite(sText.data(), 1, sText.size(), f) != sText.size() ||
                    std::fclose(f) != 0)
                    return 1;
            }
            return 0;
        }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
