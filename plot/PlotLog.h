#pragma once

#include "LogCallback.h"

#include <cstdarg>

class QString;
class QStringList;

// Where the plot library's log lines go: formatted printf-style, cut to 4095 characters,
// handed to the host's callback when there is one. After every line the event loop runs
// once, so that the host's log view and the window stay live during long operations.
class PlotLog
{
public:
    static constexpr int kMaxLine = 4095;

    void setCallback(LogCallback callback) { logCallback = callback; }

    // The number of characters written, or a negative value when the format fails.
    int message(const char* format, ...) __attribute__((format(printf, 2, 3)));
    int vmessage(const char* format, va_list args);
    void line(const QString& text);
    void lines(const QStringList& texts);

private:
    LogCallback logCallback = nullptr;
};
