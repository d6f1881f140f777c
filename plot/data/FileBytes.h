#pragma once

#include <QString>

#include <string>

// Reads a whole data file into `bytes`. Only regular files are read, so a pipe or a device
// can neither block nor flood the reader. False when the file cannot be read.
bool readFileBytes(const QString& path, std::string& bytes);
