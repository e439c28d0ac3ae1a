#include "base/attrib.h"

#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "resource.h"

int fnTestWriteToFile(const char *pszFile)
{
    // The attribute is tested apart: a privileged process may open a
    // read-only file for writing all the same.
    DWORD dwAttrib = GetFileAttributesA(pszFile);
    if (dwAttrib == INVALID_FILE_ATTRIBUTES || (dwAttrib & FILE_ATTRIBUTE_READONLY))
        return 0;
    CFileHandle hFile(CreateFileA(pszFile, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, NULL));
    return hFile.Get() != INVALID_HANDLE_VALUE;
}

int fnEnableWriteToFile(HWND hwnd, const char *pszFile, DWORD *pdwAttrib)
{
    (void)hwnd;
    DWORD dwAttrib = GetFileAttributesA(pszFile);
    *pdwAttrib = dwAttrib;
    TRACE("fnEnableWriteToFile", "lpszFile=%s,\ndwAttrib=%lx", pszFile, (unsigned long)dwAttrib);
    if (dwAttrib == INVALID_FILE_ATTRIBUTES || fnTestWriteToFile(pszFile))
        return 1;
    if (fnMsgBox(IDS_FILE_READONLY, NULL, MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL, pszFile) != IDYES)
        return 0;
    SetFileAttributesA(pszFile, FILE_ATTRIBUTE_NORMAL);
    // A file held open by another program stays unwritable whatever its attributes.
    if (fnTestWriteToFile(pszFile))
        return 1;
    SetFileAttributesA(pszFile, dwAttrib);
    return 0;
}

int fnFileOrDirExists(const char *pszPath)
{
    if (!pszPath || !pszPath[0])
        return 0;
    WIN32_FIND_DATAA fd;
    CFindHandle hFind(FindFirstFileA(pszPath, &fd));
    return hFind.IsValid() ? 1 : 0;
}
