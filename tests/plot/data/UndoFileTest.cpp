#include "UndoFile.h"
#include "AllocationWatch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <new>
#include <sstream>
#include <string>

namespace {

const double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

std::uint64_t bitsOf(double v)
{
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

struct Curve {
    int id;
    std::vector<double> x;
    std::vector<double> y;
};

// Curves of unequal length, one empty, with gaps between the identifiers and values whose bit
// patterns a careless copy would change.
const std::vector<Curve>& sampleCurves()
{
    static const std::vector<Curve> curves = {
        {0, {0, 1, 2}, {-0.0, nan, -inf}},
        {2, {}, {}},
        {7, {1e-310, -1.5, 3, inf, 5e300}, {4, 8, -nan, std::numeric_limits<double>::max(), -7}},
    };
    return curves;
}

std::string fileOf(const std::vector<Curve>& curves)
{
    std::vector<UndoCurveView> views;
    for (const Curve& c : curves)
        views.push_back({c.id, c.x.data(), c.y.data(), c.x.size()});
    std::ostringstream out;
    EXPECT_TRUE(UndoFile::write(out, views));
    return out.str();
}

// Reads `bytes` into curves that already hold something, so a failed read must clear them.
bool readBack(const std::string& bytes, std::vector<UndoCurve>& curves)
{
    curves.assign(1, UndoCurve{9, {1}, {2}});
    std::istringstream in(bytes);
    return UndoFile::read(in, curves);
}

void expectSameBits(const std::vector<double>& actual, const std::vector<double>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i)
        EXPECT_EQ(bitsOf(actual[i]), bitsOf(expected[i])) << "point " << i;
}

void setLittleEndian64(std::string& bytes, std::size_t offset, std::uint64_t value)
{
    for (std::size_t i = 0; i < 8; ++i)
        bytes[offset + i] = static_cast<char>(value >> (8 * i));
}

TEST(UndoFileTest, CurvesOfUnequalLengthComeBackBitExact)
{
    std::vector<UndoCurve> curves;
    ASSERT_TRUE(readBack(fileOf(sampleCurves()), curves));
    ASSERT_EQ(curves.size(), sampleCurves().size());
    for (std::size_t i = 0; i < curves.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(curves[i].id, sampleCurves()[i].id);
        expectSameBits(curves[i].x, sampleCurves()[i].x);
        expectSameBits(curves[i].y, sampleCurves()[i].y);
    }

    ASSERT_TRUE(readBack(fileOf({}), curves));
    EXPECT_TRUE(curves.empty());
}

// The layout is little-endian on every host; negative identifiers keep their sign.
TEST(UndoFileTest, BytesFollowTheDocumentedLayout)
{
    const std::string bytes = fileOf({{-2, {1.0}, {-2.0}}});
    const std::string expected("KUND"
                               "\x01\x00\x00\x00"
                               "\x01\x00\x00\x00\x00\x00\x00\x00"
                               "\xfe\xff\xff\xff"
                               "\x01\x00\x00\x00\x00\x00\x00\x00"
                               "\x00\x00\x00\x00\x00\x00\xf0\x3f"
                               "\x00\x00\x00\x00\x00\x00\x00\xc0",
                               44);
    EXPECT_EQ(bytes, expected);

    std::vector<UndoCurve> curves;
    ASSERT_TRUE(readBack(bytes, curves));
    EXPECT_EQ(curves.at(0).id, -2);
    const std::string extremes = fileOf({{std::numeric_limits<int>::min(), {}, {}},
                                         {std::numeric_limits<int>::max(), {}, {}}});
    ASSERT_TRUE(readBack(extremes, curves));
    EXPECT_EQ(curves.at(0).id, std::numeric_limits<int>::min());
    EXPECT_EQ(curves.at(1).id, std::numeric_limits<int>::max());
}

TEST(UndoFileTest, AFileCutOrExtendedAnywhereIsRefusedWhole)
{
    const std::string bytes = fileOf(sampleCurves());
    std::vector<UndoCurve> curves;
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        EXPECT_FALSE(readBack(bytes.substr(0, size), curves)) << size;
        EXPECT_TRUE(curves.empty()) << size;
    }
    EXPECT_FALSE(readBack(bytes + '\0', curves));
    EXPECT_TRUE(curves.empty());

    // A stream set to throw must not make read throw.
    std::istringstream in(bytes.substr(0, bytes.size() / 2));
    in.exceptions(std::ios::failbit | std::ios::badbit | std::ios::eofbit);
    EXPECT_NO_THROW(EXPECT_FALSE(UndoFile::read(in, curves)));
    EXPECT_TRUE(curves.empty());
}

TEST(UndoFileTest, HugeCountsAreRefusedBeforeAnythingIsAllocated)
{
    const std::string good = fileOf(sampleCurves());
    const std::size_t curveCountOffset = 8;
    const std::size_t firstPointCountOffset = 16 + 4;
    const std::uint64_t huge[] = {std::uint64_t(1) << 28, std::uint64_t(1) << 60,
                                  std::numeric_limits<std::uint64_t>::max()};
    for (std::size_t offset : {curveCountOffset, firstPointCountOffset}) {
        for (std::uint64_t count : huge) {
            std::string bytes = good;
            setLittleEndian64(bytes, offset, count);
            std::vector<UndoCurve> curves;
            AllocationWatch::setCeiling(std::size_t(1) << 20);
            const bool read = readBack(bytes, curves);
            AllocationWatch::clearCeiling();
            EXPECT_FALSE(read) << offset << " " << count;
            EXPECT_TRUE(curves.empty());
            EXPECT_FALSE(AllocationWatch::takeCeilingCrossed()) << offset << " " << count;
        }
    }
}

// Its x values fill more bytes than a curve's y values would: the count must be held against
// both, or the x values alone would be allocated and read before the y values are missed.
TEST(UndoFileTest, ACurveWhoseYValuesAreMissingIsRefusedBeforeAnythingIsAllocated)
{
    const std::size_t count = std::size_t(1) << 18;
    const std::vector<double> values(count, 1.5);
    const std::string whole = fileOf({{3, values, values}});
    std::istringstream withoutY(whole.substr(0, whole.size() - 8 * count));
    std::vector<UndoCurve> curves;
    AllocationWatch::setCeiling(std::size_t(1) << 20);
    const bool read = UndoFile::read(withoutY, curves);
    AllocationWatch::clearCeiling();
    EXPECT_FALSE(read);
    EXPECT_TRUE(curves.empty());
    EXPECT_FALSE(AllocationWatch::takeCeilingCrossed());
}

TEST(UndoFileTest, AWrongTagOrVersionIsRefused)
{
    const std::string good = fileOf(sampleCurves());
    std::vector<UndoCurve> curves;
    for (std::size_t offset : {0, 3, 4, 7}) {
        std::string bytes = good;
        bytes[offset] = static_cast<char>(bytes[offset] ^ 0x20);
        EXPECT_FALSE(readBack(bytes, curves)) << offset;
        EXPECT_TRUE(curves.empty());
    }
    EXPECT_FALSE(readBack("x,y\n1,2\n", curves));
}

// A stream buffer with room for `size` bytes, like a disk that fills up mid-file.
class FullDisk : public std::streambuf
{
public:
    explicit FullDisk(std::size_t size) : m_bytes(size)
    {
        setp(m_bytes.data(), m_bytes.data() + size);
    }

private:
    std::vector<char> m_bytes;
};

TEST(UndoFileTest, AFailingStreamMakesWriteReturnFalse)
{
    const Curve& c = sampleCurves().back();
    const std::vector<UndoCurveView> views = {{c.id, c.x.data(), c.y.data(), c.x.size()}};

    std::ofstream noFolder("/nonexistent-folder-of-kurvo-tests/undo.bin", std::ios::binary);
    EXPECT_FALSE(UndoFile::write(noFolder, views));

    std::ostringstream bad;
    bad.setstate(std::ios::badbit);
    EXPECT_FALSE(UndoFile::write(bad, views));

    const std::size_t fileSize = fileOf({c}).size();
    for (std::size_t room : {std::size_t(0), std::size_t(10), fileSize - 1}) {
        FullDisk disk(room);
        std::ostream out(&disk);
        EXPECT_FALSE(UndoFile::write(out, views)) << room;

        FullDisk throwingDisk(room);
        std::ostream throwing(&throwingDisk);
        throwing.exceptions(std::ios::badbit | std::ios::failbit);
        EXPECT_NO_THROW(EXPECT_FALSE(UndoFile::write(throwing, views))) << room;
    }
    FullDisk enough(fileSize);
    std::ostream out(&enough);
    EXPECT_TRUE(UndoFile::write(out, views));
}

} // namespace
