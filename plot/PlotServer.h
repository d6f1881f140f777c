#pragma once

#include "CurveRecord.h"
#include "LogCallback.h"
#include "PlotServerUi.h"

#include <QColor>
#include <QRectF>
#include <QVector>
#include <QWidget>

#include <array>
#include <map>
#include <memory>

#include <qwt_symbol.h>

struct DataRange;
class Prompt;
class QAction;
class QListWidgetItem;
class QMenu;
class QPrinter;
class QwtLegend;
class QwtPlotItem;
class QwtPlotMarker;
class QwtPlotPanner;
class QwtPlotPicker;
class Zoomer;

// The plot widget behind the library facade: a Qwt plot with its tool panel, the store of
// curves keyed by identifier, axes and zooming, and the tools that work on the curves.
class PlotServer : public QWidget
{
    Q_OBJECT

public:
    explicit PlotServer(QWidget* parent = nullptr);
    ~PlotServer() override;

    // Read access for the host and for tests.
    const CurveRecord* record(int id) const;
    int curves() const { return nextCurveId; }
    int currentCurve() const { return currentCurveId; }
    QRectF dataRange() const;
    double horCalibration() const { return horizontalCalibration; }
    QwtPlot* plot() const { return ui.qwtPlot; }
    QwtPlotMarker* peakMarker(int index) const { return peakMarkers.at(index); }
    Zoomer* bottomLeftZoomer() const { return zoomer; }
    QColor canvasColor() const;
    QPen curvePen(int id) const;
    int findCurveByTitle(const QString& title) const;
    // Makes `id` the current curve as a legend click does, without the menu.
    void selectCurve(int id);

    // Every dialog goes through the prompt; the widget owns it.
    void setPrompt(std::unique_ptr<Prompt> prompt);
    Prompt& prompt() const { return *prompter; }

    void begin(const QString& title, const QString& xTitle, const QString& yTitle,
               const QString& rightTitle);
    void setLogCallback(LogCallback callback) { logCallback = callback; }
    int logMessage(const char* format, ...) __attribute__((format(printf, 2, 3)));

    void createPlot(int id, const QString& name, unsigned int count, double* x, double* y, bool flag,
                    int rightAxis);
    void setPlot(int id, unsigned int count, double* x, double* y);
    void setPlot(int id, unsigned int count, double* x, double* y, double xMin, double xMax,
                 double yMin, double yMax);
    void deletePlot(int id);

    void setTitle(const QString& title);
    void setXTitle(const QString& title);
    void setYTitle(const QString& title);

    void addCurve(int id, QString path, QString name, bool fitToPowerOfTwo);
    void loadRawData(const QString& path);
    bool peakSave(const QString& path);

    void setHorizRange(double min, double max);
    void rebuildZoomers();
    void syncRangeSpinBoxes();
    void fitAllCurves();
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
    void paintRequestedSlot(QPrinter* printer);
    void saveBitmap();

    void readData();
    void windowFunction(int index);
    void applyDFT();
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

private:
    CurveRecord* find(int id) const;
    void select(QwtPlotItem* item);
    CurveRecord* currentRecord() const { return find(currentCurveId); }
    void dropCurve(int id);
    void setCurveSamples(QwtPlotCurve* curve, unsigned int count, const double* x, const double* y);
    void setAxisRange(int axis, double min, double max);
    void applyDataRange(const DataRange& range, int yAxis);
    void setSymbolStyle(QwtSymbol::Style style);
    void setLineStyle(Qt::PenStyle style);
    void askTitle(const char* dialogTitle, int axis);
    void setupPlot();
    void setupPeakMarkers();
    void connectConstructorSignals();
    void connectToolPanel();
    void buildCurveMenu();
    void runPeakDetector(int id);

    PlotServerUi ui;
    std::unique_ptr<Prompt> prompter;
    LogCallback logCallback = nullptr;

    std::array<QColor, 16> curveColors;
    QColor symbolBrushColor = Qt::black;
    QColor symbolPenColor = Qt::white;
    int symbolSize = 5;

    std::map<quint32, std::unique_ptr<CurveRecord>> curveMap;
    int nextCurveId = 0;
    int currentCurveId = -1;
    double xMin = 0.0;
    double xMax = 0.0;
    double yMin = 0.0;
    double yMax = 0.0;
    double horizontalCalibration = 1.0;

    Zoomer* zoomer = nullptr;
    Zoomer* rightZoomer = nullptr;
    QwtPlotPicker* picker = nullptr;
    QwtPlotPanner* panner = nullptr;
    QwtLegend* legend = nullptr;
    std::array<QwtPlotMarker*, 4> peakMarkers{};

    QString selectedCurveName;
    QMenu* curveMenu = nullptr;
    QAction* antialiasingAction = nullptr;
    QLabel* selectedCurveLabel = nullptr;

    // ---- data file import ----
public:
    // Loads one data file with the reader its suffix names; the outcome shows only in the
    // log and the plot.
    void loadDataFile(int id, const QString& path, const QString& name, bool fitToPowerOfTwo);

private:
    bool askDataSize(bool& fitToPowerOfTwo);
    void readTextData(const QString& path, const QString& name, bool fitToPowerOfTwo);
    void readArrayData(const QString& path, const QString& name);
    void readAudioData(const QString& path, const QString& name, bool fitToPowerOfTwo);
    void logLines(const QStringList& lines);
    // Shared by every reader: switch replotting off while curves are added, add one curve
    // under nextCurveId, then fit the axes to the data range and rebuild the zoom base.
    bool pauseReplot();
    QwtPlotCurve* addLoadedCurve(const QString& name, const double* x, const double* y, std::size_t count);
    void finishLoading(bool autoReplot);

    QString lastDataFolder;
    QString lastDataFilter;
};
