#include "ProjectFiles.h"

#include "PlotServer.h"
#include "ProjectApplier.h"
#include "ProjectCapture.h"
#include "ProjectJson.h"
#include "ProjectReader.h"
#include "ProjectState.h"
#include "ProjectWriter.h"

#include <cstring>

namespace {

// Bit for bit, so that a NaN among the samples equals itself; shared samples compare at once.
bool sameSamples(const QVector<double>& a, const QVector<double>& b)
{
    return a.size() == b.size()
           && (a.constData() == b.constData()
               || std::memcmp(a.constData(), b.constData(), std::size_t(a.size()) * sizeof(double)) == 0);
}

bool sameSamples(const ProjectState& a, const ProjectState& b)
{
    for (std::size_t i = 0; i < a.curves.size(); ++i) {
        if (!sameSamples(a.curves[i].x, b.curves[i].x) || !sameSamples(a.curves[i].y, b.curves[i].y))
            return false;
    }
    return true;
}

} // namespace

ProjectFiles::ProjectFiles(PlotServer& server)
    : server(server)
{
}

ProjectFiles::~ProjectFiles() = default;

void ProjectFiles::log(const QString& message)
{
    server.logMessage("%s", message.toLocal8Bit().constData());
}

void ProjectFiles::keep(ProjectState state)
{
    savedDescription = ProjectJson::describe(state);
    saved = std::make_unique<ProjectState>(std::move(state));
}

bool ProjectFiles::save(const QString& path, const QString& script, QString& error)
{
    ProjectState state = ProjectCapture::of(server);
    state.script = script;
    if (!ProjectWriter::write(path, state, error)) {
        log(error);
        return false;
    }
    keep(std::move(state));
    return true;
}

bool ProjectFiles::open(const QString& path, QString& script, QString& error)
{
    ProjectState state;
    if (!ProjectReader::readFile(path, state, error)) {
        log(error);
        return false;
    }
    if (!show(state, path, error))
        return false;
    script = state.script;
    return true;
}

bool ProjectFiles::show(const ProjectState& state, const QString& name, QString& error)
{
    const QString refusal = ProjectApplier::refusal(server, state);
    if (!refusal.isEmpty()) {
        error = QStringLiteral("Kurvo: %1 is not a Kurvo project (%2)").arg(name, refusal);
        log(error);
        return false;
    }
    ProjectApplier::apply(server, state);
    ProjectState shown = ProjectCapture::of(server);
    shown.script = state.script;
    keep(std::move(shown));
    log(QStringLiteral("%1 opened ... [%2 curves]").arg(name).arg(state.curves.size()));
    return true;
}

bool ProjectFiles::changedSince(const QString& script) const
{
    if (!saved)
        return false;
    ProjectState now = ProjectCapture::of(server);
    now.script = script;
    // The description holds every setting and the number of points of every curve, so equal
    // descriptions and equal samples are one state.
    return ProjectJson::describe(now) != savedDescription || !sameSamples(now, *saved);
}
