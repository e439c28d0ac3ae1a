// Free names for backups and side-by-side installs.
#ifndef SETUP32_BASE_UNIQUE_H
#define SETUP32_BASE_UNIQUE_H

#include <stddef.h>

// Name for a file about to be replaced in pszDir: 1 the target is absent
// (pszOut = the target path), 2 it exists (pszOut = a free backup path),
// 0 no free name.
int fnUniqueFileName(const char *pszDir, const char *pszName, char *pszOut, size_t cchOut);

#endif
