#include "CalcDefaultLibrary.h"

#include "CalcNan.h"
#include "CalcRegistrarPublicI.h"

#include "AbsFct.h"
#include "AddOp.h"
#include "AndOp.h"
#include "ArcCosFct.h"
#include "ArcSinFct.h"
#include "ArcTanFct.h"
#include "AvgFct.h"
#include "BinConvFunc.h"
#include "CeilFct.h"
#include "CosFct.h"
#include "CoshFct.h"
#include "DivOp.h"
#include "EqualOp.h"
#include "ExpOp.h"
#include "FactorialFct.h"
#include "FloorFct.h"
#include "GreaterEqualThanOp.h"
#include "GreaterThanOp.h"
#include "HexConvFunc.h"
#include "IfFct.h"
#include "IsFiniteFct.h"
#include "IsNaNFct.h"
#include "LesserEqualThanOp.h"
#include "LesserThanOp.h"
#include "Log10Fct.h"
#include "LogFct.h"
#include "Max3Fct.h"
#include "MaxFct.h"
#include "MaxUndefFct.h"
#include "Min3Fct.h"
#include "MinFct.h"
#include "MinUndefFct.h"
#include "MinusOp.h"
#include "ModuloOp.h"
#include "MultOp.h"
#include "NotEqualOp.h"
#include "NotOp.h"
#include "OrOp.h"
#include "RandFct.h"
#include "RandMinMaxFct.h"
#include "RoundFct.h"
#include "SinFct.h"
#include "SinhFct.h"
#include "SqrtFct.h"
#include "SumFct.h"
#include "TanFct.h"
#include "TanhFct.h"
#include "UnaryAddOp.h"
#include "UnaryMinusOp.h"

#include <memory>

// The order fixes the tie-breaks: equally long operator symbols match in
// definition order, and overloads resolve in definition order.
void CalcDefaultLibrary::defineInto(CalcRegistrarPublicI& registrar)
{
    registrar.addOperator(std::make_unique<AddOp>());
    registrar.addOperator(std::make_unique<UnaryAddOp>());
    registrar.addOperator(std::make_unique<MinusOp>());
    registrar.addOperator(std::make_unique<MultOp>());
    registrar.addOperator(std::make_unique<DivOp>());
    registrar.addOperator(std::make_unique<ExpOp>());
    registrar.addOperator(std::make_unique<UnaryMinusOp>());
    registrar.addOperator(std::make_unique<ModuloOp>());
    registrar.addOperator(std::make_unique<GreaterThanOp>());
    registrar.addOperator(std::make_unique<LesserThanOp>());
    registrar.addOperator(std::make_unique<GreaterEqualThanOp>());
    registrar.addOperator(std::make_unique<LesserEqualThanOp>());
    registrar.addOperator(std::make_unique<NotEqualOp>());
    registrar.addOperator(std::make_unique<EqualOp>());
    registrar.addOperator(std::make_unique<AndOp>());
    registrar.addOperator(std::make_unique<OrOp>());
    registrar.addOperator(std::make_unique<NotOp>());

    registrar.addFunction(std::make_unique<RoundFct>());
    registrar.addFunction(std::make_unique<SinFct>());
    registrar.addFunction(std::make_unique<ArcSinFct>());
    registrar.addFunction(std::make_unique<SinhFct>());
    registrar.addFunction(std::make_unique<CosFct>());
    registrar.addFunction(std::make_unique<ArcCosFct>());
    registrar.addFunction(std::make_unique<CoshFct>());
    registrar.addFunction(std::make_unique<TanFct>());
    registrar.addFunction(std::make_unique<ArcTanFct>());
    registrar.addFunction(std::make_unique<TanhFct>());
    registrar.addFunction(std::make_unique<SqrtFct>());
    registrar.addFunction(std::make_unique<MinFct>());
    registrar.addFunction(std::make_unique<Min3Fct>());
    registrar.addFunction(std::make_unique<MinUndefFct>());
    registrar.addFunction(std::make_unique<MaxFct>());
    registrar.addFunction(std::make_unique<Max3Fct>());
    registrar.addFunction(std::make_unique<MaxUndefFct>());
    registrar.addFunction(std::make_unique<AbsFct>());
    registrar.addFunction(std::make_unique<RandFct>());
    registrar.addFunction(std::make_unique<RandMinMaxFct>());
    registrar.addFunction(std::make_unique<CeilFct>());
    registrar.addFunction(std::make_unique<FloorFct>());
    registrar.addFunction(std::make_unique<LogFct>());
    registrar.addFunction(std::make_unique<Log10Fct>());
    registrar.addFunction(std::make_unique<AvgFct>());
    registrar.addFunction(std::make_unique<SumFct>());
    registrar.addFunction(std::make_unique<FactorialFct>());
    registrar.addFunction(std::make_unique<IfFct>());
    registrar.addFunction(std::make_unique<IsNaNFct>());
    registrar.addFunction(std::make_unique<IsFiniteFct>());
    registrar.addFunction(std::make_unique<HexConvFunc>());
    registrar.addFunction(std::make_unique<BinConvFunc>());

    registrar.addConstant("NaN", calcNan());
}
