#include "RenderSession.h"

#include "CurveMenu.h"
#include "CurveStore.h"
#include "DataImporter.h"
#include "DataSource.h"
#include "PlotImageWriter.h"
#include "PlotServer.h"
#include "RefusingPrompt.h"
#include "RenderAnalysis.h"
#include "RenderCurves.h"
#include "RenderPen.h"
#include "RenderProject.h"
#include "RenderFit.h"
#include "RenderSpectrogram.h"
#include "ScriptFile.h"
#include "ScriptRun.h"
#include "PeakPanel.h"
#include "StatisticsCells.h"
#include "TextTableReader.h"
#include "UndoStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QFileInfo>
#include <QTabWidget>
#include <QTextStream>
#include <QToolButton>

#include <qwt_plot.h>
#include <qwt_plot_curve.h>

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <new>
#include <string>

namespace {

QTextStream* logStream = nullptr;
// The last line of the library's log: why an input gave no curve.
QString lastLogLine;

void copyLogLine(const QString& line)
{
    lastLogLine = line;
    if (logStream)
        *logStream << line << '\n' << Qt::flush;
}

// Shortest text that reads back as the same double. Every NaN is written "nan": the sign
// a NaN carries means nothing, and "-nan" is no number any reader reads.
QString shortestNumber(double value)
{
    if (std::isnan(value))
        return QStringLiteral("nan");
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

// Every byte up to the end, unchanged: a table's line ends and encoding are the reader's to judge.
bool readStandardInput(std::string& bytes)
{
    char buffer[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0)
        bytes.append(buffer, got);
    return !std::ferror(stdin);
}

QStringList itemTexts(const QComboBox* box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

RenderSession::RenderSession(const RenderOptions& options, QTextStream& out, QTextStream& err)
    : options(options)
    , out(out)
    , err(err)
    , server(std::make_unique<PlotServer>())
{
    auto refusing = std::make_unique<RefusingPrompt>();
    prompt = refusing.get();
    server->setPrompt(std::move(refusing));
    server->resize(options.size);
    server->begin(QStringLiteral("Kurvo"), QStringLiteral("X"), QStringLiteral("Y"), QString());
    project = std::make_unique<RenderProject>(*server);
    if (options.log)
        logStream = &err;
    server->setLogCallback(copyLogLine);
    server->dataImporter().setTableOptions(options.table);
}

RenderSession::~RenderSession()
{
    logStream = nullptr;
    lastLogLine.clear();
}

RenderSession::Status RenderSession::fail(const QString& reason)
{
    err << "kurvo-render: " << reason << '\n' << Qt::flush;
    return BadInput;
}

RenderSession::Status RenderSession::run()
{
    for (const QString& input : options.inputs) {
        const Status status = load(input);
        if (status != Success)
            return status;
    }
    for (const RenderOptions::Step& step : options.steps) {
        const Status status = apply(step);
        if (status != Success)
            return status;
        if (!prompt->firstQuestion().isEmpty())
            return fail(QStringLiteral("would have to ask \"%1\"").arg(prompt->firstQuestion()));
    }
    return Success;
}

RenderSession::Status RenderSession::load(const QString& input)
{
    if (input == QLatin1String("-"))
        return loadStandardInput();
    // "data.xlsx:Sheet2" names a part of a file.
    const QFileInfo info(DataSource::of(input).file);
    if (!info.isFile() || !info.isReadable())
        return fail(QStringLiteral("cannot read %1").arg(input));
    // Scripts, like data files, are known by their suffix in any case.
    if (info.suffix().compare(QLatin1String("ms"), Qt::CaseInsensitive) == 0)
        return runScript(input);
    if (info.suffix().compare(QLatin1String("kurvo"), Qt::CaseInsensitive) == 0)
        return openProject(input);
    return loadData(input);
}

RenderSession::Status RenderSession::openProject(const QString& path)
{
    QString error;
    return project->open(path, error) ? Success : fail(error);
}

RenderSession::Status RenderSession::saveProject(const QString& path)
{
    QString error;
    return project->save(path, error) ? Success : fail(error);
}

// What a script file lacks to draw anything, empty when it has an expression. The window
// runs such a script to a curve of NaN; a command line that asked for a plot is told.
QString RenderSession::missingExpression(const QString& text, const ScriptSettings& settings)
{
    if (text.contains(QChar(0)))
        return QStringLiteral("not a UTF-8 text file: no statement can be read");
    if (text.trimmed().isEmpty())
        return QStringLiteral("the script is empty: it needs a line expr = EXPRESSION");
    if (settings.expression.isEmpty())
        return QStringLiteral("no expression: the script needs a line expr = EXPRESSION");
    return QString();
}

RenderSession::Status RenderSession::scriptFailed(const QString& path, const QString& reason)
{
    err << "PARSER ERROR: " << path << ": " << reason << '\n' << Qt::flush;
    return ScriptFailed;
}

// As RUN does: a failed run still sets the titles but adds no curve.
RenderSession::Status RenderSession::runScript(const QString& path)
{
    QString text;
    QString error;
    if (!ScriptFile::load(path, text, error))
        return fail(QStringLiteral("cannot read %1: %2").arg(path, error));
    try {
        const QString missing = missingExpression(text, ScriptReader::read(text));
        if (!missing.isEmpty())
            return scriptFailed(path, missing);
        project->setScript(text);
        const ScriptResult run = ::runScript(text);
        const bool plotted = run.ok && plotCurve(run);
        server->setTitle(run.settings.title);
        server->setXTitle(run.settings.xTitle);
        server->setYTitle(run.settings.yTitle);
        if (plotted)
            return Success;
        return scriptFailed(path, run.ok ? notEnoughMemoryFor(run.settings.count) : run.error);
    } catch (const std::bad_alloc&) {
        return scriptFailed(path, QStringLiteral("Not enough memory to run the script"));
    }
}

// The plot shares the points; a curve that memory cannot hold adds none.
bool RenderSession::plotCurve(const ScriptResult& run)
{
    try {
        server->createEvenPlot(-1, run.settings.curveName, run.x.start, run.x.step, run.yValues, 0);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

RenderSession::Status RenderSession::loadData(const QString& path)
{
    const int before = server->curves();
    server->addCurve(-1, path, QFileInfo(path).baseName(), options.fitFft);
    return curvesAdded(before, path);
}

// Any text table a data file may hold, read as a file of no known suffix is.
RenderSession::Status RenderSession::loadStandardInput()
{
    const QString source = QStringLiteral("standard input");
    std::string bytes;
    try {
        if (!readStandardInput(bytes))
            return fail(QStringLiteral("cannot read %1").arg(source));
    } catch (const std::bad_alloc&) {
        return fail(QStringLiteral("not enough memory to read %1").arg(source));
    }
    const int before = server->curves();
    server->loadFrom(-1, source, options.name,
                     [&] { return TextTableReader::read(bytes, options.name, options.fitFft, options.table); });
    return curvesAdded(before, source);
}

// A transform the window refuses (curves with gaps) leaves the plot as it was; a command
// that asked for a spectrum is told so rather than drawing the curves untransformed.
RenderSession::Status RenderSession::transform()
{
    lastLogLine.clear();
    if (!server->applyDFT())
        return fail(lastLogLine.mid(7));
    return Success;
}

// An undo that gives nothing back leaves the plot as the operations before it made it, which
// is not the picture the command line asked for.
RenderSession::Status RenderSession::undo()
{
    const UndoStore& snapshots = server->undoFiles();
    if (snapshots.counter() == 0)
        return fail(QStringLiteral("--undo: there is nothing to undo"));
    server->undo();
    if (!snapshots.lastFailure().isEmpty())
        return fail(QStringLiteral("--undo: %1").arg(snapshots.lastFailure().mid(7)));
    return Success;
}

RenderSession::Status RenderSession::curvesAdded(int before, const QString& source)
{
    if (server->curves() == before) {
        QString reason = lastLogLine;
        reason.remove(QRegularExpression(QStringLiteral("^Kurvo: ")));
        const QString said = reason.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(reason);
        return fail(QStringLiteral("no curve could be read from %1%2").arg(source, said));
    }
    return Success;
}

RenderSession::Status RenderSession::apply(const RenderOptions::Step& step)
{
    using Step = RenderOptions::Step;
    switch (step.kind) {
    case Step::Title:
        server->setTitle(step.text);
        return Success;
    case Step::XTitle:
        server->setXTitle(step.text);
        return Success;
    case Step::YTitle:
        server->setYTitle(step.text);
        return Success;
    case Step::Range:
        server->setHorizStart(step.numbers[0]);
        server->setHorizStop(step.numbers[1]);
        server->setVertiLow(step.numbers[2]);
        server->setVertiHigh(step.numbers[3]);
        return Success;
    case Step::LogX:
        server->logXaxysSlot(true);
        return Success;
    case Step::LogY:
        server->logYaxysSlot(true);
        return Success;
    case Step::Calibrate:
        server->setHorCalibration(step.numbers[0]);
        return Success;
    case Step::Select:
        return select(step.numbers[0]);
    case Step::Stats:
        return printStatistics();
    case Step::Dump:
        return dump(step.text);
    case Step::Output:
        return render(step.text);
    case Step::Window:
        server->windowFunction(int(step.numbers[0]));
        return Success;
    case Step::Fft:
        return transform();
    case Step::Db:
        server->applyDB();
        return Success;
    case Step::Abs:
        server->applyAbs();
        return Success;
    case Step::Undo:
        return undo();
    case Step::Peaks:
        return printPeaks(step.numbers);
    case Step::Units:
        return chooseUnits(step.text);
    case Step::PeaksTab:
        return choosePeakTab(step.text);
    case Step::PeaksOut:
        if (!server->peakSave(step.text))
            return fail(QStringLiteral("Can't write file %1").arg(step.text));
        return Success;
    case Step::Style:
        return chooseStyle(step.text);
    case Step::Symbol:
        return giveSymbol(step.text);
    case Step::Print:
        return printTo(step.text);
    case Step::ExportY:
    case Step::ExportX:
    case Step::ExportXls:
        return exportCurve(step);
    case Step::Psd:
    case Step::Amplitude:
    case Step::Tones:
    case Step::Harmonics:
    case Step::Sampling:
        return analyse(step);
    case Step::Fit:
    case Step::FitModel:
        return fit(step);
    case Step::SaveProject:
        return saveProject(step.text);
    case Step::Spectrogram:
    case Step::SpectrogramOut:
    case Step::DbRange:
        return spectrogramStep(step);
    case Step::NewCurve:
    case Step::Filter:
    case Step::Table: {
        QString error;
        return RenderCurves(*server, out).apply(step, error) ? Success : fail(error);
    }
    case Step::Pen:
    case Step::Antialias: {
        QString error;
        return RenderPen(*server).apply(step, error) ? Success : fail(error);
    }
    }
    return Success;
}

// Identifiers are whole numbers from 0 to INT_MAX; any other number names no curve.
RenderSession::Status RenderSession::select(double number)
{
    const bool identifier = number >= 0 && number <= INT_MAX && number == std::floor(number);
    if (!identifier || !server->record(int(number)))
        return fail(QStringLiteral("--select: there is no curve %1").arg(QString::number(number)));
    server->selectCurve(int(number));
    return Success;
}

RenderSession::Status RenderSession::printStatistics()
{
    const CurveRecord* record = server->record(server->currentCurve());
    if (!record)
        return fail(QStringLiteral("--stats: there is no current curve"));
    for (const StatisticsCell& cell : StatisticsCell::all())
        out << cell.label << ' ' << cell.valueText(*record) << '\n';
    out.flush();
    return Success;
}

// As the panel does it: the Peak button on, the three fields set, EVAL pressed.
RenderSession::Status RenderSession::printPeaks(const QVector<double>& settings)
{
    if (!server->record(server->currentCurve()))
        return fail(QStringLiteral("--peaks: there is no current curve"));
    const PlotServerUi& panel = server->controls();
    panel.deltaSB->setValue(settings[0]);
    panel.thresholdSB->setValue(settings[1]);
    panel.minimumCB->setChecked(settings[2] != 0.0);
    panel.peakTB->setChecked(true);
    server->peakSlot(true);
    server->evaluateSlot();
    for (const bool positive : {true, false}) {
        out << (positive ? "Positive" : "Negative") << '\n';
        for (const QString& entry : server->peakPanel().entries(positive))
            out << entry << '\n';
    }
    out.flush();
    return Success;
}

RenderSession::Status RenderSession::chooseUnits(const QString& units)
{
    auto* box = server->controls().unitsCB;
    const int index = box->findText(units);
    if (index < 0)
        return fail(QStringLiteral("--units takes one of %1: %2").arg(itemTexts(box).join(QStringLiteral(", ")), units));
    box->setCurrentIndex(index);
    return Success;
}

RenderSession::Status RenderSession::choosePeakTab(const QString& tab)
{
    auto* tabs = server->controls().foundPeaks;
    for (int i = 0; i < tabs->count(); ++i) {
        if (tab.compare(tabs->tabText(i), Qt::CaseInsensitive) == 0) {
            tabs->setCurrentIndex(i);
            return Success;
        }
    }
    return fail(QStringLiteral("--peaks-tab takes positive or negative: %1").arg(tab));
}

RenderSession::Status RenderSession::chooseStyle(const QString& style)
{
    const auto* box = server->controls().stylesCB;
    for (int i = 0; i < box->count(); ++i) {
        if (style.compare(box->itemText(i), Qt::CaseInsensitive) == 0) {
            server->setPlotStyle(i);
            return Success;
        }
    }
    return fail(QStringLiteral("--style takes one of %1: %2").arg(itemTexts(box).join(QStringLiteral(", ")), style));
}

// NAME[,SIZE[,PEN[,BRUSH]]]: what the Attribute dialog would ask, with its first presets.
RenderSession::Status RenderSession::giveSymbol(const QString& value)
{
    const QStringList fields = value.split(QLatin1Char(','));
    QwtSymbol::Style style = QwtSymbol::NoSymbol;
    bool sized = true;
    const int size = fields.size() > 1 ? fields[1].toInt(&sized) : 5;
    const QColor pen(fields.size() > 2 ? fields[2] : QStringLiteral("white"));
    const QColor brush(fields.size() > 3 ? fields[3] : QStringLiteral("black"));
    if (fields.size() > 4 || !CurveMenu::symbolStyle(fields[0], style) || !sized || size < 1 || !pen.isValid()
        || !brush.isValid())
        return fail(QStringLiteral("--symbol takes NAME[,SIZE[,PEN[,BRUSH]]] with NAME one of %1: %2")
                        .arg(CurveMenu::symbolNames().join(QStringLiteral(", ")), value));
    if (!server->record(server->currentCurve()))
        return fail(QStringLiteral("--symbol: there is no current curve"));
    if (style == QwtSymbol::NoSymbol)
        server->NoSymbolSlot();
    else
        server->setCurveSymbol(style, pen, brush, size);
    return Success;
}

RenderSession::Status RenderSession::dump(const QString& path)
{
    const bool toStandardOutput = path == QLatin1String("-");
    const QString name = toStandardOutput ? QStringLiteral("standard output") : path;
    QFile file;
    if (toStandardOutput) {
        out.flush();
        file.open(stdout, QIODevice::WriteOnly);
    } else {
        file.setFileName(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    }
    if (!file.isOpen())
        return fail(QStringLiteral("cannot write %1: %2").arg(name, file.errorString()));
    QTextStream csv(&file);
    writeDump(csv);
    csv.flush();
    // The last bytes reach the disk only as the file is flushed and closed: a full disk
    // shows there.
    const bool written = csv.status() == QTextStream::Ok && file.flush();
    file.close();
    if (!written || file.error() != QFileDevice::NoError)
        return fail(QStringLiteral("cannot write %1: %2").arg(name, file.errorString()));
    return Success;
}

void RenderSession::writeDump(QTextStream& csv) const
{
    csv << "id,name,x,y\n";
    for (const auto& [id, record] : server->curveStore().records()) {
        const QString name = csvField(record->curve->title().text());
        const size_t n = record->curve->dataSize();
        for (size_t i = 0; i < n; ++i) {
            const QPointF p = record->curve->sample(int(i));
            csv << id << ',' << name << ',' << shortestNumber(p.x()) << ',' << shortestNumber(p.y()) << '\n';
        }
    }
}

// The page Print's preview would print, on a PDF printer. The plot replaces the file only
// with a complete page; the line it logs otherwise names the file and the reason.
RenderSession::Status RenderSession::printTo(const QString& path)
{
    QPrinter printer(QPrinter::HighResolution);
    server->preparePrinter(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setColorMode(options.greyscale ? QPrinter::GrayScale : QPrinter::Color);
    lastLogLine.clear();
    if (!server->paintRequestedSlot(&printer))
        return fail(lastLogLine.mid(7));
    return Success;
}

// As the curve menu's Export entries do; the workbook entry needs its suffix.
RenderSession::Status RenderSession::exportCurve(const RenderOptions::Step& step)
{
    if (!server->record(server->currentCurve()))
        return fail(QStringLiteral("%1: there is no current curve").arg(step.text));
    if (step.kind == RenderOptions::Step::ExportXls && !step.text.endsWith(QLatin1String(".xls"), Qt::CaseInsensitive))
        return fail(QStringLiteral("--export-xls writes .xls files: %1").arg(step.text));
    if (!server->writeColumn(step.text, server->currentCurve(), step.kind == RenderOptions::Step::ExportY))
        return fail(QStringLiteral("Can't write file %1").arg(step.text));
    return Success;
}

// An analysis that measured nothing, or a spectrum the plot refused, is not what the command
// line asked for.
RenderSession::Status RenderSession::analyse(const RenderOptions::Step& step)
{
    QString error;
    if (!RenderAnalysis(*server, out).apply(step, error))
        return fail(error);
    return Success;
}

// The spectrogram's plot is made by the first of its options.
RenderSession::Status RenderSession::spectrogramStep(const RenderOptions::Step& step)
{
    if (!spectrogram)
        spectrogram = std::make_unique<RenderSpectrogram>(*server, options.size);
    QString error;
    if (!spectrogram->apply(step, error))
        return fail(error);
    return Success;
}

// A fit that failed has no figures to print, as a script that failed has no curve.
RenderSession::Status RenderSession::fit(const RenderOptions::Step& step)
{
    QString error;
    const RenderFit::Outcome outcome = RenderFit(*server, options, out).apply(step, error);
    if (outcome == RenderFit::Outcome::Fitted)
        return Success;
    fail(error);
    return outcome == RenderFit::Outcome::Failed ? FitFailed : BadInput;
}

// Tables and sound go where the save dialog sends them; everything else is a picture.
RenderSession::Status RenderSession::render(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("csv") || suffix == QLatin1String("txt") || suffix == QLatin1String("xlsx")) {
        if (!server->writeTable(path))
            return fail(QStringLiteral("Can't write file %1").arg(path));
        return Success;
    }
    if (suffix == QLatin1String("wav")) {
        if (!server->record(server->currentCurve()))
            return fail(QStringLiteral("-o %1: there is no current curve").arg(path));
        if (!server->writeWav(path, server->currentCurve()))
            return fail(QStringLiteral("Can't write file %1").arg(path));
        return Success;
    }
    static const QStringList pictures = {"png", "jpg", "jpeg", "bmp", "svg", "pdf"};
    if (!pictures.contains(suffix))
        return fail(QStringLiteral("-o writes .png, .jpg, .bmp, .svg and .pdf pictures, .csv, .txt and .xlsx tables "
                                   "and .wav sound, not %1")
                        .arg(path));
    QwtPlot* picture = spectrogram && spectrogram->picture() ? spectrogram->picture() : server->plot();
    if (!PlotImageWriter::write(picture, path, options.size))
        return fail(QStringLiteral("cannot write the picture %1").arg(path));
    return Success;
}
