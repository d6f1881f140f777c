#include "vxKurvo.h"

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

TEST(vxKurvoTest, NewButtonAsksForANewPlotOnce)
{
    vxKurvo plot;
    plot.begin("Kurvo", "X", "Y", "");
    QSignalSpy spy(&plot, &vxKurvo::newPlotRequest);
    // The tool panel, New among its buttons, is built as it is first shown.
    plot.findChild<QToolButton*>("showMenuTB")->click();
    auto* button = plot.findChild<QToolButton*>("plotNewTB");
    ASSERT_NE(button, nullptr);
    button->click();
    EXPECT_EQ(spy.count(), 1);
}

TEST(vxKurvoTest, CurvesCountsAutomaticIdentifiers)
{
    vxKurvo plot;
    plot.begin("Kurvo", "X", "Y", "");
    EXPECT_EQ(plot.curves(), 0);
    double x[] = {0, 1};
    double y[] = {2, 3};
    for (int i = 0; i < 3; ++i)
        plot.createPlot(-1, "f(y)", 2, x, y, i == 1, 0);
    EXPECT_EQ(plot.curves(), 3);
    plot.deletePlot(1);
    EXPECT_EQ(plot.curves(), 3);
}

TEST(vxKurvoTest, FacadeHoldsThePlotServerAsItsOnlyChildWidget)
{
    vxKurvo plot;
    EXPECT_STREQ(plot.metaObject()->className(), "vxKurvo");
    const auto children = plot.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(children.size(), 1);
    EXPECT_EQ(children[0]->objectName(), "PlotServer");
}

} // namespace
