// What the window shows beside the board: greyed-out commands, the status line, and the moves in
// words for screen readers.
#include "MainWindowTest.h"
#include "MoveWords.h"

#include <string>

namespace {

// Undo, Take Back, Agree to a Draw and Resign are greyed out where they cannot act.
TEST_F(MainWindow, CommandsThatCannotActAreGreyedOut) {
    const auto Enabled = [this] {
        std::string s;
        for (const char *sName : {"mnuActionsUndo", "mnuActionsTakeBack", "mnuGameAgreeDraw",
                                  "mnuGameWhiteResigns", "mnuGameBlackResigns"})
            s += Find<QAction>(sName)->isEnabled() ? '+' : '-';
        return s;
    };
    const std::pair<const char *, const char *> cases[] = {
        {"", "--+++"},           {"type:e4", "+-+++"},
        {"view:0", "+++++"},     {"view:1", "+-+++"},
        {"key:Ctrl+U", "--+++"}, {"type:e4|clip:1. e4 e5 1-0|key:Ctrl+V", "+----"}};
    for (const auto &[sSteps, sEnabled] : cases) {
        Answerer discard({"Discard"});
        Steps(&w, sSteps);
        EXPECT_EQ(Enabled(), sEnabled) << sSteps;
    }
}

// Moves in words for screen readers: each list entry's accessible text and, after a move, the
// status line's. A message too long for the status line is its tooltip.
TEST_F(MainWindow, MovesInWordsAndTheWholeStatusLine) {
    const char *const Rows[][4] = {
        // FEN before, coordinates, SAN, words
        {"8/8/8/3pP3/8/8/8/k6K w - d6 0 2", "e5d6", "exd6",
         "White pawn from e5 to d6, taking black pawn"},
        {"1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a7b8r", "axb8=R+",
         "White pawn from a7 to b8, taking black knight, becoming a rook, check"},
        {"r3k3/8/8/8/8/8/8/4K3 b q - 0 1", "e8c8", "O-O-O", "Black castles queenside"},
        {"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "a1a8", "Ra8#",
         "White rook from a1 to a8, checkmate"},
        {"6k1/8/8/8/8/8/8/R5K1 w - - 0 1", "b1b8", "Rb8+", ""}}; // no piece there
    for (const auto &[sFen, sMove, sSan, sWords] : Rows)
        EXPECT_EQ(MoveInWords(sFen, sMove, sSan), sWords) << sMove;
    auto *status = Find<QStatusBar>("staStatus");
    Steps(&w, "type:e4|type:d5|type:exd5");
    EXPECT_EQ(Find<QListWidget>("lstWhiteMoves")->item(1)->data(Qt::AccessibleTextRole),
              "2. White pawn from e4 to d5, taking black pawn");
    EXPECT_EQ(status->accessibleName(),
              "White pawn from e4 to d5, taking black pawn. Black to move");
    SetNotation(true); // the lists filled anew say the same
    EXPECT_EQ(Find<QListWidget>("lstBlackMoves")->item(0)->data(Qt::AccessibleTextRole),
              "1... Black pawn from d7 to d5");
    status->showMessage(QString(200, 'x'));
    EXPECT_EQ(status->toolTip(), QString(200, 'x'));
    status->showMessage("x");
    EXPECT_EQ(status->toolTip(), "");
}

} // namespace
