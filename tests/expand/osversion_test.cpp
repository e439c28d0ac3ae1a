// OS classification from the numbers each Windows reports.
#include <gtest/gtest.h>

#include <string>

#include "expand/osversion.h"
#include "run/text.h"

namespace {

struct OSCase {
    const char *pszWhat;
    unsigned long dwMajor, dwMinor, dwBuild, dwPlatformId;
    const char *pszCSD;
    unsigned uProductType, uSuiteMask;
    int bWow64, b64Bit;
    const char *pszEdition;
    // expected
    unsigned uWinOS, uWinPlatform, uWinSR, uWinBits;
    unsigned long dwWinBuild;
    const char *pszShort, *pszVersion, *pszName, *pszId;
};

OSReportStruct fnReport(const OSCase &c)
{
    OSReportStruct r = {};
    r.dwMajor = c.dwMajor;
    r.dwMinor = c.dwMinor;
    r.dwBuild = c.dwBuild;
    r.dwPlatformId = c.dwPlatformId;
    fnCopyText(r.szCSDVersion, sizeof(r.szCSDVersion), c.pszCSD);
    r.bExtended = 1;
    r.uProductType = c.uProductType;
    r.uSuiteMask = c.uSuiteMask;
    r.bWow64 = c.bWow64;
    r.b64Bit = c.b64Bit;
    fnCopyText(r.szEdition, sizeof(r.szEdition), c.pszEdition);
    return r;
}

const OSCase g_aCases[] = {
    {"Win32s", 3, 10, 0, 0, "", 0, 0, 0, 0, "", 0, 1, 0, 32, 0, "WIN3", "32s\n3.10", "Windows", "W31"},
    {"Windows 95", 4, 0, 0x040003B6, 1, "", 0, 0, 0, 0, "", 1, 2, 0, 32, 1024, "9X", "95, Vs. 4.0, build 1024",
     "Win95", "W95"},
    {"Windows 95 OSR2", 4, 0, 0x04000457, 1, "", 0, 0, 0, 0, "", 1, 2, 2, 32, 1024, "9X",
     "95, Vs. 4.0, build 1024, OEM SR 2", "Win95-SR2", "W95"},
    {"Windows 98", 4, 10, 0x040A0000 | 1998, 1, " A ", 0, 0, 0, 0, "", 2, 2, 0, 32, 1034, "9X",
     "98, Vs. 4.10, build 1034", "Win98", "W98"},
    {"Windows ME", 4, 90, 0x045A0BB8, 1, "", 0, 0, 0, 0, "", 6, 2, 0, 32, 1114, "9X", "ME, Vs. 4.90, build 1114",
     "WinME", "WME"},
    {"NT 4 SP6", 4, 0, 1381, 2, "Service Pack 6", 1, 0, 0, 0, "", 3, 3, 6, 32, 1381, "NT",
     "NT, Vs. 4.0, build 1381, Service Pack 6", "WinNT-Service Pack 6", "WNT"},
    {"2000 Server", 5, 0, 2195, 2, "", 3, 0, 0, 0, "", 5, 3, 0, 32, 2195, "2000", "2000 Server, Vs. 5.0, build 2195",
     "Win2000Server", "S2K"},
    {"XP Pro SP2", 5, 1, 2600, 2, "Service Pack 2", 1, 0, 0, 0, "", 8, 3, 2, 32, 2600, "XP",
     "XP, Vs. 5.1, build 2600, Service Pack 2", "WinXP-Service Pack 2", "WXP"},
    {"XP Home", 5, 1, 2600, 2, "", 1, 0x200, 0, 0, "", 7, 3, 0, 32, 2600, "XP", "XP Home, Vs. 5.1, build 2600",
     "WinXPHome", "WXPHOME"},
    {"XP x64", 5, 2, 3790, 2, "", 1, 0, 1, 1, "", 9, 3, 0, 64, 3790, "XP", "XP 64, Vs. 5.2, build 3790", "WinXP64",
     "WXP64"},
    {"2003 Server x64", 5, 2, 3790, 2, "", 3, 0, 1, 1, "", 11, 3, 0, 64, 3790, "XP",
     "2003 Server 64, Vs. 5.2, build 3790", "Win2003Server64", "S2K364"},
    {"2003 Server", 5, 2, 3790, 2, "", 3, 0, 0, 0, "", 10, 3, 0, 32, 3790, "XP", "2003 Server, Vs. 5.2, build 3790",
     "Win2003Server", "S2K3"},
    {"Vista Business", 6, 0, 6000, 2, "", 1, 0, 0, 0, "Business", 13, 3, 0, 32, 6000, "Vista",
     "Vista Business, Vs. 6.0, build 6000", "WinVistaBusiness", "WVS"},
    {"Vista Home Premium", 6, 0, 6002, 2, "Service Pack 2", 1, 0x200, 0, 0, "Premium", 12, 3, 2, 32, 6002, "Vista",
     "Vista Home Premium, Vs. 6.0, build 6002, Service Pack 2", "WinVistaHomePremium-Service Pack 2", "WVSHOME"},
    {"Vista x64", 6, 0, 6001, 2, "", 1, 0, 1, 1, "Ultimate", 14, 3, 0, 64, 6001, "Vista",
     "Vista Ultimate 64, Vs. 6.0, build 6001", "WinVista64Ultimate", "WVS64"},
    {"2008 Enterprise x64 SP2", 6, 0, 6002, 2, "Service Pack 2", 3, 0, 1, 1, "Enterprise", 16, 3, 2, 64, 6002,
     "Vista", "2008 Enterprise Server 64, Vs. 6.0, build 6002, Service Pack 2",
     "Win200864ServerEnterprise-Service Pack 2", "S2K864"},
    {"2008 Server", 6, 0, 6001, 2, "", 2, 0, 0, 0, "", 15, 3, 0, 32, 6001, "Vista", "2008 Server, Vs. 6.0, build 6001",
     "Win2008Server", "S2K8"},
    {"Windows 10 x64", 10, 0, 19045, 2, "", 1, 0, 0, 1, "Enterprise", 14, 3, 0, 64, 19045, "Vista",
     "10 Enterprise 64, Vs. 10.0, build 19045", "Win1064Enterprise", "WVS64"},
    {"Windows 11 x64", 10, 0, 22631, 2, "", 1, 0, 0, 1, "", 14, 3, 0, 64, 22631, "Vista", "11 64, Vs. 10.0, build 22631",
     "Win1164", "WVS64"},
    {"Server 2022", 10, 0, 20348, 2, "", 3, 0, 0, 1, "Datacenter", 16, 3, 0, 64, 20348, "Vista",
     "2022 Datacenter Server 64, Vs. 10.0, build 20348", "Win202264ServerDatacenter", "S2K864"},
};

TEST(OSClassification, EachFamilyFromItsReportedNumbers)
{
    for (const OSCase &c : g_aCases) {
        SCOPED_TRACE(c.pszWhat);
        OSReportStruct report = fnReport(c);
        OSInfoStruct info;
        fnClassifyOS(&report, &info);
        EXPECT_EQ(c.uWinOS, info.uWinOS);
        EXPECT_EQ(c.uWinPlatform, info.uWinPlatform);
        EXPECT_EQ(c.uWinSR, info.uWinSR);
        EXPECT_EQ(c.uWinBits, info.uWinBits);
        EXPECT_EQ(c.dwWinBuild, info.dwWinBuild);
        EXPECT_EQ(c.dwPlatformId == 2, info.bWinNT != 0);
        EXPECT_STREQ(c.pszShort, info.szWinShortName);
        EXPECT_STREQ(c.pszVersion, info.szWinVersion);
        EXPECT_STREQ(c.pszName, info.szWinName);
        EXPECT_STREQ(c.pszId, info.szWinOSId);
        EXPECT_STREQ(c.pszCSD, info.szWinVSDescription);
    }
}

TEST(OSClassification, WithoutExtendedDataNoServerOrHomeForm)
{
    OSReportStruct report = fnReport(g_aCases[6]);  // 2000 Server numbers
    report.bExtended = 0;
    OSInfoStruct info;
    fnClassifyOS(&report, &info);
    EXPECT_EQ(4u, info.uWinOS);
    EXPECT_STREQ("Win2000", info.szWinName);
}

TEST(OSClassification, LongServicePackTextIsCutNotOverrun)
{
    OSReportStruct report = fnReport(g_aCases[7]);
    memset(report.szCSDVersion, 'S', sizeof(report.szCSDVersion) - 1);
    report.szCSDVersion[sizeof(report.szCSDVersion) - 1] = '\0';
    OSInfoStruct info;
    fnClassifyOS(&report, &info);
    EXPECT_EQ(sizeof(info.szWinVersion) - 1, strlen(info.szWinVersion));
    EXPECT_EQ(std::string("WinXP-") + std::string(127, 'S'), info.szWinName);
}

TEST(OSClassification, EditionAndIdTexts)
{
    EXPECT_STREQ("Ultimate", fnProductEditionText(1));
    EXPECT_STREQ("Basic", fnProductEditionText(5));
    EXPECT_STREQ("Enterprise", fnProductEditionText(10));
    EXPECT_STREQ("Unlicensed", fnProductEditionText(0xABCDABCDul));
    EXPECT_STREQ("", fnProductEditionText(0));
    EXPECT_STREQ("", fnProductEditionText(9));
    EXPECT_STREQ("W31", fnOSIdText(0));
    EXPECT_STREQ("S2K864", fnOSIdText(16));
    EXPECT_STREQ("", fnOSIdText(17));
}

}  // namespace
