// The destination directory dialog: two prompt lines, the path, and a folder
// chooser behind Browse.
#include "files/dirs.h"

#include <shlobj.h>

#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/input.h"
#include "resource.h"

static void fnBrowseForDestDir(HWND hDlg)
{
    char szPath[kcchPath];
    GetDlgItemTextA(hDlg, IDC_DESTDIR_PATH, szPath, COUNTOF(szPath));
    BROWSEINFOA bi;
    memset(&bi, 0, sizeof(bi));
    bi.hwndOwner = hDlg;
    char szDisplay[kcchPath];
    bi.pszDisplayName = szDisplay;
    bi.lpszTitle = "Install to:";
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE pidl = SHBrowseForFolderA(&bi);
    if (!pidl)
        return;
    if (SHGetPathFromIDListA(pidl, szPath))
        SetDlgItemTextA(hDlg, IDC_DESTDIR_PATH, szPath);
    CoTaskMemFree(pidl);
}

static INT_PTR CALLBACK fnDestDirProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    UserInputStruct *pInput = (UserInputStruct *)GetWindowLongPtrA(hDlg, DWLP_USER);
    switch (uMsg) {
    case WM_INITDIALOG:
        pInput = (UserInputStruct *)lParam;
        SetWindowLongPtrA(hDlg, DWLP_USER, (LONG_PTR)pInput);
        SetWindowTextA(hDlg, pInput->szCaption[0] ? pInput->szCaption : g_szTitle);
        SetDlgItemTextA(hDlg, IDC_DESTDIR_TEXT1, pInput->szDestText1);
        SetDlgItemTextA(hDlg, IDC_DESTDIR_TEXT2, pInput->szDestText2);
        SendDlgItemMessageA(hDlg, IDC_DESTDIR_PATH, EM_LIMITTEXT, kcchPath - 1, 0);
        SetDlgItemTextA(hDlg, IDC_DESTDIR_PATH, pInput->szDestPath);
        fnStartDialog(g_hwndMain, hDlg, FALSE, FALSE);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: {
            char szPath[kcchPath];
            GetDlgItemTextA(hDlg, IDC_DESTDIR_PATH, szPath, COUNTOF(szPath));
            fnTrimBlanks(szPath);
            if (!szPath[0])
                return TRUE;  // an empty destination is no answer
            fnCopyText(pInput->szDestPath, COUNTOF(pInput->szDestPath), szPath);
            EndDialog(hDlg, IDOK);
            return TRUE;
        }
        case IDCANCEL:
            EndDialog(hDlg, IDCANCEL);
            return TRUE;
        case IDC_DESTDIR_BROWSE:
            fnBrowseForDestDir(hDlg);
            return TRUE;
        case IDC_DESTDIR_HELP:
            fnMsgBox(IDS_DESTDIR_HELP, NULL, MB_OK | MB_ICONINFORMATION);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

int fnShowDestDirDialog(HWND hwndParent, UserInputStruct *pInput)
{
    TRACE("fnShowDestDirDialog", "lpUserInputStruct->szDestPath=%s", pInput->szDestPath);
    char szWhat[kcchLine];
    fnFormatText(szWhat, COUNTOF(szWhat), "destination directory: %s", pInput->szDestPath);
    // OK keeps the destination the record holds.
    INT_PTR iRC = fnDialogBox(IDD_DESTDIR, hwndParent, fnDestDirProc, (LPARAM)pInput, IDOK, szWhat);
    return iRC == IDOK ? IDOK : IDCANCEL;
}
