#include <windows.h>

#include "config/read_line.h"

#include "base/whole_file.h"
#include "config/iniedit_text.h"
#include "run/guards.h"
#include "run/text.h"
#include "run/trace.h"

// Larger files are not configuration files: they are not read at all.
enum { kcbIniReadMax = 64 * 1024 * 1024 };

int fnReadIniLine(const char *pszFile, const char *pszSection, const char *pszKey, char cType, char *pszOut,
                  size_t cchOut)
{
    if (cchOut)
        pszOut[0] = '\0';
    DWORD cb = 0;
    char *pch = fnReadWholeFile(pszFile, &cb, kcbIniReadMax);
    if (!pch) {
        TRACE("fnReadIniLine", "Could not read file szFile=%s", pszFile);
        return 0;
    }
    int bFound = fnFindIniText(pch, cb, pszSection ? pszSection : "", pszKey, cType, "", pszOut, cchOut);
    HeapFree(GetProcessHeap(), 0, pch);
    return bFound;
}
