#pragma once

#include "KurvoUi.h"
#include "ScriptRun.h"

#include <QWidget>

#include <memory>

class Highlighter;
class Prompt;

// The main window: the plot widget in the Plot tab, the Math script editor with its OPEN,
// SAVE and RUN buttons, the plot library's log lines and the About page. The editor's text
// is restored from the autosave file at construction and written back before every run and
// at destruction.
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

public slots:
    void newPlotRequest();
    void scriptLoad();
    void scriptSave();
    void scriptRun();

private:
    static void logLine(const QString& line);
    static void keepScript(const QString& script);
    void appendLog(const QString& line);
    QString scriptFolder() const;
    bool plotCurve(const ScriptResult& run);

    KurvoUi ui;
    Highlighter* highlighter = nullptr;
    std::unique_ptr<Prompt> prompter;
    PointEvaluator pointEvaluator;
};
