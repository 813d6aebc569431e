// The game tree on the board: moves played on an earlier position go into the tree and raise
// only the tree's signals; arrows and circles drawn with the right button.
#include "TestBoard.h"

#include <QTimer>
#include <gtest/gtest.h>
#include <tavlon/BoardRenderer.h>

namespace {

const char *const Game = "1. e4 f5 (1... c5 2. Nf3) 2. Nf3 *";

// The tree's own signals, beside the game's (EventLog): "tree|view 2|node 7|position".
struct TreeLog {
    QStringList oLog;
    explicit TreeLog(Board &b) {
        QObject::connect(&b, &Board::TreeChanged, &b, [this] { oLog << "tree"; });
        QObject::connect(&b, &Board::ViewChanged, &b,
                         [this](int n) { oLog << "view " + QString::number(n); });
        QObject::connect(&b, &Board::PositionChanged, &b, [this] { oLog << "position"; });
    }
    std::string Take() { return std::exchange(oLog, {}).join('|').toStdString(); }
};

struct RoadCase {
    const char *sWhy;
    const char *sAt;   // the SAN path of the node shown
    char cHow;         // by squares ('s'), as text ('t'), dragged ('d') or clicked ('c')
    const char *sMove; // played there: "e2e4", or the text
    const char *sTree; // the tree's signals
    const char *sSan;  // of the node shown afterwards
    const char *sGame = Game;
};

int NodeAt(const Board &b, const QString &sPath) {
    int n = b.RootNode();
    for (const QString &sSan : sPath.split(' ', Qt::SkipEmptyParts)) {
        int nNext = -1;
        for (const int c : b.ChildNodes(n))
            if (b.NodeSan(c) == sSan)
                nNext = c;
        n = nNext;
    }
    return n;
}

// clang-format off
const RoadCase Roads[] = {
    {"typed by squares", "e4", 's', "b8c6", "tree|view 2", "Nc6"},
    {"typed as text", "e4 c5", 't', "Nc3", "tree|view 3", "Nc3"},
    {"dragged, a capture", "e4 f5", 'd', "e4f5", "tree|view 3", "exf5"},
    {"clicked, a check", "e4 f5", 'c', "d1h5", "tree|view 3", "Qh5+"},
    {"from the start", "", 'c', "d2d4", "tree|view 1", "d4"},
    {"the next move of the main line steps along", "e4", 'd', "f7f5", "view 2", "f5"},
    {"a promotion, its piece asked", "", 's', "a7a8", "tree|view 1", "a8=N",
     "[FEN \"4k3/P7/8/8/8/8/8/4K3 w - - 0 1\"]\n1. Kd2 *"},
    {"Chess960 castling, the king put onto its rook", "", 'd', "e1b1", "tree|view 1", "O-O-O",
     "[Variant \"Chess960\"]\n"
     "[FEN \"1r2k1r1/pppppppp/8/8/8/8/PPPPPPPP/1R2K1R1 w GBgb - 0 1\"]\n1. a3 *"},
};
// clang-format on

class BoardTreeRoads : public testing::TestWithParam<RoadCase> {};

// Whatever the road, a move on an earlier position makes its node and shows it, and the game's
// own events stay silent: a host written for the game alone sees nothing happen to it.
TEST_P(BoardTreeRoads, MovesOnAnEarlierPositionGoIntoTheTreeAlone) {
    const RoadCase &c = GetParam();
    Board b;
    b.show();
    ASSERT_TRUE(b.LoadPgn(c.sGame));
    const QString sGame = b.Pgn(), sMove = c.sMove;
    const int nPlies = b.PlyCount(), nAt = NodeAt(b, c.sAt);
    ASSERT_TRUE(b.ShowNode(nAt));
    EXPECT_FALSE(b.MovePiece("a2", "a3")) << "refused unless asked for";
    EXPECT_EQ(b.LastRefusal(), Board::Refusal::EarlierPositionShown);
    b.SetVariationMovesAllowed(true);
    EventLog oGame(b);
    TreeLog oTree(b);
    int nAsked = 0;
    QObject::connect(&b, &Board::VariationPromotion, &b, [&](bool bWhite) {
        ++nAsked;
        EXPECT_TRUE(bWhite);
        EXPECT_FALSE(b.PromotionSquareRect().isEmpty());
        QTimer::singleShot(0, &b, [&b] { b.PromotionChoice(9); });
    });
    const int nBefore = b.ChildNodes(nAt).size();
    if (c.cHow == 's')
        EXPECT_TRUE(b.MovePiece(sMove.left(2), sMove.mid(2)));
    else if (c.cHow == 't')
        EXPECT_TRUE(b.MovePieceSan(sMove));
    else if (c.cHow == 'd')
        Drag(b, sMove.left(2), CellCentre(sMove.mid(2)));
    else
        for (const QString &sAt : {sMove.left(2), sMove.mid(2)})
            QTest::mouseClick(&b, Qt::LeftButton, {}, CellCentre(sAt));
    EXPECT_EQ(oGame.Take(), "");
    EXPECT_EQ(oTree.Take(), c.sTree);
    const int nNew = b.ShownNode();
    EXPECT_EQ(b.ParentNode(nNew), nAt);
    EXPECT_EQ(b.ChildNodes(nAt).size(),
              nBefore + (std::string(c.sTree).starts_with("tree") ? 1 : 0));
    EXPECT_EQ(nAsked, QString(c.sSan).contains('=') ? 1 : 0);
    EXPECT_EQ(b.NodeSan(nNew), c.sSan);
    EXPECT_TRUE(b.Pgn().contains(c.sSan)) << b.Pgn().toStdString();
    EXPECT_TRUE(b.Pgn().startsWith(sGame.left(sGame.indexOf("\n\n"))));
    EXPECT_EQ(b.PlyCount(), nPlies) << "the game itself is unchanged";
    EXPECT_EQ(b.Fen(), b.FenAt(b.PlyCount()));
}

INSTANTIATE_TEST_SUITE_P(Board, BoardTreeRoads, testing::ValuesIn(Roads),
                         WhyName<testing::TestParamInfo<RoadCase>>);

// Edits through the board: refusals say why and change nothing; an edit of the main line is the
// live game's change too; a node shown that goes gives way to where its line branched off.
TEST(BoardTree, EditsRefusalsAndTheNodeShown) {
    Board b;
    ASSERT_TRUE(b.LoadPgn(Game));
    TreeLog oTree(b);
    const int nC5 = NodeAt(b, "e4 c5"), nNf3 = NodeAt(b, "e4 c5 Nf3");
    EXPECT_FALSE(b.SetNodeComment(nC5, "a } b"));
    EXPECT_EQ(b.LastRefusal(), Board::Refusal::BraceInComment);
    EXPECT_FALSE(b.SetNodeNags(nC5, {256}));
    EXPECT_EQ(b.LastRefusal(), Board::Refusal::BadNote);
    EXPECT_FALSE(b.DeleteVariation(NodeAt(b, "e4 f5")));
    EXPECT_EQ(b.LastRefusal(), Board::Refusal::MainLineIsNoVariation);
    EXPECT_EQ(b.AddMove(nC5, "Ke3"), -1);
    EXPECT_EQ(b.LastRefusal(), Board::Refusal::IllegalMove);
    EXPECT_EQ(oTree.Take(), "");
    EXPECT_TRUE(b.SetNodeComment(nC5, "Sicilian", true));
    EXPECT_TRUE(b.SetNodeNags(nC5, {3, 14}));
    EXPECT_EQ(b.NodeNags(nC5), QList<int>({3, 14}));
    EXPECT_EQ(b.NodeComment(nC5, true), "Sicilian");
    EXPECT_EQ(oTree.Take(), "tree|tree");
    ASSERT_TRUE(b.ShowNode(nNf3));
    EXPECT_EQ(b.ViewedPly(), 3);
    EXPECT_EQ(oTree.Take(), "view 3");
    EXPECT_EQ(b.ResultAfterPromotion(nNf3), "*");
    EXPECT_TRUE(b.PromoteVariation(nNf3));
    EXPECT_EQ(b.LiveNode(), nNf3);
    EXPECT_EQ(b.ShownNode(), nNf3);
    EXPECT_EQ(b.SanMoves(), QStringList({"e4", "c5", "Nf3"}));
    EXPECT_EQ(oTree.Take(), "tree|position|view 3");
    ASSERT_TRUE(b.ShowNode(NodeAt(b, "e4 f5 Nf3")));
    EXPECT_TRUE(b.DeleteVariation(b.ShownNode()));
    EXPECT_EQ(b.ShownNode(), NodeAt(b, "e4"));
    // On the main line, the comment before c5 is one after e4, as a file would hold it.
    EXPECT_TRUE(b.Pgn().contains("1. e4 {Sicilian} 1... c5 $3 $14 2. Nf3 *"))
        << b.Pgn().toStdString();
}

// A right-button drag draws an arrow on the node shown, kept as its [%cal]; the same again takes
// it away; a right click draws a circle in the modifiers' colour. Only the squares a shape covers
// are drawn again, in either view.
TEST(BoardShapes, DrawnWithTheRightButtonKeptAndTakenAway) {
    for (const bool bWhitesView : {true, false}) {
        SCOPED_TRACE(bWhitesView);
        Board b;
        b.BoardView(bWhitesView);
        b.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&b));
        const auto RightDrag = [&](const QString &sFrom, const QString &sTo,
                                   Qt::KeyboardModifiers e = {}) {
            QTest::mousePress(&b, Qt::RightButton, e, CellCentre(sFrom, bWhitesView));
            QTest::mouseMove(&b, CellCentre(sTo, bWhitesView));
            QTest::mouseRelease(&b, Qt::RightButton, e, CellCentre(sTo, bWhitesView));
        };
        RightDrag("e2", "e4");
        EXPECT_TRUE(b.NodeShapes(b.ShownNode()).isEmpty()) << "off unless asked for";
        b.SetDrawShapes(true);
        const QImage oBefore = b.grab().toImage();
        TreeLog oTree(b);
        RightDrag("e2", "e4");
        EXPECT_EQ(b.NodeShapes(b.RootNode()), QStringList({"Ge2e4"}));
        EXPECT_TRUE(b.Pgn().contains("{[%cal Ge2e4]}")) << b.Pgn().toStdString();
        EXPECT_EQ(oTree.Take(), "tree");
        const QImage oArrow = b.grab().toImage();
        EXPECT_EQ(DifferingCells(oBefore, oArrow, bWhitesView), "e2 e3 e4");
        for (const auto &[e, sShape] :
             {std::pair<Qt::KeyboardModifiers, const char *>{Qt::ShiftModifier, "Rd5,Ge2e4"},
              {Qt::ControlModifier, "Ge2e4"},
              {Qt::AltModifier, "Bd5,Ge2e4"},
              {Qt::ShiftModifier | Qt::AltModifier, "Yd5,Ge2e4"}}) {
            RightDrag("d5", "d5", e);
            EXPECT_EQ(b.NodeShapes(b.RootNode()).join(','), sShape);
        }
        RightDrag("d5", "d5", Qt::ShiftModifier | Qt::AltModifier);
        RightDrag("e2", "e4");
        EXPECT_TRUE(b.NodeShapes(b.RootNode()).isEmpty());
        EXPECT_EQ(b.grab().toImage(), oBefore) << "taken away, the squares are as they were";
        // Shapes belong to the node shown, and come back with it.
        ASSERT_TRUE(b.MovePieceSan("e4"));
        RightDrag("g1", "f3", Qt::AltModifier);
        EXPECT_TRUE(b.Pgn().contains("1. e4 {[%cal Bg1f3]}")) << b.Pgn().toStdString();
        const QImage oLive = b.grab().toImage();
        ASSERT_TRUE(b.ViewPly(0));
        ASSERT_TRUE(b.ViewPly(1));
        EXPECT_EQ(b.grab().toImage(), oLive);
        // Drawn as pictures of the position draw them.
        const QImage oGrabbed = GrabbedBoard(b, 400);
        BoardRenderer oRenderer;
        EXPECT_TRUE(oRenderer.Image(b.Scene(), 400, oGrabbed.devicePixelRatio()) == oGrabbed);
        EXPECT_EQ(b.Scene(0).oShapes.size(), 0);
    }
}

// A host's overlay (an engine's arrow) is drawn over every position shown, only where it lies,
// never goes into the game, and drops a shape that names no square; a position being set up
// shows bare, and its shapes come back after.
TEST(BoardShapes, OverlayAndSettingUp) {
    for (const bool bWhitesView : {true, false}) {
        SCOPED_TRACE(bWhitesView);
        Board b, oBare;
        for (Board *p : {&b, &oBare}) {
            p->BoardView(bWhitesView);
            p->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(p));
        }
        ASSERT_TRUE(b.LoadPgn("{[%csl Rd4]} 1. e4 *"));
        ASSERT_TRUE(oBare.LoadPgn("1. e4 *"));
        ASSERT_TRUE(b.ViewPly(0) && oBare.ViewPly(0));
        const QImage oNode = b.grab().toImage();
        b.SetOverlayShapes({{"g1", "f3", Qt::blue}, {"z9", "", Qt::red}, {"a1", "", Qt::red}});
        EXPECT_EQ(b.OverlayShapes().size(), 2);
        const QImage oOverlay = b.grab().toImage();
        EXPECT_EQ(DifferingCells(oNode, oOverlay, bWhitesView), "a1 f2 f3 g1 g2");
        EXPECT_EQ(b.Scene().oShapes.size(), 1);
        EXPECT_TRUE(b.Pgn().contains("{[%csl Rd4]} 1. e4 *")) << b.Pgn().toStdString();
        ASSERT_TRUE(b.ViewPly(1) && oBare.ViewPly(1));
        EXPECT_EQ(DifferingCells(oBare.grab().toImage(), b.grab().toImage(), bWhitesView),
                  "a1 f2 f3 g1 g2");
        ASSERT_TRUE(b.ViewPly(0) && oBare.ViewPly(0));
        ASSERT_TRUE(b.SetEditing(true) && oBare.SetEditing(true));
        EXPECT_EQ(b.grab().toImage(), oBare.grab().toImage());
        ASSERT_TRUE(b.SetEditing(false));
        EXPECT_EQ(b.grab().toImage(), oOverlay);
        b.SetOverlayShapes({});
        EXPECT_EQ(b.grab().toImage(), oNode);
    }
}

} // namespace
