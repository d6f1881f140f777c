#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

// A fresh folder under the system's temporary folder, removed with all it holds.
class CalcTempFolder {
public:
    CalcTempFolder()
    {
        std::string name = (std::filesystem::temp_directory_path() / "kurvo-calc-XXXXXX").string();
        if (!mkdtemp(name.data()))
            throw std::runtime_error("cannot make a temporary folder");
        path_ = name;
    }
    ~CalcTempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    CalcTempFolder(const CalcTempFolder&) = delete;
    CalcTempFolder& operator=(const CalcTempFolder&) = delete;

    const std::string& path() const { return path_; }

    // Writes the file, making the folders on its way; returns its full path.
    std::string write(const std::string& relative, const std::string& content) const
    {
        const std::filesystem::path file = std::filesystem::path(path_) / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
        return file.string();
    }

private:
    std::string path_;
};
