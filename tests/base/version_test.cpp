// Version resources of real files: the test DLLs built beside this program
// (tests/fixtures) with known versions, flags and languages.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/version.h"
#include "support/test_files.h"

namespace {

std::string fnFixture(const char *pszName)
{
    char sz[MAX_PATH];
    DWORD cch = GetModuleFileNameA(NULL, sz, MAX_PATH);
    std::string strPath(sz, cch);
    return strPath.substr(0, strPath.find_last_of('\\') + 1) + pszName;
}

class FileVersionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fnFileExists(fnFixture("ver_old.dll"))) << "test DLLs are not built beside the test program";
        m_strDir = fnTestDir("FileVersion");
        m_strText = m_strDir + "\\plain.txt";
        ASSERT_TRUE(fnWriteWholeFile(m_strText, "not a program"));
    }
    std::string m_strDir, m_strText;
};

TEST_F(FileVersionTest, GetFileVersionReadsTheThreeStrings)
{
    char szFile[kcchVersionText], szProduct[kcchVersionText], szCopyright[kcchVersionText];
    ASSERT_EQ(1, fnGetFileVersion(fnFixture("ver_new.dll").c_str(), szFile, szProduct, szCopyright));
    EXPECT_STREQ("5.1.2600.0", szFile);
    EXPECT_STREQ("5.1", szProduct);
    EXPECT_STREQ("(C) New Corp", szCopyright);

    // Another language block is found through the translation table.
    ASSERT_EQ(1, fnGetFileVersion(fnFixture("ver_otherlang.dll").c_str(), szFile, szProduct, NULL));
    EXPECT_STREQ("1.0.0.0", szFile);
    EXPECT_STREQ("1.0", szProduct);

    ASSERT_EQ(1, fnGetFileVersion(fnFixture("ver_old.dll").c_str(), NULL, szProduct, NULL));
    EXPECT_STREQ("1.0", szProduct);
}

TEST_F(FileVersionTest, GetFileVersionWithoutAResourceOrFile)
{
    char szFile[kcchVersionText] = "x", szProduct[kcchVersionText] = "x", szCopyright[kcchVersionText] = "x";
    EXPECT_EQ(0, fnGetFileVersion(fnFixture("ver_none.dll").c_str(), szFile, szProduct, szCopyright));
    EXPECT_STREQ("NA", szFile);
    EXPECT_STREQ("NA", szProduct);
    EXPECT_STREQ("NA", szCopyright);

    EXPECT_EQ(0, fnGetFileVersion(m_strText.c_str(), szFile, szProduct, szCopyright));
    EXPECT_STREQ("NA", szFile);

    EXPECT_EQ(0, fnGetFileVersion((m_strDir + "\\missing.dll").c_str(), szFile, szProduct, szCopyright));
    EXPECT_STREQ("NF", szFile);
    EXPECT_STREQ("NF", szProduct);
    EXPECT_STREQ("NF", szCopyright);
}

TEST_F(FileVersionTest, CmpFileVersionAgainstTexts)
{
    const std::string strNew = fnFixture("ver_new.dll");  // 5.1.2600.0
    struct {
        const char *pszVersion;
        int iWant;
    } aCases[] = {
        {"5.1.2600.0", kVerEqual}, {"5,1,2600,0", kVerEqual}, {"5.1.2600", kVerEqual},
        {"5.1", kVerNewer},        {"5.1.2601", kVerOlder},   {"5.2", kVerOlder},
        {"6", kVerOlder},          {"4.99.9999.9999", kVerNewer}, {"", kVerNewer},
    };
    for (const auto &c : aCases)
        EXPECT_EQ(c.iWant, fnCmpFileVersion(strNew.c_str(), c.pszVersion)) << c.pszVersion;
    // Missing parts are 0: 1.0 equals 1.0.0.0.
    EXPECT_EQ(kVerEqual, fnCmpFileVersion(fnFixture("ver_old.dll").c_str(), "1.0"));
}

TEST_F(FileVersionTest, CmpFileVersionFailures)
{
    EXPECT_EQ(kVerUnreadable, fnCmpFileVersion((m_strDir + "\\missing.dll").c_str(), "1.0"));
    int iNone = fnCmpFileVersion(fnFixture("ver_none.dll").c_str(), "1.0");
    EXPECT_EQ(kVerNoResource, iNone);
    int iText = fnCmpFileVersion(m_strText.c_str(), "1.0");
    EXPECT_TRUE(iText == kVerNoResource || iText == kVerUnreadable) << iText;
}

TEST_F(FileVersionTest, TestFileVersionConditions)
{
    const std::string strNew = fnFixture("ver_new.dll");
    EXPECT_TRUE(fnTestFileVersion(strNew.c_str(), "GE", "5.1"));
    EXPECT_TRUE(fnTestFileVersion(strNew.c_str(), "GT", "5.1"));
    EXPECT_FALSE(fnTestFileVersion(strNew.c_str(), "LE", "5.1"));
    EXPECT_TRUE(fnTestFileVersion(strNew.c_str(), "le", "5.1.2600.0"));
    EXPECT_TRUE(fnTestFileVersion(strNew.c_str(), "LT", "6.0"));
    EXPECT_TRUE(fnTestFileVersion(strNew.c_str(), "NE", "6.0"));
    EXPECT_FALSE(fnTestFileVersion(strNew.c_str(), "EQ", "6.0"));
    EXPECT_FALSE(fnTestFileVersion(strNew.c_str(), "??", "5.1.2600.0"));
    // A file without version information satisfies no condition, not even NE.
    EXPECT_FALSE(fnTestFileVersion(fnFixture("ver_none.dll").c_str(), "NE", "1.0"));
}

TEST_F(FileVersionTest, CmpFileVersionInfoCodes)
{
    struct {
        const char *pszNew, *pszOld;
        int iWant;
    } aCases[] = {
        {"ver_old.dll", "ver_same.dll", kVerInfoIdentical},
        {"ver_new.dll", "ver_old.dll", kVerInfoDifferent},
        {"ver_old.dll", "ver_new.dll", kVerInfoOlder},
        {"ver_otherlang.dll", "ver_old.dll", kVerInfoLanguage},
        {"ver_debug.dll", "ver_old.dll", kVerInfoFlags},
        {"ver_oldproduct.dll", "ver_old.dll", kVerInfoOlder},  // product version alone is lower
        {"ver_none.dll", "ver_old.dll", kVerInfoNone},
        {"ver_old.dll", "ver_none.dll", kVerInfoNone},
    };
    for (const auto &c : aCases)
        EXPECT_EQ(c.iWant, fnCmpFileVersionInfo(fnFixture(c.pszNew).c_str(), fnFixture(c.pszOld).c_str()))
            << c.pszNew << " against " << c.pszOld;

    const std::string strMissing = m_strDir + "\\missing.dll";
    EXPECT_EQ(kVerInfoNewUnreadable, fnCmpFileVersionInfo(strMissing.c_str(), fnFixture("ver_old.dll").c_str()));
    EXPECT_EQ(kVerInfoOldUnreadable, fnCmpFileVersionInfo(fnFixture("ver_old.dll").c_str(), strMissing.c_str()));
}

TEST_F(FileVersionTest, ALockedFileIsUnreadable)
{
    const std::string strCopy = m_strDir + "\\locked.dll";
    ASSERT_TRUE(CopyFileA(fnFixture("ver_new.dll").c_str(), strCopy.c_str(), FALSE));
    HANDLE h = CreateFileA(strCopy.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    int iRC = fnCmpFileVersion(strCopy.c_str(), "5.1");
    CloseHandle(h);
    EXPECT_EQ(kVerUnreadable, iRC);
    EXPECT_EQ(kVerNewer, fnCmpFileVersion(strCopy.c_str(), "5.1"));
}

}  // namespace
