#include "BoardTestSupport.h"

#include <QApplication>
#include <QPointer>
#include <gtest/gtest.h>

namespace {

struct MoveCase {
    const char *sName;
    const char *sFen;
    bool bWhite;
    const char *sPrelude; // a typed move played first, or ""
    const char *sSrc;
    const char *sDest;
    qint16 nAnswer;
    bool bLater;
    QStringList oExpected;
    bool bPlayed;
};

const MoveCase MoveCases[] = {
    {"plain",
     "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR",
     true,
     "",
     "e2",
     "e4",
     -1,
     false,
     {"move e2 e4 W"},
     true},
    {"capture",
     "4k3/8/8/3p4/4P3/8/8/4K3",
     true,
     "",
     "e4",
     "d5",
     -1,
     false,
     {"move e4 d5 W", "capture 5"},
     true},
    {"en passant",
     "4k3/3p4/8/4P3/8/8/8/4K3",
     false,
     "d7d5",
     "e5",
     "d6",
     -1,
     false,
     {"move e5 d6 W"},
     true},
    {"castling", "4k3/8/8/8/8/8/8/4K2R", true, "", "e1", "g1", -1, false, {"move e1 g1 W"}, true},
    {"queen",
     "4k3/P7/8/8/8/8/8/4K3",
     true,
     "",
     "a7",
     "a8",
     7,
     false,
     {"promotion W", "move a7 a8 W", "check B"},
     true},
    {"rook later",
     "4k3/P7/8/8/8/8/8/4K3",
     true,
     "",
     "a7",
     "a8",
     8,
     true,
     {"promotion W", "move a7 a8 W", "check B"},
     true},
    {"knight",
     "4k3/P7/8/8/8/8/8/4K3",
     true,
     "",
     "a7",
     "a8",
     9,
     false,
     {"promotion W", "move a7 a8 W"},
     true},
    {"bishop takes",
     "1n2k3/P7/8/8/8/8/8/4K3",
     true,
     "",
     "a7",
     "b8",
     10,
     true,
     {"promotion W", "move a7 b8 W", "capture 3"},
     true},
    {"black queen",
     "4k3/8/8/8/8/8/p7/4K3",
     false,
     "",
     "a2",
     "a1",
     1,
     false,
     {"promotion B", "move a2 a1 B", "check W"},
     true},
    {"check",
     "4k3/8/8/8/8/8/8/R3K3",
     true,
     "",
     "a1",
     "a8",
     -1,
     false,
     {"move a1 a8 W", "check B"},
     true},
    {"mate",
     "6k1/5ppp/8/8/8/8/8/R5K1",
     true,
     "",
     "a1",
     "a8",
     -1,
     false,
     {"move a1 a8 W", "check B mate"},
     true},
    {"stalemate",
     "7k/8/8/6Q1/8/8/8/K7",
     true,
     "",
     "g5",
     "g6",
     -1,
     false,
     {"move g5 g6 W", "stalemate"},
     true},
    {"pinned", "4k3/4r3/8/8/8/8/4N3/4K3", true, "", "e2", "c3", -1, false, {}, false},
    {"promotion into check",
     "4k3/P7/8/8/8/8/8/r3K3",
     true,
     "",
     "a7",
     "a8",
     7,
     false,
     {"promotion W"},
     false},
    {"bad shape",
     "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR",
     true,
     "",
     "e2",
     "e5",
     -1,
     false,
     {},
     false},
    {"not your piece",
     "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR",
     true,
     "",
     "e7",
     "e5",
     -1,
     false,
     {},
     false},
};

// Typed and dropped moves must give the same events, in the same order, with the same verdicts.
TEST(BoardMoves, TypedAndDroppedRoadsReportAlike) {
    for (const bool bDrop : {false, true}) {
        for (const MoveCase &c : MoveCases) {
            SCOPED_TRACE(std::string(c.sName) + (bDrop ? " dropped" : " typed"));
            Board b;
            b.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&b));
            b.NewGame(c.bWhite, Layout(c.sFen));
            if (*c.sPrelude) {
                ASSERT_TRUE(b.MovePiece(QString(c.sPrelude).left(2), QString(c.sPrelude).mid(2)));
            }
            const bool bMover = b.IsWhitesTurn();
            Recorder r(b);
            r.nAnswer = c.nAnswer;
            r.bLater = c.bLater;
            if (bDrop)
                Drag(b, c.sSrc, CellCentre(c.sDest, true));
            else
                EXPECT_EQ(b.MovePiece(c.sSrc, c.sDest), c.bPlayed);
            EXPECT_EQ(r.oLog, c.oExpected);
            EXPECT_EQ(b.IsWhitesTurn(), c.bPlayed ? !bMover : bMover);
            EXPECT_TRUE(b.isEnabled());
        }
    }
}

TEST(BoardMoves, BadNamesAndEmptySourceAreRefused) {
    Board b;
    Recorder r(b);
    for (const auto &[s, d] : {std::pair{"E2", "e4"}, {"e3", "e4"}, {"e2", "e9"}, {"e2", ""}})
        EXPECT_FALSE(b.MovePiece(s, d)) << s << d;
    EXPECT_TRUE(r.oLog.isEmpty());
    EXPECT_TRUE(b.IsWhitesTurn());
}

TEST(BoardMoves, BadLayoutLeavesTheGameAsItWas) {
    Board b;
    ASSERT_TRUE(b.MovePiece("e2", "e4"));
    b.NewGame(true, "XX");
    b.NewGame(true, Layout("8/8/8/8/8/8/8/4K3")); // no black king
    EXPECT_FALSE(b.IsWhitesTurn());
    EXPECT_TRUE(b.UndoLastMove());
}

TEST(BoardMoves, NewGameFromAHandlerKeepsTheNewGamesTurn) {
    Board b;
    b.NewGame(true, Layout("6k1/5ppp/8/8/8/8/8/R5K1"));
    QObject::connect(&b, &Board::KingInCheck, [&b] { b.NewGame(false); });
    ASSERT_TRUE(b.MovePiece("a1", "a8"));
    EXPECT_FALSE(b.IsWhitesTurn());
    EXPECT_TRUE(b.MovePiece("e7", "e5"));
}

// --- The promotion wait --------------------------------------------------------------------

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

// Quitting leaves the application unable to run event loops, so this one runs in its own process.
TEST_F(PromotionWait, QuittingTakesTheUnansweredMoveBack) {
    bool bPlayed = true;
    QTimer::singleShot(0, b, [&] { bPlayed = b->MovePiece("a7", "a8"); });
    QObject::connect(b, &Board::PawnPromotion, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    qApp->exec();
    EXPECT_FALSE(bPlayed);
    EXPECT_TRUE(b->IsWhitesTurn());
    b->disconnect();
    QObject::connect(b, &Board::PawnPromotion, b, [this] { b->PromotionChoice(7); });
    EXPECT_TRUE(b->MovePiece("a7", "a8")); // the pawn is back on a7
}

// --- Perft through the public face ---------------------------------------------------------

// Counts leaves with MovePiece, UndoLastMove and the promotion answers alone.
struct PublicPerft {
    Board &b;
    qint16 nPiece = 0; // the answer for the next promotion: 0 queen .. 3 bishop
    bool bAsked = false;

    explicit PublicPerft(Board &o) : b(o) {
        QObject::connect(&b, &Board::PawnPromotion, [this](bool w) {
            bAsked = true;
            EXPECT_TRUE(b.PromotionChoice(static_cast<qint16>((w ? 7 : 1) + nPiece)));
        });
    }

    std::uint64_t Count(int nDepth) {
        static const QStringList oNames = [] {
            QStringList o;
            for (char r = '8'; r >= '1'; --r)
                for (char f = 'a'; f <= 'h'; ++f)
                    o << QString(QChar(f)) + QChar(r);
            return o;
        }();
        if (nDepth == 0)
            return 1;
        std::uint64_t n = 0;
        for (const QString &s : oNames) {
            for (const QString &d : oNames) {
                // A promotion is four moves: play it once with each answer.
                for (qint16 v = 0; v < 4; ++v) {
                    nPiece = v;
                    bAsked = false;
                    if (!b.MovePiece(s, d))
                        break;
                    const bool bPromotion = bAsked;
                    n += Count(nDepth - 1);
                    EXPECT_TRUE(b.UndoLastMove());
                    if (!bPromotion)
                        break;
                }
            }
        }
        return n;
    }
};

TEST(BoardPerft, PublicFaceCountsEveryLegalMove) {
    struct {
        const char *sFen;
        bool bWhite;
        std::uint64_t nLeaves;
    } const oCases[] = {{"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", true, 8902},
                        {"n1n5/PPPk4/8/8/8/8/4Kppp/5N1N", false, 9483}};
    for (const auto &c : oCases) {
        Board b;
        b.NewGame(c.bWhite, Layout(c.sFen));
        EXPECT_EQ(PublicPerft(b).Count(3), c.nLeaves) << c.sFen;
    }
}

} // namespace
