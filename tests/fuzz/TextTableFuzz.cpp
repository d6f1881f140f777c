// The text table reader, both readings (strict and loose) and both point counts. The curves
// share x; at most sixteen columns come out; fitted to a power of two, a table is the first
// rows of the full one, bit for bit.

#include "FuzzCheck.h"
#include "PowerOfTwo.h"
#include "TextTableReader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

void checkShape(const ImportedData& table)
{
    fuzz::check(table.y.size() <= std::size_t(TextTableReader::kMaxFields), "at most sixteen curves");
    for (const auto& y : table.y)
        fuzz::check(y.size() == table.x.size(), "every curve has a y for each x");
}

bool isPrefix(const ImportedData::Column& part, const ImportedData::Column& whole)
{
    if (part.size() > whole.size())
        return false;
    for (int i = 0; i < part.size(); ++i) {
        if (fuzz::bitsOf(part[i]) != fuzz::bitsOf(whole[i]))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const QString name = QStringLiteral("fuzz");
    const ImportedData full = TextTableReader::read(bytes, name, false);
    const ImportedData fitted = TextTableReader::read(bytes, name, true);
    checkShape(full);
    checkShape(fitted);
    fuzz::check(full.y.size() == fitted.y.size(), "fitting keeps every curve");
    if (full.y.empty())
        return 0;
    fuzz::check(std::size_t(fitted.x.size()) == powerOfTwoCount(std::size_t(full.x.size())),
                "fitting keeps a power of two of points");
    fuzz::check(isPrefix(fitted.x, full.x), "fitted x are the first x");
    for (std::size_t c = 0; c < full.y.size(); ++c)
        fuzz::check(isPrefix(fitted.y[c], full.y[c]), "fitted y are the first y");
    return 0;
}
