// Starts tests/tools/proghelper.exe (built beside the unit tests) and ends it
// when the object goes, whatever the test did to it.
#ifndef SETUP32_TESTS_SUPPORT_PROG_HELPER_H
#define SETUP32_TESTS_SUPPORT_PROG_HELPER_H

#include <windows.h>

#include <string>

// The helper's full path: beside the running test program.
inline std::string fnProgHelperPath()
{
    char szPath[MAX_PATH];
    DWORD cch = GetModuleFileNameA(NULL, szPath, MAX_PATH);
    std::string strPath(szPath, cch);
    return strPath.substr(0, strPath.find_last_of('\\') + 1) + "proghelper.exe";
}

// Waits up to dwMs for a visible top-level window of that title.
inline HWND fnWaitForTitle(const char *pszTitle, DWORD dwMs)
{
    for (DWORD dw = 0; dw < dwMs; dw += 50) {
        HWND hwnd = FindWindowA(NULL, pszTitle);
        if (hwnd && IsWindowVisible(hwnd))
            return hwnd;
        Sleep(50);
    }
    return NULL;
}

class CProgHelper {
public:
    explicit CProgHelper(const std::string &strArgs)
    {
        std::string strCmd = "\"" + fnProgHelperPath() + "\" " + strArgs;
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        if (CreateProcessA(NULL, &strCmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &m_pi))
            CloseHandle(m_pi.hThread);
        else
            m_pi.hProcess = NULL;
    }
    ~CProgHelper()
    {
        if (!m_pi.hProcess)
            return;
        if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(m_pi.hProcess, 1);
        CloseHandle(m_pi.hProcess);
    }
    CProgHelper(const CProgHelper &) = delete;
    CProgHelper &operator=(const CProgHelper &) = delete;
    bool Started() const { return m_pi.hProcess != NULL; }
    DWORD Pid() const { return m_pi.dwProcessId; }
    bool Ended(DWORD dwMs) const { return WaitForSingleObject(m_pi.hProcess, dwMs) == WAIT_OBJECT_0; }

private:
    PROCESS_INFORMATION m_pi = {};
};

#endif
