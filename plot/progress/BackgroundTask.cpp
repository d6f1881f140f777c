#include "BackgroundTask.h"

#include "PlotTranslation.h"
#include "Prompt.h"
#include "PromptProgress.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <exception>
#include <system_error>
#include <thread>

namespace {

// Long enough that a quick read never flashes a dialog.
constexpr qint64 kDialogDelayMs = 500;
// How often the dialog follows the work and its Cancel button is looked at.
constexpr int kRefreshMs = 50;
// The dialog counts in thousandths, as the progress does.
constexpr int kDialogMaximum = 1000;

} // namespace

BackgroundTask::BackgroundTask(Prompt& prompt, QWidget* parent, const QString& label)
    : prompt(prompt)
    , parent(parent)
    , label(label)
{
}

bool BackgroundTask::run(const std::function<void()>& work)
{
    std::exception_ptr failure;
    runOnWorker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
    });
    if (failure)
        std::rethrow_exception(failure);
    return !shared.cancelled();
}

// `work` throws nothing. The event loop is woken at once when it ends, so that a quick piece
// of work costs no waiting for the next refresh.
void BackgroundTask::runOnWorker(const std::function<void()>& work)
{
    std::atomic<bool> finished{false};
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    const auto body = [&] {
        ReadProgress* outer = ReadProgress::current();
        ReadProgress::makeCurrent(&shared);
        work();
        ReadProgress::makeCurrent(outer);
        finished.store(true);
        if (dispatcher)
            dispatcher->wakeUp();
    };
    std::thread worker;
    try {
        worker = std::thread(body);
    } catch (const std::system_error&) {
        // No thread to be had: the work runs here, and the window waits for it as it used to.
        body();
        return;
    }
    // Whatever stops the watching, the thread is joined before its state goes out of scope.
    try {
        watch(finished);
    } catch (...) {
        shared.cancel();
        worker.join();
        throw;
    }
    worker.join();
}

void BackgroundTask::watch(const std::atomic<bool>& finished)
{
    if (!QAbstractEventDispatcher::instance())
        return;
    QTimer refresh;
    refresh.start(kRefreshMs);
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<PromptProgress> dialog;
    while (!finished.load()) {
        // Unless the window-modal dialog blocks the window, what the user does waits, so that
        // nothing starts another operation in the middle of this one. A cancelled dialog
        // closes while the work still winds down.
        const bool blocked = dialog && !shared.cancelled();
        const QEventLoop::ProcessEventsFlags handled =
            blocked ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents;
        QCoreApplication::processEvents(handled | QEventLoop::WaitForMoreEvents);
        if (!dialog && !finished.load() && clock.elapsed() >= kDialogDelayMs)
            dialog = openDialog();
        if (dialog)
            follow(*dialog);
    }
}

std::unique_ptr<PromptProgress> BackgroundTask::openDialog()
{
    dialogShowsFraction = shared.measured();
    return prompt.progress(parent, label, translated("Cancel"), 0, dialogShowsFraction ? kDialogMaximum : 0);
}

void BackgroundTask::follow(PromptProgress& dialog)
{
    // A dialog that reaches its maximum closes, and would let the window go while the work
    // still runs.
    if (dialogShowsFraction)
        dialog.setValue(std::min(shared.permille(), kDialogMaximum - 1));
    if (!shared.cancelled() && dialog.wasCanceled())
        shared.cancel();
}
