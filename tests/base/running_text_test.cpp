// Matching a program name against a process's executable name and path.
#include <gtest/gtest.h>

#include "base/running_text.h"

namespace {

TEST(ProcessNameMatch, NamePathAndFileNamePart)
{
    const char *pszFull = "C:\\Tools\\Helper.EXE";
    EXPECT_EQ(1, fnProcessNameMatches("helper.exe", "Helper.exe", pszFull, 0));
    EXPECT_EQ(1, fnProcessNameMatches("c:\\tools\\helper.exe", "Helper.exe", pszFull, 0));
    EXPECT_EQ(0, fnProcessNameMatches("helper.exe", "", pszFull, 0));  // exact: a bare name is not the path
    EXPECT_EQ(1, fnProcessNameMatches("helper.exe", "", pszFull, 1));
    EXPECT_EQ(0, fnProcessNameMatches("helper", "Helper.exe", pszFull, 1));
    EXPECT_EQ(0, fnProcessNameMatches("D:\\helper.exe", "Helper.exe", pszFull, 1));
    EXPECT_EQ(0, fnProcessNameMatches("", "", "", 1));
    char szPath[] = "\\??\\C:\\x.exe";
    fnStripNtPrefix(szPath);
    EXPECT_STREQ("C:\\x.exe", szPath);
}

}  // namespace
