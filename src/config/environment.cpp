// [SetEnvironment]. A registry change is also made in this program's own
// environment (so programs it starts later see it) and announced to every
// top-level window. AUTOEXEC.BAT is edited through a temporary copy like any
// configuration file.
#include "config/environment.h"

#include "base/whole_file.h"
#include "config/iniedit.h"
#include "config/iniedit_text.h"
#include "expand/expand.h"
#include "base/attrib.h"
#include "base/registry.h"
#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/conditions.h"
#include "script/lines.h"
#include "script/input.h"
#include "resource.h"

static const char kszUserEnvKey[] = "Environment";
static const char kszMachineEnvKey[] = "System\\CurrentControlSet\\Control\\Session Manager\\Environment";
static const char kszAutoExec[] = "C:\\AUTOEXEC.BAT";

enum { kcchEnvValue = 2048 };

int fnSetRegEnvironment(const char *pszName, const char *pszValue, const char *pszAction, BOOL bMulti, BOOL bUser)
{
    HKEY hRoot = bUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    const char *pszKey = bUser ? kszUserEnvKey : kszMachineEnvKey;
    char cAction = fnUpperChar(pszAction[0] ? pszAction[0] : 'N');
    // Read as stored: a REG_EXPAND_SZ value keeps its %VARIABLE% references
    // and its type, or every later reference would be frozen or broken.
    char szCurrent[kcchEnvValue] = "";
    DWORD dwType = REG_SZ;
    int bExists = fnGetRegistryByValue(hRoot, &dwType, pszKey, pszName, szCurrent, kcchLine, kRegTextRaw);
    if (dwType != REG_EXPAND_SZ)
        dwType = REG_SZ;
    char szNew[kcchEnvValue];
    if (!bExists) {
        if (cAction == 'D')
            return 1;
        fnCopyText(szNew, COUNTOF(szNew), pszValue);
    } else if (!bMulti) {
        if (cAction == 'S')
            return 1;
        fnCopyText(szNew, COUNTOF(szNew), cAction == 'D' ? "" : pszValue);
    } else {
        fnCopyText(szNew, COUNTOF(szNew), szCurrent);
        TRACE("fnSetRegEnvironment", "szTestValue=%s,\nszEnvString=%s,\nlpzAction=%s", pszValue, szCurrent, pszAction);
        if (!fnEditListItem(szNew, kcchLine, pszValue, cAction))
            return 0;
    }
    TRACE("fnSetRegEnvironment->After Edit", "szFindKey=%s,\nszEnvString=%s", pszName, szNew);
    int bOk;
    if (szNew[0])
        bOk = fnRegOpenAndSet(hRoot, pszKey, pszName, szNew, dwType, 0);
    else
        bOk = !bExists || fnRegDelValue(hRoot, pszKey, pszName);
    if (!bOk)
        return 0;
    TRACE("fnSetRegEnvironment->After Set", "szFindKey=%s,\nszEnvString=%s", pszName, szNew);
    char szOwn[kcchEnvValue];
    if (dwType == REG_EXPAND_SZ) {
        DWORD cch = ExpandEnvironmentStringsA(szNew, szOwn, COUNTOF(szOwn));
        if (cch == 0 || cch > COUNTOF(szOwn))
            fnCopyText(szOwn, COUNTOF(szOwn), szNew);
    } else {
        fnCopyText(szOwn, COUNTOF(szOwn), szNew);
    }
    if (SetEnvironmentVariableA(pszName, szOwn[0] ? szOwn : NULL)) {
        DWORD_PTR dwResult = 0;
        SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, (LPARAM) "Environment", SMTO_ABORTIFHUNG, 5000,
                            &dwResult);
    }
    return 1;
}

static int fnAskGoOn(UINT uId, const char *pszArg)
{
    return fnMsgBox(uId, NULL, MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL, pszArg) == IDYES;
}

int fnSetAutoExecEnvironment(HWND hwndMain, IniBackupStruct *pBackup, const char *pszName, const char *pszValue,
                             const char *pszAction, BOOL bQuiet)
{
    DWORD dwRoot = GetFileAttributesA("C:\\");
    if (dwRoot == INVALID_FILE_ATTRIBUTES || !(dwRoot & FILE_ATTRIBUTE_DIRECTORY)) {
        fnAskGoOn(IDS_INI_DIR_ERROR, "C:\\");
        return 1;
    }
    char szFile[MAX_PATH];
    if (!fnIniBackupFile(hwndMain, pBackup, kszAutoExec, g_uBackUpMethod, szFile, COUNTOF(szFile)))
        return 0;
    if (GetFileAttributesA(szFile) == INVALID_FILE_ATTRIBUTES) {
        CFileHandle hNew(CreateFileA(szFile, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL));
    }
    DWORD dwAttrib = INVALID_FILE_ATTRIBUTES;
    if (!fnEnableWriteToFile(hwndMain, szFile, &dwAttrib))
        return bQuiet ? 0 : fnAskGoOn(IDS_INI_FILE_ERROR, szFile);
    char szTemp[MAX_PATH];
    if (!fnMakeEditTempFile(szTemp, COUNTOF(szTemp)))
        return bQuiet ? 0 : fnAskGoOn(IDS_INI_WRITE_ERROR, szFile);

    char cAction = fnUpperChar(pszAction[0] ? pszAction[0] : 'N');
    char cPlace = pszAction[0] ? fnUpperChar(pszAction[1]) : '\0';
    int bEdited;
    if (fnTextEqualI(pszName, "PATH")) {
        TRACE("fnSetAutoExecEnvironment->Before Set",
              "szProfileFile=%s,\nszTempFile=%s,\nszKey=%s,\nszValue=%s,\nszAction=%c,\nszSubValue=%c", szFile, szTemp,
              pszName, pszValue, cAction, cPlace ? cPlace : 'E');
        bEdited = fnEditPath(szFile, szTemp, "PATH ", pszValue, pszValue, cAction, cPlace ? cPlace : 'E');
    } else {
        IniEditStruct edit;
        memset(&edit, 0, sizeof(edit));
        fnCopyText(edit.szFile, COUNTOF(edit.szFile), szFile);
        fnFormatText(edit.szKey, COUNTOF(edit.szKey), "set %s=", pszName);
        fnFormatText(edit.szValue, COUNTOF(edit.szValue), "set %s=%s", pszName, pszValue);
        edit.szSubValue[0] = cPlace;
        edit.cType = 'C';
        edit.cAction = cAction;
        fnIniPrepareEdit(&edit);
        bEdited = fnEditIniLine(szFile, szTemp, &edit);
    }
    int bResult;
    if (!bEdited) {
        bResult = bQuiet ? 0 : fnAskGoOn(IDS_INI_WRITE_ERROR, szFile);
    } else {
        switch (fnReplaceEditedFile(szFile, szTemp, dwAttrib, !bQuiet)) {
        case kReplaceDone:
        case kReplaceIgnored:
            bResult = 1;
            break;
        case kReplaceAbort:
            bResult = 0;
            break;
        default:
            bResult = bQuiet ? 0 : fnAskGoOn(IDS_INI_WRITE_ERROR, szFile);
            break;
        }
    }
    DeleteFileA(szTemp);
    if (dwAttrib != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesA(szFile, dwAttrib);
    return bResult;
}

// A yes/no field: its first letter "Y" or "N" decides, anything else keeps the default.
static BOOL fnLineYesNo(char *pszLine, unsigned uField, BOOL bDefault)
{
    char szField[kcchInfLine];
    fnInfParseField(pszLine, uField, szField, COUNTOF(szField));
    int iYesNo = fnYesNoField(szField);
    return iYesNo == kYesNoOther ? bDefault : iYesNo == kYesNoYes;
}

int fnReadSetEnvironment(HWND hwndMain, const char *pszBody)
{
    IniBackupStruct backup;  // AUTOEXEC.BAT is backed up once per section
    memset(&backup, 0, sizeof(backup));
    char szLine[kcchInfLine];
    const char *pszPos = pszBody;
    while (fnInfNextSectionLine(&pszPos, szLine, COUNTOF(szLine))) {
        int iTest = fnInfTestIfTwoFields(szLine, COUNTOF(szLine));
        int iAction = fnInfLineAction(iTest);
        if (iAction == kLineEndSection)
            return kSectionDone;
        if (iAction == kLinePass)
            continue;
        unsigned uFirst = 1;
        char szKey[kcchInfLine], szValue[kcchInfLine], szAction[kcchInfLine];
        if (fnInfParseField(szLine, 0, szKey, COUNTOF(szKey))) {
            // A prefix is a condition on the line; the fields move up by one.
            if (iTest == IDTEST_NOTEST) {
                fnInfParseField(szLine, 1, szValue, COUNTOF(szValue));
                iTest = fnInfTestField(szKey, szValue);
                if (iTest == IDTEST_SKIPSECTION)
                    return kSectionDone;
                if (iTest == IDTEST_FALSE)
                    continue;
            }
            uFirst = 2;
        }
        fnInfParseField(szLine, uFirst, szKey, COUNTOF(szKey));
        fnExpandOpts(szKey, COUNTOF(szKey));
        fnTrimBlanks(szKey);
        if (!szKey[0])
            return kSectionFailed;
        fnInfParseField(szLine, uFirst + 1, szValue, COUNTOF(szValue));
        if (szValue[0])
            fnExpandOpts(szValue, COUNTOF(szValue));
        fnInfParseField(szLine, uFirst + 2, szAction, COUNTOF(szAction));
        fnTrimBlanks(szAction);
        if (strlen(szAction) > 2)
            szAction[2] = '\0';
        fnUpperText(szAction);
        if (!szAction[0])
            fnCopyText(szAction, COUNTOF(szAction), "N");
        BOOL bMulti = fnLineYesNo(szLine, uFirst + 3, FALSE);
        BOOL bQuiet = fnLineYesNo(szLine, uFirst + 4, FALSE);
        BOOL bReg = fnLineYesNo(szLine, uFirst + 5, TRUE);
        BOOL bUser = fnLineYesNo(szLine, uFirst + 6, TRUE);
        BOOL bAuto = fnLineYesNo(szLine, uFirst + 7, FALSE);
        TRACE("fnReadSetEnvironment", "szKey=%s, szValue=%s, szAction=%s, bMulti=%d, bQuiet=%d, bReg=%d, bUser=%d, bAuto=%d",
              szKey, szValue, szAction, bMulti, bQuiet, bReg, bUser, bAuto);
        fnLogLine("%s, %s, %s, %d, %d, %d, %d, %d", 1, szKey, szValue, szAction, bMulti, bQuiet, bReg, bUser, bAuto);
        if (bReg && !fnSetRegEnvironment(szKey, szValue, szAction, bMulti, bUser) && !bQuiet &&
            !fnAskGoOn(IDS_ENV_REG_ERROR, szKey))
            return kSectionFailed;
        if (bAuto && !fnSetAutoExecEnvironment(hwndMain, &backup, szKey, szValue, szAction, bQuiet) && !bQuiet &&
            !fnAskGoOn(IDS_ENV_AUTOEXEC_ERROR, szKey))
            return kSectionFailed;
    }
    return kSectionDone;
}

int fnSetEnvironmentSection(HWND hwndMain, char *pszSection, const char *, UserInputStruct *, const char *)
{
    return fnReadSetEnvironment(hwndMain, fnInfSectionBody(pszSection));
}
