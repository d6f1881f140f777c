#pragma once

#include <QColor>
#include <QCoreApplication>

#include <memory>

#include <qwt_symbol.h>

class CurveStore;
class Prompt;
class QAction;
class QWidget;
class QwtPlot;

// How the curves look: the current curve's title, symbol, line style, width, colour and
// antialiasing, and the drawing style of all curves. With no current curve the per-curve
// operations do nothing; cancelled dialogs change nothing.
class CurveAppearance
{
    Q_DECLARE_TR_FUNCTIONS(PlotServer)

public:
    CurveAppearance(CurveStore& store, QwtPlot* plot, QWidget* dialogParent,
                    const std::unique_ptr<Prompt>& prompter);

    void rename();
    void setSymbol(QwtSymbol::Style style);
    // Gives the current curve a symbol of `style` in these colours and size, which become the
    // presets of the next symbol dialog; the legend shows the symbol.
    void applySymbol(QwtSymbol::Style style, const QColor& pen, const QColor& brush, int size);
    void setLineStyle(Qt::PenStyle style);
    void askWidth();
    void askColor();
    // The check mark of `action` follows the current curve's new state.
    void toggleAntialiasing(QAction* action);
    void setPlotStyle(int style);

private:
    void removeSymbol();
    void setSymbolStyle(QwtSymbol::Style style);

    CurveStore& store;
    QwtPlot* plot;
    QWidget* dialogParent;
    const std::unique_ptr<Prompt>& prompter;
    // Presets of the next symbol: outline, fill and size in pixels.
    QColor symbolPenColor = Qt::white;
    QColor symbolBrushColor = Qt::black;
    int symbolSize = 5;
};
