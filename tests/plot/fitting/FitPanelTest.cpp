#include "CurveRecord.h"
#include "LogCollector.h"
#include "PlotServerFixture.h"
#include "UndoStore.h"

#include <QApplication>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <qwt_plot_curve.h>

#include <cmath>
#include <map>
#include <memory>
#include <vector>

namespace {

// Process → Fit... on a plot widget whose prompt fills the Fit dialog's fields as a user
// would and presses its Fit button.
class FitPanelTest : public PlotServerFixture<>
{
protected:
    // The models typed are remembered in the settings, which go to a folder of the tests.
    static void SetUpTestSuite()
    {
        settingsHome = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsHome->path());
    }
    static void TearDownTestSuite() { settingsHome.reset(); }

    FitPanelTest()
    {
        QSettings(QStringLiteral("kurvo"), QStringLiteral("Kurvo")).clear();
        server.setLogCallback(LogCollector::collect);
        LogCollector::lines().clear();
    }

    void add(const QString& title, const std::vector<double>& x, const std::vector<double>& y)
    {
        server.createPlot(-1, title, unsigned(x.size()), x.data(), y.data(), false, 0);
    }

    // y = f(x) at x = 0, 1, ..., n - 1.
    template <typename F>
    void add(const QString& title, int n, F f)
    {
        std::vector<double> x;
        std::vector<double> y;
        for (int i = 0; i < n; ++i) {
            x.push_back(i);
            y.push_back(f(double(i)));
        }
        add(title, x, y);
    }

    // Types `model`, the start values by name, chooses the weights by their place in the list.
    void fit(const QString& model, const std::map<QString, QString>& starts = {}, int weights = 0,
             bool residuals = false)
    {
        prompt->onDialog = [=](QDialog* dialog) {
            auto* modelBox = dialog->findChild<QComboBox*>(QStringLiteral("fitModelCB"));
            modelBox->lineEdit()->clear();
            QTest::keyClicks(modelBox->lineEdit(), model);
            auto* startTable = dialog->findChild<QTableWidget*>(QStringLiteral("fitStartTable"));
            shownParameters.clear();
            for (int row = 0; row < startTable->rowCount(); ++row) {
                shownParameters << startTable->item(row, 0)->text();
                const auto given = starts.find(startTable->item(row, 0)->text());
                if (given != starts.end())
                    startTable->item(row, 1)->setText(given->second);
            }
            offeredModels.clear();
            for (int i = 0; i < modelBox->count(); ++i)
                offeredModels << modelBox->itemText(i);
            auto* weightsBox = dialog->findChild<QComboBox*>(QStringLiteral("fitWeightsCB"));
            offeredWeights = weightsBox->count();
            weightsBox->setCurrentIndex(weights);
            dialog->findChild<QCheckBox*>(QStringLiteral("fitResidualsCB"))->setChecked(residuals);
            auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("fitButtons"));
            QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
            modelLine = dialog->findChild<QLabel*>(QStringLiteral("fitModelLB"))->text();
            return dialog->result();
        };
        QTest::mouseClick(server.findChild<QPushButton*>(QStringLiteral("fitPB")), Qt::LeftButton);
    }

    QTableWidget* table() const { return server.findChild<QTableWidget*>(QStringLiteral("fitTable")); }
    // The value in the table's row labelled `label`.
    double figure(const QString& label) const
    {
        for (int row = 0; row < table()->rowCount(); ++row) {
            if (table()->item(row, 0)->text() == label)
                return table()->item(row, 1)->text().toDouble();
        }
        ADD_FAILURE() << "no row " << label.toStdString();
        return NAN;
    }

    static std::unique_ptr<QTemporaryDir> settingsHome;
    QStringList shownParameters;
    QStringList offeredModels;
    int offeredWeights = 0;
    QString modelLine;
};

std::unique_ptr<QTemporaryDir> FitPanelTest::settingsHome;

TEST_F(FitPanelTest, ALineAddsItsCurveAndFillsTheTableAndTheLog)
{
    add("data", 10, [](double x) { return 2 + 0.5 * x; });
    ASSERT_TRUE(table()->isHidden());
    fit("line");
    ASSERT_EQ(prompt->count("fit"), 1);
    ASSERT_EQ(server.curves(), 2);
    EXPECT_EQ(title(1), "fit: line");
    EXPECT_EQ(values(1, false), values(0, false));
    for (double x : {0.0, 9.0})
        EXPECT_NEAR(values(1, true)[std::size_t(x)], 2 + 0.5 * x, 1e-12);
    // The fitted curve stays the one Fit works on.
    EXPECT_EQ(server.currentCurve(), 0);
    ASSERT_FALSE(table()->isHidden());
    EXPECT_EQ(table()->item(0, 1)->text(), "a0 + a1*x");
    EXPECT_NEAR(figure("a0"), 2, 1e-12);
    EXPECT_NEAR(figure("a1"), 0.5, 1e-12);
    EXPECT_EQ(figure("Degrees of freedom"), 8);
    EXPECT_EQ(figure("Iterations"), 0);
    EXPECT_TRUE(logged("Kurvo: Fit of data with line: 10 points from x = 0 to 9"));
    EXPECT_TRUE(logged("Kurvo: Fit of data: a1 = 0.5"));
    ASSERT_EQ(prompt->progressDialogs.size(), 1u);
    EXPECT_TRUE(prompt->progressDialogs.back().closed);
    EXPECT_EQ(prompt->count("warning"), 0);
}

// The start rows follow the model as it is typed; the model typed is offered the next time.
TEST_F(FitPanelTest, ATypedModelWithStartValuesAndItsResiduals)
{
    add("decay", 60, [](double x) { return 3 * std::exp(-0.2 * x) + 0.5 + 0.01 * std::sin(7 * x); });
    fit("a*exp(-b*x)+c", {{"b", "0.1"}}, 0, true);
    EXPECT_EQ(shownParameters, QStringList({"a", "b", "c"}));
    ASSERT_EQ(server.curves(), 3);
    EXPECT_EQ(title(1), "fit: a*exp(-b*x)+c");
    EXPECT_EQ(title(2), "residuals: a*exp(-b*x)+c");
    EXPECT_NEAR(figure("b"), 0.2, 1e-3);
    const std::vector<double> y = values(0, true);
    const std::vector<double> fitted = values(1, true);
    const std::vector<double> residuals = values(2, true);
    for (std::size_t i : {std::size_t(0), std::size_t(59)})
        EXPECT_EQ(residuals[i], y[i] - fitted[i]);
    EXPECT_GT(figure("Iterations"), 0);

    server.selectCurve(0);
    fit("line");
    EXPECT_TRUE(offeredModels.contains("a*exp(-b*x)+c"));
    EXPECT_TRUE(offeredModels.contains("gauss"));
}

// Each added curve is an undo step: the residuals go first, the data stays.
TEST_F(FitPanelTest, UndoTakesTheFitBackCurveByCurve)
{
    add("data", 10, [](double x) { return 1 + x; });
    fit("line", {}, 0, true);
    ASSERT_EQ(server.curves(), 3);
    EXPECT_EQ(server.undoFiles().counter(), 2);
    server.undo();
    EXPECT_EQ(server.record(2), nullptr);
    ASSERT_NE(server.record(1), nullptr);
    EXPECT_EQ(title(1), "fit: line");
    server.undo();
    EXPECT_EQ(server.record(1), nullptr);
    ASSERT_NE(server.record(0), nullptr);
    EXPECT_EQ(title(0), "data");
    EXPECT_EQ(server.undoFiles().counter(), 0);
    EXPECT_TRUE(server.undoFiles().lastFailure().isEmpty());
}

// Zooming in fits a part: points outside the x range shown are left out.
TEST_F(FitPanelTest, OnlyThePointsShownAreFitted)
{
    add("knee", 20, [](double x) { return x < 10 ? x : 100.0; });
    server.setHorizStart(0);
    server.setHorizStop(9);
    fit("line");
    ASSERT_EQ(server.curves(), 2);
    EXPECT_EQ(values(1, false).size(), 10u);
    EXPECT_NEAR(figure("a1"), 1, 1e-12);
    EXPECT_TRUE(logged("Kurvo: Fit of knee with line: 10 points from x = 0 to 9"));
}

// The weights' curve pairs its y with the points by index, so only curves of as many points
// are offered; a point of a large deviation hardly counts.
TEST_F(FitPanelTest, WeightsFromACurveOfAsManyPoints)
{
    add("sigma", 11, [](double x) { return x == 5 ? 1e6 : 1.0; });
    add("short", 3, [](double x) { return x; });
    add("line with an outlier", 11, [](double x) { return x == 5 ? 50.0 : 1 + 2 * x; });
    fit("line", {}, 1);
    EXPECT_EQ(offeredWeights, 2);
    EXPECT_NEAR(figure("a1"), 2, 1e-6);
    EXPECT_NEAR(figure("a0"), 1, 1e-5);

    server.selectCurve(2);
    fit("line");
    EXPECT_GT(std::fabs(figure("a0") - 1), 1);
}

TEST_F(FitPanelTest, AFitThatFailsSaysWhyAndChangesNothing)
{
    add("pair", 2, [](double x) { return x; });
    fit("a+b*x+c*x^2");
    EXPECT_EQ(server.curves(), 1);
    EXPECT_EQ(server.undoFiles().counter(), 0);
    ASSERT_EQ(prompt->count("warning"), 1);
    EXPECT_TRUE(prompt->calls.back().label.contains("2 points for 3 parameters")) << prompt->calls.back().label.toStdString();
    EXPECT_TRUE(logged("Kurvo: Fit of pair failed: The fit needs at least as many points as parameters"));
    EXPECT_TRUE(table()->isHidden());
}

// The dialog does not close on a model that cannot be fitted, and says why.
TEST_F(FitPanelTest, AModelThatDoesNotParseKeepsTheDialogOpen)
{
    add("data", 5, [](double x) { return x; });
    fit("a*(x");
    EXPECT_TRUE(modelLine.contains("does not parse")) << modelLine.toStdString();
    EXPECT_EQ(server.curves(), 1);
    EXPECT_EQ(prompt->count("progress"), 0);
    EXPECT_EQ(prompt->count("warning"), 0);
}

TEST_F(FitPanelTest, CancelStopsTheFitAndAddsNothing)
{
    add("decay", 200, [](double x) { return 3 * std::exp(-0.02 * x) + 0.5; });
    prompt->cancelAtCheck = 1;
    fit("a*exp(-b*x)+c");
    EXPECT_EQ(server.curves(), 1);
    EXPECT_EQ(server.undoFiles().counter(), 0);
    EXPECT_EQ(prompt->count("warning"), 0);
    EXPECT_TRUE(logged("Kurvo: Fit of decay cancelled"));
    ASSERT_EQ(prompt->progressDialogs.size(), 1u);
    EXPECT_TRUE(prompt->progressDialogs.back().closed);
    EXPECT_TRUE(table()->isHidden());
}

TEST_F(FitPanelTest, WithoutACurveThereIsNothingToFit)
{
    fit("line");
    EXPECT_EQ(prompt->count("fit"), 0);
    EXPECT_EQ(prompt->count("warning"), 1);
}

// Every digit, so that a pasted value is the value fitted.
TEST_F(FitPanelTest, CopyPutsTheFiguresOnTheClipboard)
{
    add("data", 4, [](double x) { return 0.1 + x / 3; });
    fit("line");
    table()->findChild<QAction*>(QStringLiteral("fitCopyAction"))->trigger();
    const QStringList lines = QApplication::clipboard()->text().split('\n');
    ASSERT_GT(lines.size(), 4);
    EXPECT_EQ(lines[0], "Figure\tValue\tStandard error");
    EXPECT_EQ(lines[1], "Model\ta0 + a1*x\t");
    EXPECT_TRUE(lines[3].startsWith("a1\t")) << lines[3].toStdString();
    EXPECT_EQ(lines[3].section('\t', 1, 1), table()->item(2, 1)->text());
    EXPECT_NEAR(lines[3].section('\t', 1, 1).toDouble(), 1.0 / 3, 1e-15);
}

} // namespace
