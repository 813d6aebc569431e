#pragma once

#include "Review.h"
#include "UciEngine.h"
#include "dlgEngine.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QTimer>
#include <functional>
#include <optional>
#include <vector>

class AnalysisPane;
class Board;
class EvalBar;
class QAction;
class QDialog;
class QDockWidget;
class QMainWindow;
class QMenu;

// The window's engine analysis. View > Analysis opens a pane with the evaluation of the position
// shown and the engine's best lines, and an evaluation bar beside the board; Game > Analyse Game
// judges every move of the main line and draws the game's evaluation graph. The engine only
// advises: it never moves a piece, and stays silent unless the players ask.
//  - It follows the position shown, as played, reviewed or picked on the graph.
//  - Fair play: nothing runs while clocks are in play in a game in progress; the pane says why,
//    and analysis starts again by itself once the game ends or goes on without clocks.
//  - No waste: the search stops while the window is minimised; the engine ends when the pane is
//    closed, the window closes, or fair play forbids it. No engine process outlives the window.
//  - Faults (a missing engine, a crash, silence, nonsense) are named in the pane; the game is
//    never touched by them.
class Analysis : public QObject {
    Q_OBJECT
public:
    // What the window lends the analysis.
    struct Host {
        // Clocks are in play: the game has a time control and its clocks have not stopped.
        std::function<bool()> fnClocksInPlay;
        // Runs a dialog of the window modally (its seam for tests): the answer, or none when the
        // window went away meanwhile.
        std::function<std::optional<int>(QDialog *)> fnExec;
        // The bar came or went: the board's area changes.
        std::function<void()> fnRelayout;
        // A move in SAN as the window shows moves, in its language's letters.
        std::function<QString(const QString &)> fnLocalSan;
        std::function<void(const QString &)> fnStatus;
    };

    Analysis(QMainWindow *pWindow, Board *pBoard, Host oHost);
    ~Analysis() override;

    // View > Analysis at the end of mnuView; Game > Analyse Game after pAfter in mnuGame.
    void AddToMenus(QMenu *mnuView, QMenu *mnuGame, QAction *pAfter);

    // The room the evaluation bar takes left of the board, 0 while it is hidden.
    int BarWidth() const;
    // Places the bar beside the board's rectangle, White's part on White's side.
    void PlaceBar(const QRect &oBoard, bool bWhiteBelow);
    // Something fair play depends on may have changed: the clocks, the end of the game.
    void Refresh();

    // For tests and the benchmark.
    AnalysisPane *Pane() const { return pane; }
    UciEngine *Engine() const { return pEngine; }
    const UciEngine::Request &Searching() const { return oSearching; }
    // The engine's best move now, in coordinates, for the arrow; empty for none.
    const std::string &ArrowMove() const { return sArrowMove; }
    // The game analysis the graph shows, if any.
    const std::optional<Review::GameAnalysis> &GameReview() const { return oReview; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Turns the engine on, off, or to the position shown, as the pane, the window, fair play
    // and the board now say.
    void Update();
    bool Wanted() const;
    QString Refusal() const;
    void StartEngine();
    void EndEngine();
    void EngineFailed(const QString &sMessage);
    void LineArrived(const UciEngine::Line &oLine);
    // Shows the lines gathered, at most ten times a second.
    void Flush();
    void ShowArrow(const std::string &sMove);
    void SetPaneShown(bool bOn);
    void ChangeEngine();
    void SetLineCount(int n);
    void ShowLineMove(int nLine, int nPly);
    void AnalyseGame();
    // The game's analysis into the game: evaluations, marks, words and better lines.
    void WriteReview();
    // Puts line nLine of the engine's into the game as a variation at the node searched.
    void AddLine(int nLine);
    // Runs tree edits of the board as one change of the game.
    void EditTree(const std::function<void()> &fnEdits);
    // The graph and the players' counts from the review, as far as it fits the game.
    void ShowReview();

    QMainWindow *w;
    Board *board;
    Host oHost;
    EngineSettings oSettings;
    QAction *mnuAnalysis = nullptr;
    QDockWidget *dock = nullptr;
    AnalysisPane *pane = nullptr;
    EvalBar *bar = nullptr;
    bool bArrow = false;
    QSize oGrownFrom, oGrownTo; // the window's size before and after the pane made it grow

    QPointer<UciEngine> pEngine;
    QString sFailure; // the engine's last fault; it stays off until the players change something
    bool bFailed960 = false; // the fault came in a Chess960 game: a standard one tries again
    bool bRefused = false;   // fair play forbade analysis at the last update
    bool bSearching = false;
    UciEngine::Request oSearching;
    int nSearchNode = -1; // the node whose position oSearching is
    bool bAnalysingGame = false;
    std::vector<UciEngine::Line> oLines; // the latest of each line of the search
    std::vector<UciEngine::Line> oShownLines;
    bool bDirty = false;
    QElapsedTimer oSinceFlush;
    QTimer oFlushTimer;
    QTimer oUpdateTimer;
    std::string sArrowMove;
    std::optional<Review::GameAnalysis> oReview;
};
