#include "CalcRegularFile.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CalcRegularFile::CalcRegularFile(const std::string& path)
{
    // Without O_NONBLOCK, opening a FIFO would wait until some writer opened it too.
    descriptor_ = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    struct stat status {};
    if (descriptor_ >= 0 && fstat(descriptor_, &status) == 0) {
        mode_ = status.st_mode;
        owner_ = status.st_uid;
    }
}

CalcRegularFile::~CalcRegularFile()
{
    if (descriptor_ >= 0)
        close(descriptor_);
}

bool CalcRegularFile::isRegular() const
{
    return descriptor_ >= 0 && S_ISREG(mode_);
}

std::string CalcRegularFile::distrust() const
{
    if (!isRegular())
        return "it is not a regular file";
    if (owner_ != getuid() && owner_ != 0)
        return "it belongs to neither you nor root";
    if (mode_ & S_IWOTH)
        return "others can write to it";
    return {};
}

bool CalcRegularFile::read(std::string& bytes, std::uintmax_t maxBytes) const
{
    bytes.clear();
    if (!isRegular())
        return false;
    char chunk[4096];
    while (bytes.size() <= maxBytes) {
        const ssize_t got = ::read(descriptor_, chunk, sizeof chunk);
        if (got == 0)
            return true;
        if (got < 0 && errno != EINTR)
            return false;
        if (got > 0)
            bytes.append(chunk, static_cast<std::size_t>(got));
    }
    return true;
}
