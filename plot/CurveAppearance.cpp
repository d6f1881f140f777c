#include "CurveAppearance.h"

#include "Attribute.h"
#include "CurveStore.h"
#include "Prompt.h"

#include <QAction>
#include <QPen>

#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_text.h>

CurveAppearance::CurveAppearance(CurveStore& store, QwtPlot* plot, QWidget* dialogParent,
                                 const std::unique_ptr<Prompt>& prompter)
    : store(store)
    , plot(plot)
    , dialogParent(dialogParent)
    , prompter(prompter)
{
}

void CurveAppearance::rename()
{
    CurveRecord* r = store.current();
    if (!r)
        return;
    QwtText title = r->curve->title();
    QString name = title.text();
    if (!prompter->text(dialogParent, tr("CURVE RENAME"), tr("Name:"), name) || name.isEmpty())
        return;
    title.setText(name);
    r->curve->setTitle(title);
}

void CurveAppearance::setSymbol(QwtSymbol::Style style)
{
    if (style == QwtSymbol::NoSymbol)
        removeSymbol();
    else
        setSymbolStyle(style);
}

// No dialog and no change to the presets: the curve simply draws no symbol.
void CurveAppearance::removeSymbol()
{
    CurveRecord* r = store.current();
    if (!r)
        return;
    r->curve->setSymbol(new QwtSymbol(QwtSymbol::NoSymbol, QBrush(Qt::NoBrush), QPen(Qt::black), QSize(5, 5)));
}

// The dialog opens at the last applied choice, so restyling several curves alike takes one
// click on APPLY each; closing it any other way keeps curve and presets.
void CurveAppearance::setSymbolStyle(QwtSymbol::Style style)
{
    if (!store.current())
        return;
    Attribute dialog(*prompter, dialogParent);
    dialog.setPenColor(symbolPenColor);
    dialog.setBrushColor(symbolBrushColor);
    dialog.setSize(symbolSize);
    if (prompter->dialog(&dialog) != QDialog::Accepted)
        return;
    applySymbol(style, dialog.penColor(), dialog.brushColor(), dialog.size());
}

void CurveAppearance::applySymbol(QwtSymbol::Style style, const QColor& pen, const QColor& brush, int size)
{
    symbolPenColor = pen;
    symbolBrushColor = brush;
    symbolSize = size;
    CurveRecord* r = store.current();
    if (!r)
        return;
    r->curve->setSymbol(new QwtSymbol(style, QBrush(brush, Qt::SolidPattern), QPen(pen), QSize(size, size)));
    r->curve->setLegendAttribute(QwtPlotCurve::LegendShowSymbol, true);
}

void CurveAppearance::setLineStyle(Qt::PenStyle style)
{
    CurveRecord* r = store.current();
    if (!r)
        return;
    QPen pen = r->curve->pen();
    pen.setStyle(style);
    r->curve->setPen(pen);
}

void CurveAppearance::askWidth()
{
    CurveRecord* r = store.current();
    if (!r)
        return;
    QPen pen = r->curve->pen();
    int width = pen.width();
    if (!prompter->integer(dialogParent, tr("LINE WIDTH"), tr("Width:"), width, 1, 10, 1))
        return;
    pen.setWidth(width);
    r->curve->setPen(pen);
}

void CurveAppearance::askColor()
{
    CurveRecord* r = store.current();
    if (!r)
        return;
    QPen pen = r->curve->pen();
    const QColor color = prompter->color(pen.color(), dialogParent, tr("CURVE COLOR"),
                                         QColorDialog::ShowAlphaChannel);
    if (!color.isValid())
        return;
    pen.setColor(color);
    r->curve->setPen(pen);
}

void CurveAppearance::toggleAntialiasing(QAction* action)
{
    CurveRecord* r = store.current();
    if (!r)
        return;
    const bool on = !r->curve->testRenderHint(QwtPlotItem::RenderAntialiased);
    action->setChecked(on);
    r->curve->setRenderHint(QwtPlotItem::RenderAntialiased, on);
}

// Curves added later start with lines, whatever was chosen here.
void CurveAppearance::setPlotStyle(int style)
{
    if (store.nextId() >= 1) {
        for (const auto& entry : store.records())
            entry.second->curve->setStyle(QwtPlotCurve::CurveStyle(style));
    }
    plot->replot();
}
