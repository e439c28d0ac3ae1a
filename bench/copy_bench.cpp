// Copy benchmark, run under Wine by copy_bench.sh: installs each source tree
// with SETUP32.EXE ([CopyFiles], one entry per file), quiet and with the
// status window, and copies the same tree with a plain CopyFileA loop.
// Prints files per second and MB per second for each, and the ratios.
//
//   copy_bench.exe <SETUP32.EXE> <work dir> <tree> [<tree> ...]
//
// Each <tree> is a folder under <work dir> holding the files to copy.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

double fnNow()
{
    static LARGE_INTEGER s_liFreq;
    if (!s_liFreq.QuadPart)
        QueryPerformanceFrequency(&s_liFreq);
    LARGE_INTEGER li;
    QueryPerformanceCounter(&li);
    return (double)li.QuadPart / (double)s_liFreq.QuadPart;
}

struct TreeFiles {
    std::vector<std::string> vecNames;
    double dMB = 0;
};

TreeFiles fnListTree(const std::string &strDir)
{
    TreeFiles tree;
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA((strDir + "\\*").c_str(), &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return tree;
    do {
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        tree.vecNames.push_back(fd.cFileName);
        tree.dMB += ((double)fd.nFileSizeHigh * 4294967296.0 + fd.nFileSizeLow) / (1024.0 * 1024.0);
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);
    return tree;
}

void fnRemoveTree(const std::string &strDir)
{
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA((strDir + "\\*").c_str(), &fd);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((strDir + "\\" + fd.cFileName).c_str());
        } while (FindNextFileA(hFind, &fd));
        FindClose(hFind);
    }
    RemoveDirectoryA(strDir.c_str());
}

double fnPlainLoop(const std::string &strSrc, const std::string &strDst, const TreeFiles &tree)
{
    fnRemoveTree(strDst);
    double dStart = fnNow();
    CreateDirectoryA(strDst.c_str(), NULL);
    for (const std::string &strName : tree.vecNames)
        CopyFileA((strSrc + "\\" + strName).c_str(), (strDst + "\\" + strName).c_str(), FALSE);
    return fnNow() - dStart;
}

// Presses OK on the closing message box of the process (a dialog with the
// message box's text control); the status window has none.
BOOL CALLBACK fnAnswerClosing(HWND hwnd, LPARAM lParam)
{
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hwnd, &dwPid);
    char szClass[32];
    GetClassNameA(hwnd, szClass, sizeof(szClass));
    if (dwPid == (DWORD)lParam && !strcmp(szClass, "#32770") && IsWindowVisible(hwnd) && GetDlgItem(hwnd, 0xFFFF)) {
        PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
        return FALSE;
    }
    return TRUE;
}

// Runs SETUP32.EXE on a script; the seconds until its copying was done (the
// closing message box appeared, or the process ended when quiet).
double fnRunSetup(const std::string &strExe, const std::string &strScript, bool bQuiet)
{
    std::string strCmd = "\"" + strExe + "\" " + (bQuiet ? "-q " : "") + "-i=\"" + strScript + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    double dStart = fnNow();
    if (!CreateProcessA(NULL, &strCmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
        printf("cannot start %s\n", strExe.c_str());
        return -1;
    }
    double dDone = -1;
    while (WaitForSingleObject(pi.hProcess, 5) == WAIT_TIMEOUT) {
        if (!bQuiet && !EnumWindows(fnAnswerClosing, (LPARAM)pi.dwProcessId) && dDone < 0)
            dDone = fnNow();
    }
    if (dDone < 0)
        dDone = fnNow();
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return dDone - dStart;
}

std::string fnWriteScript(const std::string &strPath, const std::string &strSrc, const std::string &strDst,
                          const TreeFiles *pTree)
{
    // SETUP32_BENCH_FLAGS chooses the three flag fields (default "N,N,N").
    char szFlags[64] = "N,N,N";
    GetEnvironmentVariableA("SETUP32_BENCH_FLAGS", szFlags, sizeof(szFlags));
    std::string strText = "[CopyFiles]\r\n";
    if (pTree) {
        for (const std::string &strName : pTree->vecNames)
            strText += "0," + strSrc + "\\" + strName + "," + strDst + "\\" + strName + "," + szFlags + "\r\n";
    }
    strText += "[End]\r\n";
    HANDLE h = CreateFileA(strPath.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD cb = 0;
    WriteFile(h, strText.data(), (DWORD)strText.size(), &cb, NULL);
    CloseHandle(h);
    return strPath;
}

void fnPrint(const char *pszWhat, double dSeconds, const TreeFiles &tree, double dPlain)
{
    printf("  %-28s %8.3f s  %9.1f files/s  %8.1f MB/s", pszWhat, dSeconds, tree.vecNames.size() / dSeconds,
           tree.dMB / dSeconds);
    if (dPlain > 0)
        printf("  x%.2f of plain", dSeconds / dPlain);
    printf("\n");
}

// Runs of each measurement (SETUP32_BENCH_RUNS, default 3); the median is
// printed, since a shared machine makes single runs vary by a third.
int fnRuns()
{
    char szRuns[16] = "";
    GetEnvironmentVariableA("SETUP32_BENCH_RUNS", szRuns, sizeof(szRuns));
    int iRuns = atoi(szRuns);
    return iRuns > 0 ? iRuns : 3;
}

template <typename Run>
double fnMedian(Run run)
{
    std::vector<double> vecTimes;
    for (int i = 0; i < fnRuns(); i++)
        vecTimes.push_back(run());
    std::sort(vecTimes.begin(), vecTimes.end());
    return vecTimes[vecTimes.size() / 2];
}

}  // namespace

// The time this program takes to start, open one window and exit: the
// least any windowed program's start-up costs on this system.
double fnWindowFloor(const char *pszSelf)
{
    std::string strCmd = std::string("\"") + pszSelf + "\" --window";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    double dStart = fnNow();
    if (!CreateProcessA(NULL, &strCmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return -1;
    WaitForSingleObject(pi.hProcess, INFINITE);
    double dDone = fnNow();
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return dDone - dStart;
}

int main(int argc, char **argv)
{
    if (argc == 2 && !strcmp(argv[1], "--window")) {
        DestroyWindow(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, NULL, NULL, NULL, NULL));
        return 0;
    }
    if (argc < 4) {
        printf("usage: copy_bench.exe <SETUP32.EXE> <work dir> <tree> [<tree> ...]\n");
        return 2;
    }
    std::string strExe = argv[1], strWork = argv[2];
    std::string strEmpty = fnWriteScript(strWork + "\\empty.inf", "", "", NULL);
    double dStartup = fnMedian([&] { return fnRunSetup(strExe, strEmpty, true); });
    printf("median of %d runs each\n", fnRuns());
    printf("SETUP32.EXE start and exit on an empty section: %.3f s (included in its figures below)\n", dStartup);
    printf("a program that only opens one window and exits: %.3f s\n",
           fnMedian([&] { return fnWindowFloor(argv[0]); }));
    for (int i = 3; i < argc; i++) {
        std::string strSrc = strWork + "\\" + argv[i];
        TreeFiles tree = fnListTree(strSrc);
        printf("%s: %u files, %.1f MB\n", argv[i], (unsigned)tree.vecNames.size(), tree.dMB);
        std::string strDst = strWork + "\\out-" + argv[i];
        double dPlain = fnMedian([&] {
            double d = fnPlainLoop(strSrc, strDst, tree);
            fnRemoveTree(strDst);
            return d;
        });
        fnPrint("plain CopyFileA loop", dPlain, tree, 0);
        std::string strScript = fnWriteScript(strWork + "\\bench.inf", strSrc, strDst, &tree);
        double dQuiet = fnMedian([&] {
            double d = fnRunSetup(strExe, strScript, true);
            fnRemoveTree(strDst);
            return d;
        });
        fnPrint("SETUP32 quiet", dQuiet, tree, dPlain);
        fnPrint("SETUP32 quiet, less start-up", dQuiet - dStartup, tree, dPlain);
        double dStatus = fnMedian([&] {
            double d = fnRunSetup(strExe, strScript, false);
            fnRemoveTree(strDst);
            return d;
        });
        fnPrint("SETUP32 with status window", dStatus, tree, dPlain);
    }
    return 0;
}
