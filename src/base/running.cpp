#include "base/running.h"

#include <tlhelp32.h>
#include <winperf.h>

#include "base/running_text.h"
#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"

typedef HANDLE(WINAPI *PFN_SNAPSHOT)(DWORD, DWORD);
typedef BOOL(WINAPI *PFN_PROCESSWALK)(HANDLE, PROCESSENTRY32 *);

enum {
    kcbPerfStart = 12288,  // first size of a performance-data buffer
    kcbPerfGrow = 1024,    // and its growth while the answer is "more data"
    kcbPerfMost = 16 * 1024 * 1024,
    kcchProcessName = 260,
};

static const char kszUnknown[] = "-Unknown-";

static int fnToolhelpAvailable()
{
    return g_pfnToolhelp[0] && g_pfnToolhelp[3] && g_pfnToolhelp[4];
}

// The image path of a running process (empty when it cannot be read).
static int fnProcessImagePath(DWORD dwPid, char *pszOut, size_t cchOut)
{
    pszOut[0] = '\0';
    CHandle hProcess(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, dwPid));
    if (!hProcess.IsValid())
        return 0;
    char szPath[kcchPath];
    DWORD cch = COUNTOF(szPath);
    if (!QueryFullProcessImageNameA(hProcess.Get(), 0, szPath, &cch) || cch == 0 || cch >= COUNTOF(szPath))
        return 0;
    fnStripNtPrefix(szPath);
    return fnCopyText(pszOut, cchOut, szPath);
}

DWORD fnFindProcessTH(const char *pszName, BOOL bFileNamePart, BOOL bExcludeServices)
{
    TRACE("fnFindProcessTH", "lpszName=%s,\nbFileName=%d,\nbNoServices=%d", pszName, bFileNamePart, bExcludeServices);
    if (!fnToolhelpAvailable())
        return 0;
    CFileHandle hSnap(((PFN_SNAPSHOT)(void *)g_pfnToolhelp[0])(TH32CS_SNAPPROCESS, 0));
    if (!hSnap.IsValid())
        return 0;
    PROCESSENTRY32 pe = {};
    pe.dwSize = sizeof(pe);
    PFN_PROCESSWALK pfnFirst = (PFN_PROCESSWALK)(void *)g_pfnToolhelp[3];
    PFN_PROCESSWALK pfnNext = (PFN_PROCESSWALK)(void *)g_pfnToolhelp[4];
    for (BOOL bMore = pfnFirst(hSnap.Get(), &pe); bMore; bMore = pfnNext(hSnap.Get(), &pe)) {
        if (pe.th32ProcessID == 0 || pe.th32ProcessID == GetCurrentProcessId())
            continue;
        char szFull[kcchPath];
        fnProcessImagePath(pe.th32ProcessID, szFull, COUNTOF(szFull));
        if (!fnProcessNameMatches(pszName, pe.szExeFile, szFull, bFileNamePart))
            continue;
        if (bExcludeServices && fnIsProcessAService(pe.th32ProcessID))
            continue;
        return pe.th32ProcessID;
    }
    return 0;
}

static LONG fnQueryPerfValue(const char *pszValue, BYTE *pbData, DWORD *pcbData)
{
    if (g_pfnQueryPerfData)
        return g_pfnQueryPerfData(pszValue, pbData, pcbData);
    DWORD dwType = 0;
    return RegQueryValueExA(HKEY_PERFORMANCE_DATA, pszValue, NULL, &dwType, pbData, pcbData);
}

// A performance-data value, in a buffer grown while the answer is "more data".
static BYTE *fnQueryPerfData(const char *pszValue, CGlobalBlock *pBlock)
{
    BYTE *pbFound = NULL;
    for (DWORD cbBuf = kcbPerfStart; cbBuf < kcbPerfMost; cbBuf += kcbPerfGrow) {
        BYTE *pb = (BYTE *)pBlock->fnAlloc(cbBuf + 2);  // zeroed: the texts end even when the data does not
        if (!pb)
            break;
        DWORD cb = cbBuf;
        LONG lErr = fnQueryPerfValue(pszValue, pb, &cb);
        if (lErr == ERROR_SUCCESS) {
            pbFound = pb;
            break;
        }
        if (lErr != ERROR_MORE_DATA)
            break;
    }
    if (!g_pfnQueryPerfData)
        RegCloseKey(HKEY_PERFORMANCE_DATA);
    return pbFound;
}

int fnGetNTPerfIndex(char *pszObject, size_t cchObject, DWORD *pdwCounter)
{
    TRACE("fnGetNTPerfIndex", "%s", "Counter 009");
    CGlobalBlock block;
    const char *psz = (const char *)fnQueryPerfData("Counter 009", &block);
    if (!psz)
        return 0;
    int bObject = 0, bCounter = 0;
    // Pairs of NUL-terminated texts: an index, then its English name.
    while (*psz && !(bObject && bCounter)) {
        const char *pszIndex = psz;
        const char *pszText = pszIndex + strlen(pszIndex) + 1;
        if (!*pszText)
            break;
        if (!bObject && strcmp(pszText, "Process") == 0)
            bObject = fnCopyText(pszObject, cchObject, pszIndex);
        else if (!bCounter && strcmp(pszText, "ID Process") == 0) {
            *pdwCounter = fnDecimalValue(pszIndex);
            bCounter = 1;
        }
        psz = pszText + strlen(pszText) + 1;
    }
    return bObject && bCounter;
}

int fnGetNTProcessFullName(DWORD dwPid, char *pszFull, size_t cchFull, char *pszName, size_t cchName)
{
    int bRead = fnProcessImagePath(dwPid, pszFull, cchFull) && pszFull[0];
    if (!bRead)
        fnCopyText(pszFull, cchFull, kszUnknown);
    fnCopyText(pszName, cchName, fnFileNamePart(pszFull));
    return bRead;
}

// The first object's counter at the given name index: its offset in each
// instance's counter block, or -1.
static long fnPerfCounterOffset(const PERF_OBJECT_TYPE *pObject, DWORD dwCounter)
{
    const BYTE *pb = (const BYTE *)pObject + pObject->HeaderLength;
    for (DWORD i = 0; i < pObject->NumCounters; i++) {
        const PERF_COUNTER_DEFINITION *pDef = (const PERF_COUNTER_DEFINITION *)pb;
        if (pDef->CounterNameTitleIndex == dwCounter)
            return (long)pDef->CounterOffset;
        pb += pDef->ByteLength;
    }
    return -1;
}

int fnWalkNTProcessInfo(DWORD *pdwPid, const char *pszName, char *pszFull, size_t cchFull, BOOL bFileNamePart,
                        BOOL bExcludeServices)
{
    TRACE("fnWalkNTProcessInfo", "dwPid=%lu,\nlpszName=%s,\nbFileName=%d,\nbNoServices=%d", *pdwPid,
          pszName ? pszName : "", bFileNamePart, bExcludeServices);
    char szObject[16];
    DWORD dwCounter = 0;
    if (!fnGetNTPerfIndex(szObject, COUNTOF(szObject), &dwCounter))
        return 0;
    CGlobalBlock block;
    const BYTE *pb = fnQueryPerfData(szObject, &block);
    const PERF_DATA_BLOCK *pData = (const PERF_DATA_BLOCK *)pb;
    if (!pData || memcmp(pData->Signature, L"PERF", 8) != 0 || pData->NumObjectTypes == 0)
        return 0;
    const PERF_OBJECT_TYPE *pObject = (const PERF_OBJECT_TYPE *)(pb + pData->HeaderLength);
    long lOffset = fnPerfCounterOffset(pObject, dwCounter);
    if (lOffset < 0)
        return 0;
    const BYTE *pInst = (const BYTE *)pObject + pObject->DefinitionLength;
    for (LONG i = 0; i < pObject->NumInstances; i++) {
        const PERF_INSTANCE_DEFINITION *pDef = (const PERF_INSTANCE_DEFINITION *)pInst;
        const PERF_COUNTER_BLOCK *pCounters = (const PERF_COUNTER_BLOCK *)(pInst + pDef->ByteLength);
        DWORD dwPid = *(const DWORD *)((const BYTE *)pCounters + lOffset);
        if (dwPid == 0)
            dwPid = (DWORD)-2;
        pInst = (const BYTE *)pCounters + pCounters->ByteLength;
        char szName[kcchProcessName];
        if (*pdwPid && *pdwPid == dwPid) {
            fnGetNTProcessFullName(dwPid, pszFull, cchFull, szName, COUNTOF(szName));
            return 1;
        }
        if (!pszName || !pszName[0] || dwPid == GetCurrentProcessId())
            continue;
        if (!fnGetNTProcessFullName(dwPid, pszFull, cchFull, szName, COUNTOF(szName)))
            continue;
        if (!fnProcessNameMatches(pszName, "", pszFull, bFileNamePart))
            continue;
        if (bExcludeServices && fnIsProcessAService(dwPid))
            continue;
        *pdwPid = dwPid;
        return 1;
    }
    return 0;
}

int fnIsProcessAService(DWORD dwPid)
{
    CHandle hProcess(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, dwPid));
    if (!hProcess.IsValid())
        return 0;
    HANDLE hTokenRaw = NULL;
    if (!OpenProcessToken(hProcess.Get(), TOKEN_QUERY, &hTokenRaw))
        return 0;
    CHandle hToken(hTokenRaw);
    DWORD cb = 0;
    GetTokenInformation(hToken.Get(), TokenGroups, NULL, 0, &cb);
    CGlobalBlock block;
    TOKEN_GROUPS *pGroups = cb ? (TOKEN_GROUPS *)block.fnAlloc(cb) : NULL;
    if (!pGroups || !GetTokenInformation(hToken.Get(), TokenGroups, pGroups, cb, &cb))
        return 0;
    SID_IDENTIFIER_AUTHORITY auth = SECURITY_NT_AUTHORITY;
    PSID pInteractive = NULL, pService = NULL;
    if (!AllocateAndInitializeSid(&auth, 1, SECURITY_INTERACTIVE_RID, 0, 0, 0, 0, 0, 0, 0, &pInteractive))
        return 0;
    if (!AllocateAndInitializeSid(&auth, 1, SECURITY_SERVICE_RID, 0, 0, 0, 0, 0, 0, 0, &pService)) {
        FreeSid(pInteractive);
        return 0;
    }
    int bService = 1;
    for (DWORD i = 0; i < pGroups->GroupCount; i++) {
        if (EqualSid(pGroups->Groups[i].Sid, pInteractive)) {
            bService = 0;
            break;
        }
        if (EqualSid(pGroups->Groups[i].Sid, pService))
            break;
    }
    FreeSid(pInteractive);
    FreeSid(pService);
    return bService;
}

DWORD fnFindRunningProcess(const char *pszName, BOOL bFileNamePart, BOOL bExcludeServices)
{
    if (!pszName || !pszName[0])
        return 0;
    if (fnToolhelpAvailable())
        return fnFindProcessTH(pszName, bFileNamePart, bExcludeServices);
    DWORD dwPid = 0;
    char szFull[kcchPath];
    if (fnWalkNTProcessInfo(&dwPid, pszName, szFull, COUNTOF(szFull), bFileNamePart, bExcludeServices))
        return dwPid;
    return 0;
}

int fnTestForRunningExec(const char *pszName)
{
    TRACE("fnTestForRunningExec", "lpszName=%s", pszName);
    return fnFindRunningProcess(pszName, TRUE, TRUE) != 0;
}

int fnTestForRunningExecPath(const char *pszName)
{
    TRACE("fnTestForRunningExecPath", "lpszName=%s", pszName);
    return fnFindRunningProcess(pszName, FALSE, TRUE) != 0;
}

int fnIsExecRunning(const char *pszName)
{
    return fnTestForRunningExec(pszName) || fnTestForRunningExecPath(pszName);
}

int fnCloseProcess(DWORD dwPid)
{
    TRACE("fnCloseProcess", "dwPid=%lu", dwPid);
    CHandle hProcess(OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, dwPid));
    if (!hProcess.IsValid()) {
        TRACE("fnCloseProcess", "Error %lu opening process %lu", GetLastError(), dwPid);
        return 0;
    }
    DWORD dwExit = 0;
    if (!GetExitCodeProcess(hProcess.Get(), &dwExit))
        dwExit = (DWORD)-1;
    return TerminateProcess(hProcess.Get(), dwExit) ? 1 : 0;
}

struct ProcessWindowStruct {
    DWORD dwPid;          // the process whose window is looked for, or 0
    const char *pszPath;  // else the full path of its program
    HWND hwndFound;
};

static BOOL CALLBACK fnFindProcessWindowProc(HWND hwnd, LPARAM lParam)
{
    ProcessWindowStruct *pFind = (ProcessWindowStruct *)lParam;
    // Hidden helper windows (input-method windows and the like) cannot take
    // a close request for the program.
    if (!IsWindowVisible(hwnd))
        return TRUE;
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hwnd, &dwPid);
    int bMatch = pFind->dwPid ? dwPid == pFind->dwPid : 0;
    if (!pFind->dwPid && dwPid != GetCurrentProcessId()) {
        char szFull[kcchPath], szName[kcchProcessName];
        bMatch = fnGetNTProcessFullName(dwPid, szFull, COUNTOF(szFull), szName, COUNTOF(szName)) &&
                 fnTextEqualI(szFull, pFind->pszPath);
    }
    if (!bMatch)
        return TRUE;
    pFind->hwndFound = hwnd;
    return FALSE;
}

int fnCloseRunningExec(const char *pszExec, BOOL bTerminateFirst)
{
    TRACE("fnCloseRunningExec", "lpszExec=%s,\nbTerminate=%d", pszExec, bTerminateFirst);
    if (bTerminateFirst) {
        DWORD dwPid = fnFindRunningProcess(pszExec, FALSE, TRUE);
        if (dwPid && fnCloseProcess(dwPid))
            return 1;
    }
    ProcessWindowStruct find = {0, pszExec, NULL};
    if (fnToolhelpAvailable()) {
        find.dwPid = fnFindProcessTH(pszExec, FALSE, TRUE);
        if (!find.dwPid)
            return 0;
    }
    EnumWindows(fnFindProcessWindowProc, (LPARAM)&find);
    if (!find.hwndFound)
        return 0;
    // Only a window that can take the request: not owned, not disabled by a dialog.
    if (IsWindow(find.hwndFound) && !GetWindow(find.hwndFound, GW_OWNER) && IsWindowEnabled(find.hwndFound))
        PostMessageA(find.hwndFound, WM_CLOSE, 0, 0);
    return 1;
}

int fnWaitWhileRunning(const char *pszExec, DWORD dwMs)
{
    DWORD dwStart = GetTickCount();
    while (fnTestForRunningExecPath(pszExec)) {
        if (GetTickCount() - dwStart >= dwMs)
            return 0;
        fnWaitPumping(100);
    }
    return 1;
}
