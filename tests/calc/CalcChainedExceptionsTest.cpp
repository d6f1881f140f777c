#include "CalcError.h"
#include "CalcMessageTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

CalcError chainOf(std::vector<std::string> identifiers)
{
    CalcError chain;
    for (const std::string& id : identifiers)
        chain.addRecord(7, "CalcParser", CalcExcepData(id), "text of " + id);
    return chain;
}

struct MessageRow {
    CalcExcepData data;
    std::string expected;
};

TEST(CalcMessageTableTest, FillsParametersIntoTemplates)
{
    const std::vector<MessageRow> rows = {
        {CalcExcepData("CALCPARSINGEXCEP_UndefinedVar", {{"pos", "2"}, {"itemName", "y"}}),
         "Undefined variable: 'y'"},
        {CalcExcepData("CALCDEFEXCEP_VarNameDelimConflict", {{"itemName", "a-b"}, {"conflictItemName", "-"}}),
         "Variable name 'a-b' conflicts with the operator: '-'"},
        {CalcExcepData("CALCDEFEXCEP_PluginVersion",
                       {{"itemName", "{1}"}, {"conflictItemName", "14"}, {"param1", "13"}}),
         "The plug-in version is incompatible with this library.  Plug-in CLSID = {1}.  "
         "Requested version: 14.  Plug-in version: 13"},
        // A position lookup names no item, so the template keeps its placeholder.
        {CalcExcepData("CALCDEFEXCEP_ItemNotFound", {{"param1", "5"}}),
         "Cannot find the specified item: id = %itemName"},
        {CalcExcepData("CALCPARSINGEXCEP_MissingOpenBracket", {{"pos", "1"}}),
         "Missing opening bracket to macth closing bracket"},
        {CalcExcepData("CALCLOCEXCEP_CalcParserInfoObjectNotFound"),
         "The CalcParserInfo COM object cannot be instanciated.\tMake sure it is registered."},
        // A value is never read for placeholders, neither its own nor another's.
        {CalcExcepData("CALCPARSINGEXCEP_UndefinedVar", {{"itemName", "%itemName"}, {"itemName", "z"}}),
         "Undefined variable: '%itemName'"},
        {CalcExcepData("CALCDEFEXCEP_VarNameDelimConflict", {{"itemName", "%conflictItemName"},
                                                             {"conflictItemName", "-"}}),
         "Variable name '%conflictItemName' conflicts with the operator: '-'"},
        {CalcExcepData("CALCDEFEXCEP_SyntaxArgDecConflict", {{"itemName", ""}}),
         "Unknown exception: CALCDEFEXCEP_SyntaxArgDecConflict"},
    };
    for (const MessageRow& row : rows)
        EXPECT_EQ(CalcMessageTable::defaultMessage(row.data), row.expected) << row.data.identifier();
}

TEST(CalcMessageTableTest, FillsEveryOccurrenceOfEachPlaceholderInOnePass)
{
    const CalcExcepData data("X", {{"pos", "1"}, {"position", "%pos"}, {"itemName", "a%"}});
    const std::pair<const char*, const char*> rows[] = {
        {"%itemName and again %itemName", "a% and again a%"},
        {"%position/%pos/%posx", "%pos/1/1x"},
        {"%itemNamepos%", "a%pos%"},
        {"%unknown %", "%unknown %"},
        {"%pos%pos", "11"},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(CalcMessageTable::fill(text, data), expected) << text;
}

TEST(CalcMessageTableTest, HasOneRowForEachRaisedIdentifier)
{
    EXPECT_EQ(CalcMessageTable::rowCount(), 53u);
    std::set<std::string> unique;
    for (std::uint32_t row = 0; row < CalcMessageTable::rowCount(); ++row)
        unique.insert(CalcMessageTable::identifier(row));
    EXPECT_EQ(unique.size(), 53u);
    const char* raised[] = {
        "CALCDEFEXCEP_OpAlreadyDefined", "CALCDEFEXCEP_OpNameNull", "CALCDEFEXCEP_OpNameSpace",
        "CALCDEFEXCEP_OpNameSyntaxConflict", "CALCDEFEXCEP_OpPrecedence", "CALCDEFEXCEP_FuncAlreadyDefined",
        "CALCDEFEXCEP_FuncNameNull", "CALCDEFEXCEP_FuncNameSpace", "CALCDEFEXCEP_FuncNameSyntaxConflict",
        "CALCDEFEXCEP_FuncNameOpConflict", "CALCDEFEXCEP_ItemNotFound", "CALCDEFEXCEP_VarAlreadyDefined",
        "CALCDEFEXCEP_VarNameNull", "CALCDEFEXCEP_VarNameSpace", "CALCDEFEXCEP_VarNameOnlyNum",
        "CALCDEFEXCEP_VarNameConstConflict", "CALCDEFEXCEP_VarNameSyntaxConflict",
        "CALCDEFEXCEP_VarNameDelimConflict", "CALCDEFEXCEP_ConstAlreadyDefined", "CALCDEFEXCEP_ConstNameNull",
        "CALCDEFEXCEP_ConstNameSpace", "CALCDEFEXCEP_ConstNameOnlyNum", "CALCDEFEXCEP_ConstNameSyntaxConflict",
        "CALCDEFEXCEP_ConstNameOpConflict", "CALCDEFEXCEP_ConstNameVarConflict", "CALCDEFEXCEP_PluginNotFound",
        "CALCPARSINGEXCEP_InvalidOpSyntax", "CALCPARSINGEXCEP_InvalidFuncSyntax", "CALCPARSINGEXCEP_UnexpectedOp",
        "CALCPARSINGEXCEP_MissingOpenBracket", "CALCPARSINGEXCEP_InvalidArgSeparator",
        "CALCPARSINGEXCEP_MissingCloseBracket", "CALCPARSINGEXCEP_OverloadedFuncNotFound",
        "CALCPARSINGEXCEP_InvalidSyntax", "CALCPARSINGEXCEP_MissingOp", "CALCPARSINGEXCEP_UndefinedFunc",
        "CALCPARSINGEXCEP_UndefinedVar", "CALCPARSINGEXCEP_UselessArgSeparator",
        "CALCPARSINGEXCEP_InternalError", "CALCDEFEXCEP_PluginVersion", "CALCDEFEXCEP_PluginTypeLibNotFound",
        "CALCDEFEXCEP_PluginDefConflict", "CALCDEFEXCEP_MacroProtoSyntax", "CALCLOCEXCEP_InfoFileOpenFailed",
        "CALCLOCEXCEP_InfoFileLoadFailed", "CALCLOCEXCEP_InfoFileLocaleFailed", "CALCLOCEXCEP_InfoFileBadVersion",
        "CALCEXCEP_OutOfMemory", "CALCDEFEXCEP_PluginFileRefused", "CALCDEFEXCEP_MacroTooCostly",
    };
    for (const char* id : raised)
        EXPECT_NE(CalcMessageTable::find(id), nullptr) << id;
}

TEST(CalcExcepDataTest, DropsAFifthParameter)
{
    CalcExcepData data("X", {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}, {"e", "5"}});
    EXPECT_EQ(data.paramCount(), 4u);
    EXPECT_EQ(data.valueOf("d"), "4");
    EXPECT_EQ(data.valueOf("e"), "");
    EXPECT_EQ(data.paramName(3), "d");
}

TEST(CalcChainedExceptionsTest, RaiseThrowsOneRecordWithTheDefaultMessage)
{
    try {
        CalcError::raise(12, "CalcParserCompiler",
                         CalcExcepData("CALCPARSINGEXCEP_UndefinedFunc", {{"pos", "0"}, {"itemName", "f"}}));
        FAIL();
    } catch (const CalcException& error) {
        EXPECT_EQ(error.count(), 1u);
        EXPECT_EQ(error.line(), 12);
        EXPECT_EQ(error.sourceUnit(), "CalcParserCompiler");
        EXPECT_STREQ(error.what(), "Undefined function: 'f'");
    }
}

TEST(CalcChainedExceptionsTest, KeepsFourRecordsMostRecentFirst)
{
    const CalcError chain = chainOf({"A", "B", "C", "D", "E"});
    ASSERT_EQ(chain.count(), 4u);
    EXPECT_EQ(chain.record(0).data.identifier(), "D");
    EXPECT_EQ(chain.record(3).data.identifier(), "A");
    EXPECT_EQ(chain.record(4).data.identifier(), "");
    EXPECT_EQ(chain.text(), "text of D\r\ntext of C\r\ntext of B\r\ntext of A");
}

TEST(CalcChainedExceptionsTest, AppendTakesTheOtherChainFromItsMostRecent)
{
    CalcError chain = chainOf({"A"});
    chain.appendChain(chainOf({"B", "C"}));
    ASSERT_EQ(chain.count(), 3u);
    EXPECT_EQ(chain.record(0).data.identifier(), "B");
    EXPECT_EQ(chain.record(1).data.identifier(), "C");
    EXPECT_EQ(chain.record(2).data.identifier(), "A");
}

TEST(CalcChainedExceptionsTest, CopiesOwnTheirRecords)
{
    CalcError copy;
    {
        const CalcError original = chainOf({"A", "B"});
        copy = original;
    }
    EXPECT_EQ(copy.count(), 2u);
    EXPECT_EQ(copy.description(0), "text of B");
    EXPECT_EQ(copy.text(), "text of B\r\ntext of A");
}

} // namespace
