#pragma once

#include "ImportedData.h"

#include <cstddef>

class AvailableMemory;

// Reads every format the sound library reads (WAV, AIFF, AU, FLAC, ...): one curve per
// channel, at most 16, over the sample index x = 0 … count−1, titled "%1.%2" later from
// `name`. Samples keep full precision, ±1.0 being full scale. The file's sample rate comes
// with the curves; the axes show [0, count] and the samples' range, 0 included. A file that
// cannot be read, holds no frame or does not fit in memory gives no curve and a log line.
ImportedData readAudio(const QString& path, const QString& name, bool fitToPowerOfTwo);

// The same, asking `memory` before anything is allocated: a file whose curves need more than
// it has is refused with the sizes in the log line.
ImportedData readAudioWithin(const QString& path, const QString& name, bool fitToPowerOfTwo,
                             const AvailableMemory& memory);

// The memory reading `points` frames of `channels` interleaved channels takes: a double for
// every sample of the channels kept, and one block of the file's samples as the sound library
// hands them out. x, the sample numbers, takes none.
quint64 bytesToReadAudio(std::size_t points, int channels);
