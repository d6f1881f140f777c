#pragma once

#include "BatchResult.h"

class PlotServer;
struct RenderOptions;

// The figures an input's run hands to the batch that started it: a small JSON file beside
// the picture the report shows, both written once the run has done every step.
class BatchFigures
{
public:
    // The current curve's statistics, and the peak lists, tones, harmonic figures and fit
    // parameters the options asked for, into PREFIX.json; the plot into PREFIX.png when
    // `picture`. False with the reason when a file could not be written.
    static bool write(const PlotServer& server, const RenderOptions& options, const QString& prefix, bool picture,
                      QString& error);
    // Fills the figures of `result` from what `write` left; false when they are not there.
    static bool read(const QString& prefix, BatchResult& result);

private:
    static BatchResult collect(const PlotServer& server, const RenderOptions& options);
    static void addFit(const PlotServer& server, BatchResult::Figures& figures);
};
