#include "expand/osversion.h"

#include "run/text.h"

static const char *const g_apszOSIds[kuWinOSCount] = {
    "W31", "W95", "W98", "WNT", "W2K", "S2K", "WME", "WXPHOME", "WXP",
    "WXP64", "S2K3", "S2K364", "WVSHOME", "WVS", "WVS64", "S2K8", "S2K864",
};

const char *fnOSIdText(unsigned uWinOS)
{
    return uWinOS < kuWinOSCount ? g_apszOSIds[uWinOS] : "";
}

const char *fnProductEditionText(unsigned long dwProductType)
{
    switch (dwProductType) {
    case 1: return "Ultimate";
    case 2: case 5: return "Basic";
    case 3: return "Premium";
    case 4: case 10: return "Enterprise";
    case 6: case 16: return "Business";
    case 7: return "Standard";
    case 8: return "Datacenter";
    case 11: return "Starter";
    case 12: return "Datacenter(core)";
    case 13: return "Standard(core)";
    case 14: return "Enterprise(core)";
    case 15: return "Enterprise(Itanium)";
    case 17: return "Web";
    case 0xABCDABCDul: return "Unlicensed";
    default: return "";
    }
}

enum { kProductWorkstation = 1, kProductDomainController = 2, kProductServer = 3, kSuitePersonal = 0x200 };

static int fnIsServer(const OSReportStruct *pReport)
{
    return pReport->bExtended &&
           (pReport->uProductType == kProductServer || pReport->uProductType == kProductDomainController);
}

// Version text and name from their formats: "%s" in the version format takes
// the edition only when bEdition, then the numbers and the suffix follow.
static void fnSetNames(OSInfoStruct *pInfo, const char *pszVersion, const char *pszName, const char *pszEdition,
                       const char *pszVerSuffix, const char *pszNameSuffix)
{
    if (pszEdition) {
        fnFormatText(pInfo->szWinVersion, sizeof(pInfo->szWinVersion), pszVersion, pszEdition, pInfo->dwWinMajor,
                     pInfo->dwWinMinor, pInfo->dwWinBuild, pszVerSuffix);
        fnFormatText(pInfo->szWinName, sizeof(pInfo->szWinName), pszName, pszEdition, pszNameSuffix);
    } else {
        fnFormatText(pInfo->szWinVersion, sizeof(pInfo->szWinVersion), pszVersion, pInfo->dwWinMajor,
                     pInfo->dwWinMinor, pInfo->dwWinBuild, pszVerSuffix);
        fnFormatText(pInfo->szWinName, sizeof(pInfo->szWinName), pszName, pszNameSuffix);
    }
}

static void fnClassify9x(const OSReportStruct *pReport, OSInfoStruct *pInfo, const char *pszVer, const char *pszName)
{
    pInfo->dwWinBuild = (pReport->dwBuild >> 16) & 0xFFFF;
    fnCopyText(pInfo->szWinShortName, sizeof(pInfo->szWinShortName), "9X");
    if (pReport->dwMinor > 89) {
        pInfo->uWinOS = 6;
        fnSetNames(pInfo, "ME, Vs. %lu.%lu, build %lu%s", "WinME%s", NULL, pszVer, pszName);
    } else if (pReport->dwMinor != 0) {
        pInfo->uWinOS = 2;
        fnSetNames(pInfo, "98, Vs. %lu.%lu, build %lu%s", "Win98%s", NULL, pszVer, pszName);
    } else {
        // The release is told by the build in the low word; the high word
        // (kept as the build number) holds only the version.
        unsigned long dwRelease = pReport->dwBuild & 0xFFFF;
        if (!pReport->szCSDVersion[0] && dwRelease >= 1080) {
            pInfo->uWinSR = 2;
            pszVer = ", OEM SR 2";
            pszName = "-SR2";
        } else if (!pReport->szCSDVersion[0] && dwRelease >= 1024) {
            pInfo->uWinSR = 1;
            pszVer = ", SR 1";
            pszName = "-SR1";
        }
        fnSetNames(pInfo, "95, Vs. %lu.%lu, build %lu%s", "Win95%s", NULL, pszVer, pszName);
    }
}

static unsigned fnDigitsOf(const char *pszText)
{
    unsigned u = 0;
    for (; *pszText; pszText++) {
        if (*pszText >= '0' && *pszText <= '9')
            u = u * 10 + (unsigned)(*pszText - '0');
    }
    return u;
}

static void fnClassify2003(const OSReportStruct *pReport, OSInfoStruct *pInfo, const char *pszVer,
                           const char *pszName)
{
    pInfo->uWinOS = 10;
    fnSetNames(pInfo, "2003 Server, Vs. %lu.%lu, build %lu%s", "Win2003Server%s", NULL, pszVer, pszName);
    if (pReport->bWow64) {
        pInfo->uWinOS = 11;
        pInfo->uWinBits = 64;
        fnSetNames(pInfo, "2003 Server 64, Vs. %lu.%lu, build %lu%s", "Win2003Server64%s", NULL, pszVer, pszName);
    }
}

// The product word of a major 6 or later release, so that releases after
// Vista are named for what they are.
static const char *fnWorkstationWord(const OSReportStruct *pReport)
{
    if (pReport->dwMajor == 6)
        return pReport->dwMinor == 0 ? "Vista" : pReport->dwMinor == 1 ? "7" : pReport->dwMinor == 2 ? "8" : "8.1";
    return pReport->dwBuild >= 22000 ? "11" : "10";
}

static const char *fnServerWord(const OSReportStruct *pReport)
{
    if (pReport->dwMajor == 6)
        return pReport->dwMinor == 0 ? "2008" : pReport->dwMinor == 1 ? "2008 R2" : pReport->dwMinor == 2 ? "2012" : "2012 R2";
    return pReport->dwBuild >= 20348 ? "2022" : pReport->dwBuild >= 17763 ? "2019" : "2016";
}

static void fnNoBlanks(char *pszText)
{
    char *pszOut = pszText;
    for (; *pszText; pszText++) {
        if (*pszText != ' ')
            *pszOut++ = *pszText;
    }
    *pszOut = '\0';
}

static void fnClassifyVistaOn(const OSReportStruct *pReport, OSInfoStruct *pInfo, const char *pszVer,
                              const char *pszName)
{
    int b64 = pReport->bWow64 || pReport->b64Bit;
    const char *pszEdition = pReport->szEdition[0] ? pReport->szEdition : NULL;
    char szVerFormat[96], szNameFormat[64], szWord[16];
    fnCopyText(pInfo->szWinShortName, sizeof(pInfo->szWinShortName), "Vista");

    if (fnIsServer(pReport)) {
        const char *pszWord = fnServerWord(pReport);
        fnCopyText(szWord, sizeof(szWord), pszWord);
        fnNoBlanks(szWord);
        pInfo->uWinOS = b64 ? 16 : 15;
        if (b64)
            pInfo->uWinBits = 64;
        fnFormatText(szVerFormat, sizeof(szVerFormat), "%s%s Server%s, Vs. %%lu.%%lu, build %%lu%%s", pszWord,
                     pszEdition ? " %s" : "", b64 ? " 64" : "");
        fnFormatText(szNameFormat, sizeof(szNameFormat), "Win%s%sServer%s%%s", szWord, b64 ? "64" : "",
                     pszEdition ? "%s" : "");
    } else {
        const char *pszWord = fnWorkstationWord(pReport);
        int bHome = pReport->bExtended && (pReport->uSuiteMask & kSuitePersonal);
        pInfo->uWinOS = bHome ? 12 : (b64 ? 14 : 13);
        if (b64)
            pInfo->uWinBits = 64;
        const char *pszKind = bHome ? " Home" : "";
        const char *pszBits = (b64 && !bHome) ? " 64" : "";
        fnFormatText(szVerFormat, sizeof(szVerFormat), "%s%s%s%s, Vs. %%lu.%%lu, build %%lu%%s", pszWord, pszKind,
                     pszEdition ? " %s" : "", pszBits);
        fnCopyText(szWord, sizeof(szWord), pszWord);
        fnNoBlanks(szWord);
        fnFormatText(szNameFormat, sizeof(szNameFormat), "Win%s%s%s%s%%s", szWord, bHome ? "Home" : "",
                     (b64 && !bHome) ? "64" : "", pszEdition ? "%s" : "");
    }
    fnSetNames(pInfo, szVerFormat, szNameFormat, pszEdition, pszVer, pszName);
    if (pszEdition)
        fnCopyText(pInfo->szWinEdition, sizeof(pInfo->szWinEdition), pszEdition);
}

static void fnClassifyNT(const OSReportStruct *pReport, OSInfoStruct *pInfo, const char *pszVer, const char *pszName)
{
    pInfo->bWinNT = 1;
    pInfo->uWinOS = 3;
    pInfo->uWinPlatform = 3;
    if (pReport->szCSDVersion[0])
        pInfo->uWinSR = fnDigitsOf(pReport->szCSDVersion);
    unsigned long dwMajor = pReport->dwMajor, dwMinor = pReport->dwMinor;
    if (dwMajor <= 4) {
        fnCopyText(pInfo->szWinShortName, sizeof(pInfo->szWinShortName), "NT");
        fnSetNames(pInfo, "NT, Vs. %lu.%lu, build %lu%s", "WinNT%s", NULL, pszVer, pszName);
    } else if (dwMajor == 5 && dwMinor == 0) {
        fnCopyText(pInfo->szWinShortName, sizeof(pInfo->szWinShortName), "2000");
        pInfo->uWinOS = 4;
        fnSetNames(pInfo, "2000, Vs. %lu.%lu, build %lu%s", "Win2000%s", NULL, pszVer, pszName);
        if (fnIsServer(pReport)) {
            pInfo->uWinOS = 5;
            fnSetNames(pInfo, "2000 Server, Vs. %lu.%lu, build %lu%s", "Win2000Server%s", NULL, pszVer, pszName);
        }
    } else if (dwMajor == 5 && dwMinor == 1) {
        fnCopyText(pInfo->szWinShortName, sizeof(pInfo->szWinShortName), "XP");
        pInfo->uWinOS = 8;
        fnSetNames(pInfo, "XP, Vs. %lu.%lu, build %lu%s", "WinXP%s", NULL, pszVer, pszName);
        if (pReport->bExtended && (pReport->uSuiteMask & kSuitePersonal)) {
            pInfo->uWinOS = 7;
            fnSetNames(pInfo, "XP Home, Vs. %lu.%lu, build %lu%s", "WinXPHome%s", NULL, pszVer, pszName);
        }
    } else if (dwMajor == 5) {
        if (pReport->bWow64) {
            pInfo->uWinBits = 64;
            pInfo->uWinOS = 9;
            fnSetNames(pInfo, "XP 64, Vs. %lu.%lu, build %lu%s", "WinXP64%s", NULL, pszVer, pszName);
        } else {
            fnClassify2003(pReport, pInfo, pszVer, pszName);
        }
        if (fnIsServer(pReport))
            fnClassify2003(pReport, pInfo, pszVer, pszName);
    } else {
        fnClassifyVistaOn(pReport, pInfo, pszVer, pszName);
    }
}

void fnClassifyOS(const OSReportStruct *pReport, OSInfoStruct *pInfo)
{
    memset(pInfo, 0, sizeof(*pInfo));
    pInfo->dwWinMajor = pReport->dwMajor;
    pInfo->dwWinMinor = pReport->dwMinor;
    pInfo->dwWinBuild = pReport->dwBuild;
    pInfo->dwWinPlatformID = pReport->dwPlatformId;
    pInfo->uWinBits = 32;
    fnCopyText(pInfo->szWinVSDescription, sizeof(pInfo->szWinVSDescription), pReport->szCSDVersion);
    fnCopyText(pInfo->szWinName, sizeof(pInfo->szWinName), "Windows");
    fnCopyText(pInfo->szWinShortName, sizeof(pInfo->szWinShortName), "XP");
    pInfo->uWinOS = 1;
    pInfo->uWinPlatform = 2;
    fnFormatText(pInfo->szWinVersion, sizeof(pInfo->szWinVersion), "%lu.%lu", pReport->dwMajor, pReport->dwMinor);

    // Service-pack suffixes for the version text and the name.
    char szVerSuffix[140] = "", szNameSuffix[140] = "";
    if (pReport->szCSDVersion[0] && pReport->szCSDVersion[0] != ' ') {
        fnFormatText(szVerSuffix, sizeof(szVerSuffix), ", %s", pReport->szCSDVersion);
        fnFormatText(szNameSuffix, sizeof(szNameSuffix), "-%s", pReport->szCSDVersion);
    }

    switch (pReport->dwPlatformId) {
    case 0:
        pInfo->uWinOS = 0;
        pInfo->uWinPlatform = 1;
        fnCopyText(pInfo->szWinShortName, sizeof(pInfo->szWinShortName), "WIN3");
        fnFormatText(pInfo->szWinVersion, sizeof(pInfo->szWinVersion), "32s\n%lu.%lu", pReport->dwMajor,
                     pReport->dwMinor);
        break;
    case 1:
        fnClassify9x(pReport, pInfo, szVerSuffix, szNameSuffix);
        break;
    case 2:
        fnClassifyNT(pReport, pInfo, szVerSuffix, szNameSuffix);
        break;
    default:
        break;
    }
    fnCopyText(pInfo->szWinOSId, sizeof(pInfo->szWinOSId), fnOSIdText(pInfo->uWinOS));
}
