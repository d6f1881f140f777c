#include "DataFileFilters.h"

#include "ImportFormats.h"

namespace {

// Headerless samples need a rate and a sample format that no dialog asks for, so the audio
// reader refuses them: offering the format would only lead to an error.
bool isReadable(const ImportFormat& format)
{
    return !format.filter.startsWith(QLatin1String("Raw audio"));
}

} // namespace

QString DataFileFilters::allDataFiles(const QStringList& extraPatterns)
{
    QStringList patterns = extraPatterns;
    for (const ImportFormat& format : ImportFormats::rows()) {
        if (!isReadable(format))
            continue;
        for (const QString& suffix : ImportFormats::suffixes(format)) {
            const QString pattern = QLatin1Char('*') + suffix;
            if (!patterns.contains(pattern))
                patterns << pattern;
        }
    }
    return QStringLiteral("All data files (%1)").arg(patterns.join(QLatin1Char(' ')));
}

QStringList DataFileFilters::formats()
{
    QStringList list;
    for (const ImportFormat& format : ImportFormats::rows()) {
        if (isReadable(format))
            list << format.filter;
    }
    return list;
}

QStringList DataFileFilters::list()
{
    return QStringList{allDataFiles()} + formats() + QStringList{QStringLiteral("All files (*)")};
}
