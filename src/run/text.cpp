#include "run/text.h"

#include <limits.h>

int fnCopyTextN(char *pszDst, size_t cchDst, const char *pszSrc, size_t cchSrc)
{
    if (!pszDst || cchDst == 0)
        return 0;
    if (!pszSrc)
        pszSrc = "";
    size_t i = 0;
    while (i < cchSrc && pszSrc[i] && i + 1 < cchDst) {
        pszDst[i] = pszSrc[i];
        i++;
    }
    pszDst[i] = '\0';
    return (i == cchSrc || pszSrc[i] == '\0') ? 1 : 0;
}

int fnCopyText(char *pszDst, size_t cchDst, const char *pszSrc)
{
    return fnCopyTextN(pszDst, cchDst, pszSrc, (size_t)-1);
}

int fnAppendText(char *pszDst, size_t cchDst, const char *pszSrc)
{
    if (!pszDst || cchDst == 0)
        return 0;
    size_t cchUsed = strnlen(pszDst, cchDst);
    if (cchUsed >= cchDst) {  // unterminated destination: terminate at its end
        pszDst[cchDst - 1] = '\0';
        return 0;
    }
    return fnCopyText(pszDst + cchUsed, cchDst - cchUsed, pszSrc);
}

int fnFormatTextV(char *pszDst, size_t cchDst, const char *pszFormat, va_list args)
{
    if (!pszDst || cchDst == 0)
        return 0;
    int n = vsnprintf(pszDst, cchDst, pszFormat ? pszFormat : "", args);
    pszDst[cchDst - 1] = '\0';
    if (n < 0) {
        pszDst[0] = '\0';
        return 0;
    }
    return (size_t)n < cchDst ? 1 : 0;
}

int fnFormatText(char *pszDst, size_t cchDst, const char *pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    int bRC = fnFormatTextV(pszDst, cchDst, pszFormat, args);
    va_end(args);
    return bRC;
}

int fnAppendFormat(char *pszDst, size_t cchDst, const char *pszFormat, ...)
{
    if (!pszDst || cchDst == 0)
        return 0;
    size_t cchUsed = strnlen(pszDst, cchDst);
    if (cchUsed >= cchDst) {
        pszDst[cchDst - 1] = '\0';
        return 0;
    }
    va_list args;
    va_start(args, pszFormat);
    int bRC = fnFormatTextV(pszDst + cchUsed, cchDst - cchUsed, pszFormat, args);
    va_end(args);
    return bRC;
}

char fnUpperChar(char c)
{
    return (c >= 'a' && c <= 'z') ? (char)(c - 'a' + 'A') : c;
}

int fnTextEqualNI(const char *pszA, const char *pszB, size_t cch)
{
    for (size_t i = 0; i < cch; i++) {
        if (fnUpperChar(pszA[i]) != fnUpperChar(pszB[i]))
            return 0;
        if (pszA[i] == '\0')
            return 1;
    }
    return 1;
}

int fnTextEqualI(const char *pszA, const char *pszB)
{
    return fnTextEqualNI(pszA, pszB, (size_t)-1);
}

int fnTextBeginsI(const char *pszText, const char *pszPrefix)
{
    return fnTextEqualNI(pszText, pszPrefix, strlen(pszPrefix));
}

const char *fnFindTextI(const char *pszText, const char *pszFind)
{
    size_t cchFind = strlen(pszFind);
    for (const char *p = pszText; *p; p++) {
        if (fnTextEqualNI(p, pszFind, cchFind))
            return p;
    }
    return cchFind == 0 ? pszText : NULL;
}

void fnUpperText(char *pszText)
{
    for (; *pszText; pszText++)
        *pszText = fnUpperChar(*pszText);
}

int fnIsBlank(char c)
{
    return c == ' ' || c == '\t';
}

char *fnTrimBlanks(char *pszText)
{
    size_t cch = strlen(pszText);
    while (cch > 0 && fnIsBlank(pszText[cch - 1]))
        pszText[--cch] = '\0';
    size_t iStart = 0;
    while (fnIsBlank(pszText[iStart]))
        iStart++;
    if (iStart > 0)
        memmove(pszText, pszText + iStart, cch - iStart + 1);
    return pszText;
}

int fnIsTrue(const char *pszText)
{
    return fnTextEqualI(pszText, "TRUE") || strcmp(pszText, "1") == 0;
}

int fnIsYes(const char *pszText)
{
    return fnYesNoField(pszText) == kYesNoYes;
}

const char *fnSkipBlanks(const char *psz)
{
    while (fnIsBlank(*psz))
        psz++;
    return psz;
}

int fnYesNoField(const char *pszField)
{
    if (!pszField)
        return kYesNoOther;
    char c = fnUpperChar(*fnSkipBlanks(pszField));
    return c == 'Y' ? kYesNoYes : c == 'N' ? kYesNoNo : kYesNoOther;
}

unsigned fnDecimalValue(const char *pszText)
{
    if (!pszText)
        return 0;
    pszText = fnSkipBlanks(pszText);
    unsigned uValue = 0;
    for (; *pszText >= '0' && *pszText <= '9'; pszText++) {
        unsigned uDigit = (unsigned)(*pszText - '0');
        if (uValue > (UINT_MAX - uDigit) / 10)
            return UINT_MAX;
        uValue = uValue * 10 + uDigit;
    }
    return uValue;
}

