#include "ReaderModule.h"

#include "ReaderTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace {

struct Loaded {
    const ReaderTable* table = nullptr;
    QString problem;
};

// The audio reader in use when a .mat file turns out to be sound, not the one at loading.
ImportedData readSound(const QString& path, const QString& name, bool fitToPowerOfTwo)
{
    return ImportFormats::audioReader()(path, name, fitToPowerOfTwo);
}

QString programFolder()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
}

// The library is never unloaded: the import table keeps pointers into it.
Loaded load()
{
    for (const QString& path : ReaderModule::places(programFolder())) {
        if (!QFileInfo::exists(path))
            continue;
        QLibrary library(path);
        const auto entry = reinterpret_cast<ReaderEntry>(library.resolve(kReaderEntryName));
        if (!entry)
            return {nullptr, QStringLiteral("cannot be loaded: %1").arg(library.errorString())};
        const ReaderTable* table = entry(readSound);
        if (!table || table->version != kReaderTableVersion)
            return {nullptr, QStringLiteral("in %1 belongs to another build").arg(path)};
        return {table, QString()};
    }
    return {nullptr, QStringLiteral("is not installed")};
}

} // namespace

QStringList ReaderModule::places(const QString& programFolder)
{
    QStringList folders;
    if (!programFolder.isEmpty())
        folders << programFolder << QDir::cleanPath(programFolder + QStringLiteral("/" KURVO_READERS_FROM_PROGRAM));
    folders << QStringLiteral(KURVO_READERS_INSTALLED);
    folders.removeDuplicates();
    QStringList paths;
    for (const QString& folder : folders)
        paths << folder + QStringLiteral("/" KURVO_READERS_FILE);
    return paths;
}

const ReaderTable* ReaderModule::table(QString& problem)
{
    static const Loaded loaded = load();
    problem = loaded.problem;
    return loaded.table;
}
