// The project reader, on whole files and on the description alone: the archive's checksums
// keep most changed files away from the description's checks, so those get the input too.
// Nothing is thrown; a refused input leaves the state as it was; what is accepted has a y for
// each x, and its description reads back to the very same description.

#include "FuzzCheck.h"
#include "ProjectJson.h"
#include "ProjectReader.h"
#include "ProjectState.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

void checkReadsBack(const ProjectState& state)
{
    const QByteArray description = ProjectJson::describe(state);
    ProjectState again;
    std::vector<ProjectJson::SampleEntries> entries;
    QString reason;
    fuzz::check(ProjectJson::read(description, again, entries, reason), "what was read can be described");
    fuzz::check(again.curves.size() == state.curves.size(), "every curve is described");
    for (std::size_t i = 0; i < state.curves.size(); ++i) {
        fuzz::check(entries[i].points == std::size_t(state.curves[i].y.size()), "the points described are the curve's");
        again.curves[i].x = state.curves[i].x;
        again.curves[i].y = state.curves[i].y;
    }
    fuzz::check(ProjectJson::describe(again) == description, "the description reads back to itself");
}

} // namespace

// Qt's JSON parser keeps a container it had begun when it stops at an error inside it. Qt is
// built without frame pointers, and unwinding every allocation slowly would cost the fuzzer
// most of its speed, so only the library's name tells that leak from one of ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libQt5Core.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    ProjectState state;
    state.title = QStringLiteral("untouched");
    QString error;
    if (ProjectReader::read(bytes, QStringLiteral("fuzz.kurvo"), state, error)) {
        for (const ProjectCurve& curve : state.curves)
            fuzz::check(curve.x.size() == curve.y.size(), "a curve has a y for each x");
        checkReadsBack(state);
    } else {
        fuzz::check(state.title == QStringLiteral("untouched") && state.curves.empty(),
                    "a refused file changes nothing");
        fuzz::check(!error.isEmpty(), "a refused file says why");
    }

    ProjectState described;
    std::vector<ProjectJson::SampleEntries> entries;
    QString reason;
    if (ProjectJson::read(bytes, described, entries, reason)) {
        fuzz::check(entries.size() == described.curves.size(), "every curve says where its samples are");
        checkReadsBack(described);
    }
    return 0;
}
