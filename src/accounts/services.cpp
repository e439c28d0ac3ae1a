#include "accounts/services.h"

#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"

namespace {

// However often a service reports progress, no wait lasts longer than this.
const DWORD kdwServiceWaitCapMs = 5 * 60 * 1000;

// Waits while the service is in dwPending; 1 when it ends in dwWanted. A
// status that cannot be read is a failure, never taken for the wanted state.
int fnWaitServiceState(SC_HANDLE hService, DWORD dwPending, DWORD dwWanted)
{
    SERVICE_STATUS status;
    if (!QueryServiceStatus(hService, &status))
        return 0;
    DWORD dwStart = GetTickCount();
    DWORD dwLastAdvance = dwStart;
    DWORD dwCheckPoint = status.dwCheckPoint;
    while (status.dwCurrentState == dwPending) {
        // A tenth of the service's own estimate, between 1 and 10 seconds.
        DWORD dwWait = status.dwWaitHint / 10;
        dwWait = dwWait < 1000 ? 1000 : dwWait > 10000 ? 10000 : dwWait;
        fnWaitPumping(dwWait);
        if (!QueryServiceStatus(hService, &status))
            return 0;
        DWORD dwNow = GetTickCount();
        if (status.dwCheckPoint > dwCheckPoint) {
            dwCheckPoint = status.dwCheckPoint;
            dwLastAdvance = dwNow;
        } else if (dwNow - dwLastAdvance > status.dwWaitHint) {
            break;
        }
        if (dwNow - dwStart > kdwServiceWaitCapMs)
            break;
    }
    return status.dwCurrentState == dwWanted;
}

}  // namespace

int fnStartService(SC_HANDLE hService)
{
    SERVICE_STATUS status;
    if (QueryServiceStatus(hService, &status) && status.dwCurrentState == SERVICE_RUNNING)
        return 1;
    // A refused request is not the end: the state decides.
    if (!StartServiceA(hService, 0, NULL))
        TRACE("fnStartService", "StartService dwError=%lu", GetLastError());
    return fnWaitServiceState(hService, SERVICE_START_PENDING, SERVICE_RUNNING);
}

int fnStopService(SC_HANDLE hService)
{
    SERVICE_STATUS status;
    if (QueryServiceStatus(hService, &status) && status.dwCurrentState == SERVICE_STOPPED)
        return 1;
    if (!ControlService(hService, SERVICE_CONTROL_STOP, &status)) {
        TRACE("fnStopService", "ControlService dwError=%lu", GetLastError());
        return 0;
    }
    return fnWaitServiceState(hService, SERVICE_STOP_PENDING, SERVICE_STOPPED);
}

SC_HANDLE fnOpenService(const char *pszName, BOOL bStart, BOOL bStop)
{
    SC_HANDLE hService = NULL;
    {
        CServiceHandle hManager(OpenSCManagerA(NULL, SERVICES_ACTIVE_DATABASEA, SC_MANAGER_ALL_ACCESS));
        if (hManager.Get())
            hService = OpenServiceA(hManager.Get(), pszName, SERVICE_ALL_ACCESS);
    }
    if (!hService) {
        TRACE("fnOpenService", "Error getting service %s, dwError=%lu", pszName, GetLastError());
        return NULL;
    }
    if (bStart)
        fnStartService(hService);
    if (bStop)
        fnStopService(hService);
    return hService;
}

int fnChangeServiceStart(const char *pszName, int iStartType)
{
    CServiceHandle hService(fnOpenService(pszName, FALSE, FALSE));
    if (!hService.Get()) {
        TRACE("fnChangeServiceStart", "Error getting service %s", pszName);
        return 0;
    }
    DWORD dwStart = iStartType < 0 ? SERVICE_NO_CHANGE : (DWORD)iStartType;
    if (!ChangeServiceConfigA(hService.Get(), SERVICE_NO_CHANGE, dwStart, SERVICE_NO_CHANGE, NULL, NULL, NULL, NULL,
                              NULL, NULL, NULL)) {
        TRACE("fnChangeServiceStart ChangeServiceConfig", "Error %lu when changing service %s", GetLastError(), pszName);
        return 0;
    }
    TRACE("fnChangeServiceStart ChangeServiceConfig", "Successfully changed service %s", pszName);
    return 1;
}

int fnEnableMSWiFiConfig(BOOL bEnable)
{
    CServiceHandle hService(fnOpenService("WZCSVC", FALSE, FALSE));
    if (!hService.Get()) {
        TRACE("fnEnableMSWiFiConfig", "Error getting WZCSVC");
        return 0;
    }
    const DWORD kdwManaged = 0x8000;
    int bFound = 0;
    BOOL bChanged = FALSE;
    CRegKey hInterfaces;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces", 0, KEY_READ,
                      hInterfaces.Out()) == ERROR_SUCCESS) {
        char szName[kcchLine];
        for (DWORD dwIndex = 0;; dwIndex++) {
            DWORD cchName = COUNTOF(szName);
            if (RegEnumKeyExA(hInterfaces.Get(), dwIndex, szName, &cchName, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
                break;
            CRegKey hKey;
            if (RegOpenKeyExA(hInterfaces.Get(), szName, 0, KEY_READ | KEY_WRITE, hKey.Out()) != ERROR_SUCCESS)
                continue;
            DWORD dwFlags = 0, dwType = 0, cbFlags = sizeof(dwFlags);
            if (RegQueryValueExA(hKey.Get(), "ControlFlags", NULL, &dwType, (BYTE *)&dwFlags, &cbFlags) !=
                    ERROR_SUCCESS ||
                dwType != REG_DWORD)
                continue;
            bFound = 1;
            if (((dwFlags & kdwManaged) != 0) == (bEnable != FALSE))
                continue;
            if (!bChanged) {
                TRACE("fnEnableMSWiFiConfig", "Found interface, changing setting");
                fnStopService(hService.Get());
                bChanged = TRUE;
            }
            dwFlags = bEnable ? (dwFlags | kdwManaged) : (dwFlags & ~kdwManaged);
            RegSetValueExA(hKey.Get(), "ControlFlags", 0, REG_DWORD, (const BYTE *)&dwFlags, sizeof(dwFlags));
        }
    }
    if (bChanged)
        fnStartService(hService.Get());
    if (!bEnable)
        fnStopService(hService.Get());
    TRACE("fnEnableMSWiFiConfig", "Done");
    return bFound;
}
