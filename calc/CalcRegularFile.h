#pragma once

#include <cstdint>
#include <string>

#include <sys/types.h>

// A file the engine reads or takes code from, opened only for what it is. The
// open never waits, so a FIFO or a device under a data file's name is seen for
// what it is before anything reads it; and the checks and the reading concern
// the one file that was opened, whatever happens to its name meanwhile.
class CalcRegularFile {
public:
    explicit CalcRegularFile(const std::string& path);
    ~CalcRegularFile();
    CalcRegularFile(const CalcRegularFile&) = delete;
    CalcRegularFile& operator=(const CalcRegularFile&) = delete;

    // False when nothing could be opened under the name: absent or unreadable.
    bool exists() const { return descriptor_ >= 0; }
    bool isRegular() const;
    // Why no code may be taken from the file, or empty text when it may: it
    // must be a regular file of the user's or root's that others cannot write.
    std::string distrust() const;
    // The whole file, or, for a file above maxBytes, its first bytes past that
    // limit: the caller sees the file is too large without reading all of it.
    // False when it is no regular file or reading fails.
    bool read(std::string& bytes, std::uintmax_t maxBytes) const;

private:
    int descriptor_ = -1;
    mode_t mode_ = 0;
    uid_t owner_ = 0;
};
