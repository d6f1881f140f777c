#pragma once

#include "BlockSource.h"

#include <atomic>

class QFile;

// Blocks of an open file, each read by its thread through a file of its own, so that the
// file never lies in memory whole. A block that cannot be read whole, because of an error or
// because the file has shrunk, is read as empty and marks the reading failed.
class FileBlocks : public BlockSource
{
public:
    explicit FileBlocks(const QFile& file);

    // The file's size as it is now, as the lines read from the file count it.
    std::size_t size() const override;
    bool read(std::size_t from, std::size_t count, std::string& buffer, std::string_view& bytes) const override;
    bool failed() const { return readError.load(); }

private:
    const QFile& file;
    mutable std::atomic<bool> readError{false};
};
