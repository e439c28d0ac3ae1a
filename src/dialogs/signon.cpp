// [Signon], [Info] and [Install Options].
#include "dialogs/signon.h"

#include "base/path.h"
#include "base/whole_file.h"
#include "dialogs/read_sect.h"
#include "dialogs/sect_dialog.h"
#include "expand/expand.h"
#include "run/text.h"
#include "run/trace.h"
#include "run/window.h"
#include "script/conditions.h"
#include "script/lines.h"
#include "resource.h"

namespace {

// A heap block for the large texts of these dialogs.
template <class T>
class CHeapRecord {
public:
    CHeapRecord() : m_p((T *)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(T))) {}
    ~CHeapRecord()
    {
        if (m_p)
            HeapFree(GetProcessHeap(), 0, m_p);
    }
    CHeapRecord(const CHeapRecord &) = delete;
    CHeapRecord &operator=(const CHeapRecord &) = delete;
    T *Get() const { return m_p; }

private:
    T *m_p;
};

enum { kuSignonLinesKept = 200 };

struct SignonStruct {
    char szCaption[kcchShort];
    char szPrompt[kcchShort];
    char szText[kcchSectText];
    unsigned uLines;
};

// Reads "key=value" lines one after another: 1 a line was read (key and
// field 1 expanded; field 2 expanded too when pszValue2 is given), 0 at the
// end. *pbNoKey set for a line without "key=".
int fnNextKeyLine(const char **ppszPos, char *pszKey, size_t cchKey, char *pszValue, size_t cchValue, BOOL *pbNoKey,
                  char *pszValue2 = NULL, size_t cchValue2 = 0)
{
    char szLine[kcchInfLine];
    *pbNoKey = FALSE;
    if (!fnInfNextLineToDo(ppszPos, szLine, COUNTOF(szLine)))
        return 0;
    if (!strchr(szLine, '=') || !fnInfParseField(szLine, 0, pszKey, cchKey)) {
        *pbNoKey = TRUE;
        return 0;
    }
    fnTrimBlanks(pszKey);
    fnInfParseField(szLine, 1, pszValue, cchValue);
    fnExpandOpts(pszValue, cchValue);
    if (pszValue2) {
        fnInfParseField(szLine, 2, pszValue2, cchValue2);
        fnExpandOpts(pszValue2, cchValue2);
    }
    return 1;
}

// A file named without a drive is read from the source directory.
void fnSourceFile(const char *pszName, char *pszOut, size_t cchOut)
{
    if (pszName[0] && pszName[1] == ':')
        fnCopyText(pszOut, cchOut, pszName);
    else
        fnPathJoin(pszOut, cchOut, g_szSourceDir, pszName);
}

int fnReadFileText(const char *pszFile, char *pszOut, size_t cchOut)
{
    DWORD cb = 0;
    char *pszText = fnReadWholeFile(pszFile, &cb, 0x7fffffff);
    if (!pszText)
        return 0;
    fnCopyText(pszOut, cchOut, pszText);
    HeapFree(GetProcessHeap(), 0, pszText);
    return 1;
}

// CR LF for the edit control: a lone LF would show as nothing.
void fnTextForEdit(const char *pszText, char *pszOut, size_t cchOut)
{
    size_t uOut = 0;
    for (const char *p = pszText; *p && uOut + 2 < cchOut; p++) {
        if (*p == '\n' && (p == pszText || p[-1] != '\r'))
            pszOut[uOut++] = '\r';
        pszOut[uOut++] = *p;
    }
    pszOut[uOut] = '\0';
}

INT_PTR CALLBACK fnSignonProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_INITDIALOG: {
        SignonStruct *pSignon = (SignonStruct *)lParam;
        SetWindowTextA(hDlg, pSignon->szCaption);
        SetDlgItemTextA(hDlg, IDC_SIGNON_PROMPT, pSignon->szPrompt);
        CHeapRecord<SignonStruct> shown;
        if (shown.Get()) {
            fnTextForEdit(pSignon->szText, shown.Get()->szText, COUNTOF(shown.Get()->szText));
            SetDlgItemTextA(hDlg, IDC_SIGNON_TEXT, shown.Get()->szText);
        }
        fnStartDialog(g_hwndMain, hDlg, FALSE, FALSE);
        SetFocus(GetDlgItem(hDlg, IDOK));
        return FALSE;
    }
    case WM_CTLCOLORSTATIC:
        // The read-only text shows in window colours, as a page to read.
        if ((HWND)lParam == GetDlgItem(hDlg, IDC_SIGNON_TEXT)) {
            SetBkColor((HDC)wParam, GetSysColor(COLOR_WINDOW));
            SetTextColor((HDC)wParam, GetSysColor(COLOR_WINDOWTEXT));
            return (INT_PTR)GetSysColorBrush(COLOR_WINDOW);
        }
        break;
    case WM_CLOSE:
        EndDialog(hDlg, IDCANCEL);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(hDlg, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

int fnReadSignon(HWND hwndMain, const char *pszBody)
{
    CHeapRecord<SignonStruct> signon;
    if (!signon.Get())
        return 0;
    SignonStruct *pSignon = signon.Get();
    fnCopyText(pSignon->szCaption, COUNTOF(pSignon->szCaption), g_szTitle);
    fnCopyText(pSignon->szPrompt, COUNTOF(pSignon->szPrompt), "Select OK to continue");
    const char *pszPos = pszBody;
    char szKey[kcchInfLine], szValue[kcchInfLine];
    BOOL bNoKey = FALSE;
    while (fnNextKeyLine(&pszPos, szKey, COUNTOF(szKey), szValue, COUNTOF(szValue), &bNoKey)) {
        if (fnTextEqualI(szKey, "Caption")) {
            fnCopyText(pSignon->szCaption, COUNTOF(pSignon->szCaption), szValue);
        } else if (fnTextEqualI(szKey, "Prompt")) {
            fnCopyText(pSignon->szPrompt, COUNTOF(pSignon->szPrompt), szValue);
        } else if (fnTextEqualI(szKey, "Line")) {
            if (pSignon->uLines < kuSignonLinesKept) {
                fnAppendText(pSignon->szText, COUNTOF(pSignon->szText), szValue);
                fnAppendText(pSignon->szText, COUNTOF(pSignon->szText), "\r\n");
            }
            pSignon->uLines++;
        } else if (fnTextEqualI(szKey, "File")) {
            char szFile[kcchPath];
            fnSourceFile(szValue, szFile, COUNTOF(szFile));
            if (fnReadFileText(szFile, pSignon->szText, COUNTOF(pSignon->szText)))
                pSignon->uLines += 12;
        } else {
            break;
        }
    }
    if (bNoKey)
        return 1;  // a line that is no "key=" ends the section without a dialog
    UINT uId = pSignon->uLines < 5 ? IDD_SIGNON_SHORT : IDD_SIGNON_LONG;
    TRACE("fnReadSignon", "szCaption=%s,\nuLines=%u", pSignon->szCaption, pSignon->uLines);
    INT_PTR iRC = fnQuietDialogBox(uId, hwndMain, fnSignonProc, (LPARAM)pSignon, IDOK, "Signon");
    if (iRC == IDOK)
        return 1;
    g_bUserCancelled = TRUE;
    return 0;
}

int fnInfoSection(HWND hwndMain, char *pszSection, const char *, UserInputStruct *, const char *)
{
    return fnReadSignon(hwndMain, fnInfSectionBody(pszSection));
}

// ---- [Install Options] ---------------------------------------------------

namespace {

enum { kcchOptionButton = 20, kcchOptionMsg = 256 };

struct InstallOptionsStruct {
    char szCaption[kcchShort];
    char szIntro[kcchMessage];
    char aszMsg[6][kcchOptionMsg];      // options 1-4, Exit, Help
    char aszBtn[6][kcchOptionButton];   // their labels ("" keeps the template's)
    char aszInf[4][kcchPath];
    ReadSectStruct sect;                // help text and file, as the input dialogs keep them
};

const int g_aiOptionMsgIds[6] = {IDC_IO_OPT1MSG, IDC_IO_OPT2MSG, IDC_IO_OPT3MSG, IDC_IO_OPT4MSG, IDC_IO_EXITMSG,
                                 IDC_IO_HELPMSG};
const int g_aiOptionBtnIds[6] = {IDC_IO_OPT1, IDC_IO_OPT2, IDC_IO_OPT3, IDC_IO_OPT4, IDC_IO_EXIT, IDC_IO_HELP};

// Without help the dialog ends where the Help row begins.
void fnDropHelpRow(HWND hDlg)
{
    HWND hHelp = GetDlgItem(hDlg, IDC_IO_HELP);
    RECT rcHelp, rcClient;
    GetWindowRect(hHelp, &rcHelp);
    GetClientRect(hDlg, &rcClient);
    MapWindowPoints(NULL, hDlg, (POINT *)&rcHelp, 2);
    ShowWindow(hHelp, SW_HIDE);
    ShowWindow(GetDlgItem(hDlg, IDC_IO_HELPMSG), SW_HIDE);
    fnShrinkDialog(hDlg, rcClient.bottom - rcHelp.top);
}

INT_PTR CALLBACK fnInstallOptionsProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    InstallOptionsStruct *pOpt = fnDialogRecord<InstallOptionsStruct>(hDlg, uMsg, lParam);
    switch (uMsg) {
    case WM_INITDIALOG:
        SetWindowTextA(hDlg, pOpt->szCaption);
        SetDlgItemTextA(hDlg, IDC_IO_INTRO, pOpt->szIntro);
        for (unsigned u = 0; u < 6; u++) {
            HWND hBtn = GetDlgItem(hDlg, g_aiOptionBtnIds[u]);
            if (!hBtn)
                continue;
            SetDlgItemTextA(hDlg, g_aiOptionMsgIds[u], pOpt->aszMsg[u]);
            if (pOpt->aszBtn[u][0])
                SetWindowTextA(hBtn, pOpt->aszBtn[u]);
        }
        if (pOpt->sect.uHelpKind == kHelpNone)
            fnDropHelpRow(hDlg);
        fnStartDialog(g_hwndMain, hDlg, FALSE, FALSE);
        SetFocus(GetDlgItem(hDlg, IDC_IO_OPT1));
        return FALSE;
    case WM_CLOSE:
        fnEndSectDialog(hDlg, &pOpt->sect, kOptionExit);
        return TRUE;
    case WM_COMMAND: {
        int iId = LOWORD(wParam);
        if (iId == IDC_IO_HELP) {
            fnShowSectHelp(hDlg, &pOpt->sect);
            return TRUE;
        }
        if (iId >= IDC_IO_OPT1 && iId <= IDC_IO_EXIT) {
            fnEndSectDialog(hDlg, &pOpt->sect, iId);
            return TRUE;
        }
        if (iId == IDCANCEL) {
            fnEndSectDialog(hDlg, &pOpt->sect, kOptionExit);
            return TRUE;
        }
        break;
    }
    }
    return FALSE;
}

// The keys of one option, Exit or Help: its text, its label, its script.
int fnTakeOptionKey(InstallOptionsStruct *pOpt, const char *pszKey, const char *pszValue)
{
    static const char *const s_apszMsgKeys[6] = {"Opt1Msg", "Opt2Msg", "Opt3Msg", "Opt4Msg", "ExitMsg", "HelpMsg"};
    static const char *const s_apszBtnKeys[6] = {"Opt1Btn", "Opt2Btn", "Opt3Btn", "Opt4Btn", "ExitBtn", "HelpBtn"};
    static const char *const s_apszInfKeys[4] = {"Opt1Inf", "Opt2Inf", "Opt3Inf", "Opt4Inf"};
    for (unsigned u = 0; u < 6; u++) {
        char *pszDest = NULL;
        size_t cchDest = 0;
        if (fnTextEqualI(pszKey, s_apszMsgKeys[u])) {
            pszDest = pOpt->aszMsg[u];
            cchDest = kcchOptionMsg;
        } else if (fnTextEqualI(pszKey, s_apszBtnKeys[u])) {
            pszDest = pOpt->aszBtn[u];
            cchDest = kcchOptionButton;
        } else if (u < 4 && fnTextEqualI(pszKey, s_apszInfKeys[u])) {
            pszDest = pOpt->aszInf[u];
            cchDest = kcchPath;
        }
        if (pszDest) {
            fnCopyText(pszDest, cchDest, pszValue);
            return 1;
        }
    }
    return 0;
}

// Reads the keys; 0 when a line without "key=" ends the section (nothing shown).
int fnReadOptionKeys(const char *pszBody, InstallOptionsStruct *pOpt)
{
    const char *pszPos = pszBody;
    char szKey[kcchInfLine], szValue[kcchInfLine], szValue2[kcchInfLine];
    BOOL bNoKey = FALSE;
    while (fnNextKeyLine(&pszPos, szKey, COUNTOF(szKey), szValue, COUNTOF(szValue), &bNoKey, szValue2,
                         COUNTOF(szValue2))) {
        int bTaken = 1;
        if (fnTextEqualI(szKey, "Caption")) {
            fnCopyText(pOpt->szCaption, COUNTOF(pOpt->szCaption), szValue);
        } else if (fnTextEqualI(szKey, "Intro")) {
            fnCopyText(pOpt->szIntro, COUNTOF(pOpt->szIntro), szValue);
        } else if (fnTextEqualI(szKey, "Help")) {
            fnAppendText(pOpt->sect.szHelp, COUNTOF(pOpt->sect.szHelp), szValue);
            fnAppendText(pOpt->sect.szHelp, COUNTOF(pOpt->sect.szHelp), "\r\n");
            pOpt->sect.uHelpKind = kHelpText;
        } else if (fnTextEqualI(szKey, "HelpFile")) {
            fnSetHelpFile(&pOpt->sect, szValue, szValue2);  // field 2: the topic
        } else {
            bTaken = fnTakeOptionKey(pOpt, szKey, szValue);
        }
        if (!bTaken)
            break;
    }
    return bNoKey ? 0 : 1;
}

// Option N's script, in the directory of the current one when that has one.
void fnChooseScript(const char *pszInf)
{
    char szDir[kcchPath], szName[kcchPath], szNew[kcchPath];
    fnPathSplit(g_szIniFile, szDir, COUNTOF(szDir), szName, COUNTOF(szName));
    if (szDir[0] && !strchr(pszInf, '\\') && !(pszInf[0] && pszInf[1] == ':'))
        fnPathJoin(szNew, COUNTOF(szNew), szDir, pszInf);
    else
        fnCopyText(szNew, COUNTOF(szNew), pszInf);
    fnCopyText(g_szIniFile, COUNTOF(g_szIniFile), szNew);
    // The chosen script is a file even when this one was the program's own:
    // loading the internal one again would offer the same choice forever.
    g_bInternalInf = FALSE;
}

}  // namespace

unsigned fnInstallOptionCount(BOOL bOpt2, BOOL bOpt3, BOOL bOpt4)
{
    if (!bOpt2)
        return 1;
    if (bOpt3)
        return bOpt4 ? 4 : 3;
    return bOpt4 ? 1 : 2;
}

int fnReadInstallOptions(HWND hwndMain, const char *pszBody)
{
    CHeapRecord<InstallOptionsStruct> opt;
    if (!opt.Get())
        return 1;
    InstallOptionsStruct *pOpt = opt.Get();
    fnCopyText(pOpt->szCaption, COUNTOF(pOpt->szCaption), g_szTitle);
    fnLoadText(IDS_OPTIONS_INTRO, pOpt->szIntro, COUNTOF(pOpt->szIntro));
    fnLoadText(IDS_OPTIONS_EXITMSG, pOpt->aszMsg[4], kcchOptionMsg);
    fnLoadText(IDS_OPTIONS_HELPMSG, pOpt->aszMsg[5], kcchOptionMsg);
    fnLoadText(IDS_OPTIONS_EXITBTN, pOpt->aszBtn[4], kcchOptionButton);
    fnLoadText(IDS_OPTIONS_HELPBTN, pOpt->aszBtn[5], kcchOptionButton);
    fnLoadText(IDS_OPTIONS_INF2, pOpt->aszInf[1], kcchPath);
    fnLoadText(IDS_OPTIONS_INF3, pOpt->aszInf[2], kcchPath);
    fnLoadText(IDS_OPTIONS_INF4, pOpt->aszInf[3], kcchPath);
    if (!fnReadOptionKeys(pszBody, pOpt))
        return 1;
    unsigned uCount = fnInstallOptionCount(pOpt->aszMsg[1][0] != 0, pOpt->aszMsg[2][0] != 0, pOpt->aszMsg[3][0] != 0);
    TRACE("fnReadInstallOptions", "uCount=%u", uCount);
    // Nobody to choose in a quiet run: option 1, the script as it is.
    INT_PTR iRC = fnQuietDialogBox(IDD_INSTALL_OPTIONS1 + uCount - 1, hwndMain, fnInstallOptionsProc,
                                   (LPARAM)pOpt, IDC_IO_OPT1, "Install Options");
    if (iRC < IDC_IO_OPT1 || iRC == IDC_IO_EXIT) {
        g_bUserCancelled = TRUE;
        return kOptionExit;
    }
    unsigned uOption = (unsigned)(iRC - IDC_IO_OPT1);
    if (uOption == 0 && !pOpt->aszInf[0][0])
        return 1;
    fnChooseScript(pOpt->aszInf[uOption]);
    fnLogLine("Install option %u: %s", 1, uOption + 1, g_szIniFile);
    return kOptionFirst + (int)uOption;
}
