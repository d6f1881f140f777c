#pragma once

#include "KurvoUi.h"
#include "ScriptRun.h"

#include <QWidget>

#include <memory>

class Highlighter;
class ProjectSession;
class Prompt;
class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;

// The main window: the File menu, the plot widget in the Plot tab, the Math script editor
// with its OPEN, SAVE and RUN buttons, the plot library's log lines and the About page. The
// editor's text is restored from the autosave file at construction and written back before
// every run and at destruction. A project holds the plot and the script together; files
// dropped on the window open as they do from the command line.
class Kurvo : public QWidget
{
    Q_OBJECT

public:
    explicit Kurvo(QWidget* parent = nullptr);
    ~Kurvo() override;

    // The window constructed last that still lives; the plot library's log lines go there.
    static Kurvo* currentWindow();

    vxKurvo* plotWidget() const { return ui.kurvo; }
    CodeEditor* scriptEditor() const { return ui.scriptEditor; }

    // Every question the window asks goes through the prompt; the window owns it.
    void setPrompt(std::unique_ptr<Prompt> prompt);
    // How RUN obtains the value of each point; compiling once is the default.
    void setPointEvaluator(PointEvaluator evaluator);
    // Puts a Math script file into the editor and shows the Script tab; a file that cannot be
    // read leaves the editor's text as it was and says why in a LOAD ERROR box.
    void openScript(const QString& path);
    // Shows the project in place of what the window shows, once changes that would be lost
    // were saved or given up; a file that is no project changes nothing and says why.
    bool openProject(const QString& path);
    ProjectSession& project() const { return *session; }

public slots:
    void newPlotRequest();
    void scriptLoad();
    void scriptSave();
    void scriptRun();
    // File > Open: projects, scripts and data files, each opened as what it is.
    void openDialog();
    void showRecentFiles();

protected:
    // A changed project is saved or given up first; without a project the window just closes.
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    static void logLine(const QString& line);
    static void keepScript(const QString& script);
    void appendLog(const QString& line);
    QString scriptFolder() const;
    bool plotCurve(const ScriptResult& run);
    // The engine's text with the place in the script; the editor's cursor goes there.
    void showParserError(const ScriptResult& run);

    KurvoUi ui;
    Highlighter* highlighter = nullptr;
    std::unique_ptr<Prompt> prompter;
    PointEvaluator pointEvaluator;
    ProjectSession* session = nullptr;
};
