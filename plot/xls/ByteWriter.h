#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Xls {

// Appends little-endian values to a byte vector, whatever the host's byte order, so that a
// record's write function reads like the field table of its layout.
class ByteWriter
{
public:
    explicit ByteWriter(std::vector<std::uint8_t>& bytes);

    // Bytes in the vector, including those there before this writer began.
    std::size_t size() const;

    void put8(std::uint8_t value);
    void put16(std::uint16_t value);
    void put32(std::uint32_t value);
    void put64(std::uint64_t value);
    // The IEEE 754 bit pattern, so NaN payloads and −0 are kept.
    void putDouble(double value);
    void putBytes(const void* data, std::size_t count);
    void putZeros(std::size_t count);

private:
    std::vector<std::uint8_t>& bytes;
};

} // namespace Xls
