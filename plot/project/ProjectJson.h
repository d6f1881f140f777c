#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <vector>

struct ProjectCurve;
struct ProjectState;

// project.json, the description of a project: everything but the samples, which it names as
// entries of the archive beside it. docs/project-format.md describes every field.
class ProjectJson
{
public:
    // Where one curve's samples are: the archive's entries and the number of points each holds.
    struct SampleEntries {
        QString x;
        QString y;
        std::size_t points = 0;
    };

    static const char* const kEntry;

    // The entry of curve `id`'s x (`axis` 'x') or y values.
    static QString entryName(int id, char axis);
    static QByteArray describe(const ProjectState& state);
    // Fills `state` from a description, every field checked, and lists where each curve's
    // samples are; the curves' samples stay empty. False, with the first fault in `reason`
    // and `state` unchanged, when anything is missing, of the wrong type or out of range, or
    // when the description is of a newer format.
    static bool read(const QByteArray& json, ProjectState& state, std::vector<SampleEntries>& entries,
                     QString& reason);
};
