// The links of the registered shortcut sections: one shell link per line.
#include "shortcuts/shortcuts.h"

#include <shlobj.h>
#include <shobjidl.h>

#include "base/path.h"
#include "expand/expand.h"
#include "expand/expand_text.h"
#include "run/com_guards.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/conditions.h"
#include "script/lines.h"
#include "shortcuts/shortcut_text.h"
#include "resource.h"

HRESULT fnCreateShortCut(const char *lpszPathLink, const char *lpszDescription, const char *lpszPath,
                         const char *lpszArguments, const char *lpszIconPath, int nIconIndex,
                         const char *lpszWorkingDirectory, WORD wHotkey, int nShowCmd)
{
    TRACE("fnCreateShortCut", "lpszPathLink=%s,\nlpszPath=%s,\nlpszArguments=%s,\nlpszIconPath=%s,\nnIconIndex=%d",
          lpszPathLink, lpszPath, lpszArguments, lpszIconPath, nIconIndex);
    CComPtr<IShellLinkA> link;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.OutVoid());
    if (FAILED(hr))
        return hr;
    hr = link->SetDescription(lpszDescription);
    if (SUCCEEDED(hr))
        hr = link->SetPath(lpszPath);
    if (SUCCEEDED(hr) && lpszArguments[0])
        hr = link->SetArguments(lpszArguments);
    if (SUCCEEDED(hr) && lpszIconPath[0])
        hr = link->SetIconLocation(lpszIconPath, nIconIndex);
    if (SUCCEEDED(hr) && lpszWorkingDirectory[0])
        hr = link->SetWorkingDirectory(lpszWorkingDirectory);
    if (SUCCEEDED(hr) && wHotkey)
        hr = link->SetHotkey(wHotkey);
    if (SUCCEEDED(hr) && nShowCmd)
        hr = link->SetShowCmd(nShowCmd);
    if (FAILED(hr))
        return hr;
    CComPtr<IPersistFile> file;
    hr = link->QueryInterface(IID_IPersistFile, file.OutVoid());
    if (FAILED(hr))
        return hr;
    WCHAR wszLink[kcchPath];
    if (!MultiByteToWideChar(CP_ACP, 0, lpszPathLink, -1, wszLink, kcchPath))
        return E_INVALIDARG;
    return file->Save(wszLink, TRUE);
}

namespace {

// The fields of one shortcut line.
struct LinkLineStruct {
    char szName[kcchPath];
    char szTarget[kcchPath];
    char szArgs[kcchLine];
    char szIcon[kcchPath];
    char szWorkDir[kcchPath];
    int nIconIndex;
    int nShowCmd;
    WORD wHotkey;
    char szLink[kcchPath];
};

void fnUnquote(char *pszText)
{
    fnTrimBlanks(pszText);
    size_t cch = strlen(pszText);
    if (cch >= 2 && pszText[0] == '"' && pszText[cch - 1] == '"') {
        memmove(pszText, pszText + 1, cch - 2);
        pszText[cch - 2] = '\0';
    }
}

// How a field is read: as written, expanded, and with its quotes kept (a
// program's arguments, see fnInfParseFieldQuoted).
enum { kFieldAsIs = 0, kFieldExpanded = 1, kFieldKeepQuotes = 2 };

int fnField(char *pszLine, unsigned uField, char *pszOut, size_t cchOut, int iHow)
{
    char szField[kcchInfLine];
    int bThere = (iHow & kFieldKeepQuotes) ? fnInfParseFieldQuoted(pszLine, uField, szField, COUNTOF(szField))
                                           : fnInfParseField(pszLine, uField, szField, COUNTOF(szField));
    if (iHow & kFieldExpanded)
        fnExpandOpts(szField, COUNTOF(szField));
    fnCopyText(pszOut, cchOut, fnTrimBlanks(szField));
    return bThere && pszOut[0];
}

int fnHasExeExtension(const char *pszPath)
{
    const char *pszDot = strrchr(pszPath, '.');
    return pszDot && fnTextEqualI(pszDot, ".exe");
}

// New layout: name, target, arguments, icon, working directory, icon index,
// show keyword, hot key (fields 1 to 8 of a line without "="). 0 when the
// name is missing.
int fnReadNewLayout(char *pszLine, LinkLineStruct *pLink)
{
    if (!fnField(pszLine, 1, pLink->szName, COUNTOF(pLink->szName), kFieldExpanded))
        return 0;
    fnField(pszLine, 2, pLink->szTarget, COUNTOF(pLink->szTarget), kFieldExpanded);
    fnField(pszLine, 3, pLink->szArgs, COUNTOF(pLink->szArgs), kFieldExpanded | kFieldKeepQuotes);
    if (!fnField(pszLine, 4, pLink->szIcon, COUNTOF(pLink->szIcon), kFieldExpanded) && fnHasExeExtension(pLink->szTarget))
        fnCopyText(pLink->szIcon, COUNTOF(pLink->szIcon), pLink->szTarget);
    fnField(pszLine, 5, pLink->szWorkDir, COUNTOF(pLink->szWorkDir), kFieldExpanded);
    char szField[kcchInfLine];
    fnField(pszLine, 6, szField, COUNTOF(szField), kFieldAsIs);
    pLink->nIconIndex = (int)fnDecimalValue(szField);
    fnField(pszLine, 7, szField, COUNTOF(szField), kFieldAsIs);
    pLink->nShowCmd = fnShortcutShowCommand(szField);
    fnField(pszLine, 8, szField, COUNTOF(szField), kFieldAsIs);
    pLink->wHotkey = fnShortcutHotKey(szField);
    return 1;
}

void fnShortPath(char *pszPath, size_t cchPath)
{
    char szShort[kcchPath];
    DWORD cch = GetShortPathNameA(pszPath, szShort, COUNTOF(szShort));
    if (cch && cch < COUNTOF(szShort))
        fnCopyText(pszPath, cchPath, szShort);
}

// Old layout: name, command line (arguments after "@Z"), icon, icon index,
// two fields not used, working directory, hot key, show keyword. 0 when name
// or command is missing.
int fnReadOldLayout(char *pszLine, LinkLineStruct *pLink)
{
    char szCommand[kcchInfLine];
    if (!fnField(pszLine, 1, pLink->szName, COUNTOF(pLink->szName), kFieldExpanded) ||
        !fnField(pszLine, 2, szCommand, COUNTOF(szCommand), kFieldKeepQuotes))
        return 0;
    const char *pszMark = fnFindTextI(szCommand, "@Z");
    if (pszMark) {
        fnCopyText(pLink->szArgs, COUNTOF(pLink->szArgs), pszMark + 2);
        fnExpandOpts(pLink->szArgs, COUNTOF(pLink->szArgs));
        fnTrimBlanks(pLink->szArgs);
        fnCutAtMark(szCommand);
    }
    fnExpandOpts(szCommand, COUNTOF(szCommand));
    fnUnquote(szCommand);
    fnCopyText(pLink->szTarget, COUNTOF(pLink->szTarget), szCommand);
    fnShortPath(pLink->szTarget, COUNTOF(pLink->szTarget));
    fnCopyText(pLink->szIcon, COUNTOF(pLink->szIcon), pLink->szTarget);
    if (fnField(pszLine, 3, pLink->szIcon, COUNTOF(pLink->szIcon), kFieldExpanded))
        fnShortPath(pLink->szIcon, COUNTOF(pLink->szIcon));
    else
        fnCopyText(pLink->szIcon, COUNTOF(pLink->szIcon), pLink->szTarget);
    char szField[kcchInfLine];
    fnField(pszLine, 4, szField, COUNTOF(szField), kFieldAsIs);
    pLink->nIconIndex = (int)fnDecimalValue(szField);
    fnField(pszLine, 7, pLink->szWorkDir, COUNTOF(pLink->szWorkDir), kFieldExpanded);
    fnField(pszLine, 8, szField, COUNTOF(szField), kFieldAsIs);
    pLink->wHotkey = fnShortcutHotKey(szField);
    fnField(pszLine, 9, szField, COUNTOF(szField), kFieldAsIs);
    pLink->nShowCmd = fnShortcutShowCommand(szField);
    return 1;
}

// Makes (or, for "-REMOVE-", deletes) one link: 1 done, 0 failed.
int fnMakeLink(LinkLineStruct *pLink, const char *pszFolder)
{
    fnUnquote(pLink->szName);
    fnUnquote(pLink->szTarget);
    fnUnquote(pLink->szIcon);
    fnUnquote(pLink->szWorkDir);
    char szFile[kcchPath];
    fnFormatText(szFile, COUNTOF(szFile), "%s.lnk", pLink->szName);
    if (!fnPathJoin(pLink->szLink, COUNTOF(pLink->szLink), pszFolder, szFile))
        return 0;
    if (fnTextEqualI(pLink->szTarget, "-REMOVE-")) {
        DeleteFileA(pLink->szLink);
        return 1;
    }
    if (!pLink->szTarget[0])
        return 1;
    // A link to nothing is no shortcut: the target must be there.
    if (GetFileAttributesA(pLink->szTarget) == INVALID_FILE_ATTRIBUTES) {
        TRACE("fnInfProcessShortCutSection", "target not found: %s", pLink->szTarget);
        return 0;
    }
    HRESULT hr = fnCreateShortCut(pLink->szLink, pLink->szName, pLink->szTarget, pLink->szArgs, pLink->szIcon,
                                  pLink->nIconIndex, pLink->szWorkDir, pLink->wHotkey, pLink->nShowCmd);
    if (FAILED(hr)) {
        TRACE("fnInfProcessShortCutSection", "%s: hr=0x%08lx", pLink->szLink, (unsigned long)hr);
        return 0;
    }
    return 1;
}

}  // namespace

int fnInfProcessShortCutSection(const char *pszBody, const char *pszFolder, BOOL bOldLayout)
{
    const char *pszPos = pszBody;
    char szLine[kcchInfLine];
    LinkLineStruct link;
    memset(&link, 0, sizeof(link));
    int bFailed = 0;
    while (fnInfNextLineToDo(&pszPos, szLine, COUNTOF(szLine))) {
        memset(&link, 0, sizeof(link));
        if (!(bOldLayout ? fnReadOldLayout(szLine, &link) : fnReadNewLayout(szLine, &link))) {
            bFailed = 1;
            break;
        }
        if (!fnMakeLink(&link, pszFolder))
            bFailed = 1;
    }
    fnLogLine("%s\"%s\",\"%s\",\"%s\",\"%s\",\"%s\",\"%s\",%d,%d,%d", 1, bFailed ? "Error - " : "", link.szLink,
              link.szName, link.szTarget, link.szArgs, link.szIcon, link.szWorkDir, link.nIconIndex, link.nShowCmd,
              link.wHotkey);
    return bFailed ? 0 : 1;
}

int fnReadShortCutSections(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                           const char *pszRest)
{
    if (pInput->uShortcutSections == 0)
        return 1;
    CComInit com(COINIT_APARTMENTTHREADED);
    if (com.Result() != S_OK && com.Result() != S_FALSE)
        return 0;
    fnLogLine("\r\n%s", 1, "[Shortcuts]");
    for (unsigned u = 0; u < pInput->uShortcutSections; u++) {
        const ShortcutEntryStruct *pEntry = &pInput->aShortcuts[u];
        if (!pEntry->szSection[0] || strcmp(pEntry->szFolder, kszSkipIt) == 0)
            continue;
        // The section the walk stands on, else one further down the script.
        const char *pszBody = fnTextEqualI(pEntry->szSection, pszHeader) ? fnInfSectionBody(pszSection)
                                                                         : fnInfFindSection(pszRest, pEntry->szSection, 1);
        if (!pszBody)
            continue;
        if (!g_bQuiet && !pEntry->bDesktop) {
            ShellExecuteA(hwndMain, NULL, pEntry->szFolder, NULL, NULL, SW_SHOWNOACTIVATE);
            SetWindowPos(hwndMain, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        if (!fnInfProcessShortCutSection(pszBody, pEntry->szFolder, pEntry->bOldLayout) &&
            fnMsgBox(IDS_SC_ERROR, NULL, MB_YESNO | MB_ICONINFORMATION | MB_TASKMODAL, pEntry->szFolder) != IDYES) {
            g_bUserCancelled = TRUE;
            return 0;
        }
    }
    return 1;
}
