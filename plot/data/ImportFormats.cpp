#include "ImportFormats.h"

#include "FileReaders.h"

const std::vector<ImportFormat>& ImportFormats::rows()
{
    static const std::vector<ImportFormat> table = {
        {"Array data format (*.adf)", readArrayFile},
        {"Audio Interchange File Format (*.aiff)", readAudioFile},
        {"Au file format (*.au *.snd)", readAudioFile},
        {"Comma Separated Values (*.csv)", readTextFile},
        {"Generic DATA file (text), comma, semicolon, space or TAB separated (*.dat)", readTextFile},
        {"Data Interchange Format (*.dif)", readTextFile},
        {"Ensoniq PARIS audio format (*.paf)", readAudioFile},
        {"Interchange File Format (*.iff)", readAudioFile},
        {"Matlab (tm) File Format (*.mat)", readAudioFile},
        {"NIST Sphere data format (*.nist *.sph)", readAudioFile},
        {"Raw audio format (*.raw *.pcm *.sam)", readAudioFile},
        {"Berkeley/IRCAM/Carl Sound Format (*.sf)", readAudioFile},
        {"TEXT file, comma, semicolon, space or TAB separated (*.txt)", readTextFile},
        {"Creative Labs file format (*.voc)", readAudioFile},
        {"Waveform audio file format (*.wav)", readAudioFile},
    };
    return table;
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
