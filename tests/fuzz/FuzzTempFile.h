#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A file of this process in the temporary folder, for readers that take only a path. Each
// input overwrites it; it is removed when the target exits.
class FuzzTempFile
{
public:
    // `suffix` (".wav") is kept, since some readers take the format from the name.
    explicit FuzzTempFile(const char* suffix);
    ~FuzzTempFile();
    FuzzTempFile(const FuzzTempFile&) = delete;
    FuzzTempFile& operator=(const FuzzTempFile&) = delete;

    // Replaces the file's content; aborts when it cannot, since every later run would then
    // read a stale file.
    void write(const std::uint8_t* data, std::size_t size);
    const std::string& path() const { return path_; }

private:
    std::string path_;
};
