#pragma once

#include "CurveRecord.h"
#include "DataRange.h"
#include "EvenX.h"

#include <QColor>
#include <QObject>
#include <QVector>

#include <array>
#include <cstddef>
#include <map>
#include <memory>

class PlotCurve;
class QwtPlot;
class QwtPlotCurve;
class QwtPlotItem;

// The curves of the plot, keyed by identifier: the automatic identifiers, the sixteen default
// colours, the current curve and each curve's statistics, kept up to date with its samples.
// Curves it adds are drawn on its plot; walks over the curves go in ascending identifier order.
// Removing a curve is announced, since the selection shown elsewhere may name it.
class CurveStore : public QObject
{
    Q_OBJECT

public:
    using Records = std::map<quint32, std::unique_ptr<CurveRecord>>;

    explicit CurveStore(QwtPlot* plot, QObject* parent = nullptr);
    ~CurveStore() override;

    // Lookups never insert; an absent identifier gives null.
    CurveRecord* find(int id) const;
    CurveRecord* current() const { return find(currentCurveId); }
    const Records& records() const { return curveMap; }
    bool isEmpty() const { return curveMap.empty(); }
    // The identifier the next automatically numbered curve gets.
    int nextId() const { return nextCurveId; }
    int currentId() const { return currentCurveId; }
    // The identifier of a drawn curve, -1 for an item that is none of ours.
    int idOf(const QwtPlotItem* item) const;
    // The lowest identifier whose curve has this title, -1 for none.
    int findByTitle(const QString& title) const;
    QColor defaultColor(int id) const;
    // A curve's samples, shared with the curve until either side changes them; false for an
    // absent curve.
    bool samples(int id, QVector<double>& x, QVector<double>& y) const;
    // The y values alone, where x is not needed: x held as a start and a step stays so.
    bool ySamples(int id, QVector<double>& y) const;
    // The finite limits of a curve's samples; nothing found for an absent or empty curve.
    DataRange rangeOf(int id) const;
    // The title the curve is drawn with.
    static QString titleOf(const CurveRecord& record);

    // A caller's identifier (>= 0) moves the automatic numbering to it; either way the next
    // curve becomes the current one.
    void startAt(int id);
    void setCurrent(int id) { currentCurveId = id; }

    // Adds a curve under the next identifier, replacing one stored there, with the default
    // colour of that identifier; the samples are copied. Returns the drawn curve.
    QwtPlotCurve* add(const QString& title, const double* x, const double* y, std::size_t count,
                      int rightAxis);
    // As above, but the curve shares the vectors instead of copying them; they must be of
    // equal length. `xIsTime` says x holds dates and times.
    QwtPlotCurve* add(const QString& title, const QVector<double>& x, const QVector<double>& y, int rightAxis,
                      bool xIsTime = false);
    // As above, but under the first identifier from the next one on that no curve has, which
    // is returned: a curve that a caller numbered itself keeps its place.
    int addUnderFreeId(const QString& title, const QVector<double>& x, const QVector<double>& y, int rightAxis,
                       bool xIsTime);
    // As above, but x steps evenly and is kept as its start and step, never as an array.
    QwtPlotCurve* add(const QString& title, const EvenX& x, const QVector<double>& y, int rightAxis);
    // A caller's arrays hold numbers: the curve's x no longer holds dates and times.
    void setSamples(int id, const double* x, const double* y, std::size_t count);
    // The curve shares the vectors instead of copying them; they must be of equal length.
    void setSamples(int id, const QVector<double>& x, const QVector<double>& y);
    void setSamples(int id, const EvenX& x, const QVector<double>& y);
    // New y values of the curve's length; x stays as it is held, a start and a step included.
    void setY(int id, const QVector<double>& y);
    // Spreads the x values of every curve of n points evenly over [0, span): x = i * span / n.
    // Every curve's x then holds numbers, not dates and times.
    void spreadX(double span);
    // False when the identifier is absent. Removing the last curve restarts the numbering at 0.
    bool remove(int id);

signals:
    void curveRemoved(int id);

private:
    void drop(int id);
    static std::unique_ptr<CurveRecord> recordOf(PlotCurve& curve, int rightAxis);
    QwtPlotCurve* attach(std::unique_ptr<CurveRecord> record, std::unique_ptr<PlotCurve> curve);
    static void copySamples(CurveRecord& record, const double* x, const double* y, std::size_t count);
    static void takeSamples(CurveRecord& record, const QVector<double>& x, const QVector<double>& y);
    static void takeSamples(CurveRecord& record, const EvenX& x, const QVector<double>& y);

    QwtPlot* plot;
    std::array<QColor, 16> curveColors;
    Records curveMap;
    int nextCurveId = 0;
    int currentCurveId = -1;
    quint64 nextSerial = 1;
};
