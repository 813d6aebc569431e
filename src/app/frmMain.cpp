#include "frmMain.h"

#include "ClockPanel.h"
#include "CollectionNavigator.h"
#include "GameCollection.h"
#include "GameDocument.h"
#include "GameRecovery.h"
#include "MoveWords.h"
#include "Notation.h"
#include "NotationView.h"
#include "Sounds.h"
#include "frmAbout.h"

#include <QCloseEvent>
#include <QCursor>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyleOption>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>
#include <tavlon/Board.h>

namespace {

const QColor BackColor(224, 224, 224);

// Piece class codes of the promotion choices.
constexpr qint16 WhiteQueen = 7, WhiteRook = 8, WhiteKnight = 9, WhiteBishop = 10;
constexpr qint16 BlackQueen = 1, BlackRook = 2, BlackKnight = 3, BlackBishop = 4;

const QString sEnglishLetters = QStringLiteral("KQRBN");

// This language's letters for king, queen, rook, bishop and knight, from the translation, so
// that each language brings its own.
QString PieceLetters() {
    //: The letters of king, queen, rook, bishop and knight, in this order, as players of this
    //: language write moves (German: KDTLS). Five capital letters.
    const QString sLetters = frmMain::tr("KQRBN");
    return sLetters.size() == sEnglishLetters.size() ? sLetters : sEnglishLetters;
}

// The letter of the piece on a square of a FEN's placement ("P", "k"), or a null character.
QChar FenPieceAt(const QString &sFen, const QString &sSquare) {
    const QStringList oRanks = sFen.section(' ', 0, 0).split('/');
    const int nRank = '8' - sSquare[1].toLatin1(), nWant = sSquare[0].toLatin1() - 'a';
    if (oRanks.size() != 8)
        return {};
    int nFile = 0;
    for (const QChar c : oRanks[nRank]) {
        if (c.isDigit()) {
            nFile += c.digitValue();
            continue;
        }
        if (nFile++ == nWant)
            return c;
    }
    return {};
}

QString MapLetters(const QString &sText, const QString &sFrom, const QString &sTo) {
    QString s = sText;
    for (QChar &c : s)
        if (const qsizetype i = sFrom.indexOf(c); i >= 0)
            c = sTo[i];
    return s;
}

// The status line: a message too long for the window ends in "…", and the whole of it is the
// tooltip, so nothing is cut without a way to read it; screen readers get it whole too.
class StatusLine : public QStatusBar {
public:
    explicit StatusLine(QWidget *parent) : QStatusBar(parent) {
        connect(this, &QStatusBar::messageChanged, this, [this](const QString &sText) {
            setAccessibleName(sText);
            Fit();
        });
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        QStyleOption oOption;
        oOption.initFrom(this);
        style()->drawPrimitive(QStyle::PE_PanelStatusBar, &oOption, &p, this);
        p.setPen(palette().windowText().color());
        p.drawText(TextRect(), Qt::AlignLeading | Qt::AlignVCenter | Qt::TextSingleLine,
                   fontMetrics().elidedText(currentMessage(), Qt::ElideRight, TextRect().width()));
    }
    void resizeEvent(QResizeEvent *event) override {
        QStatusBar::resizeEvent(event);
        Fit();
    }

private:
    // Where QStatusBar writes its message.
    QRect TextRect() const { return rect().adjusted(6, 0, -12, 0); }
    void Fit() {
        const QString sText = currentMessage();
        setToolTip(fontMetrics().horizontalAdvance(sText) > TextRect().width() ? sText : QString());
    }
};

} // namespace

frmMain::frmMain(QWidget *parent) : QMainWindow(parent), oOpenUrl(DefaultUrlOpener()) {
    setWindowTitle(tr("Tavlon")); // the icon is the application's

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    QPalette clientPalette = client->palette();
    clientPalette.setColor(QPalette::Window, BackColor);
    client->setPalette(clientPalette);
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    Board1 = new Board(client);
    Board1->setObjectName(QStringLiteral("Board1"));
    // The board grows with the window; LayOutClient gives it its square.
    Board1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // Arrows and circles with the right button, kept with the move shown as [%cal]/[%csl].
    Board1->SetDrawShapes(true);
    // Before the window's own handlers, whose boxes would otherwise hold a move's sound back.
    oSounds = new Sounds(Board1, this);
    oSounds->setObjectName(QStringLiteral("oSounds"));

    // The move lists, or the notation pane in their place; the window places them.
    oNotation = new NotationView(Board1, &frmMain::LocalSan, client);
    connect(oNotation, &NotationView::Step, this, &frmMain::StepShown);

    txtMovePiece = new QLineEdit(QStringLiteral("e2e4"), client);
    txtMovePiece->setObjectName(QStringLiteral("txtMovePiece"));
    cmdMovePiece = new QPushButton(tr("Move Piece"), client);
    cmdMovePiece->setObjectName(QStringLiteral("cmdMovePiece"));

    connect(cmdMovePiece, &QPushButton::clicked, this, &frmMain::cmdMovePiece_Click);
    // Queued: the move may open boxes that outlive the window, and the box's own key handling
    // must be over by then.
    connect(txtMovePiece, &QLineEdit::returnPressed, cmdMovePiece, &QPushButton::click,
            Qt::QueuedConnection);
    txtMovePiece->installEventFilter(this);

    connect(Board1, &Board::KingInCheck, this, &frmMain::Board1_KingInCheck);
    connect(Board1, &Board::PawnPromotion, this, &frmMain::Board1_PawnPromotion);
    connect(Board1, &Board::PieceMovement, this, &frmMain::Board1_PieceMovement);
    connect(Board1, &Board::Stalemate, this, &frmMain::Board1_Stalemate);
    connect(Board1, &Board::PositionChanged, this, &frmMain::Board1_PositionChanged);

    // Under the typed-move row: whose turn it is, a check, the end of the game, a refusal.
    setStatusBar(new StatusLine(this));
    staStatus = statusBar();
    staStatus->setObjectName(QStringLiteral("staStatus"));
    staStatus->setSizeGripEnabled(false);

    BuildDocument(); // before the menus, whose options already name the game's file
    BuildMenus();
    BuildRecordMenus();
    BuildChess960Menu();
    BuildCollectionMenus();
    BuildReviewMenus();
    BuildExportMenus();
    SetUpClocks();
    BuildAnalysis();
    BuildNotation();
    NameRememberedPlayers();
    Board1_PositionChanged();

    client->installEventFilter(this); // its resizes lay it out again
    if (QSettings().value(QStringLiteral("view/showMoves"), false).toBool())
        bWide = true, mnuHideMoves->setText(tr("Hide &Moves"));
    RestoreGeometry();
    if (QSettings().value(QStringLiteral("view/reverseBoard"), false).toBool())
        ReverseBoard();
    txtMovePiece->setFocus();
}

bool frmMain::event(QEvent *event) {
    // Hovering a menu item sends its status tip, empty for all of ours; shown, it would wipe
    // whose turn it is off the status line.
    if (event->type() == QEvent::StatusTip &&
        static_cast<QStatusTipEvent *>(event)->tip().isEmpty())
        return true;
    return QMainWindow::event(event);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        LayOutClient();
    if (ReviewKey(watched, event))
        return true;
    // The box's own editing keys (Ctrl+U clears the line, Ctrl+H deletes a character) would
    // swallow the menu shortcuts while the box has the focus, which it has most of the time.
    // Ctrl+Z too takes back a move, as everywhere else; the box's own undo stays on its context
    // menu.
    if (watched == txtMovePiece && event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
        for (const QAction *action : findChildren<QAction *>()) {
            if (action->shortcuts().contains(pressed)) {
                event->ignore();
                return true;
            }
        }
    }
    // Clicked into or tabbed to, the box offers its whole text, so that typing replaces the last
    // move instead of adding to it. Queued: a click would place the cursor after the focus.
    // Tab does so by itself; a window coming back to the front keeps the selection it had.
    if (watched == txtMovePiece && event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason)
        QTimer::singleShot(0, txtMovePiece, &QLineEdit::selectAll);
    return QMainWindow::eventFilter(watched, event);
}

frmMain::~frmMain() {
    // About has no owner, so it would outlive us otherwise.
    delete oAbout.data();
}

void frmMain::setUrlOpener(UrlOpener opener) {
    oOpenUrl = std::move(opener);
}

QUrl frmMain::RulesPage() {
    return QUrl(QStringLiteral("https://en.wikipedia.org/wiki/Rules_of_chess"));
}

void frmMain::BuildMenus() {
    QMenuBar *bar = menuBar();

    // The ampersands give Alt+G, Alt+E, Alt+V, Alt+A and Alt+H, and each item a letter of its
    // own within its menu.
    QMenu *mnuGame = bar->addMenu(tr("&Game"));
    mnuGame->setObjectName(QStringLiteral("mnuGame"));
    NewAction(mnuGame, "mnuGameNew", tr("&New Game"), {QKeySequence(Qt::CTRL | Qt::Key_N)},
              &frmMain::mnuGameNew_Click);
    NewAction(mnuGame, "mnuExit", tr("E&xit"), {QKeySequence(Qt::CTRL | Qt::Key_Q)},
              &QWidget::close);

    QMenu *mnuView = bar->addMenu(tr("&View"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
    NewAction(mnuView, "mnuViewReverse", tr("&Reverse Board"), {QKeySequence(Qt::CTRL | Qt::Key_R)},
              &frmMain::mnuViewReverse_Click);
    mnuHideMoves = NewAction(mnuView, "mnuHideMoves", tr("Show &Moves"),
                             {QKeySequence(Qt::CTRL | Qt::Key_H)}, &frmMain::mnuHideMoves_Click);
    BuildSizeMenus(mnuView);
    mnuView->addSeparator();
    AddOption(mnuView, "mnuShowLastMove", tr("Show &Last Move"), "view/showLastMove", true,
              &frmMain::mnuShowLastMove_Toggled);
    AddOption(mnuView, "mnuShowCheck", tr("Show &Check"), "view/showCheck", true,
              &frmMain::mnuShowCheck_Toggled);
    AddOption(mnuView, "mnuShowLegalMoves", tr("Show Le&gal Moves"), "view/showLegalMoves", true,
              &frmMain::mnuShowLegalMoves_Toggled);
    AddOption(mnuView, "mnuShowCoordinates", tr("Show C&oordinates"), "view/showCoordinates", true,
              &frmMain::mnuShowCoordinates_Toggled);
    AddOption(mnuView, "mnuTurnBoard", tr("&Turn Board After Each Move"), "view/turnBoard", false,
              &frmMain::mnuTurnBoard_Toggled);
    // The key is the one of its first name, when it covered the check boxes alone.
    AddOption(mnuView, "mnuCheckBox", tr("Messages in &Boxes"), "view/checkMessagesInBox", true,
              &frmMain::mnuCheckBox_Toggled);
    oSounds->AddToMenu(mnuView);

    QMenu *mnuActions = bar->addMenu(tr("&Actions"));
    mnuActions->setObjectName(QStringLiteral("mnuActions"));
    // Ctrl+Z as in other programs; Ctrl+U as before.
    NewAction(mnuActions, "mnuActionsUndo", tr("&Undo Last Move"), {},
              &frmMain::mnuActionsUndo_Click)
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_U), QKeySequence(QKeySequence::Undo)});

    QMenu *mnuHelp = bar->addMenu(tr("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    NewAction(mnuHelp, "mnuHelpContents", tr("Tavlon &Help"), {QKeySequence(Qt::Key_F1)},
              &frmMain::mnuHelpContents_Click);
    NewAction(mnuHelp, "mnuHelpShortcuts", tr("&Keyboard Shortcuts"),
              {QKeySequence(Qt::CTRL | Qt::Key_Question)}, &frmMain::mnuHelpShortcuts_Click);
    NewAction(mnuHelp, "HHonline", tr("&Online Help"), {}, &frmMain::HHonline_Click);
    NewAction(mnuHelp, "mnuHelpAbout", tr("&About"), {}, &frmMain::mnuHelpAbout_Click);

    // The promotion menus are never added to the menu bar; they only pop up at the pointer.
    struct Choice {
        const char *name;
        const char *caption; // marked with QT_TR_NOOP
        qint16 nClass;
    };
    auto buildPromotion = [this](const char *name, std::initializer_list<Choice> choices) {
        auto *menu = new QMenu(QString::fromLatin1(name), this);
        menu->setObjectName(QString::fromLatin1(name));
        for (const Choice &choice : choices) {
            QAction *action = menu->addAction(tr(choice.caption));
            action->setObjectName(QString::fromLatin1(choice.name));
            const qint16 nClass = choice.nClass;
            connect(action, &QAction::triggered, this, [this, nClass] { AnswerPromotion(nClass); });
            // The piece's picture from the set in use beside its name, drawn at the size shown;
            // found only when the menu opens, so start-up loads no picture for it.
            connect(menu, &QMenu::aboutToShow, action,
                    [this, action, nClass] { action->setIcon(PieceIcon(nClass)); });
        }
        // Closed without a choice (Escape, a click elsewhere): the move is taken back, once the
        // popup has finished closing (a chosen item is handled before this runs).
        connect(menu, &QMenu::aboutToHide, this, [this, menu] {
            QTimer::singleShot(0, this, [this, menu, nAsk = nPromotionAsk] {
                if (bPromotionPending && nAsk == nPromotionAsk && !bClosing && !menu->isVisible() &&
                    Board1->CancelPromotion()) {
                    bPromotionPending = false;
                    bPromotionCancelled = true;
                }
            });
        });
        return menu;
    };
    mnuWhitePawnPromotion =
        buildPromotion("mnuWhitePawnPromotion", {{"mnuWQ", QT_TR_NOOP("&Queen"), WhiteQueen},
                                                 {"mnuWR", QT_TR_NOOP("&Rook"), WhiteRook},
                                                 {"mnuWB", QT_TR_NOOP("&Bishop"), WhiteBishop},
                                                 {"mnuWN", QT_TR_NOOP("&Knight"), WhiteKnight}});
    mnuBlackPawnPromotion =
        buildPromotion("mnuBlackPawnPromotion", {{"mnuBQ", QT_TR_NOOP("&Queen"), BlackQueen},
                                                 {"mnuBR", QT_TR_NOOP("&Rook"), BlackRook},
                                                 {"mnuBB", QT_TR_NOOP("&Bishop"), BlackBishop},
                                                 {"mnuBN", QT_TR_NOOP("&Knight"), BlackKnight}});
}

std::optional<int> frmMain::Exec(QDialog *dialog) {
    const QPointer<QDialog> oDialog(dialog);
    int nAnswer = QDialog::Rejected;
    if (!Outlives([&] { nAnswer = dialog->exec(); }) || oDialog.isNull())
        return std::nullopt; // a dialog deleted under us has no answer to read either
    oDialog->deleteLater();
    return nAnswer;
}

bool frmMain::ShowMessage(const QString &sText, const QString &sDetail) {
    if (bClosing)
        return true;
    auto *box = new QMessageBox(QMessageBox::NoIcon, tr("Tavlon"), sText, QMessageBox::Ok, this);
    box->setInformativeText(sDetail);
    return Exec(box).has_value();
}

QMessageBox::StandardButton frmMain::Ask(const QString &sTitle, const QString &sText,
                                         QMessageBox::StandardButtons eButtons,
                                         QMessageBox::StandardButton eDefault) {
    auto *box = new QMessageBox(QMessageBox::Question, sTitle, sText, eButtons, this);
    box->setDefaultButton(eDefault);
    // Our own captions, so that each button has its letter whatever the desktop's theme says.
    const std::pair<QMessageBox::StandardButton, QString> captions[] = {
        {QMessageBox::Yes, tr("&Yes")},
        {QMessageBox::No, tr("&No")},
        {QMessageBox::Save, tr("&Save")},
        {QMessageBox::Discard, tr("&Discard")},
        {QMessageBox::Cancel, tr("&Cancel")}};
    for (const auto &[eButton, sCaption] : captions)
        if (QAbstractButton *button = box->button(eButton))
            button->setText(sCaption);
    const std::optional<int> nAnswer = Exec(box);
    return nAnswer ? static_cast<QMessageBox::StandardButton>(*nAnswer) : QMessageBox::NoButton;
}

void frmMain::ShowOutcome(const QString &sText) {
    if (bCheckBox)
        ShowMessage(sText);
}

void frmMain::AnswerPromotion(qint16 nClass) {
    if (!bPromotionPending || FlagFellDuringPromotion()) {
        return;
    }
    if (Board1->PromotionChoice(nClass)) {
        bPromotionPending = false;
    }
}

void frmMain::mnuGameNew_Click() {
    if (bPromotionPending || !pDocument->MaybeSave()) {
        return; // the board refuses a new game in the middle of a move
    }
    Board1->NewGame();
    NameRememberedPlayers();
    RecordReplaced({});
}

void frmMain::ReverseBoard() {
    Board1->BoardView(bView);
    bView = !bView;
    PlaceClockWidgets();
}

void frmMain::mnuViewReverse_Click() {
    ReverseBoard();
    // The next turn asks for White's view exactly when Black's is shown now.
    QSettings().setValue(QStringLiteral("view/reverseBoard"), bView);
}

void frmMain::mnuHideMoves_Click() {
    const bool bSmallest = size() == minimumSizeHint();
    bWide = !bWide;
    const int nBefore = width();
    SetOuterWidth(bWide ? WideWidth() : NarrowWidth);
    // The smallest window of one view becomes the smallest of the other. A larger one gains the
    // lists' width beside the board, and loses it again.
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        if (bSmallest)
            FitSmallest();
        else
            resize(nBefore + (bWide ? 1 : -1) * ListsBesideWidth(), height());
    }
    LayOutClient();
    // Filled while hidden, the lists come up at their first entries: show the latest.
    if (bWide)
        oNotation->ScrollToEnd();
    mnuHideMoves->setText(bWide ? tr("Hide &Moves") : tr("Show &Moves"));
    QSettings().setValue(QStringLiteral("view/showMoves"), bWide);
}

void frmMain::mnuActionsUndo_Click() {
    if (bPromotionPending || oClocks->Refuse() || !Board1->UndoLastMove()) {
        return;
    }
    oClocks->Undone();
    oNotation->RemoveLast();
    pDocument->MarkUnsaved();
    sGameOver.clear();        // undo reopens a finished game
    Board1_PositionChanged(); // whose turn it is, now that the game is open again
}

void frmMain::HHonline_Click() {
    // Buttons that say what they do; the built-in manual serves without a connection.
    auto *box = new QMessageBox(QMessageBox::Information, tr("Online Help"),
                                tr("The rules of chess are on a web page, which needs an "
                                   "internet connection. Tavlon's own help needs none."),
                                QMessageBox::NoButton, this);
    QPushButton *browser = box->addButton(tr("Open in &Browser"), QMessageBox::AcceptRole);
    QPushButton *builtIn = box->addButton(tr("Show Built-in &Help"), QMessageBox::ActionRole);
    box->addButton(tr("&Cancel"), QMessageBox::RejectRole);
    box->setDefaultButton(browser);
    if (!Exec(box))
        return;
    if (box->clickedButton() == browser)
        OpenAddress(this, oOpenUrl, RulesPage());
    else if (box->clickedButton() == builtIn)
        mnuHelpContents_Click();
}

void frmMain::ShowHelpWindow(QPointer<QDialog> &oWindow, const char *name, const QString &sTitle,
                             const QString &sHtml, const QUrl &oSource) {
    if (oWindow.isNull()) {
        // Modeless, beside the game, as About.
        oWindow = new QDialog(this);
        oWindow->setObjectName(QString::fromLatin1(name));
        oWindow->setAttribute(Qt::WA_DeleteOnClose);
        oWindow->setWindowTitle(sTitle);
        auto *layout = new QVBoxLayout(oWindow);
        auto *text = new QTextBrowser(oWindow);
        text->setObjectName(QStringLiteral("txtHelp"));
        if (oSource.isEmpty())
            text->setHtml(sHtml);
        else
            text->setSource(oSource);
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, oWindow);
        buttons->button(QDialogButtonBox::Close)->setText(tr("&Close"));
        connect(buttons, &QDialogButtonBox::rejected, oWindow, &QDialog::close);
        layout->addWidget(text);
        layout->addWidget(buttons);
        oWindow->resize(520, 480);
    }
    oWindow->show();
    oWindow->raise();
    oWindow->activateWindow();
}

void frmMain::mnuHelpContents_Click() {
    //: The language of the built-in manual, a file src/app/help/<code>.html; en when there is
    //: none in this language.
    QString sPage = QStringLiteral(":/tavlon/help/%1.html").arg(tr("en"));
    if (!QFile::exists(sPage))
        sPage = QStringLiteral(":/tavlon/help/en.html");
    ShowHelpWindow(oHelp, "dlgHelp", tr("Tavlon Help"), {}, QUrl(QStringLiteral("qrc") + sPage));
}

void frmMain::mnuHelpShortcuts_Click() {
    ShowHelpWindow(oShortcuts, "dlgShortcuts", tr("Keyboard Shortcuts"), ShortcutsHtml(), {});
}

QString frmMain::ShortcutsHtml() const {
    QString sRows;
    const auto Row = [&sRows](const QString &sKeys, const QString &sWhat) {
        sRows += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
                     .arg(sKeys.toHtmlEscaped(), sWhat.toHtmlEscaped());
    };
    // Every menu item with a key, in the order of the menus and their submenus, then the
    // window's own keys, so that new items list themselves.
    const auto Keys = [&](const QList<QAction *> &oActions, const auto &Self) -> void {
        for (const QAction *action : oActions) {
            if (action->menu() != nullptr)
                Self(action->menu()->actions(), Self);
            if (action->shortcuts().isEmpty())
                continue;
            QStringList oKeys;
            for (const QKeySequence &key : action->shortcuts())
                oKeys << key.toString(QKeySequence::NativeText);
            Row(oKeys.join(tr(" or ")), action->text().remove(QLatin1Char('&')));
        }
    };
    for (const QAction *menu : menuBar()->actions())
        Keys(menu->menu() ? menu->menu()->actions() : QList<QAction *>{}, Keys);
    Keys(actions(), Keys);
    Row(tr("Ctrl+Return"), tr("In the comment box: keep the comment"));
    Row(tr("Arrow keys"), tr("On the board: move the keyboard's square"));
    Row(tr("Space or Return"), tr("On the board: pick up the piece, or put it down"));
    Row(tr("Escape"), tr("On the board: put the piece back"));
    Row(tr("Space or Return"), tr("In Chess960, on the king's own rook: castle"));
    Row(tr("Return"), tr("In the move box: play the typed move"));
    Row(tr("Piece letter"), tr("On the board of Set Up Position: put that piece there (capitals "
                               "for White, small letters for Black)"));
    Row(tr("Delete or Space"), tr("On the board of Set Up Position: empty the square"));
    Row(tr("Alt + underlined letter"), tr("Open a menu, or choose its item"));
    return QStringLiteral("<table cellspacing=\"4\">%1</table>").arg(sRows);
}

void frmMain::mnuHelpAbout_Click() {
    if (oAbout.isNull()) {
        // Modeless and without an owner, as a separate window beside the game.
        oAbout = new frmAbout(oOpenUrl);
        oAbout->setAttribute(Qt::WA_DeleteOnClose);
    }
    oAbout->show();
    oAbout->raise();
    oAbout->activateWindow();
}

void frmMain::cmdMovePiece_Click() {
    if (bPromotionPending || oClocks->Refuse()) {
        return;
    }
    if (Reviewing() && !Board1->VariationMovesAllowed()) {
        // Refused on the status line: the players are looking back, not playing.
        ShowStatus(tr("Refused: an earlier position is shown — Alt+End returns"));
        return;
    }
    // First two and last two characters, so "e2e4", "e2-e4" and "e2 to e4" all work; then SAN.
    const QString sText = txtMovePiece->text().trimmed();
    const QString sSrc = sText.left(2), sDest = sText.right(2);
    // Two names need four characters: "e4" alone names one square twice, and is no move.
    bool bNotAMove = true;
    const QString sCause =
        sText.size() < 4 ? RefusalCause({}, {}, bNotAMove) : RefusalCause(sSrc, sDest, bNotAMove);
    // This language's piece letters first, then the standard's: "Dd1" and "Qd1" in German.
    // The move's boxes and the promotion's wait are nested loops; the player may take the
    // promotion back in one.
    const QString sEnglish = EnglishSan(sText);
    bPromotionCancelled = false;
    bool bPlayed = false;
    bool bGone = false;
    const auto Done = [&](const std::function<bool()> &oTry) {
        bGone = !Outlives([&] { bPlayed = oTry(); });
        return bGone || bPlayed || bClosing || bPromotionCancelled;
    };
    // Then letters in any case, as on Lichess: "nf3", "o-o"; a language's own lowercase piece
    // letter first only when nothing else reads ("sf3" in German).
    const QString sAnyCase = AnyCaseMove(sEnglish);
    const QString sLocalFirst = sText.isEmpty() ? QString() : EnglishSan(sText.left(1).toUpper());
    const QString sLocal = sLocalFirst != sText.left(1).toUpper() && sAnyCase.isEmpty()
                               ? AnyCaseMove(sLocalFirst + EnglishSan(sText.mid(1)))
                               : QString();
    if (Done([&] { return Board1->MovePiece(sSrc, sDest); }) ||
        Done([&] { return Board1->MovePieceSan(sEnglish); }) ||
        (sEnglish != sText && Done([&] { return Board1->MovePieceSan(sText); })) ||
        (!sAnyCase.isEmpty() && Done([&] { return Board1->MovePieceSan(sAnyCase); })) ||
        (!sLocal.isEmpty() && Done([&] { return Board1->MovePieceSan(sLocal); }))) {
        // Played: the next move typed replaces this one.
        if (!bGone && bPlayed)
            txtMovePiece->selectAll();
        return;
    }
    if (Board1->Result() != QLatin1String("*") && !Reviewing()) {
        ShowStatus(tr("The game is over: %1").arg(GameOverText()));
        return;
    }
    // Text that reads as a move but is not one of the legal ones is an illegal move, not bad
    // syntax.
    const bool bReadable = Board1->LastRefusal() != Board::Refusal::UnreadableMove;
    const QString sWhy = bNotAMove && bReadable ? tr("Illegal move: %1").arg(sText) : sCause;
    ShowStatus(sWhy);
    // The box as the other messages: only when Messages in Boxes is on.
    if (bCheckBox)
        ShowMessage(tr("Illegal move or bad syntax"), sWhy);
}

QString frmMain::AnyCaseMove(const QString &sText) const {
    try {
        clsRules oRules;
        oRules.SetFen(Board1->Fen().toStdString());
        return QString::fromStdString(
            Notation::Coordinate(Notation::ParseSanAnyCase(oRules, sText.toStdString())));
    } catch (const std::invalid_argument &) {
        return {};
    }
}

void frmMain::Board1_KingInCheck(bool IsWhite, bool IsMate) {
    // The status line says it once the turn has passed, boxes or not.
    if (IsWhite)
        sMoveOutcome = IsMate ? tr("White checkmated") : tr("White is in check");
    else
        sMoveOutcome = IsMate ? tr("Black checkmated") : tr("Black is in check");
    // The box waits until the window shows the position after the move (and, at the end of the
    // game, the clocks have stopped): see Board1_PositionChanged and Board1_GameOver.
    if (IsWhite)
        sMoveBox = IsMate ? tr("White checkmated") : tr("White king in check");
    else
        sMoveBox = IsMate ? tr("Black checkmated") : tr("Black king in check");
}

void frmMain::Board1_PawnPromotion(bool IsWhite) {
    if (bClosing) {
        // Nobody is left to choose; settle the move so the board's wait ends.
        Board1->PromotionChoice(IsWhite ? WhiteQueen : BlackQueen);
        return;
    }
    bPromotionPending = true;
    bPromotionIsWhite = IsWhite;
    ++nPromotionAsk;
    ShowPromotionMenu();
}

void frmMain::ShowPromotionMenu() {
    // Over the promotion square, where the player's eyes are.
    const QRect oSquare = Board1->PromotionSquareRect();
    QMenu *menu = bPromotionIsWhite ? mnuWhitePawnPromotion : mnuBlackPawnPromotion;
    menu->popup(oSquare.isEmpty() ? QCursor::pos() : Board1->mapToGlobal(oSquare.topLeft()));
    // The queen highlighted, so that Return takes her as players mostly want.
    menu->setActiveAction(menu->actions().constFirst());
}

void frmMain::Board1_PieceMovement(const QString &SrcNotation, const QString &DestNotation) {
    sMoveBox.clear(); // a story left untold (a new game began inside it) is not told now
    // In words for screen readers, in the list and, once the turn has passed, the status line.
    const QStringList oSan = Board1->SanMoves();
    if (!oSan.isEmpty()) {
        const int nLast = static_cast<int>(oSan.size()) - 1;
        sMoveWords = MoveInWords(Board1->FenAt(nLast), Board1->CoordinateMoves().value(nLast),
                                 oSan.constLast());
    }
    oNotation->Append(SrcNotation + DestNotation);
    pDocument->MarkUnsaved();
}

void frmMain::Board1_Stalemate() {
    sMoveOutcome = tr("Stalemate");
    sMoveBox = tr("Stalemate");
}

void frmMain::showEvent(QShowEvent *event) {
    bClosing = false; // a window shown again after close() is a live window again
    // The frame is known only once the window exists; the smallest window keeps its outer
    // width.
    SetOuterWidth(bWide ? WideWidth() : NarrowWidth);
    if (std::exchange(bAtSmallest, false))
        FitSmallest();
    QMainWindow::showEvent(event);
}

void frmMain::closeEvent(QCloseEvent *event) {
    if (bPromotionPending) {
        // No piece popup over the question; a new count drops the re-ask the hiding queues.
        mnuWhitePawnPromotion->hide();
        mnuBlackPawnPromotion->hide();
        ++nPromotionAsk;
    }
    bool bMayClose = false;
    if (!Outlives([&] { bMayClose = pDocument->MaybeSave(); }))
        return;
    if (!bMayClose) {
        event->ignore();
        if (bPromotionPending)
            ShowPromotionMenu();
        return;
    }
    bClosing = true;
    if (pRecovery)
        pRecovery->End();
    if (bPromotionPending) {
        // The board is inside a move, waiting; end the wait so its loop can unwind.
        mnuWhitePawnPromotion->hide();
        mnuBlackPawnPromotion->hide();
        AnswerPromotion(bPromotionIsWhite ? WhiteQueen : BlackQueen);
    }
    if (!oAbout.isNull()) {
        oAbout->close();
    }
    SaveGeometry();
    event->accept();
}

// --- View options and the status line -------------------------------------------------------

QAction *frmMain::AddOption(QMenu *menu, const char *name, const QString &caption, const char *sKey,
                            bool bDefault, void (frmMain::*handler)(bool)) {
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(true);
    const QString sSetting = QString::fromLatin1(sKey);
    action->setChecked(QSettings().value(sSetting, bDefault).toBool());
    (this->*handler)(action->isChecked());
    connect(action, &QAction::toggled, this, [this, sSetting, handler](bool bOn) {
        QSettings().setValue(sSetting, bOn);
        (this->*handler)(bOn);
    });
    return action;
}

void frmMain::mnuShowLastMove_Toggled(bool bOn) {
    Board1->SetShowLastMove(bOn);
}

void frmMain::mnuShowCheck_Toggled(bool bOn) {
    Board1->SetShowCheck(bOn);
}

void frmMain::mnuShowLegalMoves_Toggled(bool bOn) {
    Board1->SetShowLegalMoves(bOn);
}

void frmMain::mnuShowCoordinates_Toggled(bool bOn) {
    Board1->SetShowCoordinates(bOn);
}

void frmMain::mnuTurnBoard_Toggled(bool bOn) {
    bTurnBoard = bOn;
    Board1_PositionChanged();
}

void frmMain::mnuCheckBox_Toggled(bool bOn) {
    bCheckBox = bOn;
}

void frmMain::Board1_PositionChanged() {
    const bool bWhite = Board1->IsWhitesTurn();
    QString sStatus = std::exchange(sMoveOutcome, QString());
    if (sStatus.isEmpty())
        sStatus = GameOverText();
    if (sStatus.isEmpty()) {
        if (Board1->SideToMoveInCheck())
            sStatus = bWhite ? tr("White is in check") : tr("Black is in check");
        else
            sStatus = bWhite ? tr("White to move") : tr("Black to move");
        // A game opened or restored with its clocks comes paused: say how to go on.
        if (oClocks != nullptr && oClocks->Paused())
            sStatus =
                tr("%1 — the clocks are paused: Pause Clocks (Ctrl+P) starts them").arg(sStatus);
    }
    ShowStatus(sStatus);
    if (const QString sMove = std::exchange(sMoveWords, QString()); !sMove.isEmpty())
        staStatus->setAccessibleName(tr("%1. %2").arg(sMove, sStatus));
    UpdateCaption();
    UpdateGameActions();
    if (bTurnBoard && !Reviewing()) {
        // Face to face: the side to move sees its own pieces at the bottom.
        Board1->BoardView(bWhite);
        bView = !bWhite;
    }
    PlaceClockWidgets();
    // A check is told once everything shows the move; an end waits for GameOver; a move made
    // after the flag fell did not count, and its check is not told.
    if (bLateMove)
        sMoveBox.clear();
    if (!sMoveBox.isEmpty() && Board1->Result() == QLatin1String("*")) {
        SaveRecovery(); // before a box that may stand for long
        ShowOutcome(std::exchange(sMoveBox, QString()));
    }
}

void frmMain::ShowTurnStatus() {
    if (!sGameOver.isEmpty()) {
        ShowStatus(sGameOver);
        return;
    }
    Board1_PositionChanged();
}

QString frmMain::RefusalCause(const QString &sSrc, const QString &sDest, bool &bNotAMove) const {
    const auto IsSquareName = [](const QString &s) {
        return s.size() == 2 && s[0] >= QLatin1Char('a') && s[0] <= QLatin1Char('h') &&
               s[1] >= QLatin1Char('1') && s[1] <= QLatin1Char('8');
    };
    bNotAMove = !IsSquareName(sSrc) || !IsSquareName(sDest);
    if (bNotAMove)
        return tr("Not a move: type a move as e2e4 or Nf3");
    // The position shown, where the move was typed: an earlier one takes variation moves.
    const QString sFen = Board1->NodeFen(Board1->ShownNode());
    const QChar cPiece = FenPieceAt(sFen, sSrc);
    if (cPiece.isNull())
        return tr("There is no piece on %1").arg(sSrc);
    const bool bWhitePiece = cPiece.isUpper();
    if (bWhitePiece != (sFen.section(' ', 1, 1) == QLatin1String("w")))
        return (bWhitePiece ? tr("The piece on %1 is White's; Black is to move")
                            : tr("The piece on %1 is Black's; White is to move"))
            .arg(sSrc);
    return tr("Illegal move: %1-%2").arg(sSrc, sDest);
}

QString frmMain::LocalSan(const QString &sSan) {
    return MapLetters(sSan, sEnglishLetters, PieceLetters());
}

QString frmMain::EnglishSan(const QString &sSan) {
    return MapLetters(sSan, PieceLetters(), sEnglishLetters);
}
