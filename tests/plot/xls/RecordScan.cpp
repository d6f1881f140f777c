#include "RecordScan.h"

#include <cstring>

std::uint16_t le16(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return std::uint16_t(bytes.at(at) | bytes.at(at + 1) << 8);
}

std::uint32_t le32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return std::uint32_t(le16(bytes, at)) | std::uint32_t(le16(bytes, at + 2)) << 16;
}

double leDouble(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    const std::uint64_t bits = std::uint64_t(le32(bytes, at)) | std::uint64_t(le32(bytes, at + 4)) << 32;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::vector<ScannedRecord> scanRecords(const std::vector<std::uint8_t>& stream, std::size_t begin)
{
    std::vector<ScannedRecord> records;
    std::size_t at = begin;
    while (at + 4 <= stream.size()) {
        const std::size_t length = le16(stream, at + 2);
        if (at + 4 + length > stream.size())
            break;
        records.push_back({le16(stream, at), at,
                           std::vector<std::uint8_t>(stream.begin() + std::ptrdiff_t(at + 4),
                                                     stream.begin() + std::ptrdiff_t(at + 4 + length))});
        at += 4 + length;
    }
    return records;
}

std::vector<ScannedRecord> scanSubstream(const std::vector<std::uint8_t>& stream, std::size_t begin)
{
    std::vector<ScannedRecord> records = scanRecords(stream, begin);
    for (std::size_t i = 0; i < records.size(); ++i)
        if (records[i].code == 0x000A) {
            records.resize(i + 1);
            break;
        }
    return records;
}

std::vector<ScannedRecord> withCode(const std::vector<ScannedRecord>& records, std::uint16_t code)
{
    std::vector<ScannedRecord> found;
    for (const ScannedRecord& record : records)
        if (record.code == code)
            found.push_back(record);
    return found;
}

std::vector<std::size_t> sheetPositions(const std::vector<std::uint8_t>& stream)
{
    std::vector<std::size_t> positions;
    for (const ScannedRecord& record : withCode(scanSubstream(stream, 0), 0x0085))
        positions.push_back(le32(record.data, 0));
    return positions;
}
