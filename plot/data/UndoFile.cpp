#include "UndoFile.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace {

static_assert(std::numeric_limits<int>::digits == 31, "identifiers are stored as int32");

constexpr unsigned char kTag[4] = {'K', 'U', 'N', 'D'};
constexpr std::uint32_t kVersion = 1;
constexpr std::uint64_t kRecordHeaderSize = 4 + 8; // identifier, point count
constexpr std::uint64_t kBytesPerPoint = 2 * 8;    // x and y

template <std::size_t Size>
void encode(std::uint64_t value, unsigned char* bytes)
{
    for (std::size_t i = 0; i < Size; ++i)
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
}

template <std::size_t Size>
std::uint64_t decode(const unsigned char* bytes)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < Size; ++i)
        value |= std::uint64_t(bytes[i]) << (8 * i);
    return value;
}

// ---- The record writer: every field of the layout goes through these.

void putBytes(std::ostream& out, const unsigned char* bytes, std::size_t size)
{
    out.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(size));
}

void put32(std::ostream& out, std::uint32_t value)
{
    unsigned char bytes[4];
    encode<4>(value, bytes);
    putBytes(out, bytes, sizeof bytes);
}

void put64(std::ostream& out, std::uint64_t value)
{
    unsigned char bytes[8];
    encode<8>(value, bytes);
    putBytes(out, bytes, sizeof bytes);
}

void putDoubles(std::ostream& out, const double* values, std::uint64_t count)
{
    // Encoded a block at a time: one stream call per value would dominate for long curves.
    unsigned char block[4096];
    constexpr std::uint64_t kPerBlock = sizeof block / 8;
    while (count > 0 && out) {
        const std::size_t n = static_cast<std::size_t>(std::min(count, kPerBlock));
        for (std::size_t i = 0; i < n; ++i) {
            std::uint64_t bits;
            std::memcpy(&bits, &values[i], sizeof bits);
            encode<8>(bits, block + 8 * i);
        }
        putBytes(out, block, 8 * n);
        values += n;
        count -= n;
    }
}

// ---- The reader: `left` counts the bytes the stream still holds, so no count read from the
// file can ask for more than the file has.

struct Source {
    std::istream& in;
    std::uint64_t left;
};

bool bytesLeft(std::istream& in, std::uint64_t& left)
{
    const std::streampos here = in.tellg();
    if (here == std::streampos(-1))
        return false;
    in.seekg(0, std::ios::end);
    const std::streampos end = in.tellg();
    in.seekg(here);
    if (!in || end == std::streampos(-1) || end < here)
        return false;
    left = static_cast<std::uint64_t>(end - here);
    return true;
}

bool getBytes(Source& s, unsigned char* bytes, std::uint64_t size)
{
    if (size > s.left)
        return false;
    s.in.read(reinterpret_cast<char*>(bytes), static_cast<std::streamsize>(size));
    if (static_cast<std::uint64_t>(s.in.gcount()) != size)
        return false;
    s.left -= size;
    return true;
}

bool get32(Source& s, std::uint32_t& value)
{
    unsigned char bytes[4];
    if (!getBytes(s, bytes, sizeof bytes))
        return false;
    value = static_cast<std::uint32_t>(decode<4>(bytes));
    return true;
}

bool get64(Source& s, std::uint64_t& value)
{
    unsigned char bytes[8];
    if (!getBytes(s, bytes, sizeof bytes))
        return false;
    value = decode<8>(bytes);
    return true;
}

// The caller has checked `count` against the bytes left. The bytes are read straight into the
// array and turned into values in place, so a long curve needs no second buffer.
bool getDoubles(Source& s, std::vector<double>& values, std::uint64_t count)
{
    values.resize(static_cast<std::size_t>(count));
    unsigned char* bytes = reinterpret_cast<unsigned char*>(values.data());
    if (!getBytes(s, bytes, 8 * count))
        return false;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::uint64_t bits = decode<8>(bytes + 8 * i);
        std::memcpy(&values[i], &bits, sizeof bits);
    }
    return true;
}

int fromTwosComplement(std::uint32_t value)
{
    if (value <= std::uint32_t(std::numeric_limits<int>::max()))
        return static_cast<int>(value);
    return -static_cast<int>(~value) - 1;
}

bool getHeader(Source& s, std::uint64_t& curveCount)
{
    unsigned char tag[sizeof kTag];
    std::uint32_t version = 0;
    return getBytes(s, tag, sizeof tag) && std::equal(tag, tag + sizeof tag, kTag)
        && get32(s, version) && version == kVersion && get64(s, curveCount)
        && curveCount <= s.left / kRecordHeaderSize;
}

bool getCurve(Source& s, UndoCurve& curve)
{
    std::uint32_t id = 0;
    std::uint64_t count = 0;
    if (!get32(s, id) || !get64(s, count) || count > s.left / kBytesPerPoint)
        return false;
    curve.id = fromTwosComplement(id);
    return getDoubles(s, curve.x, count) && getDoubles(s, curve.y, count);
}

bool getCurves(std::istream& in, std::vector<UndoCurve>& curves)
{
    Source s{in, 0};
    std::uint64_t curveCount = 0;
    if (!bytesLeft(in, s.left) || !getHeader(s, curveCount))
        return false;
    curves.reserve(static_cast<std::size_t>(curveCount));
    for (std::uint64_t i = 0; i < curveCount; ++i) {
        curves.emplace_back();
        if (!getCurve(s, curves.back()))
            return false;
    }
    return s.left == 0;
}

} // namespace

bool UndoFile::write(std::ostream& out, const std::vector<UndoCurveView>& curves)
{
    try {
        putBytes(out, kTag, sizeof kTag);
        put32(out, kVersion);
        put64(out, curves.size());
        for (const UndoCurveView& curve : curves) {
            put32(out, static_cast<std::uint32_t>(curve.id));
            put64(out, curve.count);
            putDoubles(out, curve.x, curve.count);
            putDoubles(out, curve.y, curve.count);
        }
        out.flush();
        return static_cast<bool>(out);
    } catch (const std::ios_base::failure&) {
        return false; // a stream set to throw fails like any other
    }
}

bool UndoFile::read(std::istream& in, std::vector<UndoCurve>& curves)
{
    curves.clear();
    std::vector<UndoCurve> result;
    try {
        if (!getCurves(in, result))
            return false;
    } catch (const std::bad_alloc&) {
        return false; // counts are bounded by the file, but its samples may still not fit
    } catch (const std::ios_base::failure&) {
        return false; // a stream set to throw fails like any other
    }
    curves.swap(result);
    return true;
}
