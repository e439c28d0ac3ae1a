// The computer's name and its membership of a domain: join, leave, rename.
// NETAPI32 is loaded by name for each operation (missing: traced, 0).
#ifndef SETUP32_ACCOUNTS_DOMAIN_H
#define SETUP32_ACCOUNTS_DOMAIN_H

#include <windows.h>

int fnSetComputerName(const char *pszName);    // 1 Windows took the name (for the next start)
int fnIsComputerInDomain(const char *pszDomain);  // 1 joined to a domain (pszDomain is only traced), 0 not or unknown
int fnJoinDomain(const char *pszDomain, const char *pszOU, const char *pszNewName, const char *pszUser,
                 const char *pszPassword, BOOL bTestJoined);  // 1 joined (and renamed when asked), 0 failed (ActiveComputerName restored)
int fnUnJoinDomain(const char *pszDomain, const char *pszUser, const char *pszPassword);  // 1 left, or was not in a domain
int fnRenameComputerInDomain(const char *pszDomain, const char *pszNewName, const char *pszUser,
                             const char *pszPassword);  // 1 renamed

#endif
