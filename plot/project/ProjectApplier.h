#pragma once

#include <QString>

struct ProjectState;
class PlotServer;

// Shows a project in a plot widget in place of everything it showed: curves, titles, axes,
// calibration, the transform's window, the peak detector and the panels. The zoom history
// starts afresh at the project's view, and Undo has nothing to undo: its steps belonged to
// curves the project replaced.
class ProjectApplier
{
public:
    // Why the widget cannot show `state` as it is; empty when it can. Asked before `apply`,
    // so that a project is shown whole or not at all.
    static QString refusal(const PlotServer& server, const ProjectState& state);
    static void apply(PlotServer& server, const ProjectState& state);

private:
    static void showCurves(PlotServer& server, const ProjectState& state);
    static void showAxes(PlotServer& server, const ProjectState& state);
    static void showPanels(PlotServer& server, const ProjectState& state);
};
