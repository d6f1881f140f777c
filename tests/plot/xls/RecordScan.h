#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The records of a workbook stream as the tests see them, read with no help from the
// writer's classes: code, stream offset of the header, and the data of this record alone
// (a CONTINUE is a record of its own here).
struct ScannedRecord {
    std::uint16_t code;
    std::size_t offset;
    std::vector<std::uint8_t> data;
};

// Every record from `begin` to the end of the stream; stops early at a header that runs past
// the end.
std::vector<ScannedRecord> scanRecords(const std::vector<std::uint8_t>& stream, std::size_t begin = 0);
// The records of one substream: from the BOF at `begin` to its EOF, both included.
std::vector<ScannedRecord> scanSubstream(const std::vector<std::uint8_t>& stream, std::size_t begin);
// The stream offsets that the BOUNDSHEET records of the globals give, in sheet order.
std::vector<std::size_t> sheetPositions(const std::vector<std::uint8_t>& stream);
std::vector<ScannedRecord> withCode(const std::vector<ScannedRecord>& records, std::uint16_t code);

std::uint16_t le16(const std::vector<std::uint8_t>& bytes, std::size_t at);
std::uint32_t le32(const std::vector<std::uint8_t>& bytes, std::size_t at);
double leDouble(const std::vector<std::uint8_t>& bytes, std::size_t at);
