// The OS facts and their classification. The classification is a function of
// the numbers Windows reports, so every family can be checked anywhere.
#ifndef SETUP32_EXPAND_OSVERSION_H
#define SETUP32_EXPAND_OSVERSION_H

#include <stddef.h>

enum { kuWinOSCount = 17 };  // OS identifiers 0-16

struct OSInfoStruct {
    int bWinNT;
    unsigned long dwWinMajor;
    unsigned long dwWinMinor;
    unsigned uWinPlatform;   // 1 Win32s, 2 Windows 9x, 3 NT
    unsigned uWinOS;         // 0-16
    unsigned uWinSR;
    unsigned long dwWinBuild;
    unsigned long dwWinPlatformID;
    unsigned uWinBits;
    char szWinShortName[16];
    char szWinOSId[8];
    char szWinVersion[80];
    char szWinVSDescription[260];
    char szWinName[260];
    char szWinEdition[260];
};

// What Windows reported, as the version queries give it.
struct OSReportStruct {
    unsigned long dwMajor;
    unsigned long dwMinor;
    unsigned long dwBuild;
    unsigned long dwPlatformId;   // 0 Win32s, 1 Windows 9x, 2 NT
    char szCSDVersion[128];       // service-pack text
    int bExtended;                // the extended query worked
    unsigned uProductType;        // 1 workstation, 2 domain controller, 3 server
    unsigned uSuiteMask;
    int bWow64;                   // 32-bit process on 64-bit Windows
    int b64Bit;                   // 64-bit Windows (a 64-bit process, or WOW64)
    char szEdition[64];           // product edition text, may be empty
};

void fnClassifyOS(const OSReportStruct *pReport, OSInfoStruct *pInfo);  // fills every field but szWinOSId
const char *fnProductEditionText(unsigned long dwProductType);         // edition text of a product type, "" for none
const char *fnOSIdText(unsigned uWinOS);                               // "W31".."S2K864", "" out of range

#endif
