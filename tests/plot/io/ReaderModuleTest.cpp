#include "DataFormats.h"
#include "ImportFormats.h"
#include "PartFormat.h"
#include "QStringPrinter.h"
#include "ReaderModule.h"

#include <gtest/gtest.h>

namespace {

TEST(ReaderModuleTest, BesideTheProgramThenInTheLibraryFolders)
{
    const QStringList installed = ReaderModule::places(QString());
    ASSERT_EQ(installed.size(), 1);
    EXPECT_TRUE(installed[0].startsWith('/') && installed[0].endsWith("/kurvo/kurvo-readers.so")) << installed[0].toStdString();
    const QStringList places = ReaderModule::places("/opt/k/bin");
    ASSERT_EQ(places.size(), 3);
    EXPECT_EQ(places[0], "/opt/k/bin/kurvo-readers.so");
    EXPECT_TRUE(places[1].startsWith("/opt/k/") && !places[1].contains("..") && places[1].endsWith("/kurvo/kurvo-readers.so"))
        << places[1].toStdString();
    EXPECT_EQ(places[2], installed[0]);
}

// The build puts the module beside this test: the refusal comes from the HDF5 reader itself.
TEST(ReaderModuleTest, TheProgramsReadersLoadTheModuleOnFirstUse)
{
    DataFormats::registerReaders();
    std::vector<DataPart> parts;
    QString reason;
    EXPECT_FALSE(ImportFormats::partFormatFor("none.h5")->parts("none.h5", parts, reason));
    EXPECT_EQ(reason, "not an HDF5 file");
    QString problem;
    EXPECT_NE(ReaderModule::table(problem), nullptr) << problem.toStdString();
}

} // namespace
