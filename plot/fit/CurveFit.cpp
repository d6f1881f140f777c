#include "CurveFit.h"

#include "BuiltinModel.h"
#include "FitData.h"
#include "FitModel.h"
#include "NonlinearFit.h"
#include "PolynomialFit.h"

#include <vector>

FitResult CurveFit::fitExpression(const std::string& expression, const FitData& data,
                                  const std::map<std::string, double>& starts)
{
    FitModel model(expression);
    std::vector<double> start;
    for (const std::string& name : model.parameterNames()) {
        const auto given = starts.find(name);
        start.push_back(given != starts.end() ? given->second : 1.0);
    }
    return NonlinearFit(model, data).solve(start);
}

FitResult CurveFit::fitBuiltin(const std::string& name, const FitData& data)
{
    const BuiltinModel builtin = BuiltinModel::named(name);
    if (builtin.degree() > 0)
        return PolynomialFit(builtin.degree()).solve(data);
    FitModel model(builtin.expression());
    data.requirePoints(model.parameterCount());
    return NonlinearFit(model, data).solve(builtin.startValues(data));
}
