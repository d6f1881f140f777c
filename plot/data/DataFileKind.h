#pragma once

#include <QString>
#include <QStringList>

// Which reader a data file goes to, decided by the end of its path in any case.
enum class DataFileKind { Text, Array, Audio };

DataFileKind dataFileKind(const QString& path);

// The name filters of the open dialog, in the order the dialog lists them.
QStringList dataFileFilters();
