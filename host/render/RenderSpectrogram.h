#pragma once

#include "RenderOptions.h"

#include <memory>

class PlotServer;
class QwtPlot;
class Spectrogram;
class SpectrogramPlot;

// The spectrogram in kurvo-render: its options, the spectrogram of the current curve drawn
// offscreen by the window's own plot, which the pictures of -o show from then on, and its
// matrix as CSV: a line "time,f_0,f_1,…" of the bins' frequencies, then "t,p_0,p_1,…" for each
// segment, its time in seconds from the curve's first value and its densities, each the
// shortest text that reads back as the same double.
class RenderSpectrogram
{
public:
    // --spectrogram, --spectrogram-out and --db-range; `taken` tells whether the option was one.
    static bool parseOption(const QStringList& arguments, int& i, RenderOptions& options, bool& taken,
                            QString& error);

    RenderSpectrogram(PlotServer& server, const QSize& size);
    ~RenderSpectrogram();

    // The plot -o draws once a spectrogram is made; null before.
    QwtPlot* picture() const;

    // False with the reason in `error`.
    bool apply(const RenderOptions::Step& step, QString& error);

private:
    bool make(const QVector<double>& settings, QString& error);
    bool write(const QString& path, QString& error) const;

    PlotServer& server;
    std::unique_ptr<SpectrogramPlot> plot;
    std::shared_ptr<const Spectrogram> last;
};
