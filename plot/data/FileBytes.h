#pragma once

#include <QString>

#include <string>

// Reads a whole data file into `bytes`. Only regular files are read, so a pipe or a device
// can neither block nor flood the reader. False when the file cannot be read.
bool readFileBytes(const QString& path, std::string& bytes);

// Writes `size` bytes as the whole file `path`. Many bytes wait in buffers until the file is
// flushed and closed, and a full disk shows only there, so every step is checked: false when
// any fails, with the system's reason in `reason` when one is given.
bool writeFileBytes(const QString& path, const char* data, qint64 size, QString* reason = nullptr);
