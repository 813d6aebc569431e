// How soon a move shows while the engine analyses: 24 plies typed into the window's move box a
// third of a second apart, each timed from the click of Move Piece to the end of the board's
// paint that shows it, first with View > Analysis off, then on with Stockfish (or the engine
// named) at the threads and lines given. Prints the median and the slowest of each run.
// Usage: tavlon_analysis_bench [THREADS [LINES [ENGINE]]]   (a display is needed: Xvfb will do)
#include "Analysis.h"
#include "AnalysisPane.h"
#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <tavlon/Board.h>
#include <vector>

namespace {

const char *const Line[] = {"e2e4", "e7e5", "g1f3", "b8c6", "f1b5", "a7a6", "b5a4", "g8f6",
                            "e1g1", "f8e7", "f1e1", "b7b5", "a4b3", "d7d6", "c2c3", "e8g8",
                            "h2h3", "c6b8", "d2d4", "b8d7", "b1d2", "c8b7", "b3c2", "f8e8"};

struct Figures {
    double dMedianMs = 0;
    double dMaxMs = 0;
    QString sShown; // the pane's evaluation at the end
};

Figures Run(bool bAnalysis) {
    frmMain w;
    w.show();
    if (!QTest::qWaitForWindowExposed(&w))
        std::fprintf(stderr, "the window was not shown\n");
    auto *board = w.findChild<Board *>(QStringLiteral("Board1"));
    auto *txt = w.findChild<QLineEdit *>(QStringLiteral("txtMovePiece"));
    auto *cmd = w.findChild<QPushButton *>(QStringLiteral("cmdMovePiece"));
    auto *pane = w.findChild<AnalysisPane *>();
    if (bAnalysis) {
        w.findChild<QAction *>(QStringLiteral("mnuViewAnalysis"))->trigger();
        // The engine started and analysing before the first move.
        if (!QTest::qWaitFor([&] { return pane->Shown().size() > 1; }, 20000))
            std::fprintf(stderr, "no lines from the engine: %s\n", qPrintable(pane->Message()));
    }
    QTest::qWait(1000);
    std::vector<double> oMs;
    for (const char *sMove : Line) {
        txt->setText(QString::fromLatin1(sMove));
        const int nBefore = board->property("renderedSquares").toInt();
        QElapsedTimer oTimer;
        oTimer.start();
        cmd->click();
        while (board->property("renderedSquares").toInt() == nBefore && oTimer.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        oMs.push_back(static_cast<double>(oTimer.nsecsElapsed()) / 1e6);
        QTest::qWait(333);
    }
    std::sort(oMs.begin(), oMs.end());
    Figures o{oMs[oMs.size() / 2], oMs.back(), {}};
    if (bAnalysis)
        o.sShown = pane->Shown().value(0);
    w.findChild<QAction *>(QStringLiteral("mnuViewAnalysis"))->setChecked(false);
    return o;
}

} // namespace

int main(int argc, char **argv) {
    QStandardPaths::setTestModeEnabled(true);
    QApplication oApp(argc, argv);
    QSettings().clear();
    QSettings().setValue(QStringLiteral("engine/threads"), argc > 1 ? std::atoi(argv[1]) : 1);
    QSettings().setValue(QStringLiteral("engine/lines"), argc > 2 ? std::atoi(argv[2]) : 5);
    if (argc > 3)
        QSettings().setValue(QStringLiteral("engine/path"), QString::fromLocal8Bit(argv[3]));
    const Figures oOff = Run(false);
    const Figures oOn = Run(true);
    std::printf("analysis off: median_ms=%.2f max_ms=%.2f\n", oOff.dMedianMs, oOff.dMaxMs);
    std::printf("analysis on (threads=%s lines=%s): median_ms=%.2f max_ms=%.2f last=\"%s\"\n",
                argc > 1 ? argv[1] : "1", argc > 2 ? argv[2] : "5", oOn.dMedianMs, oOn.dMaxMs,
                qPrintable(oOn.sShown));
    QSettings().clear();
    return 0;
}
