// [Shortcuts] and [PMGroups]: each line registers a folder that receives the
// links of a later section, asking the user where the line says so.
#include "shortcuts/shortcuts.h"

#include "base/path.h"
#include "base/registry.h"
#include "expand/expand.h"
#include "expand/expand_selectors.h"
#include "files/dirs.h"
#include "run/guards.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/conditions.h"
#include "script/lines.h"
#include "shortcuts/shortcut_text.h"
#include "resource.h"

namespace {

// One folder-entry line: section=folder name, base folder, prompt letter, message.
struct FolderLineStruct {
    char szSection[kcchShort];
    char szName[kcchPath];
    char szBase[kcchPath];
    BOOL bAsk;
    char szMessage[kcchMessage];
};

// The folder dialog's record: message, base, the name typed or chosen.
struct FolderDialogStruct {
    const FolderLineStruct *pLine;
    char szName[kcchPath];
};

void fnExpandField(char *pszLine, unsigned uField, char *pszOut, size_t cchOut)
{
    char szField[kcchInfLine];
    fnInfParseField(pszLine, uField, szField, COUNTOF(szField));
    fnExpandOpts(szField, COUNTOF(szField));
    fnCopyText(pszOut, cchOut, fnTrimBlanks(szField));
}

// kScNoLine, kScSkipped or kScRegistered (the line read into pLine).
int fnInfSCSection(const char *pszBody, unsigned uLine, BOOL bOldLayout, FolderLineStruct *pLine)
{
    const char *pszPos = pszBody;
    char szLine[kcchInfLine];
    for (unsigned u = 1; u <= uLine; u++) {
        if (!fnInfNextSectionLine(&pszPos, szLine, COUNTOF(szLine)))
            return kScNoLine;
    }
    int iTest = fnInfTestIfTwoFields(szLine, COUNTOF(szLine));
    if (fnInfLineAction(iTest) != kLineProcess || !strchr(szLine, '='))
        return kScSkipped;
    char szSection[kcchInfLine];
    fnInfParseField(szLine, 0, szSection, COUNTOF(szSection));
    fnTrimBlanks(szSection);
    if (szSection[0] == '[')
        fnCopyText(pLine->szSection, COUNTOF(pLine->szSection), szSection);
    else
        fnFormatText(pLine->szSection, COUNTOF(pLine->szSection), "[%s]", szSection);
    fnExpandField(szLine, 1, pLine->szName, COUNTOF(pLine->szName));
    fnExpandField(szLine, 2, pLine->szBase, COUNTOF(pLine->szBase));
    if (bOldLayout || !pLine->szBase[0])
        fnCopyText(pLine->szBase, COUNTOF(pLine->szBase), g_szUserProgramsFolder);
    char szLetter[kcchInfLine];
    pLine->bAsk = !(fnInfParseField(szLine, 3, szLetter, COUNTOF(szLetter)) && fnYesNoField(szLetter) == 0);
    fnExpandField(szLine, 4, pLine->szMessage, COUNTOF(pLine->szMessage));
    return kScRegistered;
}

// The user's or all users' desktop or startup folder: the shell-folder
// values (the user's through the expansion's own lookup), else the Windows
// directory with the usual sub-folder.
void fnSpecialFolderPath(SpecialFolderEnum eFolder, char *pszOut, size_t cchOut)
{
    BOOL bDesktop = eFolder == kFolderDesktop || eFolder == kFolderDesktopAll;
    UINT uDefaultId = bDesktop ? IDS_DEF_DESKTOP : IDS_DEF_STARTUP;
    if (eFolder == kFolderDesktop || eFolder == kFolderStartup) {
        fnUserShellFolder(bDesktop ? "Desktop" : "Startup", uDefaultId, pszOut, cchOut);
        return;
    }
    const char *pszValue = bDesktop ? "Common Desktop" : "Common Startup";
    static const char *const s_apszKeys[2] = {"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders\\",
                                              "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\"};
    for (const char *pszKey : s_apszKeys) {
        char szPath[kcchLine];
        fnFormatText(szPath, COUNTOF(szPath), "%s%s", pszKey, pszValue);
        if (fnRegText(HKEY_LOCAL_MACHINE, szPath, pszOut, cchOut, kRegTextHex))
            return;
    }
    char szTail[kcchPath];
    fnLoadText(uDefaultId, szTail, COUNTOF(szTail));
    fnFormatText(pszOut, cchOut, "%s%s", g_szWinDir, szTail);
}

void fnFillFolderList(HWND hDlg, const char *pszBase)
{
    HWND hList = GetDlgItem(hDlg, IDC_SCFOLDER_LIST);
    char szPattern[kcchPath];
    fnPathJoin(szPattern, COUNTOF(szPattern), pszBase, "*");
    WIN32_FIND_DATAA fd;
    CFindHandle hFind(FindFirstFileA(szPattern, &fd));
    if (!hFind.IsValid()) {
        char szText[kcchShort];
        fnLoadText(IDS_SC_NO_FOLDER, szText, COUNTOF(szText));
        SendMessageA(hList, LB_ADDSTRING, 0, (LPARAM)szText);
        EnableWindow(hList, FALSE);
        return;
    }
    do {
        if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && strcmp(fd.cFileName, ".") != 0 &&
            strcmp(fd.cFileName, "..") != 0)
            SendMessageA(hList, LB_ADDSTRING, 0, (LPARAM)fd.cFileName);
    } while (FindNextFileA(hFind.Get(), &fd));
}

INT_PTR CALLBACK fnFolderProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    FolderDialogStruct *pDlg = (FolderDialogStruct *)GetWindowLongPtrA(hDlg, DWLP_USER);
    switch (uMsg) {
    case WM_INITDIALOG:
        pDlg = (FolderDialogStruct *)lParam;
        SetWindowLongPtrA(hDlg, DWLP_USER, (LONG_PTR)pDlg);
        SetDlgItemTextA(hDlg, IDC_SCFOLDER_MSG, pDlg->pLine->szMessage);
        fnFillFolderList(hDlg, pDlg->pLine->szBase);
        SendDlgItemMessageA(hDlg, IDC_SCFOLDER_EDIT, EM_LIMITTEXT, kcchPath - 1, 0);
        SetDlgItemTextA(hDlg, IDC_SCFOLDER_EDIT, pDlg->szName);
        EnableWindow(GetDlgItem(hDlg, IDOK), pDlg->szName[0] != '\0');
        fnStartDialog(g_hwndMain, hDlg, TRUE, FALSE);
        return TRUE;
    case WM_CLOSE:
        EndDialog(hDlg, IDCANCEL);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SCFOLDER_LIST:
            if (HIWORD(wParam) == LBN_SELCHANGE || HIWORD(wParam) == LBN_DBLCLK) {
                HWND hList = GetDlgItem(hDlg, IDC_SCFOLDER_LIST);
                LRESULT iSel = SendMessageA(hList, LB_GETCURSEL, 0, 0);
                LRESULT cch = iSel == LB_ERR ? LB_ERR : SendMessageA(hList, LB_GETTEXTLEN, (WPARAM)iSel, 0);
                if (cch != LB_ERR && cch < kcchPath) {
                    char szItem[kcchPath];
                    SendMessageA(hList, LB_GETTEXT, (WPARAM)iSel, (LPARAM)szItem);
                    SetDlgItemTextA(hDlg, IDC_SCFOLDER_EDIT, szItem);
                }
            }
            return TRUE;
        case IDC_SCFOLDER_EDIT:
            if (HIWORD(wParam) == EN_CHANGE)
                EnableWindow(GetDlgItem(hDlg, IDOK), GetWindowTextLengthA(GetDlgItem(hDlg, IDC_SCFOLDER_EDIT)) > 0);
            return TRUE;
        case IDOK:
            GetDlgItemTextA(hDlg, IDC_SCFOLDER_EDIT, pDlg->szName, COUNTOF(pDlg->szName));
            EndDialog(hDlg, IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(hDlg, IDCANCEL);
            return TRUE;
        case IDC_SCFOLDER_EXIT:
            if (fnMsgBox(IDS_NOT_COMPLETE, NULL, MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL) == IDYES) {
                g_bUserCancelled = TRUE;
                EndDialog(hDlg, IDC_SCFOLDER_EXIT);
            }
            return TRUE;
        }
        break;
    }
    return FALSE;
}

// A special folder: asks (unless the line says not to) and registers it.
int fnRegisterSpecial(const FolderLineStruct *pLine, SpecialFolderEnum eFolder, ShortcutEntryStruct *pEntry)
{
    BOOL bDesktop = eFolder == kFolderDesktop || eFolder == kFolderDesktopAll;
    if (pLine->bAsk) {
        int iAnswer = pLine->szMessage[0]
                          ? fnMsgBox(0, NULL, MB_YESNO | MB_ICONINFORMATION, "%s", pLine->szMessage)
                          : fnMsgBox(bDesktop ? IDS_SC_ASK_DESKTOP : IDS_SC_ASK_STARTUP, NULL,
                                     MB_YESNO | MB_ICONINFORMATION);
        if (iAnswer != IDYES)
            return kScSkipped;
    }
    fnSpecialFolderPath(eFolder, pEntry->szFolder, COUNTOF(pEntry->szFolder));
    pEntry->bDesktop = bDesktop;
    pEntry->bStartup = !bDesktop;
    return kScRegistered;
}

// A folder below the base: asks in the folder dialog (unless the line says
// not to) and makes the folder.
int fnRegisterFolder(HWND hwndMain, const FolderLineStruct *pLine, ShortcutEntryStruct *pEntry)
{
    fnPathJoin(pEntry->szFolder, COUNTOF(pEntry->szFolder), pLine->szBase, pLine->szName);
    if (!pLine->szName[0])
        fnCopyText(pEntry->szFolder, COUNTOF(pEntry->szFolder), pLine->szBase);
    if (pLine->bAsk) {
        FolderLineStruct line = *pLine;
        if (!line.szMessage[0])
            fnLoadText(IDS_SC_DEFAULT_FOLDER, line.szMessage, COUNTOF(line.szMessage));
        FolderDialogStruct dlg = {&line, ""};
        fnCopyText(dlg.szName, COUNTOF(dlg.szName), pLine->szName);
        INT_PTR iRC = fnQuietDialogBox(IDD_SHORTCUT_FOLDER, hwndMain, fnFolderProc, (LPARAM)&dlg,
                                       dlg.szName[0] ? IDOK : kDialogNoSafeAnswer, "shortcut folder");
        if (iRC == IDC_SCFOLDER_EXIT)
            return kScStop;
        if (iRC != IDOK) {
            fnCopyText(pEntry->szFolder, COUNTOF(pEntry->szFolder), kszSkipIt);
            return kScDeclined;
        }
        fnPathJoin(pEntry->szFolder, COUNTOF(pEntry->szFolder), pLine->szBase, dlg.szName);
    }
    if (!fnCreateDirTree(pEntry->szFolder, TRUE)) {
        int iAnswer = fnMsgBox(IDS_SC_ERROR, NULL, MB_YESNO | MB_ICONINFORMATION | MB_TASKMODAL, pEntry->szFolder);
        fnCopyText(pEntry->szFolder, COUNTOF(pEntry->szFolder), kszSkipIt);
        if (iAnswer != IDYES) {
            g_bUserCancelled = TRUE;
            return kScStop;
        }
        return kScDeclined;
    }
    return kScRegistered;
}

}  // namespace

int fnGetSCSections(HWND hwndMain, const char *pszBody, const char *pszHeader, unsigned uLine,
                    UserInputStruct *pInput)
{
    if (pInput->uShortcutSections == 0)
        fnCopyText(g_szShortcutFolder, COUNTOF(g_szShortcutFolder), g_szUserProgramsFolder);
    BOOL bOldLayout = fnTextEqualI(pszHeader, "[PMGroups]");
    FolderLineStruct line;
    memset(&line, 0, sizeof(line));
    int iRC = fnInfSCSection(pszBody, uLine, bOldLayout, &line);
    if (iRC != kScRegistered)
        return iRC;
    fnLogLine("%s, \"%s\", \"%s\"", 1, line.szSection, line.szName, line.szBase);
    ShortcutEntryStruct entry;
    memset(&entry, 0, sizeof(entry));
    fnCopyText(entry.szSection, COUNTOF(entry.szSection), line.szSection);
    entry.bOldLayout = bOldLayout;
    SpecialFolderEnum eFolder = fnSpecialFolder(line.szName);
    iRC = eFolder != kFolderPlain ? fnRegisterSpecial(&line, eFolder, &entry) : fnRegisterFolder(hwndMain, &line, &entry);
    TRACE("fnGetSCSections", "szSection=%s,\nszFolder=%s,\niRC=%d", entry.szSection, entry.szFolder, iRC);
    if (iRC == kScRegistered || iRC == kScDeclined) {
        if (iRC == kScRegistered && pInput->uShortcutSections == 0 && eFolder == kFolderPlain)
            fnCopyText(g_szShortcutFolder, COUNTOF(g_szShortcutFolder), entry.szFolder);
        pInput->aShortcuts[pInput->uShortcutSections++] = entry;
    }
    return iRC;
}

int fnShortcutsSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                       const char *)
{
    const char *pszBody = fnInfSectionBody(pszSection);
    for (unsigned uLine = 1; pInput->uShortcutSections < kuShortcutSections; uLine++) {
        int iRC = fnGetSCSections(hwndMain, pszBody, pszHeader, uLine, pInput);
        if (iRC == kScNoLine)
            break;
        if (iRC == kScStop)
            return 0;
    }
    return 1;
}

const ShortcutEntryStruct *fnFindShortcutEntry(const UserInputStruct *pInput, const char *pszHeader)
{
    for (unsigned u = 0; u < pInput->uShortcutSections; u++)
        if (fnTextEqualI(pInput->aShortcuts[u].szSection, pszHeader))
            return &pInput->aShortcuts[u];
    return NULL;
}
