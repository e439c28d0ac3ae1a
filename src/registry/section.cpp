// The registry section handler. Each line is "Action=field1, field2, ...";
// a table gives every action the positions of its fields and its default
// check action. Read results fill g_szRegValues from slot 0 in line order.
#include "registry/section.h"

#include "process/launch.h"

#include "expand/expand.h"
#include "base/registry.h"
#include "run/guards.h"
#include "run/message.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/conditions.h"
#include "script/lines.h"
#include "script/input.h"
#include "resource.h"

namespace {

enum { kcchRegField = 1024, kcchRegShort = 32, kcchRegMessage = 256 };

const char kszNotFound[] = "-NOTFOUND-";

// One line's fields, cut to their sizes.
struct RegLineStruct {
    char szType[kcchRegShort];
    char szKey[kcchRegField];
    char szValue[kcchRegField];
    char szNewValue[kcchRegField];
    char szData[kcchRegField];
    char szValue2[kcchRegField];
    char szData2[kcchRegField];
    char szCheck[kcchRegShort];
    char szMessage[kcchRegMessage];
    char szProgram[MAX_PATH];
    char szEnumAction[kcchRegShort];
    HKEY hRoot;
    DWORD dwType;
};

// The handler's per-run state.
struct RegRunStruct {
    HWND hwndMain;
    unsigned uReg;     // next slot of g_szRegValues
    int bTrimSlash;
    int bExact;
};

// What a line came to.
enum { kRegLineOk = 1, kRegLineFailed = 0, kRegLineStop = 2 };

typedef int (*PFN_REGACTION)(RegRunStruct *pRun, RegLineStruct *pLine);

// Field positions (0: the action has no such field).
struct RegActionRow {
    const char *pszName;
    unsigned uType, uKey, uValue, uNewValue, uData, uValue2, uData2, uCheck, uMessage, uProgram, uEnumAction;
    const char *pszDefaultCheck;
    PFN_REGACTION pfnAction;
};

void fnStore(RegRunStruct *pRun, const char *pszText, int bTrim)
{
    if (pRun->uReg >= kuRegValues) {  // nine slots: later results are not kept
        TRACE("fnRegistrySection", "Result not stored, all %u slots used: %s", (unsigned)kuRegValues, pszText);
        return;
    }
    char *pszSlot = g_szRegValues[pRun->uReg++];
    fnCopyText(pszSlot, kcchRegValue, pszText);
    if (bTrim && pRun->bTrimSlash)
        fnStripTrailingBSlash(pszSlot);
}

int fnActEdit(RegRunStruct *, RegLineStruct *pLine)
{
    if (fnTextEqualI(pLine->szCheck, "SKIPIFEXISTS")) {
        char szOld[kcchRegField];
        DWORD dwType = 0;
        if (fnGetRegistryByValue(pLine->hRoot, &dwType, pLine->szKey, pLine->szValue, szOld, COUNTOF(szOld),
                                 kRegTextHex))
            return kRegLineOk;
    }
    return fnRegOpenAndSet(pLine->hRoot, pLine->szKey, pLine->szValue, pLine->szData, pLine->dwType, 0);
}

int fnActRead(RegRunStruct *pRun, RegLineStruct *pLine)
{
    char szText[kcchRegValue];
    DWORD dwType = 0;
    int bFound = pLine->hRoot && fnGetRegistry(pLine->hRoot, &dwType, pLine->szKey, szText, COUNTOF(szText), kRegTextHex);
    fnStore(pRun, bFound ? szText : kszNotFound, bFound);
    return bFound;
}

int fnActReadValue(RegRunStruct *pRun, RegLineStruct *pLine)
{
    char szText[kcchRegValue];
    DWORD dwType = 0;
    int bFound = pLine->hRoot && fnGetRegistryByValue(pLine->hRoot, &dwType, pLine->szKey, pLine->szValue, szText,
                                                      COUNTOF(szText), kRegTextDecimal);
    fnStore(pRun, bFound ? szText : kszNotFound, bFound);
    return bFound;
}

int fnActMatch(RegRunStruct *pRun, RegLineStruct *pLine)
{
    char szText[kcchRegValue];
    DWORD dwType = 0;
    int bFound = pLine->hRoot && fnGetRegistry(pLine->hRoot, &dwType, pLine->szKey, szText, COUNTOF(szText), kRegTextHex);
    int bMatch = 0;
    if (bFound && pLine->szData[0])
        bMatch = pRun->bExact ? fnTextEqualI(szText, pLine->szData) : fnTextBeginsI(szText, pLine->szData);
    fnStore(pRun, bMatch ? "1" : "0", 0);
    return kRegLineOk;  // "Match" never prompts
}

int fnActEnum(RegRunStruct *pRun, RegLineStruct *pLine)
{
    char szText[kcchRegValue] = "0000";
    if (pLine->hRoot)
        fnRegGetEnum(pLine->hRoot, pLine->szKey, pLine->szValue, pLine->szData, pLine->szValue2, pLine->szData2,
                     pLine->szEnumAction[0] ? pLine->szEnumAction : "L", szText, COUNTOF(szText));
    fnStore(pRun, szText, 1);
    return kRegLineOk;
}

int fnActDeleteValue(RegRunStruct *, RegLineStruct *pLine)
{
    return fnRegDelValue(pLine->hRoot, pLine->szKey, pLine->szValue);
}

int fnActDeleteValues(RegRunStruct *, RegLineStruct *pLine)
{
    return fnRegDelAllValues(pLine->hRoot, pLine->szKey) == ERROR_SUCCESS;
}

int fnActDeleteKey(RegRunStruct *, RegLineStruct *pLine)
{
    fnRegDelAllValues(pLine->hRoot, pLine->szKey);
    return fnRegDelKeyTree(pLine->hRoot, pLine->szKey) == ERROR_SUCCESS;
}

int fnActDeleteBranch(RegRunStruct *, RegLineStruct *pLine)
{
    return fnRegDelKeyTree(pLine->hRoot, pLine->szKey) == ERROR_SUCCESS;
}

// Moves a value to a new name with its data and type exactly as they were
// (any type, any size), then deletes the old value.
int fnMoveValue(HKEY hRoot, const char *pszKey, const char *pszOld, const char *pszKeyNew, const char *pszNew)
{
    if (!pszOld[0] || !pszNew[0])
        return 0;
    CRegKey hKey;
    if (RegOpenKeyExA(hRoot, pszKey, 0, KEY_QUERY_VALUE, hKey.Out()) != ERROR_SUCCESS)
        return 0;
    DWORD dwType = 0, cbData = 0;
    if (RegQueryValueExA(hKey.Get(), pszOld, NULL, &dwType, NULL, &cbData) != ERROR_SUCCESS)
        return 0;
    BYTE *pbData = (BYTE *)HeapAlloc(GetProcessHeap(), 0, cbData + 2);
    if (!pbData)
        return 0;
    int bOk = 0;
    if (RegQueryValueExA(hKey.Get(), pszOld, NULL, &dwType, pbData, &cbData) == ERROR_SUCCESS) {
        CRegKey hNew;
        if (RegCreateKeyExA(hRoot, pszKeyNew, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL, hNew.Out(),
                            NULL) == ERROR_SUCCESS &&
            RegSetValueExA(hNew.Get(), pszNew, 0, dwType, pbData, cbData) == ERROR_SUCCESS)
            bOk = 1;
    }
    HeapFree(GetProcessHeap(), 0, pbData);
    hKey.fnClose();
    return bOk && fnRegDelValue(hRoot, pszKey, pszOld);
}

int fnActRenameValue(RegRunStruct *, RegLineStruct *pLine)
{
    return fnMoveValue(pLine->hRoot, pLine->szKey, pLine->szValue, pLine->szKey, pLine->szNewValue);
}

// "RenameKey" finds the old value under key\old-name and moves it under the
// key with the new name.
int fnActRenameKey(RegRunStruct *, RegLineStruct *pLine)
{
    char szPath[2 * kcchRegField];
    fnCopyText(szPath, COUNTOF(szPath), pLine->szKey);
    if (!fnRegJoinKey(szPath, COUNTOF(szPath), pLine->szValue))
        return 0;
    char szText[kcchRegValue];
    DWORD dwType = 0;
    if (!fnGetRegistry(pLine->hRoot, &dwType, szPath, szText, COUNTOF(szText), kRegTextRaw))
        return 0;
    // szPath is key\old: the value to move is the last part.
    char *pszSlash = strrchr(szPath, '\\');
    if (!pszSlash)
        return 0;
    *pszSlash = '\0';
    return fnMoveValue(pLine->hRoot, szPath, pszSlash + 1, pLine->szKey, pLine->szNewValue);
}

// A script's own message, expanded, in the message dialog; the button pressed.
int fnCustomMessage(HWND hwndOwner, const char *pszMessage, unsigned uButtons)
{
    MessageStruct msg;
    fnInitMessage(&msg, kPlaceCenter);
    fnCopyText(msg.szCaption, COUNTOF(msg.szCaption), g_szTitle);
    fnCopyText(msg.szMessage, COUNTOF(msg.szMessage), pszMessage);
    fnExpandOpts(msg.szMessage, COUNTOF(msg.szMessage));
    msg.uButtons = uButtons;
    int iAnswer = fnShowMessageDialog(hwndOwner, &msg);
    if (iAnswer == 0)  // the dialog could not be shown: the plain message box asks instead
        iAnswer = fnMsgBox(0, NULL, (uButtons == kButtonsOk ? MB_OK | MB_ICONSTOP : MB_YESNO | MB_ICONQUESTION) |
                                        MB_TASKMODAL, "%s", msg.szMessage);
    return iAnswer;
}

int fnAskContinue(RegRunStruct *pRun, const RegLineStruct *pLine, UINT uId)
{
    int iAnswer;
    if (!pLine->szMessage[0]) {
        iAnswer = fnMsgBox(uId, NULL, MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL);
    } else {
        iAnswer = fnCustomMessage(pRun->hwndMain, pLine->szMessage, kButtonsYesNo);
    }
    if (iAnswer != IDYES)
        return kRegLineStop;
    if (!pLine->szProgram[0])
        return kRegLineOk;
    char szProgram[kcchLine];
    fnCopyText(szProgram, COUNTOF(szProgram), pLine->szProgram);
    fnExpandOpts(szProgram, COUNTOF(szProgram));
    TRACE("fnRegistrySection Check", "szProgram=%s", szProgram);
    // Launched without waiting; a failure is reported by the launch itself.
    if (fnCreateProcess(szProgram, SW_SHOWNORMAL, kWaitNone, FALSE, FALSE, kErrorStopSerious, TRUE) != kLaunchOk)
        return kRegLineStop;
    return kRegLineOk;
}

int fnFatalStop(HWND hwndMain, const RegLineStruct *pLine)
{
    if (!pLine->szMessage[0]) {
        fnMsgBox(IDS_REG_VITAL, NULL, MB_OK | MB_ICONSTOP | MB_TASKMODAL);
    } else {
        fnCustomMessage(hwndMain, pLine->szMessage, kButtonsOk);
    }
    return kRegLineStop;
}

int fnActCheck(RegRunStruct *pRun, RegLineStruct *pLine)
{
    char szPath[2 * kcchRegField], szText[kcchRegValue];
    fnCopyText(szPath, COUNTOF(szPath), pLine->szKey);
    fnRegJoinKey(szPath, COUNTOF(szPath), pLine->szValue);
    DWORD dwType = 0;
    int bFound = fnGetRegistry(pLine->hRoot, &dwType, szPath, szText, COUNTOF(szText), kRegTextHex);
    int bEqual = bFound && fnTextEqualI(szText, pLine->szData);
    TRACE("fnRegistrySection Check", "szPath=%s,\nszFound=%s,\nbFound=%d,\nbEqual=%d,\nszCheck=%s", szPath, szText,
          bFound, bEqual, pLine->szCheck);
    const char *pszCheck = pLine->szCheck;
    if (fnTextEqualI(pszCheck, "EXIT"))
        return (bFound && !bEqual) ? kRegLineOk : kRegLineStop;
    if (fnTextEqualI(pszCheck, "CONTINUE"))
        return (bFound && !bEqual) ? kRegLineStop : kRegLineOk;
    if (fnTextEqualI(pszCheck, "PROMPTMATCH"))
        return bEqual ? fnAskContinue(pRun, pLine, IDS_REG_MATCHES) : kRegLineOk;
    if (fnTextEqualI(pszCheck, "PROMPT")) {
        if (bEqual)
            return kRegLineOk;
        return fnAskContinue(pRun, pLine, bFound ? IDS_REG_DIFFERS : IDS_REG_NOT_FOUND);
    }
    if (fnTextEqualI(pszCheck, "FATAL"))
        return bEqual ? kRegLineOk : fnFatalStop(pRun->hwndMain, pLine);
    return kRegLineOk;
}

const RegActionRow g_aRegActions[] = {
    //                 type key val new data val2 dat2 chk msg prg enum
    {"Edit", 1, 2, 3, 0, 4, 0, 0, 5, 0, 0, 0, "PROMPT", fnActEdit},
    {"Read", 1, 2, 0, 0, 0, 0, 0, 3, 0, 0, 0, "", fnActRead},
    {"ReadValue", 1, 2, 3, 0, 0, 0, 0, 4, 0, 0, 0, "", fnActReadValue},
    {"Match", 1, 2, 0, 0, 3, 0, 0, 0, 0, 0, 0, "", fnActMatch},
    {"Enum", 1, 2, 3, 0, 4, 5, 6, 0, 0, 0, 7, "", fnActEnum},
    {"Check", 1, 2, 3, 0, 4, 0, 0, 5, 6, 7, 0, "", fnActCheck},
    {"DeleteValue", 1, 2, 3, 0, 0, 0, 0, 4, 0, 0, 0, "PROMPT", fnActDeleteValue},
    {"DeleteValues", 1, 2, 0, 0, 0, 0, 0, 3, 0, 0, 0, "PROMPT", fnActDeleteValues},
    {"DeleteKey", 1, 2, 0, 0, 0, 0, 0, 3, 0, 0, 0, "PROMPT", fnActDeleteKey},
    {"DeleteBranch", 1, 2, 0, 0, 0, 0, 0, 3, 0, 0, 0, "PROMPT", fnActDeleteBranch},
    {"RenameValue", 0, 1, 2, 3, 0, 0, 0, 4, 0, 0, 0, "PROMPT", fnActRenameValue},
    {"RenameKey", 0, 1, 2, 3, 0, 0, 0, 4, 0, 0, 0, "PROMPT", fnActRenameKey},
};

// Field uField of the line (0: none) into pszOut, cut to cchOut; expanded when asked and not empty.
void fnRegField(char *pszLine, unsigned uField, char *pszOut, size_t cchOut, int bExpand)
{
    pszOut[0] = '\0';
    if (!uField)
        return;
    char szField[kcchInfLine];
    fnInfParseField(pszLine, uField, szField, COUNTOF(szField));
    if (bExpand && szField[0])
        fnExpandOpts(szField, COUNTOF(szField));
    fnCopyText(pszOut, cchOut, szField);
}

// One line; a kRegLine* result, or -1 to end the section with success.
int fnRegistryLine(RegRunStruct *pRun, char *pszLine)
{
    int iAction = fnInfLineAction(fnInfTestIfTwoFields(pszLine, kcchInfLine));
    if (iAction == kLinePass)
        return kRegLineOk;
    if (iAction == kLineEndSection)
        return -1;
    char szAction[kcchInfLine];
    if (!fnInfParseField(pszLine, 0, szAction, COUNTOF(szAction))) {
        TRACE("fnRegistrySection", "No keyword in line: %s", pszLine);
        return kRegLineStop;
    }
    fnTrimBlanks(szAction);
    char szSetting[kcchInfLine];
    if (fnTextEqualI(szAction, "TrimTrailingSlash")) {
        fnInfParseField(pszLine, 1, szSetting, COUNTOF(szSetting));
        int iYesNo = fnYesNoField(szSetting);
        if (iYesNo != kYesNoOther)
            pRun->bTrimSlash = iYesNo;
        return kRegLineOk;
    }
    if (fnTextEqualI(szAction, "ExpandDelims")) {
        fnInfParseField(pszLine, 1, szSetting, COUNTOF(szSetting));
        fnCopyText(g_szExpandDelims, COUNTOF(g_szExpandDelims), szSetting);
        return kRegLineOk;
    }
    if (fnTextEqualI(szAction, "BackupDir")) {
        fnInfParseField(pszLine, 1, szSetting, COUNTOF(szSetting));
        fnExpandOpts(szSetting, COUNTOF(szSetting));
        TRACE("fnRegistrySection", "BackupDir=%s", szSetting);
        return kRegLineOk;
    }
    const RegActionRow *pRow = NULL;
    for (const RegActionRow &row : g_aRegActions)
        if (fnTextEqualI(szAction, row.pszName))
            pRow = &row;
    if (!pRow) {
        TRACE("fnRegistrySection", "Unknown action %s: the section ends here", szAction);
        return -1;
    }
    if (fnTextEqualI(szAction, "Match"))
        pRun->bExact = 1;

    RegLineStruct line;  // this line's fields
    RegLineStruct *pLine = &line;
    memset(pLine, 0, sizeof(*pLine));
    fnRegField(pszLine, pRow->uType, pLine->szType, COUNTOF(pLine->szType), 0);
    fnRegField(pszLine, pRow->uKey, pLine->szKey, COUNTOF(pLine->szKey), 1);
    fnRegField(pszLine, pRow->uValue, pLine->szValue, COUNTOF(pLine->szValue), 1);
    fnRegField(pszLine, pRow->uNewValue, pLine->szNewValue, COUNTOF(pLine->szNewValue), 1);
    fnRegField(pszLine, pRow->uData, pLine->szData, COUNTOF(pLine->szData), 1);
    fnRegField(pszLine, pRow->uValue2, pLine->szValue2, COUNTOF(pLine->szValue2), 1);
    fnRegField(pszLine, pRow->uData2, pLine->szData2, COUNTOF(pLine->szData2), 1);
    fnRegField(pszLine, pRow->uCheck, pLine->szCheck, COUNTOF(pLine->szCheck), 0);
    fnRegField(pszLine, pRow->uMessage, pLine->szMessage, COUNTOF(pLine->szMessage), 0);
    fnRegField(pszLine, pRow->uProgram, pLine->szProgram, COUNTOF(pLine->szProgram), 0);
    fnRegField(pszLine, pRow->uEnumAction, pLine->szEnumAction, COUNTOF(pLine->szEnumAction), 0);
    fnTrimBlanks(pLine->szType);
    fnTrimBlanks(pLine->szCheck);
    if (!pRow->uCheck || !pLine->szCheck[0])
        fnCopyText(pLine->szCheck, COUNTOF(pLine->szCheck), pRow->pszDefaultCheck);
    if (pRow->pfnAction == fnActMatch) {
        char szExact[kcchInfLine];
        fnInfParseField(pszLine, 4, szExact, COUNTOF(szExact));
        int iYesNo = fnYesNoField(szExact);
        if (iYesNo != kYesNoOther)
            pRun->bExact = iYesNo;
    }
    pLine->dwType = fnRegTypeOf(pLine->szType);
    pLine->hRoot = pLine->szKey[0] ? fnSplitRegKey(pLine->szKey) : NULL;
    TRACE("fnRegistrySection",
          "szAction=%s,\nszType=%s,\nszRegKey=%s,\nszValue=%s,\nszNewValue=%s,\nszRegValue=%s,\nszValue2=%s,\n"
          "szData2=%s,\nszRegCheckAction=%s,\nhRoot=%p",
          szAction, pLine->szType, pLine->szKey, pLine->szValue, pLine->szNewValue, pLine->szData, pLine->szValue2,
          pLine->szData2, pLine->szCheck, (void *)pLine->hRoot);

    int iResult;
    if (pLine->hRoot || pRow->pfnAction == fnActRead || pRow->pfnAction == fnActReadValue ||
        pRow->pfnAction == fnActMatch || pRow->pfnAction == fnActEnum)
        iResult = pRow->pfnAction(pRun, pLine);  // reads without a root still fill their slot
    else
        iResult = kRegLineFailed;
    if (iResult == kRegLineFailed && fnTextEqualI(pLine->szCheck, "PROMPT") && pRow->pfnAction != fnActCheck)
        return fnMsgBox(IDS_REG_ERROR, NULL, MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL) == IDYES ? kRegLineOk
                                                                                                 : kRegLineStop;
    return iResult == kRegLineStop ? kRegLineStop : kRegLineOk;
}

}  // namespace

int fnRegistrySection(HWND hwndMain, const char *pszBody)
{
    RegRunStruct run = {hwndMain, 0, 0, 1};
    char szLine[kcchInfLine];
    const char *pszPos = pszBody;
    while (fnInfNextSectionLine(&pszPos, szLine, COUNTOF(szLine))) {
        int iResult = fnRegistryLine(&run, szLine);
        if (iResult == -1)
            return kSectionDone;
        if (iResult == kRegLineStop)
            return kSectionFailed;
    }
    return kSectionDone;
}

int fnRegistryRow(HWND hwndMain, char *pszSection, const char *, UserInputStruct *, const char *)
{
    return fnRegistrySection(hwndMain, fnInfSectionBody(pszSection));
}
