// The notation alone, without the window: the main line's entries as the lists read them, which
// of lists and pane shows, and a move played added to the pane. The lists following the board
// are the window's tests (test_frmMainGame.cpp).
#include "NotationPane.h"
#include "NotationView.h"

#include <QListWidget>
#include <QSignalSpy>
#include <QTextBrowser>
#include <gtest/gtest.h>
#include <tavlon/Board.h>

namespace {

// German letters, as a translation brings them.
QString German(const QString &s) {
    QString o = s;
    o.replace('Q', 'D').replace('N', 'S');
    return o;
}

std::string Entries(const NotationModel &m) {
    QStringList o;
    for (int i = 0; i < m.Count(); ++i)
        o << m.At(i).sText;
    return o.join('|').toStdString();
}

TEST(NotationModel, EntriesNumberedFromTheGamesStart) {
    const struct {
        const char *sGame;
        bool bStandard;
        const char *sEntries;
        int nWhitesFirstPly; // the ply after the first entry of each list
        int nBlacksFirstPly;
    } rows[] = {
        {"[FEN \"4k3/8/8/8/8/8/4P3/4K3 b - - 0 30\"]\n30... Kd7 31. e4 *", true, "30... Kd7|31. e4",
         2, 1},
        {"[FEN \"4k3/P7/8/8/8/8/8/4K3 w - - 0 1\"]\n1. a8=Q+ Kd7 *", false, "1. a7-a8=D|1... e8-d7",
         1, 2},
    };
    for (const auto &o : rows) {
        SCOPED_TRACE(o.sGame);
        Board board;
        ASSERT_TRUE(board.LoadPgn(o.sGame));
        NotationModel m(German);
        m.SetStandard(o.bStandard);
        m.Restart(&board);
        EXPECT_EQ(Entries(m), o.sEntries);
        EXPECT_EQ(m.PlyOfRow(true, 0), o.nWhitesFirstPly);
        EXPECT_EQ(m.PlyOfRow(false, 0), o.nBlacksFirstPly);
        for (int i = 0; i < m.Count(); ++i) // each entry in the row its ply comes back from
            EXPECT_EQ(m.PlyOfRow(m.IsWhite(i), m.Row(i)), i + 1);
    }
}

class NotationAlone : public ::testing::Test {
protected:
    Board board;
    NotationView view{&board, German};
    QListWidget *white = view.findChild<QListWidget *>("lstWhiteMoves");

    void Load(const char *sGame) {
        ASSERT_TRUE(board.LoadPgn(sGame));
        view.GameReplaced();
        view.Update(true);
    }
};

// The lists for a plain game and the pane for an annotated one, unless the mode says which; the
// pane that comes up for notes asks to be shown.
TEST_F(NotationAlone, TheModeSaysWhichShows) {
    const std::tuple<const char *, const char *, bool, bool> rows[] = {
        {"auto", "1. e4 e5 *", false, false},       {"auto", "1. e4 {best} e5 *", true, true},
        {"auto", "1. e4 (1. d4) e5 *", true, true}, {"lists", "1. e4 (1. d4) e5 *", false, false},
        {"pane", "1. e4 e5 *", true, false},
    };
    view.Place(QRect(0, 0, 300, 400), true);
    for (const auto &[sMode, sGame, bPane, bWanted] : rows) {
        SCOPED_TRACE(std::string(sMode) + " " + sGame);
        view.SetMode("lists");
        QSignalSpy wanted(&view, &NotationView::NotesWanted);
        view.SetMode(sMode);
        Load(sGame);
        EXPECT_EQ(view.PaneShown(), bPane);
        EXPECT_EQ(white->isHidden(), bPane);
        EXPECT_EQ(wanted.size() > 0, bWanted);
    }
    view.WantPane(); // Comment on Move, whatever the mode
    EXPECT_TRUE(view.PaneShown());
}

// A move played is added to the pane as the whole text made again would read, marks and
// formats included; where more than the move must be written, the text is made again.
TEST_F(NotationAlone, AMovePlayedReadsAsTheWholeTextMadeAgain) {
    QObject::connect(&board, &Board::PieceMovement, &view,
                     [this](const QString &s, const QString &d) { view.Append(s + d); });
    QObject::connect(&board, &Board::PositionChanged, &view, [this] { view.Update(true); });
    view.SetMode("pane");
    view.Place(QRect(0, 0, 300, 400), true);
    const std::pair<const char *, const char *> rows[] = {
        {"1. e4 *", "e5"},
        {"1. e4 (1. d4) e5 *", "Nf3"},
        {"1. e4 e5 {a note} *", "Nf3"},
        {"1. e4 e5 $14 *", "Nf3"},
        {"1. e4 (1. d4) *", "e5"},
        {"1. f3 e5 2. g4 *", "Qh4#"},
        {"[FEN \"4k3/8/8/8/8/8/4P3/4K3 b - - 0 30\"]\n30... Kd7 *", "e4"},
    };
    for (const auto &[sGame, sMove] : rows) {
        SCOPED_TRACE(sGame);
        Load(sGame);
        ASSERT_TRUE(board.MovePieceSan(sMove));
        NotationPane whole(&board, German);
        whole.Rebuild();
        EXPECT_EQ(view.Pane()->Text().toStdString(), whole.Text().toStdString());
        EXPECT_EQ(view.Pane()->Notation()->toHtml().toStdString(),
                  whole.Notation()->toHtml().toStdString());
    }
}

} // namespace
