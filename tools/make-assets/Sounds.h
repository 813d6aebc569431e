#pragma once

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

// The program's sounds as WAV files (16-bit PCM, mono, 44.1 kHz), synthesised from decaying
// partials and fixed-seed noise: each sound's file name under sounds/ and its bytes.
std::vector<std::pair<QString, QByteArray>> MakeSounds();
