#include "StatisticsCells.h"

#include "CurveStatistics.h"

QString StatisticsCell::valueText(const CurveStatistics& statistics) const
{
    if (!figure)
        return QString::number(statistics.samples);
    return QString::number(statistics.*figure, 'g', 6);
}

const std::vector<StatisticsCell>& StatisticsCell::all()
{
    static const std::vector<StatisticsCell> cells = {
        {0, 0, "Minimum", "Minimum value", &CurveStatistics::minimum},
        {1, 0, "Maximum", "Maximum value", &CurveStatistics::maximum},
        {2, 0, "Amount", "Sum of all values", &CurveStatistics::amount},
        {0, 2, "Energy", "Area under the squared magnitude", &CurveStatistics::energy},
        {1, 2, "Power", "Amount of energy consumed per unit time", &CurveStatistics::power},
        {2, 2, "Samples", nullptr, nullptr},
        {0, 4, "Mean", nullptr, &CurveStatistics::mean},
        {1, 4, "Sigma", "Standard deviation", &CurveStatistics::sigma},
        {0, 6, "Norm", "Euclidean norm", &CurveStatistics::norm},
        {1, 6, "RMS", "Root mean square", &CurveStatistics::rms},
    };
    return cells;
}
