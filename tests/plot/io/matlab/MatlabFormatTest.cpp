#include "../ScientificReaders.h"
#include "ColumnEquality.h"
#include "ImportedX.h"
#include "ImportFormats.h"
#include "QStringPrinter.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <matio.h>
#include <sndfile.h>

namespace {

ImportedData soundReader(const QString&, const QString& name, bool)
{
    ImportedData data;
    data.title = name;
    data.log << "sound";
    return data;
}

class MatlabFormatTest : public ::testing::TestWithParam<mat_ft>
{
protected:
    void SetUp() override
    {
        ImportFormats::setPartFormat(".mat", scientificReaders().matlab);
        ImportFormats::setAudioReader(soundReader);
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override { ImportFormats::setAudioReader(nullptr); }

    // A row vector, a 3 × 2 matrix of 16-bit integers, a complex vector and a text.
    QString writeMat(mat_ft version) const
    {
        const QString name = dir.filePath("data.mat");
        mat_t* mat = Mat_CreateVer(QFile::encodeName(name).constData(), nullptr, version);
        double y[4] = {1, 2, 3, 4};
        std::size_t row[2] = {1, 4};
        matvar_t* variable = Mat_VarCreate("y", MAT_C_DOUBLE, MAT_T_DOUBLE, 2, row, y, 0);
        Mat_VarWrite(mat, variable, MAT_COMPRESSION_NONE);
        Mat_VarFree(variable);
        short m[6] = {0, 1, 2, 10, 20, 30};
        std::size_t matrix[2] = {3, 2};
        variable = Mat_VarCreate("M", MAT_C_INT16, MAT_T_INT16, 2, matrix, m, 0);
        Mat_VarWrite(mat, variable, MAT_COMPRESSION_NONE);
        Mat_VarFree(variable);
        double re[2] = {1, 2};
        double im[2] = {3, 4};
        mat_complex_split_t z = {re, im};
        std::size_t pair[2] = {2, 1};
        variable = Mat_VarCreate("z", MAT_C_DOUBLE, MAT_T_DOUBLE, 2, pair, &z, MAT_F_COMPLEX);
        Mat_VarWrite(mat, variable, MAT_COMPRESSION_NONE);
        Mat_VarFree(variable);
        Mat_Close(mat);
        return name;
    }

    static ImportedData read(const QString& file, const QString& part)
    {
        return ImportFormats::partFormatFor(file)->read(file, part, "data", false, {});
    }

    QTemporaryDir dir;
};

TEST_P(MatlabFormatTest, VectorsAndMatricesOfEveryLevel)
{
    const QString file = writeMat(GetParam());
    std::vector<DataPart> parts;
    QString reason;
    ASSERT_TRUE(ImportFormats::partFormatFor(file)->parts(file, parts, reason));
    QStringList listed;
    for (const DataPart& part : parts)
        listed << part.name + ' ' + part.shape;
    listed.sort();
    EXPECT_EQ(listed, QStringList({"M 3 × 2", "y 1 × 4"}));

    const ImportedData y = read(file, "y");
    ASSERT_EQ(y.y.size(), 1u) << y.log.join('\n').toStdString();
    EXPECT_TRUE(xOf(y) == std::vector<double>({0, 1, 2, 3}));
    EXPECT_TRUE(y.y[0] == std::vector<double>({1, 2, 3, 4}));
    const ImportedData m = read(file, "M");
    ASSERT_EQ(m.y.size(), 1u);
    EXPECT_EQ(m.curveTitles, QStringList{"M(:,2)"});
    EXPECT_TRUE(m.x == std::vector<double>({0, 1, 2}));
    EXPECT_TRUE(m.y[0] == std::vector<double>({10, 20, 30}));
    EXPECT_EQ(read(file, "z").log, QStringList{"Kurvo: Can't read " + file + ":z (z is no real numeric vector or matrix)"});
    EXPECT_EQ(read(file, "w").log, QStringList{"Kurvo: Can't read " + file + ":w (there is no variable w)"});
}

INSTANTIATE_TEST_SUITE_P(Levels, MatlabFormatTest, ::testing::Values(MAT_FT_MAT4, MAT_FT_MAT5, MAT_FT_MAT73));

// The sound library claims .mat too: its own files, and the files matio does not read, go to
// the audio reader; the others never do.
TEST_F(MatlabFormatTest, SoundFilesGoToTheAudioReader)
{
    const QString sound = dir.filePath("sound.mat");
    SF_INFO info = {};
    info.samplerate = 8000;
    info.channels = 1;
    info.format = SF_FORMAT_MAT5 | SF_FORMAT_DOUBLE;
    SNDFILE* out = sf_open(QFile::encodeName(sound).constData(), SFM_WRITE, &info);
    ASSERT_NE(out, nullptr);
    const double samples[3] = {0.1, 0.2, 0.3};
    sf_write_double(out, samples, 3);
    sf_close(out);
    QFile text(dir.filePath("text.mat"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a MATLAB file at all\n");
    text.close();
    for (const QString& file : {sound, text.fileName()}) {
        std::vector<DataPart> parts;
        QString reason;
        EXPECT_TRUE(ImportFormats::partFormatFor(file)->parts(file, parts, reason));
        EXPECT_TRUE(parts.empty()) << file.toStdString();
        EXPECT_EQ(read(file, QString()).log, QStringList{"sound"});
    }
    EXPECT_NE(read(writeMat(MAT_FT_MAT5), QString()).log, QStringList{"sound"});
}

} // namespace
