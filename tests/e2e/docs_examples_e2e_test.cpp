// Every script example of the manual (docs/) runs: each fenced block opened
// with ```ini is taken out of its page and run as a whole script in a work
// directory of its own, with the switches, answers and checks that the HTML
// comment lines right after the block give (docs/README.md, "Examples").
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e_support.h"

namespace {

struct DocCheck {
    std::string strKind;   // "file", "nofile", "reg", "setup"
    std::string strWhat;   // file name or registry value path
    std::string strValue;  // text after " = " (may be empty)
    bool bHasValue;
};

struct DocExample {
    std::string strPage;  // path below docs/, with '/'
    int iLine;            // line of the opening fence
    std::string strScript;
    std::string strArgs = "-q";
    std::vector<std::string> vecAnswers;
    DWORD dwExit = 0;
    std::vector<DocCheck> vecChecks;
    std::string strError;  // a comment line the test cannot read
};

std::string fnDocsDir()
{
    return fnE2EWinePath(std::string(SETUP32_E2E_SOURCE_DIR) + "/docs");
}

std::string fnTrim(const std::string &s)
{
    size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return std::string();
    size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

bool fnStartsWith(const std::string &s, const char *pszPrefix)
{
    return s.compare(0, strlen(pszPrefix), pszPrefix) == 0;
}

std::vector<std::string> fnSplitLines(const std::string &strText)
{
    std::vector<std::string> vec;
    size_t i = 0;
    while (i <= strText.size()) {
        size_t j = strText.find('\n', i);
        if (j == std::string::npos) j = strText.size();
        std::string strLine = strText.substr(i, j - i);
        if (!strLine.empty() && strLine.back() == '\r') strLine.pop_back();
        vec.push_back(strLine);
        i = j + 1;
    }
    return vec;
}

// The text of a comment with each "\r\n" (written out) made a line end.
std::string fnLineEnds(std::string s)
{
    for (size_t i = s.find("\\r\\n"); i != std::string::npos; i = s.find("\\r\\n", i + 2)) s.replace(i, 4, "\r\n");
    return s;
}

// "NAME = TEXT" into its halves; bHasValue false when there is no " = ".
DocCheck fnReadCheck(const std::string &strKind, const std::string &strRest)
{
    DocCheck check{strKind, fnTrim(strRest), std::string(), false};
    size_t iEq = strRest.find(" = ");
    if (iEq != std::string::npos) {
        check.strWhat = fnTrim(strRest.substr(0, iEq));
        check.strValue = fnLineEnds(strRest.substr(iEq + 3));
        check.bHasValue = true;
    }
    return check;
}

// Writes a file of the example's folder, making its folders first.
bool fnWriteSetupFile(const std::string &strPath, const std::string &strText)
{
    for (size_t i = strPath.find('\\', 3); i != std::string::npos; i = strPath.find('\\', i + 1))
        CreateDirectoryA(strPath.substr(0, i).c_str(), nullptr);
    return fnE2EWriteFile(strPath, strText);
}

// One "<!-- key: value -->" line after an example into the example.
void fnReadDirective(const std::string &strLine, DocExample *pEx)
{
    std::string strBody = fnTrim(strLine.substr(4, strLine.size() - 7));
    size_t iColon = strBody.find(':');
    std::string strKey = iColon == std::string::npos ? strBody : fnTrim(strBody.substr(0, iColon));
    std::string strValue = iColon == std::string::npos ? std::string() : fnTrim(strBody.substr(iColon + 1));
    if (strKey == "args") {
        pEx->strArgs = strValue;
    } else if (strKey == "answers") {
        size_t i = 0;
        while (i <= strValue.size() && !strValue.empty()) {
            size_t j = strValue.find(" | ", i);
            if (j == std::string::npos) j = strValue.size();
            pEx->vecAnswers.push_back(fnTrim(strValue.substr(i, j - i)));
            i = j + 3;
        }
    } else if (strKey == "exit") {
        pEx->dwExit = strtoul(strValue.c_str(), nullptr, 10);
    } else if (strKey == "file" || strKey == "nofile" || strKey == "reg" || strKey == "setup") {
        pEx->vecChecks.push_back(fnReadCheck(strKey, strValue));
    } else {
        pEx->strError = "unknown example comment \"" + strLine + "\"";
    }
}

void fnReadPage(const std::string &strPath, const std::string &strPage, std::vector<DocExample> *pvec)
{
    std::vector<std::string> vecLines = fnSplitLines(fnE2EReadFile(strPath));
    for (size_t i = 0; i < vecLines.size(); i++) {
        if (!fnStartsWith(vecLines[i], "```ini")) continue;
        DocExample ex;
        ex.strPage = strPage;
        ex.iLine = (int)i + 1;
        for (i++; i < vecLines.size() && !fnStartsWith(vecLines[i], "```"); i++) ex.strScript += vecLines[i] + "\r\n";
        size_t k = i + 1;
        while (k < vecLines.size() && fnTrim(vecLines[k]).empty()) k++;
        for (; k < vecLines.size() && fnStartsWith(fnTrim(vecLines[k]), "<!--"); k++) {
            std::string strLine = fnTrim(vecLines[k]);
            if (strLine.size() < 7 || strLine.compare(strLine.size() - 3, 3, "-->") != 0)
                ex.strError = "example comment not closed on its line: \"" + strLine + "\"";
            else
                fnReadDirective(strLine, &ex);
        }
        pvec->push_back(ex);
    }
}

void fnReadFolder(const std::string &strDir, const std::string &strRel, std::vector<DocExample> *pvec)
{
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA((strDir + "\\*").c_str(), &fd);
    if (hFind == INVALID_HANDLE_VALUE) return;
    std::vector<std::string> vecNames;
    do {
        std::string strName = fd.cFileName;
        if (strName != "." && strName != "..") vecNames.push_back(strName);
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);
    std::sort(vecNames.begin(), vecNames.end());
    for (const std::string &strName : vecNames) {
        std::string strPath = strDir + "\\" + strName;
        std::string strChild = strRel.empty() ? strName : strRel + "/" + strName;
        if (GetFileAttributesA(strPath.c_str()) & FILE_ATTRIBUTE_DIRECTORY)
            fnReadFolder(strPath, strChild, pvec);
        else if (strName.size() > 3 && strName.compare(strName.size() - 3, 3, ".md") == 0)
            fnReadPage(strPath, strChild, pvec);
    }
}

std::vector<DocExample> fnDocExamples()
{
    std::vector<DocExample> vec;
    fnReadFolder(fnDocsDir(), std::string(), &vec);
    return vec;
}

// The value's data as text: strings as they are, numbers in decimal, several
// strings joined by '|', other data in hex.
bool fnReadRegistryText(const std::string &strPath, std::string *pstrText)
{
    size_t iRoot = strPath.find('\\');
    size_t iValue = strPath.rfind('\\');
    if (iRoot == std::string::npos || iValue == iRoot) return false;
    std::string strRoot = strPath.substr(0, iRoot);
    HKEY hRoot = strRoot == "HKCU" || strRoot == "HKEY_CURRENT_USER"    ? HKEY_CURRENT_USER
                 : strRoot == "HKLM" || strRoot == "HKEY_LOCAL_MACHINE" ? HKEY_LOCAL_MACHINE
                 : strRoot == "HKCR" || strRoot == "HKEY_CLASSES_ROOT"  ? HKEY_CLASSES_ROOT
                 : strRoot == "HKU" || strRoot == "HKEY_USERS"          ? HKEY_USERS
                                                                        : nullptr;
    if (!hRoot) return false;
    std::string strKey = strPath.substr(iRoot + 1, iValue - iRoot - 1);
    std::string strValue = strPath.substr(iValue + 1);
    BYTE ab[4096];
    DWORD cb = sizeof ab - 2, dwType = 0;
    if (RegGetValueA(hRoot, strKey.c_str(), strValue.empty() ? nullptr : strValue.c_str(),
                     RRF_RT_ANY | RRF_NOEXPAND, &dwType, ab, &cb) != ERROR_SUCCESS)
        return false;
    ab[cb] = ab[cb + 1] = 0;
    if (dwType == REG_SZ || dwType == REG_EXPAND_SZ) {
        *pstrText = (const char *)ab;
    } else if (dwType == REG_DWORD) {
        *pstrText = std::to_string(*(DWORD *)ab);
    } else if (dwType == REG_MULTI_SZ) {
        pstrText->clear();
        for (const char *p = (const char *)ab; *p; p += strlen(p) + 1) *pstrText += (pstrText->empty() ? "" : "|") + std::string(p);
    } else {
        static const char kHex[] = "0123456789abcdef";
        pstrText->clear();
        for (DWORD i = 0; i < cb; i++) *pstrText += std::string{kHex[ab[i] >> 4], kHex[ab[i] & 15]};
    }
    return true;
}

std::string fnInWorkDir(const std::string &strDir, const std::string &strName)
{
    if (strName.size() > 1 && (strName[1] == ':' || strName[0] == '\\')) return strName;
    return strDir + "\\" + strName;
}

std::string fnExampleName(const DocExample &ex)
{
    std::string s = ex.strPage + "_" + std::to_string(ex.iLine);
    for (char &c : s)
        if (!isalnum((unsigned char)c)) c = '_';
    return s;
}

// Test names and failure messages show where the example is, not its bytes.
void PrintTo(const DocExample &ex, std::ostream *pos)
{
    *pos << "docs/" << ex.strPage << ":" << ex.iLine;
}

class DocsExamplesE2E : public ::testing::TestWithParam<DocExample> {};

TEST_P(DocsExamplesE2E, RunsAsThePageSays)
{
    const DocExample &ex = GetParam();
    SCOPED_TRACE("docs/" + ex.strPage + ":" + std::to_string(ex.iLine));
    ASSERT_EQ(ex.strError, "");
    std::string strDir = fnE2EWorkDir(("docs_" + fnExampleName(ex)).c_str());
    for (const DocCheck &check : ex.vecChecks) {
        if (check.strKind == "setup") {
            ASSERT_TRUE(fnWriteSetupFile(fnInWorkDir(strDir, check.strWhat), check.strValue)) << check.strWhat;
        }
    }

    E2ERun run;
    run.strScript = ex.strScript;
    run.strArgs = ex.strArgs;
    run.vecAnswers = ex.vecAnswers;
    E2EResult res = fnE2ERun(strDir, run);
    EXPECT_EQ(ex.dwExit, res.dwExitCode) << res;
    EXPECT_EQ(0, res.iRobotExit) << res;

    for (const DocCheck &check : ex.vecChecks) {
        std::string strPath = fnInWorkDir(strDir, check.strWhat);
        if (check.strKind == "file") {
            EXPECT_NE(GetFileAttributesA(strPath.c_str()), INVALID_FILE_ATTRIBUTES) << strPath << " is missing";
            if (check.bHasValue) {
                EXPECT_TRUE(fnContains(fnE2EReadFile(strPath), check.strValue))
                    << strPath << " lacks \"" << check.strValue << "\"; it holds:\n" << fnE2EReadFile(strPath);
            }
        } else if (check.strKind == "nofile") {
            EXPECT_EQ(GetFileAttributesA(strPath.c_str()), INVALID_FILE_ATTRIBUTES) << strPath << " is there";
        } else if (check.strKind == "reg") {
            std::string strText;
            EXPECT_TRUE(fnReadRegistryText(check.strWhat, &strText)) << check.strWhat << " is missing";
            if (check.bHasValue) {
                EXPECT_EQ(check.strValue, strText) << check.strWhat;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Docs, DocsExamplesE2E, ::testing::ValuesIn(fnDocExamples()),
                         [](const ::testing::TestParamInfo<DocExample> &param) { return fnExampleName(param.param); });

// The pages are there and hold examples (so a moved docs folder cannot make
// the test above pass by running nothing).
TEST(DocsExamplesFound, ThePagesHoldExamples)
{
    EXPECT_GE(fnDocExamples().size(), 10u) << "no examples under " << fnDocsDir();
}

}  // namespace
