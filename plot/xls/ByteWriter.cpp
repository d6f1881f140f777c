#include "ByteWriter.h"

#include <cstring>

namespace Xls {

ByteWriter::ByteWriter(std::vector<std::uint8_t>& bytes)
    : bytes(bytes)
{
}

std::size_t ByteWriter::size() const
{
    return bytes.size();
}

void ByteWriter::put8(std::uint8_t value)
{
    bytes.push_back(value);
}

void ByteWriter::put16(std::uint16_t value)
{
    const std::uint8_t b[2] = {std::uint8_t(value), std::uint8_t(value >> 8)};
    bytes.insert(bytes.end(), b, b + 2);
}

void ByteWriter::put32(std::uint32_t value)
{
    const std::uint8_t b[4] = {std::uint8_t(value), std::uint8_t(value >> 8), std::uint8_t(value >> 16),
                               std::uint8_t(value >> 24)};
    bytes.insert(bytes.end(), b, b + 4);
}

void ByteWriter::put64(std::uint64_t value)
{
    put32(std::uint32_t(value));
    put32(std::uint32_t(value >> 32));
}

void ByteWriter::putDouble(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    put64(bits);
}

void ByteWriter::putBytes(const void* data, std::size_t count)
{
    const auto* first = static_cast<const std::uint8_t*>(data);
    bytes.insert(bytes.end(), first, first + count);
}

void ByteWriter::putZeros(std::size_t count)
{
    bytes.resize(bytes.size() + count, 0);
}

} // namespace Xls
