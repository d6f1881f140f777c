#include "NewFileBuffer.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

NewFileBuffer::NewFileBuffer(const std::string& path)
{
    // O_EXCL alone already refuses a link in the file's place; O_NOFOLLOW says so where a
    // reader looks for it.
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0)
        fail(errno);
}

NewFileBuffer::~NewFileBuffer()
{
    if (fd >= 0)
        ::close(fd);
}

bool NewFileBuffer::close()
{
    if (fd < 0)
        return false;
    if (::close(fd) != 0)
        fail(errno);
    fd = -1;
    return firstError == 0;
}

NewFileBuffer::int_type NewFileBuffer::overflow(int_type ch)
{
    if (traits_type::eq_int_type(ch, traits_type::eof()))
        return traits_type::not_eof(ch);
    const char byte = traits_type::to_char_type(ch);
    return writeAll(&byte, 1) ? ch : traits_type::eof();
}

std::streamsize NewFileBuffer::xsputn(const char* bytes, std::streamsize count)
{
    return writeAll(bytes, std::size_t(count)) ? count : 0;
}

// write() may take fewer bytes than offered, or be interrupted before taking any.
bool NewFileBuffer::writeAll(const char* bytes, std::size_t count)
{
    if (fd < 0 || firstError != 0)
        return false;
    while (count > 0) {
        const ssize_t written = ::write(fd, bytes, count);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            fail(written < 0 ? errno : EIO);
            return false;
        }
        bytes += written;
        count -= std::size_t(written);
    }
    return true;
}

void NewFileBuffer::fail(int error)
{
    if (firstError == 0)
        firstError = error;
}
