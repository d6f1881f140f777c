#include "../PartListing.h"
#include "../ScientificReaders.h"
#include "ColumnEquality.h"
#include "ImportedX.h"
#include "ImportFormats.h"
#include "QStringPrinter.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <netcdf.h>

#include <limits>

namespace {

const double kGap = std::numeric_limits<double>::quiet_NaN();

// A time series as climate files hold it: a coordinate variable "time", a temperature over it
// with a unit and a fill value, packed pressures, and a 2-D grid.
class NetcdfFormatTest : public ::testing::TestWithParam<int>
{
protected:
    void SetUp() override
    {
        ImportFormats::setPartFormat(".nc", scientificReaders().netcdf);
        ASSERT_TRUE(dir.isValid());
        file = dir.filePath("series.nc");
        int nc = 0;
        ASSERT_EQ(nc_create(QFile::encodeName(file).constData(), NC_CLOBBER | GetParam(), &nc), NC_NOERR);
        int time = 0;
        int cell = 0;
        nc_def_dim(nc, "time", 3, &time);
        nc_def_dim(nc, "column", 2, &cell);
        int t = 0;
        int temperature = 0;
        int pressure = 0;
        int grid = 0;
        nc_def_var(nc, "time", NC_DOUBLE, 1, &time, &t);
        nc_put_att_text(nc, t, "units", 1, "s");
        nc_def_var(nc, "temp", NC_FLOAT, 1, &time, &temperature);
        nc_put_att_text(nc, temperature, "units", 1, "K");
        const float fill = -999;
        nc_put_att_float(nc, temperature, "_FillValue", NC_FLOAT, 1, &fill);
        nc_def_var(nc, "pressure", NC_SHORT, 1, &time, &pressure);
        const double scale = 0.5;
        const double offset = 1000;
        nc_put_att_double(nc, pressure, "scale_factor", NC_DOUBLE, 1, &scale);
        nc_put_att_double(nc, pressure, "add_offset", NC_DOUBLE, 1, &offset);
        const int dims[2] = {time, cell};
        nc_def_var(nc, "grid", NC_INT, 2, dims, &grid);
        nc_enddef(nc);
        const double times[3] = {10, 20, 30};
        const float temperatures[3] = {280, -999, 282};
        const short packed[3] = {0, 2, 4};
        const int cells[6] = {1, 5, 2, 6, 3, 7};
        nc_put_var_double(nc, t, times);
        nc_put_var_float(nc, temperature, temperatures);
        nc_put_var_short(nc, pressure, packed);
        nc_put_var_int(nc, grid, cells);
        nc_close(nc);
    }

    ImportedData read(const QString& part) const
    {
        return ImportFormats::partFormatFor(file)->read(file, part, "series", false, {});
    }

    QTemporaryDir dir;
    QString file;
};

TEST_P(NetcdfFormatTest, VariablesOverTheirCoordinate)
{
    EXPECT_EQ(listedParts(file), QStringList({"time 3 0", "temp 3 1", "pressure 3 1", "grid 3 × 2 1"}));

    const ImportedData temperature = read("temp");
    ASSERT_EQ(temperature.y.size(), 1u) << temperature.log.join('\n').toStdString();
    EXPECT_EQ(temperature.curveTitles, QStringList{"temp [K]"});
    EXPECT_TRUE(temperature.x == std::vector<double>({10, 20, 30}));
    EXPECT_TRUE(temperature.y[0] == std::vector<double>({280, kGap, 282}));
    EXPECT_TRUE(read("pressure").y.at(0) == std::vector<double>({1000, 1001, 1002}));
    EXPECT_TRUE(xOf(read("time")) == std::vector<double>({0, 1, 2})) << "a coordinate is not its own x";
    const ImportedData grid = read("grid");
    EXPECT_TRUE(grid.x == std::vector<double>({1, 2, 3}));
    EXPECT_TRUE(grid.y.at(0) == std::vector<double>({5, 6, 7}));
    EXPECT_EQ(read("rain").log, QStringList{"Kurvo: Can't read " + file + ":rain (there is no variable rain)"});
    EXPECT_EQ(read(QString()).curveTitles, QStringList{"temp [K]"});
}

INSTANTIATE_TEST_SUITE_P(ClassicAndNetcdf4, NetcdfFormatTest, ::testing::Values(0, NC_NETCDF4));

TEST_P(NetcdfFormatTest, DamagedFilesAreRefused)
{
    QFile cut(file);
    ASSERT_TRUE(cut.resize(cut.size() / 2));
    const ImportedData refused = read("grid");
    EXPECT_TRUE(refused.y.empty());
    EXPECT_TRUE(refused.log.value(0).startsWith("Kurvo: Can't read " + file + ":grid (")) << refused.log.value(0).toStdString();
}

} // namespace
