#pragma once

#include <QString>

#include <memory>

class PlotServer;
class ProjectFiles;

// The projects of kurvo-render: a .kurvo input shows in the plot as the window opens it, and
// --save-project keeps the plot as the options before it left it, with the text of the last
// script run or of the project opened, as the window keeps its editor's text.
class RenderProject
{
public:
    explicit RenderProject(PlotServer& server);
    ~RenderProject();

    // The script text a project saved from now on holds.
    void setScript(const QString& text) { script = text; }
    // Both false with the reason, without the program's name, in `error`.
    bool open(const QString& path, QString& error);
    bool save(const QString& path, QString& error);

private:
    std::unique_ptr<ProjectFiles> files;
    QString script;
};
