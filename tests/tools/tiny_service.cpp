// A service that does nothing: it reports running until it is told to stop.
// The end-to-end tests install it with the service manager to have a service
// of their own to start, stop and reconfigure.
#include <windows.h>

static SERVICE_STATUS_HANDLE g_hStatus;
static SERVICE_STATUS g_status;
static HANDLE g_hStop;

static void fnReport(DWORD dwState)
{
    g_status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    g_status.dwCurrentState = dwState;
    g_status.dwControlsAccepted = dwState == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
    g_status.dwWin32ExitCode = NO_ERROR;
    g_status.dwWaitHint = dwState == SERVICE_RUNNING || dwState == SERVICE_STOPPED ? 0 : 3000;
    g_status.dwCheckPoint = dwState == SERVICE_RUNNING || dwState == SERVICE_STOPPED ? 0 : g_status.dwCheckPoint + 1;
    SetServiceStatus(g_hStatus, &g_status);
}

static DWORD WINAPI fnControl(DWORD dwControl, DWORD, LPVOID, LPVOID)
{
    if (dwControl == SERVICE_CONTROL_STOP) {
        fnReport(SERVICE_STOP_PENDING);
        SetEvent(g_hStop);
    }
    return NO_ERROR;
}

static void WINAPI fnServiceMain(DWORD, LPSTR *)
{
    g_hStatus = RegisterServiceCtrlHandlerExA("", fnControl, NULL);
    if (!g_hStatus)
        return;
    g_hStop = CreateEventA(NULL, TRUE, FALSE, NULL);
    fnReport(SERVICE_START_PENDING);
    fnReport(SERVICE_RUNNING);
    WaitForSingleObject(g_hStop, INFINITE);
    fnReport(SERVICE_STOPPED);
}

int main()
{
    char szName[] = "";
    SERVICE_TABLE_ENTRYA aTable[] = {{szName, fnServiceMain}, {NULL, NULL}};
    return StartServiceCtrlDispatcherA(aTable) ? 0 : 1;
}
