#pragma once

#include <cstddef>
#include <cstdint>

namespace Xls {

// Reads little-endian values from a byte range. A read past the end yields 0 and marks the
// reader failed instead of touching memory beyond the range, so a record's read function
// may read all its fields and ask `ok()` once at the end.
class ByteReader
{
public:
    ByteReader(const std::uint8_t* data, std::size_t size);

    bool ok() const;
    std::size_t position() const;
    std::size_t remaining() const;

    std::uint8_t get8();
    std::uint16_t get16();
    std::uint32_t get32();
    std::uint64_t get64();
    double getDouble();
    // Copies `count` bytes to `out`; on a short range nothing is copied and the reader fails.
    void getBytes(void* out, std::size_t count);
    void skip(std::size_t count);
    // Marks the reader failed, for a field the caller found out of range.
    void fail();

private:
    bool take(std::size_t count);

    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
    bool failed = false;
};

} // namespace Xls
