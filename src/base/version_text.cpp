#include "base/version.h"

#include "run/text.h"

// Each part is a decimal number in 16 bits; a larger one stands at 65535
// rather than wrapping round to a small version. Blanks around parts are
// allowed ("5, 1, 2600, 0"); anything else ends the text.
void fnParseVersionText(const char *pszVersion, unsigned short awVer[4])
{
    for (int i = 0; i < 4; i++)
        awVer[i] = 0;
    const char *psz = pszVersion ? pszVersion : "";
    for (int iPart = 0; iPart < 4; iPart++) {
        while (fnIsBlank(*psz))
            psz++;
        unsigned long ul = 0;
        while (*psz >= '0' && *psz <= '9') {
            ul = ul * 10 + (unsigned long)(*psz - '0');
            if (ul > 0xFFFF)
                ul = 0xFFFF;
            psz++;
        }
        awVer[iPart] = (unsigned short)ul;
        while (fnIsBlank(*psz))
            psz++;
        if (*psz != '.' && *psz != ',')
            break;
        psz++;
    }
}

int fnVersionCodeMeets(int iCode, const char *pszCondition)
{
    if (iCode >= kVerReadError && iCode <= kVerUnreadable)
        return 0;
    if (!pszCondition)
        return 0;
    if (fnTextEqualI(pszCondition, "LE"))
        return iCode == kVerEqual || iCode == kVerOlder;
    if (fnTextEqualI(pszCondition, "GE"))
        return iCode == kVerEqual || iCode == kVerNewer;
    if (fnTextEqualI(pszCondition, "LT"))
        return iCode == kVerOlder;
    if (fnTextEqualI(pszCondition, "GT"))
        return iCode == kVerNewer;
    if (fnTextEqualI(pszCondition, "EQ"))
        return iCode == kVerEqual;
    if (fnTextEqualI(pszCondition, "NE"))
        return iCode != kVerEqual;
    return 0;
}
