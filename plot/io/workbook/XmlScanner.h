#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Reads XML a piece at a time, as it comes out of a compressed entry, and tells a handler of
// its elements and text in order. Names come without their namespace prefix, which the
// workbook formats fix by convention. Only the five named entities and character references
// are expanded; a document type's own entities never are, so no file can make them grow.
class XmlScanner
{
public:
    struct Attribute {
        std::string_view name;
        // As written, references not expanded.
        std::string_view value;
    };

    class Handler
    {
    public:
        virtual ~Handler() = default;
        // An empty element gives a start and an end.
        virtual void start(std::string_view name, const std::vector<Attribute>& attributes) = 0;
        virtual void end(std::string_view name) = 0;
        // `raw` text still holds its references; the text of a CDATA section holds none.
        virtual void text(std::string_view text, bool raw) = 0;
    };

    explicit XmlScanner(Handler& handler);

    // Reports every complete token at the start of `bytes` and returns the bytes they took;
    // the rest must come again with the bytes that follow. With `atEnd` nothing follows, and
    // a token left incomplete makes the document malformed.
    std::size_t scan(std::string_view bytes, bool atEnd);
    bool failed() const { return malformed; }

    static std::string_view localName(std::string_view name);
    // Appends `raw` with its references expanded; an unknown one stays as written.
    static void appendDecoded(std::string_view raw, std::string& to);
    static std::string decoded(std::string_view raw);

private:
    // Each returns the position after its token, or npos while the token is incomplete.
    std::size_t markup(std::string_view bytes, std::size_t at);
    std::size_t startTag(std::string_view bytes, std::size_t at);
    std::size_t endTag(std::string_view bytes, std::size_t at);
    std::size_t declaration(std::string_view bytes, std::size_t at);

    Handler& handler;
    std::vector<Attribute> attributes;
    bool malformed = false;
};
