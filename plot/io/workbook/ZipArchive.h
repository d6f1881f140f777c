#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class BlockQueue;
struct zip;
struct zip_file;

// A ZIP archive open for reading, such as a workbook's package. Every failure becomes a
// reason in words; the entries' sizes are asked before their bytes are taken.
class ZipArchive
{
public:
    // Reads the next piece of an entry, as XmlScanner::scan does: returns the bytes taken.
    using Scan = std::function<std::size_t(std::string_view bytes, bool atEnd)>;

    ZipArchive();
    ~ZipArchive();

    bool open(const QString& path, QString& reason);
    bool contains(const std::string& entry) const;
    // The entry's size once inflated, as its directory says; 0 when it does not say.
    std::uint64_t inflatedSize(const std::string& entry) const;
    // A whole entry of at most `limit` bytes.
    bool read(const std::string& entry, std::size_t limit, std::string& bytes, QString& reason) const;
    // An entry a block at a time through `scan`, until it ends or `done` says the rest is not
    // needed; false with the reason when it cannot be read or `malformed` says so.
    bool stream(const std::string& entry, const Scan& scan, const std::function<bool()>& done,
                const std::function<bool()>& malformed, QString& reason) const;

private:
    static void inflate(zip_file* file, const QString& name, BlockQueue& blocks);

    struct Closer {
        void operator()(zip* archive) const;
    };
    std::unique_ptr<zip, Closer> archive;
};
