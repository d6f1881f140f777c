#include "PngEncoder.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

namespace {

// Every channel changes from pixel to pixel, alpha included, so a swapped or dropped channel shows.
QImage pattern(QSize size, QImage::Format format)
{
    QImage image(size, format);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgba(x * 37, y * 91, (x + y) * 13, (x * 7 + y * 11 + 5) % 256));
    image.setDotsPerMeterX(3937);
    image.setDotsPerMeterY(2000);
    return image;
}

class PngEncoderRoundTrip : public ::testing::TestWithParam<std::pair<QSize, QImage::Format>>
{
};

TEST_P(PngEncoderRoundTrip, ReadsBackEveryPixelAndTheResolution)
{
    const QImage image = pattern(GetParam().first, GetParam().second);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(PngEncoder::encode(image, buffer));
    const QImage read = QImage::fromData(bytes, "PNG");
    EXPECT_EQ(read.convertToFormat(QImage::Format_ARGB32), image.convertToFormat(QImage::Format_ARGB32));
    EXPECT_EQ(read.dotsPerMeterX(), 3937);
    EXPECT_EQ(read.dotsPerMeterY(), 2000);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PngEncoderRoundTrip,
                         ::testing::Values(std::make_pair(QSize(1, 1), QImage::Format_ARGB32),
                                           std::make_pair(QSize(257, 3), QImage::Format_ARGB32),
                                           std::make_pair(QSize(5, 4), QImage::Format_RGB32)));

TEST(PngEncoder, RefusedWriteIsNoSuccess)
{
    QByteArray bytes;
    QBuffer readOnly(&bytes);
    readOnly.open(QIODevice::ReadOnly);
    EXPECT_FALSE(PngEncoder::encode(pattern(QSize(4, 4), QImage::Format_ARGB32), readOnly));
    EXPECT_FALSE(PngEncoder::encode(QImage(), readOnly));
}

} // namespace
