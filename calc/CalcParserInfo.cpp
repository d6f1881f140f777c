#include "CalcParserInfo.h"

#include "CalcFunctionInfo.h"
#include "CalcItemInfo.h"
#include "CalcLibraryInfo.h"
#include "CalcMessageInfo.h"
#include "CalcOperatorInfo.h"
#include "CalcRegularFile.h"

#include <pugixml.hpp>

#include <vector>

namespace {

using Nodes = std::vector<pugi::xml_node>;

const char* const rootName = "calcLibraryInfo";

// A required attribute must be present; its text may be empty.
bool required(const pugi::xml_node& node, const char* name, std::string& text)
{
    const pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute)
        return false;
    text = attribute.value();
    return true;
}

std::string optional(const pugi::xml_node& node, const char* name)
{
    return node.attribute(name).value();
}

std::string trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// "x, y" gives x and y; an empty text gives no name at all.
std::vector<std::string> listOf(const std::string& text)
{
    std::vector<std::string> items;
    if (trimmed(text).empty())
        return items;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        items.push_back(trimmed(text.substr(start, comma - start)));
        if (comma == std::string::npos)
            return items;
        start = comma + 1;
    }
}

const pugi::xml_node* at(const Nodes& nodes, std::uint32_t index)
{
    return index < nodes.size() ? &nodes[index] : nullptr;
}

// The file's bytes, or false when it is no regular file or cannot be read; a
// file above the limit reads as empty, which no parser accepts.
bool readLimited(const std::string& file, std::string& bytes)
{
    if (!CalcRegularFile(file).read(bytes, CalcParserInfo::maxFileBytes))
        return false;
    if (bytes.size() > CalcParserInfo::maxFileBytes)
        bytes.clear();
    return true;
}

} // namespace

struct CalcParserInfo::Document {
    pugi::xml_document xml;
    pugi::xml_node root;
    Nodes functions;
    Nodes operators;
    Nodes constants;
    Nodes variables;
    Nodes messages;
};

CalcParserInfo::CalcParserInfo() = default;

CalcParserInfo::~CalcParserInfo() = default;

CalcParserInfo::LoadResult CalcParserInfo::load(const std::string& file)
{
    document_.reset();
    std::string bytes;
    if (!readLimited(file, bytes))
        return LoadResult::openFailed;
    auto document = std::make_unique<Document>();
    if (!document->xml.load_buffer(bytes.data(), bytes.size()))
        return LoadResult::malformed;
    document->root = document->xml.child(rootName);
    if (!document->root)
        return LoadResult::malformed;
    if (std::string(document->root.attribute("version").value()) != formatVersion)
        return LoadResult::badVersion;
    document_ = std::move(document);
    return LoadResult::loaded;
}

bool CalcParserInfo::selectLocale(const std::string& locale)
{
    if (!document_)
        return false;
    const pugi::xml_node found = document_->root.find_child_by_attribute("locale", "name", locale.c_str());
    if (!found)
        return false;
    Document& d = *document_;
    d.functions.assign(found.children("function").begin(), found.children("function").end());
    d.operators.assign(found.children("operator").begin(), found.children("operator").end());
    d.constants.assign(found.children("constant").begin(), found.children("constant").end());
    d.variables.assign(found.children("variable").begin(), found.children("variable").end());
    d.messages.assign(found.children("message").begin(), found.children("message").end());
    return true;
}

bool CalcParserInfo::libraryInfo(CalcLibraryInfo& info) const
{
    const pugi::xml_node library = document_ ? document_->root.child("library") : pugi::xml_node();
    if (!library || !required(library, "name", info.name) || !required(library, "type", info.type))
        return false;
    info.version = optional(library, "version");
    info.classId = optional(library, "classId");
    info.description = optional(library, "description");
    info.vendor = optional(library, "vendor");
    return info.type != CalcLibraryInfo::pluginType || !info.classId.empty();
}

std::uint32_t CalcParserInfo::functionCount() const
{
    return document_ ? static_cast<std::uint32_t>(document_->functions.size()) : 0;
}

bool CalcParserInfo::function(std::uint32_t index, CalcFunctionInfo& info) const
{
    const pugi::xml_node* node = document_ ? at(document_->functions, index) : nullptr;
    if (!node || !required(*node, "id", info.id) || !required(*node, "symbol", info.symbol)
        || !required(*node, "description", info.description))
        return false;
    info.argNames = listOf(optional(*node, "args"));
    info.argDescriptions = listOf(optional(*node, "argDescriptions"));
    return true;
}

std::uint32_t CalcParserInfo::operatorCount() const
{
    return document_ ? static_cast<std::uint32_t>(document_->operators.size()) : 0;
}

bool CalcParserInfo::op(std::uint32_t index, CalcOperatorInfo& info) const
{
    const pugi::xml_node* node = document_ ? at(document_->operators, index) : nullptr;
    std::string args;
    if (!node || !required(*node, "id", info.id) || !required(*node, "symbol", info.symbol)
        || !required(*node, "description", info.description) || !required(*node, "args", args))
        return false;
    info.argNames = listOf(args);
    return info.argNames.size() == 1 || info.argNames.size() == 2;
}

std::uint32_t CalcParserInfo::constantCount() const
{
    return document_ ? static_cast<std::uint32_t>(document_->constants.size()) : 0;
}

bool CalcParserInfo::constant(std::uint32_t index, CalcItemInfo& info) const
{
    const pugi::xml_node* node = document_ ? at(document_->constants, index) : nullptr;
    return node && required(*node, "name", info.name) && required(*node, "description", info.description);
}

std::uint32_t CalcParserInfo::variableCount() const
{
    return document_ ? static_cast<std::uint32_t>(document_->variables.size()) : 0;
}

bool CalcParserInfo::variable(std::uint32_t index, CalcItemInfo& info) const
{
    const pugi::xml_node* node = document_ ? at(document_->variables, index) : nullptr;
    return node && required(*node, "name", info.name) && required(*node, "description", info.description);
}

std::uint32_t CalcParserInfo::messageCount() const
{
    return document_ ? static_cast<std::uint32_t>(document_->messages.size()) : 0;
}

bool CalcParserInfo::message(std::uint32_t index, CalcMessageInfo& info) const
{
    const pugi::xml_node* node = document_ ? at(document_->messages, index) : nullptr;
    return node && required(*node, "id", info.identifier) && required(*node, "text", info.text);
}
