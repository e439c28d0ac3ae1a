// Joining and splitting paths. Pure text logic (no Windows calls), so it also
// builds natively: the caller passes the character stepper, which on Windows
// is CharNextA, so that a "\" byte inside a double-byte character is never
// taken for a separator (base/path.h has the Windows forms).
#ifndef SETUP32_BASE_PATH_TEXT_H
#define SETUP32_BASE_PATH_TEXT_H

#include <stddef.h>

typedef const char *(*PFN_NEXTCHAR)(const char *psz);  // the character after the one at psz

const char *fnNextByte(const char *psz);  // single-byte stepping: psz + 1
int fnIsPathSep(char c);                  // 1 for "\" or "/"
size_t fnPathRootLength(const char *pszPath);  // characters of the drive or UNC root (with its separator), 0 without one

// pszDir, one "\", pszName: separators at the start of the name are dropped,
// none is added after a directory that ends in one; an empty directory gives
// the name alone. 1 whole, 0 cut.
int fnPathJoinWith(char *pszOut, size_t cchOut, const char *pszDir, const char *pszName, PFN_NEXTCHAR pfnNext);

// Splits at the last separator ("C:NAME" after the colon). A root keeps its
// separator ("C:\NAME" is in "C:\", "\NAME" in "\"); no separator: empty
// directory. 1 both parts whole, 0 cut.
int fnPathSplitWith(const char *pszPath, char *pszDir, size_t cchDir, char *pszName, size_t cchName,
                    PFN_NEXTCHAR pfnNext);

// The system's own form of a full path, as a rename by handle takes it:
// "\??\C:\DIR\NAME" for "C:\DIR\NAME", "\??\UNC\SERVER\SHARE\NAME" for
// "\\SERVER\SHARE\NAME". Only a path the Win32 names would take as written:
// a relative path, "/", an empty, "." or ".." part, or a part ending in a dot
// or a space gives 0 (pszOut undefined); 1 made, 0 also when cut.
int fnNtPathOf(const char *pszPath, char *pszOut, size_t cchOut, PFN_NEXTCHAR pfnNext);

#endif
