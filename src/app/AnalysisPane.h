#pragma once

#include "Review.h"
#include "UciEngine.h"

#include <QWidget>
#include <vector>

class EvalGraph;
class QAction;
class QLabel;

// What View > Analysis shows: the evaluation from White's side and the depth, the engine's best
// lines in SAN with their move numbers, a message when there is something to say (why there is
// no analysis, what went wrong), and once the game has been analysed, its evaluation graph with
// each player's inaccuracies, mistakes, blunders and accuracy. It shows what it is given; the
// window's Analysis decides what and when.
class AnalysisPane : public QWidget {
    Q_OBJECT
public:
    explicit AnalysisPane(QWidget *parent = nullptr);

    // The engine's latest lines, the best first; sEngine names it.
    void ShowLines(const std::vector<UciEngine::Line> &oLines, const QString &sEngine);
    // A position the rules have settled: its verdict ("#0", "0.00") and why ("Checkmate").
    void ShowVerdict(const QString &sEval, const QString &sText);
    // No lines (a new position, analysis stopped).
    void ClearLines();
    // A message above the lines; empty for none.
    void ShowMessage(const QString &sText);
    QString Message() const;
    // The evaluation and each line as shown, one per row, for tests and screen readers:
    // "+0.35 depth 12", "+0.35 1. e4 e5 2. Nf3".
    QStringList Shown() const;

    void SetLineCount(int n);
    void SetArrow(bool bOn);
    // The whole game's analysis, or none (an empty summary hides the graph and the counts).
    void ShowSummary(const std::array<Review::PlayerSummary, 2> &oPlayers, bool bAny);
    EvalGraph *Graph() const { return graph; }

signals:
    // A move of a line was clicked: the nPly-th (0: its first) of line nLine (0: the best).
    void MoveClicked(int nLine, int nPly);
    // Add Line as Variation, on line nLine (0: the best).
    void AddLineClicked(int nLine);
    void LineCountChanged(int n);
    void ArrowToggled(bool bOn);
    void EngineClicked();

private:
    QLabel *lblEval = nullptr;
    QLabel *lblDepth = nullptr;
    QLabel *lblMessage = nullptr;
    std::vector<QLabel *> oLineLabels;
    QAction *mnuArrow = nullptr;
    std::vector<QAction *> oLineCounts; // one to five lines
    EvalGraph *graph = nullptr;
    QLabel *lblSummary = nullptr;
};
