#include "LogCollector.h"

void LogCollector::collect(const QString& line)
{
    lines() << line;
}

QStringList& LogCollector::lines()
{
    static QStringList collected;
    return collected;
}
