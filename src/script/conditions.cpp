#include "script/conditions.h"

#include "base/attrib.h"
#include "expand/expand.h"
#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "resource.h"

const char *fnInfNextLine(const char *pszPos, char *pszLine, size_t cchLine)
{
    fnPumpMessagesSometimes();
    return fnInfReadLine(pszPos, pszLine, cchLine);
}

int fnInfNextSectionLine(const char **ppszPos, char *pszLine, size_t cchLine)
{
    if (!*ppszPos)
        return 0;
    pszLine[0] = '\0';
    *ppszPos = fnInfNextLine(*ppszPos, pszLine, cchLine);
    return pszLine[0] != '\0';
}

int fnInfNextLineToDo(const char **ppszPos, char *pszLine, size_t cchLine)
{
    while (fnInfNextSectionLine(ppszPos, pszLine, cchLine)) {
        int iAction = fnInfLineAction(fnInfTestIfTwoFields(pszLine, cchLine));
        if (iAction == kLineEndSection)
            return 0;
        if (iAction == kLineProcess)
            return 1;
    }
    return 0;
}

// Each guard keyword with the results for "equal/exists" and otherwise.
struct GuardStruct {
    const char *pszPrefix;
    int bFileTest;
    int iWhenTrue;
    int iWhenFalse;
};

static const GuardStruct g_aGuards[] = {
    {"SkipIfTrue:", 0, IDTEST_SKIPSECTION, IDTEST_CONTINUE},
    {"ProcessIfTrue:", 0, IDTEST_CONTINUE, IDTEST_SKIPSECTION},
    {"SkipIfFileExists", 1, IDTEST_SKIPSECTION, IDTEST_CONTINUE},
    {"ProcessIfFileExists", 1, IDTEST_CONTINUE, IDTEST_SKIPSECTION},
    {"ProcessIfFileNotFound", 1, IDTEST_SKIPSECTION, IDTEST_CONTINUE},
};

static int fnTestGuardOrPlain(const char *pszLeft, const char *pszRight, char cTest)
{
    for (const GuardStruct &guard : g_aGuards) {
        if (guard.bFileTest) {
            if (fnTextEqualI(pszLeft, guard.pszPrefix))
                return fnFileOrDirExists(pszRight) ? guard.iWhenTrue : guard.iWhenFalse;
        } else if (fnTextBeginsI(pszLeft, guard.pszPrefix)) {
            int bEqual = fnTextEqualI(pszLeft + strlen(guard.pszPrefix), pszRight);
            if (cTest == '~')
                bEqual = !bEqual;
            return bEqual ? guard.iWhenTrue : guard.iWhenFalse;
        }
    }
    int bEqual = fnTextEqualI(pszLeft, pszRight);
    if (cTest == '~')
        bEqual = !bEqual;
    return bEqual ? IDTEST_TRUE : IDTEST_FALSE;
}

int fnInfTestField(const char *pszLeft, const char *pszRight)
{
    char szLeft[kcchInfLine];
    char szRight[kcchInfLine];
    char cTest = '=';
    fnCopyText(szLeft, COUNTOF(szLeft), pszLeft);
    if (pszRight[0] && strchr("<=>?~", pszRight[0])) {
        cTest = pszRight[0];
        pszRight++;
    }
    fnCopyText(szRight, COUNTOF(szRight), pszRight);
    fnExpandOpts(szLeft, COUNTOF(szLeft));
    fnExpandOpts(szRight, COUNTOF(szRight));
    int uTest = fnTestGuardOrPlain(szLeft, szRight, cTest);
    TRACE("fnInfTestField Return", "lpszLeft=%s, lpszRight=%s, cTest=%c, uTest=%u", szLeft, szRight, cTest,
          (unsigned)uTest);
    return uTest;
}

int fnInfTestIfTwoFields(char *pszLine, size_t cchLine)
{
    if (!pszLine)
        return IDTEST_FALSE;
    char szKey[kcchInfLine];
    char szValue[kcchInfLine];
    if (fnInfIsGuardLine(pszLine) && fnInfParseField(pszLine, 0, szKey, COUNTOF(szKey))) {
        if (!fnInfParseField(pszLine, 1, szValue, COUNTOF(szValue)))
            return IDTEST_FALSE;
        return fnInfTestField(szKey, szValue);
    }
    const char *pszRemainder = fnInfConditionRemainder(pszLine);
    if (!pszRemainder)
        return IDTEST_NOTEST;
    int bKey = fnInfParseField(pszLine, 0, szKey, COUNTOF(szKey));
    if (bKey && !fnInfParseField(pszLine, 1, szValue, COUNTOF(szValue)))
        return IDTEST_FALSE;
    int iTest = bKey ? fnInfTestField(szKey, szValue) : IDTEST_NOTEST;
    // The remainder lies inside the line: move it to the front.
    memmove(pszLine, pszRemainder, strnlen(pszRemainder, cchLine - (pszRemainder - pszLine)) + 1);
    return iTest;
}

int fnInfParseFieldMsg(char *pszLine, unsigned uField, char *pszOut, size_t cchOut)
{
    if (fnInfParseField(pszLine, uField, pszOut, cchOut))
        return 1;
    if (!g_bQuiet)
        fnMsgBox(IDS_FIELD_ERROR, NULL, MB_OK | MB_ICONERROR | MB_TASKMODAL, uField, pszLine);
    return 0;
}

int fnInfKeyMatch(char *pszLine, char *pszKey, const char *pszName, char *pszDest, size_t cchDest)
{
    if (!fnTextEqualI(pszKey, pszName))
        return 0;
    char szValue[kcchInfLine];
    fnInfParseField(pszLine, 1, szValue, COUNTOF(szValue));
    fnExpandOpts(szValue, COUNTOF(szValue));
    fnCopyText(pszDest, cchDest, szValue);
    pszKey[0] = '\0';
    return 1;
}

int fnInfLoadSection(const char *pszText, unsigned uLine, const char *pszHeader, char *pszOut, size_t cchOut)
{
    pszOut[0] = '\0';
    const char *pszPos = fnInfFindSection(pszText, pszHeader, 1);
    if (!pszPos || uLine == 0)
        return 0;
    char szLine[kcchInfLine];
    for (unsigned u = 1; pszPos; u++) {
        szLine[0] = '\0';
        pszPos = fnInfReadLine(pszPos, szLine, COUNTOF(szLine));
        if (!szLine[0])
            return 0;
        if (u == uLine)
            return fnInfParseField(szLine, 1, pszOut, cchOut);
    }
    return 0;
}

int fnReadLineFromFile(HANDLE hFile, char *pszBuffer, unsigned uSize)
{
    TRACE("fnReadLineFromFile Begin", "lpszBuffer=%s,\nuBytes=%u", "", uSize);
    if (uSize < 2)
        return -1;
    memset(pszBuffer, 0, uSize);
    LARGE_INTEGER liZero = {}, liStart;
    if (!SetFilePointerEx(hFile, liZero, &liStart, FILE_CURRENT))
        return -1;
    DWORD cbRead = 0;
    // One byte is kept for the terminator.
    if (!ReadFile(hFile, pszBuffer, uSize - 1, &cbRead, NULL) || cbRead == 0)
        return 1;
    if (pszBuffer[0] == 26) {
        pszBuffer[0] = '\0';
        return 1;
    }
    DWORD i = 0;
    while (i < cbRead && pszBuffer[i] != '\0' && pszBuffer[i] != '\r' && pszBuffer[i] != '\n' && pszBuffer[i] != 26)
        i++;
    int iRC;
    if (i < cbRead && pszBuffer[i] == 26) {
        pszBuffer[i + 1] = '\0';
        iRC = 1;
    } else {
        if (i == cbRead && cbRead == uSize - 1)
            return -1;  // no line end within the buffer: the line does not fit
        if (i < cbRead && pszBuffer[i] == '\r' && i + 1 < cbRead && pszBuffer[i + 1] == '\n')
            i += 2;
        else if (i < cbRead)
            i += 1;  // CR, LF or NUL
        pszBuffer[i] = '\0';
        iRC = (cbRead < uSize - 1 && i >= cbRead) ? 1 : 0;
        LARGE_INTEGER liNext;
        liNext.QuadPart = liStart.QuadPart + i;
        if (!SetFilePointerEx(hFile, liNext, NULL, FILE_BEGIN))
            return -1;
    }
    TRACE("fnReadLineFromFile End", "lpszBuffer=%s,\nuBytes=%u", pszBuffer, (unsigned)cbRead);
    return iRC;
}

// A line with a key ("left=right" before its fields) carries a condition in
// fields 0 and 1; its own fields then begin one later.
int fnInfLinePrefix(char *pszLine, size_t cchLine, unsigned *puFirst)
{
    *puFirst = 1;
    int iTest = fnInfTestIfTwoFields(pszLine, cchLine);
    int iAction = fnInfLineAction(iTest);
    if (iAction != kLineProcess)
        return iAction;
    char szKey[kcchInfLine], szValue[kcchInfLine];
    if (!fnInfParseField(pszLine, 0, szKey, COUNTOF(szKey)))
        return kLineProcess;
    *puFirst = 2;
    if (iTest != IDTEST_NOTEST)
        return kLineProcess;
    fnInfParseField(pszLine, 1, szValue, COUNTOF(szValue));
    iTest = fnInfTestField(szKey, szValue);
    if (iTest == IDTEST_SKIPSECTION)
        return kLineEndSection;
    return iTest == IDTEST_FALSE ? kLinePass : kLineProcess;
}

int fnInfNextFieldLine(const char **ppszPos, char *pszLine, size_t cchLine, unsigned *puFirst)
{
    while (fnInfNextSectionLine(ppszPos, pszLine, cchLine)) {
        int iAction = fnInfLinePrefix(pszLine, cchLine, puFirst);
        if (iAction == kLineEndSection)
            return -1;
        if (iAction == kLineProcess)
            return 1;
    }
    return 0;
}

int fnInfExpandedField(char *pszLine, unsigned uField, char *pszOut, size_t cchOut)
{
    char szField[kcchInfLine];
    if (!fnInfParseField(pszLine, uField, szField, COUNTOF(szField))) {
        pszOut[0] = '\0';
        return 0;
    }
    fnExpandOpts(szField, COUNTOF(szField));
    fnCopyText(pszOut, cchOut, szField);
    SecureZeroMemory(szField, sizeof(szField));  // the field may have held a password
    return 1;
}
