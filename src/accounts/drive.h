// Connecting a network share to a drive letter.
#ifndef SETUP32_ACCOUNTS_DRIVE_H
#define SETUP32_ACCOUNTS_DRIVE_H

int fnNetMapDrive(const char *pszDrive, const char *pszShare, const char *pszUser, const char *pszPassword);  // 1 mapped, 0 not; drops the drive's old connection first; retries (3 times, 1 s apart, pumping) while there is no network

#endif
