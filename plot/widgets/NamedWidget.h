#pragma once

#include "PlotTranslation.h"

#include <QLatin1String>

// Gives a widget the object name the tests find it by and, where there is one, the tool tip
// that says what it does.
template <typename Widget>
Widget* named(Widget* widget, const char* name, const char* tip = nullptr)
{
    widget->setObjectName(QLatin1String(name));
    if (tip)
        widget->setToolTip(translated(tip));
    return widget;
}
