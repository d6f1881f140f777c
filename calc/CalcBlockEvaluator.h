#pragma once

#include <cstddef>
#include <vector>

class CalcParser;
struct CalcInstruction;

// Evaluates the program an engine holds over many values of one of its variables, a block of
// points at a time: each record runs over the whole block before the next one does, so the
// walk over the records and the choice of what a record runs are paid once per block instead
// of once per point, and the common operators become plain loops. Every item is handed the
// arguments the engine's own evaluate() would hand it, so each result is the same to the bit.
//
// A program with an item that may give another value for the same arguments (random numbers)
// or a variable read through a call runs point by point through the engine's evaluate(), so
// that its calls come in the engine's order.
//
// The engine must keep its program while the evaluator is used: a compile, or any change of
// its definitions, calls for a new evaluator.
class CalcBlockEvaluator {
public:
    static constexpr std::size_t kBlock = 256;

    // `variable` is the double the engine reads one of its variables from (defined with
    // CalcParser::defineVar(name, variable)). May throw std::bad_alloc.
    CalcBlockEvaluator(CalcParser& parser, double* variable);

    // results[i] is the program's value with *variable = values[i]. Leaves *variable at the
    // last value; the engine's own last result stays as it was unless the program runs point
    // by point.
    void evaluate(const double* values, std::size_t count, double* results);

private:
    // A record that computes: its argument blocks, in the item's order, and its result block.
    struct Step {
        const CalcInstruction* record;
        std::vector<const double*> arguments;
        double* result;
    };
    // A block of a value that is the same at every point: another variable, read anew at each
    // call of evaluate().
    struct Fixed {
        const double* source;
        double* block;
    };

    void build(const CalcInstruction* first, const CalcInstruction* end);
    double* newBlock();
    void run(const Step& step, std::size_t count, double* result);
    void runCall(const Step& step, std::size_t count, double* result);

    CalcParser& parser_;
    double* variable_;
    bool pointwise_ = false;
    // A program folded into one constant runs no records.
    bool constant_ = false;
    double constantValue_ = 0.0;
    // Blocks of kBlock values each; the list may move, the blocks stay where they are.
    std::vector<std::vector<double>> blocks_;
    std::vector<Step> steps_;
    std::vector<Fixed> fixed_;
    // Where the swept variable's values go for each block; null when the program never reads it.
    double* swept_ = nullptr;
    const double* last_ = nullptr;
    // The arguments of one call of an item the evaluator does not know.
    std::vector<double> callArguments_;
};
