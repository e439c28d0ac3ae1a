// Bounded text helpers: every copy into a fixed buffer goes through here.
// Each call takes the real capacity, always terminates the destination and
// reports whether the whole source fitted. No Windows calls needed.
#ifndef SETUP32_RUN_TEXT_H
#define SETUP32_RUN_TEXT_H

#include <stdarg.h>
#include <stddef.h>
#include <stdio.h>
#include <string.h>

// COUNTOF refuses pointers: it only compiles for real arrays.
template <typename T, size_t N>
char (&fnCountOfHelper(T (&)[N]))[N];
#define COUNTOF(a) (sizeof(fnCountOfHelper(a)))

int fnCopyText(char *pszDst, size_t cchDst, const char *pszSrc);                  // 1 whole text copied, 0 cut (or no room)
int fnCopyTextN(char *pszDst, size_t cchDst, const char *pszSrc, size_t cchSrc);  // copies at most cchSrc chars; 1 whole, 0 cut
int fnAppendText(char *pszDst, size_t cchDst, const char *pszSrc);                // 1 whole text appended, 0 cut
int fnFormatText(char *pszDst, size_t cchDst, const char *pszFormat, ...)         // 1 whole text formatted, 0 cut
    __attribute__((format(printf, 3, 4)));
int fnFormatTextV(char *pszDst, size_t cchDst, const char *pszFormat, va_list args);  // as fnFormatText
int fnAppendFormat(char *pszDst, size_t cchDst, const char *pszFormat, ...)       // appends formatted text; 1 whole, 0 cut
    __attribute__((format(printf, 3, 4)));

char fnUpperChar(char c);                                             // ASCII upper case
int fnTextEqualI(const char *pszA, const char *pszB);                 // 1 equal ignoring case
int fnTextEqualNI(const char *pszA, const char *pszB, size_t cch);    // 1 first cch chars equal ignoring case
int fnTextBeginsI(const char *pszText, const char *pszPrefix);        // 1 text begins with prefix, any case
const char *fnFindTextI(const char *pszText, const char *pszFind);    // first occurrence ignoring case, or NULL
void fnUpperText(char *pszText);                                      // upper-cases in place
int fnIsBlank(char c);                                                // 1 for blank or tab
const char *fnSkipBlanks(const char *psz);                            // the first character that is not a blank or tab
char *fnTrimBlanks(char *pszText);                                    // trims blanks and tabs both ends in place; returns pszText
int fnIsTrue(const char *pszText);                                    // 1 for "TRUE" or "1" (any case)
enum { kYesNoOther = -1, kYesNoNo = 0, kYesNoYes = 1 };
int fnYesNoField(const char *pszField);                               // first letter after blanks "Y" 1, "N" 0 (any case), else -1
int fnIsYes(const char *pszText);                                     // 1 when the first letter after blanks is Y or y
unsigned fnDecimalValue(const char *pszText);                         // the leading decimal digits (after blanks); 0 none; stops at the largest unsigned

// The unbounded calls are not to be used anywhere, nor Windows' own
// unbounded copies. A poisoned name may not appear again, not even in a
// system header, so on Windows its headers are read first and their
// ANSI/wide macros dropped before the names are poisoned.
#ifdef _WIN32
#include <windows.h>
#undef lstrcpy
#undef lstrcat
#undef wsprintf
#undef wvsprintf
#pragma GCC poison lstrcpyA lstrcatA wsprintfA wvsprintfA lstrcpy lstrcat wsprintf wvsprintf
#endif
#pragma GCC poison strcpy strcat sprintf vsprintf

#endif
