// The judge of positions set up by hand: one rule per row, a position that passes and one that
// fails, the en passant squares it offers, and FEN text that does not read.
#include "PositionCheck.h"

#include <gtest/gtest.h>
#include <random>

namespace {

using P = PositionCheck::Problem;
using F = PositionCheck::FenField;

PositionCheck::Setup Read(const char *sFen) {
    PositionCheck::Setup o;
    EXPECT_TRUE(PositionCheck::ReadFen(sFen, o).Read()) << sFen;
    return o;
}

struct Row {
    const char *sFen;
    P eProblem;
    int nDetail;       // the count, square or castling right the verdict names
    bool b960 = false; // judged as Chess960
};

// clang-format off
const Row Rows[] = {
    {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", P::None, 0},
    {"8/8/8/8/8/8/8/4K3 w - - 0 1", P::KingCount, 0},
    {"4k3/8/8/8/8/8/8/3KK3 w - - 0 1", P::KingCount, 2},
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", P::None, 0},
    {"rnbqkbnr/pppppppp/8/8/4N3/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", P::TooManyPieces, 17},
    {"4k3/7P/8/8/8/8/8/4K3 w - - 0 1", P::None, 0},
    {"4k2P/8/8/8/8/8/8/4K3 w - - 0 1", P::PawnOnBackRank, 8},
    {"4k3/8/8/8/8/8/PPPPPPP1/QQ2K3 w - - 0 1", P::None, 0},
    {"4k3/8/8/8/8/8/PPPPPPPP/QQ2K3 w - - 0 1", P::TooMuchMaterial, 0},
    {"4k3/8/8/8/8/8/PPPPPPPP/1B2KB2 w - - 0 1", P::TooMuchMaterial, 0}, // two light bishops
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", P::None, 0},
    {"4k3/8/8/8/8/8/8/4K2R w KQ - 0 1", P::CastlingRight, 1}, // a right with no rook
    {"r3k3/8/8/8/8/8/8/4K2R b Kk - 0 1", P::CastlingRight, 2},
    {"1r2k1r1/8/8/8/8/8/8/1R2K1R1 w KQkq - 0 1", P::CastlingRight, 0}, // rooks off a and h
    {"1r2k1r1/8/8/8/8/8/8/1R2K1R1 w KQkq - 0 1", P::None, 0, true},
    {"bbqnnrkr/pppppppp/8/8/8/8/PPPPPPP1/RBQNNRKR w KFkq - 0 1", P::None, 0, true}, // inner f1
    {"4k3/8/8/8/8/8/8/1K6 w K - 0 1", P::CastlingRight, 0, true},
    {"4k3/8/8/8/8/8/1K6/7R w K - 0 1", P::CastlingRight, 0, true}, // a king off its first rank
    {"r3k3/8/8/8/8/8/8/R3K3 w Qk - 0 1", P::CastlingRight, 2, true},
    {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", P::None, 0},
    {"4k3/8/8/8/8/8/8/4K3 w - d6 0 1", P::EnPassant, 20},
    {"4k3/3p4/8/3pP3/8/8/8/4K3 w - d6 0 1", P::EnPassant, 20},
    {"4k3/8/8/r2p3K/8/8/8/8 w - d6 0 1", P::EnPassant, 20}, // the step would have blocked a check
    {"4k3/8/8/8/8/8/4Q3/4K3 b - - 0 1", P::None, 0},
    {"4k3/8/8/8/8/8/4Q3/4K3 w - - 0 1", P::OpponentInCheck, 0},
    {"4k3/8/3N4/8/8/8/8/4R1K1 b - - 0 1", P::None, 0},          // the knight left e4
    {"4k3/5P2/3N4/8/8/8/4R3/4K3 b - - 0 1", P::TooManyCheckers, 3},
    {"8/8/5k2/p1q5/PP1rp1P1/3P1N2/2RK1r2/5nN1 w - - 0 3", P::None, 0},
    {"3R4/8/q4k2/2B5/1NK5/3b4/8/8 w - - 0 1", P::ImpossibleCheck, 2}, // checkers aligned
    {"4k3/6N1/8/8/B7/8/8/4K3 b - - 0 1", P::ImpossibleCheck, 2}, // no square the knight left
    {"3N4/R4k2/8/8/8/8/8/4K3 b - - 0 1", P::None, 0},           // exd8=N
    {"8/R4k2/8/6N1/8/8/8/4K3 b - - 0 1", P::ImpossibleCheck, 2},
    {"B3R3/8/3P4/8/4k3/8/8/7K b - - 0 1", P::None, 0},          // exd6 en passant
    {"B3R3/8/8/8/4k3/8/8/7K b - - 0 1", P::ImpossibleCheck, 2},
    {"4k3/8/8/3p4/4K3/8/8/8 w - d6 0 1", P::None, 0},           // d7-d5 gave the check
    {"8/8/8/1k6/3Pp3/8/8/4KQ2 b - d3 0 1", P::ImpossibleCheck, 44},
};
// clang-format on

TEST(PositionCheck, OneRowPerRuleThatPassesOrFails) {
    for (const Row &r : Rows) {
        const PositionCheck::Setup o = Read(r.sFen);
        const PositionCheck::Verdict v = PositionCheck::Judge(o, r.b960);
        EXPECT_EQ(v.eProblem, r.eProblem) << r.sFen;
        const int nDetail = r.eProblem == P::CastlingRight ? v.nRight
                            : v.nSquare                    ? v.nSquare
                                                           : v.nCount;
        EXPECT_EQ(nDetail, r.nDetail) << r.sFen;
        // Whatever the judge lets through, the game's own FEN reader takes as it is written.
        EXPECT_EQ(v.Playable() ? clsRules::FenError(clsRules::FenOf(o)) : "", "") << r.sFen;
    }
}

TEST(PositionCheck, EnPassantOffersOnlySquaresAPawnJustPassed) {
    const std::pair<const char *, unsigned> EnPassant[] = {
        {"4k3/5p2/8/2p2p2/8/8/8/4K3 w - - 0 1", 1u << 2}, // f7 is taken: only c5 stepped
        {"4k3/8/8/2p2p2/8/8/8/4K3 b - - 0 1", 0},         // White's turn would follow a push
        {"4k3/8/8/8/1P5P/8/8/4K3 b - - 0 1", 1u << 1 | 1u << 7},
        {"2b1k3/8/8/3pp3/8/7K/8/8 w - - 0 1", 1u << 3}, // only d7-d5 uncovers the check
        {"4r1k1/8/8/3p4/8/8/8/4K3 w - - 0 1", 0},       // the check stood before any step
    };
    for (const auto &[sFen, nColumns] : EnPassant)
        EXPECT_EQ(PositionCheck::EnPassantColumns(Read(sFen)), nColumns) << sFen;
}

TEST(PositionCheck, TextThatIsNoFenIsToldFromAPositionThatCannotBePlayed) {
    const std::pair<const char *, F> Faults[] = {
        {"", F::Count},
        {"4k3/8/8/8/8/8/8 w - - 0 1", F::Placement},
        {"4k3/8/8/8/8/8/8/R3K3 w HQ - 0 1", F::Castling}, // as one editor wrote it, no rook on h1
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkqA - 0 1", F::Castling}, // two queenside rights
        {"r3k2r/8/8/8/8/8/8/R3K2R w KKq - 0 1", F::Castling},
        {"4k3/8/8/8/8/8/8/4K3 w - e3 0 1", F::EnPassant},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 0", F::Fullmove},
    };
    PositionCheck::Setup o = Read("4k3/8/8/8/8/8/8/4K3 w - - 3 9");
    for (const auto &[sFen, eField] : Faults) {
        EXPECT_EQ(PositionCheck::ReadFen(sFen, o).eField, eField) << sFen;
        EXPECT_EQ(clsRules::FenOf(o), "4k3/8/8/8/8/8/8/4K3 w - - 3 9") << "left as it was";
    }
    // Text that reads is written back as X-FEN: spaces trimmed, Shredder letters as KQkq where
    // they name the outermost rooks, and only those that need it need Chess960.
    const std::tuple<const char *, const char *, bool> Readable[] = {
        {" 4k3/8/8/8/8/8/8/R3K3\tb Q - ", "4k3/8/8/8/8/8/8/R3K3 b Q - 0 1", false},
        {"r3k2r/8/8/8/8/8/8/R3K2R w HAha - 0 1", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", false},
        {"r3k2r/8/8/8/8/8/8/R3K2R w HQkq - 0 1", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", false},
        {"bbqnnrkr/pppppppp/8/8/8/8/PPPPPPP1/RBQNNRKR w HFhf - 0 1",
         "bbqnnrkr/pppppppp/8/8/8/8/PPPPPPP1/RBQNNRKR w KFkq - 0 1", true},
        // No rooks: read, for the judge to name.
        {"4k3/8/8/8/8/8/8/1K6 w Kq - 0 1", "4k3/8/8/8/8/8/8/1K6 w Kq - 0 1", false},
    };
    for (const auto &[sFen, sWritten, b960] : Readable) {
        bool bNeeds960 = !b960;
        ASSERT_TRUE(PositionCheck::ReadFen(sFen, o, &bNeeds960).Read()) << sFen;
        EXPECT_EQ(clsRules::FenOf(o), sWritten);
        EXPECT_EQ(bNeeds960, b960) << sFen;
    }
}

// Every position of random games, double checks (one game in twenty has one) and en passant squares
// included, is one a game reached, so the judge must let it be played; every third game is one of
// Chess960, its rights judged so.
TEST(PositionCheck, EveryPositionOfRandomGamesIsPlayable) {
    std::mt19937 oRandom(28);
    for (int nGame = 0; nGame < 300; ++nGame) {
        clsRules o;
        if (nGame % 3 == 0)
            o.NewGame960(static_cast<int>(oRandom() % 960));
        for (int nPly = 0; nPly < 300 && !o.IsGameOver(); ++nPly) {
            MoveList oMoves;
            o.LegalMoves(oMoves);
            ASSERT_TRUE(o.PlayMove(oMoves[oRandom() % oMoves.size()]));
            const PositionCheck::Setup p = o.PositionAt(o.PlyCount());
            const PositionCheck::Verdict v = PositionCheck::Judge(p, o.Is960());
            ASSERT_TRUE(v.Playable()) << clsRules::FenOf(p) << " " << int(v.eProblem);
            ASSERT_TRUE(!p.nEnPassantColumn ||
                        (PositionCheck::EnPassantColumns(p) >> (p.nEnPassantColumn - 1) & 1));
        }
    }
}

} // namespace
