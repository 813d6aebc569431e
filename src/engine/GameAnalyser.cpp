#include "GameAnalyser.h"

#include "Notation.h"
#include "clsRules.h"

#include <QEventLoop>

GameAnalyser::GameAnalyser(QObject *pParent) : QObject(pParent) {}

GameAnalyser::~GameAnalyser() = default;

bool GameAnalyser::Start(const QString &sEngine, const clsRules &oGame, const Budget &oBudget,
                         QString *pError) {
    return Start(sEngine, oGame.StartFen(), Notation::CoordinateMoves(oGame), oGame.Is960(),
                 oBudget, pError);
}

bool GameAnalyser::Start(const QString &sEngine, const std::string &sStartFen,
                         const std::vector<std::string> &oMoves, bool b960, const Budget &oBudget,
                         QString *pError) {
    if (m_pEngine) {
        m_pEngine->disconnect(this);
        delete m_pEngine;
    }
    Review::GameAnalysis o;
    std::vector<std::string> oFens;
    clsRules oGame;
    // Where the game is already over, the rules know the verdict without asking.
    const auto Position = [&] {
        Review::PlyResult oPly;
        if (oGame.EndReason() == clsRules::GameEnd::Checkmate)
            oPly.oScore = Uci::ForWhite({Uci::Score::Kind::Mated, {}, -1}, oGame.IsWhitesTurn());
        else if (oGame.EndReason() == clsRules::GameEnd::Stalemate)
            oPly.oScore = {Uci::Score::Kind::Cp, {}, 0};
        oPly.bSearched = oPly.oScore.eKind != Uci::Score::Kind::None;
        o.oPlies.push_back(std::move(oPly));
        oFens.push_back(oGame.Fen());
    };
    try {
        oGame.SetFen(sStartFen, b960);
    } catch (const std::invalid_argument &e) {
        if (pError)
            *pError = tr("The game's starting position is not legal: %1").arg(e.what());
        return false;
    }
    o.sStartFen = oGame.Fen();
    o.bWhiteFirst = oGame.IsWhitesTurn();
    Position();
    for (const std::string &sMove : oMoves) {
        bool bPlayed = false;
        try {
            const Move oMove = Notation::ParseSan(oGame, sMove);
            bPlayed = oGame.PlayMove(oMove);
            o.oMoves.push_back(Notation::Coordinate(oMove));
        } catch (const Notation::Error &) {
        }
        if (!bPlayed) {
            if (pError)
                *pError = tr("Move %1 of the game (%2) is not legal.")
                              .arg(o.oMoves.size() + 1)
                              .arg(QString::fromStdString(sMove));
            return false;
        }
        Position();
    }
    m_oResult = std::move(o);
    m_oFens = std::move(oFens);
    m_oBudget = oBudget;
    m_nNext = 0;
    m_b960 = oGame.Is960();
    auto *pEngine = new UciEngine(this);
    m_pEngine = pEngine;
    pEngine->SetAnswerTimeout(m_nAnswerTimeoutMs);
    connect(pEngine, &UciEngine::BestMove, this, &GameAnalyser::Done);
    connect(pEngine, &UciEngine::Failed, this, [this, pEngine](const QString &sMessage) {
        pEngine->disconnect(this);
        pEngine->deleteLater();
        m_pEngine = nullptr;
        Review::JudgeGame(m_oResult);
        emit Failed(sMessage);
    });
    const bool bNodes = oBudget.oLimit.eKind == UciEngine::Limit::Kind::Nodes;
    pEngine->SetThreads(bNodes ? 1 : oBudget.nThreads);
    pEngine->SetHash(bNodes ? 16 : oBudget.nHashMb);
    pEngine->SetMultiPv(1);
    pEngine->Start(sEngine);
    if (m_pEngine)
        Next();
    return true;
}

void GameAnalyser::Next() {
    const std::vector<Review::PlyResult> &oPlies = m_oResult.oPlies;
    while (m_nNext < oPlies.size() && oPlies[m_nNext].bSearched)
        ++m_nNext;
    if (m_nNext == oPlies.size()) {
        End();
        return;
    }
    m_pEngine->NewGame();
    m_pEngine->Go({m_oFens[m_nNext], {}, m_oBudget.oLimit, m_b960});
}

void GameAnalyser::Done(const UciEngine::Result &oResult) {
    Review::PlyResult &o = m_oResult.oPlies[m_nNext];
    o.bSearched = true;
    o.sBestMove = oResult.sBestMove;
    if (!oResult.oLines.empty()) {
        const UciEngine::Line &oLine = oResult.oLines.front();
        o.oScore = oLine.oInfo.oScore;
        o.nDepth = oLine.oInfo.nDepth;
        o.nNodes = oLine.oInfo.nNodes;
        if (!oLine.oInfo.oPv.empty() && oLine.oInfo.oPv.front() == oResult.sBestMove)
            o.oBestLine = oLine.oSan;
    }
    if (o.oBestLine.empty() && !oResult.sBestSan.empty())
        o.oBestLine = {oResult.sBestSan};
    ++m_nNext;
    // Positions the rules settled count as done too.
    std::size_t nDone = m_nNext;
    while (nDone < m_oResult.oPlies.size() && m_oResult.oPlies[nDone].bSearched)
        ++nDone;
    QPointer<GameAnalyser> pSelf(this);
    emit Progress(static_cast<int>(nDone), static_cast<int>(m_oResult.oPlies.size()));
    if (pSelf && m_pEngine)
        Next();
}

void GameAnalyser::End() {
    if (m_pEngine) {
        m_pEngine->disconnect(this);
        m_pEngine->deleteLater(); // says quit, and ends the process if it does not listen
        m_pEngine = nullptr;
    }
    Review::JudgeGame(m_oResult);
    emit Finished();
}

void GameAnalyser::Cancel() {
    if (m_pEngine)
        End();
}

std::optional<Review::GameAnalysis>
GameAnalyser::Run(const QString &sEngine, const std::string &sStartFen,
                  const std::vector<std::string> &oMoves, bool b960, const Budget &oBudget,
                  const std::function<void(int, int)> &fnProgress, QString *pError) {
    GameAnalyser o;
    QEventLoop oLoop;
    bool bDone = false;
    std::optional<QString> sFailure;
    if (fnProgress)
        connect(&o, &GameAnalyser::Progress, &oLoop, fnProgress);
    connect(&o, &GameAnalyser::Finished, &oLoop, [&] {
        bDone = true;
        oLoop.quit();
    });
    connect(&o, &GameAnalyser::Failed, &oLoop, [&](const QString &sMessage) {
        bDone = true;
        sFailure = sMessage;
        oLoop.quit();
    });
    QString sError;
    if (!o.Start(sEngine, sStartFen, oMoves, b960, oBudget, &sError))
        sFailure = sError;
    else if (!bDone) // an engine that could not start has already said so
        oLoop.exec();
    if (sFailure) {
        if (pError)
            *pError = *sFailure;
        return std::nullopt;
    }
    return o.Result();
}
