// Paths the move and delete sections name.
#ifndef SETUP32_FILES_MOVE_PATHS_H
#define SETUP32_FILES_MOVE_PATHS_H

#include <stddef.h>

int fnIsDirectoryPath(const char *pszPath);            // 1 the path names an existing directory
void fnRootAtSource(char *pszPath, size_t cchPath);   // a path without a root is joined to the source directory

#endif
