// Path joins and splits, with single-byte stepping and with a double-byte
// stepper in which a trail byte may be "\" (0x5C), as in code page 932.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "base/path_text.h"

namespace {

const char *fnNextDbcs(const char *psz)
{
    unsigned char c = (unsigned char)*psz;
    if (!c)
        return psz;
    int bLead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    return (bLead && psz[1]) ? psz + 2 : psz + 1;
}

// "\x95\x5C" is one double-byte character whose trail byte is a backslash.
const char kszDbcsDir[] = "C:\\\x95\x5C";

}  // namespace

TEST(PathJoin, OneSeparatorBetween)
{
    struct {
        const char *pszDir, *pszName, *pszJoined;
    } aCases[] = {
        {"C:\\App", "A.DLL", "C:\\App\\A.DLL"},
        {"C:\\App\\", "A.DLL", "C:\\App\\A.DLL"},
        {"C:\\App/", "A.DLL", "C:\\App/A.DLL"},
        {"C:\\App", "\\\\sub\\A.DLL", "C:\\App\\sub\\A.DLL"},
        {"", "A.DLL", "A.DLL"},
        {"C:\\", "A.DLL", "C:\\A.DLL"},
        {"C:\\App", "", "C:\\App\\"},
    };
    char sz[64];
    for (const auto &c : aCases) {
        EXPECT_EQ(1, fnPathJoinWith(sz, sizeof(sz), c.pszDir, c.pszName, fnNextByte)) << c.pszDir;
        EXPECT_STREQ(c.pszJoined, sz);
    }
    // A directory whose last character only ends in a "\" byte still gets its separator.
    EXPECT_EQ(1, fnPathJoinWith(sz, sizeof(sz), kszDbcsDir, "A", fnNextDbcs));
    EXPECT_STREQ("C:\\\x95\x5C\\A", sz);
    // Cut, never overflowed.
    char szSmall[8];
    EXPECT_EQ(0, fnPathJoinWith(szSmall, sizeof(szSmall), "C:\\App", "A.DLL", fnNextByte));
    EXPECT_STREQ("C:\\App\\", szSmall);
}

TEST(PathSplit, AtTheLastSeparatorKeepingRoots)
{
    struct {
        const char *pszPath, *pszDir, *pszName;
    } aCases[] = {
        {"C:\\App\\A.DLL", "C:\\App", "A.DLL"},
        {"C:\\A.DLL", "C:\\", "A.DLL"},
        {"C:A.DLL", "C:", "A.DLL"},
        {"\\A.DLL", "\\", "A.DLL"},
        {"A.DLL", "", "A.DLL"},
        {"C:\\App/sub/A.DLL", "C:\\App/sub", "A.DLL"},
        {"\\\\server\\share\\A.DLL", "\\\\server\\share\\", "A.DLL"},
        {"C:\\App\\", "C:\\App", ""},
    };
    char szDir[64], szName[64];
    for (const auto &c : aCases) {
        EXPECT_EQ(1, fnPathSplitWith(c.pszPath, szDir, sizeof(szDir), szName, sizeof(szName), fnNextByte))
            << c.pszPath;
        EXPECT_STREQ(c.pszDir, szDir) << c.pszPath;
        EXPECT_STREQ(c.pszName, szName) << c.pszPath;
    }
    // The trail byte is not a separator: the name is the whole double-byte character.
    EXPECT_EQ(1, fnPathSplitWith(kszDbcsDir, szDir, sizeof(szDir), szName, sizeof(szName), fnNextDbcs));
    EXPECT_STREQ("C:\\", szDir);
    EXPECT_STREQ("\x95\x5C", szName);
    char szSmall[4];
    EXPECT_EQ(0, fnPathSplitWith("C:\\App\\A.DLL", szSmall, sizeof(szSmall), szName, sizeof(szName), fnNextByte));
    EXPECT_STREQ("C:\\", szSmall);
}

TEST(NtPath, FullPathsAsWrittenOnly)
{
    char sz[64];
    EXPECT_EQ(1, fnNtPathOf("C:\\App\\A.DLL", sz, sizeof(sz), fnNextByte));
    EXPECT_STREQ("\\??\\C:\\App\\A.DLL", sz);
    EXPECT_EQ(1, fnNtPathOf("\\\\server\\share\\.cfg", sz, sizeof(sz), fnNextByte));
    EXPECT_STREQ("\\??\\UNC\\server\\share\\.cfg", sz);
    // A trail byte "\" is not a separator, so the part does not end there.
    std::string strDbcs = std::string(kszDbcsDir) + "\\A.DLL";
    EXPECT_EQ(1, fnNtPathOf(strDbcs.c_str(), sz, sizeof(sz), fnNextDbcs));
    EXPECT_EQ("\\??\\" + strDbcs, std::string(sz));
    // Anything the Win32 names would change, or cut, is refused.
    const char *apszRefused[] = {"App\\A.DLL", "C:A.DLL", "\\A.DLL", "C:\\App/A.DLL", "C:\\App\\..\\A.DLL",
                                 "C:\\.\\A.DLL", "C:\\App\\\\A.DLL", "C:\\App\\A.", "C:\\App \\A.DLL",
                                 "\\\\?\\C:\\A.DLL", "\\\\.\\pipe\\x", "C:\\App\\"};
    for (const char *psz : apszRefused)
        EXPECT_EQ(0, fnNtPathOf(psz, sz, sizeof(sz), fnNextByte)) << psz;
    char szSmall[12];
    EXPECT_EQ(0, fnNtPathOf("C:\\App\\A.DLL", szSmall, sizeof(szSmall), fnNextByte));
}
