#pragma once

#include "CurveRecord.h"

#include <QBrush>
#include <QPen>
#include <QSize>
#include <QString>
#include <QVector>

#include <qwt_plot_curve.h>
#include <qwt_symbol.h>

class CurveStore;

// Everything of an erased curve that Undo brings back: its name, pen, line style, symbol,
// antialiasing, axis, samples and what its x and its rate were. The drawn curve is deleted
// with the erasure, so all of it is copied out before.
class ErasedCurve
{
public:
    ErasedCurve() = default;
    ErasedCurve(const CurveStore& store, int id);

    // Adds the curve again under the store's next identifier, which it returns.
    int restore(CurveStore& store) const;
    const QString& title() const { return name; }

private:
    QString name;
    QVector<double> x;
    QVector<double> y;
    QPen pen;
    QwtPlotCurve::CurveStyle style = QwtPlotCurve::Lines;
    bool antialiased = true;
    QwtSymbol::Style symbolStyle = QwtSymbol::NoSymbol;
    QBrush symbolBrush;
    QPen symbolPen;
    QSize symbolSize;
    int rightAxis = 0;
    bool xIsTime = false;
    double sampleRate = 0;
};
