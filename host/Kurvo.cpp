#include "Kurvo.h"

#include "CodeEditor.h"
#include "Highlighter.h"
#include "ProjectSession.h"
#include "progress/BackgroundTask.h"
#include "QtPrompt.h"
#include "RecentFiles.h"
#include "ScriptFile.h"
#include "Startup.h"
#include "vxKurvo.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>
#include <cstdio>
#include <new>
#include <optional>
#include <vector>

namespace {

// Every window that lives, in the order of construction. The newest one receives the log
// lines; a window leaves the list as its destruction begins, so a line logged while it is
// being torn down never reaches it.
std::vector<Kurvo*>& liveWindows()
{
    static std::vector<Kurvo*> windows;
    return windows;
}

} // namespace

// The icons live in this static library: the linker keeps them only when asked for. The
// macro must stand outside any namespace.
static void initResources()
{
    Q_INIT_RESOURCE(Kurvo);
}

Kurvo::Kurvo(QWidget* parent)
    : QWidget(parent)
    , prompter(std::make_unique<QtPrompt>())
    , pointEvaluator(compileOnce)
{
    initResources();
    ui.setupUi(this);
    // From here on the log lines come to this window, which has its log view now.
    liveWindows().push_back(this);

    ui.kurvo->begin(QStringLiteral("Kurvo"), QStringLiteral("X"), QStringLiteral("Y"), QString());
    ui.kurvo->setLogCallback(&Kurvo::logLine);
    highlighter = new Highlighter(ui.scriptEditor->document());

    connect(ui.kurvo, &vxKurvo::newPlotRequest, this, &Kurvo::newPlotRequest);
    connect(ui.openPB, &QPushButton::clicked, this, &Kurvo::scriptLoad);
    connect(ui.savePB, &QPushButton::clicked, this, &Kurvo::scriptSave);
    connect(ui.runPB, &QPushButton::clicked, this, &Kurvo::scriptRun);

    session = new ProjectSession(this, ui.kurvo, ui.scriptEditor, prompter);
    connect(session, &ProjectSession::fileUsed, this, &RecentFiles::add);
    connect(ui.kurvo, &vxKurvo::dataFileOpened, this, &RecentFiles::add);
    connect(ui.kurvo, &vxKurvo::filesDropped, this, [this](const QStringList& paths) { openFiles(*this, paths); });
    connect(ui.openAction, &QAction::triggered, this, &Kurvo::openDialog);
    connect(ui.saveProjectAction, &QAction::triggered, session, &ProjectSession::save);
    connect(ui.saveProjectAsAction, &QAction::triggered, session, &ProjectSession::saveAs);
    connect(ui.quitAction, &QAction::triggered, qApp, &QApplication::closeAllWindows);
    connect(ui.recentMenu, &QMenu::aboutToShow, this, &Kurvo::showRecentFiles);
    setAcceptDrops(true);

    // Without an autosave file (the first start, or no script folder) the editor starts empty.
    QString text;
    QString error;
    if (ScriptFile::load(ScriptFile::autosavePath(), text, error))
        ui.scriptEditor->setPlainText(text);
}

Kurvo::~Kurvo()
{
    auto& windows = liveWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
    try {
        keepScript(ui.scriptEditor->toPlainText());
    } catch (const std::bad_alloc&) {
        std::fputs("Kurvo: Not enough memory to keep the script\n", stderr);
    }
}

Kurvo* Kurvo::currentWindow()
{
    const auto& windows = liveWindows();
    return windows.empty() ? nullptr : windows.back();
}

void Kurvo::setPrompt(std::unique_ptr<Prompt> prompt)
{
    if (prompt)
        prompter = std::move(prompt);
}

void Kurvo::setPointEvaluator(PointEvaluator evaluator)
{
    if (evaluator)
        pointEvaluator = std::move(evaluator);
}

void Kurvo::logLine(const QString& line)
{
    if (Kurvo* window = currentWindow())
        window->appendLog(line);
}

void Kurvo::appendLog(const QString& line)
{
    // A new paragraph of plain text: a line that looks like markup stays as it is.
    QTextCursor cursor(ui.log->document());
    cursor.movePosition(QTextCursor::End);
    if (!ui.log->document()->isEmpty())
        cursor.insertBlock();
    cursor.insertText(line);
    ui.log->moveCursor(QTextCursor::End);
    // Moving the cursor scrolls to its column; after a line wider than the view that hides
    // the start of every line. A reader looks for the newest line's start: bottom left.
    QScrollBar* across = ui.log->horizontalScrollBar();
    across->setValue(across->minimum());
    QScrollBar* down = ui.log->verticalScrollBar();
    down->setValue(down->maximum());
}

QString Kurvo::scriptFolder() const
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/script");
}

void Kurvo::newPlotRequest()
{
    // Lives until the process ends: closing it only hides it.
    auto* window = new Kurvo;
    window->show();
}

void Kurvo::scriptLoad()
{
    const QString path =
        prompter->openFileName(this, tr("Load script"), scriptFolder(), tr("Math script (*.ms)"));
    if (!path.isEmpty())
        openScript(path);
}

void Kurvo::openScript(const QString& path)
{
    QString text;
    QString error;
    if (ScriptFile::load(path, text, error)) {
        ui.scriptEditor->setPlainText(text);
        RecentFiles::add(path);
    } else {
        prompter->warning(this, tr("LOAD ERROR"), tr("%1: %2").arg(path, error));
    }
    ui.mainTab->setCurrentWidget(ui.scriptTab);
}

bool Kurvo::openProject(const QString& path)
{
    return session->mayLeave(true) && session->open(path);
}

void Kurvo::openDialog()
{
    // The first filter shows every file this dialog opens: projects and scripts besides data.
    QStringList filters = ui.kurvo->dataFilters();
    filters.front().replace(QStringLiteral("("), QStringLiteral("(*.kurvo *.ms "));
    filters.insert(1, tr("Kurvo projects and scripts (*.kurvo *.ms)"));
    filters.insert(2, tr("Kurvo project (*.kurvo)"));
    filters.insert(3, tr("Math script (*.ms)"));
    QString chosen = filters.front();
    const QStringList paths = prompter->openFileNames(this, tr("Open"), QDir::currentPath(), filters, &chosen);
    openFiles(*this, paths);
}

void Kurvo::showRecentFiles()
{
    ui.recentMenu->clear();
    ui.recentMenu->setToolTipsVisible(true);
    const QStringList paths = RecentFiles::list();
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths[i];
        QAction* action = ui.recentMenu->addAction(QStringLiteral("&%1 %2").arg((i + 1) % 10).arg(QFileInfo(path).fileName()));
        action->setToolTip(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this, [this, path] { openFiles(*this, {path}); });
    }
    if (paths.isEmpty())
        ui.recentMenu->addAction(tr("No recent files"))->setEnabled(false);
}

void Kurvo::closeEvent(QCloseEvent* event)
{
    if (session->mayLeave(false))
        event->accept();
    else
        event->ignore();
}

void Kurvo::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void Kurvo::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    event->acceptProposedAction();
    openFiles(*this, paths);
}

void Kurvo::scriptSave()
{
    const QString path =
        prompter->saveFileName(this, tr("Save script"), scriptFolder(), tr("Math script (*.ms)"));
    if (path.isEmpty())
        return;
    QString error;
    if (ScriptFile::save(path, ui.scriptEditor->toPlainText(), error))
        RecentFiles::add(path);
    else
        prompter->warning(this, tr("SAVE ERROR"), tr("%1: %2").arg(path, error));
}

// The script is kept in the autosave file first, so that whatever the run meets, the typed
// text outlives it.
void Kurvo::scriptRun()
{
    try {
        const QString script = ui.scriptEditor->toPlainText();
        keepScript(script);
        // A long run goes on beside the window, which repaints and offers to stop it.
        BackgroundTask task(*prompter, this, tr("Running the script ..."));
        const std::optional<ScriptResult> done = task.produce([&] { return runScript(script, pointEvaluator); });
        // Stopped by the user, who needs no word of it; the plot stays as it was.
        if (!done || done->cancelled)
            return;
        const ScriptResult& run = *done;
        if (!run.ok)
            showParserError(run);
        else if (!plotCurve(run))
            prompter->critical(this, tr("PARSER ERROR"), notEnoughMemoryFor(run.settings.count));
        ui.kurvo->setTitle(run.settings.title);
        ui.kurvo->setXTitle(run.settings.xTitle);
        ui.kurvo->setYTitle(run.settings.yTitle);
    } catch (const std::bad_alloc&) {
        prompter->critical(this, tr("PARSER ERROR"), tr("Not enough memory to run the script"));
    }
    ui.mainTab->setCurrentIndex(0);
}

void Kurvo::showParserError(const ScriptResult& run)
{
    if (run.errorLine <= 0) {
        prompter->critical(this, tr("PARSER ERROR"), run.error);
        return;
    }
    QTextCursor cursor(ui.scriptEditor->document()->findBlockByNumber(run.errorLine - 1));
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, run.errorColumn - 1);
    ui.scriptEditor->setTextCursor(cursor);
    prompter->critical(this, tr("PARSER ERROR"),
                       tr("%1\nLine %2, column %3").arg(run.error).arg(run.errorLine).arg(run.errorColumn));
}

// The plot shares the points; a curve that memory cannot hold adds none.
bool Kurvo::plotCurve(const ScriptResult& run)
{
    try {
        ui.kurvo->createEvenPlot(-1, run.settings.curveName, run.x.start, run.x.step, run.yValues, 0);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// No dialog here: this also runs as the window closes, when no one would see it.
void Kurvo::keepScript(const QString& script)
{
    QString error;
    if (!ScriptFile::autosave(script, error)) {
        const QByteArray line = QStringLiteral("Kurvo: Can't keep the script in %1: %2\n")
                                    .arg(ScriptFile::autosavePath(), error)
                                    .toLocal8Bit();
        std::fputs(line.constData(), stderr);
    }
}
