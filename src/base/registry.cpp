#include "base/registry.h"

#include "base/path.h"
#include "base/registry_text.h"
#include "run/event_log.h"
#include "run/guards.h"
#include "run/run_state.h"
#include "run/text.h"
#include "run/trace.h"

// Registry strings need not be terminated, so every read lands in a block two
// bytes longer than it may be and zeroed first.
static const size_t kcchRegExpand = 1024;

static const HKEY s_ahRoots[kRegRootCount] = {
    HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, HKEY_USERS,
    HKEY_PERFORMANCE_DATA, HKEY_CURRENT_CONFIG, HKEY_DYN_DATA,
};

// "HKEY_CURRENT_USER\Software\Key" for the event log.
static void fnRegPathText(HKEY hRoot, const char *pszKey, char *pszOut, size_t cchOut)
{
    const char *pszRoot = "";
    for (int i = 0; i < kRegRootCount; i++) {
        if (s_ahRoots[i] == hRoot)
            pszRoot = fnRegRootName(i);
    }
    fnFormatText(pszOut, cchOut, "%s\\%s", pszRoot, pszKey ? pszKey : "");
}

HKEY fnSplitRegKey(char *pszKeyPath)
{
    int iRoot = fnFindRegRoot(pszKeyPath);
    TRACE("fnSplitRegKey", "iRoot=%d,\nszSubKey=%s", iRoot, pszKeyPath ? pszKeyPath : "");
    return iRoot < 0 ? NULL : s_ahRoots[iRoot];
}

// Expands environment variables into a block of the size the expansion
// needs; NULL when the system cannot expand the text.
static char *fnExpandEnvAlloc(const char *pszText, CGlobalBlock *pBlock)
{
    DWORD cch = ExpandEnvironmentStringsA(pszText, NULL, 0);
    if (cch == 0)
        return NULL;
    char *psz = pBlock->fnAlloc(cch + 1);
    if (!psz)
        return NULL;
    DWORD cchDone = ExpandEnvironmentStringsA(pszText, psz, cch + 1);
    if (cchDone == 0 || cchDone > cch + 1)
        return NULL;
    return psz;
}

int fnRegDataToText(const BYTE *pbData, DWORD dwType, DWORD cbData, char *pszOut, size_t cchOut, int iMode)
{
    if (!pszOut || cchOut == 0)
        return 0;
    pszOut[0] = '\0';
    if (!pbData)
        cbData = 0;
    if (iMode == kRegTextRaw)
        return fnCopyTextN(pszOut, cchOut, (const char *)pbData, cbData);

    switch (dwType) {
    case REG_EXPAND_SZ: {
        char szRaw[kcbRegData + 1];
        fnCopyTextN(szRaw, COUNTOF(szRaw), (const char *)pbData, cbData);
        CGlobalBlock block;
        const char *pszExpanded = fnExpandEnvAlloc(szRaw, &block);
        // Expanded text is limited to 1,024 characters like any read.
        size_t cchMax = cchOut < kcchRegExpand ? cchOut : kcchRegExpand;
        return fnCopyText(pszOut, cchMax, pszExpanded ? pszExpanded : szRaw);
    }
    case REG_BINARY:
        return fnRegHexText(pbData, cbData, pszOut, cchOut);
    case REG_DWORD:
    case REG_DWORD_BIG_ENDIAN: {
        // Both are written least significant byte first (see fnRegSetValue),
        // so both read back that way and a value round-trips.
        DWORD dw = 0;
        for (DWORD i = 0; i < 4 && i < cbData; i++)
            dw |= (DWORD)pbData[i] << (8 * i);
        return fnFormatText(pszOut, cchOut, iMode == kRegTextDecimal ? "%lu" : "%lx", dw);
    }
    default:
        return fnCopyTextN(pszOut, cchOut, (const char *)pbData, cbData);
    }
}

// Reads one value of an open key into a terminated block; 1 found and at
// most kcbRegData bytes long.
static int fnQueryValue(HKEY hKey, const char *pszValue, DWORD *pdwType, BYTE abData[kcbRegData + 2], DWORD *pcbData)
{
    memset(abData, 0, kcbRegData + 2);
    DWORD cbData = kcbRegData;
    DWORD dwType = REG_NONE;
    LONG lErr = RegQueryValueExA(hKey, pszValue, NULL, &dwType, abData, &cbData);
    if (lErr != ERROR_SUCCESS) {
        TRACE("fnQueryValue", "lpszValue=%s,\nlErr=%ld", pszValue, lErr);
        return 0;
    }
    if (cbData > kcbRegData)
        cbData = kcbRegData;
    *pdwType = dwType;
    *pcbData = cbData;
    return 1;
}

int fnGetRegistryByValue(HKEY hRoot, DWORD *pdwType, const char *pszKey, const char *pszValue, char *pszOut,
                         size_t cchOut, int iMode)
{
    if (pszOut && cchOut)
        pszOut[0] = '\0';
    if (!pszKey)
        pszKey = "";
    if (!pszValue)
        pszValue = "";
    TRACE("fnGetRegistryByValue", "hRoot=%p,\nlpszKey=%s,\nlpszValue=%s,\niMode=%d", (void *)hRoot, pszKey, pszValue,
          iMode);
    if (!hRoot || !pszOut || cchOut == 0)
        return 0;
    CRegKey key;
    if (RegOpenKeyExA(hRoot, pszKey, 0, KEY_QUERY_VALUE, key.Out()) != ERROR_SUCCESS)
        return 0;
    BYTE abData[kcbRegData + 2];
    DWORD dwType = REG_NONE;
    DWORD cbData = 0;
    if (!fnQueryValue(key.Get(), pszValue, &dwType, abData, &cbData))
        return 0;
    if (pdwType)
        *pdwType = dwType;
    fnRegDataToText(abData, dwType, cbData, pszOut, cchOut, iMode);
    return 1;
}

int fnGetRegistry(HKEY hRoot, DWORD *pdwType, const char *pszPathAndValue, char *pszOut, size_t cchOut, int iMode)
{
    if (pszOut && cchOut)
        pszOut[0] = '\0';
    // A path too long for the buffer would name another key once cut.
    char szKey[2 * kcchLine];
    if (!fnCopyText(szKey, COUNTOF(szKey), pszPathAndValue))
        return 0;
    // The last part is the value name; a path without "\" names a value of
    // the root itself.
    char *pszSlash = NULL;
    for (char *psz = szKey; *psz; psz = (char *)fnCharNext(psz))
        if (*psz == '\\')
            pszSlash = psz;
    if (!pszSlash)
        return fnGetRegistryByValue(hRoot, pdwType, "", pszPathAndValue, pszOut, cchOut, iMode);
    *pszSlash = '\0';
    return fnGetRegistryByValue(hRoot, pdwType, szKey, pszSlash + 1, pszOut, cchOut, iMode);
}

int fnRegSetValue(HKEY hKey, const char *pszValue, DWORD dwType, const char *pszText, int bExpand)
{
    if (!pszText)
        pszText = "";
    TRACE("fnRegSetValue", "lpszValue=%s,\ndwType=%lu,\nlpszText=%s,\nbExpand=%d", pszValue ? pszValue : "", dwType,
          pszText, bExpand);
    CGlobalBlock block;
    const BYTE *pbData = (const BYTE *)pszText;
    DWORD cbData = (DWORD)strlen(pszText) + 1;
    BYTE abNumber[4];

    switch (dwType) {
    case REG_EXPAND_SZ:
        if (bExpand) {
            const char *pszExpanded = fnExpandEnvAlloc(pszText, &block);
            if (!pszExpanded)
                return 0;
            pbData = (const BYTE *)pszExpanded;
            cbData = (DWORD)strlen(pszExpanded) + 1;
        }
        break;
    case REG_BINARY: {
        size_t cbMax = strlen(pszText) + 1;  // each byte takes at least one character
        BYTE *pbBytes = (BYTE *)block.fnAlloc(cbMax);
        size_t cbBytes = 0;
        if (!pbBytes || !fnRegParseHex(pszText, pbBytes, cbMax, &cbBytes)) {
            TRACE("fnRegSetValue", "Not hexadecimal byte text: %s", pszText);
            return 0;
        }
        pbData = pbBytes;
        cbData = (DWORD)cbBytes;
        break;
    }
    case REG_DWORD:
    case REG_DWORD_BIG_ENDIAN: {
        DWORD dw = fnRegParseNumber(pszText);
        for (int i = 0; i < 4; i++)
            abNumber[i] = (BYTE)(dw >> (8 * i));
        pbData = abNumber;
        cbData = 4;
        break;
    }
    case REG_MULTI_SZ:
        // One string, closed by the empty string that ends the list.
        if (cbData > 1) {
            char *psz = block.fnAlloc(cbData + 1);
            if (!psz)
                return 0;
            memcpy(psz, pszText, cbData);
            pbData = (const BYTE *)psz;
            cbData++;
        }
        break;
    default:
        break;
    }
    LONG lErr = RegSetValueExA(hKey, pszValue, 0, dwType, pbData, cbData);
    if (lErr != ERROR_SUCCESS)
        TRACE("fnRegSetValue", "RegSetValueEx lErr=%ld", lErr);
    return lErr == ERROR_SUCCESS ? 1 : 0;
}

int fnRegOpenAndSet(HKEY hRoot, const char *pszKey, const char *pszValue, const char *pszText, DWORD dwType,
                    int bExpand)
{
    if (!pszKey)
        pszKey = "";
    TRACE("fnRegOpenAndSet", "hRoot=%p,\nlpszKey=%s,\nlpszValue=%s,\ndwType=%lu", (void *)hRoot, pszKey,
          pszValue ? pszValue : "", dwType);
    if (!hRoot)
        return 0;
    CRegKey key;
    DWORD dwDisposition = 0;
    LONG lErr = RegCreateKeyExA(hRoot, pszKey, 0, (LPSTR) "", REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL, key.Out(),
                                &dwDisposition);
    if (lErr != ERROR_SUCCESS) {
        TRACE("fnRegOpenAndSet", "RegCreateKeyEx lErr=%ld", lErr);
        return 0;
    }
    if (!fnEventLogOn())
        return fnRegSetValue(key.Get(), pszValue, dwType, pszText, bExpand);
    char szBefore[kcbRegData], szAfter[kcbRegData], szPath[kcchPath];
    DWORD dwOldType = 0;
    int bHadValue = fnGetRegistryByValue(hRoot, &dwOldType, pszKey, pszValue ? pszValue : "", szBefore,
                                         COUNTOF(szBefore), kRegTextRaw);
    int bOk = fnRegSetValue(key.Get(), pszValue, dwType, pszText, bExpand);
    if (bOk) {
        DWORD dwNewType = 0;
        fnGetRegistryByValue(hRoot, &dwNewType, pszKey, pszValue ? pszValue : "", szAfter, COUNTOF(szAfter),
                             kRegTextRaw);
        fnRegPathText(hRoot, pszKey, szPath, COUNTOF(szPath));
        fnEventLog("change", "kind", "registry_value_written", "target", szPath, "value", pszValue ? pszValue : "",
                   "before", bHadValue ? szBefore : "", "#existed", bHadValue ? "true" : "false", "after", szAfter,
                   NULL);
    }
    return bOk;
}

// Renaming carries the bytes themselves: a DWORD or binary value read as
// text would not survive the trip back.
int fnRegCopyValue(HKEY hRoot, const char *pszKey, const char *pszFrom, const char *pszTo)
{
    TRACE("fnRegCopyValue", "hRoot=%p,\nlpszKey=%s,\nlpszFrom=%s,\nlpszTo=%s", (void *)hRoot, pszKey ? pszKey : "",
          pszFrom ? pszFrom : "", pszTo ? pszTo : "");
    if (!hRoot)
        return 0;
    CRegKey key;
    if (RegOpenKeyExA(hRoot, pszKey ? pszKey : "", 0, KEY_QUERY_VALUE | KEY_SET_VALUE, key.Out()) != ERROR_SUCCESS)
        return 0;
    BYTE abData[kcbRegData + 2];
    DWORD dwType = REG_NONE;
    DWORD cbData = 0;
    if (!fnQueryValue(key.Get(), pszFrom ? pszFrom : "", &dwType, abData, &cbData))
        return 0;
    return RegSetValueExA(key.Get(), pszTo ? pszTo : "", 0, dwType, abData, cbData) == ERROR_SUCCESS ? 1 : 0;
}

// A key that is empty or only backslashes names the root itself: nothing
// here may act on a whole root.
static int fnIsEmptyKey(const char *pszKey)
{
    if (!pszKey)
        return 1;
    while (*pszKey == '\\')
        pszKey++;
    return *pszKey == '\0';
}

int fnRegDelValue(HKEY hRoot, const char *pszKey, const char *pszValue)
{
    TRACE("fnRegDelValue", "hRoot=%p,\nlpszKey=%s,\nlpszValue=%s", (void *)hRoot, pszKey ? pszKey : "",
          pszValue ? pszValue : "");
    if (!hRoot || fnIsEmptyKey(pszKey) || !pszValue || !pszValue[0])
        return 0;
    CRegKey key;
    if (RegOpenKeyExA(hRoot, pszKey, 0, KEY_SET_VALUE, key.Out()) != ERROR_SUCCESS)
        return 0;
    char szBefore[kcbRegData] = "";
    DWORD dwType = 0;
    if (fnEventLogOn())
        fnGetRegistryByValue(hRoot, &dwType, pszKey, pszValue, szBefore, COUNTOF(szBefore), kRegTextRaw);
    if (RegDeleteValueA(key.Get(), pszValue) != ERROR_SUCCESS)
        return 0;
    char szPath[kcchPath];
    fnRegPathText(hRoot, pszKey, szPath, COUNTOF(szPath));
    fnEventLog("change", "kind", "registry_value_deleted", "target", szPath, "value", pszValue, "before", szBefore,
               NULL);
    return 1;
}

LONG fnRegDelAllValues(HKEY hRoot, const char *pszKey)
{
    TRACE("fnRegDelAllValues", "hRoot=%p,\nlpszKey=%s", (void *)hRoot, pszKey ? pszKey : "");
    if (!hRoot || fnIsEmptyKey(pszKey))
        return kRegBadKey;
    CRegKey key;
    LONG lErr = RegOpenKeyExA(hRoot, pszKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, key.Out());
    if (lErr != ERROR_SUCCESS)
        return lErr;
    // Value names may be up to 16,383 characters: the buffer is kept off the stack.
    const DWORD cchNameMax = 16384;
    CGlobalBlock nameBlock;
    char *pszName = nameBlock.fnAlloc(cchNameMax);
    if (!pszName)
        return ERROR_NOT_ENOUGH_MEMORY;
    for (;;) {
        DWORD cchName = cchNameMax;
        lErr = RegEnumValueA(key.Get(), 0, pszName, &cchName, NULL, NULL, NULL, NULL);
        if (lErr == ERROR_NO_MORE_ITEMS)
            return ERROR_SUCCESS;
        if (lErr != ERROR_SUCCESS)
            return lErr;
        lErr = RegDeleteValueA(key.Get(), pszName);
        if (lErr != ERROR_SUCCESS)
            return lErr;
    }
}

// Deletes every sub-key of an open key, deepest first. Index 0 is asked
// again after each delete, since deleting renumbers the rest.
static LONG fnDelSubKeys(HKEY hKey)
{
    char szName[256];
    for (;;) {
        DWORD cchName = COUNTOF(szName);
        LONG lErr = RegEnumKeyExA(hKey, 0, szName, &cchName, NULL, NULL, NULL, NULL);
        if (lErr == ERROR_NO_MORE_ITEMS)
            return ERROR_SUCCESS;
        if (lErr != ERROR_SUCCESS)
            return lErr;
        {
            CRegKey child;  // closed before its parent deletes it
            lErr = RegOpenKeyExA(hKey, szName, 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | DELETE, child.Out());
            if (lErr != ERROR_SUCCESS)
                return lErr;
            lErr = fnDelSubKeys(child.Get());
            if (lErr != ERROR_SUCCESS)
                return lErr;
        }
        lErr = RegDeleteKeyA(hKey, szName);
        if (lErr != ERROR_SUCCESS)
            return lErr;
    }
}

LONG fnRegDelKeyTree(HKEY hRoot, const char *pszKey)
{
    TRACE("fnRegDelKeyTree", "hRoot=%p,\nlpszKey=%s", (void *)hRoot, pszKey ? pszKey : "");
    if (!hRoot || fnIsEmptyKey(pszKey))
        return kRegBadKey;
    {
        CRegKey key;
        LONG lErr = RegOpenKeyExA(hRoot, pszKey, 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | DELETE, key.Out());
        if (lErr != ERROR_SUCCESS)
            return lErr;
        lErr = fnDelSubKeys(key.Get());
        if (lErr != ERROR_SUCCESS)
            return lErr;
    }
    LONG lErr = RegDeleteKeyA(hRoot, pszKey);
    TRACE("fnRegDelKeyTree", "RegDeleteKey lErr=%ld", lErr);
    if (lErr == ERROR_SUCCESS && fnEventLogOn()) {
        char szPath[kcchPath];
        fnRegPathText(hRoot, pszKey, szPath, COUNTOF(szPath));
        fnEventLog("change", "kind", "registry_key_deleted", "target", szPath, NULL);
    }
    return lErr;
}

// 1 when the value of the open key can be read and begins (any case) with
// the text.
static int fnValueBegins(HKEY hKey, const char *pszValue, const char *pszText)
{
    char szData[2 * kcbRegData + 1];
    if (!fnGetRegistryByValue(hKey, NULL, "", pszValue, szData, COUNTOF(szData), kRegTextHex))
        return 0;
    return fnTextBeginsI(szData, pszText);
}

static int fnSubKeyMatches(HKEY hSub, const char *pszTestValue, const char *pszTestText, const char *pszTestValue2,
                           const char *pszTestText2)
{
    if (!pszTestValue[0])
        return 1;
    char szData[2 * kcbRegData + 1];
    if (!fnGetRegistryByValue(hSub, NULL, "", pszTestValue, szData, COUNTOF(szData), kRegTextHex))
        return 0;
    if (!pszTestText[0])
        return 1;
    if (!fnTextBeginsI(szData, pszTestText))
        return 0;
    if (!pszTestValue2[0])
        return 1;
    return pszTestText2[0] && fnValueBegins(hSub, pszTestValue2, pszTestText2);
}

int fnRegGetEnum(HKEY hRoot, const char *pszKey, const char *pszTestValue, const char *pszTestText,
                 const char *pszTestValue2, const char *pszTestText2, const char *pszAction, char *pszOut,
                 size_t cchOut)
{
    const char *pszNone = "";
    pszKey = pszKey ? pszKey : pszNone;
    pszTestValue = pszTestValue ? pszTestValue : pszNone;
    pszTestText = pszTestText ? pszTestText : pszNone;
    pszTestValue2 = pszTestValue2 ? pszTestValue2 : pszNone;
    pszTestText2 = pszTestText2 ? pszTestText2 : pszNone;
    pszAction = pszAction ? pszAction : pszNone;
    TRACE("fnRegGetEnum",
          "lpszKey=%s,\nlpszTestValue=%s,\nlpszTestText=%s,\nlpszTestValue2=%s,\nlpszTestText2=%s,\nlpszAction=%s",
          pszKey, pszTestValue, pszTestText, pszTestValue2, pszTestText2, pszAction);
    fnCopyText(pszOut, cchOut, "0000");

    CRegKey key;
    if (!hRoot || RegOpenKeyExA(hRoot, pszKey, 0, KEY_READ, key.Out()) != ERROR_SUCCESS)
        return 1;
    DWORD dwSubKeys = 0;
    if (RegQueryInfoKeyA(key.Get(), NULL, NULL, NULL, &dwSubKeys, NULL, NULL, NULL, NULL, NULL, NULL, NULL) !=
        ERROR_SUCCESS)
        dwSubKeys = 0;
    int bFirstOnly = fnUpperChar(pszAction[0]) == 'F';
    if (dwSubKeys > 0) {
        int bFound = 0;
        for (DWORD dwIndex = 0; !bFound; dwIndex++) {
            char szName[256];
            DWORD cchName = COUNTOF(szName);
            if (RegEnumKeyExA(key.Get(), dwIndex, szName, &cchName, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
                break;
            CRegKey sub;
            if (RegOpenKeyExA(key.Get(), szName, 0, KEY_READ, sub.Out()) == ERROR_SUCCESS &&
                fnSubKeyMatches(sub.Get(), pszTestValue, pszTestText, pszTestValue2, pszTestText2)) {
                fnCopyText(pszOut, cchOut, szName);
                bFound = 1;
            }
            if (bFirstOnly)
                break;
        }
        if (!bFound)
            fnFormatText(pszOut, cchOut, "%04lu", dwSubKeys - 1);
    }
    key.fnClose();
    if (fnUpperChar(pszAction[0]) == 'N')
        fnRegNextNumber(pszOut, cchOut);
    TRACE("fnRegGetEnum", "szResult=%s", pszOut);
    return 1;
}
