#include "Board.h"
#include "BoardGeometry.h"
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
#include <QTest>
#include <QTimer>
#include <deque>
#include <gtest/gtest.h>

namespace {

// A layout string from the piece placement of a FEN record ("4k3/1P6/8/8/8/8/8/4K3").
QString Layout(const char *sPlacement) {
    QString s;
    for (const char *p = sPlacement; *p != '\0'; ++p) {
        if (*p >= '1' && *p <= '8') {
            s += QString(2 * (*p - '0'), QLatin1Char('X'));
        } else if (*p != '/') {
            const QChar c = QLatin1Char(*p);
            s += QLatin1Char(c.isUpper() ? 'W' : 'B') + c.toUpper();
        }
    }
    return s;
}

// Answers, in order, each modal message box or popup menu that opens, from a polling timer so
// that the nested loop showing it is really running. Each answer sees the widget and acts on it.
class Answerer : public QObject {
public:
    using Answer = std::function<void(QWidget *)>;
    explicit Answerer(std::deque<Answer> answers) : oAnswers(std::move(answers)) {
        auto *timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this] {
            QWidget *w = QApplication::activePopupWidget();
            if (w == nullptr) {
                w = QApplication::activeModalWidget();
            }
            if (w != nullptr && w != oLast && !oAnswers.empty()) {
                oLast = w; // until it hides: a popup shown again is the same widget
                w->installEventFilter(this);
                Answer answer = std::move(oAnswers.front());
                oAnswers.pop_front();
                answer(w);
            }
        });
        timer->start(10);
    }
    bool Done() const { return oAnswers.empty(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Hide && watched == oLast) {
            oLast = nullptr;
        }
        return false;
    }

private:
    std::deque<Answer> oAnswers;
    QPointer<QWidget> oLast;
};

// Click the box's button, noting its caption and text.
Answerer::Answer Press(QMessageBox::StandardButton button, QStringList *seen = nullptr) {
    return [button, seen](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        ASSERT_NE(box, nullptr);
        if (seen != nullptr) {
            *seen << box->windowTitle() + QLatin1Char(':') + box->text();
        }
        QTest::mouseClick(box->button(button), Qt::LeftButton);
    };
}

Answerer::Answer Ok(QStringList *seen) {
    return Press(QMessageBox::Ok, seen);
}

// Click the popup menu's item with this caption (Escape when empty), noting the menu's name.
Answerer::Answer Choose(const QString &sCaption, QStringList *seen) {
    return [sCaption, seen](QWidget *w) {
        auto *menu = qobject_cast<QMenu *>(w);
        ASSERT_NE(menu, nullptr);
        *seen << menu->objectName();
        if (sCaption.isEmpty()) {
            QTest::keyClick(menu, Qt::Key_Escape);
            return;
        }
        for (QAction *action : menu->actions()) {
            if (action->text() == sCaption) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            }
        }
    };
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        w.setUrlOpener([this](const QUrl &url) { opened << url; });
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        board = w.findChild<Board *>(QStringLiteral("Board1"));
        white = w.findChild<QListWidget *>(QStringLiteral("lstWhiteMoves"));
        black = w.findChild<QListWidget *>(QStringLiteral("lstBlackMoves"));
        txt = w.findChild<QLineEdit *>(QStringLiteral("txtMovePiece"));
    }
    void Key(int key, Qt::KeyboardModifiers mods = Qt::ControlModifier) {
        // Offscreen has no window manager to give the focus back after a message box closes.
        QApplication::setActiveWindow(&w);
        QTest::keyClick(&w, static_cast<Qt::Key>(key), mods);
    }
    // Types a move and presses Return in the box, as a player would.
    void Type(const QString &sMove) {
        txt->setFocus();
        txt->selectAll();
        QTest::keyClicks(txt, sMove);
        QTest::keyClick(txt, Qt::Key_Return);
    }
    QPoint Centre(const char *sSquare, bool bWhitesView = true) const {
        const int nSquare = ('8' - sSquare[1]) * 8 + (sSquare[0] - 'a') + 1;
        return BoardGeometry::CellRect(nSquare, bWhitesView).center();
    }
    void Drag(const char *sFrom, const char *sTo) {
        QTest::mousePress(board, Qt::LeftButton, {}, Centre(sFrom));
        QTest::mouseMove(board, (Centre(sFrom) + Centre(sTo)) / 2);
        QTest::mouseMove(board, Centre(sTo));
        QTest::mouseRelease(board, Qt::LeftButton, {}, Centre(sTo));
    }
    QStringList Entries(QListWidget *list) const {
        QStringList s;
        for (int i = 0; i < list->count(); ++i) {
            s << list->item(i)->text();
        }
        return s;
    }
    QImage Cell(const char *sSquare, bool bWhitesView = true) const {
        const QImage all = board->grab().toImage();
        const qreal r = all.devicePixelRatio();
        const QRect c =
            BoardGeometry::CellRect(('8' - sSquare[1]) * 8 + (sSquare[0] - 'a') + 1, bWhitesView);
        return all.copy(QRect(c.topLeft() * r, c.size() * r));
    }

    frmMain w;
    QList<QUrl> opened;
    Board *board = nullptr;
    QListWidget *white = nullptr;
    QListWidget *black = nullptr;
    QLineEdit *txt = nullptr;
};

TEST_F(MainWindow, MovesGoToTheMoversListAndUndoTakesTheRightOneBack) {
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Tavlon"));
    EXPECT_EQ(txt->text(), QStringLiteral("e2e4"));
    QTest::mouseClick(w.findChild<QPushButton *>(QStringLiteral("cmdMovePiece")), Qt::LeftButton);
    Type(QStringLiteral("e7 to e5"));
    Drag("g1", "f3");
    EXPECT_EQ(Entries(white), (QStringList{"e2-e4", "g1-f3"}));
    EXPECT_EQ(Entries(black), (QStringList{"e7-e5"}));

    Key(Qt::Key_U); // White's g1-f3 comes off White's list
    EXPECT_EQ(Entries(white), (QStringList{"e2-e4"}));
    Key(Qt::Key_U); // then Black's
    EXPECT_EQ(Entries(black), QStringList());
    Key(Qt::Key_N);
    Key(Qt::Key_U); // nothing to undo: nothing changes, nothing shows
    QTest::qWait(50);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(Entries(white).isEmpty() && Entries(black).isEmpty());
}

TEST_F(MainWindow, MessagesForRefusedMovesChecksMatesAndStalemate) {
    struct Case {
        const char *sLayout;
        bool bWhiteToMove;
        const char *sTyped; // or a drag when empty
        const char *sFrom, *sTo;
        const char *sMessage;
    } const cases[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", true, "e7e5", "", "",
         "Illegal move or bad syntax"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", true, "e4", "", "",
         "Illegal move or bad syntax"},
        {"4k3/8/8/8/8/8/8/R3K3", true, "a1a8", "", "", "Black king in check"},
        {"4k3/4r3/8/8/8/8/4B3/4K3", true, "e2d3", "", "", "Illegal move or bad syntax"},
        {"4k3/8/8/8/8/8/4P3/4K3", true, "e2e2", "", "", "Illegal move or bad syntax"},
        {"4k3/8/8/8/8/8/3r4/4K3", false, "d2d1", "", "", "White king in check"},
        {"k7/8/1K6/8/8/8/8/7R", true, "", "h1", "h8", "Black checkmated"},
        {"4k3/8/8/8/8/8/r4PPP/6K1", false, "", "a2", "a1", "White checkmated"},
        {"7k/5K2/8/8/6Q1/8/8/8", true, "", "g4", "g6", "Stalemate"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sMessage);
        board->NewGame(c.bWhiteToMove, Layout(c.sLayout));
        QStringList seen;
        Answerer answerer({Ok(&seen)});
        if (*c.sTyped != '\0') {
            Type(QString::fromLatin1(c.sTyped));
            EXPECT_EQ(txt->text(), QString::fromLatin1(c.sTyped)); // the box keeps its text
        } else {
            Drag(c.sFrom, c.sTo);
        }
        EXPECT_EQ(seen, QStringList{"Tavlon:" + QString::fromLatin1(c.sMessage)});
    }
}

TEST_F(MainWindow, PromotionPopupAsksUntilAnsweredAndPlacesThePiece) {
    struct Case {
        bool bWhite;
        const char *sCaption;
        char cPiece;
    } const cases[] = {{true, "Queen", 'Q'},   {true, "Rook", 'R'},   {true, "Bishop", 'B'},
                       {true, "Knight", 'N'},  {false, "Queen", 'q'}, {false, "Rook", 'r'},
                       {false, "Bishop", 'b'}, {false, "Knight", 'n'}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sCaption);
        board->NewGame(c.bWhite,
                       Layout(c.bWhite ? "8/1P2k3/8/8/8/8/8/4K3" : "4k3/8/8/8/8/8/1p2K3/8"));
        QStringList menus;
        Answerer answerer({Choose({}, &menus), Choose(QString::fromLatin1(c.sCaption), &menus)});
        Type(c.bWhite ? QStringLiteral("b7b8") : QStringLiteral("b2b1"));
        const QString sMenu = c.bWhite ? "mnuWhitePawnPromotion" : "mnuBlackPawnPromotion";
        EXPECT_EQ(menus, (QStringList{sMenu, sMenu})); // dismissed once, shown again
        EXPECT_EQ(Entries(c.bWhite ? white : black).value(0), c.bWhite ? "b7-b8" : "b2-b1");
        const QImage played = board->grab().toImage();
        QString sExpected = c.bWhite ? "1?6/4k3/8/8/8/8/8/4K3" : "4k3/8/8/8/8/8/4K3/1?6";
        sExpected.replace('?', QLatin1Char(c.cPiece));
        board->NewGame(!c.bWhite, Layout(sExpected.toLatin1().constData()));
        EXPECT_EQ(played, board->grab().toImage());
    }
}

TEST_F(MainWindow, CommandsDuringThePromotionWaitChangeNothing) {
    board->NewGame(false, Layout("8/1P2k3/8/8/8/8/8/4K3"));
    Type(QStringLiteral("e7e6"));
    auto trigger = [this](const char *sName) { w.findChild<QAction *>(sName)->trigger(); };
    QStringList menus;
    Answerer answerer({[&](QWidget *popup) {
        trigger("mnuGameNew");
        trigger("mnuActionsUndo");
        Choose(QStringLiteral("Knight"), &menus)(popup);
    }});
    Type(QStringLiteral("b7b8"));
    EXPECT_EQ(Entries(black), QStringList{"e7-e6"});
    EXPECT_EQ(Entries(white), QStringList{"b7-b8"});
    Key(Qt::Key_U);
    EXPECT_EQ(Entries(white), QStringList());
}

TEST_F(MainWindow, ClosingDuringThePromotionWaitEndsCleanly) {
    for (const char *sHow : {"close", "mnuExit"}) {
        frmMain m;
        m.show();
        m.findChild<Board *>()->NewGame(true, Layout("8/1P2k3/8/8/8/8/8/4K3"));
        Answerer answerer({[&](QWidget *) {
            if (QByteArray(sHow) == "close") {
                m.close();
            } else {
                m.findChild<QAction *>(sHow)->trigger();
            }
        }});
        txt = m.findChild<QLineEdit *>();
        Type(QStringLiteral("b7b8")); // returns: no hang
        EXPECT_TRUE(answerer.Done());
        EXPECT_FALSE(m.isVisible());
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }
}

TEST_F(MainWindow, ViewCommandsTurnTheBoardAndWidenTheWindow) {
    const QImage h1 = Cell("h1");
    Key(Qt::Key_R); // the flag starts False: Black's side first
    EXPECT_EQ(Cell("h1", false), h1);
    EXPECT_NE(Cell("a8", true), Cell("a8", false));
    Key(Qt::Key_R);
    EXPECT_EQ(Cell("h1"), h1);

    auto *item = w.findChild<QAction *>(QStringLiteral("mnuHideMoves"));
    EXPECT_EQ(w.frameGeometry().width(), frmMain::NarrowWidth);
    EXPECT_TRUE(white->visibleRegion().isEmpty());
    Key(Qt::Key_H);
    EXPECT_EQ(w.frameGeometry().width(), frmMain::WideWidth);
    EXPECT_EQ(item->text(), QStringLiteral("Hide Moves"));
    EXPECT_FALSE(white->visibleRegion().isEmpty() || black->visibleRegion().isEmpty());
    Key(Qt::Key_H);
    EXPECT_EQ(w.frameGeometry().width(), frmMain::NarrowWidth);
    EXPECT_TRUE(black->visibleRegion().isEmpty());
    EXPECT_EQ(item->text(), QStringLiteral("Show Moves"));
    // The typed-move row is inside the window in both widths.
    const QRect row = w.findChild<QPushButton *>(QStringLiteral("cmdMovePiece"))->geometry();
    EXPECT_TRUE(w.centralWidget()->rect().contains(row));
}

TEST_F(MainWindow, OnlineHelpOpensTheRulesOnlyOnYes) {
    for (const auto button : {QMessageBox::No, QMessageBox::Cancel, QMessageBox::Yes}) {
        QStringList seen;
        Answerer answerer({[&](QWidget *box) {
            EXPECT_EQ(qobject_cast<QMessageBox *>(box)->icon(), QMessageBox::Information);
            Press(button, &seen)(box);
        }});
        Key(Qt::Key_F1, Qt::NoModifier);
        EXPECT_EQ(seen, QStringList{"Online Help:This feature requires a current internet "
                                    "connection.\n\nClick Yes if you are connected, otherwise, "
                                    "click No"});
    }
    EXPECT_EQ(opened, QList<QUrl>{frmMain::RulesPage()});
}

TEST_F(MainWindow, AboutShowsTheBuildAndOpensTheHomepage) {
    QMenuBar *bar = w.menuBar();
    auto *help = w.findChild<QMenu *>(QStringLiteral("mnuHelp"));
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(help->menuAction()).center());
    QTest::mouseClick(help, Qt::LeftButton, {},
                      help->actionGeometry(w.findChild<QAction *>("mnuHelpAbout")).center());
    QPointer<frmAbout> about;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (auto *found = qobject_cast<frmAbout *>(top); found != nullptr && found->isVisible()) {
            about = found;
        }
    }
    ASSERT_FALSE(about.isNull());
    EXPECT_EQ(about->windowModality(), Qt::NonModal);
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About"));
    auto text = [&](const char *sName) { return about->findChild<QLabel *>(sName)->text(); };
    EXPECT_EQ(text("Label1"), QStringLiteral("Tavlon"));
    EXPECT_EQ(text("Label13"), QStringLiteral("2.0"));
    EXPECT_EQ(text("Label14"), QStringLiteral("0"));
    EXPECT_EQ(text("Label17"), QStringLiteral("MIT License"));
    QLabel *link = about->findChild<QLabel *>("Label16");
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(8, link->height() / 2));
    EXPECT_EQ(opened, QList<QUrl>{QUrl(QStringLiteral("https://tavlon.example.org"))});
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
