#include "DataSource.h"

#include "ImportFormats.h"

#include <QFileInfo>

DataSource DataSource::of(const QString& input)
{
    if (QFileInfo::exists(input))
        return {input, QString()};
    DataSource first;
    for (int colon = input.indexOf(QLatin1Char(':'), 1); colon > 0; colon = input.indexOf(QLatin1Char(':'), colon + 1)) {
        const QString file = input.left(colon);
        if (!ImportFormats::partFormatFor(file))
            continue;
        const DataSource candidate{file, input.mid(colon + 1)};
        // Of several splits the one that names an existing file wins: "a.h5:b.h5:/x".
        if (QFileInfo(file).isFile())
            return candidate;
        if (first.file.isEmpty())
            first = candidate;
    }
    return first.file.isEmpty() ? DataSource{input, QString()} : first;
}

QString DataSource::text() const
{
    return part.isEmpty() ? file : file + QLatin1Char(':') + part;
}
