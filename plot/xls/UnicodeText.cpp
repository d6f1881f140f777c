#include "UnicodeText.h"

#include "ByteReader.h"
#include "ByteWriter.h"

#include <algorithm>

namespace Xls {

namespace {

const char32_t replacement = 0xFFFD;

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Decodes the code point at `at` and moves past it; a malformed sequence yields U+FFFD and
// moves past its first byte only, so the bytes after it are decoded afresh.
char32_t nextCodePoint(const std::string& utf8, std::size_t& at, bool& malformed)
{
    const auto lead = static_cast<unsigned char>(utf8[at]);
    std::size_t extra;
    char32_t point;
    char32_t least;
    if (lead < 0x80) {
        ++at;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, point = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, point = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, point = lead & 0x07, least = 0x10000;
    } else {
        malformed = true;
        ++at;
        return replacement;
    }
    if (utf8.size() - at <= extra) {
        malformed = true;
        ++at;
        return replacement;
    }
    for (std::size_t i = 1; i <= extra; ++i) {
        const auto byte = static_cast<unsigned char>(utf8[at + i]);
        if (!isContinuation(byte)) {
            malformed = true;
            ++at;
            return replacement;
        }
        point = point << 6 | (byte & 0x3F);
    }
    if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
        malformed = true;
        ++at;
        return replacement;
    }
    at += extra + 1;
    return point;
}

std::u16string decode(const std::string& utf8, std::size_t maxUnits, bool& malformed)
{
    std::u16string units;
    units.reserve(std::min(utf8.size(), maxUnits));
    std::size_t at = 0;
    while (at < utf8.size()) {
        const char32_t point = nextCodePoint(utf8, at, malformed);
        const std::size_t need = point > 0xFFFF ? 2 : 1;
        if (maxUnits - units.size() < need)
            break;
        if (need == 2) {
            units.push_back(char16_t(0xD800 + ((point - 0x10000) >> 10)));
            units.push_back(char16_t(0xDC00 + ((point - 0x10000) & 0x3FF)));
        } else {
            units.push_back(char16_t(point));
        }
    }
    return units;
}

void appendUtf8(std::string& out, char32_t point)
{
    if (point < 0x80) {
        out += char(point);
    } else if (point < 0x800) {
        out += char(0xC0 | point >> 6);
        out += char(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += char(0xE0 | point >> 12);
        out += char(0x80 | (point >> 6 & 0x3F));
        out += char(0x80 | (point & 0x3F));
    } else {
        out += char(0xF0 | point >> 18);
        out += char(0x80 | (point >> 12 & 0x3F));
        out += char(0x80 | (point >> 6 & 0x3F));
        out += char(0x80 | (point & 0x3F));
    }
}

bool beyondLatin1(const std::u16string& units)
{
    for (char16_t unit : units)
        if (unit > 0xFF)
            return true;
    return false;
}

} // namespace

UnicodeText::UnicodeText(std::u16string units, bool wide)
    : codeUnits(std::move(units))
    , wideForm(wide || beyondLatin1(codeUnits))
{
}

UnicodeText UnicodeText::fromUtf8(const std::string& utf8, std::size_t maxUnits)
{
    bool malformed = false;
    return UnicodeText(decode(utf8, maxUnits, malformed));
}

bool UnicodeText::isUtf8(const std::string& utf8)
{
    bool malformed = false;
    decode(utf8, std::u16string::npos, malformed);
    return !malformed;
}

std::string UnicodeText::toUtf8() const
{
    std::string out;
    out.reserve(codeUnits.size());
    for (std::size_t i = 0; i < codeUnits.size(); ++i) {
        char32_t point = codeUnits[i];
        const bool high = point >= 0xD800 && point <= 0xDBFF;
        if (high && i + 1 < codeUnits.size() && codeUnits[i + 1] >= 0xDC00 && codeUnits[i + 1] <= 0xDFFF)
            point = 0x10000 + ((point - 0xD800) << 10) + (codeUnits[++i] - 0xDC00);
        else if (point >= 0xD800 && point <= 0xDFFF)
            point = replacement; // a lone surrogate from a file has no UTF-8 form
        appendUtf8(out, point);
    }
    return out;
}

void UnicodeText::writeChars(ByteWriter& out, std::size_t first, std::size_t count) const
{
    if (!wideForm) {
        std::string bytes(count, '\0');
        for (std::size_t i = 0; i < count; ++i)
            bytes[i] = char(codeUnits[first + i]);
        out.putBytes(bytes.data(), count);
        return;
    }
    for (std::size_t i = 0; i < count; ++i)
        out.put16(codeUnits[first + i]);
}

void UnicodeText::readChars(ByteReader& in, std::uint8_t flags, std::size_t count, std::u16string& units)
{
    // A count beyond the bytes left is a corrupt record: fail before reserving memory for it.
    if (count > in.remaining() / ((flags & 1) ? 2 : 1)) {
        in.fail();
        return;
    }
    units.reserve(units.size() + count);
    for (std::size_t i = 0; i < count; ++i)
        units.push_back((flags & 1) ? char16_t(in.get16()) : char16_t(in.get8()));
}

std::size_t UnicodeText::shortStringSize() const
{
    return 2 + std::min(codeUnits.size(), maxShortLength) * charSize();
}

void UnicodeText::writeShortString(ByteWriter& out) const
{
    const std::size_t count = std::min(codeUnits.size(), maxShortLength);
    out.put8(std::uint8_t(count));
    out.put8(flags());
    writeChars(out, 0, count);
}

UnicodeText UnicodeText::readShortString(ByteReader& in)
{
    const std::size_t count = in.get8();
    const std::uint8_t flags = in.get8();
    std::u16string units;
    readChars(in, flags, count, units);
    return UnicodeText(std::move(units), flags & 1);
}

std::size_t UnicodeText::longStringSize() const
{
    return 3 + std::min(codeUnits.size(), maxLongLength) * charSize();
}

void UnicodeText::writeLongString(ByteWriter& out) const
{
    const std::size_t count = std::min(codeUnits.size(), maxLongLength);
    out.put16(std::uint16_t(count));
    out.put8(flags());
    writeChars(out, 0, count);
}

UnicodeText UnicodeText::readLongString(ByteReader& in)
{
    const std::size_t count = in.get16();
    const std::uint8_t flags = in.get8();
    std::u16string units;
    readChars(in, flags, count, units);
    return UnicodeText(std::move(units), flags & 1);
}

bool UnicodeText::operator==(const UnicodeText& other) const
{
    return wideForm == other.wideForm && codeUnits == other.codeUnits;
}

} // namespace Xls
