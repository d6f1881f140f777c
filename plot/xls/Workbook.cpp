#include "Workbook.h"

#include "ByteWriter.h"
#include "CompoundFile.h"
#include "UnicodeText.h"
#include "WorkbookGlobals.h"
#include "Worksheet.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <stdexcept>

namespace Xls {

namespace {

const std::size_t maxSheetNameLength = 31;
// EXTSST counts its buckets' strings in 16 bits, at least one 128th of all strings each.
const std::size_t maxUniqueStrings = 65535 * 128 - 1;

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool sameIgnoringAsciiCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    return true;
}

} // namespace

Workbook::Workbook()
{
    newWorkbook(1);
}

Workbook::~Workbook() = default;
Workbook::Workbook(Workbook&&) noexcept = default;
Workbook& Workbook::operator=(Workbook&&) noexcept = default;

std::size_t Workbook::worksheetCount() const
{
    return sheets.size();
}

Worksheet* Workbook::worksheet(const std::string& name)
{
    for (const auto& sheet : sheets)
        if (sheet->name() == name)
            return sheet.get();
    return nullptr;
}

Worksheet* Workbook::worksheet(std::size_t index)
{
    return index < sheets.size() ? sheets[index].get() : nullptr;
}

void Workbook::newWorkbook(int sheetCount)
{
    globals = std::make_unique<Globals>();
    sheets.clear();
    const std::size_t wanted = sheetCount < 1 ? 1 : std::min(std::size_t(sheetCount), maxSheets);
    while (sheets.size() < wanted)
        addWorksheet();
}

Worksheet* Workbook::addWorksheet()
{
    if (sheets.size() >= maxSheets)
        return nullptr;
    std::string name;
    for (std::size_t number = sheets.size() + 1;; ++number) {
        name = "Sheet" + std::to_string(number);
        if (!nameTaken(name, nullptr))
            break;
    }
    sheets.push_back(std::make_unique<Worksheet>(name));
    return sheets.back().get();
}

bool Workbook::renameWorksheet(const std::string& from, const std::string& to)
{
    Worksheet* sheet = worksheet(from);
    if (!sheet || !isValidSheetName(to) || nameTaken(to, sheet))
        return false;
    sheet->sheetName = to;
    return true;
}

bool Workbook::isValidSheetName(const std::string& name)
{
    if (name.empty() || !UnicodeText::isUtf8(name) || name.front() == '\'' || name.back() == '\'')
        return false;
    if (UnicodeText::fromUtf8(name).length() > maxSheetNameLength)
        return false;
    for (char c : name)
        if (c == '\0' || c == '\3' || std::strchr(":\\*?/[]", c))
            return false;
    return true;
}

bool Workbook::nameTaken(const std::string& name, const Worksheet* except) const
{
    for (const auto& sheet : sheets)
        if (sheet.get() != except && sameIgnoringAsciiCase(sheet->name(), name))
            return true;
    return false;
}

bool Workbook::workbookStream(std::vector<std::uint8_t>& stream) const
{
    stream.clear();
    Globals layout(*globals);
    for (const auto& sheet : sheets) {
        sheet->collectStrings(layout.sst);
        layout.boundSheets.emplace_back(UnicodeText::fromUtf8(sheet->name()));
    }
    if (layout.sst.uniqueCount() > maxUniqueStrings)
        return false;
    layout.indexStrings();

    // The sheets follow the globals; the globals go in front last, once every sheet's
    // position is known.
    stream.resize(layout.size());
    ByteWriter out(stream);
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        layout.boundSheets[i].position = std::uint32_t(out.size());
        sheets[i]->writeSubstream(out, layout.sst, i == layout.window1.activeSheet);
        if (out.size() > CompoundFile::maxStreamSize) {
            stream.clear();
            return false;
        }
    }
    std::vector<std::uint8_t> front;
    front.reserve(layout.size());
    ByteWriter globalsOut(front);
    layout.write(globalsOut);
    std::copy(front.begin(), front.end(), stream.begin());
    return true;
}

bool Workbook::saveAs(const char* path) const
{
    if (!path || !*path)
        return false;
    bool begun = false;
    try {
        std::vector<std::uint8_t> stream;
        if (!workbookStream(stream))
            return false;
        const CompoundFile container(stream.size());
        if (!container.valid())
            return false;
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        if (!file)
            return false;
        begun = true;
        const bool written = container.write(file, stream.data());
        file.close();
        if (written && !file.fail())
            return true;
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    // A file that was begun but not finished is no workbook: leave none behind. Only a
    // regular file is removed; a device or pipe written to is left alone.
    std::error_code error;
    if (begun && std::filesystem::is_regular_file(path, error))
        std::remove(path);
    return false;
}

} // namespace Xls
