#include "PlotServer.h"

#include "AxesController.h"
#include "CurveStore.h"
#include "DataImporter.h"
#include "PeakPanel.h"
#include "StatisticsTable.h"
#include "UndoStore.h"
#include "WindowFunction.h"
#include "analysis/AnalysisPanel.h"
#include "derive/DerivePanel.h"
#include "fitting/FitPanel.h"
#include "widgets/ElidedLabel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>

// The tool panel's slots. The panel, with the peak detector and the tables below the plot, is
// built when the user first shows it or a caller first reads the controls.

namespace {

const char* const kPlotStyles[] = {"Lines", "Sticks", "Steps", "Dots"};

} // namespace

// Building adds widgets that start hidden; what the plot widget shows and does stays the same,
// so a reader may cause it.
const PlotServerUi& PlotServer::controls() const
{
    const_cast<PlotServer*>(this)->buildTools();
    return ui;
}

void PlotServer::buildTools()
{
    if (ui.hasTools())
        return;
    ui.setupTools(this);
    for (int i = 0; i < 4; ++i)
        ui.stylesCB->addItem(tr(kPlotStyles[i]), i);
    for (std::size_t i = 0; i < kWindowFunctionCount; ++i)
        ui.windowingCB->addItem(tr(windowFunctionName(i)), int(i));
    for (QWidget* hidden : std::initializer_list<QWidget*>{ui.plotTabScroll, ui.plotTab, ui.plotStatTB, ui.peakGB,
                                                            ui.peakTB, ui.statisticsWD})
        hidden->hide();

    auto* corner = new QWidget(ui.plotTab);
    auto* cornerLayout = new QHBoxLayout(corner);
    cornerLayout->setContentsMargins(0, 0, 0, 0);
    selectedCurveLabel = new ElidedLabel(selectedCurveText, corner);
    selectedCurveLabel->setObjectName(QStringLiteral("selectedCurveLabel"));
    selectedCurveLabel->setToolTip(tr("Name of the SELECTED curve"));
    cornerLayout->addWidget(selectedCurveLabel);
    ui.plotTab->setCornerWidget(corner, Qt::TopRightCorner);

    analysisPanel->build(ui);
    fitPanel->build(ui);
    deriver->build(ui);
    undoStore->setButton(ui.undoTB);
    statistics->attach(ui.statisticsWD);
    axes->fillFields();
    connectToolPanel();
}

void PlotServer::connectToolPanel()
{
    connect(ui.plotNewTB, &QToolButton::clicked, this, &PlotServer::newPlot);
    connect(ui.plotOpenTB, &QToolButton::clicked, this, &PlotServer::readData);
    connect(ui.plotImportTB, &QToolButton::clicked, this, [this] { importer->importFile(); });
    connect(ui.plotSaveTB, &QToolButton::clicked, this, &PlotServer::saveBitmap);
    connect(ui.plotPrintTB, &QToolButton::clicked, this, &PlotServer::print);
    connect(ui.plotEraseTB, &QToolButton::clicked, this, &PlotServer::erase);
    connect(ui.undoTB, &QToolButton::clicked, this, qOverload<>(&PlotServer::undo));
    connect(ui.windowingCB, qOverload<int>(&QComboBox::activated), this, &PlotServer::windowFunction);
    connect(ui.fftTB, &QToolButton::clicked, this, &PlotServer::applyDFT);
    connect(ui.dbTB, &QToolButton::clicked, this, &PlotServer::applyDB);
    connect(ui.absTB, &QToolButton::clicked, this, &PlotServer::applyAbs);

    const auto valueChanged = qOverload<double>(&QDoubleSpinBox::valueChanged);
    connect(ui.verLowSB, valueChanged, this, &PlotServer::setVertiLow);
    connect(ui.verHighSB, valueChanged, this, &PlotServer::setVertiHigh);
    connect(ui.horStartSB, valueChanged, this, &PlotServer::setHorizStart);
    connect(ui.horStopSB, valueChanged, this, &PlotServer::setHorizStop);
    connect(ui.horCalibrationSB, valueChanged, this, &PlotServer::setHorCalibration);

    connect(ui.stylesCB, qOverload<int>(&QComboBox::currentIndexChanged), this, &PlotServer::setPlotStyle);
    connect(ui.plotTitleTB, &QToolButton::clicked, this, &PlotServer::changePlotTitle);
    connect(ui.plotXTitleTB, &QToolButton::clicked, this, &PlotServer::changeBottomLegend);
    connect(ui.plotYTitleTB, &QToolButton::clicked, this, &PlotServer::changeLeftLegend);
    connect(ui.plotBackColorTB, &QToolButton::clicked, this, &PlotServer::changeBackgroundColor);
    connect(ui.logXCB, &QCheckBox::clicked, this, &PlotServer::logXaxysSlot);
    connect(ui.logYCB, &QCheckBox::clicked, this, &PlotServer::logYaxysSlot);
    connect(ui.plotStatTB, &QToolButton::clicked, this, &PlotServer::panelSwitch);
    connect(ui.peakTB, &QToolButton::clicked, this, &PlotServer::peakSlot);

    connect(ui.positivePeaks, &QListWidget::itemClicked, this, &PlotServer::posItemClickedSlot);
    connect(ui.negativePeaks, &QListWidget::itemClicked, this, &PlotServer::negItemClickedSlot);
    connect(ui.evalPB, &QPushButton::clicked, this, &PlotServer::evaluateSlot);
    connect(ui.clearPB, &QPushButton::clicked, this, &PlotServer::clearMarkers);
    connect(ui.savePB, &QPushButton::clicked, this, qOverload<>(&PlotServer::peakSave));
}

void PlotServer::showSelected(const QString& text)
{
    selectedCurveText = text;
    if (selectedCurveLabel)
        selectedCurveLabel->setText(text);
}

void PlotServer::toolShow(bool ena)
{
    ui.showMenuTB->setIcon(QIcon(ena ? QStringLiteral(":/vxKurvo/images/showOff.png")
                                     : QStringLiteral(":/vxKurvo/images/show.png")));
    // Hiding a panel never built leaves nothing to hide.
    if (ena)
        buildTools();
    else if (!ui.hasTools())
        return;
    ui.showToolPanel(ena);
    ui.plotTab->setVisible(ena);
    ui.plotStatTB->setVisible(ena);
    ui.peakTB->setVisible(ena);
}

void PlotServer::panelSwitch(bool ena)
{
    if (store->currentId() == -1)
        return;
    buildTools();
    if (ena)
        updateStatistics(store->currentId());
    ui.statisticsWD->setVisible(ena);
}

void PlotServer::peakSlot(bool ena)
{
    buildTools();
    peaks->setVisible(ena);
}
