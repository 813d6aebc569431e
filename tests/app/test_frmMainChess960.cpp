// Chess960 in the window: Game > New Chess960 Game, a game castled by dragging the king onto its
// rook and saved with its variant, and the number in the caption and Game Information.
#include "Chess960.h"
#include "MainWindowTest.h"
#include "dlgChess960.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <set>

namespace {

class Chess960Window : public MainWindow {};

// The text of a label in the dialog that the action opens, which is then closed.
QString LabelInDialog(QAction *action, const char *sName) {
    QString sText = "(no dialog)";
    QTimer::singleShot(50, [&] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            const auto *label = w->findChild<QLabel *>(sName);
            sText = label ? label->text() : QString();
            QTest::keyClick(w, Qt::Key_Escape);
        }
    });
    action->trigger();
    return sText;
}

TEST_F(Chess960Window, GameZeroCastledByDraggingTheKingOntoItsRookAndSavedWithItsVariant) {
    QSettings().setValue("chess960/random", false);
    QSettings().setValue("chess960/number", 0);
    {
        Answerer answerer({"OK"});
        Key(Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(answerer.seen, QStringList{"New Chess960 Game"});
    }
    ASSERT_EQ(board->Fen().toStdString(), Chess960::Fen(0)); // BBQNNRKR
    EXPECT_EQ(Title(), "Tavlon - Chess960 #0 - White to move");
    // The queen and both knights leave c1, d1 and e1; then the king on g1 goes onto its rook on
    // f1: castling on the queen's side, the king to c1 and the rook to d1.
    for (const char *sMove : {"d2d3", "a7a6", "d1c3", "h7h6", "e1f3", "a6a5", "c1d2", "h6h5"})
        Type(sMove);
    Drag(*board, "g1", CellCentre("f1"));
    EXPECT_EQ(board->CoordinateMoves().constLast(), "g1f1");
    EXPECT_EQ(board->PieceAt("c1"), 6);
    EXPECT_EQ(board->PieceAt("d1"), 8);
    EXPECT_EQ(board->SanMoves().constLast(), "O-O-O");
    EXPECT_TRUE(Lists().starts_with("1. d2-d3,2. d1-c3,3. e1-f3,4. c1-d2,5. g1-f1|")) << Lists();

    sSaveAnswer = Path("960.pgn");
    Key(Qt::Key_S);
    const QByteArray oSaved = Read(sSaveAnswer);
    EXPECT_TRUE(oSaved.contains("[Variant \"Chess960\"]\n[SetUp \"1\"]\n[FEN \"" +
                                QByteArray::fromStdString(Chess960::Fen(0)) + "\"]\n"))
        << oSaved.toStdString();
    EXPECT_TRUE(oSaved.contains("5. O-O-O *")) << oSaved.toStdString();

    // Read back as a Chess960 game of the same number, castled the same way.
    NewGame();
    EXPECT_EQ(Title(), "Tavlon - White to move");
    sOpenAnswer = sSaveAnswer;
    Key(Qt::Key_O);
    EXPECT_TRUE(board->Is960());
    EXPECT_EQ(board->CoordinateMoves().constLast(), "g1f1");
    EXPECT_EQ(Title(), "Tavlon - 960.pgn - Chess960 #0 - Black to move");
    EXPECT_EQ(LabelInDialog(Find<QAction>("mnuGameInfo"), "lblVariant"), "Chess960 #0");
}

// The dialog: a number typed is that number, drawn small and named; a random one is drawn
// afresh on Another; the choice is remembered for the next game; Cancel changes nothing.
TEST_F(Chess960Window, TheDialogShowsThePositionBeforeItStarts) {
    dlgChess960 dialog(false, 959, &w);
    auto *spin = dialog.findChild<QSpinBox *>("spnNumber");
    auto *picture = dialog.findChild<QLabel *>("lblPicture");
    EXPECT_EQ(dialog.Number(), 959);
    EXPECT_FALSE(dialog.IsRandom());
    EXPECT_EQ(dialog.findChild<QLabel *>("lblName")->text(), "Chess960 #959");
    EXPECT_TRUE(picture->accessibleName().endsWith("RKRNNQBB"));
    const QImage oBefore = picture->pixmap().toImage();
    spin->setValue(518);
    EXPECT_EQ(dialog.Number(), 518);
    EXPECT_NE(picture->pixmap().toImage(), oBefore);
    dialog.findChild<QRadioButton *>("optRandom")->click();
    EXPECT_TRUE(dialog.IsRandom());
    std::set<int> oDrawn{dialog.Number()};
    for (int i = 0; i < 20 && oDrawn.size() < 2; ++i) {
        QTest::mouseClick(dialog.findChild<QPushButton *>("cmdAnother"), Qt::LeftButton);
        oDrawn.insert(dialog.Number());
    }
    EXPECT_EQ(oDrawn.size(), 2u);
    EXPECT_TRUE(*oDrawn.begin() >= 0 && *oDrawn.rbegin() < 960);
    spin->setValue(7);
    EXPECT_FALSE(dialog.IsRandom()) << "typing a number chooses it";

    // In the window: Cancel leaves the game; OK on a number remembers it.
    Type("e4");
    {
        Answerer answerer({"Discard", "Cancel"});
        Find<QAction>("mnuGameNew960")->trigger();
    }
    EXPECT_FALSE(board->Is960());
    EXPECT_EQ(board->PlyCount(), 1);
    QSettings().setValue("chess960/random", false);
    QSettings().setValue("chess960/number", 400);
    {
        Answerer answerer({"Discard", "OK"});
        Find<QAction>("mnuGameNew960")->trigger();
    }
    EXPECT_EQ(board->Chess960Number(), 400);
    EXPECT_EQ(QSettings().value("chess960/number").toInt(), 400);
    // A game of Chess960 set up from another position has no number; a standard one no variant.
    board->SetFen("4k3/8/8/8/8/8/8/1R2K2R w Q - 0 1");
    EXPECT_EQ(Title(), "Tavlon - Chess960 - White to move");
    board->SetFen("4k3/8/8/8/8/8/8/R3K2R w K - 0 1");
    EXPECT_EQ(Title(), "Tavlon - White to move");
    EXPECT_EQ(LabelInDialog(Find<QAction>("mnuGameInfo"), "lblVariant"), "");
}

} // namespace
