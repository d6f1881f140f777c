#include "FuzzTempFile.h"

#include "FuzzCheck.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <unistd.h>

FuzzTempFile::FuzzTempFile(const char* suffix)
{
    const char* folder = std::getenv("TMPDIR");
    std::string pattern = std::string(folder && *folder ? folder : "/tmp") + "/kurvo-fuzz-XXXXXX" + suffix;
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemps(name.data(), static_cast<int>(std::strlen(suffix)));
    fuzz::check(fd >= 0, "the temporary file can be made");
    close(fd);
    path_ = name.data();
}

FuzzTempFile::~FuzzTempFile()
{
    std::remove(path_.c_str());
}

void FuzzTempFile::write(const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    fuzz::check(file != nullptr, "the temporary file can be opened");
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    fuzz::check(std::fclose(file) == 0 && written, "the temporary file can be written");
}
