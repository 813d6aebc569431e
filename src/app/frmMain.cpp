#include "frmMain.h"

#include "frmAbout.h"

#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <tavlon/Board.h>

namespace {

const QColor BackColor(224, 224, 224);

// Piece class codes of the promotion choices.
constexpr qint16 WhiteQueen = 7, WhiteRook = 8, WhiteKnight = 9, WhiteBishop = 10;
constexpr qint16 WhiteOffset = 6;
constexpr qint16 BlackQueen = 1, BlackRook = 2, BlackKnight = 3, BlackBishop = 4;

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

    QPalette listPalette = palette();
    listPalette.setColor(QPalette::Base, BackColor);
    lstBlackMoves = new QListWidget(client);
    lstBlackMoves->setObjectName(QStringLiteral("lstBlackMoves"));
    lstWhiteMoves = new QListWidget(client);
    lstWhiteMoves->setObjectName(QStringLiteral("lstWhiteMoves"));
    for (QListWidget *list : {lstBlackMoves, lstWhiteMoves}) {
        list->setPalette(listPalette);
        list->setFocusPolicy(Qt::NoFocus);
    }

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
    staStatus = statusBar();
    staStatus->setObjectName(QStringLiteral("staStatus"));
    staStatus->setSizeGripEnabled(false);

    BuildMenus();
    BuildRecordMenus();
    BuildReviewMenus();
    SetUpClocks();
    Board1_PositionChanged();

    client->installEventFilter(this); // its resizes lay it out again
    RestoreGeometry();
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
    if (watched == txtMovePiece && event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
        for (const QAction *action : findChildren<QAction *>()) {
            if (!action->shortcut().isEmpty() && action->shortcut() == pressed) {
                event->ignore();
                return true;
            }
        }
    }
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
    auto addItem = [this](QMenu *menu, const char *name, const QString &caption,
                          const QKeySequence &shortcut, void (frmMain::*handler)()) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(shortcut);
        if (handler != nullptr) {
            connect(action, &QAction::triggered, this, handler);
        }
        return action;
    };

    // The ampersands give Alt+G, Alt+E, Alt+V, Alt+A and Alt+H; the captions read as before.
    QMenu *mnuGame = bar->addMenu(tr("&Game"));
    mnuGame->setObjectName(QStringLiteral("mnuGame"));
    addItem(mnuGame, "mnuGameNew", tr("New Game"), QKeySequence(Qt::CTRL | Qt::Key_N),
            &frmMain::mnuGameNew_Click);
    QAction *mnuExit =
        addItem(mnuGame, "mnuExit", tr("Exit"), QKeySequence(Qt::CTRL | Qt::Key_Q), nullptr);
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);

    QMenu *mnuView = bar->addMenu(tr("&View"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
    addItem(mnuView, "mnuViewReverse", tr("Reverse Board"), QKeySequence(Qt::CTRL | Qt::Key_R),
            &frmMain::mnuViewReverse_Click);
    mnuHideMoves = addItem(mnuView, "mnuHideMoves", tr("Show Moves"),
                           QKeySequence(Qt::CTRL | Qt::Key_H), &frmMain::mnuHideMoves_Click);
    BuildSizeMenus(mnuView);
    mnuView->addSeparator();
    AddOption(mnuView, "mnuShowLastMove", tr("Show Last Move"), "view/showLastMove", true,
              &frmMain::mnuShowLastMove_Toggled);
    AddOption(mnuView, "mnuShowCheck", tr("Show Check"), "view/showCheck", true,
              &frmMain::mnuShowCheck_Toggled);
    AddOption(mnuView, "mnuShowLegalMoves", tr("Show Legal Moves"), "view/showLegalMoves", true,
              &frmMain::mnuShowLegalMoves_Toggled);
    AddOption(mnuView, "mnuShowCoordinates", tr("Show Coordinates"), "view/showCoordinates", true,
              &frmMain::mnuShowCoordinates_Toggled);
    AddOption(mnuView, "mnuTurnBoard", tr("Turn Board After Each Move"), "view/turnBoard", false,
              &frmMain::mnuTurnBoard_Toggled);
    AddOption(mnuView, "mnuCheckBox", tr("Check Messages in a Box"), "view/checkMessagesInBox",
              true, &frmMain::mnuCheckBox_Toggled);

    QMenu *mnuActions = bar->addMenu(tr("&Actions"));
    mnuActions->setObjectName(QStringLiteral("mnuActions"));
    addItem(mnuActions, "mnuActionsUndo", tr("Undo Last Move"), QKeySequence(Qt::CTRL | Qt::Key_U),
            &frmMain::mnuActionsUndo_Click);

    QMenu *mnuHelp = bar->addMenu(tr("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    addItem(mnuHelp, "HHonline", tr("Online Help"), QKeySequence(Qt::Key_F1),
            &frmMain::HHonline_Click);
    addItem(mnuHelp, "mnuHelpAbout", tr("About"), QKeySequence(), &frmMain::mnuHelpAbout_Click);

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
        // Closed without a choice: the board is still waiting, so ask again once the popup
        // has finished closing (a chosen item is handled before this runs).
        connect(menu, &QMenu::aboutToHide, this, [this, menu] {
            QTimer::singleShot(0, this, [this, menu, nAsk = nPromotionAsk] {
                if (bPromotionPending && nAsk == nPromotionAsk && !bClosing && !menu->isVisible()) {
                    menu->popup(QCursor::pos());
                }
            });
        });
        return menu;
    };
    mnuWhitePawnPromotion =
        buildPromotion("mnuWhitePawnPromotion", {{"mnuWQ", QT_TR_NOOP("Queen"), WhiteQueen},
                                                 {"mnuWR", QT_TR_NOOP("Rook"), WhiteRook},
                                                 {"mnuWB", QT_TR_NOOP("Bishop"), WhiteBishop},
                                                 {"mnuWN", QT_TR_NOOP("Knight"), WhiteKnight}});
    mnuBlackPawnPromotion =
        buildPromotion("mnuBlackPawnPromotion", {{"mnuBQ", QT_TR_NOOP("Queen"), BlackQueen},
                                                 {"mnuBR", QT_TR_NOOP("Rook"), BlackRook},
                                                 {"mnuBB", QT_TR_NOOP("Bishop"), BlackBishop},
                                                 {"mnuBN", QT_TR_NOOP("Knight"), BlackKnight}});
}

std::optional<int> frmMain::Exec(QDialog *dialog) {
    const QPointer<QDialog> oDialog(dialog);
    int nAnswer = QDialog::Rejected;
    if (!Outlives([&] { nAnswer = dialog->exec(); }) || oDialog.isNull())
        return std::nullopt; // a dialog deleted under us has no answer to read either
    oDialog->deleteLater();
    return nAnswer;
}

bool frmMain::ShowMessage(const QString &sText) {
    if (bClosing)
        return true;
    return Exec(new QMessageBox(QMessageBox::NoIcon, tr("Tavlon"), sText, QMessageBox::Ok, this))
        .has_value();
}

void frmMain::AnswerPromotion(qint16 nClass) {
    if (!bPromotionPending) {
        return;
    }
    if (Board1->PromotionChoice(nClass)) {
        bPromotionPending = false;
    }
}

void frmMain::mnuGameNew_Click() {
    if (bPromotionPending || !MaybeSave()) {
        return; // the board refuses a new game in the middle of a move
    }
    Board1->NewGame();
    RecordReplaced({});
}

void frmMain::mnuViewReverse_Click() {
    Board1->BoardView(bView);
    bView = !bView;
    PlaceClockWidgets();
}

void frmMain::mnuHideMoves_Click() {
    bWide = !bWide;
    const int nBefore = width();
    SetOuterWidth(bWide ? WideWidth : NarrowWidth);
    // The lists bring their own width, and take it away again.
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        resize(nBefore + (bWide ? 1 : -1) * (WideWidth - NarrowWidth), height());
    LayOutClient();
    mnuHideMoves->setText(bWide ? tr("Hide Moves") : tr("Show Moves"));
}

void frmMain::mnuActionsUndo_Click() {
    if (bPromotionPending || ClocksRefuse() || !Board1->UndoLastMove()) {
        return;
    }
    ClockUndone();
    // The turn is back with the side whose move was taken back.
    QListWidget *list = Board1->IsWhitesTurn() ? lstWhiteMoves : lstBlackMoves;
    if (list->count() > 0) {
        delete list->takeItem(list->count() - 1);
    }
    bUnsaved = true;
    sGameOver.clear(); // undo reopens a finished game
    ShowStatus({});
}

void frmMain::HHonline_Click() {
    const std::optional<int> nAnswer =
        Exec(new QMessageBox(QMessageBox::Information, tr("Online Help"),
                             tr("This feature requires a current internet connection.\n\n"
                                "Click Yes if you are connected, otherwise, click No"),
                             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this));
    if (nAnswer == QMessageBox::Yes) {
        oOpenUrl(RulesPage());
    }
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
    if (bPromotionPending || ClocksRefuse()) {
        return;
    }
    if (Reviewing()) {
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
    // The move's boxes and the promotion's wait are nested loops.
    bool bPlayed = false;
    if (!Outlives([&] { bPlayed = Board1->MovePiece(sSrc, sDest); }) || bPlayed || bClosing ||
        !Outlives([&] { bPlayed = Board1->MovePieceSan(sText); }) || bPlayed) {
        return;
    }
    if (Board1->Result() != QLatin1String("*")) {
        ShowStatus(
            tr("The game is over: %1").arg(sGameOver.isEmpty() ? Board1->Result() : sGameOver));
        return;
    }
    // Text that reads as a move but is not one of the legal ones is an illegal move, not bad
    // syntax.
    const bool bReadable = Board1->LastRefusal() != Board::Refusal::UnreadableMove;
    ShowStatus(bNotAMove && bReadable ? tr("Illegal move: %1").arg(sText) : sCause);
    ShowMessage(tr("Illegal move or bad syntax"));
}

void frmMain::Board1_KingInCheck(bool IsWhite, bool IsMate) {
    if (IsWhite)
        sMoveOutcome = IsMate ? tr("White checkmated") : tr("White is in check");
    else
        sMoveOutcome = IsMate ? tr("Black checkmated") : tr("Black is in check");
    if (!IsMate && !bCheckBox) {
        return; // the status line says it once the turn has passed
    }
    if (IsWhite) {
        ShowMessage(IsMate ? tr("White checkmated") : tr("White king in check"));
    } else {
        ShowMessage(IsMate ? tr("Black checkmated") : tr("Black king in check"));
    }
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
    (IsWhite ? mnuWhitePawnPromotion : mnuBlackPawnPromotion)->popup(QCursor::pos());
}

void frmMain::Board1_PieceMovement(const QString &SrcNotation, const QString &DestNotation) {
    // Raised before the turn passes, so the side to move is the side that moved.
    QListWidget *list = Board1->IsWhitesTurn() ? lstWhiteMoves : lstBlackMoves;
    const int nPly = lstWhiteMoves->count() + lstBlackMoves->count();
    const QStringList oSan = mnuViewNotation->isChecked() ? Board1->SanMoves() : QStringList();
    list->addItem(oSan.isEmpty() ? SrcNotation + QLatin1Char('-') + DestNotation
                                 : ListEntry(nPly, oSan.constLast()));
    list->scrollToBottom();
    bUnsaved = true;
}

void frmMain::Board1_Stalemate() {
    sMoveOutcome = tr("Stalemate");
    ShowMessage(tr("Stalemate"));
}

void frmMain::showEvent(QShowEvent *event) {
    bClosing = false; // a window shown again after close() is a live window again
    // The frame is known only once the window exists; the smallest window keeps its outer width.
    SetOuterWidth(bWide ? WideWidth : NarrowWidth);
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
    if (!Outlives([&] { bMayClose = MaybeSave(); }))
        return;
    if (!bMayClose) {
        event->ignore();
        if (bPromotionPending)
            (bPromotionIsWhite ? mnuWhitePawnPromotion : mnuBlackPawnPromotion)
                ->popup(QCursor::pos());
        return;
    }
    bClosing = true;
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
    if (sStatus.isEmpty() && Board1->Result() != QLatin1String("*"))
        sStatus = tr("The game is over: %1").arg(Board1->Result()); // GameOver may say more
    if (sStatus.isEmpty()) {
        if (Board1->SideToMoveInCheck())
            sStatus = bWhite ? tr("White is in check") : tr("Black is in check");
        else
            sStatus = bWhite ? tr("White to move") : tr("Black to move");
    }
    ShowStatus(sStatus);
    if (bTurnBoard && !Reviewing()) {
        // Face to face: the side to move sees its own pieces at the bottom.
        Board1->BoardView(bWhite);
        bView = !bWhite;
    }
    PlaceClockWidgets();
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
        return tr("Not a move: type two squares, as in e2e4");
    const qint16 nClass = Board1->PieceAt(sSrc);
    if (nClass < 0)
        return tr("There is no piece on %1").arg(sSrc);
    const bool bWhitePiece = nClass >= WhiteOffset;
    if (bWhitePiece != Board1->IsWhitesTurn())
        return (bWhitePiece ? tr("The piece on %1 is White's; Black is to move")
                            : tr("The piece on %1 is Black's; White is to move"))
            .arg(sSrc);
    return tr("Illegal move: %1-%2").arg(sSrc, sDest);
}
