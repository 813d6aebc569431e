// Set Up Position: boxes that follow the pieces, the FEN field both ways, reasons told apart, and
// a window that starts a game only from a position that can be played.
#include "MainWindowTest.h"
#include "Translations.h"
#include "dlgSetUpPosition.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTranslator>

namespace {

// The buttons and labelled fields without a letter of their own, Cancel aside: "&Flip, &Fen".
std::string WithoutOwnLetter(const QWidget &d) {
    QSet<QChar> oLetters;
    QStringList oBad;
    const QWidget *cancel = d.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel);
    for (QWidget *w : d.findChildren<QWidget *>()) {
        auto *button = qobject_cast<QAbstractButton *>(w);
        auto *label = qobject_cast<QLabel *>(w);
        const QString s = button ? button->text() : label && label->buddy() ? label->text() : "";
        const qsizetype i = s.indexOf('&');
        if (!s.isEmpty() && w != cancel && (i < 0 || oLetters.contains(s[i + 1].toLower())))
            oBad << s;
        if (i >= 0)
            oLetters << s[i + 1].toLower();
    }
    return oBad.join(", ").toStdString();
}

class SetUpDialog : public ::testing::Test, TemporarySettings {
protected:
    void SetUp() override {
        b->setFixedSize(332, 332); // where the test support finds the squares
        d.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    }
    template <class T>
    T *Find(const QString &sName) {
        return d.findChild<T *>(sName);
    }
    void TypeFen(const QString &s) {
        Find<QLineEdit>("txtFen")->selectAll();
        QTest::keyClicks(Find<QLineEdit>("txtFen"), s);
    }
    // Each castling box: its letter ticked, '-' free to tick, '.' not to be ticked.
    std::string Boxes() {
        std::string s;
        for (const char c : std::string("KQkq")) {
            const auto *box = Find<QCheckBox>(QString("chkCastling") + c);
            s += box->isChecked() ? c : box->isEnabled() ? '-' : '.';
        }
        return s;
    }
    QStringList EnPassant() {
        QStringList o;
        for (int i = 0; i < Find<QComboBox>("cboEnPassant")->count(); ++i)
            o << Find<QComboBox>("cboEnPassant")->itemText(i);
        return o;
    }
    std::string Fen() { return Find<QLineEdit>("txtFen")->text().toStdString(); }
    std::string Problem() { return Find<QLabel>("lblProblem")->text().toStdString(); }

    dlgSetUpPosition d{"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", {}, true};
    Board *b = d.findChild<Board *>("brdSetUp");
};

TEST_F(SetUpDialog, CastlingBoxesAndEnPassantFollowThePieces) {
    const std::tuple<const char *, const char *, const char *> Steps[] = {
        {"e1e2", "..kq", "rnbqkbnr/pppppppp/8/8/8/8/PPPPKPPP/RNBQ1BNR w kq - 0 1"},
        {"e2e1", "--kq", "rnbqkbnr/pppppppp/8/8/8/8/PPPP1PPP/RNBQKBNR w kq - 0 1"},
        {"K", "K-kq", "rnbqkbnr/pppppppp/8/8/8/8/PPPP1PPP/RNBQKBNR w Kkq - 0 1"},
        {"h8h6", "K-.q", "rnbqkbn1/pppppppp/7r/8/8/8/PPPP1PPP/RNBQKBNR w Kq - 0 1"},
        {"tbnDelete", "K-.q", "rnbqkbn1/pppppppp/7r/8/8/8/PPPP1PPP/RNBQKBNR w Kq - 0 1"},
        {"h1h1", ".-.q", "rnbqkbn1/pppppppp/7r/8/8/8/PPPP1PPP/RNBQKBN1 w q - 0 1"},
        {"cmdClear", "....", "8/8/8/8/8/8/8/8 w - - 0 1"},
        {"cmdStartingPosition", "KQkq", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"},
    };
    for (const auto &[sStep, sBoxes, sFen] : Steps) {
        const QString s = sStep;
        if (s.size() == 4)
            Drag(*b, s.left(2), CellCentre(s.mid(2)));
        else if (s.size() == 1)
            Find<QCheckBox>("chkCastling" + s)->click();
        else if (s.startsWith("tbn"))
            Find<QToolButton>(s)->click();
        else
            Find<QPushButton>(s)->click();
        EXPECT_EQ(Boxes(), sBoxes) << sStep;
        EXPECT_EQ(Fen(), sFen) << sStep;
    }
    // En passant: only squares a pawn of the side that just moved can have passed.
    TypeFen("4k3/8/8/2pP1p2/8/8/8/4K3 w - - 5 9");
    EXPECT_EQ(EnPassant(), QStringList({"none", "c6", "f6"}));
    auto *box = Find<QComboBox>("cboEnPassant");
    box->setCurrentIndex(2);
    emit box->activated(2);
    EXPECT_EQ(Fen(), "4k3/8/8/2pP1p2/8/8/8/4K3 w - f6 0 9") << "a pawn has just moved";
    Drag(*b, "c5", CellCentre("c4"));
    EXPECT_EQ(EnPassant(), QStringList({"none", "f6"}));
    Find<QRadioButton>("optBlack")->click();
    EXPECT_EQ(EnPassant(), QStringList({"none"}));
    EXPECT_FALSE(box->isEnabled());
}

TEST_F(SetUpDialog, TextThatIsNoFenIsToldFromAPositionThatCannotBePlayed) {
    TypeFen("rnbqkbnr/pppppppp/8/8 w - - 0 1");
    EXPECT_NE(Problem().find("This is not a FEN: the placement \"rnbqkbnr/pppppppp/8/8\""),
              std::string::npos);
    EXPECT_EQ(b->Placement(), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR") << "unchanged";
    EXPECT_FALSE(Find<QPushButton>("cmdStart")->isEnabled());
    EXPECT_EQ(WithoutOwnLetter(d), "");
}

// The Chess960 box: rights belong to rooks by their files, beside a king anywhere on its first
// rank, read from X-FEN or Shredder-FEN and written as X-FEN; the judge names the rook it lacks.
TEST_F(SetUpDialog, Chess960RightsByRookFile) {
    auto *combo = Find<QComboBox>("cboRookFileQ"); // the rooks White's queenside right may take
    const struct {
        const char *sStep, *sBoxes, *sFen, *sRook;
    } Steps[] = {
        // A Shredder-FEN that needs Chess960 ticks the box.
        {"bbqnnrkr/pppppppp/8/8/8/8/PPPPPPPP/BBQNNRKR w HFhf - 0 1", "KQkq",
         "bbqnnrkr/pppppppp/8/8/8/8/PPPPPPPP/BBQNNRKR w KQkq - 0 1", "f1"},
        {"h1h3", ".Qkq", "bbqnnrkr/pppppppp/8/8/8/7R/PPPPPPPP/BBQNNRK1 w Qkq - 0 1", "f1"},
        // Standard chess has no king on g1: every right goes, and comes back only when ticked.
        {"chk960", "....", "bbqnnrkr/pppppppp/8/8/8/7R/PPPPPPPP/BBQNNRK1 w - - 0 1", "hidden"},
        {"chk960", ".---", "bbqnnrkr/pppppppp/8/8/8/7R/PPPPPPPP/BBQNNRK1 w - - 0 1", "f1"},
        // Two rooks on a side: the outermost is Q's unless the inner one is chosen (a file letter).
        {"4k3/8/8/8/8/8/8/RR2K3 w Q - 0 1", ".Q..", "4k3/8/8/8/8/8/8/RR2K3 w Q - 0 1", "a1"},
        {"cboRookFileQ", ".Q..", "4k3/8/8/8/8/8/8/RR2K3 w B - 0 1", "b1"},
        {"a1a2", ".Q..", "4k3/8/8/8/8/8/R7/1R2K3 w Q - 0 1", "b1"}, // now the outermost
        {"b1c1", ".-..", "4k3/8/8/8/8/8/R7/2R1K3 w - - 0 1", "c1"},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "KQkq", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1",
         "a1"}, // a standard FEN leaves the box as it is
    };
    for (const auto &[sStep, sBoxes, sFen, sRook] : Steps) {
        const QString s = sStep;
        if (s == "chk960")
            Find<QCheckBox>(s)->click();
        else if (s == "cboRookFileQ")
            emit combo->activated((combo->setCurrentIndex(1), 1));
        else if (s.size() == 4)
            Drag(*b, s.left(2), CellCentre(s.mid(2)));
        else
            TypeFen(s);
        EXPECT_EQ(Boxes(), sBoxes) << sStep;
        // The field keeps what the player typed; the dialog answers with X-FEN.
        EXPECT_EQ(d.Fen().toStdString(), sFen) << sStep;
        EXPECT_EQ(Fen(), s.count('/') ? sStep : sFen) << sStep;
        EXPECT_EQ(combo->isVisible() ? combo->currentText() : "hidden", sRook) << sStep;
    }
    EXPECT_TRUE(d.Is960());
    TypeFen("4k3/8/8/8/8/8/8/1K6 w K - 0 1");
    EXPECT_EQ(Problem(), "This position cannot be played: White's kingside castling needs the "
                         "king on its first rank and the rook on h1 on that side of it.");
}

// Under a German locale the dialog speaks German and the board takes German letters.
TEST(SetUpGerman, TitleAndPieceLettersAreGerman) {
    InstallTranslations(QLocale(QLocale::German, QLocale::Germany));
    {
        dlgSetUpPosition d("8/8/8/8/8/8/8/8 w - - 0 1", {}, true);
        auto *b = d.findChild<Board *>("brdSetUp");
        b->setFixedSize(332, 332);
        d.show();
        EXPECT_EQ(d.windowTitle(), "Stellung aufbauen");
        EXPECT_EQ(WithoutOwnLetter(d), "");
        QTest::mouseClick(b, Qt::LeftButton, {}, CellCentre("e4"));
        for (const char c : {'D', 'Q', 't'})
            QTest::keyClick(b, c);
        EXPECT_EQ(b->Placement(), "8/8/8/8/4r3/8/8/8") << "D a queen, Q nothing, t a rook";
    }
    qDeleteAll(qApp->findChildren<QTranslator *>(Qt::FindDirectChildrenOnly));
}

// Ctrl+E: a right no rook supports is refused with its reason, and Cancel leaves the game; a good
// FEN and Return ask about the unsaved game, then start from the FEN with its tags.
TEST_F(MainWindow, SetUpPositionStartsOnlyWhatCanBePlayed) {
    Type("e4");
    const QString sGame = board->Pgn();
    const auto InSetUp = [](const std::function<void(QWidget *, QLineEdit *)> &f) {
        QTimer::singleShot(0, [f] {
            QWidget *d = QApplication::activeModalWidget();
            f(d, d->findChild<QLineEdit *>("txtFen"));
        });
    };
    InSetUp([this](QWidget *d, QLineEdit *txt) {
        EXPECT_EQ(d->focusWidget(), txt);
        EXPECT_EQ(txt->text(), board->Fen()) << "the position shown";
        txt->selectAll();
        QTest::keyClicks(txt, "r3k2r/8/8/8/8/8/8/4K2R w KQkq - 0 1");
        EXPECT_EQ(d->findChild<QLabel *>("lblProblem")->text(),
                  "This position cannot be played: the castling right Q needs the king on e1 and "
                  "a rook on a1.");
        QTest::keyClick(txt, Qt::Key_Return);
        EXPECT_TRUE(d->isVisible()) << "Start Game is disabled";
        d->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->click();
    });
    Key(Qt::Key_E);
    EXPECT_EQ(board->Pgn(), sGame);

    InSetUp([](QWidget *d, QLineEdit *txt) {
        txt->selectAll();
        QTest::keyClicks(txt, "4k3/8/8/8/8/8/8/4K2R w K - 0 1");
        Answerer oCancel({"Cancel"});
        QTest::keyClick(txt, Qt::Key_Return);
        EXPECT_TRUE(d->isVisible()) << "the game was not given up";
        Answerer oDiscard({"Discard"});
        QTest::keyClick(txt, Qt::Key_Return);
        EXPECT_EQ(oCancel.seen + oDiscard.seen, QStringList(2, "Tavlon:Save the current game?"));
    });
    Key(Qt::Key_E);
    EXPECT_EQ(board->Fen(), "4k3/8/8/8/8/8/8/4K2R w K - 0 1");
    EXPECT_TRUE(board->Pgn().contains("[SetUp \"1\"]\n[FEN \"4k3/8/8/8/8/8/8/4K2R w K - 0 1\"]"));
    // A Chess960 game opens the dialog with its box ticked; a position started with the box
    // ticked is a game of Chess960, even where its rights would read as standard chess.
    for (const bool b960 : {true, false}) {
        InSetUp([b960](QWidget *d, QLineEdit *txt) {
            auto *chk960 = d->findChild<QCheckBox *>("chk960");
            EXPECT_EQ(chk960->isChecked(), !b960) << "the game before";
            if (chk960->isChecked() != b960)
                chk960->click();
            txt->selectAll();
            QTest::keyClicks(txt, "4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1");
            Answerer oDiscard({"Discard"});
            QTest::keyClick(txt, Qt::Key_Return);
        });
        Key(Qt::Key_E);
        EXPECT_EQ(board->Is960(), b960);
        EXPECT_EQ(board->Pgn().contains("[Variant \"Chess960\"]"), b960);
        EXPECT_EQ(board->MovePieceSan("e1h1"), b960) << "castling as the king taking its rook";
    }
}

} // namespace
