#include "CalcDefaultLibrary.h"

#include "CalcNan.h"
#include "CalcParser.h"

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
void CalcDefaultLibrary::defineInto(CalcParser& parser)
{
    parser.defineOp(std::make_unique<AddOp>());
    parser.defineOp(std::make_unique<UnaryAddOp>());
    parser.defineOp(std::make_unique<MinusOp>());
    parser.defineOp(std::make_unique<MultOp>());
    parser.defineOp(std::make_unique<DivOp>());
    parser.defineOp(std::make_unique<ExpOp>());
    parser.defineOp(std::make_unique<UnaryMinusOp>());
    parser.defineOp(std::make_unique<ModuloOp>());
    parser.defineOp(std::make_unique<GreaterThanOp>());
    parser.defineOp(std::make_unique<LesserThanOp>());
    parser.defineOp(std::make_unique<GreaterEqualThanOp>());
    parser.defineOp(std::make_unique<LesserEqualThanOp>());
    parser.defineOp(std::make_unique<NotEqualOp>());
    parser.defineOp(std::make_unique<EqualOp>());
    parser.defineOp(std::make_unique<AndOp>());
    parser.defineOp(std::make_unique<OrOp>());
    parser.defineOp(std::make_unique<NotOp>());

    parser.defineFunc(std::make_unique<RoundFct>());
    parser.defineFunc(std::make_unique<SinFct>());
    parser.defineFunc(std::make_unique<ArcSinFct>());
    parser.defineFunc(std::make_unique<SinhFct>());
    parser.defineFunc(std::make_unique<CosFct>());
    parser.defineFunc(std::make_unique<ArcCosFct>());
    parser.defineFunc(std::make_unique<CoshFct>());
    parser.defineFunc(std::make_unique<TanFct>());
    parser.defineFunc(std::make_unique<ArcTanFct>());
    parser.defineFunc(std::make_unique<TanhFct>());
    parser.defineFunc(std::make_unique<SqrtFct>());
    parser.defineFunc(std::make_unique<MinFct>());
    parser.defineFunc(std::make_unique<Min3Fct>());
    parser.defineFunc(std::make_unique<MinUndefFct>());
    parser.defineFunc(std::make_unique<MaxFct>());
    parser.defineFunc(std::make_unique<Max3Fct>());
    parser.defineFunc(std::make_unique<MaxUndefFct>());
    parser.defineFunc(std::make_unique<AbsFct>());
    parser.defineFunc(std::make_unique<RandFct>());
    parser.defineFunc(std::make_unique<RandMinMaxFct>());
    parser.defineFunc(std::make_unique<CeilFct>());
    parser.defineFunc(std::make_unique<FloorFct>());
    parser.defineFunc(std::make_unique<LogFct>());
    parser.defineFunc(std::make_unique<Log10Fct>());
    parser.defineFunc(std::make_unique<AvgFct>());
    parser.defineFunc(std::make_unique<SumFct>());
    parser.defineFunc(std::make_unique<FactorialFct>());
    parser.defineFunc(std::make_unique<IfFct>());
    parser.defineFunc(std::make_unique<IsNaNFct>());
    parser.defineFunc(std::make_unique<IsFiniteFct>());
    parser.defineFunc(std::make_unique<HexConvFunc>());
    parser.defineFunc(std::make_unique<BinConvFunc>());

    parser.defineConst("NaN", calcNan());
}
