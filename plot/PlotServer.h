#pragma once

#include "CurveRecord.h"
#include "LogCallback.h"
#include "PlotLog.h"
#include "PlotServerUi.h"

#include <QColor>
#include <QRectF>
#include <QWidget>

#include <functional>
#include <memory>

#include <qwt_symbol.h>

class AnalysisPanel;
class AnalysisTool;
class AxesController;
class CurveAppearance;
class CurveExporter;
class CurveMenu;
class CurveStore;
class DataImporter;
class DerivePanel;
class FitPanel;
class FitTool;
struct ImportedData;
class PeakPanel;
class PlotOutput;
class Prompt;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QListWidgetItem;
class QPrinter;
class QwtPlotItem;
class QwtPlotMarker;
class SpectrumTool;
class StatisticsTable;
class UndoStore;
class Zoomer;

// The plot widget behind the library facade: a Qwt plot with its tool panel. Its slots are the
// user's actions; each one hands its work to the curve store or to the tool it belongs to.
class PlotServer : public QWidget
{
    Q_OBJECT

public:
    explicit PlotServer(QWidget* parent = nullptr);
    ~PlotServer() override;

    // Read access for the host, kurvo-render and tests.
    const CurveStore& curveStore() const { return *store; }
    // For a project opened into the plot, which replaces the curves and what the panels show.
    CurveStore& curveStore() { return *store; }
    AxesController& axesController() const { return *axes; }
    // The whole widget tree: the tool panel, the peak detector and the tables below the plot
    // are built first if they have not been shown yet.
    const PlotServerUi& controls() const;
    UndoStore& undoFiles() const { return *undoStore; }
    const PeakPanel& peakPanel() const { return *peaks; }
    const CurveRecord* record(int id) const;
    int curves() const;
    int currentCurve() const;
    QRectF dataRange() const;
    double horCalibration() const;
    QwtPlot* plot() const { return ui.qwtPlot; }
    QwtPlotMarker* peakMarker(int index) const;
    Zoomer* bottomLeftZoomer() const;
    QColor canvasColor() const;
    QPen curvePen(int id) const;
    int findCurveByTitle(const QString& title) const;
    // Makes `id` the current curve as a legend click does, without the menu.
    void selectCurve(int id);
    // What the Attribute dialog's APPLY does for a symbol choice, without the dialog.
    void setCurveSymbol(QwtSymbol::Style style, const QColor& pen, const QColor& brush, int size);

    // Every dialog goes through the prompt; the widget owns it.
    void setPrompt(std::unique_ptr<Prompt> prompt);
    Prompt& prompt() const { return *prompter; }

    void begin(const QString& title, const QString& xTitle, const QString& yTitle,
               const QString& rightTitle);
    void setLogCallback(LogCallback callback) { log.setCallback(callback); }
    int logMessage(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // The arrays are copied before these return; the caller keeps them.
    void createPlot(int id, const QString& name, unsigned int count, const double* x, const double* y,
                    bool flag, int rightAxis);
    // The curve shares the vectors instead of copying them; they must be of equal length.
    void createPlot(int id, const QString& name, const QVector<double>& x, const QVector<double>& y, bool flag,
                    int rightAxis);
    // The n-th point's x is x0 + n * step, never held as an array: the curve costs 8 bytes a point.
    void createEvenPlot(int id, const QString& name, double x0, double step, const QVector<double>& y,
                        int rightAxis);
    void setPlot(int id, unsigned int count, const double* x, const double* y);
    void setPlot(int id, unsigned int count, const double* x, const double* y, double xMin, double xMax,
                 double yMin, double yMax);
    void deletePlot(int id);

    void setTitle(const QString& title);
    void setXTitle(const QString& title);
    void setYTitle(const QString& title);

    void addCurve(int id, QString path, QString name, bool fitToPowerOfTwo);
    void loadRawData(const QString& path);
    // Loads one data file with the reader its suffix names; the outcome shows only in the
    // log and the plot.
    void loadDataFile(int id, const QString& path, const QString& name, bool fitToPowerOfTwo);
    // Data that is no file (a pipe) on the same way; `source` names it in the log.
    void loadFrom(int id, const QString& source, const QString& name, const std::function<ImportedData()>& read);
    // The way from data files to the plot, for the choices of how tables are read.
    DataImporter& dataImporter() const { return *importer; }
    // The analyses of the Analysis tab, for kurvo-render.
    AnalysisTool& analysisTool() const { return *analyser; }
    // Process → Fit..., for kurvo-render.
    FitTool& fitTool() const { return *fitter; }
    // Process → New curve..., Filters... and Data, for the curve menu and kurvo-render.
    DerivePanel& derivePanel() const { return *deriver; }
    bool peakSave(const QString& path);
    // One curve's x or y values by the end of `name` (.dif, .txt, .xls), every curve side by
    // side, one curve as a mono WAV file; false, with a log line, when nothing was written.
    bool writeColumn(const QString& name, int id, bool useY);
    bool writeTable(const QString& name);
    bool writeWav(const QString& name, int id);
    // The printer settings of Print: landscape, named after the title, the creator.
    void preparePrinter(QPrinter& printer) const;
    // Writes `name` as the save dialog does, by its suffix.
    bool savePlot(const QString& name);

    void setHorizRange(double min, double max);
    void rebuildZoomers();
    void syncRangeSpinBoxes();
    void fitAllCurves();
    // Shows the statistics of curve `id` in the table, then runs the peak detector on it.
    void updateStatistics(int id);

signals:
    void newPlotRequest();

public slots:
    void erase();
    void legendClickedSlot(const QVariant& itemInfo, int index);
    void newPlot();
    void clearMarkers();
    void toolShow(bool ena);
    void panelSwitch(bool ena);
    void peakSlot(bool ena);

    void setVertiLow(double val);
    void setVertiHigh(double val);
    void setHorizStart(double val);
    void setHorizStop(double val);
    void setHorCalibration(double val);
    void logXaxysSlot(bool ena);
    void logYaxysSlot(bool ena);
    void zoomedSlot(QRectF rect);
    void selectedSlot(QRectF rect);

    void renameSlot();
    void NoSymbolSlot();
    void EllipseSymbolSlot();
    void RectSymbolSlot();
    void DiamondSymbolSlot();
    void TriangleSymbolSlot();
    void DTriangleSymbolSlot();
    void UTriangleSymbolSlot();
    void LTriangleSymbolSlot();
    void RTriangleSymbolSlot();
    void CrossSymbolSlot();
    void XCrossSymbolSlot();
    void HLineSymbolSlot();
    void VLineSymbolSlot();
    void Star1SymbolSlot();
    void Star2SymbolSlot();
    void HexagonSymbolSlot();
    void lineSolidSlot();
    void lineDashSlot();
    void lineDotSlot();
    void lineDashDotSlot();
    void lineDashDotDotSlot();
    void widthSlot();
    void colorSlot();
    void aliasingSlot();
    void setPlotStyle(int idx);

    int undo(int index, bool saveIt);
    int undo(int index);
    int undo();

    void changePlotTitle();
    void changeBottomLegend();
    void changeLeftLegend();
    void changeBackgroundColor();
    void print();
    bool paintRequestedSlot(QPrinter* printer);
    void saveBitmap();

    void readData();
    void windowFunction(int index);
    // False when the transform was refused or cancelled.
    bool applyDFT();
    void applyDB();
    void applyAbs();

    void exportYdata();
    void exportXdata();
    void exportExcel();
    void exportWav();

    void posItemClickedSlot(QListWidgetItem* item);
    void negItemClickedSlot(QListWidgetItem* item);
    void evaluateSlot();
    void peakSave();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void select(QwtPlotItem* item);
    // Adds the curve `add` makes under `id`, unless a curve cannot hold `count` points, and
    // shows it with the axes fitted.
    void showNewCurve(int id, unsigned int count, const std::function<void()>& add);
    void askTitle(const char* dialogTitle, int axis);
    void connectConstructorSignals();
    void connectShortcuts();
    // The tool panel and what it shows, built once, when first shown or asked for: a plot only
    // drawn into a file never needs them.
    void buildTools();
    void connectToolPanel();
    // The text of the label beside the tabs, kept until the label is built.
    void showSelected(const QString& text);
    void setUpLegendAndGrid();

    PlotServerUi ui;
    std::unique_ptr<Prompt> prompter;
    PlotLog log;
    CurveStore* store = nullptr;
    AxesController* axes = nullptr;
    std::unique_ptr<CurveAppearance> appearance;
    std::unique_ptr<CurveMenu> curveMenu;
    std::unique_ptr<StatisticsTable> statistics;
    std::unique_ptr<PeakPanel> peaks;
    std::unique_ptr<DataImporter> importer;
    std::unique_ptr<UndoStore> undoStore;
    std::unique_ptr<SpectrumTool> spectrum;
    std::unique_ptr<AnalysisTool> analyser;
    std::unique_ptr<AnalysisPanel> analysisPanel;
    std::unique_ptr<FitTool> fitter;
    std::unique_ptr<FitPanel> fitPanel;
    std::unique_ptr<DerivePanel> deriver;
    std::unique_ptr<CurveExporter> exporter;
    std::unique_ptr<PlotOutput> output;

    QString selectedCurveName;
    QString selectedCurveText = tr("Selected curve: none");
    QLabel* selectedCurveLabel = nullptr;
};
