#pragma once

#include <cstdint>

class CalcParserItemI;

// The default library's commonest items, which the evaluation loop runs inline instead of
// through a virtual call.
enum class CalcInlineOp : std::uint8_t { None, Add, Subtract, Multiply, Divide, Power, Sine, Cosine };

// One step of a compiled program. Its result goes straight into the argument
// array of the step that consumes it, so evaluation needs no value stack. The
// fields the evaluation loop reads come first.
struct CalcInstruction {
    CalcParserItemI* item = nullptr;
    double* args = nullptr;
    double* target = nullptr;
    // Set when running the item would only read this double (a variable
    // reference, a fetch of a plain memory variable): it is read without a call.
    const double* source = nullptr;
    CalcInlineOp inlineOp = CalcInlineOp::None;
    std::int32_t argCount = 0;
    std::int32_t position = 0;
    double value = 0.0;
    bool isValue = false;
    bool isVarFetch = false;
};
