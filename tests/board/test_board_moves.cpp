#include "TestBoard.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <array>
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
    {"4k3/8/8/3p4/4P3/8/8/4K3", false, "d5e4", -1, false, "move d5 e4 B|capture 11"},
    {"4k3/3p4/8/4P3/8/8/8/4K3", false, "d7d5 e5d6", -1, false, "move e5 d6 W"},
    {"4k3/8/8/8/8/8/8/4K2R", true, "e1g1", -1, false, "move e1 g1 W"},
    {"4k3/P7/8/8/8/8/8/4K3", true, "a7a8", 7, false, "promotion W|move a7 a8 W|check B"},
    {"4k3/P7/8/8/8/8/8/4K3", true, "a7a8", 8, true, "promotion W|move a7 a8 W|check B"},
    {"4k3/P7/8/8/8/8/8/4K3", true, "a7a8", 9, false,
     "promotion W|move a7 a8 W|over 1/2-1/2 insufficient material"},
    {"1n2k3/P7/8/8/8/8/8/4K3", true, "a7b8", 10, true,
     "promotion W|move a7 b8 W|capture 3|over 1/2-1/2 insufficient material"},
    {"4k3/8/8/8/8/8/p7/4K3", false, "a2a1", 1, false, "promotion B|move a2 a1 B|check W"},
    {"6k1/5ppp/8/8/8/8/8/R5K1", true, "a1a8", -1, false, "move a1 a8 W|check B mate|over 1-0 checkmate"},
    {"7k/8/8/6Q1/8/8/8/K7", true, "g5g6", -1, false, "move g5 g6 W|stalemate|over 1/2-1/2 stalemate"},
    {"4k3/4r3/8/8/8/8/4N3/4K3", true, "e2c3", -1, false, ""},           // pinned
    {"4k3/P7/8/8/8/8/8/r3K3", true, "a7a8", 7, false, "promotion W"}, // into check
    {Start, true, "e7e5", -1, false, ""}, // not the mover's piece
    {Start, true, "e4e5", -1, false, ""}, // an empty square
    {Start, true, "e2e2", -1, false, ""}, // back on its own square
    {Start, true, "e2i9", -1, false, ""}, // off the board: a bad name, a release outside
};
// clang-format on

// Plays by the keyboard: the focus square goes to the bottom left as seen, then to each square
// by the arrows as seen, and Space or Return takes or plays there.
void KeyMove(Board &b, const QString &sSrc, const QString &sDest, bool bWhitesView) {
    b.setFocus(Qt::TabFocusReason);
    for (const QString &s : {sSrc, sDest}) {
        for (int i = 0; i < 16; ++i)
            QTest::keyClick(&b, i % 2 ? Qt::Key_Down : Qt::Key_Left);
        const QPoint c = (CellOrigin(s, bWhitesView) - QPoint(2, 2)) / 41;
        for (int i = 0; i < c.x() + 7 - c.y(); ++i)
            QTest::keyClick(&b, i < c.x() ? Qt::Key_Right : Qt::Key_Up);
        QTest::keyClick(&b, s == sSrc ? Qt::Key_Space : Qt::Key_Return);
    }
}

// Typed moves (by squares or as text), drops, clicks and keys in either view must give the same
// events, in the same order, with the same verdicts; each is logged with the side to move once it
// is reported.
TEST(BoardMoves, TypedAndDroppedRoadsReportAlike) {
    // typed; dropped in White's view; in Black's; clicked in White's; keys in Black's and
    // White's; typed as text
    for (const int nRoad : {0, 1, 2, 3, 4, 5, 6}) {
        for (const MoveCase &c : MoveCases) {
            SCOPED_TRACE(std::string(c.sMoves) + " in " + c.sFen + " road " + char('0' + nRoad));
            Board b;
            b.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&b));
            b.NewGame(c.bWhite, Layout(c.sFen));
            const bool bView = nRoad != 2 && nRoad != 4;
            b.BoardView(bView);
            QString sMove = c.sMoves;
            if (sMove.size() > 4) {
                ASSERT_TRUE(b.MovePiece(sMove.left(2), sMove.mid(2, 2)));
                sMove = sMove.mid(5);
            }
            EventLog oLog(b);
            QObject::connect(&b, &Board::PawnPromotion, [&] {
                if (c.bLater)
                    QTimer::singleShot(0, &b, [&] { b.PromotionChoice(c.nAnswer); });
                else
                    b.PromotionChoice(c.nAnswer);
            });
            const bool bMover = b.IsWhitesTurn();
            const bool bPlayed = QString(c.sLog).contains("move");
            if (nRoad == 0)
                EXPECT_EQ(b.MovePiece(sMove.left(2), sMove.mid(2)), bPlayed);
            else if (nRoad <= 2)
                Drag(b, sMove.left(2), CellCentre(sMove.mid(2), bView), bView);
            else if (nRoad == 3)
                for (const QString &sAt : {sMove.left(2), sMove.mid(2)})
                    QTest::mouseClick(&b, Qt::LeftButton, {}, CellCentre(sAt));
            else if (nRoad <= 5)
                KeyMove(b, sMove.left(2), sMove.mid(2), bView);
            else
                EXPECT_EQ(b.MovePieceSan(sMove), bPlayed);
            // Clicks, keys and text play legal moves only: a refused move never asks for a piece.
            EXPECT_EQ(oLog.Take(), nRoad >= 3 && !bPlayed ? "" : c.sLog);
            EXPECT_EQ(b.IsWhitesTurn(), bMover != bPlayed);
            EXPECT_TRUE(b.isEnabled());
        }
    }
}

// Clicks select, switch, drop the selection and refuse illegal targets; the focused square is
// named for assistive technology.
TEST(BoardMoves, ClickSequences) {
    Board b;
    b.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&b));
    struct Step {
        const char *sAt;
        Qt::MouseButton nButton;
        const char *sName; // the accessible name after a Space on the clicked square
    } const oSteps[] = {
        {"g1", Qt::LeftButton, "g1, white knight, selected"},
        {"b1", Qt::LeftButton, "b1, white knight, selected"}, // switch
        {"b1", Qt::LeftButton, "b1, white knight"},           // second click drops it
        {"g1", Qt::LeftButton, "g1, white knight, selected"},
        {"g3", Qt::LeftButton, "g3, empty"}, // not a legal target: dropped
        {"e2", Qt::LeftButton, "e2, white pawn, selected"},
        {"e2", Qt::RightButton, "e2, white pawn"}, // a right click drops it
        {"e7", Qt::LeftButton, "e7, black pawn"},  // not the mover's piece
    };
    for (const Step &o : oSteps) {
        QTest::mouseClick(&b, o.nButton, {}, CellCentre(o.sAt));
        EXPECT_EQ(b.accessibleName().toStdString(), o.sName) << o.sAt;
    }
    EXPECT_TRUE(b.IsWhitesTurn());
    const QImage oBefore = b.grab().toImage(); // the opponent's piece is never taken up
    QTest::mousePress(&b, Qt::LeftButton, {}, CellCentre("d7"));
    QTest::mouseMove(&b, CellCentre("d5"));
    EXPECT_EQ(b.grab().toImage(), oBefore);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, CellCentre("d5"));
    EXPECT_EQ(b.grab().toImage(), oBefore);
    QTest::keyClick(&b, Qt::Key_Up); // a key shows the focus square a click hid
    EXPECT_NE(b.grab().toImage(), oBefore);
    QTest::mouseClick(&b, Qt::LeftButton, {}, CellCentre("g1"));
    QTest::keyClick(&b, Qt::Key_Escape);
    QTest::mouseClick(&b, Qt::LeftButton, {}, CellCentre("f3"));
    EXPECT_TRUE(b.IsWhitesTurn()) << "Escape dropped the selection";
    // A press on the selected piece, then a drag, is a drag.
    QTest::mouseClick(&b, Qt::LeftButton, {}, CellCentre("g1"));
    Drag(b, "g1", CellCentre("h3"));
    EXPECT_FALSE(b.IsWhitesTurn());
}

// A refused layout leaves the game and its picture as they were; a game started by a handler
// keeps its own turn.
TEST(BoardMoves, NewGameRefusedOrStartedFromAHandler) {
    Board b;
    ASSERT_TRUE(b.MovePiece("e2", "e4"));
    const QImage oBefore = b.grab().toImage();
    b.NewGame(true, "XX");
    b.NewGame(true, Layout("8/8/8/8/8/8/8/4K3")); // no black king
    EXPECT_EQ(b.grab().toImage(), oBefore);
    EXPECT_FALSE(b.IsWhitesTurn());
    EXPECT_TRUE(b.UndoLastMove());
    b.NewGame(true, Layout("6k1/5ppp/8/8/8/8/8/R5K1"));
    QObject::connect(&b, &Board::KingInCheck, [&b] { b.NewGame(false); });
    ASSERT_TRUE(b.MovePiece("a1", "a8"));
    EXPECT_TRUE(b.MovePiece("e7", "e5"));
}

// PositionChanged and GameOver come once the move is complete: a host may act in them, and
// whatever ends the game there is told once, by its own GameOver.
TEST(BoardMoves, HostsActInPositionChangedAndGameOverAndEachEndIsToldOnce) {
    const char *const sFool = "rnbqkbnr/pppp1ppp/8/4p3/8/5P2/PPPPP1PP/RNBQKBNR w KQkq - 0 2";
    const char *const sMate = "rnbqkbnr/pppp1ppp/8/4p3/6P1/5P2/PPPPP2P/RNBQKBNR b KQkq - 0 2";
    // The act: resign, draw, undo or a move, in the handler of PositionChanged, or GameOver (G).
    const std::array<const char *, 5> rows[] = {
        {sFool, "g2g4", "resign", "move g2 g4 W|over 1-0 resignation", "1-0"},
        {sFool, "g2g4", "draw", "move g2 g4 W|over 1/2-1/2 agreement", "1/2-1/2"},
        {sFool, "g2g4", "d8h4", "move g2 g4 W|move d8 h4 B|check W mate|over 0-1 checkmate", "0-1"},
        {sMate, "d8h4", "undo", "move d8 h4 B|check W mate", "*"},
        {sMate, "d8h4", "G undo", "move d8 h4 B|check W mate|over 0-1 checkmate", "*"},
    };
    for (const auto &[sFen, sMove, sAct, sLog, sResult] : rows) {
        SCOPED_TRACE(sLog);
        Board b;
        ASSERT_TRUE(b.SetFen(sFen));
        EventLog oLog(b);
        const QString s = QString(sAct).remove("G ");
        const auto Act = [&, bActed = false]() mutable { // once
            EXPECT_TRUE(std::exchange(bActed, true) ||
                        (s == "resign" ? b.Resign()
                         : s == "draw" ? b.AgreeDraw()
                         : s == "undo" ? b.UndoLastMove()
                                       : b.MovePiece(s.left(2), s.mid(2))));
        };
        if (QString(sAct).startsWith("G "))
            QObject::connect(&b, &Board::GameOver, &b, Act);
        else
            QObject::connect(&b, &Board::PositionChanged, &b, Act);
        ASSERT_TRUE(b.MovePiece(QString(sMove).left(2), QString(sMove).mid(2)));
        EXPECT_EQ(oLog.Take(), sLog);
        EXPECT_EQ(b.Result(), sResult);
    }
}

// Reviewing one game: each row steps, jumps, tries a move or changes the game while a ply is
// shown. The picture is always that of a board which played only the moves shown, marks
// included; only squares whose look changed are drawn again; the live game is untouched.
TEST(BoardReview, StepJumpRefuseUndoAndLoad) {
    const QStringList oGame = {"e2e4", "f7f6", "d1h5", "g7g6"}; // ply 3 gives check
    const auto Aids = [](Board &b) {
        b.SetShowLastMove(true);
        b.SetShowCheck(true);
    };
    Board b;
    Aids(b);
    for (const QString &s : oGame)
        ASSERT_TRUE(b.MovePiece(s.left(2), s.mid(2)));
    const QString sPgn = b.Pgn();
    int nSignalled = -1;
    QObject::connect(&b, &Board::ViewChanged, &b, [&](int n) { nSignalled = n; });
    struct Row {
        const char *sAct;
        int nPly;
        bool bOk;
        int nViewed, nPlies;
    } const Rows[] = {
        {"view", 3, true, 3, 4},   {"view", 0, true, 0, 4},   {"view", 5, false, 0, 4},
        {"view", -1, false, 0, 4}, {"move", 0, false, 0, 4},  {"san", 0, false, 0, 4},
        {"drag", 0, false, 0, 4},  {"click", 0, false, 0, 4}, {"view", 2, true, 2, 4},
        {"undo", 0, true, 3, 3},   {"view", 1, true, 1, 3},   {"load", 0, true, 4, 4},
        {"view", 4, true, 4, 4},
    };
    QImage oShown = b.grab().toImage();
    for (const Row &o : Rows) {
        SCOPED_TRACE(std::string(o.sAct) + ' ' + std::to_string(o.nPly));
        const QString sAct = o.sAct;
        const int nBefore = b.property("renderedSquares").toInt();
        if (sAct == "drag")
            Drag(b, "e2", CellCentre("e3"));
        else if (sAct == "click")
            QTest::mouseClick(&b, Qt::LeftButton, {}, CellCentre("e2"));
        else
            EXPECT_EQ(sAct == "view"   ? b.ViewPly(o.nPly)
                      : sAct == "move" ? b.MovePiece("e2", "e3")
                      : sAct == "san"  ? b.MovePieceSan("e3")
                      : sAct == "undo" ? b.UndoLastMove()
                                       : b.LoadPgn(sPgn),
                      o.bOk);
        EXPECT_EQ(b.ViewedPly(), o.nViewed);
        EXPECT_EQ(b.PlyCount(), o.nPlies);
        EXPECT_TRUE(o.bOk || sAct == "view" ||
                    b.LastRefusal() == Board::Refusal::EarlierPositionShown);
        EXPECT_TRUE(!o.bOk || sAct != "view" || nSignalled == o.nViewed);
        EXPECT_EQ(b.Fen(), b.FenAt(b.PlyCount())) << "the live game";
        EXPECT_EQ(b.IsWhitesTurn(), o.nPlies % 2 == 0);
        Board oExpected;
        Aids(oExpected);
        for (const QString &s : oGame.mid(0, o.nViewed))
            oExpected.MovePiece(s.left(2), s.mid(2));
        EXPECT_EQ(oExpected.Fen(), b.FenAt(o.nViewed));
        const QImage oNow = b.grab().toImage();
        EXPECT_EQ(oNow, oExpected.grab().toImage());
        if (sAct == "view") {
            const QString sChanged = QString::fromStdString(DifferingCells(oShown, oNow));
            EXPECT_EQ(b.property("renderedSquares").toInt() - nBefore,
                      sChanged.isEmpty() ? 0 : sChanged.split(' ').size());
        }
        oShown = oNow;
    }
    EXPECT_TRUE(b.FenAt(5).isEmpty());
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
            for (const bool bDone :
                 {b->MovePieceSan("Kd1"), b->SetFen("4k3/8/8/8/8/8/8/4K3 w - - 0 1"),
                  b->LoadPgn("1. e4"), b->Resign(), b->AgreeDraw(), b->ClaimDraw()})
                EXPECT_FALSE(bDone);
            EXPECT_EQ(b->Fen(), "4k3/P7/8/8/8/8/8/4K3 w - - 0 1"); // the move is not made yet
            b->NewGame(false);
            EXPECT_TRUE(b->IsWhitesTurn());
            EXPECT_TRUE(b->PromotionChoice(7));
            EXPECT_FALSE(b->PromotionChoice(8)); // already answered
        });
    });
    EXPECT_TRUE(b->MovePiece("a7", "a8"));
    EXPECT_FALSE(b->IsWhitesTurn());
    EXPECT_FALSE(b->PromotionChoice(7)); // nothing pending
}

// Inside its handler a host may disable the board and answer; the move is still being played
// until its events are done, and a new game started by one of them silences the rest.
TEST_F(PromotionWait, AnAnswerInsideTheHandlerStillFinishesTheMoveFirst) {
    QStringList oLog;
    QObject::connect(b, &Board::PawnPromotion, b, [this] {
        b->setEnabled(false);
        EXPECT_TRUE(b->PromotionChoice(7));
        b->NewGame(false);
        EXPECT_FALSE(b->MovePiece("e7", "e5"));
    });
    QObject::connect(b, &Board::PieceMovement, b, [&] { oLog << "move", b->NewGame(); });
    QObject::connect(b, &Board::KingInCheck, b, [&] { oLog << "check"; });
    EXPECT_TRUE(b->MovePiece("a7", "a8"));
    EXPECT_EQ(oLog, QStringList{"move"});
    EXPECT_FALSE(b->isEnabled());
    EXPECT_TRUE(b->IsWhitesTurn());
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
    b->disconnect();
    QObject::connect(b, &Board::PawnPromotion, b, [this] { b->PromotionChoice(7); });
    EXPECT_TRUE(b->MovePiece("a7", "a8")); // the pawn was back on a7, White still to move
}

} // namespace
