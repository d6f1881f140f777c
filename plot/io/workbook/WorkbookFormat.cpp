#include "WorkbookFormat.h"

#include "ImportFormats.h"
#include "LooseTableReader.h"
#include "OdsWorkbook.h"
#include "XlsWorkbook.h"
#include "XlsxWorkbook.h"

#include <new>

namespace {

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
    const std::string sheet = part.toStdString();
    bool read = false;
    try {
        switch (kind) {
        case Kind::Xlsx: {
            XlsxWorkbook book;
            read = book.open(path, reason) && book.sheetText(sheet, maxLines, text, reason);
            break;
        }
        case Kind::Ods: {
            OdsWorkbook book;
            read = book.open(path, reason) && book.sheetText(sheet, maxLines, text, reason);
            break;
        }
        case Kind::Xls: {
            XlsWorkbook book;
            read = book.open(path, reason) && book.sheetText(sheet, maxLines, text, reason);
            break;
        }
        }
    } catch (const std::bad_alloc&) {
        text.clear();
        reason = QStringLiteral("not enough memory");
        read = false;
    }
    if (!read)
        reason = QStringLiteral("Kurvo: Can't read %1 (%2)").arg(sourceText(path, part), reason);
    return read;
}

ImportedData WorkbookFormat::read(const QString& path, const QString& part, const QString& name,
                                  bool fitToPowerOfTwo, const TableOptions& options) const
{
    std::string text;
    QString reason;
    if (!tableText(path, part, SheetXmlReader::kMaxRows, text, reason)) {
        ImportedData data;
        data.log << reason;
        return data;
    }
    try {
        return LooseTableReader::read(text, name, fitToPowerOfTwo, options.forCells());
    } catch (const std::bad_alloc&) {
        return cannotRead(sourceText(path, part), QStringLiteral("not enough memory"));
    }
}
