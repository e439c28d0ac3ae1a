// The question for move mode "P": move, rename, copy or delete one file.
#include "files/move_choice_dialog.h"

#include "files/install_question.h"
#include "run/run_state.h"
#include "run/text.h"
#include "files/move_text.h"
#include "resource.h"

namespace {

struct MoveChoiceRow {
    int iButton;
    unsigned uMoveMode;
};
const MoveChoiceRow g_aMoveChoices[] = {
    {IDC_MOVECHOICE_MOVE, kMoveMove},
    {IDC_MOVECHOICE_RENAME, kMoveRename},
    {IDC_MOVECHOICE_COPY, kMoveCopy},
    {IDC_MOVECHOICE_DELETE, kMoveDelete},
};

INT_PTR CALLBACK fnMoveChoiceProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_INITDIALOG) {
        SetDlgItemTextA(hDlg, IDC_MOVECHOICE_FILE, (const char *)lParam);
        CheckRadioButton(hDlg, IDC_MOVECHOICE_MOVE, IDC_MOVECHOICE_DELETE, IDC_MOVECHOICE_MOVE);
        fnStartQuestion(hDlg);
        return TRUE;
    }
    if (uMsg != WM_COMMAND || HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        for (const MoveChoiceRow &row : g_aMoveChoices) {
            if (IsDlgButtonChecked(hDlg, row.iButton) == BST_CHECKED)
                EndDialog(hDlg, (INT_PTR)row.uMoveMode);
        }
        return TRUE;
    case IDCANCEL:
        EndDialog(hDlg, IDCANCEL);
        return TRUE;
    case IDC_MOVECHOICE_EXIT:
        if (fnConfirmExit())
            EndDialog(hDlg, IDC_MOVECHOICE_EXIT);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

int fnShowMoveChoiceDialog(HWND hwndOwner, const char *pszFile)
{
    char szWhat[kcchLine];
    fnFormatText(szWhat, COUNTOF(szWhat), "move, rename, copy or delete: %s", pszFile);
    // OK with the choice the dialog starts with: move.
    INT_PTR iRC = fnDialogBox(IDD_MOVE_CHOICE, hwndOwner, fnMoveChoiceProc, (LPARAM)pszFile, kMoveMove, szWhat);
    if (iRC == IDCANCEL)
        return kMoveChoiceCancel;
    return iRC <= 0 || iRC == IDC_MOVECHOICE_EXIT ? kMoveChoiceExit : (int)iRC;
}
