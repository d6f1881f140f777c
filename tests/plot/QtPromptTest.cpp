#include "InstalledFileNameCodec.h"
#include "QtPrompt.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// The real file dialogs, answered as a user picking a file would; the locale's codec is the
// one the programs install.
class QtPromptTest : public ::testing::Test
{
protected:
    // Types `name` into the file dialog that opens next and accepts it. Any other window that
    // opens, such as a complaint about the name, is closed, and so is the dialog when it stays
    // after its answer: a test that fails never waits for a user.
    void answerWith(const QString& name)
    {
        answered = false;
        QObject::disconnect(&watcher, &QTimer::timeout, nullptr, nullptr);
        QObject::connect(&watcher, &QTimer::timeout, &watcher, [this, name] {
            QWidget* modal = QApplication::activeModalWidget();
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (dialog && !answered) {
                answered = true;
                // A desktop's own dialog would hand the name over as UTF-8 text, losing its bytes.
                EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
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

    const InstalledFileNameCodec codec;
    QTemporaryDir dir;
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

} // namespace
