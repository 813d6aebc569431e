#pragma once

#include "GameAnalyser.h"
#include "dlgEngine.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QStackedWidget;

// Analyse Game: the players choose the engine's budget for each position (a depth, a number of
// nodes, or a time), then the engine searches the main line's positions one by one under a
// progress bar. Cancel stops it, keeping what was done; a failing engine is named in the
// dialog, and then nothing is kept.
class dlgAnalyseGame : public QDialog {
    Q_OBJECT
public:
    // The game from sStartFen by the moves (coordinates), one of Chess960 with b960.
    dlgAnalyseGame(const EngineSettings &oEngine, std::string sStartFen,
                   std::vector<std::string> oMoves, bool b960, QWidget *parent = nullptr);

    // Once the dialog is accepted: the analysis, complete or as far as it went.
    const std::optional<Review::GameAnalysis> &Result() const { return oResult; }
    // The budget as chosen and remembered.
    GameAnalyser::Budget Budget() const;
    // For tests: how long the engine may take to answer.
    GameAnalyser &Analyser() { return oAnalyser; }

    void reject() override;

private:
    void Start();
    void SetRunning(bool bRunning);
    void Finished();

    EngineSettings oEngine;
    std::string sStartFen;
    std::vector<std::string> oMoves;
    bool b960 = false;
    GameAnalyser oAnalyser;
    std::optional<Review::GameAnalysis> oResult;
    QComboBox *cboKind = nullptr;
    QStackedWidget *stkValue = nullptr;
    QSpinBox *spnDepth = nullptr;
    QSpinBox *spnNodes = nullptr;
    QDoubleSpinBox *spnSeconds = nullptr;
    QLabel *lblStatus = nullptr;
    QProgressBar *barProgress = nullptr;
    QDialogButtonBox *oButtons = nullptr;
    QPushButton *cmdStart = nullptr;
};
