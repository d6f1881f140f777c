#include "ProjectArchive.h"

#include <QFile>

#include <zip.h>

namespace {

QString zipError(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromLocal8Bit(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

QString zipError(zip_error_t* error)
{
    return QString::fromLocal8Bit(zip_error_strerror(error));
}

// Closes an entry whatever happened; its own complaint counts only when nothing failed before.
class OpenEntry
{
public:
    explicit OpenEntry(zip_file_t* file)
        : file(file)
    {
    }
    ~OpenEntry()
    {
        if (file)
            zip_fclose(file);
    }
    OpenEntry(const OpenEntry&) = delete;
    OpenEntry& operator=(const OpenEntry&) = delete;

    zip_file_t* get() const { return file; }
    int close()
    {
        const int code = zip_fclose(file);
        file = nullptr;
        return code;
    }

private:
    zip_file_t* file;
};

} // namespace

ProjectArchive::~ProjectArchive()
{
    if (archive)
        zip_discard(archive);
}

bool ProjectArchive::open(const QString& path, QString& reason)
{
    int code = 0;
    archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!archive)
        reason = zipError(code);
    return archive != nullptr;
}

bool ProjectArchive::open(const QByteArray& bytes, QString& reason)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    if (source) {
        archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
        if (!archive)
            zip_source_free(source);
    }
    if (!archive)
        reason = zipError(&error);
    zip_error_fini(&error);
    return archive != nullptr;
}

bool ProjectArchive::locate(const QString& name, quint64& index, QString& reason) const
{
    const zip_int64_t found = zip_name_locate(archive, name.toUtf8().constData(), 0);
    if (found < 0) {
        reason = QStringLiteral("it holds no entry %1").arg(name);
        return false;
    }
    index = quint64(found);
    return true;
}

bool ProjectArchive::size(const QString& name, quint64& bytes, QString& reason) const
{
    quint64 index = 0;
    if (!locate(name, index, reason))
        return false;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)) {
        reason = QStringLiteral("the size of %1 cannot be read: %2")
                     .arg(name, QString::fromLocal8Bit(zip_strerror(archive)));
        return false;
    }
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE) {
        reason = QStringLiteral("%1 is encrypted").arg(name);
        return false;
    }
    bytes = stat.size;
    return true;
}

// The library checks the CRC-32 once it is asked for a byte past the end: only that last
// read tells a complete, intact entry from one whose bytes were altered.
bool ProjectArchive::read(const QString& name, char* into, quint64 bytes, QString& reason) const
{
    quint64 index = 0;
    if (!locate(name, index, reason))
        return false;
    OpenEntry entry(zip_fopen_index(archive, index, 0));
    if (!entry.get()) {
        reason = QStringLiteral("%1 cannot be read: %2").arg(name, QString::fromLocal8Bit(zip_strerror(archive)));
        return false;
    }
    quint64 done = 0;
    char past = 0;
    zip_int64_t got = 0;
    while (done < bytes && (got = zip_fread(entry.get(), into + done, bytes - done)) > 0)
        done += quint64(got);
    if (got >= 0 && done == bytes)
        got = zip_fread(entry.get(), &past, 1);
    if (got != 0 || done != bytes) {
        const QString why = got < 0 ? QString::fromLocal8Bit(zip_file_strerror(entry.get()))
                                    : QStringLiteral("its size is not %1 bytes").arg(bytes);
        reason = QStringLiteral("%1 cannot be read: %2").arg(name, why);
        return false;
    }
    const int code = entry.close();
    if (code != 0) {
        reason = QStringLiteral("%1 cannot be read: %2").arg(name, zipError(code));
        return false;
    }
    return true;
}
