#pragma once

#include <QString>

// A new version of a file, written by whoever takes `temporaryName()` and moved over the file
// only when complete, so that a write that fails leaves the last good copy. Writers that take
// only a file name (the printer) use it as QSaveFile serves those that take a device. Until
// committed, the temporary is removed when this goes.
class FileReplacement
{
public:
    explicit FileReplacement(const QString& target);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Makes an empty temporary beside the target; false with the reason when the target is a
    // folder or a file that is not to be written, or the folder takes no new file.
    bool create(QString& error);
    const QString& temporaryName() const { return temporary; }
    // Moves the temporary, with the target's permissions, over the target once its bytes are
    // on the disk; false with the reason otherwise.
    bool commit(QString& error);

private:
    bool refuseTarget(QString& error) const;
    bool keepPermissions(int file, QString& error) const;

    QString target;
    QString temporary;
};
