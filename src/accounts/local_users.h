// Local users and groups: create, delete, change and rename users, group
// members, and the membership and administrator checks. NETAPI32 is loaded by
// name for each operation: where it or an entry point is missing the
// operation is traced and fails (0).
#ifndef SETUP32_ACCOUNTS_LOCAL_USERS_H
#define SETUP32_ACCOUNTS_LOCAL_USERS_H

#include <windows.h>
#include <stddef.h>

int fnGetLocalGroupName(WCHAR *pwszOut, size_t cchOut, BOOL bAdmins);  // name of Administrators (S-1-5-32-544) or Users (-545) here; 1 looked up, 0 the English default in pwszOut
int fnIsUserMemberOf(const char *pszUser, const char *pszGroup, BOOL *pbMember);  // 1 the groups could be read (an administrator is a member of every group), 0 not (*pbMember 0)
int fnIsUserLocalAdmin(const char *pszUser, BOOL *pbAdmin);  // 1 the check could be made
int fnIsCurrentUserLocalAdmin(BOOL *pbAdmin);                // 1 a test could be made
int fnCreateLocalUser(const char *pszUser, const char *pszPassword, BOOL bAdmin, const char *pszPolicyMsg);  // 1 the user exists and is in Administrators or Users
int fnDelLocalUser(const char *pszUser);                     // 1 deleted
int fnChangeLocalUser(const char *pszUser, const char *pszPassword, const char *pszChange);  // "ChangePWAtNextLogin", "PWNeverExpires", "ChangePassword"; 1 written
int fnRenameLocalUser(const char *pszUser, const char *pszNewName);  // 1 renamed
int fnAddUserToLocalGroup(const char *pszUser, const char *pszGroup);  // a missing group is made once; 1 the user is a member
int fnDeleteUserFromLocalGroup(const char *pszUser, const char *pszGroup);  // 1 removed

#endif
