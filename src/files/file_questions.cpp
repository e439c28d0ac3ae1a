// The questions about one file that only offer buttons: the file is in
// use, it exists already, its current copy is elsewhere.
#include "files/file_questions.h"

#include "files/install_question.h"
#include "run/run_state.h"
#include "run/text.h"
#include "resource.h"

namespace {

struct TextsStruct {
    int aiId[3];
    const char *apszText[3];
};

INT_PTR CALLBACK fnButtonsProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_INITDIALOG) {
        const TextsStruct *pTexts = (const TextsStruct *)lParam;
        for (int i = 0; i < 3; i++) {
            if (pTexts->aiId[i])
                SetDlgItemTextA(hDlg, pTexts->aiId[i], pTexts->apszText[i]);
        }
        fnStartQuestion(hDlg);
        return TRUE;
    }
    if (uMsg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        int iId = LOWORD(wParam);
        if (iId != IDCANCEL && iId != IDOK)  // only the dialog's own buttons end it
            EndDialog(hDlg, iId);
        return TRUE;
    }
    return FALSE;
}

// iDefault is the answer of a run nobody watches; pszWhat names the question for the logs.
int fnShowButtons(HWND hwndOwner, int iDialog, const TextsStruct *pTexts, int iOnFailure, int iDefault,
                  const char *pszWhat)
{
    char szWhat[kcchLine];
    fnFormatText(szWhat, COUNTOF(szWhat), "%s: %s", pszWhat, pTexts->apszText[0]);
    INT_PTR iRC = fnDialogBox(iDialog, hwndOwner, fnButtonsProc, (LPARAM)pTexts, iDefault, szWhat);
    return iRC <= 0 ? iOnFailure : (int)iRC;
}

}  // namespace

int fnShowInUseDialog(HWND hwndOwner, const char *pszFile)
{
    TextsStruct texts = {{IDC_INUSE_FILE, 0, 0}, {pszFile, NULL, NULL}};
    // Unattended, Retry would meet the same lock for ever: the file is
    // replaced at the next restart instead, which the exit code reports.
    return fnShowButtons(hwndOwner, IDD_IN_USE, &texts, IDC_INUSE_EXIT, IDC_INUSE_RESTART, "file in use");
}

int fnShowExistsDialog(HWND hwndOwner, const char *pszName, const char *pszDir)
{
    TextsStruct texts = {{IDC_EXISTS_FILE, IDC_EXISTS_DIR, 0}, {pszName, pszDir, NULL}};
    return fnShowButtons(hwndOwner, IDD_FILE_EXISTS, &texts, IDC_EXISTS_EXIT, IDC_EXISTS_BACKUP, "file exists");
}

int fnShowElsewhereDialog(HWND hwndOwner, const char *pszName, const char *pszDir, const char *pszCurDir)
{
    TextsStruct texts = {{IDC_ELSEWHERE_FILE, IDC_ELSEWHERE_DIR, IDC_ELSEWHERE_CURDIR}, {pszName, pszDir, pszCurDir}};
    return fnShowButtons(hwndOwner, IDD_FILE_ELSEWHERE, &texts, IDC_ELSEWHERE_EXIT, IDC_ELSEWHERE_KEEP,
                         "file installed elsewhere");
}
