#pragma once

#include <QString>

// What an input names: a file, and the part of it to read where the file holds several
// ("data.xlsx:Sheet2", "run.h5:/scan/signal"). A name is split only at a ':' that follows the
// suffix of a format with parts, and only when the whole name is no existing file, so that
// paths holding ':' still open.
struct DataSource {
    QString file;
    // Empty for the whole file.
    QString part;

    static DataSource of(const QString& input);
    // How the log and the window title name it.
    QString text() const;
};
