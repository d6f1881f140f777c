#include "CalcParser.h"
#include "CalcPluginRegistry.h"
#include "CalcTempFolder.h"
#include "CalcTestErrors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include <dlfcn.h>

namespace {

const std::string exampleId = "{4C1D7A52-93E8-4F60-B2A1-5D7E0C9F3B84}";
const std::string operatorId = "{A1000000-0000-4000-8000-000000000001}";
const std::string oldVersionId = "{A1000000-0000-4000-8000-000000000002}";
const std::string conflictId = "{A1000000-0000-4000-8000-000000000003}";
const std::string unusableId = "{A1000000-0000-4000-8000-000000000004}";
const std::string nullEntryId = "{A1000000-0000-4000-8000-000000000005}";
const std::string noEntryId = "{A1000000-0000-4000-8000-000000000006}";
const std::string missingFileId = "{A1000000-0000-4000-8000-000000000007}";
const std::string notALibraryId = "{A1000000-0000-4000-8000-000000000008}";
const std::string unregisteredId = "{A1000000-0000-4000-8000-000000000009}";

// Every test plug-in registered in a registry of the test's own, the one the
// engine reads while the fixture lives.
class CalcPluginTest : public ::testing::Test {
protected:
    CalcPluginTest()
    {
        folder.write("not-a-library.so", "plain text");
        registry = folder.write("calc-plugins",
                                "# Plug-ins of the engine's tests\n"
                                "\n"
                                "{4c1d7a52-93e8-4f60-b2a1-5d7e0c9f3b84}  " KURVO_EXAMPLE_PLUGIN "\n"
                                + operatorId + "\t" CALC_TEST_PLUGIN_OPERATOR "\n"
                                + oldVersionId + " " CALC_TEST_PLUGIN_OLD_VERSION "\n"
                                + conflictId + " " CALC_TEST_PLUGIN_CONFLICT "\n"
                                + unusableId + " " CALC_TEST_PLUGIN_UNUSABLE "\n"
                                + nullEntryId + " " CALC_TEST_PLUGIN_NULL_ENTRY "\n"
                                + noEntryId + " " CALC_TEST_PLUGIN_NO_ENTRY "\n"
                                + missingFileId + " absent/libnothing.so\n"
                                + notALibraryId + " not-a-library.so\r\n");
        setenv(CalcPluginRegistry::pathVariable, registry.c_str(), 1);
    }
    ~CalcPluginTest() override { unsetenv(CalcPluginRegistry::pathVariable); }

    CalcTempFolder folder;
    std::string registry;
};

bool isLoaded(const char* library)
{
    void* handle = dlopen(library, RTLD_LAZY | RTLD_NOLOAD);
    if (handle)
        dlclose(handle);
    return handle != nullptr;
}

TEST_F(CalcPluginTest, ExamplePluginAddsAFunctionAndAConstant)
{
    CalcParser parser;
    double x = 0.0;
    parser.defineVar("x", &x);
    parser.loadPlugin(exampleId);
    EXPECT_EQ(parser.evaluate("sinc(0)+c0/299792458"), 2.0);
    parser.compile("sinc(x)");
    x = 2.0;
    EXPECT_DOUBLE_EQ(parser.evaluate(), std::sin(2.0) / 2.0);
    x = -1.0;
    EXPECT_DOUBLE_EQ(parser.evaluate(), std::sin(1.0));
}

TEST_F(CalcPluginTest, OperatorsOfAPluginTakePartInParsing)
{
    CalcParser parser;
    parser.loadPlugin("{a1000000-0000-4000-8000-000000000001}");
    EXPECT_EQ(parser.evaluate("1+3#4*2"), 11.0) << "# binds as tightly as *";
    EXPECT_EQ(parser.evaluate("kt#3"), 5.0);
}

TEST_F(CalcPluginTest, LibrariesThatCannotServeAreNotFound)
{
    const std::string refused[] = {"{A1000000}", "A1000000-0000-4000-8000-000000000001", "",
                                   "{A1000000-0000-4000-8000-00000000000G}", unregisteredId, missingFileId,
                                   notALibraryId, noEntryId, nullEntryId, unusableId};
    for (const std::string& classId : refused) {
        CalcParser parser;
        const std::uint32_t functions = parser.funcCount();
        const CalcError error = thrownBy([&] { parser.loadPlugin(classId); });
        EXPECT_EQ(identifierOf(error), "CALCDEFEXCEP_PluginNotFound") << classId;
        EXPECT_EQ(error.record(0).data.valueOf("itemName"), classId);
        EXPECT_EQ(parser.funcCount(), functions) << classId;
    }
}

TEST_F(CalcPluginTest, OnlyVersion14IsLoaded)
{
    CalcParser parser;
    const CalcError error = thrownBy([&] { parser.loadPlugin(oldVersionId); });
    EXPECT_EQ(identifierOf(error), "CALCDEFEXCEP_PluginVersion");
    EXPECT_EQ(error.record(0).data.valueOf("itemName"), oldVersionId);
    EXPECT_EQ(error.record(0).data.valueOf("conflictItemName"), "14");
    EXPECT_EQ(error.record(0).data.valueOf("param1"), "13");
}

TEST_F(CalcPluginTest, ConflictingPluginChainsTheDefinitionErrorAndDefinesNothing)
{
    CalcParser parser;
    const std::uint32_t constants = parser.constCount();
    const std::uint32_t operators = parser.opCount();
    const std::uint32_t functions = parser.funcCount();
    const CalcError error = thrownBy([&] { parser.loadPlugin(conflictId); });
    ASSERT_EQ(error.count(), 2u);
    EXPECT_EQ(error.record(0).data.identifier(), "CALCDEFEXCEP_PluginDefConflict");
    EXPECT_EQ(error.record(0).data.valueOf("itemName"), conflictId);
    EXPECT_EQ(error.record(1).data.identifier(), "CALCDEFEXCEP_FuncAlreadyDefined");
    EXPECT_EQ(error.record(1).data.valueOf("itemName"), "sin");
    EXPECT_EQ(parser.constCount(), constants);
    EXPECT_EQ(parser.opCount(), operators);
    EXPECT_EQ(parser.funcCount(), functions);
    EXPECT_EQ(identifierOf(thrownBy([&] { parser.compile("kt"); })), "CALCPARSINGEXCEP_UndefinedVar");

    parser.loadPlugin(operatorId);
    EXPECT_EQ(identifierOf(thrownBy([&] { parser.loadPlugin(operatorId); })), "CALCDEFEXCEP_PluginDefConflict")
        << "loading a plug-in twice";
}

TEST_F(CalcPluginTest, UnreadableRegistryIsAMissingTypeLibrary)
{
    const std::string absent = folder.path() + "/absent-registry";
    setenv(CalcPluginRegistry::pathVariable, absent.c_str(), 1);
    CalcParser parser;
    const CalcError error = thrownBy([&] { parser.loadPlugin(exampleId); });
    EXPECT_EQ(identifierOf(error), "CALCDEFEXCEP_PluginTypeLibNotFound");
    EXPECT_EQ(error.record(0).data.valueOf("itemName"), absent);
}

// The library stays loaded while any engine holds an item it gave.
TEST_F(CalcPluginTest, LibraryIsUnloadedWithTheLastEngineThatHoldsIt)
{
    ASSERT_FALSE(isLoaded(KURVO_EXAMPLE_PLUGIN));
    auto original = std::make_unique<CalcParser>();
    original->loadPlugin(exampleId);
    EXPECT_TRUE(isLoaded(KURVO_EXAMPLE_PLUGIN));
    original->compile("sinc(0)*2");
    auto copy = std::make_unique<CalcParser>(*original);
    original.reset();
    EXPECT_TRUE(isLoaded(KURVO_EXAMPLE_PLUGIN));
    EXPECT_EQ(copy->evaluate(), 2.0);
    EXPECT_EQ(copy->evaluate("sinc(0)+c0*0"), 1.0);
    copy.reset();
    EXPECT_FALSE(isLoaded(KURVO_EXAMPLE_PLUGIN));
}

TEST_F(CalcPluginTest, LoadAllPluginsLoadsThePluginsItsInfoFilesAnnounce)
{
    CalcParser parser;
    parser.loadAllPlugins(KURVO_EXAMPLES_CALC_DIR, "*.xml");
    EXPECT_EQ(parser.evaluate("sinc(0)"), 1.0);
}

TEST_F(CalcPluginTest, LoadAllPluginsGoesOnPastFailuresAndReportsThemAll)
{
    const auto pluginInfo = [](const std::string& classId) {
        return "<calcLibraryInfo version=\"1\"><library name=\"p\" type=\"plugin\" classId=\"" + classId
            + "\"/></calcLibraryInfo>";
    };
    CalcTempFolder plugins;
    plugins.write("a-old.xml", pluginInfo(oldVersionId));
    const std::string broken = plugins.write("b-broken.xml", "<calcLibraryInfo version=\"1\"><library");
    plugins.write("c-example.xml", pluginInfo(exampleId));
    plugins.write("d-library.xml", "<calcLibraryInfo version=\"1\"><library name=\"l\" type=\"library\"/>"
                                   "</calcLibraryInfo>");
    plugins.write("sub/e-operator.xml", pluginInfo(operatorId));

    CalcParser parser;
    const CalcError error = thrownBy([&] { parser.loadAllPlugins(plugins.path(), "*.xml"); });
    ASSERT_EQ(error.count(), 2u);
    EXPECT_EQ(error.record(1).data.identifier(), "CALCDEFEXCEP_PluginVersion");
    EXPECT_EQ(error.record(0).data.identifier(), "CALCLOCEXCEP_InfoFileOpenFailed");
    EXPECT_EQ(error.record(0).data.valueOf("itemName"), broken);
    EXPECT_EQ(parser.evaluate("sinc(0)+3#4"), 6.0);
}

} // namespace
