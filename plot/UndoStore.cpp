#include "UndoStore.h"

#include "AxesController.h"
#include "CurveStore.h"
#include "DataRange.h"
#include "NewFileBuffer.h"
#include "PlotLog.h"
#include "UndoFile.h"

#include <QFile>
#include <QFileInfo>
#include <QVector>
#include <QWidget>

#include <qwt_plot_curve.h>

#include <algorithm>
#include <fstream>
#include <new>

namespace {

std::string localPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString fileName(int number)
{
    return QString::asprintf("_%04d.bin", number);
}

} // namespace

UndoStore::UndoStore(CurveStore& store, AxesController& axes, PlotLog& log, QWidget* undoButton,
                     std::function<void(int)> curveRestored)
    : store(store)
    , axes(axes)
    , log(log)
    , undoButton(undoButton)
    , curveRestored(std::move(curveRestored))
{
    setCounter(0);
}

QString UndoStore::filePath(int number)
{
    QString reason;
    return pathOf(number, reason);
}

QString UndoStore::pathOf(int number, QString& reason)
{
    const QString own = folder.path(reason);
    if (own.isEmpty())
        return QString();
    return own + QLatin1Char('/') + fileName(number);
}

void UndoStore::setButton(QWidget* button)
{
    undoButton = button;
    setCounter(undoCounter);
}

void UndoStore::setCounter(int value)
{
    undoCounter = value;
    if (!undoButton)
        return;
    undoButton->setEnabled(undoCounter > 0);
    const QString what = describe(undoCounter);
    undoButton->setToolTip(what.isEmpty() ? tr("Perform an undo") : tr("Perform an undo: %1").arg(what));
}

QString UndoStore::describe(int number) const
{
    if (number <= 0)
        return QString();
    const auto erased = erasures.find(number);
    if (erased != erasures.end())
        return tr("bring back the erased curve %1").arg(erased->second.title());
    const auto added = additions.find(number);
    if (added != additions.end()) {
        const CurveRecord* record = store.find(added->second.id);
        if (record && record->serial == added->second.serial)
            return tr("take away the new curve %1").arg(record->curve->title().text());
    }
    return tr("put every curve back as before the last change");
}

void UndoStore::fail(const QString& text)
{
    failure = text;
    log.line(text);
}

// A snapshot of this number that was undone since gives way to the new one.
bool UndoStore::saveUndo()
{
    const int number = undoCounter + 1;
    forget(number);
    setCounter(number);
    QString reason;
    const QString path = pathOf(number, reason);
    if (!path.isEmpty() && writeUndoFile(path, reason)) {
        written.insert(number);
        return true;
    }
    notWritten[number] = reason;
    const QString name = path.isEmpty() ? fileName(number) : path;
    log.line(QStringLiteral("Kurvo: Can't write undo file %1: %2").arg(name, reason));
    return false;
}

// The step is recorded before the counter moves, so that the tool tip names it.
void UndoStore::saveAddition(int id)
{
    const int number = undoCounter + 1;
    forget(number);
    additions[number] = {id, store.find(id)->serial};
    setCounter(number);
}

void UndoStore::saveErasure(int id)
{
    if (!store.find(id))
        return;
    const int number = undoCounter + 1;
    forget(number);
    erasures[number] = ErasedCurve(store, id);
    setCounter(number);
}

void UndoStore::clear()
{
    std::set<int> numbers = written;
    for (const auto& entry : notWritten)
        numbers.insert(entry.first);
    for (const auto& entry : additions)
        numbers.insert(entry.first);
    for (const auto& entry : erasures)
        numbers.insert(entry.first);
    for (int number : numbers)
        forget(number);
    setCounter(0);
}

void UndoStore::forget(int number)
{
    notWritten.erase(number);
    additions.erase(number);
    erasures.erase(number);
    if (written.erase(number) != 0) {
        const QString path = filePath(number);
        QFile::remove(path);
        timeCurves.erase(path);
        audioRates.erase(path);
    }
}

bool UndoStore::writeUndoFile(const QString& path, QString& reason)
{
    std::vector<QVector<double>> held;
    held.reserve(2 * store.records().size());
    std::vector<UndoCurveView> views;
    std::vector<int> withTime;
    std::map<int, double> rates;
    for (const auto& entry : store.records()) {
        QVector<double> x;
        QVector<double> y;
        store.samples(int(entry.first), x, y);
        views.push_back({int(entry.first), x.constData(), y.constData(), std::uint64_t(x.size())});
        held.push_back(std::move(x));
        held.push_back(std::move(y));
        if (entry.second->xIsTime)
            withTime.push_back(int(entry.first));
        if (entry.second->sampleRate > 0)
            rates[int(entry.first)] = entry.second->sampleRate;
    }
    NewFileBuffer file(localPath(path));
    const bool created = file.isOpen();
    std::ostream out(&file);
    if (created && UndoFile::write(out, views) && file.close()) {
        timeCurves[path] = std::move(withTime);
        audioRates[path] = std::move(rates);
        return true;
    }
    reason = qt_error_string(file.error());
    // Only a file made here is taken away again: what stood in its place is not ours.
    if (created)
        QFile::remove(path);
    return false;
}

bool UndoStore::loadUndoFile(const QString& path)
{
    std::ifstream in(localPath(path), std::ios::binary);
    std::vector<UndoCurve> curves;
    if (!in || !UndoFile::read(in, curves))
        return false;
    const auto written = timeCurves.find(path);
    // Blocks of curves that are no longer stored are skipped.
    for (UndoCurve& curve : curves) {
        const int id = curve.id;
        CurveRecord* record = store.find(id);
        if (!record)
            continue;
        const QVector<double> x(curve.x.begin(), curve.x.end());
        const QVector<double> y(curve.y.begin(), curve.y.end());
        curve = UndoCurve();
        store.setSamples(id, x, y);
        if (written != timeCurves.end()) {
            const std::vector<int>& withTime = written->second;
            record->xIsTime = std::find(withTime.begin(), withTime.end(), id) != withTime.end();
            const std::map<int, double>& rates = audioRates[path];
            record->sampleRate = rates.count(id) != 0 ? rates.at(id) : 0.0;
        }
        const DataRange range = store.rangeOf(id);
        if (range.yFound)
            axes.setYRange(range.yMin, range.yMax);
        if (range.xFound)
            axes.setXRange(range.xMin, range.xMax);
        curveRestored(id);
    }
    axes.followCurves();
    return true;
}

int UndoStore::undo(int index)
{
    failure.clear();
    int number = index;
    const bool newest = index == -1;
    if (newest) {
        if (undoCounter == 0)
            return 0;
        number = undoCounter;
        setCounter(undoCounter - 1);
    }
    const auto addition = additions.find(number);
    if (addition != additions.end()) {
        takeAway(addition->second);
        return undoCounter - 1;
    }
    const auto erasure = erasures.find(number);
    if (erasure != erasures.end()) {
        const int id = erasure->second.restore(store);
        axes.followCurves();
        curveRestored(id);
        return undoCounter - 1;
    }
    const auto unsaved = notWritten.find(number);
    if (unsaved != notWritten.end()) {
        fail(QStringLiteral("Kurvo: Can't undo operation %1: its undo file could not be written (%2)")
                 .arg(QString::number(number), unsaved->second));
        return undoCounter - 1;
    }
    const QString path = filePath(number);
    if (written.count(number) == 0 || !QFileInfo::exists(path)) {
        fail(QStringLiteral("Kurvo: Can't find temporary file %1").arg(path));
        if (newest)
            setCounter(undoCounter + 1);
        return undoCounter - 1;
    }
    bool loaded = false;
    try {
        loaded = loadUndoFile(path);
    } catch (const std::bad_alloc&) {
        loaded = false;
    }
    if (!loaded)
        fail(QStringLiteral("Kurvo: Fail undo operations for temporary file %1").arg(path));
    return undoCounter - 1;
}

void UndoStore::dropNewest()
{
    if (undoCounter == 0)
        return;
    forget(undoCounter);
    setCounter(undoCounter - 1);
}

// The curve goes only if it is the one that was added: its identifier may have passed to
// another curve since.
void UndoStore::takeAway(const Addition& added)
{
    const CurveRecord* record = store.find(added.id);
    if (!record || record->serial != added.serial) {
        fail(QStringLiteral("Kurvo: Can't undo the addition of curve %1: it is no longer there").arg(added.id));
        return;
    }
    store.remove(added.id);
    axes.followCurves();
}
