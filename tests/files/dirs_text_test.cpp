// Path pieces: roots of drive and UNC paths, splits, joins and trims. Pure:
// also built natively.
#include <gtest/gtest.h>

#include <stddef.h>

#include "base/path_text.h"
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

TEST(DirsPath, TrimKeepsTheRootSeparator)
{
    char szTrim[] = "C:\\a\\\\";
    fnTrimPathSeps(szTrim);
    EXPECT_STREQ("C:\\a", szTrim);
    char szRootOnly[] = "C:\\";
    fnTrimPathSeps(szRootOnly);
    EXPECT_STREQ("C:\\", szRootOnly);
}

}  // namespace
