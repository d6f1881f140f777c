#include "PlotServer.h"

#include "AxesController.h"
#include "analysis/AnalysisPanel.h"
#include "analysis/AnalysisTool.h"
#include "DataFormats.h"
#include "CurveAppearance.h"
#include "CurveExporter.h"
#include "CurveMenu.h"
#include "CurveStore.h"
#include "derive/DerivePanel.h"
#include "DataRange.h"
#include "ImportFormats.h"
#include "DataImporter.h"
#include "fitting/FitPanel.h"
#include "PeakPanel.h"
#include "PlotOutput.h"
#include "PointLimit.h"
#include "QtPrompt.h"
#include "SpectrumTool.h"
#include "StatisticsTable.h"
#include "UndoStore.h"
#include "Zoomer.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QCursor>
#include <QFileInfo>
#include <QMenu>
#include <QShortcut>
#include <QToolButton>

#include <qwt_legend.h>
#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_grid.h>

// Resources of a static library must be registered explicitly, outside any namespace.
static void initPlotResources()
{
    Q_INIT_RESOURCE(vxKurvo);
}

namespace {

QPen dottedGridPen(const QColor& color)
{
    return QPen(color, 0, Qt::DotLine, Qt::SquareCap, Qt::BevelJoin);
}

// A count beyond what a curve holds is refused before a single point is read: copying that
// many would end the program.
bool holdsPoints(PlotServer& server, unsigned int count)
{
    if (curveHolds(count))
        return true;
    server.logMessage("Kurvo: %u points are more than one curve can hold.", count);
    return false;
}

} // namespace

PlotServer::PlotServer(QWidget* parent)
    : QWidget(parent)
    , prompter(std::make_unique<QtPrompt>())
{
    initPlotResources();
    ui.setupUi(this);
    store = new CurveStore(ui.qwtPlot, this);
    axes = new AxesController(ui.qwtPlot, *store, ui, this);
    appearance = std::make_unique<CurveAppearance>(*store, ui.qwtPlot, this, prompter);
    statistics = std::make_unique<StatisticsTable>();
    peaks = std::make_unique<PeakPanel>(this, ui.qwtPlot, ui, *store, log, prompter);
    const auto showStatistics = [this](int id) { updateStatistics(id); };
    importer = std::make_unique<DataImporter>(this, ui.qwtPlot, *store, *axes, log, prompter, showStatistics);
    undoStore = std::make_unique<UndoStore>(*store, *axes, log, nullptr, showStatistics);
    spectrum = std::make_unique<SpectrumTool>(this, *store, *axes, *undoStore, log, prompter, showStatistics);
    analyser = std::make_unique<AnalysisTool>(*store, *axes, *undoStore, log, showStatistics);
    analysisPanel = std::make_unique<AnalysisPanel>(this, *analyser);
    fitter = std::make_unique<FitTool>(*store, ui.qwtPlot, *undoStore, log);
    fitPanel = std::make_unique<FitPanel>(this, *store, *fitter, prompter);
    deriver = std::make_unique<DerivePanel>(this, ui.qwtPlot, *store, *axes, *undoStore, log, prompter, showStatistics);
    exporter = std::make_unique<CurveExporter>(this, *store, log, prompter, *axes);
    output = std::make_unique<PlotOutput>(this, ui.qwtPlot, *store, *exporter, log, prompter);
    DataFormats::registerReaders();
    setAcceptDrops(true);
    ui.qwtPlot->setCanvasBackground(QBrush(Qt::lightGray, Qt::SolidPattern));
    connectConstructorSignals();
}

PlotServer::~PlotServer() = default;

void PlotServer::connectConstructorSignals()
{
    connect(store, &CurveStore::curveRemoved, this, [this] { showSelected(tr("Selected curve: none")); });
    connect(axes, &AxesController::zoomed, this, &PlotServer::zoomedSlot);
    connect(ui.showMenuTB, &QToolButton::clicked, this, &PlotServer::toolShow);
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
    setUpLegendAndGrid();
    axes->setUpNavigation(rightTitle);
    ui.qwtPlot->setAutoReplot(true);
    connectShortcuts();
    curveMenu = std::make_unique<CurveMenu>(this, *appearance);

    setTitle(title);
    setXTitle(xTitle);
    setYTitle(yTitle);
    ui.qwtPlot->setAxisTitle(QwtPlot::yRight, rightTitle);
}

void PlotServer::setUpLegendAndGrid()
{
    auto* legend = new QwtLegend;
    legend->setFrameStyle(QFrame::Box | QFrame::Sunken);
    legend->setDefaultItemMode(QwtLegendData::Clickable);
    ui.qwtPlot->insertLegend(legend, QwtPlot::BottomLegend);
    connect(legend, &QwtLegend::clicked, this, &PlotServer::legendClickedSlot);

    auto* grid = new QwtPlotGrid;
    grid->enableXMin(true);
    grid->setMajorPen(dottedGridPen(Qt::darkGray));
    grid->setMinorPen(dottedGridPen(Qt::gray));
    grid->attach(ui.qwtPlot);
}

// Open and Save from the keyboard, also while the tool panel is hidden; a window whose plot is
// not shown (another tab) does not take them.
void PlotServer::connectShortcuts()
{
    for (const auto& [keys, slot] : {std::pair{QKeySequence::Open, &PlotServer::readData},
                                     std::pair{QKeySequence::Save, &PlotServer::saveBitmap}}) {
        auto* shortcut = new QShortcut(QKeySequence(keys), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, slot);
    }
}

int PlotServer::logMessage(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const int written = log.vmessage(format, args);
    va_end(args);
    return written;
}

// ---- curves ---------------------------------------------------------------------------------

const CurveRecord* PlotServer::record(int id) const
{
    return store->find(id);
}

int PlotServer::curves() const
{
    return store->nextId();
}

int PlotServer::currentCurve() const
{
    return store->currentId();
}

int PlotServer::findCurveByTitle(const QString& title) const
{
    return store->findByTitle(title);
}

QPen PlotServer::curvePen(int id) const
{
    const CurveRecord* r = store->find(id);
    return r ? r->curve->pen() : QPen();
}

// Every new curve fits the axes to its own data alone and starts a fresh zoom history; the
// left axis follows it even when the curve went to the right one.
void PlotServer::createPlot(int id, const QString& name, unsigned int count, const double* x,
                            const double* y, bool flag, int rightAxis)
{
    if (holdsPoints(*this, count))
        createPlot(id, name, QVector<double>(x, x + count), QVector<double>(y, y + count), flag, rightAxis);
}

void PlotServer::createPlot(int id, const QString& name, const QVector<double>& x, const QVector<double>& y,
                            bool flag, int rightAxis)
{
    Q_UNUSED(flag);
    showNewCurve(id, unsigned(y.size()), [&] { store->add(name, x, y, rightAxis); });
}

void PlotServer::createEvenPlot(int id, const QString& name, double x0, double step, const QVector<double>& y,
                                int rightAxis)
{
    showNewCurve(id, unsigned(y.size()), [&] { store->add(name, EvenX{x0, step}, y, rightAxis); });
}

void PlotServer::showNewCurve(int id, unsigned int count, const std::function<void()>& add)
{
    if (!holdsPoints(*this, count))
        return;
    store->startAt(id);
    const int added = store->nextId();
    QwtPlot* plot = ui.qwtPlot;
    const bool autoReplot = plot->autoReplot();
    plot->setAutoReplot(false);
    add();
    axes->showDataRange(store->rangeOf(added), QwtPlot::yLeft);
    plot->setAutoReplot(autoReplot);
    plot->replot();
    rebuildZoomers();
    syncRangeSpinBoxes();
    // The peak detector scans what the axes show, so it runs once they show the new curve.
    updateStatistics(added);
}

void PlotServer::setPlot(int id, unsigned int count, const double* x, const double* y)
{
    CurveRecord* r = store->find(id);
    if (!r || !holdsPoints(*this, count))
        return;
    store->setSamples(id, x, y, count);
    axes->showDataRange(store->rangeOf(id), r->curve->yAxis());
    ui.qwtPlot->replot();
    rebuildZoomers();
    syncRangeSpinBoxes();
    updateStatistics(id);
}

// The limits are used as they come, not compared with the data.
void PlotServer::setPlot(int id, unsigned int count, const double* x, const double* y, double xMinimum,
                         double xMaximum, double yMinimum, double yMaximum)
{
    CurveRecord* r = store->find(id);
    if (!r || !holdsPoints(*this, count))
        return;
    store->setSamples(id, x, y, count);
    if (count > 0)
        axes->scaleAxes(r->curve->yAxis(), xMinimum, xMaximum, yMinimum, yMaximum);
    ui.qwtPlot->replot();
    rebuildZoomers();
    if (count > 0)
        axes->storeLimits(xMinimum, xMaximum, yMinimum, yMaximum);
    syncRangeSpinBoxes();
    updateStatistics(id);
}

void PlotServer::deletePlot(int id)
{
    if (!store->remove(id))
        prompter->warning(this, tr("CURVE DELETE ERROR"), tr("Identifier not found!"));
}

void PlotServer::erase()
{
    undoStore->saveErasure(store->currentId());
    deletePlot(store->currentId());
}

void PlotServer::legendClickedSlot(const QVariant& itemInfo, int index)
{
    Q_UNUSED(index);
    QwtPlotItem* item = ui.qwtPlot->infoToItem(itemInfo);
    if (!item)
        return;
    select(item);
    prompter->menu(curveMenu->menu(), QCursor::pos());
    updateStatistics(store->currentId());
}

void PlotServer::selectCurve(int id)
{
    if (const CurveRecord* r = store->find(id)) {
        select(r->curve);
        updateStatistics(store->currentId());
    }
}

// Titles repeat (every script run is "f(y)"), so the item itself decides.
void PlotServer::select(QwtPlotItem* item)
{
    selectedCurveName = item->title().text();
    store->setCurrent(store->idOf(item));
    logMessage("selectedId = %d, %s", store->currentId(), selectedCurveName.toLocal8Bit().constData());
    showSelected(tr("Selected curve: ") + selectedCurveName);
    axes->showCurrentRate();
}

void PlotServer::newPlot()
{
    emit newPlotRequest();
}

void PlotServer::updateStatistics(int id)
{
    const CurveRecord* r = store->find(id);
    if (!r)
        return;
    statistics->show(*r);
    peaks->detectPeaks(id);
}

// ---- axes, ranges and zoom ------------------------------------------------------------------

QRectF PlotServer::dataRange() const { return axes->dataRange(); }
double PlotServer::horCalibration() const { return axes->horCalibration(); }
Zoomer* PlotServer::bottomLeftZoomer() const { return axes->bottomLeftZoomer(); }
void PlotServer::rebuildZoomers() { axes->rebuildZoomers(); }
void PlotServer::syncRangeSpinBoxes() { axes->syncRangeSpinBoxes(); }
void PlotServer::fitAllCurves() { axes->fitAll(*store); }
void PlotServer::setVertiLow(double val) { axes->setYLow(val); }
void PlotServer::setVertiHigh(double val) { axes->setYHigh(val); }
void PlotServer::setHorizStart(double val) { axes->setXStart(val); }
void PlotServer::setHorizStop(double val) { axes->setXStop(val); }
void PlotServer::setHorizRange(double min, double max) { axes->setXRange(min, max); }
void PlotServer::logXaxysSlot(bool ena) { axes->setLogScale(QwtPlot::xBottom, ena, *store); }
void PlotServer::logYaxysSlot(bool ena) { axes->setLogScale(QwtPlot::yLeft, ena, *store); }

// With a sampling frequency as the value, x becomes the frequency of each spectrum bin.
void PlotServer::setHorCalibration(double val)
{
    if (store->nextId() >= 1) {
        store->spreadX(val);
        fitAllCurves();
    }
    axes->setUserHorCalibration(val);
}

// The zoom shows in the limit fields; the stored limits stay as they were.
void PlotServer::zoomedSlot(QRectF rect)
{
    logMessage("Sx = %lf, Sy = %lf", rect.left(), rect.top());
    axes->showZoomStart(rect.topLeft());
    logMessage("Dx = %lf, Dy = %lf", rect.right(), rect.bottom());
    axes->showZoomEnd(rect.bottomRight());
    updateStatistics(store->currentId());
}

void PlotServer::selectedSlot(QRectF rect)
{
    zoomedSlot(rect);
}

// ---- titles and background ------------------------------------------------------------------

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

void PlotServer::changePlotTitle() { askTitle("PLOT TITLE", -1); }
void PlotServer::changeBottomLegend() { askTitle("PLOT BOTTOM TITLE", QwtPlot::xBottom); }
void PlotServer::changeLeftLegend() { askTitle("PLOT LEFT TITLE", QwtPlot::yLeft); }

void PlotServer::changeBackgroundColor()
{
    const QColor color = prompter->color(canvasColor(), this, tr("PLOT BACKGROUND COLOR"), {});
    if (!color.isValid())
        return;
    ui.qwtPlot->setCanvasBackground(QBrush(color, Qt::SolidPattern));
    ui.qwtPlot->replot();
}

void PlotServer::print() { output->print(); }
bool PlotServer::paintRequestedSlot(QPrinter* printer) { return output->paintRequested(printer); }
void PlotServer::saveBitmap() { output->saveBitmap(); }
bool PlotServer::savePlot(const QString& name) { return output->save(name); }
void PlotServer::preparePrinter(QPrinter& printer) const { output->preparePrinter(printer); }

// ---- data files -----------------------------------------------------------------------------

void PlotServer::readData()
{
    importer->openFiles();
}

// No question about the data size of a file that is not there.
void PlotServer::loadRawData(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        logMessage("Kurvo: Can't open file %s", path.toLocal8Bit().constData());
        return;
    }
    bool fitToPowerOfTwo = false;
    if (importer->askDataSize(fitToPowerOfTwo))
        importer->load(-1, path, QFileInfo(path).baseName(), fitToPowerOfTwo);
}

void PlotServer::addCurve(int id, QString path, QString name, bool fitToPowerOfTwo)
{
    importer->load(id, path, name, fitToPowerOfTwo);
}

void PlotServer::loadDataFile(int id, const QString& path, const QString& name, bool fitToPowerOfTwo)
{
    importer->load(id, path, name, fitToPowerOfTwo);
}

void PlotServer::loadFrom(int id, const QString& source, const QString& name, const std::function<ImportedData()>& read)
{
    importer->loadFrom(id, source, name, read);
}

void PlotServer::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

// Dropped files load as the Open button loads them: one question, then each in order.
void PlotServer::dropEvent(QDropEvent* event)
{
    importer->loadDropped(event->mimeData()->urls());
    event->acceptProposedAction();
}

// ---- spectrum and undo ---------------------------------------------------------------------

// The snapshot to read back is chosen by its number alone; `saveIt` changes nothing.
int PlotServer::undo(int index, bool) { return undoStore->undo(index); }
int PlotServer::undo(int index) { return undo(index, true); }
int PlotServer::undo() { return undo(-1, true); }
void PlotServer::windowFunction(int index) { spectrum->windowFunction(index); }
bool PlotServer::applyDFT() { return spectrum->applyDFT(); }
void PlotServer::applyDB() { spectrum->applyDB(); }
void PlotServer::applyAbs() { spectrum->applyAbs(); }

// ---- exports --------------------------------------------------------------------------------

void PlotServer::exportYdata() { exporter->exportYdata(); }
void PlotServer::exportXdata() { exporter->exportXdata(); }
void PlotServer::exportExcel() { exporter->exportExcel(); }
void PlotServer::exportWav() { exporter->exportWav(); }
bool PlotServer::writeColumn(const QString& name, int id, bool useY) { return exporter->writeColumn(name, id, useY); }
bool PlotServer::writeTable(const QString& name) { return exporter->writeTable(name); }
bool PlotServer::writeWav(const QString& name, int id) { return exporter->writeWav(name, id); }

// ---- peak detector --------------------------------------------------------------------------

QwtPlotMarker* PlotServer::peakMarker(int index) const { return peaks->marker(index); }
void PlotServer::clearMarkers() { peaks->clearMarkers(); }
void PlotServer::posItemClickedSlot(QListWidgetItem* item) { peaks->markPeak(item, true); }
void PlotServer::negItemClickedSlot(QListWidgetItem* item) { peaks->markPeak(item, false); }
void PlotServer::evaluateSlot() { peaks->detectPeaks(store->currentId()); }
void PlotServer::peakSave() { peaks->save(); }
bool PlotServer::peakSave(const QString& path) { return peaks->save(path); }
