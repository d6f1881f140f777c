#pragma once

#include "LineSource.h"

// The lines of tables as people's programs end them: besides LF and CR LF, a bare CR or a form
// feed ends a line too. Reads the lines of another source and splits them further.
class LooseLines : public LineSource
{
public:
    explicit LooseLines(LineSource& lines);

    bool atEnd() override { return !splitting && lines.atEnd(); }
    std::string_view next() override;
    std::size_t bytesLeft() const override { return rest.size() + lines.bytesLeft(); }

private:
    LineSource& lines;
    // What is left of the line being split.
    std::string_view rest;
    bool splitting = false;
};
