#include "RenderSpectrogram.h"

#include "PlotServer.h"
#include "SpectralWindow.h"
#include "Spectrogram.h"
#include "SystemMemory.h"
#include "spectrogram/SpectrogramPlot.h"
#include "spectrogram/SpectrogramSource.h"

#include <QSaveFile>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

const int kLongestSegment = 1 << 24;

bool parseNumber(const QString& text, double minimum, double maximum, double& value)
{
    bool ok = false;
    value = text.trimmed().toDouble(&ok);
    return ok && value >= minimum && value <= maximum;
}

// L[,OVERLAP[,WINDOW]]: numbers {L, overlap, window}, 50 % and Hann unless given.
bool parseSettings(const QString& value, QVector<double>& numbers, QString& error)
{
    const QStringList fields = value.split(QLatin1Char(','));
    double length = 0;
    double overlap = 50;
    const bool whole = fields[0].trimmed().toInt() == fields[0].trimmed().toDouble();
    if (fields.size() > 3 || !parseNumber(fields[0], 2, kLongestSegment, length) || !whole
        || (fields.size() > 1 && !parseNumber(fields[1], 0, 99, overlap))) {
        error = QStringLiteral("--spectrogram takes L[,OVERLAP[,WINDOW]] with L from 2 to %1 points and OVERLAP "
                               "from 0 to 99 percent: %2")
                    .arg(kLongestSegment)
                    .arg(value);
        return false;
    }
    const QString name = fields.value(2, QStringLiteral("Hann"));
    const int window = spectralWindowIndex(name.toStdString());
    if (window < 0) {
        QStringList names;
        for (std::size_t i = 0; i < kSpectralWindowCount; ++i)
            names << QLatin1String(spectralWindowName(i));
        error = QStringLiteral("--spectrogram: no window is called %1; the windows are %2")
                    .arg(name, names.join(QStringLiteral(", ")));
        return false;
    }
    numbers << length << overlap << double(window);
    return true;
}

// TOP,RANGE in dB; a TOP of "auto" follows the loudest level.
bool parseLevelRange(const QString& value, QVector<double>& numbers, QString& error)
{
    const QStringList fields = value.split(QLatin1Char(','));
    double top = std::numeric_limits<double>::quiet_NaN();
    double range = 0;
    const bool automatic = fields[0].trimmed() == QLatin1String("auto");
    if (fields.size() != 2 || (!automatic && !parseNumber(fields[0], -1e300, 1e300, top))
        || !parseNumber(fields[1], 1e-300, 1e300, range)) {
        error = QStringLiteral("--db-range takes TOP,RANGE in dB, TOP a number or auto and RANGE above 0: %1")
                    .arg(value);
        return false;
    }
    numbers << top << range;
    return true;
}

void append(std::string& line, double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    line.append(buffer, result.ptr);
}

} // namespace

bool RenderSpectrogram::parseOption(const QStringList& arguments, int& i, RenderOptions& options, bool& taken,
                                    QString& error)
{
    using Step = RenderOptions::Step;
    const QString option = arguments[i];
    taken = option == QLatin1String("--spectrogram") || option == QLatin1String("--spectrogram-out")
            || option == QLatin1String("--db-range");
    if (!taken)
        return true;
    Step step{Step::SpectrogramOut, QString(), {}};
    if (!RenderOptions::takeValue(arguments, i, step.text, error))
        return false;
    if (option == QLatin1String("--spectrogram")) {
        step.kind = Step::Spectrogram;
        if (!parseSettings(step.text, step.numbers, error))
            return false;
    } else if (option == QLatin1String("--db-range")) {
        step.kind = Step::DbRange;
        if (!parseLevelRange(step.text, step.numbers, error))
            return false;
    }
    options.steps.push_back(step);
    return true;
}

RenderSpectrogram::RenderSpectrogram(PlotServer& server, const QSize& size)
    : server(server)
    , plot(std::make_unique<SpectrogramPlot>())
{
    plot->resize(size);
}

RenderSpectrogram::~RenderSpectrogram() = default;

QwtPlot* RenderSpectrogram::picture() const
{
    return last ? plot.get() : nullptr;
}

bool RenderSpectrogram::apply(const RenderOptions::Step& step, QString& error)
{
    using Step = RenderOptions::Step;
    switch (step.kind) {
    case Step::Spectrogram:
        return make(step.numbers, error);
    case Step::DbRange:
        plot->setLevelRange(step.numbers[0], step.numbers[1]);
        return true;
    default:
        return write(step.text, error);
    }
}

bool RenderSpectrogram::make(const QVector<double>& settings, QString& error)
{
    SpectrogramSource source;
    if (!source.readCurrent(server.curveStore(), server.axesController())) {
        error = source.failure();
        return false;
    }
    if (!source.samplingNote().isEmpty())
        server.logMessage("%s", qPrintable(source.samplingNote()));
    std::shared_ptr<const Spectrogram> spectrogram =
        source.compute({std::size_t(settings[0]), settings[1], std::size_t(settings[2])}, SystemMemory());
    if (!spectrogram) {
        error = source.failure();
        return false;
    }
    last = spectrogram;
    plot->setTitle(QStringLiteral("Spectrogram of %1").arg(source.title()));
    plot->setSpectrogram(std::move(spectrogram), source.firstX(), source.xIsTime());
    return true;
}

// Written beside the file and moved over it when complete, so a failure keeps the old one.
bool RenderSpectrogram::write(const QString& path, QString& error) const
{
    if (!last) {
        error = QStringLiteral("--spectrogram-out %1: no --spectrogram comes before it").arg(path);
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = QStringLiteral("Can't write file %1").arg(path);
        return false;
    }
    std::string line = "time";
    for (std::size_t k = 0; k < last->bins(); ++k) {
        line += ',';
        append(line, last->frequency(k));
    }
    line += '\n';
    for (std::size_t i = 0; i < last->segments(); ++i) {
        append(line, last->time(i));
        for (std::size_t k = 0; k < last->bins(); ++k) {
            line += ',';
            append(line, last->density(i, k));
        }
        line += '\n';
        if (file.write(line.data(), qint64(line.size())) != qint64(line.size()))
            break;
        line.clear();
    }
    if (!line.empty() || !file.commit()) {
        error = QStringLiteral("Can't write file %1").arg(path);
        return false;
    }
    return true;
}
