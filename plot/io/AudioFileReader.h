#pragma once

#include "ImportedData.h"

// Reads every format the sound library reads (WAV, AIFF, AU, FLAC, ...): one curve per
// channel, at most 16, over the sample index x = 0 … count−1, titled "%1.%2" later from
// `name`. Samples keep full precision, ±1.0 being full scale. The file's sample rate comes
// with the curves; the axes show [0, count] and the samples' range, 0 included. A file that
// cannot be read, holds no frame or does not fit in memory gives no curve and a log line.
ImportedData readAudio(const QString& path, const QString& name, bool fitToPowerOfTwo);
