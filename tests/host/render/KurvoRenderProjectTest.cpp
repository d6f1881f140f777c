#include "KurvoRenderFixture.h"
#include "ProjectReader.h"
#include "ProjectState.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

namespace {

const QString kExamples = QStringLiteral(KURVO_EXAMPLES_DIR "/");

// kurvo-render's projects, run as a user runs the program.
class KurvoRenderProjectTest : public KurvoRenderFixture
{
protected:
    ProjectState read(const char* name)
    {
        ProjectState state;
        QString error;
        EXPECT_TRUE(ProjectReader::readFile(path(name), state, error)) << error.toStdString();
        return state;
    }

    // A script, a data file and settings of every kind the options reach.
    const QStringList work = {kExamples + "damped-oscillation.ms", kExamples + "scope-export.csv",
                              "--title",   "Bench",
                              "--window",  "Hann",
                              "--calibrate", "1000",
                              "--select",  "1",
                              "--symbol",  "Diamond,7,red,blue",
                              "--style",   "Sticks",
                              "--log-y",   "--units", "ms",
                              "--range",   "0,600,0.001,2",
                              "--peaks",   "0.1,0,subtract"};
};

TEST_F(KurvoRenderProjectTest, AProjectDrawsExactlyWhatTheOptionsThatMadeItDrew)
{
    const Outcome made = render(work + QStringList{"-o", path("direct.png"), "--dump", path("direct.csv"),
                                                   "--save-project", path("work.kurvo")});
    ASSERT_EQ(made.status, 0) << made.err.toStdString();
    const Outcome opened = render({path("work.kurvo"), "-o", path("opened.png"), "--dump", path("opened.csv")});
    ASSERT_EQ(opened.status, 0) << opened.err.toStdString();
    EXPECT_TRUE(contents("opened.csv") == contents("direct.csv"));
    const QImage a(path("direct.png"));
    ASSERT_FALSE(a.isNull());
    EXPECT_TRUE(a == QImage(path("opened.png")));
}

// The script text goes with the project, and the options after a project act on it.
TEST_F(KurvoRenderProjectTest, TheScriptIsKeptAndLaterOptionsApply)
{
    ASSERT_EQ(render(work + QStringList{"--save-project", path("work.kurvo")}).status, 0);
    const Outcome again = render({path("work.kurvo"), "--title", "Later", "--save-project", path("later.kurvo")});
    ASSERT_EQ(again.status, 0) << again.err.toStdString();
    QFile script(kExamples + "damped-oscillation.ms");
    ASSERT_TRUE(script.open(QIODevice::ReadOnly));
    const ProjectState later = read("later.kurvo");
    EXPECT_EQ(later.script, QString::fromUtf8(script.readAll()));
    EXPECT_EQ(later.title, QStringLiteral("Later"));
    EXPECT_EQ(later.curves.size(), read("work.kurvo").curves.size());
    EXPECT_EQ(later.curves[1].symbolStyle, 2);
    EXPECT_EQ(later.unit, QStringLiteral("ms"));
    EXPECT_TRUE(later.logY);
}

TEST_F(KurvoRenderProjectTest, ADamagedProjectIsBadInput)
{
    QFile file(path("bad.kurvo"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("PK\x03\x04 not really");
    file.close();
    const Outcome run = render({path("bad.kurvo"), "-o", path("bad.png")});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("kurvo-render: %1 is not a Kurvo project (").arg(path("bad.kurvo"))))
        << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("bad.png")));
}

TEST_F(KurvoRenderProjectTest, AProjectThatCannotBeWrittenIsBadInput)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken.kurvo")));
    const Outcome run = render({kExamples + "sine.ms", "--save-project", path("taken.kurvo")});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, QStringLiteral("kurvo-render: Can't write file %1: it is a folder\n").arg(path("taken.kurvo")));
}

} // namespace
