// The main window: its class, its procedure and the instance start.
#ifndef SETUP32_APP_MAIN_WINDOW_H
#define SETUP32_APP_MAIN_WINDOW_H

#include <windows.h>

int fnRegisterClasses(HINSTANCE hInstance);             // 1 the main class and every status class registered, 0 failed (message shown)
int fnInitInstance(HINSTANCE hInstance, int nCmdShow);  // makes the main window, runs the script; 0 no window
unsigned fnRunWithoutWindow();                          // runs the script of an unattended run, which makes no window; the exit code

#endif
