// proghelper.exe - a small program the process tests start.
//
//   proghelper.exe window <title> [delay-ms] [life-ms] [marker]
//                                            after delay-ms opens a top-level window titled <title>
//                                            and ends (exit code 0) when it is closed (WM_CLOSE), or
//                                            closes it itself after life-ms; then writes <marker>
//   proghelper.exe exit <code> [sleep-ms]     sleeps, then ends with exit code <code>
//   proghelper.exe marker <file> [sleep-ms]   sleeps, then writes "marker" into <file> and ends
//   proghelper.exe hold <file>                keeps <file> open for reading only (others may not write it), and a window titled
//                                            "Holding <file name>", until the window is closed
#include <windows.h>

#include <stdlib.h>
#include <string.h>

static LRESULT CALLBACK fnWndProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_TIMER) {
        DestroyWindow(hwnd);
        return 0;
    }
    if (uMsg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, uMsg, wParam, lParam);
}

static int fnWriteMarker(const char *pszFile)
{
    HANDLE h = CreateFileA(pszFile, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return 1;
    DWORD cb = 0;
    WriteFile(h, "marker", 6, &cb, NULL);
    CloseHandle(h);
    return 0;
}

static int fnWindow(const char *pszTitle, DWORD dwLifeMs = 0)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = fnWndProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "Setup32ProgHelper";
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, wc.lpszClassName, pszTitle, WS_OVERLAPPEDWINDOW, 10, 10, 300, 120, NULL, NULL,
                                wc.hInstance, NULL);
    if (!hwnd)
        return 3;
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    if (dwLifeMs)
        SetTimer(hwnd, 1, dwLifeMs, NULL);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}

int main(int argc, char **argv)
{
    if (argc < 3)
        return 2;
    DWORD dwMs = argc > 3 ? (DWORD)strtoul(argv[3], NULL, 10) : 0;
    if (strcmp(argv[1], "window") == 0) {
        Sleep(dwMs);
        int iRC = fnWindow(argv[2], argc > 4 ? (DWORD)strtoul(argv[4], NULL, 10) : 0);
        return argc > 5 ? fnWriteMarker(argv[5]) : iRC;
    }
    if (strcmp(argv[1], "exit") == 0) {
        Sleep(dwMs);
        return atoi(argv[2]);
    }
    if (strcmp(argv[1], "marker") == 0) {
        Sleep(dwMs);
        return fnWriteMarker(argv[2]);
    }
    if (strcmp(argv[1], "hold") == 0) {
        HANDLE h = CreateFileA(argv[2], GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (h == INVALID_HANDLE_VALUE)
            return 1;
        const char *pszName = strrchr(argv[2], '\\');
        char szTitle[300] = "Holding ";
        strncat(szTitle, pszName ? pszName + 1 : argv[2], sizeof(szTitle) - strlen(szTitle) - 1);
        int iRC = fnWindow(szTitle);
        CloseHandle(h);
        return iRC;
    }
    return 2;
}
