#include "WorkbookFormat.h"

#include "BlockQueue.h"
#include "BlockWriter.h"
#include "ImportFormats.h"
#include "LooseTableReader.h"
#include "OdsWorkbook.h"
#include "PipeLines.h"
#include "XlsWorkbook.h"
#include "XlsxWorkbook.h"

#include <new>

namespace {

// Blocks of lines written ahead of the table rules, and their size: about a thousand rows.
constexpr std::size_t kLineBlocksAhead = 8;
constexpr std::size_t kLineBlock = std::size_t(64) << 10;
// What the columns reserve for, before the sheet's size is known: they grow past it.
constexpr std::size_t kGuessedBytes = std::size_t(1) << 20;

ImportedData cannotRead(const QString& source, const QString& reason)
{
    ImportedData data;
    data.log << QStringLiteral("Kurvo: Can't read %1 (%2)").arg(source, reason);
    return data;
}

QString sourceText(const QString& path, const QString& part)
{
    return part.isEmpty() ? path : path + QLatin1Char(':') + part;
}

} // namespace

WorkbookFormat::WorkbookFormat(Kind kind)
    : kind(kind)
{
}

void WorkbookFormat::registerFormats()
{
    static const WorkbookFormat xlsx(Kind::Xlsx);
    static const WorkbookFormat ods(Kind::Ods);
    static const WorkbookFormat xls(Kind::Xls);
    ImportFormats::setPartFormat(QStringLiteral(".xlsx"), &xlsx);
    ImportFormats::setPartFormat(QStringLiteral(".ods"), &ods);
    ImportFormats::setPartFormat(QStringLiteral(".xls"), &xls);
}

bool WorkbookFormat::sheetNames(const QString& path, std::vector<std::string>& names, QString& reason) const
{
    switch (kind) {
    case Kind::Xlsx: {
        XlsxWorkbook book;
        if (!book.open(path, reason))
            return false;
        names = book.sheetNames();
        return true;
    }
    case Kind::Ods: {
        OdsWorkbook book;
        return book.open(path, reason) && book.sheetNames(names, reason);
    }
    case Kind::Xls: {
        XlsWorkbook book;
        if (!book.open(path, reason))
            return false;
        names = book.sheetNames();
        return true;
    }
    }
    return false;
}

bool WorkbookFormat::parts(const QString& path, std::vector<DataPart>& parts, QString& reason) const
{
    std::vector<std::string> names;
    try {
        if (!sheetNames(path, names, reason))
            return false;
    } catch (const std::bad_alloc&) {
        reason = QStringLiteral("not enough memory");
        return false;
    }
    for (const std::string& name : names)
        parts.push_back({QString::fromStdString(name), QString(), parts.empty()});
    return true;
}

bool WorkbookFormat::tableText(const QString& path, const QString& part, std::size_t maxLines, std::string& text,
                               QString& reason) const
{
    bool read = false;
    try {
        read = sheetText(path, part, maxLines, text, reason, XlsxWorkbook::Sink());
    } catch (const std::bad_alloc&) {
        text.clear();
        reason = QStringLiteral("not enough memory");
    }
    if (!read)
        reason = QStringLiteral("Kurvo: Can't read %1 (%2)").arg(sourceText(path, part), reason);
    return read;
}

bool WorkbookFormat::sheetText(const QString& path, const QString& part, std::size_t maxLines, std::string& text,
                               QString& reason, const std::function<void(std::string&)>& sink) const
{
    const std::string sheet = part.toStdString();
    switch (kind) {
    case Kind::Xlsx: {
        XlsxWorkbook book;
        return book.open(path, reason) && book.sheetText(sheet, maxLines, text, reason, sink);
    }
    case Kind::Ods: {
        OdsWorkbook book;
        return book.open(path, reason) && book.sheetText(sheet, maxLines, text, reason, sink);
    }
    case Kind::Xls: {
        XlsWorkbook book;
        return book.open(path, reason) && book.sheetText(sheet, maxLines, text, reason);
    }
    }
    return false;
}

// The table rules read the sheet's lines on this thread while another reads its XML and a
// third inflates it: the three take about as long each.
ImportedData WorkbookFormat::read(const QString& path, const QString& part, const QString& name,
                                  bool fitToPowerOfTwo, const TableOptions& options) const
{
    BlockQueue lines(kLineBlocksAhead);
    QString reason;
    ImportedData data;
    try {
        const BlockWriter writer(lines, [&] { writeLines(path, part, lines); });
        PipeLines pipe(lines, kGuessedBytes);
        data = LooseTableReader::read(pipe, name, fitToPowerOfTwo, options.forCells());
    } catch (const std::bad_alloc&) {
        return cannotRead(sourceText(path, part), QStringLiteral("not enough memory"));
    }
    // A sheet that failed half-way gave a table of its first rows only.
    if (!lines.failure().isEmpty())
        return cannotRead(sourceText(path, part), lines.failure());
    return data;
}

// Runs on the thread that reads the XML: hands on the text a block of whole lines at a time.
void WorkbookFormat::writeLines(const QString& path, const QString& part, BlockQueue& lines) const
{
    try {
        std::string text;
        QString reason;
        const auto handOn = [&](std::string& made) {
            const std::size_t end = made.rfind('\n');
            if (end == std::string::npos || end + 1 < kLineBlock)
                return;
            lines.push(made.substr(0, end + 1));
            made.erase(0, end + 1);
        };
        if (!sheetText(path, part, SheetXmlReader::kMaxRows, text, reason, handOn)) {
            lines.close(reason);
            return;
        }
        if (!text.empty())
            lines.push(std::move(text));
        lines.close();
    } catch (const std::bad_alloc&) {
        lines.close(QStringLiteral("not enough memory"));
    }
}
