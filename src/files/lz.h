// Target names of compressed sources: a file compressed in the SZDD format
// keeps the last letter of its name in its header, a cabinet the names of the
// files it holds.
#ifndef SETUP32_FILES_LZ_H
#define SETUP32_FILES_LZ_H

#include <stddef.h>

enum { kcbNameHeader = 520 };  // bytes read from the head of a source file

// From the source's file name and the first cbHead bytes of the file: the name
// it installs under (pszOut; the name itself when nothing applies). Pure.
void fnExpandedNameFromHeader(const char *pszName, const unsigned char *pbHead, size_t cbHead, char *pszOut,
                              size_t cchOut);

// Reads the head of pszSrcPath: 1 with the target name in pszOut; 0 when the
// file cannot be opened, is empty or is not a disk file (pszOut = its name).
int fnExpandedFileName(const char *pszSrcPath, char *pszOut, size_t cchOut);

#endif
