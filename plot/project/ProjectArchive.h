#pragma once

#include <QByteArray>
#include <QString>

typedef struct zip zip_t;

// A project file's ZIP archive opened for reading: the zip library's handle, closed with this
// object. Every failure comes back as a reason in words; the library prints nothing itself.
class ProjectArchive
{
public:
    ProjectArchive() = default;
    ~ProjectArchive();
    ProjectArchive(const ProjectArchive&) = delete;
    ProjectArchive& operator=(const ProjectArchive&) = delete;

    // The archive's central directory is checked against every entry's own header.
    bool open(const QString& path, QString& reason);
    // `bytes` must outlive the archive, which reads them in place.
    bool open(const QByteArray& bytes, QString& reason);
    // The number of bytes entry `name` holds; false, with the reason, when there is no such
    // entry or it cannot be read without a password.
    bool size(const QString& name, quint64& bytes, QString& reason) const;
    // Reads the whole entry, which holds exactly `bytes` bytes, into `into`. The bytes are
    // checked against the entry's CRC-32: a mismatch is a failure, whatever was read.
    bool read(const QString& name, char* into, quint64 bytes, QString& reason) const;

private:
    bool locate(const QString& name, quint64& index, QString& reason) const;

    zip_t* archive = nullptr;
};
