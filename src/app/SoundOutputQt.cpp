// The sound module: the only part of the program that links Qt Multimedia. The effects live on
// a thread of their own, so that the window never waits for the sound server: starting a sound
// is a round trip to it (about a millisecond, much longer when the machine is busy), and a
// server that hangs would hang whatever thread asked.
#include "SoundOutput.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <atomic>
#include <memory>
#include <vector>

namespace {

// Everything on the audio thread.
class Player : public QObject {
public:
    Player(const QStringList &oFiles, std::shared_ptr<std::atomic<bool>> pDeviceSeen)
        : oSources(oFiles), pDevice(std::move(pDeviceSeen)) {}

    // Without an audio device nothing is loaded: a sample would only wait for a device that
    // may never come (and Qt leaves such samples behind at exit). One that appears later is
    // used from its first sound on.
    void Load() {
        *pDevice = !QMediaDevices::defaultAudioOutput().isNull();
        if (*pDevice)
            LoadSamples();
    }

    void LoadSamples() {
        if (!oSounds.empty())
            return;
        for (const QString &sSource : oSources) {
            // Never played: it loads the file once and keeps the decoded sample in Qt's cache,
            // so that every effect made for a sound finds it ready.
            auto *keep = new QSoundEffect(this);
            keep->setSource(QUrl(sSource));
            // Long enough for the sound and the audio system's buffers.
            const qint64 nBytes = QFile(QUrl(sSource).path().prepend(QLatin1Char(':'))).size();
            oSounds.push_back({keep, nBytes > 44 ? static_cast<int>(nBytes / 88) + 1000 : 5000});
        }
    }

    void Play(int n, float fGain, const SoundOutput::Observer &oObserver) {
        *pDevice = !QMediaDevices::defaultAudioOutput().isNull();
        if (!*pDevice)
            return; // without a device a sink would only be made to fail
        LoadSamples();
        if (n < 0 || n >= static_cast<int>(oSounds.size()))
            return;
        // A new effect for every sound: under Qt 6.4 and PulseAudio an effect played again falls
        // silent after a few plays, and stays "playing" for good.
        const Sound &o = oSounds[static_cast<std::size_t>(n)];
        auto *effect = new QSoundEffect(this);
        effect->setVolume(fGain);
        if (oObserver)
            connect(effect, &QSoundEffect::playingChanged, this, [effect, n, oObserver] {
                if (effect->isPlaying())
                    oObserver(n, SoundOutput::Step::Playing);
            });
        effect->setSource(o.keep->source());
        effect->play();
        if (oObserver)
            oObserver(n, SoundOutput::Step::Returned);
        QTimer::singleShot(o.nLifeMs, effect, &QObject::deleteLater);
    }

    // The last thing on the audio thread: the effects end there, as they must, and so do the
    // sinks their destructors leave for deletion; then the thread ends.
    void End() {
        qDeleteAll(findChildren<QSoundEffect *>(Qt::FindDirectChildrenOnly));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::currentThread()->quit();
    }

private:
    struct Sound {
        QSoundEffect *keep;
        int nLifeMs;
    };
    const QStringList oSources;
    // Shared, as the thread may outlive the output (see its destructor).
    std::shared_ptr<std::atomic<bool>> pDevice;
    std::vector<Sound> oSounds;
};

class QtSoundOutput final : public SoundOutput {
public:
    explicit QtSoundOutput(const QStringList &oSources) : pPlayer(new Player(oSources, pDevice)) {
        pThread->setObjectName(QStringLiteral("tavlon sounds"));
        pPlayer->moveToThread(pThread);
        pThread->start();
        QMetaObject::invokeMethod(pPlayer, [p = pPlayer] { p->Load(); });
    }
    ~QtSoundOutput() override {
        QMetaObject::invokeMethod(pPlayer, [p = pPlayer] { p->End(); });
        // A sound server that hangs must not hang the window as it closes: the thread is then
        // left to the end of the process.
        if (pThread->wait(QDeadlineTimer(2000))) {
            delete pPlayer;
            delete pThread;
        }
    }

    void Play(int n) override {
        QMetaObject::invokeMethod(
            pPlayer, [p = pPlayer, n, f = fGain.load(), o = oObserver] { p->Play(n, f, o); });
    }
    void SetGain(double dGain) override { fGain = static_cast<float>(dGain); }
    bool HasDevice() const override { return *pDevice; }
    void SetObserver(Observer oSeen) override { oObserver = std::move(oSeen); }

private:
    std::shared_ptr<std::atomic<bool>> pDevice = std::make_shared<std::atomic<bool>>(false);
    std::atomic<float> fGain{1.0F};
    Observer oObserver;
    QThread *pThread = new QThread;
    Player *pPlayer;
};

} // namespace

extern "C" Q_DECL_EXPORT SoundOutput *tavlon_create_sound_output(const QStringList &oSources) {
    return new QtSoundOutput(oSources);
}
