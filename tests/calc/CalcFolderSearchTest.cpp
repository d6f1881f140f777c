#include "CalcFolderSearch.h"
#include "CalcTempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

class CalcFolderSearchTest : public ::testing::Test {
protected:
    CalcFolderSearchTest()
    {
        for (const char* file : {"b.xml", "a.xml", "notes.txt", ".hidden.xml", "sub/c.xml", "sub/deeper/d.xml",
                                 "other/e.xml", ".git/f.xml", "sub/.cache/g.xml"})
            folder.write(file, "<x/>");
        std::filesystem::create_directories(folder.path() + "/folder.xml");
    }

    std::vector<std::string> expected(const std::string& root) const
    {
        return {root + "a.xml", root + "b.xml", root + "other/e.xml", root + "sub/c.xml",
                root + "sub/deeper/d.xml"};
    }

    CalcTempFolder folder;
};

TEST_F(CalcFolderSearchTest, OwnFilesComeBeforeSubfoldersAndDotNamesAreSkipped)
{
    EXPECT_EQ(CalcFolderSearch::find(folder.path(), "*.xml"), expected(folder.path() + "/"));
}

TEST_F(CalcFolderSearchTest, FolderWithAndWithoutTrailingSlashIsSearchedAlike)
{
    EXPECT_EQ(CalcFolderSearch::find(folder.path() + "/", "*.xml"), CalcFolderSearch::find(folder.path(), "*.xml"));
}

TEST_F(CalcFolderSearchTest, PatternSelectsFilesButEveryFolderIsSearched)
{
    const std::string root = folder.path() + "/";
    EXPECT_EQ(CalcFolderSearch::find(folder.path(), "*.txt"), std::vector<std::string>{root + "notes.txt"});
    EXPECT_EQ(CalcFolderSearch::find(folder.path(), "?.xml"), expected(root));
    EXPECT_TRUE(CalcFolderSearch::find(folder.path(), "*.none").empty());
}

TEST_F(CalcFolderSearchTest, MissingFoldersAndLinkLoopsEndTheSearch)
{
    EXPECT_TRUE(CalcFolderSearch::find(folder.path() + "/absent", "*.xml").empty());
    std::filesystem::create_directory_symlink(folder.path(), folder.path() + "/sub/loop");
    EXPECT_EQ(CalcFolderSearch::find(folder.path(), "*.xml"), expected(folder.path() + "/"));
}

} // namespace
