#include "ProjectJson.h"

#include "JsonFields.h"
#include "PointLimit.h"
#include "ProjectState.h"
#include "WindowFunction.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <climits>
#include <cmath>

namespace {

const QStringList kPenStyles = {"none", "solid", "dash", "dot", "dash-dot", "dash-dot-dot"};
const QStringList kCurveStyles = {"none", "lines", "sticks", "steps", "dots"};
const QStringList kSymbols = {"none",           "ellipse",       "rect",   "diamond", "triangle", "down-triangle",
                              "up-triangle",    "left-triangle", "right-triangle", "cross", "x-cross",
                              "h-line",         "v-line",        "star1",  "star2",   "hexagon"};
const QStringList kPlotStyles = {"lines", "sticks", "steps", "dots"};
const QStringList kAxes = {"left", "right"};
const QStringList kPeakLists = {"positive", "negative"};
// Thick enough for any pen a user would draw with, thin enough that no drawing is stalled.
const double kWidestPen = 100;
const int kLargestSymbol = 1000;

QStringList windowNames()
{
    QStringList names;
    for (std::size_t i = 0; i < kWindowFunctionCount; ++i)
        names << QLatin1String(windowFunctionName(i));
    return names;
}

QString colour(quint32 argb)
{
    return QStringLiteral("#%1").arg(argb, 8, 16, QLatin1Char('0'));
}

QString named(const QStringList& names, int value, int first)
{
    return names.value(value - first);
}

QJsonObject axis(const ProjectAxis& shown)
{
    return {{"from", shown.from}, {"to", shown.to}, {"automatic", shown.automatic}};
}

QJsonObject curveObject(const ProjectCurve& curve)
{
    return {{"id", curve.id},
            {"name", curve.name},
            {"points", double(curve.y.size())},
            {"x", ProjectJson::entryName(curve.id, 'x')},
            {"y", ProjectJson::entryName(curve.id, 'y')},
            {"axis", curve.rightAxis ? "right" : "left"},
            {"xIsTime", curve.xIsTime},
            {"sampleRate", curve.sampleRate},
            {"pen",
             QJsonObject{{"color", colour(curve.penColor)},
                         {"width", curve.penWidth},
                         {"style", named(kPenStyles, curve.penStyle, 0)}}},
            {"style", named(kCurveStyles, curve.curveStyle, -1)},
            {"symbol",
             QJsonObject{{"style", named(kSymbols, curve.symbolStyle, -1)},
                         {"size", curve.symbolSize},
                         {"pen", colour(curve.symbolPen)},
                         {"brush", colour(curve.symbolBrush)}}},
            {"legendSymbol", curve.legendShowsSymbol},
            {"antialiased", curve.antialiased}};
}

QJsonValue marker(const ProjectMarker& shown)
{
    return shown.shown ? QJsonValue(shown.x) : QJsonValue();
}

// ---- reading ---------------------------------------------------------------------------------

bool readAxis(JsonFields& parent, const char* key, ProjectAxis& shown, QString& reason)
{
    QJsonObject object;
    if (!parent.object(key, object))
        return false;
    JsonFields fields(object, parent.pathOf(key), reason);
    return fields.number("from", shown.from) && fields.number("to", shown.to)
           && fields.flag("automatic", shown.automatic);
}

bool readPlot(JsonFields& top, ProjectState& state, QString& reason)
{
    QJsonObject object;
    if (!top.object("plot", object))
        return false;
    JsonFields plot(object, top.pathOf("plot"), reason);
    return plot.text("title", state.title) && plot.text("xTitle", state.xTitle) && plot.text("yTitle", state.yTitle)
           && plot.text("rightTitle", state.rightTitle) && plot.flag("rightAxisShown", state.rightAxisShown)
           && plot.colour("background", state.background) && plot.choice("style", kPlotStyles, 0, state.plotStyle);
}

bool readAxes(JsonFields& top, ProjectState& state, QString& reason)
{
    QJsonObject range;
    QJsonObject axes;
    if (!top.object("range", range) || !top.object("axes", axes))
        return false;
    JsonFields limits(range, top.pathOf("range"), reason);
    JsonFields shown(axes, top.pathOf("axes"), reason);
    return limits.number("xMin", state.xMin) && limits.number("xMax", state.xMax) && limits.number("yMin", state.yMin)
           && limits.number("yMax", state.yMax) && readAxis(shown, "bottom", state.bottom, reason)
           && readAxis(shown, "left", state.left, reason) && readAxis(shown, "right", state.right, reason)
           && shown.flag("logX", state.logX) && shown.flag("logY", state.logY);
}

bool readCalibration(JsonFields& top, ProjectState& state, QString& reason)
{
    QJsonObject object;
    if (!top.object("calibration", object))
        return false;
    JsonFields calibration(object, top.pathOf("calibration"), reason);
    return calibration.number("value", state.calibration) && calibration.number("user", state.userCalibration)
           && calibration.flag("setByUser", state.calibrationSetByUser)
           && calibration.number("field", state.calibrationField) && calibration.text("unit", state.unit)
           && top.choice("fftWindow", windowNames(), 0, state.fftWindow);
}

bool readMarkers(JsonFields& peaks, ProjectState& state)
{
    QJsonArray list;
    if (!peaks.array("markers", int(state.markers.size()), list))
        return false;
    for (int i = 0; i < list.size(); ++i) {
        ProjectMarker& marker = state.markers[std::size_t(i)];
        marker.shown = !list[i].isNull();
        if (marker.shown && !(list[i].isDouble() && std::isfinite(list[i].toDouble())))
            return peaks.refuse("markers", i, QStringLiteral("is neither null nor a finite number"));
        marker.x = list[i].toDouble();
    }
    return true;
}

bool readPeaksAndPanels(JsonFields& top, ProjectState& state, QString& reason)
{
    QJsonObject peakObject;
    QJsonObject panelObject;
    if (!top.object("peaks", peakObject) || !top.object("panels", panelObject))
        return false;
    JsonFields peaks(peakObject, top.pathOf("peaks"), reason);
    JsonFields panels(panelObject, top.pathOf("panels"), reason);
    int list = 0;
    if (!peaks.number("delta", 0, 1e300, state.peakDelta) || !peaks.number("threshold", 0, 1e300, state.peakThreshold)
        || !peaks.flag("subtractMinimum", state.subtractMinimum) || !peaks.choice("list", kPeakLists, 0, list)
        || !readMarkers(peaks, state))
        return false;
    state.negativePeaksListed = list == 1;
    return panels.flag("tools", state.toolsShown) && panels.flag("statistics", state.statisticsShown)
           && panels.flag("peaks", state.peaksShown);
}

bool readSymbol(JsonFields& fields, ProjectCurve& curve, QString& reason)
{
    QJsonObject object;
    if (!fields.object("symbol", object))
        return false;
    JsonFields symbol(object, fields.pathOf("symbol"), reason);
    return symbol.choice("style", kSymbols, -1, curve.symbolStyle)
           && symbol.whole("size", 0, kLargestSymbol, curve.symbolSize) && symbol.colour("pen", curve.symbolPen)
           && symbol.colour("brush", curve.symbolBrush);
}

bool readCurve(const QJsonObject& object, const QString& path, ProjectCurve& curve,
               ProjectJson::SampleEntries& entries, QString& reason)
{
    JsonFields fields(object, path, reason);
    QJsonObject penObject;
    int axis = 0;
    double points = 0;
    if (!fields.whole("id", 0, INT_MAX, curve.id) || !fields.text("name", curve.name)
        || !fields.whole("points", 0.0, double(kMaxCurvePoints), points) || !fields.text("x", entries.x)
        || !fields.text("y", entries.y) || !fields.choice("axis", kAxes, 0, axis)
        || !fields.flag("xIsTime", curve.xIsTime) || !fields.number("sampleRate", 0, 1e300, curve.sampleRate)
        || !fields.object("pen", penObject))
        return false;
    entries.points = std::size_t(points);
    curve.rightAxis = axis == 1;
    JsonFields pen(penObject, fields.pathOf("pen"), reason);
    return pen.colour("color", curve.penColor) && pen.number("width", 0, kWidestPen, curve.penWidth)
           && pen.choice("style", kPenStyles, 0, curve.penStyle)
           && fields.choice("style", kCurveStyles, -1, curve.curveStyle) && readSymbol(fields, curve, reason)
           && fields.flag("legendSymbol", curve.legendShowsSymbol) && fields.flag("antialiased", curve.antialiased);
}

// Two curves of one identifier, or two curves reading one entry, are no plot Kurvo made.
bool readCurves(JsonFields& top, ProjectState& state, std::vector<ProjectJson::SampleEntries>& entries,
                QString& reason)
{
    QJsonArray list;
    if (!top.array("curves", list))
        return false;
    QSet<int> ids;
    QSet<QString> names = {QLatin1String(ProjectJson::kEntry)};
    for (int i = 0; i < list.size(); ++i) {
        const QString path = QStringLiteral("curves[%1]").arg(i);
        if (!list[i].isObject())
            return top.refuse("curves", i, QStringLiteral("is not an object"));
        ProjectCurve curve;
        ProjectJson::SampleEntries where;
        if (!readCurve(list[i].toObject(), path, curve, where, reason))
            return false;
        if (ids.contains(curve.id))
            return top.refuse("curves", i, QStringLiteral("repeats the identifier %1").arg(curve.id));
        if (where.x == where.y || names.contains(where.x) || names.contains(where.y))
            return top.refuse("curves", i, QStringLiteral("names an entry that is not its own"));
        ids.insert(curve.id);
        names << where.x << where.y;
        state.curves.push_back(curve);
        entries.push_back(where);
    }
    return top.whole("currentCurve", -1, INT_MAX, state.currentCurve)
           && top.whole("nextCurve", 0, INT_MAX, state.nextCurve);
}

} // namespace

const char* const ProjectJson::kEntry = "project.json";

QString ProjectJson::entryName(int id, char axis)
{
    return QStringLiteral("curves/%1/%2.f64").arg(id).arg(QLatin1Char(axis));
}

QByteArray ProjectJson::describe(const ProjectState& state)
{
    QJsonArray curves;
    for (const ProjectCurve& curve : state.curves)
        curves.append(curveObject(curve));
    QJsonArray markers;
    for (const ProjectMarker& shown : state.markers)
        markers.append(marker(shown));
    const QJsonObject top{
        {"format", ProjectState::kFormat},
        {"plot",
         QJsonObject{{"title", state.title},
                     {"xTitle", state.xTitle},
                     {"yTitle", state.yTitle},
                     {"rightTitle", state.rightTitle},
                     {"rightAxisShown", state.rightAxisShown},
                     {"background", colour(state.background)},
                     {"style", named(kPlotStyles, state.plotStyle, 0)}}},
        {"range", QJsonObject{{"xMin", state.xMin}, {"xMax", state.xMax}, {"yMin", state.yMin}, {"yMax", state.yMax}}},
        {"axes",
         QJsonObject{{"bottom", axis(state.bottom)},
                     {"left", axis(state.left)},
                     {"right", axis(state.right)},
                     {"logX", state.logX},
                     {"logY", state.logY}}},
        {"calibration",
         QJsonObject{{"value", state.calibration},
                     {"user", state.userCalibration},
                     {"setByUser", state.calibrationSetByUser},
                     {"field", state.calibrationField},
                     {"unit", state.unit}}},
        {"fftWindow", QLatin1String(windowFunctionName(std::size_t(state.fftWindow)))},
        {"peaks",
         QJsonObject{{"delta", state.peakDelta},
                     {"threshold", state.peakThreshold},
                     {"subtractMinimum", state.subtractMinimum},
                     {"list", state.negativePeaksListed ? "negative" : "positive"},
                     {"markers", markers}}},
        {"panels",
         QJsonObject{{"tools", state.toolsShown}, {"statistics", state.statisticsShown}, {"peaks", state.peaksShown}}},
        {"curves", curves},
        {"currentCurve", state.currentCurve},
        {"nextCurve", state.nextCurve},
        {"script", state.script}};
    return QJsonDocument(top).toJson(QJsonDocument::Indented);
}

// The format is read first: a newer file is told as such, not by the first field it added.
bool ProjectJson::read(const QByteArray& json, ProjectState& state, std::vector<SampleEntries>& entries,
                       QString& reason)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (document.isNull()) {
        reason = QStringLiteral("%1 is no JSON: %2 at byte %3")
                     .arg(QLatin1String(kEntry), error.errorString())
                     .arg(error.offset);
        return false;
    }
    if (!document.isObject()) {
        reason = QStringLiteral("%1 holds no JSON object").arg(QLatin1String(kEntry));
        return false;
    }
    ProjectState read;
    std::vector<SampleEntries> where;
    JsonFields top(document.object(), QString(), reason);
    double format = 0;
    if (!top.whole("format", 1.0, 1e9, format))
        return false;
    if (format > ProjectState::kFormat) {
        reason = QStringLiteral("made by a newer Kurvo (format %1)").arg(format);
        return false;
    }
    if (!readPlot(top, read, reason) || !readAxes(top, read, reason) || !readCalibration(top, read, reason)
        || !readPeaksAndPanels(top, read, reason) || !readCurves(top, read, where, reason)
        || !top.text("script", read.script))
        return false;
    state = std::move(read);
    entries = std::move(where);
    return true;
}
