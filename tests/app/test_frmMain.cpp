#include "BoardTestSupport.h"
#include "frmAbout.h"
#include "frmMain.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <deque>
#include <gtest/gtest.h>

namespace {

// Answers, in order, each message box or popup menu that opens, from a polling timer so the
// nested loop showing it really runs: clicks the button or item with the caption (Escape when
// empty), noting a box's "title:text" or a menu's name; or runs a step of the test's own.
class Answerer : public QObject {
public:
    using Step = std::function<void(QWidget *)>;
    std::deque<Step> steps;
    QStringList seen;

    explicit Answerer(const QStringList &captions = {}) {
        for (const QString &s : captions)
            steps.push_back([this, s](QWidget *w) { Click(w, s); });
        auto *timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this] {
            QWidget *w = QApplication::activePopupWidget();
            w = w != nullptr ? w : QApplication::activeModalWidget();
            if (w == nullptr || w == oLast || steps.empty())
                return;
            oLast = w; // until it hides: a popup shown again is the same widget
            w->installEventFilter(this);
            const Step step = steps.front();
            steps.pop_front();
            step(w);
        });
        timer->start(10);
    }
    void Click(QWidget *w, const QString &sCaption) {
        auto *menu = qobject_cast<QMenu *>(w);
        auto *box = qobject_cast<QMessageBox *>(w);
        seen << (menu != nullptr ? menu->objectName() : box->windowTitle() + ':' + box->text());
        if (sCaption.isEmpty())
            QTest::keyClick(w, Qt::Key_Escape);
        for (QAction *a : menu != nullptr ? menu->actions() : QList<QAction *>{})
            if (a->text() == sCaption)
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
        for (QAbstractButton *b : box != nullptr ? box->buttons() : QList<QAbstractButton *>{})
            if (b->text().remove('&') == sCaption)
                QTest::mouseClick(b, Qt::LeftButton);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Hide && watched == oLast)
            oLast = nullptr;
        return false;
    }

private:
    QPointer<QWidget> oLast;
};

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        w.setUrlOpener([this](const QUrl &url) { opened << url; });
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    }
    template <class T>
    T *Find(const char *sName) {
        return w.findChild<T *>(QString::fromLatin1(sName));
    }
    void Key(int key, Qt::KeyboardModifiers mods = Qt::ControlModifier) {
        // Offscreen has no window manager to give the focus back after a message box closes.
        QApplication::setActiveWindow(&w);
        // Keys go where a player's would: to the focused widget, usually the typed-move box.
        QWidget *target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : &w;
        QTest::keyClick(target, static_cast<Qt::Key>(key), mods);
    }
    // Types a move and presses Return in the box, as a player would.
    static void Type(const QString &sMove, QLineEdit *txt) {
        txt->setFocus();
        txt->selectAll();
        QTest::keyClicks(txt, sMove);
        QTest::keyClick(txt, Qt::Key_Return);
    }
    void Type(const QString &sMove) { Type(sMove, Find<QLineEdit>("txtMovePiece")); }
    QStringList Entries(const char *sList) {
        QStringList s;
        for (QListWidgetItem *item : Find<QListWidget>(sList)->findItems("*", Qt::MatchWildcard))
            s << item->text();
        return s;
    }

    frmMain w;
    Board *board = w.findChild<Board *>(QStringLiteral("Board1"));
    QList<QUrl> opened;
};

TEST_F(MainWindow, MovesGoToTheMoversListAndUndoTakesTheRightOneBack) {
    QTest::mouseClick(Find<QPushButton>("cmdMovePiece"), Qt::LeftButton);
    Type(QStringLiteral("e7 to e5"));
    Drag(*board, QStringLiteral("g1"), CellCentre(QStringLiteral("f3"), true));
    EXPECT_EQ(Entries("lstWhiteMoves"), (QStringList{"e2-e4", "g1-f3"}));
    EXPECT_EQ(Entries("lstBlackMoves"), (QStringList{"e7-e5"}));

    Key(Qt::Key_U); // White's g1-f3 comes off White's list, then Black's e7-e5 off Black's
    EXPECT_EQ(Entries("lstWhiteMoves"), (QStringList{"e2-e4"}));
    Key(Qt::Key_U);
    EXPECT_EQ(Entries("lstBlackMoves"), QStringList());
    Key(Qt::Key_N);
    Key(Qt::Key_U); // nothing to undo: nothing changes, nothing shows
    QTest::qWait(50);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(Entries("lstWhiteMoves").isEmpty() && Entries("lstBlackMoves").isEmpty());
}

TEST_F(MainWindow, MessagesForRefusedMovesChecksMatesAndStalemate) {
    struct Case {
        const char *sLayout;
        bool bWhiteToMove;
        const char *sMove; // typed, or a drag when it has a space
        const char *sMessage;
    } const cases[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", true, "e7e5", "Illegal move or bad syntax"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", true, "e4", "Illegal move or bad syntax"},
        {"4k3/4r3/8/8/8/8/4B3/4K3", true, "e2d3", "Illegal move or bad syntax"}, // pinned
        {"4k3/8/8/8/8/8/8/R3K3", true, "a1a8", "Black king in check"},
        {"4k3/8/8/8/8/8/3r4/4K3", false, "d2d1", "White king in check"},
        {"k7/8/1K6/8/8/8/8/7R", true, "h1 h8", "Black checkmated"},
        {"4k3/8/8/8/8/8/r4PPP/6K1", false, "a2 a1", "White checkmated"},
        {"7k/5K2/8/8/6Q1/8/8/8", true, "g4 g6", "Stalemate"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sMessage);
        board->NewGame(c.bWhiteToMove, Layout(c.sLayout));
        Answerer answerer(QStringList{"OK"});
        const QString sMove = QString::fromLatin1(c.sMove);
        if (sMove.contains(' ')) {
            Drag(*board, sMove.left(2), CellCentre(sMove.right(2), true));
        } else {
            Type(sMove);
            EXPECT_EQ(Find<QLineEdit>("txtMovePiece")->text(), sMove); // the box keeps it
        }
        EXPECT_EQ(answerer.seen, QStringList{"Tavlon:" + QString::fromLatin1(c.sMessage)});
    }
}

TEST_F(MainWindow, PromotionPopupAsksUntilAnsweredAndPlacesThePiece) {
    for (const bool bWhite : {true, false}) {
        for (const char *sPiece : {"Queen", "Rook", "Bishop", "Knight"}) {
            SCOPED_TRACE(sPiece);
            board->NewGame(bWhite,
                           Layout(bWhite ? "8/1P2k3/8/8/8/8/8/4K3" : "4k3/8/8/8/8/8/1p2K3/8"));
            Answerer answerer(QStringList{{}, QString::fromLatin1(sPiece)}); // dismissed once
            Type(bWhite ? QStringLiteral("b7b8") : QStringLiteral("b2b1"));
            const QString sMenu = bWhite ? "mnuWhitePawnPromotion" : "mnuBlackPawnPromotion";
            EXPECT_EQ(answerer.seen, (QStringList{sMenu, sMenu}));
            EXPECT_EQ(Entries(bWhite ? "lstWhiteMoves" : "lstBlackMoves").value(0),
                      bWhite ? "b7-b8" : "b2-b1");
            // The board must now look exactly like one set up with the chosen piece there.
            const QImage played = board->grab().toImage();
            const QChar cPiece = QLatin1Char(sPiece[0] == 'K' ? 'N' : sPiece[0]);
            QString sExpected = bWhite ? "1?6/4k3/8/8/8/8/8/4K3" : "4k3/8/8/8/8/8/4K3/1?6";
            sExpected.replace('?', bWhite ? cPiece : cPiece.toLower());
            board->NewGame(!bWhite, Layout(sExpected.toStdString()));
            EXPECT_EQ(played, board->grab().toImage());
        }
    }
}

TEST_F(MainWindow, CommandsDuringThePromotionWaitChangeNothing) {
    board->NewGame(false, Layout("8/1P2k3/8/8/8/8/8/4K3"));
    Type(QStringLiteral("e7e6"));
    Answerer answerer;
    answerer.steps.push_back([&](QWidget *popup) {
        Find<QAction>("mnuGameNew")->trigger();
        Find<QAction>("mnuActionsUndo")->trigger();
        answerer.Click(popup, QStringLiteral("Knight"));
    });
    Type(QStringLiteral("b7b8"));
    EXPECT_EQ(Entries("lstBlackMoves"), QStringList{"e7-e6"});
    EXPECT_EQ(Entries("lstWhiteMoves"), QStringList{"b7-b8"});
    Key(Qt::Key_U);
    EXPECT_EQ(Entries("lstWhiteMoves"), QStringList());
}

TEST_F(MainWindow, ClosingDuringThePromotionWaitEndsCleanly) {
    for (const bool bExit : {false, true}) {
        frmMain m;
        m.show();
        m.findChild<Board *>()->NewGame(true, Layout("8/1P2k3/8/8/8/8/8/4K3"));
        Answerer answerer;
        answerer.steps.push_back([&](QWidget *) {
            bExit ? m.findChild<QAction *>(QStringLiteral("mnuExit"))->trigger() : void(m.close());
        });
        Type(QStringLiteral("b7b8"), m.findChild<QLineEdit *>()); // returns: no hang
        EXPECT_TRUE(answerer.steps.empty());
        EXPECT_FALSE(m.isVisible());
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }
}

TEST_F(MainWindow, ViewCommandsTurnTheBoardAndWidenTheWindow) {
    const QImage white = board->grab().toImage();
    Key(Qt::Key_R); // the flag starts False, so the first turn really turns the board
    EXPECT_NE(board->grab().toImage(), white);
    Key(Qt::Key_R);
    EXPECT_EQ(board->grab().toImage(), white);

    auto *lists = Find<QListWidget>("lstWhiteMoves");
    for (const int nWidth : {frmMain::WideWidth, frmMain::NarrowWidth}) {
        Key(Qt::Key_H);
        EXPECT_EQ(w.frameGeometry().width(), nWidth);
        EXPECT_EQ(Find<QAction>("mnuHideMoves")->text(),
                  nWidth == frmMain::WideWidth ? "Hide Moves" : "Show Moves");
        EXPECT_EQ(lists->visibleRegion().isEmpty(), nWidth == frmMain::NarrowWidth);
        // The typed-move row stays inside the window in both widths.
        EXPECT_TRUE(
            w.centralWidget()->rect().contains(Find<QPushButton>("cmdMovePiece")->geometry()));
    }
}

TEST_F(MainWindow, HelpOpensTheRulesOnlyOnYesAndAboutShowsTheBuildAndHomepage) {
    for (const char *sButton : {"No", "Cancel", "Yes"}) {
        Answerer answerer(QStringList{sButton});
        Key(Qt::Key_F1, Qt::NoModifier);
        EXPECT_EQ(answerer.seen, QStringList{"Online Help:This feature requires a current internet "
                                             "connection.\n\nClick Yes if you are connected, "
                                             "otherwise, click No"});
    }

    QMenuBar *bar = w.menuBar();
    auto *help = Find<QMenu>("mnuHelp");
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(help->menuAction()).center());
    QTest::mouseClick(help, Qt::LeftButton, {},
                      help->actionGeometry(Find<QAction>("mnuHelpAbout")).center());
    QPointer<frmAbout> about;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top->isVisible() && qobject_cast<frmAbout *>(top) != nullptr) {
            about = qobject_cast<frmAbout *>(top);
        }
    }
    ASSERT_FALSE(about.isNull());
    auto text = [&](const char *sName) { return about->findChild<QLabel *>(sName)->text(); };
    EXPECT_EQ(QStringList({text("Label13"), text("Label14")}), QStringList({"2.0", "0"}));
    QLabel *link = about->findChild<QLabel *>("Label16");
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(8, link->height() / 2));
    EXPECT_EQ(opened, (QList<QUrl>{frmMain::RulesPage(), QUrl("https://tavlon.example.org")}));
    QTest::mouseClick(about->findChild<QPushButton *>("Command1"), Qt::LeftButton);
    QTest::qWait(10);
    EXPECT_TRUE(about.isNull());
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
