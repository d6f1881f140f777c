#include "DerivePanel.h"

#include "AxesController.h"
#include "CurveRecord.h"
#include "PlotTranslation.h"
#include "analysis/CurveSampleRate.h"
#include "CurveStore.h"
#include "FilterDialog.h"
#include "PlotServerUi.h"
#include "Prompt.h"
#include "SamplingCheck.h"
#include "datatable/DataTableWindow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVector>

#include <new>

DerivePanel::DerivePanel(QWidget* plotServer, QwtPlot* plot, CurveStore& store, AxesController& axes,
                         UndoStore& undo, PlotLog& log, const std::unique_ptr<Prompt>& prompter,
                         std::function<void(int)> curveAdded)
    : plotServer(plotServer)
    , plot(plot)
    , store(store)
    , axes(axes)
    , log(log)
    , prompter(prompter)
    , deriver(store, axes, undo, log, std::move(curveAdded))
{
}

void DerivePanel::build(PlotServerUi& ui)
{
    const auto button = [&](const char* name, const char* text, const char* tip, void (DerivePanel::*action)()) {
        auto* pb = new QPushButton(translated(text), ui.processPage);
        pb->setObjectName(QLatin1String(name));
        pb->setToolTip(translated(tip));
        connect(pb, &QPushButton::clicked, this, action);
        // Before the spacer that closes the row.
        ui.horizontalLayout_5->insertWidget(ui.horizontalLayout_5->count() - 1, pb);
    };
    button("newCurvePB", "New curve...", "A new curve computed from the curves by an expression: c0 - c1, c2 * 1000",
           &DerivePanel::askNewCurve);
    button("filtersPB", "Filters...",
           "A new curve from the selected one: smoothed, filtered, its derivative or integral, resampled or without "
           "its trend",
           &DerivePanel::askFilter);
    button("dataPB", "Data", "The points of the selected curve in a table", &DerivePanel::showData);
}

// The window is a child of the plot widget, which deletes it.
DerivePanel::~DerivePanel() = default;

void DerivePanel::askNewCurve()
{
    QString expression = lastExpression;
    if (expression.isEmpty() && store.current())
        expression = QStringLiteral("c%1").arg(store.currentId());
    if (!prompter->text(plotServer, translated("New curve"),
                        translated("Expression of the curves c0, c1, ... (or y0, y1, ...) and x:"), expression))
        return;
    lastExpression = expression;
    if (!deriver.newCurve(expression))
        prompter->warning(plotServer, translated("New curve"), deriver.lastFailure());
}

void DerivePanel::askFilter()
{
    const CurveRecord* current = store.current();
    if (!current) {
        prompter->warning(plotServer, translated("Filters"), translated("Select the curve to filter first."));
        return;
    }
    FilterDialog dialog(plotServer, rateOf(*current));
    if (lastFilter)
        dialog.setSpec(*lastFilter);
    if (prompter->dialog(&dialog) != QDialog::Accepted)
        return;
    lastFilter = dialog.spec();
    if (!deriver.filter(*lastFilter))
        prompter->warning(plotServer, translated("Filters"), deriver.lastFailure());
}

// Only shown, so a curve too long to measure shows none.
double DerivePanel::rateOf(const CurveRecord& current) const
{
    QVector<double> x;
    QVector<double> y;
    store.samples(store.currentId(), x, y);
    try {
        return CurveSampleRate(axes).of(current, checkSampling(x.constData(), std::size_t(x.size()))).hz;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

void DerivePanel::showData()
{
    if (!store.current()) {
        prompter->warning(plotServer, translated("Data"), translated("Select the curve to show first."));
        return;
    }
    if (!table)
        table = new DataTableWindow(plotServer, plot, store, log);
    table->setCurve(store.currentId());
    prompter->showWindow(table);
}
