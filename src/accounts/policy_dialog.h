// The prompt for another password when the system's password policy refused
// the one a new local user was to get.
#ifndef SETUP32_ACCOUNTS_POLICY_DIALOG_H
#define SETUP32_ACCOUNTS_POLICY_DIALOG_H

#include <windows.h>

#include <stddef.h>

// Shows the policy message (pszMessage, or the default text when empty) and
// asks for a password typed twice alike. 1 OK with the password in
// pszPassword; 0 cancelled, or not askable (a run nobody watches: a password
// has no default). The password is never traced; the dialog's copies are wiped.
int fnAskPolicyPassword(HWND hwndOwner, const char *pszMessage, char *pszPassword, size_t cchPassword);

#endif
