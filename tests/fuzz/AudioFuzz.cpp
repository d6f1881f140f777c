// The audio reader on arbitrary bytes, through a file since the reader opens paths: at most
// sixteen curves over x = 0, 1, 2, …, a power of two of them when fitted, and no crash or
// leak on a damaged header.

#include "AudioFileReader.h"
#include "FuzzCheck.h"
#include "FuzzTempFile.h"
#include "PowerOfTwo.h"

#include <cstddef>
#include <cstdint>

namespace {

void checkShape(const ImportedData& audio)
{
    fuzz::check(audio.y.size() <= 16, "at most sixteen channels");
    for (const auto& y : audio.y)
        fuzz::check(y.size() == audio.y.front().size(), "every channel has as many samples");
    fuzz::check(audio.y.empty() || (audio.evenX && audio.evenX->at(7) == 7.0), "x counts the samples");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The suffix is only a hint: the sound library tells the format from the header.
    static FuzzTempFile file(".wav");
    file.write(data, size);
    const QString path = QString::fromStdString(file.path());
    const ImportedData full = readAudio(path, QStringLiteral("fuzz"), false);
    checkShape(full);
    if (full.y.empty())
        return 0;
    const ImportedData fitted = readAudio(path, QStringLiteral("fuzz"), true);
    checkShape(fitted);
    fuzz::check(fitted.y.size() == full.y.size(), "fitting keeps every channel");
    fuzz::check(std::size_t(fitted.y.front().size()) == powerOfTwoCount(std::size_t(full.y.front().size())),
                "fitting keeps a power of two of samples");
    return 0;
}
