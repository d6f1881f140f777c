#include "SharedStringTable.h"

#include "ByteReader.h"
#include "ByteWriter.h"

#include <algorithm>

namespace Xls {

namespace {

// Character count and flags; the table writes neither formatting runs nor phonetic data.
const std::size_t stringHeaderSize = 3;
const std::uint8_t richTextFlag = 0x08;
const std::uint8_t phoneticFlag = 0x04;

} // namespace

Workbook::SharedStringTable::SharedStringTable()
    : Record(recordCode)
{
}

std::uint32_t Workbook::SharedStringTable::add(const UnicodeText& text)
{
    if (text.length() > UnicodeText::maxLongLength)
        return add(UnicodeText(text.units().substr(0, UnicodeText::maxLongLength), text.wide()));
    ++uses;
    const auto found = positions.find(text.units());
    if (found != positions.end())
        return found->second;
    const auto position = std::uint32_t(strings.size());
    append(text);
    positions.emplace(text.units(), position);
    return position;
}

std::int64_t Workbook::SharedStringTable::indexOf(const UnicodeText& text) const
{
    const auto found = text.length() > UnicodeText::maxLongLength
        ? positions.find(text.units().substr(0, UnicodeText::maxLongLength))
        : positions.find(text.units());
    return found == positions.end() ? -1 : std::int64_t(found->second);
}

void Workbook::SharedStringTable::cut()
{
    cuts.push_back(layoutSize);
    room = maxDataSize;
}

void Workbook::SharedStringTable::append(UnicodeText text)
{
    const std::size_t charSize = text.charSize();
    if (room < stringHeaderSize + (text.empty() ? 0 : charSize))
        cut();
    dataOffsets.push_back(layoutSize);
    layoutSize += stringHeaderSize;
    room -= stringHeaderSize;
    std::size_t left = text.length();
    while (left > 0) {
        const std::size_t fit = std::min(left, room / charSize);
        if (fit == 0) {
            cut();
            ++layoutSize; // the flags byte that opens the rest of the characters
            --room;
            continue;
        }
        layoutSize += fit * charSize;
        room -= fit * charSize;
        left -= fit;
    }
    strings.push_back(std::move(text));
}

Workbook::SharedStringTable::Placement Workbook::SharedStringTable::placement(std::size_t index) const
{
    const std::size_t offset = dataOffsets[index];
    const auto before = std::size_t(std::upper_bound(cuts.begin(), cuts.end(), offset) - cuts.begin());
    const std::size_t recordStart = before == 0 ? 0 : cuts[before - 1];
    return {headerSize * (before + 1) + offset, headerSize + offset - recordStart};
}

void Workbook::SharedStringTable::writeFields(ByteWriter& out) const
{
    out.put32(uses);
    out.put32(std::uint32_t(strings.size()));
    std::size_t at = 8;
    auto nextCut = cuts.begin();
    for (const UnicodeText& text : strings) {
        // A cut in front of a string's header needs no byte of its own.
        while (nextCut != cuts.end() && *nextCut <= at)
            ++nextCut;
        out.put16(std::uint16_t(text.length()));
        out.put8(text.flags());
        at += stringHeaderSize;
        std::size_t done = 0;
        while (done < text.length()) {
            const std::size_t limit = nextCut == cuts.end() ? layoutSize : *nextCut;
            const std::size_t count = std::min(text.length() - done, (limit - at) / text.charSize());
            text.writeChars(out, done, count);
            at += count * text.charSize();
            done += count;
            if (done < text.length()) {
                out.put8(text.flags());
                ++at;
                ++nextCut;
            }
        }
    }
}

bool Workbook::SharedStringTable::read(const std::uint8_t* bytes, std::size_t size)
{
    std::vector<std::uint8_t> data;
    std::vector<std::size_t> readCuts;
    if (!joinData(bytes, size, data, readCuts))
        return false;
    ByteReader in(data.data(), data.size());
    return parse(in, readCuts);
}

bool Workbook::SharedStringTable::readFields(ByteReader& in)
{
    return parse(in, {});
}

bool Workbook::SharedStringTable::parse(ByteReader& in, const std::vector<std::size_t>& readCuts)
{
    *this = SharedStringTable();
    const std::uint32_t total = in.get32();
    const std::uint32_t unique = in.get32();
    // Every string takes at least its header: a larger count is corrupt, and is refused
    // before it can make the table reserve memory for it.
    if (!in.ok() || unique > in.remaining() / stringHeaderSize)
        return false;
    strings.reserve(unique);
    std::size_t nextCut = 0;
    for (std::uint32_t i = 0; i < unique; ++i)
        if (!readString(in, readCuts, nextCut))
            return false;
    uses = total;
    for (std::size_t i = strings.size(); i-- > 0;)
        positions[strings[i].units()] = std::uint32_t(i);
    return in.ok();
}

bool Workbook::SharedStringTable::readString(ByteReader& in, const std::vector<std::size_t>& readCuts,
                                             std::size_t& nextCut)
{
    while (nextCut < readCuts.size() && readCuts[nextCut] <= in.position())
        ++nextCut;
    const std::size_t length = in.get16();
    const std::uint8_t firstFlags = in.get8();
    const std::size_t runs = (firstFlags & richTextFlag) ? in.get16() : 0;
    const std::size_t phonetic = (firstFlags & phoneticFlag) ? in.get32() : 0;
    std::uint8_t flags = firstFlags;
    std::u16string units;
    std::size_t left = length;
    while (left > 0 && in.ok()) {
        const std::size_t limit =
            nextCut < readCuts.size() ? readCuts[nextCut] : in.position() + in.remaining();
        const std::size_t count = std::min(left, (limit - in.position()) / ((flags & 1) ? 2 : 1));
        UnicodeText::readChars(in, flags, count, units);
        left -= count;
        if (left == 0)
            break;
        if (nextCut >= readCuts.size() || in.position() != readCuts[nextCut])
            return false;
        flags = in.get8();
        ++nextCut;
    }
    // Formatting runs and phonetic data go on across a cut without a flags byte.
    in.skip(4 * runs + phonetic);
    if (!in.ok())
        return false;
    append(UnicodeText(std::move(units), firstFlags & 1));
    return true;
}

Workbook::ExtSST::ExtSST()
    : Record(recordCode)
{
}

std::uint16_t Workbook::ExtSST::bucketSize(std::size_t uniqueStrings)
{
    return std::uint16_t(std::max<std::size_t>(uniqueStrings / 128 + 1, 8));
}

void Workbook::ExtSST::index(const SharedStringTable& sst, std::size_t sstPosition)
{
    stringsPerBucket = bucketSize(sst.uniqueCount());
    buckets.clear();
    for (std::size_t i = 0; i < sst.uniqueCount(); i += stringsPerBucket) {
        const SharedStringTable::Placement at = sst.placement(i);
        Bucket bucket;
        bucket.streamOffset = std::uint32_t(sstPosition + at.streamOffset);
        bucket.recordOffset = std::uint16_t(at.recordOffset);
        buckets.push_back(bucket);
    }
}

bool Workbook::ExtSST::readFields(ByteReader& in)
{
    stringsPerBucket = in.get16();
    if (in.remaining() % 8 != 0)
        return false;
    buckets.assign(in.remaining() / 8, Bucket());
    for (Bucket& bucket : buckets) {
        bucket.streamOffset = in.get32();
        bucket.recordOffset = in.get16();
        bucket.reserved = in.get16();
    }
    return in.ok();
}

void Workbook::ExtSST::writeFields(ByteWriter& out) const
{
    out.put16(stringsPerBucket);
    for (const Bucket& bucket : buckets) {
        out.put32(bucket.streamOffset);
        out.put16(bucket.recordOffset);
        out.put16(bucket.reserved);
    }
}

} // namespace Xls
