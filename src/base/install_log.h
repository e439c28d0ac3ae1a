// Opening the install log.
#ifndef SETUP32_BASE_INSTALL_LOG_H
#define SETUP32_BASE_INSTALL_LOG_H

int fnStartInstallLog(const char *pszName);  // opens the install log (name already expanded) once with its header; 1 opened or already open

#endif
