// The event log ("-l=FILE", LOGFILE=): one JSON object per line, UTF-8,
// written as each event happens so that a run killed half-way leaves every
// line it finished. Any layer may record; without an event log nothing is
// written and nothing is formatted.
#ifndef SETUP32_RUN_EVENT_LOG_H
#define SETUP32_RUN_EVENT_LOG_H

#include <windows.h>

int fnOpenEventLog(const char *pszFile, int bAppend);  // creates (or empties; bAppend: adds to) the file and keeps it open; 1 open, 0 not
void fnCloseEventLog();                    // closes the event log (later records are dropped)
int fnEventLogOn();                        // 1 when an event log is open
int fnEventLog(const char *pszEvent, ...); // one record: name/value pairs of ANSI texts ended by NULL ("#name" for a number); 1 written or no log, 0 failed
const char *fnEventNumber(char (&szOut)[24], long long llValue);  // the number as text, for a "#name" value
void fnEventChange(const char *pszRecord); // an install-log record as a change event (kind, path, before/after where the record has them)

#endif
