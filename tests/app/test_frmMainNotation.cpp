// The notation pane: a game's tree as it reads, the View choice between it and the lists, and
// the Edit commands that annotate the move shown.
#include "MainWindowTest.h"
#include "NotationPane.h"

#include <QPlainTextEdit>
#include <QTextBrowser>

namespace {

// The pane's text, its paragraphs split by '|'.
std::string Shown(const NotationPane *p) {
    return p->Text().trimmed().replace('\n', '|').toStdString();
}

TEST(NotationPane, ReadsAsPlayersWriteIt) {
    const std::pair<const char *, const char *> cases[] = {
        {"{Intro} 1. e4 $1 {best [%cal Ge2e4]} (1. d4 d5 (1... Nf6 $14)) 1... e5 2. Nf3 "
         "(2. f4!? exf4) 2... Nc6 *",
         "Intro|1. e4! best|1. d4 d5 (1... Nf6 \u2A72)|1... e5 2. Nf3|2. f4!? exf4|2... Nc6"},
        {"[FEN \"4k3/8/8/8/8/8/4P3/4K3 b - - 0 30\"]\n30... Kd7 (30... Ke7 $146 {new}) 31. e4 "
         "1/2-1/2",
         "30... Kd7|30... Ke7 N new|31. e4 1/2-1/2"},
        {"1. e4 e5 $10 $200 2. Nf3 {a comment;} {and another} 2... Nc6 *",
         "1. e4 e5 = $200 2. Nf3 a comment; and another 2... Nc6"},
        {"1. e4 (1. d4 (1. c4) d5) e5 (1... c5 2. Nf3 (2. c3 d5 (2... Nf6)) 2... d6) 2. Nf3 *",
         "1. e4|1. d4 d5|1. c4|1... e5|1... c5 2. Nf3 (2. c3 d5 (2... Nf6)) 2... d6|2. Nf3"},
    };
    for (const auto &[sGame, sText] : cases) {
        Board board;
        ASSERT_TRUE(board.LoadPgn(sGame)) << sGame;
        NotationPane pane(&board, [](const QString &s) { return s; });
        pane.Rebuild();
        EXPECT_EQ(Shown(&pane), sText) << sGame;
        EXPECT_TRUE(NotationPane::IsAnnotated(&board)) << sGame;
    }
    Board plain;
    plain.LoadPgn("1. e4 e5 2. Nf3 {[%clk 0:01:00]} *");
    EXPECT_FALSE(NotationPane::IsAnnotated(&plain)) << "a clock is no note";
}

class NotationWindow : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        Key(Qt::Key_H); // the moves shown
    }
    NotationPane *Pane() { return Find<NotationPane>("paneNotation"); }
    void Open(const QByteArray &oGame) {
        sOpenAnswer = Write("g.pgn", oGame);
        Key(Qt::Key_O);
    }
    void Click(int nNode) {
        QTextBrowser *text = Pane()->Notation();
        QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, Pane()->MoveRect(nNode).center());
    }
};

// View > Moves chooses between the lists and the pane (the choices themselves are
// NotationView's), and is remembered; a window showing no moves shows an annotated game's notes
// all the same.
TEST_F(NotationWindow, ThePaneTakesTheListsPlaceForAnnotatedGames) {
    const auto *white = Find<QListWidget>("lstWhiteMoves");
    Find<QAction>("mnuViewMovesPane")->trigger();
    Open("1. e4 e5 *");
    EXPECT_TRUE(Pane()->isVisible());
    EXPECT_FALSE(white->isVisible());
    EXPECT_EQ(QSettings().value("view/moves").toString(), "pane");
    Find<QAction>("mnuViewMovesAuto")->trigger();
    EXPECT_FALSE(Pane()->isVisible());
    EXPECT_TRUE(white->isVisible());
    Key(Qt::Key_H);
    Open("1. e4 {note} *");
    EXPECT_TRUE(Pane()->isVisible());
}

// A click shows a move, on any line; the keys walk from there and the mark follows.
TEST_F(NotationWindow, AClickShowsAMoveAndTheMarkFollows) {
    Open("1. e4 (1. d4 d5 2. c4) 1... e5 *");
    const int nD4 = board->ChildNodes(board->RootNode())[1];
    Click(nD4);
    EXPECT_EQ(board->ShownNode(), nD4);
    Key(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(board->NodeSan(board->ShownNode()), "d5");
    Key(Qt::Key_Left, Qt::AltModifier);
    Key(Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(board->NodeSan(board->ShownNode()), "e4") << "the main line's move at the fork";
    Key(Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(board->NodeSan(board->ShownNode()), "e4") << "no variation before it";
    Key(Qt::Key_Down, Qt::AltModifier);
    Key(Qt::Key_Right, Qt::AltModifier);
    const QTextCursor c = Pane()->Notation()->textCursor();
    EXPECT_EQ(Pane()->MoveRect(board->ShownNode()).top(), Pane()->Notation()->cursorRect(c).top());
}

// Ctrl+1 to Ctrl+6 mark the move shown, one mark of its quality at a time; the comment box
// writes its comment, "}" refused; each is a change the window asks about.
TEST_F(NotationWindow, MarksAndCommentsOnTheMoveShown) {
    Find<QAction>("mnuViewMovesPane")->trigger();
    Type("e4");
    Type("e5");
    const std::pair<int, const char *> keys[] = {
        {Qt::Key_1, "1. e4 e5 $1 *"}, {Qt::Key_5, "1. e4 e5 $5 *"}, {Qt::Key_5, "1. e4 e5 *"}};
    for (const auto &[nKey, sPgn] : keys) {
        Key(nKey);
        EXPECT_TRUE(board->Pgn().trimmed().endsWith(sPgn)) << board->Pgn().toStdString();
    }
    Key(Qt::Key_4);
    EXPECT_EQ(Shown(Pane()), "1. e4 e5??");
    auto *box = Pane()->findChild<QPlainTextEdit *>("txtComment");
    Find<QWidget>("cmdMovePiece")->setFocus(); // Tab reaches the box after the move row
    QTest::keyClick(Find<QWidget>("cmdMovePiece"), Qt::Key_Tab);
    EXPECT_TRUE(box->hasFocus());
    for (const auto &[sTyped, sPgn] : {std::pair{"Bad {}", "1. e4 e5 $4 *"},
                                       {"Bad, but sound", "1. e4 e5 $4 {Bad, but sound} *"}}) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, sTyped);
        QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
        EXPECT_TRUE(board->Pgn().trimmed().endsWith(sPgn)) << board->Pgn().toStdString();
    }
    Answerer cancel({"Cancel"});
    Key(Qt::Key_N);
    EXPECT_EQ(cancel.seen, QStringList({"Tavlon:Save the current game?"}));
}

// Promote Variation makes it the game; Delete Variation and Delete Moves from Here ask first.
TEST_F(NotationWindow, PromoteAndDeleteVariations) {
    Open("1. e4 (1. d4 d5) 1... e5 2. Nf3 *");
    Click(board->ChildNodes(board->RootNode())[1]);
    Find<QAction>("mnuEditPromoteVariation")->trigger();
    EXPECT_EQ(Lists(), "1. d2-d4|1... d7-d5");
    EXPECT_EQ(Shown(Pane()), "1. d4|1. e4 e5 2. Nf3|1... d5");
    Click(board->ChildNodes(board->RootNode())[1]);
    for (const char *sAnswer : {"No", "Yes"}) {
        Answerer answers({sAnswer});
        Find<QAction>("mnuEditDeleteVariation")->trigger();
        EXPECT_EQ(answers.seen,
                  QStringList({"Tavlon:Delete this variation and every move in it?"}));
    }
    EXPECT_EQ(Shown(Pane()), "1. d4 d5");
    Answerer yes({"Yes"});
    Click(board->MainLineNode(2));
    Find<QAction>("mnuEditDeleteMoves")->trigger();
    EXPECT_EQ(Lists(), "1. d2-d4|");
    EXPECT_TRUE(board->Pgn().trimmed().endsWith("1. d4 *")) << board->Pgn().toStdString();
}

} // namespace
