#pragma once

#include <streambuf>
#include <string>

// A stream's bytes written straight into a file that the buffer itself creates, readable and
// writable by its owner alone. The file is made only where nothing of its name exists: an
// existing file, or a symbolic link planted in its place, makes the creation fail instead of
// being written through, so no one can turn the bytes onto a file of their choice. Writes go
// to the file as they come; a failed one makes the stream fail.
class NewFileBuffer : public std::streambuf
{
public:
    explicit NewFileBuffer(const std::string& path);
    ~NewFileBuffer() override;
    NewFileBuffer(const NewFileBuffer&) = delete;
    NewFileBuffer& operator=(const NewFileBuffer&) = delete;

    bool isOpen() const { return fd >= 0; }
    // The errno of the first failure (creating, writing or closing), 0 while there is none.
    int error() const { return firstError; }

    // False when the file was never made or any write or the close itself failed: a full
    // disk may show only there.
    bool close();

protected:
    int_type overflow(int_type ch) override;
    std::streamsize xsputn(const char* bytes, std::streamsize count) override;

private:
    bool writeAll(const char* bytes, std::size_t count);
    void fail(int error);

    int fd = -1;
    int firstError = 0;
};
