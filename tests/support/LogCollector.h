#pragma once

#include <QStringList>

// A log callback for tests: the plot library's lines, in order, since the last clear().
class LogCollector
{
public:
    static void collect(const QString& line);
    static QStringList& lines();
};
