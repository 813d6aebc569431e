// Time controls, the clocks on a fake time source, and the flag-fall rule.
#include "Clock.h"
#include "Pgn.h"
#include "TestRules.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

TEST(TimeControl, FormsReadAndWrittenBack) {
    struct Row {
        const char *sForm, *sTag, *sDelay;
        TimeControl::Kind eKind;
        int nLowSeconds;
    };
    using K = TimeControl::Kind;
    for (const Row &r :
         {Row{"-", "-", "", K::None, 0}, Row{"300", "300", "", K::SuddenDeath, 30},
          Row{"180+2", "180+2", "", K::Increment, 18}, Row{"60+0", "60", "", K::SuddenDeath, 10},
          Row{"40/5400+30:1800+30", "40/5400+30:1800+30", "", K::Periods, 60},
          Row{"40/7200:20/3600:900", "40/7200:20/3600:900", "", K::Periods, 60},
          Row{"*60", "*60", "", K::Hourglass, 10}, Row{"300d5", "300", "5", K::Delay, 30}}) {
        const auto o = TimeControl::Parse(r.sForm);
        ASSERT_TRUE(o) << r.sForm;
        EXPECT_EQ(o->TagValue(), r.sTag);
        EXPECT_EQ(o->DelayTagValue(), r.sDelay);
        EXPECT_EQ(o->GetKind(), r.eKind) << r.sForm;
        EXPECT_EQ(o->LowTimeMs(), r.nLowSeconds * 1000) << r.sForm;
        EXPECT_EQ(TimeControl::FromTags(r.sTag, r.sDelay), *o) << r.sForm;
    }
    for (const char *s : {"", "abc", "300+", "0", "1800:40/5400", "*", "*60d5", "300d", "0/60",
                          "40/", "-5", "1.5", "300d0", "+2", "40/5400::1800", "?"}) {
        std::string sError;
        EXPECT_FALSE(TimeControl::Parse(s, &sError)) << s;
        EXPECT_FALSE(sError.empty()) << s;
    }
}

TEST(TimeControl, ClockTexts) {
    const std::pair<std::int64_t, const char *> Display[] = {
        {182'000, "3:02"}, {181'999, "3:01"}, {3'600'000, "1:00:00"}, {3'599'999, "59:59"},
        {10'000, "0:10"},  {9'999, "0:09.9"}, {50, "0:00.0"},         {-5, "0:00.0"}};
    for (const auto &[n, s] : Display)
        EXPECT_EQ(FormatClock(n), s);
    const std::pair<std::int64_t, const char *> Clk[] = {
        {5'400'000, "1:30:00"}, {61'500, "0:01:01"}, {59'940, "0:00:59.9"}, {0, "0:00:00.0"}};
    for (const auto &[n, s] : Clk) {
        EXPECT_EQ(FormatClk(n), s);
        EXPECT_EQ(ParseClk(s), n < 60'000 ? n / 100 * 100 : n / 1000 * 1000);
    }
    EXPECT_EQ(ParseClk("0:00:01.25"), 1250);
    for (const char *s : {"", "1:2:3", "0:60:00", "0:00:00.", "x:00:00", "0:00:00.1234", "0:00"})
        EXPECT_EQ(ParseClk(s), -1) << s;
}

// A script of moves and waits on a fake source: "+N" waits N ms, "m" moves, "u" takes the last
// move back, "p" pauses or resumes, "f" checks the flag has fallen (and stops the clocks).
TEST(Clock, TimeControlsPlayedOut) {
    struct Row {
        const char *sForm, *sScript;
        std::int64_t nWhite, nBlack; // remaining at the end
        const char *sPlies;          // the recorded times, seconds
        int nMovesLeftWhite = 0;
    };
    const Row Rows[] = {
        // The first move is untimed; 3+2 shows 3:02 and each move adds 2 s for the next.
        {"180+2", "+5000 m +4000 m +1000", 183'000, 180'000, "184 180"},
        {"180+2", "m +10000 m +3000 m +2000 m", 183'000, 174'000, "184 174 183 174"},
        {"300", "m +1000 m +2500 m u +700", 299'300, 299'000, "300 299"},
        {"300", "m +300000", 300'000, 0, "300", 0},
        {"300", "m +299999 m +299999 +1 f", 0, 1, "300 0.001"},
        {"300", "m +300000 f m", 300'000, 0, "300"},
        // Pauses stop the running clock; a paused first move still counts nothing.
        {"60", "m +1000 p +50000 p +1000 m", 60'000, 58'000, "60 58"},
        // Hourglass: the mover's time flows to the opponent.
        {"*60", "m +10000 m +4000", 66'000, 54'000, "60 50"},
        {"*60", "m +10000 m +4000 m", 66'000, 54'000, "60 50 66"},
        // Bronstein delay: the time used, at most the delay, comes back.
        {"300d5", "m +3000 m +8000 m", 297'000, 300'000, "300 300 297"},
        // Periods: 2 moves in 60 s, then 30 s for the rest.
        {"2/60:30", "m +10000 m +5000 m +20000 m +1000", 84'000, 60'000, "60 50 85 60", 0},
        {"2/60+1:30+2", "m +10000 m", 62'000, 52'000, "62 52", 1},
        // A repeating last period.
        {"1/10", "m +4000 m +1000 m +2000", 29'000, 14'000, "20 16 29", 1},
        // Undo back to the start stops the clocks again: the first move is untimed.
        {"180+2", "m +5000 m u u +9000", 182'000, 182'000, "", 0},
    };
    for (const Row &r : Rows) {
        SCOPED_TRACE(std::string(r.sForm) + " " + r.sScript);
        std::int64_t nNow = 1'000'000;
        Clock o([&] { return nNow; });
        o.Reset(*TimeControl::Parse(r.sForm), true);
        std::istringstream oIn(r.sScript);
        for (std::string s; oIn >> s;) {
            if (s[0] == '+')
                nNow += std::stoll(s.substr(1));
            else if (s == "m")
                o.MovePlayed();
            else if (s == "u")
                o.Undo();
            else if (s == "p")
                o.SetPaused(!o.Paused());
            else if (s == "f") {
                EXPECT_TRUE(o.FlagFallen());
                EXPECT_EQ(o.MovePlayed(), -1);
            }
        }
        std::string sPlies;
        for (const std::int64_t n : o.PlyTimes()) {
            std::ostringstream oOut;
            oOut << static_cast<double>(n) / 1000;
            sPlies.append(sPlies.empty() ? "" : " ").append(oOut.str());
        }
        EXPECT_EQ(o.Remaining(true), r.nWhite);
        EXPECT_EQ(o.Remaining(false), r.nBlack);
        EXPECT_EQ(sPlies, r.sPlies);
        EXPECT_EQ(o.FlagFallen(), o.Remaining(o.WhiteToMove()) == 0);
        EXPECT_EQ(o.MovesLeft(true), r.nMovesLeftWhite);
        // The record alone rebuilds both clocks, as undo and a loaded game do; with the time
        // used on the move, as a game restored after a crash, the side to move's too.
        Clock oCopy([&] { return nNow; });
        oCopy.Reset(o.Control(), true);
        oCopy.Restore(o.PlyTimes(), true, true);
        oCopy.AddMoveUsed(o.MoveUsed());
        if (!o.Running() || o.Control().bHourglass)
            continue;
        for (const bool bWhite : {true, false})
            EXPECT_EQ(oCopy.Remaining(bWhite), o.Remaining(bWhite));
    }
}

TEST(Clock, FlagFallPositions) {
    struct Row {
        const char *sWhy, *sFen, *sResult;
    };
    using End = clsRules::GameEnd;
    for (const Row &r : {
             Row{"bare king", "8/8/4k3/8/8/8/8/Q3K3 b - - 0 1", "1-0"},
             Row{"out of time against a bare king", "8/8/4k3/8/8/8/8/Q3K3 w - - 0 1", "1/2-1/2"},
             Row{"a knight mates a king with a queen", "8/8/4k3/8/8/8/8/n2QK3 w - - 0 1", "0-1"},
             Row{"a knight mates a king with a pawn", "8/p7/4k3/8/8/8/8/N3K3 b - - 0 1", "1-0"},
             Row{"a bishop mates a king with a blocker", "7k/8/8/8/8/8/7r/B3K3 b - - 0 1", "1-0"},
             Row{"a rook", "8/8/4k3/8/8/8/8/R3K3 b - - 0 1", "1-0"},
             Row{"a pawn", "8/8/4k3/8/8/8/P7/4K3 b - - 0 1", "1-0"},
             Row{"locked pawns, kings only", "8/8/1k6/p1p1p1p1/P1P1P1P1/8/8/4K3 b - - 0 1",
                 "1/2-1/2"},
             Row{"locked pawns, but a bishop", "8/8/1k6/p1p1p1p1/P1P1P1P1/8/8/2B1K3 b - - 0 1",
                 "1-0"},
         }) {
        SCOPED_TRACE(r.sWhy);
        clsRules o;
        o.SetFen(r.sFen);
        ASSERT_TRUE(o.FlagFall());
        EXPECT_EQ(o.Result(), r.sResult);
        EXPECT_EQ(o.EndReason(), o.Result() == "1/2-1/2" ? End::TimeForfeitDraw : End::TimeForfeit);
        EXPECT_FALSE(o.FlagFall()) << "over";
    }
    clsRules o;
    ASSERT_TRUE(PlayMoves(o, "e2e4 e7e5"));
    ASSERT_TRUE(o.FlagFall());
    EXPECT_EQ(o.Result(), "0-1");
    EXPECT_TRUE(o.UndoLastMove()) << "taking back the last move reopens the game";
    EXPECT_FALSE(o.IsGameOver());
}

TEST(Clock, SavedAndReadBack) {
    clsRules o;
    o.SetFen("4k3/8/8/8/8/8/4P3/4K3 b - - 0 1");
    ASSERT_TRUE(PlayMoves(o, "e8d7 e2e4 d7e6 e1e2 e6e5"));
    const int Clocks[] = {300'000, 299'000, 3'600'000, 59'940, 61'500};
    for (std::size_t i = 0; i < 5; ++i)
        o.Record()[i].nClockMs = Clocks[i];
    o.Tags().emplace_back("TimeControl", "300");
    const std::string sText = Pgn::Write(o);
    EXPECT_NE(
        sText.find(
            "[TimeControl \"300\"]\n\n1... Kd7 {[%clk 0:05:00]} 2. e4 {[%clk 0:04:59]} "
            "2... Ke6 {[%clk 1:00:00]}\n3. Ke2 {[%clk 0:00:59.9]} 3... Ke5 {[%clk 0:01:01]} *"),
        std::string::npos)
        << sText;
    const auto Read = [](const std::string &sPgn) {
        clsRules oRead;
        Pgn::Load(oRead, sPgn);
        std::vector<std::int64_t> oClocks;
        for (const auto &oPly : oRead.Record())
            oClocks.push_back(oPly.nClockMs);
        return oClocks;
    };
    EXPECT_EQ(Read(sText),
              (std::vector<std::int64_t>{300'000, 299'000, 3'600'000, 59'900, 61'000}));
    // Another program's file: comments, variations, annotation glyphs, numbers glued to moves.
    // Read as the export format keeps clocks: seconds from a minute, tenths below it.
    EXPECT_EQ(Read("1.e4 {[%clk 0:03:02]} 1...c5 $1 {book} (1...e5 {[%clk 0:00:01]} 2.Nf3) 2. "
                   "Nf3 ; [%clk 9:00:00]\n{[%eval 0.3] [%clk 0:02:58.5]} d6 {[%clk 600:00:00]} *"),
              (std::vector<std::int64_t>{182'000, -1, 178'000, 2'160'000'000}));
}

} // namespace
