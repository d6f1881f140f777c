#include "InstalledFileNameCodec.h"
#include "PromptProgress.h"
#include "QtPrompt.h"

#include <QApplication>
#include <QFile>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QProgressDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace {

// The real file dialogs, answered as a user picking a file would; the locale's codec is the
// one the programs install.
class QtPromptTest : public ::testing::Test
{
protected:
    // The dialogs remember their folders in the settings, which must not be the user's.
    QtPromptTest() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path()); }

    // Types `name` into the file dialog that opens next and accepts it. Any other window that
    // opens, such as a complaint about the name, is closed, and so is the dialog when it stays
    // after its answer: a test that fails never waits for a user.
    void answerWith(const QString& name, const QString& filter = QString())
    {
        answered = false;
        QObject::disconnect(&watcher, &QTimer::timeout, nullptr, nullptr);
        QObject::connect(&watcher, &QTimer::timeout, &watcher, [this, name, filter] {
            QWidget* modal = QApplication::activeModalWidget();
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (dialog && !answered) {
                answered = true;
                // A desktop's own dialog would hand the name over as UTF-8 text, losing its bytes.
                EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
                if (!filter.isEmpty())
                    dialog->selectNameFilter(filter);
                dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
                static_cast<QDialog*>(dialog)->accept();
            } else if (modal) {
                modal->close();
            }
        });
        watcher.start(20);
    }

    QByteArray createFile(const QByteArray& name) const
    {
        const QByteArray path = QFile::encodeName(dir.path()) + '/' + name;
        std::FILE* file = std::fopen(path.constData(), "wb");
        EXPECT_NE(file, nullptr);
        if (file)
            std::fclose(file);
        return path;
    }

    // Notes the folder and the filter the file dialog that opens next starts on, then cancels it.
    void lookAtNextDialog()
    {
        QObject::disconnect(&watcher, &QTimer::timeout, nullptr, nullptr);
        QObject::connect(&watcher, &QTimer::timeout, &watcher, [this] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                startFolder = dialog->directory().absolutePath();
                startFilter = dialog->selectedNameFilter();
                dialog->reject();
            } else if (QWidget* modal = QApplication::activeModalWidget()) {
                modal->close();
            }
        });
        watcher.start(20);
    }

    const InstalledFileNameCodec codec;
    QTemporaryDir settingsDir;
    QTemporaryDir dir;
    QString startFolder;
    QString startFilter;
    QTimer watcher;
    bool answered = false;
    QtPrompt prompt;
};

// Names whose bytes are no UTF-8 come back from every file dialog as the bytes they are.
TEST_F(QtPromptTest, FileDialogsGiveNamesByteForByte)
{
    const QByteArray existing = createFile("a\xff.csv");
    answerWith(QFile::decodeName(existing));
    EXPECT_EQ(QFile::encodeName(prompt.openFileName(nullptr, "Open", dir.path(), "All (*)")), existing);

    answerWith(QFile::decodeName(existing));
    QString filter;
    const QStringList names = prompt.openFileNames(nullptr, "Open", dir.path(), {"All (*)"}, &filter);
    ASSERT_EQ(names.size(), 1);
    EXPECT_EQ(QFile::encodeName(names[0]), existing);

    const QByteArray fresh = QFile::encodeName(dir.path()) + "/b\xfe.png";
    answerWith(QFile::decodeName(fresh));
    EXPECT_EQ(QFile::encodeName(prompt.saveFileName(nullptr, "Save", dir.path(), "All (*)")), fresh);
}

// Counts the paint events progress dialogs receive.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && qobject_cast<QProgressDialog*>(watched))
            ++paints;
        return false;
    }
};

// The work behind a progress dialog keeps the event loop busy, so the dialog must be drawn
// before it hands back.
TEST_F(QtPromptTest, ProgressDialogIsDrawnAtOnce)
{
    QWidget window;
    window.show();
    PaintCounter counter;
    qApp->installEventFilter(&counter);
    const std::unique_ptr<PromptProgress> progress = prompt.progress(&window, "Reading", "Cancel", 0, 10);
    qApp->removeEventFilter(&counter);
    EXPECT_GT(counter.paints, 0);
}

// Each dialog, told by its caption, starts where it was last answered, with the filter chosen.
TEST_F(QtPromptTest, FileDialogsStartWhereTheyWereLastAnswered)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    const QString file = QFile::decodeName(createFile("sub/a.csv"));
    const QStringList filters = {"All data (*.csv *.txt)", "CSV (*.csv)"};
    lookAtNextDialog();
    QString filter = filters[0];
    prompt.openFileNames(nullptr, "Open", dir.path(), filters, &filter);
    EXPECT_EQ(startFolder, dir.path());
    EXPECT_EQ(startFilter, filters[0]);

    answerWith(file, filters[1]);
    filter = filters[0];
    EXPECT_EQ(prompt.openFileNames(nullptr, "Open", dir.path(), filters, &filter), QStringList{file});

    lookAtNextDialog();
    filter = filters[0];
    prompt.openFileNames(nullptr, "Open", dir.path(), filters, &filter);
    EXPECT_EQ(startFolder, dir.path() + "/sub");
    EXPECT_EQ(startFilter, filters[1]);

    lookAtNextDialog();
    prompt.saveFileName(nullptr, "Save script", dir.path(), "Math script (*.ms)");
    EXPECT_EQ(startFolder, dir.path()) << "another dialog keeps its own folder";
}

} // namespace
