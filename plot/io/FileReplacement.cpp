#include "FileReplacement.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemError(int number)
{
    return QString::fromLocal8Bit(std::strerror(number));
}

// A link is followed, as QSaveFile does: the file it names is replaced and the link stays.
QString finalName(const QString& target)
{
    const QString resolved = QFileInfo(target).canonicalFilePath();
    return resolved.isEmpty() ? target : resolved;
}

} // namespace

FileReplacement::FileReplacement(const QString& target)
    : target(finalName(target))
{
}

FileReplacement::~FileReplacement()
{
    if (!temporary.isEmpty())
        ::unlink(QFile::encodeName(temporary).constData());
}

bool FileReplacement::create(QString& error)
{
    if (refuseTarget(error))
        return false;
    const QByteArray base = QFile::encodeName(target) + '.';
    // The replacement of an existing file is the owner's alone until it takes that file's
    // permissions; a new file gets the ones any new file gets, through the umask.
    const mode_t mode = QFileInfo::exists(target) ? 0600 : 0666;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = base + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int file = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (file >= 0) {
            ::close(file);
            temporary = QFile::decodeName(name);
            return true;
        }
        if (errno != EEXIST) {
            error = systemError(errno);
            return false;
        }
    }
    error = QStringLiteral("no free name for a temporary file beside it");
    return false;
}

// A target that does not exist yet is no reason to refuse.
bool FileReplacement::refuseTarget(QString& error) const
{
    const QByteArray name = QFile::encodeName(target);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0)
        return false;
    // A file that no one may write was made read-only on purpose: it is kept even from a user
    // whom the system would let write it.
    const bool readOnly = ::access(name.constData(), W_OK) != 0 || (info.st_mode & 0222) == 0;
    QString reason;
    if (S_ISDIR(info.st_mode))
        reason = QStringLiteral("it is a folder");
    else if (!S_ISREG(info.st_mode))
        reason = QStringLiteral("it is not a regular file");
    else if (readOnly)
        reason = QStringLiteral("it is read-only");
    if (reason.isEmpty())
        return false;
    error = reason;
    return true;
}

bool FileReplacement::commit(QString& error)
{
    const QByteArray from = QFile::encodeName(temporary);
    const int file = ::open(from.constData(), O_WRONLY | O_CLOEXEC);
    if (file < 0) {
        error = systemError(errno);
        return false;
    }
    // The bytes reach the disk before the name does, so that the target is never a file
    // whose contents are still to come; a disk that fails shows here at the latest.
    bool settled = keepPermissions(file, error);
    if (settled && ::fsync(file) != 0) {
        error = systemError(errno);
        settled = false;
    }
    ::close(file);
    if (!settled)
        return false;
    if (::rename(from.constData(), QFile::encodeName(target).constData()) != 0) {
        error = systemError(errno);
        return false;
    }
    temporary.clear();
    return true;
}

bool FileReplacement::keepPermissions(int file, QString& error) const
{
    struct stat info {};
    if (::stat(QFile::encodeName(target).constData(), &info) != 0)
        return true;
    if (::fchmod(file, info.st_mode & 07777) == 0)
        return true;
    error = systemError(errno);
    return false;
}
