#include "InstalledFileNameCodec.h"

#include <QFile>
#include <QTextDecoder>
#include <QTextEncoder>

#include <gtest/gtest.h>

#include <memory>

namespace {

// As the programs use it: the locale's codec, seen through the file name functions.
class FileNameCodecTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!dynamic_cast<FileNameCodec*>(QTextCodec::codecForLocale()))
            GTEST_SKIP() << "the locale's codec is not UTF-8";
    }

    const InstalledFileNameCodec codec;
};

// Every byte of `bytes` kept as the escape that stands for it.
QString escaped(const QByteArray& bytes)
{
    QString text;
    for (const char byte : bytes)
        text += QChar(ushort(0xDC00 + uchar(byte)));
    return text;
}

QString codePoint(uint point)
{
    const QChar pair[] = {QChar(QChar::highSurrogate(point)), QChar(QChar::lowSurrogate(point))};
    return QChar::requiresSurrogates(point) ? QString(pair, 2) : QString(QChar(ushort(point)));
}

// Each edge of well-formed UTF-8 beside the first sequence past it; every name reads back
// as the bytes it was.
TEST_F(FileNameCodecTest, NamesOfAnyBytesReadBackAsTheSameBytes)
{
    const struct {
        QByteArray bytes;
        QString text;
    } rows[] = {
        {"plain.csv", "plain.csv"},
        {"a\xff.csv", "a" + escaped("\xff") + ".csv"},
        {"\xc2\x80", codePoint(0x80)},
        {"\xc1\xbf", escaped("\xc1\xbf")},
        {"\xe0\xa0\x80", codePoint(0x800)},
        {"\xe0\x9f\xbf", escaped("\xe0\x9f\xbf")},
        {"\xed\x9f\xbf", codePoint(0xD7FF)},
        {"\xed\xa0\x80", escaped("\xed\xa0\x80")},
        {"\xef\xbb\xbf" "bom", codePoint(0xFEFF) + "bom"},
        {"\xf0\x90\x80\x80", codePoint(0x10000)},
        {"\xf0\x8f\xbf\xbf", escaped("\xf0\x8f\xbf\xbf")},
        {"\xf4\x8f\xbf\xbf", codePoint(0x10FFFF)},
        {"\xf4\x90\x80\x80", escaped("\xf4\x90\x80\x80")},
        {"\xf5\x80", escaped("\xf5\x80")},
        {"\xe2\x82", escaped("\xe2\x82")},
        {"\xe2\x82x", escaped("\xe2\x82") + "x"},
        // The low half of this pair is an escape's code unit: the pair still decides.
        {"\xf0\x90\x82\x80\xff", codePoint(0x10080) + escaped("\xff")},
    };
    for (const auto& row : rows) {
        const QString name = QFile::decodeName(row.bytes);
        EXPECT_EQ(name, row.text) << row.bytes.toHex().constData();
        EXPECT_EQ(QFile::encodeName(name), row.bytes) << row.bytes.toHex().constData();
    }
}

TEST_F(FileNameCodecTest, SurrogatesWithoutPartnerEncodeAsQuestionMarks)
{
    EXPECT_EQ(QFile::encodeName(QString(QChar(0xD800)) + "x" + QChar(0xDC7F)), "?x?");
    EXPECT_EQ(QFile::encodeName(QString(QChar(0xD800))), "?");
}

// Streams convert in chunks: a sequence or a pair cut at a chunk's end joins the next chunk.
TEST_F(FileNameCodecTest, ChunksJoinWhatTheirEndsCut)
{
    const std::unique_ptr<QTextDecoder> decoder(QTextCodec::codecForLocale()->makeDecoder());
    EXPECT_EQ(decoder->toUnicode("a\xe2\x82", 3), "a");
    EXPECT_EQ(decoder->toUnicode("\xac\xff", 2), codePoint(0x20AC) + escaped("\xff"));

    const QString pair = codePoint(0x10000);
    const std::unique_ptr<QTextEncoder> encoder(QTextCodec::codecForLocale()->makeEncoder());
    EXPECT_EQ(encoder->fromUnicode(pair.left(1)), "");
    EXPECT_EQ(encoder->fromUnicode(pair.mid(1) + escaped("\xfe")), "\xf0\x90\x80\x80\xfe");
}

} // namespace
