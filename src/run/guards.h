// Non-copyable owners for Windows handles, keys and modules. Each closes what
// it holds when it goes out of scope; fnClose() gives the OS result and
// Detach() hands the handle over without closing it.
#ifndef SETUP32_RUN_GUARDS_H
#define SETUP32_RUN_GUARDS_H

#include <windows.h>

// A kernel handle whose "none" value is Invalid (INVALID_HANDLE_VALUE for
// files, NULL for processes, events and mappings).
template <HANDLE (*Invalid)()>
class CHandleOf {
public:
    CHandleOf() : m_h(Invalid()) {}
    explicit CHandleOf(HANDLE h) : m_h(h) {}
    ~CHandleOf() { fnClose(); }
    CHandleOf(const CHandleOf &) = delete;
    CHandleOf &operator=(const CHandleOf &) = delete;

    HANDLE Get() const { return m_h; }
    bool IsValid() const { return m_h != Invalid() && m_h != NULL && m_h != INVALID_HANDLE_VALUE; }
    void Attach(HANDLE h) { fnClose(); m_h = h; }
    HANDLE Detach() { HANDLE h = m_h; m_h = Invalid(); return h; }
    BOOL fnClose()
    {
        if (!IsValid()) { m_h = Invalid(); return TRUE; }
        BOOL bRC = CloseHandle(m_h);
        m_h = Invalid();
        return bRC;
    }

private:
    HANDLE m_h;
};

inline HANDLE fnNoFileHandle() { return INVALID_HANDLE_VALUE; }
inline HANDLE fnNoHandle() { return NULL; }

typedef CHandleOf<fnNoFileHandle> CFileHandle;  // CreateFileA results
typedef CHandleOf<fnNoHandle> CHandle;          // processes, threads, events

class CFindHandle {
public:
    explicit CFindHandle(HANDLE h = INVALID_HANDLE_VALUE) : m_h(h) {}
    ~CFindHandle() { fnClose(); }
    CFindHandle(const CFindHandle &) = delete;
    CFindHandle &operator=(const CFindHandle &) = delete;
    HANDLE Get() const { return m_h; }
    bool IsValid() const { return m_h != INVALID_HANDLE_VALUE; }
    HANDLE Detach() { HANDLE h = m_h; m_h = INVALID_HANDLE_VALUE; return h; }
    BOOL fnClose()
    {
        BOOL bRC = IsValid() ? FindClose(m_h) : TRUE;
        m_h = INVALID_HANDLE_VALUE;
        return bRC;
    }

private:
    HANDLE m_h;
};

class CRegKey {
public:
    CRegKey() : m_hKey(NULL) {}
    ~CRegKey() { fnClose(); }
    CRegKey(const CRegKey &) = delete;
    CRegKey &operator=(const CRegKey &) = delete;
    HKEY Get() const { return m_hKey; }
    HKEY *Out() { fnClose(); return &m_hKey; }  // for RegOpenKeyExA and friends
    HKEY Detach() { HKEY h = m_hKey; m_hKey = NULL; return h; }
    LONG fnClose()
    {
        LONG lRC = m_hKey ? RegCloseKey(m_hKey) : ERROR_SUCCESS;
        m_hKey = NULL;
        return lRC;
    }

private:
    HKEY m_hKey;
};

class CModule {
public:
    explicit CModule(HMODULE h = NULL) : m_h(h) {}
    ~CModule() { fnClose(); }
    CModule(const CModule &) = delete;
    CModule &operator=(const CModule &) = delete;
    HMODULE Get() const { return m_h; }
    HMODULE Detach() { HMODULE h = m_h; m_h = NULL; return h; }
    BOOL fnClose()
    {
        BOOL bRC = m_h ? FreeLibrary(m_h) : TRUE;
        m_h = NULL;
        return bRC;
    }

private:
    HMODULE m_h;
};

// A service or service-manager handle, closed when it goes out of scope.
class CServiceHandle {
public:
    explicit CServiceHandle(SC_HANDLE h = NULL) : m_h(h) {}
    ~CServiceHandle() { if (m_h) CloseServiceHandle(m_h); }
    CServiceHandle(const CServiceHandle &) = delete;
    CServiceHandle &operator=(const CServiceHandle &) = delete;
    SC_HANDLE Get() const { return m_h; }
    SC_HANDLE Detach() { SC_HANDLE h = m_h; m_h = NULL; return h; }

private:
    SC_HANDLE m_h;
};

// Movable global memory, locked for as long as the guard holds it.
class CGlobalBlock {
public:
    CGlobalBlock() : m_h(NULL), m_p(NULL) {}
    ~CGlobalBlock() { fnFree(); }
    CGlobalBlock(const CGlobalBlock &) = delete;
    CGlobalBlock &operator=(const CGlobalBlock &) = delete;
    char *fnAlloc(SIZE_T cb)
    {
        fnFree();
        m_h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, cb);
        m_p = m_h ? (char *)GlobalLock(m_h) : NULL;
        if (m_h && !m_p)
            fnFree();
        return m_p;
    }
    char *Get() const { return m_p; }
    void fnFree()
    {
        if (m_p)
            GlobalUnlock(m_h);
        if (m_h)
            GlobalFree(m_h);
        m_h = NULL;
        m_p = NULL;
    }

private:
    HGLOBAL m_h;
    char *m_p;
};

#endif
