#include "FileReaders.h"

#include "ArrayFileReader.h"
#include "BlockLines.h"
#include "FileBytes.h"
#include "TextTableReader.h"

#include <QFile>
#include <QFileInfo>

#include <string>

namespace {

ImportedData unreadable(const QString& line)
{
    ImportedData data;
    data.log << line;
    return data;
}

ImportedData cannotOpen(const QString& path)
{
    return unreadable(QStringLiteral("Kurvo: Can't open file %1").arg(path));
}

} // namespace

// The strict rules read the file a block at a time; only a table they cannot read is read
// again whole, the way people write tables.
ImportedData readTextFile(const QString& path, const QString& name, bool fitToPowerOfTwo)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return cannotOpen(path);
    BlockLines lines(file);
    ImportedData strict = TextTableReader::readStrict(lines, name, fitToPowerOfTwo);
    if (lines.failed())
        return unreadable(QStringLiteral("Kurvo: Can't read file %1").arg(path));
    if (!strict.y.empty())
        return strict;
    file.close();
    std::string bytes;
    if (!readFileBytes(path, bytes))
        return cannotOpen(path);
    return TextTableReader::orLoose(std::move(strict), bytes, name, fitToPowerOfTwo);
}

ImportedData readArrayFile(const QString& path, const QString& name, bool)
{
    std::string bytes;
    if (!readFileBytes(path, bytes))
        return cannotOpen(path);
    return ArrayFileReader::read(bytes, name);
}
