#include "BoardTestSupport.h"

#include <QApplication>
#include <QPointer>
#include <gtest/gtest.h>

namespace {

const char *const Start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";

struct MoveCase {
    const char *sFen;
    bool bWhite;
    const char *sMoves; // "e2e4", or a typed move played first and then the one under test
    qint16 nAnswer;     // promotion piece; bLater answers from the board's wait, not the handler
    bool bLater;
    const char *sLog; // every signal in order, '|' between; the move was played if it is there
};

// clang-format off
const MoveCase MoveCases[] = {
    {Start, true, "e2e4", -1, false, "move e2 e4 W"},
    {"4k3/8/8/3p4/4P3/8/8/4K3", true, "e4d5", -1, false, "move e4 d5 W|capture 5"},
    {"4k3/3p4/8/4P3/8/8/8/4K3", false, "d7d5 e5d6", -1, false, "move e5 d6 W"},
    {"4k3/8/8/8/8/8/8/4K2R", true, "e1g1", -1, false, "move e1 g1 W"},
    {"4k3/P7/8/8/8/8/8/4K3", true, "a7a8", 7, false, "promotion W|move a7 a8 W|check B"},
    {"4k3/P7/8/8/8/8/8/4K3", true, "a7a8", 8, true, "promotion W|move a7 a8 W|check B"},
    {"4k3/P7/8/8/8/8/8/4K3", true, "a7a8", 9, false, "promotion W|move a7 a8 W"},
    {"1n2k3/P7/8/8/8/8/8/4K3", true, "a7b8", 10, true, "promotion W|move a7 b8 W|capture 3"},
    {"4k3/8/8/8/8/8/p7/4K3", false, "a2a1", 1, false, "promotion B|move a2 a1 B|check W"},
    {"4k3/8/8/8/8/8/8/R3K3", true, "a1a8", -1, false, "move a1 a8 W|check B"},
    {"6k1/5ppp/8/8/8/8/8/R5K1", true, "a1a8", -1, false, "move a1 a8 W|check B mate"},
    {"7k/8/8/6Q1/8/8/8/K7", true, "g5g6", -1, false, "move g5 g6 W|stalemate"},
    {"4k3/4r3/8/8/8/8/4N3/4K3", true, "e2c3", -1, false, ""},           // pinned
    {"4k3/P7/8/8/8/8/8/r3K3", true, "a7a8", 7, false, "promotion W"}, // into check
    {Start, true, "e2e5", -1, false, ""},
    {Start, true, "e7e5", -1, false, ""},
};
// clang-format on

// Typed and dropped moves must give the same events, in the same order, with the same verdicts.
TEST(BoardMoves, TypedAndDroppedRoadsReportAlike) {
    for (const bool bDrop : {false, true}) {
        for (const MoveCase &c : MoveCases) {
            SCOPED_TRACE(std::string(c.sMoves) + " in " + c.sFen + (bDrop ? " dropped" : ""));
            Board b;
            b.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&b));
            b.NewGame(c.bWhite, Layout(c.sFen));
            QString sMove = c.sMoves;
            if (sMove.size() > 4) {
                ASSERT_TRUE(b.MovePiece(sMove.left(2), sMove.mid(2, 2)));
                sMove = sMove.mid(5);
            }
            const bool bMover = b.IsWhitesTurn();
            Recorder r(b);
            r.nAnswer = c.nAnswer;
            r.bLater = c.bLater;
            const bool bPlayed = QString(c.sLog).contains("move");
            if (bDrop)
                Drag(b, sMove.left(2), CellCentre(sMove.mid(2), true));
            else
                EXPECT_EQ(b.MovePiece(sMove.left(2), sMove.mid(2)), bPlayed);
            EXPECT_EQ(r.Log(), c.sLog);
            EXPECT_EQ(b.IsWhitesTurn(), bPlayed ? !bMover : bMover);
            EXPECT_TRUE(b.isEnabled());
        }
    }
}

// A refused layout leaves the game as it was; a game started by a handler keeps its own turn.
TEST(BoardMoves, NewGameRefusedOrStartedFromAHandler) {
    Board b;
    for (const char *s : {"E2e4", "e2e2"})
        EXPECT_FALSE(b.MovePiece(QString(s).left(2), QString(s).mid(2))) << s;
    ASSERT_TRUE(b.MovePiece("e2", "e4"));
    b.NewGame(true, "XX");
    b.NewGame(true, Layout("8/8/8/8/8/8/8/4K3")); // no black king
    EXPECT_FALSE(b.IsWhitesTurn());
    EXPECT_TRUE(b.UndoLastMove());
    b.NewGame(true, Layout("6k1/5ppp/8/8/8/8/8/R5K1"));
    QObject::connect(&b, &Board::KingInCheck, [&b] { b.NewGame(false); });
    ASSERT_TRUE(b.MovePiece("a1", "a8"));
    EXPECT_TRUE(b.MovePiece("e7", "e5"));
}

class PromotionWait : public ::testing::Test {
protected:
    Board *b = new Board;
    QPointer<Board> oAlive = b;
    void SetUp() override { b->NewGame(true, Layout("4k3/P7/8/8/8/8/8/4K3")); }
    void TearDown() override { delete oAlive; }
};

TEST_F(PromotionWait, WrongChoicesKeepWaitingAndOtherCallsAreRefused) {
    QObject::connect(b, &Board::PawnPromotion, b, [this] {
        EXPECT_FALSE(b->PromotionChoice(1));  // a black queen for a white pawn
        EXPECT_FALSE(b->PromotionChoice(11)); // a pawn
        QTimer::singleShot(0, b, [this] {
            EXPECT_FALSE(b->isEnabled());
            EXPECT_FALSE(b->MovePiece("e1", "d1"));
            EXPECT_FALSE(b->UndoLastMove());
            b->NewGame(false);
            EXPECT_TRUE(b->IsWhitesTurn());
            EXPECT_TRUE(b->PromotionChoice(7));
            EXPECT_FALSE(b->PromotionChoice(8)); // already answered
        });
    });
    EXPECT_TRUE(b->MovePiece("a7", "a8"));
    EXPECT_TRUE(b->isEnabled());
    EXPECT_FALSE(b->IsWhitesTurn());
    EXPECT_FALSE(b->PromotionChoice(7)); // nothing pending
}

TEST_F(PromotionWait, DeletingTheBoardEndsTheWait) {
    QObject::connect(b, &Board::PawnPromotion, b,
                     [this] { QTimer::singleShot(0, qApp, [this] { delete b; }); });
    EXPECT_FALSE(b->MovePiece("a7", "a8"));
    EXPECT_TRUE(oAlive.isNull());
}

// The application quits while the question is open: the move is taken back.
TEST_F(PromotionWait, QuittingTakesTheUnansweredMoveBack) {
    bool bPlayed = true;
    QTimer::singleShot(0, b, [&] { bPlayed = b->MovePiece("a7", "a8"); });
    QObject::connect(b, &Board::PawnPromotion, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    qApp->exec();
    EXPECT_FALSE(bPlayed);
    EXPECT_TRUE(b->IsWhitesTurn());
    b->disconnect();
    QObject::connect(b, &Board::PawnPromotion, b, [this] { b->PromotionChoice(7); });
    EXPECT_TRUE(b->MovePiece("a7", "a8")); // the pawn was back on a7
}

// Counts leaves with MovePiece, UndoLastMove and the promotion answers alone; each promotion
// is played once with each of the four answers.
std::uint64_t Perft(Board &b, int nDepth, qint16 &nPiece, bool &bAsked) {
    if (nDepth == 0)
        return 1;
    std::uint64_t n = 0;
    for (int s = 0; s < 64; ++s) {
        for (int d = 0; d < 64; ++d) {
            for (qint16 v = 0; v < 4; ++v) {
                nPiece = v;
                bAsked = false;
                if (!b.MovePiece(Name(s), Name(d)))
                    break;
                const bool bPromotion = bAsked;
                n += Perft(b, nDepth - 1, nPiece, bAsked);
                EXPECT_TRUE(b.UndoLastMove());
                if (!bPromotion)
                    break;
            }
        }
    }
    return n;
}

TEST(BoardPerft, PublicFaceCountsEveryLegalMove) {
    for (const auto &[sFen, bWhite, nLeaves] :
         {std::tuple{Start, true, 8902}, {"n1n5/PPPk4/8/8/8/8/4Kppp/5N1N", false, 9483}}) {
        Board b;
        b.NewGame(bWhite, Layout(sFen));
        qint16 nPiece = 0;
        bool bAsked = false;
        QObject::connect(&b, &Board::PawnPromotion, [&](bool w) {
            bAsked = true;
            EXPECT_TRUE(b.PromotionChoice(static_cast<qint16>((w ? 7 : 1) + nPiece)));
        });
        EXPECT_EQ(Perft(b, 3, nPiece, bAsked), static_cast<std::uint64_t>(nLeaves)) << sFen;
    }
}

} // namespace
