#pragma once

#include "ImportedData.h"

#include <QString>

// What a reader of parts gives back when it refuses a file or a part: no curves, and the log
// line that says why.
class ReadRefusal
{
public:
    // "Kurvo: Can't read SOURCE (REASON)".
    static ImportedData cannotRead(const QString& source, const QString& reason);
    static ImportedData notEnoughMemory(const QString& source);
    // A line worded where the refusal arose, such as DatasetLimits'.
    static ImportedData withLine(const QString& line);
};
