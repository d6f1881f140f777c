#pragma once

#include "CurveRecord.h"
#include "LogCollector.h"
#include "PlotServer.h"
#include "ScriptedPrompt.h"

#include <gtest/gtest.h>

#include <qwt_plot_curve.h>

#include <memory>
#include <vector>

// A plot widget set up as the host sets it up, answering its questions from a script instead
// of modal dialogs. The plot library's GUI tests derive their fixtures from it.
template <typename ScriptedPromptType = ScriptedPrompt>
class PlotServerFixture : public ::testing::Test
{
protected:
    PlotServerFixture()
    {
        auto scripted = std::make_unique<ScriptedPromptType>();
        prompt = scripted.get();
        server.setPrompt(std::move(scripted));
        server.begin("Kurvo", "X", "Y", "");
        // The tests find the tool panel's widgets by name, so the panel is there from the start,
        // as after the user first showed it.
        server.controls();
    }

    // Curve `id`'s y values, or its x values, as drawn.
    std::vector<double> values(int id, bool y) const
    {
        std::vector<double> v;
        const QwtPlotCurve* c = server.record(id)->curve;
        for (size_t i = 0; i < c->dataSize(); ++i)
            v.push_back(y ? c->sample(int(i)).y() : c->sample(int(i)).x());
        return v;
    }

    QString title(int id) const { return server.record(id)->curve->title().text(); }

    // Whether a line LogCollector collected starts with `start`.
    bool logged(const QString& start) const
    {
        for (const QString& line : LogCollector::lines())
            if (line.startsWith(start))
                return true;
        return false;
    }

    PlotServer server;
    ScriptedPromptType* prompt = nullptr;
};
