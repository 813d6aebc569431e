#include "Analysis.h"

#include "AnalysisPane.h"
#include "EvalBar.h"
#include "EvalGraph.h"
#include "Notation.h"
#include "ReviewTree.h"
#include "clsRules.h"
#include "dlgAnalyseGame.h"

#include <QAction>
#include <QCursor>
#include <QDockWidget>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QSettings>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <tavlon/Board.h>
#include <tavlon/BoardRenderer.h>

namespace {

const QString sPaneKey = QStringLiteral("view/analysis");
const QString sArrowKey = QStringLiteral("view/analysisArrow");
// Apart from the four colours players draw with.
const QColor ArrowColour(96, 32, 160, 150);
const QString sAreaKey = QStringLiteral("view/analysisArea");
constexpr int BarGap = 2;
constexpr int FlushMs = 100; // ten updates a second at most

// The position after the moves, or none when they cannot be played there.
std::optional<clsRules> Played(const std::string &sFen, const std::vector<std::string> &oMoves,
                               bool b960) {
    clsRules o;
    try {
        o.SetFen(sFen, b960);
        for (const std::string &s : oMoves)
            if (!o.PlayMove(Notation::ParseSan(o, s)))
                return std::nullopt;
    } catch (const std::exception &) {
        return std::nullopt;
    }
    return o;
}

// A move of an engine's line shown on a board of its own over the window, so that looking
// ahead never touches the game. Any click or key closes it.
class LinePreview : public QFrame {
public:
    LinePreview(QWidget *parent, const QString &sCaption, const QString &sFenBefore,
                const QString &sMove, bool b960, bool bWhiteBelow)
        : QFrame(parent, Qt::Popup) {
        setObjectName(QStringLiteral("LinePreview"));
        setAttribute(Qt::WA_DeleteOnClose);
        setFrameStyle(QFrame::Panel | QFrame::Raised);
        auto *layout = new QVBoxLayout(this);
        auto *caption = new QLabel(sCaption, this);
        caption->setObjectName(QStringLiteral("lblPreview"));
        caption->setWordWrap(true);
        auto *preview = new Board(this);
        preview->setObjectName(QStringLiteral("PreviewBoard"));
        preview->SetShowLastMove(true);
        preview->SetShowCheck(true);
        preview->SetFen(sFenBefore, b960);
        preview->MovePieceSan(sMove);
        preview->BoardView(bWhiteBelow);
        preview->setAttribute(Qt::WA_TransparentForMouseEvents);
        preview->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(caption);
        layout->addWidget(preview);
    }

protected:
    void mousePressEvent(QMouseEvent *) override { close(); }
    void keyPressEvent(QKeyEvent *) override { close(); }
};

// The board's game tree as Review::Annotate reads and writes it.
class BoardTree {
public:
    explicit BoardTree(Board *pBoard) : b(pBoard) {}

    std::vector<std::string> MainLine() const {
        std::vector<std::string> o;
        for (const QString &s : b->CoordinateMoves())
            o.push_back(s.toStdString());
        return o;
    }
    int MainLineNode(int nPly) const { return b->MainLineNode(nPly); }
    std::vector<int> Children(int n) const {
        const QList<int> o = b->ChildNodes(n);
        return {o.begin(), o.end()};
    }
    std::string San(int n) const { return b->NodeSan(n).toStdString(); }
    bool Bare(int n) const {
        for (; n >= 0; n = b->MainChildNode(n))
            if (!b->NodeText(n).isEmpty() || !b->NodeComment(n).isEmpty() ||
                !b->NodeComment(n, true).isEmpty() || !b->NodeNags(n).isEmpty() ||
                !b->NodeShapes(n).isEmpty() || !b->NodeEval(n).isEmpty() ||
                b->ChildNodes(n).size() > 1)
                return false;
        return true;
    }
    std::string Comment(int n) const { return b->NodeComment(n).toStdString(); }
    std::vector<int> Nags(int n) const {
        const QList<int> o = b->NodeNags(n);
        return {o.begin(), o.end()};
    }
    void SetNotes(int n, const std::string &sComment, const std::vector<int> &oNags,
                  const std::string &sEval) {
        b->SetNodeComment(n, QString::fromStdString(sComment));
        b->SetNodeNags(n, QList<int>(oNags.begin(), oNags.end()));
        b->SetNodeEval(n, QString::fromStdString(sEval));
    }
    void DeleteVariation(int n) { b->DeleteVariation(n); }
    int AddMove(int n, const std::string &sMove) {
        return b->AddMove(n, QString::fromStdString(sMove));
    }

private:
    Board *b;
};

} // namespace

Analysis::Analysis(QMainWindow *pWindow, Board *pBoard, Host o)
    : QObject(pWindow), w(pWindow), board(pBoard), oHost(std::move(o)),
      oSettings(EngineSettings::Load()) {
    pane = new AnalysisPane;
    pane->SetLineCount(oSettings.nLines);
    bArrow = QSettings().value(sArrowKey, false).toBool();
    pane->SetArrow(bArrow);
    dock = new QDockWidget(tr("Analysis"), w);
    dock->setObjectName(QStringLiteral("dockAnalysis"));
    dock->setWidget(pane);
    dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    dock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea |
                          Qt::BottomDockWidgetArea);
    const auto eArea = static_cast<Qt::DockWidgetArea>(
        QSettings().value(sAreaKey, static_cast<int>(Qt::BottomDockWidgetArea)).toInt());
    w->addDockWidget(dock->isAreaAllowed(eArea) ? eArea : Qt::BottomDockWidgetArea, dock);
    dock->hide();
    connect(dock, &QDockWidget::dockLocationChanged, this, [](Qt::DockWidgetArea e) {
        if (e != Qt::NoDockWidgetArea)
            QSettings().setValue(sAreaKey, static_cast<int>(e));
    });
    bar = new EvalBar(w->centralWidget());
    bar->hide();

    connect(pane, &AnalysisPane::LineCountChanged, this, &Analysis::SetLineCount);
    connect(pane, &AnalysisPane::ArrowToggled, this, [this](bool bOn) {
        bArrow = bOn;
        QSettings().setValue(sArrowKey, bOn);
        ShowArrow(bOn && !oShownLines.empty() && !oShownLines.front().oInfo.oPv.empty()
                      ? oShownLines.front().oInfo.oPv.front()
                      : std::string());
    });
    connect(pane, &AnalysisPane::EngineClicked, this, &Analysis::ChangeEngine);
    connect(pane, &AnalysisPane::MoveClicked, this, &Analysis::ShowLineMove);
    connect(pane, &AnalysisPane::AddLineClicked, this, &Analysis::AddLine);
    connect(pane->Graph(), &EvalGraph::PlyClicked, board, &Board::ViewPly);

    oFlushTimer.setSingleShot(true);
    connect(&oFlushTimer, &QTimer::timeout, this, &Analysis::Flush);
    // Several of the board's signals may come for one change (a new game shows its position
    // too): the engine hears of the change once they are over.
    oUpdateTimer.setSingleShot(true);
    oUpdateTimer.setInterval(0);
    connect(&oUpdateTimer, &QTimer::timeout, this, &Analysis::Update);
    const auto Changed = [this] {
        ShowReview();
        oUpdateTimer.start();
    };
    connect(board, &Board::PositionChanged, this, Changed);
    connect(board, &Board::GameOver, this, Changed);
    connect(board, &Board::ViewChanged, this, [this](int nPly) {
        pane->Graph()->SetShownPly(nPly);
        oUpdateTimer.start();
    });
    // Minimised, shown, hidden, closed.
    w->installEventFilter(this);
    dock->installEventFilter(this);
}

Analysis::~Analysis() {
    EndEngine();
}

void Analysis::AddToMenus(QMenu *mnuView, QMenu *mnuGame, QAction *pAfter) {
    mnuAnalysis = new QAction(tr("&Analysis"), this);
    mnuAnalysis->setObjectName(QStringLiteral("mnuViewAnalysis"));
    mnuAnalysis->setCheckable(true);
    mnuAnalysis->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    mnuView->addSeparator();
    mnuView->addAction(mnuAnalysis);
    connect(mnuAnalysis, &QAction::toggled, this, [this](bool bOn) {
        QSettings().setValue(sPaneKey, bOn);
        SetPaneShown(bOn);
    });
    mnuAnalysis->setChecked(QSettings().value(sPaneKey, false).toBool());

    auto *mnuAnalyse = new QAction(tr("Anal&yse Game..."), this);
    mnuAnalyse->setObjectName(QStringLiteral("mnuGameAnalyse"));
    connect(mnuAnalyse, &QAction::triggered, this, &Analysis::AnalyseGame);
    const QList<QAction *> oItems = mnuGame->actions();
    const qsizetype i = oItems.indexOf(pAfter);
    mnuGame->insertAction(i >= 0 && i + 1 < oItems.size() ? oItems[i + 1] : nullptr, mnuAnalyse);
}

bool Analysis::eventFilter(QObject *watched, QEvent *event) {
    // The pane's own close button is the menu item's off. (Not its visibility: a minimised
    // window hides it too.)
    if (watched == dock && event->type() == QEvent::Close && mnuAnalysis != nullptr) {
        event->ignore(); // the menu item hides it, and the window shrinks with it
        mnuAnalysis->setChecked(false);
        return true;
    }
    if (watched == w && (event->type() == QEvent::WindowStateChange ||
                         event->type() == QEvent::Show || event->type() == QEvent::Hide))
        oUpdateTimer.start();
    return QObject::eventFilter(watched, event);
}

int Analysis::BarWidth() const {
    return bar->isVisibleTo(w->centralWidget()) ? EvalBar::Width + BarGap : 0;
}

void Analysis::PlaceBar(const QRect &oBoard, bool bWhiteBelow) {
    bar->setGeometry(oBoard.left() - EvalBar::Width - BarGap, oBoard.top(), EvalBar::Width,
                     oBoard.height());
    bar->SetWhiteBelow(bWhiteBelow);
}

void Analysis::Refresh() {
    // Called at every tick of the clocks: the work waits for a change.
    if (mnuAnalysis != nullptr && mnuAnalysis->isChecked() && Refusal().isEmpty() == bRefused)
        oUpdateTimer.start();
}

void Analysis::SetPaneShown(bool bOn) {
    if (bOn) {
        // As the settings are now: another window of the program may have changed them.
        oSettings = EngineSettings::Load();
        pane->SetLineCount(oSettings.nLines);
    }
    // The window grows by the bar and the pane, so that the board keeps its size, and shrinks
    // back when they go, unless the player has resized it meanwhile or it has the screen.
    const bool bFree =
        w->isVisible() && !(w->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
    const QSize oBefore = w->size();
    const bool bSmallest = oBefore == w->minimumSizeHint();
    const bool bChange = bOn == dock->isHidden();
    const QSize oPane = dock->sizeHint();
    const QSize oGrowth =
        QSize(EvalBar::Width + BarGap, 0) + (w->dockWidgetArea(dock) == Qt::BottomDockWidgetArea
                                                 ? QSize(0, oPane.height())
                                                 : QSize(oPane.width(), 0));
    bar->setVisible(bOn);
    dock->setVisible(bOn);
    if (oHost.fnRelayout)
        oHost.fnRelayout();
    w->layout()->activate();
    if (bChange && bFree) {
        if (bOn) {
            w->resize(oBefore + oGrowth);
            oGrownFrom = oBefore;
            oGrownTo = w->size();
        } else if (oBefore == oGrownTo) {
            w->resize(oGrownFrom);
        } else if (bSmallest) {
            w->resize(w->minimumSizeHint());
        }
    }
    sFailure.clear(); // opened again: the engine gets another chance
    Update();
}

QString Analysis::Refusal() const {
    if (oHost.fnClocksInPlay && oHost.fnClocksInPlay() && board->Result() == QLatin1String("*"))
        return tr("Analysis is unavailable while the clocks run in a game in progress. It "
                  "starts again once the game is over or played without clocks.");
    return {};
}

bool Analysis::Wanted() const {
    return mnuAnalysis != nullptr && mnuAnalysis->isChecked() && !w->isHidden() &&
           !w->isMinimized() && !bAnalysingGame;
}

void Analysis::Update() {
    // An engine that knows no Chess960 may still analyse standard chess.
    if (bFailed960 && !board->Is960())
        sFailure.clear();
    const QString sRefusal = Refusal();
    bRefused = !sRefusal.isEmpty();
    pane->ShowMessage(sRefusal.isEmpty() ? sFailure : sRefusal);
    const bool bPaneOpen = mnuAnalysis != nullptr && mnuAnalysis->isChecked() && !w->isHidden();
    if (!bPaneOpen || !sRefusal.isEmpty() || !sFailure.isEmpty()) {
        // Nothing to advise on: the engine goes, with its memory.
        EndEngine();
        pane->ClearLines();
        bar->SetScore({});
        ShowArrow({});
        return;
    }
    if (!Wanted()) {
        // Minimised, or Analyse Game has the engine's place: the search rests, the engine stays.
        if (pEngine && bSearching)
            pEngine->Stop();
        bSearching = false;
        return;
    }
    // On the main line the game's moves, so that the engine knows its repetitions; on a
    // variation its position.
    UciEngine::Request oRequest{board->FenAt(0).toStdString(), {}, {}, board->Is960()};
    if (const int nShown = board->ShownNode(); board->IsMainLineNode(nShown)) {
        const QStringList oMoves = board->CoordinateMoves();
        for (int i = 0; i < board->ViewedPly() && i < oMoves.size(); ++i)
            oRequest.oMoves.push_back(oMoves[i].toStdString());
    } else {
        oRequest.sFen = board->NodeFen(nShown).toStdString();
    }
    if (bSearching && oRequest.sFen == oSearching.sFen && oRequest.oMoves == oSearching.oMoves &&
        oRequest.b960 == oSearching.b960)
        return;
    oSearching = oRequest;
    nSearchNode = board->ShownNode();
    bSearching = false;
    oLines.clear();
    bDirty = false;
    oFlushTimer.stop();
    oShownLines.clear();
    pane->ClearLines();
    ShowArrow({});
    // Where the game has ended on the board, the rules say what any engine would.
    const std::optional<clsRules> oPosition = Played(oRequest.sFen, oRequest.oMoves, oRequest.b960);
    if (oPosition && (oPosition->EndReason() == clsRules::GameEnd::Checkmate ||
                      oPosition->EndReason() == clsRules::GameEnd::Stalemate)) {
        if (pEngine)
            pEngine->Stop();
        const bool bMate = oPosition->EndReason() == clsRules::GameEnd::Checkmate;
        const Uci::Score oScore =
            bMate ? Uci::ForWhite({Uci::Score::Kind::Mated, {}, -1}, oPosition->IsWhitesTurn())
                  : Uci::Score{Uci::Score::Kind::Cp, {}, 0};
        // The result says who won, which "#0" would not.
        const QString sResult = !bMate                      ? QStringLiteral("½-½")
                                : oPosition->IsWhitesTurn() ? QStringLiteral("0-1")
                                                            : QStringLiteral("1-0");
        pane->ShowVerdict(sResult, bMate ? tr("Checkmate") : tr("Stalemate"));
        bar->SetScore(oScore);
        return;
    }
    if (!pEngine)
        StartEngine();
    if (!pEngine)
        return; // it failed at once, and said so
    // An engine that cannot take the request fails inside Go, and is gone when it returns.
    const QPointer<UciEngine> pAsked = pEngine;
    const bool bGoing = pAsked->Go(oRequest);
    bSearching = bGoing && pEngine != nullptr;
}

void Analysis::StartEngine() {
    auto *pNew = new UciEngine(this);
    pEngine = pNew;
    connect(pNew, &UciEngine::Info, this, &Analysis::LineArrived);
    connect(pNew, &UciEngine::Failed, this, &Analysis::EngineFailed);
    pNew->SetThreads(oSettings.nThreads);
    pNew->SetHash(oSettings.nHashMb);
    pNew->SetMultiPv(oSettings.nLines);
    pNew->Start(oSettings.Program());
}

void Analysis::EndEngine() {
    bSearching = false;
    if (!pEngine)
        return;
    UciEngine *p = pEngine;
    pEngine = nullptr;
    p->disconnect(this);
    delete p; // says quit, and ends the process if it does not listen
}

void Analysis::EngineFailed(const QString &sMessage) {
    // Inside the engine's own signal: it goes once that is over.
    if (pEngine) {
        pEngine->disconnect(this);
        pEngine->deleteLater();
        pEngine = nullptr;
    }
    bSearching = false;
    sFailure = sMessage;
    bFailed960 = oSearching.b960;
    oShownLines.clear();
    pane->ClearLines();
    pane->ShowMessage(sMessage);
    bar->SetScore({});
    ShowArrow({});
}

void Analysis::LineArrived(const UciEngine::Line &oLine) {
    const auto n = static_cast<std::size_t>(oLine.oInfo.nMultiPv);
    if (n < 1 || n > 5)
        return;
    if (oLines.size() < n)
        oLines.resize(n);
    oLines[n - 1] = oLine;
    bDirty = true;
    if (oFlushTimer.isActive())
        return;
    const qint64 nSince = oSinceFlush.isValid() ? oSinceFlush.elapsed() : FlushMs;
    if (nSince >= FlushMs)
        Flush();
    else
        oFlushTimer.start(static_cast<int>(FlushMs - nSince));
}

void Analysis::Flush() {
    if (!std::exchange(bDirty, false))
        return;
    oSinceFlush.start();
    oShownLines.clear();
    for (const UciEngine::Line &o : oLines)
        if (o.oInfo.oScore.eKind != Uci::Score::Kind::None)
            oShownLines.push_back(o);
    if (oShownLines.empty())
        return;
    std::vector<UciEngine::Line> oLocal = oShownLines;
    if (oHost.fnLocalSan)
        for (UciEngine::Line &o : oLocal)
            for (std::string &s : o.oSan)
                s = oHost.fnLocalSan(QString::fromStdString(s)).toStdString();
    pane->ShowLines(oLocal, pEngine ? pEngine->Name() : QString());
    bar->SetScore(oShownLines.front().oInfo.oScore);
    const std::vector<std::string> &oPv = oShownLines.front().oInfo.oPv;
    ShowArrow(bArrow && !oPv.empty() ? oPv.front() : std::string());
}

void Analysis::ShowArrow(const std::string &sMove) {
    // Over the position shown, apart from the game's own shapes; a Chess960 castling points from
    // the king to its rook, as the engine names it.
    sArrowMove = sMove;
    QList<BoardShape> oShapes;
    if (sMove.size() >= 4)
        oShapes.append({QString::fromStdString(sMove.substr(0, 2)),
                        QString::fromStdString(sMove.substr(2, 2)), ArrowColour});
    board->SetOverlayShapes(oShapes);
}

void Analysis::SetLineCount(int n) {
    if (n == oSettings.nLines)
        return;
    oSettings.nLines = n;
    oSettings.Save();
    oLines.resize(std::min(oLines.size(), static_cast<std::size_t>(n)));
    if (pEngine)
        pEngine->SetMultiPv(n); // a running search starts again with them
}

void Analysis::ChangeEngine() {
    auto *dialog = new dlgEngine(oSettings, w);
    dialog->setObjectName(QStringLiteral("dlgEngine"));
    if (oHost.fnExec(dialog) != QDialog::Accepted)
        return;
    const EngineSettings oNew = dialog->Settings();
    const bool bOtherProgram = oNew.sPath != oSettings.sPath;
    oSettings = oNew;
    oSettings.Save();
    pane->SetLineCount(oSettings.nLines);
    sFailure.clear();
    if (bOtherProgram) {
        EndEngine();
    } else if (pEngine) {
        pEngine->SetThreads(oSettings.nThreads);
        pEngine->SetHash(oSettings.nHashMb);
        pEngine->SetMultiPv(oSettings.nLines);
    }
    Update();
}

void Analysis::ShowLineMove(int nLine, int nPly) {
    if (nLine < 0 || static_cast<std::size_t>(nLine) >= oShownLines.size())
        return;
    const UciEngine::Line &oLine = oShownLines[static_cast<std::size_t>(nLine)];
    if (nPly < 0 || static_cast<std::size_t>(nPly) >= oLine.oInfo.oPv.size())
        return;
    std::vector<std::string> oMoves = oSearching.oMoves;
    oMoves.insert(oMoves.end(), oLine.oInfo.oPv.begin(), oLine.oInfo.oPv.begin() + nPly);
    const std::optional<clsRules> oBefore = Played(oSearching.sFen, oMoves, oSearching.b960);
    if (!oBefore)
        return;
    std::vector<std::string> oSan(oLine.oSan.begin(), oLine.oSan.begin() + nPly + 1);
    if (oHost.fnLocalSan)
        for (std::string &s : oSan)
            s = oHost.fnLocalSan(QString::fromStdString(s)).toStdString();
    const QString sCaption =
        QString::fromStdString(Review::NumberedLine(oSan, oLine.nFullmove, oLine.bWhiteToMove));
    auto *preview =
        new LinePreview(w, sCaption, QString::fromStdString(oBefore->Fen()),
                        QString::fromStdString(oLine.oInfo.oPv[static_cast<std::size_t>(nPly)]),
                        oSearching.b960, bar->WhiteBelow());
    preview->adjustSize();
    preview->move(QCursor::pos() - QPoint(preview->width() / 2, preview->height() + 8));
    preview->show();
}

void Analysis::EditTree(const std::function<void()> &fnEdits) {
    {
        // Many small edits make one change of the game: the window hears of it once.
        const QSignalBlocker oQuiet(board);
        fnEdits();
    }
    emit board->TreeChanged();
}

void Analysis::AddLine(int nLine) {
    if (nLine < 0 || static_cast<std::size_t>(nLine) >= oShownLines.size())
        return;
    const std::vector<std::string> &oPv = oShownLines[static_cast<std::size_t>(nLine)].oInfo.oPv;
    const std::optional<clsRules> oAt = Played(oSearching.sFen, oSearching.oMoves, oSearching.b960);
    // The lines are of the node searched, as long as it still stands where it stood.
    if (oPv.empty() || !oAt || nSearchNode < 0 ||
        board->NodeFen(nSearchNode).toStdString() != oAt->Fen())
        return;
    int nAt = nSearchNode;
    EditTree([&] {
        for (const std::string &s : oPv)
            if ((nAt = board->AddMove(nAt, QString::fromStdString(s))) < 0)
                break;
    });
    oHost.fnStatus(nAt < 0 ? board->LastError() : tr("The line is in the game as a variation"));
}

void Analysis::WriteReview() {
    EditTree([this] {
        BoardTree oTree(board);
        Review::Annotate(oTree, *oReview);
    });
}

void Analysis::AnalyseGame() {
    const QString sRefusal = Refusal();
    if (!sRefusal.isEmpty()) {
        oHost.fnStatus(tr("Analysis is unavailable while the clocks run in a game in progress"));
        return;
    }
    oSettings = EngineSettings::Load();
    std::vector<std::string> oMoves;
    for (const QString &s : board->CoordinateMoves())
        oMoves.push_back(s.toStdString());
    auto *dialog =
        new dlgAnalyseGame(oSettings, board->FenAt(0).toStdString(), oMoves, board->Is960(), w);
    dialog->setObjectName(QStringLiteral("dlgAnalyseGame"));
    // The live search rests meanwhile: the two would share the processor.
    bAnalysingGame = true;
    Update();
    const QPointer<Analysis> pSelf(this);
    const std::optional<int> nAnswer = oHost.fnExec(dialog);
    if (!pSelf || !nAnswer)
        return;
    bAnalysingGame = false;
    if (*nAnswer == QDialog::Accepted && dialog->Result()) {
        oReview = dialog->Result();
        WriteReview();
        ShowReview();
    }
    Update();
}

void Analysis::ShowReview() {
    if (!oReview) {
        pane->ShowSummary({}, false);
        return;
    }
    // The moves the analysis and the game share: undone, changed or another game, only they
    // show; played again, the rest comes back.
    const std::optional<clsRules> oStart =
        Played(board->FenAt(0).toStdString(), {}, board->Is960());
    const QStringList oMoves = board->CoordinateMoves();
    std::size_t nSame = 0;
    while (nSame < oReview->oMoves.size() && nSame < static_cast<std::size_t>(oMoves.size()) &&
           oMoves[static_cast<qsizetype>(nSame)].toStdString() == oReview->oMoves[nSame])
        ++nSame;
    if (!oStart || oStart->Fen() != oReview->sStartFen ||
        (nSame == 0 && !oReview->oMoves.empty())) {
        pane->Graph()->SetPoints({});
        pane->ShowSummary({}, false);
        return;
    }
    Review::GameAnalysis o = *oReview;
    if (nSame < o.oMoves.size()) {
        o.oMoves.resize(nSame);
        o.oPlies.resize(nSame + 1);
        Review::JudgeGame(o);
    }
    const QStringList oSan = board->SanMoves();
    std::vector<EvalGraph::Point> oPoints;
    for (std::size_t i = 0; i <= nSame; ++i) {
        const Review::PlyResult &oPly = o.oPlies[i];
        EvalGraph::Point oPoint;
        oPoint.bKnown = oPly.bSearched && oPly.oScore.eKind != Uci::Score::Kind::None;
        oPoint.dPawns = Review::GraphPawns(oPly.oScore);
        oPoint.eJudgement = oPly.eJudgement;
        const QString sEval = QString::fromStdString(Review::DisplayText(oPly.oScore));
        if (i == 0) {
            oPoint.sLabel = tr("Start: %1").arg(sEval);
        } else {
            // "12... Nf6 -0.35": the move with its number, as the lines write it.
            const std::size_t nBefore = i - 1 + (o.bWhiteFirst ? 0 : 1);
            QString sMove = static_cast<qsizetype>(i) <= oSan.size()
                                ? oSan[static_cast<qsizetype>(i - 1)]
                                : QString::fromStdString(o.oMoves[i - 1]);
            if (oHost.fnLocalSan)
                sMove = oHost.fnLocalSan(sMove);
            oPoint.sLabel =
                QString::fromStdString(Review::NumberedLine(
                    {sMove.toStdString()}, oStart->FullmoveNumber() + static_cast<int>(nBefore / 2),
                    nBefore % 2 == 0)) +
                QLatin1Char(' ') + sEval;
        }
        oPoints.push_back(std::move(oPoint));
    }
    pane->Graph()->SetPoints(std::move(oPoints));
    pane->Graph()->SetShownPly(board->ViewedPly());
    pane->ShowSummary(o.oPlayers, true);
}
