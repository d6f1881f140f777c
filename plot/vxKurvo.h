#pragma once

#include "LogCallback.h"

#include <QStringList>
#include <QVector>
#include <QWidget>

#include <memory>

#if defined(VXKURVO_LIBRARY)
#define VXKURVO_EXPORT Q_DECL_EXPORT
#else
#define VXKURVO_EXPORT Q_DECL_IMPORT
#endif

class PlotServer;
class ProjectFiles;

// The plot widget a host embeds. It holds no plot state of its own: every call goes
// unchanged to the implementation widget, its only child, or to that widget's projects.
class VXKURVO_EXPORT vxKurvo : public QWidget
{
    Q_OBJECT

public:
    explicit vxKurvo(QWidget* parent = nullptr);
    ~vxKurvo() override;

    void begin(const QString& title, const QString& xTitle, const QString& yTitle,
               const QString& rightTitle);
    // The arrays are copied before the call returns; the caller keeps and frees them.
    void createPlot(int id, const QString& name, unsigned int count, const double* x, const double* y, bool flag,
                    int rightAxis);
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
    int curves();
    void setTitle(const QString& title);
    void setXTitle(const QString& title);
    void setYTitle(const QString& title);
    void setHorizCalibrate(double value);
    void setLogCallback(LogCallback callback);
    void addCurve(int id, QString path, QString name, bool fitToPowerOfTwo);
    void loadRawData(const QString& path);
    void dBshow();
    void toFrequencyDomain();
    bool peakSave(const QString& path);

    // A project is the plot's whole state with the host's script text. Both are false, with
    // the message in `error`, when nothing was written or nothing changed in the plot.
    bool saveProject(const QString& path, const QString& script, QString& error);
    bool openProject(const QString& path, QString& script, QString& error);
    // Whether the plot or `script` changed since a project was last saved or opened.
    bool projectChanged(const QString& script) const;
    // The Open dialog's filters of the data files the plot reads: every data file first, then
    // each format, then every file.
    QStringList dataFilters() const;

signals:
    void newPlotRequest();
    // A data file that gave curves, whichever way it was opened.
    void dataFileOpened(const QString& path);
    // The files of a drop on the plot among which is a project, for the host to open.
    void filesDropped(const QStringList& paths);

private slots:
    void newPlotRequestSlot();

private:
    PlotServer* server;
    std::unique_ptr<ProjectFiles> projects;
};
