#include "ProjectSession.h"

#include "CodeEditor.h"
#include "Prompt.h"
#include "vxKurvo.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>

ProjectSession::ProjectSession(QWidget* window, vxKurvo* plot, CodeEditor* editor,
                               const std::unique_ptr<Prompt>& prompter)
    : QObject(window)
    , window(window)
    , plot(plot)
    , editor(editor)
    , prompter(prompter)
    , checks(new QTimer(this))
{
    connect(checks, &QTimer::timeout, this, &ProjectSession::refresh);
    checks->start(kCheckMilliseconds);
}

bool ProjectSession::isChanged()
{
    if (!file.isEmpty() && !changed)
        changed = plot->projectChanged(editor->toPlainText());
    return changed;
}

// The plot names its data files in the title as they load; a project's name comes back.
void ProjectSession::refresh()
{
    if (file.isEmpty())
        return;
    const QString title = tr("Kurvo - ") + QFileInfo(file).fileName() + (isChanged() ? QStringLiteral("*") : QString());
    if (window->windowTitle() != title)
        window->setWindowTitle(title);
}

bool ProjectSession::open(const QString& path)
{
    QString script;
    QString error;
    if (!plot->openProject(path, script, error)) {
        prompter->warning(window, tr("OPEN ERROR"), error);
        return false;
    }
    editor->setPlainText(script);
    file = path;
    changed = false;
    refresh();
    emit fileUsed(path);
    return true;
}

bool ProjectSession::save()
{
    return file.isEmpty() ? saveAs() : saveTo(file);
}

bool ProjectSession::saveAs()
{
    QString path = prompter->saveFileName(window, tr("Save Project"), folder(), tr("Kurvo project (*.kurvo)"));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".kurvo");
    return saveTo(path);
}

bool ProjectSession::saveTo(const QString& path)
{
    QString error;
    if (!plot->saveProject(path, editor->toPlainText(), error)) {
        prompter->warning(window, tr("SAVE ERROR"), error);
        return false;
    }
    file = path;
    changed = false;
    refresh();
    emit fileUsed(path);
    return true;
}

QString ProjectSession::folder() const
{
    return file.isEmpty() ? QDir::currentPath() : QFileInfo(file).absolutePath();
}

// Cancelling the question keeps everything as it is.
bool ProjectSession::mayLeave(bool plotToo)
{
    const bool unsaved = file.isEmpty() ? plotToo && plot->curves() > 0 : isChanged();
    if (!unsaved)
        return true;
    const QString name = file.isEmpty() ? tr("The plot") : QFileInfo(file).fileName();
    const QStringList choices = {tr("Save"), tr("Discard the changes")};
    QString choice;
    if (!prompter->item(window, tr("SAVE PROJECT"), tr("%1 has changes that are not saved.").arg(name), choices, 0,
                        choice))
        return false;
    return choice == choices[1] || save();
}
