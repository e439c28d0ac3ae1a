// The text of the event log: one JSON object per line. Pure text logic (no
// Windows calls): escaping, building a record from name/value pairs, naming
// the kind of an install-log record, masking passwords on a command line.
#ifndef SETUP32_RUN_EVENT_LOG_TEXT_H
#define SETUP32_RUN_EVENT_LOG_TEXT_H

#include <stddef.h>

enum { kcchEventRecord = 8192, kuEventFields = 12 };

size_t fnJsonEscape(char *pszOut, size_t cchOut, const char *pszText);  // escaped UTF-8 text (only whole escapes), terminated; its length
int fnIsJsonLiteral(const char *pszValue);  // 1 for an integer, true, false or null (written without quotes)
int fnJsonRecord(char *pszOut, size_t cchOut, const char *const *apszPairs, unsigned uPairs);  // {"n":"v",...}; a name "#n" writes a literal value unquoted; 1 whole, 0 values cut (still valid JSON)
const char *fnChangeKind(const char *pszRecord);  // kind of an install-log record ("file_installed", "directory", ...); NULL for headers and section lines
int fnRecordField(const char *pszRecord, unsigned uField, char *pszOut, size_t cchOut);  // field uField (from 0) of a ", "-separated record, quotes removed; 1 found, 0 not
int fnMaskCmdLine(char *pszOut, size_t cchOut, const char *pszCmdLine);  // the command line with the values of "-a=" and of "...password=" / "pwd=" as "***"; 1 whole, 0 cut
int fnIsSecretName(const char *pszName);  // 1 when a field of this name holds a password

#endif
