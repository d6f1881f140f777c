#include "QStringPrinter.h"
#include "derive/FilterSpec.h"

#include <gtest/gtest.h>

namespace {

struct Parsed {
    const char* text;
    const char* suffix;
};

void PrintTo(const Parsed& p, std::ostream* out) { *out << p.text; }

class FilterSpecTest : public ::testing::TestWithParam<Parsed>
{
};

// What --filter reads, and what the new curve's name adds.
TEST_P(FilterSpecTest, ReadsTheOptionAndNamesTheCurve)
{
    FilterSpec spec;
    QString error;
    ASSERT_TRUE(FilterSpec::parse(GetParam().text, spec, error)) << error.toStdString();
    EXPECT_EQ(spec.suffix(), QString(GetParam().suffix));
}

INSTANTIATE_TEST_SUITE_P(
    Options, FilterSpecTest,
    ::testing::Values(Parsed{"mean,5", "mean 5 points"}, Parsed{"median, 7", "median 7 points"},
                      Parsed{"savgol,11,3", "savgol 11 points order 3"}, Parsed{"lowpass,100", "lowpass 100 Hz"},
                      Parsed{"lowpass,100,4", "lowpass 100 Hz"}, Parsed{"highpass,0.5,2", "highpass 0.5 Hz order 2"},
                      Parsed{"bandpass,10,20.5", "bandpass 10-20.5 Hz"}, Parsed{"derivative", "derivative"},
                      Parsed{"Integral", "integral"}, Parsed{"resample,0.001", "resample 0.001"},
                      Parsed{"detrend,linear", "detrend linear"}, Parsed{"detrend,mean", "detrend mean"}));

class FilterSpecRefusalTest : public ::testing::TestWithParam<const char*>
{
};

TEST_P(FilterSpecRefusalTest, RefusesWithTheFormItTakes)
{
    FilterSpec spec;
    QString error;
    EXPECT_FALSE(FilterSpec::parse(GetParam(), spec, error));
    EXPECT_FALSE(error.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Refusals, FilterSpecRefusalTest,
                         ::testing::Values("mean", "mean,0", "mean,2.5", "median,5,1", "savgol,5", "lowpass",
                                           "lowpass,-1", "lowpass,nan", "bandpass,10", "derivative,1",
                                           "resample,0", "detrend,cubic", "smooth,5", ""));

TEST(FilterSpecMessageTest, TheMessagesSayWhatWouldDo)
{
    FilterSpec spec;
    QString error;
    FilterSpec::parse("lowpass,x", spec, error);
    EXPECT_EQ(error, "lowpass takes lowpass,F[,ORDER]: lowpass,x");
    FilterSpec::parse("smooth", spec, error);
    EXPECT_TRUE(error.startsWith("no operation is called smooth; the operations are mean,W  median,W")) << error.toStdString();
}

// The runs reach the numerics with the sampling frequency; resampling alone gives new x.
TEST(FilterSpecRunTest, EachKindGivesACurve)
{
    const std::vector<double> x = {0, 0.001, 0.002, 0.003, 0.004, 0.005, 0.006};
    const std::vector<double> y = {1, 2, 3, 4, 5, 6, 7};
    for (const QString& name : FilterSpec::names()) {
        FilterSpec spec;
        spec.kind = FilterSpec::Kind(FilterSpec::names().indexOf(name));
        spec.window = 3;
        spec.order = 2;
        spec.low = 100;
        spec.high = 200;
        spec.step = 0.002;
        const FilterSpec::Output out = spec.run(x.data(), y.data(), x.size(), 1000, 100);
        EXPECT_EQ(out.x.size(), spec.newX() ? 4u : 0u) << name.toStdString();
        EXPECT_EQ(out.y.size(), spec.newX() ? 4u : 7u) << name.toStdString();
        EXPECT_EQ(spec.byFrequency(), name.endsWith("pass")) << name.toStdString();
    }
}

} // namespace
