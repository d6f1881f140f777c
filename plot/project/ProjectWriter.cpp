#include "ProjectWriter.h"

#include "FileReplacement.h"
#include "ProjectJson.h"
#include "ProjectState.h"

#include <QByteArray>
#include <QFile>
#include <QtEndian>

#include <zip.h>

#include <deque>
#include <memory>
#include <new>
#include <vector>

namespace {

using Archive = std::unique_ptr<zip_t, void (*)(zip_t*)>;

QString archiveError(zip_t* archive)
{
    return QString::fromLocal8Bit(zip_strerror(archive));
}

// Stored as they are: the samples do not shrink by compression and a reader can take them
// straight from the file.
bool addEntry(zip_t* archive, const QString& name, const void* data, quint64 bytes, QString& reason)
{
    zip_source_t* source = zip_source_buffer(archive, data, bytes, 0);
    const zip_int64_t index =
        source ? zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) : -1;
    if (source && index < 0)
        zip_source_free(source);
    if (index < 0 || zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0) != 0) {
        reason = archiveError(archive);
        return false;
    }
    return true;
}

// Memory holds doubles little-endian on nearly every machine; elsewhere a swapped copy is
// made and kept until the archive is written.
const double* littleEndian(const QVector<double>& values, std::deque<QVector<double>>& copies)
{
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian)
        return values.constData();
    copies.emplace_back(values.size());
    qToLittleEndian<double>(values.constData(), values.size(), copies.back().data());
    return copies.back().constData();
}

bool addCurves(zip_t* archive, const ProjectState& state, std::deque<QVector<double>>& copies, QString& reason)
{
    for (const ProjectCurve& curve : state.curves) {
        const quint64 bytes = quint64(curve.y.size()) * sizeof(double);
        if (!addEntry(archive, ProjectJson::entryName(curve.id, 'x'), littleEndian(curve.x, copies), bytes, reason)
            || !addEntry(archive, ProjectJson::entryName(curve.id, 'y'), littleEndian(curve.y, copies), bytes, reason))
            return false;
    }
    return true;
}

// What is written must read back: the description is read as a reader would read it.
bool describable(const ProjectState& state, const QByteArray& json, QString& reason)
{
    for (const ProjectCurve& curve : state.curves) {
        if (curve.x.size() != curve.y.size()) {
            reason = QStringLiteral("curve %1 has %2 x values but %3 y values")
                         .arg(curve.id)
                         .arg(curve.x.size())
                         .arg(curve.y.size());
            return false;
        }
    }
    ProjectState check;
    std::vector<ProjectJson::SampleEntries> entries;
    if (ProjectJson::read(json, check, entries, reason))
        return true;
    reason = QStringLiteral("the plot cannot be described: %1").arg(reason);
    return false;
}

} // namespace

bool ProjectWriter::write(const QString& path, const ProjectState& state, QString& error)
{
    QString reason;
    try {
        if (writeArchive(path, state, reason))
            return true;
    } catch (const std::bad_alloc&) {
        reason = QStringLiteral("not enough memory");
    }
    error = QStringLiteral("Kurvo: Can't write file %1: %2").arg(path, reason);
    return false;
}

bool ProjectWriter::writeArchive(const QString& path, const ProjectState& state, QString& reason)
{
    const QByteArray json = ProjectJson::describe(state);
    if (!describable(state, json, reason))
        return false;
    FileReplacement file(path);
    if (!file.create(reason))
        return false;
    int code = 0;
    Archive archive(zip_open(QFile::encodeName(file.temporaryName()).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code),
                    zip_discard);
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        reason = QString::fromLocal8Bit(zip_error_strerror(&error));
        zip_error_fini(&error);
        return false;
    }
    std::deque<QVector<double>> copies;
    if (!addEntry(archive.get(), QLatin1String(ProjectJson::kEntry), json.constData(), quint64(json.size()), reason)
        || !addCurves(archive.get(), state, copies, reason))
        return false;
    // Writing happens here; a full disk shows here at the latest.
    if (zip_close(archive.get()) != 0) {
        reason = archiveError(archive.get());
        return false;
    }
    archive.release();
    return file.commit(reason);
}
