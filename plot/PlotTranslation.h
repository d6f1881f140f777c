#pragma once

#include <QCoreApplication>
#include <QString>

// The plot widget's texts are translated in one context, the widget's, wherever they are
// shown: its panels, dialogs and windows.
inline QString translated(const char* text)
{
    return QCoreApplication::translate("PlotServer", text);
}
