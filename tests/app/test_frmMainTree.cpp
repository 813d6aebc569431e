// Annotated games in the window: what they hold survives every way a game leaves it.
#include "MainWindowTest.h"
#include "dlgGames.h"
#include "dlgSetUpPosition.h"

#include <QDir>

namespace {

const QByteArray Annotated =
    "[Event \"Study\"]\n\n{Intro} 1. e4 $1 {best [%foo x] [%cal Ge2e4]} (1. d4 d5 (1... Nf6))\n"
    "1... e5 ; open\n2. Nf3 (2. f4!? exf4) *\n";
// What of it must be in every text the window writes after a move has been played.
const char *const Kept[] = {"{Intro} 1. e4 $1 {best [%foo x] [%cal Ge2e4]} (1. d4 d5 (1... Nf6))",
                            "1... e5 {open} 2. Nf3 (2. f4 $5 exf4) 2... Nc6 *"};

void ExpectKept(QByteArray oText) {
    oText.replace('\n', ' '); // wherever the lines break
    for (const char *s : Kept)
        EXPECT_TRUE(oText.contains(s)) << s << "\n" << oText.toStdString();
}

TEST_F(MainWindow, AnnotationsSurviveSaveCopyCollectionsAndRecovery) {
    static QTemporaryDir oRecovery; // the window holds its lock there until it goes
    w.EnableRecovery(oRecovery.path());
    sOpenAnswer = Write("study.pgn", Annotated);
    Key(Qt::Key_O);
    Type("Nc6");
    ASSERT_EQ(board->PlyCount(), 4);
    // Kept for recovery while unsaved.
    const auto Recovered = [&] {
        const QStringList o = QDir(oRecovery.path()).entryList({"*.pgn"}, QDir::Files);
        return o.isEmpty() ? QByteArray() : Read(oRecovery.filePath(o[0]));
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return Recovered().contains("2... Nc6"); }));
    ExpectKept(Recovered());
    Key(Qt::Key_S); // back into its own file
    ExpectKept(Read(sOpenAnswer));
    board->setFocus(); // in the move box, Ctrl+C copies its selected text
    Key(Qt::Key_C);
    ExpectKept(QApplication::clipboard()->text().toUtf8());

    // Saved back into a file of several games, between the others.
    const QByteArray oOther = "[White \"X\"]\n\n1. c4 *\n";
    sOpenAnswer = Write("club.pgn", Annotated + "\n" + oOther);
    auto *timer = new QTimer(&w);
    QObject::connect(timer, &QTimer::timeout, timer, [timer] {
        if (auto *d = qobject_cast<dlgGames *>(QApplication::activeModalWidget())) {
            timer->deleteLater();
            QTest::keyClick(d->focusWidget(), Qt::Key_Return); // the first game
        }
    });
    timer->start(10);
    Answerer discard({"Discard"});
    Key(Qt::Key_O);
    ASSERT_TRUE(Title().starts_with("Tavlon - club.pgn (1 of 2)")) << Title();
    Type("Nc6");
    Key(Qt::Key_S);
    const QByteArray oSaved = Read(sOpenAnswer);
    ExpectKept(oSaved);
    EXPECT_TRUE(oSaved.endsWith(oOther));
}

} // namespace

// Moves on an earlier position while no clock runs: a variation, its promotion asked in the
// window's own menu, walked with Alt+arrows, and a change the window asks about before losing.
TEST_F(MainWindow, VariationsPlayedOnEarlierPositionsAreTheGamesChanges) {
    sOpenAnswer = Write("ending.pgn", "[FEN \"4k3/P7/8/8/8/8/8/4K3 w - - 0 1\"]\n1. Kd2 Kd7 *");
    Key(Qt::Key_O); // as saved: nothing to ask about yet
    ASSERT_EQ(board->PlyCount(), 2);
    Key(Qt::Key_Home, Qt::AltModifier);
    Answerer knight({"Knight"});
    Drag(*board, "a7", CellCentre("a8", true, board->width()));
    EXPECT_EQ(knight.seen, QStringList({"mnuWhitePawnPromotion"}));
    EXPECT_EQ(board->NodeSan(board->ShownNode()), "a8=N");
    EXPECT_EQ(Status(), "Variation move 1. a8=N shown — Alt+End returns");
    EXPECT_EQ(board->PlyCount(), 2);
    { // Set Up Position starts from the variation's position
        Answerer setUp({"END"});
        setUp.onEnd = [&] {
            auto *d = qobject_cast<dlgSetUpPosition *>(QApplication::activeModalWidget());
            EXPECT_TRUE(d && d->Fen().startsWith("N3k3/8/8/8/8/8/8/4K3 b"));
            if (d)
                d->reject();
        };
        Steps(&w, "mnuGameSetUp");
    }
    Key(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(board->ShownNode(), board->RootNode());
    Key(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(board->NodeSan(board->ShownNode()), "Kd2") << "the main line first";
    Key(Qt::Key_End, Qt::AltModifier);
    Answerer cancel({"Cancel"});
    Key(Qt::Key_N);
    EXPECT_EQ(cancel.seen, QStringList({"Tavlon:Save the current game?"}));
    EXPECT_TRUE(board->Pgn().contains("1. Kd2 (1. a8=N) 1... Kd7 *")) << board->Pgn().toStdString();
}

// Arrows drawn with the right button are the shown move's, saved as [%cal]; a typed move that
// cannot be played there is explained from the position shown, not the game's.
TEST_F(MainWindow, ArrowsAndTypedMovesBelongToThePositionShown) {
    sOpenAnswer = Write("arrows.pgn", "1. e4 e5 *");
    Key(Qt::Key_O);
    Key(Qt::Key_Home, Qt::AltModifier);
    QTest::mousePress(board, Qt::RightButton, {}, CellCentre("e2", true, board->width()));
    QTest::mouseMove(board, CellCentre("e4", true, board->width()));
    QTest::mouseRelease(board, Qt::RightButton, {}, CellCentre("e4", true, board->width()));
    EXPECT_EQ(board->NodeShapes(board->RootNode()), QStringList({"Ge2e4"}));
    EXPECT_EQ(Status(), "The starting position shown — Alt+End returns") << "no refusal";
    for (const auto &[sTyped, sCause] : {std::pair{"e3e4", "There is no piece on e3"},
                                         {"e7e5", "The piece on e7 is Black's; White is to move"},
                                         {"e2e5", "Illegal move: e2-e5"}}) {
        Answerer ok({"OK"});
        Type(sTyped);
        EXPECT_EQ(Status(), sCause);
    }
    Key(Qt::Key_S); // an arrow is a change, kept where the game is saved
    EXPECT_TRUE(Read(sOpenAnswer).contains("{[%cal Ge2e4]} 1. e4 e5 *"))
        << Read(sOpenAnswer).data();
}
