#include "accounts/local_users.h"

#include <lm.h>
#include <sddl.h>

#include "accounts/account_text.h"
#include "accounts/policy_dialog.h"
#include "base/account.h"
#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"

namespace {

typedef NET_API_STATUS(WINAPI *PFN_NetUserAdd)(LPCWSTR, DWORD, LPBYTE, LPDWORD);
typedef NET_API_STATUS(WINAPI *PFN_NetUserDel)(LPCWSTR, LPCWSTR);
typedef NET_API_STATUS(WINAPI *PFN_NetUserGetInfo)(LPCWSTR, LPCWSTR, DWORD, LPBYTE *);
typedef NET_API_STATUS(WINAPI *PFN_NetUserSetInfo)(LPCWSTR, LPCWSTR, DWORD, LPBYTE, LPDWORD);
typedef NET_API_STATUS(WINAPI *PFN_NetApiBufferFree)(LPVOID);
typedef NET_API_STATUS(WINAPI *PFN_NetUserGetLocalGroups)(LPCWSTR, LPCWSTR, DWORD, DWORD, LPBYTE *, DWORD, LPDWORD,
                                                          LPDWORD);
typedef NET_API_STATUS(WINAPI *PFN_NetLocalGroupMembers)(LPCWSTR, LPCWSTR, DWORD, LPBYTE, DWORD);
typedef NET_API_STATUS(WINAPI *PFN_NetLocalGroupAdd)(LPCWSTR, DWORD, LPBYTE, LPDWORD);

const char kszNetApi[] = "NETAPI32.DLL";

// A UTF-16 name or password that is wiped when it goes out of scope.
struct WideText {
    WCHAR wsz[kcchNetName];
    BOOL bOk;
    explicit WideText(const char *pszText) { bOk = fnToWide(pszText, wsz, COUNTOF(wsz)); }
    ~WideText() { SecureZeroMemory(wsz, sizeof(wsz)); }
    WideText(const WideText &) = delete;
    WideText &operator=(const WideText &) = delete;
};

// Traces an operation's outcome with the status and its meaning.
void fnTraceStatus(const char *pszName, NET_API_STATUS nStatus, const char *pszUser)
{
    TRACE(pszName, "nStatus=%lu %s,\nlpszUserName=%s", (unsigned long)nStatus, fnNetStatusText(nStatus), pszUser);
}

// The three entry points that read and write an account.
struct UserInfoApi {
    PFN_NetUserGetInfo pfnGet;
    PFN_NetUserSetInfo pfnSet;
    PFN_NetApiBufferFree pfnFree;
};

// 1 all three were found (each missing one traced under pszOp).
int fnUserInfoApi(HMODULE hNet, const char *pszOp, UserInfoApi *pApi)
{
    pApi->pfnGet = fnEntryOf<PFN_NetUserGetInfo>(hNet, pszOp, "NetUserGetInfo");
    pApi->pfnSet = fnEntryOf<PFN_NetUserSetInfo>(hNet, pszOp, "NetUserSetInfo");
    pApi->pfnFree = fnEntryOf<PFN_NetApiBufferFree>(hNet, pszOp, "NetApiBufferFree");
    return pApi->pfnGet && pApi->pfnSet && pApi->pfnFree;
}

// Adds or removes one member of a local group (level 3: "domain\name" or "name").
NET_API_STATUS fnGroupMember(PFN_NetLocalGroupMembers pfn, const WideText &group, const WideText &user)
{
    LOCALGROUP_MEMBERS_INFO_3 member;
    member.lgrmi3_domainandname = (LPWSTR)user.wsz;
    return pfn(NULL, group.wsz, 3, (LPBYTE)&member, 1);
}

}  // namespace

int fnGetLocalGroupName(WCHAR *pwszOut, size_t cchOut, BOOL bAdmins)
{
    // The names differ by the language of Windows; the SIDs do not.
    fnToWide(bAdmins ? "Administrators" : "Users", pwszOut, cchOut);
    PSID pSid = NULL;
    if (!ConvertStringSidToSidW(bAdmins ? L"S-1-5-32-544" : L"S-1-5-32-545", &pSid)) {
        TRACE("fnGetLocalGroupName", "Could not convert string to SID");
        return 0;
    }
    int bRC = 0;
    if (!IsValidSid(pSid)) {
        TRACE("fnGetLocalGroupName", "Not a valid SID");
    } else {
        WCHAR wszName[kcchNetName], wszDomain[kcchNetName];
        DWORD cchName = COUNTOF(wszName), cchDomain = COUNTOF(wszDomain);
        SID_NAME_USE eUse;
        if (LookupAccountSidW(NULL, pSid, wszName, &cchName, wszDomain, &cchDomain, &eUse) && cchName < cchOut) {
            lstrcpynW(pwszOut, wszName, (int)cchOut);
            bRC = 1;
            TRACE("fnGetLocalGroupName success", "bAdmins=%d", bAdmins);
        } else {
            TRACE("fnGetLocalGroupName error use default", "bAdmins=%d", bAdmins);
        }
    }
    LocalFree(pSid);
    return bRC;
}

int fnIsUserMemberOf(const char *pszUser, const char *pszGroup, BOOL *pbMember)
{
    *pbMember = FALSE;
    WCHAR wszAdmins[kcchNetName];
    fnGetLocalGroupName(wszAdmins, COUNTOF(wszAdmins), TRUE);
    CModule hNet(fnLoadSystemLibrary("fnIsUserMemberOf", kszNetApi));
    auto pfnGroups = fnEntryOf<PFN_NetUserGetLocalGroups>(hNet.Get(), "fnIsUserMemberOf", "NetUserGetLocalGroups");
    auto pfnFree = fnEntryOf<PFN_NetApiBufferFree>(hNet.Get(), "fnIsUserMemberOf", "NetApiBufferFree");
    WideText user(pszUser), group(pszGroup);
    if (!pfnGroups || !pfnFree || !user.bOk || !group.bOk)
        return 0;
    LPBYTE pBuffer = NULL;
    DWORD dwRead = 0, dwTotal = 0;
    NET_API_STATUS nStatus =
        pfnGroups(NULL, user.wsz, 0, LG_INCLUDE_INDIRECT, &pBuffer, MAX_PREFERRED_LENGTH, &dwRead, &dwTotal);
    if (nStatus != NERR_Success) {
        TRACE("fnIsUserMemberOf NetUserGetLocalGroups Error", "nStatus=%lu, user %s", (unsigned long)nStatus, pszUser);
        if (pBuffer)
            pfnFree(pBuffer);
        return 0;
    }
    BOOL bAdmin = FALSE;
    const LOCALGROUP_USERS_INFO_0 *pGroups = (const LOCALGROUP_USERS_INFO_0 *)pBuffer;
    for (DWORD i = 0; i < dwRead && !*pbMember; i++) {
        if (lstrcmpiW(pGroups[i].lgrui0_name, wszAdmins) == 0)
            bAdmin = TRUE;
        if (lstrcmpiW(pGroups[i].lgrui0_name, group.wsz) == 0)
            *pbMember = TRUE;
    }
    if (*pbMember)
        TRACE("fnIsUserMemberOf", "User %s is a member of %s.", pszUser, pszGroup);
    else if (bAdmin)
        TRACE("fnIsUserMemberOf", "User %s is a member of 'Administrators' implies membership in %s.", pszUser,
              pszGroup);
    else
        TRACE("fnIsUserMemberOf", "User %s is a not a member of %s.", pszUser, pszGroup);
    // Administrators count as members of every group.
    *pbMember = *pbMember || bAdmin;
    if (pBuffer)
        pfnFree(pBuffer);
    return 1;
}

int fnIsUserLocalAdmin(const char *pszUser, BOOL *pbAdmin)
{
    WCHAR wszGroup[kcchNetName];
    fnGetLocalGroupName(wszGroup, COUNTOF(wszGroup), TRUE);
    char szGroup[kcchNetName * 2];
    if (!WideCharToMultiByte(CP_ACP, 0, wszGroup, -1, szGroup, sizeof(szGroup), NULL, NULL))
        fnCopyText(szGroup, COUNTOF(szGroup), "Administrators");
    int bRC = fnIsUserMemberOf(pszUser, szGroup, pbAdmin);
    TRACE("fnIsUserLocalAdmin", *pbAdmin ? "pbAdmin=%d, user %s is a local admin." : "pbAdmin=%d, user %s is NOT a local admin.",
          *pbAdmin, pszUser);
    return bRC;
}

int fnIsCurrentUserLocalAdmin(BOOL *pbAdmin)
{
    *pbAdmin = FALSE;
    {
        typedef BOOL(WINAPI * PFN_IsUserAnAdmin)();
        CModule hShell(fnLoadSystemLibrary("fnIsCurrentUserLocalAdmin", "SHELL32.DLL"));
        auto pfnIsAdmin = fnEntryOf<PFN_IsUserAnAdmin>(hShell.Get(), "fnIsCurrentUserLocalAdmin", "IsUserAnAdmin");
        if (pfnIsAdmin && pfnIsAdmin()) {
            *pbAdmin = TRUE;
            TRACE("fnIsCurrentUserLocalAdmin", "IsUserAnAdmin() says User is Admin bRC=%d, pbAdmin=%d", 1, 1);
            return 1;
        }
        TRACE("fnIsCurrentUserLocalAdmin",
              pfnIsAdmin ? "IsUserAnAdmin says User is NOT Admin bRC=%d, pbAdmin=%d"
                         : "IsUserAnAdmin function not found bRC=%d, pbAdmin=%d",
              0, 0);
    }
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID pAdmins = NULL;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                                  0, 0, &pAdmins))
        return 0;
    BOOL bMember = FALSE;
    int bRC = CheckTokenMembership(NULL, pAdmins, &bMember) ? 1 : 0;
    *pbAdmin = bRC && bMember;
    TRACE("fnIsCurrentUserLocalAdmin",
          *pbAdmin ? "AllocateAndInitializeSid says user is Admin bRC=%d, pbAdmin=%d"
                   : "AllocateAndInitializeSid says user is NOT Admin bRC=%d, pbAdmin=%d",
          bRC, *pbAdmin);
    FreeSid(pAdmins);
    return bRC;
}

int fnCreateLocalUser(const char *pszUser, const char *pszPassword, BOOL bAdmin, const char *pszPolicyMsg)
{
    const char *pszOp = "fnCreateLocalUser";
    CModule hNet(fnLoadSystemLibrary(pszOp, kszNetApi));
    auto pfnAdd = fnEntryOf<PFN_NetUserAdd>(hNet.Get(), pszOp, "NetUserAdd");
    FARPROC pfnGroupAddUser = fnLibraryEntry(hNet.Get(), pszOp, "NetGroupAddUser");
    FARPROC pfnGetInfo = fnLibraryEntry(hNet.Get(), pszOp, "NetUserGetInfo");
    FARPROC pfnSetInfo = fnLibraryEntry(hNet.Get(), pszOp, "NetUserSetInfo");
    auto pfnAddMembers = fnEntryOf<PFN_NetLocalGroupMembers>(hNet.Get(), pszOp, "NetLocalGroupAddMembers");
    WideText user(pszUser), password(pszPassword);
    if (!pfnAdd || !pfnGroupAddUser || !pfnGetInfo || !pfnSetInfo || !pfnAddMembers || !user.bOk || !password.bOk)
        return 0;
    TRACE(pszOp, "fnCreateLocalUser found Net functions");

    auto fnAddUser = [&](const WideText &pw) {
        USER_INFO_1 info = {};
        info.usri1_name = user.wsz;
        info.usri1_password = const_cast<LPWSTR>(pw.wsz);
        info.usri1_priv = USER_PRIV_USER;
        info.usri1_flags = UF_SCRIPT;
        DWORD dwParm = 0;
        NET_API_STATUS nAdded = pfnAdd(NULL, 1, (LPBYTE)&info, &dwParm);
        SecureZeroMemory(&info, sizeof(info));
        return nAdded;
    };
    NET_API_STATUS nStatus = fnAddUser(password);
    // A password the policy refuses: the person may enter another one, as
    // often as the policy refuses it, or cancel.
    while (nStatus == kNetBadPassword) {
        TRACE("fnCreateLocalUser NetUserAdd Password Invalid", "%s", pszPolicyMsg ? pszPolicyMsg : "");
        char szNew[kcchNetName];
        if (!fnAskPolicyPassword(g_hwndMain, pszPolicyMsg, szNew, COUNTOF(szNew)))
            break;
        WideText newPassword(szNew);
        SecureZeroMemory(szNew, sizeof(szNew));
        if (!newPassword.bOk)
            break;
        nStatus = fnAddUser(newPassword);
    }
    if (nStatus == NERR_Success) {
        TRACE("fnCreateLocalUser NetUserAdd Success", "lpszUserName=%s", pszUser);
    } else if (nStatus == kNetUserExists) {
        fnTraceStatus("fnCreateLocalUser NetUserAdd", nStatus, pszUser);
    } else {
        fnTraceStatus("fnCreateLocalUser NetUserAdd Error", nStatus, pszUser);
        return 0;
    }

    WideText group("");
    int bLookedUp = fnGetLocalGroupName(group.wsz, COUNTOF(group.wsz), bAdmin);
    TRACE(bLookedUp ? "fnCreateLocalUser fnGetLocalGroupName success" : "fnCreateLocalUser fnGetLocalGroupName error",
          bLookedUp ? "bAdmin=%d, szGroup=%ls" : "bAdmin=%d, use default szGroup=%ls", bAdmin, group.wsz);
    nStatus = fnGroupMember(pfnAddMembers, group, user);
    // A user who is in the group already is where the command wants him.
    if (nStatus == NERR_Success || nStatus == ERROR_MEMBER_IN_ALIAS) {
        TRACE("fnCreateLocalUser NetLocalGroupAddMembers Success", "lpszUserName=%s", pszUser);
        return 1;
    }
    fnTraceStatus("fnCreateLocalUser NetGroupAddMembers Error", nStatus, pszUser);
    return 0;
}

int fnDelLocalUser(const char *pszUser)
{
    CModule hNet(fnLoadSystemLibrary("fnDelLocalUser", kszNetApi));
    auto pfnDel = fnEntryOf<PFN_NetUserDel>(hNet.Get(), "fnDelLocalUser", "NetUserDel");
    WideText user(pszUser);
    if (!pfnDel || !user.bOk)
        return 0;
    NET_API_STATUS nStatus = pfnDel(NULL, user.wsz);
    fnTraceStatus(nStatus == NERR_Success ? "fnDelLocalUser NetUserDel Success" : "fnDelLocalUser NetUserDel Error",
                  nStatus, pszUser);
    return nStatus == NERR_Success;
}

int fnChangeLocalUser(const char *pszUser, const char *pszPassword, const char *pszChange)
{
    CModule hNet(fnLoadSystemLibrary("fnChangeLocalUser", kszNetApi));
    UserInfoApi api;
    WideText user(pszUser), password(pszPassword);
    if (!fnUserInfoApi(hNet.Get(), "fnChangeLocalUser", &api) || !user.bOk || !password.bOk)
        return 0;
    LPBYTE pBuffer = NULL;
    NET_API_STATUS nStatus = api.pfnGet(NULL, user.wsz, 3, &pBuffer);
    if (nStatus != NERR_Success) {
        fnTraceStatus("fnChangeLocalUser NetUserGetInfo Error", nStatus, pszUser);
        return 0;
    }
    USER_INFO_3 *pInfo = (USER_INFO_3 *)pBuffer;
    if (fnTextEqualI(pszChange, "ChangePWAtNextLogin"))
        pInfo->usri3_password_expired = 1;
    else if (fnTextEqualI(pszChange, "PWNeverExpires"))
        pInfo->usri3_flags |= UF_DONT_EXPIRE_PASSWD;
    else if (fnTextEqualI(pszChange, "ChangePassword"))
        pInfo->usri3_password = password.wsz;
    DWORD dwParm = 0;
    nStatus = api.pfnSet(NULL, user.wsz, 3, pBuffer, &dwParm);
    pInfo->usri3_password = NULL;
    api.pfnFree(pBuffer);
    fnTraceStatus(nStatus == NERR_Success ? "fnChangeLocalUser NetUserSetInfo Success"
                                          : "fnChangeLocalUser NetUserSetInfo Error",
                  nStatus, pszUser);
    return nStatus == NERR_Success;
}

int fnRenameLocalUser(const char *pszUser, const char *pszNewName)
{
    CModule hNet(fnLoadSystemLibrary("fnRenameLocalUser", kszNetApi));
    UserInfoApi api;
    WideText user(pszUser), newName(pszNewName);
    if (!fnUserInfoApi(hNet.Get(), "fnRenameLocalUser", &api) || !user.bOk || !newName.bOk)
        return 0;
    LPBYTE pBuffer = NULL;
    NET_API_STATUS nStatus = api.pfnGet(NULL, user.wsz, 0, &pBuffer);
    const char *pszOutcome = "fnRenameLocalUser NetUserGetInfo Error";
    if (nStatus == NERR_Success) {
        USER_INFO_0 info = {newName.wsz};
        DWORD dwParm = 0;
        nStatus = api.pfnSet(NULL, user.wsz, 0, (LPBYTE)&info, &dwParm);
        pszOutcome = nStatus == NERR_Success ? "fnRenameLocalUser NetUserSetInfo Success"
                                             : "fnRenameLocalUser NetUserSetInfo Error";
    }
    if (pBuffer)
        api.pfnFree(pBuffer);
    TRACE(pszOutcome, "bRC=%d, nStatus=%d, lpszUserName=%s, lpszNewUserName=%s", nStatus == NERR_Success,
          (int)nStatus, pszUser, pszNewName);
    return nStatus == NERR_Success;
}

int fnAddUserToLocalGroup(const char *pszUser, const char *pszGroup)
{
    const char *pszOp = "fnAddUserToLocalGroup";
    CModule hNet(fnLoadSystemLibrary(pszOp, kszNetApi));
    auto pfnGroupAdd = fnEntryOf<PFN_NetLocalGroupAdd>(hNet.Get(), pszOp, "NetLocalGroupAdd");
    auto pfnAddMembers = fnEntryOf<PFN_NetLocalGroupMembers>(hNet.Get(), pszOp, "NetLocalGroupAddMembers");
    WideText user(pszUser), group(pszGroup);
    if (!pfnGroupAdd || !pfnAddMembers || !user.bOk || !group.bOk)
        return 0;
    NET_API_STATUS nStatus = fnGroupMember(pfnAddMembers, group, user);
    if (nStatus == kNetGroupNotFound) {
        TRACE("fnAddUserToLocalGroup NetLocalGroupAddMembers - Group Not Found", "lpszGroup=%s", pszGroup);
        LOCALGROUP_INFO_0 info = {group.wsz};
        DWORD dwParm = 0;
        NET_API_STATUS nAdd = pfnGroupAdd(NULL, 0, (LPBYTE)&info, &dwParm);
        TRACE(nAdd == NERR_Success ? "fnAddUserToLocalGroup NetLocalGroupAdd Success"
                                   : "fnAddUserToLocalGroup NetLocalGroupAdd Error",
              "nStatus=%lu, lpszGroup=%s", (unsigned long)nAdd, pszGroup);
        nStatus = fnGroupMember(pfnAddMembers, group, user);
    }
    int bRC = nStatus == NERR_Success || nStatus == ERROR_MEMBER_IN_ALIAS;
    fnTraceStatus(bRC ? "fnAddUserToLocalGroup NetLocalGroupAddMembers Success"
                      : "fnAddUserToLocalGroup NetLocalGroupAddMembers Error",
                  nStatus, pszUser);
    return bRC;
}

int fnDeleteUserFromLocalGroup(const char *pszUser, const char *pszGroup)
{
    const char *pszOp = "fnDeleteUserFromLocalGroup";
    CModule hNet(fnLoadSystemLibrary(pszOp, kszNetApi));
    auto pfnDelMembers = fnEntryOf<PFN_NetLocalGroupMembers>(hNet.Get(), pszOp, "NetLocalGroupDelMembers");
    WideText user(pszUser), group(pszGroup);
    if (!pfnDelMembers || !user.bOk || !group.bOk)
        return 0;
    NET_API_STATUS nStatus = fnGroupMember(pfnDelMembers, group, user);
    fnTraceStatus(nStatus == NERR_Success ? "fnDeleteUserFromLocalGroup NetLocalGroupDelMembers Success"
                                          : "fnDeleteUserFromLocalGroup NetLocalGroupDelMembers Error",
                  nStatus, pszUser);
    return nStatus == NERR_Success;
}
