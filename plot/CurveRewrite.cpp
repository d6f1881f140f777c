#include "CurveRewrite.h"

#include "AxesController.h"
#include "CurveRecord.h"
#include "CurveStore.h"
#include "PlotLog.h"
#include "UndoStore.h"

#include <new>

CurveRewrite::CurveRewrite(CurveStore& store, AxesController& axes, UndoStore& undo, PlotLog& log,
                           std::function<void(int)> curveChanged)
    : store(store)
    , axes(axes)
    , undo(undo)
    , log(log)
    , curveChanged(std::move(curveChanged))
{
}

bool CurveRewrite::run(const std::function<bool(int)>& each, Change change)
{
    std::vector<int> changed;
    if (!forEveryCurve(each, change, changed))
        return false;
    if (change != Change::Y)
        axes.fitAll(store);
    for (int id : changed)
        curveChanged(id);
    return true;
}

// The samples before the operation stay shared with `before` only, so putting them back
// costs no copy.
bool CurveRewrite::forEveryCurve(const std::function<bool(int)>& each, Change change, std::vector<int>& changed)
{
    undo.saveUndo();
    std::vector<int> ids;
    for (const auto& entry : store.records())
        ids.push_back(int(entry.first));
    std::vector<Before> before;
    for (int id : ids) {
        Before old{id, {}, {}};
        if (!store.samples(id, old.x, old.y))
            continue;
        old.xIsTime = store.find(id)->xIsTime;
        old.sampleRate = store.find(id)->sampleRate;
        before.push_back(std::move(old));
        bool done = false;
        try {
            done = each(id);
        } catch (const std::bad_alloc&) {
            log.line(QStringLiteral("Kurvo: Not enough memory to transform curve %1").arg(id));
        }
        if (!done) {
            restore(before);
            undo.dropNewest();
            return false;
        }
        if (change == Change::XAndY && store.find(id))
            store.find(id)->sampleRate = 0;
        changed.push_back(id);
    }
    return true;
}

void CurveRewrite::restore(const std::vector<Before>& before)
{
    for (const Before& old : before) {
        CurveRecord* record = store.find(old.id);
        if (!record)
            continue;
        store.setSamples(old.id, old.x, old.y);
        record->xIsTime = old.xIsTime;
        record->sampleRate = old.sampleRate;
        curveChanged(old.id);
    }
}
