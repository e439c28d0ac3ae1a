// Script line syntax: the line reader, the field parser, section and header
// finders and the two-field condition split. Pure text logic, no Windows calls:
// it works in place on the loaded script or on fixed 1,024-byte buffers.
#ifndef SETUP32_SCRIPT_LINES_H
#define SETUP32_SCRIPT_LINES_H

#include <stddef.h>

// Line test results of a line's condition.
enum {
    IDTEST_NOTEST = 100,      // the line carries no condition
    IDTEST_CONTINUE = 101,    // a guard line passed: go on with the next line
    IDTEST_TRUE = 102,        // the condition holds: process the rest of the line
    IDTEST_FALSE = 103,       // the condition fails: skip the line
    IDTEST_SKIPSECTION = 104, // skip the rest of the section
};

enum { kcchInfLine = 1024 };  // line and field buffers

// Line reader. Skips comments and empty lines, copies the next line (trimmed,
// at most cchLine - 1 chars; the rest is read as the next line) into pszLine.
// Returns the position after the line's line end; the position of the final
// NUL for a last line that no line end follows; NULL at a header line (buffer
// emptied). At the end of the text returns the end position and leaves pszLine
// untouched: callers clear the buffer before each call, an empty buffer ends.
const char *fnInfReadLine(const char *pszPos, char *pszLine, size_t cchLine);

// Copies field uField of the line into pszOut: 1 field exists, 0 missing (pszOut
// empty). Field 0 is the key (text before a first "=" separator). A "==" after
// the key is turned into "=?" in pszLine itself.
int fnInfParseField(char *pszLine, unsigned uField, char *pszOut, size_t cchOut);
// As fnInfParseField, but the value keeps its quotes as written (a program's
// arguments): only a pair around the whole value, inside which every quote is
// doubled, is taken off, and the doubled quotes become single.
int fnInfParseFieldQuoted(char *pszLine, unsigned uField, char *pszOut, size_t cchOut);

// Section finder: the position after the first line equal (trimmed, any case)
// to pszHeader, or NULL. A header line followed by a ";" comment compares as
// its header alone. Stops at a line equal to "[End]" when bStopAtEnd.
const char *fnInfFindSection(const char *pszText, const char *pszHeader, int bStopAtEnd);

// The body of a section as the walk hands it over (header line first): the
// text after the header line.
const char *fnInfSectionBody(const char *pszSection);

// What a section does with a line after its condition test: a failed test
// (IDTEST_FALSE) and a guard that passed (IDTEST_CONTINUE) pass the line over,
// IDTEST_SKIPSECTION ends the section, anything else processes the line.
enum { kLineProcess = 0, kLinePass = 1, kLineEndSection = 2 };
int fnInfLineAction(int iTest);

// Number of lines the line reader returns for a section (pszHeader given:
// found by the section finder) or from pszText on (pszHeader NULL), at most uMax.
unsigned fnInfCountLines(const char *pszText, const char *pszHeader, unsigned uMax);

// First header line at or after pszPos (which is at a line start): the "[" of
// a line whose first character after blanks and tabs is "[", or NULL.
const char *fnInfFindHeader(const char *pszPos);

// Copies the header of a section (from its "[" up to and including the first
// "]" on that line, or the rest of the line without one): 1 copied, 0 no "[".
int fnInfHeaderOf(const char *pszSection, char *pszOut, size_t cchOut);

// Two-field condition: when the line carries one (Key-side "=" followed by a
// remainder holding "=" before any "," outside quotes), returns the remainder
// (a pointer into pszLine), else NULL.
const char *fnInfConditionRemainder(const char *pszLine);

// 1 when the line begins (any case) with one of the guard prefixes
// "SkipIfTrue:", "ProcessIfTrue:", "SkipIfFileExists", "ProcessIfFileExists",
// "ProcessIfFileNotFound".
int fnInfIsGuardLine(const char *pszLine);

#endif
