#include "PlotServer.h"

#include "ArrayFileReader.h"
#include "DataFileKind.h"
#include "DataRange.h"
#include "PlotCurve.h"
#include "FileBytes.h"
#include "QtPrompt.h"
#include "TextTableReader.h"
#include "Zoomer.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QThread>
#include <QToolButton>

#include <qwt_legend.h>
#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_magnifier.h>
#include <qwt_plot_marker.h>
#include <qwt_plot_panner.h>
#include <qwt_plot_picker.h>
#include <qwt_point_data.h>
#include <qwt_scale_engine.h>

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <new>
#include <string>

// Resources of a static library must be registered explicitly, outside any namespace.
static void initPlotResources()
{
    Q_INIT_RESOURCE(vxKurvo);
}

namespace {

const char* const kWindowFunctions[] = {"Triangular", "Welch", "Sine", "Hann", "Hamming", "Blackman",
                                        "Nuttall", "Blackman Nuttall", "Blackman Harris", "Flat top",
                                        "Gaussian"};
const char* const kPlotStyles[] = {"Lines", "Sticks", "Steps", "Dots"};

QPen dottedGridPen(const QColor& color)
{
    QPen pen(color, 0, Qt::DotLine, Qt::SquareCap, Qt::BevelJoin);
    return pen;
}

void setAxisTicks(QwtPlot* plot, int axis)
{
    plot->setAxisAutoScale(axis, true);
    plot->setAxisMaxMajor(axis, 10);
    plot->setAxisMaxMinor(axis, 6);
}

} // namespace

PlotServer::PlotServer(QWidget* parent)
    : QWidget(parent)
    , prompter(std::make_unique<QtPrompt>())
    , curveColors{{Qt::darkRed, Qt::darkBlue, Qt::darkGreen, Qt::blue, Qt::darkCyan, Qt::darkMagenta,
                   Qt::darkYellow, Qt::darkGray, Qt::cyan, Qt::red, Qt::yellow, Qt::white, Qt::magenta,
                   Qt::green, Qt::gray, Qt::lightGray}}
{
    initPlotResources();
    ui.setupUi(this);
    ui.statisticsWD->hide();
    setupPlot();
    setupPeakMarkers();
    connectConstructorSignals();
}

PlotServer::~PlotServer() = default;

void PlotServer::setupPlot()
{
    for (int i = 0; i < 4; ++i)
        ui.stylesCB->addItem(tr(kPlotStyles[i]), i);
    for (int i = 0; i < 11; ++i)
        ui.windowingCB->addItem(tr(kWindowFunctions[i]), i);
    ui.qwtPlot->setCanvasBackground(QBrush(Qt::lightGray, Qt::SolidPattern));

    ui.plotTab->hide();
    ui.plotStatTB->hide();
    ui.peakGB->hide();
    ui.peakTB->hide();

    auto* corner = new QWidget(ui.plotTab);
    auto* cornerLayout = new QHBoxLayout(corner);
    cornerLayout->setContentsMargins(0, 0, 0, 0);
    selectedCurveLabel = new QLabel(tr("Selected curve: none"), corner);
    selectedCurveLabel->setObjectName(QStringLiteral("selectedCurveLabel"));
    selectedCurveLabel->setToolTip(tr("Name of the SELECTED curve"));
    cornerLayout->addWidget(selectedCurveLabel);
    ui.plotTab->setCornerWidget(corner, Qt::TopRightCorner);
}

void PlotServer::setupPeakMarkers()
{
    const QColor colors[] = {Qt::darkGreen, Qt::white, Qt::blue, Qt::magenta};
    for (int i = 0; i < 4; ++i) {
        auto* marker = new QwtPlotMarker;
        marker->setValue(0.0, 0.0);
        marker->setLineStyle(QwtPlotMarker::VLine);
        marker->setLabelAlignment(Qt::AlignRight | Qt::AlignBottom);
        marker->setLinePen(QPen(colors[i], 0, Qt::DashDotLine, Qt::SquareCap, Qt::BevelJoin));
        marker->attach(ui.qwtPlot);
        peakMarkers[i] = marker;
    }
}

void PlotServer::connectConstructorSignals()
{
    connect(ui.showMenuTB, &QToolButton::clicked, this, &PlotServer::toolShow);
    connect(ui.plotNewTB, &QToolButton::clicked, this, &PlotServer::newPlot);
    connect(ui.positivePeaks, &QListWidget::itemClicked, this, &PlotServer::posItemClickedSlot);
    connect(ui.negativePeaks, &QListWidget::itemClicked, this, &PlotServer::negItemClickedSlot);
    connect(ui.evalPB, &QPushButton::clicked, this, &PlotServer::evaluateSlot);
    connect(ui.clearPB, &QPushButton::clicked, this, &PlotServer::clearMarkers);
    connect(ui.savePB, &QPushButton::clicked, this, qOverload<>(&PlotServer::peakSave));
}

void PlotServer::setPrompt(std::unique_ptr<Prompt> prompt)
{
    if (prompt)
        prompter = std::move(prompt);
}

// ---- start-up -------------------------------------------------------------------------------

void PlotServer::begin(const QString& title, const QString& xTitle, const QString& yTitle,
                       const QString& rightTitle)
{
    QwtPlot* plot = ui.qwtPlot;

    legend = new QwtLegend;
    legend->setFrameStyle(QFrame::Box | QFrame::Sunken);
    legend->setDefaultItemMode(QwtLegendData::Clickable);
    plot->insertLegend(legend, QwtPlot::BottomLegend);
    connect(legend, &QwtLegend::clicked, this, &PlotServer::legendClickedSlot);

    auto* grid = new QwtPlotGrid;
    grid->enableXMin(true);
    grid->setMajorPen(dottedGridPen(Qt::darkGray));
    grid->setMinorPen(dottedGridPen(Qt::gray));
    grid->attach(plot);

    if (!rightTitle.isEmpty()) {
        plot->enableAxis(QwtPlot::yRight);
        plot->setAxisTitle(QwtPlot::yRight, rightTitle);
        setAxisTicks(plot, QwtPlot::yRight);
    }
    setAxisTicks(plot, QwtPlot::xBottom);
    setAxisTicks(plot, QwtPlot::yLeft);

    auto* magnifier = new QwtPlotMagnifier(plot->canvas());
    magnifier->setAxisEnabled(QwtPlot::xBottom, false);
    zoomer = nullptr;
    rightZoomer = nullptr;
    panner = new QwtPlotPanner(plot->canvas());
    panner->setMouseButton(Qt::MiddleButton);
    picker = new QwtPlotPicker(QwtPlot::xBottom, QwtPlot::yLeft, QwtPicker::RectRubberBand,
                               QwtPicker::AlwaysOn, plot->canvas());
    picker->setRubberBandPen(QPen(Qt::green));
    picker->setTrackerPen(QPen(Qt::white));

    plot->setAutoReplot(true);
    connectToolPanel();
    buildCurveMenu();

    setTitle(title);
    setXTitle(xTitle);
    setYTitle(yTitle);
    plot->setAxisTitle(QwtPlot::yRight, rightTitle);
}

void PlotServer::connectToolPanel()
{
    connect(ui.plotOpenTB, &QToolButton::clicked, this, &PlotServer::readData);
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
}

void PlotServer::buildCurveMenu()
{
    using Slot = void (PlotServer::*)();
    struct Entry {
        const char* text;
        Slot slot;
    };
    const auto submenu = [this](const char* title, std::initializer_list<Entry> entries) {
        auto* menu = new QMenu(tr(title), this);
        for (const Entry& e : entries)
            connect(menu->addAction(tr(e.text)), &QAction::triggered, this, e.slot);
        return menu;
    };

    QMenu* exportMenu = submenu("Export", {{"Left Data", &PlotServer::exportYdata},
                                           {"Bottom Data", &PlotServer::exportXdata},
                                           {"Excel", &PlotServer::exportExcel},
                                           {"Wav", &PlotServer::exportWav}});
    QMenu* lineMenu = submenu("Line Style", {{"Solid", &PlotServer::lineSolidSlot},
                                             {"Dash", &PlotServer::lineDashSlot},
                                             {"Dot", &PlotServer::lineDotSlot},
                                             {"DashDot", &PlotServer::lineDashDotSlot},
                                             {"DashDotDot", &PlotServer::lineDashDotDotSlot}});
    QMenu* symbolMenu = submenu("Symbol", {{"NoSymbol", &PlotServer::NoSymbolSlot},
                                           {"Ellipse", &PlotServer::EllipseSymbolSlot},
                                           {"Rect", &PlotServer::RectSymbolSlot},
                                           {"Diamond", &PlotServer::DiamondSymbolSlot},
                                           {"Triangle", &PlotServer::TriangleSymbolSlot},
                                           {"DTriangle", &PlotServer::DTriangleSymbolSlot},
                                           {"UTriangle", &PlotServer::UTriangleSymbolSlot},
                                           {"LTriangle", &PlotServer::LTriangleSymbolSlot},
                                           {"RTriangle", &PlotServer::RTriangleSymbolSlot},
                                           {"Cross", &PlotServer::CrossSymbolSlot},
                                           {"XCross", &PlotServer::XCrossSymbolSlot},
                                           {"HLine", &PlotServer::HLineSymbolSlot},
                                           {"VLine", &PlotServer::VLineSymbolSlot},
                                           {"Star1", &PlotServer::Star1SymbolSlot},
                                           {"Star2", &PlotServer::Star2SymbolSlot},
                                           {"Hexagon", &PlotServer::HexagonSymbolSlot}});

    curveMenu = new QMenu(this);
    curveMenu->setObjectName(QStringLiteral("curveMenu"));
    connect(curveMenu->addAction(tr("Rename")), &QAction::triggered, this, &PlotServer::renameSlot);
    curveMenu->addMenu(exportMenu);
    curveMenu->addMenu(symbolMenu);
    curveMenu->addMenu(lineMenu);
    connect(curveMenu->addAction(tr("Line Width")), &QAction::triggered, this, &PlotServer::widthSlot);
    connect(curveMenu->addAction(tr("Color")), &QAction::triggered, this, &PlotServer::colorSlot);
    antialiasingAction = curveMenu->addAction(tr("Antialiasing"));
    antialiasingAction->setCheckable(true);
    antialiasingAction->setChecked(true);
    connect(antialiasingAction, &QAction::triggered, this, &PlotServer::aliasingSlot);
}

int PlotServer::logMessage(const char* format, ...)
{
    char buffer[4096];
    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (written >= 0 && logCallback)
        logCallback(QString::fromLocal8Bit(buffer));
    QCoreApplication::processEvents();
    return written < 0 ? written : qMin(written, int(sizeof buffer) - 1);
}

// ---- curve store ----------------------------------------------------------------------------

CurveRecord* PlotServer::find(int id) const
{
    if (id < 0)
        return nullptr;
    const auto it = curveMap.find(quint32(id));
    return it == curveMap.end() ? nullptr : it->second.get();
}

const CurveRecord* PlotServer::record(int id) const
{
    return find(id);
}

QRectF PlotServer::dataRange() const
{
    return QRectF(QPointF(xMin, yMin), QPointF(xMax, yMax));
}

void PlotServer::dropCurve(int id)
{
    const auto it = curveMap.find(quint32(id));
    if (it == curveMap.end())
        return;
    it->second->curve->detach();
    delete it->second->curve;
    curveMap.erase(it);
}

void PlotServer::setCurveSamples(QwtPlotCurve* curve, unsigned int count, const double* x,
                                 const double* y)
{
    if (count == 0)
        curve->setSamples(QVector<double>(), QVector<double>());
    else
        curve->setSamples(x, y, int(count));
}

void PlotServer::setAxisRange(int axis, double min, double max)
{
    ui.qwtPlot->setAxisAutoScale(axis, false);
    ui.qwtPlot->setAxisScale(axis, min, max);
}

// Stores the range and shows it on the bottom axis and on `yAxis`; an axis without a finite
// value keeps its scale.
void PlotServer::applyDataRange(const DataRange& range, int yAxis)
{
    if (range.xFound) {
        xMin = range.xMin;
        xMax = range.xMax;
        setAxisRange(QwtPlot::xBottom, xMin, xMax);
    }
    if (range.yFound) {
        yMin = range.yMin;
        yMax = range.yMax;
        setAxisRange(yAxis, yMin, yMax);
    }
}

void PlotServer::createPlot(int id, const QString& name, unsigned int count, double* x, double* y,
                            bool flag, int rightAxis)
{
    Q_UNUSED(flag);
    if (count > unsigned(INT_MAX)) {
        logMessage("Kurvo: %u points are more than one curve can hold.", count);
        return;
    }
    if (id >= 0)
        nextCurveId = id;
    currentCurveId = nextCurveId;

    QwtPlot* plot = ui.qwtPlot;
    const bool autoReplot = plot->autoReplot();
    plot->setAutoReplot(false);

    dropCurve(nextCurveId);
    auto record = std::make_unique<CurveRecord>();
    auto* curve = new PlotCurve(name);
    curve->setRenderHint(QwtPlotItem::RenderAntialiased, true);
    curve->setPen(QPen(curveColors[size_t(nextCurveId) % curveColors.size()]));
    if (rightAxis != 0) {
        plot->enableAxis(QwtPlot::yRight);
        curve->setYAxis(QwtPlot::yRight);
    } else {
        curve->setYAxis(QwtPlot::yLeft);
    }
    curve->attach(plot);
    record->rightAxis = rightAxis;
    record->curve = curve;
    setCurveSamples(curve, count, x, y);
    curveMap[quint32(nextCurveId)] = std::move(record);

    updateStatistics(nextCurveId);
    applyDataRange(DataRange::of(x, y, count), QwtPlot::yLeft);

    plot->setAutoReplot(autoReplot);
    plot->replot();
    rebuildZoomers();
    syncRangeSpinBoxes();
    ++nextCurveId;
}

void PlotServer::setPlot(int id, unsigned int count, double* x, double* y)
{
    CurveRecord* r = find(id);
    if (!r || count > unsigned(INT_MAX))
        return;
    setCurveSamples(r->curve, count, x, y);
    applyDataRange(DataRange::of(x, y, count), r->curve->yAxis());
    ui.qwtPlot->replot();
    rebuildZoomers();
    syncRangeSpinBoxes();
    updateStatistics(id);
}

void PlotServer::setPlot(int id, unsigned int count, double* x, double* y, double xMinimum,
                         double xMaximum, double yMinimum, double yMaximum)
{
    CurveRecord* r = find(id);
    if (!r || count > unsigned(INT_MAX))
        return;
    setCurveSamples(r->curve, count, x, y);
    if (count > 0) {
        ui.qwtPlot->setAxisScale(QwtPlot::xBottom, xMinimum, xMaximum);
        ui.qwtPlot->setAxisScale(r->curve->yAxis(), yMinimum, yMaximum);
    }
    ui.qwtPlot->replot();
    rebuildZoomers();
    if (count > 0) {
        xMin = xMinimum;
        xMax = xMaximum;
        yMin = yMinimum;
        yMax = yMaximum;
    }
    syncRangeSpinBoxes();
    updateStatistics(id);
}

void PlotServer::deletePlot(int id)
{
    if (!find(id)) {
        prompter->warning(this, tr("CURVE DELETE ERROR"), tr("Identifier not found!"));
        return;
    }
    dropCurve(id);
    if (curveMap.empty())
        nextCurveId = 0;
    selectedCurveLabel->setText(tr("Selected curve: none"));
    currentCurveId = -1;
}

void PlotServer::erase()
{
    deletePlot(currentCurveId);
}

void PlotServer::legendClickedSlot(const QVariant& itemInfo, int index)
{
    Q_UNUSED(index);
    QwtPlotItem* item = ui.qwtPlot->infoToItem(itemInfo);
    if (!item)
        return;
    select(item);
    prompter->menu(curveMenu, QCursor::pos());
    updateStatistics(currentCurveId);
}

void PlotServer::selectCurve(int id)
{
    if (const CurveRecord* r = find(id)) {
        select(r->curve);
        updateStatistics(currentCurveId);
    }
}

void PlotServer::select(QwtPlotItem* item)
{
    selectedCurveName = item->title().text();
    // Titles repeat (every script run is "f(y)"), so the item itself decides.
    currentCurveId = -1;
    for (const auto& entry : curveMap) {
        if (entry.second->curve == item) {
            currentCurveId = int(entry.first);
            break;
        }
    }
    logMessage("selectedId = %d, %s", currentCurveId, selectedCurveName.toLocal8Bit().constData());
    selectedCurveLabel->setText(tr("Selected curve: ") + selectedCurveName);
}

int PlotServer::findCurveByTitle(const QString& title) const
{
    if (nextCurveId < 1)
        return -1;
    for (const auto& entry : curveMap) {
        if (entry.second->curve->title().text() == title)
            return int(entry.first);
    }
    return -1;
}

QPen PlotServer::curvePen(int id) const
{
    const CurveRecord* r = find(id);
    return r ? r->curve->pen() : QPen();
}

void PlotServer::newPlot()
{
    emit newPlotRequest();
}

void PlotServer::clearMarkers()
{
    for (QwtPlotMarker* marker : peakMarkers)
        marker->setXValue(0.0);
}

// ---- tool panel -----------------------------------------------------------------------------

void PlotServer::toolShow(bool ena)
{
    ui.showMenuTB->setIcon(QIcon(ena ? QStringLiteral(":/vxKurvo/images/showOff.png")
                                     : QStringLiteral(":/vxKurvo/images/show.png")));
    ui.plotTab->setVisible(ena);
    ui.plotStatTB->setVisible(ena);
    ui.peakTB->setVisible(ena);
}

void PlotServer::panelSwitch(bool ena)
{
    if (currentCurveId == -1)
        return;
    if (ena) {
        updateStatistics(currentCurveId);
        ui.statisticsWD->show();
    } else {
        ui.statisticsWD->hide();
    }
}

void PlotServer::peakSlot(bool ena)
{
    ui.peakGB->setVisible(ena);
}

// ---- statistics -----------------------------------------------------------------------------

void PlotServer::updateStatistics(int id)
{
    CurveRecord* r = find(id);
    if (!r)
        return;
    QVector<double> ys;
    if (auto* data = dynamic_cast<const QwtPointArrayData*>(r->curve->data())) {
        ys = data->yData();
    } else {
        const size_t n = r->curve->dataSize();
        ys.reserve(int(n));
        for (size_t i = 0; i < n; ++i)
            ys.append(r->curve->sample(int(i)).y());
    }
    static_cast<CurveStatistics&>(*r) = CurveStatistics::of(ys.constData(), size_t(ys.size()));

    const auto show = [this](int row, int column, const QString& text) {
        auto* item = new QTableWidgetItem(text);
        item->setTextAlignment(Qt::AlignHCenter);
        item->setForeground(QBrush(Qt::darkRed, Qt::SolidPattern));
        if (const QTableWidgetItem* label = ui.statisticsWD->item(row, column - 1))
            item->setToolTip(label->toolTip());
        ui.statisticsWD->setItem(row, column, item);
    };
    const auto number = [](double v) { return QString::number(v, 'g', 6); };
    show(0, 1, number(r->minimum));
    show(1, 1, number(r->maximum));
    show(0, 5, number(r->mean));
    show(1, 5, number(r->sigma));
    show(0, 3, number(r->energy));
    show(1, 3, number(r->power));
    show(0, 7, number(r->norm));
    show(1, 7, number(r->rms));
    show(2, 1, number(r->amount));
    show(2, 3, QString::number(r->samples));
    runPeakDetector(id);
}

// ---- axes, ranges and zoom ------------------------------------------------------------------

void PlotServer::rebuildZoomers()
{
    QWidget* canvas = ui.qwtPlot->canvas();
    if (zoomer) {
        delete zoomer;
        delete rightZoomer;
    }
    zoomer = new Zoomer(QwtPlot::xBottom, QwtPlot::yLeft, canvas);
    zoomer->setRubberBand(QwtPicker::RectRubberBand);
    zoomer->setRubberBandPen(QPen(Qt::green));
    zoomer->setTrackerMode(QwtPicker::ActiveOnly);
    zoomer->setTrackerPen(QPen(Qt::white));
    connect(zoomer, &QwtPlotZoomer::zoomed, this, &PlotServer::zoomedSlot);
    rightZoomer = new Zoomer(QwtPlot::xTop, QwtPlot::yRight, canvas);
}

void PlotServer::syncRangeSpinBoxes()
{
    const QSignalBlocker low(ui.verLowSB);
    const QSignalBlocker high(ui.verHighSB);
    const QSignalBlocker start(ui.horStartSB);
    const QSignalBlocker stop(ui.horStopSB);
    ui.verLowSB->setValue(yMin);
    ui.verHighSB->setValue(yMax);
    ui.horStartSB->setValue(xMin);
    ui.horStopSB->setValue(xMax);
}

void PlotServer::setVertiLow(double val)
{
    yMin = val;
    setAxisRange(QwtPlot::yLeft, yMin, yMax);
    ui.qwtPlot->replot();
}

void PlotServer::setVertiHigh(double val)
{
    yMax = val;
    setAxisRange(QwtPlot::yLeft, yMin, yMax);
    ui.qwtPlot->replot();
}

void PlotServer::setHorizStart(double val)
{
    xMin = val;
    setAxisRange(QwtPlot::xBottom, xMin, xMax);
    ui.qwtPlot->replot();
}

void PlotServer::setHorizStop(double val)
{
    xMax = val;
    setAxisRange(QwtPlot::xBottom, xMin, xMax);
    ui.qwtPlot->replot();
}

void PlotServer::setHorizRange(double min, double max)
{
    xMin = min;
    xMax = max;
    setAxisRange(QwtPlot::xBottom, xMin, xMax);
    ui.qwtPlot->replot();
}

void PlotServer::fitAllCurves()
{
    QRectF all;
    bool any = false;
    for (const auto& entry : curveMap) {
        const QwtPlotCurve* curve = entry.second->curve;
        if (curve->dataSize() == 0)
            continue;
        const QRectF box = curve->boundingRect();
        if (!any) {
            all = box;
            any = true;
            continue;
        }
        all.setLeft(qMin(all.left(), box.left()));
        all.setRight(qMax(all.right(), box.right()));
        all.setTop(qMin(all.top(), box.top()));
        all.setBottom(qMax(all.bottom(), box.bottom()));
    }
    if (!any)
        return;

    yMin = all.top();
    yMax = all.bottom();
    xMin = all.left();
    xMax = all.right();
    setAxisRange(QwtPlot::yLeft, yMin, yMax);
    setAxisRange(QwtPlot::xBottom, xMin, xMax);
    syncRangeSpinBoxes();
    ui.qwtPlot->replot();
}

void PlotServer::setHorCalibration(double val)
{
    if (nextCurveId >= 1) {
        for (const auto& entry : curveMap) {
            QwtPlotCurve* curve = entry.second->curve;
            const size_t n = curve->dataSize();
            if (n == 0)
                continue;
            QVector<double> xs(static_cast<int>(n));
            QVector<double> ys(static_cast<int>(n));
            for (size_t i = 0; i < n; ++i) {
                xs[int(i)] = double(i) * (val / double(n));
                ys[int(i)] = curve->sample(int(i)).y();
            }
            curve->setSamples(xs, ys);
            applyDataRange(DataRange::of(xs.constData(), ys.constData(), n), QwtPlot::yLeft);
            ui.qwtPlot->replot();
        }
        fitAllCurves();
    }
    horizontalCalibration = val;
}

void PlotServer::logXaxysSlot(bool ena)
{
    ui.qwtPlot->setAxisScaleEngine(QwtPlot::xBottom, ena ? static_cast<QwtScaleEngine*>(new QwtLogScaleEngine(10))
                                                         : new QwtLinearScaleEngine(10));
}

void PlotServer::logYaxysSlot(bool ena)
{
    ui.qwtPlot->setAxisScaleEngine(QwtPlot::yLeft, ena ? static_cast<QwtScaleEngine*>(new QwtLogScaleEngine(10))
                                                       : new QwtLinearScaleEngine(10));
}

void PlotServer::zoomedSlot(QRectF rect)
{
    logMessage("Sx = %lf, Sy = %lf", rect.left(), rect.top());
    {
        const QSignalBlocker start(ui.horStartSB);
        const QSignalBlocker low(ui.verLowSB);
        ui.horStartSB->setValue(rect.left());
        ui.verLowSB->setValue(rect.top());
    }
    logMessage("Dx = %lf, Dy = %lf", rect.right(), rect.bottom());
    {
        const QSignalBlocker stop(ui.horStopSB);
        const QSignalBlocker high(ui.verHighSB);
        ui.horStopSB->setValue(rect.right());
        ui.verHighSB->setValue(rect.bottom());
    }
    updateStatistics(currentCurveId);
}

void PlotServer::selectedSlot(QRectF rect)
{
    zoomedSlot(rect);
}

// ---- titles and appearance ------------------------------------------------------------------

void PlotServer::setTitle(const QString& title)
{
    ui.qwtPlot->setTitle(title);
}

void PlotServer::setXTitle(const QString& title)
{
    ui.qwtPlot->setAxisTitle(QwtPlot::xBottom, title);
}

void PlotServer::setYTitle(const QString& title)
{
    ui.qwtPlot->setAxisTitle(QwtPlot::yLeft, title);
}

QColor PlotServer::canvasColor() const
{
    return ui.qwtPlot->canvasBackground().color();
}

void PlotServer::askTitle(const char* dialogTitle, int axis)
{
    QwtPlot* plot = ui.qwtPlot;
    QString text = axis < 0 ? plot->title().text() : plot->axisTitle(axis).text();
    if (!prompter->text(this, tr(dialogTitle), tr("Title:"), text) || text.isEmpty())
        return;
    if (axis < 0)
        plot->setTitle(text);
    else
        plot->setAxisTitle(axis, text);
}

void PlotServer::changePlotTitle()
{
    askTitle("PLOT TITLE", -1);
}

void PlotServer::changeBottomLegend()
{
    askTitle("PLOT BOTTOM TITLE", QwtPlot::xBottom);
}

void PlotServer::changeLeftLegend()
{
    askTitle("PLOT LEFT TITLE", QwtPlot::yLeft);
}

void PlotServer::changeBackgroundColor()
{
    const QColor color = prompter->color(canvasColor(), this, tr("PLOT BACKGROUND COLOR"), {});
    if (!color.isValid())
        return;
    ui.qwtPlot->setCanvasBackground(QBrush(color, Qt::SolidPattern));
    ui.qwtPlot->replot();
}

void PlotServer::renameSlot()
{
    CurveRecord* r = currentRecord();
    if (!r)
        return;
    QwtText title = r->curve->title();
    QString name = title.text();
    if (!prompter->text(this, tr("CURVE RENAME"), tr("Name:"), name) || name.isEmpty())
        return;
    title.setText(name);
    r->curve->setTitle(title);
}

void PlotServer::setLineStyle(Qt::PenStyle style)
{
    CurveRecord* r = currentRecord();
    if (!r)
        return;
    QPen pen = curvePen(currentCurveId);
    pen.setStyle(style);
    r->curve->setPen(pen);
}

void PlotServer::lineSolidSlot() { setLineStyle(Qt::SolidLine); }
void PlotServer::lineDashSlot() { setLineStyle(Qt::DashLine); }
void PlotServer::lineDotSlot() { setLineStyle(Qt::DotLine); }
void PlotServer::lineDashDotSlot() { setLineStyle(Qt::DashDotLine); }
void PlotServer::lineDashDotDotSlot() { setLineStyle(Qt::DashDotDotLine); }

void PlotServer::widthSlot()
{
    CurveRecord* r = currentRecord();
    if (!r)
        return;
    QPen pen = curvePen(currentCurveId);
    int width = pen.width();
    if (!prompter->integer(this, tr("LINE WIDTH"), tr("Width:"), width, 1, 10, 1))
        return;
    pen.setWidth(width);
    r->curve->setPen(pen);
}

void PlotServer::colorSlot()
{
    CurveRecord* r = currentRecord();
    if (!r)
        return;
    QPen pen = curvePen(currentCurveId);
    const QColor color = prompter->color(pen.color(), this, tr("CURVE COLOR"),
                                         QColorDialog::ShowAlphaChannel);
    if (!color.isValid())
        return;
    pen.setColor(color);
    r->curve->setPen(pen);
}

void PlotServer::aliasingSlot()
{
    CurveRecord* r = currentRecord();
    if (!r)
        return;
    const bool on = r->curve->testRenderHint(QwtPlotItem::RenderAntialiased);
    antialiasingAction->setChecked(!on);
    r->curve->setRenderHint(QwtPlotItem::RenderAntialiased, !on);
}

void PlotServer::setPlotStyle(int idx)
{
    if (nextCurveId >= 1) {
        for (const auto& entry : curveMap)
            entry.second->curve->setStyle(QwtPlotCurve::CurveStyle(idx));
    }
    ui.qwtPlot->replot();
}

void PlotServer::NoSymbolSlot()
{
    CurveRecord* r = currentRecord();
    if (!r)
        return;
    r->curve->setSymbol(new QwtSymbol(QwtSymbol::NoSymbol, QBrush(Qt::NoBrush), QPen(Qt::black),
                                      QSize(5, 5)));
}

void PlotServer::EllipseSymbolSlot() { setSymbolStyle(QwtSymbol::Ellipse); }
void PlotServer::RectSymbolSlot() { setSymbolStyle(QwtSymbol::Rect); }
void PlotServer::DiamondSymbolSlot() { setSymbolStyle(QwtSymbol::Diamond); }
void PlotServer::TriangleSymbolSlot() { setSymbolStyle(QwtSymbol::Triangle); }
void PlotServer::DTriangleSymbolSlot() { setSymbolStyle(QwtSymbol::DTriangle); }
void PlotServer::UTriangleSymbolSlot() { setSymbolStyle(QwtSymbol::UTriangle); }
void PlotServer::LTriangleSymbolSlot() { setSymbolStyle(QwtSymbol::LTriangle); }
void PlotServer::RTriangleSymbolSlot() { setSymbolStyle(QwtSymbol::RTriangle); }
void PlotServer::CrossSymbolSlot() { setSymbolStyle(QwtSymbol::Cross); }
void PlotServer::XCrossSymbolSlot() { setSymbolStyle(QwtSymbol::XCross); }
void PlotServer::HLineSymbolSlot() { setSymbolStyle(QwtSymbol::HLine); }
void PlotServer::VLineSymbolSlot() { setSymbolStyle(QwtSymbol::VLine); }
void PlotServer::Star1SymbolSlot() { setSymbolStyle(QwtSymbol::Star1); }
void PlotServer::Star2SymbolSlot() { setSymbolStyle(QwtSymbol::Star2); }
void PlotServer::HexagonSymbolSlot() { setSymbolStyle(QwtSymbol::Hexagon); }

// ---- data file import ----------------------------------------------------------------------

void PlotServer::readData()
{
    QStringList filters = dataFileFilters();
    const int last = filters.indexOf(lastDataFilter);
    if (last > 0)
        filters.move(last, 0);
    QString selectedFilter = filters.front();
    const QString folder = lastDataFolder.isEmpty() ? QDir::currentPath()
                                                    : QDir::current().absoluteFilePath(lastDataFolder);
    const QStringList files = prompter->openFileNames(this, tr("Open File"), folder, filters, &selectedFilter);
    if (files.isEmpty())
        return;
    bool fitToPowerOfTwo = false;
    if (!askDataSize(fitToPowerOfTwo))
        return;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (const QString& file : files)
        loadDataFile(-1, file, QFileInfo(file).baseName(), fitToPowerOfTwo);
    const QString first = QDir::fromNativeSeparators(files.front());
    lastDataFolder = first.left(first.lastIndexOf(QLatin1Char('/')) + 1);
    lastDataFilter = selectedFilter;
    QApplication::restoreOverrideCursor();
}

bool PlotServer::askDataSize(bool& fitToPowerOfTwo)
{
    const QStringList items = {tr("Original Data"), tr("Change data size for FFT")};
    QString choice;
    if (!prompter->item(this, tr("DATA SIZE"), tr("Select an action:"), items, 0, choice))
        return false;
    fitToPowerOfTwo = !choice.startsWith(QLatin1String("Original"));
    return true;
}

void PlotServer::loadRawData(const QString& path)
{
    bool fitToPowerOfTwo = false;
    if (askDataSize(fitToPowerOfTwo))
        loadDataFile(-1, path, QFileInfo(path).baseName(), fitToPowerOfTwo);
}

void PlotServer::addCurve(int id, QString path, QString name, bool fitToPowerOfTwo)
{
    loadDataFile(id, path, name, fitToPowerOfTwo);
}

void PlotServer::loadDataFile(int id, const QString& path, const QString& name, bool fitToPowerOfTwo)
{
    if (id >= 0)
        nextCurveId = id;
    currentCurveId = nextCurveId;
    logMessage("%s loaded ... [%s]", path.toLocal8Bit().constData(), name.toLocal8Bit().constData());
    window()->setWindowTitle(QStringLiteral("Kurvo: %1 [*]").arg(path));

    const bool autoReplot = ui.qwtPlot->autoReplot();
    try {
        switch (dataFileKind(path)) {
        case DataFileKind::Audio:
            readAudioData(path, name, fitToPowerOfTwo);
            break;
        case DataFileKind::Array:
            readArrayData(path, name);
            break;
        case DataFileKind::Text:
            readTextData(path, name, fitToPowerOfTwo);
            break;
        }
    } catch (const std::bad_alloc&) {
        ui.qwtPlot->setAutoReplot(autoReplot);
        logMessage("Kurvo: Not enough memory to read %s", path.toLocal8Bit().constData());
    }
}

void PlotServer::readTextData(const QString& path, const QString& name, bool fitToPowerOfTwo)
{
    TextTable table;
    {
        std::string bytes;
        if (!readFileBytes(path, bytes)) {
            logMessage("Kurvo: Can't open file %s", path.toLocal8Bit().constData());
            return;
        }
        table = TextTableReader::read(bytes, fitToPowerOfTwo);
    }
    logLines(table.log);
    if (table.y.empty())
        return;

    const bool autoReplot = pauseReplot();
    for (const std::vector<double>& y : table.y) {
        currentCurveId = nextCurveId;
        addLoadedCurve(name, table.x.data(), y.data(), table.x.size());
    }
    xMin = table.range.xMin;
    xMax = table.range.xMax;
    yMin = table.range.yMin;
    yMax = table.range.yMax;
    finishLoading(autoReplot);
}

void PlotServer::readArrayData(const QString& path, const QString& name)
{
    std::string bytes;
    if (!readFileBytes(path, bytes)) {
        logMessage("Kurvo: Can't open file %s", path.toLocal8Bit().constData());
        return;
    }
    const ArrayData data = ArrayFileReader::read(bytes, name);
    bytes = std::string();
    logLines(data.log);
    if (data.y.empty())
        return;

    const bool autoReplot = pauseReplot();
    const int id = nextCurveId;
    QwtPlotCurve* curve = addLoadedCurve(data.title, data.x.data(), data.y.data(), data.y.size());
    QPen pen = curve->pen();
    pen.setWidth(3);
    curve->setPen(pen);
    xMin = 0.0;
    xMax = data.x.back();
    yMin = data.yMin;
    yMax = data.yMax;
    finishLoading(autoReplot);

    // The curve shows as lines for a moment before it turns into sticks; the events run in
    // between may have removed it.
    QCoreApplication::processEvents();
    QThread::msleep(100);
    const CurveRecord* r = find(id);
    if (r && r->curve == curve)
        curve->setStyle(QwtPlotCurve::Sticks);
    logMessage("%s", data.summary.toLocal8Bit().constData());
}

// Audio files get a reader of their own; until it is in, they are refused as unreadable.
void PlotServer::readAudioData(const QString& path, const QString&, bool)
{
    logMessage("Kurvo: Not able to open input file %s.", path.toLocal8Bit().constData());
}

void PlotServer::logLines(const QStringList& lines)
{
    for (const QString& line : lines)
        logMessage("%s", line.toLocal8Bit().constData());
}

bool PlotServer::pauseReplot()
{
    const bool autoReplot = ui.qwtPlot->autoReplot();
    ui.qwtPlot->setAutoReplot(false);
    return autoReplot;
}

QwtPlotCurve* PlotServer::addLoadedCurve(const QString& name, const double* x, const double* y,
                                         std::size_t count)
{
    dropCurve(nextCurveId);
    auto* curve = new PlotCurve(QStringLiteral("%1.%2").arg(name).arg(nextCurveId));
    curve->setRenderHint(QwtPlotItem::RenderAntialiased, true);
    curve->setPen(QPen(curveColors[size_t(nextCurveId) % curveColors.size()]));
    curve->setYAxis(QwtPlot::yLeft);
    curve->attach(ui.qwtPlot);
    setCurveSamples(curve, unsigned(count), x, y);
    auto record = std::make_unique<CurveRecord>();
    record->curve = curve;
    curveMap[quint32(nextCurveId)] = std::move(record);
    updateStatistics(nextCurveId);
    ++nextCurveId;
    return curve;
}

void PlotServer::finishLoading(bool autoReplot)
{
    QwtPlot* plot = ui.qwtPlot;
    plot->setAxisScale(QwtPlot::xBottom, xMin, xMax);
    plot->setAxisScale(QwtPlot::yLeft, yMin, yMax);
    plot->setAutoReplot(autoReplot);
    plot->replot();
    rebuildZoomers();
    syncRangeSpinBoxes();
}

// ---- tools whose work lands with their own units --------------------------------------------
// They are wired to the panel and the menu already, so the widget tree is complete; until
// their units exist they leave every curve as it is.

void PlotServer::setSymbolStyle(QwtSymbol::Style) {}
void PlotServer::runPeakDetector(int) {}
int PlotServer::undo(int, bool) { return 0; }
int PlotServer::undo(int index) { return undo(index, true); }
int PlotServer::undo() { return undo(-1, true); }
void PlotServer::print() {}
void PlotServer::paintRequestedSlot(QPrinter*) {}
void PlotServer::saveBitmap() {}
void PlotServer::windowFunction(int) {}
void PlotServer::applyDFT() {}
void PlotServer::applyDB() {}
void PlotServer::applyAbs() {}
void PlotServer::exportYdata() {}
void PlotServer::exportXdata() {}
void PlotServer::exportExcel() {}
void PlotServer::exportWav() {}
void PlotServer::posItemClickedSlot(QListWidgetItem*) {}
void PlotServer::negItemClickedSlot(QListWidgetItem*) {}
void PlotServer::evaluateSlot() {}
void PlotServer::peakSave() {}
bool PlotServer::peakSave(const QString&) { return false; }
