// The clock panel alone, on a bare board and a fake time source: what the clocks show and what
// they ask of the window as moves, pauses, undos, loads and a flag's fall come.
#include "ClockPanel.h"
#include "ClockWidget.h"
#include "MainWindowTest.h"
#include "Sounds.h"

namespace {

struct Panel : TemporarySettings {
    QWidget client;
    Board *board = new Board(&client);
    Sounds sounds{board, nullptr};
    QStringList log; // what the window was asked, in order
    qint64 nNow = 1000;
    ClockPanel panel{&client, board, &sounds, Host(), nullptr};

    Panel() {
        QObject::connect(board, &Board::GameOver, &panel, [this] { panel.GameOver(); });
        panel.SetSource([this] { return nNow; });
        panel.SetRunTimeControl("180+2");
        log.clear();
    }
    ClockPanel::Host Host() {
        ClockPanel::Host o;
        o.fnExec = [](QDialog *) { return std::nullopt; };
        o.fnStatus = [this](const QString &s) { log << "status " + s; };
        o.fnFlagFall = [this] {
            log << "fall";
            return board->FlagFall();
        };
        o.fnLayOut = [this](int nGrow) {
            if (nGrow != 0)
                log << "grow " + QString::number(nGrow);
        };
        o.fnLateMove = [this](int nPly) { log << "late " + QString::number(nPly); };
        o.fnKeep = [this] { log << "keep"; };
        return o;
    }
    // Steps apart by spaces: a move in SAN, "+ms" of time passing, "tick", "pause", "undo" (as
    // the window does it), "load:<PGN with _ for spaces>", and "crash": the game read back as
    // recovery restores it, with the kept time used on the move.
    void Run(const QString &sSteps) {
        for (const QString &s : sSteps.split(' ', Qt::SkipEmptyParts)) {
            if (s.startsWith('+')) {
                nNow += s.toLongLong();
            } else if (s == "tick") {
                panel.Tick();
            } else if (s == "pause") {
                panel.findChild<QAction *>("mnuPauseClocks")->trigger();
            } else if (s == "undo") {
                if (!panel.Refuse() && board->UndoLastMove())
                    panel.Undone();
            } else if (s.startsWith("load:") || s == "crash") {
                const QByteArray oKept = panel.RecoveryLine();
                panel.Loading();
                board->LoadPgn(s == "crash" ? board->Pgn() : s.mid(5).replace('_', ' '));
                panel.Replaced();
                if (s == "crash")
                    panel.Recovered(oKept);
            } else {
                EXPECT_TRUE(board->MovePieceSan(s)) << s.toStdString();
            }
        }
    }
    // Both clocks, White's first, a star on the running one ("3:04*|2:59"; "-" when hidden),
    // then what the window was asked.
    std::string Shown() {
        QStringList s;
        for (const char *sName : {"clkWhite", "clkBlack"}) {
            auto *clk = client.findChild<ClockWidget *>(sName);
            s << (clk->isHidden() ? "-" : clk->Time() + (clk->IsRunning() ? "*" : ""));
        }
        return (s.join('|') + (log.isEmpty() ? "" : " / " + log.join(" / "))).toStdString();
    }
};

TEST(ClockPanel, ShownAndAskedAsTheGameGoes) {
    const std::pair<const char *, const char *> rows[] = {
        {"", "3:02|3:02"}, // nothing runs before the first move
        {"e4 +5000 e5", "3:04*|2:59"},
        {"e4 +5000 e5 pause +60000 undo",
         "3:04|2:59 / keep / status The clocks are paused / status The clocks are paused: Pause "
         "Clocks (Ctrl+P) starts them again"},
        {"e4 +5000 e5 pause pause +1500 undo",
         "3:04|3:02* / keep / status The clocks are paused / keep / status The clocks run again"},
        {"pause", "3:02|3:02 / status No clock is running"},
        // The running clock is kept every ten seconds, and on no other tick.
        {"e4 +25000 tick +5000 tick +5000 tick", "3:04|2:27* / keep / keep"},
        {"e4 +182000 tick", "3:04|0:00.0 / fall"},
        {"e4 +182000 tick undo", "3:02|3:02 / fall"},
        {"e4 +182000 e5", "3:04|3:02* / late 2"},
        // Read in: paused at its clock times; without them, untimed.
        {"load:[TimeControl_\"180+2\"]_1._e4_{[%clk_0:03:04]}_e5_{[%clk_0:02:59]}_*", "3:04|2:59"},
        {"load:1._d4_d5_*", "-|- / grow -48"},
        // A crash gives back none of the time used on the move.
        {"e4 +5000 e5 +25000 crash", "2:39|2:59"},
    };
    for (const auto &[sSteps, sShown] : rows) {
        Panel o;
        QCoreApplication::processEvents(); // the run's control is for a game opened at start only
        o.Run(sSteps);
        EXPECT_EQ(o.Shown(), sShown) << sSteps;
    }
}

} // namespace
