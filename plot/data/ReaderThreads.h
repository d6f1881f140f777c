#pragma once

#include <QByteArray>

// How many threads the readers of large files use: KURVO_THREADS where it holds a positive
// integer, else as many as the machine runs at once, and never fewer than one.
unsigned readerThreads();
// The same rule for a given setting of KURVO_THREADS; an empty one is no setting.
unsigned readerThreads(const QByteArray& setting);
