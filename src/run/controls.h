// The progress-meter control that status dialogs put their progress in.
#ifndef SETUP32_RUN_CONTROLS_H
#define SETUP32_RUN_CONTROLS_H

#include <windows.h>

// Messages of the progress meter.
enum {
    PM_SETRANGE = WM_USER,      // wParam: range; repaints
    PM_GETRANGE = WM_USER + 1,  // returns the range
    PM_SETPOS = WM_USER + 2,    // wParam: position; repaints
    PM_GETPOS = WM_USER + 3,    // returns the position
};

int fnRegisterProgressMeter(HINSTANCE hInstance);  // 1 registered, 0 failed
int fnMeterPercent(unsigned uPos, unsigned uRange);  // 100 * position / range; a range of 0 gives 0

#endif
