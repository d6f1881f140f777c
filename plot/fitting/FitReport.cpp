#include "FitReport.h"

#include "FitResult.h"
#include "PlotTranslation.h"
#include "analysis/AnalysisFigures.h"

namespace {

QString exact(double value)
{
    return AnalysisFigures::exact(value);
}

QString count(std::size_t value)
{
    return QString::number(qulonglong(value));
}

} // namespace

std::vector<FitReport::Row> FitReport::rows(const FitResult& result)
{
    std::vector<Row> rows{{translated("Model"), QString::fromStdString(result.model), QString()}};
    for (const FitParameter& parameter : result.parameters)
        rows.push_back({QString::fromStdString(parameter.name), exact(parameter.value), exact(parameter.error)});
    const QString points = result.skipped > 0 ? translated("%1 (%2 skipped)").arg(count(result.points), count(result.skipped))
                                              : count(result.points);
    const Row figures[] = {
        {translated("RSS"), exact(result.rss), QString()},
        {translated("Residual SD"), exact(result.residualSd), QString()},
        {translated("Degrees of freedom"), count(result.dof), QString()},
        {translated("R²"), exact(result.rSquared), QString()},
        {translated("Points"), points, QString()},
        {translated("Iterations"), count(result.iterations), QString()},
        {translated("Stopped"), QString::fromStdString(result.stopReason), QString()},
    };
    rows.insert(rows.end(), std::begin(figures), std::end(figures));
    return rows;
}

QStringList FitReport::lines(const FitResult& result)
{
    QStringList lines;
    for (const FitParameter& parameter : result.parameters)
        lines << QStringLiteral("param,%1,%2,%3")
                     .arg(QString::fromStdString(parameter.name), exact(parameter.value), exact(parameter.error));
    lines << QStringLiteral("rss,") + exact(result.rss) << QStringLiteral("rsd,") + exact(result.residualSd)
          << QStringLiteral("dof,") + count(result.dof) << QStringLiteral("r2,") + exact(result.rSquared)
          << QStringLiteral("iterations,") + count(result.iterations);
    return lines;
}

QString FitReport::tabSeparated(const std::vector<Row>& rows)
{
    QString text = translated("Figure") + QLatin1Char('\t') + translated("Value") + QLatin1Char('\t')
                   + translated("Standard error") + QLatin1Char('\n');
    for (const Row& row : rows)
        text += row.label + QLatin1Char('\t') + row.value + QLatin1Char('\t') + row.error + QLatin1Char('\n');
    return text;
}
