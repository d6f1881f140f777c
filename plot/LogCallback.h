#pragma once

class QString;

// Receives the plot library's log lines, one call per line, without line terminator.
typedef void (*LogCallback)(const QString& line);
