#include "progress/BackgroundTask.h"
#include "QtPrompt.h"
#include "ScriptedPrompt.h"

#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <new>
#include <thread>

namespace {

// Sleeps until asked to stop, or for `limit` at most, so that a failing test ends; true when
// it was asked.
bool waitForCancel(std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (ReadProgress::cancelRequested())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

class BackgroundTaskTest : public ::testing::Test
{
protected:
    ScriptedPrompt prompt;
    BackgroundTask task{prompt, nullptr, "Loading data ..."};
};

TEST_F(BackgroundTaskTest, QuickWorkGivesItsResultWithoutADialog)
{
    const auto result = task.produce([this] { return ReadProgress::current() == &task.progress(); });
    EXPECT_EQ(result, std::optional<bool>(true));
    EXPECT_EQ(ReadProgress::current(), nullptr);
    EXPECT_EQ(prompt.count("progress"), 0);
}

TEST_F(BackgroundTaskTest, SlowWorkShowsItsFractionAndStopsAtCancel)
{
    prompt.cancelAtCheck = 3;
    bool asked = false;
    EXPECT_FALSE(task.run([&] {
        ReadProgress::report(1, 4);
        asked = waitForCancel(std::chrono::seconds(20));
    }));
    EXPECT_TRUE(asked);
    ASSERT_EQ(prompt.progressDialogs.size(), 1u);
    const ScriptedPrompt::ProgressRecord& dialog = prompt.progressDialogs.front();
    EXPECT_EQ(dialog.label, "Loading data ...");
    EXPECT_EQ(dialog.maximum, 1000);
    // Cancel was pressed at the third look; the work may take a little longer to stop.
    EXPECT_GE(dialog.values.size(), 3u);
    EXPECT_EQ(std::count(dialog.values.begin(), dialog.values.end(), 250), long(dialog.values.size()));
    EXPECT_TRUE(dialog.closed);
}

// As with the batch tool's prompt, whose dialog shows nothing and never cancels.
TEST_F(BackgroundTaskTest, WorkOfUnknownSizeGetsABusyDialogAndRunsToItsEnd)
{
    EXPECT_TRUE(task.run([] { waitForCancel(std::chrono::milliseconds(700)); }));
    ASSERT_EQ(prompt.progressDialogs.size(), 1u);
    EXPECT_EQ(prompt.progressDialogs.front().maximum, 0);
    EXPECT_TRUE(prompt.progressDialogs.front().values.empty());
}

TEST_F(BackgroundTaskTest, WhatTheWorkThrowsIsThrownHere)
{
    EXPECT_THROW(task.run([] { throw std::bad_alloc(); }), std::bad_alloc);
    EXPECT_EQ(prompt.count("progress"), 0);
}

} // namespace

// The real dialog: its Cancel button is pressed while the work runs, so the button gets the
// click although the window waits.
TEST(BackgroundTaskDialogTest, CancelButtonOfTheRealDialogStopsTheWork)
{
    QtPrompt prompt;
    QWidget window;
    window.show();
    BackgroundTask task(prompt, &window, "Loading data ...");
    QTimer presser;
    QObject::connect(&presser, &QTimer::timeout, [&window] {
        if (auto* dialog = window.findChild<QProgressDialog*>())
            if (auto* button = dialog->findChild<QPushButton*>())
                QTest::mouseClick(button, Qt::LeftButton);
    });
    presser.start(100);
    bool asked = false;
    EXPECT_FALSE(task.run([&] {
        ReadProgress::report(1, 2);
        asked = waitForCancel(std::chrono::seconds(20));
    }));
    EXPECT_TRUE(asked);
}
