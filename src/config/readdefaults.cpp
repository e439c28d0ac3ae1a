// [ReadDefaults], [ReadIniFiles] and [ReadDefaultSettings]: values read from
// configuration files, by the system's profile functions or by a text search,
// into the default settings "@P1".."@P9".
#include "config/readdefaults.h"

#include "base/whole_file.h"
#include "config/iniedit_text.h"
#include "expand/expand.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "script/conditions.h"
#include "script/lines.h"
#include "script/input.h"

static void fnReadOneSetting(char *pszLine, unsigned uFirst, char *pszOut, size_t cchOut)
{
    char szFile[kcchInfLine], szSection[kcchInfLine], szKey[kcchInfLine], szType[kcchInfLine], szSub[kcchInfLine],
        szDefault[kcchInfLine];
    fnInfParseField(pszLine, uFirst, szFile, COUNTOF(szFile));
    fnInfParseField(pszLine, uFirst + 1, szSection, COUNTOF(szSection));
    fnInfParseField(pszLine, uFirst + 2, szKey, COUNTOF(szKey));
    fnInfParseField(pszLine, uFirst + 3, szType, COUNTOF(szType));
    fnInfParseField(pszLine, uFirst + 4, szSub, COUNTOF(szSub));
    fnInfParseField(pszLine, uFirst + 5, szDefault, COUNTOF(szDefault));
    fnExpandOpts(szFile, COUNTOF(szFile));
    fnExpandOpts(szSection, COUNTOF(szSection));
    fnExpandOpts(szKey, COUNTOF(szKey));
    fnExpandOpts(szSub, COUNTOF(szSub));
    fnExpandOpts(szDefault, COUNTOF(szDefault));
    pszOut[0] = '\0';
    if (!szFile[0] || !szKey[0])
        return;
    char cType = szType[0] ? fnUpperChar(szType[0]) : 'I';
    char szValue[kcchIniValue] = "";
    int bFound = 0;
    if (cType == 'I') {
        GetPrivateProfileStringA(szSection, szKey, "A_TEST_STRING", szValue, COUNTOF(szValue), szFile);
        bFound = strcmp(szValue, "A_TEST_STRING") != 0;
    } else {
        DWORD cb = 0;
        char *pchText = fnReadWholeFile(szFile, &cb, kcbEditFileMax);
        if (pchText) {
            if ((cType == 'W' || cType == 'M') && szSection[0] && szSection[0] != '[') {
                char szBracketed[kcchInfLine];
                fnFormatText(szBracketed, COUNTOF(szBracketed), "[%s]", szSection);
                fnCopyText(szSection, COUNTOF(szSection), szBracketed);
            }
            bFound = fnFindIniText(pchText, cb, szSection, szKey, cType, szSub, szValue, COUNTOF(szValue));
            HeapFree(GetProcessHeap(), 0, pchText);
        }
    }
    fnCopyText(pszOut, cchOut, bFound ? szValue : szDefault);
}

int fnReadIniFiles(HWND hwndMain, const char *pszBody)
{
    (void)hwndMain;
    int bSkipIfFails = 0;
    unsigned uSlot = 0;
    char szLine[kcchInfLine];
    const char *pszPos = pszBody;
    while (uSlot < kuDefaultSettings && fnInfNextSectionLine(&pszPos, szLine, COUNTOF(szLine))) {
        int iTest = fnInfTestIfTwoFields(szLine, COUNTOF(szLine));
        if (iTest == IDTEST_SKIPSECTION)
            break;
        if (iTest == IDTEST_CONTINUE)
            continue;  // a guard that passed takes no slot
        unsigned uFirst = 1;
        char szKey[kcchInfLine], szValue[kcchInfLine];
        if (fnInfParseField(szLine, 0, szKey, COUNTOF(szKey))) {
            fnInfParseField(szLine, 1, szValue, COUNTOF(szValue));
            fnTrimBlanks(szKey);
            if (fnTextEqualI(szKey, "ExpandDelims")) {
                fnCopyText(g_szExpandDelims, COUNTOF(g_szExpandDelims), szValue);
                continue;
            }
            if (fnTextEqualI(szKey, "SkipIfTestFails")) {
                bSkipIfFails = fnIsYes(fnTrimBlanks(szValue));
                continue;
            }
            if (iTest == IDTEST_NOTEST)
                iTest = fnInfTestField(szKey, szValue);
            uFirst = 2;
        }
        if (iTest == IDTEST_SKIPSECTION)
            break;
        if (iTest == IDTEST_CONTINUE)
            continue;
        if (iTest == IDTEST_FALSE) {
            if (!bSkipIfFails)
                g_szDefaultSetting[uSlot++][0] = '\0';
            continue;
        }
        fnReadOneSetting(szLine, uFirst, g_szDefaultSetting[uSlot], COUNTOF(g_szDefaultSetting[uSlot]));
        TRACE("fnReadIniFiles", "g_szDefaultSetting[%d]=%s", (int)uSlot, g_szDefaultSetting[uSlot]);
        uSlot++;
    }
    return kSectionDone;
}

int fnReadDefaultsSection(HWND hwndMain, char *pszSection, const char *, UserInputStruct *, const char *)
{
    return fnReadIniFiles(hwndMain, fnInfSectionBody(pszSection));
}
