// The text table reader, both readings (strict and loose) and both point counts. The curves
// share x; at most sixteen columns come out; fitted to a power of two, a table is the first
// rows of the full one, bit for bit. The table read with choices the first two bytes make,
// and its preview, hold the same shape.

#include "FuzzCheck.h"
#include "PowerOfTwo.h"
#include "ByteLines.h"
#include "LooseLines.h"
#include "LooseTableReader.h"
#include "TablePreview.h"
#include "TextTableReader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

// Row numbers as x are kept as a start and a step, with no array.
int pointsOf(const ImportedData& table)
{
    return table.evenX ? (table.y.empty() ? 0 : table.y.front().size()) : table.x.size();
}

void checkShape(const ImportedData& table)
{
    fuzz::check(table.y.size() <= std::size_t(TextTableReader::kMaxFields), "at most sixteen curves");
    fuzz::check(!table.evenX || table.x.isEmpty(), "x is either an array or a start and a step");
    for (const auto& y : table.y)
        fuzz::check(y.size() == pointsOf(table), "every curve has a y for each x");
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

// Choices from two bytes: separator, decimal mark, lines skipped, header, x column and units.
TableOptions choices(std::uint8_t a, std::uint8_t b)
{
    static const char separators[] = {0, '\t', ';', ',', '|', ' ', ':', '.'};
    TableOptions options;
    options.separator = separators[a & 7];
    options.decimal = TableOptions::DecimalMark((a >> 3) % 3);
    options.skip = (a >> 5) - 1;
    options.header = (b & 3) - 1;
    options.xColumn = (b & 12) == 4 ? QStringLiteral("none") : (b & 12) == 8 ? QStringLiteral("2") : QString();
    options.unitsRow = (b & 16) == 0;
    return options;
}

void checkChosen(std::string_view bytes)
{
    const TableOptions options = choices(std::uint8_t(bytes[0]), std::uint8_t(bytes[1]));
    const ImportedData chosen = LooseTableReader::read(bytes.substr(2), QStringLiteral("fuzz"), false, options);
    checkShape(chosen);
    ByteLines lines(bytes.substr(2));
    LooseLines loose(lines);
    const TablePreview preview = TablePreview::ofLines(LooseTableReader::firstLines(loose, options, 1000), options);
    fuzz::check(preview.rows.size() <= TablePreview::kRows, "a preview shows at most its rows");
    if (!chosen.y.empty())
        fuzz::check(preview.problem.isEmpty() && preview.shape.curves.size() == chosen.y.size(),
                    "the preview draws the curves the reading draws");
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
    if (size > 2)
        checkChosen(bytes);
    fuzz::check(full.y.size() == fitted.y.size(), "fitting keeps every curve");
    if (full.y.empty())
        return 0;
    fuzz::check(std::size_t(pointsOf(fitted)) == powerOfTwoCount(std::size_t(pointsOf(full))),
                "fitting keeps a power of two of points");
    fuzz::check(fitted.evenX.has_value() == full.evenX.has_value() && isPrefix(fitted.x, full.x),
                "fitted x are the first x");
    for (std::size_t c = 0; c < full.y.size(); ++c)
        fuzz::check(isPrefix(fitted.y[c], full.y[c]), "fitted y are the first y");
    return 0;
}
