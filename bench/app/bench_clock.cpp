// The window's clocks against real time: a minute of play with a move every 1.7 or 3.3 seconds
// under 5+0, then a clock running out under 0:12 (tenths under 10 s). Prints how far each clock
// and each displayed text strayed from a reference clock, and how often the display woke.
// Runs for about 75 seconds.
#include "ClockWidget.h"
#include "TimeControl.h"
#include "frmMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <deque>
#include <tavlon/Board.h>

namespace {

const char *const Line[] = {"e2e4", "e7e5", "g1f3", "b8c6", "f1b5", "a7a6", "b5a4", "g8f6",
                            "e1g1", "f8e7", "f1e1", "b7b5", "a4b3", "d7d6", "c2c3", "e8g8",
                            "h2h3", "c6b8", "d2d4", "b8d7", "b1d2", "c8b7", "b3c2", "f8e8"};

struct Figures {
    qint64 nClockError = 0;   // largest |clock - reference|, ms
    qint64 nDisplayStale = 0; // longest a displayed text differed from the reference's, ms
    int nMaxWakeUpsPerSecond = 0;
    double dWakeUpsPerSecond = 0;
};

// Plays nPlies of the line under sForm, a move every nWaits[ply % 2] ms, then waits nTail ms;
// samples every 5 ms.
Figures Run(const char *sForm, int nPlies, const int (&nWaits)[2], qint64 nTail) {
    frmMain w;
    w.SetRunTimeControl(QString::fromLatin1(sForm));
    w.show();
    auto *board = w.findChild<Board *>(QStringLiteral("Board1"));
    const auto oControl = *TimeControl::Parse(sForm);
    const qint64 nBase = oControl.oPeriods[0].nBaseMs;
    QElapsedTimer oReal;
    oReal.start();
    qint64 nUsed[2] = {0, 0}; // reference time used by White, Black
    qint64 nTurnStart = -1;   // the reference start of the running clock; -1 before move 1
    bool bWhite = true;
    int nPly = 0;
    qint64 nNextMove = 0;
    qint64 nEnd = -1;
    Figures o;
    qint64 nStaleSince[2] = {-1, -1};
    std::deque<std::pair<qint64, int>> oWakes; // sampled (time, wake-up count)
    const int nWakesAtStart = w.ClockWakeUps();
    QEventLoop oLoop;
    QTimer oSample;
    oSample.setTimerType(Qt::PreciseTimer);
    QObject::connect(&oSample, &QTimer::timeout, [&] {
        const qint64 nNow = oReal.elapsed();
        if (nPly < nPlies && nNow >= nNextMove) {
            const QString sMove = QString::fromLatin1(Line[nPly]);
            if (nTurnStart >= 0)
                nUsed[bWhite ? 0 : 1] += nNow - nTurnStart;
            board->MovePiece(sMove.left(2), sMove.mid(2));
            nTurnStart = nNow;
            bWhite = !bWhite;
            nNextMove = nNow + nWaits[nPly % 2];
            if (++nPly == nPlies)
                nEnd = nNow + nTail;
        }
        for (int i = 0; i < 2; ++i) {
            const bool bSide = i == 0;
            const qint64 nRunning = nTurnStart >= 0 && bSide == bWhite ? nNow - nTurnStart : 0;
            const qint64 nRef = std::max<qint64>(0, nBase - nUsed[i] - nRunning);
            o.nClockError = std::max(o.nClockError, std::abs(w.ClockRemaining(bSide) - nRef));
            auto *clk = w.findChild<ClockWidget *>(bSide ? QStringLiteral("clkWhite")
                                                         : QStringLiteral("clkBlack"));
            if (clk->Time() == QString::fromStdString(FormatClock(nRef)) || nRef == 0)
                nStaleSince[i] = -1;
            else if (nStaleSince[i] < 0)
                nStaleSince[i] = nNow;
            else
                o.nDisplayStale = std::max(o.nDisplayStale, nNow - nStaleSince[i]);
        }
        oWakes.emplace_back(nNow, w.ClockWakeUps());
        while (oWakes.front().first < nNow - 1000)
            oWakes.pop_front();
        if (nNow >= 1000)
            o.nMaxWakeUpsPerSecond =
                std::max(o.nMaxWakeUpsPerSecond, oWakes.back().second - oWakes.front().second);
        if (nEnd >= 0 && nNow >= nEnd) {
            o.dWakeUpsPerSecond = (w.ClockWakeUps() - nWakesAtStart) * 1000.0 / double(nNow);
            oLoop.quit();
        }
    });
    oSample.start(5);
    oLoop.exec();
    return o;
}

void Print(const char *sName, const Figures &o) {
    std::printf("%-34s clock error %3lld ms, display behind %3lld ms, wake-ups %.2f/s (max %d in "
                "any second)\n",
                sName, static_cast<long long>(o.nClockError),
                static_cast<long long>(o.nDisplayStale), o.dWakeUpsPerSecond,
                o.nMaxWakeUpsPerSecond);
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    Print("5+0, 24 plies in 60 s", Run("300", 24, {1700, 3300}, 0));
    // Black's clock runs from 12 s to half a second before its flag: seconds, then tenths.
    Print("0:12, one clock running out", Run("12", 1, {0, 0}, 11500));
    return 0;
}
