// Path pieces: roots of drive and UNC paths, splits, joins and trims. Pure:
// also built natively.
#include <gtest/gtest.h>

#include <stddef.h>

#include "files/dirs_text.h"

namespace {

struct RootCase {
    const char *pszPath;
    const char *pszRoot;
    size_t cchRoot;  // the root's length in the path itself
};

TEST(DirsPath, RootOfDrivesAndUncPaths)
{
    const RootCase aCases[] = {
        {"C:\\Program Files\\App", "C:\\", 3},
        {"d:", "d:\\", 2},
        {"\\\\srv\\share\\dir\\f.txt", "\\\\srv\\share\\", 12},
        {"\\\\srv\\share", "\\\\srv\\share\\", 11},
        {"relative\\dir", "", 0},
        {"", "", 0},
    };
    for (const RootCase &c : aCases) {
        char szRoot[260];
        EXPECT_EQ(c.cchRoot != 0, fnPathRoot(c.pszPath, szRoot, sizeof(szRoot)) == 1) << c.pszPath;
        EXPECT_STREQ(c.pszRoot, szRoot) << c.pszPath;
        EXPECT_EQ(c.cchRoot, fnPathRootLength(c.pszPath)) << c.pszPath;
    }
    EXPECT_TRUE(fnIsRootedPath("C:x"));
    EXPECT_TRUE(fnIsRootedPath("\\\\srv\\x"));
    EXPECT_FALSE(fnIsRootedPath("\\dir"));
    EXPECT_TRUE(fnIsBareDrive("C:"));
    EXPECT_TRUE(fnIsBareDrive("C:\\"));
    EXPECT_FALSE(fnIsBareDrive("C:\\a"));
}

TEST(DirsPath, SplitKeepsRootsAndJoinUsesOneSeparator)
{
    const char *aCases[][3] = {
        {"C:\\a\\b.txt", "C:\\a", "b.txt"}, {"C:\\b.txt", "C:\\", "b.txt"}, {"b.txt", "", "b.txt"},
        {"\\\\srv\\share\\f", "\\\\srv\\share\\", "f"}, {"C:f", "C:", "f"}, {"a/b", "a", "b"},
    };
    for (auto &c : aCases) {
        char szDir[260], szName[260];
        fnSplitPathName(c[0], szDir, sizeof(szDir), szName, sizeof(szName));
        EXPECT_STREQ(c[1], szDir) << c[0];
        EXPECT_STREQ(c[2], szName) << c[0];
    }
    char szOut[16];
    EXPECT_EQ(1, fnJoinDirPath(szOut, sizeof(szOut), "C:\\", "x"));
    EXPECT_STREQ("C:\\x", szOut);
    EXPECT_EQ(1, fnJoinDirPath(szOut, sizeof(szOut), "C:\\d", "\\x"));
    EXPECT_STREQ("C:\\d\\x", szOut);
    EXPECT_EQ(0, fnJoinDirPath(szOut, sizeof(szOut), "C:\\a-long-directory", "x"));  // cut, and told so

    char szTrim[] = "C:\\a\\\\";
    fnTrimPathSeps(szTrim);
    EXPECT_STREQ("C:\\a", szTrim);
    char szRootOnly[] = "C:\\";
    fnTrimPathSeps(szRootOnly);
    EXPECT_STREQ("C:\\", szRootOnly);
}

}  // namespace
