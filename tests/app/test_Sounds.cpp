// The sounds: which one each event of a game plays, the low-time steps, the files as made, and
// View > Sounds in the window, with a recorder in place of the speakers and with the real
// speakers on a machine without an audio device.
#include "MainWindowTest.h"
#include "SoundOutput.h"
#include "Sounds.h"

#include <QDir>
#include <QtEndian>
#include <cmath>
#include <map>

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

// A board whose sounds are on and recorded.
struct SoundingBoard {
    Board board;
    Sounds sounds{&board, nullptr};
    Recorder played;
    SoundingBoard() { sounds.SetEnabled(true), played.Install(&sounds); }
};

struct EventCase {
    const char *sName;
    const char *sFen; // empty: the starting position
    const char *sSteps;
    const char *sSounds;
};

// Steps: a move in SAN, or flag, undo, view0, load (a finished game), new, or cancel (a promotion,
// taken back when the piece is asked for).
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
    {"review, undo, loading, a new game", "", "e4 view0 undo load new", "move"},
    {"a promotion taken back", "k7/4P3/8/8/8/8/8/4K3 w - - 0 1", "cancel", ""},
};

TEST(Sounds, EachEventOfAGamePlaysOneSound) {
    for (const EventCase &c : EventCases) {
        SoundingBoard o;
        Board &board = o.board;
        bool bCancel = false;
        QObject::connect(&board, &Board::PawnPromotion, &board, [&](bool bWhite) {
            bCancel ? board.CancelPromotion() : board.PromotionChoice(bWhite ? 7 : 1);
        });
        const std::map<QString, std::function<bool()>> Steps = {
            {"flag", [&] { return board.FlagFall(); }},
            {"undo", [&] { return board.UndoLastMove(); }},
            {"view0", [&] { return board.ViewPly(0); }},
            {"load", [&] { return board.LoadPgn("1. f3 e5 2. g4 Qh4# 0-1"); }},
            {"new", [&] { return board.NewGame(), true; }},
            {"cancel", [&] { return bCancel = true, !board.MovePiece("e7", "e8"); }}};
        EXPECT_TRUE(*c.sFen == '\0' || board.SetFen(c.sFen)) << c.sName;
        for (const QString &sStep : QString(c.sSteps).split(' ')) {
            const auto it = Steps.find(sStep);
            EXPECT_TRUE(it != Steps.end() ? it->second() : board.MovePieceSan(sStep))
                << c.sName << ": " << sStep.toStdString();
        }
        EXPECT_EQ(o.played.Take(), c.sSounds) << c.sName;
    }
}

struct ClockCase {
    const char *sName;
    // Each step a clock shown: W or B for the side to move's, w or b for the other (or one not
    // running), then its milliseconds. The low-time mark is 18 s.
    const char *sSteps;
    const char *sSounds;
};

const ClockCase ClockCases[] = {
    {"the mark once, then each second under five",
     "W20000 W17999 W12000 W5000 W4999 W4001 W3999 W999 W0", "low,low,low,low"},
    {"only the side to move", "b17000 b4000 B3999", "low"},
    {"time given back: the seconds again, not the mark", "W17000 W4500 w6000 W4999 w30000 W17000",
     "low,low,low"},
};

TEST(Sounds, LowTimeSoundsForTheSideToMoveAtEachStep) {
    for (const ClockCase &c : ClockCases) {
        SoundingBoard o;
        for (const QString &sStep : QString(c.sSteps).split(' ')) {
            o.sounds.ClockShown(sStep[0].toLower() == 'w', sStep.mid(1).toLongLong(), 18000,
                                sStep[0].isUpper());
        }
        EXPECT_EQ(o.played.Take(), c.sSounds) << c.sName;
    }
}

// The files as the program reads them: 16-bit PCM mono at 44.1 or 48 kHz, sounding from their
// first 2 ms, short but for the end, of even loudness and never clipped.
TEST(Sounds, TheFilesStartAtOnceAtAnEvenLevelUnclipped) {
    SoundingBoard module;
    ASSERT_NE(module.sounds.Output(), nullptr) << "the sound module, which holds the files";
    const QStringList oFiles = QDir(":/tavlon/sounds").entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(oFiles.size(), 6);
    std::vector<double> oPeakDb;
    for (const QString &sName : oFiles) {
        const QByteArray o = Read(":/tavlon/sounds/" + sName);
        const auto At = [&o](int i) { return qFromLittleEndian<quint32>(o.constData() + i); };
        const quint32 nRate = At(24);
        ASSERT_EQ(o.left(4) + o.mid(8, 8) + o.mid(36, 4), "RIFFWAVEfmt data");
        EXPECT_TRUE(At(20) == 0x10001U && (nRate == 44100 || nRate == 48000) &&
                    At(32) == 0x100002U && At(40) + 44 == static_cast<quint32>(o.size()))
            << sName.toStdString() << ": PCM, mono, 16 bits at " << nRate;
        const auto *p = reinterpret_cast<const qint16 *>(o.constData() + 44);
        std::vector<int> s(static_cast<std::size_t>(o.size() - 44) / 2); // levels, signs dropped
        std::transform(p, p + s.size(), s.begin(), [](qint16 v) { return std::abs(int(v)); });
        EXPECT_LT(1000.0 * static_cast<double>(s.size()) / nRate,
                  sName == "game-end.wav" ? 2000 : 400)
            << sName.toStdString();
        const auto nFirst = std::ranges::find_if(s, [](int v) { return v > 327; });
        EXPECT_LT(1000.0 * static_cast<double>(nFirst - s.begin()) / nRate, 2.0)
            << sName.toStdString() << ": silence before the first sample above -40 dBFS";
        const int nPeak = *std::max_element(s.begin(), s.end());
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
    EXPECT_EQ(Find<Sounds>("oSounds")->LoadedOutput(), nullptr) << "nothing loaded";
    Key(Qt::Key_M);
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
    Answerer answerer({"OK"});
    nNow += 10000;
    EXPECT_TRUE(Heard("move,low,end"));
    EXPECT_EQ(answerer.seen, QStringList{"Tavlon:Black ran out of time: White wins"});
}

// The real speakers on a machine without a sound device, as tests and CI run: the move is played
// at once, nothing is shown, and every sound can be asked for.
TEST_F(MainWindow, WithoutADeviceAMovePlaysAtOnceAndNothingIsShown) {
    Key(Qt::Key_M);
    Type("e4");
    EXPECT_EQ(Lists(), "1. e2-e4|");
    auto *sounds = Find<Sounds>("oSounds");
    ASSERT_TRUE(QTest::qWaitFor([sounds] { return sounds->LoadedOutput() != nullptr; }))
        << "the sound module is built beside the program";
    SoundOutput *pOutput = sounds->LoadedOutput();
    pOutput->Play(int(Sound::GameEnd));
    QTest::qWait(100); // whatever the audio system answers arrives meanwhile
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
