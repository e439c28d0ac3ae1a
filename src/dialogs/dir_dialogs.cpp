// The directory dialogs: [GetDirs] entries and [Get2Dirs].
#include "dialogs/dir_dialogs.h"

#include "base/path.h"
#include "dialogs/sect_dialog.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "resource.h"

struct DirStruct {
    ReadSectStruct *pSect;
    char szDir[kcchPath];
    char szDir2[kcchPath];
};

static void fnReadDirEdit(HWND hDlg, int iId, char *pszOut, size_t cchOut)
{
    GetDlgItemTextA(hDlg, iId, pszOut, (int)cchOut);
    fnTrimBlanks(pszOut);
    fnAddBackslashToDrive(pszOut, cchOut);
}

// Both directory dialogs end with Cancel without asking.
static int fnDirCancel(HWND hDlg)
{
    g_bUserCancelled = TRUE;
    EndDialog(hDlg, IDCANCEL);
    return TRUE;
}

static INT_PTR CALLBACK fnGetDirProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    DirStruct *pDir = fnDialogRecord<DirStruct>(hDlg, uMsg, lParam);
    switch (uMsg) {
    case WM_INITDIALOG:
        SetDlgItemTextA(hDlg, IDC_DESTDIR_TEXT1, pDir->pSect->szMsg[0]);
        SetDlgItemTextA(hDlg, IDC_DESTDIR_TEXT2, pDir->pSect->szMsg[1]);
        SendDlgItemMessageA(hDlg, IDC_DESTDIR_PATH, EM_LIMITTEXT, kcchPath - 1, 0);
        SetDlgItemTextA(hDlg, IDC_DESTDIR_PATH, pDir->szDir);
        fnEnableOkOnText(hDlg, IDC_DESTDIR_PATH);
        if (pDir->pSect->uHelpKind == kHelpNone)
            ShowWindow(GetDlgItem(hDlg, IDC_DESTDIR_HELP), SW_HIDE);
        fnStartSectDialog(hDlg, pDir->pSect);
        return TRUE;
    case WM_CLOSE:
        return fnDirCancel(hDlg);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_DESTDIR_PATH:
            if (HIWORD(wParam) == EN_CHANGE)
                fnEnableOkOnText(hDlg, IDC_DESTDIR_PATH);
            return TRUE;
        case IDOK:
            fnReadDirEdit(hDlg, IDC_DESTDIR_PATH, pDir->szDir, COUNTOF(pDir->szDir));
            EndDialog(hDlg, IDOK);
            return TRUE;
        case IDCANCEL:
            return fnDirCancel(hDlg);
        case IDC_DESTDIR_BROWSE:
            fnBrowseFolder(hDlg, IDC_DESTDIR_PATH, "Select destination directory(folder).\nCurrent selection:");
            return TRUE;
        case IDC_DESTDIR_HELP:
            fnShowSectHelp(hDlg, pDir->pSect);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

// The file the directory must hold: 1 there (or none asked for, or ignored),
// 0 ask again, 7 Abort.
static int fnCheckDirFile(const ReadSectStruct *pSect, const char *pszDir)
{
    if (!pSect->szFile[0])
        return 1;
    char szFull[kcchPath];
    fnPathJoin(szFull, COUNTOF(szFull), pszDir, pSect->szFile);
    if (GetFileAttributesA(szFull) != INVALID_FILE_ATTRIBUTES)
        return 1;
    switch (fnMsgBox(IDS_DIR_FILE_MISSING, NULL, MB_ABORTRETRYIGNORE | MB_ICONEXCLAMATION, pSect->szFile, pszDir)) {
    case IDRETRY:
        return 0;
    case IDIGNORE:
        return 1;
    default:
        g_bUserCancelled = TRUE;
        return 7;
    }
}

int fnReadGetDirs(HWND hwndParent, ReadSectStruct *pSect)
{
    DirStruct dir;
    memset(&dir, 0, sizeof(dir));
    dir.pSect = pSect;
    fnCopyText(dir.szDir, COUNTOF(dir.szDir), pSect->szPath);
    UINT uId = pSect->szMsg[1][0] ? IDD_DESTDIR : IDD_GETDIR;
    for (;;) {
        TRACE("fnReadGetDirs", "nNum=%u,\nszPath=%s,\nszFile=%s", pSect->nNum, dir.szDir, pSect->szFile);
        INT_PTR iRC = fnShowSectDialog(uId, hwndParent, fnGetDirProc, (LPARAM)&dir,
                                       dir.szDir[0] ? IDOK : kDialogNoSafeAnswer, "GetDirs");
        if (iRC == IDCANCEL)
            return 7;
        if (iRC != IDOK)
            return 0;
        fnCopyText(pSect->szPath, COUNTOF(pSect->szPath), dir.szDir);
        fnSetDirSlot(pSect->nNum, dir.szDir);
        int iCheck = fnCheckDirFile(pSect, dir.szDir);
        if (iCheck == 1)
            break;
        if (iCheck == 7 || g_bQuiet)
            return 7;  // Abort, or a quiet run that cannot choose again
    }
    fnLogLine("GetDirs%u=%s", 1, pSect->nNum, pSect->szPath);
    return 1;
}

static INT_PTR CALLBACK fnGet2DirsProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    DirStruct *pDir = fnDialogRecord<DirStruct>(hDlg, uMsg, lParam);
    switch (uMsg) {
    case WM_INITDIALOG:
        SetDlgItemTextA(hDlg, IDC_DIRS2_MSG1, pDir->pSect->szMsg[0]);
        SetDlgItemTextA(hDlg, IDC_DIRS2_MSG2, pDir->pSect->szMsg[1]);
        SetDlgItemTextA(hDlg, IDC_DIRS2_MSG3, pDir->pSect->szMsg[2]);
        SendDlgItemMessageA(hDlg, IDC_DIRS2_PATH1, EM_LIMITTEXT, kcchPath - 1, 0);
        SendDlgItemMessageA(hDlg, IDC_DIRS2_PATH2, EM_LIMITTEXT, kcchPath - 1, 0);
        SetDlgItemTextA(hDlg, IDC_DIRS2_PATH1, pDir->szDir);
        SetDlgItemTextA(hDlg, IDC_DIRS2_PATH2, pDir->szDir2);
        fnStartSectDialog(hDlg, pDir->pSect);
        return TRUE;
    case WM_CLOSE:
        return fnDirCancel(hDlg);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            fnReadDirEdit(hDlg, IDC_DIRS2_PATH1, pDir->szDir, COUNTOF(pDir->szDir));
            fnReadDirEdit(hDlg, IDC_DIRS2_PATH2, pDir->szDir2, COUNTOF(pDir->szDir2));
            EndDialog(hDlg, IDOK);
            return TRUE;
        case IDCANCEL:
            return fnDirCancel(hDlg);
        case IDC_DIRS2_BROWSE1:
            fnBrowseFolder(hDlg, IDC_DIRS2_PATH1, "");
            return TRUE;
        case IDC_DIRS2_BROWSE2:
            fnBrowseFolder(hDlg, IDC_DIRS2_PATH2, "");
            return TRUE;
        case IDC_SECT_HELP:
            fnShowSectHelp(hDlg, pDir->pSect);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

int fnReadGet2Dirs(HWND hwndParent, ReadSectStruct *pSect)
{
    DirStruct dir;
    memset(&dir, 0, sizeof(dir));
    dir.pSect = pSect;
    fnCopyText(dir.szDir, COUNTOF(dir.szDir), pSect->szPath1);
    fnCopyText(dir.szDir2, COUNTOF(dir.szDir2), pSect->szPath2);
    TRACE("fnReadGet2Dirs", "szPath1=%s,\nszPath2=%s", dir.szDir, dir.szDir2);
    INT_PTR iRC = fnShowSectDialog(IDD_GET2DIRS, hwndParent, fnGet2DirsProc, (LPARAM)&dir,
                                   dir.szDir[0] && dir.szDir2[0] ? IDOK : kDialogNoSafeAnswer, "Get2Dirs");
    if (iRC == IDCANCEL)
        return 7;
    if (iRC != IDOK)
        return 0;
    fnCopyText(pSect->szPath1, COUNTOF(pSect->szPath1), dir.szDir);
    fnCopyText(pSect->szPath2, COUNTOF(pSect->szPath2), dir.szDir2);
    fnSetDirSlot(0, dir.szDir);
    fnSetDirSlot(1, dir.szDir2);
    fnLogLine("Get2Dirs=%s, %s", 1, dir.szDir, dir.szDir2);
    return 1;
}
