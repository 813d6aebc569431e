#pragma once

#include "UciProtocol.h"
#include "clsRules.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>
#include <map>
#include <string>
#include <vector>

class QProcess;

// A UCI engine run as a process, asked and answered through signals: it never blocks the thread
// it lives on. Commands given before the engine is ready, or while it searches, wait their turn.
// Whatever the engine does wrong (missing, exiting, silent, talking nonsense) ends in one
// Failed() naming it; the process is then gone and further commands do nothing until Start().
// No process outlives its UciEngine.
class UciEngine : public QObject {
    Q_OBJECT
public:
    struct Limit {
        enum class Kind : std::uint8_t { Infinite, Depth, Nodes, MoveTime };
        Kind eKind = Kind::Infinite;
        std::int64_t nValue = 0; // plies, nodes or milliseconds
    };
    // What to search: a position as a FEN and the moves played from it, in coordinates. In a
    // Chess960 game (b960) castling is the king taking its own rook (e1h1) both ways, and the
    // engine is told so by its UCI_Chess960 option; an engine without one fails the search.
    struct Request {
        std::string sFen;
        std::vector<std::string> oMoves;
        Limit oLimit;
        bool b960 = false;
    };
    // The engine's latest word on one of its lines, on the searched position.
    struct Line {
        Uci::Info oInfo;               // the score from White's side
        std::vector<std::string> oSan; // the moves of oInfo.oPv in SAN
        int nFullmove = 1;             // of the searched position, to number the moves
        bool bWhiteToMove = true;
    };
    struct Result {
        std::string sBestMove; // coordinates; empty when the engine had no move to give
        std::string sBestSan;
        std::vector<Line> oLines; // the latest of each line, the best first
    };

    explicit UciEngine(QObject *pParent = nullptr);
    ~UciEngine() override;

    // The engine to run: the configured program (a path, or a name looked up on PATH and in
    // /usr/games); without one, stockfish from the same places. Empty when none is found.
    static QString Locate(const QString &sConfigured = {});

    // Starts the program and the UCI handshake; Ready() follows, or Failed().
    void Start(const QString &sProgram, const QStringList &oArguments = {});
    bool IsRunning() const;
    // The engine's process id while it runs, else 0.
    qint64 ProcessId() const;
    // The engine's "id name" once known, else the program's file name.
    QString Name() const;
    const std::vector<Uci::Option> &Options() const { return m_oOptions; }

    // Options take effect from the next search; a running search starts again with them.
    // Names are the engine's (case does not matter); an option the engine lacks is skipped.
    void SetOption(const QString &sName, const QString &sValue);
    void SetThreads(int n) { SetOption(QStringLiteral("Threads"), QString::number(n)); }
    void SetHash(int nMegabytes) { SetOption(QStringLiteral("Hash"), QString::number(nMegabytes)); }
    // One to five lines.
    void SetMultiPv(int n);
    int MultiPv() const { return m_nMultiPv; }

    // ucinewgame, then isready: the next search remembers nothing of earlier ones.
    void NewGame();
    // Searches, replacing any search running or waiting (whose results are dropped). False,
    // doing nothing, when the request's FEN or moves are not legal.
    bool Go(const Request &oRequest);
    // Ends the running search; its BestMove() still comes. Searches waiting are dropped.
    void Stop();
    bool IsSearching() const { return m_eWait == Wait::BestMove && !m_bStale; }

    // How long the engine may take to answer uci, isready and stop (5 s).
    void SetAnswerTimeout(int nMilliseconds) { m_nAnswerTimeoutMs = nMilliseconds; }

signals:
    void Ready();
    void Info(const UciEngine::Line &oLine);
    void BestMove(const UciEngine::Result &oResult);
    void Failed(const QString &sMessage);

private:
    enum class Wait : std::uint8_t { Nothing, UciOk, ReadyOk, BestMove };
    struct Step {
        enum class Kind : std::uint8_t { Send, Sync, Search };
        Kind eKind = Kind::Send;
        QByteArray sText;
        Request oRequest;
    };
    void Send(const QByteArray &sText);
    void Pump();
    void Expect(Wait eWait, int nMilliseconds);
    void ReadOutput();
    void HandleLine(std::string_view sLine);
    void HandleInfo(Uci::Info &oInfo);
    void HandleBestMove(const std::string &sMove, const std::string &sPonder);
    // Plays the coordinate moves on m_oPosition up to the first that is not legal there,
    // appending their SAN to *pSan when given; returns how many it played, and leaves them played.
    std::size_t PlayMoves(const std::vector<std::string> &oMoves, std::vector<std::string> *pSan);
    void TakeBack(std::size_t nMoves);
    // The setoption command for an option the engine declared, its value held to the engine's
    // range; empty for an option it lacks.
    QByteArray OptionCommand(const std::string &sKey, const std::string &sValue) const;
    void ApplyOption(const std::string &sKey, const std::string &sValue);
    void Fail(const QString &sMessage);
    void KillProcess();
    // Drops queued searches, returning the last one dropped, if any.
    bool DropQueuedSearches(Request *pLast = nullptr);

    QProcess *m_pProcess = nullptr;
    QString m_sProgram;
    QString m_sName;
    std::vector<Uci::Option> m_oOptions;
    std::map<std::string, std::string> m_oWanted; // option values asked for, by lower-case name
    int m_nMultiPv = 1;
    std::deque<Step> m_oQueue;
    Wait m_eWait = Wait::Nothing;
    bool m_bReady = false;     // uciok came: the options are known
    bool m_bAnnounced = false; // Ready() was sent
    bool m_bStale = false;     // the running search was replaced: its answers are dropped
    bool m_bFailed = false;
    bool m_bSkipping = false; // inside a line too long to keep
    bool m_b960 = false;      // UCI_Chess960 was last set true
    QByteArray m_oBuffer;
    QTimer m_oTimer;
    int m_nAnswerTimeoutMs = 5000;
    Request m_oSearch; // the running search
    clsRules m_oPosition;
    std::vector<Line> m_oLines;
};

Q_DECLARE_METATYPE(UciEngine::Line)
Q_DECLARE_METATYPE(UciEngine::Result)
