// Who runs the program and the security identifiers of accounts, and the
// system libraries that the account and network operations load by name when
// they need them (a missing one fails the operation softly, traced).
#ifndef SETUP32_BASE_ACCOUNT_H
#define SETUP32_BASE_ACCOUNT_H

#include <windows.h>
#include <stddef.h>

HMODULE fnLoadSystemLibrary(const char *pszOp, const char *pszLibrary);  // from the system directory (free it), or NULL traced "<op> error missing <library>"
FARPROC fnLibraryEntry(HMODULE hLib, const char *pszOp, const char *pszEntry);  // the entry point, or NULL traced "<op> <entry> not found" (NULL hLib: NULL, untraced)

// The entry point as its function type.
template <class T>
T fnEntryOf(HMODULE hLib, const char *pszOp, const char *pszEntry)
{
    return (T)(void *)fnLibraryEntry(hLib, pszOp, pszEntry);
}
int fnToWide(const char *pszText, WCHAR *pwszOut, size_t cchOut);  // ANSI code page to UTF-16; 1 whole, 0 too long or bad (pwszOut empty)
int fnGetCurrentUser(char *pszOut, size_t cchOut);  // 1 with "domain\user" of the current user, 0 empty
int fnGetSIDString(const char *pszAccount, const char *pszSystem, char *pszOut, size_t cchOut);  // 1 with the account's SID as text ("S-1-5-..."), 0 empty; pszSystem NULL or "" this computer

#endif
