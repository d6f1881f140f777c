#include "CalcMessageTable.h"

#include "CalcExcepData.h"

#include <array>
#include <utility>

namespace {

using Row = std::pair<const char*, const char*>;

// Kept word for word, misspellings included: hosts show them as the engine's
// established messages.
constexpr std::array<Row, 53> rows{{
    {"CALCDEFEXCEP_OpAlreadyDefined",
     "Operator already defined: '%itemName'"},
    {"CALCDEFEXCEP_OpNameNull",
     "Operator name cannot be null"},
    {"CALCDEFEXCEP_OpNameSpace",
     "This operator name contains space characters: '%itemName'"},
    {"CALCDEFEXCEP_OpNameSyntaxConflict",
     "Operator name '%itemName' conflicts with the syntax element character: '%conflictItemName'."},
    {"CALCDEFEXCEP_OpPrecedence",
     "Operator: '%itemName'; invalid precedence."},
    {"CALCDEFEXCEP_FuncAlreadyDefined",
     "Function already defined: '%itemName'"},
    {"CALCDEFEXCEP_FuncNameNull",
     "Function name cannot be null"},
    {"CALCDEFEXCEP_FuncNameSpace",
     "This function name contains space characters: '%itemName'"},
    {"CALCDEFEXCEP_FuncNameSyntaxConflict",
     "Function name '%itemName' conflicts with the syntax element character: '%conflictItemName'"},
    {"CALCDEFEXCEP_FuncNameOpConflict",
     "Function name '%itemName' conflicts with the operator '%conflictItemName'"},
    {"CALCDEFEXCEP_ItemNotFound",
     "Cannot find the specified item: id = %itemName"},
    {"CALCDEFEXCEP_VarAlreadyDefined",
     "Variable already defined: '%itemName'"},
    {"CALCDEFEXCEP_VarNameNull",
     "Variable name cannot be null"},
    {"CALCDEFEXCEP_VarNameSpace",
     "This variable name contains space characters: '%itemName'"},
    {"CALCDEFEXCEP_VarNameOnlyNum",
     "Invalid variable name: '%itemName'.  Cannot be composed only of numbers"},
    {"CALCDEFEXCEP_VarNameConstConflict",
     "Variable name '%itemName' conflicts with the constant of the same name."},
    {"CALCDEFEXCEP_VarNameSyntaxConflict",
     "Variable name '%itemName'  conflicts with the syntax element character: '%conflictItemName'"},
    {"CALCDEFEXCEP_VarNameDelimConflict",
     "Variable name '%itemName' conflicts with the operator: '%conflictItemName'"},
    {"CALCDEFEXCEP_ConstAlreadyDefined",
     "Constant already defined: '%itemName'"},
    {"CALCDEFEXCEP_ConstNameNull",
     "Constant name cannot be null"},
    {"CALCDEFEXCEP_ConstNameSpace",
     "This constant name contains space characters: '%itemName'"},
    {"CALCDEFEXCEP_ConstNameOnlyNum",
     "Invalid constant name: '%itemName'.  Cannot be composed only of numbers."},
    {"CALCDEFEXCEP_ConstNameSyntaxConflict",
     "Constant name '%itemName' conflicts with the syntax element character: '%conflictItemName'"},
    {"CALCDEFEXCEP_ConstNameOpConflict",
     "Constant name '%itemName' conflicts with the operator '%conflictItemName'"},
    {"CALCDEFEXCEP_ConstNameVarConflict",
     "Constant name '%itemName' conflicts with the variable of the same name"},
    {"CALCDEFEXCEP_PluginVersion",
     "The plug-in version is incompatible with this library.  Plug-in CLSID = %itemName.  Requested version: %conflictItemName.  Plug-in version: %param1"},
    {"CALCDEFEXCEP_PluginNotFound",
     "The plug-in cannot be found.  Make sure the plug-in is properly registered. CLSID = %itemName"},
    {"CALCDEFEXCEP_PluginTypeLibNotFound",
     "The plug-in type lib file cannot be found: '%itemName'.  This file describes the plug-in interface."},
    {"CALCDEFEXCEP_PluginDefConflict",
     "The plug-in cannot be loaded because of a conflict with an already defined item.  Plug-in CLSID = %itemName"},
    {"CALCDEFEXCEP_MacroProtoSyntax",
     "The macro prototype syntax is incorrect: '%itemName'. The proper syntax is: macro(arg1, arg2, arg3...)."},
    {"CALCPARSINGEXCEP_InvalidOpSyntax",
     "Invalid operator syntax: '%itemName'"},
    {"CALCPARSINGEXCEP_InvalidFuncSyntax",
     "Invalid function argument syntax. Function name: '%itemName', argument %param1"},
    {"CALCPARSINGEXCEP_UnexpectedBeginVarName",
     "Unexpected begin variable name character"},
    {"CALCPARSINGEXCEP_UnexpectedEndVarName",
     "Unexpected end variable name character"},
    {"CALCPARSINGEXCEP_UnexpectedOp",
     "Unexpected operator"},
    {"CALCPARSINGEXCEP_MissingOpenBracket",
     "Missing opening bracket to macth closing bracket"},
    {"CALCPARSINGEXCEP_InvalidArgSeparator",
     "Invalid use of an argument separator outside a function"},
    {"CALCPARSINGEXCEP_MissingCloseBracket",
     "Missing closing bracket to match opening bracket"},
    {"CALCPARSINGEXCEP_OverloadedFuncNotFound",
     "Invalid number of arguments for function '%itemName'"},
    {"CALCPARSINGEXCEP_InvalidSyntax",
     "Invalid syntax"},
    {"CALCPARSINGEXCEP_MissingOp",
     "Missing operator before: '%itemName'"},
    {"CALCPARSINGEXCEP_UndefinedFunc",
     "Undefined function: '%itemName'"},
    {"CALCPARSINGEXCEP_UndefinedVar",
     "Undefined variable: '%itemName'"},
    {"CALCPARSINGEXCEP_UselessArgSeparator",
     "Invalid use of an argument separator"},
    {"CALCPARSINGEXCEP_InternalError",
     "Internal error"},
    {"CALCLOCEXCEP_CalcParserInfoObjectNotFound",
     "The CalcParserInfo COM object cannot be instanciated.\tMake sure it is registered."},
    {"CALCLOCEXCEP_InfoFileOpenFailed",
     "Unable to OPEN the library info file: '%itemName'. Make sure the file exists and that the schema and xml syntax are valids."},
    {"CALCLOCEXCEP_InfoFileLoadFailed",
     "Unable to LOAD the library info file: '%itemName'. Make sure no xml attribute is missing."},
    {"CALCLOCEXCEP_InfoFileLocaleFailed",
     "Locale information not available for the library info file: '%itemName'.  Locale: %conflictItemName"},
    {"CALCLOCEXCEP_InfoFileBadVersion",
     "The library info file version is incorrect.  File: '%itemName'"},
    {"CALCEXCEP_OutOfMemory",
     "Out of memory"},
    {"CALCDEFEXCEP_PluginFileRefused",
     "The plug-in file '%itemName' is not used: %param1."},
    {"CALCDEFEXCEP_MacroTooCostly",
     "The macro '%itemName' is too costly: one evaluation would take more than %param1 steps."},
}};

// The parameter whose name is the longest one written at the position, the
// first added among equals, or the count when none is: "%position" is not
// "%pos" followed by "ition".
std::uint32_t longestKeyAt(const std::string& text, std::size_t at, const CalcExcepData& data)
{
    std::uint32_t found = data.paramCount();
    std::size_t foundLength = 0;
    for (std::uint32_t i = 0; i < data.paramCount(); ++i) {
        const std::string& name = data.paramName(i);
        if (name.size() > foundLength && text.compare(at, name.size(), name) == 0) {
            found = i;
            foundLength = name.size();
        }
    }
    return found;
}

} // namespace

std::uint32_t CalcMessageTable::rowCount()
{
    return static_cast<std::uint32_t>(rows.size());
}

const char* CalcMessageTable::identifier(std::uint32_t row)
{
    return row < rows.size() ? rows[row].first : nullptr;
}

const char* CalcMessageTable::messageTemplate(std::uint32_t row)
{
    return row < rows.size() ? rows[row].second : nullptr;
}

const char* CalcMessageTable::find(const std::string& identifier)
{
    for (const Row& row : rows)
        if (identifier == row.first)
            return row.second;
    return nullptr;
}

std::string CalcMessageTable::defaultMessage(const CalcExcepData& data)
{
    const char* found = find(data.identifier());
    if (!found)
        return "Unknown exception: " + data.identifier();
    return fill(found, data);
}

std::string CalcMessageTable::fill(const std::string& text, const CalcExcepData& data)
{
    // One pass over the template: a value once filled in is never searched, so a
    // value that holds a placeholder's name stays as it is.
    std::string filled;
    filled.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::uint32_t param = text[at] == '%' ? longestKeyAt(text, at + 1, data) : data.paramCount();
        if (param == data.paramCount()) {
            filled += text[at++];
            continue;
        }
        filled += data.paramValue(param);
        at += 1 + data.paramName(param).size();
    }
    return filled;
}
