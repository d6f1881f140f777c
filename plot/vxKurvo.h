#pragma once

#include "LogCallback.h"

#include <QVector>
#include <QWidget>

#if defined(VXKURVO_LIBRARY)
#define VXKURVO_EXPORT Q_DECL_EXPORT
#else
#define VXKURVO_EXPORT Q_DECL_IMPORT
#endif

class PlotServer;

// The plot widget a host embeds. It holds no plot state of its own: every call goes
// unchanged to the implementation widget, its only child.
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

signals:
    void newPlotRequest();

private slots:
    void newPlotRequestSlot();

private:
    PlotServer* server;
};
