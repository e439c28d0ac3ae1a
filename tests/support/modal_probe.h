// Looks at a modal window from inside its own message loop: a thread timer
// waits for the first visible dialog-class window of this thread that was not
// already there when the probe was made, and hands it to a callback, which
// inspects it and ends it (for instance by posting a button's click).
#ifndef SETUP32_TESTS_SUPPORT_MODAL_PROBE_H
#define SETUP32_TESTS_SUPPORT_MODAL_PROBE_H

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

class CModalProbe {
public:
    explicit CModalProbe(std::function<void(HWND)> fnOnWindow) : m_fnOnWindow(std::move(fnOnWindow))
    {
        EnumThreadWindows(GetCurrentThreadId(), fnCollect, (LPARAM)&m_vecBefore);
        s_pCurrent = this;
        m_idTimer = SetTimer(NULL, 0, 30, fnTimerProc);
    }
    ~CModalProbe()
    {
        if (m_idTimer)
            KillTimer(NULL, m_idTimer);
        if (s_pCurrent == this)
            s_pCurrent = nullptr;
    }
    CModalProbe(const CModalProbe &) = delete;
    CModalProbe &operator=(const CModalProbe &) = delete;
    bool Seen() const { return m_bSeen; }

private:
    static BOOL CALLBACK fnCollect(HWND hwnd, LPARAM lParam)
    {
        char szClass[16];
        if (IsWindowVisible(hwnd) && GetClassNameA(hwnd, szClass, sizeof(szClass)) &&
            std::string(szClass) == "#32770")
            ((std::vector<HWND> *)lParam)->push_back(hwnd);
        return TRUE;
    }
    static void CALLBACK fnTimerProc(HWND, UINT, UINT_PTR, DWORD)
    {
        CModalProbe *pThis = s_pCurrent;
        if (!pThis || pThis->m_bSeen)
            return;
        std::vector<HWND> vecNow;
        EnumThreadWindows(GetCurrentThreadId(), fnCollect, (LPARAM)&vecNow);
        for (HWND hwnd : vecNow) {
            if (std::find(pThis->m_vecBefore.begin(), pThis->m_vecBefore.end(), hwnd) != pThis->m_vecBefore.end())
                continue;
            pThis->m_bSeen = true;
            KillTimer(NULL, pThis->m_idTimer);
            pThis->m_idTimer = 0;
            pThis->m_fnOnWindow(hwnd);
            return;
        }
    }

    static inline CModalProbe *s_pCurrent = nullptr;
    std::function<void(HWND)> m_fnOnWindow;
    std::vector<HWND> m_vecBefore;
    UINT_PTR m_idTimer = 0;
    bool m_bSeen = false;
};

// Presses a button of a dialog the way a click does.
inline void fnProbeClick(HWND hDlg, int iId)
{
    PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(iId, BN_CLICKED), (LPARAM)GetDlgItem(hDlg, iId));
}

#endif
