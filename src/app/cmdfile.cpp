#include "app/cmdfile.h"

#include "base/attrib.h"
#include "base/path.h"
#include "run/cmdline.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "script/conditions.h"
#include "script/lines.h"

static const char kszStart[] = "START";

int fnFindCmdFile(const char *pszName, char *pszOut, size_t cchOut)
{
    if (fnFileOrDirExists(pszName)) {
        fnFullPathName(pszName, pszOut, cchOut);
        return 1;
    }
    char szTry[kcchPath];
    fnFormatText(szTry, COUNTOF(szTry), "%s\\%s", g_szSourceDir, pszName);
    if (fnFileOrDirExists(szTry)) {
        fnCopyText(pszOut, cchOut, szTry);
        return 1;
    }
    const char *pszBase = strrchr(pszName, '\\');
    fnFormatText(pszOut, cchOut, "%s\\%s", g_szHomeDir, pszBase ? pszBase + 1 : pszName);
    return fnFileOrDirExists(pszOut);
}

static void fnReadKey(const char *pszFile, const char *pszKey, char *pszOut, size_t cchOut)
{
    char szValue[kcchInfLine];
    GetPrivateProfileStringA(kszStart, pszKey, "", szValue, COUNTOF(szValue), pszFile);
    fnCopyText(pszOut, cchOut, szValue);
}

// A flag is set by a non-zero number or by "TRUE", which is what the
// command-file writer puts there.
static int fnReadFlag(const char *pszFile, const char *pszKey)
{
    char szValue[16];
    GetPrivateProfileStringA(kszStart, pszKey, "", szValue, COUNTOF(szValue), pszFile);
    return fnIsTrue(szValue) || fnDecimalValue(szValue) != 0;
}

void fnReadCmdFile(CmdLineStruct *pCmd)
{
    char szFile[kcchPath];
    fnFindCmdFile(pCmd->szCmdFile, szFile, COUNTOF(szFile));
    pCmd->bTempExec = fnReadFlag(szFile, "TEMPEXEC");
    pCmd->bQuiet = fnReadFlag(szFile, "BEQUIET");
    char szQuiet[16];
    fnReadKey(szFile, "BEQUIET", szQuiet, COUNTOF(szQuiet));
    pCmd->bUnattended = fnDecimalValue(szQuiet) == 2;
    fnReadKey(szFile, "DESTDIR", pCmd->szDestDir, COUNTOF(pCmd->szDestDir));
    fnReadKey(szFile, "SOURCEDIR", pCmd->szSourceDir, COUNTOF(pCmd->szSourceDir));
    fnReadKey(szFile, "ASKFOR", pCmd->szAskFor, COUNTOF(pCmd->szAskFor));
    fnReadKey(szFile, "INIFILE", pCmd->szIniFile, COUNTOF(pCmd->szIniFile));
    fnReadKey(szFile, "CMDFILE", pCmd->szCmdFile, COUNTOF(pCmd->szCmdFile));
    fnReadKey(szFile, "STARTUPMSG", pCmd->szMessage, COUNTOF(pCmd->szMessage));
    pCmd->bMessage = pCmd->szMessage[0] ? 1 : 0;
    // A newer key: the command line's event log stays when the file names none.
    char szEventLog[kcchPath];
    fnReadKey(szFile, "LOGFILE", szEventLog, COUNTOF(szEventLog));
    if (szEventLog[0])
        fnCopyText(pCmd->szEventLog, COUNTOF(pCmd->szEventLog), szEventLog);
    TRACE("fnReadCmdFile", "szCmdFile=%s,\nINIFILE=%s,\nDESTDIR=%s,\nBEQUIET=%d", szFile, pCmd->szIniFile,
          pCmd->szDestDir, pCmd->bQuiet);
}
