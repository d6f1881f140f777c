#include "ImportFormats.h"

#include "FileReaders.h"

#include <cstddef>

namespace {

// Audio files until the audio library has registered its reader: refused as unreadable.
ImportedData refuseAudio(const QString& path, const QString&, bool)
{
    ImportedData data;
    data.log << QStringLiteral("Kurvo: Not able to open input file %1.").arg(path);
    return data;
}

FileReader audioReaderInUse = refuseAudio;

struct FormatRow {
    const char* filter;
    FileReader read;
};

// The rows whose reader is null take the audio reader in use.
constexpr FormatRow formatRows[] = {
    {"Array data format (*.adf)", readArrayFile},
    {"Audio Interchange File Format (*.aiff)", nullptr},
    {"Au file format (*.au *.snd)", nullptr},
    {"Comma Separated Values (*.csv)", readTextFile},
    {"Generic DATA file (text), comma, semicolon, space or TAB separated (*.dat)", readTextFile},
    {"Data Interchange Format (*.dif)", readTextFile},
    {"Ensoniq PARIS audio format (*.paf)", nullptr},
    {"Interchange File Format (*.iff)", nullptr},
    {"Matlab (tm) File Format (*.mat)", nullptr},
    {"NIST Sphere data format (*.nist *.sph)", nullptr},
    {"Raw audio format (*.raw *.pcm *.sam)", nullptr},
    {"Berkeley/IRCAM/Carl Sound Format (*.sf)", nullptr},
    {"TEXT file, comma, semicolon, space or TAB separated (*.txt)", readTextFile},
    {"Creative Labs file format (*.voc)", nullptr},
    {"Waveform audio file format (*.wav)", nullptr},
};

std::vector<ImportFormat>& table()
{
    static std::vector<ImportFormat> formats = [] {
        std::vector<ImportFormat> list;
        for (const FormatRow& row : formatRows)
            list.push_back({row.filter, row.read ? row.read : audioReaderInUse});
        return list;
    }();
    return formats;
}

} // namespace

const std::vector<ImportFormat>& ImportFormats::rows()
{
    return table();
}

FileReader ImportFormats::audioReader()
{
    return audioReaderInUse;
}

// The rows change in place, so references to them stay valid.
void ImportFormats::setAudioReader(FileReader reader)
{
    audioReaderInUse = reader ? reader : refuseAudio;
    std::vector<ImportFormat>& formats = table();
    for (std::size_t i = 0; i < formats.size(); ++i) {
        if (!formatRows[i].read)
            formats[i].read = audioReaderInUse;
    }
}

QStringList ImportFormats::filters()
{
    QStringList list;
    for (const ImportFormat& format : rows())
        list << QLatin1String(format.filter);
    return list;
}

QStringList ImportFormats::suffixes(const ImportFormat& format)
{
    const QString filter = QLatin1String(format.filter);
    const int open = filter.lastIndexOf(QLatin1Char('('));
    const int close = filter.lastIndexOf(QLatin1Char(')'));
    QStringList list;
    if (open < 0 || close < open)
        return list;
    const QStringList patterns = filter.mid(open + 1, close - open - 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& pattern : patterns)
        list << pattern.mid(1);
    return list;
}

FileReader ImportFormats::readerFor(const QString& path)
{
    for (const ImportFormat& format : rows()) {
        for (const QString& suffix : suffixes(format)) {
            if (path.endsWith(suffix, Qt::CaseInsensitive))
                return format.read;
        }
    }
    return readTextFile;
}
