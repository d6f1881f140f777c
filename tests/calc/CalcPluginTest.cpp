#include "CalcFifo.h"
#include "CalcParser.h"
#include "CalcPluginRegistry.h"
#include "CalcTempFolder.h"
#include "CalcTestErrors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <dlfcn.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

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
    EXPECT_EQ(identifierOf(thrownBy([&] { parser.defineMacro("f(a#b)", "1", ""); })),
              "CALCDEFEXCEP_VarNameDelimConflict")
        << "an argument name holding the operator";
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

// A refused file gives the usual record, and behind it the record that says why.
void expectRefusal(const CalcError& error, const std::string& identifier, const std::string& itemName,
                   const std::string& file, const std::string& reason)
{
    ASSERT_EQ(error.count(), 2u) << file;
    EXPECT_EQ(error.record(0).data.identifier(), identifier) << file;
    EXPECT_EQ(error.record(0).data.valueOf("itemName"), itemName) << file;
    EXPECT_EQ(error.record(1).data.identifier(), "CALCDEFEXCEP_PluginFileRefused") << file;
    EXPECT_EQ(error.record(1).data.valueOf("itemName"), file);
    EXPECT_EQ(error.record(1).data.valueOf("param1"), reason) << file;
}

const char* const worldWritable = "others can write to it";
const char* const notRegular = "it is not a regular file";
const char* const foreignOwner = "it belongs to neither you nor root";

TEST_F(CalcPluginTest, RegistriesThatOthersCouldHaveWrittenAreRefused)
{
    const std::string writable = folder.write("writable-registry", operatorId + " " CALC_TEST_PLUGIN_OPERATOR "\n");
    ASSERT_EQ(chmod(writable.c_str(), 0666), 0);
    const std::string asFolder = folder.path() + "/folder-registry";
    std::filesystem::create_directory(asFolder);
    const std::pair<std::string, const char*> rows[] = {{writable, worldWritable}, {asFolder, notRegular}};
    for (const auto& [registry, reason] : rows) {
        setenv(CalcPluginRegistry::pathVariable, registry.c_str(), 1);
        CalcParser parser;
        expectRefusal(thrownBy([&] { parser.loadPlugin(operatorId); }), "CALCDEFEXCEP_PluginTypeLibNotFound",
                      registry, registry, reason);
        EXPECT_FALSE(isLoaded(CALC_TEST_PLUGIN_OPERATOR));
    }
}

TEST_F(CalcPluginTest, LibrariesThatOthersCouldHaveWrittenAreRefused)
{
    const std::string library = folder.path() + "/libwritable.so";
    std::filesystem::copy_file(CALC_TEST_PLUGIN_OPERATOR, library);
    ASSERT_EQ(chmod(library.c_str(), 0666), 0);
    folder.write("calc-plugins", operatorId + " libwritable.so\n");
    CalcParser parser;
    expectRefusal(thrownBy([&] { parser.loadPlugin(operatorId); }), "CALCDEFEXCEP_PluginNotFound", operatorId,
                  library, worldWritable);
    EXPECT_FALSE(isLoaded(library.c_str()));
}

TEST_F(CalcPluginTest, FilesOfAnotherUserAreRefused)
{
    const std::string library = folder.path() + "/libforeign.so";
    std::filesystem::copy_file(CALC_TEST_PLUGIN_OPERATOR, library);
    const std::string registry = folder.write("foreign-registry", operatorId + " " CALC_TEST_PLUGIN_OPERATOR "\n");
    const uid_t nobody = 65534;
    if (chown(library.c_str(), nobody, nobody) != 0 || chown(registry.c_str(), nobody, nobody) != 0)
        GTEST_SKIP() << "giving files away needs root";
    folder.write("calc-plugins", operatorId + " libforeign.so\n");
    CalcParser parser;
    expectRefusal(thrownBy([&] { parser.loadPlugin(operatorId); }), "CALCDEFEXCEP_PluginNotFound", operatorId,
                  library, foreignOwner);
    setenv(CalcPluginRegistry::pathVariable, registry.c_str(), 1);
    expectRefusal(thrownBy([&] { parser.loadPlugin(operatorId); }), "CALCDEFEXCEP_PluginTypeLibNotFound",
                  registry, registry, foreignOwner);
}

// Opening a FIFO for reading waits for a writer; the loader must not open one at all.
TEST_F(CalcPluginTest, FifosAreRefusedWithoutWaiting)
{
    const CalcFifo library(folder.path() + "/libfifo.so");
    const CalcFifo registry(folder.path() + "/fifo-registry");
    folder.write("calc-plugins", operatorId + " libfifo.so\n");
    const std::pair<const CalcFifo*, const char*> rows[] = {{&library, "CALCDEFEXCEP_PluginNotFound"},
                                                            {&registry, "CALCDEFEXCEP_PluginTypeLibNotFound"}};
    for (const auto& [fifo, identifier] : rows) {
        if (fifo == &registry)
            setenv(CalcPluginRegistry::pathVariable, registry.path().c_str(), 1);
        bool waited = false;
        const CalcError error = fifo->runGuarded(
            [] {
                CalcParser parser;
                return thrownBy([&] { parser.loadPlugin(operatorId); });
            },
            waited);
        EXPECT_FALSE(waited) << fifo->path();
        expectRefusal(error, identifier, fifo == &registry ? registry.path() : operatorId, fifo->path(),
                      notRegular);
    }
}

TEST_F(CalcPluginTest, LoadAllPluginsPassesOverAFifoNamedLikeAnInfoFile)
{
    CalcTempFolder plugins;
    const CalcFifo fifo(plugins.path() + "/a-fifo.xml");
    plugins.write("b-example.xml", "<calcLibraryInfo version=\"1\"><library name=\"p\" type=\"plugin\" classId=\""
                                       + exampleId + "\"/></calcLibraryInfo>");
    CalcParser parser;
    bool waited = false;
    const CalcError error
        = fifo.runGuarded([&] { return thrownBy([&] { parser.loadAllPlugins(plugins.path(), "*.xml"); }); }, waited);
    EXPECT_FALSE(waited);
    ASSERT_EQ(error.count(), 1u);
    EXPECT_EQ(identifierOf(error), "CALCLOCEXCEP_InfoFileOpenFailed");
    EXPECT_EQ(error.record(0).data.valueOf("itemName"), fifo.path());
    EXPECT_EQ(parser.evaluate("sinc(0)"), 1.0);
}

// The per-user registry follows the XDG rule, and the registry the engine reads
// never depends on the current folder: relative settings would make it take
// whatever registry and libraries that folder holds.
class CalcPluginRegistryPathTest : public ::testing::Test {
protected:
    CalcPluginRegistryPathTest()
        : startFolder(std::filesystem::current_path())
    {
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", CalcPluginRegistry::pathVariable})
            if (const char* value = std::getenv(name))
                saved.emplace_back(name, value);
        std::filesystem::current_path(folder.path());
        for (const char* registry : {"kurvo/calc-plugins", ".config/kurvo/calc-plugins", "cfg/kurvo/calc-plugins"})
            folder.write(registry, operatorId + " " CALC_TEST_PLUGIN_OPERATOR "\n");
    }
    ~CalcPluginRegistryPathTest() override
    {
        std::filesystem::current_path(startFolder);
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", CalcPluginRegistry::pathVariable})
            unsetenv(name);
        for (const auto& [name, value] : saved)
            setenv(name.c_str(), value.c_str(), 1);
    }

    static void set(const char* name, const char* value)
    {
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }

    static std::string accountHome()
    {
        const passwd* account = getpwuid(getuid());
        return account && account->pw_dir ? account->pw_dir : "";
    }

    std::filesystem::path startFolder;
    std::vector<std::pair<std::string, std::string>> saved;
    CalcTempFolder folder;
};

TEST_F(CalcPluginRegistryPathTest, RelativeSettingsNeverNameTheCurrentFolder)
{
    struct Row {
        const char* registry;
        const char* config;
        const char* home;
        std::string expected;
    };
    const std::string here = folder.path();
    const std::string account = accountHome() + "/.config/kurvo/calc-plugins";
    const Row rows[] = {
        {"reg/calc", "/xdg", "/home/a", here + "/reg/calc"},
        {nullptr, "/xdg", "/home/a", "/xdg/kurvo/calc-plugins"},
        {nullptr, "cfg", "/home/a", "/home/a/.config/kurvo/calc-plugins"},
        {nullptr, ".", "/home/a", "/home/a/.config/kurvo/calc-plugins"},
        {nullptr, "", "/home/a", "/home/a/.config/kurvo/calc-plugins"},
        {nullptr, nullptr, ".", account},
        {nullptr, "cfg", "", account},
        {nullptr, nullptr, nullptr, account},
    };
    for (const Row& row : rows) {
        set(CalcPluginRegistry::pathVariable, row.registry);
        set("XDG_CONFIG_HOME", row.config);
        set("HOME", row.home);
        EXPECT_EQ(CalcPluginRegistry::path(), row.expected)
            << (row.config ? row.config : "(unset)") << " " << (row.home ? row.home : "(unset)");
    }
}

TEST_F(CalcPluginRegistryPathTest, RegistriesInTheCurrentFolderAreNotLoaded)
{
    const std::string home = folder.path() + "/empty-home";
    std::filesystem::create_directory(home);
    const std::pair<const char*, const char*> rows[] = {{".", home.c_str()}, {"cfg", home.c_str()}};
    for (const auto& [config, homeFolder] : rows) {
        unsetenv(CalcPluginRegistry::pathVariable);
        set("XDG_CONFIG_HOME", config);
        set("HOME", homeFolder);
        CalcParser parser;
        const CalcError error = thrownBy([&] { parser.loadPlugin(operatorId); });
        EXPECT_EQ(identifierOf(error), "CALCDEFEXCEP_PluginTypeLibNotFound") << config;
        EXPECT_EQ(error.record(0).data.valueOf("itemName"), home + "/.config/kurvo/calc-plugins");
        EXPECT_FALSE(isLoaded(CALC_TEST_PLUGIN_OPERATOR)) << config;
    }
}

} // namespace
