// Matching a program name against a process's executable name and path.
#ifndef SETUP32_BASE_RUNNING_TEXT_H
#define SETUP32_BASE_RUNNING_TEXT_H

int fnProcessNameMatches(const char *pszName, const char *pszExeFile, const char *pszFullPath,
                         int bFileNamePart);  // 1 pszName equals the executable name or the full path (any case), or with bFileNamePart the file-name part of either; 0 not
const char *fnFileNamePart(const char *pszPath);  // the text after the last '\\', '/' or ':'
void fnStripNtPrefix(char *pszPath);              // drops a leading "\\??\\" in place

#endif
