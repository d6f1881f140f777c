// The array data file reader: whatever the header claims, the one curve it gives has a y for
// each x, and nothing is allocated for rows the file does not hold.

#include "ArrayFileReader.h"
#include "FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ImportedData array = ArrayFileReader::read(bytes, QStringLiteral("fuzz"));
    fuzz::check(array.y.size() <= 1, "only the first row becomes a curve");
    for (const auto& y : array.y)
        fuzz::check(y.size() == array.x.size(), "the curve has a y for each x");
    return 0;
}
