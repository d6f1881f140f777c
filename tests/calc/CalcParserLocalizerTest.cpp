#include "CalcFifo.h"
#include "CalcParser.h"
#include "CalcParserInfo.h"
#include "CalcParserLocalizer.h"
#include "CalcTempFolder.h"
#include "CalcTestErrors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace {

const std::string examples = KURVO_EXAMPLES_CALC_DIR;

std::string contentOf(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// An info file with one locale holding the given records.
std::string infoFile(const std::string& locale, const std::string& records)
{
    return "<?xml version=\"1.0\"?>\n<calcLibraryInfo version=\"1\">\n"
           "  <library name=\"test\" type=\"library\"/>\n"
           "  <locale name=\"" + locale + "\">\n" + records + "\n  </locale>\n</calcLibraryInfo>\n";
}

CalcError undefinedY()
{
    CalcParser parser;
    return thrownBy([&] { parser.compile("2*y"); });
}

// The host's case: nothing registered, so every record falls back to English.
TEST(CalcParserLocalizerTest, WithoutInfoFilesUsersSeeTheEnglishDescriptions)
{
    const CalcParserLocalizer& localizer = CalcParserLocalizer::instance();
    const CalcError error = undefinedY();
    const CalcError lookup = thrownBy([&] { localizer.getExceptionMessage(error.record(0).data); });
    EXPECT_EQ(identifierOf(lookup), "CALCDEFEXCEP_ItemNotFound");
    EXPECT_EQ(lookup.record(0).data.valueOf("itemName"), "CALCPARSINGEXCEP_UndefinedVar");
    EXPECT_EQ(localizer.errorText(error), "Undefined variable: 'y'");

    CalcParser parser;
    const CalcError chain = thrownBy([&] { parser.defineMacro("f(a,a)", "a", ""); });
    EXPECT_EQ(localizer.errorText(chain), chain.text());
}

TEST(CalcParserLocalizerTest, SetLocaleReadsTheRegisteredFilesForIt)
{
    CalcParserLocalizer localizer;
    localizer.registerLibrary(examples + "/default-library.xml");
    EXPECT_EQ(localizer.functionInfoCount(), 0u) << "nothing is read before a locale is set";
    localizer.setLocale("de_DE");
    EXPECT_EQ(localizer.getLocale(), "de_DE");
    EXPECT_EQ(localizer.getExceptionMessage(undefinedY().record(0).data), "Unbekannte Variable: 'y'");

    CalcError chain;
    chain.addRecord(1, "CalcParserCompiler", undefinedY().record(0).data);
    chain.addRecord(2, "CalcParserMacroFunc", CalcExcepData("CALCDEFEXCEP_MacroProtoSyntax", {{"itemName", "f"}}));
    EXPECT_EQ(localizer.errorText(chain),
              "The macro prototype syntax is incorrect: 'f'. The proper syntax is: macro(arg1, arg2, arg3...).\r\n"
              "Unbekannte Variable: 'y'");

    localizer.setLocale("en_US");
    EXPECT_EQ(localizer.getExceptionMessage(undefinedY().record(0).data), "Undefined variable: 'y'");
}

TEST(CalcParserLocalizerTest, LookupsByIdentifierAndByIndex)
{
    CalcParserLocalizer localizer;
    localizer.setLocale("de_DE");
    localizer.registerLibrary(examples + "/default-library.xml");
    localizer.registerLibrary(examples + "/example-plugin.xml");

    EXPECT_EQ(localizer.functionInfoCount(), 3u);
    EXPECT_EQ(localizer.operatorInfoCount(), 2u);
    EXPECT_EQ(localizer.constantInfoCount(), 2u);
    EXPECT_EQ(localizer.variableInfoCount(), 1u);

    const CalcFunctionInfo& min = localizer.functionInfo("min");
    EXPECT_EQ(min.description, "Kleinerer von zwei Werten");
    EXPECT_EQ(min.argDescriptions, (std::vector<std::string>{"erster Wert", "zweiter Wert"}));
    EXPECT_EQ(min.helpText(CalcSyntax{',', ';'}), "min(x; y)");
    EXPECT_EQ(localizer.functionInfo(1u).helpText(CalcSyntax{}), "rand()");
    EXPECT_EQ(localizer.functionInfo(2u).description, "Kardinalsinus: sin(x)/x, und 1 bei 0");
    EXPECT_EQ(localizer.operatorInfo("+").helpText(), "x+y");
    EXPECT_EQ(localizer.operatorInfo(1u).helpText(), "-x");
    EXPECT_EQ(localizer.constantInfo("c0").description, "Lichtgeschwindigkeit im Vakuum, in m/s");
    EXPECT_EQ(localizer.constantInfo(0u).name, "NaN");
    EXPECT_EQ(localizer.variableInfo("x").description, "Abszisse des berechneten Punktes");
    EXPECT_EQ(localizer.variableInfo(0u).name, "x");

    struct Miss {
        std::function<void()> lookup;
        const char* itemName;
    };
    const Miss misses[] = {
        {[&] { localizer.functionInfo("max"); }, "max"},
        {[&] { localizer.functionInfo(3u); }, "3"},
        {[&] { localizer.operatorInfo("minus"); }, "minus"},
        {[&] { localizer.operatorInfo(2u); }, "2"},
        {[&] { localizer.constantInfo("pi"); }, "pi"},
        {[&] { localizer.constantInfo(7u); }, "7"},
        {[&] { localizer.variableInfo("y"); }, "y"},
        {[&] { localizer.variableInfo(1u); }, "1"},
    };
    for (const Miss& miss : misses) {
        const CalcError error = thrownBy(miss.lookup);
        EXPECT_EQ(identifierOf(error), "CALCDEFEXCEP_ItemNotFound") << miss.itemName;
        EXPECT_EQ(error.record(0).data.valueOf("itemName"), miss.itemName);
    }
}

TEST(CalcParserLocalizerTest, TheCurrentLocaleAgainReadsNothing)
{
    CalcTempFolder folder;
    const std::string file = folder.write("lib.xml", contentOf(examples + "/default-library.xml"));
    CalcParserLocalizer localizer;
    localizer.registerLibrary(file);
    localizer.setLocale("de_DE");
    std::filesystem::remove(file);

    localizer.setLocale("de_DE");
    EXPECT_EQ(localizer.functionInfoCount(), 2u);

    const CalcError error = thrownBy([&] { localizer.setLocale("en_US"); });
    EXPECT_EQ(identifierOf(error), "CALCLOCEXCEP_InfoFileOpenFailed");
    EXPECT_EQ(error.record(0).data.valueOf("itemName"), file);
    EXPECT_EQ(localizer.getLocale(), "en_US");
    EXPECT_EQ(localizer.functionInfoCount(), 0u);
}

// Every failing file is reported, and nothing of it enters the tables.
TEST(CalcParserLocalizerTest, BadFilesAreRefusedWhole)
{
    CalcTempFolder folder;
    const std::string good = contentOf(examples + "/default-library.xml");
    const std::string functionRecord = "<function id=\"f\" symbol=\"f\" description=\"\"/>";
    struct Row {
        const char* name;
        std::string content;
        const char* identifier;
    };
    const Row rows[] = {
        {"truncated.xml", good.substr(0, good.size() / 2), "CALCLOCEXCEP_InfoFileLoadFailed"},
        {"not-xml.xml", "plain text", "CALCLOCEXCEP_InfoFileLoadFailed"},
        {"empty.xml", "", "CALCLOCEXCEP_InfoFileLoadFailed"},
        {"other-root.xml", "<library/>", "CALCLOCEXCEP_InfoFileLoadFailed"},
        {"too-large.xml", infoFile("de_DE", std::string(CalcParserInfo::maxFileBytes, ' ')),
         "CALCLOCEXCEP_InfoFileLoadFailed"},
        {"version-2.xml", "<calcLibraryInfo version=\"2\"/>", "CALCLOCEXCEP_InfoFileBadVersion"},
        {"no-symbol.xml", infoFile("de_DE", functionRecord + "<function id=\"g\" description=\"\"/>"),
         "CALCLOCEXCEP_InfoFileLoadFailed"},
        {"three-operands.xml", infoFile("de_DE", "<operator id=\"o\" symbol=\"o\" description=\"\" args=\"a,b,c\"/>"),
         "CALCLOCEXCEP_InfoFileLoadFailed"},
        {"no-message-text.xml", infoFile("de_DE", functionRecord + "<message id=\"X\"/>"),
         "CALCLOCEXCEP_InfoFileLoadFailed"},
        {"english-only.xml", infoFile("en_US", functionRecord), "CALCLOCEXCEP_InfoFileLocaleFailed"},
    };
    for (const Row& row : rows) {
        const std::string file = folder.write(row.name, row.content);
        CalcParserLocalizer localizer;
        localizer.setLocale("de_DE");
        const CalcError error = thrownBy([&] { localizer.registerLibrary(file); });
        EXPECT_EQ(identifierOf(error), row.identifier) << row.name;
        EXPECT_EQ(error.record(0).data.valueOf("itemName"), file);
        EXPECT_EQ(localizer.functionInfoCount(), 0u) << row.name;
        localizer.registerLibrary(examples + "/default-library.xml");
        EXPECT_EQ(localizer.functionInfoCount(), 2u) << row.name << " was not registered";
    }
    CalcParserLocalizer localizer;
    localizer.setLocale("de_DE");
    const CalcError locale = thrownBy([&] { localizer.registerLibrary(folder.path() + "/english-only.xml"); });
    EXPECT_EQ(locale.record(0).data.valueOf("conflictItemName"), "de_DE");
    EXPECT_EQ(identifierOf(thrownBy([&] { localizer.registerLibrary(folder.path()); })),
              "CALCLOCEXCEP_InfoFileOpenFailed");
    EXPECT_EQ(identifierOf(thrownBy([&] { localizer.registerLibrary(folder.path() + "/absent.xml"); })),
              "CALCLOCEXCEP_InfoFileOpenFailed");
}

TEST(CalcParserLocalizerTest, FolderRegistrationCollectsTheFailuresOfEveryFile)
{
    CalcTempFolder folder;
    const std::string good = contentOf(examples + "/default-library.xml");
    folder.write("a-good.xml", good);
    const std::string truncated = folder.write("b-truncated.xml", good.substr(0, 100));
    const std::string english = folder.write("c-english.xml", infoFile("en_US", ""));
    folder.write("sub/d-plugin.xml", contentOf(examples + "/example-plugin.xml"));

    CalcParserLocalizer localizer;
    localizer.setLocale("de_DE");
    const CalcError error = thrownBy([&] { localizer.registerAllLibraries(folder.path(), "*.xml"); });
    ASSERT_EQ(error.count(), 2u);
    EXPECT_EQ(error.record(1).data.identifier(), "CALCLOCEXCEP_InfoFileLoadFailed");
    EXPECT_EQ(error.record(1).data.valueOf("itemName"), truncated);
    EXPECT_EQ(error.record(0).data.identifier(), "CALCLOCEXCEP_InfoFileLocaleFailed");
    EXPECT_EQ(error.record(0).data.valueOf("itemName"), english);
    EXPECT_EQ(localizer.functionInfoCount(), 3u) << "the good files of the folder and its subfolder";

    // The failing files were not registered, so a new locale reads only the good ones.
    localizer.setLocale("en_US");
    EXPECT_EQ(localizer.functionInfoCount(), 3u);
}

// A FIFO named like an info file would keep a reader waiting for a writer.
TEST(CalcParserLocalizerTest, FifoInAnInfoFolderIsRefusedWithoutWaiting)
{
    CalcTempFolder folder;
    folder.write("a-good.xml", contentOf(examples + "/default-library.xml"));
    const CalcFifo fifo(folder.path() + "/b-fifo.xml");
    CalcParserLocalizer localizer;
    localizer.setLocale("de_DE");
    bool waited = false;
    const CalcError error = fifo.runGuarded(
        [&] { return thrownBy([&] { localizer.registerAllLibraries(folder.path(), "*.xml"); }); }, waited);
    EXPECT_FALSE(waited);
    ASSERT_EQ(error.count(), 1u);
    EXPECT_EQ(identifierOf(error), "CALCLOCEXCEP_InfoFileOpenFailed");
    EXPECT_EQ(error.record(0).data.valueOf("itemName"), fifo.path());
    EXPECT_EQ(localizer.functionInfoCount(), 2u);
}

} // namespace
