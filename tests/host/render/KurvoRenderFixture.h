#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <charconv>

// Runs the built kurvo-render (KURVO_RENDER), and the programs that check its output, as a
// user would, in a folder of the test's own, which is also their home, runtime and cache
// folder, so that no run reaches the user's settings or undo files.
class KurvoRenderFixture : public ::testing::Test
{
protected:
    struct Outcome {
        // -1 for a program that did not exit by itself.
        int status = -1;
        QString out;
        QString err;
    };

    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), dir.path());
        environment.insert(QStringLiteral("HOME"), dir.path());
        return environment;
    }

    Outcome render(const QStringList& arguments)
    {
        return run(QStringLiteral(KURVO_RENDER), arguments, environment());
    }

    // Standard output goes to `standardOutput` when one is named; standard input holds `input`
    // and ends there.
    Outcome run(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
                const QString& standardOutput = QString(), const QByteArray& input = QByteArray(),
                int timeout = 60000)
    {
        QProcess process;
        if (!standardOutput.isEmpty())
            process.setStandardOutputFile(standardOutput);
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(dir.path());
        process.start(program, arguments);
        process.write(input);
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(timeout)) << program.toStdString();
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    QString write(const QString& name, const QByteArray& text)
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return file.fileName();
    }

    // Empty for a file that cannot be read.
    QByteArray contents(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The shortest text that reads back as `value`.
    static QByteArray exact(double value)
    {
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        return QByteArray(buffer, int(result.ptr - buffer));
    }

    QTemporaryDir dir;
};
