// Firmware structure tables built by hand: the system strings and the
// processor speed, and tables that end early or lie about their sizes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expand/smbios.h"
#include "expand/sysfacts.h"

namespace {

// One structure: formatted area (type, length, handle, fields) and strings.
std::string fnStruct(unsigned char uType, std::string strFields, std::initializer_list<const char *> aStrings)
{
    std::string str;
    str += (char)uType;
    str += (char)(4 + strFields.size());
    str += std::string("\x00\x01", 2);
    str += strFields;
    for (const char *psz : aStrings)
        str += std::string(psz) + '\0';
    if (aStrings.size() == 0)
        str += '\0';
    str += '\0';
    return str;
}

std::string fnBytes(std::initializer_list<int> a)
{
    std::string str;
    for (int i : a)
        str += (char)i;
    return str;
}

// System information with maker 1, product 2, version 3, serial 4.
std::string fnSystem(int iMaker = 1, int iProduct = 2, int iSerial = 4)
{
    return fnStruct(1, fnBytes({iMaker, iProduct, 3, iSerial}) + std::string(16, '\x11'),
                    {"  Acme Computers ", "Roadrunner 9000", "1.0", "SN-12345"});
}

// Processor with current speed (offset 0x16) of uMHz.
std::string fnProcessor(unsigned uMHz)
{
    std::string strFields(0x1A - 4, '\0');
    strFields[0x16 - 4] = (char)(uMHz & 0xFF);
    strFields[0x17 - 4] = (char)(uMHz >> 8);
    return fnStruct(4, strFields, {"CPU Socket", "Chip Maker"});
}

const std::string g_strEnd = fnStruct(127, "", {});
const std::string g_strBios = fnStruct(0, fnBytes({1, 2, 0, 0xF0}), {"Firmware Inc", "v1.2"});

std::string fnFind(const std::string &strTable, unsigned uRequest, int *pbRC = nullptr, size_t cchOut = 64)
{
    // An exact-size copy, so a read past the end is a read past the block.
    std::vector<unsigned char> ab(strTable.begin(), strTable.end());
    char sz[64] = "stale";
    int bRC = fnSmbiosFindString(ab.data(), ab.size(), uRequest, sz, cchOut);
    if (pbRC)
        *pbRC = bRC;
    return bRC ? std::string(sz) : "<none>";
}

TEST(Smbios, SystemStringsByTheirNumbers)
{
    std::string strTable = g_strBios + fnSystem() + fnProcessor(2400) + g_strEnd;
    EXPECT_EQ("Acme Computers", fnFind(strTable, kSmbiosMaker)) << "trimmed";
    EXPECT_EQ("Roadrunner 9000", fnFind(strTable, kSmbiosProduct));
    EXPECT_EQ("SN-12345", fnFind(strTable, kSmbiosSerial));
    EXPECT_EQ("2400MHz", fnFind(strTable, kSmbiosCpuSpeed));
    EXPECT_EQ("<none>", fnFind(strTable, 26)) << "not a request";
}

TEST(Smbios, StringNumberZeroOrBlankGivesNothing)
{
    std::string strTable = fnSystem(0, 2, 9) + g_strEnd;  // no maker, serial number beyond the set
    EXPECT_EQ("<none>", fnFind(strTable, kSmbiosMaker));
    EXPECT_EQ("<none>", fnFind(strTable, kSmbiosSerial));
    EXPECT_EQ("Roadrunner 9000", fnFind(strTable, kSmbiosProduct));
    std::string strBlank = fnStruct(1, fnBytes({1, 1, 1, 1}), {"   "}) + g_strEnd;
    EXPECT_EQ("<none>", fnFind(strBlank, kSmbiosMaker));
}

TEST(Smbios, EmptySocketsAreSkippedForTheSpeed)
{
    std::string strTable = fnProcessor(0) + fnProcessor(3200) + g_strEnd;
    EXPECT_EQ("3200MHz", fnFind(strTable, kSmbiosCpuSpeed));
    EXPECT_EQ("<none>", fnFind(fnProcessor(0) + g_strEnd, kSmbiosCpuSpeed));
}

TEST(Smbios, TheWalkStopsAtTheEndStructure)
{
    std::string strTable = g_strBios + g_strEnd + fnSystem();
    EXPECT_EQ("<none>", fnFind(strTable, kSmbiosMaker));
}

TEST(Smbios, MalformedTablesAreNeverReadPastTheirEnd)
{
    std::string strFull = g_strBios + fnSystem() + g_strEnd;
    // Every cut of the table: no read past the end (the sanitizer build
    // checks) and no text from a string set that was cut off.
    for (size_t cb = 0; cb < strFull.size(); cb++) {
        int bRC = 0;
        std::string strText = fnFind(strFull.substr(0, cb), kSmbiosSerial, &bRC);
        if (bRC) {
            EXPECT_EQ("SN-12345", strText);
        }
    }
    // A length below the header size, or one that runs past the table.
    std::string strShort = fnBytes({1, 2, 0, 0}) + fnSystem();
    EXPECT_EQ("<none>", fnFind(strShort, kSmbiosMaker));
    std::string strLong = fnBytes({1, 200, 0, 0, 1, 2, 3, 4});
    EXPECT_EQ("<none>", fnFind(strLong, kSmbiosMaker));
    // A string set without its closing NULs.
    std::string strOpen = fnStruct(1, fnBytes({1, 2, 3, 4}), {}).substr(0, 8) + "Unterminated";
    EXPECT_EQ("<none>", fnFind(strOpen, kSmbiosMaker));
}

TEST(Smbios, OutputIsCutToTheCallersBuffer)
{
    std::string strTable = fnSystem() + g_strEnd;
    EXPECT_EQ("Acme", fnFind(strTable, kSmbiosMaker, nullptr, 5));
}

TEST(Smbios, RawFormHeaderLengthIsChecked)
{
    std::string strTable = fnSystem() + g_strEnd;
    std::string strRaw = fnBytes({0, 2, 7, 0}) + fnBytes({(int)strTable.size(), 0, 0, 0}) + strTable;
    char sz[64];
    EXPECT_EQ(1, fnSmbiosFindInRaw((const unsigned char *)strRaw.data(), strRaw.size(), kSmbiosProduct, sz, 64));
    EXPECT_STREQ("Roadrunner 9000", sz);
    // A length field larger than the block is held to the block.
    std::string strLying = fnBytes({0, 2, 7, 0, 0xFF, 0xFF, 0xFF, 0x7F}) + strTable;
    EXPECT_EQ(1, fnSmbiosFindInRaw((const unsigned char *)strLying.data(), strLying.size(), kSmbiosProduct, sz, 64));
    EXPECT_EQ(0, fnSmbiosFindInRaw((const unsigned char *)strRaw.data(), 7, kSmbiosProduct, sz, 64));
}

}  // namespace
