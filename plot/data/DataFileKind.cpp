#include "DataFileKind.h"

namespace {

const char* const kAudioSuffixes[] = {".wav", ".aiff", ".au",  ".snd", ".raw", ".pcm", ".sam",
                                      ".paf", ".iff",  ".nist", ".sph", ".voc", ".sf",  ".mat"};

const char* const kFilters[] = {
    "Array data format (*.adf)",
    "Audio Interchange File Format (*.aiff)",
    "Au file format (*.au *.snd)",
    "Comma Separated Values (*.csv)",
    "Generic DATA file (text), comma, semicolon, space or TAB separated (*.dat)",
    "Data Interchange Format (*.dif)",
    "Ensoniq PARIS audio format (*.paf)",
    "Interchange File Format (*.iff)",
    "Matlab (tm) File Format (*.mat)",
    "NIST Sphere data format (*.nist *.sph)",
    "Raw audio format (*.raw *.pcm *.sam)",
    "Berkeley/IRCAM/Carl Sound Format (*.sf)",
    "TEXT file, comma, semicolon, space or TAB separated (*.txt)",
    "Creative Labs file format (*.voc)",
    "Waveform audio file format (*.wav)",
};

} // namespace

DataFileKind dataFileKind(const QString& path)
{
    for (const char* suffix : kAudioSuffixes) {
        if (path.endsWith(QLatin1String(suffix), Qt::CaseInsensitive))
            return DataFileKind::Audio;
    }
    if (path.endsWith(QLatin1String(".adf"), Qt::CaseInsensitive))
        return DataFileKind::Array;
    return DataFileKind::Text;
}

QStringList dataFileFilters()
{
    QStringList filters;
    for (const char* filter : kFilters)
        filters << QLatin1String(filter);
    return filters;
}
