// The sounds' delay: the window with View > Sounds on plays moves a third of a second apart and
// prints, from the call that plays each move, how long until that call has returned (the whole
// move in the window, its sound asked for), until QSoundEffect::play() has returned on the audio
// thread and until the effect reports playing; then each file's leading silence. With a sound
// server (PulseAudio, a null sink will do) it also prints the Unix time of each play() in
// microseconds, one "play_epoch_us=" line each, for a recording of the sink's monitor to be matched
// against. Usage: tavlon_sounds_bench [moves]   (target: both delays under 10 ms)
#include "SoundOutput.h"
#include "Sounds.h"
#include "frmMain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <tavlon/Board.h>
#include <vector>

namespace {

qint64 EpochUs() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

void Print(const char *sWhat, std::vector<qint64> o) {
    if (o.empty()) {
        std::printf("%s: none\n", sWhat);
        return;
    }
    if (qEnvironmentVariableIsSet("TAVLON_BENCH_ALL"))
        for (const qint64 n : o)
            std::printf("  %s %.3f\n", sWhat, n / 1e6);
    std::ranges::sort(o);
    std::printf("%s: median %.3f ms, max %.3f ms over %zu\n", sWhat, o[o.size() / 2] / 1e6,
                o.back() / 1e6, o.size());
}

// Samples before the first one above -40 dBFS, in a 44-byte-header PCM file.
void PrintLeadingSilence() {
    for (const QString &sName : QDir(":/tavlon/sounds").entryList(QDir::Files, QDir::Name)) {
        QFile oFile(":/tavlon/sounds/" + sName);
        oFile.open(QIODevice::ReadOnly);
        const QByteArray o = oFile.readAll();
        const auto *p = reinterpret_cast<const qint16 *>(o.constData() + 44);
        const qsizetype nSamples = (o.size() - 44) / 2;
        qsizetype n = 0;
        while (n < nSamples && std::abs(p[n]) <= 327)
            ++n;
        std::printf("leading_silence %s: %lld samples (%.3f ms)\n", qPrintable(sName),
                    static_cast<long long>(n), 1000.0 * static_cast<double>(n) / 44100);
    }
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
    QSettings().setValue(QStringLiteral("view/sounds"), true);
    const int nMoves = argc > 1 ? std::max(2, std::atoi(argv[1])) : 40;

    frmMain w;
    w.show();
    auto *board = w.findChild<Board *>(QStringLiteral("Board1"));
    auto *sounds = w.findChild<Sounds *>(QStringLiteral("oSounds"));
    // The first sound of a run: the move returns at once, and the sound plays once the module
    // has been read on its thread.
    QElapsedTimer oLoad;
    oLoad.start();
    board->MovePiece(QStringLiteral("e2"), QStringLiteral("e4"));
    const qint64 nFirstMove = oLoad.nsecsElapsed();
    QEventLoop oWait;
    QTimer oPoll;
    QObject::connect(&oPoll, &QTimer::timeout, [&] {
        if (sounds->LoadedOutput() != nullptr)
            oWait.quit();
    });
    oPoll.start(0);
    QTimer::singleShot(5000, &oWait, &QEventLoop::quit);
    oWait.exec();
    SoundOutput *pOutput = sounds->LoadedOutput();
    std::printf("first_move_in_window: %.3f ms; its sound started after %.3f ms (the module read "
                "meanwhile)\n",
                nFirstMove / 1e6, oLoad.nsecsElapsed() / 1e6);
    if (pOutput == nullptr)
        return 1;
    QTest::qWait(1000); // the audio thread reads the files meanwhile
    std::printf("audio device: %s\n", pOutput->HasDevice() ? "present" : "absent");
    QElapsedTimer oClock;
    oClock.start();
    std::atomic<qint64> nMoveStart = 0;
    std::mutex oLock; // the observer runs on the audio thread
    std::vector<qint64> oReturned, oPlaying, oEpoch;
    pOutput->SetObserver([&](int, SoundOutput::Step e) {
        const qint64 n = oClock.nsecsElapsed() - nMoveStart;
        const std::scoped_lock oGuard(oLock);
        (e == SoundOutput::Step::Returned ? oReturned : oPlaying).push_back(n);
        if (e == SoundOutput::Step::Returned)
            oEpoch.push_back(EpochUs());
    });
    // Knights out and back, a new game before a repetition could end it: every move a plain one.
    std::vector<qint64> oWindow; // the whole move as the window's thread spent it, sound included
    const char *const Line[] = {"g1f3", "g8f6", "f3g1", "f6g8"};
    for (int i = 0; i < nMoves; ++i) {
        if (i % 4 == 0)
            board->NewGame();
        const QString sMove = QString::fromLatin1(Line[i % 4]);
        nMoveStart = oClock.nsecsElapsed();
        board->MovePiece(sMove.left(2), sMove.mid(2));
        oWindow.push_back(oClock.nsecsElapsed() - nMoveStart);
        QTest::qWait(330); // a third of a second, as a quick player's moves
    }
    const std::scoped_lock oGuard(oLock);
    Print("move_in_window", oWindow);
    Print("move_to_play_returned", oReturned);
    Print("move_to_effect_playing", oPlaying);
    for (const qint64 n : oEpoch)
        std::printf("play_epoch_us=%lld\n", static_cast<long long>(n));
    PrintLeadingSilence();
    return 0;
}
