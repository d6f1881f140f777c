#include "FilterSpec.h"

#include "Butterworth.h"
#include "CumulativeIntegral.h"
#include "Derivative.h"
#include "EvenResample.h"
#include "MovingAverage.h"
#include "MovingMedian.h"
#include "SavitzkyGolay.h"
#include "ZeroPhaseFilter.h"

#include <QStringList>

#include <cmath>

namespace {

using Kind = FilterSpec::Kind;

struct Row {
    Kind kind;
    const char* name;
    // The arguments it takes, as the usage shows them.
    const char* arguments;
};

const Row kRows[] = {{Kind::Mean, "mean", "mean,W"},
                     {Kind::Median, "median", "median,W"},
                     {Kind::SavitzkyGolay, "savgol", "savgol,W,ORDER"},
                     {Kind::LowPass, "lowpass", "lowpass,F[,ORDER]"},
                     {Kind::HighPass, "highpass", "highpass,F[,ORDER]"},
                     {Kind::BandPass, "bandpass", "bandpass,F1,F2[,ORDER]"},
                     {Kind::Derivative, "derivative", "derivative"},
                     {Kind::Integral, "integral", "integral"},
                     {Kind::Resample, "resample", "resample,STEP"},
                     {Kind::Detrend, "detrend", "detrend,mean|linear"}};

const Row& rowOf(Kind kind)
{
    return kRows[int(kind)];
}

bool whole(const QString& text, long long minimum, long long& value)
{
    bool ok = false;
    value = text.trimmed().toLongLong(&ok);
    return ok && value >= minimum;
}

bool positive(const QString& text, double& value)
{
    bool ok = false;
    value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) && value > 0;
}

// The arguments after the name into `spec`; false when they do not read.
bool parseArguments(const QStringList& args, FilterSpec& spec)
{
    long long number = 0;
    switch (spec.kind) {
    case Kind::Mean:
    case Kind::Median:
        if (args.size() != 1 || !whole(args[0], 1, number))
            return false;
        spec.window = std::size_t(number);
        return true;
    case Kind::SavitzkyGolay:
        if (args.size() != 2 || !whole(args[0], 1, number))
            return false;
        spec.window = std::size_t(number);
        if (!whole(args[1], 0, number) || number > 1000)
            return false;
        spec.order = int(number);
        return true;
    case Kind::LowPass:
    case Kind::HighPass:
    case Kind::BandPass: {
        const int edges = spec.kind == Kind::BandPass ? 2 : 1;
        if (args.size() < edges || args.size() > edges + 1 || !positive(args[0], spec.low)
            || (edges == 2 && !positive(args[1], spec.high)))
            return false;
        spec.order = FilterSpec::kDefaultOrder;
        if (args.size() == edges + 1) {
            if (!whole(args[edges], 0, number) || number > 1000)
                return false;
            spec.order = int(number);
        }
        return true;
    }
    case Kind::Resample:
        return args.size() == 1 && positive(args[0], spec.step);
    case Kind::Detrend:
        if (args.size() != 1)
            return false;
        if (args[0].trimmed() == QLatin1String("mean"))
            spec.trend = Trend::Mean;
        else if (args[0].trimmed() == QLatin1String("linear"))
            spec.trend = Trend::Linear;
        else
            return false;
        return true;
    case Kind::Derivative:
    case Kind::Integral:
        break;
    }
    return args.isEmpty();
}

QString number(double value)
{
    return QString::number(value, 'g', 15);
}

} // namespace

bool FilterSpec::parse(const QString& text, FilterSpec& spec, QString& error)
{
    QStringList fields = text.split(QLatin1Char(','));
    const QString name = fields.takeFirst().trimmed().toLower();
    for (const Row& row : kRows) {
        if (name != QLatin1String(row.name))
            continue;
        spec = FilterSpec();
        spec.kind = row.kind;
        if (parseArguments(fields, spec))
            return true;
        error = tr("%1 takes %2: %3").arg(name, QLatin1String(row.arguments), text);
        return false;
    }
    QStringList forms;
    for (const Row& row : kRows)
        forms << QLatin1String(row.arguments);
    error = tr("no operation is called %1; the operations are %2").arg(name, forms.join(QStringLiteral("  ")));
    return false;
}

QStringList FilterSpec::names()
{
    QStringList list;
    for (const Row& row : kRows)
        list << QLatin1String(row.name);
    return list;
}

QString FilterSpec::suffix() const
{
    const QString name = QLatin1String(rowOf(kind).name);
    const QString ordered = order == kDefaultOrder ? QString() : tr(" order %1").arg(order);
    switch (kind) {
    case Kind::Mean:
    case Kind::Median:
        return tr("%1 %2 points").arg(name).arg(window);
    case Kind::SavitzkyGolay:
        return tr("%1 %2 points order %3").arg(name).arg(window).arg(order);
    case Kind::LowPass:
    case Kind::HighPass:
        return tr("%1 %2 Hz").arg(name, number(low)) + ordered;
    case Kind::BandPass:
        return tr("%1 %2-%3 Hz").arg(name, number(low), number(high)) + ordered;
    case Kind::Resample:
        return tr("%1 %2").arg(name, number(step));
    case Kind::Detrend:
        return tr("%1 %2").arg(name, trend == Trend::Mean ? QStringLiteral("mean") : QStringLiteral("linear"));
    case Kind::Derivative:
    case Kind::Integral:
        break;
    }
    return name;
}

bool FilterSpec::byFrequency() const
{
    return kind == Kind::LowPass || kind == Kind::HighPass || kind == Kind::BandPass;
}

FilterSpec::Output FilterSpec::run(const double* x, const double* y, std::size_t count, double rate,
                                   std::size_t maxPoints) const
{
    Output out;
    switch (kind) {
    case Kind::Mean:
        out.y = movingAverage(x, y, count, window);
        break;
    case Kind::Median:
        out.y = movingMedian(x, y, count, window);
        break;
    case Kind::SavitzkyGolay:
        out.y = SavitzkyGolay(window, std::size_t(order)).smooth(x, y, count);
        break;
    case Kind::LowPass:
    case Kind::HighPass:
    case Kind::BandPass: {
        const auto band = kind == Kind::LowPass    ? Butterworth::Band::LowPass
                          : kind == Kind::HighPass ? Butterworth::Band::HighPass
                                                   : Butterworth::Band::BandPass;
        out.y = ZeroPhaseFilter(Butterworth::design(band, order, rate, low, high)).apply(x, y, count);
        break;
    }
    case Kind::Derivative:
        out.y = derivative(x, y, count);
        break;
    case Kind::Integral:
        out.y = cumulativeIntegral(x, y, count);
        break;
    case Kind::Resample: {
        Resampled even = resampleEvenly(x, y, count, step, maxPoints);
        out.x = std::move(even.x);
        out.y = std::move(even.y);
        break;
    }
    case Kind::Detrend:
        out.y = detrend(x, y, count, trend);
        break;
    }
    return out;
}
