#include "ImportedData.h"
#include "PlotServerFixture.h"
#include "QStringPrinter.h"
#include "TimePicker.h"
#include "TimeScaleDraw.h"
#include "TimeSpinBox.h"
#include "Zoomer.h"

#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include <qwt_plot.h>
#include <qwt_scale_draw.h>
#include <qwt_scale_engine.h>

namespace {

// 2024-03-01T12:00:00Z
const double kNoon = 1709294400.0;
const double kDay = 86400.0;

class TimeAxisTest : public PlotServerFixture<>
{
protected:
    TimeAxisTest()
    {
        server.resize(800, 600);
        server.show();
    }

    void loadTimes(double first, double step, int count)
    {
        ImportedData data;
        data.title = "t";
        data.xIsTime = true;
        ImportedData::Column y;
        for (int i = 0; i < count; ++i) {
            data.x << first + i * step;
            y << double(i);
        }
        data.y.push_back(y);
        data.range = DataRange::of(data.x.constData(), y.constData(), std::size_t(count));
        server.loadFrom(-1, "times", "t", [&data] { return data; });
    }

    bool showsDates() const { return dynamic_cast<const TimeScaleDraw*>(bottomDraw()) != nullptr; }
    const QwtScaleDraw* bottomDraw() const { return server.plot()->axisScaleDraw(QwtPlot::xBottom); }
    QStringList bottomLabels() const
    {
        QStringList labels;
        for (double tick : server.plot()->axisScaleDiv(QwtPlot::xBottom).ticks(QwtScaleDiv::MajorTick))
            labels << bottomDraw()->label(tick).text();
        return labels;
    }
    TimeSpinBox* field(const char* name) const { return server.findChild<TimeSpinBox*>(name); }
    QString tracked(const QPointF& pos) const { return server.bottomLeftZoomer()->trackerTextF(pos).text(); }
};

struct Span {
    double step;
    int count;
    const char* label;
};

// Ticks a day or more apart show dates, minutes apart the time to the second with the date
// under it, years apart the year alone. Two months once fitted their ticks without end: ten
// weekly dates do not fit, five months do, and ten ticks fit their narrower labels.
TEST_F(TimeAxisTest, LabelsFollowTheSpan)
{
    const Span rows[] = {
        {kDay, 21, "^2024-03-\\d\\d$"},
        {kDay, 60, "^2024-0[345]-\\d\\d$"},
        {60.0, 11, "^12:\\d\\d:00\\n2024-03-01$"},
        {365.0 * kDay, 30, "^20\\d\\d$"},
    };
    for (const Span& row : rows) {
        loadTimes(kNoon, row.step, row.count);
        ASSERT_TRUE(showsDates());
        const QStringList labels = bottomLabels();
        ASSERT_GE(labels.size(), 2) << row.label;
        for (const QString& label : labels)
            EXPECT_TRUE(QRegularExpression(row.label).match(label).hasMatch()) << label.toStdString();
    }
}

TEST_F(TimeAxisTest, RangeFieldsShowAndTakeDates)
{
    loadTimes(kNoon, 60.0, 11);
    TimeSpinBox* start = field("horStartSB");
    EXPECT_TRUE(start->timeMode());
    EXPECT_EQ(start->text(), "2024-03-01 12:00:00");
    EXPECT_EQ(field("horStopSB")->text(), "2024-03-01 12:10:00");
    EXPECT_DOUBLE_EQ(start->value(), kNoon);

    start->setFocus();
    start->selectAll();
    QTest::keyClicks(start, "2024-03-01 12:02:30.5");
    QTest::keyClick(start, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(start->value(), kNoon + 150.5);
    EXPECT_DOUBLE_EQ(server.plot()->axisScaleDiv(QwtPlot::xBottom).lowerBound(), kNoon + 150.5);
    EXPECT_EQ(start->text(), "2024-03-01 12:02:30.500");

    // Seconds typed as a number count too.
    start->selectAll();
    QTest::keyClicks(start, "1709294460");
    QTest::keyClick(start, Qt::Key_Return);
    EXPECT_EQ(start->text(), "2024-03-01 12:01:00");
}

TEST_F(TimeAxisTest, TrackersShowDateAndTime)
{
    loadTimes(kNoon, kDay, 3);
    EXPECT_EQ(tracked(QPointF(kNoon + 0.25, 2.5)), "2024-03-01 12:00:00, 2.5000");
    auto* picker = server.plot()->canvas()->findChild<TimePicker*>();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->trackerTextF(QPointF(kNoon, 1)).text(), "2024-03-01 12:00:00, 1.0000");

    // Under a minute in view, the milliseconds count.
    server.setHorizRange(kNoon, kNoon + 59.0);
    EXPECT_EQ(tracked(QPointF(kNoon + 0.25, 2.5)), "2024-03-01 12:00:00.250, 2.5000");
}

// A script curve's x are numbers, so the axis shows numbers until it goes again.
TEST_F(TimeAxisTest, ACurveOfNumbersBesideTurnsTheAxisToNumbers)
{
    loadTimes(kNoon, kDay, 3);
    const double x[] = {0.0, 1.0};
    const double y[] = {5.0, 6.0};
    server.createPlot(-1, "f(y)", 2, x, y, false, 0);
    EXPECT_FALSE(showsDates());
    EXPECT_EQ(bottomDraw()->label(1.0).text(), "1");
    EXPECT_FALSE(field("horStartSB")->timeMode());
    EXPECT_EQ(field("horStartSB")->text(), "0.000");
    EXPECT_EQ(tracked(QPointF(0.5, 1.0)), "0.5000, 1.0000");

    server.deletePlot(1);
    EXPECT_TRUE(showsDates());
    EXPECT_TRUE(field("horStopSB")->timeMode());
}

TEST_F(TimeAxisTest, TransformsUndoAndLogarithmicScale)
{
    loadTimes(kNoon, 60.0, 8);
    server.applyDFT();
    EXPECT_FALSE(showsDates());
    server.undo();
    EXPECT_TRUE(showsDates());

    server.logXaxysSlot(true);
    EXPECT_FALSE(showsDates());
    EXPECT_NE(dynamic_cast<const QwtLogScaleEngine*>(server.plot()->axisScaleEngine(QwtPlot::xBottom)), nullptr);
    server.logXaxysSlot(false);
    EXPECT_TRUE(showsDates());
    EXPECT_TRUE(field("horStartSB")->timeMode());

    server.setHorCalibration(100.0);
    EXPECT_FALSE(showsDates());
}

} // namespace
