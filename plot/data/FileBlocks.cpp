#include "FileBlocks.h"

#include "ReadProgress.h"

#include <QFile>

#include <algorithm>

FileBlocks::FileBlocks(const QFile& file)
    : file(file)
{
}

std::size_t FileBlocks::size() const
{
    return std::size_t(std::max<qint64>(file.size(), 0));
}

// A cancelled load reads nothing more, as if the file ended; what was read is thrown away.
bool FileBlocks::read(std::size_t from, std::size_t count, std::string& buffer, std::string_view& bytes) const
{
    bytes = {};
    if (ReadProgress::cancelRequested())
        return false;
    QFile part(file.fileName());
    if (!part.open(QIODevice::ReadOnly) || !part.seek(qint64(from))) {
        readError = true;
        return false;
    }
    buffer.resize(count);
    std::size_t filled = 0;
    while (filled < count) {
        const qint64 got = part.read(&buffer[filled], qint64(count - filled));
        if (got <= 0) {
            readError = true;
            return false;
        }
        filled += std::size_t(got);
    }
    bytes = std::string_view(buffer.data(), count);
    return true;
}
