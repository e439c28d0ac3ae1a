// Script lines with their Windows-side helpers: conditions and guards (which
// expand variables and look at files), keyword match, the field reader that
// reports a missing field, the numbered-line lookup and the file line reader.
#ifndef SETUP32_SCRIPT_CONDITIONS_H
#define SETUP32_SCRIPT_CONDITIONS_H

#include <windows.h>

#include "script/lines.h"

const char *fnInfNextLine(const char *pszPos, char *pszLine, size_t cchLine);  // the line reader, pumping messages first (once a clock tick)
int fnInfNextSectionLine(const char **ppszPos, char *pszLine, size_t cchLine);  // section walk: 1 next line read (*ppszPos moved on), 0 end
int fnInfNextLineToDo(const char **ppszPos, char *pszLine, size_t cchLine);  // the same, passing over lines whose condition says so (condition cut off); 0 at the end or a skip-section guard
int fnInfTestIfTwoFields(char *pszLine, size_t cchLine);  // IDTEST_*; a two-field condition is cut off the line in place
int fnInfLinePrefix(char *pszLine, size_t cchLine, unsigned *puFirst);  // condition of a line whose fields count from 1: kLineProcess (*puFirst 1, or 2 after a left=right prefix), kLinePass, kLineEndSection
int fnInfNextFieldLine(const char **ppszPos, char *pszLine, size_t cchLine, unsigned *puFirst);  // next line to act on (fnInfLinePrefix): 1 read, 0 the body ended, -1 a guard ended the section
int fnInfTestField(const char *pszLeft, const char *pszRight);  // evaluates one condition: IDTEST_CONTINUE..IDTEST_SKIPSECTION
int fnInfParseFieldMsg(char *pszLine, unsigned uField, char *pszOut, size_t cchOut);  // as fnInfParseField; a missing field is reported to the user
int fnInfExpandedField(char *pszLine, unsigned uField, char *pszOut, size_t cchOut);  // field uField expanded into pszOut (cut to cchOut); 0 no such field (pszOut empty)
int fnInfKeyMatch(char *pszLine, char *pszKey, const char *pszName, char *pszDest, size_t cchDest);  // 1 key matched: field 1 expanded into pszDest, key cleared
int fnInfLoadSection(const char *pszText, unsigned uLine, const char *pszHeader, char *pszOut, size_t cchOut);  // field 1 of line uLine (from 1); 1 found
int fnReadLineFromFile(HANDLE hFile, char *pszBuffer, unsigned uSize);  // 1 last line or end, 0 more follows, -1 line too long or position error

#endif
