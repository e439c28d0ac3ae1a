// The commands of the [Set]/[Command] walk that act on the machine:
// services, WMI, disk and folder sizes, drive mapping, local accounts and
// groups, the administrator and membership checks, the domain, SIDs.
#include "accounts/account_text.h"
#include "accounts/domain.h"
#include "accounts/drive.h"
#include "accounts/local_users.h"
#include "accounts/services.h"
#include "base/account.h"
#include "base/registry.h"
#include "commands/command_table.h"
#include "commands/keywords.h"
#include "expand/expand.h"
#include "expand/sysfacts.h"
#include "files/dirs.h"
#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/lines.h"
#include "resource.h"

namespace {

// Up to six expanded fields of a command line; wiped when they go out of
// scope, since some hold passwords. The password field (uPassword, 0 none)
// is expanded with the trace off: the expansion traces what it made.
struct CommandFields {
    char asz[7][kcchInfLine];
    BOOL abGiven[7];
    CommandFields(char *pszLine, unsigned uCount, unsigned uPassword = 0)
    {
        for (unsigned u = 1; u < 7; u++) {
            asz[u][0] = '\0';
            abGiven[u] = u <= uCount && fnInfParseField(pszLine, u, asz[u], COUNTOF(asz[u]));
            if (!abGiven[u])
                continue;
            unsigned uTraceMode = g_uTraceMode;
            if (u == uPassword)
                g_uTraceMode = 0;
            fnExpandOpts(asz[u], COUNTOF(asz[u]));
            g_uTraceMode = uTraceMode;
        }
        // The line itself may carry a password too.
        SecureZeroMemory(pszLine, strlen(pszLine));
    }
    ~CommandFields() { SecureZeroMemory(asz, sizeof(asz)); }
    CommandFields(const CommandFields &) = delete;
    CommandFields &operator=(const CommandFields &) = delete;
    const char *operator[](unsigned u) const { return asz[u]; }
};

// ---- services ----------------------------------------------------------------

void fnCommandService(char *pszLine, BOOL bStart)
{
    CommandFields f(pszLine, 1);
    CServiceHandle hService(fnOpenService(f[1], FALSE, FALSE));
    // Opening is not enough: the service must end up running (or stopped).
    int bOk = hService.Get() && (bStart ? fnStartService(hService.Get()) : fnStopService(hService.Get()));
    if (bStart)
        TRACE("fnReadCommand StartService", bOk ? "Started service %s" : "Error starting service %s", f[1]);
    else
        TRACE("fnReadCommand StopService", bOk ? "Stopped service %s" : "Error stopping service %s", f[1]);
}

void fnCommandChangeServiceStart(CommandWalkStruct *, char *pszLine)
{
    char szType[kcchInfLine];
    fnInfParseField(pszLine, 2, szType, COUNTOF(szType));
    CommandFields f(pszLine, 1);
    fnChangeServiceStart(f[1], fnServiceStartType(szType));
}

void fnCommandWZCSVCConfig(CommandWalkStruct *, char *pszLine)
{
    char szSwitch[kcchInfLine];
    fnInfParseField(pszLine, 1, szSwitch, COUNTOF(szSwitch));
    fnEnableMSWiFiConfig(!fnTextEqualI(szSwitch, "OFF"));
}

// ---- queries ------------------------------------------------------------------

void fnCommandWMIQuery(CommandWalkStruct *pWalk, char *pszLine)
{
    CommandFields f(pszLine, 3);
    char szAnswer[kcchPath] = "";
    int bRC = fnQueryWMI(f[1], f[2], f.abGiven[3] && f[3][0] ? f[3] : NULL, szAnswer, COUNTOF(szAnswer));
    TRACE("fnReadCommand WMIQuery", "szString=%s", szAnswer);
    fnStoreSetValue(szAnswer[0] ? szAnswer : "NA");
    pWalk->iResult = bRC ? 1 : 0;
}

// The sizes of the disk or folder commands, by name.
enum { kSizeFolder, kSizeUsed, kSizeFree, kSizeAvail, kSizeTotal };

void fnCommandSize(char *pszLine, int iWhat, const char *pszTraceName)
{
    CommandFields f(pszLine, 1);
    if (!f[1][0])
        return;
    ULONGLONG ullSize = 0;
    int bOk = 1;
    switch (iWhat) {
    case kSizeFolder: fnGetFolderSize(f[1], &ullSize); break;
    case kSizeUsed: bOk = fnGetDiskSpaceInfo(f[1], NULL, NULL, NULL, &ullSize); break;
    case kSizeFree: bOk = fnGetDiskSpaceInfo(f[1], &ullSize, NULL, NULL, NULL); break;
    case kSizeAvail: bOk = fnGetDiskSpaceInfo(f[1], NULL, &ullSize, NULL, NULL); break;
    default: bOk = fnGetDiskSpaceInfo(f[1], NULL, NULL, &ullSize, NULL); break;
    }
    char szSize[kcchShort];
    // A drive that did not answer has no size: "NA", never a made-up 0.
    if (bOk)
        fnFormatText(szSize, COUNTOF(szSize), "%I64u", ullSize);
    else
        fnCopyText(szSize, COUNTOF(szSize), "NA");
    TRACE(pszTraceName, "szString=%s", szSize);
    TRACE(pszTraceName, "szString=%s, szField1=%s", szSize, f[1]);
    fnStoreSetValue(szSize);
}

// ---- drive, accounts and groups -------------------------------------------------

void fnCommandMapDrive(CommandWalkStruct *, char *pszLine)
{
    CommandFields f(pszLine, 4, 4);
    fnNetMapDrive(f[1], f[2], f[3], f[4]);
}

void fnCommandCreateLocalUser(CommandWalkStruct *, char *pszLine)
{
    CommandFields f(pszLine, 4, 2);
    BOOL bAdmin = fnIsYes(f[3]);
    char szMasked[kcchShort];
    fnMaskPassword(f[2], szMasked, COUNTOF(szMasked));
    TRACE("fnCreateLocalUser", "szField1=%s, szField2=%s, szField3=%s, szField4=%s, bField3=%d.", f[1], szMasked, f[3],
          f[4], bAdmin);
    fnCreateLocalUser(f[1], f[2], bAdmin, f[4]);
}

void fnCommandRenameLocalUser(CommandWalkStruct *, char *pszLine)
{
    CommandFields f(pszLine, 2);
    if (!f[1][0] || !f[2][0])
        return;
    TRACE("fnReadCommand fnRenameLocalUser", "User %s rename to %s.", f[1], f[2]);
    fnRenameLocalUser(f[1], f[2]);
}

// What an account check does with its outcome: the action word, the
// message (empty: the program's own text uIdSet/uIdContinue/uIdExit) and the
// caption. pszGroup NULL for the administrator checks.
struct CheckStruct {
    const char *pszUser;
    const char *pszGroup;
    const char *pszAction;
    const char *pszMessage;
    const char *pszCaption;
};

int fnCheckBox(const CheckStruct &check, UINT uId, UINT uStyle)
{
    const char *pszCaption = check.pszCaption[0] ? check.pszCaption : g_szTitle;
    if (check.pszMessage[0])
        return fnMsgBox(0, pszCaption, uStyle, "%s", check.pszMessage);
    return fnMsgBox(uId, pszCaption, uStyle, check.pszUser, check.pszGroup ? check.pszGroup : "");
}

void fnCheckAction(CommandWalkStruct *pWalk, const CheckStruct &check, BOOL bFlag)
{
    BOOL bMember = check.pszGroup != NULL;
    BOOL bExit = FALSE;
    switch (fnCheckOutcome(bFlag, check.pszAction, bMember)) {
    case kCheckShowMet:
        fnCheckBox(check, bMember ? IDS_IS_MEMBER : IDS_IS_ADMIN, MB_OK | MB_ICONINFORMATION);
        break;
    case kCheckShowNotMet:
        fnCheckBox(check, IDS_NOT_ADMIN_CONTINUE, MB_OK | MB_ICONEXCLAMATION);
        break;
    case kCheckAskNotMet:
        bExit = fnCheckBox(check, IDS_NOT_MEMBER_CONTINUE, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDCANCEL;
        break;
    case kCheckExit:
        bExit = TRUE;
        break;
    case kCheckShowExit:
        fnCheckBox(check, bMember ? IDS_NOT_MEMBER_EXIT : IDS_NOT_ADMIN_EXIT, MB_OK | MB_ICONSTOP);
        bExit = TRUE;
        break;
    default:
        break;
    }
    if (bExit) {
        g_bLoaderDone = TRUE;
        pWalk->bEnd = TRUE;
    }
}

void fnCommandAmILocalAdmin(CommandWalkStruct *pWalk, char *pszLine)
{
    CommandFields f(pszLine, 3);
    char szUser[kcchLine];
    fnGetCurrentUser(szUser, COUNTOF(szUser));
    BOOL bAdmin = FALSE;
    int bTested = fnIsCurrentUserLocalAdmin(&bAdmin);
    TRACE("fnReadCommand fnIsCurrentUserLocalAdmin", "bAdmin=%d.", bAdmin);
    if (bTested)
        fnCheckAction(pWalk, CheckStruct{szUser, NULL, f[1], f[2], f[3]}, bAdmin);
}

void fnCommandIsUserLocalAdmin(CommandWalkStruct *pWalk, char *pszLine)
{
    CommandFields f(pszLine, 4);
    BOOL bAdmin = FALSE;
    int bRead = fnIsUserLocalAdmin(f[1], &bAdmin);
    TRACE("fnReadCommand fnIsUserLocalAdmin", "bAdmin=%d, user %s.", bAdmin, f[1]);
    if (!bRead) {
        TRACE("fnReadCommand fnIsUserLocalAdmin", "Error reading group membership user %s, group %s.", f[1],
              "Administrators");
        return;
    }
    fnCheckAction(pWalk, CheckStruct{f[1], NULL, f[2], f[3], f[4]}, bAdmin);
}

void fnCommandIsUserMemberOf(CommandWalkStruct *pWalk, char *pszLine)
{
    CommandFields f(pszLine, 5);
    BOOL bMember = FALSE;
    int bRead = fnIsUserMemberOf(f[1], f[2], &bMember);
    TRACE("fnReadCommand fnIsUserMemberOf", "bMember=%d, user %s, group %s.", bMember, f[1], f[2]);
    if (!bRead) {
        TRACE("fnReadCommand fnIsUserMemberOf", "Error reading group membership user %s, group %s.", f[1], f[2]);
        return;
    }
    fnCheckAction(pWalk, CheckStruct{f[1], f[2], f[3], f[4], f[5]}, bMember);
}

// ---- SIDs and profiles ------------------------------------------------------------

void fnCommandGetSID(char *pszLine, BOOL bDomain)
{
    CommandFields f(pszLine, bDomain ? 2 : 1);
    char szSid[kcchPath];
    fnGetSIDString(f[1], bDomain ? f[2] : NULL, szSid, COUNTOF(szSid));
}

// The profile folder of an account, read with its SID.
int fnProfilePath(const char *pszSid, char *pszOut, size_t cchOut)
{
    char szKey[kcchPath];
    DWORD dwType = 0;
    return fnFormatText(szKey, COUNTOF(szKey), "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\%s",
                        pszSid) &&
           fnGetRegistryByValue(HKEY_LOCAL_MACHINE, &dwType, szKey, "ProfileImagePath", pszOut, cchOut, kRegTextRaw);
}

void fnCommandSetSIDProfileLocation(CommandWalkStruct *, char *pszLine)
{
    CommandFields f(pszLine, 4);
    char szSidA[kcchPath], szSidB[kcchPath], szPathA[kcchPath], szPathB[kcchPath];
    if (!fnGetSIDString(f[1], f[2], szSidA, COUNTOF(szSidA)) || !fnGetSIDString(f[3], f[4], szSidB, COUNTOF(szSidB)) ||
        !fnProfilePath(szSidA, szPathA, COUNTOF(szPathA)) || !fnProfilePath(szSidB, szPathB, COUNTOF(szPathB)))
        return;
    char szKey[kcchPath];
    fnFormatText(szKey, COUNTOF(szKey), "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\%s", szSidA);
    TRACE("SetSIDProfileLocation", "%s, %s, %s, %s, %s, %s", f[1], f[2], f[3], f[4], szPathA, szPathB);
    if (fnRegOpenAndSet(HKEY_LOCAL_MACHINE, szKey, "PriorProfileImagePath", szPathA, REG_EXPAND_SZ, FALSE))
        fnRegOpenAndSet(HKEY_LOCAL_MACHINE, szKey, "ProfileImagePath", szPathB, REG_EXPAND_SZ, FALSE);
}

// ---- the table ----------------------------------------------------------------------

const CommandStruct g_aSystemCommands[] = {
    {"StartService", [](CommandWalkStruct *, char *psz) { fnCommandService(psz, TRUE); }},
    {"StopService", [](CommandWalkStruct *, char *psz) { fnCommandService(psz, FALSE); }},
    {"ChangeServiceStart", fnCommandChangeServiceStart},
    {"WZCSVCConfig", fnCommandWZCSVCConfig},
    {"WMIQuery", fnCommandWMIQuery},
    {"GetFolderSize", [](CommandWalkStruct *, char *psz) { fnCommandSize(psz, kSizeFolder, "fnReadCommand GetFolderSize"); }},
    {"GetUsedSpace", [](CommandWalkStruct *, char *psz) { fnCommandSize(psz, kSizeUsed, "fnReadCommand GetUsedSpace"); }},
    {"GetFreeSpace", [](CommandWalkStruct *, char *psz) { fnCommandSize(psz, kSizeFree, "fnReadCommand GetFreeSpace"); }},
    {"GetAvailSpace", [](CommandWalkStruct *, char *psz) { fnCommandSize(psz, kSizeAvail, "fnReadCommand GetAvailSpace"); }},
    {"GetTotalSpace", [](CommandWalkStruct *, char *psz) { fnCommandSize(psz, kSizeTotal, "fnReadCommand GetTotalSpace"); }},
    {"MapDrive", fnCommandMapDrive},
    {"CreateLocalUser", fnCommandCreateLocalUser},
    {"DelLocalUser", [](CommandWalkStruct *, char *psz) {
         CommandFields f(psz, 1);
         fnDelLocalUser(f[1]);
     }},
    {"ChangeLocalUser", [](CommandWalkStruct *, char *psz) {
         CommandFields f(psz, 3, 2);
         fnChangeLocalUser(f[1], f[2], f[3]);
     }},
    {"RenameLocalUser", fnCommandRenameLocalUser},
    {"AmILocalAdmin", fnCommandAmILocalAdmin},
    {"IsUserLocalAdmin", fnCommandIsUserLocalAdmin},
    {"IsUserMemberOf", fnCommandIsUserMemberOf},
    {"AddUserToLocalGroup", [](CommandWalkStruct *, char *psz) {
         CommandFields f(psz, 2);
         fnAddUserToLocalGroup(f[1], f[2]);
     }},
    {"DeleteUserFromLocalGroup", [](CommandWalkStruct *, char *psz) {
         CommandFields f(psz, 2);
         fnDeleteUserFromLocalGroup(f[1], f[2]);
     }},
    {"JoinDomain", [](CommandWalkStruct *, char *psz) {
         CommandFields f(psz, 5, 5);
         fnJoinDomain(f[1], f[2], f[3], f[4], f[5], TRUE);
     }},
    {"UnJoinDomain", [](CommandWalkStruct *, char *psz) {
         CommandFields f(psz, 3, 3);
         fnUnJoinDomain(f[1], f[2], f[3]);
     }},
    {"RenameComputerInDomain", [](CommandWalkStruct *, char *psz) {
         CommandFields f(psz, 4, 4);
         fnRenameComputerInDomain(f[1], f[2], f[3], f[4]);
     }},
    {"GetLocalSID", [](CommandWalkStruct *, char *psz) { fnCommandGetSID(psz, FALSE); }},
    {"GetDomainSID", [](CommandWalkStruct *, char *psz) { fnCommandGetSID(psz, TRUE); }},
    {"SetSIDProfileLocation", fnCommandSetSIDProfileLocation},
};

}  // namespace

PFN_COMMAND fnFindSystemCommand(const char *pszName)
{
    for (const CommandStruct &command : g_aSystemCommands) {
        if (fnTextEqualI(pszName, command.pszName))
            return command.pfnCommand;
    }
    return NULL;
}

const char *fnSystemCommandName(int i)
{
    return i >= 0 && i < (int)COUNTOF(g_aSystemCommands) ? g_aSystemCommands[i].pszName : NULL;
}
