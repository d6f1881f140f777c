#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QStringList>
#include <QVector>

#include <array>
#include <memory>
#include <string>

class CurveStore;
class PlotLog;
class PlotServerUi;
class Prompt;
class QListWidget;
class QListWidgetItem;
class QWidget;
class QwtPlot;
class QwtPlotMarker;

// The peak detector beside the plot: it lists the maxima and minima of one curve within the
// visible x range, marks a listed peak on the plot, and saves the list shown. It runs, while
// the Peak button is on, whenever a curve's statistics are shown and when EVAL is pressed.
class PeakPanel
{
    Q_DECLARE_TR_FUNCTIONS(PlotServer)

public:
    // Each direction lists at most this many peaks.
    static constexpr std::size_t kMaxPeaks = 200;

    PeakPanel(QWidget* dialogParent, QwtPlot* plot, const PlotServerUi& ui, const CurveStore& store, PlotLog& log,
              const std::unique_ptr<Prompt>& prompter);

    QwtPlotMarker* marker(int index) const { return markers.at(std::size_t(index)); }
    // The entries of the last run, as the two lists show them.
    const QStringList& entries(bool positive) const { return positive ? positiveEntries : negativeEntries; }

    void setVisible(bool visible);
    // Moves every marker back to x = 0 and hides it.
    void clearMarkers();
    void detectPeaks(int id);
    // Moves the dark-green (positive) or blue (negative) marker to the peak of a list entry.
    void markPeak(const QListWidgetItem* item, bool positive);
    // Asks for a file and saves the list of the tab shown; a name without a suffix takes
    // ".txt", and a failure shows the SAVE ERROR box.
    void save();
    // False, with a log line and the system's reason in `reason` if given, when the file
    // cannot be written.
    bool save(const QString& path, QString* reason = nullptr);

private:
    void hideMarkersOf(int id);
    void showWhole(QListWidget* list, const QString& entry);
    void list(const std::vector<std::size_t>& positions, std::size_t start, double offset, bool positive);

    QWidget* dialogParent;
    QwtPlot* plot;
    const PlotServerUi& ui;
    const CurveStore& store;
    PlotLog& log;
    const std::unique_ptr<Prompt>& prompter;
    std::array<QwtPlotMarker*, 4> markers{};
    // The curve the lists show, and the one each marker marks a peak of: a marker goes with
    // its curve.
    int peakCurve = -1;
    std::array<int, 4> markedCurves{{-1, -1, -1, -1}};
    // Ends the watch on erased curves with the panel.
    QObject removalWatch;
    // The samples of the curve examined last; the entries index into them.
    QVector<double> peakX;
    QVector<double> peakY;
    QStringList positiveEntries;
    QStringList negativeEntries;
    std::string positiveExport;
    std::string negativeExport;
};
