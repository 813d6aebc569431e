#pragma once

// The main window driven like a player would: the fixture, and an answerer for its boxes.
#include "TestBoard.h"
#include "frmMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

const char *const Start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";
// The Immortal Game to Black's 22nd move, long enough for the lists to scroll; 23. Be7# mates.
const QString Immortal = "1. e4 e5 2. f4 exf4 3. Bc4 Qh4+ 4. Kf1 b5 5. Bxb5 Nf6 6. Nf3 Qh6 7. d3 "
                         "Nh5 8. Nh4 Qg5 9. Nf5 c6 10. g4 Nf6 11. Rg1 cxb5 12. h4 Qg6 13. h5 Qg5 "
                         "14. Qf3 Ng8 15. Bxf4 Qf6 16. Nc3 Bc5 17. Nd5 Qxb2 18. Bd6 Bxg1 19. e5 "
                         "Qxa1+ 20. Ke2 Na6 21. Nxg7+ Kd8 22. Qf6+ Nxf6";

// Answers, in order, each message box or popup menu that opens, from a polling timer so the
// nested loop showing it really runs: clicks the button or item with the caption (Escape when
// empty), noting a box's "title:text", a dialog's title or a menu's name. The caption "END"
// calls onEnd from its own timer instead, so this one can answer what follows.
class Answerer : public QObject {
public:
    QStringList seen;
    QStringList details; // each box's informative text, "" for none
    std::function<void()> onEnd;

    explicit Answerer(QStringList captions) {
        auto *timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, captions]() mutable {
            QWidget *w = QApplication::activePopupWidget();
            w = w != nullptr ? w : QApplication::activeModalWidget();
            if (w == nullptr || w == oLast || captions.isEmpty())
                return;
            oLast = w; // until it hides: a popup shown again is the same widget
            w->installEventFilter(this);
            const QString sCaption = captions.takeFirst();
            auto *menu = qobject_cast<QMenu *>(w);
            auto *box = qobject_cast<QMessageBox *>(w);
            seen << (menu != nullptr ? menu->objectName()
                                     : w->windowTitle() + (box ? ':' + box->text() : QString()));
            if (box != nullptr)
                details << box->informativeText();
            if (sCaption == "RETURN") { // to what is highlighted; a popup left open is dismissed
                QTest::keyClick(w, Qt::Key_Return);
                if (menu != nullptr && menu->isVisible())
                    QTest::keyClick(w, Qt::Key_Escape);
            }
            if (sCaption == "END")
                QTimer::singleShot(0, this, onEnd);
            else if (sCaption.isEmpty())
                QTest::keyClick(w, Qt::Key_Escape);
            for (QAction *a : menu != nullptr ? menu->actions() : QList<QAction *>{})
                if (a->text().remove('&') == sCaption)
                    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
            for (QAbstractButton *b : menu == nullptr ? w->findChildren<QAbstractButton *>()
                                                      : QList<QAbstractButton *>{})
                if (b->text().remove('&') == sCaption)
                    QTest::mouseClick(b, Qt::LeftButton);
        });
        timer->start(10);
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

// Menu items without a letter of their own in their menu, "Game: Exit"; empty when none.
inline std::string MenusWithoutMnemonics(const QWidget &w) {
    QStringList oBad;
    for (const QMenu *menu : w.findChildren<QMenu *>()) {
        QSet<QChar> oLetters;
        for (const QAction *a : menu->actions()) {
            const qsizetype i = a->text().indexOf('&');
            if (a->isSeparator())
                continue;
            if (i < 0 || i + 1 >= a->text().size() || oLetters.contains(a->text()[i + 1].toLower()))
                oBad << menu->title() + ": " + a->text();
            else
                oLetters << a->text()[i + 1].toLower();
        }
    }
    return oBad.join(", ").toStdString();
}

inline QByteArray Read(const QString &sPath) {
    QFile oFile(sPath);
    return oFile.open(QIODevice::ReadOnly) ? oFile.readAll() : QByteArray();
}

// Plays steps split by '|' in a window: type:TEXT, move:e1e2, view:PLY, click:SQUARE, key:Ctrl+U
// (to the focused widget), clip:TEXT, file:ANSWER (to both questions), menu:NAME (about to show),
// or an action's name to trigger.
inline void Steps(frmMain *p, const QString &sSteps) {
    auto *board = p->findChild<Board *>();
    for (const QString &sStep : sSteps.split('|')) {
        const QString sArg = sStep.section(':', 1, -1);
        auto *txt = p->findChild<QLineEdit *>("txtMovePiece");
        if (sStep.startsWith("type:")) {
            txt->setText(sArg);
            QTest::keyClick(txt, Qt::Key_Return);
            QCoreApplication::processEvents(); // the move runs once the key has been handled
        } else if (sStep.startsWith("move:")) {
            board->MovePiece(sArg.left(2), sArg.mid(2));
        } else if (sStep.startsWith("view:")) {
            board->ViewPly(sArg.toInt());
        } else if (sStep.startsWith("click:")) {
            QTest::mouseClick(board, Qt::LeftButton, {}, CellCentre(sArg));
        } else if (sStep.startsWith("key:")) {
            QApplication::setActiveWindow(p); // offscreen gives it back to no one after a box
            const QKeyCombination k = QKeySequence(sArg)[0];
            QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : p;
            QTest::keyClick(target, k.key(), k.keyboardModifiers());
        } else if (sStep.startsWith("clip:")) {
            QApplication::clipboard()->setText(sArg);
        } else if (sStep.startsWith("file:")) {
            p->setFileChooser([sArg](QWidget *, FileQuestion, const QString &) { return sArg; });
        } else if (sStep.startsWith("menu:")) {
            emit p->findChild<QMenu *>(sArg)->aboutToShow();
        } else {
            p->findChild<QAction *>(sStep)->trigger();
        }
    }
}

// Settings live in a fresh temporary place, made before the window reads them.
struct TemporarySettings {
    TemporarySettings() {
        static QTemporaryDir oDir;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, oDir.path());
        QSettings().clear();
    }
};

class MainWindow : public ::testing::Test, TemporarySettings {
protected:
    void SetUp() override {
        w.setUrlOpener([this](const QUrl &url) {
            opened << url;
            return bBrowser;
        });
        w.setFileChooser([this](QWidget *, FileQuestion e, const QString &) {
            asked << (e == FileQuestion::Open ? "open" : e == FileQuestion::Save ? "save" : "add");
            return e == FileQuestion::Open ? sOpenAnswer : sSaveAnswer;
        });
        SetNotation(false); // the lists as the board reports moves, unless a test says otherwise
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
    void SetNotation(bool bStandard) {
        if (Find<QAction>("mnuViewNotation")->isChecked() != bStandard)
            Find<QAction>("mnuViewNotation")->trigger();
    }
    // New Game, throwing away whatever was played.
    void NewGame() {
        Answerer discard({"Discard"});
        Key(Qt::Key_N);
    }
    // Types a move and presses Return in the box, as a player would.
    void Type(const QString &sMove) {
        auto *txt = Find<QLineEdit>("txtMovePiece");
        txt->setFocus();
        txt->selectAll();
        QTest::keyClicks(txt, sMove);
        QTest::keyClick(txt, Qt::Key_Return);
        QCoreApplication::processEvents(); // the move runs once the key has been handled
    }
    // Both move lists, White's then Black's: "e2-e4,g1-f3|e7-e5".
    std::string Lists() {
        QStringList s;
        for (const char *sList : {"lstWhiteMoves", "lstBlackMoves"}) {
            QStringList oEntries;
            for (QListWidgetItem *item :
                 Find<QListWidget>(sList)->findItems("*", Qt::MatchWildcard))
                oEntries << item->text();
            s << oEntries.join(',');
        }
        return s.join('|').toStdString();
    }

    std::string Status() { return Find<QStatusBar>("staStatus")->currentMessage().toStdString(); }
    std::string Title() { return w.windowTitle().toStdString(); }
    QString Path(const char *sName) { return oDir.filePath(sName); }
    QString Write(const char *sName, const QByteArray &oBytes) {
        QFile oFile(Path(sName));
        EXPECT_TRUE(oFile.open(QIODevice::WriteOnly) && oFile.write(oBytes) == oBytes.size());
        return oFile.fileName();
    }

    frmMain w;
    Board *board = w.findChild<Board *>(QStringLiteral("Board1"));
    QList<QUrl> opened;
    bool bBrowser = true; // whether the addresses open
    QStringList asked;    // the file questions, "open" or "save"
    QString sOpenAnswer, sSaveAnswer;
    QTemporaryDir oDir;
};
