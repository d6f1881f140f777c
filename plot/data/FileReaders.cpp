#include "FileReaders.h"

#include "ArrayFileReader.h"
#include "FileBytes.h"
#include "TextTableReader.h"

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

ImportedData readTextFile(const QString& path, const QString& name, bool fitToPowerOfTwo)
{
    std::string bytes;
    if (!readFileBytes(path, bytes))
        return cannotOpen(path);
    return TextTableReader::read(bytes, name, fitToPowerOfTwo);
}

ImportedData readArrayFile(const QString& path, const QString& name, bool)
{
    std::string bytes;
    if (!readFileBytes(path, bytes))
        return cannotOpen(path);
    return ArrayFileReader::read(bytes, name);
}
