// Version resources of files: reading their version texts and comparing
// their version numbers.
#ifndef SETUP32_FILES_VERSION_H
#define SETUP32_FILES_VERSION_H

#include <stddef.h>

enum { kcchVersionText = 128 };

// Comparison codes of fnCmpFileVersion.
enum {
    kVerEqual = 0, kVerReadError = 1, kVerNoResource = 2, kVerUnreadable = 3,
    kVerNoFixedPart = 5, kVerOlder = 7, kVerNewer = 11,
};

// Up to four parts separated by "." or ","; missing parts are 0. Pure.
void fnParseVersionText(const char *pszVersion, unsigned short awVer[4]);

// File version, product version and copyright (each kcchVersionText; any out
// may be NULL): 1 read; 0 with "NA" in every out, or "NF" when the file
// cannot be found.
int fnGetFileVersion(const char *pszFile, char *pszFileVer, char *pszProductVer, char *pszCopyright);
int fnCmpFileVersion(const char *pszFile, const char *pszVersion);  // file against a version text: kVer* codes
int fnCmpFileVersionInfo(const char *pszNewFile, const char *pszOldFile);  // comparison code 0-10
int fnTestFileVersion(const char *pszFile, const char *pszCondition, const char *pszVersion);  // 1 the file's version relates as the condition (EQ NE LT LE GT GE) says

#endif
