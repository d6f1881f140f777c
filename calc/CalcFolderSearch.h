#pragma once

#include <string>
#include <vector>

// Finds the files of a folder and of all its subfolders whose names match a
// shell pattern such as "*.xml". Each folder's own files come before those of
// its subfolders, both in name order; names beginning with "." are skipped,
// files and folders alike. A folder reached twice through links is searched
// once, and folders that cannot be read are passed over.
class CalcFolderSearch {
public:
    // Each result is the folder as given, a "/" unless it ends in one, and the
    // path below it.
    static std::vector<std::string> find(const std::string& folder, const std::string& pattern);
};
