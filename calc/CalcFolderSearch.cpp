#include "CalcFolderSearch.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include <fnmatch.h>

namespace fs = std::filesystem;

namespace {

struct Search {
    const std::string& pattern;
    std::set<fs::path> visited;
    std::vector<std::string> found;

    void in(const std::string& folder)
    {
        std::error_code error;
        const fs::path real = fs::canonical(folder, error);
        if (error || !visited.insert(real).second)
            return;
        std::vector<std::string> files;
        std::vector<std::string> folders;
        for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
            const std::string name = it->path().filename().string();
            if (name.empty() || name[0] == '.')
                continue;
            std::error_code kindError;
            if (it->is_directory(kindError))
                folders.push_back(name);
            else if (fnmatch(pattern.c_str(), name.c_str(), 0) == 0)
                files.push_back(name);
        }
        std::sort(files.begin(), files.end());
        std::sort(folders.begin(), folders.end());
        for (const std::string& name : files)
            found.push_back(folder + name);
        for (const std::string& name : folders)
            in(folder + name + "/");
    }
};

} // namespace

std::vector<std::string> CalcFolderSearch::find(const std::string& folder, const std::string& pattern)
{
    Search search{pattern, {}, {}};
    // An empty folder is the current one, not the root that "/" would make it.
    if (folder.empty())
        search.in("./");
    else
        search.in(folder.back() == '/' ? folder : folder + "/");
    return std::move(search.found);
}
