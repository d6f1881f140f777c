#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

// What one input of a batch gave: how its run ended and the figures it left.
struct BatchResult {
    using Figures = std::vector<std::pair<QString, QString>>;

    QString input;
    // The input's name without folder and suffix, as its curves are named.
    QString name;
    bool ok = false;
    // Why it failed: the last line its run wrote on standard error.
    QString reason;
    // The statistics table's labels and values, every digit.
    Figures statistics;
    bool peaksAsked = false;
    QStringList positivePeaks;
    QStringList negativePeaks;
    // Tones, harmonic figures and fit parameters, in the order they were asked for.
    Figures figures;
    QByteArray picturePng;
};
