// robot.exe - the dialog robot of the end-to-end tests.
//
//   robot.exe <pid> <transcript-file> <timeout-ms> [answer ...]
//   robot.exe --start <command-line> <transcript-file> <timeout-ms> [answer ...]
//
// The second form starts the program itself (in the current directory) and
// writes its exit code as a last line "exit code: <n>" to the transcript and
// to standard output (scripts/run.sh uses it: Wine gives the shell only the
// low 8 bits of an exit code).
//
// Watches the top-level windows of process <pid>. Each visible, enabled
// window of the dialog class "#32770" (message boxes and dialogs; other
// classes are ignored) is, once it has been stable for 150 ms, written to the
// transcript and answered with the next answer. The transcript format and the
// answers are documented in tests/e2e/e2e_support.h.
//
// Exit status: 0 when the process ended, every window was expected and every
// answer was used; 1 when a window was unexpected or answers were left; 2 at
// the time-out (the process is then terminated); 3 on a usage or start error.
#include <windows.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

const DWORD kStableMs = 150;      // a window must look the same this long
const DWORD kRehandleMs = 1500;   // a still-open answered window is asked again after this
const DWORD kPollMs = 25;
const int kMaxHandlings = 20;     // per window, against endless loops

struct Control {
    HWND hwnd;
    int iId;
    std::string strClass;
    std::string strText;
    bool fButton;
    bool fPushButton;
    bool fEnabled;
};

struct Snapshot {
    std::string strTitle;
    std::vector<Control> vecControls;
    std::string strKey;  // everything, to compare for stability
};

struct Tracked {
    std::string strKey;
    ULONGLONG ullStableSince = 0;
    ULONGLONG ullHandledAt = 0;
    int iHandlings = 0;
    bool fIgnore = false;
    std::string strUnansweredKey;  // a window left alone is taken up again only when it changes
};

FILE *g_pTranscript = nullptr;
HANDLE g_hProcess = nullptr;
DWORD g_dwPid = 0;
ULONGLONG g_ullDeadline = 0;
std::vector<std::string> g_vecAnswers;
size_t g_iNextAnswer = 0;
bool g_fFailed = false;
bool g_fStarted = false;  // --start: the robot started the program itself

std::string fnWindowText(HWND hwnd) {
    DWORD_PTR dwLen = 0;
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &dwLen)) {
        char sz[1024];
        int n = GetWindowTextA(hwnd, sz, sizeof sz);
        return std::string(sz, n > 0 ? n : 0);
    }
    std::vector<char> buf(dwLen + 2, '\0');
    DWORD_PTR dwGot = 0;
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, (WPARAM)buf.size(), (LPARAM)buf.data(), SMTO_ABORTIFHUNG,
                             1000, &dwGot))
        return std::string();
    return std::string(buf.data(), strnlen(buf.data(), buf.size()));
}

std::string fnClassName(HWND hwnd) {
    char sz[256];
    int n = GetClassNameA(hwnd, sz, sizeof sz);
    return std::string(sz, n > 0 ? n : 0);
}

bool fnIEquals(const std::string &a, const std::string &b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); i++)
        if (tolower((unsigned char)a[i]) != tolower((unsigned char)b[i])) return false;
    return true;
}

// "&Yes" -> "Yes", "A && B" -> "A & B".
std::string fnStripAmpersands(const std::string &s) {
    std::string r;
    for (size_t i = 0; i < s.size(); i++) {
        if (s[i] == '&') {
            if (i + 1 < s.size() && s[i + 1] == '&') { r += '&'; i++; }
            continue;
        }
        r += s[i];
    }
    return r;
}

// CR LF, LF and CR become the two characters "\n".
std::string fnEscape(const std::string &s) {
    std::string r;
    for (size_t i = 0; i < s.size(); i++) {
        if (s[i] == '\r') {
            if (i + 1 < s.size() && s[i + 1] == '\n') i++;
            r += "\\n";
        } else if (s[i] == '\n') {
            r += "\\n";
        } else {
            r += s[i];
        }
    }
    return r;
}

bool fnIsTextStatic(HWND hwnd) {
    LONG lStyle = GetWindowLongA(hwnd, GWL_STYLE);
    switch (lStyle & SS_TYPEMASK) {
    case SS_LEFT: case SS_CENTER: case SS_RIGHT: case SS_SIMPLE: case SS_LEFTNOWORDWRAP: case SS_OWNERDRAW:
        return true;
    default:
        return false;
    }
}

// The selected line of a list box, "" when none. Asked for in UTF-16: Wine
// hands a list box's ANSI text to another process cut short.
std::string fnListSelection(HWND hwnd) {
    DWORD_PTR dwSel = 0, dwLen = 0;
    if (!SendMessageTimeoutW(hwnd, LB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 1000, &dwSel) || (LRESULT)dwSel == LB_ERR)
        return std::string();
    if (!SendMessageTimeoutW(hwnd, LB_GETTEXTLEN, dwSel, 0, SMTO_ABORTIFHUNG, 1000, &dwLen) || (LRESULT)dwLen == LB_ERR)
        return std::string();
    std::vector<wchar_t> buf(dwLen + 2, L'\0');
    DWORD_PTR dw = 0;
    SendMessageTimeoutW(hwnd, LB_GETTEXT, dwSel, (LPARAM)buf.data(), SMTO_ABORTIFHUNG, 1000, &dw);
    char sz[1024] = "";
    WideCharToMultiByte(CP_ACP, 0, buf.data(), -1, sz, sizeof sz, nullptr, nullptr);
    return std::string(sz);
}

Snapshot fnSnapshot(HWND hwndDlg) {
    Snapshot snap;
    snap.strTitle = fnWindowText(hwndDlg);
    snap.strKey = "T:" + snap.strTitle + (IsWindowEnabled(hwndDlg) ? "|E" : "|D");
    for (HWND h = GetWindow(hwndDlg, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (!IsWindowVisible(h)) continue;
        Control c;
        c.hwnd = h;
        c.iId = GetDlgCtrlID(h);
        c.strClass = fnClassName(h);
        c.fEnabled = IsWindowEnabled(h) != FALSE;
        c.fButton = false;
        c.fPushButton = false;
        if (fnIEquals(c.strClass, "Static")) {
            if (!fnIsTextStatic(h)) continue;
            c.strText = fnWindowText(h);
            // As shown: without SS_NOPREFIX, "&x" is an underlined x.
            if (!(GetWindowLongA(h, GWL_STYLE) & SS_NOPREFIX)) c.strText = fnStripAmpersands(c.strText);
            if (c.strText.empty()) continue;
        } else if (fnIEquals(c.strClass, "Edit")) {
            c.strText = fnWindowText(h);
            // A password field is never written out: only whether it holds text.
            if ((GetWindowLongA(h, GWL_STYLE) & ES_PASSWORD) && !c.strText.empty()) c.strText = "********";
        } else if (fnIEquals(c.strClass, "ComboBox")) {
            c.strText = fnWindowText(h);
        } else if (fnIEquals(c.strClass, "ListBox")) {
            c.strText = fnListSelection(h);
        } else if (fnIEquals(c.strClass, "Button")) {
            LONG lType = GetWindowLongA(h, GWL_STYLE) & BS_TYPEMASK;
            if (lType == BS_GROUPBOX) continue;
            c.fButton = true;
            c.fPushButton = lType == BS_PUSHBUTTON || lType == BS_DEFPUSHBUTTON || lType == BS_OWNERDRAW ||
                            lType == BS_USERBUTTON;
            c.strText = fnStripAmpersands(fnWindowText(h));
        } else {
            continue;
        }
        snap.strKey += "\x01" + c.strClass + "\x02" + std::to_string(c.iId) + "\x02" + c.strText +
                       (c.fEnabled ? "E" : "D");
        snap.vecControls.push_back(c);
    }
    return snap;
}

void fnWrite(const std::string &strLine) {
    fputs(strLine.c_str(), g_pTranscript);
    fputc('\n', g_pTranscript);
}

void fnFlush() { fflush(g_pTranscript); }

bool fnProcessEnded() { return WaitForSingleObject(g_hProcess, 0) == WAIT_OBJECT_0; }

bool fnAlive(HWND hwnd) { return IsWindow(hwnd) && IsWindowVisible(hwnd); }

bool fnResponding(HWND hwnd) {
    DWORD_PTR dw = 0;
    return SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 200, &dw) != 0;
}

[[noreturn]] void fnTimeout() {
    fnWrite("TIMEOUT");
    fnFlush();
    TerminateProcess(g_hProcess, ERROR_TIMEOUT);
    WaitForSingleObject(g_hProcess, 5000);
    if (g_fStarted) {
        fnWrite("exit code: " + std::to_string(ERROR_TIMEOUT));
        printf("exit code: %lu (terminated at the time-out)\n", (unsigned long)ERROR_TIMEOUT);
        fflush(stdout);
    }
    fclose(g_pTranscript);
    ExitProcess(2);
}

// Sleeps up to ms, returning early when the window is gone or the process ended.
void fnWaitWhileOpen(HWND hwnd, DWORD ms) {
    ULONGLONG ullEnd = GetTickCount64() + ms;
    while (GetTickCount64() < ullEnd) {
        if (GetTickCount64() > g_ullDeadline) fnTimeout();
        if (!fnAlive(hwnd) || fnProcessEnded()) return;
        Sleep(kPollMs);
    }
}

void fnCloseUnexpected(HWND hwnd) {
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    fnWaitWhileOpen(hwnd, 1000);
    if (fnAlive(hwnd)) {
        PostMessageA(hwnd, WM_CLOSE, 0, 0);
        fnWaitWhileOpen(hwnd, 1000);
    }
}

void fnPress(HWND hwndDlg, const Control &c) {
    if (c.fPushButton) {
        // Posted, not sent: the dialog's handler may open the next modal window.
        PostMessageA(hwndDlg, WM_COMMAND, MAKEWPARAM(c.iId, BN_CLICKED), (LPARAM)c.hwnd);
    } else {
        DWORD_PTR dw = 0;
        SendMessageTimeoutA(c.hwnd, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 1000, &dw);
    }
}

// Saves the screen as a 24-bit BMP file. gdi32 is loaded here by name: the
// robot links only user32 and kernel32.
bool fnSaveScreen(const std::string &strPath) {
    HMODULE hGdi = LoadLibraryA("gdi32.dll");
    if (!hGdi) return false;
    typedef HDC(WINAPI * PFN_CreateCompatibleDC)(HDC);
    typedef HBITMAP(WINAPI * PFN_CreateDIBSection)(HDC, const BITMAPINFO *, UINT, void **, HANDLE, DWORD);
    typedef HGDIOBJ(WINAPI * PFN_SelectObject)(HDC, HGDIOBJ);
    typedef BOOL(WINAPI * PFN_BitBlt)(HDC, int, int, int, int, HDC, int, int, DWORD);
    typedef BOOL(WINAPI * PFN_DeleteDC)(HDC);
    typedef BOOL(WINAPI * PFN_DeleteObject)(HGDIOBJ);
    auto pfnCreateDC = (PFN_CreateCompatibleDC)(void *)GetProcAddress(hGdi, "CreateCompatibleDC");
    auto pfnCreateDIB = (PFN_CreateDIBSection)(void *)GetProcAddress(hGdi, "CreateDIBSection");
    auto pfnSelect = (PFN_SelectObject)(void *)GetProcAddress(hGdi, "SelectObject");
    auto pfnBitBlt = (PFN_BitBlt)(void *)GetProcAddress(hGdi, "BitBlt");
    auto pfnDeleteDC = (PFN_DeleteDC)(void *)GetProcAddress(hGdi, "DeleteDC");
    auto pfnDeleteObject = (PFN_DeleteObject)(void *)GetProcAddress(hGdi, "DeleteObject");
    bool fOk = false;
    if (pfnCreateDC && pfnCreateDIB && pfnSelect && pfnBitBlt && pfnDeleteDC && pfnDeleteObject) {
        int cx = GetSystemMetrics(SM_CXVIRTUALSCREEN), cy = GetSystemMetrics(SM_CYVIRTUALSCREEN);
        int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
        BITMAPINFO bi;
        ZeroMemory(&bi, sizeof bi);
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = cx;
        bi.bmiHeader.biHeight = cy;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 24;
        bi.bmiHeader.biCompression = BI_RGB;
        DWORD cbRow = ((DWORD)cx * 3 + 3) & ~3u;
        bi.bmiHeader.biSizeImage = cbRow * (DWORD)cy;
        HDC hdcScreen = GetDC(nullptr);
        HDC hdcMem = pfnCreateDC(hdcScreen);
        void *pBits = nullptr;
        HBITMAP hbm = pfnCreateDIB(hdcScreen, &bi, DIB_RGB_COLORS, &pBits, nullptr, 0);
        if (hdcMem && hbm && pBits) {
            HGDIOBJ hOld = pfnSelect(hdcMem, hbm);
            if (pfnBitBlt(hdcMem, 0, 0, cx, cy, hdcScreen, x, y, SRCCOPY)) {
                BITMAPFILEHEADER bf;
                ZeroMemory(&bf, sizeof bf);
                bf.bfType = 0x4D42;
                bf.bfOffBits = sizeof bf + sizeof bi.bmiHeader;
                bf.bfSize = bf.bfOffBits + bi.bmiHeader.biSizeImage;
                FILE *f = fopen(strPath.c_str(), "wb");
                if (f) {
                    fOk = fwrite(&bf, sizeof bf, 1, f) == 1 && fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f) == 1 &&
                          fwrite(pBits, bi.bmiHeader.biSizeImage, 1, f) == 1;
                    fOk = fclose(f) == 0 && fOk;
                }
            }
            pfnSelect(hdcMem, hOld);
        }
        if (hbm) pfnDeleteObject(hbm);
        if (hdcMem) pfnDeleteDC(hdcMem);
        ReleaseDC(nullptr, hdcScreen);
    }
    FreeLibrary(hGdi);
    return fOk;
}

enum Outcome { kPressed, kLeftAlone, kClosedUnexpected };

bool fnIsListClass(const std::string &strClass) {
    return fnIEquals(strClass, "ListBox") || fnIEquals(strClass, "ComboBox");
}

// "edit:<n>:<text>": the n-th edit control (from 1, child order), else for
// n 1 a combo box's edit. true when a control took the text.
bool fnTypeInto(const Snapshot &snap, size_t uWhich, const std::string &strText, bool *pfSecret = nullptr) {
    size_t uSeen = 0;
    for (const Control &c : snap.vecControls) {
        if (fnIEquals(c.strClass, "Edit") && ++uSeen == uWhich) {
            if (pfSecret) *pfSecret = (GetWindowLongA(c.hwnd, GWL_STYLE) & ES_PASSWORD) != 0;
            DWORD_PTR dw = 0;
            SendMessageTimeoutA(c.hwnd, WM_SETTEXT, 0, (LPARAM)strText.c_str(), SMTO_ABORTIFHUNG, 1000, &dw);
            return true;
        }
    }
    if (uWhich != 1) return false;
    for (const Control &c : snap.vecControls) {
        if (fnIEquals(c.strClass, "ComboBox")) {
            DWORD_PTR dw = 0;
            SendMessageTimeoutA(c.hwnd, WM_SETTEXT, 0, (LPARAM)strText.c_str(), SMTO_ABORTIFHUNG, 1000, &dw);
            return true;
        }
    }
    return false;
}

// "pick:<text>": selects the line equal to text (case ignored) in the first
// list or combo box and tells the dialog as a click would.
bool fnPick(HWND hwndDlg, const Snapshot &snap, const std::string &strText) {
    for (const Control &c : snap.vecControls) {
        if (!fnIsListClass(c.strClass)) continue;
        bool fCombo = fnIEquals(c.strClass, "ComboBox");
        DWORD_PTR dwIndex = 0, dw = 0;
        if (!SendMessageTimeoutA(c.hwnd, fCombo ? CB_FINDSTRINGEXACT : LB_FINDSTRINGEXACT, (WPARAM)-1,
                                 (LPARAM)strText.c_str(), SMTO_ABORTIFHUNG, 1000, &dwIndex) ||
            (LRESULT)dwIndex < 0)
            return false;
        SendMessageTimeoutA(c.hwnd, fCombo ? CB_SETCURSEL : LB_SETCURSEL, dwIndex, 0, SMTO_ABORTIFHUNG, 1000, &dw);
        WORD wNotify = fCombo ? CBN_SELCHANGE : LBN_SELCHANGE;
        SendMessageTimeoutA(hwndDlg, WM_COMMAND, MAKEWPARAM(c.iId, wNotify), (LPARAM)c.hwnd, SMTO_ABORTIFHUNG, 1000,
                            &dw);
        return true;
    }
    return false;
}

// "click:<caption>": clicks a check box or radio button and stays on the window.
bool fnClick(const Snapshot &snap, const std::string &strCaption) {
    for (const Control &c : snap.vecControls) {
        if (c.fButton && !c.fPushButton && fnIEquals(fnStripAmpersands(strCaption), c.strText)) {
            DWORD_PTR dw = 0;
            SendMessageTimeoutA(c.hwnd, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 1000, &dw);
            return true;
        }
    }
    return false;
}

// Records the window and answers it.
Outcome fnHandle(HWND hwnd, const Snapshot &snap) {
    fnWrite("window: " + fnEscape(snap.strTitle));
    std::string strButtons;
    for (const Control &c : snap.vecControls) {
        if (c.fButton) {
            if (!strButtons.empty()) strButtons += "|";
            strButtons += fnEscape(c.strText);
        } else if (fnIsListClass(c.strClass)) {
            fnWrite("list: " + fnEscape(c.strText));
        } else {
            fnWrite("text: " + fnEscape(c.strText));
        }
    }
    fnWrite("buttons: " + strButtons);
    bool fAnyButton = !strButtons.empty();

    while (true) {
        if (g_iNextAnswer >= g_vecAnswers.size()) {
            if (!fAnyButton) { fnWrite("pressed: (none)"); return kLeftAlone; }
            fnWrite("UNEXPECTED: no answer left");
            g_fFailed = true;
            fnFlush();
            fnCloseUnexpected(hwnd);
            return kClosedUnexpected;
        }
        const std::string &strAnswer = g_vecAnswers[g_iNextAnswer];
        if (strAnswer.compare(0, 5, "wait:") == 0) {
            g_iNextAnswer++;
            DWORD ms = (DWORD)strtoul(strAnswer.c_str() + 5, nullptr, 10);
            fnWrite("waited: " + std::to_string(ms));
            fnFlush();
            fnWaitWhileOpen(hwnd, ms);
            if (!fnAlive(hwnd)) { fnWrite("closed: by itself"); return kPressed; }
            continue;
        }
        if (strAnswer.compare(0, 5, "shot:") == 0) {
            g_iNextAnswer++;
            std::string strPath = strAnswer.substr(5);
            fnWrite((fnSaveScreen(strPath) ? "shot: " : "shot failed: ") + fnEscape(strPath));
            continue;
        }
        if (strAnswer.compare(0, 5, "type:") == 0) {
            g_iNextAnswer++;
            std::string strText = strAnswer.substr(5);
            bool fSecret = false;
            bool fDone = fnTypeInto(snap, 1, strText, &fSecret);
            if (fDone) {
                fnWrite("typed: " + (fSecret ? std::string("********") : fnEscape(strText)));
            } else {
                fnWrite("UNEXPECTED: no edit control to type \"" + fnEscape(strText) + "\" into");
                g_fFailed = true;
            }
            continue;
        }
        if (strAnswer.compare(0, 5, "edit:") == 0 || strAnswer.compare(0, 5, "pick:") == 0 ||
            strAnswer.compare(0, 6, "click:") == 0) {
            g_iNextAnswer++;
            bool fDone = false;
            std::string strWhat;
            if (strAnswer[0] == 'e') {
                size_t uColon = strAnswer.find(':', 5);
                size_t uWhich = (size_t)strtoul(strAnswer.c_str() + 5, nullptr, 10);
                std::string strText = uColon == std::string::npos ? std::string() : strAnswer.substr(uColon + 1);
                bool fSecret = false;
                fDone = uColon != std::string::npos && fnTypeInto(snap, uWhich, strText, &fSecret);
                strWhat = "typed into edit " + std::to_string(uWhich) + ": " + (fSecret ? "********" : fnEscape(strText));
            } else if (strAnswer[0] == 'p') {
                fDone = fnPick(hwnd, snap, strAnswer.substr(5));
                strWhat = "picked: " + fnEscape(strAnswer.substr(5));
            } else {
                fDone = fnClick(snap, strAnswer.substr(6));
                strWhat = "clicked: " + fnEscape(strAnswer.substr(6));
            }
            if (fDone) {
                fnWrite(strWhat);
            } else {
                fnWrite("UNEXPECTED: cannot do \"" + fnEscape(strAnswer) + "\"");
                g_fFailed = true;
            }
            continue;
        }
        if (!fAnyButton) { fnWrite("pressed: (none)"); return kLeftAlone; }
        if (strAnswer.compare(0, 4, "any:") == 0) {
            // Never used up: the first of its captions among the enabled buttons.
            std::string strList = strAnswer.substr(4) + "|";
            for (size_t i = 0, j; (j = strList.find('|', i)) != std::string::npos; i = j + 1) {
                std::string strCaption = fnStripAmpersands(strList.substr(i, j - i));
                for (const Control &c : snap.vecControls) {
                    if (c.fButton && c.fEnabled && fnIEquals(strCaption, c.strText)) {
                        fnWrite("pressed: " + fnEscape(c.strText));
                        fnFlush();
                        fnPress(hwnd, c);
                        return kPressed;
                    }
                }
            }
        }
        for (const Control &c : snap.vecControls) {
            if (c.fButton && fnIEquals(fnStripAmpersands(strAnswer), c.strText)) {
                g_iNextAnswer++;
                if (!c.fEnabled) {
                    fnWrite("UNEXPECTED: button \"" + fnEscape(c.strText) + "\" is disabled");
                    g_fFailed = true;
                    fnFlush();
                    fnCloseUnexpected(hwnd);
                    return kClosedUnexpected;
                }
                fnWrite("pressed: " + fnEscape(c.strText));
                fnFlush();
                fnPress(hwnd, c);
                return kPressed;
            }
        }
        fnWrite("UNEXPECTED: answer \"" + fnEscape(strAnswer) + "\" is not among the buttons");
        g_fFailed = true;
        fnFlush();
        fnCloseUnexpected(hwnd);
        return kClosedUnexpected;
    }
}

struct EnumData {
    std::vector<HWND> vec;
};

BOOL CALLBACK fnEnumProc(HWND hwnd, LPARAM lParam) {
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hwnd, &dwPid);
    if (dwPid == g_dwPid && IsWindowVisible(hwnd) && fnClassName(hwnd) == "#32770")
        reinterpret_cast<EnumData *>(lParam)->vec.push_back(hwnd);
    return TRUE;
}

}  // namespace

int main(int argc, char **argv) {
    bool fStart = argc > 1 && strcmp(argv[1], "--start") == 0;
    int iArg = fStart ? 2 : 1;
    if (argc < iArg + 3) {
        fprintf(stderr,
                "usage: robot.exe <pid> <transcript-file> <timeout-ms> [answer ...]\n"
                "       robot.exe --start <command-line> <transcript-file> <timeout-ms> [answer ...]\n");
        return 3;
    }
    const char *pszTarget = argv[iArg];
    const char *pszTranscript = argv[iArg + 1];
    DWORD dwTimeout = (DWORD)strtoul(argv[iArg + 2], nullptr, 10);
    for (int i = iArg + 3; i < argc; i++) g_vecAnswers.push_back(argv[i]);

    g_pTranscript = fopen(pszTranscript, "wb");
    if (!g_pTranscript) {
        fprintf(stderr, "robot: cannot write %s\n", pszTranscript);
        return 3;
    }
    HANDLE hThreadToResume = nullptr;
    if (fStart) {
        std::vector<char> vecCmd(pszTarget, pszTarget + strlen(pszTarget) + 1);
        STARTUPINFOA si;
        ZeroMemory(&si, sizeof si);
        si.cb = sizeof si;
        PROCESS_INFORMATION pi;
        if (!CreateProcessA(nullptr, vecCmd.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &si,
                            &pi)) {
            fnWrite("ROBOT ERROR: cannot start " + std::string(pszTarget) + " (error " +
                    std::to_string(GetLastError()) + ")");
            fclose(g_pTranscript);
            return 3;
        }
        g_dwPid = pi.dwProcessId;
        g_hProcess = pi.hProcess;
        g_fStarted = true;
        hThreadToResume = pi.hThread;
    } else {
        g_dwPid = (DWORD)strtoul(pszTarget, nullptr, 10);
        g_hProcess = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, g_dwPid);
        if (!g_hProcess) {
            fnWrite("ROBOT ERROR: cannot open process " + std::to_string(g_dwPid));
            fclose(g_pTranscript);
            return 3;
        }
    }
    g_ullDeadline = GetTickCount64() + dwTimeout;
    if (hThreadToResume) {
        ResumeThread(hThreadToResume);
        CloseHandle(hThreadToResume);
    }

    std::map<HWND, Tracked> mapTracked;
    while (!fnProcessEnded()) {
        ULONGLONG ullNow = GetTickCount64();
        if (ullNow > g_ullDeadline) fnTimeout();

        EnumData data;
        EnumWindows(fnEnumProc, reinterpret_cast<LPARAM>(&data));
        for (auto it = mapTracked.begin(); it != mapTracked.end();) {
            if (!IsWindow(it->first)) it = mapTracked.erase(it);
            else ++it;
        }
        for (HWND hwnd : data.vec) {
            Tracked &t = mapTracked[hwnd];
            if (t.fIgnore || !IsWindowEnabled(hwnd)) continue;
            Snapshot snap = fnSnapshot(hwnd);
            ullNow = GetTickCount64();
            if (snap.strKey != t.strKey) {
                t.strKey = snap.strKey;
                t.ullStableSince = ullNow;
                continue;
            }
            if (ullNow - t.ullStableSince < kStableMs) continue;
            if (t.iHandlings > 0 && ullNow - t.ullHandledAt < kRehandleMs) continue;
            if (!t.strUnansweredKey.empty() && t.strUnansweredKey == t.strKey) continue;
            if (!fnResponding(hwnd)) continue;
            // Look again right before acting: it may have closed or changed.
            if (!fnAlive(hwnd)) continue;
            Snapshot snapNow = fnSnapshot(hwnd);
            if (snapNow.strKey != t.strKey) { t.strKey = snapNow.strKey; t.ullStableSince = GetTickCount64(); continue; }

            Outcome outcome = fnHandle(hwnd, snapNow);
            fnFlush();
            t.iHandlings++;
            t.ullHandledAt = GetTickCount64();
            t.strUnansweredKey = outcome == kLeftAlone ? t.strKey : std::string();
            if (outcome == kClosedUnexpected || t.iHandlings >= kMaxHandlings) t.fIgnore = true;
            break;  // enumerate afresh: the answer may have changed the windows
        }
        Sleep(kPollMs);
    }

    if (g_iNextAnswer < g_vecAnswers.size() && g_vecAnswers[g_iNextAnswer].compare(0, 4, "any:") != 0) {
        std::string strLeft;
        for (size_t i = g_iNextAnswer; i < g_vecAnswers.size(); i++) {
            if (!strLeft.empty()) strLeft += "|";
            strLeft += fnEscape(g_vecAnswers[i]);
        }
        fnWrite("UNUSED ANSWERS: " + strLeft);
        g_fFailed = true;
    }
    if (fStart) {
        DWORD dwExit = 0;
        GetExitCodeProcess(g_hProcess, &dwExit);
        fnWrite("exit code: " + std::to_string(dwExit));
        printf("exit code: %lu\n", (unsigned long)dwExit);
        fflush(stdout);
    }
    fnFlush();
    fclose(g_pTranscript);
    CloseHandle(g_hProcess);
    return g_fFailed ? 1 : 0;
}
