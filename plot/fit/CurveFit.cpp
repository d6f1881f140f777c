#include "CurveFit.h"

#include "BuiltinModel.h"
#include "FitData.h"
#include "FitModel.h"
#include "PolynomialFit.h"

#include <vector>

FitResult CurveFit::fitExpression(const std::string& expression, const FitData& data,
                                  const std::map<std::string, double>& starts,
                                  const NonlinearFit::Progress& progress)
{
    FitModel model(expression);
    std::vector<double> start;
    for (const std::string& name : model.parameterNames()) {
        const auto given = starts.find(name);
        start.push_back(given != starts.end() ? given->second : 1.0);
    }
    NonlinearFit fit(model, data);
    fit.setProgress(progress);
    return fit.solve(start);
}

FitResult CurveFit::fitBuiltin(const std::string& name, const FitData& data,
                              const NonlinearFit::Progress& progress)
{
    const BuiltinModel builtin = BuiltinModel::named(name);
    if (builtin.degree() > 0)
        return PolynomialFit(builtin.degree()).solve(data);
    FitModel model(builtin.expression());
    data.requirePoints(model.parameterCount());
    NonlinearFit fit(model, data);
    fit.setProgress(progress);
    return fit.solve(builtin.startValues(data));
}
