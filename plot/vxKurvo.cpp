#include "vxKurvo.h"

#include "DataFileFilters.h"
#include "DataImporter.h"
#include "PlotServer.h"
#include "ProjectDrops.h"
#include "ProjectFiles.h"

#include <QHBoxLayout>

vxKurvo::vxKurvo(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setSpacing(3);
    layout->setContentsMargins(3, 3, 3, 3);
    server = new PlotServer(this);
    server->show();
    layout->addWidget(server);
    setLayout(layout);
    connect(server, &PlotServer::newPlotRequest, this, &vxKurvo::newPlotRequestSlot);
    projects = std::make_unique<ProjectFiles>(*server);
    server->dataImporter().setFileLoaded([this](const QString& path) { emit dataFileOpened(path); });
    auto* drops = new ProjectDrops(this);
    server->installEventFilter(drops);
    connect(drops, &ProjectDrops::filesDropped, this, &vxKurvo::filesDropped);
}

vxKurvo::~vxKurvo() = default;

void vxKurvo::begin(const QString& title, const QString& xTitle, const QString& yTitle,
                    const QString& rightTitle)
{
    server->begin(title, xTitle, yTitle, rightTitle);
}

void vxKurvo::createPlot(int id, const QString& name, unsigned int count, const double* x, const double* y,
                         bool flag, int rightAxis)
{
    server->createPlot(id, name, count, x, y, flag, rightAxis);
}

void vxKurvo::createPlot(int id, const QString& name, const QVector<double>& x, const QVector<double>& y,
                         bool flag, int rightAxis)
{
    server->createPlot(id, name, x, y, flag, rightAxis);
}

void vxKurvo::createEvenPlot(int id, const QString& name, double x0, double step, const QVector<double>& y,
                             int rightAxis)
{
    server->createEvenPlot(id, name, x0, step, y, rightAxis);
}

void vxKurvo::setPlot(int id, unsigned int count, const double* x, const double* y)
{
    server->setPlot(id, count, x, y);
}

void vxKurvo::setPlot(int id, unsigned int count, const double* x, const double* y, double xMin, double xMax,
                      double yMin, double yMax)
{
    server->setPlot(id, count, x, y, xMin, xMax, yMin, yMax);
}

void vxKurvo::deletePlot(int id)
{
    server->deletePlot(id);
}

int vxKurvo::curves()
{
    return server->curves();
}

void vxKurvo::setTitle(const QString& title)
{
    server->setTitle(title);
}

void vxKurvo::setXTitle(const QString& title)
{
    server->setXTitle(title);
}

void vxKurvo::setYTitle(const QString& title)
{
    server->setYTitle(title);
}

void vxKurvo::setHorizCalibrate(double value)
{
    server->setHorCalibration(value);
}

void vxKurvo::setLogCallback(LogCallback callback)
{
    server->setLogCallback(callback);
}

void vxKurvo::addCurve(int id, QString path, QString name, bool fitToPowerOfTwo)
{
    server->addCurve(id, path, name, fitToPowerOfTwo);
}

void vxKurvo::loadRawData(const QString& path)
{
    server->loadRawData(path);
}

void vxKurvo::dBshow()
{
    server->applyDB();
}

void vxKurvo::toFrequencyDomain()
{
    server->applyDFT();
}

bool vxKurvo::peakSave(const QString& path)
{
    return server->peakSave(path);
}

bool vxKurvo::saveProject(const QString& path, const QString& script, QString& error)
{
    return projects->save(path, script, error);
}

bool vxKurvo::openProject(const QString& path, QString& script, QString& error)
{
    return projects->open(path, script, error);
}

bool vxKurvo::projectChanged(const QString& script) const
{
    return projects->changedSince(script);
}

QStringList vxKurvo::dataFilters() const
{
    return DataFileFilters::list();
}

void vxKurvo::newPlotRequestSlot()
{
    emit newPlotRequest();
}
