// Finding the internal-script marker in a file: from the end (last marker
// wins), across block boundaries, and the presence test's result codes.
#include <gtest/gtest.h>

#include <string>

#include "script/marker.h"
#include "../support/test_files.h"

namespace {

const char kszMarker[] = "<-- KRVLO -- K00a00r00v00e00l00l00o00 I00N00F00H00d00r00 -- KRVLO -->";

std::string fnAfterMarker(const std::string &strPath, const char *pszMarker, BOOL bFromEnd, DWORD cbRoom = 4096)
{
    std::string strBuffer(cbRoom, '\0');
    DWORD cb = cbRoom;
    if (!fnLoadFileAfterString(strPath.c_str(), pszMarker, &strBuffer[0], &cb, bFromEnd))
        return "<none>";
    return strBuffer.substr(0, cb);
}

TEST(MarkerSearch, LastMarkerWinsFromTheEndFirstFromTheStart)
{
    std::string strDir = fnTestDir("marker-two");
    std::string strFile = strDir + "\\prog.exe";
    std::string strData = std::string(70000, 'M') + kszMarker + "\r\nfirst" + std::string(5000, 'm') + kszMarker +
                          "\r\nsecond";
    ASSERT_TRUE(fnWriteWholeFile(strFile, strData));
    EXPECT_EQ("\r\nsecond", fnAfterMarker(strFile, kszMarker, TRUE));
    EXPECT_EQ("\r\nfirst" + std::string(20, 'm'), fnAfterMarker(strFile, kszMarker, FALSE).substr(0, 27));
}

TEST(MarkerSearch, MarkerAcrossBlockBoundariesIsFound)
{
    std::string strDir = fnTestDir("marker-split");
    std::string strFile = strDir + "\\prog.exe";
    // Put the marker across every offset near the 65,500-byte block boundary.
    size_t cchMarker = strlen(kszMarker);
    const size_t cbBlock = kcbSearchBlock;
    const size_t auBefore[] = {cbBlock - 1, cbBlock - cchMarker / 2, cbBlock - cchMarker, cbBlock - cchMarker + 1,
                               cbBlock, 2 * cbBlock - 3};
    for (size_t uBefore : auBefore) {
        SCOPED_TRACE(uBefore);
        std::string strData = std::string(uBefore, 'x') + kszMarker + "TAIL" + std::string(140000 - uBefore, 'y');
        ASSERT_TRUE(fnWriteWholeFile(strFile, strData));
        EXPECT_EQ(0, fnIsStringInFile(strFile.c_str(), kszMarker, FALSE));
        EXPECT_EQ("TAIL", fnAfterMarker(strFile, kszMarker, FALSE).substr(0, 4));
        EXPECT_EQ("TAIL", fnAfterMarker(strFile, kszMarker, TRUE).substr(0, 4));
    }
}

TEST(MarkerSearch, ReadIsBoundedByTheRoomGiven)
{
    std::string strDir = fnTestDir("marker-room");
    std::string strFile = strDir + "\\prog.exe";
    ASSERT_TRUE(fnWriteWholeFile(strFile, std::string("head") + kszMarker + std::string(1000, 'z')));
    std::string strAfter = fnAfterMarker(strFile, kszMarker, TRUE, 100);
    EXPECT_EQ(std::string(100, 'z'), strAfter);
}

TEST(MarkerSearch, MissingMarkerOrFile)
{
    std::string strDir = fnTestDir("marker-none");
    std::string strFile = strDir + "\\prog.exe";
    ASSERT_TRUE(fnWriteWholeFile(strFile, std::string(100000, 'q')));
    EXPECT_EQ("<none>", fnAfterMarker(strFile, kszMarker, TRUE));
    EXPECT_EQ("<none>", fnAfterMarker(strDir + "\\gone.exe", kszMarker, TRUE));
    EXPECT_EQ(1, fnIsStringInFile(strFile.c_str(), kszMarker, FALSE));
    EXPECT_EQ(2, fnIsStringInFile((strDir + "\\gone.exe").c_str(), kszMarker, FALSE));
}

TEST(MarkerSearch, PresenceTestCaseAndLengthRules)
{
    std::string strDir = fnTestDir("marker-case");
    std::string strFile = strDir + "\\text.txt";
    ASSERT_TRUE(fnWriteWholeFile(strFile, "Some Text Here"));
    EXPECT_EQ(1, fnIsStringInFile(strFile.c_str(), "text here", FALSE));
    EXPECT_EQ(0, fnIsStringInFile(strFile.c_str(), "text here", TRUE));
    EXPECT_EQ(3, fnIsStringInFile(strFile.c_str(), "x", FALSE));
    EXPECT_EQ(3, fnIsStringInFile(strFile.c_str(), std::string(65500, 'a').c_str(), FALSE));
}

}  // namespace
