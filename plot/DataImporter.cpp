#include "DataImporter.h"

#include "AxesController.h"
#include "CurveStore.h"
#include "DataFileFilters.h"
#include "DataSource.h"
#include "FileReaders.h"
#include "import/ImportDialog.h"
#include "ImportFormats.h"
#include "import/PartChoice.h"
#include "PartFormat.h"
#include "PlotLog.h"
#include "Prompt.h"
#include "progress/BackgroundTask.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPen>
#include <QShortcut>
#include <QThread>

#include <qwt_plot.h>
#include <qwt_plot_curve.h>

#include <new>

DataImporter::DataImporter(QWidget* parent, QwtPlot* plot, CurveStore& store, AxesController& axes,
                           PlotLog& log, const std::unique_ptr<Prompt>& prompter,
                           std::function<void(int)> curveShown)
    : parent(parent)
    , plot(plot)
    , store(store)
    , axes(axes)
    , log(log)
    , prompter(prompter)
    , curveShown(std::move(curveShown))
{
    // Ctrl+I works whether the tool panel shows or not.
    auto* shortcut = new QShortcut(QKeySequence(QStringLiteral("Ctrl+I")), parent);
    shortcut->setObjectName(QStringLiteral("importShortcut"));
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(shortcut, &QShortcut::activated, parent, [this] { importFile(); });
}

void DataImporter::openFiles()
{
    // Any file can be picked; its suffix still chooses the reader.
    QStringList filters = DataFileFilters::list();
    const int last = filters.indexOf(lastDataFilter);
    if (last > 0)
        filters.move(last, 0);
    QString selectedFilter = filters.front();
    const QStringList files = prompter->openFileNames(parent, tr("Open File"), startFolder(), filters, &selectedFilter);
    if (files.isEmpty())
        return;
    bool fitToPowerOfTwo = false;
    if (!askDataSize(fitToPowerOfTwo))
        return;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (const QString& file : files)
        load(-1, file, QFileInfo(file).baseName(), fitToPowerOfTwo);
    rememberFolder(files.front());
    lastDataFilter = selectedFilter;
    QApplication::restoreOverrideCursor();
}

void DataImporter::importFile()
{
    const QString file = prompter->openFileName(parent, tr("Import"), startFolder(),
                                                tr("Text tables (*.txt *.csv *.dat *.tsv *.tab);;"
                                                   "Workbooks (*.xlsx *.ods *.xls);;All files (*)"));
    if (file.isEmpty())
        return;
    ImportDialog dialog(file, parent);
    if (prompter->dialog(&dialog) != QDialog::Accepted)
        return;
    rememberFolder(file);
    load(-1, file, QFileInfo(file).baseName(), dialog.fitToPowerOfTwo(), dialog.options());
}

QString DataImporter::startFolder() const
{
    return lastDataFolder.isEmpty() ? QDir::currentPath() : QDir::current().absoluteFilePath(lastDataFolder);
}

void DataImporter::rememberFolder(const QString& file)
{
    const QString path = QDir::fromNativeSeparators(file);
    lastDataFolder = path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

void DataImporter::loadDropped(const QList<QUrl>& urls)
{
    QStringList files;
    for (const QUrl& url : urls) {
        const QString path = url.toLocalFile();
        if (!path.isEmpty() && QFileInfo(path).isFile())
            files << path;
        else
            log.line(QStringLiteral("Kurvo: %1 is no data file and is not loaded").arg(url.toDisplayString()));
    }
    bool fitToPowerOfTwo = false;
    if (files.isEmpty() || !askDataSize(fitToPowerOfTwo))
        return;
    for (const QString& file : files)
        load(-1, file, QFileInfo(file).baseName(), fitToPowerOfTwo);
}

bool DataImporter::askDataSize(bool& fitToPowerOfTwo)
{
    const QStringList items = {tr("Original Data"), tr("Change data size for FFT")};
    QString choice;
    if (!prompter->item(parent, tr("DATA SIZE"), tr("Select an action:"), items, 0, choice))
        return false;
    fitToPowerOfTwo = !choice.startsWith(QLatin1String("Original"));
    return true;
}

// A file that is not there changes nothing: no "loaded" line, no new window title.
void DataImporter::load(int id, const QString& path, const QString& name, bool fitToPowerOfTwo)
{
    load(id, path, name, fitToPowerOfTwo, tableOptions);
}

void DataImporter::load(int id, const QString& path, const QString& name, bool fitToPowerOfTwo,
                        const TableOptions& table)
{
    const DataSource source = DataSource::of(path);
    if (const PartFormat* format = ImportFormats::partFormatFor(source.file)) {
        loadParts(*format, id, source, name, fitToPowerOfTwo, table);
        return;
    }
    if (!QFileInfo(path).isFile()) {
        log.line(QStringLiteral("Kurvo: Can't open file %1").arg(path));
        return;
    }
    const FileReader reader = ImportFormats::readerFor(path);
    const bool shown = loadFrom(id, path, name, [&] {
        return reader == readTextFile ? readTextTable(path, name, fitToPowerOfTwo, table)
                                      : reader(path, name, fitToPowerOfTwo);
    });
    if (shown && fileLoaded)
        fileLoaded(path);
}

bool DataImporter::loadFrom(int id, const QString& source, const QString& name,
                            const std::function<ImportedData()>& read)
{
    return readAndShow(id, source, name, read) == Outcome::Shown;
}

// The reading runs beside the window, which repaints meanwhile and offers to cancel a long
// one; the curves are added here, on the window's own thread. A cancelled load leaves the
// window as it was, title included.
DataImporter::Outcome DataImporter::readAndShow(int id, const QString& source, const QString& name,
                                                const std::function<ImportedData()>& read)
{
    store.startAt(id);
    log.message("%s loaded ... [%s]", source.toLocal8Bit().constData(), name.toLocal8Bit().constData());
    QWidget* window = parent->window();
    const QString title = window->windowTitle();
    window->setWindowTitle(QStringLiteral("Kurvo: %1 [*]").arg(source));

    const bool autoReplot = plot->autoReplot();
    try {
        BackgroundTask task(*prompter, parent, tr("Loading %1 ...").arg(source));
        const std::optional<ImportedData> data = task.produce(read);
        if (!data) {
            window->setWindowTitle(title);
            log.line(QStringLiteral("Kurvo: Loading %1 cancelled").arg(source));
            return Outcome::Cancelled;
        }
        return show(*data) ? Outcome::Shown : Outcome::Empty;
    } catch (const std::bad_alloc&) {
        plot->setAutoReplot(autoReplot);
        log.message("Kurvo: Not enough memory to read %s", source.toLocal8Bit().constData());
    }
    return Outcome::Empty;
}

// Each part read gives its own curves, the first ones numbered from `id`.
void DataImporter::loadParts(const PartFormat& format, int id, const DataSource& source, const QString& name,
                             bool fitToPowerOfTwo, const TableOptions& table)
{
    if (!QFileInfo(source.file).isFile()) {
        log.line(QStringLiteral("Kurvo: Can't open file %1").arg(source.file));
        return;
    }
    QStringList parts;
    QString refusal;
    if (!PartChoice::choose(format, source, parent, prompter, parts, refusal)) {
        if (!refusal.isEmpty())
            log.line(refusal);
        return;
    }
    bool shown = false;
    for (const QString& part : parts) {
        const DataSource one{source.file, part};
        const Outcome outcome = readAndShow(part == parts.front() ? id : -1, one.text(), name,
                                            [&] { return format.read(one.file, part, name, fitToPowerOfTwo, table); });
        // Cancel stops the whole file; the parts shown before stay.
        if (outcome == Outcome::Cancelled)
            break;
        shown = outcome == Outcome::Shown || shown;
    }
    if (shown && fileLoaded)
        fileLoaded(source.file);
}

// Curves are added with replotting paused and each titled "%1.%2" with its identifier; then
// the axes show the data's range and it becomes the new zoom base.
bool DataImporter::show(const ImportedData& data)
{
    log.lines(data.log);
    if (data.y.empty())
        return false;

    const bool autoReplot = plot->autoReplot();
    plot->setAutoReplot(false);
    std::vector<std::pair<int, QwtPlotCurve*>> added;
    for (const ImportedData::Column& y : data.y) {
        if (data.selectEachCurve)
            store.setCurrent(store.nextId());
        const int id = store.nextId();
        const QString own = data.curveTitles.value(int(added.size()));
        const QString title = own.isEmpty() ? QStringLiteral("%1.%2").arg(data.title).arg(id) : own;
        QwtPlotCurve* curve =
            data.evenX ? store.add(title, *data.evenX, y, 0) : store.add(title, data.x, y, 0, data.xIsTime);
        store.find(id)->sampleRate = data.sampleRate;
        added.emplace_back(id, curve);
        if (data.look == ImportedData::Look::Sticks) {
            QPen pen = curve->pen();
            pen.setWidth(3);
            curve->setPen(pen);
        }
    }
    axes.showCurrentRate();
    axes.showLimits(data.range);
    plot->setAutoReplot(autoReplot);
    plot->replot();
    axes.rebuildZoomers();
    axes.syncRangeSpinBoxes();
    for (const auto& curve : added)
        curveShown(curve.first);

    if (data.look == ImportedData::Look::Sticks)
        drawAsSticks(added);
    log.lines(data.closingLog);
    return true;
}

// The curves show as lines for a moment before they turn into sticks; the events run in
// between may have removed or replaced them.
void DataImporter::drawAsSticks(const std::vector<std::pair<int, QwtPlotCurve*>>& curves)
{
    QCoreApplication::processEvents();
    QThread::msleep(100);
    for (const auto& [id, curve] : curves) {
        const CurveRecord* r = store.find(id);
        if (r && r->curve == curve)
            curve->setStyle(QwtPlotCurve::Sticks);
    }
}
