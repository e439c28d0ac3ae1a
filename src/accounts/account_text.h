// The words and names of the account, service and drive commands. Pure text
// logic, no Windows calls.
#ifndef SETUP32_ACCOUNTS_ACCOUNT_TEXT_H
#define SETUP32_ACCOUNTS_ACCOUNT_TEXT_H

#include <stddef.h>

// Status codes of the network-management functions the account operations tell apart.
enum {
    kNetUserExists = 2224,       // the user or computer account exists
    kNetBadPassword = 2245,      // the password does not meet the policy
    kNetGroupNotFound = 2220,    // the group does not exist
    kNetAlreadyJoined = 2691,    // the computer is already joined to a domain
    kNetNotJoined = 2692,        // the computer is not joined to a domain
};
enum { kcchNetName = 257 };  // names and passwords handed over: at most 256 characters

// What an account check does with its outcome (the action word of the
// administrator and membership checks).
enum {
    kCheckNothing = 0,
    kCheckShowMet = 1,        // "Display": the met message
    kCheckShowNotMet = 2,     // "Continue" for administrators: the not-met message, then on
    kCheckAskNotMet = 3,      // "Continue" for membership: OK/Cancel, Cancel ends the run
    kCheckExit = 4,           // "ExitWithoutMessage": the run ends
    kCheckShowExit = 5,       // "ExitWithMessage": the exit message, then the run ends
};
int fnCheckOutcome(int bMet, const char *pszAction, int bMembership);  // kCheck* (action any case)

int fnQualifyUser(const char *pszUser, const char *pszDomain, int bRename, char *pszOut, size_t cchOut);  // "user@domain" (renaming without "." in the domain: "domain\user"); a name with "@" or "\", or no domain, as it is; 0 cut (pszOut empty)
const char *fnNetStatusText(unsigned long ulStatus);  // what one of the status codes above means, "" for others
int fnServiceStartType(const char *pszWord);          // "AUTO" 2, "MANUAL" 3, "DISABLED" 4 (any case); -1 anything else
int fnCommandHasPassword(const char *pszCommand);     // 1 for the commands with a password field ("MapDrive", "CreateLocalUser", ...; any case)
void fnMaskPassword(const char *pszPassword, char *pszOut, size_t cchOut);  // "" for none, else "********": a password never reaches a trace

#endif
