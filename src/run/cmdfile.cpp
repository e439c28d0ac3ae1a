#include "run/cmdfile.h"

#include <stdlib.h>

#include "expand/expand.h"
#include "run/cmdline.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "script/conditions.h"
#include "script/lines.h"

static const char kszStart[] = "START";

// The profile functions look for a name without a directory in the Windows
// directory: give them a full path.
static void fnFullPath(const char *pszName, char *pszOut, size_t cchOut)
{
    char szFull[kcchPath];
    DWORD cch = GetFullPathNameA(pszName, COUNTOF(szFull), szFull, NULL);
    fnCopyText(pszOut, cchOut, (cch == 0 || cch >= COUNTOF(szFull)) ? pszName : szFull);
}

int fnFindCmdFile(const char *pszName, char *pszOut, size_t cchOut)
{
    if (fnFileOrDirExists(pszName)) {
        fnFullPath(pszName, pszOut, cchOut);
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
    return fnIsTrue(szValue) || atoi(szValue) != 0;
}

void fnReadCmdFile(CmdLineStruct *pCmd)
{
    char szFile[kcchPath];
    fnFindCmdFile(pCmd->szCmdFile, szFile, COUNTOF(szFile));
    pCmd->bTempExec = fnReadFlag(szFile, "TEMPEXEC");
    pCmd->bQuiet = fnReadFlag(szFile, "BEQUIET");
    fnReadKey(szFile, "DESTDIR", pCmd->szDestDir, COUNTOF(pCmd->szDestDir));
    fnReadKey(szFile, "SOURCEDIR", pCmd->szSourceDir, COUNTOF(pCmd->szSourceDir));
    fnReadKey(szFile, "ASKFOR", pCmd->szAskFor, COUNTOF(pCmd->szAskFor));
    fnReadKey(szFile, "INIFILE", pCmd->szIniFile, COUNTOF(pCmd->szIniFile));
    fnReadKey(szFile, "CMDFILE", pCmd->szCmdFile, COUNTOF(pCmd->szCmdFile));
    fnReadKey(szFile, "STARTUPMSG", pCmd->szMessage, COUNTOF(pCmd->szMessage));
    pCmd->bMessage = pCmd->szMessage[0] ? 1 : 0;
    TRACE("fnReadCmdFile", "szCmdFile=%s,\nINIFILE=%s,\nDESTDIR=%s,\nBEQUIET=%d", szFile, pCmd->szIniFile,
          pCmd->szDestDir, pCmd->bQuiet);
}

// What a [WriteCmdFile] section asks for.
struct CmdFileStruct {
    CmdLineStruct cmd;
    int bNoPrompts;
    int bDontDelete;
    char szWriteFile[kcchPath];
};

// Reads one "key=value" line into the record; 0 when the key is not one of ours.
static int fnTakeCmdFileKey(CmdFileStruct *pFile, const char *pszKey, const char *pszValue)
{
    struct TextKey {
        const char *pszKey;
        char *pszDest;
        size_t cchDest;
    } aTexts[] = {
        {"DestDir", pFile->cmd.szDestDir, 260},   {"SourceDir", pFile->cmd.szSourceDir, 260},
        {"IniFile", pFile->cmd.szIniFile, 260},   {"CmdFile", pFile->cmd.szCmdFile, 260},
        {"AskFor", pFile->cmd.szAskFor, 128},     {"StartupMsg", pFile->cmd.szMessage, 128},
        {"WriteFile", pFile->szWriteFile, 260},
    };
    for (const TextKey &key : aTexts) {
        if (fnTextEqualI(pszKey, key.pszKey)) {
            fnCopyText(key.pszDest, key.cchDest, pszValue);
            return 1;
        }
    }
    struct FlagKey {
        const char *pszKey;
        int *pbFlag;
    } aFlags[] = {
        {"BeQuiet", &pFile->cmd.bQuiet},
        {"NoPrompts", &pFile->bNoPrompts},
        {"TempExec", &pFile->cmd.bTempExec},
        {"DontDelete", &pFile->bDontDelete},
    };
    for (const FlagKey &key : aFlags) {
        if (fnTextEqualI(pszKey, key.pszKey)) {
            *key.pbFlag = fnIsTrue(pszValue);
            return 1;
        }
    }
    return 0;
}

static void fnWriteKey(const char *pszFile, const char *pszKey, const char *pszValue)
{
    if (pszValue[0])
        WritePrivateProfileStringA(kszStart, pszKey, pszValue, pszFile);
}

static void fnWriteCmdFileKeys(const CmdFileStruct *pFile)
{
    char szFile[kcchPath];
    fnFullPath(pFile->szWriteFile, szFile, COUNTOF(szFile));
    if (!pFile->bDontDelete)
        DeleteFileA(szFile);
    if (pFile->cmd.bTempExec)
        WritePrivateProfileStringA(kszStart, "TEMPEXEC", "TRUE", szFile);
    if (pFile->cmd.bQuiet)
        WritePrivateProfileStringA(kszStart, "BEQUIET", "TRUE", szFile);
    fnWriteKey(szFile, "DESTDIR", pFile->cmd.szDestDir);
    fnWriteKey(szFile, "SOURCEDIR", pFile->cmd.szSourceDir);
    fnWriteKey(szFile, "ASKFOR", pFile->cmd.szAskFor);
    fnWriteKey(szFile, "INIFILE", pFile->cmd.szIniFile);
    fnWriteKey(szFile, "CMDFILE", pFile->cmd.szCmdFile);
    fnWriteKey(szFile, "STARTUPMSG", pFile->cmd.szMessage);
    WritePrivateProfileStringA(NULL, NULL, NULL, szFile);  // flush the profile cache
    TRACE("fnWriteCmdFile", "szWriteFile=%s", szFile);
}

int fnWriteCmdFile(HWND hwndMain, char *pszSection, const char *pszHeader)
{
    (void)hwndMain;
    const char *pszPos = fnInfFindSection(pszSection, pszHeader, 1);
    if (!pszPos)
        return 1;
    CmdFileStruct file;
    memset(&file, 0, sizeof(file));
    char szLine[kcchInfLine];
    char szKey[kcchInfLine];
    char szValue[kcchInfLine];
    while (fnInfNextSectionLine(&pszPos, szLine, COUNTOF(szLine))) {
        if (fnInfTestIfTwoFields(szLine, COUNTOF(szLine)) == IDTEST_FALSE)
            continue;
        if (!fnInfParseField(szLine, 0, szKey, COUNTOF(szKey)))
            return 0;
        fnInfParseField(szLine, 1, szValue, COUNTOF(szValue));
        fnExpandOpts(szValue, COUNTOF(szValue));
        if (!fnTakeCmdFileKey(&file, szKey, szValue))
            break;
    }
    if (file.szWriteFile[0])
        fnWriteCmdFileKeys(&file);
    return 1;
}
