// COM guards: initialisation balanced, pointers released once, BSTRs made
// from ANSI text.
#include <windows.h>

#include <gtest/gtest.h>

#include "run/com_guards.h"

namespace {

// A counting object standing in for any interface.
struct CountedUnknown : IUnknown {
    ULONG uRefs = 1;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void **ppv) override { *ppv = NULL; return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++uRefs; }
    ULONG STDMETHODCALLTYPE Release() override { return --uRefs; }
};

DWORD WINAPI fnInitThread(void *pv)
{
    HRESULT *ahr = (HRESULT *)pv;
    {
        CComInit outer(COINIT_MULTITHREADED);
        ahr[0] = outer.Result();
        {
            CComInit inner(COINIT_MULTITHREADED);
            ahr[1] = inner.Result();
            CComInit other(COINIT_APARTMENTTHREADED);
            ahr[2] = other.Result();
            ahr[3] = other.IsUsable() ? S_OK : E_FAIL;
        }
    }
    // Balanced: after the guards, the thread can choose another model.
    ahr[4] = CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(ahr[4]))
        CoUninitialize();
    return 0;
}

TEST(ComGuards, InitialisationIsBalanced)
{
    HRESULT ahr[5] = {E_FAIL, E_FAIL, E_FAIL, E_FAIL, E_FAIL};
    HANDLE hThread = CreateThread(NULL, 0, fnInitThread, ahr, 0, NULL);
    ASSERT_NE(nullptr, hThread);
    WaitForSingleObject(hThread, 10000);
    CloseHandle(hThread);
    EXPECT_EQ(S_OK, ahr[0]);
    EXPECT_EQ(S_FALSE, ahr[1]);
    EXPECT_EQ(RPC_E_CHANGED_MODE, ahr[2]);
    EXPECT_EQ(S_OK, ahr[3]) << "another model already in place is usable";
    EXPECT_EQ(S_OK, ahr[4]) << "every successful initialisation was undone";
}

TEST(ComGuards, PointerReleasesOnceAndDetaches)
{
    CountedUnknown obj;
    {
        CComPtr<IUnknown> p;
        *p.Out() = &obj;
        EXPECT_EQ(&obj, p.Get());
        *p.Out() = &obj;  // Out() releases what it held first
        EXPECT_EQ(0u, obj.uRefs);
        obj.uRefs = 1;
    }
    EXPECT_EQ(0u, obj.uRefs);
    obj.uRefs = 1;
    {
        CComPtr<IUnknown> p;
        *p.Out() = &obj;
        EXPECT_EQ(&obj, p.Detach());
    }
    EXPECT_EQ(1u, obj.uRefs);
}

TEST(ComGuards, BstrFromAnsi)
{
    CBstr bstr("ROOT\\CIMV2");
    ASSERT_NE(nullptr, bstr.Get());
    EXPECT_EQ(10u, SysStringLen(bstr.Get()));
    EXPECT_EQ(0, lstrcmpW(L"ROOT\\CIMV2", bstr.Get()));
    CBstr bstrEmpty(nullptr);
    ASSERT_NE(nullptr, bstrEmpty.Get());
    EXPECT_EQ(0u, SysStringLen(bstrEmpty.Get()));
}

}  // namespace
