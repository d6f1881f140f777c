#pragma once

#include "ReadProgress.h"

#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class PromptProgress;
class Prompt;
class QWidget;

// Runs one long piece of plain work (a reader, an evaluation: nothing that touches a widget)
// on a thread of its own while this thread goes on handling events, so the window repaints.
// Work still running after half a second gets the prompt's progress dialog, whose value
// follows what the work reports to `progress()` and whose Cancel asks the work to stop.
// A prompt without dialogs runs the same way: its progress shows nothing and never cancels.
class BackgroundTask
{
public:
    // `label` names the work in the dialog; `parent` is the window the dialog blocks.
    BackgroundTask(Prompt& prompt, QWidget* parent, const QString& label);

    // Where the work reports how far it has come and polls `cancelled()`. While the work runs
    // it is also its thread's `ReadProgress::current()`, which is how the readers reach it.
    ReadProgress& progress() { return shared; }

    // Runs `work` and waits for its end. False when the user cancelled: the work was asked to
    // stop and whatever it made is to be dropped. What the work throws is thrown here.
    // A task runs one piece of work; a cancel request stays with it.
    bool run(const std::function<void()>& work);
    // The same for work that gives a result: empty when cancelled.
    template <typename Work>
    auto produce(const Work& work) -> std::optional<decltype(work())>;

private:
    void runOnWorker(const std::function<void()>& work);
    void watch(const std::atomic<bool>& finished);
    std::unique_ptr<PromptProgress> openDialog();
    void follow(PromptProgress& dialog);

    Prompt& prompt;
    QWidget* parent;
    QString label;
    ReadProgress shared;
    // Work of unknown size gets a busy bar, which takes no values.
    bool dialogShowsFraction = false;
};

template <typename Work>
auto BackgroundTask::produce(const Work& work) -> std::optional<decltype(work())>
{
    std::optional<decltype(work())> result;
    if (!run([&] { result.emplace(work()); }))
        return std::nullopt;
    return result;
}
