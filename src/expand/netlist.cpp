#include "expand/netlist.h"

#include "run/text.h"

static int fnIsActive(const NetAdapterFact &adapter)
{
    return adapter.bOperational && adapter.szIp[0] && strcmp(adapter.szIp, "0.0.0.0") != 0;
}

// Appends "MAC-IP" to a ";"-joined list; an entry that does not fit whole
// is left out rather than cut.
static void fnAppendEntry(char *pszList, size_t cchList, const NetAdapterFact &adapter)
{
    if (cchList == 0)
        return;  // no list buffer to read or write
    char szEntry[40];
    fnFormatText(szEntry, COUNTOF(szEntry), "%s%s-%s", pszList[0] ? ";" : "", adapter.szMac,
                 adapter.szIp[0] ? adapter.szIp : "0.0.0.0");
    if (strlen(pszList) + strlen(szEntry) < cchList)
        fnAppendText(pszList, cchList, szEntry);
}

unsigned fnBuildNetList(const NetAdapterFact *pAdapters, unsigned uCount, char *pszList, size_t cchList,
                        char *pszMask, size_t cchMask, char *pszGateway, size_t cchGateway)
{
    fnCopyText(pszList, cchList, "");
    fnCopyText(pszMask, cchMask, "0.0.0.0");
    fnCopyText(pszGateway, cchGateway, "0.0.0.0");
    if (!pAdapters)
        uCount = 0;

    int iPrimary = -1;
    for (unsigned u = 0; u < uCount; u++)
        if (fnIsActive(pAdapters[u]) && (iPrimary < 0 || pAdapters[u].dwSent > pAdapters[iPrimary].dwSent))
            iPrimary = (int)u;
    if (iPrimary >= 0)
        fnAppendEntry(pszList, cchList, pAdapters[iPrimary]);
    for (unsigned u = 0; u < uCount; u++)
        if ((int)u != iPrimary && fnIsActive(pAdapters[u]))
            fnAppendEntry(pszList, cchList, pAdapters[u]);
    for (unsigned u = 0; u < uCount; u++)
        if (!fnIsActive(pAdapters[u]))
            fnAppendEntry(pszList, cchList, pAdapters[u]);

    if (uCount > 0) {
        const NetAdapterFact &last = pAdapters[uCount - 1];
        fnCopyText(pszMask, cchMask, last.szMask[0] ? last.szMask : "0.0.0.0");
        fnCopyText(pszGateway, cchGateway, last.szGateway[0] ? last.szGateway : "0.0.0.0");
    }
    return uCount;
}
