#include "UndoFolder.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSysInfo>

#include <atomic>
#include <cerrno>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A folder of the name this process would take may be left by an ended run whose process
// number this one now has; the next widget numbers are tried before giving up.
constexpr int kNameAttempts = 64;

// Widgets of one process keep their snapshots apart.
int nextWidgetNumber()
{
    static std::atomic<int> number{0};
    return ++number;
}

// A link would let the snapshots, and the removal of ended runs, reach a folder that is not
// the user's own.
bool isOwnFolder(const QByteArray& local)
{
    struct stat info;
    return ::lstat(local.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid();
}

bool makePrivate(const QByteArray& local)
{
    return ::chmod(local.constData(), S_IRWXU) == 0;
}

// Another user's process answers EPERM: it is running all the same.
bool processEnded(int pid)
{
    return pid <= 0 || (::kill(pid, 0) != 0 && errno == ESRCH);
}

} // namespace

UndoFolder::UndoFolder()
{
    const QString folder = root();
    if (isOwnFolder(QFile::encodeName(folder)))
        removeEnded(folder);
}

// A snapshot of 16 curves of 10^7 points is 2.5 GB: nothing is left behind.
UndoFolder::~UndoFolder()
{
    if (!own.isEmpty())
        QDir(own).removeRecursively();
}

QString UndoFolder::root()
{
    QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    // A relative cache folder is to be ignored: it would put the snapshots wherever the
    // program happened to be started.
    if (!QDir::isAbsolutePath(cache))
        cache = QDir::homePath() + QStringLiteral("/.cache");
    QString host = QSysInfo::machineHostName();
    host.replace(QLatin1Char('/'), QLatin1Char('_'));
    if (host.isEmpty())
        host = QStringLiteral("localhost");
    return cache + QStringLiteral("/kurvo/undo/") + host;
}

QString UndoFolder::path(QString& reason)
{
    if (own.isEmpty()) {
        const QString folder = root();
        if (!makeRoot(folder, reason) || !makeOwn(folder, reason))
            return QString();
    }
    return own;
}

void UndoFolder::removeEnded(const QString& root)
{
    static const QRegularExpression widgetFolder(QStringLiteral("^(\\d{1,9})-\\d{1,9}$"));
    const QDir dir(root);
    const QStringList entries = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks | QDir::Hidden);
    for (const QString& entry : entries) {
        const QRegularExpressionMatch match = widgetFolder.match(entry);
        if (match.hasMatch() && processEnded(match.captured(1).toInt()))
            QDir(dir.filePath(entry)).removeRecursively();
    }
}

bool UndoFolder::makeRoot(const QString& root, QString& reason)
{
    const QByteArray local = QFile::encodeName(root);
    if (!QDir::isAbsolutePath(root) || !QDir().mkpath(root)) {
        reason = QStringLiteral("cannot make the folder %1").arg(root);
        return false;
    }
    if (!isOwnFolder(local)) {
        reason = QStringLiteral("%1 is not a folder of the user's own").arg(root);
        return false;
    }
    if (!makePrivate(local)) {
        reason = QStringLiteral("cannot make %1 private (%2)").arg(root, qt_error_string(errno));
        return false;
    }
    return true;
}

// mkdir fails on any entry of the name, a planted link included, so the folder found is
// always the one made here; the mask of the process may have taken bits, so the mode is set
// again.
bool UndoFolder::makeOwn(const QString& root, QString& reason)
{
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const QString folder = QStringLiteral("%1/%2-%3")
                                   .arg(root, QString::number(::getpid()), QString::number(nextWidgetNumber()));
        const QByteArray local = QFile::encodeName(folder);
        if (::mkdir(local.constData(), S_IRWXU) != 0) {
            if (errno == EEXIST)
                continue;
            reason = QStringLiteral("cannot make the folder %1 (%2)").arg(folder, qt_error_string(errno));
            return false;
        }
        if (!makePrivate(local)) {
            reason = QStringLiteral("cannot make %1 private (%2)").arg(folder, qt_error_string(errno));
            ::rmdir(local.constData());
            return false;
        }
        own = folder;
        return true;
    }
    reason = QStringLiteral("every folder name below %1 is taken").arg(root);
    return false;
}
