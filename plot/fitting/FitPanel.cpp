#include "FitPanel.h"

#include "CurveRecord.h"
#include "CurveStore.h"
#include "FitDialog.h"
#include "FitModelHistory.h"
#include "FitRequest.h"
#include "PlotServerUi.h"
#include "PlotTranslation.h"
#include "Prompt.h"
#include "PromptProgress.h"
#include "widgets/TableViews.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QVBoxLayout>

#include <qwt_plot_curve.h>

#include <algorithm>
#include <climits>

namespace {

// How often the progress dialog is drawn, and Cancel can be pressed, while a fit iterates.
const qint64 kRefreshMilliseconds = 100;

QSettings settings()
{
    return QSettings(QStringLiteral("kurvo"), QStringLiteral("Kurvo"));
}

} // namespace

FitPanel::FitPanel(QWidget* plotServer, const CurveStore& store, FitTool& tool,
                   const std::unique_ptr<Prompt>& prompter)
    : plotServer(plotServer)
    , store(store)
    , tool(tool)
    , prompter(prompter)
{
}

void FitPanel::build(PlotServerUi& ui)
{
    auto* button = new QPushButton(translated("Fit..."), ui.processPage);
    button->setObjectName(QStringLiteral("fitPB"));
    button->setToolTip(translated("Fit a model to the points of the selected curve that the plot shows"));
    connect(button, &QPushButton::clicked, this, &FitPanel::askAndFit);
    // Before the spacer that closes the row.
    ui.horizontalLayout_5->insertWidget(ui.horizontalLayout_5->count() - 1, button);
    ui.verticalLayout_2->addWidget(buildTable(plotServer));
}

QTableWidget* FitPanel::buildTable(QWidget* plotServer)
{
    table = TableViews::figures(plotServer, QStringLiteral("fitTable"), translated("Standard error"));
    connect(TableViews::addCopyAction(table, QStringLiteral("fitCopyAction")), &QAction::triggered, this,
            &FitPanel::copyFigures);
    return table;
}

// The weights' standard deviations pair with the points by index, so only curves of as many
// points are offered.
void FitPanel::askAndFit()
{
    const CurveRecord* current = store.current();
    if (!current) {
        prompter->warning(plotServer, translated("Fit"), translated("Select the curve to fit first."));
        return;
    }
    std::vector<FitDialog::Curve> weightCurves;
    for (const auto& [id, record] : store.records()) {
        if (int(id) != store.currentId() && record->curve->dataSize() == current->curve->dataSize())
            weightCurves.push_back({int(id), record->curve->title().text()});
    }
    QSettings kept = settings();
    FitDialog dialog(plotServer, FitModelHistory::models(kept), weightCurves);
    dialog.setModel(lastModel);
    FitRequest request;
    QString problem;
    if (!prompter->fitSettings(&dialog) || !dialog.read(request, problem))
        return;
    lastModel = request.model;
    if (!request.builtin)
        FitModelHistory::remember(kept, request.model);
    table->hide();
    if (run(request))
        showFigures();
    else if (!tool.wasCancelled())
        prompter->warning(plotServer, translated("Fit"), tool.lastFailure());
}

bool FitPanel::run(const FitRequest& request)
{
    const std::unique_ptr<PromptProgress> progress =
        prompter->progress(plotServer, translated("Fitting ..."), translated("Cancel"), 0, 0);
    QElapsedTimer sinceDrawn;
    const auto iterated = [&](std::size_t iterations) {
        if (!sinceDrawn.isValid() || sinceDrawn.elapsed() >= kRefreshMilliseconds) {
            progress->setValue(int(std::min<std::size_t>(iterations, INT_MAX)));
            QCoreApplication::processEvents();
            sinceDrawn.start();
        }
        return !progress->wasCanceled();
    };
    return tool.fit(request, iterated);
}

void FitPanel::showFigures()
{
    rows = FitReport::rows(tool.result());
    table->setRowCount(int(rows.size()));
    for (int row = 0; row < table->rowCount(); ++row) {
        const FitReport::Row& figure = rows[std::size_t(row)];
        table->setItem(row, 0, new QTableWidgetItem(figure.label));
        table->setItem(row, 1, new QTableWidgetItem(figure.value));
        table->setItem(row, 2, new QTableWidgetItem(figure.error));
    }
    table->resizeColumnsToContents();
    table->show();
}

void FitPanel::copyFigures() const
{
    QApplication::clipboard()->setText(FitReport::tabSeparated(rows));
}
