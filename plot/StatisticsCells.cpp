#include "StatisticsCells.h"

#include "CurveStatistics.h"

QString StatisticsCell::valueText(const CurveStatistics& statistics) const
{
    if (count)
        return QString::number(statistics.*count);
    return QString::number(statistics.*figure, 'g', 6);
}

const std::vector<StatisticsCell>& StatisticsCell::all()
{
    static const std::vector<StatisticsCell> cells = {
        {0, 0, "Minimum", "Minimum value", &CurveStatistics::minimum, nullptr},
        {1, 0, "Maximum", "Maximum value", &CurveStatistics::maximum, nullptr},
        {2, 0, "Amount", "Sum of all values", &CurveStatistics::amount, nullptr},
        {0, 2, "Energy", "Area under the squared magnitude", &CurveStatistics::energy, nullptr},
        {1, 2, "Power", "Amount of energy consumed per unit time", &CurveStatistics::power, nullptr},
        {2, 2, "Samples", nullptr, nullptr, &CurveStatistics::samples},
        {0, 4, "Mean", nullptr, &CurveStatistics::mean, nullptr},
        {1, 4, "Sigma", "Standard deviation", &CurveStatistics::sigma, nullptr},
        {2, 4, "Gaps", "Missing values, left out of every figure", nullptr, &CurveStatistics::gaps},
        {0, 6, "Norm", "Euclidean norm", &CurveStatistics::norm, nullptr},
        {1, 6, "RMS", "Root mean square", &CurveStatistics::rms, nullptr},
    };
    return cells;
}
