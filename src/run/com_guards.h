// Owners for COM: the per-thread initialisation and interface pointers.
// Declare the initialisation guard before any pointer guard, so the
// pointers are released before COM is uninitialised.
#ifndef SETUP32_RUN_COM_GUARDS_H
#define SETUP32_RUN_COM_GUARDS_H

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

class CComInit {
public:
    explicit CComInit(DWORD dwCoInit) : m_hr(CoInitializeEx(NULL, dwCoInit)) {}
    ~CComInit()
    {
        if (SUCCEEDED(m_hr))  // S_OK and S_FALSE both count one initialisation
            CoUninitialize();
    }
    CComInit(const CComInit &) = delete;
    CComInit &operator=(const CComInit &) = delete;
    HRESULT Result() const { return m_hr; }
    // COM can be used on this thread: initialised here, or already in
    // another apartment model (the thread keeps that one).
    bool IsUsable() const { return SUCCEEDED(m_hr) || m_hr == RPC_E_CHANGED_MODE; }

private:
    HRESULT m_hr;
};

template <class T>
class CComPtr {
public:
    CComPtr() : m_p(NULL) {}
    ~CComPtr() { fnRelease(); }
    CComPtr(const CComPtr &) = delete;
    CComPtr &operator=(const CComPtr &) = delete;
    T *Get() const { return m_p; }
    T *operator->() const { return m_p; }
    T **Out() { fnRelease(); return &m_p; }                  // for creation calls
    void **OutVoid() { fnRelease(); return (void **)&m_p; }  // for CoCreateInstance and QueryInterface
    T *Detach() { T *p = m_p; m_p = NULL; return p; }
    void fnRelease()
    {
        if (m_p)
            m_p->Release();
        m_p = NULL;
    }

private:
    T *m_p;
};

// A BSTR made from ANSI text, freed with the guard.
class CBstr {
public:
    explicit CBstr(const char *pszText) : m_bstr(NULL)
    {
        int cch = MultiByteToWideChar(CP_ACP, 0, pszText ? pszText : "", -1, NULL, 0);
        if (cch > 0) {
            m_bstr = SysAllocStringLen(NULL, (UINT)(cch - 1));
            if (m_bstr)
                MultiByteToWideChar(CP_ACP, 0, pszText ? pszText : "", -1, m_bstr, cch);
        }
    }
    ~CBstr() { SysFreeString(m_bstr); }
    CBstr(const CBstr &) = delete;
    CBstr &operator=(const CBstr &) = delete;
    BSTR Get() const { return m_bstr; }

private:
    BSTR m_bstr;
};

#endif
