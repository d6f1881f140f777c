#include "CompoundFile.h"
#include "RecordScan.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace Xls;

namespace {

const std::uint32_t freeSect = 0xFFFFFFFF;
const std::uint32_t endOfChain = 0xFFFFFFFE;
const std::uint32_t fatSect = 0xFFFFFFFD;
const std::uint32_t difSect = 0xFFFFFFFC;

std::vector<std::uint8_t> streamOfSize(std::size_t size)
{
    std::vector<std::uint8_t> stream(size);
    for (std::size_t i = 0; i < size; ++i)
        stream[i] = std::uint8_t(i * 7 + 1);
    return stream;
}

std::vector<std::uint8_t> fileFor(const std::vector<std::uint8_t>& stream)
{
    const CompoundFile file(stream.size());
    std::ostringstream out;
    EXPECT_TRUE(file.write(out, stream.data()));
    const std::string bytes = out.str();
    EXPECT_EQ(bytes.size(), file.fileSize());
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

std::size_t sectorOffset(std::size_t sector)
{
    return 512 * (sector + 1);
}

// The FAT as a reader finds it: through the header's DIFAT slots and the DIFAT sectors.
std::vector<std::uint32_t> readFat(const std::vector<std::uint8_t>& file)
{
    std::vector<std::uint32_t> fatSectors;
    for (std::size_t slot = 0; slot < 109; ++slot)
        if (le32(file, 0x4C + 4 * slot) != freeSect)
            fatSectors.push_back(le32(file, 0x4C + 4 * slot));
    for (std::uint32_t difat = le32(file, 0x44); difat != endOfChain;) {
        for (std::size_t slot = 0; slot < 127; ++slot)
            if (le32(file, sectorOffset(difat) + 4 * slot) != freeSect)
                fatSectors.push_back(le32(file, sectorOffset(difat) + 4 * slot));
        difat = le32(file, sectorOffset(difat) + 4 * 127);
    }
    EXPECT_EQ(fatSectors.size(), le32(file, 0x2C));
    std::vector<std::uint32_t> fat;
    for (std::uint32_t sector : fatSectors)
        for (std::size_t i = 0; i < 128; ++i)
            fat.push_back(le32(file, sectorOffset(sector) + 4 * i));
    return fat;
}

// The directory entry `index` of the (one-sector) directory: name, type, start, size.
struct Entry {
    std::u16string name;
    int type;
    std::uint32_t child;
    std::uint32_t start;
    std::uint32_t size;
};

Entry entry(const std::vector<std::uint8_t>& file, std::size_t index)
{
    const std::size_t at = sectorOffset(le32(file, 0x30)) + 128 * index;
    Entry e{u"", file[at + 0x42], le32(file, at + 0x4C), le32(file, at + 0x74), le32(file, at + 0x78)};
    const std::size_t nameBytes = le16(file, at + 0x40);
    for (std::size_t i = 0; i + 2 < nameBytes; i += 2)
        e.name += char16_t(le16(file, at + i));
    return e;
}

// Follows the stream's chain and gathers its bytes.
std::vector<std::uint8_t> readStream(const std::vector<std::uint8_t>& file, const std::vector<std::uint32_t>& fat,
                                     std::uint32_t start, std::size_t size)
{
    std::vector<std::uint8_t> stream;
    for (std::uint32_t sector = start; sector != endOfChain; sector = fat.at(sector))
        stream.insert(stream.end(), file.begin() + std::ptrdiff_t(sectorOffset(sector)),
                      file.begin() + std::ptrdiff_t(sectorOffset(sector) + 512));
    EXPECT_GE(stream.size(), size);
    stream.resize(size);
    return stream;
}

} // namespace

TEST(CompoundFile, HeaderHoldsTheFixedFields)
{
    const auto file = fileFor(streamOfSize(1000));
    const std::vector<std::uint8_t> signature = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), file.begin()));
    EXPECT_TRUE(std::all_of(file.begin() + 8, file.begin() + 24, [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(le16(file, 0x18), 0x003B);
    EXPECT_EQ(le16(file, 0x1A), 3);
    EXPECT_EQ(le16(file, 0x1C), 0xFFFE);
    EXPECT_EQ(le16(file, 0x1E), 9);
    EXPECT_EQ(le16(file, 0x20), 6);
    EXPECT_EQ(le32(file, 0x28), 0u);
    EXPECT_EQ(le32(file, 0x2C), 1u); // one FAT sector
    EXPECT_EQ(le32(file, 0x30), 1u); // directory in sector 1
    EXPECT_EQ(le32(file, 0x38), 4096u);
    EXPECT_EQ(le32(file, 0x3C), endOfChain);
    EXPECT_EQ(le32(file, 0x40), 0u);
    EXPECT_EQ(le32(file, 0x44), endOfChain);
    EXPECT_EQ(le32(file, 0x48), 0u);
    EXPECT_EQ(le32(file, 0x4C), 0u);
    for (std::size_t slot = 1; slot < 109; ++slot)
        EXPECT_EQ(le32(file, 0x4C + 4 * slot), freeSect);
}

TEST(CompoundFile, SmallStreamIsPaddedPastTheMiniStreamCutoff)
{
    const auto stream = streamOfSize(1000);
    const auto file = fileFor(stream);
    const CompoundFile layout(stream.size());
    EXPECT_EQ(layout.storedStreamSize(), 4608u);
    ASSERT_EQ(file.size(), 512u * (1 + 1 + 1 + 9));

    const auto fat = readFat(file);
    EXPECT_EQ(fat[0], fatSect);
    EXPECT_EQ(fat[1], endOfChain);
    for (std::uint32_t s = 2; s < 10; ++s)
        EXPECT_EQ(fat[s], s + 1);
    EXPECT_EQ(fat[10], endOfChain);
    EXPECT_TRUE(std::all_of(fat.begin() + 11, fat.end(), [](std::uint32_t e) { return e == freeSect; }));

    const Entry root = entry(file, 0);
    EXPECT_EQ(root.name, u"Root Entry");
    EXPECT_EQ(root.type, 5);
    EXPECT_EQ(root.child, 1u);
    EXPECT_EQ(root.start, endOfChain);
    EXPECT_EQ(root.size, 0u);
    const Entry workbook = entry(file, 1);
    EXPECT_EQ(workbook.name, u"Workbook");
    EXPECT_EQ(workbook.type, 2);
    EXPECT_EQ(workbook.size, 4608u);
    const auto back = readStream(file, fat, workbook.start, workbook.size);
    EXPECT_TRUE(std::equal(stream.begin(), stream.end(), back.begin()));
    EXPECT_TRUE(std::all_of(back.begin() + 1000, back.end(), [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(entry(file, 2).type, 0);
    EXPECT_EQ(entry(file, 3).type, 0);
}

TEST(CompoundFile, LargeStreamKeepsItsOwnSize)
{
    const auto stream = streamOfSize(100001);
    const auto file = fileFor(stream);
    const auto fat = readFat(file);
    const Entry workbook = entry(file, 1);
    EXPECT_EQ(workbook.size, 100001u);
    EXPECT_EQ(readStream(file, fat, workbook.start, workbook.size), stream);
    EXPECT_EQ(le32(file, 0x2C), 2u); // 2 FAT + 1 directory + 196 stream sectors
}

TEST(CompoundFile, StreamsBeyond109FatSectorsAreFoundThroughTheDifat)
{
    const auto stream = streamOfSize(9000000);
    const CompoundFile layout(stream.size());
    ASSERT_GT(layout.fatSectors(), 109u);
    ASSERT_EQ(layout.difatSectors(), 1u);
    const auto file = fileFor(stream);
    EXPECT_EQ(le32(file, 0x44), layout.fatSectors()); // the DIFAT follows the FAT sectors
    EXPECT_EQ(le32(file, 0x48), 1u);
    const auto fat = readFat(file);
    EXPECT_GE(fat.size(), file.size() / 512 - 1);
    for (std::size_t s = 0; s < layout.fatSectors(); ++s)
        ASSERT_EQ(fat[s], fatSect);
    EXPECT_EQ(fat[layout.fatSectors()], difSect);
    const Entry workbook = entry(file, 1);
    EXPECT_EQ(workbook.start, layout.firstStreamSector());
    EXPECT_EQ(readStream(file, fat, workbook.start, workbook.size), stream);
}

TEST(CompoundFile, ReportsAFailedWriteAndRefusesStreamsBeyondTheFormat)
{
    const auto stream = streamOfSize(5000);
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    EXPECT_FALSE(CompoundFile(stream.size()).write(out, stream.data()));
    EXPECT_FALSE(CompoundFile(std::size_t(3) << 30).valid());
    std::ostringstream unused;
    EXPECT_FALSE(CompoundFile(std::size_t(3) << 30).write(unused, stream.data()));
    EXPECT_TRUE(unused.str().empty());
}
