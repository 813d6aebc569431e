// What the window shows beside the board: greyed-out commands, the lists at every size, the
// status line, and the moves in words for screen readers.
#include "MainWindowTest.h"

#include <QScrollBar>

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
        {"", "--+++"},
        {"type:e4", "+-+++"},
        {"view:0", "+++++"},
        {"view:1", "+-+++"},
        {"clip:1. e4 e5 1-0|key:Ctrl+V", "+----"},
        {"key:Ctrl+U", "+-+++"},
        {"key:Ctrl+U|key:Ctrl+U", "--+++"},
    };
    for (const auto &[sSteps, sEnabled] : cases) {
        Answerer discard({"Discard"});
        Steps(&w, sSteps);
        EXPECT_EQ(Enabled(), sEnabled) << sSteps;
    }
}

} // namespace
