#pragma once

#include "Record.h"
#include "UnicodeText.h"
#include "Workbook.h"

#include <unordered_map>

namespace Xls {

// SST: every distinct text of the workbook's text cells, in the order first used; a
// LABELSST cell names its text by the position in this table.
//
// The data often exceeds one record, so the table cuts it into CONTINUE records itself:
// a string's header (character count and flags) stays in one record together with its first
// character, so a string whose header and first character do not fit begins the next
// CONTINUE. A character array that is cut goes on in the next CONTINUE behind one fresh
// flags byte; a 16-bit character is never cut.
class Workbook::SharedStringTable : public Record
{
public:
    static constexpr std::uint16_t recordCode = 0x00FC;

    // Where a string begins in the written record: `streamOffset` counts from the start of
    // the SST record's header, CONTINUE headers included; `recordOffset` counts from the
    // start of the header of the SST or CONTINUE record that holds the string's first byte.
    struct Placement {
        std::size_t streamOffset;
        std::size_t recordOffset;
    };

    SharedStringTable();

    // Counts one more use of `text` and returns its position, adding it when new. Text
    // beyond 65535 code units, more than the character count holds, is cut there.
    std::uint32_t add(const UnicodeText& text);
    // The position of a text added before, or -1 when it never was.
    std::int64_t indexOf(const UnicodeText& text) const;
    std::uint32_t totalCount() const { return uses; }
    std::size_t uniqueCount() const { return strings.size(); }
    const UnicodeText& string(std::size_t index) const { return strings[index]; }
    Placement placement(std::size_t index) const;

    // Reads the strings across the cuts the bytes have (a string may carry formatting runs
    // and phonetic data, which are skipped); written again, the table makes its own cuts.
    bool read(const std::uint8_t* bytes, std::size_t size) override;
    std::size_t dataSize() const override { return layoutSize; }
    std::vector<std::size_t> continueOffsets() const override { return cuts; }

protected:
    bool readFields(ByteReader& in) override;
    void writeFields(ByteWriter& out) const override;

private:
    void append(UnicodeText text);
    void cut();
    // Reads the table from joined data whose CONTINUE records began at `readCuts`.
    bool parse(ByteReader& in, const std::vector<std::size_t>& readCuts);
    bool readString(ByteReader& in, const std::vector<std::size_t>& readCuts, std::size_t& nextCut);

    std::uint32_t uses = 0;
    std::vector<UnicodeText> strings;
    std::unordered_map<std::u16string, std::uint32_t> positions;

    // The layout of the data, kept up to date as strings are added.
    std::size_t layoutSize = 8;               // bytes of data so far
    std::size_t room = maxDataSize - 8;       // bytes left in the current record
    std::vector<std::size_t> cuts;            // data offsets at which CONTINUE records begin
    std::vector<std::size_t> dataOffsets;     // per string: data offset of its first byte
};

// EXTSST: an index into the SST for readers that look strings up: the stream position of
// every `stringsPerBucket`-th string.
class Workbook::ExtSST : public Record
{
public:
    static constexpr std::uint16_t recordCode = 0x00FF;

    struct Bucket {
        std::uint32_t streamOffset = 0; // of the bucket's first string
        std::uint16_t recordOffset = 0; // of that string from the header of its record
        std::uint16_t reserved = 0;
    };

    ExtSST();

    // The buckets for `sst` written at stream offset `sstPosition`.
    void index(const SharedStringTable& sst, std::size_t sstPosition);
    static std::uint16_t bucketSize(std::size_t uniqueStrings);

    std::size_t dataSize() const override { return 2 + 8 * buckets.size(); }

    std::uint16_t stringsPerBucket = 8;
    std::vector<Bucket> buckets;

protected:
    bool readFields(ByteReader& in) override;
    void writeFields(ByteWriter& out) const override;
};

} // namespace Xls
