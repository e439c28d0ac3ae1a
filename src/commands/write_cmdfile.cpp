// The [WriteCmdFile] section: writes a command file that a later run reads
// with -c=.
#include "commands/write_cmdfile.h"

#include "base/path.h"
#include "expand/expand.h"
#include "run/cmdline.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "script/conditions.h"
#include "script/lines.h"
#include "script/input.h"

static const char kszStart[] = "START";

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
        {"WriteFile", pFile->szWriteFile, 260},   {"LogFile", pFile->cmd.szEventLog, 260},
    };
    for (const TextKey &key : aTexts) {
        if (fnTextEqualI(pszKey, key.pszKey)) {
            fnCopyText(key.pszDest, key.cchDest, pszValue);
            return 1;
        }
    }
    // BeQuiet=2 asks for an unattended next run (BEQUIET=2), as "-q=2" does.
    if (fnTextEqualI(pszKey, "BeQuiet") && fnDecimalValue(pszValue) == 2) {
        pFile->cmd.bQuiet = pFile->cmd.bUnattended = 1;
        return 1;
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
    fnFullPathName(pFile->szWriteFile, szFile, COUNTOF(szFile));
    if (!pFile->bDontDelete)
        DeleteFileA(szFile);
    if (pFile->cmd.bTempExec)
        WritePrivateProfileStringA(kszStart, "TEMPEXEC", "TRUE", szFile);
    if (pFile->cmd.bQuiet)
        WritePrivateProfileStringA(kszStart, "BEQUIET", pFile->cmd.bUnattended ? "2" : "TRUE", szFile);
    fnWriteKey(szFile, "DESTDIR", pFile->cmd.szDestDir);
    fnWriteKey(szFile, "SOURCEDIR", pFile->cmd.szSourceDir);
    fnWriteKey(szFile, "ASKFOR", pFile->cmd.szAskFor);
    fnWriteKey(szFile, "INIFILE", pFile->cmd.szIniFile);
    fnWriteKey(szFile, "CMDFILE", pFile->cmd.szCmdFile);
    fnWriteKey(szFile, "STARTUPMSG", pFile->cmd.szMessage);
    fnWriteKey(szFile, "LOGFILE", pFile->cmd.szEventLog);
    WritePrivateProfileStringA(NULL, NULL, NULL, szFile);  // flush the profile cache
    TRACE("fnWriteCmdFile", "szWriteFile=%s", szFile);
}

int fnWriteCmdFile(HWND hwndMain, char *pszSection, const char *pszHeader)
{
    (void)hwndMain;
    (void)pszHeader;
    const char *pszPos = fnInfSectionBody(pszSection);
    CmdFileStruct file;
    memset(&file, 0, sizeof(file));
    char szLine[kcchInfLine];
    char szKey[kcchInfLine];
    char szValue[kcchInfLine];
    while (fnInfNextLineToDo(&pszPos, szLine, COUNTOF(szLine))) {
        if (!fnInfParseField(szLine, 0, szKey, COUNTOF(szKey)))
            return kSectionFailed;
        fnInfParseField(szLine, 1, szValue, COUNTOF(szValue));
        fnExpandOpts(szValue, COUNTOF(szValue));
        if (!fnTakeCmdFileKey(&file, szKey, szValue))
            break;
    }
    if (file.szWriteFile[0])
        fnWriteCmdFileKeys(&file);
    return kSectionDone;
}
