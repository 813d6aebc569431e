#pragma once

#include "Desktop.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <tavlon/Board.h>

class QAction;
class QDialog;
class QLabel;
class QLineEdit;
class NotationView;
class QMenu;
class QPushButton;
class QSettings;
class QStatusBar;
class frmAbout;
class Analysis;
class ClockPanel;
class CollectionNavigator;
class GameCollection;
class GameDocument;
class GameRecovery;
class Sounds;

// The application window: hosts the board, turns its events into move-list entries, the
// promotion popup and message boxes, and offers the game, view, undo and help commands.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Smallest outer window widths of the two views: the board alone, and the board with its
    // move lists, which then lie below it and at least as wide as the longest entry needs in
    // this font.
    static constexpr int NarrowWidth = 336;
    int WideWidth() const;
    // The lists lie beside the board (else below it).
    bool ListsBeside() const { return bBeside; }

    // Where Online Help and About send web addresses; the default opens the user's browser.
    void setUrlOpener(UrlOpener opener);

    static QUrl RulesPage();

    // Keeps the unfinished game in sFolder after every move, undo, new game, load and end, and
    // once the window shows offers back a game left there by a Tavlon that ended abnormally.
    // Off unless asked for; the program asks for the application's data folder.
    void EnableRecovery(const QString &sFolder);

    // --- The game record: files, clipboard, notation, the end of the game (frmMainGame.cpp) ---
    // Where Open and Save As ask for a file name; the default shows the desktop's file dialog.
    void setFileChooser(FileChooser chooser);
    // Opens the first game of a PGN file. A file that cannot be read or understood is named in a
    // message, with the cause, and the current game stays.
    bool OpenFile(const QString &sPath);

    // --- Chess clocks (frmMainClock.cpp) ---
    // The time control of this run (a valid form, see dlgTimeControl::FormError): for the game
    // not yet begun, the next game opened without one of its own, and every new game.
    void SetRunTimeControl(const QString &sForm);
    // Where the clocks read the time, in monotonic milliseconds; tests pass a fake one.
    void setClockSource(std::function<qint64()> source);
    // For the benchmark: the display's wake-ups so far, and a clock's time now (-1 untimed).
    int ClockWakeUps() const;
    qint64 ClockRemaining(bool bWhite) const;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;
    // A dropped PGN file opens, after the unsaved-game question (frmMainCollection.cpp).
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // A command of the window, named for the tests that find it: added to menu, or, without one,
    // left for the caller to place.
    template <typename Handler>
    QAction *NewAction(QMenu *menu, const char *name, const QString &caption,
                       const QKeySequence &shortcut, Handler handler) {
        QAction *action = menu != nullptr ? menu->addAction(caption) : new QAction(caption, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, handler);
        return action;
    }
    void BuildMenus();
    void SetOuterWidth(int nWidth);

    // --- Size: the board takes the room, the lists what is free (frmMainLayout.cpp) ---------
    // Places the board, the lists and the typed-move row in the client area as it is now.
    void LayOutClient();
    // --- The notation: the move lists or the pane (NotationView), View > Moves and the
    //     annotation commands (frmMainNotation.cpp) --------------------------------------------
    void BuildNotation();
    void UpdateNotationActions();
    void ToggleMark(int nNag);
    void StepVariation(int nStep); // among the moves the shown one is an alternative to
    void mnuEditPromoteVariation_Click();
    void mnuEditDeleteVariation_Click();
    void mnuEditDeleteMoves_Click();
    void MainLineReplaced();
    NotationView *oNotation = nullptr;
    QList<QAction *> oMarkActions;
    // The room the lists take beside the board, and below it at the least.
    int ListsBesideWidth() const;
    int ListsBelowHeight() const;
    bool bBeside = false;
    void BuildSizeMenus(QMenu *mnuView);
    void RestoreGeometry();
    // The window at its smallest for the view, its frame included once it has one.
    void FitSmallest();
    bool bAtSmallest = false; // opened without a remembered geometry, not yet shown
    void SaveGeometry();
    void mnuViewFullScreen_Toggled(bool bOn);
    // View > Piece Set, listed when opened: our own and each folder of the user's pieces.
    void FillPieceSetMenu();
    void UsePieceSet(const QString &sName);
    QIcon PieceIcon(qint16 nClass) const;
    // The folder of the piece set in use; empty for our own.
    QString PieceSetFolder() const;
    QAction *mnuViewFullScreen = nullptr;
    QMenu *mnuViewPieceSet = nullptr;
    QString sPieceSet; // the folder name under the user's pieces; empty for our own
    // Every nested event loop the window runs goes through these two: a box, a dialog, a file
    // question, or a board command whose events may show one. A host may destroy the window
    // inside the loop (delete, deleteLater, close with WA_DeleteOnClose); then the caller must
    // return at once and touch nothing of the window.
    // Runs work and tells whether the window outlived it.
    template <class Work>
    [[nodiscard]] bool Outlives(Work &&work) {
        const QPointer<frmMain> oSelf(this);
        std::forward<Work>(work)();
        return !oSelf.isNull();
    }
    // Shows a box or dialog of this window modally: its answer, or nothing when the window is
    // gone. The dialog is deleted later, so the caller may still read it.
    [[nodiscard]] std::optional<int> Exec(QDialog *dialog);
    // A message box with OK, sDetail under its text; false when the window is gone.
    bool ShowMessage(const QString &sText, const QString &sDetail = {});
    // Asks a question with the given buttons, each with a mnemonic; the button chosen, or
    // QMessageBox::NoButton when the window went away meanwhile (then touch nothing).
    QMessageBox::StandardButton Ask(const QString &sTitle, const QString &sText,
                                    QMessageBox::StandardButtons eButtons,
                                    QMessageBox::StandardButton eDefault);
    // The end of the game or a check: in a box when Messages in Boxes is on.
    void ShowOutcome(const QString &sText);
    void AnswerPromotion(qint16 nClass);

    // --- View options and the status line ---------------------------------------------------
    // A checkable View item remembered between runs under sKey; handler runs with its state.
    QAction *AddOption(QMenu *menu, const char *name, const QString &caption, const char *sKey,
                       bool bDefault, void (frmMain::*handler)(bool));
    void mnuShowLastMove_Toggled(bool bOn);
    void mnuShowCheck_Toggled(bool bOn);
    void mnuShowLegalMoves_Toggled(bool bOn);
    void mnuShowCoordinates_Toggled(bool bOn);
    void mnuTurnBoard_Toggled(bool bOn);
    void mnuCheckBox_Toggled(bool bOn);
    // SAN with this language's piece letters, and back to the standard's English ones.
    static QString LocalSan(const QString &sSan);
    static QString EnglishSan(const QString &sSan);
    void Board1_PositionChanged();
    // Why a typed move was refused, in words for the status line; bNotAMove is set when the
    // text names no two squares.
    // The legal move a typed text names, in any letter case, as coordinates ("nf3": g1f3); empty
    // when it names no move or several.
    QString AnyCaseMove(const QString &sText) const;
    QString RefusalCause(const QString &sSrc, const QString &sDest, bool &bNotAMove) const;

    void mnuGameNew_Click();
    void mnuViewReverse_Click();
    // Turns the board without remembering it: the click remembers, a start-up only reads.
    void ReverseBoard();
    void mnuHideMoves_Click();
    void mnuActionsUndo_Click();
    void HHonline_Click();
    void mnuHelpContents_Click();
    void mnuHelpShortcuts_Click();
    // A modeless window of text over this one, made once and raised again.
    void ShowHelpWindow(QPointer<QDialog> &oWindow, const char *name, const QString &sTitle,
                        const QString &sHtml, const QUrl &oSource);
    QString ShortcutsHtml() const;
    void mnuHelpAbout_Click();
    void cmdMovePiece_Click();

    void Board1_KingInCheck(bool IsWhite, bool IsMate);
    void Board1_PawnPromotion(bool IsWhite);
    void Board1_PieceMovement(const QString &SrcNotation, const QString &DestNotation);
    void Board1_Stalemate();

    Board *Board1 = nullptr;
    QLineEdit *txtMovePiece = nullptr;
    QPushButton *cmdMovePiece = nullptr;
    QStatusBar *staStatus = nullptr;

    QAction *mnuHideMoves = nullptr;
    QMenu *mnuWhitePawnPromotion = nullptr;
    QMenu *mnuBlackPawnPromotion = nullptr;

    // The orientation the next Reverse Board asks for; the board itself does not remember it.
    bool bView = false;
    // Whether the move lists show (Show Moves / Hide Moves).
    bool bWide = false;
    // True from PawnPromotion until a piece has been chosen: the board refuses game commands
    // meanwhile, so the window must not touch its lists either.
    bool bPromotionPending = false;
    bool bPromotionIsWhite = true;
    // Set when the player dismissed the promotion popup, which took the move back.
    bool bPromotionCancelled = false;
    bool bLateMove = false; // played after the flag fell: taken back, its check never told
    // Counts the questions, so a re-ask left queued from an answered one is not shown.
    unsigned nPromotionAsk = 0;
    // Set once the window is closing, so nothing new (popups, message boxes) is started.
    bool bClosing = false;
    bool bTurnBoard = false;
    bool bCheckBox = true;
    // What the events of the move being played said about the end of the game, for the status
    // line once the turn has passed.
    QString sMoveOutcome;
    // The move just played in words, for the status line's accessible name.
    QString sMoveWords;
    // The box a check, mate or stalemate of that move brings, shown once the window shows it all.
    QString sMoveBox;

    Sounds *oSounds = nullptr; // View > Sounds and what they play

    QPointer<frmAbout> oAbout;
    QPointer<QDialog> oHelp;
    QPointer<QDialog> oShortcuts;
    UrlOpener oOpenUrl;

    // --- The game record (frmMainGame.cpp; the document, GameDocument.h) ---
    // The document and the collection navigator, with what the window lends them.
    void BuildDocument();
    // Asks about the game on the board before it is replaced: false to keep it, or when the
    // window went away meanwhile (then touch nothing).
    bool MayReplaceGame();
    void BuildRecordMenus();
    void ShowStatus(const QString &sText);
    // A new record is on the board (opened, pasted, new): the lists, caption and flags follow.
    // pFrom: the collection it was chosen from, if any.
    void RecordReplaced(const QString &sFile, std::unique_ptr<GameCollection> pFrom = {});
    void UpdateCaption();
    void UpdateGameActions();

    void mnuGameOpen_Click();
    void mnuGamePosition_Click();
    void mnuGameSetUp_Click();
    // Ends the game by a board command (resign, a draw); a real end leaves the game unsaved.
    void EndGame(const std::function<bool()> &oEnd);
    void mnuGameClaimDraw_Click();
    void mnuGameAgreeDraw_Click();
    void mnuGameResign_Click(bool bWhite);
    void mnuGameInfo_Click();
    // Names the players of a new game as the last Game Information did, and its event in this
    // language.
    void NameRememberedPlayers();
    void ShowPromotionMenu();
    void mnuEditCopyGame_Click();
    void mnuEditCopyPosition_Click();
    void mnuEditPaste_Click();
    void mnuViewNotation_Click();
    void Board1_GameOver(const QString &Result, const QString &Reason);
    // How the game ended, in words; bLoaded: a game read in, whose Termination tag may say more.
    QString EndText(const QString &Result, Board::EndReason eReason, bool bLoaded) const;
    // How the present game ended, in words; empty while it goes on.
    QString GameOverText() const;

    // --- Pictures of the position and the game (frmMainExport.cpp) ---
    void BuildExportMenus();
    // Export Position as Image (a PNG or SVG) or Export Game as GIF: the choices, then the file.
    void ExportPicture(bool bGame);
    void mnuEditCopyImage_Click();

    // --- Collections: files and pasted texts of several games (frmMainCollection.cpp) ---
    void BuildCollectionMenus();
    // The game's file, its place in a collection, whether it is saved, and saving.
    std::unique_ptr<GameDocument> pDocument;
    // The list of a collection's games, moving through them, and Open Recent.
    std::unique_ptr<CollectionNavigator> pNavigator;

    // --- The unfinished game on disk (frmMainRecovery.cpp, GameRecovery.h) ---
    // Keeps the game for recovery, when that is on; bSaved: it has just been saved, or opened
    // from its file, as it is now.
    void SaveRecovery(bool bSaved = false);
    std::unique_ptr<GameRecovery> pRecovery;
    // --- Chess960 (frmMainChess960.cpp) ---
    void BuildChess960Menu();
    void mnuGameNew960_Click();
    // "Chess960 #518" for a game begun at a numbered start, "Chess960" for another game of it,
    // empty for standard chess.
    QString VariantText() const;
    // --- Reviewing (frmMainReview.cpp) ---
    void BuildReviewMenus();
    // A move tried on the board while reviewing; true when the event was used.
    bool ReviewKey(QObject *watched, QEvent *event);
    bool Reviewing() const;
    void Board1_ViewChanged(int nPly);
    // No move, variation or note to lose.
    bool GameHoldsNothing() const;
    // Shows the move before (-1) or after (1) the one shown, on the line shown.
    void StepShown(int nStep);
    void mnuActionsTakeBack_Click();
    // Whose turn it is, or how the game ended, on the status line.
    void ShowTurnStatus();

    // --- Chess clocks (frmMainClock.cpp, ClockPanel.h) ---
    void SetUpClocks();
    // Height of each clock's band above and below the board; 0 before the clocks are made.
    int ClockBand() const;
    // The clocks' and the evaluation bar's places beside the board, once the layout has placed
    // the board.
    void PlaceClockWidgets();
    // The flag fell before the promotion piece was chosen: the move is taken back, and the
    // flag's fall ends the game. False when it has not fallen.
    bool FlagFellDuringPromotion();
    // A move finished after the flag fell (nPly plies with it) is taken back, once the board's
    // events for it (a check's box, say) are over, and the flag's fall ends the game.
    void TakeBackLateMove(int nPly);
    ClockPanel *oClocks = nullptr;

    // --- Engine analysis (frmMainAnalysis.cpp, Analysis.cpp) ---
    void BuildAnalysis();
    Analysis *oAnalysis = nullptr;

    FileChooser oChooseFile = DefaultFileChooser();
    QString sGameOver; // how the game ended, for the status line while it stays over
    QAction *mnuGameClaimDraw = nullptr;
    QAction *mnuViewNotation = nullptr;
};
