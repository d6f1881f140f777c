#include "PngEncoder.h"

#include <QIODevice>
#include <QImage>

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <new>

namespace {

// libpng reports an error by jumping back to encode(): nothing between here and there may
// hold an object with a destructor, so a failed or refused write is only answered here.
bool written(QIODevice& device, png_const_bytep data, png_size_t length) noexcept
{
    try {
        return device.write(reinterpret_cast<const char*>(data), qint64(length)) == qint64(length);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void writeBytes(png_structp png, png_bytep data, png_size_t length)
{
    if (!written(*static_cast<QIODevice*>(png_get_io_ptr(png)), data, length))
        png_error(png, "the device took fewer bytes");
}

void flushNothing(png_structp) {}

// Silent: the caller names the file that could not be written.
[[noreturn]] void jumpBack(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

} // namespace

bool PngEncoder::encode(const QImage& image, QIODevice& device)
{
    // An image without an alpha channel is written without one: a quarter fewer bytes to pack.
    const bool opaque = !image.hasAlphaChannel();
    const QImage pixels = image.convertToFormat(opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32);
    if (pixels.isNull())
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, jumpBack, ignoreWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &device, writeBytes, flushNothing);
    png_set_IHDR(png, info, png_uint_32(pixels.width()), png_uint_32(pixels.height()), 8,
                 opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (pixels.dotsPerMeterX() > 0 && pixels.dotsPerMeterY() > 0)
        png_set_pHYs(png, info, png_uint_32(pixels.dotsPerMeterX()), png_uint_32(pixels.dotsPerMeterY()),
                     PNG_RESOLUTION_METER);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, Z_BEST_SPEED);
    png_write_info(png, info);
    // A pixel of Format_(A)RGB32 is one 32-bit word: B, G, R, A in memory on little-endian
    // machines, A, R, G, B on big-endian ones; the unused byte of RGB32 is dropped.
    if (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        png_set_bgr(png);
        if (opaque)
            png_set_filler(png, 0, PNG_FILLER_AFTER);
    } else if (opaque) {
        png_set_filler(png, 0, PNG_FILLER_BEFORE);
    } else {
        png_set_swap_alpha(png);
    }
    for (int y = 0; y < pixels.height(); ++y)
        png_write_row(png, pixels.constScanLine(y));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}
