// Target names of compressed sources read from their headers. Pure: also
// built natively.
#include <gtest/gtest.h>

#include <string.h>

#include "files/lz.h"

namespace {

TEST(CompressedNames, SzddAndCabinetHeadersNameTheTarget)
{
    unsigned char abSzdd[14] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A', 'L', 0, 0, 0, 0};
    char szOut[260];
    fnExpandedNameFromHeader("FILE.DL_", abSzdd, sizeof(abSzdd), szOut, sizeof(szOut));
    EXPECT_STREQ("FILE.DLL", szOut);
    fnExpandedNameFromHeader("FILE.D_", abSzdd, sizeof(abSzdd), szOut, sizeof(szOut));
    EXPECT_STREQ("FILE.D", szOut);
    abSzdd[9] = 0;  // no letter kept: the "_" goes
    fnExpandedNameFromHeader("FILE.DL_", abSzdd, sizeof(abSzdd), szOut, sizeof(szOut));
    EXPECT_STREQ("FILE.DL", szOut);
    fnExpandedNameFromHeader("FILE.DLL", abSzdd, sizeof(abSzdd), szOut, sizeof(szOut));
    EXPECT_STREQ("FILE.DLL", szOut);  // no "_": never looked at

    unsigned char abCab[80] = {'M', 'S', 'C', 'F'};
    memcpy(abCab + 60, "README.TXT", 11);
    fnExpandedNameFromHeader("README.TX_", abCab, sizeof(abCab), szOut, sizeof(szOut));
    EXPECT_STREQ("README.TXT", szOut);
    fnExpandedNameFromHeader("OTHER.TX_", abCab, sizeof(abCab), szOut, sizeof(szOut));
    EXPECT_STREQ("OTHER.TX_", szOut);  // another base name is not taken
    fnExpandedNameFromHeader("README.TX_", abCab, 66, szOut, sizeof(szOut));
    EXPECT_STREQ("README.TX_", szOut);  // a name cut by the bytes read is not taken

    unsigned char abPlain[20] = {'M', 'Z'};
    fnExpandedNameFromHeader("SETUP.EX_", abPlain, sizeof(abPlain), szOut, sizeof(szOut));
    EXPECT_STREQ("SETUP.EX_", szOut);
}

}  // namespace
