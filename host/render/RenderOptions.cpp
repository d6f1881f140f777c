#include "RenderOptions.h"

#include "ImportFormats.h"
#include "RenderFit.h"
#include "RenderCurves.h"
#include "RenderPen.h"
#include "RenderSpectrogram.h"
#include "SpectralWindow.h"
#include "WindowFunction.h"

#include <cmath>
#include <limits>

namespace {

bool parseNumbers(const QString& text, int expected, QVector<double>& numbers)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != expected)
        return false;
    numbers.clear();
    for (const QString& part : parts) {
        bool ok = false;
        const double value = part.trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(value))
            return false;
        numbers << value;
    }
    return true;
}

bool parseSize(const QString& text, QSize& size)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    if (parts.size() != 2)
        return false;
    bool okWidth = false;
    bool okHeight = false;
    const int width = parts[0].toInt(&okWidth);
    const int height = parts[1].toInt(&okHeight);
    // Keeps a picture's pixels well within memory even at four bytes each.
    const int limit = 20000;
    if (!okWidth || !okHeight || width < 1 || height < 1 || width > limit || height > limit)
        return false;
    size = QSize(width, height);
    return true;
}

// One line per format of the Open dialog, so the help lists exactly what the window reads.
QString dataFormats()
{
    QString lines;
    for (const QString& filter : ImportFormats::filters())
        lines += QStringLiteral("  ") + filter + QLatin1Char('\n');
    return lines;
}

} // namespace

QString RenderOptions::usage()
{
    return QStringLiteral(
        "Usage: kurvo-render [OPTIONS] INPUT...\n"
        "Runs Math scripts (.ms) and loads data files as Kurvo does, applies the options in\n"
        "command-line order after every input is loaded, prints figures and writes files.\n"
        "An INPUT of - reads a data table from standard input. FILE.xlsx:SHEET (.ods, .xls),\n"
        "FILE.h5:/GROUP/DATASET, FILE.mat:VARIABLE and FILE.nc:VARIABLE read one part of a file;\n"
        "named without one, a workbook gives its first sheet, and an HDF5, MATLAB or netCDF file\n"
        "every 1-D and 2-D numeric dataset or variable of its root group. A project (.kurvo)\n"
        "replaces what the inputs before it showed, as the window opens it.\n"
        "\n"
        "  --fit-fft            load data files cut to a power of two (\"Change data size for FFT\")\n"
        "  --name NAME          name of the curves read from standard input (default stdin)\n"
        "  --x-column COL       the x column of text tables: a number from 1, a header name, or\n"
        "                       none (x counts the rows from 0)\n"
        "  --columns LIST       the columns drawn, numbers or names, comma-separated, in that order\n"
        "  --separator SEP      the field separator: , ; tab space | or one character\n"
        "  --decimal-comma, --decimal-point\n"
        "                       how numbers write their decimals\n"
        "  --skip N             lines before the table\n"
        "  --header N|none      the header's line after the skipped ones, or none\n"
        "  --no-units-row       keep a row of units below the header out of the curve names\n"
        "  --title T            plot title\n"
        "  --xtitle T           bottom axis title\n"
        "  --ytitle T           left axis title\n"
        "  --range X0,X1,Y0,Y1  the Range tab's limits\n"
        "  --log-x, --log-y     logarithmic axes\n"
        "  --calibrate FS       the \"Hor. Calib.\" value\n"
        "  --select ID          make curve ID the current curve\n"
        "  --stats              print the statistics of the current curve\n"
        "  --dump FILE          every curve's points as CSV (id,name,x,y); - for standard output\n"
        "  -o FILE              render the plot (.png, .jpg, .bmp, .svg or .pdf), write every curve\n"
        "                       as a table (.csv, .txt, or .xlsx with a header row of names) or the\n"
        "                       current curve as a WAV file (.wav)\n"
        "  --export-y FILE      the current curve's y values as the Export menu's \"Left Data\"\n"
        "                       does: DIF (.dif), text (.txt) or a workbook (.xls)\n"
        "  --export-x FILE      its x values, as \"Bottom Data\" does\n"
        "  --export-xls FILE    the current curve as a workbook, as \"Excel\" does\n"
        "  --print FILE.pdf     print the plot as Print does, onto a PDF file instead of paper\n"
        "  --save-project FILE.kurvo\n"
        "                       the plot as the options before it left it, as a project with the\n"
        "                       text of the last script run\n"
        "  --greyscale          print greyscale pages (no canvas, the plot framed by its scales)\n"
        "  --window NAME        apply a window function to every curve: Triangular, Welch, Sine,\n"
        "                       Hann, Hamming, Blackman, Nuttall, \"Blackman Nuttall\",\n"
        "                       \"Blackman Harris\", \"Flat top\", Gaussian, or its number 0 to 10\n"
        "  --fft                Fourier transform of every curve (magnitudes, bin k at k*FS/N)\n"
        "  --db                 every curve in dB, after the absolute-value shift\n"
        "  --abs                lift every curve by the magnitude of its minimum\n"
        "  --psd L[,OVERLAP[,WINDOW]]\n"
        "                       every curve as its power spectral density, averaged over segments of\n"
        "                       L points (2 to 16777216) that overlap by OVERLAP percent (0 to 99, 50)\n"
        "  --amplitude [WINDOW] every curve as its amplitude spectrum: a sine of amplitude A reads A\n"
        "  --undo               undo the last of these operations\n"
        "  --style NAME         drawing style of all curves: Lines, Sticks, Steps or Dots\n"
        "  --symbol NAME[,SIZE[,PEN[,BRUSH]]]\n"
        "                       symbols on the current curve: NoSymbol, Ellipse, Rect, Diamond, ...;\n"
        "                       size in pixels (5), colours as names or #rrggbb (white, black)\n"
        "  --peaks DELTA,THRESHOLD[,subtract]\n"
        "                       run the peak detector on the current curve and print both lists\n"
        "  --units TEXT         the units of the peak lists: #, ns, us, ms, s, Hz, kHz, MHz, GHz\n"
        "  --tones N[,WINDOW]   print the N (1 to 100) strongest tones of the current curve, strongest\n"
        "                       first, one frequency,amplitude line each\n"
        "  --harmonics [F0][,WINDOW]\n"
        "                       print the harmonic figures of the current curve as name,value lines:\n"
        "                       fundamental_hz, fundamental_amplitude, thd_percent, thd_db, thdn_db,\n"
        "                       snr_db, sinad_db, enob_bits, sfdr_dbc; F0 is the fundamental in Hz,\n"
        "                       0 or none for the strongest tone\n"
        "  --sampling           print the rate, jitter and gaps of the current curve's x steps as\n"
        "                       name,value lines\n"
        "                       The WINDOW of these analyses is Hann unless named: Rectangular or one\n"
        "                       of --window's names. An optional value is taken when the next\n"
        "                       argument reads as one. Their sampling frequency is an audio file's\n"
        "                       rate, else the --calibrate value, else the rate of the curve's x steps\n"
        "  --fit EXPR           fit EXPR, an expression of x whose other names are its parameters, to\n"
        "                       the current curve's points within the plot's x range (--range), add the\n"
        "                       curve \"fit: EXPR\" and print param,NAME,VALUE,STDERR for each\n"
        "                       parameter, then rss, rsd, dof, r2 and iterations as name,value lines\n"
        "  --fit-model NAME     the same with a built-in model whose start values come from the data:\n"
        "                       line, poly:N (N from 1 to 10), exp, gauss, lorentz, sine, power or\n"
        "                       logistic\n"
        "  --fit-start LIST     start values of --fit as NAME=VALUE pairs separated by commas; the\n"
        "                       other parameters start at 1\n"
        "  --fit-out FILE       write the lines of the fits to FILE as well\n")
        + RenderCurves::usage() + RenderPen::usage() + QStringLiteral(
        "  --spectrogram L[,OVERLAP[,WINDOW]]\n"
        "                       the spectrogram of the current curve in segments of L points (2 to\n"
        "                       16777216), OVERLAP percent (default 50) and one of --psd's windows\n"
        "                       (default Hann); the pictures of -o after it show it: time, frequency\n"
        "                       and the level in dB as colour\n"
        "  --spectrogram-out FILE\n"
        "                       write the last --spectrogram's matrix as CSV: time,f_0,f_1,... then\n"
        "                       t,p_0,p_1,... for each segment, t in seconds from the curve's first\n"
        "                       point and p the densities in unit^2/Hz, every digit\n"
        "  --db-range TOP,RANGE the levels a spectrogram's colours span, from TOP - RANGE to TOP dB;\n"
        "                       TOP auto (the default) follows the loudest level, RANGE is 100\n"
        "  --peaks-tab TAB      the list --peaks-out saves: positive (default) or negative\n"
        "  --peaks-out FILE     save the peak list as the panel's SAVE does\n"
        "  --size WxH           picture size in pixels (default 1024x768)\n"
        "  --log                copy the plot library's log lines to standard error\n"
        "  -h, --help           this text\n"
        "  --version            print the version and exit\n"
        "\n"
        "The table options apply to every input, wherever they stand on the line.\n"
        "Data files are read by their suffix, in any case; any other suffix is read as a text table:\n")
        + dataFormats()
        + QStringLiteral("\nExit status: 0 success, 1 a script failed or has nothing to draw (PARSER ERROR) or\n"
                          "a fit failed, 2 bad usage, unreadable input or a file that could not be written.\n");
}

bool RenderOptions::parse(const QStringList& arguments, QString& error)
{
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg.startsWith(QLatin1Char('-')) && arg != QLatin1String("-")) {
            if (!parseOption(arguments, i, error))
                return false;
            if (help || version)
                return true;
        } else {
            inputs << arg;
        }
    }
    if (inputs.isEmpty()) {
        error = QStringLiteral("no input given (see --help)");
        return false;
    }
    // A second read of standard input would only find it at its end.
    if (inputs.count(QStringLiteral("-")) > 1) {
        error = QStringLiteral("standard input (-) can be read only once");
        return false;
    }
    return true;
}

// A window by the name the Process tab lists, in any case, or by its place in that list.
bool RenderOptions::parseWindow(const QString& value, QString& error)
{
    QStringList names;
    for (std::size_t i = 0; i < kWindowFunctionCount; ++i) {
        names << QLatin1String(windowFunctionName(i));
        bool isNumber = false;
        const int index = value.toInt(&isNumber);
        if ((isNumber && index == int(i)) || value.compare(names.back(), Qt::CaseInsensitive) == 0) {
            steps.push_back({Step::Window, names.back(), {double(i)}});
            return true;
        }
    }
    error = QStringLiteral("--window takes one of %1, or its number 0 to %2: %3")
                .arg(names.join(QStringLiteral(", ")))
                .arg(kWindowFunctionCount - 1)
                .arg(value);
    return false;
}

// DELTA,THRESHOLD with an optional third field "subtract": numbers {delta, threshold, 0 or 1}.
bool RenderOptions::parsePeaks(const QString& value, QString& error)
{
    QStringList fields = value.split(QLatin1Char(','));
    const bool subtract = fields.size() == 3 && fields.back() == QLatin1String("subtract");
    if (subtract)
        fields.removeLast();
    Step step{Step::Peaks, value, {}};
    if (!parseNumbers(fields.join(QLatin1Char(',')), 2, step.numbers) || step.numbers[0] < 0 || step.numbers[1] < 0) {
        error = QStringLiteral("--peaks takes DELTA,THRESHOLD[,subtract], both 0 or more: %1").arg(value);
        return false;
    }
    step.numbers << (subtract ? 1.0 : 0.0);
    steps.push_back(step);
    return true;
}

namespace {

// A separator by name, or any one character that is no letter, digit or quote.
bool parseSeparator(const QString& value, char& separator)
{
    static const std::pair<const char*, char> names[] = {{"tab", '\t'}, {"space", ' '}, {"comma", ','},
                                                         {"semicolon", ';'}, {"pipe", '|'}};
    for (const auto& [name, character] : names) {
        if (value.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) {
            separator = character;
            return true;
        }
    }
    if (value.size() != 1 || value[0].unicode() > 0x7F || value[0] == QLatin1Char('"') || value[0].isLetterOrNumber())
        return false;
    separator = value[0].toLatin1();
    return true;
}

} // namespace

namespace {

const int kLongestSegment = 1 << 24;

QString spectralWindowNames()
{
    QStringList names;
    for (std::size_t i = 0; i < kSpectralWindowCount; ++i)
        names << QLatin1String(spectralWindowName(i));
    return names.join(QStringLiteral(", "));
}

bool isSpectralWindow(const QString& name)
{
    return spectralWindowIndex(name.toStdString()) >= 0;
}

// A window by name, Hann when none is given.
bool parseSpectralWindow(const QString& option, const QString& name, QVector<double>& numbers, QString& error)
{
    const int index = spectralWindowIndex((name.isNull() ? QStringLiteral("Hann") : name).toStdString());
    if (index >= 0) {
        numbers << double(index);
        return true;
    }
    error = QStringLiteral("%1: no window is called %2; the windows are %3").arg(option, name, spectralWindowNames());
    return false;
}

bool parseWhole(const QString& text, int minimum, int maximum, double& value)
{
    bool ok = false;
    const int whole = text.trimmed().toInt(&ok);
    value = whole;
    return ok && whole >= minimum && whole <= maximum;
}

bool parseReal(const QString& text, double minimum, double maximum, double& value)
{
    bool ok = false;
    value = text.trimmed().toDouble(&ok);
    return ok && value >= minimum && value <= maximum;
}

// L[,OVERLAP[,WINDOW]]
bool parsePsd(const QString& value, QVector<double>& numbers, QString& error)
{
    const QStringList fields = value.split(QLatin1Char(','));
    double length = 0;
    double overlap = 50;
    if (fields.size() > 3 || !parseWhole(fields[0], 2, kLongestSegment, length)
        || (fields.size() > 1 && !parseReal(fields[1], 0, 99, overlap))) {
        error = QStringLiteral("--psd takes L[,OVERLAP[,WINDOW]] with L from 2 to %1 points and OVERLAP from 0 to "
                               "99 percent: %2")
                    .arg(kLongestSegment)
                    .arg(value);
        return false;
    }
    numbers << length << overlap;
    return parseSpectralWindow(QStringLiteral("--psd"), fields.value(2), numbers, error);
}

// N[,WINDOW]
bool parseTones(const QString& value, QVector<double>& numbers, QString& error)
{
    const QStringList fields = value.split(QLatin1Char(','));
    double count = 0;
    if (fields.size() > 2 || !parseWhole(fields[0], 1, 100, count)) {
        error = QStringLiteral("--tones takes N[,WINDOW] with N from 1 to 100: %1").arg(value);
        return false;
    }
    numbers << count;
    return parseSpectralWindow(QStringLiteral("--tones"), fields.value(1), numbers, error);
}

// [F0][,WINDOW], or a window alone.
bool parseHarmonics(const QString& value, QVector<double>& numbers, QString& error)
{
    QStringList fields = value.split(QLatin1Char(','));
    if (fields.size() == 1 && isSpectralWindow(fields[0]))
        fields.prepend(QString());
    double fundamental = 0;
    const bool given = !fields[0].trimmed().isEmpty();
    if (fields.size() > 2 || (given && !parseReal(fields[0], 0, std::numeric_limits<double>::max(), fundamental))) {
        error = QStringLiteral("--harmonics takes [F0][,WINDOW] with F0 a frequency in Hz, 0 or more: %1").arg(value);
        return false;
    }
    numbers << fundamental;
    return parseSpectralWindow(QStringLiteral("--harmonics"), fields.value(1), numbers, error);
}

// The value of an option that may stand alone: the next argument when it is no option and
// reads as such a value.
bool optionalValue(const QStringList& arguments, int i, bool (*readsAsValue)(const QString&))
{
    return i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1Char('-')) && readsAsValue(arguments[i + 1]);
}

bool readsAsHarmonics(const QString& text)
{
    bool isNumber = false;
    text.toDouble(&isNumber);
    return isNumber || text.contains(QLatin1Char(',')) || isSpectralWindow(text);
}

} // namespace

// The spectral analyses; `taken` tells whether the option was one.
bool RenderOptions::parseAnalysis(const QStringList& arguments, int& i, bool& taken, QString& error)
{
    const QString option = arguments[i];
    taken = true;
    Step step{Step::Sampling, QString(), {}};
    bool parsed = true;
    if (option == QLatin1String("--sampling")) {
        step.kind = Step::Sampling;
    } else if (option == QLatin1String("--psd")) {
        step.kind = Step::Psd;
        parsed = takeValue(arguments, i, step.text, error) && parsePsd(step.text, step.numbers, error);
    } else if (option == QLatin1String("--tones")) {
        step.kind = Step::Tones;
        parsed = takeValue(arguments, i, step.text, error) && parseTones(step.text, step.numbers, error);
    } else if (option == QLatin1String("--amplitude")) {
        step.kind = Step::Amplitude;
        if (optionalValue(arguments, i, isSpectralWindow))
            step.text = arguments[++i];
        parsed = parseSpectralWindow(option, step.text, step.numbers, error);
    } else if (option == QLatin1String("--harmonics")) {
        step.kind = Step::Harmonics;
        if (optionalValue(arguments, i, readsAsHarmonics))
            step.text = arguments[++i];
        parsed = parseHarmonics(step.text, step.numbers, error);
    } else {
        taken = false;
        return true;
    }
    if (parsed)
        steps.push_back(step);
    return parsed;
}

// The options that shape how tables are read; `taken` tells whether the option was one.
bool RenderOptions::parseTableOption(const QStringList& arguments, int& i, bool& taken, QString& error)
{
    const QString option = arguments[i];
    taken = true;
    QString value;
    if (option == QLatin1String("--decimal-comma") || option == QLatin1String("--decimal-point")) {
        table.decimal = option.endsWith(QLatin1String("comma")) ? TableOptions::DecimalMark::Comma
                                                                : TableOptions::DecimalMark::Point;
        return true;
    }
    if (option == QLatin1String("--no-units-row")) {
        table.unitsRow = false;
        return true;
    }
    if (option == QLatin1String("--x-column")) {
        if (!takeValue(arguments, i, table.xColumn, error))
            return false;
        table.xColumn = table.xColumn.trimmed();
        if (!table.xColumn.isEmpty())
            return true;
        error = QStringLiteral("--x-column takes a column number, a name or none");
        return false;
    }
    if (option == QLatin1String("--columns")) {
        if (!takeValue(arguments, i, value, error))
            return false;
        table.columns.clear();
        for (const QString& column : value.split(QLatin1Char(',')))
            table.columns << column.trimmed();
        if (!table.columns.contains(QString()))
            return true;
        error = QStringLiteral("--columns takes numbers or names separated by commas: %1").arg(value);
        return false;
    }
    if (option == QLatin1String("--separator")) {
        if (!takeValue(arguments, i, value, error))
            return false;
        if (parseSeparator(value, table.separator))
            return true;
        error = QStringLiteral("--separator takes , ; tab space | or one character: %1").arg(value);
        return false;
    }
    if (option == QLatin1String("--skip")) {
        if (!takeValue(arguments, i, value, error))
            return false;
        bool ok = false;
        table.skip = value.toInt(&ok);
        if (ok && table.skip >= 0)
            return true;
        error = QStringLiteral("--skip takes a number of lines, 0 or more: %1").arg(value);
        return false;
    }
    if (option == QLatin1String("--header")) {
        if (!takeValue(arguments, i, value, error))
            return false;
        bool ok = value.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0;
        table.header = ok ? 0 : value.toInt(&ok);
        if (ok && table.header >= 0 && value != QLatin1String("0"))
            return true;
        error = QStringLiteral("--header takes a line number from 1, or none: %1").arg(value);
        return false;
    }
    taken = false;
    return true;
}

bool RenderOptions::takeValue(const QStringList& arguments, int& i, QString& value, QString& error)
{
    if (i + 1 >= arguments.size()) {
        error = QStringLiteral("%1 needs a value").arg(arguments[i]);
        return false;
    }
    value = arguments[++i];
    return true;
}

bool RenderOptions::parseOption(const QStringList& arguments, int& i, QString& error)
{
    const QString option = arguments[i];
    struct Flag {
        const char* name;
        Step::Kind kind;
    };
    static const Flag flags[] = {{"--log-x", Step::LogX}, {"--log-y", Step::LogY}, {"--stats", Step::Stats},
                                 {"--fft", Step::Fft},    {"--db", Step::Db},      {"--abs", Step::Abs},
                                 {"--undo", Step::Undo}};
    static const Flag texts[] = {{"--title", Step::Title},       {"--xtitle", Step::XTitle},
                                 {"--ytitle", Step::YTitle},     {"--dump", Step::Dump},
                                 {"-o", Step::Output},           {"--units", Step::Units},
                                 {"--peaks-tab", Step::PeaksTab}, {"--peaks-out", Step::PeaksOut},
                                 {"--style", Step::Style},       {"--symbol", Step::Symbol},
                                 {"--export-y", Step::ExportY},  {"--export-x", Step::ExportX},
                                 {"--export-xls", Step::ExportXls}, {"--print", Step::Print},
                                 {"--save-project", Step::SaveProject}};

    if (option == QLatin1String("-h") || option == QLatin1String("--help")) {
        help = true;
        return true;
    }
    if (option == QLatin1String("--version")) {
        version = true;
        return true;
    }
    if (option == QLatin1String("--fit-fft")) {
        fitFft = true;
        return true;
    }
    if (option == QLatin1String("--log")) {
        log = true;
        return true;
    }
    bool taken = false;
    if (!parseTableOption(arguments, i, taken, error))
        return false;
    if (taken)
        return true;
    if (!parseAnalysis(arguments, i, taken, error))
        return false;
    if (taken)
        return true;
    if (!RenderFit::parseOption(arguments, i, *this, taken, error))
        return false;
    if (taken)
        return true;
    if (!RenderSpectrogram::parseOption(arguments, i, *this, taken, error))
        return false;
    if (taken)
        return true;
    if (!RenderCurves::parseOption(arguments, i, *this, taken, error))
        return false;
    if (taken)
        return true;
    if (!RenderPen::parseOption(arguments, i, *this, taken, error))
        return false;
    if (taken)
        return true;
    if (option == QLatin1String("--greyscale")) {
        greyscale = true;
        return true;
    }
    for (const Flag& flag : flags) {
        if (option == QLatin1String(flag.name)) {
            steps.push_back({flag.kind, QString(), {}});
            return true;
        }
    }
    QString value;
    for (const Flag& text : texts) {
        if (option == QLatin1String(text.name)) {
            if (!takeValue(arguments, i, value, error))
                return false;
            steps.push_back({text.kind, value, {}});
            return true;
        }
    }
    if (option == QLatin1String("--name"))
        return takeValue(arguments, i, name, error);
    if (option == QLatin1String("--window"))
        return takeValue(arguments, i, value, error) && parseWindow(value, error);
    if (option == QLatin1String("--peaks"))
        return takeValue(arguments, i, value, error) && parsePeaks(value, error);
    if (option == QLatin1String("--size")) {
        if (!takeValue(arguments, i, value, error))
            return false;
        if (!parseSize(value, size)) {
            error = QStringLiteral("--size takes WIDTHxHEIGHT in pixels, from 1 to 20000: %1").arg(value);
            return false;
        }
        return true;
    }
    struct Numbers {
        const char* name;
        Step::Kind kind;
        int count;
        const char* form;
    };
    static const Numbers numbers[] = {{"--range", Step::Range, 4, "four numbers X0,X1,Y0,Y1"},
                                      {"--calibrate", Step::Calibrate, 1, "a number"},
                                      {"--select", Step::Select, 1, "a number"}};
    for (const Numbers& entry : numbers) {
        if (option != QLatin1String(entry.name))
            continue;
        if (!takeValue(arguments, i, value, error))
            return false;
        Step step{entry.kind, value, {}};
        if (!parseNumbers(value, entry.count, step.numbers)) {
            error = QStringLiteral("%1 takes %2: %3").arg(option, QLatin1String(entry.form), value);
            return false;
        }
        steps.push_back(step);
        return true;
    }
    error = QStringLiteral("unknown option %1 (see --help)").arg(option);
    return false;
}
