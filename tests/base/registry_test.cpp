// Registry primitives against the real registry, under a scratch key of
// HKEY_CURRENT_USER that each test makes fresh.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/registry.h"
#include "run/text.h"

namespace {

const char kszBase[] = "Software\\setup32-unit\\Registry";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, kszBase);
        HKEY hKey = NULL;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kszBase, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hKey,
                                                 NULL));
        RegCloseKey(hKey);
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kszBase); }

    static std::string Key(const std::string &strSub = "") { return strSub.empty() ? kszBase : std::string(kszBase) + "\\" + strSub; }

    // The value as stored, read without the code under test.
    static std::string Raw(const std::string &strKey, const char *pszValue, DWORD *pdwType = nullptr)
    {
        BYTE ab[4096];
        DWORD cb = sizeof(ab);
        DWORD dwType = 0;
        HKEY hKey = NULL;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return "<missing>";
        LONG lErr = RegQueryValueExA(hKey, pszValue, NULL, &dwType, ab, &cb);
        RegCloseKey(hKey);
        if (lErr != ERROR_SUCCESS)
            return "<missing>";
        if (pdwType)
            *pdwType = dwType;
        return std::string((const char *)ab, cb);
    }

    static void Put(const std::string &strKey, const char *pszValue, DWORD dwType, const void *pv, DWORD cb)
    {
        HKEY hKey = NULL;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                                                 &hKey, NULL));
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(hKey, pszValue, 0, dwType, (const BYTE *)pv, cb));
        RegCloseKey(hKey);
    }
    static void PutText(const std::string &strKey, const char *pszValue, const char *pszText)
    {
        Put(strKey, pszValue, REG_SZ, pszText, (DWORD)strlen(pszText) + 1);
    }
    static bool KeyExists(const std::string &strKey)
    {
        HKEY hKey = NULL;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return false;
        RegCloseKey(hKey);
        return true;
    }
    static std::string Read(const std::string &strPath, int iMode, DWORD *pdwType = nullptr)
    {
        char sz[3000];
        if (!fnGetRegistry(HKEY_CURRENT_USER, pdwType, strPath.c_str(), sz, sizeof(sz), iMode))
            return "<notfound>";
        return sz;
    }
};

TEST_F(RegistryTest, SplitGivesTheRootHandleAndTheSubKey)
{
    char sz[128] = "HKEY_CURRENT_USER\\Software\\setup32-unit";
    EXPECT_EQ(HKEY_CURRENT_USER, fnSplitRegKey(sz));
    EXPECT_STREQ("Software\\setup32-unit", sz);
    char szMachine[64] = "hkey_local_machine\\Software";
    EXPECT_EQ(HKEY_LOCAL_MACHINE, fnSplitRegKey(szMachine));
    char szShort[64] = "HKLM\\Software";
    EXPECT_EQ(NULL, fnSplitRegKey(szShort));
}

TEST_F(RegistryTest, StringRoundTrips)
{
    ASSERT_EQ(1, fnRegOpenAndSet(HKEY_CURRENT_USER, Key("New\\Deep").c_str(), "Name", "Hello world", REG_SZ, 0));
    DWORD dwType = 0;
    EXPECT_EQ(std::string("Hello world", 12), Raw(Key("New\\Deep"), "Name", &dwType));
    EXPECT_EQ((DWORD)REG_SZ, dwType);
    dwType = 0;
    EXPECT_EQ("Hello world", Read(Key("New\\Deep\\Name"), kRegTextHex, &dwType));
    EXPECT_EQ((DWORD)REG_SZ, dwType);

    // Default value: a path ending in a backslash, and an empty value name.
    ASSERT_EQ(1, fnRegOpenAndSet(HKEY_CURRENT_USER, Key().c_str(), "", "dflt", REG_SZ, 0));
    EXPECT_EQ("dflt", Read(Key() + "\\", kRegTextHex));

    // A multi-string written from text holds one string and a closed list.
    ASSERT_EQ(1, fnRegOpenAndSet(HKEY_CURRENT_USER, Key().c_str(), "Multi", "one", REG_MULTI_SZ, 0));
    EXPECT_EQ(std::string("one\0\0", 5), Raw(Key(), "Multi"));
    EXPECT_EQ("one", Read(Key("Multi"), kRegTextHex));
}

TEST_F(RegistryTest, ExpandStringIsStoredAsWrittenAndExpandedOnRead)
{
    SetEnvironmentVariableA("SETUP32_UNIT_VAR", "C:\\Expanded");
    ASSERT_EQ(1, fnRegOpenAndSet(HKEY_CURRENT_USER, Key().c_str(), "Path", "%SETUP32_UNIT_VAR%\\bin", REG_EXPAND_SZ, 0));
    DWORD dwType = 0;
    EXPECT_EQ(std::string("%SETUP32_UNIT_VAR%\\bin", 23), Raw(Key(), "Path", &dwType));
    EXPECT_EQ((DWORD)REG_EXPAND_SZ, dwType);
    EXPECT_EQ("C:\\Expanded\\bin", Read(Key("Path"), kRegTextHex));
    EXPECT_EQ("C:\\Expanded\\bin", Read(Key("Path"), kRegTextDecimal));
    EXPECT_EQ("%SETUP32_UNIT_VAR%\\bin", Read(Key("Path"), kRegTextRaw));

    // With the switch on, the expansion is what gets stored.
    ASSERT_EQ(1, fnRegOpenAndSet(HKEY_CURRENT_USER, Key().c_str(), "Now", "%SETUP32_UNIT_VAR%", REG_EXPAND_SZ, 1));
    EXPECT_EQ(std::string("C:\\Expanded", 12), Raw(Key(), "Now"));
}

TEST_F(RegistryTest, DwordFormsAndTheirTwoReadings)
{
    struct {
        const char *pszText;
        DWORD dwWant;
        const char *pszHex, *pszDec;
    } aCases[] = {
        {"0x10", 16, "10", "16"}, {"10h", 16, "10", "16"}, {"10", 10, "a", "10"}, {"255", 255, "ff", "255"},
        {"4294967295", 0xFFFFFFFF, "ffffffff", "4294967295"},
    };
    for (const auto &c : aCases) {
        ASSERT_EQ(1, fnRegOpenAndSet(HKEY_CURRENT_USER, Key().c_str(), "Num", c.pszText, REG_DWORD, 0));
        DWORD dwType = 0;
        std::string strRaw = Raw(Key(), "Num", &dwType);
        ASSERT_EQ(4u, strRaw.size());
        DWORD dw = 0;
        memcpy(&dw, strRaw.data(), 4);
        EXPECT_EQ(c.dwWant, dw) << c.pszText;
        EXPECT_EQ((DWORD)REG_DWORD, dwType);
        EXPECT_EQ(c.pszHex, Read(Key("Num"), kRegTextHex)) << c.pszText;
        char sz[32];
        ASSERT_EQ(1, fnGetRegistryByValue(HKEY_CURRENT_USER, NULL, Key().c_str(), "Num", sz, sizeof(sz), kRegTextDecimal));
        EXPECT_STREQ(c.pszDec, sz);
    }
    // The big-endian type is written and read the same way, so it round-trips.
    ASSERT_EQ(1, fnRegOpenAndSet(HKEY_CURRENT_USER, Key().c_str(), "Big", "0x01020304", REG_DWORD_BIG_ENDIAN, 0));
    EXPECT_EQ(std::string("\x04\x03\x02\x01", 4), Raw(Key(), "Big"));
    EXPECT_EQ("16909060", Read(Key("Big"), kRegTextDecimal));
}

TEST_F(RegistryTest, BinaryFromHexTextAndBack)
{
    ASSERT_EQ(1, fnRegOpenAndSet(HKEY_CURRENT_USER, Key().c_str(), "Bin", "01,02, ff", REG_BINARY, 0));
    DWORD dwType = 0;
    EXPECT_EQ(std::string("\x01\x02\xff", 3), Raw(Key(), "Bin", &dwType));
    EXPECT_EQ((DWORD)REG_BINARY, dwType);
    EXPECT_EQ("0102ff", Read(Key("Bin"), kRegTextHex));

    // Text that is not hex bytes writes nothing at all.
    EXPECT_EQ(0, fnRegOpenAndSet(HKEY_CURRENT_USER, Key().c_str(), "Bad", "01,GG", REG_BINARY, 0));
    EXPECT_EQ("<missing>", Raw(Key(), "Bad"));
}

TEST_F(RegistryTest, ReadsAreCutAtTheCallersBuffer)
{
    std::string strLong(700, 'x');
    PutText(Key(), "Long", strLong.c_str());
    char sz[16 + 4];
    memset(sz, '#', sizeof(sz));
    EXPECT_EQ(1, fnGetRegistry(HKEY_CURRENT_USER, NULL, Key("Long").c_str(), sz, 16, kRegTextHex));
    EXPECT_EQ(std::string(15, 'x'), std::string(sz));
    EXPECT_EQ('#', sz[16]) << "wrote past the buffer";

    // Hex of 600 bytes is 1,200 characters: cut on whole bytes.
    std::string strBytes(600, '\xab');
    Put(Key(), "Wide", REG_BINARY, strBytes.data(), (DWORD)strBytes.size());
    char szHex[10];
    EXPECT_EQ(1, fnGetRegistry(HKEY_CURRENT_USER, NULL, Key("Wide").c_str(), szHex, sizeof(szHex), kRegTextHex));
    EXPECT_STREQ("abababab", szHex);

    // An unterminated string comes back terminated.
    Put(Key(), "NoNul", REG_SZ, "abc", 3);
    EXPECT_EQ("abc", Read(Key("NoNul"), kRegTextHex));
}

TEST_F(RegistryTest, MissingOrOversizedValuesAreNotFound)
{
    char sz[32] = "stale";
    EXPECT_EQ(0, fnGetRegistry(HKEY_CURRENT_USER, NULL, Key("Nothing").c_str(), sz, sizeof(sz), kRegTextHex));
    EXPECT_STREQ("", sz) << "output is cleared first";
    EXPECT_EQ("<notfound>", Read("Software\\setup32-unit\\NoSuchKey\\Value", kRegTextHex));
    EXPECT_EQ(0, fnGetRegistry(NULL, NULL, Key("Nothing").c_str(), sz, sizeof(sz), kRegTextHex));

    std::string strBig(1025, 'y');
    Put(Key(), "Big", REG_BINARY, strBig.data(), (DWORD)strBig.size());
    EXPECT_EQ("<notfound>", Read(Key("Big"), kRegTextHex));
    std::string strEdge(1024, 'z');
    Put(Key(), "Edge", REG_BINARY, strEdge.data(), (DWORD)strEdge.size());
    EXPECT_EQ(2048u, Read(Key("Edge"), kRegTextHex).size());
}

TEST_F(RegistryTest, CopyValueCarriesTypeAndBytes)
{
    const char abBin[] = {0x00, 0x10, 0x00, (char)0xFF};
    Put(Key(), "Bin", REG_BINARY, abBin, 4);
    DWORD dw = 16;
    Put(Key(), "Num", REG_DWORD, &dw, 4);
    ASSERT_EQ(1, fnRegCopyValue(HKEY_CURRENT_USER, Key().c_str(), "Bin", "Bin2"));
    ASSERT_EQ(1, fnRegCopyValue(HKEY_CURRENT_USER, Key().c_str(), "Num", "Num2"));
    DWORD dwType = 0;
    EXPECT_EQ(std::string(abBin, 4), Raw(Key(), "Bin2", &dwType));
    EXPECT_EQ((DWORD)REG_BINARY, dwType);
    EXPECT_EQ(std::string("\x10\0\0\0", 4), Raw(Key(), "Num2", &dwType));
    EXPECT_EQ((DWORD)REG_DWORD, dwType);
    EXPECT_EQ(std::string(abBin, 4), Raw(Key(), "Bin")) << "the source stays";
    EXPECT_EQ(0, fnRegCopyValue(HKEY_CURRENT_USER, Key().c_str(), "Absent", "X"));
    EXPECT_EQ("<missing>", Raw(Key(), "X"));
}

TEST_F(RegistryTest, DeleteValueRefusesEmptyKeyOrName)
{
    PutText(Key(), "", "dflt");
    PutText(Key(), "V", "v");
    EXPECT_EQ(0, fnRegDelValue(HKEY_CURRENT_USER, Key().c_str(), ""));
    EXPECT_EQ(0, fnRegDelValue(HKEY_CURRENT_USER, "", "V"));
    EXPECT_EQ(0, fnRegDelValue(HKEY_CURRENT_USER, Key().c_str(), "Absent"));
    EXPECT_EQ(std::string("dflt", 5), Raw(Key(), ""));
    EXPECT_EQ(1, fnRegDelValue(HKEY_CURRENT_USER, Key().c_str(), "V"));
    EXPECT_EQ("<missing>", Raw(Key(), "V"));
}

TEST_F(RegistryTest, DeleteAllValuesKeepsSubKeys)
{
    PutText(Key("T"), "", "dflt");
    for (int i = 0; i < 20; i++)
        PutText(Key("T"), ("V" + std::to_string(i)).c_str(), "x");
    PutText(Key("T\\Child"), "C", "c");
    EXPECT_EQ(0, fnRegDelAllValues(HKEY_CURRENT_USER, Key("T").c_str()));
    DWORD dwValues = 99, dwKeys = 0;
    HKEY hKey = NULL;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, Key("T").c_str(), 0, KEY_READ, &hKey));
    RegQueryInfoKeyA(hKey, NULL, NULL, NULL, &dwKeys, NULL, NULL, &dwValues, NULL, NULL, NULL, NULL);
    RegCloseKey(hKey);
    EXPECT_EQ(0u, dwValues);
    EXPECT_EQ(1u, dwKeys);
    EXPECT_EQ(std::string("c", 2), Raw(Key("T\\Child"), "C"));

    EXPECT_EQ(kRegBadKey, fnRegDelAllValues(HKEY_CURRENT_USER, ""));
    EXPECT_EQ(kRegBadKey, fnRegDelAllValues(HKEY_CURRENT_USER, "\\\\"));
    EXPECT_EQ((LONG)ERROR_FILE_NOT_FOUND, fnRegDelAllValues(HKEY_CURRENT_USER, Key("None").c_str()));
}

TEST_F(RegistryTest, DeleteKeyTreeRemovesEveryLevel)
{
    PutText(Key("Tree\\A\\A1\\A11"), "v", "1");
    PutText(Key("Tree\\A\\A2"), "v", "2");
    PutText(Key("Tree\\B"), "v", "3");
    PutText(Key("Tree"), "v", "4");
    PutText(Key("Sibling"), "v", "5");
    EXPECT_EQ(0, fnRegDelKeyTree(HKEY_CURRENT_USER, Key("Tree").c_str()));
    EXPECT_FALSE(KeyExists(Key("Tree")));
    EXPECT_TRUE(KeyExists(Key("Sibling")));
    EXPECT_EQ((LONG)ERROR_FILE_NOT_FOUND, fnRegDelKeyTree(HKEY_CURRENT_USER, Key("Tree").c_str()));
}

TEST_F(RegistryTest, DeleteKeyTreeNeverTouchesARoot)
{
    PutText(Key("Keep"), "v", "1");
    EXPECT_EQ(kRegBadKey, fnRegDelKeyTree(HKEY_CURRENT_USER, ""));
    EXPECT_EQ(kRegBadKey, fnRegDelKeyTree(HKEY_CURRENT_USER, "\\"));
    EXPECT_EQ(kRegBadKey, fnRegDelKeyTree(HKEY_CURRENT_USER, NULL));
    EXPECT_TRUE(KeyExists(Key("Keep")));

    // What a script's bare root turns into after the split.
    char szPath[64] = "HKEY_CURRENT_USER\\";
    HKEY hRoot = fnSplitRegKey(szPath);
    EXPECT_EQ(kRegBadKey, fnRegDelKeyTree(hRoot, szPath));
    EXPECT_TRUE(KeyExists(Key("Keep")));
}

// Numbered sub-keys 0000..0004 as under a device class key; DriverDesc
// "Card n" and Vendor "Acme" on 0001 and 0003.
class RegEnumTest : public RegistryTest {
protected:
    void SetUp() override
    {
        RegistryTest::SetUp();
        for (int i = 0; i < 5; i++) {
            char szSub[32];
            snprintf(szSub, sizeof(szSub), "Class\\%04d", i);
            char szDesc[32];
            snprintf(szDesc, sizeof(szDesc), "Card %d", i);
            PutText(Key(szSub), "DriverDesc", szDesc);
            if (i == 1 || i == 3)
                PutText(Key(szSub), "Vendor", "Acme Inc");
        }
    }
    std::string Enum(const char *pszValue, const char *pszText, const char *pszValue2, const char *pszText2,
                     const char *pszAction, const std::string &strKey = Key("Class"))
    {
        char sz[64] = "junk";
        EXPECT_EQ(1, fnRegGetEnum(HKEY_CURRENT_USER, strKey.c_str(), pszValue, pszText, pszValue2, pszText2,
                                  pszAction, sz, sizeof(sz)));
        return sz;
    }
};

TEST_F(RegEnumTest, FindsTheFirstSubKeyThatPassesTheTests)
{
    EXPECT_EQ("0000", Enum("", "", "", "", "L"));                          // no test: the first sub-key
    EXPECT_EQ("0002", Enum("DriverDesc", "card 2", "", "", "L"));          // prefix, any case
    EXPECT_EQ("0001", Enum("Vendor", "", "", "", "L"));                    // value present
    EXPECT_EQ("0003", Enum("DriverDesc", "Card 3", "Vendor", "ACME", "L"));
    EXPECT_EQ("0004", Enum("DriverDesc", "Card 2", "Vendor", "Acme", "L")) << "second test fails: last index";
    EXPECT_EQ("0004", Enum("DriverDesc", "Card 1", "Vendor", "", "L")) << "empty second text never matches";
    EXPECT_EQ("0004", Enum("DriverDesc", "Card 9", "", "", "L"));
    EXPECT_EQ("0004", Enum("Missing", "", "", "", "L"));
}

TEST_F(RegEnumTest, NextAndFirstActions)
{
    EXPECT_EQ("0005", Enum("DriverDesc", "Card 9", "", "", "N"));
    EXPECT_EQ("0004", Enum("DriverDesc", "Card 3", "", "", "n"));
    EXPECT_EQ("0004", Enum("DriverDesc", "Card 3", "", "", "F")) << "only index 0 is examined";
    EXPECT_EQ("0000", Enum("DriverDesc", "Card 0", "", "", "First"));
}

TEST_F(RegEnumTest, KeysWithoutSubKeysOrMissing)
{
    PutText(Key("Empty"), "v", "1");
    EXPECT_EQ("0000", Enum("", "", "", "", "L", Key("Empty")));
    EXPECT_EQ("0001", Enum("", "", "", "", "N", Key("Empty")));
    EXPECT_EQ("0000", Enum("", "", "", "", "N", Key("NoSuchKey"))) << "an unopened key is left at 0000";
    EXPECT_EQ("0000", Enum(nullptr, nullptr, nullptr, nullptr, nullptr));
}

}  // namespace
