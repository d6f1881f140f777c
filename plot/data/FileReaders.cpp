#include "FileReaders.h"

#include "ArrayFileReader.h"
#include "BlockLines.h"
#include "BlockPlan.h"
#include "FileBytes.h"
#include "FileBlocks.h"
#include "LooseTableReader.h"
#include "TextProbe.h"
#include "TextTableReader.h"

#include <QFile>
#include <QFileInfo>

#include <string>
#include <vector>

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

ImportedData cannotRead(const QString& path)
{
    return unreadable(QStringLiteral("Kurvo: Can't read file %1").arg(path));
}

// Reads the first bytes of `file` and leaves it at its start again; false when that fails.
bool readSample(QFile& file, std::vector<char>& sample)
{
    sample.resize(std::size_t(TextProbe::sampleSize));
    const qint64 size = file.read(sample.data(), TextProbe::sampleSize);
    if (size < 0 || !file.seek(0))
        return false;
    sample.resize(std::size_t(size));
    return true;
}

// Opens a file that can hold a text table; otherwise `refusal` says why not.
bool openText(QFile& file, const QString& path, ImportedData& refusal)
{
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        refusal = cannotOpen(path);
        return false;
    }
    // A binary file would be split into lines of noise at great cost in time and memory.
    std::vector<char> sample;
    if (!readSample(file, sample)) {
        refusal = cannotRead(path);
        return false;
    }
    if (!TextProbe::canBeText(sample.data(), qint64(sample.size()))) {
        refusal = unreadable(QStringLiteral("Kurvo: %1 is not a text table").arg(path));
        return false;
    }
    return true;
}

} // namespace

// The file is read a block at a time; a table the strict rules cannot read is read again from
// its start, the way people write tables. The rows of a large table are read in blocks of the
// file on every thread the machine has, after its first lines have decided how they read.
ImportedData readTextFile(const QString& path, const QString& name, bool fitToPowerOfTwo)
{
    QFile file(path);
    ImportedData refusal;
    if (!openText(file, path, refusal))
        return refusal;
    const FileBlocks blocks(file);
    const BlockPlan plan = BlockPlan::forMachine();
    BlockLines lines(file);
    ImportedData strict = TextTableReader::readStrict(lines, name, fitToPowerOfTwo, &blocks, plan);
    if (lines.failed() || blocks.failed())
        return cannotRead(path);
    if (!strict.y.empty())
        return strict;
    if (!file.seek(0))
        return cannotRead(path);
    BlockLines again(file);
    ImportedData table = TextTableReader::orLoose(std::move(strict), again, name, fitToPowerOfTwo, &blocks, plan);
    if (again.failed() || blocks.failed())
        return cannotRead(path);
    return table;
}

// The user's choices go straight to the reading of tables as people write them.
ImportedData readTextTable(const QString& path, const QString& name, bool fitToPowerOfTwo,
                           const TableOptions& options)
{
    if (options.automatic())
        return readTextFile(path, name, fitToPowerOfTwo);
    QFile file(path);
    ImportedData refusal;
    if (!openText(file, path, refusal))
        return refusal;
    const FileBlocks blocks(file);
    BlockLines lines(file);
    ImportedData table =
        LooseTableReader::read(lines, name, fitToPowerOfTwo, options, &blocks, BlockPlan::forMachine());
    if (lines.failed() || blocks.failed())
        return cannotRead(path);
    return table;
}

ImportedData readArrayFile(const QString& path, const QString& name, bool)
{
    std::string bytes;
    if (!readFileBytes(path, bytes))
        return cannotOpen(path);
    return ArrayFileReader::read(bytes, name);
}
