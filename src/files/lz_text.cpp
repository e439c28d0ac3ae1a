// Target names of compressed sources. No Windows calls: the bytes come from
// expand_lz_win.cpp.
#include "files/lz.h"

#include "run/text.h"

namespace {

// Offset of the first file name in a cabinet without reserved areas: the
// 36-byte header, one 8-byte folder entry and the 16 fixed bytes of the file
// entry.
const size_t kcbCabFirstName = 60;
const size_t kcbSzddLastChar = 9;

// The base name (before the last dot) of a file name, as a length.
size_t fnBaseLength(const char *pszName)
{
    const char *pszDot = strrchr(pszName, '.');
    return pszDot ? (size_t)(pszDot - pszName) : strlen(pszName);
}

void fnSzddName(const char *pszName, const unsigned char *pbHead, size_t cbHead, char *pszOut, size_t cchOut)
{
    const char *pszDot = strrchr(pszName, '.');
    if (!pszDot)
        return;
    const char *pszExt = pszDot + 1;
    size_t cchExt = strlen(pszExt);
    char cLast = cbHead > kcbSzddLastChar ? (char)pbHead[kcbSzddLastChar] : '\0';
    size_t cchName = strlen(pszName);
    if (cchExt == 3 && pszExt[2] == '_' && cLast != '\0') {
        if (cchName < cchOut)
            pszOut[cchName - 1] = cLast;
        return;
    }
    // A shorter extension (or a header without the letter) loses its last "_".
    const char *pszUnder = strrchr(pszExt, '_');
    if (pszUnder && (cchExt < 3 || pszExt[cchExt - 1] == '_'))
        fnCopyTextN(pszOut, cchOut, pszName, (size_t)(pszUnder - pszName));
}

void fnCabName(const char *pszName, const unsigned char *pbHead, size_t cbHead, char *pszOut, size_t cchOut)
{
    if (cbHead <= kcbCabFirstName || pbHead[kcbCabFirstName] == 0)
        return;
    char szStored[kcbNameHeader];
    size_t cchStored = 0;
    for (size_t i = kcbCabFirstName; i < cbHead && pbHead[i] && cchStored + 1 < sizeof(szStored); i++)
        szStored[cchStored++] = (char)pbHead[i];
    szStored[cchStored] = '\0';
    // A name cut by the end of the bytes read is not trusted.
    if (kcbCabFirstName + cchStored >= cbHead)
        return;
    size_t cchBase = fnBaseLength(pszName);
    if (fnBaseLength(szStored) == cchBase && fnTextEqualNI(szStored, pszName, cchBase))
        fnCopyText(pszOut, cchOut, szStored);
}

}  // namespace

void fnExpandedNameFromHeader(const char *pszName, const unsigned char *pbHead, size_t cbHead, char *pszOut,
                              size_t cchOut)
{
    fnCopyText(pszOut, cchOut, pszName);
    const char *pszDot = strrchr(pszName, '.');
    if (!pszDot || !strchr(pszDot, '_') || !pbHead || cbHead < 4)
        return;
    if (memcmp(pbHead, "SZDD", 4) == 0)
        fnSzddName(pszName, pbHead, cbHead, pszOut, cchOut);
    else if (memcmp(pbHead, "MSCF", 4) == 0)
        fnCabName(pszName, pbHead, cbHead, pszOut, cchOut);
}
