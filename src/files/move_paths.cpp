// Paths the move and delete sections name.
#include "files/move_paths.h"
#include "base/path.h"

#include <windows.h>

#include "files/dirs_text.h"
#include "files/install_record.h"
#include "run/run_state.h"
#include "run/text.h"

int fnIsDirectoryPath(const char *pszPath)
{
    DWORD dwAttrib = GetFileAttributesA(pszPath);
    return dwAttrib != INVALID_FILE_ATTRIBUTES && (dwAttrib & FILE_ATTRIBUTE_DIRECTORY);
}

// A full path as written; otherwise joined to the source directory.
void fnRootAtSource(char *pszPath, size_t cchPath)
{
    if (fnIsRootedPath(pszPath))
        return;
    char szJoined[kcchFileSpec];
    fnPathJoin(szJoined, COUNTOF(szJoined), g_szSourceDir, pszPath);
    fnCopyText(pszPath, cchPath, szJoined);
}
