#include "CalcParser.h"
#include "CalcTempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <locale.h>

namespace {

// A numeric locale whose decimal point is ",": the system's own when it has
// one, else compiled from the system's locale sources into a temporary folder.
locale_t germanNumericLocale(const CalcTempFolder& folder, std::string& why)
{
    const char* name = "de_DE.UTF-8";
    if (locale_t installed = newlocale(LC_NUMERIC_MASK, name, locale_t(nullptr)))
        return installed;
    const std::string command = "localedef -i de_DE -f UTF-8 '" + folder.path() + "/" + name + "' >/dev/null 2>&1";
    // localedef also reports mere warnings as a failure: loading the result decides.
    const int status = std::system(command.c_str());
    setenv("LOCPATH", folder.path().c_str(), 1);
    locale_t compiled = newlocale(LC_NUMERIC_MASK, name, locale_t(nullptr));
    unsetenv("LOCPATH");
    if (!compiled)
        why = "no de_DE.UTF-8 locale and localedef gave status " + std::to_string(status)
            + " (the locales package holds its sources)";
    return compiled;
}

// Runs the engine's locale query under the locale on this thread only.
void useSyntaxOf(locale_t locale, CalcParser& parser)
{
    const locale_t previous = uselocale(locale);
    parser.useLocaleSyntax();
    uselocale(previous);
}

TEST(CalcParserLocaleSyntaxTest, CommaDecimalPointMakesTheSemicolonTheSeparator)
{
    CalcTempFolder folder;
    std::string why;
    const locale_t german = germanNumericLocale(folder, why);
    if (!german)
        GTEST_SKIP() << why;
    CalcParser parser;
    useSyntaxOf(german, parser);
    freelocale(german);
    EXPECT_EQ(parser.getSyntax().decimalPoint, ',');
    EXPECT_EQ(parser.getSyntax().argSeparator, ';');
    EXPECT_EQ(parser.evaluate("min(1,5;2)"), 1.5);
}

TEST(CalcParserLocaleSyntaxTest, PointDecimalPointRestoresTheComma)
{
    const locale_t c = newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr));
    ASSERT_NE(c, locale_t(nullptr));
    CalcParser parser;
    parser.setSyntax(CalcSyntax{',', ';'});
    useSyntaxOf(c, parser);
    freelocale(c);
    EXPECT_EQ(parser.getSyntax().decimalPoint, '.');
    EXPECT_EQ(parser.getSyntax().argSeparator, ',');
}

} // namespace
