// The common behaviour of the input dialogs.
#include "dialogs/sect_dialog.h"

#include <shlobj.h>

#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "resource.h"

INT_PTR fnShowSectDialog(UINT uId, HWND hwndOwner, DLGPROC pfnProc, LPARAM lParam, INT_PTR iUnattended,
                         const char *pszWhat)
{
    if (g_bQuiet && iUnattended == kDialogNoSafeAnswer) {
        TRACE("fnShowSectDialog", "%s: no answer in a quiet run", pszWhat);
        return kDialogNotShown;
    }
    return fnQuietDialogBox(uId, hwndOwner, pfnProc, lParam, iUnattended, pszWhat);
}

void fnStartSectDialog(HWND hDlg, const ReadSectStruct *pSect)
{
    SetWindowTextA(hDlg, pSect->szCaption[0] ? pSect->szCaption : g_szTitle);
    HWND hHelp = GetDlgItem(hDlg, IDC_SECT_HELP);
    if (hHelp && pSect->uHelpKind == kHelpNone && !pSect->szHelp[0])
        ShowWindow(hHelp, SW_HIDE);
    fnStartDialog(g_hwndMain, hDlg, FALSE, FALSE);
    if (!g_bQuiet)
        SetForegroundWindow(hDlg);
}

static INT_PTR CALLBACK fnHelpTextProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_INITDIALOG:
        SetDlgItemTextA(hDlg, IDC_HELPTEXT_TEXT, (const char *)lParam);
        fnStartDialog(g_hwndMain, hDlg, TRUE, FALSE);
        SetFocus(GetDlgItem(hDlg, IDOK));  // the text is read, not selected
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(hDlg, IDOK);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

// ".Hlp" files belong to the old help engine, which current Windows no
// longer ships and Wine may fail to start: a help file that cannot be shown
// says so, and the dialog goes on as before.
static void fnOpenHelpFile(HWND hDlg, ReadSectStruct *pSect)
{
    if (GetFileAttributesA(pSect->szHelpFile) == INVALID_FILE_ATTRIBUTES) {
        fnMsgBox(IDS_HELP_MISSING, NULL, MB_OK | MB_ICONINFORMATION, pSect->szHelpFile);
        return;
    }
    BOOL bShown = pSect->szHelpKey[0] ? WinHelpA(hDlg, pSect->szHelpFile, HELP_KEY, (ULONG_PTR)pSect->szHelpKey)
                                      : WinHelpA(hDlg, pSect->szHelpFile, HELP_INDEX, 0);
    if (!bShown) {
        TRACE("fnShowSectHelp", "WinHelpA failed: szHelpFile=%s,\ndwErr=%lu", pSect->szHelpFile,
              (unsigned long)GetLastError());
        fnMsgBox(IDS_HELP_NO_ENGINE, NULL, MB_OK | MB_ICONINFORMATION, pSect->szHelpFile);
        return;
    }
    pSect->bHelpFileOpen = TRUE;
}

void fnShowSectHelp(HWND hDlg, ReadSectStruct *pSect)
{
    if (pSect->uHelpKind == kHelpFile) {
        fnOpenHelpFile(hDlg, pSect);
        return;
    }
    fnQuietDialogBox(IDD_HELPTEXT, hDlg, fnHelpTextProc, (LPARAM)pSect->szHelp, IDOK, "help text");
}

void fnEndSectDialog(HWND hDlg, ReadSectStruct *pSect, INT_PTR iResult)
{
    if (pSect->bHelpFileOpen) {
        WinHelpA(hDlg, pSect->szHelpFile, HELP_QUIT, 0);
        pSect->bHelpFileOpen = FALSE;
    }
    EndDialog(hDlg, iResult);
}

void fnShrinkDialog(HWND hDlg, int cyLess)
{
    if (cyLess <= 0)
        return;
    RECT rcDlg;
    GetWindowRect(hDlg, &rcDlg);
    SetWindowPos(hDlg, NULL, 0, 0, rcDlg.right - rcDlg.left, rcDlg.bottom - rcDlg.top - cyLess,
                 SWP_NOMOVE | SWP_NOZORDER);
}

int fnConfirmCancel(HWND hDlg)
{
    (void)hDlg;
    if (fnMsgBox(IDS_NOT_COMPLETE, NULL, MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL) != IDYES)
        return 0;
    g_bUserCancelled = TRUE;
    return 1;
}

void fnEnableOkOnText(HWND hDlg, int iIdEdit)
{
    EnableWindow(GetDlgItem(hDlg, IDOK), GetWindowTextLengthA(GetDlgItem(hDlg, iIdEdit)) > 0);
}

int fnBrowseFolder(HWND hDlg, int iIdEdit, const char *pszPrompt)
{
    BROWSEINFOA bi;
    memset(&bi, 0, sizeof(bi));
    bi.hwndOwner = hDlg;
    char szDisplay[kcchPath];
    bi.pszDisplayName = szDisplay;
    bi.lpszTitle = pszPrompt;
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE pidl = SHBrowseForFolderA(&bi);
    if (!pidl)
        return 0;
    char szPath[kcchPath];
    int bOk = SHGetPathFromIDListA(pidl, szPath) ? 1 : 0;
    if (bOk)
        SetDlgItemTextA(hDlg, iIdEdit, szPath);
    CoTaskMemFree(pidl);
    return bOk;
}

void fnAddBackslashToDrive(char *pszPath, size_t cchPath)
{
    if (strlen(pszPath) < 3 && pszPath[0] && pszPath[1] == ':')
        fnAppendText(pszPath, cchPath, "\\");
}

int fnSetDirSlot(unsigned uSlot, const char *pszPath)
{
    if (uSlot >= kuDirs)
        return 0;
    fnCopyText(g_szDirs[uSlot], COUNTOF(g_szDirs[uSlot]), pszPath);
    if (uSlot == 0)
        fnCopyText(g_szDestDir, COUNTOF(g_szDestDir), pszPath);
    return 1;
}

int fnPersonClosed(HWND hDlg)
{
    g_bUserCancelled = TRUE;
    EndDialog(hDlg, IDCANCEL);
    return TRUE;
}
