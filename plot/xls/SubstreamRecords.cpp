#include "SubstreamRecords.h"

#include "ByteReader.h"
#include "ByteWriter.h"

namespace Xls {

BOF::BOF(std::uint16_t substreamType)
    : Record(recordCode)
    , substreamType(substreamType)
{
}

bool BOF::readFields(ByteReader& in)
{
    version = in.get16();
    substreamType = in.get16();
    build = in.get16();
    year = in.get16();
    fileHistory = in.get32();
    lowestVersion = in.get32();
    return in.ok();
}

void BOF::writeFields(ByteWriter& out) const
{
    out.put16(version);
    out.put16(substreamType);
    out.put16(build);
    out.put16(year);
    out.put32(fileHistory);
    out.put32(lowestVersion);
}

Eof::Eof()
    : Record(recordCode)
{
}

bool Eof::readFields(ByteReader&)
{
    return true;
}

void Eof::writeFields(ByteWriter&) const
{
}

} // namespace Xls
