#include "ModulePartFormat.h"

#include "ReadRefusal.h"

ModulePartFormat::ModulePartFormat(const PartFormat* ReaderTable::*reader, const char* kind, Loader load)
    : reader(reader)
    , kind(kind)
    , load(load)
{
}

// Without the module the file is listed, so that the listing says why it cannot be read.
bool ModulePartFormat::asksForParts() const
{
    QString reason;
    const PartFormat* format = loaded(reason);
    return !format || format->asksForParts();
}

bool ModulePartFormat::parts(const QString& path, std::vector<DataPart>& parts, QString& reason) const
{
    const PartFormat* format = loaded(reason);
    return format && format->parts(path, parts, reason);
}

ImportedData ModulePartFormat::read(const QString& path, const QString& part, const QString& name,
                                    bool fitToPowerOfTwo, const TableOptions& options) const
{
    QString reason;
    if (const PartFormat* format = loaded(reason))
        return format->read(path, part, name, fitToPowerOfTwo, options);
    return ReadRefusal::cannotRead(part.isEmpty() ? path : path + QLatin1Char(':') + part, reason);
}

bool ModulePartFormat::tableText(const QString& path, const QString& part, std::size_t maxLines, std::string& text,
                                 QString& reason) const
{
    if (const PartFormat* format = loaded(reason))
        return format->tableText(path, part, maxLines, text, reason);
    reason = QStringLiteral("Kurvo: Can't read %1 (%2)").arg(path, reason);
    return false;
}

const PartFormat* ModulePartFormat::loaded(QString& reason) const
{
    QString problem;
    if (const ReaderTable* table = load(problem))
        return table->*reader;
    reason = QStringLiteral("the %1 reader %2").arg(QLatin1String(kind), problem);
    return nullptr;
}
