#include <windows.h>
#include <iphlpapi.h>
#include <wbemcli.h>

#include "expand/sysfacts.h"

#include "expand/netlist.h"
#include "expand/smbios.h"
#include "run/com_guards.h"
#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"

// The WMI query traces with its own copy of the trace mode.
#define WMI_TRACE(pszName, ...) (g_uWMITraceMode ? fnTrace((pszName), g_uWMITraceMode, __VA_ARGS__) : 0)

namespace {

// Defined here so the program needs no extra import library.
const CLSID kClsidWbemLocator = {0x4590f811, 0x1d3a, 0x11d0, {0x89, 0x1f, 0x00, 0xaa, 0x00, 0x4b, 0x2e, 0x24}};
const IID kIidWbemLocator = {0xdc12a687, 0x737f, 0x11cf, {0x88, 0x4d, 0x00, 0xaa, 0x00, 0x4b, 0x2e, 0x24}};

enum { kcchWqlQuery = 2048, kcbIfTableFirst = 864, kuEthernet = 6 };
const DWORD kdwRawSmbios = 0x52534D42;  // firmware table provider 'RSMB'

// Wide text into ANSI, cut at the output; 1 converted, 0 not convertible.
int fnWideToText(const WCHAR *pwsz, char *pszOut, size_t cchOut)
{
    int cb = WideCharToMultiByte(CP_ACP, 0, pwsz, -1, NULL, 0, NULL, NULL);
    if (cb <= 0)
        return 0;
    CGlobalBlock block;
    char *psz = block.fnAlloc((SIZE_T)cb);
    if (!psz || !WideCharToMultiByte(CP_ACP, 0, pwsz, -1, psz, cb, NULL, NULL))
        return 0;
    fnCopyText(pszOut, cchOut, psz);
    return 1;
}

// One instance's property into the out text: empty values (VT_NULL, VT_EMPTY)
// leave it as it was, errors, objects and what will not turn into text
// give "NA".
void fnVariantToText(VARIANT *pv, char *pszOut, size_t cchOut)
{
    VARTYPE vt = V_VT(pv);
    if (vt == VT_NULL || vt == VT_EMPTY)
        return;
    if (vt == VT_ERROR || vt == VT_UNKNOWN || vt == VT_DISPATCH) {
        fnCopyText(pszOut, cchOut, "NA");
        return;
    }
    VARIANT vText;
    VariantInit(&vText);
    if (FAILED(VariantChangeType(&vText, pv, 0, VT_BSTR)) || V_VT(&vText) != VT_BSTR ||
        !fnWideToText(V_BSTR(&vText) ? V_BSTR(&vText) : L"", pszOut, cchOut))
        fnCopyText(pszOut, cchOut, "NA");
    VariantClear(&vText);
}

int fnRunWmiQuery(IWbemServices *pServices, const char *pszQuery, const char *pszProperty, char *pszOut,
                  size_t cchOut)
{
    CBstr bstrLanguage("WQL"), bstrQuery(pszQuery);
    CComPtr<IEnumWbemClassObject> pEnum;
    HRESULT hr = pServices->ExecQuery(bstrLanguage.Get(), bstrQuery.Get(),
                                      WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, NULL, pEnum.Out());
    if (FAILED(hr) || !pEnum.Get()) {
        WMI_TRACE("fnQueryWMI ExecQuery", "Query failed Error=%d", (int)hr);
        return 0;
    }
    CBstr bstrProperty(pszProperty);
    for (;;) {
        CComPtr<IWbemClassObject> pObject;
        ULONG uReturned = 0;
        // The query returns at once; a bad class or condition shows only
        // here, and is a failed query rather than an empty answer.
        hr = pEnum->Next(WBEM_INFINITE, 1, pObject.Out(), &uReturned);
        if (FAILED(hr)) {
            WMI_TRACE("fnQueryWMI ExecQuery", "Query failed Error=%d", (int)hr);
            return 0;
        }
        if (uReturned == 0 || !pObject.Get())
            break;
        VARIANT v;
        VariantInit(&v);
        if (SUCCEEDED(pObject->Get(bstrProperty.Get(), 0, &v, NULL, NULL)))
            fnVariantToText(&v, pszOut, cchOut);
        VariantClear(&v);
    }
    return 1;
}

}  // namespace

int fnQueryWMI(const char *pszClass, const char *pszProperty, const char *pszCondition, char *pszOut, size_t cchOut)
{
    if (!pszClass)
        pszClass = "";
    if (!pszProperty)
        pszProperty = "";
    WMI_TRACE("fnQueryWMI Begin", "lpszWMIQueryClass=%s, lpszObjectName=%s", pszClass, pszProperty);
    if (!pszOut || cchOut == 0)
        return 0;

    char szQuery[kcchWqlQuery];
    int bWhole = fnFormatText(szQuery, COUNTOF(szQuery), "SELECT * FROM %s", pszClass);
    if (pszCondition && pszCondition[0])
        bWhole = bWhole && fnAppendFormat(szQuery, COUNTOF(szQuery), " %s", pszCondition);
    if (!bWhole) {
        WMI_TRACE("fnQueryWMI ExecQuery", "Query too long Error=%d", 0);
        return 0;
    }

    // A thread already in the single-threaded apartment (the shell dialogs
    // put it there) keeps it: the query works in either.
    CComInit com(COINIT_MULTITHREADED);
    if (!com.IsUsable()) {
        WMI_TRACE("fnQueryWMI CoInitializeEx", "Error=%d", (int)com.Result());
        return 0;
    }
    // Process security can be set once; a second call is refused as too late
    // and the first setting stands.
    HRESULT hr = CoInitializeSecurity(NULL, -1, NULL, NULL, RPC_C_AUTHN_LEVEL_DEFAULT, RPC_C_IMP_LEVEL_IMPERSONATE,
                                      NULL, EOAC_NONE, NULL);
    if (FAILED(hr) && hr != RPC_E_TOO_LATE) {
        WMI_TRACE("fnQueryWMI CoInitializeSecurity", "Error=%d", (int)hr);
        return 0;
    }
    CComPtr<IWbemLocator> pLocator;
    hr = CoCreateInstance(kClsidWbemLocator, NULL, CLSCTX_INPROC_SERVER, kIidWbemLocator, pLocator.OutVoid());
    if (FAILED(hr) || !pLocator.Get()) {
        WMI_TRACE("fnQueryWMI CoCreateInstance", "Error=%d", (int)hr);
        return 0;
    }
    CBstr bstrNamespace("ROOT\\CIMV2");
    CComPtr<IWbemServices> pServices;
    hr = pLocator->ConnectServer(bstrNamespace.Get(), NULL, NULL, NULL, 0, NULL, NULL, pServices.Out());
    if (FAILED(hr) || !pServices.Get()) {
        WMI_TRACE("fnQueryWMI ConnectServer", "Error=%d", (int)hr);
        return 0;
    }
    WMI_TRACE("fnQueryWMI", "Connected to ROOT\\CIMV2 WMI namespace hResult=%d", (int)hr);
    hr = CoSetProxyBlanket(pServices.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, NULL, RPC_C_AUTHN_LEVEL_CALL,
                           RPC_C_IMP_LEVEL_IMPERSONATE, NULL, EOAC_NONE);
    if (FAILED(hr)) {
        WMI_TRACE("fnQueryWMI CoSetProxyBlanket", "Could not set proxy blanket Error=%d", (int)hr);
        return 0;
    }
    if (!fnRunWmiQuery(pServices.Get(), szQuery, pszProperty, pszOut, cchOut))
        return 0;
    fnTrimBlanks(pszOut);
    WMI_TRACE("fnQueryWMI", "Success lpszWMIQueryClass=%s, lpszObjectName=%s retrieved:\n%s", pszClass, pszProperty,
              pszOut);
    return 1;
}

typedef DWORD(WINAPI *PFN_GetAdaptersInfo)(PIP_ADAPTER_INFO, PULONG);
typedef DWORD(WINAPI *PFN_GetIfTable)(PMIB_IFTABLE, PULONG, BOOL);

int fnGetNetAdapterTable(const char *pszMac, int *pbOperational, unsigned long *pdwSent)
{
    if (pbOperational)
        *pbOperational = 0;
    if (pdwSent)
        *pdwSent = 0;
    CModule lib(LoadLibraryA("IPHLPAPI.DLL"));
    if (!lib.Get())
        return 0;
    PFN_GetIfTable pfn = (PFN_GetIfTable)(void *)GetProcAddress(lib.Get(), "GetIfTable");
    if (!pfn) {
        TRACE("fnGetNetAdapterTable", "Function GetIfTable in IPHLPAPI.DLL not found.  Error %lu.", GetLastError());
        return 0;
    }
    CGlobalBlock block;
    ULONG cb = kcbIfTableFirst;
    if (!block.fnAlloc(cb))
        return 0;
    DWORD dwErr = pfn((PMIB_IFTABLE)block.Get(), &cb, FALSE);
    if (dwErr == ERROR_INSUFFICIENT_BUFFER && block.fnAlloc(cb))
        dwErr = pfn((PMIB_IFTABLE)block.Get(), &cb, FALSE);
    if (dwErr != NO_ERROR) {
        TRACE("fnGetNetAdapterTable", "Function GetIfTable failed.  Error %lu.", dwErr);
        return 0;
    }
    const MIB_IFTABLE *pTable = (const MIB_IFTABLE *)block.Get();
    for (DWORD i = 0; i < pTable->dwNumEntries; i++) {
        const MIB_IFROW &row = pTable->table[i];
        if (row.dwPhysAddrLen != 6)
            continue;
        char szMac[13];
        fnFormatText(szMac, COUNTOF(szMac), "%.2X%.2X%.2X%.2X%.2X%.2X", row.bPhysAddr[0], row.bPhysAddr[1],
                     row.bPhysAddr[2], row.bPhysAddr[3], row.bPhysAddr[4], row.bPhysAddr[5]);
        if (fnTextEqualI(szMac, pszMac ? pszMac : "") && (DWORD)row.dwOperStatus > 3) {
            if (pbOperational)
                *pbOperational = 1;
            if (pdwSent)
                *pdwSent = row.dwOutOctets;
            return 1;
        }
    }
    return 0;
}

// The Ethernet adapters of the adapter list, with their traffic.
static unsigned fnCollectAdapters(const IP_ADAPTER_INFO *pInfo, NetAdapterFact *pFacts, unsigned uMax)
{
    unsigned uCount = 0;
    for (; pInfo && uCount < uMax; pInfo = pInfo->Next) {
        if (pInfo->Type != kuEthernet || pInfo->AddressLength != 6)
            continue;
        NetAdapterFact &fact = pFacts[uCount++];
        memset(&fact, 0, sizeof(fact));
        const BYTE *pb = pInfo->Address;
        fnFormatText(fact.szMac, COUNTOF(fact.szMac), "%.2X%.2X%.2X%.2X%.2X%.2X", pb[0], pb[1], pb[2], pb[3], pb[4],
                     pb[5]);
        fnCopyText(fact.szIp, COUNTOF(fact.szIp), pInfo->IpAddressList.IpAddress.String);
        fnCopyText(fact.szMask, COUNTOF(fact.szMask), pInfo->IpAddressList.IpMask.String);
        fnCopyText(fact.szGateway, COUNTOF(fact.szGateway), pInfo->GatewayList.IpAddress.String);
        fnGetNetAdapterTable(fact.szMac, &fact.bOperational, &fact.dwSent);
        TRACE("fnGetNetAddress - Test IP", "uAdapters=%u,pAddrStr->IpAddress.String=%s, IPMask=%s, IPGateway=%s",
              uCount, fact.szIp, fact.szMask, fact.szGateway);
    }
    return uCount;
}

unsigned fnGetNetAddress(char *pszList, size_t cchList, char *pszMask, size_t cchMask, char *pszGateway,
                         size_t cchGateway)
{
    fnBuildNetList(NULL, 0, pszList, cchList, pszMask, cchMask, pszGateway, cchGateway);
    CModule lib(LoadLibraryA("IPHLPAPI.DLL"));
    if (!lib.Get()) {
        TRACE("fnGetNetAddress", "IPHLPAPI.DLL not found.  Error %lu.", GetLastError());
        return 0;
    }
    PFN_GetAdaptersInfo pfn = (PFN_GetAdaptersInfo)(void *)GetProcAddress(lib.Get(), "GetAdaptersInfo");
    if (!pfn) {
        TRACE("fnGetNetAddress", "Function GetAdaptersInfo in IPHLPAPI.DLL not found.  Error %lu.", GetLastError());
        return 0;
    }
    ULONG cb = 0;
    DWORD dwErr = pfn(NULL, &cb);
    if (dwErr != ERROR_BUFFER_OVERFLOW) {
        TRACE("fnGetNetAddress", "GetAdaptersInfo sizing failed.  Error %lu.", dwErr);
        return 0;
    }
    CGlobalBlock block;
    if (!block.fnAlloc(cb)) {
        TRACE("fnGetNetAddress", "Memory Allocation Error.");
        return 0;
    }
    dwErr = pfn((PIP_ADAPTER_INFO)block.Get(), &cb);
    if (dwErr != NO_ERROR) {
        TRACE("fnGetNetAddress", "GetAdaptersInfo failed.  Error %lu.", dwErr);
        return 0;
    }
    unsigned uMax = 0;
    for (const IP_ADAPTER_INFO *p = (const IP_ADAPTER_INFO *)block.Get(); p; p = p->Next)
        uMax++;
    CGlobalBlock facts;
    NetAdapterFact *pFacts = (NetAdapterFact *)facts.fnAlloc((uMax ? uMax : 1) * sizeof(NetAdapterFact));
    if (!pFacts) {
        TRACE("fnGetNetAddress", "Memory Allocation Error.");
        return 0;
    }
    unsigned uAdapters = fnCollectAdapters((const IP_ADAPTER_INFO *)block.Get(), pFacts, uMax);
    fnBuildNetList(pFacts, uAdapters, pszList, cchList, pszMask, cchMask, pszGateway, cchGateway);
    TRACE("fnGetNetAddress - Result", "uAdapters=%u, MAC Address-IP Address=%s", uAdapters, pszList);
    return uAdapters;
}

// Firmware strings come from the platform's raw SMBIOS table; where the
// platform refuses it the answer is simply "none", without a message box.
int fnGetSmbiosString(char *pszOut, size_t cchOut, unsigned uRequest)
{
    if (!pszOut || cchOut == 0)
        return 0;
    pszOut[0] = '\0';
    UINT cb = GetSystemFirmwareTable(kdwRawSmbios, 0, NULL, 0);
    CGlobalBlock block;
    if (cb == 0 || !block.fnAlloc(cb)) {
        TRACE("fnGetSmbiosString", "uRequest=%u, firmware table refused, Error=%lu", uRequest, GetLastError());
        return 0;
    }
    UINT cbRead = GetSystemFirmwareTable(kdwRawSmbios, 0, block.Get(), cb);
    if (cbRead == 0 || cbRead > cb) {
        TRACE("fnGetSmbiosString", "uRequest=%u, firmware table not read, Error=%lu", uRequest, GetLastError());
        return 0;
    }
    int bRC = fnSmbiosFindInRaw((const unsigned char *)block.Get(), cbRead, uRequest, pszOut, cchOut);
    TRACE("fnGetSmbiosString", "uRequest=%u,\nbRC=%d,\nszText=%s", uRequest, bRC, pszOut);
    return bRC;
}
