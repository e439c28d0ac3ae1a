#include "expand/sysinfo.h"

#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"

int fnIsWow64()
{
    BOOL bRC = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &bRC))
        bRC = FALSE;
    TRACE("fnIsWow64 IsWow64Process found", "bRC=%d", bRC);
    return bRC ? 1 : 0;
}

int fnGetProductEdition(DWORD dwMajor, DWORD dwMinor, DWORD dwSPMajor, DWORD dwSPMinor, char *pszOut, size_t cchOut)
{
    pszOut[0] = '\0';
    if (dwMajor < 6)
        return 0;
    DWORD dwType = 0;
    if (GetProductInfo(dwMajor, dwMinor, dwSPMajor, dwSPMinor, &dwType))
        fnCopyText(pszOut, cchOut, fnProductEditionText(dwType));
    if (pszOut[0])
        return 1;

    CRegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\MICROSOFT\\Windows NT\\CurrentVersion", 0, KEY_READ, key.Out()) !=
        ERROR_SUCCESS)
        return 0;
    char szEdition[33] = "";
    DWORD cbEdition = sizeof(szEdition) - 1;
    DWORD dwKind = 0;
    if (RegQueryValueExA(key.Get(), "EditionID", NULL, &dwKind, (BYTE *)szEdition, &cbEdition) != ERROR_SUCCESS ||
        dwKind != REG_SZ)
        return 0;
    szEdition[cbEdition < sizeof(szEdition) ? cbEdition : sizeof(szEdition) - 1] = '\0';
    fnCopyText(pszOut, cchOut, szEdition);
    return pszOut[0] ? 1 : 0;
}

int fnGetOSVersionInfo(OSInfoStruct *pInfo)
{
    OSReportStruct report;
    memset(&report, 0, sizeof(report));
    OSVERSIONINFOEXA vi;
    memset(&vi, 0, sizeof(vi));
    vi.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA((OSVERSIONINFOA *)&vi))
        return 0;
    TRACE("fnGetOSVersionInfo",
          "VersionInformation.dwMajorVersion=%lu,\nVersionInformation.dwMinorVersion=%lu,\n"
          "VersionInformation.dwPlatformId=%lu,\nVersionInformation.dwBuildNumber=%lu,\n"
          "VersionInformation.szCSDVersion=%s",
          vi.dwMajorVersion, vi.dwMinorVersion, vi.dwPlatformId, vi.dwBuildNumber, vi.szCSDVersion);
    vi.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
    report.bExtended = GetVersionExA((OSVERSIONINFOA *)&vi) ? 1 : 0;
#pragma GCC diagnostic pop
    if (!report.bExtended)
        TRACE("fnGetOSVersionInfo", "VersionInformationEx Error");

    report.dwMajor = vi.dwMajorVersion;
    report.dwMinor = vi.dwMinorVersion;
    report.dwBuild = vi.dwBuildNumber;
    report.dwPlatformId = vi.dwPlatformId;
    fnCopyText(report.szCSDVersion, COUNTOF(report.szCSDVersion), vi.szCSDVersion);
    report.uProductType = vi.wProductType;
    report.uSuiteMask = vi.wSuiteMask;
    report.bWow64 = fnIsWow64();
    report.b64Bit = report.bWow64 || sizeof(void *) == 8;
    if (report.bExtended)
        fnGetProductEdition(vi.dwMajorVersion, vi.dwMinorVersion, vi.wServicePackMajor, vi.wServicePackMinor,
                            report.szEdition, COUNTOF(report.szEdition));
    fnClassifyOS(&report, pInfo);
    return 1;
}
