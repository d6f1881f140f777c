#include "OdsWorkbook.h"

#include "OdsContentReader.h"

#include <QStringList>

namespace {

const std::string kContent = "content.xml";

// A name no sheet has, which reads past every sheet and only collects their names.
const std::string kNoSheet(1, '\0');

bool readContent(const ZipArchive& archive, OdsContentReader& reader, QString& reason,
                 const std::function<void()>& grown = {})
{
    const auto scan = [&](std::string_view xml, bool atEnd) {
        const std::size_t taken = reader.scan(xml, atEnd);
        if (grown)
            grown();
        return taken;
    };
    return archive.stream(kContent, scan, [&] { return reader.done(); }, [&] { return reader.failed(); }, reason);
}

QString joined(const std::vector<std::string>& names)
{
    QStringList list;
    for (const std::string& name : names)
        list << QString::fromStdString(name);
    return list.join(QStringLiteral(", "));
}

} // namespace

bool OdsWorkbook::open(const QString& path, QString& reason)
{
    if (!archive.open(path, reason))
        return false;
    if (archive.contains(kContent))
        return true;
    reason = QStringLiteral("content.xml is missing");
    return false;
}

bool OdsWorkbook::sheetNames(std::vector<std::string>& names, QString& reason) const
{
    std::string none;
    OdsContentReader reader(kNoSheet, none);
    if (!readContent(archive, reader, reason))
        return false;
    names = reader.sheetNames();
    return true;
}

bool OdsWorkbook::sheetText(const std::string& sheet, std::size_t maxLines, std::string& text, QString& reason,
                            const Sink& sink) const
{
    OdsContentReader reader(sheet, text, maxLines);
    const auto grown = [&] {
        if (sink)
            sink(text);
    };
    if (!readContent(archive, reader, reason, grown))
        return false;
    if (reader.found())
        return true;
    reason = reader.sheetNames().empty()
                 ? QStringLiteral("the file has no sheet")
                 : QStringLiteral("no sheet is named %1; the sheets are %2")
                       .arg(QString::fromStdString(sheet), joined(reader.sheetNames()));
    return false;
}
