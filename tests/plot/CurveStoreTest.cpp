#include "CurveStore.h"
#include "EvenSeriesData.h"

#include "../host/AddressSpaceLimit.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <qwt_plot.h>
#include <qwt_plot_curve.h>

#include <cstring>
#include <limits>
#include <tuple>
#include <new>
#include <vector>

namespace {

class CurveStoreTest : public ::testing::Test
{
protected:
    int add(int id, std::vector<double> y, const QString& title = "c")
    {
        std::vector<double> x(y.size());
        for (std::size_t i = 0; i < x.size(); ++i)
            x[i] = double(i);
        store.startAt(id);
        const int added = store.nextId();
        store.add(title, x.data(), y.data(), y.size(), 0);
        return added;
    }

    int drawn() const { return plot.itemList(QwtPlotItem::Rtti_PlotCurve).size(); }

    QwtPlot plot;
    CurveStore store{&plot};
};

TEST_F(CurveStoreTest, IdentifiersAndDefaultColours)
{
    EXPECT_EQ(add(-1, {1}), 0);
    EXPECT_EQ(add(-1, {1}), 1);
    EXPECT_EQ(store.currentId(), 1);
    EXPECT_EQ(store.find(1)->curve->pen().color(), QColor(Qt::darkBlue));
    EXPECT_EQ(add(5, {1}), 5);
    EXPECT_EQ(store.nextId(), 6);
    EXPECT_EQ(store.find(5)->curve->pen().color(), QColor(Qt::darkMagenta));
    EXPECT_EQ(store.find(3), nullptr);
    EXPECT_EQ(store.find(-1), nullptr);
    EXPECT_EQ(store.defaultColor(16), QColor(Qt::darkRed));
}

// A curve stored again under its identifier leaves the plot; that is no removal.
TEST_F(CurveStoreTest, AddingUnderAStoredIdentifierReplacesTheCurve)
{
    QSignalSpy removed(&store, &CurveStore::curveRemoved);
    add(-1, {1, 2});
    add(0, {3, 4, 5}, "again");
    EXPECT_EQ(drawn(), 1);
    EXPECT_EQ(store.records().size(), 1u);
    EXPECT_EQ(store.find(0)->curve->title().text(), "again");
    EXPECT_EQ(removed.count(), 0);
}

// Memory that runs out while the samples are copied leaves the store and the plot as they
// were: the curve stored under that identifier is still there, and nothing half-made is drawn.
TEST_F(CurveStoreTest, CopyThatMemoryCannotHoldChangesNothing)
{
    add(-1, {1, 2});
    store.startAt(0);
    // 40 million points need twice 320 MB; the arrays are never read, as the copy cannot
    // even be made.
    const double few[] = {1, 2};
    {
        AddressSpaceLimit limit(128ull << 20);
        if (!limit.isActive())
            GTEST_SKIP() << "the address space cannot be capped here";
        EXPECT_THROW(store.add("huge", few, few, 40000000, 0), std::bad_alloc);
    }
    EXPECT_EQ(drawn(), 1);
    ASSERT_NE(store.find(0), nullptr);
    EXPECT_EQ(store.find(0)->curve->title().text(), "c");
    EXPECT_EQ(store.find(0)->curve->dataSize(), 2u);
    EXPECT_EQ(store.nextId(), 0);
}

TEST_F(CurveStoreTest, RemovingTheLastCurveRestartsTheNumbering)
{
    QSignalSpy removed(&store, &CurveStore::curveRemoved);
    add(-1, {1});
    add(-1, {2});
    EXPECT_FALSE(store.remove(7));
    EXPECT_TRUE(store.remove(0));
    EXPECT_EQ(store.nextId(), 2);
    EXPECT_EQ(store.currentId(), -1);
    EXPECT_TRUE(store.remove(1));
    EXPECT_TRUE(store.isEmpty());
    EXPECT_EQ(store.nextId(), 0);
    EXPECT_EQ(drawn(), 0);
    EXPECT_EQ(removed.count(), 2);
}

TEST_F(CurveStoreTest, StatisticsAndRangeFollowTheSamples)
{
    const double inf = std::numeric_limits<double>::infinity();
    const int id = add(-1, {1, 2, 3, 4});
    const CurveRecord* r = store.find(id);
    EXPECT_EQ(r->samples, 4u);
    EXPECT_EQ(r->amount, 10);
    EXPECT_EQ(store.rangeOf(id).xMax, 3);

    const double x[] = {10, 20, 30};
    const double y[] = {-1, inf, 7};
    store.setSamples(id, x, y, 3);
    EXPECT_EQ(r->samples, 3u);
    EXPECT_EQ(r->maximum, inf);
    EXPECT_EQ(store.rangeOf(id).xMin, 10);
    EXPECT_EQ(store.rangeOf(id).yMax, 7);
    EXPECT_EQ(r->curve->dataSize(), 3u);

    store.setSamples(id, nullptr, nullptr, 0);
    EXPECT_EQ(r->samples, 0u);
    EXPECT_FALSE(store.rangeOf(id).xFound);
    EXPECT_FALSE(store.rangeOf(42).yFound);
}

TEST_F(CurveStoreTest, SpreadXKeepsYAndSkipsEmptyCurves)
{
    const int four = add(-1, {5, 6, 7, 8});
    const int empty = add(-1, {});
    store.spreadX(1000);
    const QwtPlotCurve* curve = store.find(four)->curve;
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(curve->sample(i).x(), 250.0 * i);
        EXPECT_EQ(curve->sample(i).y(), 5.0 + i);
    }
    EXPECT_EQ(store.rangeOf(four).xMax, 750);
    EXPECT_EQ(store.find(empty)->curve->dataSize(), 0u);
}

// x held as a start and a step reads back as the array it stands for, with the same figures.
TEST_F(CurveStoreTest, EvenlySpacedXReadsBackAsItsArray)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const QVector<double> y{4, nan, -2, 9, 1};
    const EvenX steps{-0.0, -0.25};
    QVector<double> x;
    for (int i = 0; i < y.size(); ++i)
        x << double(i) * -0.25;
    const int even = store.nextId();
    store.add("even", steps, y, 0);
    const int arrays = store.nextId();
    store.add("arrays", x, y, 0);

    QVector<double> evenX;
    QVector<double> evenY;
    ASSERT_TRUE(store.samples(even, evenX, evenY));
    EXPECT_EQ(std::memcmp(evenX.constData(), x.constData(), sizeof(double) * std::size_t(x.size())), 0);
    EXPECT_EQ(evenY.constData(), y.constData());
    const CurveRecord& a = *store.find(even);
    const CurveRecord& b = *store.find(arrays);
    EXPECT_EQ(std::tie(a.samples, a.gaps, a.minimum, a.maximum, a.mean, a.sigma),
              std::tie(b.samples, b.gaps, b.minimum, b.maximum, b.mean, b.sigma));
    const DataRange ra = store.rangeOf(even);
    const DataRange rb = store.rangeOf(arrays);
    EXPECT_EQ(std::tie(ra.xMin, ra.xMax, ra.yMin, ra.yMax), std::tie(rb.xMin, rb.xMax, rb.yMin, rb.yMax));
    EXPECT_EQ(a.curve->boundingRect(), b.curve->boundingRect());

    // New y alone keeps x as a start and a step.
    store.setY(even, QVector<double>{1, 2, 3, 4, 5});
    EXPECT_NE(dynamic_cast<const EvenSeriesData*>(a.curve->data()), nullptr);
    EXPECT_EQ(a.maximum, 5);
    EXPECT_EQ(store.rangeOf(even).xMin, -1);
}

// A caller numbered 2 before 1 itself: the numbering goes on at 2, which is taken.
TEST_F(CurveStoreTest, AddingUnderAFreeIdentifierPassesCurvesNumberedByACaller)
{
    add(0, {1});
    add(2, {2});
    add(1, {3});
    const QVector<double> x{0, 1};
    const QVector<double> y{5, 6};
    EXPECT_EQ(store.addUnderFreeId("new", x, y, 1, true), 3);
    EXPECT_EQ(store.currentId(), 3);
    EXPECT_EQ(CurveStore::titleOf(*store.find(3)), "new");
    EXPECT_EQ(store.find(3)->rightAxis, 1);
    EXPECT_TRUE(store.find(3)->xIsTime);
    EXPECT_EQ(store.find(2)->maximum, 2);
    EXPECT_EQ(store.addUnderFreeId("next", x, y, 0, false), 4);
}

TEST_F(CurveStoreTest, TitlesRepeatSoTheLowestIdentifierAnswers)
{
    EXPECT_EQ(store.findByTitle("f(y)"), -1);
    add(-1, {1}, "g");
    add(-1, {1}, "f(y)");
    add(-1, {1}, "f(y)");
    EXPECT_EQ(store.findByTitle("f(y)"), 1);
    EXPECT_EQ(store.findByTitle("F(y)"), -1);
    EXPECT_EQ(store.idOf(store.find(2)->curve), 2);
    QwtPlotCurve stranger;
    EXPECT_EQ(store.idOf(&stranger), -1);
}

} // namespace
