#include "XlsxWorkbook.h"

#include "SharedStringsReader.h"
#include "SystemMemory.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <map>

namespace {

// Memory the shared strings may take for each byte of their XML.
constexpr double kStringsPerXmlByte = 6.0;
// The parts that describe the workbook are small; one larger than this is no workbook's.
constexpr std::size_t kLargestPart = std::size_t(64) << 20;

// The document takes a copy of the bytes, which need not outlive the call.
bool readXml(const ZipArchive& archive, const std::string& entry, pugi::xml_document& document, QString& reason)
{
    std::string bytes;
    if (!archive.read(entry, kLargestPart, bytes, reason))
        return false;
    if (!document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_utf8)) {
        reason = QStringLiteral("%1 is not well-formed XML").arg(QString::fromStdString(entry));
        return false;
    }
    return true;
}

// The local name of an element or attribute: the workbook parts use prefixes freely.
std::string_view local(const char* name)
{
    const std::string_view text(name);
    const std::size_t colon = text.rfind(':');
    return colon == std::string_view::npos ? text : text.substr(colon + 1);
}

pugi::xml_attribute attributeOf(const pugi::xml_node& node, std::string_view name)
{
    for (const pugi::xml_attribute& attribute : node.attributes()) {
        if (local(attribute.name()) == name)
            return attribute;
    }
    return pugi::xml_attribute();
}

// Every element below `root` with the local name `name`, in document order. The walk keeps
// no stack of its own, so no depth of nesting can exhaust it.
std::vector<pugi::xml_node> elements(const pugi::xml_node& root, std::string_view name)
{
    std::vector<pugi::xml_node> found;
    pugi::xml_node node = root.first_child();
    while (node) {
        if (node.type() == pugi::node_element && local(node.name()) == name)
            found.push_back(node);
        if (node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node != root && !node.next_sibling())
            node = node.parent();
        if (node == root)
            break;
        node = node.next_sibling();
    }
    return found;
}

// A relationship's target as an entry of the package: relative to the folder of the part
// that names it, or from the package's root where it starts with '/'.
std::string entryOf(const std::string& folder, std::string target)
{
    if (!target.empty() && target.front() == '/')
        return target.substr(1);
    std::string base = folder;
    while (target.compare(0, 3, "../") == 0) {
        target.erase(0, 3);
        const std::size_t slash = base.find_last_of('/', base.size() >= 2 ? base.size() - 2 : 0);
        base = slash == std::string::npos ? std::string() : base.substr(0, slash + 1);
    }
    return base + target;
}

std::string folderOf(const std::string& entry)
{
    const std::size_t slash = entry.rfind('/');
    return slash == std::string::npos ? std::string() : entry.substr(0, slash + 1);
}

// The relationships of a part, by their identifier; none where the part has no relations.
std::map<std::string, std::pair<std::string, std::string>> relationsOf(const ZipArchive& archive, const std::string& part)
{
    std::map<std::string, std::pair<std::string, std::string>> relations;
    const std::string entry = folderOf(part) + "_rels/" + part.substr(folderOf(part).size()) + ".rels";
    QString ignored;
    pugi::xml_document document;
    if (!archive.contains(entry) || !readXml(archive, entry, document, ignored))
        return relations;
    for (const pugi::xml_node& relation : elements(document, "Relationship")) {
        const std::string type = attributeOf(relation, "Type").value();
        relations[attributeOf(relation, "Id").value()] = {type.substr(type.rfind('/') + 1),
                                                          entryOf(folderOf(part), attributeOf(relation, "Target").value())};
    }
    return relations;
}

// A format code without its quoted text, escaped characters, colours and locales.
std::string plainCode(const std::string& code)
{
    std::string plain;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (c == '"') {
            const std::size_t close = code.find('"', i + 1);
            i = close == std::string::npos ? code.size() : close;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;
        } else if (c == '[') {
            const std::size_t close = code.find(']', i + 1);
            const std::string inside = code.substr(i + 1, close == std::string::npos ? std::string::npos : close - i - 1);
            // Elapsed hours, minutes and seconds ([h]:mm) are times.
            if (!inside.empty() && std::string("hHmMsS").find(inside.front()) != std::string::npos)
                plain += inside;
            i = close == std::string::npos ? code.size() : close;
        } else {
            plain += char(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return plain;
}

} // namespace

bool XlsxWorkbook::open(const QString& path, QString& reason)
{
    if (!archive.open(path, reason))
        return false;
    std::string workbook = "xl/workbook.xml";
    for (const auto& [id, relation] : relationsOf(archive, "")) {
        if (relation.first == "officeDocument")
            workbook = relation.second;
    }
    return readWorkbook(workbook, reason);
}

bool XlsxWorkbook::readWorkbook(const std::string& entry, QString& reason)
{
    pugi::xml_document document;
    if (!readXml(archive, entry, document, reason))
        return false;
    const auto relations = relationsOf(archive, entry);
    for (const auto& [id, relation] : relations) {
        if (relation.first == "sharedStrings")
            sharedStringsEntry = relation.second;
        else if (relation.first == "styles")
            stylesEntry = relation.second;
    }
    for (const pugi::xml_node& properties : elements(document, "workbookPr")) {
        const std::string date1904 = attributeOf(properties, "date1904").value();
        context.date1904 = date1904 == "1" || date1904 == "true";
    }
    for (const pugi::xml_node& sheet : elements(document, "sheet")) {
        const auto relation = relations.find(attributeOf(sheet, "id").value());
        if (relation != relations.end() && relation->second.first == "worksheet")
            sheets.push_back({attributeOf(sheet, "name").value(), relation->second.second});
    }
    if (sheets.empty()) {
        reason = QStringLiteral("the workbook has no worksheet");
        return false;
    }
    return true;
}

std::vector<std::string> XlsxWorkbook::sheetNames() const
{
    std::vector<std::string> names;
    for (const Sheet& sheet : sheets)
        names.push_back(sheet.name);
    return names;
}

bool XlsxWorkbook::sheetText(const std::string& sheet, std::size_t maxLines, std::string& text, QString& reason,
                             const Sink& sink)
{
    const auto named = std::find_if(sheets.begin(), sheets.end(), [&](const Sheet& s) { return s.name == sheet; });
    if (!sheet.empty() && named == sheets.end()) {
        reason = QStringLiteral("no sheet is named %1").arg(QString::fromStdString(sheet));
        return false;
    }
    if (!contextRead) {
        if ((!stylesEntry.empty() && archive.contains(stylesEntry) && !readStyles(stylesEntry, reason))
            || (!sharedStringsEntry.empty() && archive.contains(sharedStringsEntry)
                && !readSharedStrings(sharedStringsEntry, reason)))
            return false;
        contextRead = true;
    }
    SheetXmlReader reader(context, text, maxLines);
    const std::string& entry = (sheet.empty() ? sheets.front() : *named).entry;
    const auto scan = [&](std::string_view xml, bool atEnd) {
        const std::size_t taken = reader.scan(xml, atEnd);
        if (sink)
            sink(text);
        return taken;
    };
    return archive.stream(entry, scan, [&] { return reader.done(); }, [&] { return reader.failed(); }, reason);
}

bool XlsxWorkbook::readStyles(const std::string& entry, QString& reason)
{
    pugi::xml_document document;
    if (!readXml(archive, entry, document, reason))
        return false;
    std::map<int, std::string> codes;
    for (const pugi::xml_node& format : elements(document, "numFmt"))
        codes[attributeOf(format, "numFmtId").as_int(-1)] = attributeOf(format, "formatCode").value();
    for (const pugi::xml_node& list : elements(document, "cellXfs")) {
        for (const pugi::xml_node& style : list.children()) {
            if (local(style.name()) != "xf")
                continue;
            const int id = attributeOf(style, "numFmtId").as_int(0);
            const auto code = codes.find(id);
            context.styles.push_back(shownBy(id, code == codes.end() ? std::string() : code->second));
        }
    }
    return true;
}

// The strings are held apart, each with the few dozen bytes a string takes: a table of many
// short strings, or a package that inflates far beyond its size, takes several times its XML.
bool XlsxWorkbook::readSharedStrings(const std::string& entry, QString& reason)
{
    const double needed = double(archive.inflatedSize(entry)) * kStringsPerXmlByte;
    const double available = double(SystemMemory().bytes());
    if (needed > available) {
        reason = QStringLiteral("its shared strings need %1 GB, %2 GB are available")
                     .arg(needed / 1e9, 0, 'f', 1)
                     .arg(available / 1e9, 0, 'f', 1);
        return false;
    }
    SharedStringsReader reader(context.sharedStrings);
    return archive.stream(entry, [&](std::string_view xml, bool atEnd) { return reader.scan(xml, atEnd); },
                          [] { return false; }, [&] { return reader.failed(); }, reason);
}

// The built-in formats by number: 14 to 17 and 22 are dates, 18 to 21 and 45 to 47 times,
// 27 to 36 and 50 to 58 the dates of East Asian locales. A format of the workbook's own is a
// date where it writes years or days, a time where it writes hours or seconds.
CellText::Shown XlsxWorkbook::shownBy(int formatId, const std::string& formatCode)
{
    if (formatCode.empty()) {
        if ((formatId >= 14 && formatId <= 17) || formatId == 22 || (formatId >= 27 && formatId <= 36)
            || (formatId >= 50 && formatId <= 58))
            return CellText::Shown::Date;
        if ((formatId >= 18 && formatId <= 21) || (formatId >= 45 && formatId <= 47))
            return CellText::Shown::Time;
        return CellText::Shown::Number;
    }
    const std::string plain = plainCode(formatCode.substr(0, formatCode.find(';')));
    if (plain.find_first_of("yd") != std::string::npos)
        return CellText::Shown::Date;
    if (plain.find_first_of("hs") != std::string::npos)
        return CellText::Shown::Time;
    return CellText::Shown::Number;
}
