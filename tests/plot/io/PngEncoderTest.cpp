#include "PngEncoder.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

namespace {

// Every channel changes from pixel to pixel, alpha included, so a swapped or dropped channel
// shows.
QImage pattern(int width, int height, QImage::Format format)
{
    QImage image(width, height, format);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgba(x * 37, y * 91, (x + y) * 13, (x * 7 + y * 11 + 5) % 256));
    return image;
}

QByteArray encoded(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(PngEncoder::encode(image, buffer));
    return bytes;
}

struct Case {
    int width;
    int height;
    QImage::Format format;
};

class PngEncoderRoundTrip : public ::testing::TestWithParam<Case>
{
};

TEST_P(PngEncoderRoundTrip, ReadsBackEveryPixelExactly)
{
    const QImage image = pattern(GetParam().width, GetParam().height, GetParam().format);
    const QImage read = QImage::fromData(encoded(image), "PNG");
    ASSERT_FALSE(read.isNull());
    EXPECT_EQ(read.convertToFormat(QImage::Format_ARGB32), image.convertToFormat(QImage::Format_ARGB32));
}

INSTANTIATE_TEST_SUITE_P(Sizes, PngEncoderRoundTrip,
                         ::testing::Values(Case{1, 1, QImage::Format_ARGB32}, Case{3, 2, QImage::Format_ARGB32},
                                           Case{257, 3, QImage::Format_ARGB32}, Case{5, 4, QImage::Format_RGB32}));

TEST(PngEncoder, KeepsTheResolution)
{
    QImage image = pattern(2, 2, QImage::Format_ARGB32);
    image.setDotsPerMeterX(3937);
    image.setDotsPerMeterY(2000);
    const QImage read = QImage::fromData(encoded(image), "PNG");
    EXPECT_EQ(read.dotsPerMeterX(), 3937);
    EXPECT_EQ(read.dotsPerMeterY(), 2000);
}

TEST(PngEncoder, RefusedWriteIsNoSuccess)
{
    QByteArray bytes;
    QBuffer readOnly(&bytes);
    readOnly.open(QIODevice::ReadOnly);
    EXPECT_FALSE(PngEncoder::encode(pattern(4, 4, QImage::Format_ARGB32), readOnly));
    EXPECT_FALSE(PngEncoder::encode(QImage(), readOnly));
}

} // namespace
