#pragma once

#include <QString>

#include <cstddef>

// Writes samples as a mono 24-bit PCM WAV file at `sampleRate` (truncated to an integer and
// at least 1). Each sample becomes the nearest 24-bit step, so what a 24-bit file gave is
// written back unchanged. Samples beyond ±1.0 are clipped to full scale, not wrapped; `clipped`
// gets how many were. NaN, which PCM cannot hold, is written as silence. False, with `error`
// naming the file and the system's reason, when the file cannot be written completely.
bool writeWav(const QString& path, const double* samples, std::size_t count, double sampleRate,
              std::size_t& clipped, QString& error);
