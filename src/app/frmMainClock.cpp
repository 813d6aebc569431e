// The main window's chess clocks: one above and one below the board, the Time Control and Pause
// Clocks commands, and the loss on time. The Board control keeps no time; the clocks follow
// its events.
#include "Analysis.h"
#include "Clock.h"
#include "ClockWidget.h"
#include "NotationView.h"
#include "Sounds.h"
#include "dlgTimeControl.h"
#include "frmMain.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTimer>
#include <tavlon/Board.h>

namespace {

const QString sControlKey = QStringLiteral("clock/timeControl");
constexpr int ClockHeight = 24;
// The kept game's line with the time used on the move, and how often it is written anew while
// a clock runs: a crash gives back at most that much.
const QByteArray UsedLine = "% tavlon-move-used-ms: ";
constexpr std::int64_t KeepEveryMs = 10'000;

std::int64_t RealTime() {
    static QElapsedTimer oTimer = [] {
        QElapsedTimer o;
        o.start();
        return o;
    }();
    return oTimer.elapsed();
}

} // namespace

// Everything the clocks keep, out of the window's header.
class ClockPanel : public QObject {
public:
    explicit ClockPanel(frmMain *pWindow)
        : QObject(pWindow), w(pWindow), oClock([this] { return oSource(); }) {}

    frmMain *w;
    std::function<std::int64_t()> oSource = RealTime;
    Clock oClock;
    TimeControl oRunControl; // from the command line, for this run
    bool bRunControl = false;
    bool bRunControlForLoad = false; // the next opened game without its own gets it
    bool bLoading = false;           // the record being replaced was read, not started
    ClockWidget *clkWhite = nullptr;
    ClockWidget *clkBlack = nullptr;
    QLabel *lblPaused = nullptr;
    QTimer oTimer;
    QAction *mnuPause = nullptr;
    int nWakeUps = 0;
    std::int64_t nKeptAt = 0; // the source's time when the running clock was last kept
    bool bOnTime = false;     // the game ended on time
    bool bLayoutTimed = false;

    TimeControl NextControl() const {
        if (bRunControl)
            return oRunControl;
        const auto o = TimeControl::Parse(QSettings().value(sControlKey).toString().toStdString());
        return o ? *o : TimeControl{};
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        // The board's own input: nothing while paused, and a fallen flag before any move.
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::KeyPress:
            if (oClock.Paused() || (oClock.FlagFallen() && !oClock.Stopped())) {
                w->ClockTick();
                return true;
            }
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }
};

void frmMain::SetUpClocks() {
    oClocks = new ClockPanel(this);
    QWidget *client = centralWidget();
    oClocks->clkWhite = new ClockWidget(true, client);
    oClocks->clkBlack = new ClockWidget(false, client);
    oClocks->lblPaused = new QLabel(tr("Paused"), Board1);
    oClocks->lblPaused->setObjectName(QStringLiteral("lblPaused"));
    oClocks->lblPaused->setAlignment(Qt::AlignCenter);
    oClocks->lblPaused->setAutoFillBackground(true);
    QFont oFont = oClocks->lblPaused->font();
    oFont.setPixelSize(32);
    oFont.setBold(true);
    oClocks->lblPaused->setFont(oFont);
    oClocks->lblPaused->hide();
    Board1->installEventFilter(oClocks);

    oClocks->oTimer.setSingleShot(true);
    oClocks->oTimer.setTimerType(Qt::PreciseTimer);
    connect(&oClocks->oTimer, &QTimer::timeout, this, [this] {
        ++oClocks->nWakeUps;
        ClockTick();
    });

    auto *mnuGame = menuBar()->findChild<QMenu *>(QStringLiteral("mnuGame"));
    QAction *mnuExit = mnuGame->findChild<QAction *>(QStringLiteral("mnuExit"));
    oClocks->mnuPause =
        NewAction(nullptr, "mnuPauseClocks", tr("Pause C&locks"),
                  QKeySequence(Qt::CTRL | Qt::Key_P), &frmMain::mnuPauseClocks_Click);
    oClocks->mnuPause->setCheckable(true);
    mnuGame->insertActions(mnuExit, {NewAction(nullptr, "mnuTimeControl", tr("Ti&me Control..."),
                                               {}, &frmMain::mnuTimeControl_Click),
                                     oClocks->mnuPause});
    mnuGame->insertSeparator(mnuExit);

    connect(Board1, &Board::PieceMovement, this, [this] { ClockMoved(); });
    oClocks->oClock.Reset(oClocks->NextControl(), Board1->IsWhitesTurn());
    PlaceClocks();
}

void frmMain::ClocksGameOver() {
    const Board::EndReason eEnd = Board1->GameOverReason();
    oClocks->bOnTime =
        eEnd == Board::EndReason::TimeForfeit || eEnd == Board::EndReason::TimeForfeitDraw;
    if (oClocks->bOnTime)
        Board1->SetTag(QStringLiteral("Termination"), QStringLiteral("time forfeit"));
    oClocks->oClock.Stop();
    ShowClocks();
}

void frmMain::SetRunTimeControl(const QString &sForm) {
    const auto o = TimeControl::Parse(sForm.trimmed().toStdString());
    if (!o)
        return;
    oClocks->oRunControl = *o;
    oClocks->bRunControl = true;
    if (Board1->PlyCount() == 0)
        ClocksReplaced();
    // Only the game opened with it, before the window runs, takes it in place of its own none.
    oClocks->bRunControlForLoad = true;
    QTimer::singleShot(0, oClocks, [this] { oClocks->bRunControlForLoad = false; });
}

void frmMain::setClockSource(std::function<qint64()> source) {
    oClocks->oSource = std::move(source);
    ClocksReplaced();
}

int frmMain::ClockWakeUps() const {
    return oClocks->nWakeUps;
}

qint64 frmMain::ClockRemaining(bool bWhite) const {
    return oClocks->oClock.IsTimed() ? oClocks->oClock.Remaining(bWhite) : -1;
}

void frmMain::ClockLoading() {
    oClocks->bLoading = true;
}

int frmMain::ClockBand() const {
    return oClocks != nullptr && oClocks->oClock.IsTimed() ? ClockHeight : 0;
}

void frmMain::PlaceClocks() {
    const bool bTimed = oClocks->oClock.IsTimed();
    oClocks->clkWhite->setVisible(bTimed);
    oClocks->clkBlack->setVisible(bTimed);
    if (bTimed != oClocks->bLayoutTimed) {
        // The bands come and go with the clock; the window grows or shrinks by them.
        oClocks->bLayoutTimed = bTimed;
        const int nBefore = height();
        SetOuterWidth(bWide ? WideWidth() : NarrowWidth);
        if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
            resize(width(), nBefore + (bTimed ? 2 : -2) * ClockHeight);
    }
    LayOutClient();
    ShowClocks();
}

void frmMain::PlaceClockWidgets() {
    if (oClocks == nullptr)
        return;
    // Each clock on its own side of the board, as the board is turned.
    const QRect r = Board1->geometry();
    const int nBand = ClockBand();
    const bool bWhiteBelow = !bView;
    oClocks->clkWhite->setGeometry(r.left(), bWhiteBelow ? r.bottom() + 1 : r.top() - nBand,
                                   r.width(), nBand);
    oClocks->clkBlack->setGeometry(r.left(), bWhiteBelow ? r.top() - nBand : r.bottom() + 1,
                                   r.width(), nBand);
    oClocks->lblPaused->setGeometry(Board1->rect());
    if (oAnalysis != nullptr)
        oAnalysis->PlaceBar(r, bWhiteBelow);
}

void frmMain::ShowClocks() {
    Clock &o = oClocks->oClock;
    // Moves on an earlier position go into the game's tree while no clock runs.
    Board1->SetVariationMovesAllowed(!o.IsTimed() || o.Stopped());
    oClocks->oTimer.stop();
    if (oAnalysis != nullptr)
        oAnalysis->Refresh(); // fair play follows the clocks
    const bool bPaused = o.Paused();
    oClocks->lblPaused->setVisible(bPaused);
    oClocks->mnuPause->setChecked(bPaused);
    oClocks->mnuPause->setEnabled(o.IsTimed());
    if (!o.IsTimed())
        return;
    if (bPaused)
        oClocks->lblPaused->raise();
    const std::int64_t nLow = o.Control().LowTimeMs();
    std::int64_t nNext = -1;
    for (ClockWidget *clk : {oClocks->clkWhite, oClocks->clkBlack}) {
        const bool bWhite = clk->IsWhite();
        const std::int64_t nMs = o.Remaining(bWhite);
        const bool bRunning = o.Running() && bWhite == o.WhiteToMove();
        clk->Show(QString::fromStdString(FormatClock(nMs)), o.MovesLeft(bWhite), bRunning,
                  nMs < nLow);
        oSounds->ClockShown(bWhite, nMs, nLow, bRunning);
        if (!o.Running())
            continue;
        // The next moment this clock's digits change: the running one down to its next second
        // (tenth under 10 s), the hourglass's other one up to its next.
        const std::int64_t nStep = nMs < 10'000 ? 100 : 1000;
        std::int64_t nWait = 0;
        if (bRunning)
            nWait = nMs - (nMs / nStep) * nStep + 1;
        else if (o.Control().bHourglass)
            nWait = (nMs / nStep + 1) * nStep - nMs;
        else
            continue;
        nNext = nNext < 0 ? nWait : std::min(nNext, nWait);
    }
    if (o.Running() && !o.FlagFallen())
        oClocks->oTimer.start(static_cast<int>(std::min<std::int64_t>(nNext, o.MsToFlag())));
}

void frmMain::ClockTick() {
    Clock &o = oClocks->oClock;
    if (o.Running() && o.FlagFallen() && Board1->Result() == QLatin1String("*")) {
        // GameOver (which stops the clocks) says who ran out of time. Inside a move, its
        // promotion wait or its messages, the board refuses: try again once that is over.
        if (bPromotionPending || !Board1->FlagFall()) {
            oClocks->oTimer.start(50);
            return;
        }
        bUnsaved = true;
    }
    ShowClocks();
    if (o.Running() && o.MoveUsed() > 0 && oClocks->oSource() - oClocks->nKeptAt >= KeepEveryMs) {
        oClocks->nKeptAt = oClocks->oSource();
        SaveRecovery();
    }
}

QByteArray frmMain::ClockRecoveryLine() const {
    const Clock &o = oClocks->oClock;
    if (!o.IsTimed() || o.Stopped() || o.MoveUsed() <= 0)
        return {};
    return UsedLine + QByteArray::number(o.MoveUsed()) + '\n';
}

void frmMain::ClockRecovered(const QByteArray &oKept) {
    const qsizetype i = oKept.indexOf(UsedLine);
    if (i < 0 || (i > 0 && oKept[i - 1] != '\n'))
        return;
    const qsizetype nStart = i + UsedLine.size();
    oClocks->oClock.AddMoveUsed(
        oKept.mid(nStart, oKept.indexOf('\n', nStart) - nStart).toLongLong());
    ShowClocks();
}

bool frmMain::ClocksPaused() const {
    return oClocks != nullptr && oClocks->oClock.Paused();
}

void frmMain::ClockMoved() {
    Clock &o = oClocks->oClock;
    if (!o.IsTimed() || o.Stopped())
        return;
    const std::int64_t nMs = o.MovePlayed();
    if (nMs >= 0) {
        Board1->SetMoveClock(Board1->PlyCount(), nMs);
    } else {
        // The flag fell while the move was being finished: the move is taken back, and the
        // side out of time loses. Raised before the turn passes, the move has its ply already.
        const int nPly = Board1->PlyCount();
        bLateMove = true;
        QTimer::singleShot(0, this, [this, nPly] { TakeBackLateMove(nPly); });
        return;
    }
    ShowClocks();
}

bool frmMain::FlagFellDuringPromotion() {
    // FIDE 4.6: a promotion is complete once the new piece stands on its square. A flag that
    // falls before the piece is chosen has fallen before the move, whatever the move would do.
    Clock &o = oClocks->oClock;
    if (bClosing || !o.Running() || !o.FlagFallen() || !Board1->CancelPromotion())
        return false;
    bPromotionPending = false;
    bPromotionCancelled = true;
    ClockTick(); // the fall itself, once the board's wait has ended
    return true;
}

void frmMain::TakeBackLateMove(int nPly) {
    if (Board1->PlyCount() != nPly) {
        bLateMove = false;
        return; // taken back or replaced meanwhile
    }
    // Inside the move's own events (a box saying check or mate), the board refuses: once they
    // are over, the same rule holds with or without boxes.
    if (!Board1->UndoLastMove()) {
        QTimer::singleShot(50, this, [this, nPly] { TakeBackLateMove(nPly); });
        return;
    }
    bLateMove = false;
    oNotation->RemoveLast();
    sGameOver.clear(); // a mate the move gave is no more
    if (!Board1->FlagFall())
        ClockTick();
}

void frmMain::ClockUndone() {
    if (std::exchange(oClocks->bOnTime, false))
        Board1->SetTag(QStringLiteral("Termination"), {}); // the game goes on
    oClocks->oClock.Undo();
    ShowClocks();
}

bool frmMain::ClocksInPlay() const {
    return oClocks->oClock.IsTimed() && !oClocks->oClock.Stopped();
}

bool frmMain::ClocksRefuse() {
    Clock &o = oClocks->oClock;
    if (o.Running() && o.FlagFallen()) {
        ClockTick();
        return true;
    }
    if (!o.Paused())
        return false;
    ShowStatus(tr("The clocks are paused: Pause Clocks (Ctrl+P) starts them again"));
    return true;
}

void frmMain::ClocksReplaced() {
    oSounds->ClocksReset();
    Clock &o = oClocks->oClock;
    const bool bWhite = Board1->IsWhitesTurn();
    const int nPlies = Board1->PlyCount();
    const bool bFirstWhite = nPlies % 2 == 0 ? bWhite : !bWhite;
    std::vector<std::int64_t> oPlyMs;
    bool bHasClk = false;
    for (int i = 1; i <= nPlies; ++i) {
        oPlyMs.push_back(Board1->MoveClock(i));
        bHasClk |= oPlyMs.back() >= 0;
    }
    const TimeControl oGame =
        TimeControl::FromTags(Board1->Tag(QStringLiteral("TimeControl")).toStdString(),
                              Board1->Tag(QStringLiteral("TimeDelay")).toStdString());
    bool bTagged = false; // the game's tags name its control already
    if (!std::exchange(oClocks->bLoading, false)) {
        o.Reset(oClocks->NextControl(), bWhite);
    } else if (oGame.IsTimed() && bHasClk) {
        // Restored from the last %clk of each side, paused so nobody loses time meanwhile.
        o.Reset(oGame, bFirstWhite);
        o.Restore(oPlyMs, bFirstWhite, true);
        bTagged = true;
    } else if (oClocks->bRunControlForLoad && !oGame.IsTimed()) {
        o.Reset(oClocks->oRunControl, bFirstWhite);
        o.Restore(std::vector<std::int64_t>(static_cast<std::size_t>(nPlies), -1), bFirstWhite,
                  true);
    } else {
        o.Reset({}, bWhite);
    }
    oClocks->bRunControlForLoad = false;
    oClocks->bOnTime = false;
    if (o.IsTimed() && !bTagged) {
        Board1->SetTag(QStringLiteral("TimeControl"),
                       QString::fromStdString(o.Control().TagValue()));
        Board1->SetTag(QStringLiteral("TimeDelay"),
                       QString::fromStdString(o.Control().DelayTagValue()));
    }
    if (Board1->Result() != QLatin1String("*"))
        o.Stop();
    PlaceClocks();
}

void frmMain::mnuPauseClocks_Click() {
    Clock &o = oClocks->oClock;
    if (!o.IsTimed() || o.Stopped() || (!o.Paused() && !o.Running())) {
        oClocks->mnuPause->setChecked(false);
        ShowStatus(tr("No clock is running"));
        return;
    }
    o.SetPaused(!o.Paused());
    ShowClocks();
    SaveRecovery(); // the time used so far, exactly
    ShowStatus(o.Paused() ? tr("The clocks are paused") : tr("The clocks run again"));
}

void frmMain::mnuTimeControl_Click() {
    auto *dialog = new dlgTimeControl(QString::fromStdString(oClocks->NextControl().Form()), this);
    if (Exec(dialog) != QDialog::Accepted)
        return;
    QSettings().setValue(sControlKey, dialog->Form());
    oClocks->bRunControl = false; // a choice made now outranks the command line's
    ShowStatus(tr("The time control applies from the next new game"));
}
