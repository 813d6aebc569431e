// Chess960 in the window: Game > New Chess960 Game, a game castled by dragging the king onto its
// rook and saved with its variant, the dialog's choices, and the start's number in the caption.
#include "Chess960.h"
#include "MainWindowTest.h"
#include "dlgChess960.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace {

class Chess960Window : public MainWindow {
protected:
    // New Chess960 Game, answered with the buttons; the number offered is the last one chosen.
    void NewGame960(int nNumber, const QStringList &oAnswers) {
        QSettings().setValue("chess960/random", false);
        QSettings().setValue("chess960/number", nNumber);
        Answerer answerer(oAnswers);
        Key(Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
    }
};

TEST_F(Chess960Window, GameZeroCastledByDraggingTheKingOntoItsRookAndSavedWithItsVariant) {
    NewGame960(0, {"OK"});
    ASSERT_EQ(board->Fen().toStdString(), Chess960::Fen(0)); // BBQNNRKR
    EXPECT_EQ(Title(), "Tavlon - Chess960 #0 - White to move");
    // Queen and knights leave c1, d1 and e1; the king on g1 goes onto its rook on f1.
    for (const char *sMove : {"d2d3", "a7a6", "d1c3", "h7h6", "e1f3", "a6a5", "c1d2", "h6h5"})
        Type(sMove);
    Drag(*board, "g1", CellCentre("f1"));
    EXPECT_TRUE(board->PieceAt("c1") == 6 && board->PieceAt("d1") == 8) << "king c1, rook d1";
    sSaveAnswer = Path("960.pgn");
    Key(Qt::Key_S);
    const QByteArray oSaved = Read(sSaveAnswer);
    EXPECT_TRUE(oSaved.contains("[Variant \"Chess960\"]\n[SetUp \"1\"]\n[FEN \"" +
                                QByteArray::fromStdString(Chess960::Fen(0)) +
                                "\"]\n\n1. d3 a6 2. Nc3 h6 3. Nf3 a5 4. Qd2 h5 5. O-O-O *"))
        << oSaved.toStdString();
    NewGame();
    sOpenAnswer = sSaveAnswer;
    Key(Qt::Key_O);
    EXPECT_EQ(Title(), "Tavlon - 960.pgn - Chess960 #0 - Black to move");
}

// The dialog draws and names the position it offers; Another draws afresh; a number typed is
// chosen; Cancel keeps the game; Chess960 from another position has no number.
TEST_F(Chess960Window, TheDialogShowsThePositionBeforeItStarts) {
    dlgChess960 dialog(true, 0, &w);
    auto *picture = dialog.findChild<QLabel *>("lblPicture");
    const int nFirst = dialog.Number();
    for (int i = 0; i < 20 && dialog.Number() == nFirst; ++i)
        dialog.findChild<QPushButton *>("cmdAnother")->click();
    const QImage oRandom = picture->pixmap().toImage();
    dialog.findChild<QSpinBox *>("spnNumber")->setValue(959);
    EXPECT_TRUE(nFirst != 959 && !dialog.IsRandom() && dialog.Number() == 959);
    EXPECT_NE(picture->pixmap().toImage(), oRandom);
    Type("e4");
    NewGame960(400, {"Discard", "Cancel"});
    EXPECT_TRUE(!board->Is960() && board->PlyCount() == 1);
    board->SetFen("4k3/8/8/8/8/8/8/1R2K2R w Q - 0 1");
    EXPECT_EQ(Title(), "Tavlon - Chess960 - White to move");
}

} // namespace
