#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

struct ProjectState;
class PlotServer;

// The projects of one plot widget: saving what it shows together with the host's script,
// opening a project into it, and whether anything changed since the last of either. The
// samples of the state kept for that comparison are shared with the curves, so keeping it
// costs no copy, and an unchanged curve compares in no time.
class ProjectFiles
{
public:
    explicit ProjectFiles(PlotServer& server);
    ~ProjectFiles();

    // False, with the message also logged, when the file was not written.
    bool save(const QString& path, const QString& script, QString& error);
    // The whole project or nothing: false, with the message also logged, leaves the plot as
    // it was. `script` gets the project's script.
    bool open(const QString& path, QString& script, QString& error);
    // Shows a project already read, as `open` does once the file was read.
    bool show(const ProjectState& state, const QString& name, QString& error);
    // Whether the plot or `script` differ from the project last saved or opened; false
    // before either.
    bool changedSince(const QString& script) const;

private:
    void keep(ProjectState state);
    void log(const QString& message);

    PlotServer& server;
    std::unique_ptr<ProjectState> saved;
    QByteArray savedDescription;
};
