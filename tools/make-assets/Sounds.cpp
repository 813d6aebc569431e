// The sounds are built from two ingredients: a struck body (a few inharmonic partials that decay
// exponentially, pitched a little high at the strike as a knocked piece of wood is) and a short
// click of filtered noise for the impact. Every sound starts at its first sample, so it is heard
// with the move and not after it; each is scaled to a set peak, so they are about as loud as one
// another, and faded out at the end, so none stops with a click.
#include "Sounds.h"

#include <QDataStream>
#include <QIODevice>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <numbers>

namespace {

constexpr int Rate = 44100;
constexpr double TwoPi = 2.0 * std::numbers::pi;

using Samples = std::vector<double>;

std::size_t At(double dMs) {
    return static_cast<std::size_t>(std::lround(dMs * Rate / 1000.0));
}

struct Partial {
    double dHz;
    double dGain;
    double dDecayMs;
};

// A body struck at dAtMs. dBend raises every partial by that fraction at the strike, falling
// back within a few milliseconds: the knock of wood rather than the ring of a bell.
void Strike(Samples &s, double dAtMs, double dGain, double dBend,
            std::initializer_list<Partial> oParts) {
    const std::size_t nStart = At(dAtMs);
    for (const Partial &p : oParts) {
        double dPhase = 0.0;
        for (std::size_t n = nStart; n < s.size(); ++n) {
            const double t = static_cast<double>(n - nStart) / Rate;
            const double dEnv = std::exp(-t * 1000.0 / p.dDecayMs);
            if (dEnv < 1e-5)
                break;
            // A 0.3 ms rise: no step at the start, yet loud within the first millisecond.
            const double dRise = std::min(1.0, t / 0.0003);
            s[n] += dGain * p.dGain * dEnv * dRise * std::sin(dPhase);
            dPhase += TwoPi * p.dHz * (1.0 + dBend * std::exp(-t / 0.004)) / Rate;
        }
    }
}

// A click of noise through a one-pole low-pass at dCutoffHz, decaying over dDecayMs.
void Click(Samples &s, double dAtMs, double dGain, double dDecayMs, double dCutoffHz,
           std::uint32_t nSeed) {
    const double a = 1.0 - std::exp(-TwoPi * dCutoffHz / Rate);
    double dLow = 0.0;
    std::uint32_t x = nSeed;
    const std::size_t nStart = At(dAtMs);
    for (std::size_t n = nStart; n < s.size(); ++n) {
        const double t = static_cast<double>(n - nStart) / Rate;
        const double dEnv = std::exp(-t * 1000.0 / dDecayMs);
        if (dEnv < 1e-5)
            break;
        // xorshift32: the same noise on every machine, unlike the standard distributions.
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        const double dWhite = static_cast<double>(x) / 2147483648.0 - 1.0;
        dLow += a * (dWhite - dLow);
        s[n] += dGain * dEnv * dLow;
    }
}

// A tone with a few harmonics, as a small bell or a chime bar: dDecayMs for the fundamental,
// faster for the overtones.
void Tone(Samples &s, double dAtMs, double dGain, double dHz, double dDecayMs) {
    Strike(s, dAtMs, dGain, 0.0,
           {{dHz, 1.0, dDecayMs},
            {dHz * 2.0, 0.22, dDecayMs * 0.5},
            {dHz * 3.0, 0.08, dDecayMs * 0.3}});
}

// Scales the samples to a peak of dPeakDb dBFS, fades the last dFadeMs out and writes a WAV file.
QByteArray Wav(Samples s, double dPeakDb, double dFadeMs) {
    double dPeak = 0.0;
    for (double v : s)
        dPeak = std::max(dPeak, std::abs(v));
    const double dScale = std::pow(10.0, dPeakDb / 20.0) / dPeak;
    const std::size_t nFade = std::min(At(dFadeMs), s.size());
    for (std::size_t i = 0; i < nFade; ++i) {
        const double x = static_cast<double>(i) / static_cast<double>(nFade);
        s[s.size() - 1 - i] *= 0.5 - 0.5 * std::cos(std::numbers::pi * x);
    }
    QByteArray oData;
    QDataStream out(&oData, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const auto nBytes = static_cast<quint32>(s.size() * 2);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + nBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(Rate) << quint32(Rate * 2)
        << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << nBytes;
    for (double v : s)
        out << static_cast<qint16>(std::clamp(std::lround(v * dScale * 32767.0), -32767L, 32767L));
    return oData;
}

// A piece set down on the board: a dull knock, low and short.
Samples Tock(double dMs, double dAtMs, double dPitch, double dGain, std::uint32_t nSeed) {
    Samples s(At(dMs));
    Strike(s, dAtMs, dGain, 0.05,
           {{420 * dPitch, 1.0, 34},
            {1090 * dPitch, 0.5, 16},
            {1960 * dPitch, 0.22, 8},
            {3150 * dPitch, 0.1, 4}});
    Click(s, dAtMs, dGain * 0.5, 1.2, 2800, nSeed);
    return s;
}

void Mix(Samples &s, const Samples &o) {
    for (std::size_t i = 0; i < std::min(s.size(), o.size()); ++i)
        s[i] += o[i];
}

} // namespace

std::vector<std::pair<QString, QByteArray>> MakeSounds() {
    std::vector<std::pair<QString, QByteArray>> o;

    o.emplace_back(QStringLiteral("move.wav"), Wav(Tock(170, 0, 1.0, 1.0, 0x1234u), -4.0, 25));

    // A capture: higher and brighter, with a harder click, and the taken piece knocked a moment
    // later.
    Samples capture(At(230));
    for (auto [dAt, dGain, nSeed] : {std::tuple{0.0, 1.0, 0x51u}, {32.0, 0.55, 0x77u}}) {
        Strike(capture, dAt, dGain, 0.08,
               {{640, 1.0, 26}, {1610, 0.7, 12}, {2930, 0.42, 7}, {4470, 0.25, 3.5}});
        Click(capture, dAt, dGain * 0.9, 0.9, 6500, nSeed);
    }
    o.emplace_back(QStringLiteral("capture.wav"), Wav(capture, -3.0, 25));

    // Castling: the king set down, then the rook beside it, a little lower and heavier.
    Samples castle = Tock(330, 0, 1.0, 1.0, 0x2222u);
    Mix(castle, Tock(330, 115, 0.82, 1.1, 0x3333u));
    o.emplace_back(QStringLiteral("castle.wav"), Wav(castle, -4.0, 30));

    // Check: two tones rising a fourth (B5, E6), short enough to be over before the next move.
    Samples check(At(370));
    Tone(check, 0, 1.0, 987.77, 90);
    Tone(check, 140, 1.0, 1318.51, 110);
    o.emplace_back(QStringLiteral("check.wav"), Wav(check, -4.5, 40));

    // The end of the game: a C major chord, lightly strummed, dying away over a second and more.
    Samples end(At(1600));
    const double oNotes[] = {523.25, 659.26, 783.99, 1046.50};
    for (std::size_t i = 0; i < std::size(oNotes); ++i)
        Tone(end, 14.0 * static_cast<double>(i), i == 0 ? 1.0 : 0.8, oNotes[i], 520);
    o.emplace_back(QStringLiteral("game-end.wav"), Wav(end, -4.5, 350));

    // Low time: a soft tick, a pure short ping without the noise of a knock.
    Samples tick(At(70));
    Strike(tick, 0, 1.0, 0.0, {{1500, 1.0, 11}, {3010, 0.2, 5}});
    o.emplace_back(QStringLiteral("low-time.wav"), Wav(tick, -5.5, 15));
    return o;
}
