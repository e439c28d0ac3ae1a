// Test sections on the machine's state: [VersionTest] (Windows version),
// [FileCheck] (files present and recent enough), [IsStringInFile] (a file
// holds a text), with the version-number and in-use tests they share.
#ifndef SETUP32_FILES_VERSION_SECTIONS_H
#define SETUP32_FILES_VERSION_SECTIONS_H

#include <windows.h>

struct UserInputStruct;

// fnTestVersion results
enum { kVersionTestHolds = 1, kVersionTestFails = 2 };
// fnTestInUse results: the in-use question's answer, or not asked
enum {
    kInUseTryAgain = 1,     // attempt the operation again
    kInUseAtRestart = 2,    // schedule it for the restart
    kInUseSkipFile = 3,     // leave this file
    kInUseExit = 4,         // stop
    kInUseNotAsked = 201,   // in use, the user was not asked
    kNotInUse = 202,        // the error does not mean "in use"
};

int fnTestVersion(const char *pszNumber, const char *pszCondition, DWORD dwSystem);  // 1 number CONDITION system holds (EQ NE LT LE GT GE), else 2
int fnIsInUseError(DWORD dwError);  // 1 for the errors that mean "held by a program" (5, 32, 33, 183)
int fnTestInUse(HWND hwnd, BOOL bAsk, DWORD dwError, const char *pszFile);  // in-use dialog result (bAsk), 201 in use, 202 other error

int fnReadVersionTest(HWND hwndMain, const char *pszLines);  // 1 go on, 0 line error, 7 the user chose Exit
int fnReadFileChecks(HWND hwndMain, const char *pszLines);   // 1 go on, 7 stop the run
int fnReadStringChecks(HWND hwndMain, const char *pszLines); // 1 go on, 0 line error or section ended, 7 stop the run

// Section handlers for the walk (the section text with its header line); 1 for an empty section.
int fnVersionTestSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                         const char *pszRest);  // fnReadVersionTest
int fnFileCheckSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                       const char *pszRest);    // fnReadFileChecks
int fnIsStringInFileSection(HWND hwndMain, char *pszSection, const char *pszHeader, UserInputStruct *pInput,
                            const char *pszRest);  // fnReadStringChecks

#endif
