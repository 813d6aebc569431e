#include "UciEngine.h"

#include "Notation.h"

#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <cctype>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#endif

namespace {

// Longer lines are dropped whole: no engine needs them, and they must not grow without bound.
constexpr qsizetype LineMax = 64 * 1024;

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// e2e4 or e7e8q: the only move form UCI allows.
bool IsCoordinate(std::string_view s) {
    return (s.size() == 4 ||
            (s.size() == 5 && std::string_view("qrbn").find(s[4]) != std::string_view::npos)) &&
           s[0] >= 'a' && s[0] <= 'h' && s[1] >= '1' && s[1] <= '8' && s[2] >= 'a' && s[2] <= 'h' &&
           s[3] >= '1' && s[3] <= '8';
}

// A line of the engine's, shortened for a message.
QString Quote(std::string_view s) {
    QString sText =
        QString::fromUtf8(s.data(), static_cast<qsizetype>(std::min<std::size_t>(s.size(), 80)));
    return s.size() > 80 ? sText + QStringLiteral("…") : sText;
}

} // namespace

UciEngine::UciEngine(QObject *pParent) : QObject(pParent) {
    m_oTimer.setSingleShot(true);
    connect(&m_oTimer, &QTimer::timeout, this, [this] {
        Fail(tr("The engine “%1” did not answer within %2 seconds.")
                 .arg(Name())
                 .arg(m_nAnswerTimeoutMs / 1000.0));
    });
}

UciEngine::~UciEngine() {
    if (m_pProcess) {
        m_pProcess->disconnect(this);
        if (m_pProcess->state() == QProcess::Running) {
            m_pProcess->write("quit\n");
            m_pProcess->waitForFinished(200);
        }
        KillProcess();
    }
}

QString UciEngine::Locate(const QString &sConfigured) {
    const QString sName = sConfigured.isEmpty() ? QStringLiteral("stockfish") : sConfigured;
    if (sName.contains(QLatin1Char('/')))
        return sName;
    QString sFound = QStandardPaths::findExecutable(sName);
    if (sFound.isEmpty())
        sFound = QStandardPaths::findExecutable(sName, {QStringLiteral("/usr/games")});
    // A configured engine that is missing is still the one asked for: starting it says so.
    return sFound.isEmpty() && !sConfigured.isEmpty() ? sConfigured : sFound;
}

void UciEngine::Start(const QString &sProgram, const QStringList &oArguments) {
    if (m_pProcess) {
        m_pProcess->disconnect(this);
        KillProcess();
    }
    m_sProgram = sProgram;
    m_sName.clear();
    m_oOptions.clear();
    m_oQueue.clear();
    m_eWait = Wait::Nothing;
    m_bReady = m_bAnnounced = m_bStale = m_bFailed = m_bSkipping = m_b960 = false;
    m_oBuffer.clear();
    if (sProgram.isEmpty()) {
        Fail(tr("No chess engine was found. Install Stockfish, or choose an engine."));
        return;
    }
    m_pProcess = new QProcess(this);
    // Diagnostics the engine writes to standard error are not read; unread, they would pile up.
    m_pProcess->setStandardErrorFile(QProcess::nullDevice());
#ifdef Q_OS_LINUX
    // Should this program die without its destructors, the kernel ends the engine too.
    m_pProcess->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
#endif
    connect(m_pProcess, &QProcess::readyReadStandardOutput, this, &UciEngine::ReadOutput);
    connect(m_pProcess, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            Fail(tr("The engine “%1” could not be started: %2")
                     .arg(m_sProgram, m_pProcess->errorString()));
    });
    connect(m_pProcess, &QProcess::finished, this, [this](int nCode, QProcess::ExitStatus e) {
        Fail(e == QProcess::CrashExit ? tr("The engine “%1” crashed.").arg(Name())
                                      : tr("The engine “%1” stopped unexpectedly (exit code %2).")
                                            .arg(Name())
                                            .arg(nCode));
    });
    m_pProcess->start(sProgram, oArguments);
    if (m_bFailed)
        return;
    Send("uci");
    Expect(Wait::UciOk, m_nAnswerTimeoutMs);
}

bool UciEngine::IsRunning() const {
    return m_pProcess && !m_bFailed && m_pProcess->state() != QProcess::NotRunning;
}

qint64 UciEngine::ProcessId() const {
    return m_pProcess ? m_pProcess->processId() : 0;
}

QString UciEngine::Name() const {
    return m_sName.isEmpty() ? QFileInfo(m_sProgram).fileName() : m_sName;
}

void UciEngine::SetOption(const QString &sName, const QString &sValue) {
    const std::string sKey = Lower(sName.toStdString());
    const std::string sWanted = sValue.toStdString();
    const auto it = m_oWanted.find(sKey);
    if (it != m_oWanted.end() && it->second == sWanted)
        return;
    m_oWanted[sKey] = sWanted;
    if (m_bReady && !m_bFailed)
        ApplyOption(sKey, sWanted);
}

void UciEngine::SetMultiPv(int n) {
    m_nMultiPv = std::clamp(n, 1, 5);
    SetOption(QStringLiteral("MultiPV"), QString::number(m_nMultiPv));
}

QByteArray UciEngine::OptionCommand(const std::string &sKey, const std::string &sValue) const {
    const auto it = std::find_if(m_oOptions.begin(), m_oOptions.end(),
                                 [&](const Uci::Option &o) { return Lower(o.sName) == sKey; });
    if (it == m_oOptions.end())
        return {};
    std::string s = sValue;
    if (it->sType == "spin")
        s = std::to_string(std::clamp<long long>(std::atoll(sValue.c_str()), it->nMin, it->nMax));
    return QByteArray::fromStdString("setoption name " + it->sName + " value " + s);
}

void UciEngine::ApplyOption(const std::string &sKey, const std::string &sValue) {
    QByteArray sCommand = OptionCommand(sKey, sValue);
    if (sCommand.isEmpty())
        return;
    // Before any search waiting; a running one starts again once the option is set.
    Request oSearch;
    bool bSearch = DropQueuedSearches(&oSearch);
    if (IsSearching()) {
        Send("stop");
        m_bStale = true;
        Expect(Wait::BestMove, m_nAnswerTimeoutMs);
        if (!bSearch)
            oSearch = m_oSearch;
        bSearch = true;
    }
    m_oQueue.push_back({Step::Kind::Send, std::move(sCommand), {}});
    if (bSearch)
        m_oQueue.push_back({Step::Kind::Search, {}, std::move(oSearch)});
    Pump();
}

void UciEngine::NewGame() {
    if (m_bFailed || !m_pProcess)
        return;
    m_oQueue.push_back({Step::Kind::Send, "ucinewgame", {}});
    m_oQueue.push_back({Step::Kind::Sync, {}, {}});
    Pump();
}

bool UciEngine::Go(const Request &oRequest) {
    // The request is judged on a position of its own, so that a refused one changes nothing.
    clsRules oCheck;
    try {
        oCheck.SetFen(oRequest.sFen, oRequest.b960);
        for (const std::string &s : oRequest.oMoves)
            if (!IsCoordinate(s) || !oCheck.PlayMove(Notation::ParseSan(oCheck, s)))
                return false;
    } catch (const std::invalid_argument &) {
        return false;
    }
    if (m_bFailed || !m_pProcess)
        return true;
    DropQueuedSearches();
    if (IsSearching()) {
        Send("stop");
        m_bStale = true;
        Expect(Wait::BestMove, m_nAnswerTimeoutMs);
    }
    // Castling goes to the engine in the game's own form, however the caller wrote it: the
    // king's two steps in standard chess, the king taking its rook in Chess960.
    Request oSearch = oRequest;
    oSearch.oMoves = Notation::CoordinateMoves(oCheck);
    m_oQueue.push_back({Step::Kind::Search, {}, std::move(oSearch)});
    Pump();
    return true;
}

void UciEngine::Stop() {
    DropQueuedSearches();
    if (IsSearching()) {
        Send("stop");
        Expect(Wait::BestMove, m_nAnswerTimeoutMs);
    }
}

bool UciEngine::DropQueuedSearches(Request *pLast) {
    bool bDropped = false;
    for (auto it = m_oQueue.begin(); it != m_oQueue.end();) {
        if (it->eKind != Step::Kind::Search) {
            ++it;
            continue;
        }
        if (pLast)
            *pLast = std::move(it->oRequest);
        bDropped = true;
        it = m_oQueue.erase(it);
    }
    return bDropped;
}

void UciEngine::Send(const QByteArray &sText) {
    if (m_pProcess && m_pProcess->state() != QProcess::NotRunning)
        m_pProcess->write(sText + '\n');
}

void UciEngine::Expect(Wait eWait, int nMilliseconds) {
    m_eWait = eWait;
    if (nMilliseconds > 0)
        m_oTimer.start(nMilliseconds);
    else
        m_oTimer.stop();
}

void UciEngine::Pump() {
    while (m_eWait == Wait::Nothing && !m_oQueue.empty() && !m_bFailed) {
        Step oStep = std::move(m_oQueue.front());
        m_oQueue.pop_front();
        if (oStep.eKind == Step::Kind::Send) {
            Send(oStep.sText);
        } else if (oStep.eKind == Step::Kind::Sync) {
            Send("isready");
            Expect(Wait::ReadyOk, m_nAnswerTimeoutMs);
        } else {
            m_oSearch = std::move(oStep.oRequest);
            if (m_oSearch.b960 != m_b960) {
                // An engine that does not know Chess960 would read its castling as a king's
                // step and answer with lines that cannot be played.
                const QByteArray sCommand =
                    OptionCommand("uci_chess960", m_oSearch.b960 ? "true" : "false");
                if (sCommand.isEmpty()) {
                    Fail(tr("The engine “%1” cannot analyse Chess960: it does not offer the "
                            "UCI_Chess960 option.")
                             .arg(Name()));
                    return;
                }
                Send(sCommand);
                m_b960 = m_oSearch.b960;
            }
            m_oPosition.SetFen(m_oSearch.sFen, m_oSearch.b960); // checked by Go
            PlayMoves(m_oSearch.oMoves, nullptr);
            m_oLines.assign(static_cast<std::size_t>(m_nMultiPv), {});
            std::string s = "position fen " + m_oSearch.sFen;
            if (!m_oSearch.oMoves.empty())
                s += " moves";
            for (const std::string &sMove : m_oSearch.oMoves)
                s += ' ' + sMove;
            Send(QByteArray::fromStdString(s));
            const Limit &o = m_oSearch.oLimit;
            const std::string sValue = std::to_string(o.nValue);
            Send(QByteArray::fromStdString(o.eKind == Limit::Kind::Depth   ? "go depth " + sValue
                                           : o.eKind == Limit::Kind::Nodes ? "go nodes " + sValue
                                           : o.eKind == Limit::Kind::MoveTime
                                               ? "go movetime " + sValue
                                               : std::string("go infinite")));
            // Only a search against the clock has an end to wait for.
            Expect(Wait::BestMove, o.eKind == Limit::Kind::MoveTime
                                       ? static_cast<int>(std::min<std::int64_t>(
                                             o.nValue + m_nAnswerTimeoutMs, 1 << 30))
                                       : 0);
        }
    }
}

void UciEngine::ReadOutput() {
    QProcess *pProcess = m_pProcess;
    const QByteArray oChunk = pProcess->readAllStandardOutput();
    QPointer<UciEngine> pSelf(this);
    qsizetype nFrom = 0;
    // A slot may have started another engine meanwhile: this one's lines then mean nothing.
    while (nFrom < oChunk.size() && pSelf && !m_bFailed && m_pProcess == pProcess) {
        qsizetype nEnd = oChunk.indexOf('\n', nFrom);
        const bool bWhole = nEnd >= 0;
        if (!bWhole)
            nEnd = oChunk.size();
        if (!m_bSkipping)
            m_oBuffer.append(oChunk.constData() + nFrom, nEnd - nFrom);
        if (m_oBuffer.size() > LineMax) {
            m_bSkipping = true;
            m_oBuffer.clear();
        }
        nFrom = nEnd + 1;
        if (!bWhole)
            break;
        if (!m_bSkipping) {
            const QByteArray oLine = std::exchange(m_oBuffer, {});
            HandleLine(std::string_view(oLine.constData(), static_cast<std::size_t>(oLine.size())));
        }
        m_bSkipping = false;
    }
}

void UciEngine::HandleLine(std::string_view sLine) {
    Uci::Line oLine = Uci::ParseLine(sLine);
    switch (oLine.eKind) {
    case Uci::Line::Kind::Malformed:
        // A broken option declaration costs only that option; broken answers cannot be trusted.
        if (!sLine.starts_with("option"))
            Fail(tr("The engine “%1” sent something that makes no sense: %2")
                     .arg(Name(), Quote(sLine)));
        break;
    case Uci::Line::Kind::IdName:
        m_sName = QString::fromStdString(oLine.sText).trimmed();
        break;
    case Uci::Line::Kind::Option:
        if (!m_bReady)
            m_oOptions.push_back(std::move(oLine.oOption));
        break;
    case Uci::Line::Kind::UciOk:
        if (m_eWait != Wait::UciOk)
            break;
        m_eWait = Wait::Nothing;
        m_oTimer.stop();
        m_bReady = true;
        {
            // The options asked for so far, then isready, before anything queued meanwhile.
            m_oQueue.push_front({Step::Kind::Sync, {}, {}});
            for (auto it = m_oWanted.rbegin(); it != m_oWanted.rend(); ++it)
                if (QByteArray s = OptionCommand(it->first, it->second); !s.isEmpty())
                    m_oQueue.push_front({Step::Kind::Send, s, {}});
        }
        Pump();
        break;
    case Uci::Line::Kind::ReadyOk:
        if (m_eWait != Wait::ReadyOk)
            break;
        m_eWait = Wait::Nothing;
        m_oTimer.stop();
        if (!std::exchange(m_bAnnounced, true)) {
            QPointer<UciEngine> pSelf(this);
            emit Ready();
            if (!pSelf)
                return;
        }
        Pump();
        break;
    case Uci::Line::Kind::Info:
        if (m_eWait == Wait::BestMove && !m_bStale)
            HandleInfo(oLine.oInfo);
        break;
    case Uci::Line::Kind::BestMove:
        if (m_eWait == Wait::BestMove)
            HandleBestMove(oLine.sText, oLine.sPonder);
        break;
    default:
        break;
    }
}

std::size_t UciEngine::PlayMoves(const std::vector<std::string> &oMoves,
                                 std::vector<std::string> *pSan) {
    std::size_t nPlayed = 0;
    try {
        for (const std::string &s : oMoves) {
            if (!IsCoordinate(s))
                break;
            const Move oMove = Notation::ParseSan(m_oPosition, s);
            std::string sSan;
            Notation::AppendSan(m_oPosition, oMove, sSan, true);
            if (pSan)
                pSan->push_back(std::move(sSan));
            ++nPlayed;
        }
    } catch (const Notation::Error &) {
    }
    return nPlayed;
}

void UciEngine::TakeBack(std::size_t nMoves) {
    while (nMoves-- > 0)
        m_oPosition.UndoLastMove();
}

void UciEngine::HandleInfo(Uci::Info &oInfo) {
    if (oInfo.nMultiPv > static_cast<int>(m_oLines.size()))
        return; // a line not asked for
    Line oLine;
    const std::size_t nPlayed = PlayMoves(oInfo.oPv, &oLine.oSan);
    TakeBack(nPlayed);
    if (nPlayed != oInfo.oPv.size()) {
        Fail(tr("The engine “%1” sent a move that is not legal: %2")
                 .arg(Name(), QString::fromStdString(oInfo.oPv[nPlayed])));
        return;
    }
    oInfo.oScore = Uci::ForWhite(oInfo.oScore, m_oPosition.IsWhitesTurn());
    oLine.nFullmove = m_oPosition.FullmoveNumber();
    oLine.bWhiteToMove = m_oPosition.IsWhitesTurn();
    Line &oKept = m_oLines[static_cast<std::size_t>(oInfo.nMultiPv - 1)];
    // A line cut short (a bound, a search stopped mid-way) that begins the kept one keeps its
    // longer continuation.
    const std::vector<std::string> &oOld = oKept.oInfo.oPv;
    if (oInfo.oPv.size() < oOld.size() &&
        std::equal(oInfo.oPv.begin(), oInfo.oPv.end(), oOld.begin())) {
        oInfo.oPv = oOld;
        oLine.oSan = oKept.oSan;
    }
    oLine.oInfo = std::move(oInfo);
    oKept = oLine;
    emit Info(oLine);
}

void UciEngine::HandleBestMove(const std::string &sMove, const std::string &sPonder) {
    m_oTimer.stop();
    m_eWait = Wait::Nothing;
    if (std::exchange(m_bStale, false)) {
        Pump();
        return;
    }
    Result oResult;
    if (!sMove.empty()) {
        std::vector<std::string> oSan;
        const std::size_t nPlayed = PlayMoves({sMove, sPonder}, &oSan);
        TakeBack(nPlayed);
        if (nPlayed == 0) {
            Fail(tr("The engine “%1” sent a move that is not legal: %2")
                     .arg(Name(), QString::fromStdString(sMove)));
            return;
        }
        oResult.sBestMove = sMove;
        oResult.sBestSan = oSan.front();
        // A best line of the best move alone goes on with the reply the engine expects.
        if (!m_oLines.empty() && nPlayed == 2 && m_oLines.front().oInfo.oPv == std::vector{sMove}) {
            m_oLines.front().oInfo.oPv.push_back(sPonder);
            m_oLines.front().oSan.push_back(oSan.back());
        }
    }
    for (Line &o : m_oLines)
        if (o.oInfo.oScore.eKind != Uci::Score::Kind::None)
            oResult.oLines.push_back(std::move(o));
    m_oLines.clear();
    QPointer<UciEngine> pSelf(this);
    emit BestMove(oResult);
    if (pSelf)
        Pump();
}

void UciEngine::Fail(const QString &sMessage) {
    if (m_bFailed)
        return;
    m_bFailed = true;
    m_oTimer.stop();
    m_oQueue.clear();
    m_eWait = Wait::Nothing;
    m_bStale = false;
    if (m_pProcess) {
        m_pProcess->disconnect(this);
        KillProcess();
    }
    emit Failed(sMessage);
}

void UciEngine::KillProcess() {
    m_pProcess->kill();
    m_pProcess->waitForFinished(1000);
    // Perhaps inside one of the process's own signals: deleted once that is over.
    m_pProcess->deleteLater();
    m_pProcess = nullptr;
}
