#include "PlotServerUi.h"

#include "StatisticsCells.h"
#include "widgets/LazyIconEngine.h"
#include "widgets/WrappingRowLayout.h"

#include <algorithm>

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QSpacerItem>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <qwt_plot.h>

namespace {

const char* const kContext = "PlotServer";
const char* const kIconPrefix = ":/vxKurvo/images/";

QString tr(const char* text)
{
    return QCoreApplication::translate(kContext, text);
}

QIcon icon(const char* file)
{
    return LazyIconEngine::icon(QString::fromLatin1(kIconPrefix) + QLatin1String(file));
}

template <typename Layout>
Layout* layoutOn(QWidget* widget, const char* name, int spacing, int margins)
{
    auto* layout = new Layout(widget);
    layout->setObjectName(QLatin1String(name));
    layout->setSpacing(spacing);
    layout->setContentsMargins(margins, margins, margins, margins);
    return layout;
}

template <typename Layout>
Layout* innerLayout(const char* name, int spacing)
{
    auto* layout = new Layout;
    layout->setObjectName(QLatin1String(name));
    layout->setSpacing(spacing);
    return layout;
}

// A tab page's controls break into rows where one row would not fit a window 1024 pixels wide
// beside the Stat. and Peak buttons.
QHBoxLayout* pageRow(QWidget* page, const char* name, int spacing, int margins)
{
    auto* layout = new WrappingRowLayout(page, PlotServerUi::kPageWidthBudget);
    layout->setObjectName(QLatin1String(name));
    layout->setSpacing(spacing);
    layout->setContentsMargins(margins, margins, margins, margins);
    return layout;
}

QWidget* tabPage(QTabWidget* tabs, const char* name)
{
    auto* page = new QWidget;
    page->setObjectName(QLatin1String(name));
    tabs->addTab(page, tr(name));
    return page;
}

QToolButton* toolButton(QWidget* parent, const char* name, const char* text, const char* tip,
                        const char* iconFile)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(tr(text));
    button->setToolTip(tr(tip));
    button->setIcon(icon(iconFile));
    button->setIconSize(QSize(24, 24));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    return button;
}

QLabel* label(QWidget* parent, const char* name, const char* text)
{
    auto* lbl = new QLabel(parent);
    lbl->setObjectName(QLatin1String(name));
    lbl->setText(tr(text));
    lbl->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return lbl;
}

template <typename Box = QDoubleSpinBox>
Box* spinBox(QWidget* parent, const char* name, int decimals, double minimum, double maximum, double value,
             const char* tip)
{
    auto* box = new Box(parent);
    box->setObjectName(QLatin1String(name));
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setDecimals(decimals);
    box->setRange(minimum, maximum);
    box->setValue(value);
    box->setToolTip(tr(tip));
    return box;
}

template <typename Box = QDoubleSpinBox>
Box* rangeSpinBox(QWidget* parent, const char* name, int decimals, double step, double value, const char* tip)
{
    auto* box = spinBox<Box>(parent, name, decimals, -PlotServerUi::kFieldLimit, PlotServerUi::kFieldLimit, value,
                             tip);
    if (step > 0)
        box->setSingleStep(step);
    return box;
}

QSpacerItem* horizontalSpacer(int width, int height)
{
    return new QSpacerItem(width, height, QSizePolicy::Expanding, QSizePolicy::Minimum);
}

QPushButton* smallButton(QWidget* parent, const char* name, const char* text)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(tr(text));
    // Narrow, but never narrower than its text with a little margin.
    const int margin = 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin);
    button->setMaximumSize(std::max(50, button->fontMetrics().horizontalAdvance(button->text()) + margin), 18);
    return button;
}

QListWidget* peakList(QWidget* parent, const char* name)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Wide enough for an entry of the usual size; PeakPanel widens it for larger ones.
    PlotServerUi::fitListTo(list, QStringLiteral("#000 :     0 >      0.000kHz =      0.000"));
    return list;
}

QPalette statisticsPalette()
{
    QPalette palette;
    const auto set = [&palette](QPalette::ColorGroup group, const QColor& windowText,
                                const QColor& text, const QColor& buttonText, const QColor& base) {
        palette.setBrush(group, QPalette::WindowText, QBrush(windowText, Qt::SolidPattern));
        palette.setBrush(group, QPalette::Text, QBrush(text, Qt::SolidPattern));
        palette.setBrush(group, QPalette::ButtonText, QBrush(buttonText, Qt::SolidPattern));
        palette.setBrush(group, QPalette::Base, QBrush(base, Qt::SolidPattern));
    };
    for (const auto group : {QPalette::Active, QPalette::Inactive})
        set(group, QColor(0, 182, 0), QColor(0, 0, 255), QColor(125, 132, 21), QColor(208, 208, 208));
    const QColor grey(120, 120, 120);
    set(QPalette::Disabled, grey, grey, grey, QColor(240, 240, 240));
    return palette;
}

} // namespace

// Shown, the panel gets the height and width it needs (showToolPanel()), measured then and not
// for a panel that may never be shown; the scroll bar is left for a window that a window
// manager makes smaller than its minimum.
QScrollArea* PlotServerUi::scrollAround(QWidget* panel, QWidget* plotServer)
{
    plotTabScroll = new QScrollArea(plotServer);
    plotTabScroll->setObjectName(QStringLiteral("plotTabScroll"));
    plotTabScroll->setFrameShape(QFrame::NoFrame);
    plotTabScroll->setWidgetResizable(true);
    plotTabScroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    plotTabScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    plotTabScroll->setWidget(panel);
    plotTabScroll->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return plotTabScroll;
}

void PlotServerUi::fitListTo(QListWidget* list, const QString& entry)
{
    const int scrollBar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int margin = 2 * list->frameWidth() + 2 * list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
    const int needed = list->fontMetrics().horizontalAdvance(entry) + scrollBar + margin;
    list->setMinimumWidth(std::max(list->minimumWidth(), needed));
}

void PlotServerUi::showToolPanel(bool visible)
{
    // The window's smallest size leaves room for the whole panel: it never scrolls.
    if (visible) {
        const int scrollBar = plotTabScroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        plotTabScroll->setFixedHeight(plotTab->minimumSizeHint().height() + scrollBar);
        plotTabScroll->setMinimumWidth(plotTab->minimumSizeHint().width());
    }
    plotTabScroll->setVisible(visible);
}

void PlotServerUi::keepTextsWhole(QWidget* panel)
{
    for (QWidget* widget : panel->findChildren<QWidget*>()) {
        if (qobject_cast<QLabel*>(widget) || qobject_cast<QCheckBox*>(widget) || qobject_cast<QAbstractSpinBox*>(widget)
            || qobject_cast<QComboBox*>(widget))
            widget->setSizePolicy(QSizePolicy::Minimum, widget->sizePolicy().verticalPolicy());
    }
}

void PlotServerUi::setupUi(QWidget* plotServer)
{
    plotServer->setObjectName(QStringLiteral("PlotServer"));
    plotServer->resize(1337, 951);
    plotServer->setWindowTitle(tr("PlotServer"));
    plotServer->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));

    verticalLayout_2 = layoutOn<QVBoxLayout>(plotServer, "verticalLayout_2", 3, 3);
    horizontalLayout_9 = innerLayout<QHBoxLayout>("horizontalLayout_9", 6);
    verticalLayout_2->addLayout(horizontalLayout_9);
    setupPlotArea(plotServer);
    verticalLayout_2->addLayout(horizontalLayout_11);
}

void PlotServerUi::setupTools(QWidget* plotServer)
{
    plotTab = new QTabWidget(plotServer);
    plotTab->setObjectName(QStringLiteral("plotTab"));
    QSizePolicy tabPolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    plotTab->setSizePolicy(tabPolicy);
    plotTab->setTabPosition(QTabWidget::South);
    plotTab->setTabShape(QTabWidget::Triangular);
    setupFilePage();
    setupProcessPage();
    setupRangePage();
    setupViewPage();
    keepTextsWhole(plotTab);
    plotTab->setCurrentIndex(0);
    horizontalLayout_9->addWidget(scrollAround(plotTab, plotServer));

    plotStatTB = toolButton(plotServer, "plotStatTB", "Stat.", "Show statistics of the selected curve",
                            "statistics.png");
    plotStatTB->setCheckable(true);
    horizontalLayout_9->addWidget(plotStatTB);
    peakTB = toolButton(plotServer, "peakTB", "Peak", "Show statistics of the selected curve", "peak.png");
    peakTB->setCheckable(true);
    horizontalLayout_9->addWidget(peakTB);

    setupPeakPanel(plotServer);
    setupStatistics(plotServer);
    verticalLayout_2->addWidget(statisticsWD);
}

void PlotServerUi::setupFilePage()
{
    filePage = tabPage(plotTab, "File");
    horizontalLayout_8 = pageRow(filePage, "horizontalLayout_8", 3, 3);
    plotNewTB = toolButton(filePage, "plotNewTB", "New", "Open a new Kurvo session", "new.png");
    plotOpenTB = toolButton(filePage, "plotOpenTB", "Open", "Open saved raw data", "fileopen.png");
    plotImportTB = toolButton(filePage, "plotImportTB", "Import",
                              "Import a text table, choosing how it is read (Ctrl+I)", "fileopen.png");
    plotSaveTB = toolButton(filePage, "plotSaveTB", "Save", "Save graphics or data of current plot",
                            "save.png");
    plotPrintTB = toolButton(filePage, "plotPrintTB", "Print", "Print this graphics", "print.png");
    line = new QFrame(filePage);
    line->setObjectName(QStringLiteral("line"));
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    plotEraseTB = toolButton(filePage, "plotEraseTB", "Erase", "Remove selected curve", "del.png");
    for (QWidget* w : {static_cast<QWidget*>(plotNewTB), static_cast<QWidget*>(plotOpenTB), static_cast<QWidget*>(plotImportTB),
                       static_cast<QWidget*>(plotSaveTB), static_cast<QWidget*>(plotPrintTB),
                       static_cast<QWidget*>(line), static_cast<QWidget*>(plotEraseTB)})
        horizontalLayout_8->addWidget(w);
    horizontalLayout_8->addItem(horizontalSpacer(931, 20));
}

void PlotServerUi::setupProcessPage()
{
    processPage = tabPage(plotTab, "Process");
    horizontalLayout_5 = pageRow(processPage, "horizontalLayout_5", 3, 3);
    undoTB = toolButton(processPage, "undoTB", "Undo", "Perform an undo", "undo.png");
    undoTB->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    windowindLB = label(processPage, "windowindLB", "Windowing:");
    windowingCB = new QComboBox(processPage);
    windowingCB->setObjectName(QStringLiteral("windowingCB"));
    windowingCB->setToolTip(tr("FFT windowing selection"));
    fftTB = toolButton(processPage, "fftTB", "FFT", "Apply Fourier Transform", "fft.png");
    dbTB = toolButton(processPage, "dbTB", "dB", "Transform all displayed curve in dB scale", "db.png");
    absTB = toolButton(processPage, "absTB", "Abs", "Abosolute value of selected curve", "abs.png");
    for (QWidget* w : {static_cast<QWidget*>(undoTB), static_cast<QWidget*>(windowindLB),
                       static_cast<QWidget*>(windowingCB), static_cast<QWidget*>(fftTB),
                       static_cast<QWidget*>(dbTB), static_cast<QWidget*>(absTB)})
        horizontalLayout_5->addWidget(w);
    horizontalLayout_5->addItem(horizontalSpacer(637, 20));
}

void PlotServerUi::setupRangePage()
{
    rangePage = tabPage(plotTab, "Range");
    horizontalLayout_2 = pageRow(rangePage, "horizontalLayout_2", 6, 11);
    yLowLB = label(rangePage, "yLowLB", "Y Low:");
    verLowSB = rangeSpinBox(rangePage, "verLowSB", 3, 0.1, 0.0, "Minimum value showed in Y axys");
    yLowLB_2 = label(rangePage, "yLowLB_2", "Y High:");
    verHighSB = rangeSpinBox(rangePage, "verHighSB", 3, 0.1, 0.0, "Maximum value showed in Y axys");
    xStartLB = label(rangePage, "xStartLB", "X Start:");
    horStartSB = rangeSpinBox<TimeSpinBox>(rangePage, "horStartSB", 3, 1.0, 0.0, "Minimum value showed in X axys");
    xEndLB = label(rangePage, "xEndLB", "X End:");
    horStopSB = rangeSpinBox<TimeSpinBox>(rangePage, "horStopSB", 3, 1.0, 0.0, "Maximum value showed in X axys");
    horCalibLB = label(rangePage, "horCalibLB", "Hor. Calib.");
    horCalibrationSB = rangeSpinBox(rangePage, "horCalibrationSB", 6, 0.0, 1.0,
                                    "Value used to calibrate X axys");
    unitsLB = label(rangePage, "unitsLB", "Units:");
    unitsCB = new QComboBox(rangePage);
    unitsCB->setObjectName(QStringLiteral("unitsCB"));
    unitsCB->setToolTip(tr("Used units in horizontal axys"));
    for (const char* unit : {"#", "ns", "us", "ms", "s", "Hz", "kHz", "MHz", "GHz"})
        unitsCB->addItem(QLatin1String(unit));
    for (QWidget* w : std::initializer_list<QWidget*>{
             yLowLB, verLowSB, yLowLB_2, verHighSB, xStartLB, horStartSB, xEndLB, horStopSB,
             horCalibLB, horCalibrationSB, unitsLB, unitsCB})
        horizontalLayout_2->addWidget(w);
    horizontalLayout_2->addItem(horizontalSpacer(375, 20));
}

void PlotServerUi::setupViewPage()
{
    viewPage = tabPage(plotTab, "View");
    horizontalLayout_3 = pageRow(viewPage, "horizontalLayout_3", 3, 3);
    plotStyleLB = label(viewPage, "plotStyleLB", "Style:");
    stylesCB = new QComboBox(viewPage);
    stylesCB->setObjectName(QStringLiteral("stylesCB"));
    stylesCB->setToolTip(tr("Graphics style"));
    plotTitleTB = toolButton(viewPage, "plotTitleTB", "Title", "Change the plot title", "title.png");
    plotXTitleTB = toolButton(viewPage, "plotXTitleTB", "xTitle", "Change X axys legend", "xTitle.png");
    plotYTitleTB = toolButton(viewPage, "plotYTitleTB", "yTitle", "Change Y axys legend", "yTitle.png");
    plotBackColorTB = toolButton(viewPage, "plotBackColorTB", "Back.C", "Change plot background color",
                                 "color.png");
    logXCB = new QCheckBox(tr("Logarithmic X axis"), viewPage);
    logXCB->setObjectName(QStringLiteral("logXCB"));
    logXCB->setLayoutDirection(Qt::RightToLeft);
    logYCB = new QCheckBox(tr("Logarithmic Y axis"), viewPage);
    logYCB->setObjectName(QStringLiteral("logYCB"));
    logYCB->setLayoutDirection(Qt::RightToLeft);
    for (QWidget* w : std::initializer_list<QWidget*>{plotStyleLB, stylesCB, plotTitleTB, plotXTitleTB,
                                                      plotYTitleTB, plotBackColorTB, logXCB, logYCB})
        horizontalLayout_3->addWidget(w);
    horizontalLayout_3->addItem(horizontalSpacer(800, 20));
}

void PlotServerUi::setupPlotArea(QWidget* plotServer)
{
    horizontalLayout_11 = innerLayout<QHBoxLayout>("horizontalLayout_11", 6);
    horizontalLayout_7 = innerLayout<QHBoxLayout>("horizontalLayout_7", 6);

    stackedWidget = new QStackedWidget(plotServer);
    stackedWidget->setObjectName(QStringLiteral("stackedWidget"));
    page = new QWidget;
    page->setObjectName(QStringLiteral("page"));
    horizontalLayout = layoutOn<QHBoxLayout>(page, "horizontalLayout", 3, 3);
    qwtPlot = new QwtPlot(page);
    qwtPlot->setObjectName(QStringLiteral("qwtPlot"));
    horizontalLayout->addWidget(qwtPlot);
    stackedWidget->addWidget(page);
    page_2 = new QWidget;
    page_2->setObjectName(QStringLiteral("page_2"));
    horizontalLayout_6 = layoutOn<QHBoxLayout>(page_2, "horizontalLayout_6", 6, 0);
    stackedWidget->addWidget(page_2);
    stackedWidget->setCurrentIndex(0);
    // In a narrow window the plot gives way, not the texts of the panels beside it.
    stackedWidget->setMinimumWidth(160);
    horizontalLayout_7->addWidget(stackedWidget);

    verticalLayout = innerLayout<QVBoxLayout>("verticalLayout", 6);
    showMenuTB = new QToolButton(plotServer);
    showMenuTB->setObjectName(QStringLiteral("showMenuTB"));
    showMenuTB->setText(QStringLiteral("..."));
    showMenuTB->setToolTip(tr("Show/Hide menu"));
    showMenuTB->setIcon(icon("show.png"));
    showMenuTB->setCheckable(true);
    showMenuTB->setAutoRaise(true);
    verticalLayout->addWidget(showMenuTB);
    verticalLayout->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
    horizontalLayout_7->addLayout(verticalLayout);

    horizontalLayout_11->addLayout(horizontalLayout_7);
}

void PlotServerUi::setupPeakPanel(QWidget* plotServer)
{
    peakGB = new QGroupBox(tr("Peak Detector"), plotServer);
    peakGB->setObjectName(QStringLiteral("peakGB"));
    peakGB->setMaximumWidth(220);
    verticalLayout_6 = layoutOn<QVBoxLayout>(peakGB, "verticalLayout_6", 6, 11);

    gridLayout = innerLayout<QGridLayout>("gridLayout", 6);
    deltaLB = label(peakGB, "deltaLB", "Delta:");
    deltaSB = spinBox(peakGB, "deltaSB", 3, 0.0, 1000000.0, 1.0,
                      "<html><head/><body><p>Delta is used for distinguishing peaks.</p></body></html>");
    thresholdLB = label(peakGB, "thresholdLB", "Threshold:");
    thresholdSB = spinBox(peakGB, "thresholdSB", 3, 0.0, 1000000.0, 0.0,
                          "<html><head/><body><p>Threshold value to accept a PEAK.</p></body></html>");
    minimumCB = new QCheckBox(tr("Subtract minimum value"), peakGB);
    minimumCB->setObjectName(QStringLiteral("minimumCB"));
    minimumCB->setLayoutDirection(Qt::RightToLeft);
    minimumCB->setToolTip(
        tr("<html><head/><body><p>Subtract minimum value from found PEAKs.</p></body></html>"));
    gridLayout->addWidget(deltaLB, 0, 0);
    gridLayout->addWidget(deltaSB, 0, 1);
    gridLayout->addWidget(thresholdLB, 1, 0);
    gridLayout->addWidget(thresholdSB, 1, 1);
    gridLayout->addWidget(minimumCB, 2, 0, 1, 2);
    verticalLayout_6->addLayout(gridLayout);

    foundPeaks = new QTabWidget(peakGB);
    foundPeaks->setObjectName(QStringLiteral("foundPeaks"));
    positivePage = tabPage(foundPeaks, "Positive");
    verticalLayout_5 = layoutOn<QVBoxLayout>(positivePage, "verticalLayout_5", 1, 1);
    positivePeaks = peakList(positivePage, "positivePeaks");
    positivePeaks->setAlternatingRowColors(true);
    verticalLayout_5->addWidget(positivePeaks);
    negativePage = tabPage(foundPeaks, "Negative");
    verticalLayout_4 = layoutOn<QVBoxLayout>(negativePage, "verticalLayout_4", 1, 1);
    negativePeaks = peakList(negativePage, "negativePeaks");
    verticalLayout_4->addWidget(negativePeaks);
    verticalLayout_6->addWidget(foundPeaks);

    horizontalLayout_10 = innerLayout<QHBoxLayout>("horizontalLayout_10", 6);
    horizontalLayout_10->addItem(horizontalSpacer(40, 20));
    savePB = smallButton(peakGB, "savePB", "SAVE");
    evalPB = smallButton(peakGB, "evalPB", "EVAL");
    clearPB = smallButton(peakGB, "clearPB", "CLEAR");
    horizontalLayout_10->addWidget(savePB);
    horizontalLayout_10->addWidget(evalPB);
    horizontalLayout_10->addWidget(clearPB);
    verticalLayout_6->addLayout(horizontalLayout_10);

    // The detector stays narrow beside the plot, yet wide enough for its own texts.
    keepTextsWhole(peakGB);
    peakGB->ensurePolished();
    peakGB->setMaximumWidth(std::max(220, peakGB->minimumSizeHint().width()));
    horizontalLayout_11->addWidget(peakGB);
}

void PlotServerUi::setupStatistics(QWidget* plotServer)
{
    statisticsWD = new QTableWidget(3, 8, plotServer);
    statisticsWD->setObjectName(QStringLiteral("statisticsWD"));
    statisticsWD->setMaximumHeight(125);
    statisticsWD->setPalette(statisticsPalette());
    for (int column = 0; column < 8; ++column)
        statisticsWD->setHorizontalHeaderItem(
            column, new QTableWidgetItem(tr(column % 2 == 0 ? "Statistics" : "Value")));
    for (int row = 0; row < 3; ++row)
        statisticsWD->setVerticalHeaderItem(row, new QTableWidgetItem(QStringLiteral("-")));
    for (const StatisticsCell& cell : StatisticsCell::all()) {
        auto* name = new QTableWidgetItem(tr(cell.label));
        auto* value = new QTableWidgetItem(QStringLiteral("0"));
        if (cell.tip) {
            name->setToolTip(tr(cell.tip));
            value->setToolTip(tr(cell.tip));
        }
        statisticsWD->setItem(cell.row, cell.column, name);
        statisticsWD->setItem(cell.row, cell.column + 1, value);
    }
}
