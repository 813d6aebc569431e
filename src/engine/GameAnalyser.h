#pragma once

#include "Review.h"
#include "UciEngine.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>

class clsRules;

// Analyse Game: the engine searches every position of a game's main line, the start included,
// each on its own (ucinewgame, isready, position fen F, go ...), one after the other; the
// moves are then judged as Lichess judges them. With a node budget the engine runs at Threads
// 1, Hash 16 and MultiPV 1, so that the same engine gives the same scores on every run, and a
// script piping the same commands to it gets them too.
class GameAnalyser : public QObject {
    Q_OBJECT
public:
    struct Budget {
        UciEngine::Limit oLimit{UciEngine::Limit::Kind::Nodes, 1'000'000};
        // For depth and time budgets only; a node budget always uses one thread and 16 MB.
        int nThreads = 1;
        int nHashMb = 16;
    };

    explicit GameAnalyser(QObject *pParent = nullptr);
    ~GameAnalyser() override;

    // Starts on the game from sStartFen by the moves (coordinates), a game of Chess960 with b960
    // (see UciEngine::Request). False, with *pError saying why, for a FEN or a move that is not
    // legal; the engine's own faults come as Failed(), an engine without Chess960 among them.
    bool Start(const QString &sEngine, const std::string &sStartFen,
               const std::vector<std::string> &oMoves, bool b960, const Budget &oBudget,
               QString *pError = nullptr);
    bool Start(const QString &sEngine, const clsRules &oGame, const Budget &oBudget,
               QString *pError = nullptr);
    // Stops at once; what was searched stays in Result(), judged, and Finished() follows.
    void Cancel();
    bool IsRunning() const { return m_pEngine != nullptr; }
    // Everything searched so far; judged once Finished() or Failed() has come.
    const Review::GameAnalysis &Result() const { return m_oResult; }
    // For tests: how long the engine may take to answer (see UciEngine).
    void SetAnswerTimeout(int nMilliseconds) { m_nAnswerTimeoutMs = nMilliseconds; }

    // Runs a whole analysis in an event loop of its own, for the command line (a
    // QCoreApplication must exist). Progress is called after each position. No value on failure,
    // with *pError naming the fault.
    static std::optional<Review::GameAnalysis>
    Run(const QString &sEngine, const std::string &sStartFen,
        const std::vector<std::string> &oMoves, bool b960, const Budget &oBudget,
        const std::function<void(int nDone, int nTotal)> &fnProgress, QString *pError);

signals:
    void Progress(int nDone, int nTotal); // positions searched, of all
    void Finished();
    void Failed(const QString &sMessage);

private:
    void Next();
    void Done(const UciEngine::Result &oResult);
    void End();

    QPointer<UciEngine> m_pEngine;
    Review::GameAnalysis m_oResult;
    std::vector<std::string> m_oFens; // each position's, the start first
    Budget m_oBudget;
    std::size_t m_nNext = 0; // the position being searched
    bool m_b960 = false;
    int m_nAnswerTimeoutMs = 5000;
};
