#include "SpectralWindow.h"
#include "Spectrogram.h"
#include "spectrogram/SpectrogramPlot.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <qwt_plot_renderer.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr double kFs = 48000;

// The spectrogram of ten minutes at 48 kHz in segments of 2048 points at 50 %: a tone
// sweeping up and down every few seconds over noise.
std::shared_ptr<const Spectrogram> tenMinutes()
{
    static const std::shared_ptr<const Spectrogram> made = [] {
        std::mt19937_64 generator(3);
        std::normal_distribution<double> noise(0.0, 1e-3);
        std::vector<double> y(std::size_t(600 * kFs));
        double phase = 0;
        for (std::size_t n = 0; n < y.size(); ++n) {
            phase += 2 * M_PI * (3000 + 2000 * std::sin(2 * M_PI * double(n) / kFs / 7)) / kFs;
            y[n] = 0.5 * std::sin(phase) + noise(generator);
        }
        return std::make_shared<const Spectrogram>(y.data(), y.size(), kFs, 2048, 50,
                                                   std::size_t(spectralWindowIndex("Hann")));
    }();
    return made;
}

// One redraw of a 1600 × 1000 picture of the whole matrix (argument 0) or of ten seconds of
// it (argument 1), as a zoom asks for: the raster pools what the view shows.
void DrawTenMinutes(benchmark::State& state)
{
    SpectrogramPlot plot;
    plot.setSpectrogram(tenMinutes(), 0, false);
    if (state.range(0))
        plot.setAxisScale(QwtPlot::xBottom, 300, 310);
    QImage image(1600, 1000, QImage::Format_ARGB32);
    QwtPlotRenderer renderer;
    for (auto _ : state) {
        QPainter painter(&image);
        renderer.render(&plot, &painter, image.rect());
    }
}
BENCHMARK(DrawTenMinutes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
