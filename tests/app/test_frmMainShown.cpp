// What the window shows beside the board: greyed-out commands, the lists at every size, the
// status line, and the moves in words for screen readers.
#include "MainWindowTest.h"

#include <QScrollBar>
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

// At every size the lists show ten rows or stand beside the board, and after every resize the
// newest move.
TEST_F(MainWindow, ListsShowTenRowsOrStandBesideAndTheNewestMove) {
    Steps(&w, "clip:1. e4 e5 2. f4 exf4 3. Bc4 Qh4+ 4. Kf1 b5 5. Bxb5 Nf6 6. Nf3 Qh6 7. d3 Nh5 "
              "8. Nh4 Qg5 9. Nf5 c6 10. g4 Nf6 11. Rg1 cxb5 12. h4 Qg6 13. h5 Qg5 14. Qf3 Ng8 "
              "15. Bxf4 Qf6 16. Nc3 Bc5 17. Nd5 Qxb2 18. Bd6 Bxg1 19. e5 Qxa1+ 20. Ke2 Na6 "
              "21. Nxg7+ Kd8 22. Qf6+ Nxf6 *|key:Ctrl+V|key:Ctrl+H");
    auto *list = Find<QListWidget>("lstBlackMoves");
    for (const QSize oSize : {QSize(700, 700), QSize(2000, 1400), w.minimumSize(), QSize(1000, 600),
                              QSize(500, 1000), w.minimumSize()}) {
        w.resize(oSize);
        QCoreApplication::processEvents();
        SCOPED_TRACE(std::to_string(w.width()) + "x" + std::to_string(w.height()));
        EXPECT_TRUE(w.ListsBeside() || list->viewport()->height() >=
                                           10 * list->visualItemRect(list->item(0)).height());
        EXPECT_EQ(list->verticalScrollBar()->value(), list->verticalScrollBar()->maximum());
        EXPECT_TRUE(list->viewport()->rect().contains(list->visualItemRect(list->item(21))));
    }
}

} // namespace
