#include "ByteWriter.h"
#include "Cell.h"
#include "RecordScan.h"
#include "SharedStringTable.h"
#include "Workbook.h"
#include "Worksheet.h"

#include <gtest/gtest.h>

using namespace Xls;

namespace {

const std::uint16_t sstCode = 0x00FC;
const std::uint16_t extSstCode = 0x00FF;
const std::uint16_t continueCode = 0x003C;

// Texts enough for several CONTINUE records: many short ones, text beyond Latin-1, a text of
// 300 characters and one of 20 000 16-bit characters that spans records.
std::vector<std::string> manyTexts()
{
    std::vector<std::string> texts;
    for (int i = 0; i < 3000; ++i)
        texts.push_back("Kanal " + std::to_string(i));
    texts.insert(texts.begin() + 1000, "Messung-Ω");
    texts.insert(texts.begin() + 1500, std::string(300, 'z'));
    std::string omegas;
    for (int i = 0; i < 20000; ++i)
        omegas += "Ω";
    texts.insert(texts.begin() + 2000, omegas);
    return texts;
}

struct WalkedString {
    std::u16string units;
    std::size_t streamOffset; // of its character count
};

// Reads the SST and its CONTINUE records the way a strict reader does, failing the test
// where a string's header is cut from its first character or a cut array lacks its flags.
std::vector<WalkedString> walkSst(const std::vector<std::uint8_t>& stream, std::uint32_t& total)
{
    const auto records = scanRecords(stream);
    std::size_t first = 0;
    while (records.at(first).code != sstCode)
        ++first;
    std::vector<ScannedRecord> pieces = {records[first]};
    for (std::size_t i = first + 1; records.at(i).code == continueCode; ++i)
        pieces.push_back(records[i]);
    for (const auto& piece : pieces)
        EXPECT_LE(piece.data.size(), 8224u);

    std::size_t p = 0;
    std::size_t at = 8;
    total = le32(pieces[0].data, 0);
    const std::uint32_t unique = le32(pieces[0].data, 4);
    std::vector<WalkedString> strings;
    for (std::uint32_t s = 0; s < unique; ++s) {
        if (at == pieces[p].data.size()) {
            ++p;
            at = 0;
        }
        const auto& data = pieces.at(p).data;
        const std::size_t length = le16(data, at);
        std::uint8_t flags = data.at(at + 2);
        EXPECT_LE(at + 3 + ((flags & 1) ? 2 : 1), data.size()) << "header of string " << s << " cut from its text";
        WalkedString walked{u"", pieces[p].offset + 4 + at};
        at += 3;
        while (walked.units.size() < length) {
            if (at == pieces[p].data.size()) {
                ++p;
                at = 0;
                flags = pieces.at(p).data.at(at++);
                EXPECT_LE(flags, 1) << "continued characters of string " << s << " lack their flags";
            }
            const auto& chars = pieces[p].data;
            walked.units += (flags & 1) ? char16_t(le16(chars, at)) : char16_t(chars.at(at));
            at += (flags & 1) ? 2 : 1;
            EXPECT_LE(at, chars.size()) << "a 16-bit character of string " << s << " is cut";
        }
        strings.push_back(walked);
    }
    EXPECT_EQ(at, pieces[p].data.size()) << "bytes after the last string";
    EXPECT_EQ(p + 1, pieces.size());
    return strings;
}

std::vector<std::uint8_t> streamWithTexts(const std::vector<std::string>& texts)
{
    Workbook book;
    Worksheet* sheet = book.worksheet(std::size_t(0));
    for (std::size_t i = 0; i < texts.size(); ++i)
        sheet->cell(int(i), 0)->setText(texts[i].c_str());
    sheet->cell(0, 1)->setText(texts[0].c_str()); // used twice, stored once
    std::vector<std::uint8_t> stream;
    EXPECT_TRUE(book.workbookStream(stream));
    return stream;
}

} // namespace

TEST(SharedStringTable, LongTableIsCutWithoutSplittingAStringHeader)
{
    const auto texts = manyTexts();
    const auto stream = streamWithTexts(texts);
    std::uint32_t total = 0;
    const auto strings = walkSst(stream, total);
    EXPECT_EQ(total, texts.size() + 1);
    ASSERT_EQ(strings.size(), texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i)
        ASSERT_EQ(strings[i].units, UnicodeText::fromUtf8(texts[i]).units()) << "string " << i;
    EXPECT_GE(withCode(scanRecords(stream), continueCode).size(), 5u);
}

TEST(SharedStringTable, ExtSstPointsAtEveryBucketsFirstString)
{
    const auto texts = manyTexts();
    const auto stream = streamWithTexts(texts);
    std::uint32_t total = 0;
    const auto strings = walkSst(stream, total);
    const auto records = scanRecords(stream);
    const auto ext = withCode(records, extSstCode).at(0);
    const std::size_t perBucket = le16(ext.data, 0);
    EXPECT_EQ(perBucket, std::max<std::size_t>(texts.size() / 128 + 1, 8));
    ASSERT_EQ((ext.data.size() - 2) / 8, (texts.size() + perBucket - 1) / perBucket);
    for (std::size_t b = 0; 2 + 8 * b < ext.data.size(); ++b) {
        const std::size_t offset = le32(ext.data, 2 + 8 * b);
        const std::size_t inRecord = le16(ext.data, 6 + 8 * b);
        ASSERT_EQ(offset, strings[b * perBucket].streamOffset) << "bucket " << b;
        // The offset within the record counts from the header of the record holding it.
        bool found = false;
        for (const auto& record : records)
            found = found || (record.offset == offset - inRecord && (record.code == sstCode || record.code == continueCode));
        EXPECT_TRUE(found) << "bucket " << b;
    }
}

TEST(SharedStringTable, ReadsBackTheTableItWrote)
{
    Workbook::SharedStringTable sst;
    const auto texts = manyTexts();
    for (const auto& text : texts)
        sst.add(UnicodeText::fromUtf8(text));
    sst.add(UnicodeText::fromUtf8(texts[5]));
    EXPECT_EQ(sst.indexOf(UnicodeText::fromUtf8(texts[5])), 5);
    EXPECT_EQ(sst.indexOf(UnicodeText::fromUtf8("never added")), -1);
    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    const std::size_t written = sst.write(out);
    ASSERT_EQ(written, sst.recordSize());
    ASSERT_EQ(bytes.size(), sst.recordSize());

    Workbook::SharedStringTable back;
    ASSERT_TRUE(back.read(bytes.data(), bytes.size()));
    EXPECT_EQ(back.totalCount(), texts.size() + 1);
    ASSERT_EQ(back.uniqueCount(), texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i)
        ASSERT_EQ(back.string(i), sst.string(i)) << i;
    EXPECT_EQ(back.continueOffsets(), sst.continueOffsets());
    EXPECT_EQ(back.indexOf(UnicodeText::fromUtf8("Messung-Ω")), 1000);

    // Cut short anywhere, the table is refused rather than misread.
    for (std::size_t cut : {std::size_t(6), std::size_t(100), bytes.size() / 2, bytes.size() - 1})
        EXPECT_FALSE(Workbook::SharedStringTable().read(bytes.data(), cut)) << cut;
}

TEST(SharedStringTable, StringWhoseFirstCharacterNoLongerFitsBeginsTheNextRecord)
{
    // 8 bytes of counts and 3 + 8210 of the first string leave 3 bytes: room for the next
    // header but not for its first character.
    Workbook::SharedStringTable sst;
    sst.add(UnicodeText(std::u16string(8210, u'a')));
    sst.add(UnicodeText(u"bc"));
    EXPECT_EQ(sst.continueOffsets(), std::vector<std::size_t>{8221});
    EXPECT_EQ(sst.placement(1).recordOffset, 4u);
    EXPECT_EQ(sst.placement(1).streamOffset, 4u + 8221 + 4);

    // 4 bytes left: a 16-bit character needs 3 + 2.
    Workbook::SharedStringTable wide;
    wide.add(UnicodeText(std::u16string(8209, u'a')));
    wide.add(UnicodeText(u"Ω"));
    EXPECT_EQ(wide.continueOffsets(), std::vector<std::size_t>{8220});

    // 5 bytes left: the header and one 16-bit character stay; the rest follows behind a
    // fresh flags byte, and no character is cut in half.
    Workbook::SharedStringTable cutArray;
    cutArray.add(UnicodeText(std::u16string(8208, u'a')));
    cutArray.add(UnicodeText(u"ΩΩΩ"));
    EXPECT_EQ(cutArray.continueOffsets(), std::vector<std::size_t>{8224});
    EXPECT_EQ(cutArray.dataSize(), 8224u + 1 + 4);
    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    cutArray.write(out);
    const std::size_t next = 4 + 8224;
    EXPECT_EQ(le16(bytes, next), 0x003C);
    EXPECT_EQ(le16(bytes, next + 2), 5);
    EXPECT_EQ(bytes[next + 4], 1); // the flags byte: 16-bit characters go on
    Workbook::SharedStringTable back;
    ASSERT_TRUE(back.read(bytes.data(), bytes.size()));
    EXPECT_EQ(back.string(1).units(), u"ΩΩΩ");
}

// The first string leaves 3 bytes, too few for the second's header and first character, so
// the second begins exactly at the cut; its 9,000 characters then cross the next cut, behind
// a fresh flags byte.
TEST(SharedStringTable, StringBeginningAtACutThatCrossesTheNextOne)
{
    Workbook::SharedStringTable sst;
    sst.add(UnicodeText(std::u16string(8210, u'a')));
    sst.add(UnicodeText(std::u16string(9000, u'b')));
    EXPECT_EQ(sst.continueOffsets(), (std::vector<std::size_t>{8221, 8221 + 8224}));
    EXPECT_EQ(sst.dataSize(), 8221u + 3 + 9000 + 1);
    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    ASSERT_EQ(sst.write(out), sst.recordSize());
    ASSERT_EQ(bytes.size(), sst.recordSize());

    Workbook::SharedStringTable back;
    ASSERT_TRUE(back.read(bytes.data(), bytes.size()));
    ASSERT_EQ(back.uniqueCount(), 2u);
    EXPECT_EQ(back.string(0).units(), std::u16string(8210, u'a'));
    EXPECT_EQ(back.string(1).units(), std::u16string(9000, u'b'));
    EXPECT_EQ(back.continueOffsets(), sst.continueOffsets());
}
