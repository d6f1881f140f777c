#pragma once

// Complete, so that the x limit fields pass wherever a QDoubleSpinBox is expected.
#include "TimeSpinBox.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFrame;
class QGroupBox;
class QHBoxLayout;
class QGridLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QScrollArea;
class QStackedWidget;
class QTabWidget;
class QTableWidget;
class QToolButton;
class QVBoxLayout;
class QWidget;
class QwtPlot;

// The widget tree of the plot widget's tool panel, plot, peak panel and statistics table.
// Every widget carries the object name by which the program and its tests find it.
class PlotServerUi
{
public:
    // The plot and the button that shows the tool panel: all that a plot never shown needs.
    void setupUi(QWidget* plotServer);
    // The tool panel with the Stat. and Peak buttons, the peak detector and the statistics
    // table, in their places in the layouts setupUi() made; their pointers stay null before.
    void setupTools(QWidget* plotServer);
    bool hasTools() const { return plotTab != nullptr; }
    // No label, check box or field of `panel` gets less room than its text needs: the panel's
    // minimum width grows instead, and with it the window's.
    static void keepTextsWhole(QWidget* panel);
    // Makes `list` at least wide enough to show `entry` whole beside its scroll bar.
    static void fitListTo(QListWidget* list, const QString& entry);
    // The widest a tab page's row of controls grows before it breaks into another row.
    static constexpr int kPageWidthBudget = 760;
    // The largest magnitude a limit field of the Range tab holds.
    static constexpr double kFieldLimit = 1e9;
    // Shows or hides the tool panel, as tall as its tallest page, whatever tabs and
    // controls the panels added after setupUi().
    void showToolPanel(bool visible);

    QVBoxLayout* verticalLayout_2 = nullptr;
    QHBoxLayout* horizontalLayout_9 = nullptr;
    QScrollArea* plotTabScroll = nullptr;
    QTabWidget* plotTab = nullptr;

    QWidget* filePage = nullptr;
    QHBoxLayout* horizontalLayout_8 = nullptr;
    QToolButton* plotNewTB = nullptr;
    QToolButton* plotOpenTB = nullptr;
    QToolButton* plotImportTB = nullptr;
    QToolButton* plotSaveTB = nullptr;
    QToolButton* plotPrintTB = nullptr;
    QFrame* line = nullptr;
    QToolButton* plotEraseTB = nullptr;

    QWidget* processPage = nullptr;
    QHBoxLayout* horizontalLayout_5 = nullptr;
    QToolButton* undoTB = nullptr;
    QLabel* windowindLB = nullptr;
    QComboBox* windowingCB = nullptr;
    QToolButton* fftTB = nullptr;
    QToolButton* dbTB = nullptr;
    QToolButton* absTB = nullptr;

    QWidget* rangePage = nullptr;
    QHBoxLayout* horizontalLayout_2 = nullptr;
    QLabel* yLowLB = nullptr;
    QDoubleSpinBox* verLowSB = nullptr;
    QLabel* yLowLB_2 = nullptr;
    QDoubleSpinBox* verHighSB = nullptr;
    QLabel* xStartLB = nullptr;
    TimeSpinBox* horStartSB = nullptr;
    QLabel* xEndLB = nullptr;
    TimeSpinBox* horStopSB = nullptr;
    QLabel* horCalibLB = nullptr;
    QDoubleSpinBox* horCalibrationSB = nullptr;
    QLabel* unitsLB = nullptr;
    QComboBox* unitsCB = nullptr;

    QWidget* viewPage = nullptr;
    QHBoxLayout* horizontalLayout_3 = nullptr;
    QLabel* plotStyleLB = nullptr;
    QComboBox* stylesCB = nullptr;
    QToolButton* plotTitleTB = nullptr;
    QToolButton* plotXTitleTB = nullptr;
    QToolButton* plotYTitleTB = nullptr;
    QToolButton* plotBackColorTB = nullptr;
    QCheckBox* logXCB = nullptr;
    QCheckBox* logYCB = nullptr;

    QToolButton* plotStatTB = nullptr;
    QToolButton* peakTB = nullptr;

    QHBoxLayout* horizontalLayout_11 = nullptr;
    QHBoxLayout* horizontalLayout_7 = nullptr;
    QStackedWidget* stackedWidget = nullptr;
    QWidget* page = nullptr;
    QHBoxLayout* horizontalLayout = nullptr;
    QwtPlot* qwtPlot = nullptr;
    QWidget* page_2 = nullptr;
    QHBoxLayout* horizontalLayout_6 = nullptr;
    QVBoxLayout* verticalLayout = nullptr;
    QToolButton* showMenuTB = nullptr;

    QGroupBox* peakGB = nullptr;
    QVBoxLayout* verticalLayout_6 = nullptr;
    QGridLayout* gridLayout = nullptr;
    QLabel* deltaLB = nullptr;
    QDoubleSpinBox* deltaSB = nullptr;
    QLabel* thresholdLB = nullptr;
    QDoubleSpinBox* thresholdSB = nullptr;
    QCheckBox* minimumCB = nullptr;
    QTabWidget* foundPeaks = nullptr;
    QWidget* positivePage = nullptr;
    QVBoxLayout* verticalLayout_5 = nullptr;
    QListWidget* positivePeaks = nullptr;
    QWidget* negativePage = nullptr;
    QVBoxLayout* verticalLayout_4 = nullptr;
    QListWidget* negativePeaks = nullptr;
    QHBoxLayout* horizontalLayout_10 = nullptr;
    QPushButton* savePB = nullptr;
    QPushButton* evalPB = nullptr;
    QPushButton* clearPB = nullptr;

    QTableWidget* statisticsWD = nullptr;

private:
    QScrollArea* scrollAround(QWidget* panel, QWidget* plotServer);
    void setupFilePage();
    void setupProcessPage();
    void setupRangePage();
    void setupViewPage();
    void setupPlotArea(QWidget* plotServer);
    void setupPeakPanel(QWidget* plotServer);
    void setupStatistics(QWidget* plotServer);
};
