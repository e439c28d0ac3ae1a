// Expansion speed: expands a representative script value (answers, folders,
// an environment variable and an inline function) a million times and prints
// the time per expansion, then expands lines of growing length to show that
// the time grows linearly with the line.
#include <windows.h>

#include <stdio.h>
#include <string>

#include "expand/expand.h"
#include "run/run_state.h"
#include "run/text.h"

namespace {

const char kszSegment[] = "@A1\\@D1\\@W2\\@%WINDIR%\\@_fnSum(@A2,1);";

double fnSeconds(const LARGE_INTEGER &liStart, const LARGE_INTEGER &liEnd, const LARGE_INTEGER &liFreq)
{
    return (double)(liEnd.QuadPart - liStart.QuadPart) / (double)liFreq.QuadPart;
}

// Nanoseconds per expansion of strLine over uRounds rounds.
double fnTimeExpansion(const std::string &strLine, unsigned uRounds, std::string *pstrResult)
{
    char szBuffer[kcchLine];
    LARGE_INTEGER liFreq, liStart, liEnd;
    QueryPerformanceFrequency(&liFreq);
    QueryPerformanceCounter(&liStart);
    for (unsigned i = 0; i < uRounds; i++) {
        fnCopyText(szBuffer, COUNTOF(szBuffer), strLine.c_str());
        fnExpandOpts(szBuffer, COUNTOF(szBuffer));
    }
    QueryPerformanceCounter(&liEnd);
    if (pstrResult)
        *pstrResult = szBuffer;
    return fnSeconds(liStart, liEnd, liFreq) * 1e9 / uRounds;
}

void fnSetUpRunState()
{
    fnClearRunState();
    GetWindowsDirectoryA(g_szWinDir, COUNTOF(g_szWinDir));
    GetSystemDirectoryA(g_szSysDir, COUNTOF(g_szSysDir));
    fnCopyText(g_szAskForResponse[0], COUNTOF(g_szAskForResponse[0]), "alpha");
    fnCopyText(g_szAskForResponse[1], COUNTOF(g_szAskForResponse[1]), "41");
    fnCopyText(g_szDirs[0], COUNTOF(g_szDirs[0]), "C:\\APP\\DATA");
}

std::string fnRepeat(const std::string &str, unsigned uTimes)
{
    std::string strOut;
    for (unsigned i = 0; i < uTimes; i++)
        strOut += str;
    return strOut;
}

}  // namespace

int main()
{
    fnSetUpRunState();
    std::string strResult;
    const unsigned kuRounds = 1000000;
    double dNs = fnTimeExpansion(kszSegment, kuRounds, &strResult);
    printf("representative line: %s\n", kszSegment);
    printf("expands to:          %s\n", strResult.c_str());
    printf("%u expansions: %.0f ns per expansion (%.2f s)\n\n", kuRounds, dNs, dNs * kuRounds / 1e9);

    printf("%-10s %8s %8s %14s %12s\n", "line", "repeats", "chars", "ns/expansion", "ns/char");
    struct Kind {
        const char *pszName;
        std::string strUnit;
    } aKinds[] = {
        {"mixed", kszSegment},
        {"plain", "plain text without any variable, "},
        {"escapes", "@@@Q@\\,@T@.x"},
    };
    for (const Kind &kind : aKinds) {
        for (unsigned uRepeat = 1; uRepeat <= 16; uRepeat *= 2) {
            std::string strLine = fnRepeat(kind.strUnit, uRepeat);
            if (strLine.size() >= kcchLine)
                break;
            unsigned uRounds = 200000 / uRepeat;
            double dLineNs = fnTimeExpansion(strLine, uRounds, NULL);
            printf("%-10s %8u %8u %14.0f %12.2f\n", kind.pszName, uRepeat, (unsigned)strLine.size(), dLineNs,
                   dLineNs / (double)strLine.size());
        }
    }
    return 0;
}
