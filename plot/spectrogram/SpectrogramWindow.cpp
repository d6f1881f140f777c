#include "SpectrogramWindow.h"

#include "PlotTranslation.h"
#include "SpectralWindow.h"
#include "Spectrogram.h"
#include "SpectrogramColorMaps.h"
#include "SpectrogramPlot.h"
#include "SpectrogramZoomer.h"
#include "SystemMemory.h"
#include "widgets/NamedWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

namespace {

const int kLongestSegment = 1 << 24;
// The top box's lowest value stands for a top that follows the loudest level.
const double kAutomaticTop = -400;

QSpinBox* countBox(QWidget* parent, const char* name, int minimum, int maximum, int value, const char* tip)
{
    auto* box = named(new QSpinBox(parent), name, tip);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setRange(minimum, maximum);
    box->setValue(value);
    // A length typed digit by digit would recompute at every digit.
    box->setKeyboardTracking(false);
    return box;
}

QDoubleSpinBox* levelBox(QWidget* parent, const char* name, double minimum, double maximum, double value,
                         const char* tip)
{
    auto* box = named(new QDoubleSpinBox(parent), name, tip);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setRange(minimum, maximum);
    box->setDecimals(1);
    box->setSingleStep(10);
    box->setSuffix(QStringLiteral(" dB"));
    box->setValue(value);
    box->setKeyboardTracking(false);
    return box;
}

} // namespace

SpectrogramWindow::SpectrogramWindow(SpectrogramSource source, const SpectrogramSource::Settings& settings,
                                     std::shared_ptr<const Spectrogram> first, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , source(std::move(source))
{
    setObjectName(QStringLiteral("spectrogramWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(translated("Spectrogram of %1").arg(this->source.title()));
    view = new SpectrogramPlot(this);
    view->setTitle(windowTitle());
    view->setCanvasBackground(Qt::black);
    statusLabel = new QLabel(this);
    statusLabel->setObjectName(QStringLiteral("spectrogramStatus"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->addWidget(buildControls(settings));
    layout->addWidget(view, 1);
    layout->addWidget(statusLabel);
    zoomer = new SpectrogramZoomer(view->canvas());
    display(std::move(first));
    resize(900, 600);
}

SpectrogramWindow::~SpectrogramWindow() = default;

QString SpectrogramWindow::status() const
{
    return statusLabel->text();
}

QWidget* SpectrogramWindow::buildControls(const SpectrogramSource::Settings& settings)
{
    auto* controls = new QWidget(this);
    windowBox = named(new QComboBox(controls), "spectrogramWindowCB", "Window of each segment");
    for (std::size_t i = 0; i < kSpectralWindowCount; ++i)
        windowBox->addItem(translated(spectralWindowName(i)));
    windowBox->setCurrentIndex(int(settings.window));
    lengthBox = countBox(controls, "spectrogramLengthSB", 2, kLongestSegment, int(settings.length),
                         "Points in each segment: more points, finer frequency steps, coarser time steps");
    overlapBox = countBox(controls, "spectrogramOverlapSB", 0, 99, int(settings.overlapPercent),
                          "How much each segment overlaps the one before");
    overlapBox->setSuffix(QStringLiteral(" %"));
    logBox = named(new QCheckBox(translated("Log frequency"), controls), "spectrogramLogCB",
                   "Frequency on a logarithmic axis, which leaves out 0 Hz");
    colorsBox = named(new QComboBox(controls), "spectrogramColorsCB", "Colours of the levels, lowest to highest");
    for (int i = 0; i < SpectrogramColorMaps::Count; ++i)
        colorsBox->addItem(translated(SpectrogramColorMaps::name(i)));
    topBox = levelBox(controls, "spectrogramTopSB", kAutomaticTop, 400, kAutomaticTop,
                      "The level shown in the brightest colour; automatic follows the loudest level");
    topBox->setSpecialValueText(translated("automatic"));
    rangeBox = levelBox(controls, "spectrogramRangeSB", 1, 400, SpectrogramPlot::kDefaultRange,
                        "How far below the top the darkest colour lies");

    connect(windowBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &SpectrogramWindow::recompute);
    connect(lengthBox, QOverload<int>::of(&QSpinBox::valueChanged), this, &SpectrogramWindow::recompute);
    connect(overlapBox, QOverload<int>::of(&QSpinBox::valueChanged), this, &SpectrogramWindow::recompute);
    connect(logBox, &QCheckBox::toggled, this, &SpectrogramWindow::showLogFrequency);
    connect(colorsBox, QOverload<int>::of(&QComboBox::currentIndexChanged), view, &SpectrogramPlot::setColorMap);
    connect(topBox, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &SpectrogramWindow::showLevelRange);
    connect(rangeBox, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
            &SpectrogramWindow::showLevelRange);

    auto* layout = new QHBoxLayout(controls);
    layout->setSpacing(3);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto label = [controls](const char* text) { return new QLabel(translated(text), controls); };
    for (QWidget* widget : std::initializer_list<QWidget*>{
             label("Window:"), windowBox, label("Segment:"), lengthBox, label("Overlap:"), overlapBox, logBox,
             label("Colours:"), colorsBox, label("Top:"), topBox, label("Range:"), rangeBox})
        layout->addWidget(widget);
    layout->addStretch();
    return controls;
}

void SpectrogramWindow::recompute()
{
    SpectrogramSource::Settings settings;
    settings.length = std::size_t(lengthBox->value());
    settings.overlapPercent = overlapBox->value();
    settings.window = std::size_t(windowBox->currentIndex());
    std::shared_ptr<const Spectrogram> spectrogram = source.compute(settings, SystemMemory());
    if (!spectrogram) {
        statusLabel->setText(source.failure());
        return;
    }
    display(std::move(spectrogram));
}

// A view zoomed in stays where it was: a new segment length is most often asked for to look
// closer at what is shown.
void SpectrogramWindow::display(std::shared_ptr<const Spectrogram> spectrogram)
{
    const bool zoomed = zoomer->zoomRectIndex() > 0;
    const QRectF shown = zoomer->zoomRect();
    const Spectrogram& s = *spectrogram;
    view->setSpectrogram(std::move(spectrogram), source.firstX(), source.xIsTime());
    zoomer->setZoomBase(false);
    if (zoomed)
        zoomer->zoom(shown);
    const CurveSampleRate::Rate& rate = source.rate();
    statusLabel->setText(translated("%1 segments of %2 points, %3 Hz apart; sampling frequency %4 Hz (%5)")
                             .arg(s.segments())
                             .arg(s.length())
                             .arg(QString::number(s.sampleRate() / double(s.length()), 'g', 6),
                                  QString::number(rate.hz, 'g', 10),
                                  translated(CurveSampleRate::sourceName(rate.source))));
}

void SpectrogramWindow::showLevelRange()
{
    const double top = topBox->value() == kAutomaticTop ? std::numeric_limits<double>::quiet_NaN() : topBox->value();
    view->setLevelRange(top, rangeBox->value());
}

// The zoom of a linear axis may reach 0 Hz, which a logarithmic one cannot show.
void SpectrogramWindow::showLogFrequency()
{
    view->setLogFrequency(logBox->isChecked());
    zoomer->setZoomBase(false);
}
