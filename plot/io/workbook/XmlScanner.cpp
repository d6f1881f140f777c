#include "XmlScanner.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr std::size_t npos = std::string_view::npos;
// The longest opening a token is told by: "<![CDATA[".
constexpr std::size_t kLongestOpening = 9;

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isNameEnd(char c)
{
    return isSpace(c) || c == '>' || c == '/' || c == '=';
}

std::size_t skipSpace(std::string_view bytes, std::size_t at)
{
    while (at < bytes.size() && isSpace(bytes[at]))
        ++at;
    return at;
}

std::size_t nameEnd(std::string_view bytes, std::size_t at)
{
    while (at < bytes.size() && !isNameEnd(bytes[at]))
        ++at;
    return at;
}

void appendUtf8(std::uint32_t code, std::string& to)
{
    if (code < 0x80) {
        to += char(code);
    } else if (code < 0x800) {
        to += char(0xC0 | (code >> 6));
        to += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        to += char(0xE0 | (code >> 12));
        to += char(0x80 | ((code >> 6) & 0x3F));
        to += char(0x80 | (code & 0x3F));
    } else {
        to += char(0xF0 | (code >> 18));
        to += char(0x80 | ((code >> 12) & 0x3F));
        to += char(0x80 | ((code >> 6) & 0x3F));
        to += char(0x80 | (code & 0x3F));
    }
}

// The character a reference between '&' and ';' stands for; false for an unknown one.
bool referenced(std::string_view name, std::string& to)
{
    static const struct {
        const char* name;
        char c;
    } named[] = {{"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}};
    for (const auto& entity : named) {
        if (name == entity.name) {
            to += entity.c;
            return true;
        }
    }
    if (name.size() < 2 || name[0] != '#')
        return false;
    const bool hex = name[1] == 'x' || name[1] == 'X';
    std::uint32_t code = 0;
    std::size_t digits = 0;
    for (std::size_t i = hex ? 2 : 1; i < name.size(); ++i, ++digits) {
        const char c = name[i];
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hex && (c | 0x20) >= 'a' && (c | 0x20) <= 'f')
            digit = (c | 0x20) - 'a' + 10;
        if (digit < 0 || code > 0x10FFFF)
            return false;
        code = code * (hex ? 16 : 10) + std::uint32_t(digit);
    }
    if (digits == 0 || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
        return false;
    appendUtf8(code, to);
    return true;
}

} // namespace

XmlScanner::XmlScanner(Handler& handler)
    : handler(handler)
{
}

std::size_t XmlScanner::scan(std::string_view bytes, bool atEnd)
{
    std::size_t at = 0;
    while (at < bytes.size() && !malformed) {
        if (bytes[at] != '<') {
            const void* lt = std::memchr(bytes.data() + at, '<', bytes.size() - at);
            const std::size_t stop = lt ? std::size_t(static_cast<const char*>(lt) - bytes.data()) : bytes.size();
            if (!lt && !atEnd)
                break;
            handler.text(bytes.substr(at, stop - at), true);
            at = stop;
            continue;
        }
        if (!atEnd && bytes.size() - at < kLongestOpening)
            break;
        const std::size_t next = markup(bytes, at);
        if (next == npos) {
            malformed = malformed || atEnd;
            break;
        }
        at = next;
    }
    return at;
}

std::size_t XmlScanner::markup(std::string_view bytes, std::size_t at)
{
    const std::string_view rest = bytes.substr(at);
    if (rest.substr(0, 4) == "<!--") {
        const std::size_t close = bytes.find("-->", at + 4);
        return close == npos ? npos : close + 3;
    }
    if (rest.substr(0, 9) == "<![CDATA[") {
        const std::size_t close = bytes.find("]]>", at + 9);
        if (close == npos)
            return npos;
        handler.text(bytes.substr(at + 9, close - at - 9), false);
        return close + 3;
    }
    if (rest.substr(0, 2) == "<?") {
        const std::size_t close = bytes.find("?>", at + 2);
        return close == npos ? npos : close + 2;
    }
    if (rest.substr(0, 2) == "<!")
        return declaration(bytes, at);
    if (rest.substr(0, 2) == "</")
        return endTag(bytes, at);
    return startTag(bytes, at);
}

// A document type may hold declarations in brackets, whose quoted texts may hold '>'.
std::size_t XmlScanner::declaration(std::string_view bytes, std::size_t at)
{
    int depth = 0;
    char quote = 0;
    for (std::size_t i = at + 2; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (quote) {
            quote = c == quote ? 0 : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '[') {
            ++depth;
        } else if (c == ']') {
            --depth;
        } else if (c == '>' && depth <= 0) {
            return i + 1;
        }
    }
    return npos;
}

std::size_t XmlScanner::endTag(std::string_view bytes, std::size_t at)
{
    const std::size_t close = bytes.find('>', at + 2);
    if (close == npos)
        return npos;
    const std::size_t stop = nameEnd(bytes, at + 2);
    if (stop == at + 2 || skipSpace(bytes, stop) != close) {
        malformed = true;
        return npos;
    }
    handler.end(localName(bytes.substr(at + 2, stop - at - 2)));
    return close + 1;
}

std::size_t XmlScanner::startTag(std::string_view bytes, std::size_t at)
{
    const std::size_t stop = nameEnd(bytes, at + 1);
    if (stop == at + 1 && stop < bytes.size()) {
        malformed = true;
        return npos;
    }
    const std::string_view name = localName(bytes.substr(at + 1, stop - at - 1));
    attributes.clear();
    std::size_t i = stop;
    for (;;) {
        i = skipSpace(bytes, i);
        if (i >= bytes.size())
            return npos;
        if (bytes[i] == '>') {
            handler.start(name, attributes);
            return i + 1;
        }
        if (bytes[i] == '/') {
            if (i + 1 >= bytes.size())
                return npos;
            if (bytes[i + 1] != '>') {
                malformed = true;
                return npos;
            }
            handler.start(name, attributes);
            handler.end(name);
            return i + 2;
        }
        const std::size_t attributeEnd = nameEnd(bytes, i);
        const std::size_t equals = skipSpace(bytes, attributeEnd);
        const std::size_t open = skipSpace(bytes, equals + 1);
        if (open >= bytes.size())
            return npos;
        if (attributeEnd == i || bytes[equals] != '=' || (bytes[open] != '"' && bytes[open] != '\'')) {
            malformed = true;
            return npos;
        }
        const std::size_t close = bytes.find(bytes[open], open + 1);
        if (close == npos)
            return npos;
        attributes.push_back({localName(bytes.substr(i, attributeEnd - i)), bytes.substr(open + 1, close - open - 1)});
        i = close + 1;
    }
}

std::string_view XmlScanner::localName(std::string_view name)
{
    const std::size_t colon = name.rfind(':');
    return colon == npos ? name : name.substr(colon + 1);
}

void XmlScanner::appendDecoded(std::string_view raw, std::string& to)
{
    std::size_t at = 0;
    for (;;) {
        const std::size_t amp = raw.find('&', at);
        to.append(raw.data() + at, (amp == npos ? raw.size() : amp) - at);
        if (amp == npos)
            return;
        const std::size_t semicolon = raw.find(';', amp + 1);
        if (semicolon == npos || semicolon - amp > 12 || !referenced(raw.substr(amp + 1, semicolon - amp - 1), to)) {
            to += '&';
            at = amp + 1;
            continue;
        }
        at = semicolon + 1;
    }
}

std::string XmlScanner::decoded(std::string_view raw)
{
    std::string text;
    appendDecoded(raw, text);
    return text;
}
