#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include <cstddef>
#include <functional>

class ProjectArchive;
struct ProjectState;

// Reads a project file whole, or not at all. The description is read and checked first, then
// every curve's entry is checked to hold exactly its points before memory is taken for any of
// them, and each entry is checked against its CRC-32 as it is read. Only a file that passed
// everything changes `state`; any other gives the reason in a message of the form
// "Kurvo: NAME is not a Kurvo project (REASON)". Nothing is thrown.
class ProjectReader
{
public:
    // The largest description read: far beyond the text of any plot and script, and far
    // below what would strain the memory.
    static constexpr qint64 kLargestDescription = 64 << 20;

    static bool readFile(const QString& path, ProjectState& state, QString& error);
    // A project held in memory, called `name` in the message.
    static bool read(const QByteArray& bytes, const QString& name, ProjectState& state, QString& error);

private:
    static bool readArchive(const ProjectArchive& archive, ProjectState& state, QString& reason);
    static bool readDescription(const ProjectArchive& archive, QByteArray& json, QString& reason);
    static bool checkSize(const ProjectArchive& archive, const QString& entry, std::size_t points, QString& reason);
    static bool readSamples(const ProjectArchive& archive, const QString& entry, std::size_t points,
                            QVector<double>& values, QString& reason);
    static bool readGuarded(const QString& name, QString& error, const std::function<bool(QString&)>& read);
};
