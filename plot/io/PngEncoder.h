#pragma once

class QImage;
class QIODevice;

// PNG files of plots. Rows go unfiltered and are deflated at zlib's fastest level: choosing a
// filter for every row cost several times the drawing of the whole plot, and bought a file a
// few kilobytes smaller. An image without alpha, as a rendered plot, is written without it: a
// quarter fewer bytes to pack. The pixels, their alpha and the resolution read back as they were.
class PngEncoder
{
public:
    // False, with nothing more said, when libpng fails or the device takes fewer bytes.
    static bool encode(const QImage& image, QIODevice& device);
};
