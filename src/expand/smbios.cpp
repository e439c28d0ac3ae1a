#include "expand/smbios.h"

#include "expand/sysfacts.h"
#include "run/text.h"

namespace {

enum { kTypeSystem = 1, kTypeProcessor = 4, kTypeEnd = 127, kcbStructHeader = 4, kofsCpuSpeed = 0x16 };

// String number n (from 1) of the string set that starts at pbSet; the set
// ends with an empty string. NULL when there is no such string.
const char *fnSmbiosString(const unsigned char *pbSet, const unsigned char *pbEnd, unsigned uNumber)
{
    const unsigned char *pb = pbSet;
    for (unsigned u = 1; pb < pbEnd && *pb; u++) {
        const unsigned char *pbStart = pb;
        while (pb < pbEnd && *pb)
            pb++;
        if (pb >= pbEnd)
            return NULL;  // not terminated inside the table
        if (u == uNumber)
            return (const char *)pbStart;
        pb++;
    }
    return NULL;
}

// End of a structure's string set (just past its two closing NULs), or NULL
// when the set runs past the table.
const unsigned char *fnNextStructure(const unsigned char *pbSet, const unsigned char *pbEnd)
{
    const unsigned char *pb = pbSet;
    // A structure without strings still ends with two NULs.
    while (pb + 1 < pbEnd) {
        if (pb[0] == 0 && pb[1] == 0)
            return pb + 2;
        pb++;
    }
    return NULL;
}

int fnTakeText(const char *pszText, char *pszOut, size_t cchOut)
{
    char szText[256];
    fnCopyText(szText, COUNTOF(szText), pszText);
    fnTrimBlanks(szText);
    if (!szText[0])
        return 0;
    fnCopyText(pszOut, cchOut, szText);
    return 1;
}

int fnStringOffset(unsigned uRequest)
{
    switch (uRequest) {
    case kSmbiosMaker:
        return 4;
    case kSmbiosProduct:
        return 5;
    case kSmbiosSerial:
        return 7;
    default:
        return -1;
    }
}

}  // namespace

int fnSmbiosFindString(const unsigned char *pbTable, size_t cbTable, unsigned uRequest, char *pszOut, size_t cchOut)
{
    if (pszOut && cchOut)
        pszOut[0] = '\0';
    // Found means a text that is not empty: one byte holds only the terminator.
    if (!pbTable || !pszOut || cchOut < 2)
        return 0;
    int iOffset = fnStringOffset(uRequest);
    if (iOffset < 0 && uRequest != kSmbiosCpuSpeed)
        return 0;
    const unsigned char *pbEnd = pbTable + cbTable;
    const unsigned char *pb = pbTable;
    while (pb && pbEnd - pb >= kcbStructHeader) {
        unsigned uType = pb[0];
        unsigned cbFormatted = pb[1];
        if (cbFormatted < kcbStructHeader || (size_t)(pbEnd - pb) < cbFormatted || uType == kTypeEnd)
            return 0;
        const unsigned char *pbSet = pb + cbFormatted;
        if (uType == kTypeSystem && iOffset >= 0 && (int)cbFormatted > iOffset && pb[iOffset] != 0) {
            const char *pszText = fnSmbiosString(pbSet, pbEnd, pb[iOffset]);
            if (pszText && fnTakeText(pszText, pszOut, cchOut))
                return 1;
        }
        // An empty socket reports speed 0: look on to the next processor.
        if (uType == kTypeProcessor && uRequest == kSmbiosCpuSpeed && cbFormatted >= kofsCpuSpeed + 2) {
            unsigned uMHz = pb[kofsCpuSpeed] | (pb[kofsCpuSpeed + 1] << 8);
            if (uMHz != 0) {
                fnFormatText(pszOut, cchOut, "%uMHz", uMHz);
                return 1;
            }
        }
        pb = fnNextStructure(pbSet, pbEnd);
    }
    return 0;
}

int fnSmbiosFindInRaw(const unsigned char *pbRaw, size_t cbRaw, unsigned uRequest, char *pszOut, size_t cchOut)
{
    if (!pbRaw || cbRaw < kcbRawSmbiosHeader)
        return 0;
    size_t cbTable = (size_t)pbRaw[4] | ((size_t)pbRaw[5] << 8) | ((size_t)pbRaw[6] << 16) | ((size_t)pbRaw[7] << 24);
    if (cbTable > cbRaw - kcbRawSmbiosHeader)
        cbTable = cbRaw - kcbRawSmbiosHeader;
    return fnSmbiosFindString(pbRaw + kcbRawSmbiosHeader, cbTable, uRequest, pszOut, cchOut);
}
