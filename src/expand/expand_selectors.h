// The selectors of the expansion language, shared between the scanner
// (expand.cpp) and the files that read the run state, machine facts and
// folders. Each selector reads the characters after its letter and leaves
// the variable's value in pszValue.
#ifndef SETUP32_EXPAND_EXPAND_SELECTORS_H
#define SETUP32_EXPAND_EXPAND_SELECTORS_H

#include <windows.h>

#include <stddef.h>

// What a selector reports, and where copying resumes after a failure.
enum {
    kSelOk,            // value ready; *pcchUsed characters after the letter belong to it
    kSelOkKeepFlag,    // as kSelOk, and an empty value does not count as empty ("-NOTFOUND-")
    kSelFailAt,        // the variable stays as written: the "@" is copied as text
    kSelFailSelector,  // the "@" is dropped, copying resumes at the selector letter
    kSelFailIndex,     // the "@" and the letter are dropped, copying resumes after the letter
};

// pszArgs: the text after the selector letter.
typedef int (*PFN_SELECTOR)(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed);

void fnCopyValue(char *pszValue, size_t cchValue, const char *pszText);  // text into a value buffer; a cut is traced

// Run state (expand_state.cpp).
int fnSelAsk(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed);          // "@An[f[t]]"
int fnSelCombo(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed);        // "@Cn[f[t]]"
int fnSelList(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed);         // "@Ln[f[t]]"
int fnSelDefault(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed);      // "@P1".."@P9"
int fnSelSetValue(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed);     // "@$n"
int fnSelG(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed);            // "@Gn"
int fnSelFunResult(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed);    // "@_d"
int fnSelDir(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed);          // "@Dn[p]"
int fnSelRegEntry(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed);     // "@En[p]"
int fnSelSource(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed);       // "@Hn[p]"
int fnSelF(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed);            // "@Fn[p]"
int fnSelRegValue(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed);     // "@Kn[p]"; "-NOTFOUND-" gives kSelOkKeepFlag
int fnSelCheck(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed);        // "@Brc": "Y" or "N"
int fnSelStringCheck(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed);  // "@Id[d]"
int fnSelAccount(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed);      // "@U0" user, "@U1" password
int fnSelEnv(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed);          // "@%NAME%"

// Machine, user, system, version (expand_machine.cpp) and folders (expand_folders.cpp).
int fnSelMachine(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed);  // "@M0".."@M4"
int fnSelUser(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed);     // "@N0".."@N4"
int fnSelSystem(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed);   // "@S", "@S0".."@S8"
int fnSelVersion(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed);  // "@V", "@V0".."@V9"
int fnSelFolder(const char *pszArgs, char *pszValue, size_t cchValue, size_t *pcchUsed);   // "@W", "@W0".."@W47"

int fnUserShellFolder(const char *pszName, unsigned uDefaultId, char *pszOut, size_t cchOut);  // 1 from the registry, 0 the default
int fnLoggedOnUser(char *pszOut, size_t cchOut);                                                // 1 with the name, 0 empty
int fnRegText(HKEY hRoot, const char *pszPath, char *pszOut, size_t cchOut, int iMode);        // 1 the value was read and is not empty

#endif
