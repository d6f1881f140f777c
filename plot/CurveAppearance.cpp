#include "CurveAppearance.h"

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

// The symbol's colours and size are chosen in the Attribute dialog; until it is in, a symbol
// choice leaves the curve as it is.
void CurveAppearance::setSymbolStyle(QwtSymbol::Style) {}

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
