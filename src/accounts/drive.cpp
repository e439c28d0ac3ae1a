#include "accounts/drive.h"

#include <windows.h>
#include <winnetwk.h>

#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"

namespace {

// Right after logon the network may not be there yet: a few tries, a second apart.
const int kiTries = 3;
const DWORD kdwRetryMs = 1000;

// Asks who holds the drive, waiting a little for the network, then drops
// the drive's connection.
void fnFreeDrive(const char *pszDrive)
{
    char szUser[kcchPath];
    for (int iTry = 1; iTry <= kiTries; iTry++) {
        TRACE("fnNetMapDrive - WNetGetUser Call", "\nGet active user attempt number %d", iTry);
        DWORD cchUser = COUNTOF(szUser);
        if (WNetGetUserA(pszDrive, szUser, &cchUser) != ERROR_NO_NETWORK)
            break;
        if (iTry < kiTries)
            fnWaitPumping(kdwRetryMs);
    }
    DWORD dwResult = WNetCancelConnection2A(pszDrive, 0, FALSE);
    if (dwResult == NO_ERROR)
        TRACE("fnNetMapDrive - WNetCancelConnection2", "Success!\n%s disconnected.", pszDrive);
    else if (dwResult != ERROR_NOT_CONNECTED)
        TRACE("fnNetMapDrive - WNetCancelConnection2", "Error!\ndwResult=%lu, lpszDrive=%s.", dwResult, pszDrive);
}

}  // namespace

int fnNetMapDrive(const char *pszDrive, const char *pszShare, const char *pszUser, const char *pszPassword)
{
    if (pszDrive && pszDrive[0])
        fnFreeDrive(pszDrive);
    TRACE("fnNetMapDrive - WNetAddConnection2", "User %s\nattempting to map\n%s to %s", pszUser, pszShare, pszDrive);

    NETRESOURCEA resource = {};
    resource.dwType = RESOURCETYPE_DISK;
    resource.dwUsage = RESOURCEUSAGE_CONNECTABLE;
    resource.lpLocalName = pszDrive && pszDrive[0] ? (LPSTR)pszDrive : NULL;
    resource.lpRemoteName = (LPSTR)pszShare;
    // No user: no user name, and an empty password is then no password; a
    // password alone is the current user's password for the share.
    const char *pszUserArg = pszUser && pszUser[0] ? pszUser : NULL;
    const char *pszPasswordArg = pszPassword && (pszPassword[0] || pszUserArg) ? pszPassword : NULL;
    for (int iTry = 1; iTry <= kiTries; iTry++) {
        TRACE("fnNetMapDrive - WNetAddConnection2 Call", "\nUser %s attempt number %d to  map %s to %s", pszUser, iTry,
              pszShare, pszDrive);
        DWORD dwResult = WNetAddConnection2A(&resource, pszPasswordArg, pszUserArg, 0);
        if (dwResult == NO_ERROR) {
            TRACE("fnNetMapDrive - WNetAddConnection2", "Success!\ndwResult=%lu.\nUser %s\nmapped\n%s to %s", dwResult,
                  pszUser, pszShare, pszDrive);
            return 1;
        }
        TRACE("fnNetMapDrive - WNetAddConnection2", "Error!\ndwResult=%lu.\nUser %s\nfailed to map\n%s to %s",
              dwResult, pszUser, pszShare, pszDrive);
        if (dwResult != ERROR_NO_NETWORK)
            return 0;
        if (iTry < kiTries)
            fnWaitPumping(kdwRetryMs);
    }
    return 0;
}
