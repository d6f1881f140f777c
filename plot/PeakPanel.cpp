#include "PeakPanel.h"

#include "CurveStore.h"
#include "FileBytes.h"
#include "PeakScan.h"
#include "PlotLog.h"
#include "PlotServerUi.h"
#include "Prompt.h"
#include "SaveName.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPen>
#include <QTabWidget>
#include <QToolButton>

#include <qwt_plot.h>
#include <qwt_plot_marker.h>
#include <qwt_scale_div.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

const int kPositiveMarker = 0;
const int kNegativeMarker = 2;

// The shortest text that reads back as the same double.
void appendNumber(std::string& text, double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    text.append(buffer, result.ptr);
}

// The points from the first whose x is at least `low` to the last whose x is at most `high`.
bool visibleRun(const QVector<double>& x, double low, double high, std::size_t& start, std::size_t& count)
{
    int first = 0;
    while (first < x.size() && !(x[first] >= low))
        ++first;
    int last = x.size() - 1;
    while (last >= 0 && !(x[last] <= high))
        --last;
    if (last - first + 1 < 2)
        return false;
    start = std::size_t(first);
    count = std::size_t(last - first + 1);
    return true;
}

// A point without an x value is a gap as much as one without a y value: the scan gets its y
// as NaN. The samples are copied only when x has such a gap.
QVector<double> hideXGaps(const QVector<double>& x, QVector<double> y)
{
    for (int i = 0; i < x.size(); ++i) {
        if (std::isnan(x[i]))
            y[i] = std::numeric_limits<double>::quiet_NaN();
    }
    return y;
}

} // namespace

PeakPanel::PeakPanel(QWidget* dialogParent, QwtPlot* plot, const PlotServerUi& ui, const CurveStore& store,
                     PlotLog& log, const std::unique_ptr<Prompt>& prompter)
    : dialogParent(dialogParent)
    , plot(plot)
    , ui(ui)
    , store(store)
    , log(log)
    , prompter(prompter)
{
    const QColor colors[] = {Qt::darkGreen, Qt::white, Qt::blue, Qt::magenta};
    for (std::size_t i = 0; i < markers.size(); ++i) {
        auto* marker = new QwtPlotMarker;
        marker->setValue(0.0, 0.0);
        marker->setLineStyle(QwtPlotMarker::VLine);
        marker->setLabelAlignment(Qt::AlignRight | Qt::AlignBottom);
        // Two pixels, so that the mark shows among curves of one pixel.
        marker->setLinePen(QPen(colors[i], 2, Qt::DashDotLine, Qt::SquareCap, Qt::BevelJoin));
        // A parked marker marks nothing, so it is not drawn.
        marker->setVisible(false);
        marker->attach(plot);
        markers[i] = marker;
    }
    QObject::connect(&store, &CurveStore::curveRemoved, &removalWatch, [this](int id) { hideMarkersOf(id); });
}

void PeakPanel::setVisible(bool visible)
{
    ui.peakGB->setVisible(visible);
}

void PeakPanel::hideMarkersOf(int id)
{
    for (std::size_t i = 0; i < markers.size(); ++i) {
        if (markedCurves[i] == id) {
            markers[i]->setVisible(false);
            markedCurves[i] = -1;
        }
    }
}

void PeakPanel::clearMarkers()
{
    for (QwtPlotMarker* marker : markers) {
        marker->setXValue(0.0);
        marker->setVisible(false);
    }
}

// The scan covers the points the bottom axis shows, whatever their x values are.
void PeakPanel::detectPeaks(int id)
{
    // Without the tool panel there is no Peak button to turn the detector on.
    if (!ui.hasTools() || !ui.peakTB->isChecked())
        return;
    const CurveRecord* record = store.find(id);
    if (!record)
        return;
    ui.positivePeaks->clear();
    ui.negativePeaks->clear();
    positiveEntries.clear();
    negativeEntries.clear();
    positiveExport.clear();
    negativeExport.clear();
    store.samples(id, peakX, peakY);
    peakCurve = id;

    const QwtInterval shown = plot->axisScaleDiv(QwtPlot::xBottom).interval().normalized();
    std::size_t start = 0;
    std::size_t count = 0;
    if (!visibleRun(peakX, shown.minValue(), shown.maxValue(), start, count))
        return;
    const QVector<double> scanned = hideXGaps(peakX, peakY);
    const PeakPositions found = scanPeaks(scanned.constData() + start, count, ui.deltaSB->value(), kMaxPeaks);
    const double offset = ui.minimumCB->isChecked() ? record->minimum : 0.0;
    list(found.maxima, start, offset, true);
    list(found.minima, start, offset, false);
}

// Every peak found keeps its number, so rejected ones leave gaps in the numbering.
void PeakPanel::list(const std::vector<std::size_t>& positions, std::size_t start, double offset, bool positive)
{
    const QString units = ui.unitsCB->currentText() == QLatin1String("#") ? QString() : ui.unitsCB->currentText();
    const QByteArray unitText = units.toLocal8Bit();
    const double threshold = ui.thresholdSB->value();
    for (std::size_t k = 0; k < positions.size(); ++k) {
        const int idx = int(start + positions[k]);
        const double value = peakY.at(idx) - offset;
        if (!(value >= threshold))
            continue;
        const QString entry = QString::asprintf("#%03d : %5d > %10.3lf%s = %10.3lf", int(k), idx, peakX.at(idx),
                                                unitText.constData(), value);
        QListWidget* shownIn = positive ? ui.positivePeaks : ui.negativePeaks;
        shownIn->addItem(entry);
        showWhole(shownIn, entry);
        (positive ? positiveEntries : negativeEntries) << entry;
        std::string& text = positive ? positiveExport : negativeExport;
        appendNumber(text, peakX.at(idx));
        text += ", ";
        appendNumber(text, value);
        text += "\r\n";
    }
}

// The lists, and the detector with them, grow to show every entry whole.
void PeakPanel::showWhole(QListWidget* list, const QString& entry)
{
    const int before = list->minimumWidth();
    PlotServerUi::fitListTo(list, entry);
    if (list->minimumWidth() > before)
        ui.peakGB->setMaximumWidth(std::max(ui.peakGB->maximumWidth(), ui.peakGB->minimumSizeHint().width()));
}

void PeakPanel::markPeak(const QListWidgetItem* item, bool positive)
{
    if (!item)
        return;
    const QStringList afterColon = item->text().split(QLatin1Char(':'));
    if (afterColon.size() < 2)
        return;
    bool isNumber = false;
    const int idx = afterColon[1].split(QLatin1Char('>')).front().simplified().toInt(&isNumber);
    if (!isNumber || idx < 0 || idx >= peakX.size())
        return;
    const std::size_t index = std::size_t(positive ? kPositiveMarker : kNegativeMarker);
    QwtPlotMarker* marker = markers[index];
    markedCurves[index] = peakCurve;
    marker->setXValue(peakX.at(idx));
    marker->setVisible(true);
    plot->replot();
}

void PeakPanel::save()
{
    const QString filter = QStringLiteral("*.txt");
    const QString path =
        SaveName::of(prompter->saveFileName(dialogParent, tr("EXPORT PEAKS"), QStringLiteral("./"), filter), filter);
    QString reason;
    if (!path.isEmpty() && !save(path, &reason))
        prompter->warning(dialogParent, tr("SAVE ERROR"), tr("%1: %2").arg(path, reason));
}

bool PeakPanel::save(const QString& path, QString* reason)
{
    const bool negativeShown = ui.hasTools() && ui.foundPeaks->currentIndex() == 1;
    const std::string& text = negativeShown ? negativeExport : positiveExport;
    QString why;
    if (writeFileBytes(path, text.data(), qint64(text.size()), &why))
        return true;
    log.line(QStringLiteral("Kurvo: Can't write file %1: %2").arg(path, why));
    if (reason)
        *reason = why;
    return false;
}
