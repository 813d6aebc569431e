#include "ClockPanel.h"

#include "ClockWidget.h"
#include "Sounds.h"
#include "dlgTimeControl.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QRect>
#include <QSettings>
#include <tavlon/Board.h>

// Its words keep the window's context, where they stood before the clocks had a class.
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

ClockPanel::ClockPanel(QWidget *pClient, Board *pBoard, Sounds *pSounds, Host oWindow,
                       QObject *parent)
    : QObject(parent), board(pBoard), sounds(pSounds), oHost(std::move(oWindow)), oSource(RealTime),
      oClock([this] { return oSource(); }) {
    clkWhite = new ClockWidget(true, pClient);
    clkBlack = new ClockWidget(false, pClient);
    lblPaused = new QLabel(QCoreApplication::translate("frmMain", "Paused"), board);
    lblPaused->setObjectName(QStringLiteral("lblPaused"));
    lblPaused->setAlignment(Qt::AlignCenter);
    lblPaused->setAutoFillBackground(true);
    QFont oFont = lblPaused->font();
    oFont.setPixelSize(32);
    oFont.setBold(true);
    lblPaused->setFont(oFont);
    lblPaused->hide();
    board->installEventFilter(this);

    oTimer.setSingleShot(true);
    oTimer.setTimerType(Qt::PreciseTimer);
    connect(&oTimer, &QTimer::timeout, this, [this] {
        ++nWakeUps;
        Tick();
    });
    mnuPause = new QAction(QCoreApplication::translate("frmMain", "Pause C&locks"), this);
    mnuPause->setObjectName(QStringLiteral("mnuPauseClocks"));
    mnuPause->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuPause->setCheckable(true);
    connect(mnuPause, &QAction::triggered, this, [this] { TogglePause(); });

    connect(board, &Board::PieceMovement, this, [this] { Moved(); });
    oClock.Reset(NextControl(), board->IsWhitesTurn());
}

void ClockPanel::AddToMenu(QMenu *mnuGame, QAction *pBefore) {
    auto *mnuTimeControl =
        new QAction(QCoreApplication::translate("frmMain", "Ti&me Control..."), this);
    mnuTimeControl->setObjectName(QStringLiteral("mnuTimeControl"));
    connect(mnuTimeControl, &QAction::triggered, this, [this] { ChooseTimeControl(); });
    mnuGame->insertActions(pBefore, {mnuTimeControl, mnuPause});
    mnuGame->insertSeparator(pBefore);
}

TimeControl ClockPanel::NextControl() const {
    if (bRunControl)
        return oRunControl;
    const auto o = TimeControl::Parse(QSettings().value(sControlKey).toString().toStdString());
    return o ? *o : TimeControl{};
}

bool ClockPanel::eventFilter(QObject *watched, QEvent *event) {
    // The board's own input: nothing while paused, and a fallen flag before any move.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
        if (oClock.Paused() || (oClock.FlagFallen() && !oClock.Stopped())) {
            Tick();
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void ClockPanel::GameOver() {
    const Board::EndReason eEnd = board->GameOverReason();
    bOnTime = eEnd == Board::EndReason::TimeForfeit || eEnd == Board::EndReason::TimeForfeitDraw;
    if (bOnTime)
        board->SetTag(QStringLiteral("Termination"), QStringLiteral("time forfeit"));
    oClock.Stop();
    Show();
}

void ClockPanel::SetRunTimeControl(const QString &sForm) {
    const auto o = TimeControl::Parse(sForm.trimmed().toStdString());
    if (!o)
        return;
    oRunControl = *o;
    bRunControl = true;
    if (board->PlyCount() == 0)
        Replaced();
    // Only the game opened with it, before the window runs, takes it in place of its own none.
    bRunControlForLoad = true;
    QTimer::singleShot(0, this, [this] { bRunControlForLoad = false; });
}

void ClockPanel::SetSource(std::function<qint64()> oNewSource) {
    oSource = std::move(oNewSource);
    Replaced();
}

qint64 ClockPanel::Remaining(bool bWhite) const {
    return oClock.IsTimed() ? oClock.Remaining(bWhite) : -1;
}

int ClockPanel::Band() const {
    return oClock.IsTimed() ? ClockHeight : 0;
}

void ClockPanel::Fit() {
    const bool bTimed = oClock.IsTimed();
    clkWhite->setVisible(bTimed);
    clkBlack->setVisible(bTimed);
    // The bands come and go with the clock; the window grows or shrinks by them.
    const int nGrow = bTimed == bLayoutTimed ? 0 : (bTimed ? 2 : -2) * ClockHeight;
    bLayoutTimed = bTimed;
    oHost.fnLayOut(nGrow);
    Show();
}

void ClockPanel::Place(const QRect &r, bool bWhiteBelow) {
    // Each clock on its own side of the board, as the board is turned.
    const int nBand = Band();
    clkWhite->setGeometry(r.left(), bWhiteBelow ? r.bottom() + 1 : r.top() - nBand, r.width(),
                          nBand);
    clkBlack->setGeometry(r.left(), bWhiteBelow ? r.top() - nBand : r.bottom() + 1, r.width(),
                          nBand);
    lblPaused->setGeometry(board->rect());
}

void ClockPanel::Show() {
    Clock &o = oClock;
    // Moves on an earlier position go into the game's tree while no clock runs.
    board->SetVariationMovesAllowed(!o.IsTimed() || o.Stopped());
    oTimer.stop();
    if (oHost.fnShown)
        oHost.fnShown();
    const bool bPaused = o.Paused();
    lblPaused->setVisible(bPaused);
    mnuPause->setChecked(bPaused);
    mnuPause->setEnabled(o.IsTimed());
    if (!o.IsTimed())
        return;
    if (bPaused)
        lblPaused->raise();
    const std::int64_t nLow = o.Control().LowTimeMs();
    std::int64_t nNext = -1;
    for (ClockWidget *clk : {clkWhite, clkBlack}) {
        const bool bWhite = clk->IsWhite();
        const std::int64_t nMs = o.Remaining(bWhite);
        const bool bRunning = o.Running() && bWhite == o.WhiteToMove();
        clk->Show(QString::fromStdString(FormatClock(nMs)), o.MovesLeft(bWhite), bRunning,
                  nMs < nLow);
        sounds->ClockShown(bWhite, nMs, nLow, bRunning);
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
        oTimer.start(static_cast<int>(std::min<std::int64_t>(nNext, o.MsToFlag())));
}

void ClockPanel::Tick() {
    Clock &o = oClock;
    // The window's GameOver (which stops the clocks) says who ran out of time; inside a move
    // the board refuses, so again once that is over.
    if (o.Running() && o.FlagFallen() && board->Result() == QLatin1String("*") &&
        !oHost.fnFlagFall()) {
        oTimer.start(50);
        return;
    }
    Show();
    if (o.Running() && o.MoveUsed() > 0 && oSource() - nKeptAt >= KeepEveryMs) {
        nKeptAt = oSource();
        oHost.fnKeep();
    }
}

QByteArray ClockPanel::RecoveryLine() const {
    const Clock &o = oClock;
    if (!o.IsTimed() || o.Stopped() || o.MoveUsed() <= 0)
        return {};
    return UsedLine + QByteArray::number(o.MoveUsed()) + '\n';
}

void ClockPanel::Recovered(const QByteArray &oKept) {
    const qsizetype i = oKept.indexOf(UsedLine);
    if (i < 0 || (i > 0 && oKept[i - 1] != '\n'))
        return;
    const qsizetype nStart = i + UsedLine.size();
    oClock.AddMoveUsed(oKept.mid(nStart, oKept.indexOf('\n', nStart) - nStart).toLongLong());
    Show();
}

void ClockPanel::Moved() {
    Clock &o = oClock;
    if (!o.IsTimed() || o.Stopped())
        return;
    const std::int64_t nMs = o.MovePlayed();
    if (nMs < 0) {
        // The flag fell while the move was being finished. Raised before the turn passes, the
        // move has its ply already.
        oHost.fnLateMove(board->PlyCount());
        return;
    }
    board->SetMoveClock(board->PlyCount(), nMs);
    Show();
}

void ClockPanel::Undone() {
    if (std::exchange(bOnTime, false))
        board->SetTag(QStringLiteral("Termination"), {}); // the game goes on
    oClock.Undo();
    Show();
}

bool ClockPanel::Refuse() {
    if (FlagDown()) {
        Tick();
        return true;
    }
    if (!oClock.Paused())
        return false;
    oHost.fnStatus(QCoreApplication::translate(
        "frmMain", "The clocks are paused: Pause Clocks (Ctrl+P) starts them again"));
    return true;
}

void ClockPanel::Replaced() {
    sounds->ClocksReset();
    Clock &o = oClock;
    const bool bWhite = board->IsWhitesTurn();
    const int nPlies = board->PlyCount();
    const bool bFirstWhite = nPlies % 2 == 0 ? bWhite : !bWhite;
    std::vector<std::int64_t> oPlyMs;
    bool bHasClk = false;
    for (int i = 1; i <= nPlies; ++i) {
        oPlyMs.push_back(board->MoveClock(i));
        bHasClk |= oPlyMs.back() >= 0;
    }
    const TimeControl oGame =
        TimeControl::FromTags(board->Tag(QStringLiteral("TimeControl")).toStdString(),
                              board->Tag(QStringLiteral("TimeDelay")).toStdString());
    bool bTagged = false; // the game's tags name its control already
    if (!std::exchange(bLoading, false)) {
        o.Reset(NextControl(), bWhite);
    } else if (oGame.IsTimed() && bHasClk) {
        // Restored from the last %clk of each side, paused so nobody loses time meanwhile.
        o.Reset(oGame, bFirstWhite);
        o.Restore(oPlyMs, bFirstWhite, true);
        bTagged = true;
    } else if (bRunControlForLoad && !oGame.IsTimed()) {
        o.Reset(oRunControl, bFirstWhite);
        o.Restore(std::vector<std::int64_t>(static_cast<std::size_t>(nPlies), -1), bFirstWhite,
                  true);
    } else {
        o.Reset({}, bWhite);
    }
    bRunControlForLoad = false;
    bOnTime = false;
    if (o.IsTimed() && !bTagged) {
        board->SetTag(QStringLiteral("TimeControl"),
                      QString::fromStdString(o.Control().TagValue()));
        board->SetTag(QStringLiteral("TimeDelay"),
                      QString::fromStdString(o.Control().DelayTagValue()));
    }
    if (board->Result() != QLatin1String("*"))
        o.Stop();
    Fit();
}

void ClockPanel::TogglePause() {
    Clock &o = oClock;
    if (!o.IsTimed() || o.Stopped() || (!o.Paused() && !o.Running())) {
        mnuPause->setChecked(false);
        oHost.fnStatus(QCoreApplication::translate("frmMain", "No clock is running"));
        return;
    }
    o.SetPaused(!o.Paused());
    Show();
    oHost.fnKeep(); // the time used so far, exactly
    oHost.fnStatus(o.Paused() ? QCoreApplication::translate("frmMain", "The clocks are paused")
                              : QCoreApplication::translate("frmMain", "The clocks run again"));
}

void ClockPanel::ChooseTimeControl() {
    auto *dialog =
        new dlgTimeControl(QString::fromStdString(NextControl().Form()), lblPaused->window());
    if (oHost.fnExec(dialog) != QDialog::Accepted)
        return;
    QSettings().setValue(sControlKey, dialog->Form());
    bRunControl = false; // a choice made now outranks the command line's
    oHost.fnStatus(
        QCoreApplication::translate("frmMain", "The time control applies from the next new game"));
}
