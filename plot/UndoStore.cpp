#include "UndoStore.h"

#include "AxesController.h"
#include "CurveStore.h"
#include "DataRange.h"
#include "PlotLog.h"
#include "UndoFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QVector>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <new>

namespace {

// Widgets of one process keep their snapshots apart.
int nextWidgetNumber()
{
    static std::atomic<int> number{0};
    return ++number;
}

bool writableFolder(const QString& path)
{
    return QDir().mkpath(path) && QFileInfo(path).isWritable();
}

std::string localPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace

UndoStore::UndoStore(CurveStore& store, AxesController& axes, PlotLog& log, std::function<void(int)> curveRestored)
    : store(store)
    , axes(axes)
    , log(log)
    , curveRestored(std::move(curveRestored))
{
}

// A snapshot of 16 curves of 10^7 points is 2.5 GB: nothing is left behind.
UndoStore::~UndoStore()
{
    if (!undoFolder.isEmpty())
        QDir(undoFolder).removeRecursively();
}

// Chosen at the first snapshot, so that a widget which never transforms creates nothing.
QString UndoStore::folder()
{
    if (!undoFolder.isEmpty())
        return undoFolder;
    const QString own = QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid()).arg(nextWidgetNumber());
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/temp/undo/") + own;
    if (writableFolder(beside)) {
        undoFolder = beside;
        return undoFolder;
    }
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/undo/") + own;
    if (writableFolder(cache)) {
        undoFolder = cache;
        log.line(QStringLiteral("Kurvo: Undo files go to %1").arg(undoFolder));
        return undoFolder;
    }
    return beside;
}

QString UndoStore::filePath(int number)
{
    return QString::asprintf("%s/_%04d.bin", folder().toLocal8Bit().constData(), number);
}

bool UndoStore::saveUndo()
{
    ++undoCounter;
    const QString path = filePath(undoCounter);
    if (writeUndoFile(path))
        return true;
    log.line(QStringLiteral("Kurvo: Can't write undo file %1").arg(path));
    return false;
}

bool UndoStore::writeUndoFile(const QString& path)
{
    std::vector<QVector<double>> held;
    held.reserve(2 * store.records().size());
    std::vector<UndoCurveView> views;
    std::vector<int> withTime;
    for (const auto& entry : store.records()) {
        QVector<double> x;
        QVector<double> y;
        store.samples(int(entry.first), x, y);
        views.push_back({int(entry.first), x.constData(), y.constData(), std::uint64_t(x.size())});
        held.push_back(std::move(x));
        held.push_back(std::move(y));
        if (entry.second->xIsTime)
            withTime.push_back(int(entry.first));
    }
    timeCurves[path] = std::move(withTime);
    std::ofstream out(localPath(path), std::ios::binary | std::ios::trunc);
    if (!out || !UndoFile::write(out, views))
        return false;
    out.close();
    return bool(out);
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
    int number = index;
    const bool newest = index == -1;
    if (newest) {
        if (undoCounter == 0)
            return 0;
        number = undoCounter--;
    }
    const QString path = filePath(number);
    if (!QFileInfo::exists(path)) {
        log.line(QStringLiteral("Kurvo: Can't find temporary file %1").arg(path));
        if (newest)
            ++undoCounter;
    } else {
        bool loaded = false;
        try {
            loaded = loadUndoFile(path);
        } catch (const std::bad_alloc&) {
            loaded = false;
        }
        if (!loaded)
            log.line(QStringLiteral("Kurvo: Fail undo operations for temporary file %1").arg(path));
    }
    return undoCounter - 1;
}

void UndoStore::dropNewest()
{
    if (undoCounter == 0)
        return;
    const QString path = filePath(undoCounter);
    QFile::remove(path);
    timeCurves.erase(path);
    --undoCounter;
}
