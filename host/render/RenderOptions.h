#pragma once

#include "TableOptions.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>

#include <map>
#include <string>
#include <vector>

// The command line of kurvo-render: inputs, then the operations in the order given.
struct RenderOptions {
    struct Step {
        enum Kind {
            Title, XTitle, YTitle, Range, LogX, LogY, Calibrate, Select, Stats, Dump, Output,
            Window, Fft, Db, Abs, Undo, Peaks, Units, PeaksTab, PeaksOut, Style, Symbol,
            ExportY, ExportX, ExportXls, Print, Psd, Amplitude, Tones, Harmonics, Sampling, Fit, FitModel,
            SaveProject, Spectrogram, SpectrogramOut, DbRange, NewCurve, Filter, Table, Pen, Antialias
        };
        Kind kind;
        QString text;
        // The window of the analyses is its index among the spectral windows: Psd holds
        // {length, overlap, window}, Amplitude {window}, Tones {count, window} and Harmonics
        // {fundamental, window}, Spectrogram {length, overlap, window} and DbRange {top, range}.
        QVector<double> numbers;
    };

    // "-" among them reads a data table from standard input, whose curves take `name`.
    QStringList inputs;
    QString name = QStringLiteral("stdin");
    // How text tables are read: these shape the reading, so they apply to every input.
    TableOptions table;
    std::vector<Step> steps;
    QSize size{1024, 768};
    bool fitFft = false;
    bool log = false;
    bool help = false;
    bool version = false;
    // Pages of --print in greyscale, as a greyscale printer gets them.
    bool greyscale = false;
    // The start values of --fit-start by parameter name and the file of --fit-out: they apply
    // to every fit, wherever they stand on the line.
    std::map<std::string, double> fitStarts;
    QString fitOut;

    // Fills `error` with a one-line reason and returns false on bad usage.
    bool parse(const QStringList& arguments, QString& error);

    static QString usage();
    // The value after option `arguments[i]`, which `i` then points at; false with the error
    // when the option is the last argument.
    static bool takeValue(const QStringList& arguments, int& i, QString& value, QString& error);

private:
    bool parseOption(const QStringList& arguments, int& i, QString& error);
    bool parseWindow(const QString& value, QString& error);
    bool parsePeaks(const QString& value, QString& error);
    bool parseTableOption(const QStringList& arguments, int& i, bool& taken, QString& error);
    bool parseAnalysis(const QStringList& arguments, int& i, bool& taken, QString& error);
};
