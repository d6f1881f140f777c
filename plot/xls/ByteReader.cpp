#include "ByteReader.h"

#include <cstring>

namespace Xls {

ByteReader::ByteReader(const std::uint8_t* data, std::size_t size)
    : data(data)
    , size(data ? size : 0)
{
}

bool ByteReader::ok() const
{
    return !failed;
}

std::size_t ByteReader::position() const
{
    return at;
}

std::size_t ByteReader::remaining() const
{
    return size - at;
}

bool ByteReader::take(std::size_t count)
{
    if (failed || count > size - at) {
        failed = true;
        return false;
    }
    at += count;
    return true;
}

std::uint8_t ByteReader::get8()
{
    return take(1) ? data[at - 1] : 0;
}

std::uint16_t ByteReader::get16()
{
    if (!take(2))
        return 0;
    const std::uint8_t* b = data + at - 2;
    return std::uint16_t(b[0] | b[1] << 8);
}

std::uint32_t ByteReader::get32()
{
    if (!take(4))
        return 0;
    const std::uint8_t* b = data + at - 4;
    return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
}

std::uint64_t ByteReader::get64()
{
    const std::uint64_t low = get32();
    const std::uint64_t high = get32();
    return low | high << 32;
}

double ByteReader::getDouble()
{
    const std::uint64_t bits = get64();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void ByteReader::getBytes(void* out, std::size_t count)
{
    if (take(count) && count > 0)
        std::memcpy(out, data + at - count, count);
}

void ByteReader::skip(std::size_t count)
{
    take(count);
}

void ByteReader::fail()
{
    failed = true;
}

} // namespace Xls
