// Version resources of files: reading their version texts and comparing
// their version numbers.
#ifndef SETUP32_BASE_VERSION_H
#define SETUP32_BASE_VERSION_H

#include <stddef.h>

enum { kcchVersionText = 128 };

// Comparison codes of fnCmpFileVersion.
enum {
    kVerEqual = 0, kVerReadError = 1, kVerNoResource = 2, kVerUnreadable = 3,
    kVerNoFixedPart = 5, kVerOlder = 7, kVerNewer = 11,
};

// Comparison codes of fnCmpFileVersionInfo (new file against existing file).
enum {
    kVerInfoIdentical = 0, kVerInfoReadError = 1, kVerInfoNone = 2, kVerInfoNewUnreadable = 3,
    kVerInfoOldUnreadable = 4, kVerInfoNoFixedPart = 5, kVerInfoDifferent = 6, kVerInfoOlder = 7,
    kVerInfoFlags = 8, kVerInfoOS = 9, kVerInfoLanguage = 10,
};

// Up to four parts separated by "." or ","; missing parts are 0. Pure.
void fnParseVersionText(const char *pszVersion, unsigned short awVer[4]);
int fnVersionCodeMeets(int iCode, const char *pszCondition);  // 1 a kVer* code satisfies EQ NE LT LE GT GE (any case); codes 1-3 and other conditions give 0. Pure.

// File version, product version and copyright (each kcchVersionText; any out
// may be NULL): 1 read; 0 with "NA" in every out, or "NF" when the file
// cannot be found.
int fnGetFileVersion(const char *pszFile, char *pszFileVer, char *pszProductVer, char *pszCopyright);
int fnCmpFileVersion(const char *pszFile, const char *pszVersion);  // file against a version text: kVer* codes
int fnCmpFileVersionInfo(const char *pszNewFile, const char *pszOldFile);  // kVerInfo* code 0-10
int fnTestFileVersion(const char *pszFile, const char *pszCondition, const char *pszVersion);  // 1 the file's version relates as the condition (EQ NE LT LE GT GE) says

#endif
