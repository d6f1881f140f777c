#include "Record.h"

#include "ByteReader.h"
#include "ByteWriter.h"

#include <cassert>

namespace Xls {

Record::Record(std::uint16_t code)
    : recordCode(code)
{
}

Record::~Record() = default;

bool Record::joinData(const std::uint8_t* bytes, std::size_t size, std::vector<std::uint8_t>& data,
                      std::vector<std::size_t>& cuts) const
{
    data.clear();
    cuts.clear();
    ByteReader in(bytes, size);
    if (in.get16() != recordCode)
        return false;
    std::size_t length = in.get16();
    for (;;) {
        const std::size_t at = data.size();
        data.resize(at + length);
        in.getBytes(data.data() + at, length);
        if (!in.ok())
            return false;
        if (in.remaining() < headerSize || bytes[in.position()] != (continueCode & 0xFF)
            || bytes[in.position() + 1] != continueCode >> 8)
            return true;
        in.skip(2);
        length = in.get16();
        cuts.push_back(data.size());
    }
}

bool Record::read(const std::uint8_t* bytes, std::size_t size)
{
    std::vector<std::uint8_t> data;
    std::vector<std::size_t> cuts;
    if (!joinData(bytes, size, data, cuts))
        return false;
    ByteReader in(data.data(), data.size());
    return readFields(in) && in.ok();
}

std::size_t Record::write(ByteWriter& out) const
{
    const std::size_t size = dataSize();
    const std::vector<std::size_t> cuts = continueOffsets();
    if (cuts.empty()) {
        const std::size_t before = out.size();
        out.put16(recordCode);
        out.put16(std::uint16_t(size));
        writeFields(out);
        assert(out.size() - before == headerSize + size);
        return out.size() - before;
    }
    std::vector<std::uint8_t> data;
    data.reserve(size);
    ByteWriter fields(data);
    writeFields(fields);
    assert(data.size() == size);
    std::size_t begin = 0;
    for (std::size_t piece = 0; piece <= cuts.size(); ++piece) {
        const std::size_t end = piece < cuts.size() ? cuts[piece] : data.size();
        out.put16(piece == 0 ? recordCode : continueCode);
        out.put16(std::uint16_t(end - begin));
        out.putBytes(data.data() + begin, end - begin);
        begin = end;
    }
    return headerSize * (cuts.size() + 1) + data.size();
}

std::size_t Record::recordSize() const
{
    return headerSize * (continueOffsets().size() + 1) + dataSize();
}

std::vector<std::size_t> Record::continueOffsets() const
{
    std::vector<std::size_t> cuts;
    const std::size_t size = dataSize();
    for (std::size_t cut = maxDataSize; cut < size; cut += maxDataSize)
        cuts.push_back(cut);
    return cuts;
}

} // namespace Xls
