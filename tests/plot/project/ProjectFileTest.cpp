#include "ProjectJson.h"
#include "ProjectReader.h"
#include "ProjectState.h"
#include "ProjectWriter.h"
#include "QStringPrinter.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <zip.h>

#include <csignal>
#include <cstring>
#include <functional>
#include <limits>

#include <sys/resource.h>

namespace {

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();
// A value whose eight bytes are easy to find in a file.
const double kMarkerValue = 1234.5678;

ProjectState sampleState()
{
    ProjectState state;
    state.title = QStringLiteral("Spectrum µV²/Hz");
    state.xTitle = QStringLiteral("f [Hz]");
    state.yTitle = QStringLiteral("\"quoted\"\nline");
    state.calibration = 0.1;
    state.userCalibration = 1e-300;
    state.calibrationSetByUser = true;
    state.fftWindow = 10;
    state.markers[2] = {true, -2.5};
    state.script = QStringLiteral("iterate 3\nexpr = x\n");
    ProjectCurve first;
    first.id = 3;
    first.name = QStringLiteral("f(y)");
    first.x = {0, 1, 2, 3};
    first.y = {kMarkerValue, kNaN, -kInf, std::numeric_limits<double>::denorm_min()};
    first.symbolStyle = 14;
    first.curveStyle = -1;
    first.penStyle = 5;
    ProjectCurve empty;
    empty.id = 0;
    empty.rightAxis = true;
    state.curves = {first, empty};
    state.currentCurve = 3;
    state.nextCurve = 7;
    return state;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool sameBits(const QVector<double>& a, const QVector<double>& b)
{
    return a.size() == b.size() && std::memcmp(a.constData(), b.constData(), std::size_t(a.size()) * 8) == 0;
}

class ProjectFileTest : public ::testing::Test
{
protected:
    QString path(const char* name) const { return folder.filePath(QLatin1String(name)); }

    QByteArray written(const ProjectState& state)
    {
        QString error;
        EXPECT_TRUE(ProjectWriter::write(path("written.kurvo"), state, error)) << error.toStdString();
        return fileBytes(path("written.kurvo"));
    }

    // An archive of exactly these entries, stored, as any ZIP tool would make it.
    QByteArray zipOf(const std::vector<std::pair<QString, QByteArray>>& entries)
    {
        const QByteArray name = QFile::encodeName(path("made.zip"));
        int code = 0;
        zip_t* archive = zip_open(name.constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
        for (const auto& [entry, bytes] : entries) {
            zip_source_t* source = zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
            zip_file_add(archive, entry.toUtf8().constData(), source, 0);
        }
        EXPECT_EQ(zip_close(archive), 0);
        return fileBytes(path("made.zip"));
    }

    QTemporaryDir folder;
};

TEST_F(ProjectFileTest, EveryFieldAndEverySampleComesBackBitForBit)
{
    const ProjectState state = sampleState();
    ProjectState read;
    QString error;
    ASSERT_TRUE(ProjectReader::read(written(state), QStringLiteral("p.kurvo"), read, error)) << error.toStdString();
    EXPECT_EQ(ProjectJson::describe(read), ProjectJson::describe(state));
    ASSERT_EQ(read.curves.size(), 2u);
    EXPECT_TRUE(sameBits(read.curves[0].x, state.curves[0].x));
    EXPECT_TRUE(sameBits(read.curves[0].y, state.curves[0].y));
    EXPECT_TRUE(read.curves[1].y.isEmpty());
    EXPECT_EQ(read.script, state.script);
    EXPECT_TRUE(read.markers[2].shown);
    EXPECT_EQ(read.userCalibration, 1e-300);
}

// 16 bytes a point and a small overhead; the samples lie in the file as they are in memory.
TEST_F(ProjectFileTest, SamplesAreStoredRawLittleEndianSixteenBytesAPoint)
{
    ProjectState state;
    ProjectCurve curve;
    curve.x.fill(kMarkerValue, 100000);
    curve.y.fill(-1.0, 100000);
    state.curves = {curve};
    const QByteArray bytes = written(state);
    EXPECT_LE(bytes.size(), 16 * 100000 + 8192);
    const char little[8] = {char(0xad), char(0xfa), 0x5c, 0x6d, 0x45, 0x4a, char(0x93), 0x40};
    EXPECT_TRUE(bytes.contains(QByteArray(little, 8).repeated(1000)));
}

TEST_F(ProjectFileTest, AFileThatCannotBeOpenedSaysSo)
{
    ProjectState read;
    QString error;
    EXPECT_FALSE(ProjectReader::readFile(path("absent.kurvo"), read, error));
    EXPECT_EQ(error, QStringLiteral("Kurvo: Can't open file %1").arg(path("absent.kurvo")));
}

// ---- damaged, truncated and foreign files ------------------------------------------------

struct Damage {
    const char* name;
    std::function<QByteArray(const QByteArray&)> damage;
    const char* reason;
};

QByteArray flipAt(QByteArray bytes, const QByteArray& found)
{
    const int at = bytes.indexOf(found);
    if (at >= 0)
        bytes[at + 1] = char(bytes[at + 1] ^ 0x01);
    return bytes;
}

const QByteArray kMarkerBytes(reinterpret_cast<const char*>(&kMarkerValue), 8);

const Damage kDamages[] = {
    {"Empty", [](const QByteArray&) { return QByteArray(); }, "(the file is empty)"},
    {"TruncatedToHalf", [](const QByteArray& b) { return b.left(b.size() / 2); }, "Not a zip archive"},
    {"CutInTheDirectoryEnd", [](const QByteArray& b) { return b.left(b.size() - 5); }, "Not a zip archive"},
    {"SampleByteFlipped", [](const QByteArray& b) { return flipAt(b, kMarkerBytes); }, "CRC error"},
    {"DescriptionByteFlipped", [](const QByteArray& b) { return flipAt(b, "\"title\""); }, "CRC error"},
    {"AnotherFileRenamed", [](const QByteArray&) { return QByteArray("x,y\n1,2\n3,4\n"); }, "Not a zip archive"},
};

void PrintTo(const Damage& row, std::ostream* out) { *out << row.name; }

class DamagedProjectTest : public ProjectFileTest, public ::testing::WithParamInterface<Damage>
{
};

TEST_P(DamagedProjectTest, IsRefusedWithItsReasonAndLeavesTheStateAlone)
{
    ProjectState kept;
    kept.title = QStringLiteral("kept");
    QString error;
    const QByteArray damaged = GetParam().damage(written(sampleState()));
    ASSERT_NE(damaged, written(sampleState()));
    EXPECT_FALSE(ProjectReader::read(damaged, QStringLiteral("d.kurvo"), kept, error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Kurvo: d.kurvo is not a Kurvo project ("))) << error.toStdString();
    EXPECT_TRUE(error.contains(QLatin1String(GetParam().reason))) << error.toStdString();
    EXPECT_EQ(kept.title, QStringLiteral("kept"));
    EXPECT_TRUE(kept.curves.empty());
}

INSTANTIATE_TEST_SUITE_P(Bytes, DamagedProjectTest, ::testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- descriptions that are wrong in a field ----------------------------------------------

struct WrongField {
    const char* name;
    std::function<void(QJsonObject&)> change;
    const char* reason;
};

QJsonObject firstCurve(const QJsonObject& top)
{
    return top[QStringLiteral("curves")].toArray()[0].toObject();
}

void setFirstCurve(QJsonObject& top, const char* key, const QJsonValue& value)
{
    QJsonArray curves = top[QStringLiteral("curves")].toArray();
    QJsonObject curve = curves[0].toObject();
    curve[QLatin1String(key)] = value;
    curves[0] = curve;
    top[QStringLiteral("curves")] = curves;
}

const WrongField kWrongFields[] = {
    {"FutureVersion", [](QJsonObject& t) { t[QStringLiteral("format")] = 2; }, "(made by a newer Kurvo (format 2))"},
    {"NoFormat", [](QJsonObject& t) { t.remove(QStringLiteral("format")); }, "(format is missing)"},
    {"TextForNumber", [](QJsonObject& t) { setFirstCurve(t, "sampleRate", "fast"); },
     "(curves[0].sampleRate is not a number)"},
    {"MorePointsThanTheEntryHolds", [](QJsonObject& t) { setFirstCurve(t, "points", 5); },
     "(curves/3/x.f64 holds 32 bytes, not the 40 of 5 points)"},
    {"FractionalPoints", [](QJsonObject& t) { setFirstCurve(t, "points", 3.5); }, "curves[0].points is 3.5"},
    {"PointsBeyondACurve", [](QJsonObject& t) { setFirstCurve(t, "points", 1e12); }, "curves[0].points is 1e+12"},
    {"UnknownSymbol", [](QJsonObject& t) { setFirstCurve(t, "symbol", QJsonObject{{"style", "heart"}}); },
     "curves[0].symbol.style is \"heart\""},
    {"BadColour", [](QJsonObject& t) { setFirstCurve(t, "pen", QJsonObject{{"color", "#ff00zz00"}}); },
     "curves[0].pen.color is \"#ff00zz00\""},
    {"RepeatedIdentifier", [](QJsonObject& t) { setFirstCurve(t, "id", 0); }, "repeats the identifier 0"},
    {"SharedEntry", [](QJsonObject& t) { setFirstCurve(t, "y", firstCurve(t)[QStringLiteral("x")]); },
     "names an entry that is not its own"},
    {"MissingEntry", [](QJsonObject& t) { setFirstCurve(t, "x", "elsewhere.f64"); }, "no entry elsewhere.f64"},
    {"UnknownWindow", [](QJsonObject& t) { t[QStringLiteral("fftWindow")] = "Kaiser"; }, "fftWindow is \"Kaiser\""},
    {"NegativeWidth",
     [](QJsonObject& t) { setFirstCurve(t, "pen", QJsonObject{{"color", "#ff000000"}, {"width", -1}}); },
     "curves[0].pen.width is -1, not from 0 to 100"},
    {"MarkersTooFew",
     [](QJsonObject& t) {
         QJsonObject peaks = t[QStringLiteral("peaks")].toObject();
         peaks[QStringLiteral("markers")] = QJsonArray{1.0};
         t[QStringLiteral("peaks")] = peaks;
     },
     "peaks.markers has 1 entries, not 4"},
};

void PrintTo(const WrongField& row, std::ostream* out) { *out << row.name; }

class WrongFieldTest : public ProjectFileTest, public ::testing::WithParamInterface<WrongField>
{
};

TEST_P(WrongFieldTest, IsRefusedNamingTheField)
{
    const ProjectState state = sampleState();
    QJsonObject top = QJsonDocument::fromJson(ProjectJson::describe(state)).object();
    GetParam().change(top);
    const ProjectCurve& curve = state.curves[0];
    const QByteArray x(reinterpret_cast<const char*>(curve.x.constData()), curve.x.size() * 8);
    const QByteArray y(reinterpret_cast<const char*>(curve.y.constData()), curve.y.size() * 8);
    const QByteArray bytes = zipOf({{QStringLiteral("project.json"), QJsonDocument(top).toJson()},
                                    {QStringLiteral("curves/3/x.f64"), x},
                                    {QStringLiteral("curves/3/y.f64"), y},
                                    {QStringLiteral("curves/0/x.f64"), QByteArray()},
                                    {QStringLiteral("curves/0/y.f64"), QByteArray()}});
    ProjectState read;
    QString error;
    EXPECT_FALSE(ProjectReader::read(bytes, QStringLiteral("w.kurvo"), read, error));
    EXPECT_TRUE(error.contains(QLatin1String(GetParam().reason))) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Description, WrongFieldTest, ::testing::ValuesIn(kWrongFields),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProjectFileTest, AZipWithoutADescriptionIsNoProject)
{
    ProjectState read;
    QString error;
    EXPECT_FALSE(ProjectReader::read(zipOf({{QStringLiteral("readme.txt"), "hello"}}), "z.zip", read, error));
    EXPECT_EQ(error, QStringLiteral("Kurvo: z.zip is not a Kurvo project (it holds no entry project.json)"));
}

// ---- replacing a project ------------------------------------------------------------------

// A file size limit stands in for a disk that fills up during the write.
TEST_F(ProjectFileTest, AWriteThatFailsLeavesTheLastGoodProjectAndNoTemporary)
{
    const QByteArray good = written(sampleState());
    ProjectState big;
    ProjectCurve curve;
    curve.x.fill(1.0, 200000);
    curve.y.fill(2.0, 200000);
    big.curves = {curve};

    struct rlimit before;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = before;
    small.rlim_cur = 1 << 20;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool wrote = ProjectWriter::write(path("written.kurvo"), big, error);
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(wrote);
    EXPECT_TRUE(error.startsWith(QStringLiteral("Kurvo: Can't write file %1: ").arg(path("written.kurvo"))))
        << error.toStdString();
    EXPECT_EQ(fileBytes(path("written.kurvo")), good);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("written.kurvo")});
}

TEST_F(ProjectFileTest, AStateThatWouldNotReadBackIsRefusedBeforeAnythingIsWritten)
{
    const QByteArray good = written(sampleState());
    ProjectState odd = sampleState();
    odd.curves[0].symbolStyle = 15;
    QString error;
    EXPECT_FALSE(ProjectWriter::write(path("written.kurvo"), odd, error));
    EXPECT_TRUE(error.contains(QLatin1String("the plot cannot be described: curves[0].symbol.style")))
        << error.toStdString();
    EXPECT_EQ(fileBytes(path("written.kurvo")), good);
}

} // namespace
