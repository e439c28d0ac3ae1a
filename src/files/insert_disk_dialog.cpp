// The question for a missing source file: where to find it, or skip it.
#include "files/insert_disk_dialog.h"
#include "base/path.h"

#include <commdlg.h>

#include "files/install_ops.h"
#include "files/install_question.h"
#include "run/text.h"
#include "resource.h"

namespace {

void fnEnableOk(HWND hDlg)
{
    EnableWindow(GetDlgItem(hDlg, IDOK), GetWindowTextLengthA(GetDlgItem(hDlg, IDC_DISK_PATH)) > 0);
}

void fnBrowseSource(HWND hDlg)
{
    char szFile[kcchPath], szDir[kcchPath];
    GetDlgItemTextA(hDlg, IDC_DISK_FILE, szFile, COUNTOF(szFile));
    GetDlgItemTextA(hDlg, IDC_DISK_PATH, szDir, COUNTOF(szDir));
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = hDlg;
    ofn.lpstrFilter = "All files (*.*)\0*.*\0";
    ofn.lpstrFile = szFile;
    ofn.nMaxFile = COUNTOF(szFile);
    ofn.lpstrInitialDir = szDir[0] ? szDir : NULL;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&ofn))
        return;
    char szName[kcchPath];
    if (fnPathSplit(szFile, szDir, COUNTOF(szDir), szName, COUNTOF(szName)) && szName[0]) {
        SetDlgItemTextA(hDlg, IDC_DISK_FILE, szName);
        SetDlgItemTextA(hDlg, IDC_DISK_PATH, szDir);
    }
}

INT_PTR CALLBACK fnInsertDiskProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    InsertDiskStruct *pDisk = (InsertDiskStruct *)GetWindowLongPtrA(hDlg, DWLP_USER);
    switch (uMsg) {
    case WM_INITDIALOG:
        pDisk = (InsertDiskStruct *)lParam;
        SetWindowLongPtrA(hDlg, DWLP_USER, (LONG_PTR)pDisk);
        SetDlgItemTextA(hDlg, IDC_DISK_LABEL, pDisk->szLabel);
        SetDlgItemTextA(hDlg, IDC_DISK_FILE, pDisk->szFile);
        SendDlgItemMessageA(hDlg, IDC_DISK_PATH, EM_LIMITTEXT, kcchPath - 1, 0);
        SetDlgItemTextA(hDlg, IDC_DISK_PATH, pDisk->szPath);
        fnEnableOk(hDlg);
        fnStartQuestion(hDlg);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_DISK_PATH:
            if (HIWORD(wParam) == EN_CHANGE)
                fnEnableOk(hDlg);
            return TRUE;
        case IDOK:
            if (GetWindowTextLengthA(GetDlgItem(hDlg, IDC_DISK_PATH)) == 0)
                return TRUE;
            GetDlgItemTextA(hDlg, IDC_DISK_PATH, pDisk->szPath, COUNTOF(pDisk->szPath));
            GetDlgItemTextA(hDlg, IDC_DISK_FILE, pDisk->szFile, COUNTOF(pDisk->szFile));
            EndDialog(hDlg, IDOK);
            return TRUE;
        case IDC_DISK_BROWSE:
            fnBrowseSource(hDlg);
            return TRUE;
        case IDC_DISK_SKIP:
            EndDialog(hDlg, IDC_DISK_SKIP);
            return TRUE;
        case IDCANCEL:
        case IDC_DISK_EXIT:
            if (fnConfirmExit())
                EndDialog(hDlg, IDC_DISK_EXIT);
            return TRUE;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

}  // namespace

int fnShowInsertDiskDialog(HWND hwndOwner, InsertDiskStruct *pDisk)
{
    char szWhat[kcchLine];
    fnFormatText(szWhat, COUNTOF(szWhat), "insert disk %s: %s\\%s", pDisk->szLabel, pDisk->szPath, pDisk->szFile);
    INT_PTR iRC = fnDialogBox(IDD_INSERT_DISK, hwndOwner, fnInsertDiskProc, (LPARAM)pDisk, kDialogNoSafeAnswer, szWhat);
    return iRC <= 0 ? IDC_DISK_EXIT : (int)iRC;
}
