#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QSpinBox;

// The engine the analysis runs and how: remembered between runs.
struct EngineSettings {
    QString sPath; // a program or a path; empty: Stockfish from PATH or /usr/games
    int nThreads = 1;
    int nHashMb = 64;
    int nLines = 2; // the live pane's best lines, 1 to 5

    static EngineSettings Load();
    void Save() const;
    // The program to start; empty when none is found.
    QString Program() const;
    friend bool operator==(const EngineSettings &, const EngineSettings &) = default;
};

// Analysis Engine: the program, its threads, its hash table and the pane's number of lines.
class dlgEngine : public QDialog {
    Q_OBJECT
public:
    explicit dlgEngine(const EngineSettings &o, QWidget *parent = nullptr);
    EngineSettings Settings() const;

private:
    void ShowFound();

    QLineEdit *txtPath = nullptr;
    QLabel *lblFound = nullptr;
    QSpinBox *spnThreads = nullptr;
    QSpinBox *spnHash = nullptr;
    QSpinBox *spnLines = nullptr;
};
