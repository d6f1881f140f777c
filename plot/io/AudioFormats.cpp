#include "AudioFormats.h"

#include "AudioFileReader.h"
#include "ImportFormats.h"

#include <sndfile.h>

namespace {

// Suffixes files of a format carry besides the one the library reports.
struct SuffixAliases {
    int majorFormat;
    const char* suffixes;
};

constexpr SuffixAliases aliasRows[] = {
    {SF_FORMAT_AIFF, "*.aif *.aifc"},
    {SF_FORMAT_OGG, "*.ogg *.opus"},
    {SF_FORMAT_MPEG, "*.mp1 *.mp2 *.mp3"},
};

QString aliasesOf(int majorFormat)
{
    for (const SuffixAliases& row : aliasRows) {
        if (row.majorFormat == majorFormat)
            return QLatin1Char(' ') + QLatin1String(row.suffixes);
    }
    return QString();
}

int majorFormatCount()
{
    int count = 0;
    if (sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof count) != 0)
        return 0;
    return count;
}

} // namespace

QStringList AudioFormats::filters()
{
    QStringList list;
    const int count = majorFormatCount();
    for (int i = 0; i < count; ++i) {
        SF_FORMAT_INFO info = {};
        info.format = i;
        if (sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &info, sizeof info) != 0 || !info.name || !info.extension)
            continue;
        list << QStringLiteral("%1 (*.%2%3)")
                    .arg(QString::fromUtf8(info.name), QString::fromUtf8(info.extension), aliasesOf(info.format));
    }
    return list;
}

void AudioFormats::registerReader()
{
    ImportFormats::setAudioReader(readAudio);
    for (const QString& filter : filters())
        ImportFormats::addAudioFormat(filter);
}
