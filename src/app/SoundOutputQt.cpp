// The sound module: the only part of the program that links Qt Multimedia. Each sound is a
// QSoundEffect made once, when the module is loaded, so that a move only starts one.
#include "SoundOutput.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <vector>

namespace {

class QtSoundOutput final : public SoundOutput {
public:
    explicit QtSoundOutput(const QStringList &oSources) {
        for (const QString &sSource : oSources) {
            auto *effect = new QSoundEffect(this);
            effect->setSource(QUrl(sSource));
            oEffects.push_back(effect);
        }
    }

    void Play(int n) override {
        if (n < 0 || n >= static_cast<int>(oEffects.size()) || !HasDevice())
            return; // without a device a sink would only be made to fail
        oEffects[static_cast<std::size_t>(n)]->play();
    }

    void SetGain(double dGain) override {
        for (QSoundEffect *effect : oEffects)
            effect->setVolume(static_cast<float>(dGain));
    }

    bool HasDevice() const override { return !QMediaDevices::defaultAudioOutput().isNull(); }

private:
    std::vector<QSoundEffect *> oEffects;
};

} // namespace

extern "C" Q_DECL_EXPORT SoundOutput *tavlon_create_sound_output(const QStringList &oSources) {
    return new QtSoundOutput(oSources);
}
