// Selectors that read facts of the machine, the user and the OS: "@M"
// (machine), "@N" (user and network names), "@S" (system values) and "@V"
// (version). Each fact comes from the first source that answers; a source
// that is missing or fails is passed over, never reported to the user.
#include <windows.h>
#include <winnetwk.h>
#include <winspool.h>

#include "expand/expand_selectors.h"
#include "expand/expand_text.h"
#include "expand/osversion.h"
#include "expand/sysfacts.h"
#include "base/account.h"
#include "base/registry.h"
#include "run/run_state.h"
#include "run/trace.h"
#include "run/window.h"
#include "resource.h"
#include "run/text.h"

namespace {

enum {
    kcchUser = 257,         // user names (UNLEN + 1)
    kcchEntryRoom = 260,    // a list entry is added only while more than this is left
    kcbEnumBuffer = 16384,  // one batch of network connections
};

int fnIsDigitChar(char c)
{
    return c >= '0' && c <= '9';
}

// A WMI property of the first class instance that has it; 1 with a text.
int fnWmiText(const char *pszClass, const char *pszProperty, char *pszOut, size_t cchOut)
{
    pszOut[0] = '\0';
    int bRC = fnQueryWMI(pszClass, pszProperty, NULL, pszOut, cchOut);
    TRACE("fnExpandOpts", "fnQueryWMI with %s %s returned :%s:", pszClass, pszProperty, pszOut);
    return bRC && pszOut[0];
}

int fnFirmwareText(unsigned uRequest, char *pszOut, size_t cchOut)
{
    pszOut[0] = '\0';
    return fnGetSmbiosString(pszOut, cchOut, uRequest) && pszOut[0];
}

// ---- "@M" ------------------------------------------------------------------

// Installed memory in MB, rounded up to a multiple of 8 from 2 MB on, as the
// amount the firmware reserves keeps the reported total below the real one.
void fnMemoryText(char *pszValue, size_t cchValue)
{
    MEMORYSTATUSEX status;
    status.dwLength = sizeof(status);
    unsigned long long uMB = GlobalMemoryStatusEx(&status) ? status.ullTotalPhys >> 20 : 0;
    if (uMB < 1)
        uMB = 1;
    if (uMB >= 2)
        uMB = (uMB + 7) / 8 * 8;
    fnFormatText(pszValue, cchValue, "%luMB", (unsigned long)uMB);
}

void fnProductText(char *pszValue, size_t cchValue)
{
    char szVendor[kcchExpanded];
    char szName[kcchExpanded];
    if (fnWmiText("Win32_ComputerSystemProduct", "Vendor", szVendor, COUNTOF(szVendor))) {
        fnCopyText(pszValue, cchValue, szVendor);
        if (fnWmiText("Win32_ComputerSystemProduct", "Name", szName, COUNTOF(szName)))
            fnAppendFormat(pszValue, cchValue, " %s", szName);
        return;
    }
    int bMaker = fnFirmwareText(kSmbiosMaker, szVendor, COUNTOF(szVendor));
    int bProduct = fnFirmwareText(kSmbiosProduct, szName, COUNTOF(szName));
    if (bMaker && bProduct)
        fnFormatText(pszValue, cchValue, "%s %s", szVendor, szName);
    else if (bMaker || bProduct)
        fnCopyText(pszValue, cchValue, bMaker ? szVendor : szName);
    else
        fnCopyText(pszValue, cchValue, "NA");
}

const char kszCpuKey[] = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0\\";

void fnCpuSpeedText(char *pszValue, size_t cchValue)
{
    char szPath[kcchPath];
    char szSpeed[kcchExpanded];
    fnFormatText(szPath, COUNTOF(szPath), "%s~MHz", kszCpuKey);
    if (fnRegText(HKEY_LOCAL_MACHINE, szPath, szSpeed, COUNTOF(szSpeed), kRegTextDecimal) ||
        fnWmiText("Win32_Processor", "CurrentClockSpeed", szSpeed, COUNTOF(szSpeed))) {
        fnFormatText(pszValue, cchValue, "%sMHz", szSpeed);
        return;
    }
    // The firmware's speed text already ends in "MHz".
    if (!fnFirmwareText(kSmbiosCpuSpeed, pszValue, cchValue))
        fnCopyText(pszValue, cchValue, "NA");
}

void fnCpuNameText(char *pszValue, size_t cchValue)
{
    char szPath[kcchPath];
    fnFormatText(szPath, COUNTOF(szPath), "%sProcessorNameString", kszCpuKey);
    if (!fnRegText(HKEY_LOCAL_MACHINE, szPath, pszValue, cchValue, kRegTextHex) &&
        !fnWmiText("Win32_Processor", "Name", pszValue, cchValue) &&
        !fnFirmwareText(kSmbiosCpuSpeed, pszValue, cchValue))
        fnCopyText(pszValue, cchValue, "NA");
    fnFirstLineTrimmed(pszValue);
}

// ---- "@N" ------------------------------------------------------------------

void fnComputerName(char *pszValue, size_t cchValue)
{
    char szName[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD cch = COUNTOF(szName);
    if (GetComputerNameA(szName, &cch))
        fnCopyText(pszValue, cchValue, szName);
    else
        pszValue[0] = '\0';
}

// The connected network resources: "[Printer-]local-remote;" each.
void fnConnectionsText(char *pszValue, size_t cchValue)
{
    TextBuildStruct build;
    fnBuildStart(&build, pszValue, cchValue);
    HANDLE hEnum = NULL;
    if (WNetOpenEnumA(RESOURCE_CONNECTED, RESOURCETYPE_ANY, 0, NULL, &hEnum) != NO_ERROR)
        return;
    NETRESOURCEA *pResources = (NETRESOURCEA *)HeapAlloc(GetProcessHeap(), 0, kcbEnumBuffer);
    int bFull = 0;
    while (pResources && !bFull) {
        DWORD cEntries = (DWORD)-1;
        DWORD cbBuffer = kcbEnumBuffer;
        if (WNetEnumResourceA(hEnum, &cEntries, pResources, &cbBuffer) != NO_ERROR)
            break;
        for (DWORD i = 0; i < cEntries; i++) {
            if (cchValue - build.cchUsed <= kcchEntryRoom) {
                bFull = 1;
                break;
            }
            const NETRESOURCEA &res = pResources[i];
            if (res.dwType == RESOURCETYPE_PRINT)
                fnBuildText(&build, "Printer-");
            fnBuildText(&build, res.lpLocalName ? res.lpLocalName : "");
            fnBuildText(&build, "-");
            fnBuildText(&build, res.lpRemoteName ? res.lpRemoteName : "");
            fnBuildText(&build, ";");
        }
    }
    if (pResources)
        HeapFree(GetProcessHeap(), 0, pResources);
    WNetCloseEnum(hEnum);
}

// One printer enumeration at level 5, on the heap; NULL when there is none.
PRINTER_INFO_5A *fnEnumPrinters(DWORD dwFlags, DWORD *pcPrinters)
{
    *pcPrinters = 0;
    DWORD cbNeeded = 0;
    DWORD cPrinters = 0;
    EnumPrintersA(dwFlags, NULL, 5, NULL, 0, &cbNeeded, &cPrinters);
    if (cbNeeded == 0)
        return NULL;
    BYTE *pbPrinters = (BYTE *)HeapAlloc(GetProcessHeap(), 0, cbNeeded);
    if (pbPrinters && EnumPrintersA(dwFlags, NULL, 5, pbPrinters, cbNeeded, &cbNeeded, &cPrinters)) {
        *pcPrinters = cPrinters;
        return (PRINTER_INFO_5A *)pbPrinters;
    }
    if (pbPrinters)
        HeapFree(GetProcessHeap(), 0, pbPrinters);
    return NULL;
}

// The printers of the connections and the local-name enumerations: the
// network printers of both first ("net:name;"), then the others ("name;").
void fnPrintersText(char *pszValue, size_t cchValue)
{
    TextBuildStruct build;
    fnBuildStart(&build, pszValue, cchValue);
    PRINTER_INFO_5A *apList[2];
    DWORD acPrinters[2];
    apList[0] = fnEnumPrinters(PRINTER_ENUM_CONNECTIONS, &acPrinters[0]);
    apList[1] = fnEnumPrinters(PRINTER_ENUM_NAME, &acPrinters[1]);
    for (int bNetwork = 1; bNetwork >= 0; bNetwork--) {
        for (int iList = 0; iList < 2; iList++) {
            for (DWORD i = 0; i < acPrinters[iList]; i++) {
                const PRINTER_INFO_5A &printer = apList[iList][i];
                int bIsNetwork = (printer.Attributes & PRINTER_ATTRIBUTE_NETWORK) != 0;
                if (bIsNetwork != bNetwork || !printer.pPrinterName || cchValue - build.cchUsed <= kcchEntryRoom)
                    continue;
                if (bNetwork)
                    fnBuildText(&build, "net:");
                fnBuildText(&build, printer.pPrinterName);
                fnBuildText(&build, ";");
            }
        }
    }
    for (int iList = 0; iList < 2; iList++) {
        if (apList[iList])
            HeapFree(GetProcessHeap(), 0, apList[iList]);
    }
}

// ---- "@S" ------------------------------------------------------------------

// The security identifier of the logged-on user on this computer, as text.
int fnUserSid(char *pszOut, size_t cchOut)
{
    pszOut[0] = '\0';
    char szUser[kcchUser];
    return fnLoggedOnUser(szUser, COUNTOF(szUser)) && fnGetSIDString(szUser, NULL, pszOut, cchOut);
}

void fnNetIdText(char *pszValue, size_t cchValue)
{
    if (!fnRegText(HKEY_CURRENT_USER, "SOFTWARE\\TarnwickCollege\\Network\\NetID", pszValue, cchValue, kRegTextHex))
        fnLoggedOnUser(pszValue, cchValue);
}

void fnSerialText(char *pszValue, size_t cchValue)
{
    if (!fnWmiText("Win32_BIOS", "SerialNumber", pszValue, cchValue) &&
        !fnFirmwareText(kSmbiosSerial, pszValue, cchValue))
        fnFormatText(pszValue, cchValue, "NA-%s", g_szTime);
}

void fnProfileText(char *pszValue, size_t cchValue)
{
    char szSid[kcchPath];
    char szPath[kcchLine];
    if (!fnUserSid(szSid, COUNTOF(szSid)) ||
        !fnFormatText(szPath, COUNTOF(szPath),
                      "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\%s\\ProfileImagePath", szSid) ||
        !fnRegText(HKEY_LOCAL_MACHINE, szPath, pszValue, cchValue, kRegTextHex))
        fnCopyText(pszValue, cchValue, "NA");
}

// One part of an adapter entry "MAC-IP": 1 MAC, 2 IP, 3 the first three
// numbers of the IP joined by "-".
void fnAdapterPart(const char *pszEntry, unsigned uPart, char *pszValue, size_t cchValue)
{
    char szIp[kcchPath];
    if (uPart == 1) {
        fnTakePiece(pszEntry, (size_t)-1, "-", 1, pszValue, cchValue);
        return;
    }
    fnTakePiece(pszEntry, (size_t)-1, "-", 2, szIp, COUNTOF(szIp));
    if (uPart == 2) {
        fnCopyText(pszValue, cchValue, szIp);
        return;
    }
    TextBuildStruct build;
    fnBuildStart(&build, pszValue, cchValue);
    char szNumber[kcchPath];
    for (unsigned i = 1; i <= 3 && fnTakePiece(szIp, (size_t)-1, ".", i, szNumber, COUNTOF(szNumber)) == kPieceFound;
         i++) {
        if (i > 1)
            fnBuildChar(&build, '-');
        fnBuildText(&build, szNumber);
    }
}

// "@S6", "@S6n" (adapter n) and "@S6nk" (a part of it).
size_t fnNetAddressText(const char *pszArgs, char *pszValue, size_t cchValue)
{
    char szList[kcchExpanded] = "";
    char szMask[kcchPath] = "";
    char szGateway[kcchPath] = "";
    unsigned uAdapters = fnGetNetAddress(szList, COUNTOF(szList), szMask, COUNTOF(szMask), szGateway,
                                         COUNTOF(szGateway));
    TRACE("fnExpandOpts", "uRC=%u, szExpanded=%s", uAdapters, szList);
    if (pszArgs[0] < '1' || pszArgs[0] > '9') {
        fnCopyText(pszValue, cchValue, (uAdapters && szList[0]) ? szList : "NA-0.0.0.0");
        return 0;
    }
    char szEntry[kcchExpanded];
    fnTakePiece(szList, (size_t)-1, ";", (unsigned)(pszArgs[0] - '0'), szEntry, COUNTOF(szEntry));
    char cPart = pszArgs[1];
    if (cPart < '1' || cPart > '6') {
        fnCopyText(pszValue, cchValue, szEntry);
        return 1;
    }
    if (cPart <= '3')
        fnAdapterPart(szEntry, (unsigned)(cPart - '0'), pszValue, cchValue);
    else if (cPart == '4')
        fnCopyText(pszValue, cchValue, szMask);
    else if (cPart == '5')
        fnCopyText(pszValue, cchValue, szGateway);
    else
        pszValue[0] = '\0';
    return 2;
}

}  // namespace

int fnLoggedOnUser(char *pszOut, size_t cchOut)
{
    char szUser[kcchUser];
    DWORD cch = COUNTOF(szUser);
    if (!GetUserNameA(szUser, &cch)) {
        pszOut[0] = '\0';
        return 0;
    }
    return fnCopyText(pszOut, cchOut, szUser) && pszOut[0];
}

int fnSelMachine(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed)
{
    unsigned uNumber = 0;
    size_t cchDigits = fnReadSelectorNumber(pszArgs, &uNumber);
    if (cchDigits == 0 || uNumber > 4)
        return kSelFailAt;
    *pcchUsed = cchDigits;
    switch (uNumber) {
    case 0: fnCopyText(pszValue, cchValue, g_szWinName); break;
    case 1: fnMemoryText(pszValue, cchValue); break;
    case 2: fnProductText(pszValue, cchValue); break;
    case 3: fnCpuSpeedText(pszValue, cchValue); break;
    default: fnCpuNameText(pszValue, cchValue); break;
    }
    return kSelOk;
}

int fnSelUser(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed)
{
    unsigned uNumber = 0;
    size_t cchDigits = fnReadSelectorNumber(pszArgs, &uNumber);
    if (cchDigits == 0 || uNumber > 4)
        return kSelFailAt;
    *pcchUsed = cchDigits;
    switch (uNumber) {
    case 0: fnLoggedOnUser(pszValue, cchValue); break;
    case 1: fnComputerName(pszValue, cchValue); break;
    case 2: fnConnectionsText(pszValue, cchValue); break;
    case 3: fnPrintersText(pszValue, cchValue); break;
    default: fnGetCurrentUser(pszValue, cchValue); break;
    }
    return kSelOk;
}

int fnSelSystem(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed)
{
    *pcchUsed = 0;
    if (!fnIsDigitChar(pszArgs[0])) {
        fnCopyText(pszValue, cchValue, g_szSysDir);
        return kSelOk;
    }
    *pcchUsed = 1;
    switch (pszArgs[0]) {
    case '0': fnNetIdText(pszValue, cchValue); break;
    case '1': fnCopyText(pszValue, cchValue, g_szDate); break;
    case '2': fnCopyText(pszValue, cchValue, g_szTime); break;
    case '3': fnLoggedOnUser(pszValue, cchValue); break;
    case '4': fnComputerName(pszValue, cchValue); break;
    case '5': fnSerialText(pszValue, cchValue); break;
    case '6': *pcchUsed += fnNetAddressText(pszArgs + 1, pszValue, cchValue); break;
    case '7':
        if (!fnUserSid(pszValue, cchValue))
            fnCopyText(pszValue, cchValue, "NA");
        break;
    case '8': fnProfileText(pszValue, cchValue); break;
    default: return kSelFailAt;
    }
    return kSelOk;
}

int fnSelVersion(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed)
{
    *pcchUsed = 0;
    if (!fnIsDigitChar(pszArgs[0])) {
        if (g_uWinOS >= kuWinOSCount || !fnLoadText(IDS_OS_FIRST + g_uWinOS, pszValue, (int)cchValue))
            fnCopyText(pszValue, cchValue, fnOSIdText(g_uWinOS));
        return kSelOk;
    }
    *pcchUsed = 1;
    switch (pszArgs[0]) {
    case '0': {
        // "@V0" with an optional second digit 0-2.
        const char *pszText = NULL;
        switch (pszArgs[1]) {
        case '0': pszText = fnOSFamilyCode(g_uWinPlatform, g_dwWinMajor, g_dwWinMinor, g_uWinOS); break;
        case '1': pszText = g_szWinVersion; break;
        case '2': pszText = g_szWinName; break;
        default: break;
        }
        if (pszText)
            *pcchUsed = 2;
        fnCopyText(pszValue, cchValue, pszText ? pszText : g_szWinShortName);
        break;
    }
    case '1': fnFormatText(pszValue, cchValue, "%u", g_uWinPlatform); break;
    case '2': fnFormatText(pszValue, cchValue, "%lu", (unsigned long)g_dwWinMajor); break;
    case '3': fnFormatText(pszValue, cchValue, "%lu", (unsigned long)g_dwWinMinor); break;
    case '4': fnFormatText(pszValue, cchValue, "%u", g_uWinSR); break;
    case '5': fnFormatText(pszValue, cchValue, "%lu", (unsigned long)g_dwWinBuild); break;
    case '6': fnFormatText(pszValue, cchValue, "%lu", (unsigned long)g_dwWinPlatformID); break;
    case '7': fnFormatText(pszValue, cchValue, "%u", g_uWinOS); break;
    case '8': fnCopyText(pszValue, cchValue, g_szWinVersion); break;
    default: fnFormatText(pszValue, cchValue, "%u", g_uWinBits); break;
    }
    return kSelOk;
}
