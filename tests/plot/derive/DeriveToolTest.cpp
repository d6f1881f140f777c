#include "CurveRecord.h"
#include "CurveStore.h"
#include "LogCollector.h"
#include "PlotServerFixture.h"
#include "QStringPrinter.h"
#include "TemporaryCacheHome.h"
#include "UndoStore.h"
#include "derive/DerivePanel.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <qwt_plot_curve.h>

#include <cmath>

namespace {

class DeriveToolTest : public TemporaryCacheHome, public PlotServerFixture<>
{
protected:
    DeriveToolTest()
    {
        server.setLogCallback(LogCollector::collect);
        LogCollector::lines().clear();
    }

    // A 20 Hz sine of amplitude `a` sampled at 1024 Hz, x in seconds: the steps are exact.
    void addSine(const char* name, int points, double a, int id = -1)
    {
        std::vector<double> x(static_cast<std::size_t>(points));
        std::vector<double> y(static_cast<std::size_t>(points));
        for (std::size_t i = 0; i < x.size(); ++i) {
            x[i] = double(i) / 1024;
            y[i] = a * std::sin(2 * M_PI * 20 * x[i]);
        }
        server.createPlot(id, name, unsigned(points), x.data(), y.data(), false, 0);
    }

    DeriveTool& tool() { return server.derivePanel().tool(); }
    void click(const char* name) { QTest::mouseClick(server.findChild<QPushButton*>(name), Qt::LeftButton); }
};

// The difference of two curves is a new curve named by its expression, current, and one undo
// step that takes it away again.
TEST_F(DeriveToolTest, ANewCurveIsNamedByItsExpressionAndUndoTakesItAway)
{
    addSine("a", 100, 2);
    addSine("b", 100, 0.5);
    ASSERT_TRUE(tool().newCurve(" c0 - y1 "));
    ASSERT_EQ(tool().addedCurve(), 2);
    EXPECT_EQ(title(2), "c0 - y1");
    EXPECT_EQ(server.currentCurve(), 2);
    EXPECT_EQ(values(2, false), values(0, false));
    for (std::size_t i = 0; i < 100; ++i)
        EXPECT_NEAR(values(2, true)[i], 1.5 * std::sin(2 * M_PI * 20 * double(i) / 1024), 1e-12);
    EXPECT_EQ(server.undoFiles().counter(), 1);

    server.undo();
    EXPECT_EQ(server.record(2), nullptr);
    ASSERT_NE(server.record(0), nullptr);
    EXPECT_EQ(server.undoFiles().counter(), 0);
}

// An identifier that passed to another curve since keeps that curve.
TEST_F(DeriveToolTest, UndoLeavesACurveThatTookTheIdentifierSince)
{
    addSine("a", 10, 1);
    ASSERT_TRUE(tool().newCurve("c0 * 2"));
    server.deletePlot(1);
    addSine("other", 10, 1, 1);
    ASSERT_NE(server.record(1), nullptr);
    ASSERT_EQ(title(1), "other");
    server.undo();
    ASSERT_NE(server.record(1), nullptr);
    EXPECT_EQ(server.undoFiles().lastFailure(), "Kurvo: Can't undo the addition of curve 1: it is no longer there");
}

// A snapshot taken after the addition comes back first, then the addition goes.
TEST_F(DeriveToolTest, AdditionsAndSnapshotsUndoInTurn)
{
    addSine("a", 64, 1);
    ASSERT_TRUE(tool().filter([] {
        FilterSpec spec;
        spec.kind = FilterSpec::Kind::Integral;
        return spec;
    }()));
    const std::vector<double> sine = values(0, true);
    server.applyAbs();
    EXPECT_NE(values(0, true), sine);
    server.undo();
    EXPECT_EQ(values(0, true), sine);
    ASSERT_NE(server.record(1), nullptr);
    server.undo();
    EXPECT_EQ(server.record(1), nullptr);
}

TEST_F(DeriveToolTest, RefusalsAddNothingAndSayWhy)
{
    addSine("a", 10, 1);
    EXPECT_FALSE(tool().newCurve("c0 - c5"));
    EXPECT_EQ(tool().lastFailure(), "New curve: There is no curve 5 for \"c0 - c5\".");
    EXPECT_FALSE(tool().newCurve("c0 -"));
    EXPECT_TRUE(tool().lastFailure().startsWith("New curve: The expression \"c0 -\" does not parse: "));
    EXPECT_FALSE(tool().newCurve("  "));
    FilterSpec spec;
    spec.kind = FilterSpec::Kind::LowPass;
    spec.low = 600;
    EXPECT_FALSE(tool().filter(spec));
    EXPECT_EQ(tool().lastFailure(),
              "a lowpass 600 Hz refused: Cutoff frequencies must lie between 0 and half the sampling frequency, "
              "512 Hz.");
    EXPECT_EQ(server.curves(), 1);
    EXPECT_EQ(server.undoFiles().counter(), 0);
    EXPECT_EQ(LogCollector::lines().back(), "Kurvo: " + tool().lastFailure());
}

// Process → Filters...: the dialog is scripted as a user fills it in; the cutoff comes in Hz
// from the curve's x steps, and the curve keeps its dates.
TEST_F(DeriveToolTest, TheFiltersDialogMakesTheNamedCurve)
{
    addSine("a", 1000, 1);
    server.curveStore().find(0)->xIsTime = true;
    prompt->onDialog = [](QDialog* dialog) {
        dialog->findChild<QComboBox*>("filterKindCB")->setCurrentIndex(int(FilterSpec::Kind::LowPass));
        dialog->findChild<QDoubleSpinBox*>("filterLowSB")->setValue(100);
        return int(QDialog::Accepted);
    };
    click("filtersPB");
    ASSERT_EQ(server.curves(), 2) << tool().lastFailure().toStdString();
    EXPECT_EQ(title(1), "a lowpass 100 Hz");
    EXPECT_TRUE(server.record(1)->xIsTime);
    // A 20 Hz tone passes a 100 Hz low-pass of order 4 almost whole and without lag.
    EXPECT_NEAR(values(1, true)[512], values(0, true)[512], 1e-5);
    EXPECT_TRUE(LogCollector::lines().contains("Kurvo: a lowpass 100 Hz: sampling frequency 1024 Hz (x steps)"));
}

TEST_F(DeriveToolTest, TheNewCurveButtonAsksAndWarnsWithTheReason)
{
    addSine("a", 10, 1);
    prompt->answers = {QStringLiteral("c0 + c9")};
    click("newCurvePB");
    ASSERT_EQ(prompt->calls.size(), 2u);
    EXPECT_EQ(prompt->calls[0].kind, "text");
    EXPECT_EQ(prompt->calls[0].choices, QStringList{"c0"});
    EXPECT_EQ(prompt->calls[1].kind, "warning");
    EXPECT_EQ(prompt->calls[1].label, "New curve: There is no curve 9 for \"c0 + c9\".");
    prompt->answers = {QStringLiteral("sqrt(c0^2)")};
    click("newCurvePB");
    EXPECT_EQ(prompt->calls[2].choices, QStringList{"c0 + c9"});
    EXPECT_EQ(title(1), "sqrt(c0^2)");
}

TEST_F(DeriveToolTest, TheCurveMenuOffersThemForTheClickedCurve)
{
    addSine("a", 10, 1);
    addSine("b", 10, 1);
    server.selectCurve(0);
    auto* menu = server.findChild<QMenu*>(QStringLiteral("curveMenu"));
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << action->text();
    EXPECT_TRUE(texts.contains("Data") && texts.contains("New curve...") && texts.contains("Filters...")) << texts.join(',').toStdString();
    prompt->onDialog = [](QDialog* dialog) {
        dialog->findChild<QComboBox*>("filterKindCB")->setCurrentIndex(int(FilterSpec::Kind::Derivative));
        return int(QDialog::Accepted);
    };
    for (QAction* action : menu->actions())
        if (action->text() == "Filters...")
            action->trigger();
    EXPECT_EQ(title(2), "a derivative");
}

} // namespace
