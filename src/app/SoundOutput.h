#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

// The speakers, behind a plain interface. Its one implementation (SoundOutputQt.cpp) plays with
// Qt Multimedia and is built as a module of its own, loaded when the first sound is wanted: a
// program with sounds off never loads the audio libraries, which would add about 3 MB and twenty
// libraries to every start.
class SoundOutput : public QObject {
public:
    using QObject::QObject;
    // Starts sound n of the files given at creation and returns at once, whatever the audio
    // system does; silent without an audio device or with one that fails.
    virtual void Play(int n) = 0;
    // The gain of every sound, 0 to 1 (linear amplitude).
    virtual void SetGain(double dGain) = 0;
    // Whether there was an audio output to play on when last asked.
    virtual bool HasDevice() const = 0;
    // For the benchmark, told on the audio thread the sound's number when QSoundEffect::play()
    // has returned, and when the effect reports that it plays.
    enum class Step { Returned, Playing };
    using Observer = std::function<void(int, Step)>;
    virtual void SetObserver(Observer oSeen) = 0;
};

// The module's one export, by this name: the output for these files (paths or qrc: URLs), owned
// by the caller.
using SoundOutputFactory = SoundOutput *(*)(const QStringList &oSources);
inline constexpr char SoundOutputFactoryName[] = "tavlon_create_sound_output";
