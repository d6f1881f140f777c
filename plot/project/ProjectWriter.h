#pragma once

#include <QString>

struct ProjectState;

// Writes a project file: project.json and every curve's x and y as raw little-endian float64
// entries, all stored uncompressed in one ZIP archive. The archive is written beside the
// file and replaces it only once complete and on the disk, so that a crash or a full disk
// leaves the last good project as it was.
class ProjectWriter
{
public:
    // False, with "Kurvo: Can't write file PATH: REASON", when nothing was replaced. A state
    // whose description would not read back is refused before anything is written.
    static bool write(const QString& path, const ProjectState& state, QString& error);

private:
    static bool writeArchive(const QString& path, const ProjectState& state, QString& reason);
};
