#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Xls {

class ByteReader;
class ByteWriter;

// One record of the workbook stream: a 16-bit record code, a 16-bit data length and the
// data. Data longer than 8224 bytes goes on in CONTINUE records directly after the record;
// `continueOffsets` says where the data is cut.
//
// A subclass names its fields after the format's field tables and packs them in
// `writeFields` and `readFields`, in the same order; `dataSize` must equal the bytes that
// `writeFields` writes. The framing (header, CONTINUE records) is done here.
class Record
{
public:
    static constexpr std::size_t headerSize = 4;
    static constexpr std::size_t maxDataSize = 8224;
    static constexpr std::uint16_t continueCode = 0x003C;

    explicit Record(std::uint16_t code);
    virtual ~Record();

    // Fills the fields from record bytes: the header and data of this record, followed by
    // the CONTINUE records that carry the rest of its data; the bytes after them are ignored.
    // False when the code is another record's, a length runs past `size`, or the data is too
    // short for the fields; the fields are then unspecified.
    virtual bool read(const std::uint8_t* bytes, std::size_t size);
    // Writes header and data, cut into CONTINUE records as `continueOffsets` says; returns
    // the bytes written (`recordSize`).
    virtual std::size_t write(ByteWriter& out) const;
    virtual std::size_t dataSize() const = 0;
    // Bytes of the record with its headers, CONTINUE records included.
    virtual std::size_t recordSize() const;

    std::uint16_t code() const { return recordCode; }
    // Offsets in the data at which a CONTINUE record begins, ascending. By default the data
    // is cut every 8224 bytes; a record whose data has an inner structure cuts it itself.
    virtual std::vector<std::size_t> continueOffsets() const;

protected:
    Record(const Record&) = default;
    Record& operator=(const Record&) = default;

    virtual bool readFields(ByteReader& in) = 0;
    virtual void writeFields(ByteWriter& out) const = 0;

    // Joins the data of the record at `bytes` and of the CONTINUE records after it into
    // `data`; `cuts` gets the offsets in `data` at which each CONTINUE's data begins.
    bool joinData(const std::uint8_t* bytes, std::size_t size, std::vector<std::uint8_t>& data,
                  std::vector<std::size_t>& cuts) const;

private:
    std::uint16_t recordCode;
};

} // namespace Xls
