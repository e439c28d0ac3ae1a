// Registry text rules: root names, key joins, type keywords, number and
// byte texts. No Windows calls.
#include <gtest/gtest.h>

#include <string>

#include "base/registry_text.h"

namespace {

struct RootCase {
    const char *pszPath;
    int iRoot;
    const char *pszRest;
};

TEST(RegText, FindRootTakesTheFirstListedNameAnywhereInAnyCase)
{
    const RootCase aCases[] = {
        {"HKEY_CURRENT_USER\\Software\\A", kRegRootUser, "Software\\A"},
        {"hkey_local_machine\\\\\\SOFTWARE", kRegRootMachine, "SOFTWARE"},
        {"My Computer\\HKEY_USERS\\.DEFAULT", kRegRootUsers, ".DEFAULT"},
        {"HKEY_CURRENT_CONFIG\\System", kRegRootConfig, "System"},
        {"HKEY_DYN_DATA\\x", kRegRootDynData, "x"},
        {"HKEY_PERFORMANCE_DATA\\x", kRegRootPerformance, "x"},
        // the list order decides, not the position in the text
        {"HKEY_USERS\\HKEY_CLASSES_ROOT\\x", kRegRootClasses, "x"},
        // a root with only backslashes after it names the root's own values
        {"HKEY_CURRENT_USER\\", kRegRootUser, ""},
    };
    for (const RootCase &c : aCases) {
        char sz[128];
        snprintf(sz, sizeof(sz), "%s", c.pszPath);
        EXPECT_EQ(c.iRoot, fnFindRegRoot(sz)) << c.pszPath;
        EXPECT_STREQ(c.pszRest, sz) << c.pszPath;
    }
}

TEST(RegText, FindRootRefusesAbbreviationsAndBareRoots)
{
    const char *apszPaths[] = {"HKLM\\Software", "HKCU\\Software", "HKEY_CURRENT_USER", "", "Software\\HKEY_LOCAL"};
    for (const char *pszPath : apszPaths) {
        char sz[64];
        snprintf(sz, sizeof(sz), "%s", pszPath);
        EXPECT_EQ(-1, fnFindRegRoot(sz)) << pszPath;
        EXPECT_STREQ(pszPath, sz) << "text must stay as it was";
    }
    EXPECT_EQ(-1, fnFindRegRoot(nullptr));
}

TEST(RegText, TypeKeywords)
{
    EXPECT_EQ(0ul, fnRegTypeOf("NONE"));
    EXPECT_EQ(1ul, fnRegTypeOf("sz"));
    EXPECT_EQ(2ul, fnRegTypeOf("Expand_SZ"));
    EXPECT_EQ(3ul, fnRegTypeOf("BINARY"));
    EXPECT_EQ(3ul, fnRegTypeOf("hex"));
    EXPECT_EQ(4ul, fnRegTypeOf("DWORD"));
    EXPECT_EQ(5ul, fnRegTypeOf("DWORD_BIG_ENDIAN"));
    EXPECT_EQ(6ul, fnRegTypeOf("LINK"));
    EXPECT_EQ(7ul, fnRegTypeOf("MULTI_SZ"));
    EXPECT_EQ(8ul, fnRegTypeOf("RESOURCE_LIST"));
    EXPECT_EQ(1ul, fnRegTypeOf(""));
    EXPECT_EQ(1ul, fnRegTypeOf("QWORD"));
    EXPECT_EQ(1ul, fnRegTypeOf("DWORDX"));
    EXPECT_EQ(1ul, fnRegTypeOf(nullptr));
}

TEST(RegText, JoinKeyPutsExactlyOneBackslash)
{
    struct {
        const char *pszPath, *pszName, *pszWant;
    } aCases[] = {
        {"Software\\A", "Value", "Software\\A\\Value"},
        {"Software\\A\\\\", "Value", "Software\\A\\Value"},
        {"Software\\A", "\\\\Value", "Software\\A\\Value"},
        {"Software\\A\\", "", "Software\\A\\"},  // empty name: unchanged (reads the default value)
    };
    for (const auto &c : aCases) {
        char sz[64];
        snprintf(sz, sizeof(sz), "%s", c.pszPath);
        EXPECT_EQ(1, fnRegJoinKey(sz, sizeof(sz), c.pszName)) << c.pszPath;
        EXPECT_STREQ(c.pszWant, sz);
    }
    char szEmpty[16] = "";
    EXPECT_EQ(0, fnRegJoinKey(szEmpty, sizeof(szEmpty), "Value"));
    EXPECT_STREQ("", szEmpty);
}

TEST(RegText, JoinKeyThatDoesNotFitLeavesThePathAlone)
{
    char sz[12] = "Software";
    EXPECT_EQ(0, fnRegJoinKey(sz, sizeof(sz), "Value"));  // needs 15
    EXPECT_STREQ("Software", sz);
    EXPECT_EQ(1, fnRegJoinKey(sz, sizeof(sz), "ab"));     // exactly 12 with the NUL
    EXPECT_STREQ("Software\\ab", sz);
}

TEST(RegText, NumberForms)
{
    struct {
        const char *pszText;
        unsigned long dwWant;
    } aCases[] = {
        {"0x10", 16},      {"10h", 16},         {"10H", 16},       {"10", 10},
        {"0X1f", 31},      {"1Fh", 31},         {"255", 255},      {"", 0},
        {"0x", 0},         {"x5", 0},           {"12abc", 12},     {"-5", 0},
        {" 42 ", 42},      {"4294967295", 0xFFFFFFFFul},             {"4294967296", 0xFFFFFFFFul},
        {"0x1FFFFFFFF", 0xFFFFFFFFul},          {"h", 0},          {"0xzz", 0},
    };
    for (const auto &c : aCases)
        EXPECT_EQ(c.dwWant, fnRegParseNumber(c.pszText)) << "\"" << c.pszText << "\"";
}

std::string fnHexBytes(const char *pszText, int *pbOk)
{
    unsigned char ab[32];
    size_t cb = 99;
    *pbOk = fnRegParseHex(pszText, ab, sizeof(ab), &cb);
    return std::string((const char *)ab, *pbOk ? cb : 0);
}

TEST(RegText, HexBytesSkipCommasAndBlanks)
{
    int bOk = 0;
    EXPECT_EQ(std::string("\x01\x02\xff", 3), fnHexBytes("01,02, ff", &bOk));
    EXPECT_EQ(1, bOk);
    EXPECT_EQ(std::string("\x01\x02\x03", 3), fnHexBytes("1,2,3", &bOk));
    EXPECT_EQ(std::string("\x0a\x0b", 2), fnHexBytes("0a0b", &bOk));
    EXPECT_EQ(std::string("\xab\x0c", 2), fnHexBytes("ABc", &bOk));  // odd length: the last digit stands alone
    EXPECT_EQ(std::string(), fnHexBytes("", &bOk));
    EXPECT_EQ(1, bOk);
    EXPECT_EQ(std::string(), fnHexBytes(" , ,", &bOk));
    EXPECT_EQ(1, bOk);
}

TEST(RegText, HexBytesRefuseForeignTextAndOverflow)
{
    int bOk = 1;
    fnHexBytes("01,zz", &bOk);
    EXPECT_EQ(0, bOk);
    unsigned char ab[2];
    size_t cb = 7;
    EXPECT_EQ(0, fnRegParseHex("010203", ab, sizeof(ab), &cb));
    EXPECT_EQ(0u, cb);
}

TEST(RegText, HexTextCutsOnWholeBytes)
{
    const unsigned char ab[] = {0x01, 0x02, 0xff};
    char sz[16];
    EXPECT_EQ(1, fnRegHexText(ab, 3, sz, sizeof(sz)));
    EXPECT_STREQ("0102ff", sz);
    char szSmall[6];
    EXPECT_EQ(0, fnRegHexText(ab, 3, szSmall, sizeof(szSmall)));
    EXPECT_STREQ("0102", szSmall);
    EXPECT_EQ(1, fnRegHexText(ab, 0, szSmall, sizeof(szSmall)));
    EXPECT_STREQ("", szSmall);
}

TEST(RegText, NextNumberIsFourDigitsAtLeast)
{
    struct {
        const char *pszIn, *pszWant;
    } aCases[] = {{"0003", "0004"}, {"0000", "0001"}, {"0004", "0005"}, {"9999", "10000"}, {"Abc", "0001"},
                  {"12x", "0013"}};
    for (const auto &c : aCases) {
        char sz[16];
        snprintf(sz, sizeof(sz), "%s", c.pszIn);
        fnRegNextNumber(sz, sizeof(sz));
        EXPECT_STREQ(c.pszWant, sz) << c.pszIn;
    }
}

}  // namespace
