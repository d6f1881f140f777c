#pragma once

#include <QStringList>

// The name filters the Open dialogs offer for data: first one that shows every file a
// reader takes, then one per format, then every file.
class DataFileFilters
{
public:
    // "All data files (*.adf *.csv ...)" with `extraPatterns` (such as "*.kurvo") in front of
    // the suffixes of the formats.
    static QString allDataFiles(const QStringList& extraPatterns = {});
    // The formats offered, without the ones no reader can read.
    static QStringList formats();
    // allDataFiles(), formats() and "All files (*)".
    static QStringList list();
};
