#pragma once

#include <QString>
#include <QStringList>

// The folder and the filter each file dialog, told apart by its caption, was last answered
// in, kept in the user's settings so that the next dialog, even in a later session, starts
// where the user left off.
class FileDialogMemory
{
public:
    // The folder last answered in, or `fallback` when there is none or it is gone.
    static QString folder(const QString& caption, const QString& fallback);
    // The filter last chosen if `filters` still offers it, else `fallback`.
    static QString filter(const QString& caption, const QStringList& filters, const QString& fallback);
    static void remember(const QString& caption, const QString& file, const QString& filter);
};
