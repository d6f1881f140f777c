#pragma once

#include <QStringList>

// The files opened or saved last: data files, scripts and projects, newest first, each once,
// ten at most. They are kept in the user's settings, so that every window and the next start
// of the program share them.
class RecentFiles
{
public:
    static constexpr int kKept = 10;

    static QStringList list();
    // `path` goes to the front by its absolute name; the oldest beyond ten go.
    static void add(const QString& path);

    // `list` with `path` at its front, as `add` keeps it.
    static QStringList with(QStringList list, const QString& path);
};
