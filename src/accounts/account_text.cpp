#include "accounts/account_text.h"

#include <string.h>

#include "run/text.h"

int fnQualifyUser(const char *pszUser, const char *pszDomain, int bRename, char *pszOut, size_t cchOut)
{
    int bRC;
    if (!pszDomain || !pszDomain[0] || strchr(pszUser, '@') || strchr(pszUser, '\\'))
        bRC = fnCopyText(pszOut, cchOut, pszUser);
    else if (bRename && !strchr(pszDomain, '.'))
        bRC = fnFormatText(pszOut, cchOut, "%s\\%s", pszDomain, pszUser);
    else
        bRC = fnFormatText(pszOut, cchOut, "%s@%s", pszUser, pszDomain);
    // A cut account name would name another account.
    if (!bRC && cchOut)
        pszOut[0] = '\0';
    return bRC;
}

const char *fnNetStatusText(unsigned long ulStatus)
{
    switch (ulStatus) {
    case kNetUserExists: return "the account exists";
    case kNetBadPassword: return "the password does not meet the password policy";
    case kNetGroupNotFound: return "the group does not exist";
    case kNetAlreadyJoined: return "the computer is already in a domain";
    case kNetNotJoined: return "the computer is not in a domain";
    default: return "";
    }
}

int fnServiceStartType(const char *pszWord)
{
    if (fnTextEqualI(pszWord, "AUTO"))
        return 2;
    if (fnTextEqualI(pszWord, "MANUAL"))
        return 3;
    if (fnTextEqualI(pszWord, "DISABLED"))
        return 4;
    return -1;
}

void fnMaskPassword(const char *pszPassword, char *pszOut, size_t cchOut)
{
    fnCopyText(pszOut, cchOut, pszPassword && pszPassword[0] ? "********" : "");
}

int fnCommandHasPassword(const char *pszCommand)
{
    static const char *const s_apszCommands[] = {
        "MapDrive", "CreateLocalUser", "ChangeLocalUser", "JoinDomain", "UnJoinDomain", "RenameComputerInDomain",
    };
    for (const char *pszName : s_apszCommands) {
        if (fnTextEqualI(pszCommand, pszName))
            return 1;
    }
    return 0;
}

int fnCheckOutcome(int bMet, const char *pszAction, int bMembership)
{
    if (bMet)
        return fnTextEqualI(pszAction, "Display") ? kCheckShowMet : kCheckNothing;
    if (fnTextEqualI(pszAction, "Continue"))
        return bMembership ? kCheckAskNotMet : kCheckShowNotMet;
    if (fnTextEqualI(pszAction, "ExitWithoutMessage"))
        return kCheckExit;
    if (fnTextEqualI(pszAction, "ExitWithMessage"))
        return kCheckShowExit;
    return kCheckNothing;
}
