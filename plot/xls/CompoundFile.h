#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <vector>

namespace Xls {

// A compound document (version 3, 512-byte sectors) holding one stream, "Workbook", under
// "Root Entry".
//
// Layout, sector by sector after the 512-byte header: the FAT sectors, then the DIFAT
// sectors (only for streams beyond 109 FAT sectors, about 6.8 MB), then the directory
// sector, then the stream in consecutive sectors. A stream shorter than 4608 bytes is
// padded with zero bytes to that size: streams under the 4096-byte cutoff would belong in
// the mini stream, and some readers count a stream of exactly 4096 bytes as small too. A
// workbook stream may carry bytes after its last EOF record; readers stop there.
class CompoundFile
{
public:
    static constexpr std::size_t sectorSize = 512;
    static constexpr std::size_t miniStreamCutoff = 4096;
    static constexpr std::size_t smallestStream = 4608;
    // Version 3 files stay below 2 GiB.
    static constexpr std::size_t maxStreamSize = 0x7FF00000;

    static constexpr std::uint32_t difSect = 0xFFFFFFFC;
    static constexpr std::uint32_t fatSect = 0xFFFFFFFD;
    static constexpr std::uint32_t endOfChain = 0xFFFFFFFE;
    static constexpr std::uint32_t freeSect = 0xFFFFFFFF;
    static constexpr std::uint32_t noStream = 0xFFFFFFFF;

    // The layout for a stream of `streamSize` bytes.
    explicit CompoundFile(std::size_t streamSize);

    // False when the stream is too large for the format.
    bool valid() const { return streamSize <= maxStreamSize; }
    // The stream size recorded in the directory: the stream's own size, or the padded one.
    std::size_t storedStreamSize() const { return storedSize; }
    std::size_t fatSectors() const { return fatCount; }
    std::size_t difatSectors() const { return difatCount; }
    std::size_t directorySector() const { return fatCount + difatCount; }
    std::size_t firstStreamSector() const { return directorySector() + 1; }
    std::size_t streamSectors() const { return streamSectorCount; }
    std::size_t fileSize() const { return sectorSize * (1 + firstStreamSector() + streamSectorCount); }

    // Header, FAT, DIFAT and directory: everything before the stream's first sector.
    std::vector<std::uint8_t> metadata() const;
    // Writes the whole file; `stream` holds the `streamSize` bytes given to the layout.
    // False when the layout is not valid or the output stream fails.
    bool write(std::ostream& out, const std::uint8_t* stream) const;

private:
    // The FAT's entry for `sector`: what kind of sector it is, or the next one of its chain.
    std::uint32_t fatEntry(std::size_t sector) const;
    void writeHeader(std::vector<std::uint8_t>& bytes) const;
    void writeFat(std::vector<std::uint8_t>& bytes) const;
    void writeDifat(std::vector<std::uint8_t>& bytes) const;
    void writeDirectory(std::vector<std::uint8_t>& bytes) const;

    std::size_t streamSize;
    std::size_t storedSize;
    std::size_t streamSectorCount;
    std::size_t fatCount = 1;
    std::size_t difatCount = 0;
};

} // namespace Xls
