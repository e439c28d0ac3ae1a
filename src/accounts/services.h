// Windows services: open, start, stop, start type, and the wireless
// configuration service's control of the wireless interfaces.
#ifndef SETUP32_ACCOUNTS_SERVICES_H
#define SETUP32_ACCOUNTS_SERVICES_H

#include <windows.h>

SC_HANDLE fnOpenService(const char *pszName, BOOL bStart, BOOL bStop);  // the service (CloseServiceHandle it), or NULL; starts/stops it when asked, whatever comes of that
int fnStartService(SC_HANDLE hService);  // 1 it runs (at once when it already did), 0 not; waits bounded while it starts
int fnStopService(SC_HANDLE hService);   // 1 it is stopped (at once when it already was), 0 not; waits bounded while it stops
int fnChangeServiceStart(const char *pszName, int iStartType);  // start type 2 auto, 3 on demand, 4 disabled, -1 unchanged; 1 the change call succeeded
int fnEnableMSWiFiConfig(BOOL bEnable);  // 1 at least one wireless interface had the control flag, 0 none (or no WZCSVC)

#endif
