#include "SummaryTable.h"

#include <QSaveFile>

#include <algorithm>

namespace {

const QString kPositive = QStringLiteral("positive_peaks");
const QString kNegative = QStringLiteral("negative_peaks");

QString valueOf(const BatchResult::Figures& figures, const QString& key)
{
    const auto found = std::find_if(figures.begin(), figures.end(), [&](const auto& pair) { return pair.first == key; });
    return found == figures.end() ? QString() : found->second;
}

} // namespace

SummaryTable::SummaryTable(const std::vector<BatchResult>& results)
{
    columns = QStringList{QStringLiteral("name"), QStringLiteral("file"), QStringLiteral("status"),
                          QStringLiteral("reason")};
    for (const BatchResult& result : results)
        addColumns(result.statistics, columns);
    if (std::any_of(results.begin(), results.end(), [](const BatchResult& r) { return r.peaksAsked; }))
        columns << kPositive << kNegative;
    for (const BatchResult& result : results)
        addColumns(result.figures, columns);
    for (const BatchResult& result : results) {
        QStringList row{result.name, result.input, result.ok ? QStringLiteral("ok") : QStringLiteral("failed"),
                        result.reason};
        for (int i = row.size(); i < columns.size(); ++i) {
            const QString& column = columns[i];
            if (result.peaksAsked && (column == kPositive || column == kNegative))
                row << QString::number((column == kPositive ? result.positivePeaks : result.negativePeaks).size());
            else
                row << valueOf(result.statistics, column) + valueOf(result.figures, column);
        }
        cells.push_back(row);
    }
}

void SummaryTable::addColumns(const BatchResult::Figures& figures, QStringList& columns)
{
    for (const auto& pair : figures) {
        if (!columns.contains(pair.first))
            columns << pair.first;
    }
}

QByteArray SummaryTable::csvLine(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& field : fields)
        quoted << csvField(field);
    return quoted.join(QLatin1Char(',')).toUtf8() + '\n';
}

QString SummaryTable::csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

bool SummaryTable::write(const QString& path, QString& error) const
{
    QByteArray text = csvLine(columns);
    for (const QStringList& row : cells)
        text += csvLine(row);
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit())
        return true;
    error = QStringLiteral("cannot write the summary %1: %2").arg(path, file.errorString());
    return false;
}
