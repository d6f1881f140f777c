// The undo file reader. Reading never throws and refuses counts beyond the bytes there are;
// what it accepts is written back to the very same bytes, since the layout has one way to
// write each set of curves.

#include "FuzzCheck.h"
#include "UndoFile.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream in(bytes);
    std::vector<UndoCurve> curves;
    if (!UndoFile::read(in, curves)) {
        fuzz::check(curves.empty(), "a refused file gives no curve");
        return 0;
    }
    std::vector<UndoCurveView> views;
    for (const UndoCurve& curve : curves) {
        fuzz::check(curve.x.size() == curve.y.size(), "a curve has a y for each x");
        views.push_back({curve.id, curve.x.data(), curve.y.data(), curve.x.size()});
    }
    std::ostringstream out;
    fuzz::check(UndoFile::write(out, views), "what was read can be written");
    fuzz::check(out.str() == bytes, "what was read is written back to the same bytes");
    return 0;
}
