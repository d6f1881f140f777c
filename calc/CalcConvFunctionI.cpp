#include "CalcConvFunctionI.h"

#include "CalcCompilerI.h"
#include "CalcError.h"

void CalcConvFunctionI::init(CalcCompilerI& compiler, CalcRegistrarI&)
{
    compiler_ = &compiler;
    bracketPosition_ = compiler.position();
}

void CalcConvFunctionI::onEnd()
{
    compiler_->raise("CALCPARSINGEXCEP_MissingCloseBracket", bracketPosition_);
}

void CalcConvFunctionI::onOp(std::string_view)
{
    compiler_->appendCurrentChar();
}

void CalcConvFunctionI::onOpenBracket()
{
    compiler_->appendCurrentChar();
}

void CalcConvFunctionI::onArgSeparator()
{
    compiler_->appendCurrentChar();
}

void CalcConvFunctionI::onCloseBracket()
{
    double value = 0.0;
    try {
        value = convert(compiler_->currentToken());
    } catch (const CalcError&) {
        compiler_->raise("CALCPARSINGEXCEP_InvalidFuncSyntax", bracketPosition_ + 1, symbol(), 1);
    }
    compiler_->pushValue(value);
    compiler_->clearToken();
    compiler_->returnToDefaultState();
}
