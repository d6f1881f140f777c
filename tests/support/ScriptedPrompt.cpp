#include "ScriptedPrompt.h"

#include "PromptProgress.h"

#include <QPrinter>

#include <QAction>
#include <QDialog>
#include <QMenu>

#include <algorithm>

QVariant ScriptedPrompt::next()
{
    if (answers.empty())
        return {};
    QVariant answer = answers.front();
    answers.pop_front();
    return answer;
}

int ScriptedPrompt::count(const QString& kind) const
{
    return int(std::count_if(calls.begin(), calls.end(), [&](const Call& c) { return c.kind == kind; }));
}

QStringList ScriptedPrompt::openFileNames(QWidget*, const QString& caption, const QString& dir,
                                          const QStringList& filters, QString* selectedFilter)
{
    calls.push_back({QStringLiteral("openFileNames"), caption, selectedFilter ? *selectedFilter : QString(),
                     dir, filters});
    const QVariant answer = next();
    if (selectedFilter && !filters.isEmpty())
        *selectedFilter = filters.front();
    return answer.toStringList();
}

QString ScriptedPrompt::openFileName(QWidget*, const QString& caption, const QString& dir,
                                     const QString& filter)
{
    calls.push_back({QStringLiteral("openFileName"), caption, QString(), dir, {filter}});
    return next().toString();
}

QString ScriptedPrompt::saveFileName(QWidget*, const QString& caption, const QString& dir,
                                     const QString& filter)
{
    calls.push_back({QStringLiteral("saveFileName"), caption, QString(), dir, {filter}});
    return next().toString();
}

bool ScriptedPrompt::text(QWidget*, const QString& title, const QString& label, QString& value)
{
    calls.push_back({QStringLiteral("text"), title, label, QString(), {value}});
    const QVariant answer = next();
    if (!answer.isValid())
        return false;
    value = answer.toString();
    return true;
}

bool ScriptedPrompt::integer(QWidget*, const QString& title, const QString& label, int& value,
                             int minimum, int maximum, int)
{
    calls.push_back({QStringLiteral("integer"), title, label, QString(),
                     {QString::number(value), QString::number(minimum), QString::number(maximum)}});
    const QVariant answer = next();
    if (!answer.isValid() || answer.toInt() < minimum || answer.toInt() > maximum)
        return false;
    value = answer.toInt();
    return true;
}

bool ScriptedPrompt::item(QWidget*, const QString& title, const QString& label,
                          const QStringList& items, int, QString& value)
{
    calls.push_back({QStringLiteral("item"), title, label, QString(), items});
    const QVariant answer = next();
    if (!answer.isValid())
        return false;
    value = answer.toString();
    return true;
}

QColor ScriptedPrompt::color(const QColor& initial, QWidget*, const QString& title,
                             QColorDialog::ColorDialogOptions)
{
    calls.push_back({QStringLiteral("color"), title, initial.name(QColor::HexArgb), QString(), {}});
    return next().value<QColor>();
}

void ScriptedPrompt::warning(QWidget*, const QString& title, const QString& text)
{
    calls.push_back({QStringLiteral("warning"), title, text, QString(), {}});
}

void ScriptedPrompt::critical(QWidget*, const QString& title, const QString& text)
{
    calls.push_back({QStringLiteral("critical"), title, text, QString(), {}});
}

int ScriptedPrompt::dialog(QDialog* dialog)
{
    calls.push_back({QStringLiteral("dialog"), dialog->windowTitle(), QString(), QString(), {}});
    return onDialog ? onDialog(dialog) : int(QDialog::Rejected);
}

bool ScriptedPrompt::pickDataSets(QDialog* picker)
{
    calls.push_back({QStringLiteral("dataSets"), picker->windowTitle(), QString(), QString(), {}});
    return onDialog && onDialog(picker) == QDialog::Accepted;
}

bool ScriptedPrompt::fitSettings(QDialog* fitDialog)
{
    calls.push_back({QStringLiteral("fit"), fitDialog->windowTitle(), QString(), QString(), {}});
    return onDialog && onDialog(fitDialog) == QDialog::Accepted;
}

void ScriptedPrompt::showWindow(QWidget* window)
{
    calls.push_back({QStringLiteral("window"), window->windowTitle(), QString(), QString(), {}});
    if (onWindow)
        onWindow(window);
}

QAction* ScriptedPrompt::menu(QMenu* menu, const QPoint&)
{
    calls.push_back({QStringLiteral("menu"), menu->objectName(), QString(), QString(), {}});
    QAction* chosen = onMenu ? onMenu(menu) : nullptr;
    if (chosen)
        chosen->trigger();
    return chosen;
}

namespace {

class ScriptedProgress : public PromptProgress
{
public:
    ScriptedProgress(ScriptedPrompt& prompt, ScriptedPrompt::ProgressRecord& record)
        : prompt(prompt)
        , record(record)
    {
    }
    ~ScriptedProgress() override { record.closed = true; }

    void setValue(int value) override { record.values.push_back(value); }
    bool wasCanceled() const override
    {
        return prompt.cancelAtCheck > 0 && ++prompt.cancelChecks >= prompt.cancelAtCheck;
    }

private:
    ScriptedPrompt& prompt;
    ScriptedPrompt::ProgressRecord& record;
};

} // namespace

std::unique_ptr<PromptProgress> ScriptedPrompt::progress(QWidget*, const QString& label, const QString& cancelText,
                                                         int minimum, int maximum)
{
    calls.push_back({QStringLiteral("progress"), label, cancelText, QString(), {}});
    ProgressRecord record;
    record.label = label;
    record.cancelText = cancelText;
    record.minimum = minimum;
    record.maximum = maximum;
    progressDialogs.push_back(record);
    return std::make_unique<ScriptedProgress>(*this, progressDialogs.back());
}

QString ScriptedPrompt::saveFileNameWithFilter(QWidget*, const QString& caption, const QString& dir,
                                               const QString& filters, QString* selectedFilter)
{
    calls.push_back({QStringLiteral("saveFileNameWithFilter"), caption, QString(), dir,
                     filters.split(QStringLiteral(";;"))});
    if (selectedFilter)
        *selectedFilter = chosenSaveFilter.isEmpty() ? filters.split(QStringLiteral(";;")).front() : chosenSaveFilter;
    return next().toString();
}

bool ScriptedPrompt::printPreview(QPrinter* printer, QWidget*, const std::function<void(QPrinter*)>& paint)
{
    calls.push_back({QStringLiteral("printPreview"), printer->docName(), printer->creator(), QString(), {}});
    previewedDocuments << printer->docName();
    if (!printToFile.isEmpty()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(printToFile);
    }
    paint(printer);
    return true;
}
