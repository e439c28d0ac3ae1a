// Machine facts from the real services: WMI through COM, the network
// adapters through IPHLPAPI and the firmware table. What the machine answers
// varies, so the tests check what must hold for any answer.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "expand/sysfacts.h"
#include "run/run_state.h"

namespace {

std::string fnWmi(const char *pszClass, const char *pszProperty, const char *pszCondition, int *pbRC,
                  const char *pszStart = "")
{
    char sz[256];
    snprintf(sz, sizeof(sz), "%s", pszStart);
    *pbRC = fnQueryWMI(pszClass, pszProperty, pszCondition, sz, sizeof(sz));
    return sz;
}

TEST(QueryWMI, ClassesThePlatformAnswers)
{
    int bRC = 0;
    std::string strName = fnWmi("Win32_Processor", "Name", nullptr, &bRC);
    EXPECT_EQ(1, bRC);
    EXPECT_FALSE(strName.empty());
    EXPECT_NE(' ', strName.front()) << "trimmed";
    EXPECT_NE(' ', strName.back()) << "trimmed";

    std::string strSpeed = fnWmi("Win32_Processor", "CurrentClockSpeed", nullptr, &bRC);
    EXPECT_EQ(1, bRC);
    EXPECT_NE(std::string::npos, std::string("0123456789").find(strSpeed.substr(0, 1))) << "number as text: " << strSpeed;

    fnWmi("Win32_BIOS", "SerialNumber", nullptr, &bRC);
    EXPECT_EQ(1, bRC);
    fnWmi("Win32_ComputerSystemProduct", "Vendor", nullptr, &bRC);
    EXPECT_EQ(1, bRC);
}

TEST(QueryWMI, ConditionIsAppendedToTheQuery)
{
    int bRC = 0;
    std::string strAll = fnWmi("Win32_Processor", "DeviceID", nullptr, &bRC);
    ASSERT_EQ(1, bRC);
    std::string strWhere = "WHERE DeviceID = '" + strAll + "'";
    EXPECT_EQ(strAll, fnWmi("Win32_Processor", "DeviceID", strWhere.c_str(), &bRC));
    EXPECT_EQ(1, bRC);
    // No instance matches: the query ran, the caller's text stays.
    EXPECT_EQ("kept", fnWmi("Win32_Processor", "DeviceID", "WHERE DeviceID = 'none-such'", &bRC, "kept"));
    EXPECT_EQ(1, bRC);
}

TEST(QueryWMI, FailuresAndPropertiesWithoutText)
{
    int bRC = 1;
    EXPECT_EQ("kept", fnWmi("Win32_Processor", "Name", "WHERE ((", &bRC, "kept"));
    EXPECT_EQ(0, bRC) << "a query that cannot be parsed did not run";
    // Windows refuses an unknown class when the first instance is asked for;
    // either way the caller's text is not touched.
    EXPECT_EQ("kept", fnWmi("Win32_NoSuchClass", "Name", nullptr, &bRC, "kept"));
    // A property the class does not have leaves the text as it was.
    EXPECT_EQ("kept", fnWmi("Win32_Processor", "NoSuchProperty", nullptr, &bRC, "kept"));
    EXPECT_EQ(1, bRC);
}

TEST(QueryWMI, AnswerIsCutToTheBuffer)
{
    char szWide[256] = "";
    ASSERT_EQ(1, fnQueryWMI("Win32_Processor", "Name", nullptr, szWide, sizeof(szWide)));
    char szSmall[6 + 2];
    memset(szSmall, '#', sizeof(szSmall));
    ASSERT_EQ(1, fnQueryWMI("Win32_Processor", "Name", nullptr, szSmall, 6));
    EXPECT_EQ(std::string(szWide).substr(0, 5), std::string(szSmall));
    EXPECT_EQ('#', szSmall[6]) << "wrote past the buffer";
}

// The main thread of the program may already be in the single-threaded
// apartment (shell dialogs and links put it there).
TEST(QueryWMI, WorksOnAThreadAlreadyInitialisedForApartments)
{
    struct Local {
        static DWORD WINAPI fnThread(void *pv)
        {
            HRESULT hr = CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
            char sz[128] = "";
            *(int *)pv = fnQueryWMI("Win32_Processor", "Name", nullptr, sz, sizeof(sz)) && sz[0];
            if (SUCCEEDED(hr))
                CoUninitialize();
            return 0;
        }
    };
    int bRC = 0;
    HANDLE hThread = CreateThread(NULL, 0, Local::fnThread, &bRC, 0, NULL);
    ASSERT_NE(nullptr, hThread);
    WaitForSingleObject(hThread, 60000);
    CloseHandle(hThread);
    EXPECT_EQ(1, bRC);
}

TEST(NetAddress, ListAgreesWithTheAdapterCount)
{
    char szList[1024] = "junk", szMask[32] = "junk", szGateway[32] = "junk";
    unsigned uAdapters = fnGetNetAddress(szList, sizeof(szList), szMask, sizeof(szMask), szGateway, sizeof(szGateway));
    std::string strList = szList;
    unsigned uEntries = strList.empty() ? 0 : 1;
    for (char c : strList)
        uEntries += c == ';';
    EXPECT_EQ(uAdapters, uEntries) << strList;
    EXPECT_FALSE(std::string(szMask).empty());
    EXPECT_FALSE(std::string(szGateway).empty());
    if (uAdapters == 0) {
        EXPECT_EQ("0.0.0.0", std::string(szMask));
        EXPECT_EQ("0.0.0.0", std::string(szGateway));
    } else {
        EXPECT_EQ('-', strList[12]) << "MAC-IP: " << strList;
    }
}

TEST(NetAddress, UnknownMacIsNotInTheInterfaceTable)
{
    int bOperational = 7;
    unsigned long dwSent = 7;
    EXPECT_EQ(0, fnGetNetAdapterTable("FFFFFFFFFFF0", &bOperational, &dwSent));
    EXPECT_EQ(0, bOperational);
    EXPECT_EQ(0ul, dwSent);
}

TEST(Firmware, RequestsGiveTextOrNothingAndNeverAMessageBox)
{
    for (unsigned uRequest : {(unsigned)kSmbiosMaker, (unsigned)kSmbiosProduct, (unsigned)kSmbiosSerial,
                              (unsigned)kSmbiosCpuSpeed}) {
        char sz[64] = "stale";
        int bRC = fnGetSmbiosString(sz, sizeof(sz), uRequest);
        if (bRC) {
            EXPECT_NE('\0', sz[0]) << uRequest;
        } else {
            EXPECT_STREQ("", sz) << uRequest;
        }
        if (bRC && uRequest == kSmbiosCpuSpeed) {
            EXPECT_NE(nullptr, strstr(sz, "MHz")) << sz;
        }
    }
    char sz[16] = "stale";
    EXPECT_EQ(0, fnGetSmbiosString(sz, sizeof(sz), 26));
}

}  // namespace
