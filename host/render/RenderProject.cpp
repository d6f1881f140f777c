#include "RenderProject.h"

#include "ProjectFiles.h"

namespace {

// The messages are the plot's own, which begin with the program's name.
QString withoutProgram(const QString& message)
{
    return message.startsWith(QLatin1String("Kurvo: ")) ? message.mid(7) : message;
}

} // namespace

RenderProject::RenderProject(PlotServer& server)
    : files(std::make_unique<ProjectFiles>(server))
{
}

RenderProject::~RenderProject() = default;

bool RenderProject::open(const QString& path, QString& error)
{
    if (files->open(path, script, error))
        return true;
    error = withoutProgram(error);
    return false;
}

bool RenderProject::save(const QString& path, QString& error)
{
    if (files->save(path, script, error))
        return true;
    error = withoutProgram(error);
    return false;
}
