#include "base/account.h"

#include <sddl.h>

#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"

HMODULE fnLoadSystemLibrary(const char *pszOp, const char *pszLibrary)
{
    // Always from the system directory: a library of the same name beside
    // the program or in the current directory is never taken.
    char szPath[kcchPath];
    UINT cch = GetSystemDirectoryA(szPath, COUNTOF(szPath));
    HMODULE hLib = NULL;
    if (cch && cch < COUNTOF(szPath) && fnFormatText(szPath + cch, COUNTOF(szPath) - cch, "\\%s", pszLibrary))
        hLib = LoadLibraryA(szPath);
    if (!hLib) {
        char szName[kcchShort];
        fnFormatText(szName, COUNTOF(szName), "%s error missing %s", pszOp, pszLibrary);
        TRACE(szName, "dwError=%lu", GetLastError());
    }
    return hLib;
}

FARPROC fnLibraryEntry(HMODULE hLib, const char *pszOp, const char *pszEntry)
{
    // A missing library has been traced already.
    if (!hLib)
        return NULL;
    FARPROC pfn = GetProcAddress(hLib, pszEntry);
    if (!pfn) {
        char szName[kcchShort];
        fnFormatText(szName, COUNTOF(szName), "%s %s not found", pszOp, pszEntry);
        TRACE(szName, "%s", szName);
    }
    return pfn;
}

int fnToWide(const char *pszText, WCHAR *pwszOut, size_t cchOut)
{
    if (!cchOut)
        return 0;
    int cch = MultiByteToWideChar(CP_ACP, 0, pszText ? pszText : "", -1, pwszOut, (int)cchOut);
    if (cch <= 0) {
        pwszOut[0] = L'\0';
        return 0;
    }
    return 1;
}

int fnGetCurrentUser(char *pszOut, size_t cchOut)
{
    pszOut[0] = '\0';
    CModule hSecur(fnLoadSystemLibrary("fnGetCurrentUser", "SECUR32.DLL"));
    typedef BOOLEAN(WINAPI * PFN_GetUserNameExA)(int, LPSTR, PULONG);
    PFN_GetUserNameExA pfnGetUserNameEx =
        (PFN_GetUserNameExA)(void *)fnLibraryEntry(hSecur.Get(), "fnGetCurrentUser", "GetUserNameExA");
    if (!pfnGetUserNameEx)
        return 0;
    char szUser[kcchLine];
    ULONG cch = COUNTOF(szUser);
    const int kNameSamCompatible = 2;
    if (!pfnGetUserNameEx(kNameSamCompatible, szUser, &cch) || cch >= COUNTOF(szUser))
        return 0;
    // A cut name would name another account.
    if (!fnCopyText(pszOut, cchOut, szUser)) {
        pszOut[0] = '\0';
        return 0;
    }
    return 1;
}

int fnGetSIDString(const char *pszAccount, const char *pszSystem, char *pszOut, size_t cchOut)
{
    pszOut[0] = '\0';
    TRACE("fnGetSIDString begin", "lpszUser=%s,\nlpszSystem=%s", pszAccount, pszSystem ? pszSystem : "");
    const char *pszServer = pszSystem && pszSystem[0] ? pszSystem : NULL;
    DWORD cbSid = 0;
    DWORD cchDomain = 0;
    SID_NAME_USE eUse;
    // The first call must fail for want of room and say how much.
    if (!pszAccount || !pszAccount[0] ||
        LookupAccountNameA(pszServer, pszAccount, NULL, &cbSid, NULL, &cchDomain, &eUse) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER || cbSid == 0)
        return 0;
    HANDLE hHeap = GetProcessHeap();
    PSID pSid = HeapAlloc(hHeap, 0, cbSid);
    char *pszDomain = (char *)HeapAlloc(hHeap, 0, cchDomain + 1);
    int bRC = 0;
    char *pszSid = NULL;
    if (pSid && pszDomain && LookupAccountNameA(pszServer, pszAccount, pSid, &cbSid, pszDomain, &cchDomain, &eUse) &&
        ConvertSidToStringSidA(pSid, &pszSid)) {
        bRC = fnCopyText(pszOut, cchOut, pszSid);
        if (!bRC)
            pszOut[0] = '\0';
        LocalFree(pszSid);
    }
    if (pSid)
        HeapFree(hHeap, 0, pSid);
    if (pszDomain)
        HeapFree(hHeap, 0, pszDomain);
    TRACE("fnGetSIDString return", "bRC=%d,\nlpszSID=%s", bRC, pszOut);
    return bRC;
}
