#include "ImportFormats.h"

#include "FileReaders.h"
#include "PartFormat.h"

#include <cstddef>
#include <iterator>
#include <map>

namespace {

// Audio files until the audio library has registered its reader: refused as unreadable.
ImportedData refuseAudio(const QString& path, const QString&, bool)
{
    ImportedData data;
    data.log << QStringLiteral("Kurvo: Not able to open input file %1.").arg(path);
    return data;
}

FileReader audioReaderInUse = refuseAudio;

// The registered readers of files with parts, by their lower-case suffix.
std::map<QString, const PartFormat*>& partFormats()
{
    static std::map<QString, const PartFormat*> formats;
    return formats;
}

const PartFormat* partFormatOf(const QString& path)
{
    for (const auto& [suffix, format] : partFormats()) {
        if (path.endsWith(suffix, Qt::CaseInsensitive))
            return format;
    }
    return nullptr;
}

// A file with parts named without one: its first part, or every part for the formats whose
// reader the importer asks first.
ImportedData readFirstPart(const QString& path, const QString& name, bool fitToPowerOfTwo)
{
    if (const PartFormat* format = partFormatOf(path))
        return format->read(path, QString(), name, fitToPowerOfTwo, TableOptions());
    ImportedData data;
    data.log << QStringLiteral("Kurvo: Can't read %1 (%2)").arg(path, QStringLiteral("no reader for this kind of file"));
    return data;
}

struct FormatRow {
    const char* filter;
    FileReader read;
};

// The rows whose reader is null take the audio reader in use. A .mat file goes to the MATLAB
// reader, which hands sound files to the audio reader.
constexpr FormatRow formatRows[] = {
    {"Array data format (*.adf)", readArrayFile},
    {"Audio Interchange File Format (*.aiff)", nullptr},
    {"Au file format (*.au *.snd)", nullptr},
    {"Comma Separated Values (*.csv)", readTextFile},
    {"Generic DATA file (text), comma, semicolon, space or TAB separated (*.dat)", readTextFile},
    {"Data Interchange Format (*.dif)", readTextFile},
    {"Ensoniq PARIS audio format (*.paf)", nullptr},
    {"Interchange File Format (*.iff)", nullptr},
    {"Matlab (tm) File Format (*.mat)", readFirstPart},
    {"NIST Sphere data format (*.nist *.sph)", nullptr},
    {"Raw audio format (*.raw *.pcm *.sam)", nullptr},
    {"Berkeley/IRCAM/Carl Sound Format (*.sf)", nullptr},
    {"TEXT file, comma, semicolon, space or TAB separated (*.txt)", readTextFile},
    {"Creative Labs file format (*.voc)", nullptr},
    {"Waveform audio file format (*.wav)", nullptr},
    {"Excel workbook (*.xlsx)", readFirstPart},
    {"OpenDocument spreadsheet (*.ods)", readFirstPart},
    {"Excel 97-2003 workbook (*.xls)", readFirstPart},
    {"HDF5 file (*.h5 *.hdf5 *.he5)", readFirstPart},
    {"NetCDF file (*.nc *.nc4)", readFirstPart},
};

// A deque, so that the rows added later leave references to the others valid.
std::deque<ImportFormat>& table()
{
    static std::deque<ImportFormat> formats = [] {
        std::deque<ImportFormat> list;
        for (const FormatRow& row : formatRows)
            list.push_back({QLatin1String(row.filter), row.read ? row.read : audioReaderInUse});
        return list;
    }();
    return formats;
}

bool isAudioRow(std::size_t index)
{
    return index >= std::size(formatRows) || !formatRows[index].read;
}

// The suffixes of "NAME (*.a *.b)": ".a" and ".b".
QStringList filterSuffixes(const QString& filter)
{
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

// The first row one of whose suffixes ends `path`, or null.
const ImportFormat* rowFor(const QString& path)
{
    for (const ImportFormat& format : table()) {
        for (const QString& suffix : filterSuffixes(format.filter)) {
            if (path.endsWith(suffix, Qt::CaseInsensitive))
                return &format;
        }
    }
    return nullptr;
}

} // namespace

const std::deque<ImportFormat>& ImportFormats::rows()
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
    std::deque<ImportFormat>& formats = table();
    for (std::size_t i = 0; i < formats.size(); ++i) {
        if (isAudioRow(i))
            formats[i].read = audioReaderInUse;
    }
}

// A suffix that ends in one a row names already goes to that row, so it is left out.
void ImportFormats::addAudioFormat(const QString& filter)
{
    QStringList patterns;
    for (const QString& suffix : filterSuffixes(filter)) {
        if (!rowFor(suffix))
            patterns << QLatin1Char('*') + suffix;
    }
    if (patterns.isEmpty())
        return;
    const QString name = filter.left(filter.lastIndexOf(QLatin1Char('('))).trimmed();
    table().push_back({name + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')'), audioReaderInUse});
}

QStringList ImportFormats::filters()
{
    QStringList list;
    for (const ImportFormat& format : rows())
        list << format.filter;
    return list;
}

QStringList ImportFormats::suffixes(const ImportFormat& format)
{
    return filterSuffixes(format.filter);
}

const PartFormat* ImportFormats::partFormatFor(const QString& path)
{
    return partFormatOf(path);
}

void ImportFormats::setPartFormat(const QString& suffix, const PartFormat* format)
{
    if (format)
        partFormats()[suffix.toLower()] = format;
    else
        partFormats().erase(suffix.toLower());
}

FileReader ImportFormats::readerFor(const QString& path)
{
    const ImportFormat* format = rowFor(path);
    return format ? format->read : readTextFile;
}
