#pragma once

#include <QString>
#include <QStringList>

struct ReaderTable;

// Finds and loads the module of scientific readers, once for the whole program.
class ReaderModule
{
public:
    // Where the module is looked for, the first found is loaded: beside the program, where the
    // build puts it; in the library folder relative to the program, so that an installed
    // prefix may move; in the library folder it was installed to. An empty `programFolder`
    // leaves the first two out.
    static QStringList places(const QString& programFolder);
    // The module's readers, loaded by the first call from any thread; null with the reason,
    // worded to follow "the HDF5 reader", where there is no module or it cannot be loaded.
    static const ReaderTable* table(QString& problem);
};
