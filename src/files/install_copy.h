// The copy steps of one-file installation: the full copy with version
// checks, the plain and the expanding copy, appending and the one-pass copy
// into a new file.
#ifndef SETUP32_FILES_INSTALL_COPY_H
#define SETUP32_FILES_INSTALL_COPY_H

#include <windows.h>

// Copy steps: VIF_* result bits, 0 on success.
DWORD fnVerInstallFile(DWORD dwFlags, const char *pszSrcName, const char *pszDstName, const char *pszSrcDir,
                       const char *pszDstDir, const char *pszCurDir, char *pszTempFile, size_t cchTempFile,
                       unsigned uInstallMode, BOOL bKeepAttrib);
DWORD fnCopyFileAsIs(const char *pszSrcDir, const char *pszSrcName, const char *pszDstDir, const char *pszDstName,
                     BOOL bKeepAttrib);
DWORD fnExpandCopyFile(const char *pszSrcDir, const char *pszSrcName, const char *pszDstDir, const char *pszDstName,
                       BOOL bKeepAttrib);
DWORD fnAppendToFile(const char *pszReadFile, const char *pszAppendFile);  // appends a whole file to another; VIF_* bits
// Copies into a target that does not exist yet, creating it new (never over
// an existing file), with the source's write time and the attributes a copy
// gets; a failed copy leaves no target. 0 copied, else the Win32 error:
// ERROR_FILE_EXISTS when the target is there, ERROR_PATH_NOT_FOUND when its
// folder is missing, ERROR_NOT_SUPPORTED for what
// only the full copy handles (an SZDD source with bExpand, removable disks).
DWORD fnCopyToNewFile(const char *pszSrc, const char *pszTarget, BOOL bKeepAttrib, BOOL bExpand);

#endif
