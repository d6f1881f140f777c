#include "CurveExpression.h"

#include "CalcError.h"
#include "CalcParser.h"
#include "CalcScienceLibrary.h"
#include "LinearInterpolation.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {

// "c12" and "y12" name curve 12; -1 for any other name. Nine digits at most keep N an int.
int curveId(const std::string& name)
{
    if (name.size() < 2 || name.size() > 10 || (name[0] != 'c' && name[0] != 'y'))
        return -1;
    if (name.size() > 2 && name[1] == '0')
        return -1;
    int id = 0;
    for (std::size_t i = 1; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9')
            return -1;
        id = id * 10 + (name[i] - '0');
    }
    return id;
}

// The same x bit for bit, a missing x where the other misses one included.
bool sameX(const CurveExpression::Curve& a, const CurveExpression::Curve& b)
{
    return a.count == b.count && (a.x == b.x || std::memcmp(a.x, b.x, a.count * sizeof(double)) == 0);
}

} // namespace

CurveExpression::CurveExpression(const std::string& expression)
    : text(expression)
    , engine(std::make_unique<CalcParser>())
{
    std::vector<std::string> names;
    try {
        CalcScienceLibrary::defineConstants(*engine);
        CalcScienceLibrary::defineFunctions(*engine);
        engine->defineVar("x", &x);
        // Every name the engine does not know becomes a variable while compiling: the curves,
        // and the names that are none, which are refused below.
        engine->enableAutoVarDefinition(true);
        engine->compile(expression);
        engine->enableAutoVarDefinition(false);
        for (std::uint32_t i = 0; i < engine->usedVarCount(); ++i) {
            if (engine->usedVarName(i) != "x")
                names.push_back(engine->usedVarName(i));
        }
    } catch (const CalcError& error) {
        throw std::invalid_argument("The expression \"" + expression + "\" does not parse: " + error.description(0));
    }
    for (const std::string& name : names) {
        const int id = curveId(name);
        if (id < 0)
            throw std::invalid_argument("The expression \"" + expression + "\" names " + name +
                                        ", which is no curve, constant or function: curve N is cN or yN.");
        const auto known = std::find(ids.begin(), ids.end(), id);
        slotCurve.push_back(std::size_t(known - ids.begin()));
        if (known == ids.end())
            ids.push_back(id);
    }
    // The values stay where they are from here on: the engine keeps their addresses.
    slotValues.resize(names.size());
    try {
        for (std::size_t k = 0; k < names.size(); ++k) {
            engine->undefineVar(names[k]);
            engine->defineVar(names[k], &slotValues[k]);
        }
        engine->compile(expression);
    } catch (const CalcError& error) {
        throw std::invalid_argument("The expression \"" + expression + "\" does not parse: " + error.description(0));
    }
}

CurveExpression::~CurveExpression() = default;

std::string CurveExpression::missing(int id) const
{
    return "There is no curve " + std::to_string(id) + " for \"" + text + "\".";
}

std::vector<double> CurveExpression::evaluate(const Lookup& lookup, int unnamed)
{
    Curve base;
    const int baseId = baseCurve(unnamed);
    if (!lookup(baseId, base))
        throw std::invalid_argument(missing(baseId));
    std::vector<std::vector<double>> interpolated;
    const std::vector<const double*> from = sources(lookup, base, interpolated);
    std::vector<double> y(base.count);
    const std::size_t variables = slotValues.size();
    for (std::size_t i = 0; i < base.count; ++i) {
        x = base.x[i];
        for (std::size_t k = 0; k < variables; ++k)
            slotValues[k] = from[k][i];
        y[i] = engine->evaluate();
    }
    return y;
}

std::vector<const double*> CurveExpression::sources(const Lookup& lookup, const Curve& base,
                                                    std::vector<std::vector<double>>& interpolated) const
{
    std::vector<const double*> ofCurve;
    interpolated.reserve(ids.size());
    for (int id : ids) {
        Curve curve;
        if (!lookup(id, curve))
            throw std::invalid_argument(missing(id));
        if (sameX(curve, base)) {
            ofCurve.push_back(curve.y);
            continue;
        }
        try {
            const LinearInterpolation between(curve.x, curve.y, curve.count);
            interpolated.emplace_back(base.count);
            between.sample(base.x, base.count, interpolated.back().data());
        } catch (const std::invalid_argument& error) {
            throw std::invalid_argument("Curve " + std::to_string(id) + " has to be interpolated for \"" + text +
                                        "\". " + error.what());
        }
        ofCurve.push_back(interpolated.back().data());
    }
    std::vector<const double*> from;
    for (std::size_t curve : slotCurve)
        from.push_back(ofCurve[curve]);
    return from;
}
