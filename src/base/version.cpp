#include <windows.h>

#include "base/version.h"

#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"

namespace {

// A file's version resource, read into a block 128 bytes larger than the
// size the version library asks for.
struct VersionBlock {
    CGlobalBlock block;
    DWORD cbInfo = 0;
    DWORD dwErr = 0;
};

enum { kLoadOk = 1, kLoadNone = 0, kLoadMemory = -1 };

int fnLoadVersionInfo(const char *pszFile, VersionBlock *pVer)
{
    DWORD dwHandle = 0;
    SetLastError(0);
    pVer->cbInfo = GetFileVersionInfoSizeA(pszFile ? pszFile : "", &dwHandle);
    if (pVer->cbInfo == 0) {
        pVer->dwErr = GetLastError();
        return kLoadNone;
    }
    if (!pVer->block.fnAlloc(pVer->cbInfo + 128) ||
        !GetFileVersionInfoA(pszFile, 0, pVer->cbInfo + 128, pVer->block.Get())) {
        pVer->dwErr = GetLastError();
        return kLoadMemory;
    }
    return kLoadOk;
}

// Errors that mean the file is there but cannot be read.
int fnIsReadError(DWORD dwErr)
{
    switch (dwErr) {
    case 2: case 3: case 4: case 5: case 14: case 18: case 32: case 54:
        return 1;
    default:
        return 0;
    }
}

// The first translation as eight lower-case hex digits (language, code
// page), or "040904e4" when the resource has none.
void fnLanguageOf(const VersionBlock &ver, char szLang[9])
{
    void *pv = NULL;
    UINT cb = 0;
    if (VerQueryValueA(ver.block.Get(), "\\VarFileInfo\\Translation", &pv, &cb) && pv && cb >= 4) {
        const WORD *pw = (const WORD *)pv;
        fnFormatText(szLang, 9, "%04x%04x", pw[0], pw[1]);
    } else {
        fnCopyText(szLang, 9, "040904e4");
    }
}

const VS_FIXEDFILEINFO *fnFixedPart(const VersionBlock &ver)
{
    void *pv = NULL;
    UINT cb = 0;
    if (!VerQueryValueA(ver.block.Get(), "\\", &pv, &cb) || !pv || cb < sizeof(VS_FIXEDFILEINFO))
        return NULL;
    return (const VS_FIXEDFILEINFO *)pv;
}

void fnQueryString(const VersionBlock &ver, const char *pszLang, const char *pszKey, char *pszOut)
{
    if (!pszOut)
        return;
    pszOut[0] = '\0';
    char szQuery[96];
    fnFormatText(szQuery, COUNTOF(szQuery), "\\StringFileInfo\\%s\\%s", pszLang, pszKey);
    void *pv = NULL;
    UINT cch = 0;
    if (VerQueryValueA(ver.block.Get(), szQuery, &pv, &cch) && pv)
        fnCopyTextN(pszOut, kcchVersionText, (const char *)pv, cch);
}

void fnSetAll(char *pszFileVer, char *pszProductVer, char *pszCopyright, const char *pszText)
{
    char *apsz[3] = {pszFileVer, pszProductVer, pszCopyright};
    for (char *psz : apsz)
        if (psz)
            fnCopyText(psz, kcchVersionText, pszText);
}

void fnTraceSizeFailure(const char *pszFile, DWORD dwErr, DWORD cbInfo)
{
    const char *pszTitle = "fnGetFileVersion, GetFileVersionInfo Failed.";
    if (dwErr == 2 || dwErr == 3)
        TRACE(pszTitle, "File/path not found, dwError=%lu\nlpszFile=%s", dwErr, pszFile);
    else if (dwErr == 1812)
        TRACE(pszTitle, "Resource not found, dwError=%lu\nlpszFile=%s", dwErr, pszFile);
    else if (dwErr == 4 || dwErr == 5 || dwErr == 18 || dwErr == 32 || dwErr == 54)
        TRACE(pszTitle, "File problem, dwError=%lu, dwVerSize=%lu.\nlpszFile=%s", dwErr, cbInfo, pszFile);
    else if (dwErr == 14)
        TRACE(pszTitle, "Out of memeory, dwError=%lu, dwVerSize=%lu.\nlpszFile=%s", dwErr, cbInfo, pszFile);
    else
        TRACE(pszTitle, "dwError=%lu, dwVerSize=%lu.\nlpszFile=%s", dwErr, cbInfo, pszFile);
}

}  // namespace

int fnGetFileVersion(const char *pszFile, char *pszFileVer, char *pszProductVer, char *pszCopyright)
{
    if (!pszFile)
        pszFile = "";
    TRACE("fnGetFileVersion", "lpszFile=%s", pszFile);
    fnSetAll(pszFileVer, pszProductVer, pszCopyright, "");
    VersionBlock ver;
    int iLoad = fnLoadVersionInfo(pszFile, &ver);
    if (iLoad != kLoadOk) {
        if (iLoad == kLoadNone)
            fnTraceSizeFailure(pszFile, ver.dwErr, ver.cbInfo);
        // "NF" only when the name cannot be found at all, also on the path.
        const char *pszNone = "NA";
        if (iLoad == kLoadNone && (ver.dwErr == 2 || ver.dwErr == 3 || ver.dwErr == 1812 || ver.dwErr == 1813)) {
            char szFound[MAX_PATH];
            DWORD cch = SearchPathA(NULL, pszFile, NULL, COUNTOF(szFound), szFound, NULL);
            if (cch == 0)
                pszNone = "NF";
        }
        fnSetAll(pszFileVer, pszProductVer, pszCopyright, pszNone);
        return 0;
    }
    char szLang[9];
    fnLanguageOf(ver, szLang);
    fnQueryString(ver, szLang, "FileVersion", pszFileVer);
    fnQueryString(ver, szLang, "ProductVersion", pszProductVer);
    fnQueryString(ver, szLang, "LegalCopyRight", pszCopyright);
    TRACE("fnGetFileVersion End", "lpszFile=%s,\nszLang=%s,\nFileVersion=%s", pszFile, szLang,
          pszFileVer ? pszFileVer : "");
    return 1;
}

int fnCmpFileVersion(const char *pszFile, const char *pszVersion)
{
    if (!pszFile)
        pszFile = "";
    if (!pszVersion)
        pszVersion = "";
    unsigned short awVer[4];
    fnParseVersionText(pszVersion, awVer);
    DWORD dwMS = ((DWORD)awVer[0] << 16) | awVer[1];
    DWORD dwLS = ((DWORD)awVer[2] << 16) | awVer[3];
    TRACE("fnCmpFileVersion",
          "lpszFileVersion=%s,\nwVer[0]=%u,\nwVer[1]=%u,\nwVer[2]=%u,\nwVer[3]=%u,\ndwFileVersionMS=%lu,\n"
          "dwFileVersionLS=%lu,\nlpszFile=%s",
          pszVersion, awVer[0], awVer[1], awVer[2], awVer[3], dwMS, dwLS, pszFile);

    VersionBlock ver;
    int iLoad = fnLoadVersionInfo(pszFile, &ver);
    int iRC;
    const VS_FIXEDFILEINFO *pFixed = NULL;
    if (iLoad == kLoadNone)
        iRC = fnIsReadError(ver.dwErr) ? kVerUnreadable : kVerNoResource;
    else if (iLoad == kLoadMemory)
        iRC = kVerReadError;
    else if (!(pFixed = fnFixedPart(ver)))
        iRC = kVerNoFixedPart;
    else if (pFixed->dwFileVersionMS != dwMS)
        iRC = pFixed->dwFileVersionMS < dwMS ? kVerOlder : kVerNewer;
    else if (pFixed->dwFileVersionLS != dwLS)
        iRC = pFixed->dwFileVersionLS < dwLS ? kVerOlder : kVerNewer;
    else
        iRC = kVerEqual;
    TRACE("fnCmpFileVersion End", "iRC=%d,\ndwError=%lu,\nlpszFile=%s", iRC, ver.dwErr, pszFile);
    return iRC;
}

int fnTestFileVersion(const char *pszFile, const char *pszCondition, const char *pszVersion)
{
    int iRCVs = fnCmpFileVersion(pszFile, pszVersion);
    int bRC = fnVersionCodeMeets(iRCVs, pszCondition);
    TRACE("fnTestFileVersion", "uRCVs=%u, lpszFile=%s, lpszCondition=%s lpszFileVersion=%s", (unsigned)iRCVs,
          pszFile ? pszFile : "", pszCondition ? pszCondition : "", pszVersion ? pszVersion : "");
    return bRC;
}

// 1 when version a (high, low) is below version b.
static int fnIsLower(DWORD dwMSa, DWORD dwLSa, DWORD dwMSb, DWORD dwLSb)
{
    return dwMSa < dwMSb || (dwMSa == dwMSb && dwLSa < dwLSb);
}

// Both resources read: identical, or how the new one differs. Compared
// before any query, since the version library may write converted strings
// into the spare end of a block.
static unsigned fnCompareLoaded(const VersionBlock &verNew, const VersionBlock &verOld, char szLangNew[9],
                                char szLangOld[9])
{
    if (verNew.cbInfo == verOld.cbInfo) {
        TRACE("fnCmpFileVersionInfo version sizes match", "dwSize=%lu", verNew.cbInfo);
        if (memcmp(verNew.block.Get(), verOld.block.Get(), verNew.cbInfo) == 0)
            return kVerInfoIdentical;
    }
    TRACE("fnCmpFileVersionInfo versions do not match", "dwSourceVerInfoSize=%lu,\ndwTargetVerInfoSize=%lu",
          verNew.cbInfo, verOld.cbInfo);
    const VS_FIXEDFILEINFO *pNew = fnFixedPart(verNew);
    const VS_FIXEDFILEINFO *pOld = fnFixedPart(verOld);
    if (!pNew || !pOld)
        return kVerInfoNoFixedPart;
    // Later rules override earlier ones.
    unsigned uRC = kVerInfoDifferent;
    if (pNew->dwFileFlags != pOld->dwFileFlags)
        uRC = kVerInfoFlags;
    if (pNew->dwFileOS != pOld->dwFileOS)
        uRC = kVerInfoOS;
    fnLanguageOf(verNew, szLangNew);
    fnLanguageOf(verOld, szLangOld);
    if (!fnTextEqualI(szLangNew, szLangOld))
        uRC = kVerInfoLanguage;
    if (fnIsLower(pNew->dwFileVersionMS, pNew->dwFileVersionLS, pOld->dwFileVersionMS, pOld->dwFileVersionLS) ||
        fnIsLower(pNew->dwProductVersionMS, pNew->dwProductVersionLS, pOld->dwProductVersionMS,
                  pOld->dwProductVersionLS))
        uRC = kVerInfoOlder;
    return uRC;
}

int fnCmpFileVersionInfo(const char *pszNewFile, const char *pszOldFile)
{
    if (!pszNewFile)
        pszNewFile = "";
    if (!pszOldFile)
        pszOldFile = "";
    VersionBlock verNew, verOld;
    int iNew = fnLoadVersionInfo(pszNewFile, &verNew);
    int iOld = iNew == kLoadOk ? fnLoadVersionInfo(pszOldFile, &verOld) : kLoadNone;
    char szLangNew[9] = "", szLangOld[9] = "";
    unsigned uRC;
    if (iNew == kLoadMemory || iOld == kLoadMemory)
        uRC = kVerInfoReadError;
    else if (iNew == kLoadNone)
        uRC = fnIsReadError(verNew.dwErr) ? kVerInfoNewUnreadable : kVerInfoNone;
    else if (iOld == kLoadNone)
        uRC = fnIsReadError(verOld.dwErr) ? kVerInfoOldUnreadable : kVerInfoNone;
    else
        uRC = fnCompareLoaded(verNew, verOld, szLangNew, szLangOld);
    TRACE("fnCmpFileVersionInfo End",
          "uRC=%u,\ndwSourceVerInfoSize=%lu,\ndwTargetVerInfoSize=%lu,\nlpszSourceFS=%s,\nlpszTargetFS=%s", uRC,
          verNew.cbInfo, verOld.cbInfo, szLangNew, szLangOld);
    return (int)uRC;
}
