#include "accounts/domain.h"

#include <lm.h>

#include "accounts/account_text.h"
#include "base/account.h"
#include "base/registry.h"
#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"

namespace {

typedef NET_API_STATUS(WINAPI *PFN_NetGetJoinInformation)(LPCWSTR, LPWSTR *, PNETSETUP_JOIN_STATUS);
typedef NET_API_STATUS(WINAPI *PFN_NetApiBufferFree)(LPVOID);
typedef NET_API_STATUS(WINAPI *PFN_NetJoinDomain)(LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, DWORD);
typedef NET_API_STATUS(WINAPI *PFN_NetUnjoinDomain)(LPCWSTR, LPCWSTR, LPCWSTR, DWORD);
typedef NET_API_STATUS(WINAPI *PFN_NetRenameMachineInDomain)(LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, DWORD);

const char kszNetApi[] = "NETAPI32.DLL";
const char kszActiveName[] = "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ActiveComputerName";
const DWORD kdwJoinPauseMs = 5000;

const DWORD
    kJoinDomain = 0x1,            // join a domain, not a workgroup
    kJoinCreateAccount = 0x2,     // make the computer account
    kJoinEvenIfJoined = 0x20,     // also when joined already
    kJoinDeferSpnSet = 0x100,     // the name change updates the service names later
    kUnjoinDeleteAccount = 0x4,   // leaving disables the computer account
    kRenameCreateAccount = 0x2;

// A UTF-16 text (NULL when empty: "none" for the network functions), wiped
// when it goes out of scope because it may hold a password.
struct WideArg {
    WCHAR wsz[kcchNetName];
    BOOL bOk;
    explicit WideArg(const char *pszText) { bOk = fnToWide(pszText, wsz, COUNTOF(wsz)); }
    ~WideArg() { SecureZeroMemory(wsz, sizeof(wsz)); }
    LPCWSTR Arg() const { return wsz[0] ? wsz : NULL; }
    WideArg(const WideArg &) = delete;
    WideArg &operator=(const WideArg &) = delete;
};

// One join attempt; an empty user passes neither account nor password.
NET_API_STATUS fnJoinOnce(PFN_NetJoinDomain pfnJoin, const WideArg &domain, const WideArg &ou, const WideArg &user,
                          const WideArg &password, DWORD dwOptions)
{
    return pfnJoin(NULL, domain.wsz, ou.Arg(), user.Arg(), user.Arg() ? password.Arg() : NULL, dwOptions);
}

}  // namespace

int fnSetComputerName(const char *pszName)
{
    typedef BOOL(WINAPI * PFN_SetComputerNameExA)(COMPUTER_NAME_FORMAT, LPCSTR);
    CModule hKernel(fnLoadSystemLibrary("fnSetComputerName", "KERNEL32.DLL"));
    auto pfnSetEx = fnEntryOf<PFN_SetComputerNameExA>(hKernel.Get(), "fnSetComputerName", "SetComputerNameExA");
    // The DNS host name; Windows derives the NetBIOS name from it.
    BOOL bOk = pfnSetEx ? pfnSetEx(ComputerNamePhysicalDnsHostname, pszName) : SetComputerNameA(pszName);
    TRACE("fnSetComputerName", "szName=%s,\nbOk=%d,\ndwError=%lu", pszName, bOk, bOk ? 0ul : GetLastError());
    return bOk ? 1 : 0;
}

int fnIsComputerInDomain(const char *pszDomain)
{
    const char *pszOp = "fnIsComputerInDomain";
    CModule hNet(fnLoadSystemLibrary(pszOp, kszNetApi));
    auto pfnInfo = fnEntryOf<PFN_NetGetJoinInformation>(hNet.Get(), pszOp, "NetGetJoinInformation");
    auto pfnFree = fnEntryOf<PFN_NetApiBufferFree>(hNet.Get(), pszOp, "NetApiBufferFree");
    if (!pfnInfo || !pfnFree)
        return 0;
    LPWSTR pwszName = NULL;
    NETSETUP_JOIN_STATUS eStatus = NetSetupUnknownStatus;
    int bRC = pfnInfo(NULL, &pwszName, &eStatus) == NERR_Success && eStatus == NetSetupDomainName;
    char szName[kcchNetName * 2] = "";
    if (pwszName) {
        WideCharToMultiByte(CP_ACP, 0, pwszName, -1, szName, sizeof(szName), NULL, NULL);
        pfnFree(pwszName);
    }
    TRACE(bRC ? "fnIsComputerInDomain success - is in domain" : "fnIsComputerInDomain error - computer is NOT in domain",
          "bRC=%d, lpszDomain=%s, szInDomain=%s", bRC, pszDomain ? pszDomain : "", szName);
    return bRC;
}

int fnRenameComputerInDomain(const char *pszDomain, const char *pszNewName, const char *pszUser,
                             const char *pszPassword)
{
    const char *pszOp = "fnRenameComputerInDomain";
    char szUser[kcchNetName];
    fnQualifyUser(pszUser, pszDomain, 1, szUser, COUNTOF(szUser));
    TRACE("fnRenameComputerInDomain NetRenameMachineInDomain Call", "szComputerName=%s, szUserName=%s, szDomain=%s",
          pszNewName, szUser, pszDomain);
    CModule hNet(fnLoadSystemLibrary(pszOp, kszNetApi));
    auto pfnRename = fnEntryOf<PFN_NetRenameMachineInDomain>(hNet.Get(), pszOp, "NetRenameMachineInDomain");
    if (!hNet.Get() || !fnLibraryEntry(hNet.Get(), pszOp, "NetApiBufferFree"))
        return 0;
    WideArg name(pszNewName), user(szUser), password(pszPassword);
    if (!pfnRename || !name.bOk || !user.bOk || !password.bOk)
        return 0;
    NET_API_STATUS nStatus = pfnRename(NULL, name.Arg(), user.Arg(), password.Arg(), kRenameCreateAccount);
    TRACE(nStatus == NERR_Success ? "fnRenameComputerInDomain NetRenameMachineInDomain Success"
                                  : "fnRenameComputerInDomain NetRenameMachineInDomain Error",
          "nStatus=%lu %s", (unsigned long)nStatus, fnNetStatusText(nStatus));
    return nStatus == NERR_Success;
}

int fnUnJoinDomain(const char *pszDomain, const char *pszUser, const char *pszPassword)
{
    const char *pszOp = "fnUnJoinDomain";
    char szUser[kcchNetName];
    fnQualifyUser(pszUser, pszDomain, 0, szUser, COUNTOF(szUser));
    CModule hNet(fnLoadSystemLibrary(pszOp, kszNetApi));
    auto pfnUnjoin = fnEntryOf<PFN_NetUnjoinDomain>(hNet.Get(), pszOp, "NetUnjoinDomain");
    WideArg user(szUser), password(pszPassword);
    if (!pfnUnjoin || !user.bOk || !password.bOk)
        return 0;
    NET_API_STATUS nStatus = pfnUnjoin(NULL, user.Arg(), password.Arg(), kUnjoinDeleteAccount);
    if (nStatus == kNetNotJoined) {
        TRACE("fnUnJoinDomain NetUnjoinDomain Not in domain", "lpszDomain=%s", pszDomain);
        return 1;
    }
    TRACE(nStatus == NERR_Success ? "fnUnJoinDomain NetUnjoinDomain Success" : "fnUnJoinDomain NetUnjoinDomain Error",
          "nStatus=%lu %s, lpszDomain=%s, szUserName=%s", (unsigned long)nStatus, fnNetStatusText(nStatus), pszDomain,
          szUser);
    return nStatus == NERR_Success;
}

// Sets the new name and records it as the active one; the name it replaces
// goes to pszSaved (empty when none could be read).
static void fnJoinSetName(const char *pszNewName, char *pszSaved, size_t cchSaved)
{
    pszSaved[0] = '\0';
    TRACE("fnJoinDomain SetComputerName Call", "szComputerName=%s", pszNewName);
    if (!fnSetComputerName(pszNewName)) {
        TRACE("fnJoinDomain fnSetComuterName Error", "szComputerName=%s", pszNewName);
        return;
    }
    TRACE("fnJoinDomain fnSetComuterName Success", "szComputerName=%s", pszNewName);
    DWORD dwType = 0;
    if (!fnGetRegistryByValue(HKEY_LOCAL_MACHINE, &dwType, kszActiveName, "ComputerName", pszSaved, cchSaved,
                              kRegTextRaw))
        TRACE("fnJoinDomain error reading ActiveComputerName", "szComputerName=%s", pszNewName);
    TRACE("fnJoinDomain set ActiveComputerName", "szComputerName=%s", pszNewName);
    if (!fnRegOpenAndSet(HKEY_LOCAL_MACHINE, kszActiveName, "ComputerName", pszNewName, REG_SZ, FALSE))
        TRACE("fnJoinDomain error setting ActiveComputerName", "szComputerName=%s", pszNewName);
}

int fnJoinDomain(const char *pszDomain, const char *pszOU, const char *pszNewName, const char *pszUser,
                 const char *pszPassword, BOOL bTestJoined)
{
    const char *pszOp = "fnJoinDomain";
    char szUser[kcchNetName];
    fnQualifyUser(pszUser, pszDomain, 0, szUser, COUNTOF(szUser));
    CModule hNet(fnLoadSystemLibrary(pszOp, kszNetApi));
    auto pfnJoin = fnEntryOf<PFN_NetJoinDomain>(hNet.Get(), pszOp, "NetJoinDomain");
    WideArg domain(pszDomain), ou(pszOU), user(szUser), password(pszPassword);
    if (!pfnJoin || !domain.bOk || !ou.bOk || !user.bOk || !password.bOk)
        return 0;

    BOOL bRename = pszNewName && pszNewName[0];
    char szSaved[kcchPath] = "";
    if (bRename)
        fnJoinSetName(pszNewName, szSaved, COUNTOF(szSaved));
    BOOL bJoined = bTestJoined && bRename && fnIsComputerInDomain(pszDomain);
    if (!bJoined) {
        TRACE("fnJoinDomain NetJoinDomain call", "szUserName=%s, lpszDomain=%s, lpszOU=%s", szUser, pszDomain,
              pszOU ? pszOU : "");
        DWORD dwDefer = bRename ? kJoinDeferSpnSet : 0;
        DWORD dwFirst = bTestJoined ? (kJoinDomain | kJoinCreateAccount | kJoinEvenIfJoined | dwDefer) : 0;
        NET_API_STATUS nStatus = fnJoinOnce(pfnJoin, domain, ou, user, password, dwFirst);
        if (nStatus != NERR_Success) {
            TRACE(nStatus == kNetUserExists || nStatus == kNetAlreadyJoined
                      ? "fnJoinDomain NetJoinDomain Account Exists - try again"
                      : "fnJoinDomain NetJoinDomain Error - try again",
                  "nStatus=%lu %s", (unsigned long)nStatus, fnNetStatusText(nStatus));
            fnWaitPumping(kdwJoinPauseMs);
            // Again without making the account (it may exist already).
            nStatus = fnJoinOnce(pfnJoin, domain, ou, user, password, kJoinDomain | kJoinEvenIfJoined | dwDefer);
        }
        if (nStatus != NERR_Success) {
            fnWaitPumping(kdwJoinPauseMs);
            TRACE("fnJoinDomain NetJoinDomain Error - try without rename", "nStatus=%lu", (unsigned long)nStatus);
            bRename = FALSE;
            nStatus = fnJoinOnce(pfnJoin, domain, ou, user, password, kJoinDomain | kJoinEvenIfJoined);
            if (nStatus == kNetUserExists || nStatus == kNetAlreadyJoined) {
                TRACE("fnJoinDomain NetJoinDomain Account Exists", "nStatus=%lu", (unsigned long)nStatus);
            } else if (nStatus != NERR_Success) {
                TRACE("fnJoinDomain NetJoinDomain Error", "nStatus=%lu %s", (unsigned long)nStatus,
                      fnNetStatusText(nStatus));
                if (szSaved[0]) {
                    TRACE("fnJoinDomain NetJoinDomain Error reset ActiveComputerName", "szSaveName=%s", szSaved);
                    fnRegOpenAndSet(HKEY_LOCAL_MACHINE, kszActiveName, "ComputerName", szSaved, REG_SZ, FALSE);
                }
                return 0;
            }
        } else {
            TRACE("fnJoinDomain NetJoinDomain Success", "lpszDomain=%s", pszDomain);
        }
        fnWaitPumping(kdwJoinPauseMs);
    }
    if (bRename) {
        int bRC = fnRenameComputerInDomain(pszDomain, pszNewName, pszUser, pszPassword);
        TRACE(bRC ? "fnJoinDomain NetRenameMachineInDomain Success" : "fnJoinDomain NetRenameMachineInDomain Error",
              "bRC=%d, lpszComputerName=%s, lpszDomain=%s", bRC, pszNewName, pszDomain);
    }
    return 1;
}
