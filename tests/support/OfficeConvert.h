#pragma once

// An office suite, where one is installed, as one more reader of the files the program
// writes: it converts a file to CSV text as a user would see its first sheet.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// The suite's command, or "" when none is on the PATH.
inline std::string officeProgram()
{
    for (const char* candidate : {"soffice", "libreoffice"}) {
        const std::string probe = std::string("command -v ") + candidate + " >/dev/null 2>&1";
        if (std::system(probe.c_str()) == 0)
            return candidate;
    }
    return "";
}

// The lines of `path` as `program` converts its first sheet to CSV, in `folder` with a profile
// of its own there, so that no user's settings take part; none when the conversion fails.
inline std::vector<std::string> officeCsvLines(const std::string& program, const std::string& path,
                                               const std::string& folder)
{
    const std::string command = program + " -env:UserInstallation=file://" + folder
        + "/office-profile --headless --convert-to csv --outdir '" + folder + "' '" + path + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        return {};
    std::filesystem::path csv = std::filesystem::path(folder) / std::filesystem::path(path).stem();
    csv += ".csv";
    std::ifstream in(csv, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}
