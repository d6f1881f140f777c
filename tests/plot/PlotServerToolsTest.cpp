#include "ImportedData.h"
#include "PlotServer.h"
#include "ScriptedPrompt.h"
#include "TimeSpinBox.h"

#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A plot widget as the host sets it up; `early` builds the tool panel before anything happens.
struct Plot {
    explicit Plot(bool early)
    {
        server.setPrompt(std::make_unique<ScriptedPrompt>());
        server.begin("Kurvo", "X", "Y", "");
        if (early)
            server.controls();
    }

    PlotServer server;
};

// Everything the tool panel shows of the plot's state, as text.
QStringList shownState(const PlotServer& server)
{
    const PlotServerUi& ui = server.controls();
    QStringList state;
    for (const QDoubleSpinBox* field : {static_cast<QDoubleSpinBox*>(ui.horStartSB),
                                        static_cast<QDoubleSpinBox*>(ui.horStopSB), ui.verLowSB, ui.verHighSB,
                                        ui.horCalibrationSB})
        state << field->text();
    state << QString::number(ui.horStartSB->timeMode());
    for (int row = 0; row < ui.statisticsWD->rowCount(); ++row) {
        for (int column = 0; column < ui.statisticsWD->columnCount(); ++column) {
            const QTableWidgetItem* item = ui.statisticsWD->item(row, column);
            state << (item ? item->text() + item->toolTip() : QStringLiteral("-"));
        }
    }
    state << QString::number(ui.undoTB->isEnabled()) << ui.undoTB->toolTip();
    state << server.findChild<QLabel*>(QStringLiteral("selectedCurveLabel"))->text();
    return state;
}

void addCurve(PlotServer& server, double xEnd)
{
    const QVector<double> y{0.5, -1.25, 3.0, 2.0};
    server.createPlot(-1, QStringLiteral("f"), QVector<double>{0.0, xEnd / 3, 2 * xEnd / 3, xEnd}, y, false, 0);
}

// Three days from noon of 1 January 2021, x holding the dates.
void addDays(PlotServer& server)
{
    ImportedData data;
    data.xIsTime = true;
    data.x = {1609502400.0, 1609588800.0, 1609675200.0};
    data.y.push_back({1.0, 2.0, 4.0});
    data.range = DataRange::of(data.x.constData(), data.y.front().constData(), 3);
    server.loadFrom(-1, QStringLiteral("days"), QStringLiteral("t"), [&data] { return data; });
}

struct Steps {
    const char* name;
    std::function<void(PlotServer&)> run;
};

const Steps kSteps[] = {
    {"nothing", [](PlotServer&) {}},
    {"a curve", [](PlotServer& s) { addCurve(s, 3.0); }},
    {"a zoom", [](PlotServer& s) {
         addCurve(s, 3.0);
         s.zoomedSlot(QRectF(QPointF(0.5, -0.75), QPointF(2.25, 1.5)));
     }},
    {"x beyond the fields' limit", [](PlotServer& s) { addCurve(s, 3e9); }},
    // The fields turn to dates as the curve of numbers goes, keeping the values they held.
    {"dates after numbers beyond the limit", [](PlotServer& s) {
         addDays(s);
         addCurve(s, 3e9);
         s.deletePlot(1);
     }},
    {"an undo step and a selection", [](PlotServer& s) {
         addCurve(s, 3.0);
         addCurve(s, 6.0);
         s.selectCurve(0);
         s.applyAbs();
     }},
    {"the selected curve erased", [](PlotServer& s) {
         addCurve(s, 3.0);
         s.selectCurve(0);
         s.erase();
     }},
};

TEST(PlotServerToolsTest, PanelBuiltLateShowsWhatItWouldHaveShownFromTheStart)
{
    for (const Steps& steps : kSteps) {
        Plot early(true);
        Plot late(false);
        steps.run(early.server);
        steps.run(late.server);
        EXPECT_EQ(shownState(late.server), shownState(early.server)) << steps.name;
    }
}

TEST(PlotServerToolsTest, ToolPanelIsBuiltWhenFirstShown)
{
    Plot plot(false);
    const char* const built[] = {"plotTab", "peakGB", "statisticsWD", "analysisTable", "fitTable", "fitPB",
                                 "dataPB", "selectedCurveLabel"};
    plot.server.toolShow(false);
    for (const char* name : built)
        EXPECT_EQ(plot.server.findChild<QWidget*>(QLatin1String(name)), nullptr) << name;

    plot.server.findChild<QToolButton*>(QStringLiteral("showMenuTB"))->click();
    for (const char* name : built)
        EXPECT_NE(plot.server.findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
    const PlotServerUi& ui = plot.server.controls();
    EXPECT_FALSE(ui.plotTab->isHidden());
    EXPECT_FALSE(ui.peakTB->isHidden());
    EXPECT_TRUE(ui.peakGB->isHidden());
    EXPECT_TRUE(ui.statisticsWD->isHidden());
}

} // namespace
