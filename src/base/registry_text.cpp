#include "base/registry_text.h"

#include "run/text.h"

static const char *const s_apszRootNames[kRegRootCount] = {
    "HKEY_CLASSES_ROOT", "HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", "HKEY_USERS",
    "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA",
};

const char *fnRegRootName(int iRoot)
{
    return (iRoot >= 0 && iRoot < kRegRootCount) ? s_apszRootNames[iRoot] : "";
}

// A root name may stand anywhere in the path ("Computer\HKEY_...\Soft"); the
// sub-key is what follows it. A root name that ends the text names no key to
// work on and is not taken, so a bare root is never handed to a delete.
int fnFindRegRoot(char *pszKeyPath)
{
    if (!pszKeyPath)
        return -1;
    for (int iRoot = 0; iRoot < kRegRootCount; iRoot++) {
        const char *pszFound = fnFindTextI(pszKeyPath, s_apszRootNames[iRoot]);
        if (!pszFound)
            continue;
        const char *pszRest = pszFound + strlen(s_apszRootNames[iRoot]);
        if (!*pszRest)
            continue;
        while (*pszRest == '\\')
            pszRest++;
        memmove(pszKeyPath, pszRest, strlen(pszRest) + 1);
        return iRoot;
    }
    return -1;
}

unsigned long fnRegTypeOf(const char *pszKeyword)
{
    static const struct {
        const char *pszName;
        unsigned long dwType;
    } s_aTypes[] = {
        {"NONE", 0}, {"SZ", 1}, {"EXPAND_SZ", 2}, {"BINARY", 3}, {"HEX", 3}, {"DWORD", 4},
        {"DWORD_BIG_ENDIAN", 5}, {"LINK", 6}, {"MULTI_SZ", 7}, {"RESOURCE_LIST", 8},
    };
    if (!pszKeyword)
        return 1;
    for (size_t i = 0; i < sizeof(s_aTypes) / sizeof(s_aTypes[0]); i++)
        if (fnTextEqualI(pszKeyword, s_aTypes[i].pszName))
            return s_aTypes[i].dwType;
    return 1;
}

int fnRegJoinKey(char *pszPath, size_t cchPath, const char *pszName)
{
    if (!pszPath || !pszPath[0])
        return 0;
    if (!pszName)
        pszName = "";
    while (*pszName == '\\')
        pszName++;
    if (!*pszName)
        return 1;
    size_t cchKeep = strlen(pszPath);
    while (cchKeep > 0 && pszPath[cchKeep - 1] == '\\')
        cchKeep--;
    size_t cchName = strlen(pszName);
    if (cchKeep + 1 + cchName + 1 > cchPath)
        return 0;
    pszPath[cchKeep] = '\\';
    memcpy(pszPath + cchKeep + 1, pszName, cchName + 1);
    return 1;
}

static int fnHexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Accumulates digits of one base, saturating instead of wrapping: a number
// too large for a DWORD must not turn into a small one.
static unsigned long fnAccumulate(const char *psz, const char *pszEnd, unsigned uBase)
{
    unsigned long long ull = 0;
    for (; psz < pszEnd; psz++) {
        int iDigit = uBase == 16 ? fnHexDigit(*psz) : ((*psz >= '0' && *psz <= '9') ? *psz - '0' : -1);
        if (iDigit < 0)
            break;
        ull = ull * uBase + (unsigned)iDigit;
        if (ull > 0xFFFFFFFFull)
            return 0xFFFFFFFFul;
    }
    return (unsigned long)ull;
}

unsigned long fnRegParseNumber(const char *pszText)
{
    if (!pszText)
        return 0;
    while (fnIsBlank(*pszText))
        pszText++;
    const char *pszEnd = pszText + strlen(pszText);
    while (pszEnd > pszText && fnIsBlank(pszEnd[-1]))
        pszEnd--;
    size_t cch = (size_t)(pszEnd - pszText);
    if (cch > 0 && (pszEnd[-1] == 'h' || pszEnd[-1] == 'H'))
        return fnAccumulate(pszText, pszEnd - 1, 16);
    if (cch > 2 && (pszText[1] == 'x' || pszText[1] == 'X'))
        return fnAccumulate(pszText + 2, pszEnd, 16);
    return fnAccumulate(pszText, pszEnd, 10);
}

int fnRegParseHex(const char *pszText, unsigned char *pbOut, size_t cbOut, size_t *pcbOut)
{
    size_t cb = 0;
    if (pcbOut)
        *pcbOut = 0;
    if (!pszText)
        return 1;
    for (;;) {
        while (*pszText == ',' || fnIsBlank(*pszText))
            pszText++;
        if (!*pszText)
            break;
        int iHigh = fnHexDigit(pszText[0]);
        if (iHigh < 0)
            return 0;  // not a byte: refuse rather than write part of the data
        int iLow = fnHexDigit(pszText[1]);
        unsigned uByte = iLow < 0 ? (unsigned)iHigh : (unsigned)(iHigh * 16 + iLow);
        pszText += iLow < 0 ? 1 : 2;
        if (cb >= cbOut)
            return 0;
        pbOut[cb++] = (unsigned char)uByte;
    }
    if (pcbOut)
        *pcbOut = cb;
    return 1;
}

int fnRegHexText(const unsigned char *pbData, size_t cbData, char *pszOut, size_t cchOut)
{
    static const char s_szDigits[] = "0123456789abcdef";
    if (!pszOut || cchOut == 0)
        return 0;
    size_t cch = 0;
    size_t i = 0;
    for (; i < cbData && cch + 2 < cchOut; i++) {
        pszOut[cch++] = s_szDigits[pbData[i] >> 4];
        pszOut[cch++] = s_szDigits[pbData[i] & 15];
    }
    pszOut[cch] = '\0';
    return i == cbData ? 1 : 0;
}

int fnRegNextNumber(char *pszText, size_t cchText)
{
    const char *psz = pszText ? pszText : "";
    unsigned long dw = fnAccumulate(psz, psz + strlen(psz), 10);
    if (dw < 0xFFFFFFFFul)
        dw++;
    return fnFormatText(pszText, cchText, "%04lu", dw);
}

void fnStripTrailingBSlash(char *pszText)
{
    size_t cch = strlen(pszText);
    if (cch < 4 || pszText[1] != ':')
        return;
    char cLast = pszText[cch - 1];
    if ((cLast == '\\' || cLast == '/') && pszText[cch - 2] != ':')
        pszText[cch - 1] = '\0';
}
