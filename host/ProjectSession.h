#pragma once

#include <QObject>
#include <QString>

#include <memory>

class CodeEditor;
class Prompt;
class QTimer;
class QWidget;
class vxKurvo;

// The project of one main window: its file, the file's name and a "*" for unsaved changes in
// the window's title, Save Project, Save Project As, opening a project in place of what the
// window shows, and the question whether to save changes that would be lost. A window
// without a project keeps the title the plot gives it.
class ProjectSession : public QObject
{
    Q_OBJECT

public:
    // How often the plot and the script are compared with the project for the title's marker.
    static constexpr int kCheckMilliseconds = 500;

    ProjectSession(QWidget* window, vxKurvo* plot, CodeEditor* editor, const std::unique_ptr<Prompt>& prompter);

    const QString& path() const { return file; }
    // Whether a project is open and differs from its file, as of now.
    bool isChanged();
    // False, with the reason shown, when the file is no project; the window then shows what
    // it showed.
    bool open(const QString& path);
    // To the project's file, or to one asked for when there is none. False when nothing was
    // saved, cancelled or failed.
    bool save();
    bool saveAs();
    // Whether changes may go: none to lose, or the user saved them or gave them up. Without
    // a project only `plotToo` makes a plot with curves count as changes.
    bool mayLeave(bool plotToo);
    // The title and its marker as the project is now.
    void refresh();

signals:
    // A project file opened or saved.
    void fileUsed(const QString& path);

private:
    bool saveTo(const QString& path);
    QString folder() const;

    QWidget* window;
    vxKurvo* plot;
    CodeEditor* editor;
    const std::unique_ptr<Prompt>& prompter;
    QTimer* checks;
    QString file;
    // Once changed, a project stays changed until it is saved or opened again.
    bool changed = false;
};
