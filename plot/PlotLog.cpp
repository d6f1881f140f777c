#include "PlotLog.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <cstdio>

int PlotLog::message(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const int written = vmessage(format, args);
    va_end(args);
    return written;
}

int PlotLog::vmessage(const char* format, va_list args)
{
    char buffer[kMaxLine + 1];
    const int written = std::vsnprintf(buffer, sizeof buffer, format, args);
    if (written >= 0 && logCallback)
        logCallback(QString::fromLocal8Bit(buffer));
    QCoreApplication::processEvents();
    return written < 0 ? written : qMin(written, kMaxLine);
}

void PlotLog::line(const QString& text)
{
    message("%s", text.toLocal8Bit().constData());
}

void PlotLog::lines(const QStringList& texts)
{
    for (const QString& text : texts)
        line(text);
}
