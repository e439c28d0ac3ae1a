// Text rules of copy-section entries. No Windows calls.
#include "files/copy_section_text.h"

#include "run/text.h"

namespace {

const size_t kcchFlagsMax = 4;

unsigned fnInstallModeOf(char c)
{
    switch (fnUpperChar(c)) {
    case 'A':
    case 'U': return 105;
    case 'K': return 109;
    case 'M': return 104;
    case 'R': return 108;
    case 'S': return 101;
    case 'T': return 103;
    case 'V': return 102;
    default: return 100;
    }
}

unsigned fnInUseOf(char c)
{
    switch (fnUpperChar(c)) {
    case 'C': return 101;
    case 'R': return 102;
    case 'S': return 103;
    default: return 100;
    }
}

unsigned fnVerActionOf(char c)
{
    switch (fnUpperChar(c)) {
    case 'C': return 101;
    case 'I': return 102;
    case 'K': return 103;
    default: return 100;
    }
}

unsigned fnBackupModeOf(char c)
{
    switch (fnUpperChar(c)) {
    case 'B': return 101;
    case 'U': return 102;
    case 'S': return 103;
    case 'P': return 104;
    case 'K': return 105;
    default: return 100;
    }
}

// Letter i of a flag field, or NUL past its end.
char fnLetter(const char *psz, size_t i)
{
    return i < strlen(psz) ? psz[i] : '\0';
}

}  // namespace

unsigned fnCopyModeOf(char c)
{
    switch (fnUpperChar(c)) {
    case '?': return 108;
    case 'C': return 106;
    case 'D': return 101;
    case 'F': return 105;
    case 'J': return 110;
    case 'P': return 107;
    case 'R': return 102;
    case 'S': return 103;
    case 'V': return 104;
    case 'W': return 109;
    default: return 100;
    }
}

int fnParseEntryFlags(const char *pszInstall, const char *pszCopy, const char *pszBackup, EntryFlagsStruct *pFlags)
{
    pFlags->bRecurse = pszInstall[0] == '+';
    if (pFlags->bRecurse)
        pszInstall++;
    if (strlen(pszInstall) > kcchFlagsMax || strlen(pszCopy) > kcchFlagsMax || strlen(pszBackup) > kcchFlagsMax)
        return 0;
    pFlags->uInstallMode = fnInstallModeOf(fnLetter(pszInstall, 0));
    pFlags->uInUseAction = fnInUseOf(fnLetter(pszInstall, 1));
    pFlags->uVerAction = fnVerActionOf(fnLetter(pszInstall, 2));
    pFlags->bKeepAttrib = fnUpperChar(fnLetter(pszInstall, 3)) == 'K';
    pFlags->uCopyMode = fnCopyModeOf(fnLetter(pszCopy, 0));
    pFlags->uJoinCopyMode = 100;
    pFlags->uJoinPart = 100;
    if (pFlags->uCopyMode == 110) {
        pFlags->uJoinCopyMode = fnCopyModeOf(fnLetter(pszCopy, 1));
        const char *pszPart = strlen(pszCopy) > 2 ? pszCopy + 2 : "";
        pFlags->uJoinPart = !strcmp(pszPart, "0") ? 103 : !strcmp(pszPart, "1") ? 102 : 101;
    }
    pFlags->uBackupMode = fnBackupModeOf(fnLetter(pszBackup, 0));
    return 1;
}

int fnDiskIdOf(const char *pszField, char *pszId, size_t cchId)
{
    if (cchId)
        pszId[0] = '\0';
    if (!pszField[0])
        return 0;
    unsigned long ulValue = 0;
    for (const char *p = pszField; *p; p++) {
        if (*p < '0' || *p > '9')
            return 0;
        if (ulValue < 100000000UL)
            ulValue = ulValue * 10 + (unsigned long)(*p - '0');
    }
    if (ulValue == 0)
        return 0;
    fnCopyTextN(pszId, cchId, pszField, 7);
    return 1;
}

int fnHasBadFileChars(const char *pszName)
{
    return strpbrk(pszName, ",<>|") != NULL;
}

int fnHasWildcards(const char *pszName)
{
    return strpbrk(pszName, "*?") != NULL;
}

int fnIsDstDirAsWritten(const char *pszDir)
{
    return (pszDir[0] == '\\' && pszDir[1] == '\\') || (pszDir[0] && pszDir[1] == ':') || pszDir[0] == '.';
}

int fnIsDiskDstDirAsWritten(const char *pszDir)
{
    int bSlash0 = pszDir[0] == '\\' || pszDir[0] == '/';
    int bSlash1 = pszDir[0] && (pszDir[1] == '\\' || pszDir[1] == '/');
    if (bSlash0 && bSlash1)
        return 1;
    if (!strcmp(pszDir, ".") || !strcmp(pszDir, ".."))
        return 1;
    if (pszDir[0] == '.' && (bSlash1 || (pszDir[1] == '.' && (pszDir[2] == '\\' || pszDir[2] == '/'))))
        return 1;
    return pszDir[0] && pszDir[1] == ':';
}
