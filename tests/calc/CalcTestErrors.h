#pragma once

#include "CalcError.h"

#include <gtest/gtest.h>

#include <string>

// Runs an action that must throw the engine's exception and returns the chain.
template <class Action>
CalcError thrownBy(Action action)
{
    try {
        action();
    } catch (const CalcError& error) {
        return error;
    }
    ADD_FAILURE() << "no engine exception was thrown";
    return CalcError();
}

inline std::string identifierOf(const CalcError& error)
{
    return error.count() ? error.record(0).data.identifier() : std::string("(none)");
}
