#include "ErasedCurve.h"

#include "CurveStore.h"

ErasedCurve::ErasedCurve(const CurveStore& store, int id)
{
    const CurveRecord* record = store.find(id);
    if (!record)
        return;
    const QwtPlotCurve& curve = *record->curve;
    store.samples(id, x, y);
    name = curve.title().text();
    pen = curve.pen();
    style = curve.style();
    antialiased = curve.testRenderHint(QwtPlotItem::RenderAntialiased);
    if (const QwtSymbol* symbol = curve.symbol()) {
        symbolStyle = symbol->style();
        symbolBrush = symbol->brush();
        symbolPen = symbol->pen();
        symbolSize = symbol->size();
    }
    rightAxis = record->rightAxis;
    xIsTime = record->xIsTime;
    sampleRate = record->sampleRate;
}

int ErasedCurve::restore(CurveStore& store) const
{
    const int id = store.nextId();
    QwtPlotCurve* curve = store.add(name, x, y, rightAxis, xIsTime);
    curve->setPen(pen);
    curve->setStyle(style);
    curve->setRenderHint(QwtPlotItem::RenderAntialiased, antialiased);
    if (symbolStyle != QwtSymbol::NoSymbol)
        curve->setSymbol(new QwtSymbol(symbolStyle, symbolBrush, symbolPen, symbolSize));
    store.find(id)->sampleRate = sampleRate;
    return id;
}
