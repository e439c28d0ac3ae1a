// Text rules of copy-section entries: the flag letters, the disk id, the
// characters a file name may not hold and which destination directories are
// taken as written. Pure: no Windows headers.
#ifndef SETUP32_FILES_COPY_SECTION_TEXT_H
#define SETUP32_FILES_COPY_SECTION_TEXT_H

#include <stddef.h>

// The values the three flag fields of an install-mode entry select.
struct EntryFlagsStruct {
    int bRecurse;
    unsigned uInstallMode;
    unsigned uInUseAction;
    unsigned uVerAction;
    int bKeepAttrib;
    unsigned uCopyMode;
    unsigned uJoinCopyMode;
    unsigned uJoinPart;
    unsigned uBackupMode;
};

int fnParseEntryFlags(const char *pszInstall, const char *pszCopy, const char *pszBackup, EntryFlagsStruct *pFlags);  // 1 read; 0 a field longer than 4 letters
unsigned fnCopyModeOf(char c);                        // copy-mode letter to 100-110
int fnDiskIdOf(const char *pszField, char *pszId, size_t cchId);  // 1 a positive decimal number (id kept, 7 chars at most); 0 "0" or no number (id empty)
int fnHasBadFileChars(const char *pszName);            // 1 the name holds ",", "<", ">" or "|"
int fnIsDstDirAsWritten(const char *pszDir);           // install mode: "\\\\...", "X:..." or ".…" are not joined to the destination
int fnIsDiskDstDirAsWritten(const char *pszDir);       // to-disks mode: the same with its own rule for "." and ".."
int fnHasWildcards(const char *pszName);               // 1 "*" or "?" in the name

#endif
