#include "script/marker.h"

#include <stdlib.h>

#include "run/guards.h"
#include "run/text.h"
#include "run/trace.h"

static int fnBytesEqual(const char *pb, const char *pszText, size_t cch, BOOL bAnyCase)
{
    return bAnyCase ? fnTextEqualNI(pb, pszText, cch) : memcmp(pb, pszText, cch) == 0;
}

// Offset of the first (or last) occurrence of pszText in pb[0..cb), or -1.
static long fnFindInBlock(const char *pb, size_t cb, const char *pszText, size_t cch, BOOL bAnyCase, BOOL bLast)
{
    if (cb < cch)
        return -1;
    if (bLast) {
        for (size_t i = cb - cch + 1; i-- > 0;) {
            if (fnBytesEqual(pb + i, pszText, cch, bAnyCase))
                return (long)i;
        }
        return -1;
    }
    for (size_t i = 0; i + cch <= cb; i++) {
        if (fnBytesEqual(pb + i, pszText, cch, bAnyCase))
            return (long)i;
    }
    return -1;
}

static int fnReadAt(HANDLE hFile, LONGLONG llPos, char *pb, DWORD cb, DWORD *pcbRead)
{
    LARGE_INTEGER li;
    li.QuadPart = llPos;
    *pcbRead = 0;
    return SetFilePointerEx(hFile, li, NULL, FILE_BEGIN) && ReadFile(hFile, pb, cb, pcbRead, NULL);
}

// Position of the marker searched block by block (blocks overlap by the
// marker's length less one, so a marker across two blocks is found), or -1.
static LONGLONG fnFindMarker(HANDLE hFile, LONGLONG llSize, const char *pszMarker, size_t cch, BOOL bFromEnd,
                             char *pbBlock, DWORD cbBlock)
{
    DWORD cbStep = cbBlock - (DWORD)cch + 1;
    if (bFromEnd) {
        LONGLONG llEnd = llSize;
        while (llEnd >= (LONGLONG)cch) {
            LONGLONG llStart = llEnd - cbBlock < 0 ? 0 : llEnd - cbBlock;
            DWORD cbRead;
            if (!fnReadAt(hFile, llStart, pbBlock, (DWORD)(llEnd - llStart), &cbRead))
                return -1;
            long iFound = fnFindInBlock(pbBlock, cbRead, pszMarker, cch, FALSE, TRUE);
            if (iFound >= 0)
                return llStart + iFound;
            if (llStart == 0)
                break;
            llEnd -= cbStep;
        }
        return -1;
    }
    for (LONGLONG llStart = 0; llStart + (LONGLONG)cch <= llSize; llStart += cbStep) {
        DWORD cbRead;
        if (!fnReadAt(hFile, llStart, pbBlock, cbBlock, &cbRead))
            return -1;
        long iFound = fnFindInBlock(pbBlock, cbRead, pszMarker, cch, FALSE, FALSE);
        if (iFound >= 0)
            return llStart + iFound;
    }
    return -1;
}

int fnLoadFileAfterString(const char *pszFile, const char *pszMarker, char *pbBuffer, DWORD *pcbSize, BOOL bFromEnd)
{
    size_t cch = strlen(pszMarker);
    DWORD cbRoom = *pcbSize;
    *pcbSize = 0;
    if (cch == 0 || cch > kcchMarkerMax)
        return 0;
    CFileHandle hFile(CreateFileA(pszFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, NULL));
    if (!hFile.IsValid())
        return 0;
    LARGE_INTEGER liSize;
    if (!GetFileSizeEx(hFile.Get(), &liSize))
        return 0;
    DWORD cbBlock = kcbSearchBlock + (DWORD)cch;
    char *pbBlock = (char *)malloc(cbBlock);
    if (!pbBlock)
        return 0;
    LONGLONG llAt = fnFindMarker(hFile.Get(), liSize.QuadPart, pszMarker, cch, bFromEnd, pbBlock, cbBlock);
    free(pbBlock);
    if (llAt < 0)
        return 0;
    DWORD cbRead;
    if (!fnReadAt(hFile.Get(), llAt + (LONGLONG)cch, pbBuffer, cbRoom, &cbRead))
        return 0;
    *pcbSize = cbRead;
    TRACE("fnLoadFileAfterString", "lpszFile=%s,\nuBytes=%lu", pszFile, (unsigned long)cbRead);
    return 1;
}

int fnIsStringInFile(const char *pszFile, const char *pszText, BOOL bAnyCase)
{
    size_t cch = strlen(pszText);
    if (cch < 2 || cch > kcchMarkerMax)
        return 3;
    if (GetFileAttributesA(pszFile) == INVALID_FILE_ATTRIBUTES)
        return 2;
    CFileHandle hFile(CreateFileA(pszFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, NULL));
    if (!hFile.IsValid())
        return 5;
    char *pbBlock = (char *)calloc(kcbSearchBlock + 2, 1);
    if (!pbBlock)
        return 5;
    int iRC = 1;
    LONGLONG llPos = 0;
    for (;;) {
        DWORD cbRead;
        if (!fnReadAt(hFile.Get(), llPos, pbBlock, kcbSearchBlock, &cbRead)) {
            iRC = 4;
            break;
        }
        if (fnFindInBlock(pbBlock, cbRead, pszText, cch, bAnyCase, FALSE) >= 0) {
            iRC = 0;
            break;
        }
        if (cbRead < kcbSearchBlock)
            break;
        // Step back by the text's length so a text across two blocks is found.
        llPos += cbRead - cch;
    }
    free(pbBlock);
    return iRC;
}
