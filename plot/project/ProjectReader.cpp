#include "ProjectReader.h"

#include "ProjectArchive.h"
#include "ProjectJson.h"
#include "ProjectState.h"

#include <QFileInfo>
#include <QtEndian>

#include <new>

namespace {

QString notAProject(const QString& name, const QString& reason)
{
    return QStringLiteral("Kurvo: %1 is not a Kurvo project (%2)").arg(name, reason);
}

} // namespace

bool ProjectReader::readFile(const QString& path, ProjectState& state, QString& error)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        error = QStringLiteral("Kurvo: Can't open file %1").arg(path);
        return false;
    }
    return readGuarded(path, error, [&](QString& reason) {
        if (info.size() == 0) {
            reason = QStringLiteral("the file is empty");
            return false;
        }
        ProjectArchive archive;
        return archive.open(path, reason) && readArchive(archive, state, reason);
    });
}

bool ProjectReader::read(const QByteArray& bytes, const QString& name, ProjectState& state, QString& error)
{
    return readGuarded(name, error, [&](QString& reason) {
        if (bytes.isEmpty()) {
            reason = QStringLiteral("the file is empty");
            return false;
        }
        ProjectArchive archive;
        return archive.open(bytes, reason) && readArchive(archive, state, reason);
    });
}

// A project that memory cannot hold is a good file all the same: it is told apart.
bool ProjectReader::readGuarded(const QString& name, QString& error, const std::function<bool(QString&)>& read)
{
    QString reason;
    try {
        if (read(reason))
            return true;
        error = notAProject(name, reason);
    } catch (const std::bad_alloc&) {
        error = QStringLiteral("Kurvo: Not enough memory to read %1").arg(name);
    }
    return false;
}

bool ProjectReader::readArchive(const ProjectArchive& archive, ProjectState& state, QString& reason)
{
    QByteArray json;
    ProjectState read;
    std::vector<ProjectJson::SampleEntries> entries;
    if (!readDescription(archive, json, reason) || !ProjectJson::read(json, read, entries, reason))
        return false;
    for (const ProjectJson::SampleEntries& where : entries) {
        if (!checkSize(archive, where.x, where.points, reason) || !checkSize(archive, where.y, where.points, reason))
            return false;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        ProjectCurve& curve = read.curves[i];
        if (!readSamples(archive, entries[i].x, entries[i].points, curve.x, reason)
            || !readSamples(archive, entries[i].y, entries[i].points, curve.y, reason))
            return false;
    }
    state = std::move(read);
    return true;
}

bool ProjectReader::readDescription(const ProjectArchive& archive, QByteArray& json, QString& reason)
{
    const QString entry = QLatin1String(ProjectJson::kEntry);
    quint64 bytes = 0;
    if (!archive.size(entry, bytes, reason))
        return false;
    if (bytes > quint64(kLargestDescription)) {
        reason = QStringLiteral("%1 holds %2 bytes, more than a description has").arg(entry).arg(bytes);
        return false;
    }
    json.resize(int(bytes));
    return archive.read(entry, json.data(), bytes, reason);
}

bool ProjectReader::checkSize(const ProjectArchive& archive, const QString& entry, std::size_t points, QString& reason)
{
    quint64 bytes = 0;
    if (!archive.size(entry, bytes, reason))
        return false;
    if (bytes == quint64(points) * sizeof(double))
        return true;
    reason = QStringLiteral("%1 holds %2 bytes, not the %3 of %4 points")
                 .arg(entry)
                 .arg(bytes)
                 .arg(quint64(points) * sizeof(double))
                 .arg(points);
    return false;
}

bool ProjectReader::readSamples(const ProjectArchive& archive, const QString& entry, std::size_t points,
                                QVector<double>& values, QString& reason)
{
    values.resize(int(points));
    if (!archive.read(entry, reinterpret_cast<char*>(values.data()), quint64(points) * sizeof(double), reason))
        return false;
    if constexpr (QSysInfo::ByteOrder == QSysInfo::BigEndian)
        qFromLittleEndian<double>(values.constData(), points, values.data());
    return true;
}
