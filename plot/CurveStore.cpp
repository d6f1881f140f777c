#include "CurveStore.h"

#include "EvenSeriesData.h"
#include "PlotCurve.h"
#include "SeriesValues.h"

#include <QPen>
#include <QVector>

#include <qwt_plot.h>

#include <algorithm>

CurveStore::CurveStore(QwtPlot* plot, QObject* parent)
    : QObject(parent)
    , plot(plot)
    , curveColors{{Qt::darkRed, Qt::darkBlue, Qt::darkGreen, Qt::blue, Qt::darkCyan, Qt::darkMagenta,
                   Qt::darkYellow, Qt::darkGray, Qt::cyan, Qt::red, Qt::yellow, Qt::white, Qt::magenta,
                   Qt::green, Qt::gray, Qt::lightGray}}
{
}

// The drawn curves belong to the plot, which deletes them with itself.
CurveStore::~CurveStore() = default;

CurveRecord* CurveStore::find(int id) const
{
    if (id < 0)
        return nullptr;
    const auto it = curveMap.find(quint32(id));
    return it == curveMap.end() ? nullptr : it->second.get();
}

int CurveStore::idOf(const QwtPlotItem* item) const
{
    for (const auto& entry : curveMap) {
        if (entry.second->curve == item)
            return int(entry.first);
    }
    return -1;
}

int CurveStore::findByTitle(const QString& title) const
{
    if (nextCurveId < 1)
        return -1;
    for (const auto& entry : curveMap) {
        if (entry.second->curve->title().text() == title)
            return int(entry.first);
    }
    return -1;
}

QColor CurveStore::defaultColor(int id) const
{
    return curveColors[std::size_t(id) % curveColors.size()];
}

bool CurveStore::samples(int id, QVector<double>& x, QVector<double>& y) const
{
    const CurveRecord* r = find(id);
    if (!r)
        return false;
    x = xValuesOf(*r->curve->data());
    y = yValuesOf(*r->curve->data());
    return true;
}

bool CurveStore::ySamples(int id, QVector<double>& y) const
{
    const CurveRecord* r = find(id);
    if (!r)
        return false;
    y = yValuesOf(*r->curve->data());
    return true;
}

DataRange CurveStore::rangeOf(int id) const
{
    const CurveRecord* r = find(id);
    return r ? r->range : DataRange();
}

QString CurveStore::titleOf(const CurveRecord& record)
{
    return record.curve->title().text();
}

void CurveStore::startAt(int id)
{
    if (id >= 0)
        nextCurveId = id;
    currentCurveId = nextCurveId;
}

int CurveStore::addUnderFreeId(const QString& title, const QVector<double>& x, const QVector<double>& y,
                               int rightAxis, bool xIsTime)
{
    int id = std::max(nextCurveId, 0);
    while (find(id))
        ++id;
    startAt(id);
    add(title, x, y, rightAxis, xIsTime);
    return id;
}

// The samples are copied before anything is replaced or drawn: a copy that memory cannot hold
// throws and leaves the plot as it was.
QwtPlotCurve* CurveStore::add(const QString& title, const double* x, const double* y, std::size_t count,
                              int rightAxis)
{
    return add(title, QVector<double>(x, x + count), QVector<double>(y, y + count), rightAxis);
}

QwtPlotCurve* CurveStore::add(const QString& title, const QVector<double>& x, const QVector<double>& y,
                              int rightAxis, bool xIsTime)
{
    auto curve = std::make_unique<PlotCurve>(title);
    auto record = recordOf(*curve, rightAxis);
    record->xIsTime = xIsTime;
    takeSamples(*record, x, y);
    return attach(std::move(record), std::move(curve));
}

QwtPlotCurve* CurveStore::add(const QString& title, const EvenX& x, const QVector<double>& y, int rightAxis)
{
    auto curve = std::make_unique<PlotCurve>(title);
    auto record = recordOf(*curve, rightAxis);
    takeSamples(*record, x, y);
    return attach(std::move(record), std::move(curve));
}

std::unique_ptr<CurveRecord> CurveStore::recordOf(PlotCurve& curve, int rightAxis)
{
    auto record = std::make_unique<CurveRecord>();
    record->rightAxis = rightAxis;
    record->curve = &curve;
    return record;
}

// The record's samples are in place before anything is replaced or drawn. The curve takes
// the next identifier.
QwtPlotCurve* CurveStore::attach(std::unique_ptr<CurveRecord> record, std::unique_ptr<PlotCurve> curve)
{
    const int id = nextCurveId;
    record->serial = nextSerial++;
    drop(id);
    curve->setRenderHint(QwtPlotItem::RenderAntialiased, true);
    curve->setPen(QPen(defaultColor(id)));
    if (record->rightAxis != 0) {
        plot->enableAxis(QwtPlot::yRight);
        curve->setYAxis(QwtPlot::yRight);
    } else {
        curve->setYAxis(QwtPlot::yLeft);
    }
    std::unique_ptr<CurveRecord>& slot = curveMap[quint32(id)];
    curve->attach(plot);
    slot = std::move(record);
    ++nextCurveId;
    return curve.release();
}

void CurveStore::setSamples(int id, const double* x, const double* y, std::size_t count)
{
    if (CurveRecord* record = find(id)) {
        copySamples(*record, x, y, count);
        record->xIsTime = false;
    }
}

// Only x changes, so the statistics stay; the y values are shared with the old samples.
void CurveStore::spreadX(double span)
{
    for (const auto& entry : curveMap) {
        CurveRecord& record = *entry.second;
        record.xIsTime = false;
        const std::size_t n = record.curve->dataSize();
        if (n == 0)
            continue;
        const EvenX spread{-0.0, span / double(n)};
        record.curve->setData(new EvenSeriesData(spread, yValuesOf(*record.curve->data())));
        DataRange ends;
        ends.addX(spread.at(0));
        ends.addX(spread.at(n - 1));
        record.range.xMin = ends.xMin;
        record.range.xMax = ends.xMax;
        record.range.xFound = ends.xFound;
    }
}

void CurveStore::setSamples(int id, const QVector<double>& x, const QVector<double>& y)
{
    if (CurveRecord* record = find(id))
        takeSamples(*record, x, y);
}

void CurveStore::setSamples(int id, const EvenX& x, const QVector<double>& y)
{
    if (CurveRecord* record = find(id)) {
        takeSamples(*record, x, y);
        record->xIsTime = false;
    }
}

// The curve shares the vectors; its figures come from one pass over them.
void CurveStore::takeSamples(CurveRecord& record, const QVector<double>& x, const QVector<double>& y)
{
    record.curve->setSamples(x, y);
    record.range = DataRange();
    static_cast<CurveStatistics&>(record) =
        CurveStatistics::of(x.constData(), y.constData(), std::size_t(y.size()), record.range);
}

void CurveStore::setY(int id, const QVector<double>& y)
{
    CurveRecord* record = find(id);
    if (!record)
        return;
    if (const auto* even = dynamic_cast<const EvenSeriesData*>(record->curve->data()))
        takeSamples(*record, EvenX(even->x()), y);
    else
        takeSamples(*record, xValuesOf(*record->curve->data()), y);
}

// x of a curve is only ever sampled when a start and a step hold it; the figures of y come
// from one pass, and x's limits are its ends.
void CurveStore::takeSamples(CurveRecord& record, const EvenX& x, const QVector<double>& y)
{
    record.curve->setData(new EvenSeriesData(x, y));
    record.range = DataRange();
    static_cast<CurveStatistics&>(record) =
        CurveStatistics::of(nullptr, y.constData(), std::size_t(y.size()), record.range);
    if (!y.isEmpty()) {
        record.range.addX(x.at(0));
        record.range.addX(x.at(std::size_t(y.size()) - 1));
    }
}

bool CurveStore::remove(int id)
{
    if (!find(id))
        return false;
    drop(id);
    if (curveMap.empty())
        nextCurveId = 0;
    currentCurveId = -1;
    emit curveRemoved(id);
    return true;
}

void CurveStore::drop(int id)
{
    const auto it = curveMap.find(quint32(id));
    if (it == curveMap.end())
        return;
    it->second->curve->detach();
    delete it->second->curve;
    curveMap.erase(it);
}

void CurveStore::copySamples(CurveRecord& record, const double* x, const double* y, std::size_t count)
{
    takeSamples(record, QVector<double>(x, x + count), QVector<double>(y, y + count));
}
