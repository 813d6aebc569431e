// The sounds: which one each event of a game plays, the low-time steps, the files as made, and
// View > Sounds in the window, with a recorder in place of the speakers and with the real
// speakers on a machine without an audio device.
#include "MainWindowTest.h"
#include "SoundOutput.h"
#include "Sounds.h"

#include <QDataStream>
#include <QDir>
#include <cmath>

namespace {

const char *const Names[] = {"move", "capture", "castle", "check", "end", "low"};

// The sounds played, in order: "move,check". A sound played after a box of pBoxes has been seen
// is marked "!".
struct Recorder {
    std::string s;
    const QStringList *pBoxes = nullptr;
    void Install(Sounds *sounds) {
        sounds->setPlayer([this](Sound e) {
            if (!s.empty())
                s += ',';
            s += Names[static_cast<int>(e)];
            if (pBoxes != nullptr && !pBoxes->isEmpty())
                s += '!';
        });
    }
    std::string Take() { return std::exchange(s, {}); }
};

struct EventCase {
    const char *sName;
    const char *sFen; // empty: the starting position
    const char *sSteps;
    const char *sSounds;
};

// Steps: a move in SAN, or flag, resign, undo, view0, load (a finished game), new, fen, or
// cancel (a promotion, taken back when the piece is asked for).
const EventCase EventCases[] = {
    {"a move", "", "e4", "move"},
    {"a capture", "", "e4 d5 exd5", "move,move,capture"},
    {"White castles short", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "O-O", "castle"},
    {"Black castles long", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "O-O-O", "castle"},
    {"en passant", "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "exd6", "capture"},
    {"promotion with a capture", "1n6/P7/8/7k/8/8/8/4K3 w - - 0 1", "axb8=Q", "capture"},
    {"a check over the capture", "4k3/8/8/4p3/8/8/8/4R1K1 w - - 0 1", "Rxe5+", "check"},
    {"a check over the castling", "5k2/8/8/8/8/8/8/4K2R w K - 0 1", "O-O+", "check"},
    {"mate: the end alone", "", "f3 e5 g4 Qh4#", "move,move,move,end"},
    {"stalemate", "k7/8/8/2Q5/8/8/8/7K w - - 0 1", "Qc7", "end"},
    {"a capture that leaves no mating material", "4k3/8/8/8/8/8/3p4/4K3 w - - 0 1", "Kxd2", "end"},
    {"a flag falls", "", "e4 flag", "move,end"},
    {"a resignation", "", "resign", "end"},
    {"review, undo, loading, a new game, a position", "", "e4 view0 undo load new fen", "move"},
    {"a promotion taken back", "k7/4P3/8/8/8/8/8/4K3 w - - 0 1", "cancel", ""},
};

TEST(Sounds, EachEventOfAGamePlaysOneSound) {
    for (const EventCase &c : EventCases) {
        Board board;
        Sounds sounds(&board, nullptr);
        sounds.SetEnabled(true);
        Recorder played;
        played.Install(&sounds);
        bool bCancel = false;
        QObject::connect(&board, &Board::PawnPromotion, &board, [&](bool bWhite) {
            bCancel ? board.CancelPromotion() : board.PromotionChoice(bWhite ? 7 : 1);
        });
        if (*c.sFen != '\0') {
            ASSERT_TRUE(board.SetFen(c.sFen)) << c.sName;
        }
        for (const QString &sStep : QString(c.sSteps).split(' ', Qt::SkipEmptyParts)) {
            bool bDone = true;
            if (sStep == "flag")
                bDone = board.FlagFall();
            else if (sStep == "resign")
                bDone = board.Resign();
            else if (sStep == "undo")
                bDone = board.UndoLastMove();
            else if (sStep == "view0")
                bDone = board.ViewPly(0);
            else if (sStep == "load")
                bDone = board.LoadPgn("1. f3 e5 2. g4 Qh4# 0-1");
            else if (sStep == "new")
                board.NewGame();
            else if (sStep == "fen")
                bDone = board.SetFen("4k3/8/8/8/8/8/8/4K2R w K - 0 1");
            else if (sStep == "cancel")
                bCancel = true, board.MovePiece("e7", "e8");
            else
                bDone = board.MovePieceSan(sStep);
            EXPECT_TRUE(bDone) << c.sName << ": " << sStep.toStdString();
        }
        EXPECT_EQ(played.Take(), c.sSounds) << c.sName;
    }
}

TEST(Sounds, NothingPlaysWhileTheSoundsAreOff) {
    Board board;
    Sounds sounds(&board, nullptr);
    Recorder played;
    played.Install(&sounds);
    board.MovePieceSan("f3"), board.MovePieceSan("e5"), board.MovePieceSan("g4");
    board.MovePieceSan("Qh4#");
    sounds.ClockShown(true, 3000, 10000, true);
    EXPECT_EQ(played.Take(), "");
    EXPECT_EQ(sounds.findChild<SoundOutput *>(), nullptr) << "no audio loaded while off";
}

struct ClockCase {
    const char *sName;
    // Each step a clock shown: W or B for the side to move's, w or b for the other (or one not
    // running), then its milliseconds; "reset" for new clocks. The low-time mark is 18 s.
    const char *sSteps;
    const char *sSounds;
};

const ClockCase ClockCases[] = {
    {"the mark once, then each second under five",
     "W20000 W17999 W12000 W5000 W4999 W4001 W3999 W999 W0", "low,low,low,low"},
    {"only the side to move", "b17000 b4000 B3999", "low"},
    {"time given back: the seconds again, not the mark", "W17000 W4500 w6000 W4999 w30000 W17000",
     "low,low,low"},
    {"new clocks: the mark again", "W17000 reset W30000 W17000", "low,low"},
};

TEST(Sounds, LowTimeSoundsForTheSideToMoveAtEachStep) {
    for (const ClockCase &c : ClockCases) {
        Board board;
        Sounds sounds(&board, nullptr);
        sounds.SetEnabled(true);
        Recorder played;
        played.Install(&sounds);
        for (const QString &sStep : QString(c.sSteps).split(' ')) {
            if (sStep == "reset")
                sounds.ClocksReset();
            else
                sounds.ClockShown(sStep[0].toLower() == 'w', sStep.mid(1).toLongLong(), 18000,
                                  sStep[0].isUpper());
        }
        EXPECT_EQ(played.Take(), c.sSounds) << c.sName;
    }
}

// The files as the program reads them: 16-bit PCM mono at 44.1 or 48 kHz, sounding from their
// first 2 ms, short but for the end, of even loudness and never clipped.
TEST(Sounds, TheFilesStartAtOnceAtAnEvenLevelUnclipped) {
    const QStringList oFiles = QDir(":/tavlon/sounds").entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(oFiles, QStringList({"capture.wav", "castle.wav", "check.wav", "game-end.wav",
                                   "low-time.wav", "move.wav"}));
    std::vector<double> oPeakDb;
    for (const QString &sName : oFiles) {
        const QByteArray o = Read(":/tavlon/sounds/" + sName);
        QDataStream in(o);
        in.setByteOrder(QDataStream::LittleEndian);
        char sTag[4];
        quint32 nSize = 0, nRate = 0, nByteRate = 0, nData = 0;
        quint16 nFormat = 0, nChannels = 0, nAlign = 0, nBits = 0;
        in.readRawData(sTag, 4);
        in >> nSize;
        ASSERT_EQ(QByteArray(sTag, 4) + o.mid(8, 8), "RIFFWAVEfmt ") << sName.toStdString();
        in.skipRawData(8);
        in >> nSize >> nFormat >> nChannels >> nRate >> nByteRate >> nAlign >> nBits;
        in.readRawData(sTag, 4);
        in >> nData;
        ASSERT_EQ(QByteArray(sTag, 4), "data") << sName.toStdString();
        EXPECT_TRUE(nFormat == 1 && nChannels == 1 && nBits == 16 && nAlign == 2 &&
                    (nRate == 44100 || nRate == 48000) && nByteRate == nRate * 2)
            << sName.toStdString();
        ASSERT_EQ(nData, o.size() - 44) << sName.toStdString();
        std::vector<qint16> s(nData / 2);
        for (qint16 &v : s)
            in >> v;
        const double dMs = 1000.0 * static_cast<double>(s.size()) / nRate;
        EXPECT_LT(dMs, sName == "game-end.wav" ? 2000 : 400) << sName.toStdString();
        const auto nFirst = std::ranges::find_if(s, [](qint16 v) { return std::abs(v) > 327; });
        EXPECT_LT(1000.0 * static_cast<double>(nFirst - s.begin()) / nRate, 2.0)
            << sName.toStdString() << ": silence before the first sample above -40 dBFS";
        int nPeak = 0;
        for (const qint16 v : s)
            nPeak = std::max(nPeak, std::abs(int(v)));
        EXPECT_LT(nPeak, 32767) << sName.toStdString() << " clips";
        oPeakDb.push_back(20 * std::log10(nPeak / 32768.0));
    }
    const auto [nMin, nMax] = std::minmax_element(oPeakDb.begin(), oPeakDb.end());
    EXPECT_LE(*nMax - *nMin, 3.0) << "peaks within 3 dB of each other";
}

// The window with a recorder in place of the speakers.
class SoundWindow : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        played.Install(Find<Sounds>("oSounds"));
    }
    Recorder played;
};

TEST_F(SoundWindow, ViewSoundsPlaysMovesBeforeTheirBoxesAndIsRemembered) {
    Type("e4");
    EXPECT_EQ(played.Take(), "") << "off unless turned on";
    Key(Qt::Key_M);
    EXPECT_TRUE(Find<QAction>("mnuSounds")->isChecked());
    EXPECT_TRUE(QSettings().value("view/sounds").toBool());
    Answerer answerer({"OK"});
    played.pBoxes = &answerer.seen;
    for (const char *sMove : {"f6", "d4", "g5", "Qh5#"})
        Type(sMove);
    EXPECT_EQ(played.Take(), "move,move,move,end") << "the mate's chord before its box";
    EXPECT_EQ(answerer.seen, QStringList{"Tavlon:Black checkmated"});
    played.pBoxes = nullptr;
    // Looking back, taking back and opening a game are silent.
    Key(Qt::Key_Left, Qt::AltModifier);
    Key(Qt::Key_End, Qt::AltModifier);
    Key(Qt::Key_U);
    sOpenAnswer = Write("game.pgn", "1. e4 e5 2. Qh5 Nc6 3. Bc4 Nf6 4. Qxf7# 1-0");
    Answerer discard({"Discard"});
    Key(Qt::Key_O);
    EXPECT_EQ(Lists(), "1. e2-e4,2. d1-h5,3. f1-c4,4. h5-f7|1... e7-e5,2... b8-c6,3... g8-f6");
    EXPECT_EQ(played.Take(), "");
    // A chosen volume is remembered and heard at once.
    Find<QAction>("mnuSoundVolume50")->trigger();
    EXPECT_EQ(QSettings().value("view/soundVolume").toInt(), 50);
    EXPECT_EQ(played.Take(), "move");
    Key(Qt::Key_M);
    EXPECT_FALSE(QSettings().value("view/sounds").toBool());
}

TEST_F(SoundWindow, TheSideToMovesLowTimeAndItsFlagFall) {
    qint64 nNow = 1000;
    w.setClockSource([&nNow] { return nNow; });
    w.SetRunTimeControl("20"); // low time from 10 s
    Key(Qt::Key_M);
    Type("e4"); // Black's clock runs from here
    const auto Heard = [this](const char *s) {
        return QTest::qWaitFor([&] { return played.s.ends_with(s); }, 2000);
    };
    nNow += 10500;
    EXPECT_TRUE(Heard("move,low"));
    nNow += 5000;
    EXPECT_TRUE(Heard("move,low,low"));
    Answerer answerer({"OK"});
    nNow += 5000;
    EXPECT_TRUE(Heard("move,low,low,end"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !answerer.seen.isEmpty(); }));
    EXPECT_EQ(answerer.seen, QStringList{"Tavlon:Black ran out of time: White wins"});
}

// The real speakers on a machine without a sound device, as tests and CI run: the move is played
// at once, nothing is shown, and every sound can be asked for.
TEST_F(MainWindow, WithoutADeviceAMovePlaysAtOnceAndNothingIsShown) {
    Key(Qt::Key_M);
    Type("e4");
    EXPECT_EQ(Lists(), "1. e2-e4|");
    auto *pOutput = Find<Sounds>("oSounds")->findChild<SoundOutput *>();
    ASSERT_NE(pOutput, nullptr) << "the sound module is built beside the program";
    for (int n = -1; n <= 6; ++n)
        pOutput->Play(n);
    QTest::qWait(100); // whatever the audio system answers arrives meanwhile
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    Type("e5");
    EXPECT_EQ(Lists(), "1. e2-e4|1... e7-e5");
}

} // namespace
