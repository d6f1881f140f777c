#include "CompoundFile.h"

#include "ByteWriter.h"

#include <algorithm>

namespace Xls {

namespace {

const std::uint8_t signature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
const std::size_t entriesPerSector = CompoundFile::sectorSize / 4;
const std::size_t headerDifatSlots = 109;
// A DIFAT sector's last entry chains to the next DIFAT sector.
const std::size_t difatSlotsPerSector = entriesPerSector - 1;
const std::size_t directoryEntrySize = 128;

std::size_t divideUp(std::size_t value, std::size_t by)
{
    return (value + by - 1) / by;
}

struct DirectoryEntry {
    std::u16string name;
    std::uint8_t type = 0; // 0 unused, 2 stream, 5 root storage
    std::uint32_t child = CompoundFile::noStream;
    std::uint32_t start = 0;
    std::uint32_t size = 0;
};

void writeEntry(ByteWriter& out, const DirectoryEntry& entry)
{
    const std::size_t before = out.size();
    for (char16_t unit : entry.name)
        out.put16(unit);
    // The name ends in U+0000 and its length counts the terminator, in bytes.
    out.putZeros(64 - 2 * entry.name.size());
    out.put16(std::uint16_t(entry.name.empty() ? 0 : 2 * (entry.name.size() + 1)));
    out.put8(entry.type);
    out.put8(entry.type == 0 ? 0 : 1); // black: a tree of one node needs no red
    out.put32(CompoundFile::noStream); // left sibling
    out.put32(CompoundFile::noStream); // right sibling
    out.put32(entry.child);
    out.putZeros(16 + 4 + 8 + 8); // class identifier, state bits, creation and change times
    out.put32(entry.start);
    out.put64(entry.size);
    out.putZeros(directoryEntrySize - (out.size() - before));
}

} // namespace

CompoundFile::CompoundFile(std::size_t streamSize)
    : streamSize(streamSize)
    , storedSize(std::max(streamSize, smallestStream))
    , streamSectorCount(divideUp(storedSize, sectorSize))
{
    if (!valid())
        return;
    // The FAT has an entry for every sector, its own and the DIFAT's included; more FAT
    // sectors may need more DIFAT sectors, so grow both until they cover everything.
    for (;;) {
        const std::size_t sectors = fatCount + difatCount + 1 + streamSectorCount;
        const std::size_t fat = divideUp(sectors, entriesPerSector);
        const std::size_t difat = fat > headerDifatSlots ? divideUp(fat - headerDifatSlots, difatSlotsPerSector) : 0;
        if (fat == fatCount && difat == difatCount)
            break;
        fatCount = fat;
        difatCount = difat;
    }
}

std::vector<std::uint8_t> CompoundFile::metadata() const
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(sectorSize * (1 + firstStreamSector()));
    writeHeader(bytes);
    writeFat(bytes);
    writeDifat(bytes);
    writeDirectory(bytes);
    return bytes;
}

void CompoundFile::writeHeader(std::vector<std::uint8_t>& bytes) const
{
    ByteWriter out(bytes);
    out.putBytes(signature, sizeof signature);
    out.putZeros(16);   // class identifier
    out.put16(0x003B);  // minor version
    out.put16(3);       // major version: 512-byte sectors
    out.put16(0xFFFE);  // byte order mark: little-endian
    out.put16(9);       // sector shift: 2^9 = 512
    out.put16(6);       // mini sector shift: 2^6 = 64
    out.putZeros(6);
    out.put32(0);       // directory sectors: not counted in version 3
    out.put32(std::uint32_t(fatCount));
    out.put32(std::uint32_t(directorySector()));
    out.put32(0);       // transaction signature
    out.put32(miniStreamCutoff);
    out.put32(endOfChain); // no mini FAT
    out.put32(0);
    out.put32(difatCount > 0 ? std::uint32_t(fatCount) : endOfChain);
    out.put32(std::uint32_t(difatCount));
    for (std::size_t i = 0; i < headerDifatSlots; ++i)
        out.put32(i < fatCount ? std::uint32_t(i) : freeSect);
}

std::uint32_t CompoundFile::fatEntry(std::size_t sector) const
{
    const std::size_t streamEnd = firstStreamSector() + streamSectorCount;
    if (sector < fatCount)
        return fatSect;
    if (sector < directorySector())
        return difSect;
    if (sector == directorySector() || sector + 1 == streamEnd)
        return endOfChain;
    if (sector < streamEnd)
        return std::uint32_t(sector + 1);
    return freeSect;
}

void CompoundFile::writeFat(std::vector<std::uint8_t>& bytes) const
{
    ByteWriter out(bytes);
    for (std::size_t sector = 0; sector < fatCount * entriesPerSector; ++sector)
        out.put32(fatEntry(sector));
}

void CompoundFile::writeDifat(std::vector<std::uint8_t>& bytes) const
{
    ByteWriter out(bytes);
    std::size_t fatSector = headerDifatSlots;
    for (std::size_t d = 0; d < difatCount; ++d) {
        for (std::size_t slot = 0; slot < difatSlotsPerSector; ++slot, ++fatSector)
            out.put32(fatSector < fatCount ? std::uint32_t(fatSector) : freeSect);
        out.put32(d + 1 < difatCount ? std::uint32_t(fatCount + d + 1) : endOfChain);
    }
}

void CompoundFile::writeDirectory(std::vector<std::uint8_t>& bytes) const
{
    ByteWriter out(bytes);
    DirectoryEntry root;
    root.name = u"Root Entry";
    root.type = 5;
    root.child = 1;
    root.start = endOfChain; // no mini stream
    writeEntry(out, root);
    DirectoryEntry workbook;
    workbook.name = u"Workbook";
    workbook.type = 2;
    workbook.start = std::uint32_t(firstStreamSector());
    workbook.size = std::uint32_t(storedSize);
    writeEntry(out, workbook);
    for (std::size_t unused = 2; unused < sectorSize / directoryEntrySize; ++unused)
        writeEntry(out, DirectoryEntry());
}

bool CompoundFile::write(std::ostream& out, const std::uint8_t* stream) const
{
    if (!valid())
        return false;
    const std::vector<std::uint8_t> head = metadata();
    out.write(reinterpret_cast<const char*>(head.data()), std::streamsize(head.size()));
    out.write(reinterpret_cast<const char*>(stream), std::streamsize(streamSize));
    const std::vector<char> padding(fileSize() - head.size() - streamSize, 0);
    out.write(padding.data(), std::streamsize(padding.size()));
    return bool(out);
}

} // namespace Xls
