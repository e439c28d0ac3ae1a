// The manual names everything the program takes: every section header of the
// dispatch table in some heading, every [Config] keyword as a heading of
// config.md and every command-line switch as a heading of command-line.md.
// A new header, keyword or switch without its page fails here.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/walk.h"
#include "commands/config.h"
#include "run/cmdline.h"
#include "../support/test_files.h"

namespace {

std::string fnDocsPath(const std::string &strRel)
{
    std::string strPath = std::string("Z:") + SETUP32_SOURCE_DIR + "/docs/" + strRel;
    std::replace(strPath.begin(), strPath.end(), '/', '\\');
    return strPath;
}

std::string fnLower(std::string s)
{
    for (char &c : s) c = (char)tolower((unsigned char)c);
    return s;
}

// The heading lines ("# ...", "## ...") of a page, lower case, marks kept.
void fnAddHeadings(const std::string &strPath, std::vector<std::string> *pvec)
{
    std::string strText = fnReadWholeFile(strPath);
    size_t i = 0;
    bool bFence = false;
    while (i < strText.size()) {
        size_t j = strText.find('\n', i);
        if (j == std::string::npos) j = strText.size();
        std::string strLine = strText.substr(i, j - i);
        if (strLine.compare(0, 3, "```") == 0) bFence = !bFence;
        if (!bFence && !strLine.empty() && strLine[0] == '#') pvec->push_back(fnLower(strLine));
        i = j + 1;
    }
}

void fnAddFolderHeadings(const std::string &strDir, std::vector<std::string> *pvec)
{
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA((strDir + "\\*").c_str(), &fd);
    if (hFind == INVALID_HANDLE_VALUE) return;
    do {
        std::string strName = fd.cFileName;
        if (strName == "." || strName == "..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            fnAddFolderHeadings(strDir + "\\" + strName, pvec);
        else if (strName.size() > 3 && strName.compare(strName.size() - 3, 3, ".md") == 0)
            fnAddHeadings(strDir + "\\" + strName, pvec);
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);
}

// True when a level-3 heading starts with strName followed by the end, a
// blank, a comma or a parenthesis ("### Restart", "### -q, -q=2").
bool fnHasEntryHeading(const std::vector<std::string> &vecHeadings, const std::string &strName)
{
    std::string strWant = "### " + fnLower(strName);
    for (const std::string &strHeading : vecHeadings) {
        if (strHeading.compare(0, strWant.size(), strWant) != 0) continue;
        char ch = strHeading.size() > strWant.size() ? strHeading[strWant.size()] : ' ';
        if (ch == ' ' || ch == ',' || ch == '(' || ch == '=' || ch == '\r') return true;
    }
    return false;
}

TEST(DocsCoverage, EverySectionHeaderHasAHeading)
{
    std::vector<std::string> vecHeadings;
    fnAddFolderHeadings(fnDocsPath(""), &vecHeadings);
    ASSERT_FALSE(vecHeadings.empty()) << fnDocsPath("");
    std::vector<std::string> vecHeaders = {"[Config]"};
    for (int iRow = 0; const char *pszList = fnSectionRowHeaders(iRow); iRow++) {
        std::string strList = pszList;
        for (size_t i = 0; i < strList.size();) {
            size_t j = strList.find(',', i);
            if (j == std::string::npos) j = strList.size();
            vecHeaders.push_back(strList.substr(i, j - i));
            i = j + 1;
        }
    }
    for (const std::string &strHeader : vecHeaders) {
        bool bFound = std::any_of(vecHeadings.begin(), vecHeadings.end(), [&](const std::string &h) {
            return h.find(fnLower(strHeader)) != std::string::npos;
        });
        EXPECT_TRUE(bFound) << strHeader << " is named in no heading of docs/";
    }
}

TEST(DocsCoverage, EveryConfigKeywordAndSwitchHasItsHeading)
{
    std::vector<std::string> vecConfig, vecSwitches;
    fnAddHeadings(fnDocsPath("config.md"), &vecConfig);
    fnAddHeadings(fnDocsPath("command-line.md"), &vecSwitches);
    for (int i = 0; const char *pszKeyword = fnConfigKeyword(i); i++)
        EXPECT_TRUE(fnHasEntryHeading(vecConfig, pszKeyword)) << "docs/config.md has no \"### " << pszKeyword << "\"";
    std::vector<std::string> vecSwitchNames = {"-?"};
    for (int i = 0; char ch = fnSwitchLetter(i); i++) vecSwitchNames.push_back(std::string("-") + ch);
    for (const std::string &strSwitch : vecSwitchNames)
        EXPECT_TRUE(fnHasEntryHeading(vecSwitches, strSwitch))
            << "docs/command-line.md has no \"### " << fnLower(strSwitch) << "\"";
}

}  // namespace
