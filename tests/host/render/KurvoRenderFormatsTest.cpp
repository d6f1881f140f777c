#include "KurvoRenderFixture.h"

#include <QFile>

#include <gtest/gtest.h>

#include <hdf5.h>
#include <hdf5_hl.h>

namespace {

// kurvo-render on workbooks and scientific files, end to end: the parts named, the root data
// sets of an HDF5 file read without a picker, a table written as .xlsx and read back, and a
// damaged file refused with its reason.
class KurvoRenderFormatsTest : public KurvoRenderFixture
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // Two root sets, one of them 2-D, and one in a group, which is read only when named.
    QString writeHdf5()
    {
        const QString name = dir.filePath("run.h5");
        const hid_t file = H5Fcreate(QFile::encodeName(name).constData(), H5F_ACC_TRUNC, H5P_DEFAULT, H5P_DEFAULT);
        const double signal[3] = {1, 2, 4};
        const double table[2][2] = {{0, 5}, {1, 6}};
        const hsize_t three[1] = {3};
        const hsize_t square[2] = {2, 2};
        H5LTmake_dataset_double(file, "/signal", 1, three, signal);
        H5LTmake_dataset_double(file, "/table", 2, square, &table[0][0]);
        H5Gclose(H5Gcreate2(file, "/inner", H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT));
        H5LTmake_dataset_double(file, "/inner/hidden", 1, three, signal);
        H5Fclose(file);
        return name;
    }
};

TEST_F(KurvoRenderFormatsTest, ASheetNamedWithTheFile)
{
    const Outcome run = render({KURVO_WORKBOOK_DATA "/sample.ods:Dated", "--dump", "-"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "id,name,x,y\n0,level,1709294400,3\n0,level,1709294401.5,4\n");
}

TEST_F(KurvoRenderFormatsTest, AnHdf5FileNamedAloneGivesItsRootSets)
{
    const QString file = writeHdf5();
    const Outcome run = render({file, "--dump", "-"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "id,name,x,y\n0,signal,0,1\n0,signal,1,2\n0,signal,2,4\n1,table[1],0,5\n1,table[1],1,6\n");
    const Outcome inner = render({file + ":/inner/hidden", "--dump", "-"});
    EXPECT_EQ(inner.out, "id,name,x,y\n0,hidden,0,1\n0,hidden,1,2\n0,hidden,2,4\n");
}

TEST_F(KurvoRenderFormatsTest, TheTableWrittenAsXlsxReadsBack)
{
    const QString file = writeHdf5();
    const Outcome written = render({file + ":/signal", "-o", "table.xlsx"});
    ASSERT_EQ(written.status, 0) << written.err.toStdString();
    const Outcome back = render({"table.xlsx", "--dump", "-"});
    EXPECT_EQ(back.status, 0) << back.err.toStdString();
    EXPECT_EQ(back.out, "id,name,x,y\n0,signal,0,1\n0,signal,1,2\n0,signal,2,4\n");
}

TEST_F(KurvoRenderFormatsTest, DamagedFilesAreRefusedWithTheirReason)
{
    QFile text(dir.filePath("bad.xlsx"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("x,y\n1,2\n");
    text.close();
    const Outcome run = render({"bad.xlsx", "--dump", "-"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "kurvo-render: no curve could be read from bad.xlsx (Can't read bad.xlsx (not a ZIP archive))\n");
    const Outcome missing = render({writeHdf5() + ":/nothing", "--dump", "-"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.err.contains("(there is no dataset /nothing)")) << missing.err.toStdString();
}

TEST_F(KurvoRenderFormatsTest, HelpListsTheFormats)
{
    const Outcome help = render({"--help"});
    for (const char* filter : {"Excel workbook (*.xlsx)", "OpenDocument spreadsheet (*.ods)", "Excel 97-2003 workbook (*.xls)",
                               "HDF5 file (*.h5 *.hdf5 *.he5)", "Matlab (tm) File Format (*.mat)", "NetCDF file (*.nc *.nc4)"})
        EXPECT_TRUE(help.out.contains(filter)) << filter;
}

} // namespace
