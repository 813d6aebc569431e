#include "Desktop.h"
#include "MainWindowTest.h"
#include "Translations.h"
#include "frmAbout.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

TEST_F(MainWindow, MessagesForRefusedMovesChecksMatesAndStalemate) {
    struct Case {
        const char *sLayout;
        bool bWhiteToMove;
        const char *sMove; // typed, or a drag when it has a space
        const char *sMessage;
        const char *sStatus;
    } const cases[] = {
        {Start, true, "e7e5", "Illegal move or bad syntax",
         "The piece on e7 is Black's; White is to move"},
        {Start, true, "e5", "Illegal move or bad syntax", "Illegal move: e5"},
        {Start, true, "x9", "Illegal move or bad syntax", "Not a move: type a move as e2e4 or Nf3"},
        {Start, true, "e3e4", "Illegal move or bad syntax", "There is no piece on e3"},
        {Start, true, "e2e5", "Illegal move or bad syntax", "Illegal move: e2-e5"},
        {"4k3/8/8/8/8/8/8/R3K3", true, "a1a8", "Black king in check", "Black is in check"},
        {"4k3/8/8/8/8/8/3r4/4K3", false, "d2d1", "White king in check", "White is in check"},
        {"k7/8/1K6/8/8/8/8/7R", true, "h1 h8", "Black checkmated", "Black checkmated"},
        {"4k3/8/8/8/8/8/r4PPP/6K1", false, "a2 a1", "White checkmated", "White checkmated"},
        {"7k/5K2/8/8/6Q1/8/8/8", true, "g4 g6", "Stalemate", "Stalemate"},
    };
    // With Messages in Boxes off, the status line alone tells; a refusal's box says as much.
    for (const bool bBoxes : {true, false}) {
        if (Find<QAction>("mnuCheckBox")->isChecked() != bBoxes)
            Find<QAction>("mnuCheckBox")->trigger();
        for (const Case &c : cases) {
            SCOPED_TRACE(std::string(c.sMessage) + (bBoxes ? "" : ", no boxes"));
            board->NewGame(c.bWhiteToMove, Layout(c.sLayout));
            Answerer answerer({"OK"});
            const QString sMove = c.sMove;
            if (sMove.contains(' ')) {
                Drag(*board, sMove.left(2), CellCentre(sMove.right(2)));
            } else {
                Type(sMove);
                EXPECT_EQ(Find<QLineEdit>("txtMovePiece")->text(), sMove); // the box keeps it
            }
            const bool bRefused = QString(c.sMessage).startsWith("Illegal");
            EXPECT_EQ(answerer.seen,
                      bBoxes ? QStringList{"Tavlon:" + QString(c.sMessage)} : QStringList());
            EXPECT_EQ(answerer.details.join(""), bBoxes && bRefused ? c.sStatus : "");
            EXPECT_EQ(Status(), c.sStatus);
        }
    }
}

// The popup opens over the promotion square, the queen highlighted for Return; dismissed, it
// takes the move back.
TEST_F(MainWindow, PromotionPopupOverTheSquarePlacesThePieceOrTakesTheMoveBack) {
    Find<QAction>("mnuShowLastMove")->trigger(); // the pictures below compare positions only
    for (const bool bWhite : {true, false}) {
        for (const QString sPiece : {"", "Queen", "Rook", "Bishop", "Knight", "RETURN"}) {
            SCOPED_TRACE(sPiece.toStdString());
            NewGame();
            board->NewGame(bWhite,
                           Layout(bWhite ? "8/1P2k3/8/8/8/8/7P/4K3" : "4k3/7p/8/8/8/8/1p2K3/8"));
            const QImage before = board->grab().toImage();
            Answerer answerer({sPiece}); // empty: Escape
            Type(bWhite ? "b7b8" : "b2b1");
            const QString sMenu = bWhite ? "mnuWhitePawnPromotion" : "mnuBlackPawnPromotion";
            EXPECT_EQ(answerer.seen, QStringList{sMenu}); // no box after a dismissal either
            auto *menu = Find<QMenu>(sMenu.toLatin1());
            const QPoint oCorner = board->mapToGlobal(CellOrigin(bWhite ? "b8" : "b1"));
            if (menu->screen()->availableGeometry().contains(QRect(oCorner, menu->size()))) {
                EXPECT_EQ(menu->pos(), oCorner);
            }
            if (sPiece.isEmpty()) {
                EXPECT_EQ(Lists(), "|");
                EXPECT_EQ(board->grab().toImage(), before);
                EXPECT_EQ(Status(), bWhite ? "White to move" : "Black to move");
                continue;
            }
            const QString p = sPiece == "Knight" ? "N" : sPiece == "RETURN" ? "Q" : sPiece.left(1);
            // The list names the new piece, as a record must.
            EXPECT_EQ(QString::fromStdString(Lists()),
                      bWhite ? "1. b7-b8=" + p + "|" : "|1... b2-b1=" + p);
            // The board must now look exactly like one set up with the chosen piece there.
            const QImage played = board->grab().toImage();
            board->NewGame(!bWhite, Layout(bWhite ? "1" + p + "6/4k3/8/8/8/8/7P/4K3"
                                                  : "4k3/7p/8/8/8/8/4K3/1" + p.toLower() + "6"));
            EXPECT_EQ(played, board->grab().toImage());
        }
    }
}

// Menu commands during the promotion wait change nothing; Exit then ends the program cleanly.
TEST_F(MainWindow, CommandsDuringThePromotionWaitChangeNothingAndExitEndsIt) {
    board->NewGame(false, Layout("8/1P2k3/8/8/8/8/8/4K3"));
    Type("e7e6");
    auto commands = [this] { // from inside the wait; nothing answers the popup
        EXPECT_NE(QApplication::activePopupWidget(), nullptr);
        for (const char *sCommand : {"mnuGameNew", "mnuActionsUndo", "mnuEditPaste"})
            Find<QAction>(sCommand)->trigger();
        Answerer discard({"Discard"}); // Exit asks about the unsaved e7-e6 first
        Find<QAction>("mnuExit")->trigger();
    };
    QObject::connect(
        board, &Board::PawnPromotion, &w, [&] { QTimer::singleShot(0, &w, commands); },
        Qt::SingleShotConnection);
    Type("b7b8"); // returns: no hang
    EXPECT_TRUE(Lists().ends_with("|1... e7-e6")) << Lists();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

// The menu bar's overflow arrows, read only once drawn, look as the wrapped style draws them.
TEST(Desktop, DeferredOverflowArrowsLookAsBefore) {
    const QStyle::StandardPixmap Arrows[] = {QStyle::SP_ToolBarHorizontalExtensionButton,
                                             QStyle::SP_ToolBarVerticalExtensionButton};
    std::vector<QImage> oBefore;
    for (const auto eArrow : Arrows)
        oBefore.push_back(QApplication::style()->standardIcon(eArrow).pixmap(16).toImage());
    DeferOverflowArrows();
    for (std::size_t i = 0; i < oBefore.size(); ++i) {
        const QIcon oIcon = QApplication::style()->standardIcon(Arrows[i]);
        EXPECT_FALSE(oIcon.isNull());
        EXPECT_EQ(oIcon.pixmap(16).toImage(), oBefore[i]);
    }
}

// The desktop's file dialog gives the file chosen, and nothing when cancelled.
TEST(Desktop, TheFileDialogGivesNothingWhenCancelled) {
    QTemporaryDir oDir;
    const QString sPath = oDir.filePath("game.pgn");
    QFile(sPath).open(QIODevice::WriteOnly);
    for (const bool bCancel : {true, false}) {
        QTimer oTimer; // as a player would, again until it closes
        QObject::connect(&oTimer, &QTimer::timeout, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            auto *name = dialog ? dialog->findChild<QLineEdit *>("fileNameEdit") : nullptr;
            if (name != nullptr) // a name typed, then Escape or Return
                name->setText(sPath);
            if (name != nullptr)
                QTest::keyClick(bCancel ? static_cast<QWidget *>(dialog) : name,
                                bCancel ? Qt::Key_Escape : Qt::Key_Return);
        });
        oTimer.start(10);
        EXPECT_EQ(DefaultFileChooser()(nullptr, FileQuestion::Open, oDir.path()),
                  bCancel ? "" : sPath);
    }
}

// Turning the board is proved by ViewOptionsReachTheBoardAndAreRemembered's picture.
TEST_F(MainWindow, ViewCommandsWidenTheWindow) {
    EXPECT_EQ(MenusWithoutMnemonics(w), "");
    for (const bool bShow : {true, false}) {
        Key(Qt::Key_H);
        EXPECT_EQ(w.frameGeometry().width(), bShow ? w.WideWidth() : frmMain::NarrowWidth);
        EXPECT_EQ(Find<QAction>("mnuHideMoves")->text(), bShow ? "Hide &Moves" : "Show &Moves");
        EXPECT_EQ(Find<QListWidget>("lstWhiteMoves")->visibleRegion().isEmpty(), !bShow);
        // The typed-move row stays inside the window in both widths.
        EXPECT_TRUE(
            w.centralWidget()->rect().contains(Find<QPushButton>("cmdMovePiece")->geometry()));
    }
}

// Online Help's buttons say what they do: the rules in the browser, or the manual; an address
// no browser opens is shown to copy. About names no made-up web page, and --version's version.
// F1 and Ctrl+? open the manual and the keys, without a browser.
TEST_F(MainWindow, HelpWorksWithoutABrowserAndSaysWhenAnAddressCannotOpen) {
    const QString sOnline = "Online Help:The rules of chess are on a web page, which needs an "
                            "internet connection. Tavlon's own help needs none.";
    const QString sNoBrowser =
        "Tavlon:No web browser could open this address. Copy it into one:\n\n";
    const QString sRules = frmMain::RulesPage().toString();
    struct Case {
        bool bBrowser;
        QStringList answers, seen;
        bool bManual;
    } const cases[] = {
        {true, {"Cancel"}, {sOnline}, false},
        {true, {"Open in Browser"}, {sOnline}, false},
        {false, {"Open in Browser", "OK"}, {sOnline, sNoBrowser + sRules}, false},
        {true, {"Show Built-in Help"}, {sOnline}, true},
    };
    for (const Case &c : cases) {
        bBrowser = c.bBrowser;
        Answerer answerer(c.answers);
        Find<QAction>("HHonline")->trigger();
        EXPECT_EQ(answerer.seen, c.seen);
        auto *manual = Find<QDialog>("dlgHelp");
        EXPECT_EQ(manual != nullptr && manual->isVisible(), c.bManual);
    }
    EXPECT_EQ(opened, QList<QUrl>({sRules, sRules}));

    const auto AboutShown = [] {
        QPointer<frmAbout> o;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *a = qobject_cast<frmAbout *>(top); a != nullptr && a->isVisible())
                o = a;
        return o;
    };
    const auto About = [&] {
        Find<QAction>("mnuHelpAbout")->trigger();
        return AboutShown();
    };
    QPointer<frmAbout> about = About();
    ASSERT_FALSE(about.isNull());
    EXPECT_EQ(about->findChild<QLabel *>("Label13")->text(), TavlonVersion());
    EXPECT_EQ(about->findChild<QLabel *>("Label16") != nullptr, !TavlonHomepage().isEmpty());
    for (const QLabel *label : about->findChildren<QLabel *>())
        EXPECT_FALSE(label->text().contains("example")) << label->text().toStdString();
    QTest::mouseClick(about->findChild<QPushButton *>("Command1"), Qt::LeftButton);
    QTest::qWait(10);
    EXPECT_TRUE(about.isNull());

    const std::tuple<Qt::Key, Qt::KeyboardModifiers, const char *, const char *> windows[] = {
        {Qt::Key_F1, Qt::NoModifier, "dlgHelp", "Drag a piece to its square"},
        {Qt::Key_Question, Qt::ControlModifier, "dlgShortcuts", "Ctrl+U or Ctrl+Z"}};
    for (const auto &[key, mods, sName, sText] : windows) {
        Key(key, mods);
        auto *window = Find<QDialog>(sName);
        ASSERT_NE(window, nullptr) << sName;
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->findChild<QTextBrowser *>()->toPlainText().contains(sText)) << sName;
        window->close();
    }
    EXPECT_EQ(opened.size(), 2); // no browser for either
    // About has no owner: the window closes it, or it would keep the program running.
    about = About();
    ASSERT_FALSE(about.isNull());
    w.close();
    EXPECT_TRUE(AboutShown().isNull());
}

// The View options reach the board and outlive the window; turning after each move shows the
// side to move at the bottom. (Messages in Boxes: MessagesForRefusedMovesChecksMatesAndStalemate.)
TEST_F(MainWindow, ViewOptionsReachTheBoardAndAreRemembered) {
    const char *const sNames[] = {"mnuShowLastMove",    "mnuShowCheck", "mnuShowLegalMoves",
                                  "mnuShowCoordinates", "mnuTurnBoard", "mnuCheckBox"};
    auto onBoard = [](Board &b) {
        return std::vector<bool>{b.ShowLastMove(), b.ShowCheck(), b.ShowLegalMoves(),
                                 b.ShowCoordinates()};
    };
    EXPECT_EQ(onBoard(*board), std::vector<bool>(4, true));
    for (const char *sName : sNames)
        Find<QAction>(sName)->trigger();
    EXPECT_EQ(onBoard(*board), std::vector<bool>(4, false));
    Key(Qt::Key_H); // Show Moves
    Key(Qt::Key_R); // Black's view
    frmMain again;  // reads what this window stored
    EXPECT_EQ(onBoard(*again.findChild<Board *>("Board1")), std::vector<bool>(4, false));
    EXPECT_EQ(again.findChild<QAction *>("mnuHideMoves")->text(), "Hide &Moves");
    Board reversed;
    reversed.BoardView(false);
    again.show();
    reversed.show();
    EXPECT_EQ(DifferingCells(again.findChild<Board *>("Board1")->grab().toImage(),
                             reversed.grab().toImage()),
              "");
    Key(Qt::Key_R);
    Key(Qt::Key_H);
    EXPECT_EQ(Status(), "White to move");
    Type("e2e4");
    QStatusTipEvent oHover(QString{}); // what hovering a menu item sends
    QApplication::sendEvent(&w, &oHover);
    EXPECT_EQ(Status(), "Black to move");
    for (const char *s : {"e7", "e5"}) // clicks, in the turned board
        QTest::mouseClick(board, Qt::LeftButton, {}, CellCentre(s, false));
    EXPECT_EQ(Lists(), "1. e2-e4|1... e7-e5");
}

// Under a German locale the menus, the status line and the boxes speak German.
// Installed before the window is made; deleting a translator uninstalls it, so the other tests
// in this process stay English.
struct German {
    German() { InstallTranslations(QLocale(QLocale::German, QLocale::Germany)); }
    ~German() { qDeleteAll(qApp->findChildren<QTranslator *>(Qt::FindDirectChildrenOnly)); }
};
class GermanWindow : German, public MainWindow {};

TEST_F(GermanWindow, MenusStatusAndBoxesAreTranslated) {
    EXPECT_EQ(Find<QMenu>("mnuGame")->title(), "&Partie");
    EXPECT_EQ(Status(), "Weiß am Zug");
    EXPECT_EQ(board->Tag("Event"), "Freie Partie"); // a new game's event, in German
    Answerer answerer({"OK"});
    Find<QLineEdit>("txtMovePiece")->setText("x9"); // unreadable, whatever the language
    Find<QPushButton>("cmdMovePiece")->click();
    EXPECT_EQ(answerer.seen, QStringList{"Tavlon:Unzulässiger Zug oder falsche Schreibweise"});
    EXPECT_EQ(Status(), "Kein Zug: einen Zug wie e2e4 oder Sf3 eingeben");
    EXPECT_EQ(MenusWithoutMnemonics(w), "");
    // German piece letters in the lists and the box, in either case, the standard's English
    // ones in the record.
    SetNotation(true);
    for (const char *sMove : {"e4", "sc6", "Le2", "Nf6"})
        Type(sMove);
    EXPECT_EQ(Lists(), "1. e4,2. Le2|1... Sc6,2... Sf6");
    EXPECT_TRUE(board->Pgn().contains("1. e4 Nc6 2. Be2 Nf6"));
    board->ViewPly(3); // the status line names the move shown as its list does
    EXPECT_NE(Status().find("2. Le2"), std::string::npos) << Status();
}

} // namespace
