#include "AnalysisPanel.h"

#include "AnalysisTool.h"
#include "PlotServer.h"
#include "PlotServerUi.h"
#include "PlotTranslation.h"
#include "Prompt.h"
#include "SpectralWindow.h"
#include "Spectrogram.h"
#include "SystemMemory.h"
#include "spectrogram/SpectrogramWindow.h"
#include "widgets/NamedWidget.h"
#include "widgets/TableViews.h"
#include "widgets/WrappingRowLayout.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const int kLongestSegment = 1 << 24;

QLabel* label(QWidget* page, const char* text)
{
    auto* lbl = new QLabel(translated(text), page);
    lbl->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return lbl;
}

QSpinBox* countBox(QWidget* page, const char* name, int minimum, int maximum, int value, const char* tip)
{
    auto* box = named(new QSpinBox(page), name, tip);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setRange(minimum, maximum);
    box->setValue(value);
    return box;
}

} // namespace

AnalysisPanel::AnalysisPanel(PlotServer* plotServer, AnalysisTool& tool)
    : server(plotServer)
    , tool(tool)
{
}

void AnalysisPanel::build(PlotServerUi& ui)
{
    QWidget* page = buildPage(server);
    ui.plotTab->insertTab(ui.plotTab->indexOf(ui.processPage) + 1, page, translated("Analysis"));
    PlotServerUi::keepTextsWhole(page);
    ui.verticalLayout_2->addWidget(buildTable(server));
}

QWidget* AnalysisPanel::buildPage(QWidget* plotServer)
{
    auto* page = new QWidget(plotServer);
    page->setObjectName(QStringLiteral("Analysis"));
    windowBox = named(new QComboBox(page), "analysisWindowCB",
                      "Window of PSD, Amplitude, Tones and Harmonics");
    for (std::size_t i = 0; i < kSpectralWindowCount; ++i)
        windowBox->addItem(translated(spectralWindowName(i)));
    windowBox->setCurrentIndex(spectralWindowIndex("Hann"));
    lengthBox = countBox(page, "psdLengthSB", 2, kLongestSegment, 4096,
                         "Points in each segment of the PSD: more points, finer frequency steps, fewer segments "
                         "to average");
    overlapBox = countBox(page, "psdOverlapSB", 0, 99, 50, "How much each PSD segment overlaps the one before");
    overlapBox->setSuffix(QStringLiteral(" %"));
    tonesBox = countBox(page, "tonesCountSB", 1, 100, 5, "How many tones Tones lists");
    fundamentalBox = named(new QDoubleSpinBox(page), "fundamentalSB",
                           "The fundamental frequency of Harmonics; automatic takes the strongest tone");
    fundamentalBox->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    fundamentalBox->setRange(0.0, 1e9);
    fundamentalBox->setDecimals(3);
    fundamentalBox->setSuffix(QStringLiteral(" Hz"));
    fundamentalBox->setSpecialValueText(translated("automatic"));

    const auto button = [this, page](const char* name, const char* text, const char* tip,
                                     const std::function<void()>& action) {
        auto* pb = named(new QPushButton(translated(text), page), name, tip);
        connect(pb, &QPushButton::clicked, this, action);
        return pb;
    };
    auto* psd = button("psdPB", "PSD",
                       "Replace every curve by its power spectral density, averaged over overlapping segments",
                       [this] {
                           replace([this] {
                               return tool.applyPsd(std::size_t(lengthBox->value()), overlapBox->value(), window());
                           });
                       });
    auto* amplitude = button("amplitudePB", "Amplitude",
                             "Replace every curve by its amplitude spectrum: a sine of amplitude A reads A",
                             [this] { replace([this] { return tool.applyAmplitude(window()); }); });
    auto* tones = button("tonesPB", "Tones", "List the strongest tones of the selected curve: frequency and amplitude",
                         [this] {
                             measure([this] { return tool.findTones(std::size_t(tonesBox->value()), window()); });
                         });
    auto* harmonics = button("harmonicsPB", "Harmonics",
                             "Distortion and noise of the selected curve: THD, THD+N, SNR, SINAD, ENOB and SFDR",
                             [this] {
                                 measure([this] { return tool.analyseHarmonics(fundamentalBox->value(), window()); });
                             });
    auto* sampling = button("samplingPB", "Sampling",
                            "How evenly the selected curve is sampled: the rate, jitter and gaps of its x steps",
                            [this] { measure([this] { return tool.checkSampling(); }); });
    auto* spectrogram = button("spectrogramPB", "Spectrogram",
                               "The spectrum of the selected curve over time, in a window of its own, with this "
                               "tab's window, segment and overlap",
                               [this] { openSpectrogram(); });

    auto* layout = new WrappingRowLayout(page, PlotServerUi::kPageWidthBudget);
    layout->setSpacing(3);
    layout->setContentsMargins(3, 3, 3, 3);
    for (QWidget* widget : std::initializer_list<QWidget*>{
             label(page, "Window:"), windowBox, label(page, "Segment:"), lengthBox, label(page, "Overlap:"),
             overlapBox, psd, amplitude, label(page, "Count:"), tonesBox, tones, label(page, "Fundamental:"),
             fundamentalBox, harmonics, sampling, spectrogram})
        layout->addWidget(widget);
    layout->addStretch();
    return page;
}

QTableWidget* AnalysisPanel::buildTable(QWidget* plotServer)
{
    table = TableViews::figures(plotServer, QStringLiteral("analysisTable"), translated("Unit"));
    return table;
}

std::size_t AnalysisPanel::window() const
{
    return std::size_t(windowBox->currentIndex());
}

// The figures shown describe curves that are no longer there.
void AnalysisPanel::replace(const std::function<bool()>& run)
{
    if (run())
        table->hide();
}

// The figures of an earlier run would pass for those of this one.
void AnalysisPanel::measure(const std::function<bool()>& run)
{
    table->hide();
    table->setRowCount(0);
    if (run())
        showFigures();
}

void AnalysisPanel::showFigures()
{
    const std::vector<AnalysisFigure>& figures = tool.figures();
    table->setRowCount(int(figures.size()));
    for (int row = 0; row < table->rowCount(); ++row) {
        const AnalysisFigure& figure = figures[std::size_t(row)];
        table->setItem(row, 0, new QTableWidgetItem(figure.label));
        auto* value = new QTableWidgetItem(QString::number(figure.value, 'g', 10));
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, 1, value);
        table->setItem(row, 2, new QTableWidgetItem(figure.unit));
    }
    table->resizeColumnsToContents();
    table->show();
}

// A curve shorter than the tab's segment is shown as one segment.
void AnalysisPanel::openSpectrogram()
{
    SpectrogramSource source;
    std::shared_ptr<const Spectrogram> spectrogram;
    SpectrogramSource::Settings settings;
    if (source.readCurrent(server->curveStore(), server->axesController())) {
        if (!source.samplingNote().isEmpty())
            server->logMessage("%s", qPrintable(source.samplingNote()));
        settings.length = std::min(std::size_t(lengthBox->value()), source.count());
        settings.overlapPercent = overlapBox->value();
        settings.window = window();
        spectrogram = source.compute(settings, SystemMemory());
    }
    if (!spectrogram) {
        server->logMessage("Kurvo: %s", qPrintable(source.failure()));
        return;
    }
    server->prompt().showWindow(new SpectrogramWindow(std::move(source), settings, std::move(spectrogram), server));
}
