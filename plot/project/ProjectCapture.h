#pragma once

struct ProjectState;
class PlotServer;

// What a plot widget shows, taken as a project: every curve with its samples (shared with the
// plot, not copied), titles, axes, calibration, the transform's window, the peak detector
// and the panels shown. The script is the host's to fill in.
class ProjectCapture
{
public:
    static ProjectState of(const PlotServer& server);
};
