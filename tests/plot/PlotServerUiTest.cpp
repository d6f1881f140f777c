#include "CurveStatistics.h"
#include "PlotServerFixture.h"
#include "ScriptedPrompt.h"
#include "StatisticsTable.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <qwt_plot.h>

namespace {

class PlotServerUiTest : public PlotServerFixture<>
{
protected:
    PlotServerUiTest() { server.show(); }

    template <typename T>
    T* child(const char* name)
    {
        T* widget = server.findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    bool shown(const char* name) { return child<QWidget>(name)->isVisible(); }

};

struct ToolButtonRow {
    const char* name;
    const char* text;
    const char* tip;
};

const ToolButtonRow kToolButtons[] = {
    {"plotNewTB", "New", "Open a new Kurvo session"},
    {"plotOpenTB", "Open", "Open saved raw data"},
    {"plotSaveTB", "Save", "Save graphics or data of current plot"},
    {"plotPrintTB", "Print", "Print this graphics"},
    {"plotEraseTB", "Erase", "Remove selected curve"},
    {"undoTB", "Undo", "Perform an undo"},
    {"fftTB", "FFT", "Apply Fourier Transform"},
    {"dbTB", "dB", "Transform all displayed curve in dB scale"},
    {"absTB", "Abs", "Abosolute value of selected curve"},
    {"plotTitleTB", "Title", "Change the plot title"},
    {"plotXTitleTB", "xTitle", "Change X axys legend"},
    {"plotYTitleTB", "yTitle", "Change Y axys legend"},
    {"plotBackColorTB", "Back.C", "Change plot background color"},
    {"plotStatTB", "Stat.", "Show statistics of the selected curve"},
    {"peakTB", "Peak", "Show statistics of the selected curve"},
};

TEST_F(PlotServerUiTest, ToolButtonsCarryTheirTextsTipsAndIcons)
{
    for (const ToolButtonRow& row : kToolButtons) {
        auto* button = child<QToolButton>(row.name);
        EXPECT_EQ(button->text(), row.text) << row.name;
        EXPECT_EQ(button->toolTip(), row.tip) << row.name;
        EXPECT_FALSE(button->icon().isNull()) << row.name;
        EXPECT_EQ(button->iconSize(), QSize(24, 24)) << row.name;
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon) << row.name;
    }
    EXPECT_TRUE(child<QToolButton>("plotStatTB")->isCheckable());
    EXPECT_FALSE(child<QToolButton>("plotTitleTB")->isCheckable());
    EXPECT_EQ(child<QToolButton>("undoTB")->shortcut(), QKeySequence("Ctrl+Z"));
    auto* show = child<QToolButton>("showMenuTB");
    EXPECT_EQ(show->toolTip(), "Show/Hide menu");
    EXPECT_TRUE(show->isCheckable());
}

TEST_F(PlotServerUiTest, TabsAndCombosAreFilledInOrder)
{
    auto* tabs = child<QTabWidget>("plotTab");
    ASSERT_EQ(tabs->count(), 5);
    const QStringList pages{"File", "Process", "Analysis", "Range", "View"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(tabs->tabText(i), pages[i]);
        EXPECT_EQ(tabs->widget(i)->objectName(), pages[i]);
    }
    EXPECT_EQ(tabs->tabPosition(), QTabWidget::South);

    auto* windows = child<QComboBox>("windowingCB");
    ASSERT_EQ(windows->count(), 11);
    EXPECT_EQ(windows->itemText(0), "Triangular");
    EXPECT_EQ(windows->itemText(7), "Blackman Nuttall");
    EXPECT_EQ(windows->itemData(10).toInt(), 10);
    EXPECT_EQ(windows->itemText(10), "Gaussian");

    auto* styles = child<QComboBox>("stylesCB");
    ASSERT_EQ(styles->count(), 4);
    EXPECT_EQ(styles->itemText(3), "Dots");

    auto* units = child<QComboBox>("unitsCB");
    ASSERT_EQ(units->count(), 9);
    EXPECT_EQ(units->itemText(0), "#");
    EXPECT_EQ(units->itemText(8), "GHz");
}

TEST_F(PlotServerUiTest, RangeSpinBoxesHaveTheirLimits)
{
    auto* low = child<QDoubleSpinBox>("verLowSB");
    EXPECT_EQ(low->decimals(), 3);
    EXPECT_DOUBLE_EQ(low->minimum(), -1e9);
    EXPECT_DOUBLE_EQ(low->maximum(), 1e9);
    EXPECT_DOUBLE_EQ(low->singleStep(), 0.1);
    EXPECT_DOUBLE_EQ(child<QDoubleSpinBox>("horStopSB")->singleStep(), 1.0);
    auto* calibration = child<QDoubleSpinBox>("horCalibrationSB");
    EXPECT_EQ(calibration->decimals(), 6);
    EXPECT_DOUBLE_EQ(calibration->value(), 1.0);
    auto* delta = child<QDoubleSpinBox>("deltaSB");
    EXPECT_DOUBLE_EQ(delta->value(), 1.0);
    EXPECT_DOUBLE_EQ(delta->maximum(), 1000000.0);
}

TEST_F(PlotServerUiTest, PeakPanelAndStatisticsTable)
{
    EXPECT_EQ(child<QGroupBox>("peakGB")->title(), "Peak Detector");
    // Narrow beside the plot, but never narrower than its texts need.
    EXPECT_GE(child<QGroupBox>("peakGB")->maximumWidth(), 220);
    EXPECT_TRUE(child<QListWidget>("positivePeaks")->alternatingRowColors());
    EXPECT_EQ(child<QPushButton>("savePB")->text(), "SAVE");
    EXPECT_EQ(child<QCheckBox>("minimumCB")->layoutDirection(), Qt::RightToLeft);

    auto* table = child<QTableWidget>("statisticsWD");
    ASSERT_EQ(table->rowCount(), 3);
    ASSERT_EQ(table->columnCount(), 8);
    EXPECT_EQ(table->horizontalHeaderItem(0)->text(), "Statistics");
    EXPECT_EQ(table->horizontalHeaderItem(7)->text(), "Value");
    EXPECT_EQ(table->verticalHeaderItem(2)->text(), "-");
    EXPECT_EQ(table->item(1, 2)->text(), "Power");
    EXPECT_EQ(table->item(1, 3)->toolTip(), "Amount of energy consumed per unit time");
    EXPECT_EQ(table->item(2, 3)->text(), "0");
    EXPECT_TRUE(table->item(2, 3)->toolTip().isEmpty());
    EXPECT_EQ(table->item(2, 4)->text(), "Gaps");
    EXPECT_EQ(table->item(2, 4)->toolTip(), "Missing values, left out of every figure");
    CurveStatistics gappy;
    gappy.samples = 7;
    gappy.gaps = 3;
    StatisticsTable(table).show(gappy);
    EXPECT_EQ(table->item(2, 3)->text(), "7");
    EXPECT_EQ(table->item(2, 5)->text(), "3");
    EXPECT_EQ(table->item(2, 5)->toolTip(), "Missing values, left out of every figure");
    EXPECT_EQ(table->palette().color(QPalette::Active, QPalette::WindowText), QColor(0, 182, 0));
    EXPECT_EQ(table->palette().color(QPalette::Disabled, QPalette::Base), QColor(240, 240, 240));
}

TEST_F(PlotServerUiTest, AtStartOnlyThePlotAndTheShowButtonAreVisible)
{
    EXPECT_TRUE(shown("qwtPlot"));
    EXPECT_TRUE(shown("showMenuTB"));
    for (const char* hidden : {"plotTab", "plotStatTB", "peakTB", "peakGB", "statisticsWD"})
        EXPECT_FALSE(shown(hidden)) << hidden;
    EXPECT_EQ(server.plot()->canvasBackground().color(), QColor(Qt::lightGray));
}

TEST_F(PlotServerUiTest, ShowButtonTogglesTheToolsButNotThePanels)
{
    QTest::mouseClick(child<QToolButton>("showMenuTB"), Qt::LeftButton);
    EXPECT_TRUE(shown("plotTab"));
    EXPECT_TRUE(shown("plotStatTB"));
    EXPECT_TRUE(shown("peakTB"));

    QTest::mouseClick(child<QToolButton>("peakTB"), Qt::LeftButton);
    EXPECT_TRUE(shown("peakGB"));

    QTest::mouseClick(child<QToolButton>("showMenuTB"), Qt::LeftButton);
    EXPECT_FALSE(shown("plotTab"));
    EXPECT_FALSE(shown("peakTB"));
    EXPECT_TRUE(shown("peakGB"));
}

TEST_F(PlotServerUiTest, StatButtonNeedsACurrentCurve)
{
    server.toolShow(true);
    auto* stat = child<QToolButton>("plotStatTB");
    QTest::mouseClick(stat, Qt::LeftButton);
    EXPECT_TRUE(stat->isChecked());
    EXPECT_FALSE(shown("statisticsWD"));

    double x[] = {0, 1, 2, 3};
    double y[] = {1, 2, 3, 4};
    server.createPlot(-1, "f(y)", 4, x, y, false, 0);
    server.panelSwitch(true);
    EXPECT_TRUE(shown("statisticsWD"));
    server.panelSwitch(false);
    EXPECT_FALSE(shown("statisticsWD"));
}

TEST_F(PlotServerUiTest, TitleButtonsAskAndKeepTheOldTitleOnEmptyAnswers)
{
    prompt->answers = {QString("Measured"), QString(), QVariant()};
    server.changePlotTitle();
    EXPECT_EQ(server.plot()->title().text(), "Measured");
    server.changeBottomLegend();
    EXPECT_EQ(server.plot()->axisTitle(QwtPlot::xBottom).text(), "X");
    server.changeLeftLegend();
    EXPECT_EQ(server.plot()->axisTitle(QwtPlot::yLeft).text(), "Y");
    ASSERT_EQ(prompt->calls.size(), 3u);
    EXPECT_EQ(prompt->calls[0].title, "PLOT TITLE");
    EXPECT_EQ(prompt->calls[0].label, "Title:");
    EXPECT_EQ(prompt->calls[0].choices, QStringList{"Kurvo"});
    EXPECT_EQ(prompt->calls[1].title, "PLOT BOTTOM TITLE");
    EXPECT_EQ(prompt->calls[2].title, "PLOT LEFT TITLE");
}

// At the initial size no label, check box or spin box of the tool panel is cut short, on
// any of its tabs; the pictures of each tab land in the build folder for a look without a
// window system.
TEST_F(PlotServerUiTest, ToolPanelTextsAreNeverClipped)
{
    server.resize(1337, 951);
    server.toolShow(true);
    auto* tabs = child<QTabWidget>("plotTab");
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        QCoreApplication::processEvents();
        server.grab().save(QStringLiteral("tool-panel-%1.png").arg(page));
        QWidget* shown = tabs->widget(page);
        for (QWidget* widget : shown->findChildren<QWidget*>()) {
            if (!widget->isVisible() || !(qobject_cast<QLabel*>(widget) || qobject_cast<QCheckBox*>(widget)
                                          || qobject_cast<QAbstractSpinBox*>(widget)))
                continue;
            EXPECT_GE(widget->width(), widget->minimumSizeHint().width())
                << tabs->tabText(page).toStdString() << ": " << widget->objectName().toStdString();
            EXPECT_GE(widget->width(), widget->sizeHint().width())
                << tabs->tabText(page).toStdString() << ": " << widget->objectName().toStdString();
        }
    }
}

// Open and Save from the keyboard, also while the tool panel is hidden.
TEST_F(PlotServerUiTest, ControlOAndControlSAskForFiles)
{
    QApplication::setActiveWindow(&server);
    QTest::keyClick(&server, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(&server, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(prompt->count("openFileNames"), 1);
    EXPECT_EQ(prompt->count("saveFileNameWithFilter"), 1);
}

} // namespace
