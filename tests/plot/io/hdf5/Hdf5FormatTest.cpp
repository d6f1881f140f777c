#include "../PartListing.h"
#include "../ScientificReaders.h"
#include "ColumnEquality.h"
#include "ImportedX.h"
#include "ImportFormats.h"
#include "PointLimit.h"
#include "QStringPrinter.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <hdf5.h>
#include <hdf5_hl.h>

namespace {

// A file as acquisition software writes it: a signal with its unit over an attached time
// scale, a 2-D table in a group, a text dataset and a 3-D one that are not drawn.
class Hdf5FormatTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ImportFormats::setPartFormat(".h5", scientificReaders().hdf5);
        ASSERT_TRUE(dir.isValid());
        file = dir.filePath("run.h5");
        const hid_t h5 = H5Fcreate(QFile::encodeName(file).constData(), H5F_ACC_TRUNC, H5P_DEFAULT, H5P_DEFAULT);
        const double signal[4] = {1, 2, 3, 4};
        const double time[4] = {0, 0.5, 1, 1.5};
        const int table[3][3] = {{0, 10, 20}, {1, 11, 21}, {2, 12, 22}};
        const float cube[2][2][2] = {};
        const hsize_t four[1] = {4};
        const hsize_t square[2] = {3, 3};
        const hsize_t cubic[3] = {2, 2, 2};
        H5LTmake_dataset_double(h5, "/signal", 1, four, signal);
        H5LTmake_dataset_double(h5, "/time", 1, four, time);
        H5LTset_attribute_string(h5, "/signal", "units", "mV");
        const hid_t s = H5Dopen2(h5, "/signal", H5P_DEFAULT);
        const hid_t t = H5Dopen2(h5, "/time", H5P_DEFAULT);
        H5DSset_scale(t, "time");
        H5DSattach_scale(s, t, 0);
        H5Dclose(s);
        H5Dclose(t);
        H5Gclose(H5Gcreate2(h5, "/scan", H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT));
        H5LTmake_dataset_int(h5, "/scan/table", 2, square, &table[0][0]);
        H5LTmake_dataset_string(h5, "/note", "text");
        H5LTmake_dataset_float(h5, "/cube", 3, cubic, &cube[0][0][0]);
        H5Fclose(h5);
    }

    ImportedData read(const QString& part, const TableOptions& options = {}) const
    {
        return ImportFormats::partFormatFor(file)->read(file, part, "run", false, options);
    }

    QTemporaryDir dir;
    QString file;
};

TEST_F(Hdf5FormatTest, PartsAreTheNumericDataSetsWithTheRootOnesByDefault)
{
    EXPECT_EQ(listedParts(file), QStringList({"/scan/table 3 × 3 0", "/signal 4 1", "/time 4 0"}));
}

TEST_F(Hdf5FormatTest, OneDataSetOverItsScaleOrColumnsOfATable)
{
    const ImportedData signal = read("/signal");
    ASSERT_EQ(signal.y.size(), 1u) << signal.log.join('\n').toStdString();
    EXPECT_EQ(signal.curveTitles, QStringList{"signal [mV]"});
    EXPECT_TRUE(signal.x == std::vector<double>({0, 0.5, 1, 1.5}));
    EXPECT_TRUE(signal.y[0] == std::vector<double>({1, 2, 3, 4}));
    EXPECT_TRUE(xOf(read("time")) == std::vector<double>({0, 1, 2, 3})) << "a path without its leading slash";

    const ImportedData table = read("/scan/table");
    ASSERT_EQ(table.y.size(), 2u);
    EXPECT_EQ(table.curveTitles, QStringList({"table[1]", "table[2]"}));
    EXPECT_TRUE(table.x == std::vector<double>({0, 1, 2}));
    EXPECT_TRUE(table.y[1] == std::vector<double>({20, 21, 22}));
    TableOptions options;
    options.xColumn = "none";
    options.columns = QStringList{"3"};
    EXPECT_TRUE(read("/scan/table", options).y.at(0) == std::vector<double>({20, 21, 22}));
    EXPECT_TRUE(read(QString()).y.at(0) == std::vector<double>({1, 2, 3, 4})) << "the first root set by default";
}

TEST_F(Hdf5FormatTest, WhatCannotBeDrawnIsRefusedWithItsReason)
{
    const struct {
        const char* part;
        const char* line;
    } cases[] = {
        {"/none", "there is no dataset /none"},
        {"/note", "/note is no 1-D or 2-D numeric dataset"},
        {"/cube", "/cube is no 1-D or 2-D numeric dataset"},
        {"/scan", "/scan is no 1-D or 2-D numeric dataset"},
    };
    for (const auto& c : cases) {
        const ImportedData refused = read(c.part);
        EXPECT_TRUE(refused.y.empty());
        EXPECT_EQ(refused.log, QStringList{QStringLiteral("Kurvo: Can't read %1:%2 (%3)").arg(file, c.part, c.line)});
    }
}

// A set with more rows than a curve holds is refused before anything is read or allocated;
// its values are never written, so the file stays small.
TEST_F(Hdf5FormatTest, ASetLargerThanACurveIsRefused)
{
    const QString huge = dir.filePath("huge.h5");
    const hid_t h5 = H5Fcreate(QFile::encodeName(huge).constData(), H5F_ACC_TRUNC, H5P_DEFAULT, H5P_DEFAULT);
    const hsize_t rows[1] = {kMaxCurvePoints + 1};
    const hsize_t chunk[1] = {1024};
    const hid_t space = H5Screate_simple(1, rows, nullptr);
    const hid_t layout = H5Pcreate(H5P_DATASET_CREATE);
    H5Pset_chunk(layout, 1, chunk);
    H5Dclose(H5Dcreate2(h5, "/big", H5T_NATIVE_DOUBLE, space, H5P_DEFAULT, layout, H5P_DEFAULT));
    H5Pclose(layout);
    H5Sclose(space);
    H5Fclose(h5);
    const ImportedData refused = ImportFormats::partFormatFor(huge)->read(huge, "/big", "huge", false, {});
    EXPECT_TRUE(refused.y.empty());
    EXPECT_EQ(refused.log, QStringList{QStringLiteral("Kurvo: %1 points are more than one curve can hold.").arg(kMaxCurvePoints + 1)});
}

TEST_F(Hdf5FormatTest, DamagedFilesAreRefused)
{
    QFile cut(file);
    ASSERT_TRUE(cut.resize(cut.size() / 2));
    const ImportedData truncated = read("/scan/table");
    EXPECT_TRUE(truncated.y.empty());
    EXPECT_TRUE(truncated.log.value(0).startsWith("Kurvo: Can't read " + file)) << truncated.log.value(0).toStdString();
    QFile text(dir.filePath("text.h5"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("x,y\n1,2\n");
    text.close();
    std::vector<DataPart> parts;
    QString reason;
    EXPECT_FALSE(ImportFormats::partFormatFor(text.fileName())->parts(text.fileName(), parts, reason));
    EXPECT_EQ(reason, "not an HDF5 file");
}

} // namespace
