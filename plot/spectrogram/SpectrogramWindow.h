#pragma once

#include "SpectrogramSource.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;
class Spectrogram;
class SpectrogramPlot;
class SpectrogramZoomer;

// The spectrogram of one curve in a window of its own: the plot, and the controls that
// recompute it (segment length, overlap, window) or only redraw it (frequency scale, colour
// map, level range). It keeps the curve's values, so it outlives changes to the curve; a
// recomputation that is refused keeps the picture it had and says why below it.
class SpectrogramWindow : public QWidget
{
    Q_OBJECT

public:
    // `first` is the spectrogram of `source` with `settings`.
    SpectrogramWindow(SpectrogramSource source, const SpectrogramSource::Settings& settings,
                      std::shared_ptr<const Spectrogram> first, QWidget* parent);
    ~SpectrogramWindow() override;

    SpectrogramPlot& plot() const { return *view; }
    // Why the last recomputation was refused, or what the picture shows.
    QString status() const;

private:
    QWidget* buildControls(const SpectrogramSource::Settings& settings);
    void recompute();
    void display(std::shared_ptr<const Spectrogram> spectrogram);
    void showLevelRange();
    void showLogFrequency();

    SpectrogramSource source;
    SpectrogramPlot* view = nullptr;
    SpectrogramZoomer* zoomer = nullptr;
    QComboBox* windowBox = nullptr;
    QSpinBox* lengthBox = nullptr;
    QSpinBox* overlapBox = nullptr;
    QCheckBox* logBox = nullptr;
    QComboBox* colorsBox = nullptr;
    QDoubleSpinBox* topBox = nullptr;
    QDoubleSpinBox* rangeBox = nullptr;
    QLabel* statusLabel = nullptr;
};
