#pragma once

#include "PlotServer.h"
#include "ScriptedPrompt.h"

#include <gtest/gtest.h>

#include <memory>

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
    }

    PlotServer server;
    ScriptedPromptType* prompt = nullptr;
};
