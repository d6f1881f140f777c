#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace Xls {

class ByteReader;
class ByteWriter;

// Text as the workbook stores it: UTF-16 code units, written either in the compressed 8-bit
// form (one byte a character, for text that is all Latin-1) or in the 16-bit form (UTF-16LE).
// Lengths count code units, so a character beyond U+FFFF counts two.
class UnicodeText
{
public:
    UnicodeText() = default;
    // `wide` asks for the 16-bit form even for Latin-1 text; text beyond Latin-1 always
    // takes it.
    explicit UnicodeText(std::u16string units, bool wide = false);

    // Decodes UTF-8; each malformed sequence (a stray byte, an overlong form, a surrogate,
    // a code point beyond U+10FFFF) becomes U+FFFD. At most `maxUnits` code units are kept,
    // never half of a surrogate pair.
    static UnicodeText fromUtf8(const std::string& utf8, std::size_t maxUnits = std::u16string::npos);
    // True when `utf8` is well-formed UTF-8.
    static bool isUtf8(const std::string& utf8);

    const std::u16string& units() const { return codeUnits; }
    std::size_t length() const { return codeUnits.size(); }
    bool empty() const { return codeUnits.empty(); }
    bool wide() const { return wideForm; }
    // Bytes a character takes in the chosen form: 1 or 2.
    std::size_t charSize() const { return wideForm ? 2 : 1; }
    // The option-flags byte of the string structures: bit 0 set for the 16-bit form.
    std::uint8_t flags() const { return wideForm ? 1 : 0; }
    std::string toUtf8() const;

    // Writes `count` characters from `first` on in the chosen form.
    void writeChars(ByteWriter& out, std::size_t first, std::size_t count) const;
    // Appends `count` characters read in the form that `flags` gives.
    static void readChars(ByteReader& in, std::uint8_t flags, std::size_t count, std::u16string& units);

    // ShortXLUnicodeString: character count (1 byte), flags (1 byte), characters. Only the
    // first 255 units fit; callers keep names shorter.
    static constexpr std::size_t maxShortLength = 255;
    std::size_t shortStringSize() const;
    void writeShortString(ByteWriter& out) const;
    static UnicodeText readShortString(ByteReader& in);

    // XLUnicodeString: character count (2 bytes), flags (1 byte), characters. Only the
    // first 65535 units fit.
    static constexpr std::size_t maxLongLength = 65535;
    std::size_t longStringSize() const;
    void writeLongString(ByteWriter& out) const;
    static UnicodeText readLongString(ByteReader& in);

    bool operator==(const UnicodeText& other) const;
    bool operator!=(const UnicodeText& other) const { return !(*this == other); }

private:
    std::u16string codeUnits;
    bool wideForm = false;
};

} // namespace Xls
