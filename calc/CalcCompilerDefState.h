#pragma once

#include "CalcCompilerStateI.h"

#include <cstdint>
#include <string>

class CalcParserCompiler;

// The grammar of ordinary expressions: names, numbers, operators, brackets and
// argument lists.
class CalcCompilerDefState final : public CalcCompilerStateI {
public:
    explicit CalcCompilerDefState(CalcParserCompiler& compiler);

    void init(CalcCompilerI&, CalcRegistrarI&) override {}
    void onEnd() override {}
    bool onChar() override { return false; }
    void onOp(std::string_view symbol) override;
    void onOpenBracket() override;
    void onCloseBracket() override { closeGroup(false); }
    void onArgSeparator() override { closeGroup(true); }

    // Turns the collected name or number into a record or a pending call. True
    // when a conversion function took over the scan with it.
    bool endToken();

private:
    bool beginCall(const std::string& name, std::int32_t start);
    void pushName(const std::string& name, std::int32_t start);
    void closeGroup(bool isSeparator);
    // Outputs what the innermost bracket holds; true when there was anything.
    bool popToBracket();
    bool countArgument();
    bool isNumber(const std::string& token) const;
    double toNumber(const std::string& token) const;

    CalcParserCompiler& c_;
};
