// The registry section against Wine's real registry. Only lines that never
// ask the user are run here; the questions are covered end to end.
#include "registry/section.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/registry.h"
#include "run/run_state.h"

namespace {

const char kBase[] = "Software\\setup32-unit\\section";
const std::string kKey = std::string("HKEY_CURRENT_USER\\") + kBase;

class RegistrySection : public ::testing::Test {
protected:
    void SetUp() override
    {
        fnRegDelKeyTree(HKEY_CURRENT_USER, kBase);
        memset(g_szRegValues, 0, sizeof(g_szRegValues));
    }
    void TearDown() override { fnRegDelKeyTree(HKEY_CURRENT_USER, kBase); }

    static int fnRun(const std::string &strBody) { return fnRegistrySection(NULL, strBody.c_str()); }

    static DWORD fnReadDword(const char *pszValue)
    {
        DWORD dw = 0xDEADBEEF, cb = sizeof(dw), dwType = 0;
        RegGetValueA(HKEY_CURRENT_USER, kBase, pszValue, RRF_RT_ANY, &dwType, &dw, &cb);
        return dw;
    }
};

}  // namespace

TEST_F(RegistrySection, DwordTextsInEveryNotation)
{
    ASSERT_EQ(fnRun("Edit=DWORD," + kKey + ",a,0x10\r\nEdit=DWORD," + kKey + ",b,10h\r\nEdit=dword," + kKey +
                    ",c,10\r\n"),
              1);
    EXPECT_EQ(fnReadDword("a"), 16u);
    EXPECT_EQ(fnReadDword("b"), 16u);
    EXPECT_EQ(fnReadDword("c"), 10u);
}

TEST_F(RegistrySection, ReadGivesHexAndReadValueDecimal)
{
    ASSERT_EQ(fnRun("Edit=DWORD," + kKey + ",n,255\r\nEdit=BINARY," + kKey + ",bin,\"01,02, ff\"\r\n"
                    "Read=," + kKey + "\\n\r\nReadValue=," + kKey + ",n\r\nRead=," + kKey + "\\bin\r\n"
                    "Read=," + kKey + "\\missing\r\n"),
              1);
    EXPECT_STREQ(g_szRegValues[0], "ff");
    EXPECT_STREQ(g_szRegValues[1], "255");
    EXPECT_STREQ(g_szRegValues[2], "0102ff");
    EXPECT_STREQ(g_szRegValues[3], "-NOTFOUND-");
    // A later section fills the slots from 0 again.
    ASSERT_EQ(fnRun("ReadValue=," + kKey + ",bin\r\n"), 1);
    EXPECT_STREQ(g_szRegValues[0], "0102ff");
    EXPECT_STREQ(g_szRegValues[1], "255");
}

TEST_F(RegistrySection, TrailingSlashOfDrivePathsOnly)
{
    ASSERT_EQ(fnRun("Edit=SZ," + kKey + ",t,C:\\Temp\\\r\nEdit=SZ," + kKey + ",r,C:\\\r\nEdit=SZ," + kKey +
                    ",u,\\\\srv\\share\\\r\nTrimTrailingSlash=Yes\r\nRead=," + kKey + "\\t\r\nRead=," + kKey +
                    "\\r\r\nRead=," + kKey + "\\u\r\nTrimTrailingSlash=N\r\nRead=," + kKey + "\\t\r\n"),
              1);
    EXPECT_STREQ(g_szRegValues[0], "C:\\Temp");
    EXPECT_STREQ(g_szRegValues[1], "C:\\");
    EXPECT_STREQ(g_szRegValues[2], "\\\\srv\\share\\");
    EXPECT_STREQ(g_szRegValues[3], "C:\\Temp\\");
}

TEST_F(RegistrySection, MatchExactAndPrefix)
{
    ASSERT_EQ(fnRun("Edit=SZ," + kKey + ",v,Hello World\r\nMatch=," + kKey + "\\v,hello world\r\nMatch=," + kKey +
                    "\\v,hello,N\r\nMatch=," + kKey + "\\v,hello\r\nMatch=," + kKey + "\\v,,N\r\nMatch=," + kKey +
                    "\\none,x\r\n"),
              1);
    EXPECT_STREQ(g_szRegValues[0], "1");
    EXPECT_STREQ(g_szRegValues[1], "1");
    EXPECT_STREQ(g_szRegValues[2], "0");  // every Match line starts exact again
    EXPECT_STREQ(g_szRegValues[3], "0");  // an empty compare text never matches
    EXPECT_STREQ(g_szRegValues[4], "0");
}

TEST_F(RegistrySection, EnumNextNumberAfterFailingSubKeys)
{
    std::string strBody;
    for (int i = 0; i < 5; i++)
        strBody += "Edit=SZ," + kKey + "\\Class\\000" + std::to_string(i) + ",Driver,other\r\n";
    strBody += "Enum=," + kKey + "\\Class,Driver,mine,,,N\r\nEnum=," + kKey + "\\Class,Driver,oth,,,L\r\n";
    strBody += "Edit=SZ," + kKey + "\\Empty,x,1\r\nEnum=," + kKey + "\\Empty,Driver,mine,,,N\r\n";
    ASSERT_EQ(fnRun(strBody), 1);
    EXPECT_STREQ(g_szRegValues[0], "0005");
    EXPECT_STREQ(g_szRegValues[1], "0000");
    EXPECT_STREQ(g_szRegValues[2], "0001");
}

TEST_F(RegistrySection, SkipIfExistsAndRenameKeepData)
{
    ASSERT_EQ(fnRun("Edit=DWORD," + kKey + ",d,7\r\nEdit=DWORD," + kKey + ",d,9,SKIPIFEXISTS\r\n"), 1);
    EXPECT_EQ(fnReadDword("d"), 7u);
    ASSERT_EQ(fnRun("RenameValue=" + kKey + ",d,e\r\n"), 1);
    EXPECT_EQ(fnReadDword("e"), 7u);
    EXPECT_EQ(fnReadDword("d"), 0xDEADBEEFu);
}

TEST_F(RegistrySection, DeletesValuesKeysAndBranches)
{
    ASSERT_EQ(fnRun("Edit=SZ," + kKey + "\\A\\B,x,1\r\nEdit=SZ," + kKey + ",y,2\r\nEdit=SZ," + kKey + ",z,3\r\n"
                    "DeleteValue=," + kKey + ",y\r\nReadValue=," + kKey + ",y\r\nReadValue=," + kKey + ",z\r\n"
                    "DeleteBranch=," + kKey + "\\A\r\nRead=," + kKey + "\\A\\B\\x\r\n"),
              1);
    EXPECT_STREQ(g_szRegValues[0], "-NOTFOUND-");
    EXPECT_STREQ(g_szRegValues[1], "3");
    EXPECT_STREQ(g_szRegValues[2], "-NOTFOUND-");
}

TEST_F(RegistrySection, SectionEndsAndFails)
{
    // An unknown action ends the section with success: the lines after it are not run.
    EXPECT_EQ(fnRun("Edit=SZ," + kKey + ",a,1\r\nFrobnicate=x\r\nEdit=SZ," + kKey + ",b,1\r\n"), 1);
    HKEY hKey;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kBase, 0, KEY_READ, &hKey), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(hKey, "b", NULL, NULL, NULL, NULL), ERROR_FILE_NOT_FOUND);
    RegCloseKey(hKey);
    // A line without "=" after its keyword fails the section at once.
    EXPECT_EQ(fnRun("Edit\r\nEdit=SZ," + kKey + ",c,1\r\n"), 0);
    // Check lines: CONTINUE stops on a different value, EXIT on an equal one.
    EXPECT_EQ(fnRun("Edit=SZ," + kKey + ",v,yes\r\nCheck=," + kKey + ",v,yes,CONTINUE\r\n"), 1);
    EXPECT_EQ(fnRun("Check=," + kKey + ",v,no,CONTINUE\r\n"), 0);
    EXPECT_EQ(fnRun("Check=," + kKey + ",v,YES,EXIT\r\n"), 0);
    EXPECT_EQ(fnRun("Check=," + kKey + ",v,no,EXIT\r\n"), 1);
    EXPECT_EQ(fnRun("Check=," + kKey + ",missing,no,EXIT\r\n"), 0);
}

TEST(RegistryTrailingSlash, DriveFormOnly)
{
    struct {
        const char *pszIn, *pszWant;
    } aCases[] = {{"C:\\Temp\\", "C:\\Temp"}, {"C:\\", "C:\\"}, {"C:/dir/", "C:/dir"}, {"\\\\s\\x\\", "\\\\s\\x\\"},
                  {"rel\\", "rel\\"}, {"", ""}};
    for (auto &c : aCases) {
        char sz[32];
        snprintf(sz, sizeof(sz), "%s", c.pszIn);
        fnStripTrailingBSlash(sz);
        EXPECT_STREQ(sz, c.pszWant) << c.pszIn;
    }
}
